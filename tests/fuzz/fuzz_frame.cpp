// The panel frame reader: any bytes off the line, fed in pieces. Whatever it takes out as a
// frame must encode back to the bytes it came from, and its buffer stays bounded.

#include "link/panelframe.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    FrameReceiver receiver;
    size_t at = 0;
    while (at < size) {
        // The first byte of each piece says how many bytes follow in it.
        const size_t piece = std::min<size_t>(size - at, 1 + (uchar(bytes[at]) % 97));
        receiver.feed(bytes + at, int(piece));
        at += piece;
        PanelFrame frame;
        for (;;) {
            const FrameReceiver::Result r = receiver.next(frame);
            if (r == FrameReceiver::Result::Incomplete)
                break;
            if (r == FrameReceiver::Result::Frame) {
                PanelFrame again;
                if (frame.data.size() > PanelProtocol::MaxData ||
                    decodeSingleFrame(frame.encode(), again) != SENDOK || !(again == frame))
                    std::abort();
            }
        }
        if (receiver.buffered() > 4 * PanelProtocol::MaxFrame + int(piece))
            std::abort(); // memory must stay bounded whatever arrives
    }
    PanelFrame single;
    decodeSingleFrame(QByteArray(bytes, int(size)), single);
    return 0;
}
