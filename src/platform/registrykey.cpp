#include "platform/registrykey.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStringList>
#include <QVariant>

#include <cstdint>

namespace {

QString g_testStorage;

// Under the test runner (TABULON_TEST set) a test that forgot to choose a storage must not
// touch the real settings: it gets a file of its own process, removed at exit.
QString testRunFallbackStorage() {
    struct Fallback {
        QString path;
        Fallback() {
            if (qEnvironmentVariableIsSet("TABULON_TEST"))
                path = QDir(QDir::tempPath())
                           .filePath(QStringLiteral("tabulon-registry-%1.ini")
                                         .arg(QCoreApplication::applicationPid()));
        }
        ~Fallback() {
            if (!path.isEmpty())
                QFile::remove(path);
        }
    };
    static const Fallback fallback;
    return fallback.path;
}

// Name of the marker value that makes an empty key exist. Encoded value names never contain
// "%k" ('%' is always followed by a hex pair), so no real value can collide with it.
const QString kKeyMarker = QStringLiteral("%key");
// The registry's unnamed (default) value.
const QString kDefaultValueName = QStringLiteral("%def");

const QString kTextTag = QStringLiteral("sz:");
const QString kIntegerTag = QStringLiteral("dword:");

bool usesNativeTypes() {
#ifdef Q_OS_WIN
    return g_testStorage.isEmpty() && testRunFallbackStorage().isEmpty();
#else
    return false;
#endif
}

// QSettings treats '/' and '\' as group separators; a key or value name may hold '/', so
// both are escaped, and '%' to keep the escape reversible.
QString encodePart(const QString& part) {
    QString out;
    out.reserve(part.size());
    for (QChar c : part) {
        if (c == u'%')
            out += QStringLiteral("%25");
        else if (c == u'/')
            out += QStringLiteral("%2F");
        else if (c == u'\\')
            out += QStringLiteral("%5C");
        else
            out += c;
    }
    return out;
}

QString groupOf(const QString& key) {
    const QStringList parts = key.split(QRegularExpression(QStringLiteral("[\\\\/]")), Qt::SkipEmptyParts);
    QStringList encoded;
    encoded.reserve(parts.size());
    for (const QString& p : parts)
        encoded << encodePart(p);
    return encoded.join(u'/');
}

QString valueKey(const QString& group, const QString& name) {
    const QString encoded = name.isEmpty() ? kDefaultValueName : encodePart(name);
    return group.isEmpty() ? encoded : group + u'/' + encoded;
}

QString markerKey(const QString& group) {
    return group.isEmpty() ? kKeyMarker : group + u'/' + kKeyMarker;
}

enum class StoredKind { Missing, Text, Integer, Invalid };

struct StoredValue {
    StoredKind kind = StoredKind::Missing;
    QString text;
    int integer = 0;
};

StoredValue decode(const QVariant& v) {
    StoredValue out;
    if (!v.isValid())
        return out;
    if (usesNativeTypes()) {
        const int type = v.typeId();
        if (type == QMetaType::Int || type == QMetaType::UInt || type == QMetaType::LongLong ||
            type == QMetaType::ULongLong) {
            out.kind = StoredKind::Integer;
            out.integer = static_cast<int>(static_cast<quint32>(v.toLongLong()));
        } else if (type == QMetaType::QString) {
            out.kind = StoredKind::Text;
            out.text = v.toString();
        } else {
            out.kind = StoredKind::Invalid;
        }
        return out;
    }
    // A hand-edited line with commas comes back as a list: it is still one text.
    const QString raw = v.typeId() == QMetaType::QStringList ? v.toStringList().join(u',') : v.toString();
    if (raw.startsWith(kIntegerTag)) {
        bool ok = false;
        const qint64 n = QStringView(raw).mid(kIntegerTag.size()).trimmed().toLongLong(&ok);
        if (ok && n >= INT32_MIN && n <= UINT32_MAX) {
            out.kind = StoredKind::Integer;
            out.integer = static_cast<int>(static_cast<quint32>(n)); // a DWORD read as signed
        } else {
            out.kind = StoredKind::Invalid;
        }
    } else {
        out.kind = StoredKind::Text;
        out.text = raw.startsWith(kTextTag) ? raw.mid(kTextTag.size()) : raw;
    }
    return out;
}

QVariant encodeText(const QString& value) {
    if (usesNativeTypes())
        return value;
    return QString(kTextTag + value);
}

QVariant encodeInteger(int value) {
    if (usesNativeTypes())
        return value;
    return QString(kIntegerTag + QString::number(value));
}

// The settings hold the login password and panel access codes: a settings file is created
// readable and writable by its owner only, before anything is written to it (the writes
// then replace it keeping that mode).
void createPrivately(const QSettings& s) {
#ifdef Q_OS_WIN
    if (s.format() == QSettings::NativeFormat)
        return; // the real registry: the user's hive is private already
#endif
    const QString path = s.fileName();
    if (path.isEmpty() || QFileInfo::exists(path))
        return;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    (void)file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                    QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

bool groupHasContent(QSettings& s, const QString& group) {
    if (group.isEmpty())
        return true; // the root always exists
    s.beginGroup(group);
    const bool any = !s.childKeys().isEmpty() || !s.childGroups().isEmpty();
    s.endGroup();
    return any;
}

} // namespace

RegistryKey::RegistryKey() = default;

RegistryKey::~RegistryKey() = default;

std::unique_ptr<QSettings> RegistryKey::settings() const {
    if (!g_testStorage.isEmpty())
        return std::make_unique<QSettings>(g_testStorage, QSettings::IniFormat);
    if (const QString fallback = testRunFallbackStorage(); !fallback.isEmpty())
        return std::make_unique<QSettings>(fallback, QSettings::IniFormat);
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER"), QSettings::NativeFormat);
#else
    // One settings file stands for the whole of the current user's registry.
    auto s = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                         QStringLiteral("Tabulon"), QStringLiteral("registry"));
    s->setFallbacksEnabled(false);
    return s;
#endif
}

