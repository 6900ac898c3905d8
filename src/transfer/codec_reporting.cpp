// Commands 29..35: the phone book, the Contact ID receivers and events, the 4+2 codes and the
// system events.
#include "model/lang.h"
#include "transfer/codec.h"
#include "transfer/codec_layout.h"

namespace Codec {

namespace {
QStringList phoneKinds() {
    return Lang::MSG_PHONEASSIGNED;
}
} // namespace

void installReportingCodec() {
    installLayout({29, {{table<&TDM::CDSet_Phone>, 8, {name("_Nome")}}}});
    installLayout({30,
                   {{table<&TDM::CDSet_Phone>,
                     8,
                     {text("_PrefixPSTN", 16), text("_PrefixGSM", 16), text("_Tel", 16)}}}});
    installLayout({31,
                   {{table<&TDM::CDSet_Phone>,
                     8,
                     {bitsOf({QStringLiteral("_ConfermaRisposta"), QStringLiteral("_AccessoDiretto"),
                              QStringLiteral("_ResetAutomatico"), QStringLiteral("_TelProg")}),
                      number("_TipoChiamata", 0, 3)}}}});
    installLayout({32,
                   {{table<&TDM::CDSet_ContactID>,
                     8,
                     {name("_Nome"), text("_PrefixPSTN", 16), text("_PrefixGSM", 16), text("_Tel", 16),
                      text("_FPT_Cod", 16)}}}});
    installLayout(
        {33, {{table<&TDM::CDSet_ContactID_Eventi>, 92, {text("_CodiceIDC", 3), bits("_Tel", 1, 8)}}}});
    installLayout({34, {{table<&TDM::CDSet_FPT>, 15, {text("_Code", 2)}}}});
    std::vector<FieldSpec> calls;
    for (int tel = 1; tel <= 8; ++tel)
        calls.push_back(position(QByteArray("_Tel" + QByteArray::number(tel)).constData(), phoneKinds));
    installLayout({35, {{table<&TDM::CDSet_Eventi_Sistema>, 23, calls}}});
}

} // namespace Codec
