#include "link/websockets.h"

#include "link/cloudenvelope.h"

#include <QDeadlineTimer>
#include <QHostAddress>
#include <QMutex>
#include <QNetworkProxy>
#include <QNetworkRequest>
#include <QPointer>
#include <QSemaphore>
#include <QSslConfiguration>
#include <QSslError>
#include <QThread>
#include <QTime>
#include <QTimer>
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
    QByteArray panelId;           // guarded by mutex: the panel whose replies are taken
    bool waiting = false;         // guarded by mutex
    bool damagedSeen = false;     // guarded by mutex: a damaged message came while waiting
    QByteArray replyFrame;        // guarded by mutex
    TError replyResult = SENDOK;  // guarded by mutex
    QString error;                // guarded by mutex
};

class CloudWorker : public QObject {
    Q_OBJECT
public:
    // The timer is a child, so that it moves to the websocket's thread with the worker.
    CloudWorker(TWebSockets* owner, CloudShared* shared)
        : m_owner(owner), m_shared(shared), m_connectTimer(this) {
        m_connectTimer.setSingleShot(true);
        connect(&m_connectTimer, &QTimer::timeout, this, &CloudWorker::connectTimedOut);
    }

public slots:
    void open(const QUrl& url, const QByteArray& authorization, const QSslConfiguration& ssl, int timeoutMs) {
        closeSocket();
        m_socket = new QWebSocket(QString(), QWebSocketProtocol::VersionLatest, this);
        m_socket->setProxy(QNetworkProxy::NoProxy);
        m_socket->setSslConfiguration(ssl);
        m_socket->setMaxAllowedIncomingFrameSize(TWebSockets::MaxIncomingMessage);
        m_socket->setMaxAllowedIncomingMessageSize(TWebSockets::MaxIncomingMessage);
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
        m_host = url.host();
        const QString where = QStringLiteral("%1:%2").arg(url.host()).arg(url.port());
        m_connectTimer.start(qMax(1, timeoutMs));
        m_timeoutText =
            QStringLiteral("il server cloud non risponde (tempo scaduto durante la connessione a %1)")
                .arg(where);
        QNetworkRequest request(url);
        request.setRawHeader("Authorization", authorization);
        m_socket->open(request);
    }
    void connectTimedOut() {
        if (!m_connectPending)
            return;
        closeSocket();           // ends the attempt without a word...
        m_connectPending = true; // ...so that finishConnect reports it
        finishConnect(false, m_timeoutText);
    }
    void send(const QString& text) {
        if (m_socket && m_socket->state() == QAbstractSocket::ConnectedState) {
            emit m_owner->traffic(line(">> ", text));
            m_socket->sendTextMessage(text);
        }
    }
    void closeSocket() {
        m_connectTimer.stop();
        m_connectPending = false;
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
        m_connectTimer.stop();
        {
            QMutexLocker lock(&m_shared->mutex);
            m_shared->error = error;
        }
        m_shared->connectDone.release();
        emit m_owner->connectFinished(ok, error);
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
        wakeWaiter(SENDFAULT);
        if (!m_connectPending)
            return;
        // A connection that never came up says why only after it says it is closed (a name
        // that resolves to nothing, a port nobody listens on): the error, if one follows, ends
        // the attempt with its own words; the server's close is all there is otherwise.
        QMetaObject::invokeMethod(
            this,
            [this, socket = QPointer<QWebSocket>(m_socket)] {
                if (socket && socket == m_socket)
                    finishConnect(false, QStringLiteral("il server cloud ha chiuso la connessione"));
            },
            Qt::QueuedConnection);
    }
    void onSslErrors(const QList<QSslError>& errors) {
        // Never ignored: the connection fails unless the chain verifies against the store.
        QStringList texts;
        for (const QSslError& e : errors)
            texts << e.errorString();
        m_sslText =
            QStringLiteral("certificato del server non valido (%1)").arg(texts.join(QStringLiteral("; ")));
    }
    void onError(QAbstractSocket::SocketError error) {
        const QString text = m_sslText.isEmpty() ? failureText(error) : m_sslText;
        emit m_owner->traffic(line("!! ", text));
        finishConnect(false, text);
        if (m_socket->state() != QAbstractSocket::ConnectedState) {
            m_owner->m_state = TWebSockets::Closed;
            wakeWaiter(SENDFAULT);
        }
    }
    // The error in the installer's words. A refusal before the socket is connected comes from
    // the machine (nobody listens on the port); one while the websocket is still being set up
    // is the server's answer to the upgrade (its own text says which).
    QString failureText(QAbstractSocket::SocketError error) const {
        const bool upgrading = m_socket->state() != QAbstractSocket::UnconnectedState;
        switch (error) {
        case QAbstractSocket::HostNotFoundError:
            return QStringLiteral("server cloud non trovato: il nome \"%1\" non corrisponde a nessun "
                                  "indirizzo (controllare il nome e la rete)")
                .arg(m_host);
        case QAbstractSocket::ConnectionRefusedError:
            if (upgrading)
                return QStringLiteral("il server cloud ha rifiutato il collegamento (%1)")
                    .arg(upgradeRefusal());
            return QStringLiteral("connessione rifiutata: nessun servizio in ascolto all'indirizzo e "
                                  "alla porta indicati");
        case QAbstractSocket::RemoteHostClosedError:
            return QStringLiteral("il server cloud ha chiuso la connessione");
        case QAbstractSocket::SocketTimeoutError:
            return QStringLiteral("il server cloud non risponde");
        case QAbstractSocket::NetworkError:
            return QStringLiteral("rete non raggiungibile");
        default:
            return m_socket->errorString();
        }
    }
    // The server's answer to the upgrade as the socket tells it, without the name of the code
    // that found it ("QWebSocketPrivate::processHandshake: ...") and the closing full stop.
    QString upgradeRefusal() const {
        QString text = m_socket->errorString().trimmed();
        const qsizetype colon = text.indexOf(QStringLiteral(": "));
        if (colon > 0 && text.left(colon).contains(QStringLiteral("::")))
            text = text.mid(colon + 2);
        while (text.endsWith(QLatin1Char('.')))
            text.chop(1);
        return text;
    }
    void onText(const QString& text) {
        emit m_owner->traffic(line("<< ", text.size() > 400 ? text.left(400) + QStringLiteral("...") : text));
        CloudEnvelope env;
        const TError r = CloudEnvelope::fromBase64Text(text.toLatin1(), env);
        QMutexLocker lock(&m_shared->mutex);
        if (!m_shared->waiting)
            return; // a reply nobody waits for any more (its request timed out)
        if (r != SENDOK) {
            m_shared->damagedSeen = true; // not an envelope, or a damaged one: keep waiting
            return;
        }
        if (env.kind != CloudEnvelope::Reply || env.sequence != m_shared->expectedSequence)
            return; // an echo of a request, or a late reply to an earlier attempt
        if (env.panelId != m_shared->panelId) {
            lock.unlock();
            emit m_owner->traffic(line("!! ", QStringLiteral("risposta di un'altra centrale ignorata")));
            return;
        }
        m_shared->waiting = false;
        m_shared->replyResult = SENDOK;
        m_shared->replyFrame = env.frame;
        m_shared->replyReady.release();
    }

