#pragma once
// The fixed 263-byte wrapper of a panel frame on the cloud link; travels as the base64 text of a
// websocket text frame. Layout (multi-byte numbers big-endian):
//   0      magic 0x5A ('Z')
//   1      layout version, 2
//   2      kind: 1 request (program -> panel), 2 reply (panel -> program)
//   3..4   sequence number of the request; a reply repeats it
//   5..36  panel identifier, 32 ASCII characters
//   37     length of the frame that follows, 9..73
//   38..110 the panel frame, zero-padded to 73 bytes
//   111..258 reserved, zero
//   259..262 CRC-32 (IEEE 802.3, as zlib's crc32) of bytes 0..258
#include "link/linktypes.h"

#include <QByteArray>
#include <QString>

struct CloudEnvelope {
    static constexpr int Size = 263;
    static constexpr quint8 Magic = 0x5A;
    static constexpr quint8 Version = 2;
    static constexpr int IdSize = 32;
    static constexpr int FrameOffset = 38;
    static constexpr int FrameArea = 73; // PanelProtocol::MaxFrame
    static constexpr int CrcOffset = 259;
    enum Kind : quint8 { Request = 1, Reply = 2 };

    Kind kind = Request;
    quint16 sequence = 0;
    QByteArray panelId; // 32 ASCII characters
    QByteArray frame;   // one encoded PanelFrame

    QByteArray encode() const; // exactly Size bytes; frame longer than FrameArea is refused (empty)
    QByteArray toBase64Text() const { return encode().toBase64(); }
    // SENDOK, or DATACORRUPT for a damaged envelope (size, magic, version, CRC, lengths).
    static TError decode(const QByteArray& bytes, CloudEnvelope& out);
    static TError fromBase64Text(const QByteArray& text, CloudEnvelope& out);
};

quint32 crc32Ieee(const char* data, int size);

// Whether an identifier can travel in the upgrade request and the envelope: 32 characters from
// 0-9, A-Z, a-z.
bool isValidPanelId(const QString& id);
