// placeholder, replaced by the register file reader and writer
#include "platform/datasetprivate.h"

void DataSet::saveToFile(const QString& path) const {
    throw DataSetError(QStringLiteral("not yet: %1").arg(path));
}
void DataSet::loadFromFile(const QString& path) {
    throw DataSetError(QStringLiteral("not yet: %1").arg(path));
}
