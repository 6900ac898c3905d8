// The cloud envelope: any bytes as an envelope and as the base64 text of a websocket frame.
// An envelope that decodes encodes back to one that decodes to the same fields.

#include "link/cloudenvelope.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    for (int asText = 0; asText < 2; ++asText) {
        CloudEnvelope e;
        const TError r = asText ? CloudEnvelope::fromBase64Text(bytes, e) : CloudEnvelope::decode(bytes, e);
        if (r != SENDOK)
            continue;
        CloudEnvelope again;
        if (CloudEnvelope::decode(e.encode(), again) != SENDOK || again.kind != e.kind ||
            again.sequence != e.sequence || again.panelId != e.panelId || again.frame != e.frame)
            std::abort();
    }
    return 0;
}
