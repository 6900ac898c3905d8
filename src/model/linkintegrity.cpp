#include "model/linkintegrity.h"

#include "model/datamodule.h"
#include "platform/controlssuspended.h"
#include "platform/dataset.h"

#include <QSet>

namespace {

struct LinkKind {
    DataSet* TDM::*links;
    DataSet* TDM::*source;
    const char* masterWord;
    const char* sourceWord;
};

const LinkKind kKinds[] = {
    {&TDM::CDSet_InLink, &TDM::CDSet_Ingressi, "USCITA", "INGRESSO"},
    {&TDM::CDSet_UserLink, &TDM::CDSet_Utenti, "USCITA", "UTENTE"},
    {&TDM::CDSet_Partial, &TDM::CDSet_Parziali, "GRUPPO", "PARZIALE"},
};

// Deletes the bad rows of the link table under the master's current row.
void sweepGroup(DataSet& links, int sourceRows, const QString& prefix, const char* sourceWord,
                QStringList& out) {
    const int idIdx = links.fieldByName(QStringLiteral("_ID")).index();
    QSet<int> seen;
    int r = 1;
    while (r <= links.recordCount()) {
        const int id = links.integerAt(r, idIdx);
        if (id >= 1 && id <= sourceRows && !seen.contains(id)) {
            seen.insert(id);
            ++r;
            continue;
        }
        links.setRecNo(r);
        links.deleteRecord();
        out << QStringLiteral("%1: %2 %3").arg(prefix, QLatin1String(sourceWord)).arg(id);
    }
}

} // namespace

QStringList dropDanglingLinks(TDM& dm) {
    QStringList dropped;
    if (!dm.CDSet_Tabulon->active() || dm.CDSet_Tabulon->isEmpty())
        return dropped;
    for (const LinkKind& kind : kKinds) {
        DataSet* links = dm.*kind.links;
        DataSet* master = links->master();
        const DataSet* source = dm.*kind.source;
        if (!master || master->isEmpty())
            continue;
        master->checkBrowseMode();
        links->checkBrowseMode();
        const int masterAt = master->recNo();
        ControlsSuspended quietMaster(*master);
        ControlsSuspended quietLinks(*links);
        for (int m = 1; m <= master->recordCount(); ++m) {
            master->setRecNo(m);
            const QString prefix = QStringLiteral("%1 %2").arg(QLatin1String(kind.masterWord)).arg(m);
            sweepGroup(*links, source->recordCount(), prefix, kind.sourceWord, dropped);
        }
        master->setRecNo(masterAt);
    }
    return dropped;
}
