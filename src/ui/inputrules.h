#pragma once
// Rules of the inputs that the editors and the painters share: which wiring types an input may
// take, how inputs sharing one onboard terminal follow a new wiring, whether an input expander is
// in use, and the binding of keypad terminals (M1, M2) to inputs and outputs.
//
// Every rule reads other rows by position, never by moving a table's cursor, except
// pairWiring, which writes the paired rows and brings the cursor back to the input it started on.

#include <QString>
#include <QStringList>

class DataSet;
class TDM;

namespace InputRules {

// Inputs sharing one onboard terminal on the models that pair them: input n, n+K and n+2K.
// The model's ModelFeatures::zonePairingStep; 0 without a model.
int pairingStep(int systemType);

// True when at least one input expander (`CDSet_ExpIngressi`) has `_Enable` True.
bool ExpInActive(const DataSet& expIngressi);
bool ExpInActive(); // over DM; false without a data module

// The wiring-type list the editor offers input `inputNo` (1-based), or nullptr for none (the
// editor then holds only the current value). `inputs` is read by position.
const QStringList* SelectList(const DataSet& inputs, int inputNo, int systemType, bool expanderActive);

// A new wiring `chosen` of the current input of `inputs` changes the inputs that share its
// terminal: a one-zone wiring frees them (resets them to "Non Configurato" unless they are
// "Non Configurato" or "Radio"; the third only when the second was reset), a two-zone wiring
// gives the second input the same wiring and frees the third, the three-zone wiring gives both
// the same wiring. Nothing happens on a model without zone pairing or without a model, for an
// input beyond the first terminal group, or while an expander is in use. Each row is posted on
// its own; the cursor ends on the input it started on.
void pairWiring(DataSet& inputs, int systemType, bool expanderActive, const QString& chosen);

// Position of `wiring` in the 23-entry wiring list, -1 when it is not there.
int wiringPosition(const QString& wiring);

// ---- keypad terminals: a terminal stores the name of the input or output it is bound to ----

// Record number (1-based) of the first keypad whose `_M1` or `_M2` equals `name`; 0 when none.
int GetM1M2Key(const DataSet& keypads, const QString& name);
int GetM1M2Key(const QString& name); // over DM
bool TestKeyM2M2(const DataSet& keypads, const QString& name);
bool TestKeyM2M2(const QString& name); // over DM
// Appends the choices of a keypad terminal: "Non Configurato", the wired inputs beyond the
// onboard ones and the outputs beyond the onboard ones, leaving out names already bound to a
// terminal of any keypad. Returns `list`.
QStringList& GetListM1M2(QStringList& list); // over DM and the current dimensions

// The input a keypad terminal is bound to, resolved as the transfer sends it: a name held by an
// output means that output; otherwise the first input of that name. True when some keypad
// terminal resolves to input `inputNo`. Two inputs of the same name are therefore never both
// shown as bound.
bool inputOnKeypad(const TDM& dm, int inputNo);

} // namespace InputRules
