#pragma once
// Per-model dimension constants and features. TDM::SelectSystem sets the constants for the
// installation that is opened; the editors and the data module read them (row counts, caps,
// visible columns). The features (modelFeatures) are read by model, never selected.
// System types: 1 TAVEK, 2 MIRUN, 3 MIRUNPLUS, 4 PELUN, 5 QUANE, 6 ZOREM.

extern int C_NUM_USERS;
extern int C_NUM_INPUTS_ONBOARD;
extern int C_NUM_INPUTS_WIRE;
extern int C_NUM_INPUTS_TOTAL;
extern int C_NUM_OUTPUTS_ONBOARD;
extern int C_NUM_OUTPUTS_TOTAL;
extern int C_NUM_EXPIN;
extern int C_NUM_EXPOUT;
extern int C_NUM_KEYBOARD;
extern int C_NUM_SOCKET;
extern int C_NUM_PARZIALI_LED_SOCKET;
extern int C_NUM_PARZIAL;
extern int C_NUM_PROGRAMS;
extern int C_NUM_TIMERS_TIMER;
extern int C_NUM_GROUPS;
extern int C_NUM_PHONES;
extern int C_NUM_EXPRADIO;
extern int C_NUM_EXPGSM;
extern int C_NUM_EXPLAN;
extern int C_NUM_DEVRADIO;
extern int C_NUM_DEVRADIO800;
extern int C_NUM_IDC_TEL;
extern int C_NUM_IDC_EVENTS;
extern int C_NUM_SYSTEM_EVENTS;
extern int C_NUM_TIMERS_DAY;
extern int C_NUM_TIMERS_ESC_DATE;
extern int C_NUM_FPT;
extern int C_NUM_MSG;
// Derived counts kept beside the others so that row counts and caps have one source.
extern int C_NUM_ADATTAMENTO;      // rows of the adaptation table: one per onboard input
extern int C_NUM_TIMERS_OUTPUTS;   // output rows per timer: onboard + 3 per output expansion
extern int C_NUM_IDC_EVENTS_TOTAL; // Contact ID event rows: the fixed events, then one per input

constexpr int kSystemTypeCount = 6;

// All 31 constants of one model.
struct ModelDimensions {
    int users;
    int inputsOnboard;
    int inputsWire;
    int inputsTotal;
    int outputsOnboard;
    int outputsTotal;
    int expIn;
    int expOut;
    int keyboards;
    int sockets;
    int partitionLedsPerSocket;
    int partitions;
    int programs;
    int timersPerDay;
    int groups;
    int phones;
    int expRadio;
    int expGsm;
    int expLan;
    int devRadio;
    int devRadio800;
    int idcTel;
    int idcEvents;
    int systemEvents;
    int timerDays;
    int exclusionDates;
    int fpt;
    int messages;
    int adattamento;
    int timerOutputs;
    int idcEventsTotal;
};

// The dimensions of system type 1..6; nullptr for any other value.
const ModelDimensions* modelDimensions(int systemType);

// The dimensions the globals above hold now.
ModelDimensions currentDimensions();

// Sets every constant to the values of system type 1..6; any other value changes nothing.
void applyModelDimensions(int systemType);

// What a model can do beyond its counts. The pages ask for a feature by its name here rather
// than by model number, so that a model is one row of dimensions and one row of features.
struct ModelFeatures {
    // Partitions 5..8 exist: their check-box columns and the output conditions naming them.
    bool eightPartitions;
    // Inputs n, n+k and n+2k share the zones of one terminal, k being this step (the onboard
    // inputs); 0: every input is wired on its own and offers the one-zone wirings only.
    int zonePairingStep;
    // System events from this record on cannot be reported by a voice call; 0: every event can.
    int firstEventWithoutVoice;
    // The vocabulary records whose words the installer types; the others are words recorded in
    // the panel. first == 0: every record is typed.
    struct {
        int first;
        int last;
    } typedWords;
    // How many of the output functions the model offers: the first ones of the master list.
    int outputFunctions;
};

// The features of system type 1..6; nullptr for any other value.
const ModelFeatures* modelFeatures(int systemType);
