#pragma once
// The cloud relay as a panel link: the frame travels in an envelope over the websocket client WB.
#include "link/panellink.h"

#include <functional>

class QObject;
class TWebSockets;

class CloudLink final : public PanelLink {
public:
    // WB, once made, is a child of owner; replyTimeoutMs is asked at every exchange.
    CloudLink(QObject* owner, std::function<int()> replyTimeoutMs);
    // The program's websocket client, made on first use.
    TWebSockets* socket();
    bool isOpen() const override;
    void close() override;

protected:
    TError exchangeAttempt(const PanelFrame& request, PanelFrame& reply) override;

private:
    QObject* m_owner;
    std::function<int()> m_replyTimeoutMs;
};
