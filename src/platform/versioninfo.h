#pragma once
// The version record every executable of the program carries: major, minor, release, build.
// The build embeds it as a fixed byte block (a 16-byte magic, the four numbers as
// little-endian 16-bit words, then a 16-bit check word), so the version of an executable is
// read from its file without running it, as "the version of the named executable".

#include <QByteArray>
#include <QString>

#include <optional>

struct VersionRecord {
    int major = 0;
    int minor = 0;
    int release = 0;
    int build = 0;
    friend bool operator==(const VersionRecord&, const VersionRecord&) = default;
};

// The record of the executable file at exePath; nullopt when the file cannot be read or
// carries no record (then *errorText, if given, says why).
std::optional<VersionRecord> readVersionRecord(const QString& exePath, QString* errorText = nullptr);
// The record built into this program.
VersionRecord currentVersionRecord();
// The bytes of the record built into this program (magic, numbers, check word), copied at
// run time; for tests that place a record into a file of their own.
QByteArray embeddedVersionRecordBytes();
// "V1.7.2 build 0"
QString formatFileVersion(const VersionRecord& v);
// "1.7.2.0"
QString formatAppVersion(const VersionRecord& v);
