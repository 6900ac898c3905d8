// The cloud link: TLS websocket client, upgrade request, envelopes, the exchange over it and a
// whole transfer job through a local relay; once against an independent websocket server.
#include "app/splash.h"
#include "link/comset.h"
#include "link/panelframe.h"
#include "link/tracewindow.h"
#include "link/websockets.h"
#include "support/cloudrelay.h"
#include "support/transferfixture.h"
#include "transfer/commands.h"
#include "transfer/sendingdlg.h"
#include "transfer/transferflags.h"
#include "transfer/transferstate.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSslConfiguration>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {
const QString PanelId = QStringLiteral("0123456789ABCDEF0123456789ABCDEF");

// Connects a websocket as the program does, with the panel's id and the credentials.
bool connectWs(TWebSockets& ws, quint16 port, QString* error,
               const QString& password = QStringLiteral("123456")) {
    return ws.Connect({QStringLiteral("127.0.0.1"), port}, {PanelId, QStringLiteral("000111"), password},
                      10000, error);
}

// Chooses the cloud link in the connection form and starts connecting to 127.0.0.1:port.
void startCloudConnect(quint16 port) {
    TComSet::cloudEndpointHook = [port] { return CloudEndpoint{QStringLiteral("127.0.0.1"), port}; };
    ComSet->ComboBox1->setCurrentIndex(ComSet->ComboBox1->findText(TComSet::RemoteManagement));
    ComSet->ConnectClick();
}

// Connects the connection form to the relay and waits for the attempt to end.
void connectFormToRelay(TransferFixture& fx, const CloudRelay& relay, const TestCertificate& cert) {
    TWebSockets::setExtraCaCertificates({cert.certificate});
    startCloudConnect(relay.port());
    fx.waitForConnect();
}
} // namespace

