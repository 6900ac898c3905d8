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
                                        "TELENABLE",  "INVALID_PACKET", "REPLY"};
    return e <= REPLY ? names[e] : "?";
}

PanelFrame PanelFrame::request(int command, int part, bool write, const QByteArray& data, bool* ok) {
    const bool valid =
        command >= 0 && command <= 255 && part >= 0 && part <= MaxPart && data.size() <= MaxData;
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

quint8 frameChecksum(const char* covered, int size) {
    quint8 sum = 0;
    for (int i = 0; i < size; ++i)
        sum = quint8(sum + quint8(covered[i]));
    return quint8(0x100 - sum);
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
    out.append(data.constData(), n);
    out.append(char(frameChecksum(out.constData() + 1, 4 + n)));
    out.append(char(ENDTX));
    return out;
}

void FrameReceiver::feed(const QByteArray& bytes) {
    feed(bytes.constData(), int(bytes.size()));
}

void FrameReceiver::feed(const char* bytes, int size) {
    // Never hold more than a few frames: anything older than that is noise the hunt would drop.
    m_buf.append(bytes, size);
    if (m_buf.size() > 4 * MaxFrame) {
        const qsizetype drop = m_buf.size() - 2 * MaxFrame;
        m_noise += int(drop);
        m_buf.remove(0, drop);
    }
}

void FrameReceiver::clear() {
    m_buf.clear();
    m_lastRaw.clear();
    m_noise = 0;
}

FrameReceiver::Result FrameReceiver::next(PanelFrame& out) {
    for (;;) {
        const qsizetype start = m_buf.indexOf(char(STX));
        if (start < 0) {
            m_noise += int(m_buf.size());
            m_buf.clear();
            return Result::Incomplete;
        }
        if (start > 0) {
            m_noise += int(start);
            m_buf.remove(0, start);
        }
        if (m_buf.size() < 3)
            return Result::Incomplete;
        const int len = quint8(m_buf[2]);
        if (len > MaxData) { // cannot be a frame start: resynchronise on the next STX
            ++m_noise;
            m_buf.remove(0, 1);
            continue;
        }
        const int total = Overhead + len;
        if (m_buf.size() < total)
            return Result::Incomplete;
        m_lastRaw = m_buf.left(total);
        m_buf.remove(0, total);
        const char* p = m_lastRaw.constData();
        const bool endOk = quint8(p[total - 1]) == ENDTX;
        const bool sumOk = frameChecksum(p + 1, 4 + len) == quint8(p[5 + len]);
        if (!endOk || !sumOk)
            return Result::Corrupt;
        out.address = quint8(p[1]);
        out.command1 = quint8(p[3]);
        out.command2 = quint8(p[4]);
        out.data = QByteArray(p + 5, len);
        return Result::Frame;
    }
}

TError checkReplyMatches(const PanelFrame& request, const PanelFrame& reply) {
    if (reply.address != request.address || reply.command2 != request.command2 ||
        reply.command1 != request.command1)
        return INVALID_PACKET;
    return SENDOK;
}

TError decodeSingleFrame(const QByteArray& bytes, PanelFrame& out) {
    if (bytes.size() < Overhead || bytes.size() > MaxFrame || quint8(bytes[0]) != STX)
        return INVALID_PACKET;
    const int len = quint8(bytes[2]);
    if (len > MaxData || bytes.size() != Overhead + len)
        return INVALID_PACKET;
    FrameReceiver r;
    r.feed(bytes);
    switch (r.next(out)) {
    case FrameReceiver::Result::Frame:
        return SENDOK;
    case FrameReceiver::Result::Corrupt:
        return DATACORRUPT;
    default:
        return INVALID_PACKET;
    }
}
