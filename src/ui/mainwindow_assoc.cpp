// The association pages' lists and their two shared actions: which association each page
// offers, when it is the one the actions work on, what its lists show and how many links a
// master row may hold.

#include "ui/mainwindow.h"

#include "model/datamodule.h"
#include "platform/dbgrid.h"
#include "ui/imagelist.h"
#include "ui/linkassociations.h"
#include "ui/pagecontrol.h"
#include "ui/pages/page_gruppi.h"
#include "ui/pages/page_programmi.h"
#include "ui/pages/page_uscite.h"

#include <QAction>
#include <QGroupBox>
#include <QMenu>
#include <QToolBar>

namespace {
constexpr int kPageUscite = 2;
constexpr int kPageGruppi = 7;
constexpr int kPageProgrammi = 6;

// The most rows `table` holds for the open installation's model; no limit without a data module.
std::function<int()> capOf(DataSet* TDM::*table) {
    return [table] { return DM ? DM->rowCap(DM->*table) : -1; };
}
} // namespace

void TForm6::wireAssociations() {
    LinkActions = new TLinkActions(Action2, Action3, this);
    LinkActions->setObjectName(QStringLiteral("LinkActions"));
    Aggiungi2 = Edit1->addAction(ImageList1().icon(4), QStringLiteral("Aggiungi"));
    Aggiungi2->setObjectName(QStringLiteral("Aggiungi2"));
    connect(Aggiungi2, &QAction::triggered, LinkActions, &TLinkActions::Action2Execute);
    Remove1 = Edit1->addAction(ImageList1().icon(5), QStringLiteral("Rimuovi"));
    Remove1->setObjectName(QStringLiteral("Remove1"));
    connect(Remove1, &QAction::triggered, LinkActions, &TLinkActions::Action3Execute);

    TPageUscite* out = TabSheet2;
    auto onPage = [this](int page) { return PageControl->activePageIndex() == page; };

    LinkAssociationSetup inputs;
    inputs.name = QStringLiteral("USCITE.INGRESSI");
    inputs.source = out->DBGrid19;
    inputs.links = out->DBGrid20;
    inputs.isActive = [onPage, out] { return onPage(kPageUscite) && !out->GroupBox10->isHidden(); };
    inputs.sourceText = [](const DataSet& t, int r) { return LinkTexts::inputText(t, r); };
    inputs.capacity = capOf(&TDM::CDSet_Ingressi);
    inputs.capacityMessage = QStringLiteral("Un'uscita non può avere più di %1 ingressi associati.");
    LinkActions->add(inputs);

    LinkAssociationSetup users;
    users.name = QStringLiteral("USCITE.UTENTI");
    users.source = out->DBGrid23;
    users.links = out->DBGrid24;
    users.isActive = [onPage, out] {
        return onPage(kPageUscite) && out->GroupBox10->isHidden() && !out->GroupBox61->isHidden();
    };
    users.sourceText = [](const DataSet& t, int r) { return LinkTexts::fieldText(t, r, "_Nome"); };
    users.capacity = capOf(&TDM::CDSet_Utenti);
    users.capacityMessage = QStringLiteral("Un'uscita non può avere più di %1 utenti associati.");
    LinkActions->add(users);

    TPageGruppi* groups = TabSheet9;
    LinkAssociationSetup partitions;
    partitions.name = QStringLiteral("GRUPPI");
    partitions.source = groups->DBGrid22;
    partitions.links = groups->DBGrid21;
    partitions.isActive = [onPage] { return onPage(kPageGruppi); };
    partitions.sourceText = [](const DataSet& t, int r) { return LinkTexts::partitionText(t, r); };
    partitions.capacity = capOf(&TDM::CDSet_Parziali);
    partitions.capacityMessage = QStringLiteral("Un gruppo non può avere più di %1 parziali associati.");
    partitions.wireMouseDown = false;
    LinkActions->add(partitions);

    TPageProgrammi* programs = TabSheet7;
    LinkAssociationSetup zones;
    zones.name = QStringLiteral("PROGRAMMI");
    zones.source = programs->DBGrid5;
    zones.links = programs->DBGrid7;
    zones.isActive = [onPage] { return onPage(kPageProgrammi); };
    zones.sourceText = [](const DataSet& t, int r) { return LinkTexts::inputText(t, r); };
    zones.capacity = capOf(&TDM::CDSet_Ingressi);
    zones.capacityMessage = QStringLiteral("Un parziale non può avere più di %1 zone associate.");
    zones.wireMouseDown = false;
    LinkActions->add(zones);

    for (QToolBar* bar :
         {out->ActionToolBar6, out->ActionToolBar8, groups->ActionToolBar4, programs->ActionToolBar3})
        LinkActions->fillToolBar(bar);
    groups->DBGrid25->onCellClick = [this](DBGridColumn&) { DBGrid25CellClick(); };
}

// A click on a group drops the partitions picked under another group.
void TForm6::DBGrid25CellClick() {
    LinkAssociation* a = LinkActions ? LinkActions->find(QStringLiteral("GRUPPI")) : nullptr;
    const DataSet* groups = DM ? DM->CDSet_Group : nullptr;
    if (!a || !groups || !groups->active() || groups->isEmpty())
        return;
    if (groups->fieldByName(QStringLiteral("_ID")).asInteger() != a->IDParz) {
        if (a->links())
            a->links()->clearSelectedRows();
        Action3->setEnabled(false);
    }
}
