#pragma once
// The real main window over the program's data module with one installation open, the windows
// of the transfer (connection form, progress dialog, trace window), the program's own codec and
// model access, and a simulated panel of the installation's model, as a panel reset to its
// factory state holds it, on a pseudo-terminal. Every
// box is answered (questions with Yes), never shown.
#include "app/appwiring.h"
#include "link/comset.h"
#include "support/openwindow.h"
#include "support/panelmemory.h"
#include "support/transferfixture.h"
#include "transfer/transferstate.h"
#include "ui/mainwindow_links.h"

#include <QAction>
#include <QScrollBar>
#include <QTimer>

struct LinkedWindow {
    OpenWindow window;
    TransferFixture fx;
    PanelSimulator sim;

    // remoteCode: the installation's remote-management code, the one the panel accepts.
    explicit LinkedWindow(int type, const QString& remoteCode = QStringLiteral("123456")) : window(type) {
        wireTransferToModel();
        MainWindowLinks::wireTransferHooks(*window.form); // the window, not the fixture's counters
        DataSet* root = DM->CDSet_Tabulon;
        root->edit();
        root->fieldByName(QStringLiteral("_PswTeleGestione")).setAsString(remoteCode);
        root->post();
        PanelMemory::loadFreshPanel(sim, type);
        sim.setModel(type);
        ComSet->Timer1->setInterval(1);
        ComSet->ScrollBar1->setValue(50);
    }
    TForm6& form() { return *window.form; }
    // Starts the panel and opens its port from the connection form.
    bool connect() { return sim.start() && fx.openSerial(sim.portPath()); }
    // Runs the action's job to its end; true when it ended with the success message alone.
    bool run(QAction* action) {
        const qsizetype before = fx.messages().size();
        action->trigger();
        if (!fx.waitForJobEnd(60000))
            return false;
        const QStringList m = fx.messages();
        const bool ok = m.size() == before + 1 && m.back() == QLatin1String(TransferSuccessText);
        if (!ok && !fx.warnings().isEmpty())
            qInfo("%s ended with: %s", qPrintable(action->objectName()), qPrintable(fx.warnings().back()));
        return ok;
    }
};
