#pragma once
// The IPv4 text conversion and its error, kept with the model (see model/ip4text.h).
#include "model/ip4text.h"
