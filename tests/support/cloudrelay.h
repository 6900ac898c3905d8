#pragma once
// A local TLS websocket relay on 127.0.0.1 standing in for the cloud: it accepts the upgrade,
// records what the client sent, and forwards each envelope's frame to a simulated panel.
#include "link/comset.h"
#include "link/websockets.h"
#include "support/panelsimulator.h"
#include "support/testcert.h"

#include <QString>
#include <QThread>

class RelayServer;

class CloudRelay {
public:
    explicit CloudRelay(PanelCore& core);
    ~CloudRelay();

    bool start(const TestCertificate& certificate); // listens on 127.0.0.1, a free port
    quint16 port() const { return m_port; }

    // The upgrade request of the last connection, as the relay received it.
    QString lastRequestPath() const; // path and query
    QByteArray lastAuthorization() const;
    int messageCount() const;
    int connectionCount() const;
    // Refuses (closes) connections whose authorisation differs; empty accepts all.
    void setExpectedAuthorization(const QByteArray& value);
    void setSilent(bool silent);   // messages get no reply
    void setDropAfter(int count);  // the connection is closed when message number count arrives
    void setSplitReplies(bool on); // replies go out as continuation frames
    // What the relay sends before each reply, as a misbehaving relay or a shared channel would.
    enum class Prelude {
        None,
        NotBase64,    // a text message that is no envelope at all
        ForeignPanel, // an envelope answering the request, but naming another panel, other data
        EchoRequest,  // the request envelope itself
        Oversized     // a message of several megabytes
    };
    void setPrelude(Prelude prelude);

private:
    QThread m_thread;
    RelayServer* m_server = nullptr;
    quint16 m_port = 0;
};

// Puts back what a cloud test changes on the link: no extra trusted certificates and the usual
// connect and reply time-outs.
inline void restoreCloudLinkDefaults() {
    TWebSockets::setExtraCaCertificates({});
    TComSet::CloudReplyTimeoutMs = 5000;
    TComSet::CloudConnectTimeoutMs = 15000;
}
