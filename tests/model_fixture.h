#pragma once
// Helpers shared by the configuration-model tests: a data module on a throw-away registry,
// row access, row counting across nested tables, and a field-by-field comparison of two registers.
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
inline QVariant at(DataSet* t, int recNo, const char* field) {
    return t->valueAt(recNo, t->fieldByName(QString::fromLatin1(field)).index());
}
// Writes one field of the current row, edit to post.
inline void write(DataSet* t, const char* field, const QVariant& value) {
    t->edit();
    t->fieldByName(QString::fromLatin1(field)).setValue(value);
    t->post();
}
inline void writeRow(DataSet* t, int recNo, const char* field, const QVariant& value) {
    t->setRecNo(recNo);
    write(t, field, value);
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

// Every difference between the rows of `a` (in module da) and `b` (in module db), nested rows
// included; empty when they hold the same data.
inline void compareTables(TDM& da, DataSet* a, TDM& db, DataSet* b, const QString& where,
                          QStringList& diffs) {
    if (a->recordCount() != b->recordCount()) {
        diffs << QStringLiteral("%1: %2 rows against %3")
                     .arg(where)
                     .arg(a->recordCount())
                     .arg(b->recordCount());
        return;
    }
    for (int r = 1; r <= a->recordCount(); ++r) {
        a->setRecNo(r);
        b->setRecNo(r);
        for (Field* f : a->fields()) {
            const QString at = QStringLiteral("%1[%2].%3").arg(where).arg(r).arg(f->fieldName());
            if (f->dataType() == FieldType::Nested) {
                DataSet* detailA = f->nestedDataSet();
                compareTables(da, detailA, db, db.tableByName(detailA->objectName()), at, diffs);
                continue;
            }
            const QVariant va = a->valueAt(r, f->index());
            const QVariant vb = b->valueAt(r, b->fieldByName(f->fieldName()).index());
            if (va != vb)
                diffs << QStringLiteral("%1: %2 against %3").arg(at, va.toString(), vb.toString());
        }
        if (diffs.size() > 20)
            return;
    }
}

// Empty when two registers hold the same data; otherwise their differences, one a line.
inline QString registerDiffs(TDM& a, TDM& b) {
    QStringList diffs;
    compareTables(a, a.CDSet_Tabulon, b, b.CDSet_Tabulon, QStringLiteral("register"), diffs);
    return diffs.join(QLatin1Char('\n'));
}
