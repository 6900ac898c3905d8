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
    bool portValid = true; // false: the port field holds something that is not a port 1..65535
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

    // The largest message and websocket frame taken from the relay: an envelope's text is 352
    // characters, so anything far larger is refused (the connection is closed) before it fills
    // memory.
    static constexpr quint64 MaxIncomingMessage = 4096;

    explicit TWebSockets(QObject* parent = nullptr);
    ~TWebSockets() override;

    // Starts opening wss://host:port/ws/admin?centralID=<id> with the Basic authorisation on the
    // websocket's thread and returns at once; connectFinished tells the end (at the latest after
    // timeoutMs). False, with error set and nothing started, when the inputs cannot make a
    // connection (see connectionInputProblem).
    bool StartConnect(const CloudEndpoint& endpoint, const CloudCredentials& credentials, int timeoutMs,
                      QString* error);
    // StartConnect, then waits for the end. On failure error holds the user's text (certificate,
    // refusal, time-out...).
    bool Connect(const CloudEndpoint& endpoint, const CloudCredentials& credentials, int timeoutMs,
                 QString* error);
    // What is wrong with the host, the panel id or the codes, in the user's words; empty when
    // they can make a connection. A host holds a name or an address only: no port, no user part,
    // no blanks or control characters. The codes are plain digits.
    static QString connectionInputProblem(const CloudEndpoint& endpoint, const CloudCredentials& credentials);
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
    // The end of a connection attempt started by StartConnect (queued to the client's thread).
    void connectFinished(bool ok, const QString& error);

private:
    friend class CloudWorker;
    void ensureThread();

    std::unique_ptr<CloudShared> m_shared;
    std::atomic<quint8> m_state{Closed};
    QThread* m_thread = nullptr;
    CloudWorker* m_worker = nullptr;
    QByteArray m_panelId;
    quint16 m_sequence = 0;
    int m_connectTimeoutMs = 15000;
};

// The program's websocket client, nullptr until the cloud link is first opened.
extern TWebSockets* WB;
