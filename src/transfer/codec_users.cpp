// Commands 20..28: users, partitions with their zones, groups with their partitions, and the
// account number of each program.
#include "model/lang.h"
#include "transfer/codec.h"
#include "transfer/codec_layout.h"

namespace Codec {

namespace {
Block users(std::vector<FieldSpec> fields) {
    return Block{table<&TDM::CDSet_Utenti>, 64, std::move(fields)};
}
Block partitions(std::vector<FieldSpec> fields) {
    return Block{table<&TDM::CDSet_Parziali>, 8, std::move(fields)};
}
} // namespace

void installUsersCodec() {
    installLayout({20, {users({name("_Nome")})}, 1});
    installLayout({21, {users({digits("_Codice")})}});
    installLayout({22, {users({bits("_Pz", 1, 8), bits("_Grp", 1, 4)})}});
    installLayout(
        {23,
         {users({position("_TipolUtenti", [] { return Lang::ComboItems(QStringLiteral("DBComboBox14")); }),
                 text("_FPT_Ins", 2), text("_FPT_Dis", 2)})}});
    installLayout({24, {partitions({name("_Nome")})}, 1});
    installLayout({25, {partitions({word16("_TempoUscita", 0, 32767), wordIndex("_IMsg1", "_Msg1")})}});
    installLayout({26, {partitions({links("_Zone", "_Enabled", 64, inputNames)})}, 3});
    installLayout({27,
                   {{table<&TDM::CDSet_Group>,
                     4,
                     {name("_Nome"), bitsOf({QStringLiteral("_Enable")}), wordIndex("_IMsg1", "_Msg1"),
                      wordIndex("_IMsg2", "_Msg2"), wordIndex("_IMsg3", "_Msg3"),
                      wordIndex("_IMsg4", "_Msg4"), links("_Parzial", "_Enable", 8, partitionNames)}}},
                   3});
    Block accounts{table<&TDM::CDSet_Tabulon>, 1, {}};
    accounts.currentRow = true;
    for (int p = 1; p <= 8; ++p)
        accounts.fields.push_back(
            text(QByteArray("_ContactID_IDImp" + QByteArray::number(p)).constData(), 8));
    installLayout({28, {accounts}});
}

} // namespace Codec
