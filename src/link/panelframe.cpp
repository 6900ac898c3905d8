#include "link/panelframe.h"

using namespace PanelProtocol;

TError errorFromRequestConnection(quint8 status) {
    switch (status) {
    case ERR_ADMIN:
        return LOGINADMIN;
    case ERR_USER:
        return LOGINUSER;
    case ERR_LOGOUT:
        return LOGOUT;
    case ERR_USER_KEYBOARD:
        return USER_KEYBOARD;
    case ERR_TELENABLE:
        return TELENABLE;
    default:
        return INVALID_PACKET;
    }
}

const char* terrorName(TError e) {
    static const char* const names[] = {"LOGINADMIN", "LOGINUSER",      "LOGOUT",      "LOGTIMEOUT",
                                        "SENDOK",     "SENDFAULT",      "DATACORRUPT", "USER_KEYBOARD",
                                        "TELENABLE",  "INVALID_PACKET", "REPLY",       "NOCODE"};
    return e <= NOCODE ? names[e] : "?";
}

PanelFrame PanelFrame::request(int command, int part, bool write, const QByteArray& data, bool* ok) {
    const bool valid =
        command >= 0 && command <= MaxCommand && part >= 0 && part <= MaxPart && data.size() <= MaxData;
    if (ok)
        *ok = valid;
    PanelFrame f;
    if (!valid)
        return f;
    f.command1 = quint8(part) | (write ? WriteBit : 0);
    f.command2 = quint8(command);
    f.data = data;
    return f;
}

PanelFrame PanelFrame::replyTo(const PanelFrame& request, const QByteArray& data) {
    PanelFrame f = request;
    f.command2 = quint8(request.command2 | ReplyBit);
    f.data = data;
    return f;
}

quint16 frameCrc16(const char* covered, int size) {
    quint16 crc = 0xFFFF;
    for (int i = 0; i < size; ++i) {
        crc ^= quint16(quint8(covered[i]) << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? quint16((crc << 1) ^ 0x1021) : quint16(crc << 1);
    }
    return crc;
}

QByteArray PanelFrame::encode() const {
    const int n = int(qMin<qsizetype>(data.size(), MaxData));
    QByteArray out;
    out.reserve(Overhead + n);
    out.append(char(STX));
    out.append(char(address));
    out.append(char(n));
    out.append(char(command1));
    out.append(char(command2));
    out.append(char(sequence));
    out.append(data.constData(), n);
    const quint16 crc = frameCrc16(out.constData() + 1, HeaderSize - 1 + n);
    out.append(char(crc >> 8));
    out.append(char(crc & 0xFF));
    out.append(char(ENDTX));
    return out;
}

namespace {

// The size of the complete, intact frame that starts at pos, or 0.
int intactFrameAt(const QByteArray& buf, qsizetype pos) {
    const qsizetype avail = buf.size() - pos;
    if (avail < Overhead)
        return 0;
    const char* p = buf.constData() + pos;
    const int len = quint8(p[2]);
    if (quint8(p[0]) != STX || len > MaxData || avail < Overhead + len)
        return 0;
    const int total = Overhead + len;
    if (quint8(p[total - 1]) != ENDTX)
        return 0;
    const quint16 sent = quint16((quint8(p[HeaderSize + len]) << 8) | quint8(p[HeaderSize + len + 1]));
    return frameCrc16(p + 1, HeaderSize - 1 + len) == sent ? total : 0;
}

PanelFrame parseFrame(const char* p) {
    PanelFrame f;
    f.address = quint8(p[1]);
    f.command1 = quint8(p[3]);
    f.command2 = quint8(p[4]);
    f.sequence = quint8(p[5]);
    f.data = QByteArray(p + HeaderSize, quint8(p[2]));
    return f;
}

// At most this many findings wait to be taken; a flood keeps the newest.
constexpr size_t MaxFound = 16;

} // namespace

void FrameReceiver::feed(const QByteArray& bytes) {
    feed(bytes.constData(), int(bytes.size()));
}

void FrameReceiver::feed(const char* bytes, int size) {
    // In slices: a frame inside a long burst is found before the rest of the burst is judged, and
    // the buffer never holds more than an incomplete candidate plus one slice.
    for (int offset = 0; offset < size; offset += MaxFrame) {
        m_buf.append(bytes + offset, qMin(MaxFrame, size - offset));
        scan();
    }
}

void FrameReceiver::clear() {
    m_buf.clear();
    m_found.clear();
    m_lastRaw.clear();
    m_noise = 0;
}

void FrameReceiver::dropNoise(qsizetype count) {
    if (count <= 0)
        return;
    m_noise += int(count);
    m_buf.remove(0, count);
}

void FrameReceiver::push(Found&& found) {
    m_found.push_back(std::move(found));
    if (m_found.size() > MaxFound)
        m_found.pop_front();
}

void FrameReceiver::scan() {
    for (;;) {
        const qsizetype start = m_buf.indexOf(char(STX));
        if (start < 0) {
            dropNoise(m_buf.size());
            return;
        }
        dropNoise(start);
        if (m_buf.size() < 3)
            return;
        const int len = quint8(m_buf[2]);
        if (len > MaxData) { // cannot start a frame: rescan after this STX
            dropNoise(1);
            continue;
        }
        const int total = Overhead + len;
        if (m_buf.size() < total) {
            // Still incomplete. A stray STX may announce a length that never comes: a complete,
            // intact frame further on shows that this start was noise.
            qsizetype later = m_buf.indexOf(char(STX), 1);
            while (later > 0 && !intactFrameAt(m_buf, later))
                later = m_buf.indexOf(char(STX), later + 1);
            if (later < 0)
                return;
            dropNoise(later);
            continue;
        }
        if (const int size = intactFrameAt(m_buf, 0)) {
            push({Result::Frame, parseFrame(m_buf.constData()), m_buf.left(size)});
            m_buf.remove(0, size);
            continue;
        }
        // A damaged candidate, or noise that began with 0x02: only its STX is spent.
        push({Result::Corrupt, PanelFrame{}, m_buf.left(total)});
        dropNoise(1);
    }
}

FrameReceiver::Result FrameReceiver::next(PanelFrame& out) {
    if (m_found.empty())
        return Result::Incomplete;
    Found found = std::move(m_found.front());
    m_found.pop_front();
    m_lastRaw = std::move(found.raw);
    if (found.result == Result::Frame)
        out = std::move(found.frame);
    return found.result;
}

ReplyKind classifyReply(const PanelFrame& request, const PanelFrame& frame) {
    if (!frame.isReply() || frame.sequence != request.sequence)
        return ReplyKind::Foreign;
    return ReplyKind::Answer;
}

TError checkReplyMatches(const PanelFrame& request, const PanelFrame& reply) {
    if (!reply.isReply() || reply.address != request.address || reply.command() != request.command() ||
        reply.command1 != request.command1 || reply.sequence != request.sequence)
        return INVALID_PACKET;
    // A read is answered with the data it asked for; an empty reply carries nothing to apply.
    if (!request.isWrite() && reply.data.isEmpty())
        return INVALID_PACKET;
    return SENDOK;
}

TError decodeSingleFrame(const QByteArray& bytes, PanelFrame& out) {
    if (bytes.size() < Overhead || bytes.size() > MaxFrame || quint8(bytes[0]) != STX)
        return INVALID_PACKET;
    const int len = quint8(bytes[2]);
    if (len > MaxData || bytes.size() != Overhead + len)
        return INVALID_PACKET;
    if (!intactFrameAt(bytes, 0))
        return DATACORRUPT;
    out = parseFrame(bytes.constData());
    return SENDOK;
}
