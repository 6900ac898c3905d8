// Commands 2..5: expansion modules, keypads, key sockets and their partition LEDs.
#include "transfer/codec.h"
#include "transfer/codec_layout.h"

namespace Codec {

void installPeripheralsCodec() {
    auto expansion = [](TableFn t, int rows) {
        return Block{t, rows, {name("_Nome"), bitsOf({QStringLiteral("_Enable")})}};
    };
    installLayout({CmdConfPeriferal,
                   {expansion(table<&TDM::CDSet_ExpIngressi>, 7), expansion(table<&TDM::CDSet_ExpUscite>, 4),
                    expansion(table<&TDM::CDSet_ExpRadio>, 2), expansion(table<&TDM::CDSet_ExpGSM>, 1),
                    expansion(table<&TDM::CDSet_ExpIP>, 1)}});
    installLayout({3,
                   {{table<&TDM::CDSet_Tastiere>,
                     8,
                     {name("_Nome"),
                      bitsOf({QStringLiteral("_Enable"), QStringLiteral("_Sound1"), QStringLiteral("_Sound2"),
                              QStringLiteral("_Sound3"), QStringLiteral("_Sound4")}),
                      terminal("_M1"), terminal("_M2")}}},
                   3}); // after the input and output names the terminals refer to
    installLayout({4,
                   {{table<&TDM::CDSet_Prese>,
                     8,
                     {name("_Nome"), bitsOf({QStringLiteral("_Enable"), QStringLiteral("_Sound1"),
                                             QStringLiteral("_Sound2"), QStringLiteral("_Sound3")})}}}});
    Block leds{table<&TDM::CDSet_Leds>, 8, {bits("_Led", 1, 4)}};
    leds.masterRows = 8;
    installLayout({5, {leds}});
}

} // namespace Codec
