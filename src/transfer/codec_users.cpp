// Commands 20..28: users, partitions with their zones, groups with their partitions, and the
// account number of each program.
#include "model/lang.h"
#include "transfer/codec.h"
#include "transfer/codec_layout.h"

namespace Codec {

namespace {} // namespace

void installUsersCodec() {
    installLayout({20, {rowsOf<&TDM::CDSet_Utenti>(64, {name("_Nome")})}, 1});
    installLayout({21, {rowsOf<&TDM::CDSet_Utenti>(64, {digits("_Codice")})}});
    installLayout({22, {rowsOf<&TDM::CDSet_Utenti>(64, {bits("_Pz", 1, 8), bits("_Grp", 1, 4)})}});
    installLayout(
        {23,
         {rowsOf<&TDM::CDSet_Utenti>(
             64, {position("_TipolUtenti", [] { return Lang::ComboItems(QStringLiteral("DBComboBox14")); }),
                  text("_FPT_Ins", 2), text("_FPT_Dis", 2)})}});
    installLayout({24, {rowsOf<&TDM::CDSet_Parziali>(8, {name("_Nome")})}, 1});
    installLayout({25,
                   {rowsOf<&TDM::CDSet_Parziali>(
                       8, {word16("_TempoUscita", 0, 32767), wordIndex("_IMsg1", "_Msg1")})}});
    installLayout({26, {rowsOf<&TDM::CDSet_Parziali>(8, {links("_Zone", "_Enabled", 64, inputNames)})}, 3});
    installLayout({27,
                   {{table<&TDM::CDSet_Group>,
                     4,
                     {name("_Nome"), bitsOf({QStringLiteral("_Enable")}), wordIndex("_IMsg1", "_Msg1"),
                      wordIndex("_IMsg2", "_Msg2"), wordIndex("_IMsg3", "_Msg3"),
                      wordIndex("_IMsg4", "_Msg4"), links("_Parzial", "_Enable", 8, partitionNames)}}},
                   3});
    Block accounts = installationRow({});
    for (int p = 1; p <= 8; ++p)
        accounts.fields.push_back(
            text(QByteArray("_ContactID_IDImp" + QByteArray::number(p)).constData(), 8));
    installLayout({28, {accounts}});
}

} // namespace Codec
