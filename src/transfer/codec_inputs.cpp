// Commands 6..13: the inputs (wiring, function, names, partitions, times, words, options) and
// the adaptation of the onboard inputs.
#include "model/lang.h"
#include "transfer/codec.h"
#include "transfer/codec_layout.h"

namespace Codec {

namespace {
QStringList phoneKinds() {
    return Lang::MSG_PHONEASSIGNED;
}
} // namespace

void installInputsCodec() {
    using namespace Lang;
    installLayout(
        {CmdIngressiTipo,
         {rowsOf<&TDM::CDSet_Ingressi>(64, {sign(
                                               "_TipoIngresso", [] { return ListaTipoIngresso_TAVEK_MIRUN; },
                                               [] { return ListaTipoIngressoSegni_TAVEK_MIRUN; })})}});
    installLayout(
        {7,
         {rowsOf<&TDM::CDSet_Ingressi>(64, {sign(
                                                "_FuncIngresso", [] { return ListaFunzioniIngresso; },
                                                [] { return ListaFunzioniIngressoSegni; }),
                                            sign(
                                                "_AttSirIngresso", [] { return ListaSirenaIngresso; },
                                                [] { return ListaSirenaIngressoSegni; }),
                                            sign(
                                                "_TipoNc", [] { return ListaPolaritaIngressi; },
                                                [] { return ListaPolaritaIngressiSegni; })})}});
    installLayout({8, {rowsOf<&TDM::CDSet_Ingressi>(64, {name("_Nome")})}, 1});
    installLayout({9, {rowsOf<&TDM::CDSet_Ingressi>(64, {bits("_Pz", 1, 8)})}});
    installLayout({10,
                   {rowsOf<&TDM::CDSet_Ingressi>(64, {number("_TimeInIngresso", 0, 240),
                                                      number("_ImpulsiIngresso", 0, 100),
                                                      number("_CicliEsclusione", 0, 10)})}});
    installLayout(
        {11,
         {rowsOf<&TDM::CDSet_Ingressi>(64, {wordIndex("_IMsg1", "_Msg1"), wordIndex("_IMsg2", "_Msg2"),
                                            wordIndex("_IMsg3", "_Msg3"), wordIndex("_IMsg4", "_Msg4")})}});
    std::vector<FieldSpec> options{
        bitsOf({QStringLiteral("_Test"), QStringLiteral("_BloccoEx"), QStringLiteral("_AutoEx"),
                QStringLiteral("_BuzzTast"), QStringLiteral("_Reinclusion")})};
    for (int tel = 1; tel <= 8; ++tel)
        options.push_back(
            position(QByteArray("_TipoChiamataTel" + QByteArray::number(tel)).constData(), phoneKinds));
    // The user an input belongs to, by number (0: none), with the user's name in `_LinkUser`.
    FieldSpec user = number("_LinkUserID", 0, 64);
    user.list = [] { return QStringList{QString()} + userNames(); };
    user.companion = QStringLiteral("_LinkUser");
    options.push_back(user);
    options.push_back(text("_FPT_AllZona", 2));
    options.push_back(text("_FPT_RipAllZona", 2));
    options.push_back(text("_FPT_CodEscZona", 2));
    installLayout({12,
                   {rowsOf<&TDM::CDSet_Ingressi>(64, std::move(options))},
                   3}); // after the user names `_LinkUser` follows
    installLayout({13, {{table<&TDM::CDSet_Adattamento>, 8, {numberText("_Adattamento", -200, 200)}}}});
}

} // namespace Codec
