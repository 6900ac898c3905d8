#include "model/transferflags.h"

quint8 StateTrasfert = 0;
bool ShortList = false;
