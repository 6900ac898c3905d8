// Commands 57..62: the radio devices of both ranges: names and types, channel associations and
// supervision, options of the 800-range devices, and the levels the panel last measured.
#include "model/lang.h"
#include "transfer/codec.h"
#include "transfer/codec_layout.h"

namespace Codec {

namespace {

// A device type whose name field follows it.
FieldSpec typeOf(ListFn names) {
    FieldSpec f = number("_Tipo", 0, 9);
    f.list = names;
    f.companion = QStringLiteral("_NomeDevice");
    return f;
}

// The radio input of channel n, with the input's name in `_InputN`.
std::vector<FieldSpec> channels() {
    std::vector<FieldSpec> v;
    for (int n = 1; n <= 5; ++n) {
        FieldSpec f = number(QByteArray("_In" + QByteArray::number(n)).constData(), 0, 64);
        f.list = [] { return QStringList{QString()} + inputNames(); };
        f.companion = QStringLiteral("_Input") + QString::number(n);
        v.push_back(f);
    }
    return v;
}

} // namespace

void installRadioCodec() {
    installLayout(
        {57,
         {rowsOf<&TDM::CDSet_DeviceRadio>(64, {name("_Nome"), typeOf([] { return Lang::CSL_DEVRADIO; })})},
         1});
    std::vector<FieldSpec> codes400{number("_Supervisione", 0, 255)};
    for (const FieldSpec& f : channels())
        codes400.push_back(f);
    installLayout({58, {rowsOf<&TDM::CDSet_DeviceRadio>(64, codes400)}, 3});
    installLayout(
        {59, {rowsOf<&TDM::CDSet_DeviceRadio>(64, {number("_Batt", 0, 255), number("_Segnale", 0, 255)})}});

    installLayout(
        {60,
         {rowsOf<&TDM::CDSet_DeviceRadio800>(
             112, {name("_Nome"), typeOf([] { return Lang::CSL_DEV_800_RADIO; }), text("_ID_Radio", 10)})},
         1});
    std::vector<FieldSpec> options{
        number("_RemCrt_User", 0, 255),
        bitsOf({QStringLiteral("_RemCrt_Led"), QStringLiteral("_RemCrt_WakeUp"),
                QStringLiteral("_RemCrt_PanicOn"), QStringLiteral("_RemCrt_PanicOff"),
                QStringLiteral("_RemCrt_TestMode"), QStringLiteral("_RemCrt_Buzzer"),
                QStringLiteral("_RemCrt_DoubleImp")}),
        number("_RemCrt_Switch", 0, 255), number("_RemCrt_Sensibility", 0, 255)};
    // Lamps of the four keys, two keys a byte.
    options.push_back(bitsOf({QStringLiteral("_RemCrt_T1_Led1"), QStringLiteral("_RemCrt_T1_Led2"),
                              QStringLiteral("_RemCrt_T1_Led3"), QStringLiteral("_RemCrt_T1_Led4"),
                              QStringLiteral("_RemCrt_T2_Led1"), QStringLiteral("_RemCrt_T2_Led2"),
                              QStringLiteral("_RemCrt_T2_Led3"), QStringLiteral("_RemCrt_T2_Led4")}));
    options.push_back(bitsOf({QStringLiteral("_RemCrt_T3_Led1"), QStringLiteral("_RemCrt_T3_Led2"),
                              QStringLiteral("_RemCrt_T3_Led3"), QStringLiteral("_RemCrt_T3_Led4"),
                              QStringLiteral("_RemCrt_T4_Led1"), QStringLiteral("_RemCrt_T4_Led2"),
                              QStringLiteral("_RemCrt_T4_Led3"), QStringLiteral("_RemCrt_T4_Led4")}));
    for (int k = 1; k <= 4; ++k)
        options.push_back(number(QByteArray("_RemCrt_OutT" + QByteArray::number(k)).constData(), 0, 255));
    for (int k = 1; k <= 4; ++k)
        options.push_back(number(QByteArray("_RemCrt_ONOFF_OUT" + QByteArray::number(k)).constData(), 0, 3));
    for (int k = 1; k <= 4; ++k)
        options.push_back(number(QByteArray("_RemCrt_ONOFF_PRG" + QByteArray::number(k)).constData(), 0, 2));
    for (int k = 1; k <= 4; ++k)
        options.push_back(bits(QByteArray("_RemCrt_T" + QByteArray::number(k) + "P").constData(), 1, 8));
    for (const FieldSpec& f : channels())
        options.push_back(f);
    for (int n = 1; n <= 5; ++n)
        options.push_back(number(QByteArray("_InAssociato" + QByteArray::number(n)).constData(), 0, 255));
    installLayout({61, {rowsOf<&TDM::CDSet_DeviceRadio800>(112, options)}, 3});
    installLayout(
        {62,
         {rowsOf<&TDM::CDSet_DeviceRadio800>(112, {number("_Batt", 0, 255), number("_Segnale", 0, 255)})}});
}

} // namespace Codec
