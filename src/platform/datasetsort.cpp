#include "platform/datasetsort.h"

#include "platform/dataset.h"

bool SortClientDataSet(DataSet& dataSet, const QString& fieldName) {
    const Field* field = dataSet.findField(fieldName);
    if (!field || field->dataType() == FieldType::Nested || field->dataType() == FieldType::Memo)
        return false;
    const QString ascending = fieldName + QStringLiteral("__IdxA");
    const bool descending = dataSet.indexName() == ascending;
    const QString name = descending ? fieldName + QStringLiteral("__IdxD") : ascending;
    if (!dataSet.indexNames().contains(name, Qt::CaseSensitive))
        dataSet.addIndex(name, fieldName, descending);
    dataSet.setIndexName(name);
    return true;
}
