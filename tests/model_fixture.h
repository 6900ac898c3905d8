#pragma once
// Helpers shared by the configuration-model tests: a data module on a throw-away registry,
// row access, row counting across nested tables, and a dump of a register for comparing two.
#include "model/datamodule.h"
#include "platform/dataset.h"
#include "support/tempregistry.h"

#include <QStringList>

#include <functional>
#include <initializer_list>
#include <memory>
#include <utility>

inline QString str(DataSet* t, const char* field) {
    return t->fieldByName(QString::fromLatin1(field)).asString();
}
inline int num(DataSet* t, const char* field) {
    return t->fieldByName(QString::fromLatin1(field)).asInteger();
}
inline bool flag(DataSet* t, const char* field) {
    return t->fieldByName(QString::fromLatin1(field)).asBoolean();
}
// The value of a field in row recNo (of the current row group), without moving the cursor.
inline QVariant at(DataSet* t, int recNo, const QString& field) {
    return t->valueAt(recNo, t->fieldByName(field).index());
}
inline QVariant at(DataSet& t, int recNo, const QString& field) {
    return at(&t, recNo, field);
}
// Writes one field of the current row, edit to post.
inline void write(DataSet* t, const QString& field, const QVariant& value) {
    t->edit();
    t->fieldByName(field).setValue(value);
    t->post();
}
inline void writeRow(DataSet* t, int recNo, const QString& field, const QVariant& value) {
    t->setRecNo(recNo);
    write(t, field, value);
}
inline void writeRow(DataSet& t, int recNo, const QString& field, const QVariant& value) {
    writeRow(&t, recNo, field, value);
}
// Appends one row with the given fields, append to post.
inline void appendRow(DataSet* t, std::initializer_list<std::pair<const char*, QVariant>> values) {
    t->append();
    for (const auto& [field, value] : values)
        t->fieldByName(QString::fromLatin1(field)).setValue(value);
    t->post();
}

struct ModelFixture {
    TempRegistry registry;
    std::unique_ptr<TDM> dm = std::make_unique<TDM>();
};

// Runs fn once for every row of every master above `table` (so that `table` shows, in turn,
// each of its row groups of the current installation).
inline void forEachGroup(TDM& dm, DataSet* table, const std::function<void()>& fn) {
    DataSet* master = table->master();
    if (!master || master == dm.CDSet_Tabulon) {
        fn();
        return;
    }
    forEachGroup(dm, master, [&] {
        for (int r = 1; r <= master->recordCount(); ++r) {
            master->setRecNo(r);
            fn();
        }
    });
}

// Rows of `table` in the current installation, over all its row groups.
inline int rowsInInstallation(TDM& dm, DataSet* table) {
    int rows = 0;
    forEachGroup(dm, table, [&] { rows += table->recordCount(); });
    return rows;
}

// Every value of `table` and its nested rows, one "where[row].field=type:value" a line.
inline void dumpTable(DataSet* table, const QString& where, QStringList& out) {
    for (int r = 1; r <= table->recordCount(); ++r) {
        table->setRecNo(r);
        for (Field* f : table->fields()) {
            const QString key = QStringLiteral("%1[%2].%3").arg(where).arg(r).arg(f->fieldName());
            if (f->dataType() == FieldType::Nested) {
                dumpTable(f->nestedDataSet(), key, out);
                continue;
            }
            const QVariant v = table->valueAt(r, f->index());
            out << key + QLatin1Char('=') + QLatin1String(v.typeName()) + QLatin1Char(':') + v.toString();
        }
    }
}
// The whole register, for comparing two of them.
inline QStringList registerDump(TDM& dm) {
    QStringList out;
    dumpTable(dm.CDSet_Tabulon, QStringLiteral("register"), out);
    return out;
}
