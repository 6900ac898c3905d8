// Commands 29..35: the phone book, the Contact ID receivers and events, the 4+2 codes and the
// system events.
#include "model/fieldrules.h"
#include "model/lang.h"
#include "platform/dataset.h"
#include "transfer/codec.h"
#include "transfer/codec_layout.h"

namespace Codec {

namespace {
QStringList phoneKinds() {
    return Lang::MSG_PHONEASSIGNED;
}

// Numbers and prefixes as their edit mask allows, as the data module checks them.
FieldSpec phoneText(const char* field) {
    FieldSpec f = text(field, 16);
    f.check = [](const Field& fld, const QString& t) {
        return FieldRules::phoneTextRefusal(fld.editMask, t);
    };
    return f;
}

FieldSpec contactIdCode(const char* field) {
    FieldSpec f = text(field, 3);
    f.check = [](const Field&, const QString& t) { return FieldRules::contactIdCodeRefusal(t); };
    return f;
}
} // namespace

void installReportingCodec() {
    installLayout({29, {{table<&TDM::CDSet_Phone>, 8, {name("_Nome")}}}});
    installLayout({30,
                   {{table<&TDM::CDSet_Phone>,
                     8,
                     {phoneText("_PrefixPSTN"), phoneText("_PrefixGSM"), phoneText("_Tel")}}}});
    installLayout({31,
                   {{table<&TDM::CDSet_Phone>,
                     8,
                     {bitsOf({QStringLiteral("_ConfermaRisposta"), QStringLiteral("_AccessoDiretto"),
                              QStringLiteral("_ResetAutomatico"), QStringLiteral("_TelProg")}),
                      number("_TipoChiamata", 0, 3)}}}});
    installLayout({32,
                   {{table<&TDM::CDSet_ContactID>,
                     8,
                     {name("_Nome"), phoneText("_PrefixPSTN"), phoneText("_PrefixGSM"), phoneText("_Tel"),
                      text("_FPT_Cod", 16)}}}});
    installLayout(
        {33, {{table<&TDM::CDSet_ContactID_Eventi>, 92, {contactIdCode("_CodiceIDC"), bits("_Tel", 1, 8)}}}});
    installLayout({34, {{table<&TDM::CDSet_FPT>, 15, {text("_Code", 2)}}}});
    std::vector<FieldSpec> calls;
    for (int tel = 1; tel <= 8; ++tel)
        calls.push_back(position(QByteArray("_Tel" + QByteArray::number(tel)).constData(), phoneKinds));
    installLayout({35, {{table<&TDM::CDSet_Eventi_Sistema>, 23, calls}}});
}

} // namespace Codec
