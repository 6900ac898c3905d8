#include "app/appwiring.h"

#include "app/splash.h"
#include "link/comset.h"
#include "model/datamodule.h"
#include "platform/dataset.h"
#include "transfer/codec.h"
#include "transfer/transferhooks.h"

namespace {

QString rootText(const char* fieldName) {
    if (!DM || !DM->CDSet_Tabulon->active())
        return {};
    const Field* f = DM->CDSet_Tabulon->findField(QLatin1String(fieldName));
    return f ? f->asString() : QString();
}

// Names of every row of a table of the current installation, in record order, read without
// moving the table's cursor (a page may be showing it).
QStringList namesOf(DataSet* table) {
    QStringList names;
    if (!table || !table->active())
        return names;
    const Field* nome = table->findField(QStringLiteral("_Nome"));
    if (!nome)
        return names;
    const int count = table->recordCount();
    names.reserve(count);
    for (int r = 1; r <= count; ++r)
        names << table->stringAt(r, nome->index());
    return names;
}

} // namespace

void wireTransferToModel() {
    ModelAccess.systemType = [] { return DM ? DM->GetSystemType() : 0; };
    ModelAccess.remoteCode = [] { return rootText("_PswTeleGestione"); };
    ModelAccess.installerCode = [] { return rootText("_PswInstallatore"); };
    // The panel's identifier on the relay is kept in the installation's cloud name.
    ModelAccess.panelId = [] { return rootText("_Net_CloudName").trimmed(); };
    ModelAccess.inputNames = [] { return namesOf(DM ? DM->CDSet_Ingressi : nullptr); };
    ModelAccess.outputNames = [] { return namesOf(DM ? DM->CDSet_Uscite : nullptr); };
    installPanelCodec();
}

void wireLinkToApp() {
    TComSet::waitWindowHooks.show = [](QWidget* owner, const QString& text) -> QWidget* {
        TSplash splash;
        splash.AvvioAttesa(owner, text);
        return TSplash::currentWaitWindow();
    };
    TComSet::waitWindowHooks.hide = [] { TSplash().FineAttesa(); };
    TComSet::cloudCredentialsHook = [] {
        CloudCredentials c;
        c.panelId = ModelAccess.panelId ? ModelAccess.panelId() : QString();
        c.installerCode = ModelAccess.installerCode ? ModelAccess.installerCode().trimmed() : QString();
        c.remoteCode = ModelAccess.remoteCode ? ModelAccess.remoteCode().trimmed() : QString();
        return c;
    };
}
