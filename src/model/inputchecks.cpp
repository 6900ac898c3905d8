// Refusal of typed values that the panel could not take as they are: they are caught when
// they are written, whoever writes them, so a bad value never replaces a good one.
#include "model/datamodule.h"
#include "model/fieldrules.h"
#include "model/ip4text.h"
#include "platform/dataset.h"
#include "platform/editmask.h"

namespace FieldRules {

QString phoneTextRefusal(const QString& editMask, const QString& text) {
    const EditMask mask(editMask);
    if (mask.isEmpty() || text.isEmpty())
        return {};
    int inputs = 0;
    for (int pos = 0; pos < mask.length(); ++pos)
        inputs += mask.isLiteral(pos) ? 0 : 1;
    if (text.size() > inputs)
        return QStringLiteral("Valore troppo lungo: \"%1\" (al massimo %2 caratteri)").arg(text).arg(inputs);
    // A number or prefix: a digit or a sign first, then digits (blanks are empty places).
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool sign = i == 0 && (c == QLatin1Char('+') || c == QLatin1Char('-'));
        const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        if (!digit && !sign && c != QLatin1Char(' '))
            return QStringLiteral("Valore non valido: \"%1\" (carattere '%2' non ammesso; solo cifre, "
                                  "con un segno + o - in testa)")
                .arg(text, c);
    }
    return {};
}

QString contactIdCodeRefusal(const QString& code) {
    bool ok = false;
    const int value = code.toInt(&ok);
    if (code.size() == 3 && ok && value >= 100 && value <= 999)
        return {};
    return QStringLiteral("Codice Contact ID non valido: \"%1\" (ammessi da 100 a 999)").arg(code);
}

QString ip4AddressRefusal(const QString& text) {
    const QString usage =
        QStringLiteral("scrivere quattro numeri da 0 a 255 separati da punti, es. 192.168.1.10");
    try {
        StringToIP4Addr(text);
    } catch (const IP4ConvertError&) {
        return QStringLiteral("Indirizzo IP non valido: \"%1\"\n%2").arg(text, usage);
    }
    // The conversion reads a part above 255 as 0: the panel would get another address
    // than the one shown.
    for (const QString& part : text.split(QLatin1Char('.'))) {
        bool ok = false;
        if (part.trimmed().toInt(&ok) > 255 && ok)
            return QStringLiteral("Indirizzo IP non valido: \"%1\"\n%2").arg(text, usage);
    }
    return {};
}

namespace {
void refuseWith(const QString& reason) {
    if (!reason.isEmpty())
        throw DataSetError(reason);
}
} // namespace

void installInputChecks(TDM& dm) {
    for (DataSet* table : {dm.CDSet_Phone, dm.CDSet_ContactID}) {
        for (const char* name : {"_PrefixPSTN", "_PrefixGSM", "_Tel"}) {
            table->fieldByName(QString::fromLatin1(name)).onValidate = [](Field& f) {
                refuseWith(phoneTextRefusal(f.editMask, f.asString()));
            };
        }
    }
    dm.CDSet_ContactID_Eventi->fieldByName(QStringLiteral("_CodiceIDC")).onValidate = [](Field& f) {
        refuseWith(contactIdCodeRefusal(f.asString()));
    };
    for (const char* name :
         {"_Net_LocalIPAddress", "_Net_LocalSubAddress", "_Net_LocalGwAddress", "_Net_DNS1", "_Net_DNS2"}) {
        dm.CDSet_Tabulon->fieldByName(QString::fromLatin1(name)).onValidate = [](Field& f) {
            refuseWith(ip4AddressRefusal(f.asString()));
        };
    }
}

} // namespace FieldRules
