#pragma once
// The model label table: the label an installation stores in `_TipoCentrale`, by system type.
#include <QStringList>

namespace Language {

// Index = system type: 0 "" (no model), 1 "MODEL TAVEK" .. 6 "MODEL ZOREM".
extern const QStringList CSL_MainCentral_Combo;

// Short model names by system type: 0 "", 1 "TAVEK" .. 6 "ZOREM".
extern const QStringList ModelNames;

// Position of the first label equal to `label`; 0 when none is (so "" gives 0 too).
int systemTypeOfLabel(const QString& label);

} // namespace Language
