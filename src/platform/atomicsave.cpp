#include "platform/atomicsave.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>

#ifdef Q_OS_WIN
#include <io.h>
#include <qt_windows.h>
#else
#include <cstdio>
#include <unistd.h>
#endif

namespace {

// The fixed part of a temporary file's name, after the name of the file it replaces.
const QString kMarker = QStringLiteral(".salvataggio-incompleto.");
constexpr int kRandomChars = 6;
constexpr int kNameAttempts = 100;

QString temporaryPrefix(const QString& targetName) {
    return QLatin1Char('.') + targetName + kMarker;
}

bool isLetterOrDigit(QChar c) {
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

QString randomPart() {
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString part(kRandomChars, Qt::Uninitialized);
    for (QChar& c : part)
        c = QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)]);
    return part;
}

// Renames `from` over `to` in one step: `to` is either the old file or the new one, never
// missing. 0, or the system's error number.
int renameOver(const QString& from, const QString& to) {
#ifdef Q_OS_WIN
    const std::wstring source = QDir::toNativeSeparators(from).toStdWString();
    const std::wstring target = QDir::toNativeSeparators(to).toStdWString();
    return ::MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? 0
               : int(::GetLastError());
#else
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0 ? 0 : errno;
#endif
}

} // namespace

QString fileErrorReason(const QFileDevice& file, int systemError) {
    const QString said = file.errorString();
    if (file.error() != QFileDevice::NoError && !said.isEmpty() && said != QLatin1String("Unknown error"))
        return said;
    if (systemError != 0)
        return qt_error_string(systemError);
    return QStringLiteral("il sistema ha segnalato un errore senza dirne il motivo");
}

int syncToDisk(QFileDevice& file) {
#ifdef Q_OS_WIN
    return ::_commit(file.handle()) == 0 ? 0 : errno;
#else
    return ::fsync(file.handle()) == 0 ? 0 : errno;
#endif
}

QString AtomicSave::finalPath(const QString& target) {
    QFileInfo file(target);
    for (int depth = 0; depth < 128 && file.isSymLink(); ++depth)
        file.setFile(file.symLinkTarget());
    return file.isSymLink() ? target : file.filePath();
}

bool AtomicSave::isTemporaryName(const QString& name, const QString& targetName) {
    const QString prefix = temporaryPrefix(targetName);
    if (name.size() != prefix.size() + kRandomChars || !name.startsWith(prefix))
        return false;
    return std::all_of(name.begin() + prefix.size(), name.end(), isLetterOrDigit);
}

AtomicSave::AtomicSave(const QString& target) : m_final(finalPath(target)) {}

AtomicSave::~AtomicSave() {
    cancel();
}

bool AtomicSave::open(QString* reason) {
    const QFileInfo existing(m_final);
    // A file its owner made read-only is not replaced behind their back.
    if (existing.exists() && !existing.isWritable()) {
        *reason = qt_error_string(EACCES);
        return false;
    }
    const QDir folder = existing.absoluteDir();
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const QString candidate = folder.filePath(temporaryPrefix(existing.fileName()) + randomPart());
        m_file.setFileName(candidate);
        // Nobody else may read the new bytes before they have the old file's mode.
        if (m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
            m_temporary = candidate;
            if (existing.exists() && !m_file.setPermissions(existing.permissions())) {
                *reason = fileErrorReason(m_file, errno);
                cancel();
                return false;
            }
            return true;
        }
        const int error = errno;
        if (!QFileInfo::exists(candidate)) { // not a name already taken: a real failure
            *reason = fileErrorReason(m_file, error);
            return false;
        }
    }
    *reason = qt_error_string(EEXIST);
    return false;
}

bool AtomicSave::commit(QString* reason) {
    auto fail = [&](const QString& why) {
        *reason = why;
        cancel();
        return false;
    };
    if (m_temporary.isEmpty() || m_committed)
        return fail(QStringLiteral("il file temporaneo non è aperto"));
    // Every byte must be on the disk before the old file goes, or a save that lost its last
    // write would call itself done.
    if (!m_file.flush())
        return fail(fileErrorReason(m_file, errno));
    if (const int error = syncToDisk(m_file))
        return fail(qt_error_string(error));
    m_file.close();
    if (m_file.error() != QFileDevice::NoError)
        return fail(fileErrorReason(m_file, errno));
    if (const int error = renameOver(m_temporary, m_final))
        return fail(qt_error_string(error));
    m_committed = true;
    return true;
}

void AtomicSave::cancel() {
    if (m_temporary.isEmpty() || m_committed)
        return;
    m_file.close();
    QFile::remove(m_temporary);
    m_temporary.clear();
}
