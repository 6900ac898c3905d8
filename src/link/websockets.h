#pragma once
// Websocket client of the cloud relay. The websocket lives on a thread of its own; the
// user-interface thread sends a frame and waits for the reply on a semaphore with a time-out,
// never in a nested event loop.
#include "link/linktypes.h"

#include <QObject>
#include <QString>
#include <QUrl>
#include <atomic>
#include <memory>

class QSslCertificate;
class QThread;
struct CloudShared;
class CloudWorker;

struct CloudEndpoint {
    QString host;
    quint16 port = 443;
};

struct CloudCredentials {
    QString panelId;       // 32 characters, names the panel to the relay
    QString installerCode; // user name of the Basic authorisation
    QString remoteCode;    // password of the Basic authorisation (remote-management code)
};

class TWebSockets : public QObject {
    Q_OBJECT
public:
    // Connection-state byte: 2 means connected.
    enum State : quint8 { Closed = 0, Connecting = 1, Connected = 2, Closing = 3 };

    explicit TWebSockets(QObject* parent = nullptr);
    ~TWebSockets() override;

    // Opens wss://host:port/ws/admin?centralID=<id> with the Basic authorisation and waits up to
    // timeoutMs. On failure error holds the user's text (certificate, refusal, time-out...).
    bool Connect(const CloudEndpoint& endpoint, const CloudCredentials& credentials, int timeoutMs,
                 QString* error);
    // Closes the websocket and its TLS connection when open; otherwise nothing.
    void Disconnect();
    quint8 ConnectionState() const { return m_state.load(); }

    // One request and reply: wraps the frame in an envelope, sends it and waits up to timeoutMs.
    // SENDOK with replyFrame set; LOGTIMEOUT; DATACORRUPT (damaged envelope); SENDFAULT (not
    // connected, or the connection dropped while waiting).
    TError Exchange(const QByteArray& frame, QByteArray& replyFrame, int timeoutMs);

    QString lastError() const;

    static QUrl upgradeUrl(const CloudEndpoint& endpoint, const QString& panelId);
    // "Basic " + base64(installer code ":" remote-management code)
    static QByteArray basicAuthorization(const QString& installerCode, const QString& remoteCode);
    // Test hook: extra trusted roots added to the system store (a test relay's throwaway CA).
    static void setExtraCaCertificates(const QList<QSslCertificate>& certificates);

signals:
    // One line of websocket traffic for the connection form's memo (queued to its thread).
    void traffic(const QString& line);

private:
    friend class CloudWorker;
    void ensureThread();

    std::unique_ptr<CloudShared> m_shared;
    std::atomic<quint8> m_state{Closed};
    QThread* m_thread = nullptr;
    CloudWorker* m_worker = nullptr;
    QByteArray m_panelId;
    quint16 m_sequence = 0;
};

// The program's websocket client, nullptr until the cloud link is first opened.
extern TWebSockets* WB;
