#pragma once
// Flags of the running transfer job that the field rules read and write. They live with the model
// so that the model's rules need nothing from the transfer; the transfer sets them.
#include <QtGlobal>

extern quint8 StateTrasfert; // 1 once a part of the current job has moved, 0 at every ending
extern bool ShortList;       // the message vocabulary was already exchanged: short command lists
