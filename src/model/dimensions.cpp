#include "model/dimensions.h"

namespace {

ModelDimensions make(int users, int inOnboard, int inWire, int outOnboard, int outTotal, int expIn,
                     int expOut, int perModel) {
    ModelDimensions d{};
    d.users = users;
    d.inputsOnboard = inOnboard;
    d.inputsWire = inWire;
    d.inputsTotal = 64;
    d.outputsOnboard = outOnboard;
    d.outputsTotal = outTotal;
    d.expIn = expIn;
    d.expOut = expOut;
    // Keypads, key sockets, partition LEDs per socket, partitions, programs and timers per
    // day always go together: 4 on the small models, 8 on MIRUNPLUS and ZOREM.
    d.keyboards = perModel;
    d.sockets = perModel;
    d.partitionLedsPerSocket = perModel;
    d.partitions = perModel;
    d.programs = perModel;
    d.timersPerDay = perModel;
    d.groups = 4;
    d.phones = 8;
    d.expRadio = 2;
    d.expGsm = 1;
    d.expLan = 1;
    d.devRadio = 64;
    d.devRadio800 = 112;
    d.idcTel = 8;
    d.idcEvents = 28;
    d.systemEvents = 23;
    d.timerDays = 7;
    d.exclusionDates = 8;
    d.fpt = 15;
    d.messages = 187;
    d.adattamento = inOnboard;
    d.timerOutputs = outOnboard + 3 * expOut;
    d.idcEventsTotal = d.idcEvents + d.inputsTotal;
    return d;
}

const ModelDimensions kModels[kSystemTypeCount] = {
    make(32, 4, 16, 1, 8, 1, 1, 4),  // TAVEK
    make(32, 8, 32, 2, 8, 2, 2, 4),  // MIRUN
    make(64, 8, 64, 2, 17, 7, 4, 8), // MIRUNPLUS
    make(32, 4, 16, 5, 8, 1, 1, 4),  // PELUN
    make(32, 8, 32, 5, 8, 2, 1, 4),  // QUANE
    make(64, 8, 64, 5, 17, 7, 4, 8), // ZOREM
};

// eight partitions, zone pairing step, first event without voice, typed words, output functions
const ModelFeatures kFeatures[kSystemTypeCount] = {
    {false, 4, 19, {0, 0}, 28},  // TAVEK
    {false, 8, 19, {0, 0}, 29},  // MIRUN
    {true, 0, 0, {0, 0}, 33},    // MIRUNPLUS
    {false, 4, 19, {2, 31}, 29}, // PELUN
    {false, 8, 19, {2, 31}, 29}, // QUANE
    {true, 0, 19, {2, 31}, 33},  // ZOREM
};

} // namespace

// Before any installation is opened the constants hold the largest model (ZOREM), so that
// nothing is hidden or cut while no model is chosen.
int C_NUM_USERS = 64;
int C_NUM_INPUTS_ONBOARD = 8;
int C_NUM_INPUTS_WIRE = 64;
int C_NUM_INPUTS_TOTAL = 64;
int C_NUM_OUTPUTS_ONBOARD = 5;
int C_NUM_OUTPUTS_TOTAL = 17;
int C_NUM_EXPIN = 7;
int C_NUM_EXPOUT = 4;
int C_NUM_KEYBOARD = 8;
int C_NUM_SOCKET = 8;
int C_NUM_PARZIALI_LED_SOCKET = 8;
int C_NUM_PARZIAL = 8;
int C_NUM_PROGRAMS = 8;
int C_NUM_TIMERS_TIMER = 8;
int C_NUM_GROUPS = 4;
int C_NUM_PHONES = 8;
int C_NUM_EXPRADIO = 2;
int C_NUM_EXPGSM = 1;
int C_NUM_EXPLAN = 1;
int C_NUM_DEVRADIO = 64;
int C_NUM_DEVRADIO800 = 112;
int C_NUM_IDC_TEL = 8;
int C_NUM_IDC_EVENTS = 28;
int C_NUM_SYSTEM_EVENTS = 23;
int C_NUM_TIMERS_DAY = 7;
int C_NUM_TIMERS_ESC_DATE = 8;
int C_NUM_FPT = 15;
int C_NUM_MSG = 187;
int C_NUM_ADATTAMENTO = 8;
int C_NUM_TIMERS_OUTPUTS = 17;
int C_NUM_IDC_EVENTS_TOTAL = 92;

