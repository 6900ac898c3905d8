#include "model/language.h"

namespace Language {

const QStringList CSL_MainCentral_Combo = {
    QString(),
    QStringLiteral("MODEL TAVEK"),
    QStringLiteral("MODEL MIRUN"),
    QStringLiteral("MODEL MIRUNPLUS"),
    QStringLiteral("MODEL PELUN"),
    QStringLiteral("MODEL QUANE"),
    QStringLiteral("MODEL ZOREM"),
};

const QStringList ModelNames = {
    QString(),
    QStringLiteral("TAVEK"),
    QStringLiteral("MIRUN"),
    QStringLiteral("MIRUNPLUS"),
    QStringLiteral("PELUN"),
    QStringLiteral("QUANE"),
    QStringLiteral("ZOREM"),
};

int systemTypeOfLabel(const QString& label) {
    for (int i = 0; i < CSL_MainCentral_Combo.size(); ++i) {
        if (CSL_MainCentral_Combo.at(i) == label)
            return i;
    }
    return 0;
}

} // namespace Language
