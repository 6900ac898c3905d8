#pragma once
// The address conversion and its error live with the model, whose field checks use them too.
#include "model/ip4address.h"
