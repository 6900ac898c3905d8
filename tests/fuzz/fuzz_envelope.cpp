// The cloud envelope: any bytes as an envelope and as the base64 text of a websocket frame.
// An envelope that decodes encodes back to one that decodes to the same fields.
//
// Built twice: fuzz_envelope takes the bytes as they are, so nearly every mutation stops at the
// CRC; fuzz_envelope_fixed (ENVELOPE_FIXUP) first makes them 263 bytes with the magic, the
// version and a valid CRC-32, so that the kind, the lengths and the frame are what is fuzzed.

#include "link/cloudenvelope.h"
#include "link/panelframe.h"

#include <QtEndian>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
#ifdef ENVELOPE_FIXUP
    bytes = bytes.leftJustified(CloudEnvelope::Size, '\0', true);
    bytes[0] = char(CloudEnvelope::Magic);
    bytes[1] = char(CloudEnvelope::Version);
    qToBigEndian<quint32>(crc32Ieee(bytes.constData(), CloudEnvelope::CrcOffset),
                          bytes.data() + CloudEnvelope::CrcOffset);
    const QByteArray text = bytes.toBase64(); // the text reading gets the same envelope
#else
    const QByteArray& text = bytes;
#endif
    for (int asText = 0; asText < 2; ++asText) {
        CloudEnvelope e;
        const TError r = asText ? CloudEnvelope::fromBase64Text(text, e) : CloudEnvelope::decode(bytes, e);
        if (r != SENDOK)
            continue;
        CloudEnvelope again;
        if (CloudEnvelope::decode(e.encode(), again) != SENDOK || again.kind != e.kind ||
            again.sequence != e.sequence || again.panelId != e.panelId || again.frame != e.frame)
            std::abort();
        // The frame inside, as the cloud link reads it: one that decodes encodes to its bytes.
        PanelFrame frame;
        if (decodeSingleFrame(e.frame, frame) == SENDOK && frame.encode() != e.frame)
            std::abort();
    }
    return 0;
}
