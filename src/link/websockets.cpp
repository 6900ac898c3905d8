#include "link/websockets.h"

#include "link/cloudenvelope.h"

#include <QDeadlineTimer>
#include <QMutex>
#include <QNetworkProxy>
#include <QNetworkRequest>
#include <QSemaphore>
#include <QSslConfiguration>
#include <QSslError>
#include <QThread>
#include <QTime>
#include <QUrlQuery>
#include <QWebSocket>

TWebSockets* WB = nullptr;

namespace {
QList<QSslCertificate>& extraCas() {
    static QList<QSslCertificate> cas;
    return cas;
}
} // namespace

// State shared between the user-interface thread and the websocket's thread.
struct CloudShared {
    QMutex mutex;
    QSemaphore connectDone;
    QSemaphore replyReady;
    quint16 expectedSequence = 0; // guarded by mutex
    bool waiting = false;         // guarded by mutex
    QByteArray replyFrame;        // guarded by mutex
    TError replyResult = SENDOK;  // guarded by mutex
    QString error;                // guarded by mutex
};

class CloudWorker : public QObject {
    Q_OBJECT
public:
    CloudWorker(TWebSockets* owner, CloudShared* shared) : m_owner(owner), m_shared(shared) {}

public slots:
    void open(const QUrl& url, const QByteArray& authorization, const QSslConfiguration& ssl) {
        closeSocket();
        m_socket = new QWebSocket(QString(), QWebSocketProtocol::VersionLatest, this);
        m_socket->setProxy(QNetworkProxy::NoProxy);
        m_socket->setSslConfiguration(ssl);
        connect(m_socket, &QWebSocket::connected, this, &CloudWorker::onConnected);
        connect(m_socket, &QWebSocket::disconnected, this, &CloudWorker::onDisconnected);
        connect(m_socket, qOverload<QAbstractSocket::SocketError>(&QWebSocket::error), this,
                &CloudWorker::onError);
        connect(m_socket, &QWebSocket::sslErrors, this, &CloudWorker::onSslErrors);
        connect(m_socket, &QWebSocket::textMessageReceived, this, &CloudWorker::onText);
        connect(m_socket, &QWebSocket::binaryMessageReceived, this,
                [this](const QByteArray& b) { onText(QString::fromLatin1(b)); });
        m_sslText.clear();
        m_connectPending = true;
        QNetworkRequest request(url);
        request.setRawHeader("Authorization", authorization);
        m_socket->open(request);
    }
    void send(const QString& text) {
        if (m_socket && m_socket->state() == QAbstractSocket::ConnectedState) {
            emit m_owner->traffic(line(">> ", text));
            m_socket->sendTextMessage(text);
        }
    }
    void closeSocket() {
        if (!m_socket)
            return;
        m_socket->disconnect(this);
        m_socket->close();
        m_socket->abort();
        delete m_socket;
        m_socket = nullptr;
        m_owner->m_state = TWebSockets::Closed;
    }

private:
    static QString line(const char* mark, const QString& text) {
        return QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz ")) + QLatin1String(mark) + text;
    }
    void finishConnect(bool ok, const QString& error) {
        m_owner->m_state = ok ? TWebSockets::Connected : TWebSockets::Closed;
        if (!m_connectPending)
            return;
        m_connectPending = false;
        {
            QMutexLocker lock(&m_shared->mutex);
            m_shared->error = error;
        }
        m_shared->connectDone.release();
    }
    void wakeWaiter(TError result) {
        QMutexLocker lock(&m_shared->mutex);
        if (!m_shared->waiting)
            return;
        m_shared->waiting = false;
        m_shared->replyResult = result;
        m_shared->replyReady.release();
    }
    void onConnected() {
        emit m_owner->traffic(line("-- ", QStringLiteral("connesso")));
        finishConnect(true, {});
    }
    void onDisconnected() {
        emit m_owner->traffic(line("-- ", QStringLiteral("disconnesso")));
        m_owner->m_state = TWebSockets::Closed;
        finishConnect(false, QStringLiteral("il server cloud ha chiuso la connessione"));
        wakeWaiter(SENDFAULT);
    }
    void onSslErrors(const QList<QSslError>& errors) {
        // Never ignored: the connection fails unless the chain verifies against the store.
        QStringList texts;
        for (const QSslError& e : errors)
            texts << e.errorString();
        m_sslText =
            QStringLiteral("certificato del server non valido (%1)").arg(texts.join(QStringLiteral("; ")));
    }
    void onError(QAbstractSocket::SocketError) {
        const QString text = m_sslText.isEmpty() ? m_socket->errorString() : m_sslText;
        emit m_owner->traffic(line("!! ", text));
        finishConnect(false, text);
        if (m_socket->state() != QAbstractSocket::ConnectedState) {
            m_owner->m_state = TWebSockets::Closed;
            wakeWaiter(SENDFAULT);
        }
    }
    void onText(const QString& text) {
        emit m_owner->traffic(line("<< ", text));
        CloudEnvelope env;
        const TError r = CloudEnvelope::fromBase64Text(text.toLatin1(), env);
        QMutexLocker lock(&m_shared->mutex);
        if (!m_shared->waiting)
            return; // a reply nobody waits for any more (its request timed out)
        if (r == SENDOK && (env.kind != CloudEnvelope::Reply || env.sequence != m_shared->expectedSequence))
            return; // a late reply to an earlier attempt
        m_shared->waiting = false;
        m_shared->replyResult = r;
        m_shared->replyFrame = r == SENDOK ? env.frame : QByteArray();
        m_shared->replyReady.release();
    }

