#include "support/registerrows.h"

#include "model/datamodule.h"
#include "platform/dataset.h"

#include <algorithm>
#include <vector>

namespace {
int depthOf(const DataSet* t) {
    int depth = 0;
    for (const DataSet* m = t->master(); m; m = m->master())
        ++depth;
    return depth;
}

void appendRows(DataSet& t, const QString& path, QStringList& out) {
    for (int r = 1; r <= t.recordCount(); ++r) {
        t.setRecNo(r);
        const QString here = path + QLatin1Char('/') + t.name() + QLatin1Char('#') + QString::number(r);
        QString line = here + QLatin1Char(':');
        std::vector<DataSet*> nested;
        for (Field* f : t.fields()) {
            if (f->dataType() == FieldType::Nested) {
                nested.push_back(f->nestedDataSet());
                continue;
            }
            line += QLatin1Char(' ') + f->fieldName() + QLatin1Char('=') +
                    (f->isNull() ? QStringLiteral("<null>") : f->asString());
        }
        out << line;
        for (DataSet* d : nested)
            if (d)
                appendRows(*d, here, out);
    }
}

// Where each table stood, so that a walk over every row can put it back.
struct TablePlace {
    DataSet* table;
    int depth;
    bool filtered;
    Bookmark at;
};
} // namespace

QStringList registerRows(TDM& dm) {
    std::vector<TablePlace> places;
    for (DataSet* t : dm.tables())
        if (t->active())
            places.push_back({t, depthOf(t), t->filtered(), t->bookmark()});
    std::stable_sort(places.begin(), places.end(),
                     [](const TablePlace& a, const TablePlace& b) { return a.depth < b.depth; });
    for (TablePlace& p : places) {
        p.table->disableControls();
        if (p.filtered)
            p.table->setFiltered(false); // a filter only hides rows the file holds
    }
    QStringList out;
    appendRows(*dm.CDSet_Tabulon, QString(), out);
    // Masters first: a detail's rows are those of its master's current row.
    for (TablePlace& p : places) {
        if (p.filtered)
            p.table->setFiltered(true);
        if (!p.at.isNull() && p.table->bookmarkValid(p.at))
            p.table->gotoBookmark(p.at);
    }
    for (auto it = places.rbegin(); it != places.rend(); ++it)
        it->table->enableControls();
    return out;
}

QString saveAndCompareReload(TDM& dm) {
    dm.postPendingEdits();
    const QStringList inMemory = registerRows(dm);
    QString error;
    if (!dm.saveRegister(QString(), &error))
        return QStringLiteral("the register does not save: ") + error;
    TDM fresh;
    try {
        fresh.CDSet_Tabulon->loadFromFile(DATABASE);
    } catch (const DataSetError& e) {
        return QStringLiteral("the saved register does not load: ") + e.message();
    }
    const QStringList loaded = registerRows(fresh);
    const qsizetype n = std::min(inMemory.size(), loaded.size());
    for (qsizetype i = 0; i < n; ++i)
        if (inMemory[i] != loaded[i])
            return QStringLiteral("row %1 differs after a reload:\n  in memory: %2\n  loaded:    %3")
                .arg(i)
                .arg(inMemory[i], loaded[i]);
    if (inMemory.size() != loaded.size())
        return QStringLiteral("%1 rows in memory, %2 loaded back").arg(inMemory.size()).arg(loaded.size());
    return QString();
}
