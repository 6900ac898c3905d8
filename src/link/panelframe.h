#pragma once
// The panel frame as it travels on the serial line and inside a cloud envelope:
//   STX 0x02 | ADDRESS 0x00 | DATALENGTH | COMMAND1 | COMMAND2 | SEQUENCE | DATA | CHKSUM (2) | ENDTX 0x03
// DATALENGTH counts the DATA bytes only (0..64). COMMAND1 bit 7 marks a write, bits 0..6 the part
// index (0-based). COMMAND2 bits 0..6 hold the command number; bit 7 is the reply marker, set by
// the panel in every reply, so an echo of a request is never read as its answer. SEQUENCE is
// chosen by the program for every attempt and repeated by the reply, so a late reply to an
// earlier attempt is told apart. CHKSUM is the CRC-16 of ADDRESS..DATA, high byte first.
#include "link/linktypes.h"

#include <QByteArray>
#include <deque>

namespace PanelProtocol {
constexpr quint8 STX = 0x02;
constexpr quint8 ADDRESS = 0x00;
constexpr quint8 ENDTX = 0x03;
constexpr int MaxData = 64;
// STX, ADDRESS, DATALENGTH, COMMAND1, COMMAND2, SEQUENCE, two CHKSUM bytes, ENDTX.
constexpr int Overhead = 9;
constexpr int HeaderSize = 6; // STX..SEQUENCE: DATA starts here
constexpr int MaxFrame = Overhead + MaxData;
constexpr quint8 WriteBit = 0x80;
constexpr quint8 PartMask = 0x7F;
constexpr quint8 ReplyBit = 0x80;
constexpr quint8 CommandMask = 0x7F;
constexpr int MaxPart = 127;
constexpr int MaxCommand = 127;
} // namespace PanelProtocol

struct PanelFrame {
    quint8 address = PanelProtocol::ADDRESS;
    quint8 command1 = 0; // bit 7 write, bits 0..6 part
    quint8 command2 = 0; // bit 7 reply marker, bits 0..6 command number
    quint8 sequence = 0; // the attempt this frame belongs to; a reply repeats its request's
    QByteArray data;     // at most 64 bytes

    bool isWrite() const { return command1 & PanelProtocol::WriteBit; }
    bool isReply() const { return command2 & PanelProtocol::ReplyBit; }
    int part() const { return command1 & PanelProtocol::PartMask; }
    int command() const { return command2 & PanelProtocol::CommandMask; }

    // A request frame. Data longer than 64 bytes, a part past 127 or a command past 127 cannot be
    // framed: ok is set false and the frame returned must not be sent.
    static PanelFrame request(int command, int part, bool write, const QByteArray& data, bool* ok = nullptr);
    // The panel's reply to a request: same address, direction, part, command and sequence, with
    // the reply marker set.
    static PanelFrame replyTo(const PanelFrame& request, const QByteArray& data);
    // The bytes on the line. Data past 64 bytes is never encoded (see request()).
    QByteArray encode() const;
    bool operator==(const PanelFrame&) const = default;
};

// CRC-16 (polynomial 0x1021, initial value 0xFFFF, no reflection) over ADDRESS..DATA. Unlike a
// byte sum it also catches swapped bytes and damage that compensates itself.
quint16 frameCrc16(const char* covered, int size);

// Incremental reader of the bytes that come off the line. Bytes before an STX are noise. A
// candidate whose length is impossible, or whose CRC or end byte is wrong, costs only its STX:
// the reader rescans from the byte after it, so a stray 0x02 or a burst of noise never hides a
// good frame behind it. While a candidate is still incomplete, a complete valid frame further on
// is taken at once (the candidate was noise). Memory stays bounded whatever arrives.
class FrameReceiver {
public:
    enum class Result { Incomplete, Frame, Corrupt };
    void feed(const QByteArray& bytes);
    void feed(const char* bytes, int size);
    // The next thing found, oldest first: a frame, or a damaged candidate (its bytes in
    // lastRaw()). Incomplete when nothing more can be told yet.
    Result next(PanelFrame& out);
    void clear();
    int noiseBytes() const { return m_noise; }
    int buffered() const { return int(m_buf.size()); }
    // The bytes of a frame begun but not complete yet (empty when none is).
    const QByteArray& pending() const { return m_buf; }
    const QByteArray& lastRaw() const { return m_lastRaw; }

private:
    struct Found {
        Result result;
        PanelFrame frame;
        QByteArray raw;
    };
    void scan();
    void push(Found&& found);
    void dropNoise(qsizetype count);

    QByteArray m_buf;
    std::deque<Found> m_found;
    QByteArray m_lastRaw;
    int m_noise = 0;
};

// Whether a frame answers the request: the reply marker, the same address, command, part,
// direction and sequence; a reply to a read must carry data. SENDOK when it does,
// INVALID_PACKET otherwise.
TError checkReplyMatches(const PanelFrame& request, const PanelFrame& reply);
// How a well-formed frame read while waiting for a reply relates to the request.
enum class ReplyKind {
    Answer,  // the reply to this attempt (it may still be refused by checkReplyMatches)
    Foreign, // a request (an echo of ours) or a reply to an earlier attempt: ignored
};
ReplyKind classifyReply(const PanelFrame& request, const PanelFrame& frame);

// Decodes exactly one frame from bytes (used for cloud envelopes): SENDOK, DATACORRUPT, or
// INVALID_PACKET when the bytes are not one frame at all.
TError decodeSingleFrame(const QByteArray& bytes, PanelFrame& out);

// Line time of n bytes at 19200 baud, 8N1 (10 bits a byte), in microseconds.
constexpr qint64 lineTimeMicros(int bytes) {
    return (qint64(bytes) * 10 * 1000000 + 19199) / 19200;
}