    TWebSockets* m_owner;
    CloudShared* m_shared;
    QWebSocket* m_socket = nullptr;
    QString m_sslText;
    bool m_connectPending = false;
};

TWebSockets::TWebSockets(QObject* parent) : QObject(parent), m_shared(std::make_unique<CloudShared>()) {}

TWebSockets::~TWebSockets() {
    if (m_thread) {
        QMetaObject::invokeMethod(m_worker, &CloudWorker::closeSocket, Qt::BlockingQueuedConnection);
        QMetaObject::invokeMethod(m_worker, &QObject::deleteLater, Qt::QueuedConnection);
        m_thread->quit();
        m_thread->wait();
        delete m_thread;
    }
    if (WB == this)
        WB = nullptr;
}

void TWebSockets::ensureThread() {
    if (m_thread)
        return;
    m_thread = new QThread;
    m_thread->setObjectName(QStringLiteral("websocket"));
    m_worker = new CloudWorker(this, m_shared.get());
    m_worker->moveToThread(m_thread);
    m_thread->start();
}

void TWebSockets::setExtraCaCertificates(const QList<QSslCertificate>& certificates) {
    extraCas() = certificates;
}

QUrl TWebSockets::upgradeUrl(const CloudEndpoint& endpoint, const QString& panelId) {
    QUrl url;
    url.setScheme(QStringLiteral("wss"));
    url.setHost(endpoint.host);
    url.setPort(endpoint.port);
    url.setPath(QStringLiteral("/ws/admin"));
    url.setQuery(QStringLiteral("centralID=") + panelId);
    return url;
}

QByteArray TWebSockets::basicAuthorization(const QString& installerCode, const QString& remoteCode) {
    return "Basic " + (installerCode.toLatin1() + ':' + remoteCode.toLatin1()).toBase64();
}

QString TWebSockets::lastError() const {
    QMutexLocker lock(&m_shared->mutex);
    return m_shared->error;
}

