// The live status: parts 2..6 of CmdStateCentral, written into the status frame through
// PanelStatusSink. The live-status job (tab code 100) reads command 1 again and again, one
// part a sequencer tick, until the stop job (101) replaces it.
//   part 2, 16 bytes: 0 general lamps (bit 0 central tamper, 1 line tamper, 2 peripheral
//     tamper, 3 mains failure); 1..8 inputs 1..64 (bit 0 of byte 1 = input 1); 9..11 outputs
//     1..17; 12 battery in steps 0..5 (20 % each); 13 GSM signal in steps 0..4 (25 % each);
//     14..15 zero
//   part 3, 32 bytes: GSM operator, GSM credit: two 16-byte slots
//   part 4, 64 bytes: one byte per 400-range device: bit 0 tamper, 1 not supervised,
//     2..6 channels 1..5
//   part 5, 64 bytes: one byte per 400-range device: high nibble battery, low nibble signal,
//     each 0..10 (10 % a step)
//   part 6, 61 bytes: a window of 15 800-range devices, record first+1..first+15 (devices
//     past 112 ignored): byte 0 first (0..111), then 4 bytes each: flags Tamp, Sup, Led1..Led6
//     (bits 0..7), flag Led7 (bit 0), battery %, signal %
#include "transfer/codec_livestatus.h"
#include "link/wiretext.h"
#include "model/datamodule.h"
#include "transfer/codec.h"
#include "transfer/panelstatus.h"

namespace Codec {

namespace {

constexpr int PartSizes[5] = {16, 32, 64, 64, 61};

bool bit(const QByteArray& p, int byte, int bitNo) {
    return (quint8(p[byte]) >> bitNo) & 1;
}

void writeGeneral(PanelStatusSink& s, const QByteArray& p) {
    for (int l = 0; l < 4; ++l)
        s.setStatusLamp(PanelStatusSink::StatusLamp(l), bit(p, 0, l));
    for (int i = 0; i < PanelStatusSink::kInputs; ++i)
        s.setInputLamp(i, bit(p, 1 + i / 8, i % 8));
    for (int o = 0; o < PanelStatusSink::kOutputs; ++o)
        s.setOutputLamp(o, bit(p, 9 + o / 8, o % 8));
    s.setBattery(quint8(p[12]) * 20);
    s.setGsmSignal(quint8(p[13]) * 25);
}

void write400(PanelStatusSink& s, const QByteArray& lamps, const QByteArray& levels) {
    for (int d = 0; d < PanelStatusSink::kRadio400; ++d) {
        for (int l = 0; l < 7; ++l)
            s.setRadio400Lamp(d, PanelStatusSink::Radio400Lamp(l), bit(lamps, d, l));
        const quint8 v = quint8(levels[d]);
        s.setRadio400Levels(d, (v >> 4) * 10, (v & 0x0F) * 10);
    }
}

void write800(PanelStatusSink& s, const QByteArray& p) {
    const int first = quint8(p[0]);
    for (int i = 0; i < 15; ++i) {
        int kind = 0, slot = 0;
        if (!TDM::device800Slot(first + i + 1, &kind, &slot))
            continue;
        const char* d = p.constData() + 1 + i * 4;
        const auto k = PanelStatusSink::Radio800Kind(kind);
        const int flags = quint8(d[0]) | (quint8(d[1]) & 1) << 8;
        for (int f = 0; f < 9; ++f)
            s.setRadio800Flag(k, slot, PanelStatusSink::Radio800Flag(f), (flags >> f) & 1);
        s.setRadio800Levels(k, slot, quint8(d[2]), quint8(d[3]));
    }
}

} // namespace

TError decodeLiveStatus(const std::array<QByteArray, 5>& parts) {
    for (int i = 0; i < 5; ++i)
        if (parts[size_t(i)].size() != PartSizes[i])
            return DATACORRUPT;
    PanelStatusSink* s = panelStatusSink();
    if (!s)
        return SENDOK; // no frame to show it: decoded and dropped
    s->beginUpdate();
    writeGeneral(*s, parts[0]);
    s->setGsmOperator(fromWireSlot(parts[1].left(16)));
    s->setGsmCredit(fromWireSlot(parts[1].mid(16, 16)));
    write400(*s, parts[2], parts[3]);
    write800(*s, parts[4]);
    s->endUpdate();
    return SENDOK;
}

int liveStatusPartSize(int part) {
    return part >= 2 && part <= 6 ? PartSizes[part - 2] : 0;
}

void installLiveStatusCodec() {
    LiveStatusDecoder = decodeLiveStatus;
}

} // namespace Codec
