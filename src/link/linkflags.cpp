#include "link/linkflags.h"

quint8 StateLogIn = 0;
