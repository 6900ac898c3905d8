#pragma once
// The program's settings key under the current user, kept the way the registry keeps it:
// keys that exist (even empty) or not, and typed values (text or 32-bit integer).
//
// Storage is QSettings. On Windows it is the real registry under HKEY_CURRENT_USER, where
// integers are REG_DWORD and texts REG_SZ. Elsewhere it is a settings file (INI-like), which
// keeps no types; there every value is written as tagged text, "sz:<text>" or "dword:<n>", so
// a value read back from disk still knows its type. An untagged text in the file (edited by
// hand) counts as a text value.
//
// Key paths use backslashes ("Software\\Velmora\\...") and always start at the root (the
// current user); a leading backslash is allowed and ignored. A key exists once created, even
// with no values: creation stores a marker value that no value name can produce.
//
// Failures follow the registry's class-library semantics:
//   - openKey(key, false) on a missing key returns false (nothing is created);
//   - readString of a missing value returns ""; of an integer value it throws;
//   - readInteger of a missing value throws "Failed to get data for 'Top'", of a text value
//     throws "Invalid data type for 'Top'";
//   - textValue and integerValue never throw: they say whether a value is missing or of
//     another type, so that a damaged value read at start is replaced and named (see
//     platform/programsettings.h) instead of stopping the program;
//   - writing with no key open, or a write the storage refuses, throws
//     "Failed to set data for 'Top'". Callers that must never fail (the exit routine) catch it.
// All on the user-interface thread.

#include <QString>

#include <memory>
#include <optional>
#include <stdexcept>

class QSettings;
class QVariant;

inline const QString kTabulonRegistryKey = QStringLiteral("Software\\Velmora\\TBN for (ZEPHRA)V080");

class RegistryError : public std::runtime_error {
public:
    explicit RegistryError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

// Why a value could not be read as the type asked for.
enum class ValueFault { None, Missing, WrongType };

class RegistryKey {
public:
    RegistryKey();
    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Opens `key` (absolute path under the current user). Without canCreate a missing key
    // gives false and nothing changes; with canCreate the key (and its parents) is created.
    // Opening closes the key opened before.
    bool openKey(const QString& key, bool canCreate);
    // Creates the key without opening it; true when it exists afterwards.
    bool createKey(const QString& key);
    void closeKey();
    bool hasOpenKey() const { return m_open; }
    QString currentPath() const { return m_path; } // backslash form, empty when none is open

    bool keyExists(const QString& key) const;
    bool valueExists(const QString& name) const;
    QString readString(const QString& name) const;
    int readInteger(const QString& name) const;
    // The value when the open key holds it with the type asked for; otherwise nothing, with
    // `fault` (when given) saying whether it is missing or of another type.
    std::optional<QString> textValue(const QString& name, ValueFault* fault = nullptr) const;
    std::optional<int> integerValue(const QString& name, ValueFault* fault = nullptr) const;
    void writeString(const QString& name, const QString& value);
    void writeInteger(const QString& name, int value);
    // Removes a value of the open key; true when it existed.
    bool deleteValue(const QString& name);
    // Removes the key with all its values and subkeys; true when it existed. Deleting the
    // open key leaves it open on nothing: reads then find no values.
    bool deleteKey(const QString& key);

    // Every RegistryKey (those alive included) then uses this settings file (INI format)
    // instead of the real storage; an empty path goes back to the real storage.
    static void setStorageForTests(const QString& iniFilePath);
    static QString storageForTests();

private:
    std::unique_ptr<QSettings> settings() const;
    void writeValue(const QString& name, const QVariant& stored);

    QString m_path; // '/'-separated group of the open key
    bool m_open = false;
};
