#include "link/panellink.h"

TError PanelLink::exchange(const PanelFrame& request, PanelFrame& reply) {
    if (!isOpen())
        return SENDFAULT;
    PanelFrame attempt = request;
    attempt.sequence = ++m_sequence;
    return exchangeAttempt(attempt, reply);
}

void PanelLink::trace(bool sent, const QByteArray& bytes, bool valid) const {
    if (m_trace)
        m_trace(sent, bytes, valid);
}
