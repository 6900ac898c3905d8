#pragma once
// Flags of the running transfer job, read and cleared by the data module and the main window.
#include <QtGlobal>

extern quint8 StateTrasfert; // 1 once a part of the current job has moved, 0 at every ending
extern quint8 StateLogIn;    // 1 while the panel has accepted the access code of the current link
extern bool ShortList;       // the message vocabulary was already exchanged: short command lists
