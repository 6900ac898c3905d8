#include "link/cloudlink.h"

#include "link/websockets.h"

CloudLink::CloudLink(QObject* owner, std::function<int()> replyTimeoutMs)
    : m_owner(owner), m_replyTimeoutMs(std::move(replyTimeoutMs)) {}

TWebSockets* CloudLink::socket() {
    if (!WB)
        WB = new TWebSockets(m_owner);
    return WB;
}

bool CloudLink::isOpen() const {
    return WB && WB->ConnectionState() == TWebSockets::Connected;
}

void CloudLink::close() {
    if (WB)
        WB->Disconnect();
}

TError CloudLink::exchangeAttempt(const PanelFrame& request, PanelFrame& reply) {
    const QByteArray bytes = request.encode();
    trace(true, bytes, true);
    QByteArray replyBytes;
    const TError sent = WB->Exchange(bytes, replyBytes, m_replyTimeoutMs ? m_replyTimeoutMs() : 5000);
    if (sent != SENDOK)
        return sent;
    // The envelope answered this attempt; the frame inside must too.
    PanelFrame frame;
    if (decodeSingleFrame(replyBytes, frame) != SENDOK) {
        trace(false, replyBytes, false);
        return DATACORRUPT;
    }
    const TError r = checkReplyMatches(request, frame);
    trace(false, replyBytes, r == SENDOK);
    if (r == SENDOK)
        reply = frame;
    return r;
}