void RegistryKey::setStorageForTests(const QString& iniFilePath) {
    g_testStorage = iniFilePath;
}

QString RegistryKey::storageForTests() {
    return g_testStorage;
}

bool RegistryKey::openKey(const QString& key, bool canCreate) {
    closeKey();
    const QString group = groupOf(key);
    auto s = settings();
    if (!groupHasContent(*s, group)) {
        if (!canCreate)
            return false;
        createPrivately(*s);
        s->setValue(markerKey(group), encodeText(QString()));
        s->sync();
        if (s->status() != QSettings::NoError)
            return false;
    }
    m_path = group;
    m_open = true;
    return true;
}

bool RegistryKey::createKey(const QString& key) {
    const QString group = groupOf(key);
    auto s = settings();
    if (groupHasContent(*s, group))
        return true;
    createPrivately(*s);
    s->setValue(markerKey(group), encodeText(QString()));
    s->sync();
    return s->status() == QSettings::NoError;
}

void RegistryKey::closeKey() {
    m_path.clear();
    m_open = false;
}

bool RegistryKey::keyExists(const QString& key) const {
    auto s = settings();
    return groupHasContent(*s, groupOf(key));
}

bool RegistryKey::valueExists(const QString& name) const {
    if (!m_open)
        return false;
    return settings()->contains(valueKey(m_path, name));
}

QString RegistryKey::readString(const QString& name) const {
    if (!m_open)
        return {};
    const StoredValue v = decode(settings()->value(valueKey(m_path, name)));
    switch (v.kind) {
    case StoredKind::Missing:
        return {};
    case StoredKind::Text:
        return v.text;
    default:
        throw RegistryError(QStringLiteral("Invalid data type for '%1'").arg(name));
    }
}

int RegistryKey::readInteger(const QString& name) const {
    const StoredValue v = m_open ? decode(settings()->value(valueKey(m_path, name))) : StoredValue{};
    switch (v.kind) {
    case StoredKind::Missing:
        throw RegistryError(QStringLiteral("Failed to get data for '%1'").arg(name));
    case StoredKind::Integer:
        return v.integer;
    default:
        throw RegistryError(QStringLiteral("Invalid data type for '%1'").arg(name));
    }
}

namespace {
ValueFault faultOf(StoredKind found, StoredKind wanted, ValueFault* fault) {
    const ValueFault f = found == wanted                ? ValueFault::None
                         : found == StoredKind::Missing ? ValueFault::Missing
                                                        : ValueFault::WrongType;
    if (fault)
        *fault = f;
    return f;
}
} // namespace

std::optional<QString> RegistryKey::textValue(const QString& name, ValueFault* fault) const {
    const StoredValue v = m_open ? decode(settings()->value(valueKey(m_path, name))) : StoredValue{};
    if (faultOf(v.kind, StoredKind::Text, fault) != ValueFault::None)
        return std::nullopt;
    return v.text;
}

std::optional<int> RegistryKey::integerValue(const QString& name, ValueFault* fault) const {
    const StoredValue v = m_open ? decode(settings()->value(valueKey(m_path, name))) : StoredValue{};
    if (faultOf(v.kind, StoredKind::Integer, fault) != ValueFault::None)
        return std::nullopt;
    return v.integer;
}

void RegistryKey::writeValue(const QString& name, const QVariant& stored) {
    if (!m_open)
        throw RegistryError(QStringLiteral("Failed to set data for '%1'").arg(name));
    auto s = settings();
    createPrivately(*s);
    s->setValue(valueKey(m_path, name), stored);
    s->sync();
    if (s->status() != QSettings::NoError)
        throw RegistryError(QStringLiteral("Failed to set data for '%1'").arg(name));
}

void RegistryKey::writeString(const QString& name, const QString& value) {
    writeValue(name, encodeText(value));
}

void RegistryKey::writeInteger(const QString& name, int value) {
    writeValue(name, encodeInteger(value));
}

bool RegistryKey::deleteValue(const QString& name) {
    if (!m_open)
        return false;
    auto s = settings();
    const QString k = valueKey(m_path, name);
    if (!s->contains(k))
        return false;
    s->remove(k);
    s->sync();
    return s->status() == QSettings::NoError;
}

bool RegistryKey::deleteKey(const QString& key) {
    const QString group = groupOf(key);
    if (group.isEmpty())
        return false; // the root is never deleted
    auto s = settings();
    if (!groupHasContent(*s, group))
        return false;
    s->remove(group);
    s->sync();
    return s->status() == QSettings::NoError;
}
