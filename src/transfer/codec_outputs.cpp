// Commands 14..19: the outputs (function, names, pulse times, words and calls, linked inputs and
// users).
#include "model/lang.h"
#include "transfer/codec.h"
#include "transfer/codec_layout.h"

namespace Codec {

namespace {
int model() {
    return DM ? DM->GetSystemType() : 0;
}
QStringList orEmpty(const QStringList* l) {
    return l ? *l : QStringList();
}
} // namespace

void installOutputsCodec() {
    using namespace Lang;
    installLayout(
        {14,
         {rowsOf<&TDM::CDSet_Uscite>(
             17, {sign(
                      "_FunzioneUscita", [] { return orEmpty(ListaFunzioneUscite(model())); },
                      [] { return orEmpty(ListaFunzioneUsciteSegni(model())); }),
                  sign(
                      "_CondFunzionamento", [] { return orEmpty(ListaCondFunzioneUscite(model())); },
                      [] { return orEmpty(ListaCondFunzioneUsciteSegni(model())); }),
                  sign(
                      "_Polarita", [] { return ListaPolaritaUscite; },
                      [] { return ListaPolaritaUsciteSegni; })})}});
    installLayout({15, {rowsOf<&TDM::CDSet_Uscite>(17, {name("_Nome")})}, 1});
    installLayout({16,
                   {rowsOf<&TDM::CDSet_Uscite>(17, {hourMinSec("_PulseDuration"), hourMinSec("_PulseDelay"),
                                                    bitsOf({QStringLiteral("_AutoReset")})})}});
    installLayout(
        {17,
         {rowsOf<&TDM::CDSet_Uscite>(17, {wordIndex("_IMsg1", "_Msg1"), wordIndex("_IMsg2", "_Msg2"),
                                          wordIndex("_IMsg3", "_Msg3"), wordIndex("_IMsg4", "_Msg4"),
                                          bits("_AssociaTel", 1, 8)})}});
    installLayout(
        {18, {rowsOf<&TDM::CDSet_Uscite>(17, {links("_Uscita_Ingresso", "_Enable", 64, inputNames)})}, 3});
    installLayout(
        {19, {rowsOf<&TDM::CDSet_Uscite>(17, {links("_Uscita_Utente", "_Enable", 64, userNames)})}, 3});
}

} // namespace Codec
