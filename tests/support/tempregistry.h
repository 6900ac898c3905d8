#pragma once
// Points every RegistryKey at a fresh settings file in a temporary folder for as long as it
// lives, then back to where it pointed before.

#include "platform/registrykey.h"

#include <QTemporaryDir>

class TempRegistry {
public:
    TempRegistry() : m_previous(RegistryKey::storageForTests()) { RegistryKey::setStorageForTests(path()); }
    ~TempRegistry() { RegistryKey::setStorageForTests(m_previous); }
    TempRegistry(const TempRegistry&) = delete;
    TempRegistry& operator=(const TempRegistry&) = delete;

    QString path() const { return m_dir.filePath(QStringLiteral("registry.ini")); }
    QString folder() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};