bool TWebSockets::Connect(const CloudEndpoint& endpoint, const CloudCredentials& credentials, int timeoutMs,
                          QString* error) {
    auto fail = [&](const QString& text) {
        if (error)
            *error = text;
        return false;
    };
    if (endpoint.host.trimmed().isEmpty())
        return fail(QStringLiteral("indirizzo del server cloud mancante"));
    if (!isValidPanelId(credentials.panelId))
        return fail(QStringLiteral("identificativo della centrale non valido (servono 32 lettere o cifre)"));
    // The codes travel inside the authorisation header; a ':' would split them wrongly.
    if (credentials.installerCode.contains(QLatin1Char(':')))
        return fail(QStringLiteral("codice installatore non valido"));

    Disconnect();
    ensureThread();
    m_panelId = credentials.panelId.toLatin1();
    while (m_shared->connectDone.tryAcquire()) {
    }

    QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
    ssl.setPeerVerifyMode(QSslSocket::VerifyPeer);
    if (!extraCas().isEmpty())
        ssl.addCaCertificates(extraCas());

    m_state = Connecting;
    const QUrl url = upgradeUrl(endpoint, credentials.panelId);
    const QByteArray auth = basicAuthorization(credentials.installerCode, credentials.remoteCode);
    QMetaObject::invokeMethod(
        m_worker, [w = m_worker, url, auth, ssl] { w->open(url, auth, ssl); }, Qt::QueuedConnection);
    if (!m_shared->connectDone.tryAcquire(1, qMax(1, timeoutMs))) {
        QMetaObject::invokeMethod(m_worker, &CloudWorker::closeSocket, Qt::BlockingQueuedConnection);
        while (m_shared->connectDone.tryAcquire()) {
        }
        return fail(QStringLiteral("tempo scaduto durante la connessione a %1:%2")
                        .arg(endpoint.host)
                        .arg(endpoint.port));
    }
    if (m_state.load() == Connected)
        return true;
    const QString text = lastError();
    return fail(text.isEmpty() ? QStringLiteral("connessione non riuscita") : text);
}

void TWebSockets::Disconnect() {
    if (!m_thread)
        return;
    if (m_state.load() != Closed) {
        m_state = Closing;
        QMetaObject::invokeMethod(m_worker, &CloudWorker::closeSocket, Qt::BlockingQueuedConnection);
    }
    m_state = Closed;
}

TError TWebSockets::Exchange(const QByteArray& frame, QByteArray& replyFrame, int timeoutMs) {
    if (m_state.load() != Connected)
        return SENDFAULT;
    CloudEnvelope env;
    env.kind = CloudEnvelope::Request;
    env.sequence = ++m_sequence;
    env.panelId = m_panelId;
    env.frame = frame;
    const QByteArray text = env.toBase64Text();
    if (text.isEmpty())
        return DATACORRUPT;
    {
        QMutexLocker lock(&m_shared->mutex);
        while (m_shared->replyReady.tryAcquire()) {
        }
        m_shared->expectedSequence = env.sequence;
        m_shared->waiting = true;
        m_shared->replyFrame.clear();
    }
    const QString message = QString::fromLatin1(text);
    QMetaObject::invokeMethod(
        m_worker, [w = m_worker, message] { w->send(message); }, Qt::QueuedConnection);

    // Waits in slices so that a dropped connection ends the wait at once.
    const QDeadlineTimer deadline(qMax(1, timeoutMs));
    bool got = false;
    while (!got) {
        got =
            m_shared->replyReady.tryAcquire(1, int(qBound<qint64>(1, deadline.remainingTime(), qint64(100))));
        if (got || deadline.hasExpired() || m_state.load() != Connected)
            break;
    }
    QMutexLocker lock(&m_shared->mutex);
    if (!got && m_shared->replyReady.tryAcquire())
        got = true;
    m_shared->waiting = false;
    if (!got)
        return m_state.load() == Connected ? LOGTIMEOUT : SENDFAULT;
    if (m_shared->replyResult != SENDOK)
        return m_shared->replyResult;
    replyFrame = m_shared->replyFrame;
    return SENDOK;
}

#include "websockets.moc"

// Keeps this class's meta-object code in this file rather than in the shared moc unit.
#include "moc_websockets.cpp"
