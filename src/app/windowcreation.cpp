#include "app/windowcreation.h"

#include "app/modelchoice.h"
#include "app/registerwindow.h"
#include "link/comset.h"
#include "link/tracewindow.h"
#include "model/datamodule.h"
#include "transfer/sendingdlg.h"
#include "ui/mainwindow.h"

void installWindowCreation() {
    TDM::createWindowsHook = [](TDM&) { createProgramWindows(); };
}

void createDataModule() {
    DM = new TDM();
    DM->DataModuleCreate();
}

void createProgramWindows() {
    if (!Form_Anagrafica) {
        Form_Anagrafica = new TForm_Anagrafica();
        Form_Anagrafica->show();
    }
    if (!ComSet)
        ComSet = new TComSet();
    if (!Form1)
        Form1 = new TForm1();
    if (!SendingDlg)
        SendingDlg = new TSendingDlg();
    if (!TypeCentral)
        TypeCentral = new TTypeCentral();
    if (!Form6) {
        Form6 = new TForm6();
        if (Form_Anagrafica->installationCount() > 0)
            Form6->show();
    }
    // The register window takes the first turn: while it is up the main window waits.
    if (Form_Anagrafica->isVisible()) {
        Form6->setEnabled(false);
        Form_Anagrafica->raise();
        Form_Anagrafica->activateWindow();
    }
}
