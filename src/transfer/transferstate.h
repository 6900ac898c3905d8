#pragma once
// The state of the running transfer job, kept between sequencer ticks.
#include "link/linktypes.h"

#include <QString>
#include <vector>

constexpr int MaxAttempts = 5; // sends of one part, the first included

struct TransferState {
    std::vector<int> list; // command numbers of the job
    int position = 0;      // index into list
    int part = 0;          // 0-based part of the current command
    bool write = false;    // direction of the job (false read, true write)
    int attempts = 0;      // failed sends of the current part
    int tabCmd = -1;
    bool loop = false;
    int loopFrom = 0;
    bool quiet = false;
    bool modelChecked = false;
    bool listChecked = false;   // every command of the list was found movable
    bool valuesChecked = false; // every configuration command the job writes was found writable
    int resends = 0;            // parts sent again during the job
    TError lastResult = SENDOK; // how the last job ended (SENDOK: success)
    bool active() const { return !list.empty(); }
};

extern TransferState Transfer;

// The warning that ends a failed job, one text per kind of failure.
QString transferFailureText(TError result);
extern const char* const TransferSuccessText; // "Operazione conclusa con successo"
extern const char* const ModelMismatchQuestion;
