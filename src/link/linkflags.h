#pragma once
// The state of the panel link that the rest of the program reads.
#include <QtGlobal>

extern quint8 StateLogIn; // 1 while the panel has accepted the access code of the current link
