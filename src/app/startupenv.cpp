#include "app/startupenv.h"

#include "platform/programsettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QThread>

#include <cstdlib>

namespace StartupEnv {
namespace {

std::function<void(int)>& exitOverride() {
    static std::function<void(int)> fn;
    return fn;
}

std::function<QSize()>& desktopOverride() {
    static std::function<QSize()> fn;
    return fn;
}

QString& pathOverride() {
    static QString path;
    return path;
}

} // namespace

void exitProcess(int code) {
    if (exitOverride()) {
        exitOverride()(code);
        return;
    }
    if (QCoreApplication::instance() && QThread::currentThread()->loopLevel() > 0) {
        QCoreApplication::exit(code);
        return;
    }
    std::exit(code);
}

void setExitFunction(std::function<void(int)> exitFunction) {
    exitOverride() = std::move(exitFunction);
}

QSize desktopSize() {
    if (desktopOverride())
        return desktopOverride()();
    return virtualDesktopSize();
}

void setDesktopSizeFunction(std::function<QSize()> desktopSizeFunction) {
    desktopOverride() = std::move(desktopSizeFunction);
}

QString executablePath() {
    const QString path = pathOverride().isEmpty() ? QCoreApplication::applicationFilePath() : pathOverride();
    return QDir::toNativeSeparators(path);
}

QString executableFolder() {
    QString folder =
        QDir::toNativeSeparators(QFileInfo(QDir::fromNativeSeparators(executablePath())).absolutePath());
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    return folder;
}

void setExecutablePathForTests(const QString& path) {
    pathOverride() = path;
}

} // namespace StartupEnv
