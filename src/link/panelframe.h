#pragma once
// The panel frame as it travels on the serial line and inside a cloud envelope:
//   STX 0x02 | ADDRESS 0x00 | DATALENGTH | COMMAND1 | COMMAND2 | DATA (DATALENGTH bytes) | CHKSUM | ENDTX
//   0x03
// DATALENGTH counts the DATA bytes only (0..64). COMMAND1 bit 7 marks a write, bits 0..6 the
// part index (0-based). CHKSUM makes the byte sum of ADDRESS..CHKSUM zero modulo 256.
#include "link/linktypes.h"

#include <QByteArray>

namespace PanelProtocol {
constexpr quint8 STX = 0x02;
constexpr quint8 ADDRESS = 0x00;
constexpr quint8 ENDTX = 0x03;
constexpr int MaxData = 64;
constexpr int Overhead = 7; // STX, ADDRESS, DATALENGTH, COMMAND1, COMMAND2, CHKSUM, ENDTX
constexpr int MaxFrame = Overhead + MaxData;
constexpr quint8 WriteBit = 0x80;
constexpr quint8 PartMask = 0x7F;
constexpr int MaxPart = 127;
} // namespace PanelProtocol

struct PanelFrame {
    quint8 address = PanelProtocol::ADDRESS;
    quint8 command1 = 0; // bit 7 write, bits 0..6 part
    quint8 command2 = 0; // command number
    QByteArray data;     // at most 64 bytes

    bool isWrite() const { return command1 & PanelProtocol::WriteBit; }
    int part() const { return command1 & PanelProtocol::PartMask; }
    int command() const { return command2; }

    // A request frame; data longer than 64 bytes or a part past 127 gives an empty optional
    // through ok=false (the caller's bug, never sent).
    static PanelFrame request(int command, int part, bool write, const QByteArray& data, bool* ok = nullptr);
    // The bytes on the line. Data past 64 bytes is never encoded (see request()).
    QByteArray encode() const;
    bool operator==(const PanelFrame&) const = default;
};

// Checksum over ADDRESS, DATALENGTH, COMMAND1, COMMAND2 and DATA: the two's complement of their
// byte sum, so that the covered bytes plus CHKSUM add up to 0 modulo 256.
quint8 frameChecksum(const char* covered, int size);

// Incremental reader of the bytes that come off the line. Bytes before an STX are noise; a
// DATALENGTH above 64 cannot start a frame, so that STX is dropped and the hunt goes on. Memory
// stays bounded whatever arrives.
class FrameReceiver {
public:
    enum class Result { Incomplete, Frame, Corrupt };
    void feed(const QByteArray& bytes);
    void feed(const char* bytes, int size);
    // Takes the next complete frame out of the buffer. Corrupt: a frame-sized candidate with a
    // wrong ENDTX or checksum was consumed; its raw bytes are in lastRaw().
    Result next(PanelFrame& out);
    void clear();
    int noiseBytes() const { return m_noise; }
    int buffered() const { return int(m_buf.size()); }
    const QByteArray& lastRaw() const { return m_lastRaw; }

private:
    QByteArray m_buf;
    QByteArray m_lastRaw;
    int m_noise = 0;
};

// Whether a well-formed reply answers the request: same address, command, part and direction.
// SENDOK when it does, INVALID_PACKET otherwise.
TError checkReplyMatches(const PanelFrame& request, const PanelFrame& reply);

// Decodes exactly one frame from bytes (used for cloud envelopes): SENDOK, DATACORRUPT, or
// INVALID_PACKET when the bytes are not one frame at all.
TError decodeSingleFrame(const QByteArray& bytes, PanelFrame& out);

// Line time of n bytes at 19200 baud, 8N1 (10 bits a byte), in microseconds.
constexpr qint64 lineTimeMicros(int bytes) {
    return (qint64(bytes) * 10 * 1000000 + 19199) / 19200;
}
