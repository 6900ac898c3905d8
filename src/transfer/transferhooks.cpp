#include "transfer/transferhooks.h"

TransferModelAccess ModelAccess;

void TransferHooks::resetAll() {
    pageControlChange = {};
    repaintAll = {};
    mainCaption = {};
    mainWindow = {};
    panelClock = {};
}
