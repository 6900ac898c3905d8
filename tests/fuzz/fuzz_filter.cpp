// The filter expression over a table with a field of every type, null cells included: any
// text is either refused with an error or filters the rows.

#include "platform/dataset.h"

#include <QCoreApplication>

#include <cstdint>

namespace {
DataSet* g_table = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    g_table = new DataSet(QStringLiteral("CDSet_Log"));
    DataSet& t = *g_table;
    t.addField(QStringLiteral("_I"), FieldType::Integer);
    t.addField(QStringLiteral("_S"), FieldType::String, 20);
    t.addField(QStringLiteral("_B"), FieldType::Boolean);
    t.addField(QStringLiteral("_F"), FieldType::Float);
    t.addField(QStringLiteral("_D"), FieldType::DateTime);
    t.addField(QStringLiteral("_M"), FieldType::Memo);
    t.open();
    for (int i = 0; i < 12; ++i) {
        t.append();
        if (i % 5 != 4) { // every fifth row keeps its cells null
            t.field(0).setAsInteger(i - 3);
            t.field(1).setAsString(i % 3 ? QStringLiteral("row %1").arg(i) : QString::number(i));
            t.field(2).setAsBoolean(i % 2);
            t.field(3).setAsFloat(i / 4.0);
            t.field(4).setAsDateTime(QDateTime(QDate(2026, 1 + i, 1 + i), QTime(i, i)));
            t.field(5).setAsString(QStringLiteral("memo %1").arg(i));
        }
        t.post();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString expression = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    DataSet& t = *g_table;
    try {
        t.setFiltered(false);
        t.setFilter(expression);
        t.setFiltered(true);
        for (t.first(); !t.eof(); t.next())
            t.field(1).asString();
    } catch (const DataSetError&) {
        // refused: a clear error, nothing else
    }
    return 0;
}
