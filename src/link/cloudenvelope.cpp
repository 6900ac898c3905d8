#include "link/cloudenvelope.h"

#include "link/panelframe.h"

#include <QtEndian>
#include <array>

static_assert(CloudEnvelope::FrameArea == PanelProtocol::MaxFrame, "an envelope carries any frame");

quint32 crc32Ieee(const char* data, int size) {
    static const auto table = [] {
        std::array<quint32, 256> t{};
        for (quint32 i = 0; i < 256; ++i) {
            quint32 c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    quint32 crc = 0xFFFFFFFFu;
    for (int i = 0; i < size; ++i)
        crc = table[(crc ^ quint8(data[i])) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

bool isValidPanelId(const QString& id) {
    if (id.size() != CloudEnvelope::IdSize)
        return false;
    for (const QChar c : id) {
        const char16_t u = c.unicode();
        if (!((u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z')))
            return false;
    }
    return true;
}

QByteArray CloudEnvelope::encode() const {
    if (frame.size() > FrameArea || panelId.size() > IdSize)
        return {};
    QByteArray out(Size, '\0');
    char* p = out.data();
    p[0] = char(Magic);
    p[1] = char(Version);
    p[2] = char(kind);
    qToBigEndian<quint16>(sequence, p + 3);
    memcpy(p + 5, panelId.constData(), size_t(panelId.size()));
    p[37] = char(frame.size());
    memcpy(p + FrameOffset, frame.constData(), size_t(frame.size()));
    qToBigEndian<quint32>(crc32Ieee(p, CrcOffset), p + CrcOffset);
    return out;
}

TError CloudEnvelope::decode(const QByteArray& bytes, CloudEnvelope& out) {
    if (bytes.size() != Size)
        return DATACORRUPT;
    const char* p = bytes.constData();
    if (quint8(p[0]) != Magic || quint8(p[1]) != Version)
        return DATACORRUPT;
    if (qFromBigEndian<quint32>(p + CrcOffset) != crc32Ieee(p, CrcOffset))
        return DATACORRUPT;
    const quint8 kind = quint8(p[2]);
    const int len = quint8(p[37]);
    if ((kind != Request && kind != Reply) || len < PanelProtocol::Overhead || len > FrameArea)
        return DATACORRUPT;
    out.kind = Kind(kind);
    out.sequence = qFromBigEndian<quint16>(p + 3);
    out.panelId = QByteArray(p + 5, IdSize);
    out.frame = QByteArray(p + FrameOffset, len);
    return SENDOK;
}

TError CloudEnvelope::fromBase64Text(const QByteArray& text, CloudEnvelope& out) {
    const auto decoded =
        QByteArray::fromBase64Encoding(text.trimmed(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return DATACORRUPT;
    return decode(*decoded, out);
}
