#include "transfer/transferflags.h"

quint8 StateTrasfert = 0;
quint8 StateLogIn = 0;
bool ShortList = false;