    TWebSockets* m_owner;
    CloudShared* m_shared;
    QWebSocket* m_socket = nullptr;
    QString m_sslText;
    QString m_host; // of the attempt under way, for its messages
    QString m_timeoutText;
    QTimer m_connectTimer;
    bool m_connectPending = false;
};

TWebSockets::TWebSockets(QObject* parent) : QObject(parent), m_shared(std::make_unique<CloudShared>()) {}

TWebSockets::~TWebSockets() {
    if (m_thread) {
        QMetaObject::invokeMethod(m_worker, &CloudWorker::closeSocket, Qt::BlockingQueuedConnection);
        m_thread->quit(); // the worker goes with the thread's end (ensureThread)
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
    // The worker and its children are deleted on their own thread as it ends: a deletion queued
    // before quit() could be left unrun when the event loop stops first.
    connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
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

namespace {

bool plainDigits(const QString& code) {
    if (code.isEmpty())
        return false;
    for (const QChar c : code)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

// A host name or an address, and nothing else: a port, a user part, a path, blanks or control
// characters would silently change where the program connects.
bool plainHost(const QString& host) {
    QHostAddress address;
    if (address.setAddress(host))
        return true;
    for (const QChar c : host)
        if (!(c.isLetterOrNumber() || c == QLatin1Char('.') || c == QLatin1Char('-') ||
              c == QLatin1Char('_')))
            return false;
    return !host.startsWith(QLatin1Char('.')) && !host.startsWith(QLatin1Char('-'));
}

} // namespace

QString TWebSockets::connectionInputProblem(const CloudEndpoint& endpoint,
                                            const CloudCredentials& credentials) {
    if (endpoint.host.trimmed().isEmpty())
        return QStringLiteral("indirizzo del server cloud mancante");
    if (!plainHost(endpoint.host))
        return QStringLiteral("indirizzo del server cloud non valido: scrivere solo il nome o l'indirizzo "
                              "del server, senza porta, utente, spazi o altri segni (la porta ha un campo "
                              "suo)");
    if (!endpoint.portValid)
        return QStringLiteral("porta del server cloud non valida (un numero da 1 a 65535)");
    if (!isValidPanelId(credentials.panelId))
        return QStringLiteral("identificativo della centrale non valido (servono 32 lettere o cifre)");
    // A code that is not there is said missing, not wrong.
    if (credentials.installerCode.isEmpty())
        return QStringLiteral("codice installatore mancante");
    if (credentials.remoteCode.isEmpty())
        return QStringLiteral("codice di telegestione mancante");
    // The codes travel inside the authorisation header: only digits can go there unchanged.
    if (!plainDigits(credentials.installerCode))
        return QStringLiteral("codice installatore non valido (solo cifre)");
    if (!plainDigits(credentials.remoteCode))
        return QStringLiteral("codice di telegestione non valido (solo cifre)");
    return {};
}

bool TWebSockets::StartConnect(const CloudEndpoint& endpoint, const CloudCredentials& credentials,
                               int timeoutMs, QString* error) {
    const QString problem = connectionInputProblem(endpoint, credentials);
    if (!problem.isEmpty()) {
        if (error)
            *error = problem;
        return false;
    }
    Disconnect();
    ensureThread();
    m_panelId = credentials.panelId.toLatin1();
    {
        QMutexLocker lock(&m_shared->mutex);
        m_shared->panelId = m_panelId;
        m_shared->error.clear();
    }
    while (m_shared->connectDone.tryAcquire()) {
    }

    QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
    ssl.setPeerVerifyMode(QSslSocket::VerifyPeer);
    if (!extraCas().isEmpty())
        ssl.addCaCertificates(extraCas());

    m_state = Connecting;
    m_connectTimeoutMs = qMax(1, timeoutMs);
    const QUrl url = upgradeUrl(endpoint, credentials.panelId);
    const QByteArray auth = basicAuthorization(credentials.installerCode, credentials.remoteCode);
    QMetaObject::invokeMethod(
        m_worker, [w = m_worker, url, auth, ssl, t = m_connectTimeoutMs] { w->open(url, auth, ssl, t); },
        Qt::QueuedConnection);
    return true;
}

bool TWebSockets::Connect(const CloudEndpoint& endpoint, const CloudCredentials& credentials, int timeoutMs,
                          QString* error) {
    if (!StartConnect(endpoint, credentials, timeoutMs, error))
        return false;
    // The worker ends every attempt by its own time-out; the margin only guards against a
    // worker that never answers.
    if (!m_shared->connectDone.tryAcquire(1, m_connectTimeoutMs + 5000)) {
        Disconnect();
        if (error)
            *error = QStringLiteral("tempo scaduto durante la connessione");
        return false;
    }
    if (m_state.load() == Connected)
        return true;
    if (error) {
        const QString text = lastError();
        *error = text.isEmpty() ? QStringLiteral("connessione non riuscita") : text;
    }
    return false;
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
        m_shared->damagedSeen = false;
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
    if (!got) {
        if (m_state.load() != Connected)
            return SENDFAULT;
        return m_shared->damagedSeen ? DATACORRUPT : LOGTIMEOUT;
    }
    if (m_shared->replyResult != SENDOK)
        return m_shared->replyResult;
    replyFrame = m_shared->replyFrame;
    return SENDOK;
}

#include "websockets.moc"

// Keeps this class's meta-object code in this file rather than in the shared moc unit.
#include "moc_websockets.cpp"
