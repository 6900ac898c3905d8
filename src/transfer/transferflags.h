#pragma once
// Every flag of the transfer in one include: the job's flags (kept with the model, whose field
// rules read them) and the link's access state.
#include "link/linkflags.h"
#include "model/transferflags.h"
