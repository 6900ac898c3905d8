#pragma once
// Every value of the current installation, for comparing it before and after a job.
#include "model/datamodule.h"
#include "platform/dataset.h"

#include <QMap>
#include <QSet>
#include <QStringList>

// "table.field" -> the field's values in walk order, nested tables included and every row
// whatever a page's filter shows (the radio page shows one kind of device); the cursors are
// left where they were.
inline void dumpRows(DataSet* t, QMap<QString, QStringList>& out) {
    const bool filtered = t->filtered();
    t->setFiltered(false);
    const int keep = t->recNo();
    for (int r = 1; r <= t->recordCount(); ++r) {
        t->setRecNo(r);
        for (Field* f : t->fields()) {
            if (f->dataType() == FieldType::Nested)
                dumpRows(f->nestedDataSet(), out);
            else
                out[t->name() + QLatin1Char('.') + f->fieldName()] << t->valueAt(r, f->index()).toString();
        }
    }
    if (keep > 0)
        t->setRecNo(keep);
    t->setFiltered(filtered);
}

inline QMap<QString, QStringList> installationDump() {
    QMap<QString, QStringList> out;
    DataSet* root = DM->CDSet_Tabulon;
    for (Field* f : root->fields()) {
        if (f->dataType() == FieldType::Nested)
            dumpRows(f->nestedDataSet(), out);
        else
            out[root->name() + QLatin1Char('.') + f->fieldName()] << f->asString();
    }
    return out;
}

// Fields the program keeps alone and never sends to the panel (the protocol document lists
// them with the reason).
inline const QSet<QString>& fieldsKeptHome() {
    static const QSet<QString> fields = {
        QStringLiteral("CDSet_Tabulon._NomeCliente"),
        QStringLiteral("CDSet_Tabulon._IndirizzoCliente"),
        QStringLiteral("CDSet_Tabulon._Nota"),
        QStringLiteral("CDSet_Tabulon._PswTeleGestione"),
        QStringLiteral("CDSet_Phone._Ev"),
    };
    return fields;
}

// "CDSet_Phone._Ev12" -> "CDSet_Phone._Ev" when `names` holds the run's name: a numbered run of
// fields counts as one entry.
inline QString fieldFamily(const QString& key, const QSet<QString>& names) {
    QString k = key;
    while (!k.isEmpty() && k.back().isDigit())
        k.chop(1);
    return names.contains(k) ? k : key;
}
