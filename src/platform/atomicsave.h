#pragma once
// A file replaced whole or not at all. The new bytes go to a temporary file beside the file
// they replace, and take its place (one rename) only once every byte was written, flushed and
// pushed to the disk; until then the old file stays as it was.
//
// The temporary file is named ".<name>.salvataggio-incompleto.XXXXXX" (six letters or digits):
// hidden, with a marker no person gives a copy of their own, and saying at a glance what it
// is to whoever finds one. Only a save killed before its rename leaves one behind, and that
// name is what lets the program tell its own leftovers from the files of the person who uses
// it (DataSet::removeLeftoverSaves).

#include <QFile>
#include <QString>

class AtomicSave {
public:
    explicit AtomicSave(const QString& target);
    ~AtomicSave(); // a temporary file not committed is removed
    AtomicSave(const AtomicSave&) = delete;
    AtomicSave& operator=(const AtomicSave&) = delete;

    // Creates the temporary file: its owner's alone, or with the mode of the file it will
    // replace when there is one. False with the system's reason in *reason.
    bool open(QString* reason);
    // Where the new bytes are written (and sought) between open() and commit().
    QFile& file() { return m_file; }
    // Flushes, pushes the bytes to the disk, closes and renames the temporary file over the
    // target. False with the system's reason in *reason, the temporary file removed and the
    // target as it was.
    bool commit(QString* reason);
    // Gives the save up: the temporary file is removed, the target untouched.
    void cancel();

    // The file a save of `target` replaces: `target`, or the file its symbolic links lead to
    // (the link stays a link).
    static QString finalPath(const QString& target);
    // Whether `name` is the name of a temporary file of a save of a file named `targetName`.
    static bool isTemporaryName(const QString& name, const QString& targetName);

private:
    QString m_final;
    QString m_temporary;
    QFile m_file;
    bool m_committed = false;
};

// Why a file operation failed, in the system's words; never Qt's bare "Unknown error".
QString fileErrorReason(const QFileDevice& file, int systemError = 0);
// Pushes what was written to `file` to the disk itself; 0, or the system's error number.
int syncToDisk(QFileDevice& file);
