#include "model/lang.h"

#include "platform/versioninfo.h"

QString Lang::FileVersion(const QString& exe) {
    const std::optional<VersionRecord> record = readVersionRecord(exe);
    return record ? formatFileVersion(*record) : QString();
}
