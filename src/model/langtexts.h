#pragma once
// The fixed content of the vocabulary lists, each in one place. Lang builds its `Lista...`
// lists from these; the data module's rules compare with them directly.
//
// Lists marked UNVERIFIED in their comments were not given with the panel's description: their
// texts and sign codes are this program's own choice and must be checked against a real panel
// before they are trusted on the wire (docs/model-gaps.md lists them).
#include <QStringList>

namespace LangTexts {

extern const QStringList InputWirings;        // 23 wiring types
extern const QStringList InputWiringSigns;    // UNVERIFIED
extern const QStringList InputWiringsR2;      // UNVERIFIED, not used by any editor
extern const QStringList InputWiringsR3;      // UNVERIFIED, not used by any editor
extern const QStringList InputFunctions;      // 12; 9 texts UNVERIFIED
extern const QStringList InputFunctionSigns;  // 12; 9 codes UNVERIFIED
extern const QStringList InputSirens;         // UNVERIFIED
extern const QStringList InputSirenSigns;     // UNVERIFIED
extern const QStringList InputPolarities;     // UNVERIFIED
extern const QStringList InputPolaritySigns;  // UNVERIFIED
extern const QStringList OutputFunctions;     // 33: the model lists are its first 28, 29 or 33
extern const QStringList OutputFunctionSigns; // UNVERIFIED except "U", "P", "I", "W"
extern const QStringList OutputConditionsTAVEK;
extern const QStringList OutputConditionsMIRUN;
extern const QStringList OutputConditionSignsTAVEK; // UNVERIFIED
extern const QStringList OutputConditionSignsMIRUN; // UNVERIFIED
extern const QStringList OutputPolarities;
extern const QStringList OutputPolaritySigns; // UNVERIFIED

} // namespace LangTexts
