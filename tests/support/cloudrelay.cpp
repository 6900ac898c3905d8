#include "support/cloudrelay.h"

#include "link/cloudenvelope.h"

#include <QMutex>
#include <QSslConfiguration>
#include <QTimer>
#include <QWebSocket>
#include <QWebSocketServer>

class RelayServer : public QObject {
    Q_OBJECT
public:
    explicit RelayServer(PanelCore& core) : m_core(core) {}

    QMutex mutex;
    QString path;
    QByteArray authorization;
    QByteArray expectedAuthorization;
    int messages = 0;
    int connections = 0;
    bool silent = false;
    int dropAfter = -1;
    bool split = false;
    CloudRelay::Prelude prelude = CloudRelay::Prelude::None;

    quint16 listen(const TestCertificate& cert) {
        m_server = new QWebSocketServer(QStringLiteral("relay"), QWebSocketServer::SecureMode, this);
        QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
        ssl.setLocalCertificate(cert.certificate);
        ssl.setPrivateKey(cert.key);
        ssl.setPeerVerifyMode(QSslSocket::VerifyNone);
        m_server->setSslConfiguration(ssl);
        connect(m_server, &QWebSocketServer::newConnection, this, &RelayServer::onConnection);
        if (!m_server->listen(QHostAddress::LocalHost, 0))
            return 0;
        return m_server->serverPort();
    }
    void shutdown() {
        for (QWebSocket* s : findChildren<QWebSocket*>())
            s->abort();
        delete m_server;
        m_server = nullptr;
    }

private:
    void onConnection() {
        while (QWebSocket* socket = m_server->nextPendingConnection()) {
            socket->setParent(this);
            const QNetworkRequest request = socket->request();
            QByteArray expected;
            {
                QMutexLocker l(&mutex);
                ++connections;
                path = request.url().path() + QLatin1Char('?') + request.url().query();
                authorization = request.rawHeader("Authorization");
                expected = expectedAuthorization;
            }
            if (!expected.isEmpty() && request.rawHeader("Authorization") != expected) {
                socket->close(QWebSocketProtocol::CloseCodePolicyViolated, QStringLiteral("unauthorised"));
                continue;
            }
            connect(socket, &QWebSocket::textMessageReceived, this,
                    [this, socket](const QString& text) { onText(socket, text); });
            connect(socket, &QWebSocket::disconnected, socket, &QObject::deleteLater);
        }
    }
    void onText(QWebSocket* socket, const QString& text) {
        int count;
        bool mute;
        int drop;
        bool fragments;
        CloudRelay::Prelude before;
        {
            QMutexLocker l(&mutex);
            count = ++messages;
            mute = silent;
            drop = dropAfter;
            fragments = split;
            before = prelude;
        }
        if (drop > 0 && count >= drop) {
            socket->abort();
            return;
        }
        if (mute)
            return;
        CloudEnvelope env;
        if (CloudEnvelope::fromBase64Text(text.toLatin1(), env) != SENDOK ||
            env.kind != CloudEnvelope::Request)
            return;
        PanelFrame request;
        if (decodeSingleFrame(env.frame, request) != SENDOK)
            return;
        const QByteArray reply = m_core.handle(request, nullptr);
        if (reply.isEmpty())
            return;
        CloudEnvelope answer;
        answer.kind = CloudEnvelope::Reply;
        answer.sequence = env.sequence;
        answer.panelId = env.panelId;
        answer.frame = reply;
        socket->setOutgoingFrameSize(fragments ? 50 : 512 * 1024);
        sendPrelude(socket, before, text, answer, request);
        const QString message = QString::fromLatin1(answer.toBase64Text());
        if (const int delay = m_core.replyDelayMs(); delay > 0) // a slow panel behind the relay
            QTimer::singleShot(delay, socket, [socket, message] { socket->sendTextMessage(message); });
        else
            socket->sendTextMessage(message);
    }
    static void sendPrelude(QWebSocket* socket, CloudRelay::Prelude prelude, const QString& request,
                            const CloudEnvelope& answer, const PanelFrame& requestFrame) {
        switch (prelude) {
        case CloudRelay::Prelude::None:
            return;
        case CloudRelay::Prelude::NotBase64:
            socket->sendTextMessage(QStringLiteral("{\"status\": \"panel busy\"} @@"));
            return;
        case CloudRelay::Prelude::EchoRequest:
            socket->sendTextMessage(request);
            return;
        case CloudRelay::Prelude::ForeignPanel: {
            CloudEnvelope other = answer;
            other.panelId = QByteArray(CloudEnvelope::IdSize, 'F');
            other.frame = PanelFrame::replyTo(requestFrame, requestFrame.isWrite() ? QByteArray(1, '\x80')
                                                                                   : QByteArray(64, '\x5A'))
                              .encode();
            socket->sendTextMessage(QString::fromLatin1(other.toBase64Text()));
            return;
        }
        case CloudRelay::Prelude::Oversized:
            socket->setOutgoingFrameSize(1024 * 1024);
            socket->sendTextMessage(QString(8 * 1024 * 1024, QLatin1Char('A')));
            return;
        }
    }

    PanelCore& m_core;
    QWebSocketServer* m_server = nullptr;
};

CloudRelay::CloudRelay(PanelCore& core) {
    m_server = new RelayServer(core);
    m_server->moveToThread(&m_thread);
    // Deleted on its own thread as the thread ends, after the last event it was sent.
    QObject::connect(&m_thread, &QThread::finished, m_server, &QObject::deleteLater);
    m_thread.setObjectName(QStringLiteral("relay"));
    m_thread.start();
}

CloudRelay::~CloudRelay() {
    QMetaObject::invokeMethod(m_server, &RelayServer::shutdown, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

bool CloudRelay::start(const TestCertificate& certificate) {
    quint16 port = 0;
    QMetaObject::invokeMethod(
        m_server, [&] { port = m_server->listen(certificate); }, Qt::BlockingQueuedConnection);
    m_port = port;
    return port != 0;
}

QString CloudRelay::lastRequestPath() const {
    QMutexLocker l(&m_server->mutex);
    return m_server->path;
}

QByteArray CloudRelay::lastAuthorization() const {
    QMutexLocker l(&m_server->mutex);
    return m_server->authorization;
}

int CloudRelay::messageCount() const {
    QMutexLocker l(&m_server->mutex);
    return m_server->messages;
}

int CloudRelay::connectionCount() const {
    QMutexLocker l(&m_server->mutex);
    return m_server->connections;
}

void CloudRelay::setExpectedAuthorization(const QByteArray& value) {
    QMutexLocker l(&m_server->mutex);
    m_server->expectedAuthorization = value;
}

void CloudRelay::setSilent(bool silent) {
    QMutexLocker l(&m_server->mutex);
    m_server->silent = silent;
}

void CloudRelay::setDropAfter(int count) {
    QMutexLocker l(&m_server->mutex);
    m_server->dropAfter = count;
}

void CloudRelay::setPrelude(Prelude prelude) {
    QMutexLocker l(&m_server->mutex);
    m_server->prelude = prelude;
}

void CloudRelay::setSplitReplies(bool on) {
    QMutexLocker l(&m_server->mutex);
    m_server->split = on;
}

#include "cloudrelay.moc"