class TestCloud : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    TestCertificate m_cert;
private slots:
    void initTestCase() {
        if (!QSslSocket::supportsSsl())
            QSKIP("no TLS backend");
        QVERIFY(m_dir.isValid());
        m_cert = makeTestCertificate(m_dir.path());
        QVERIFY2(m_cert.ok(), qPrintable(m_cert.error));
    }

    void cleanup() { restoreCloudLinkDefaults(); }

    void upgradeRequestCarriesPanelAndCredentials() {
        const QUrl url = TWebSockets::upgradeUrl({QStringLiteral("relay.example"), 8443}, PanelId);
        QCOMPARE(url.toString(), QStringLiteral("wss://relay.example:8443/ws/admin?centralID=") + PanelId);
        PanelCore core;
        CloudRelay relay(core);
        QVERIFY(relay.start(m_cert));
        TWebSockets::setExtraCaCertificates({m_cert.certificate});
        TWebSockets ws;
        QString error;
        QVERIFY2(connectWs(ws, relay.port(), &error), qPrintable(error));
        QCOMPARE(ws.ConnectionState(), quint8(2));
        QCOMPARE(relay.lastRequestPath(), QStringLiteral("/ws/admin?centralID=") + PanelId);
        QCOMPARE(relay.lastAuthorization(), QByteArray("Basic MDAwMTExOjEyMzQ1Ng=="));
        ws.Disconnect();
        ws.Disconnect(); // closed: nothing happens
        QCOMPARE(ws.ConnectionState(), quint8(0));
    }

    // Settings that cannot make a connection are refused before anything is sent, with a message
    // that names the setting, not the server (through the real window: test_mainwindow_model).
    void refusesInvalidInputsBeforeConnecting_data() {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("installer");
        QTest::addColumn<QString>("remote");
        QTest::addColumn<QString>("problem"); // empty: the inputs are good
        const auto row = [](const char* name, const QString& host, const QString& installer,
                            const QString& remote, const QString& problem) {
            QTest::newRow(name) << host << installer << remote << problem;
        };
        const QString code = QStringLiteral("000111");
        const QString password = QStringLiteral("123456");
        const QString local = QStringLiteral("127.0.0.1");
        const QString badHost = QStringLiteral("indirizzo del server cloud non valido");
        row("name", QStringLiteral("relay.example"), code, password, {});
        row("IPv6 address", QStringLiteral("::1"), code, password, {});
        row("empty host", QStringLiteral(" "), code, password, QStringLiteral("mancante"));
        row("host with a port", QStringLiteral("relay.example:8443"), code, password, badHost);
        row("host with a user", QStringLiteral("admin@relay.example"), code, password, badHost);
        row("host with a line break", QStringLiteral("relay\r\nexample"), code, password, badHost);
        row("host with a path", QStringLiteral("relay.example/ws"), code, password, badHost);
        row("installer code with a colon", local, QStringLiteral("1:2"), password,
            QStringLiteral("codice installatore"));
        row("installer code with a letter", local, QStringLiteral("00a111"), password,
            QStringLiteral("codice installatore"));
        row("remote code in other digits", local, code, QStringLiteral("١٢٣٤٥٦"),
            QStringLiteral("codice di telegestione non valido"));
        row("no installer code", local, QString(), password, QStringLiteral("codice installatore mancante"));
        row("no remote code", local, code, QString(), QStringLiteral("codice di telegestione mancante"));
    }
    void refusesInvalidInputsBeforeConnecting() {
        QFETCH(QString, host);
        QFETCH(QString, installer);
        QFETCH(QString, remote);
        QFETCH(QString, problem);
        const CloudEndpoint endpoint{host, 443};
        const QString found = TWebSockets::connectionInputProblem(endpoint, {PanelId, installer, remote});
        QVERIFY2(problem.isEmpty() ? found.isEmpty() : found.contains(problem), qPrintable(found));
    }

    void refusesAnIdentifierThatCouldChangeTheRequest() {
        TWebSockets ws;
        QString error;
        QVERIFY(!ws.Connect({QStringLiteral("127.0.0.1"), 1},
                            {QStringLiteral("x&admin=1 HTTP/1.1\r\nHost: evil0000000"), QStringLiteral("1"),
                             QStringLiteral("2")},
                            1000, &error));
        QVERIFY(error.contains(QStringLiteral("identificativo")));
        QByteArray reply;
        QCOMPARE(ws.Exchange(PanelFrame::request(0, 0, true, "123456").encode(), reply, 100), SENDFAULT);
    }

    // The connect runs on the websocket's thread: the window keeps handling events, and the wait
    // window "Connecting..." stays up, painted, until the attempt ends either way.
    void connectKeepsTheWindowResponsive() {
        TransferFixture fx;
        TComSet::CloudConnectTimeoutMs = 60000;
        QTcpServer mute; // accepts the connection and never answers the TLS handshake
        QVERIFY(mute.listen(QHostAddress::LocalHost));
        startCloudConnect(mute.serverPort());
        QVERIFY(ComSet->IsConnecting());
        QWidget* wait = TSplash::currentWaitWindow();
        QVERIFY(wait && wait->isVisible());
        QCOMPARE(wait->findChild<QLabel*>()->text(), QStringLiteral("Connecting..."));
        QVERIFY(!ComSet->Connect->isEnabled()); // one attempt at a time
        bool ticked = false;
        QTimer::singleShot(0, [&] { ticked = true; });
        QTRY_VERIFY(ticked && mute.hasPendingConnections());
        QVERIFY(ComSet->IsConnecting());
        // Giving up the attempt takes the wait window down.
        ComSet->CloseLink();
        QVERIFY(!ComSet->IsConnecting());
        QVERIFY(!TSplash::currentWaitWindow());
        QVERIFY(fx.warnings().isEmpty());

        // An attempt that gets no answer ends at its time-out, with its message.
        TComSet::CloudConnectTimeoutMs = 200;
        startCloudConnect(mute.serverPort());
        QVERIFY(TSplash::currentWaitWindow());
        QVERIFY(!fx.waitForConnect());
        QVERIFY(!TSplash::currentWaitWindow());
        QCOMPARE(fx.warnings().size(), 1);
        QVERIFY2(fx.warnings()[0].contains(QStringLiteral("tempo scaduto")), qPrintable(fx.warnings()[0]));

        PanelCore core;
        CloudRelay relay(core);
        QVERIFY(relay.start(m_cert));
        TWebSockets::setExtraCaCertificates({m_cert.certificate});
        startCloudConnect(relay.port());
        QVERIFY(TSplash::currentWaitWindow());
        QVERIFY(fx.waitForConnect());
        QVERIFY(!TSplash::currentWaitWindow());
        QVERIFY(ComSet->Connect->isEnabled());
        QCOMPARE(ComSet->LabelStato->text(), QStringLiteral("Connesso a 127.0.0.1:%1").arg(relay.port()));
    }

    void untrustedCertificateIsAClearError() {
        PanelCore core;
        CloudRelay relay(core);
        QVERIFY(relay.start(m_cert));
        TWebSockets ws; // the throwaway CA is not in the system store
        QString error;
        QVERIFY(!connectWs(ws, relay.port(), &error));
        QVERIFY2(error.contains(QStringLiteral("certificato")), qPrintable(error));
        QCOMPARE(ws.ConnectionState(), quint8(0));
        QCOMPARE(relay.messageCount(), 0);
    }

    void exchangeRoundTrip() {
        PanelCore core;
        CloudRelay relay(core);
        QVERIFY(relay.start(m_cert));
        relay.setSplitReplies(true); // replies arrive in several continuation frames
        TWebSockets::setExtraCaCertificates({m_cert.certificate});
        TWebSockets ws;
        QString error;
        QVERIFY2(connectWs(ws, relay.port(), &error), qPrintable(error));
        QStringList traffic;
        connect(&ws, &TWebSockets::traffic, this, [&](const QString& l) { traffic << l; });
        for (int part = 0; part < 3; ++part) {
            QByteArray reply;
            const PanelFrame req = PanelFrame::request(8, part, false, {});
            QCOMPARE(ws.Exchange(req.encode(), reply, 5000), SENDOK);
            PanelFrame frame;
            QCOMPARE(decodeSingleFrame(reply, frame), SENDOK);
            QCOMPARE(checkReplyMatches(req, frame), SENDOK);
            QCOMPARE(frame.data, PanelCore::defaultPart(8, part));
        }
        QCOMPARE(core.requestCount(), 3);
        QTRY_VERIFY(traffic.size() >= 6);
        QVERIFY(traffic[0].contains(QStringLiteral(">> ")));
    }

    void transferJobOverTheCloud() {
        TransferFixture fx;
        ComSet->Timer1->setInterval(2);
        PanelCore core;
        CloudRelay relay(core);
        QVERIFY(relay.start(m_cert));
        RecordingCodec codecs;
        ComSet->show();
        Form1->show();
        connectFormToRelay(fx, relay, m_cert);
        QVERIFY2(fx.warnings().isEmpty(), qPrintable(fx.warnings().join(QLatin1Char('\n'))));
        QVERIFY(WB);
        QCOMPARE(WB->ConnectionState(), quint8(TWebSockets::Connected));
        QVERIFY(ComSet->IsLinkOpen());

        ComSet->RecicleCommand(TabCmdBloccoIns, false);
        QVERIFY(fx.waitForJobEnd());
        QCOMPARE(fx.messages(), QStringList{QStringLiteral("Operazione conclusa con successo")});
        QCOMPARE(core.requestCount(), 10);
        QCOMPARE(StateLogIn, quint8(1));
        // The trace shows both directions of every part; the memo shows the websocket traffic.
        QTRY_VERIFY(ComSet->Memo1->toPlainText().count(QStringLiteral("<< ")) >= 10);
        const QString trace = Form1->Memo1->toPlainText();
        QCOMPARE(int(trace.count(QStringLiteral(" TX STX=02"))), 10);
        QCOMPARE(int(trace.count(QStringLiteral(" RX STX=02"))), 10);

        // Choosing the serial line afterwards closes the websocket: one link at a time.
        ComSet->ComboBox1->insertItem(0, QStringLiteral("/dev/tabulon-no-such-port"));
        ComSet->ComboBox1->setCurrentIndex(0);
        ComSet->ConnectClick();
        QCOMPARE(WB->ConnectionState(), quint8(TWebSockets::Closed));
        QVERIFY(!fx.waitForConnect());
        QCOMPARE(fx.warnings().size(), 1);
    }

    // A relay that drops the link ends the job at once and closes the link; a silent one ends
    // it after the retries and leaves the link open.
    void relayFailuresEndTheJob_data() {
        QTest::addColumn<bool>("drop");
        QTest::addColumn<QString>("warning");
        QTest::newRow("drops") << true << QStringLiteral("INTERROTTO");
        QTest::newRow("silent") << false << QStringLiteral("NON RISPONDE");
    }
    void relayFailuresEndTheJob() {
        QFETCH(bool, drop);
        QFETCH(QString, warning);
        TransferFixture fx;
        ComSet->Timer1->setInterval(2);
        TComSet::CloudReplyTimeoutMs = 150;
        PanelCore core;
        CloudRelay relay(core);
        QVERIFY(relay.start(m_cert));
        if (drop)
            relay.setDropAfter(5);
        else
            relay.setSilent(true);
        RecordingCodec codecs;
        connectFormToRelay(fx, relay, m_cert);
        QVERIFY(ComSet->IsCloudOpen());
        ComSet->RecicleCommand(TabCmdBloccoIns, false);
        QVERIFY(fx.waitForJobEnd(10000));
        QCOMPARE(fx.warnings().size(), 1);
        QVERIFY2(fx.warnings()[0].contains(warning), qPrintable(fx.warnings()[0]));
        QCOMPARE(StateTrasfert, quint8(0));
        QCOMPARE(ComSet->IsLinkOpen(), !drop);
        if (!drop)
            QCOMPARE(relay.messageCount(), MaxAttempts);
    }

    // A part sent again on the cloud link is listed, and selected, in the progress dialog (the
    // serial line's resends are not: test_transfer).
    void aResendOnTheCloudIsListed() {
        TransferFixture fx;
        ComSet->Timer1->setInterval(2);
        TComSet::CloudReplyTimeoutMs = 150;
        PanelCore core;
        core.setFailure(PanelCore::Failure::NoReply, 3, 2); // the third request goes three times
        CloudRelay relay(core);
        QVERIFY(relay.start(m_cert));
        RecordingCodec codecs;
        connectFormToRelay(fx, relay, m_cert);
        QVERIFY(ComSet->IsCloudOpen());
        QStringList selected;
        connect(SendingDlg->ListBox1, &QListWidget::currentRowChanged, this, [&selected](int row) {
            if (row >= 0)
                selected << SendingDlg->ListBox1->item(row)->text();
        });
        ComSet->RecicleCommand(TabCmdBloccoIns, false);
        QVERIFY(fx.waitForJobEnd());
        QCOMPARE(fx.messages(), QStringList{QStringLiteral("Operazione conclusa con successo")});
        QCOMPARE(core.requestsFor(1, 2), 3);
        QStringList lines;
        for (int i = 0; i < SendingDlg->ListBox1->count(); ++i)
            lines << SendingDlg->ListBox1->item(i)->text();
        QCOMPARE(lines.size(), 12);
        QCOMPARE(lines.mid(2, 3),
                 (QStringList{QStringLiteral("Central State part:  2"), QStringLiteral("retry to send..."),
                              QStringLiteral("retry to send...")}));
        QCOMPARE(selected.count(QStringLiteral("retry to send...")), 2);
    }

    void connectFailureIsReported() {
        TransferFixture fx;
        TComSet::CloudConnectTimeoutMs = 3000;
        // A port nobody listens on (the relay is stopped before the attempt).
        quint16 port = 0;
        {
            PanelCore core;
            CloudRelay relay(core);
            QVERIFY(relay.start(m_cert));
            port = relay.port();
        }
        startCloudConnect(port);
        QVERIFY(!fx.waitForConnect());
        QCOMPARE(fx.warnings().size(), 1);
        QVERIFY2(fx.warnings()[0].contains(QStringLiteral("127.0.0.1:%1").arg(port)),
                 qPrintable(fx.warnings()[0]));
        QVERIFY(!ComSet->IsLinkOpen());
        QCOMPARE(ComSet->cloudEndpoint().port, port);
        TComSet::cloudEndpointHook = [] { return CloudEndpoint{QStringLiteral("h"), 0}; };
        QCOMPARE(ComSet->cloudEndpoint().port, quint16(443)); // the default port
    }

    // A connection that cannot be made says why, in the installer's words: the name resolves to
    // nothing, nobody listens on the port, the server refuses the upgrade, nothing answers. Only
    // a server that really closed the connection is said to have closed it.
    void connectFailuresSayWhatHappened_data() {
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("server"); // 0 none (a closed port), 1 refuses the upgrade, 2 mute
        QTest::addColumn<QString>("said");
        QTest::newRow("unknown name")
            << QStringLiteral("nonexistent.invalid") << 0
            << QStringLiteral("server cloud non trovato: il nome \"nonexistent.invalid\"");
        QTest::newRow("closed port") << QStringLiteral("127.0.0.1") << 0
                                     << QStringLiteral("connessione rifiutata: nessun servizio in ascolto");
        QTest::newRow("upgrade refused") << QStringLiteral("127.0.0.1") << 1
                                         << QStringLiteral("il server cloud ha rifiutato il collegamento (");
        QTest::newRow("no answer") << QStringLiteral("127.0.0.1") << 2
                                   << QStringLiteral("il server cloud non risponde");
    }
    void connectFailuresSayWhatHappened() {
        QFETCH(QString, host);
        QFETCH(int, server);
        QFETCH(QString, said);
        TransferFixture fx;
        TComSet::CloudConnectTimeoutMs = server == 2 ? 300 : 10000;
        TWebSockets::setExtraCaCertificates({m_cert.certificate});
        // A TLS server on 127.0.0.1 that answers the upgrade with 401, or never says a word.
        QSslServer tls;
        QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
        ssl.setLocalCertificate(m_cert.certificate);
        ssl.setPrivateKey(m_cert.key);
        ssl.setPeerVerifyMode(QSslSocket::VerifyNone);
        tls.setSslConfiguration(ssl);
        QTcpServer mute;
        connect(&tls, &QSslServer::pendingConnectionAvailable, this, [&] {
            while (QTcpSocket* socket = tls.nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, socket, [socket] {
                    socket->readAll();
                    socket->write("HTTP/1.1 401 Unauthorized\r\nContent-Length: 0\r\n\r\n");
                });
        });
        quint16 port = 443;
        if (server == 1) {
            QVERIFY(tls.listen(QHostAddress::LocalHost));
            port = tls.serverPort();
        } else if (server == 2) {
            QVERIFY(mute.listen(QHostAddress::LocalHost));
            port = mute.serverPort();
        } else if (host == QStringLiteral("127.0.0.1")) {
            QVERIFY(mute.listen(QHostAddress::LocalHost)); // a port just freed: nobody listens on it
            port = mute.serverPort();
            mute.close();
        }
        TComSet::cloudEndpointHook = [host, port] { return CloudEndpoint{host, port}; };
        ComSet->ComboBox1->setCurrentIndex(ComSet->ComboBox1->findText(TComSet::RemoteManagement));
        ComSet->show();
        QTest::mouseClick(ComSet->Connect, Qt::LeftButton);
        QVERIFY(!fx.waitForConnect());
        QCOMPARE(fx.warnings().size(), 1);
        const QString warning = fx.warnings()[0];
        QVERIFY2(warning.startsWith(QStringLiteral("Connessione al server cloud %1:%2 non riuscita: %3")
                                        .arg(host)
                                        .arg(port)
                                        .arg(said)),
                 qPrintable(warning));
        QVERIFY2(!warning.contains(QStringLiteral("chiuso")), qPrintable(warning));
        if (server == 1) // the server's own answer, without the socket's inner names
            QVERIFY2(warning.contains(QStringLiteral("401")) && !warning.contains(QStringLiteral("::")),
                     qPrintable(warning));
        QVERIFY(!ComSet->IsLinkOpen());
        QCOMPARE(ComSet->LabelStato->text(), QStringLiteral("Non connesso"));
    }

    void againstAnotherWebsocketImplementation() {
        const QString script = QFINDTESTDATA("support/ws_relay.py");
        QVERIFY(!script.isEmpty());
        // The system interpreter first: the websockets module comes from its package, and a
        // python3 earlier on the PATH (a per-user installation) may not see it.
        const QString python = QFileInfo::exists(QStringLiteral("/usr/bin/python3"))
                                   ? QStringLiteral("/usr/bin/python3")
                                   : QStringLiteral("python3");
        QProcess probe;
        probe.start(python, {QStringLiteral("-c"), QStringLiteral("import websockets")});
        if (!probe.waitForFinished(10000) || probe.exitStatus() != QProcess::NormalExit ||
            probe.exitCode() != 0)
            QSKIP("python3 with the websockets module is not installed");

        const QByteArray auth =
            TWebSockets::basicAuthorization(QStringLiteral("000111"), QStringLiteral("123456"));
        QProcess relay;
        relay.setProcessChannelMode(QProcess::SeparateChannels);
        relay.start(python, {script, m_cert.certPath, m_cert.keyPath, PanelId, QString::fromLatin1(auth)});
        QVERIFY(relay.waitForStarted(5000));
        QByteArray out;
        QElapsedTimer clock;
        clock.start();
        while (!out.contains('\n') && clock.elapsed() < 10000) {
            relay.waitForReadyRead(200);
            out += relay.readAllStandardOutput();
        }
        QVERIFY2(out.startsWith("PORT "), out.constData() + relay.readAllStandardError());
        const quint16 port = quint16(out.mid(5, out.indexOf('\n') - 5).toUInt());

        TWebSockets::setExtraCaCertificates({m_cert.certificate});
        TWebSockets ws;
        QString error;
        QVERIFY2(connectWs(ws, port, &error), qPrintable(error));
        QByteArray reply;
        const PanelFrame login = PanelFrame::request(CmdLogIn, 0, true, "123456");
        QCOMPARE(ws.Exchange(login.encode(), reply, 5000), SENDOK);
        PanelFrame frame;
        QCOMPARE(decodeSingleFrame(reply, frame), SENDOK);
        QCOMPARE(checkReplyMatches(login, frame), SENDOK);
        QCOMPARE(frame.data, QByteArray(1, char(ERR_ADMIN)));
        const PanelFrame read = PanelFrame::request(9, 2, false, {});
        QCOMPARE(ws.Exchange(read.encode(), reply, 5000), SENDOK);
        QCOMPARE(decodeSingleFrame(reply, frame), SENDOK);
        QCOMPARE(frame.data.size(), 64);
        QCOMPARE(quint8(frame.data[1]), quint8(10));
        ws.Disconnect();

        // Wrong credentials are refused at the upgrade.
        TWebSockets other;
        QVERIFY(!connectWs(other, port, &error, QStringLiteral("999999")));
        relay.kill();
        relay.waitForFinished(3000);
        out += relay.readAllStandardOutput();
        QVERIFY2(out.contains("PATH /ws/admin?centralID=" + PanelId.toLatin1()), out.constData());
        QVERIFY2(out.contains("AUTH " + auth), out.constData());
        QVERIFY2(out.contains("FRAME cmd=9 part=2"), out.constData());
        QVERIFY(!out.contains("BAD"));
    }
};

QTEST_MAIN(TestCloud)
#include "test_cloud.moc"