const ModelDimensions* modelDimensions(int systemType) {
    if (systemType < 1 || systemType > kSystemTypeCount)
        return nullptr;
    return &kModels[systemType - 1];
}

const ModelFeatures* modelFeatures(int systemType) {
    if (systemType < 1 || systemType > kSystemTypeCount)
        return nullptr;
    return &kFeatures[systemType - 1];
}

namespace {

// Each global beside the member of ModelDimensions it holds: the one place that pairs them.
struct Binding {
    int* global;
    int ModelDimensions::*member;
};

const Binding kBindings[] = {
    {&C_NUM_USERS, &ModelDimensions::users},
    {&C_NUM_INPUTS_ONBOARD, &ModelDimensions::inputsOnboard},
    {&C_NUM_INPUTS_WIRE, &ModelDimensions::inputsWire},
    {&C_NUM_INPUTS_TOTAL, &ModelDimensions::inputsTotal},
    {&C_NUM_OUTPUTS_ONBOARD, &ModelDimensions::outputsOnboard},
    {&C_NUM_OUTPUTS_TOTAL, &ModelDimensions::outputsTotal},
    {&C_NUM_EXPIN, &ModelDimensions::expIn},
    {&C_NUM_EXPOUT, &ModelDimensions::expOut},
    {&C_NUM_KEYBOARD, &ModelDimensions::keyboards},
    {&C_NUM_SOCKET, &ModelDimensions::sockets},
    {&C_NUM_PARZIALI_LED_SOCKET, &ModelDimensions::partitionLedsPerSocket},
    {&C_NUM_PARZIAL, &ModelDimensions::partitions},
    {&C_NUM_PROGRAMS, &ModelDimensions::programs},
    {&C_NUM_TIMERS_TIMER, &ModelDimensions::timersPerDay},
    {&C_NUM_GROUPS, &ModelDimensions::groups},
    {&C_NUM_PHONES, &ModelDimensions::phones},
    {&C_NUM_EXPRADIO, &ModelDimensions::expRadio},
    {&C_NUM_EXPGSM, &ModelDimensions::expGsm},
    {&C_NUM_EXPLAN, &ModelDimensions::expLan},
    {&C_NUM_DEVRADIO, &ModelDimensions::devRadio},
    {&C_NUM_DEVRADIO800, &ModelDimensions::devRadio800},
    {&C_NUM_IDC_TEL, &ModelDimensions::idcTel},
    {&C_NUM_IDC_EVENTS, &ModelDimensions::idcEvents},
    {&C_NUM_SYSTEM_EVENTS, &ModelDimensions::systemEvents},
    {&C_NUM_TIMERS_DAY, &ModelDimensions::timerDays},
    {&C_NUM_TIMERS_ESC_DATE, &ModelDimensions::exclusionDates},
    {&C_NUM_FPT, &ModelDimensions::fpt},
    {&C_NUM_MSG, &ModelDimensions::messages},
    {&C_NUM_ADATTAMENTO, &ModelDimensions::adattamento},
    {&C_NUM_TIMERS_OUTPUTS, &ModelDimensions::timerOutputs},
    {&C_NUM_IDC_EVENTS_TOTAL, &ModelDimensions::idcEventsTotal},
};

} // namespace

ModelDimensions currentDimensions() {
    ModelDimensions d{};
    for (const Binding& b : kBindings)
        d.*(b.member) = *b.global;
    return d;
}

void applyModelDimensions(int systemType) {
    const ModelDimensions* d = modelDimensions(systemType);
    if (!d)
        return;
    for (const Binding& b : kBindings)
        *b.global = d->*(b.member);
}
