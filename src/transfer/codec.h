#pragma once
// The codec of the configuration commands, the event log and the live status. Until
// installPanelCodec() runs, commands 2..62 have no codec (a read exchanges and drops their parts,
// a write skips them); the program installs it when it wires the transfer to the model.

void installPanelCodec();

namespace Codec {
// One per command group, each installing its commands with setCommandCodec.
void installPeripheralsCodec(); // 2..5
void installInputsCodec();      // 6..13
void installOutputsCodec();     // 14..19
void installUsersCodec();       // 20..28
void installReportingCodec();   // 29..35
void installParametersCodec();  // 36..42, 49, 51..55
void installTimersCodec();      // 43..48
void installVocabularyCodec();  // 56
void installRadioCodec();       // 57..62
void installEventLogCodec();    // 50
void installLiveStatusCodec();  // the status parts of 1
} // namespace Codec
