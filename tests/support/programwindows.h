#pragma once
// Closes what the data module's creation made, in the reverse order of the start-up chain: the
// main window, the model choice, the register window, the progress dialog, the trace window, the
// connection form and the data module itself.

#include "app/modelchoice.h"
#include "app/registerwindow.h"
#include "link/comset.h"
#include "link/tracewindow.h"
#include "model/datamodule.h"
#include "transfer/sendingdlg.h"
#include "ui/mainwindow.h"

inline void deleteProgramWindows() {
    delete Form6;
    delete TypeCentral;
    delete Form_Anagrafica;
    delete SendingDlg;
    delete Form1;
    delete ComSet;
    delete DM;
}
