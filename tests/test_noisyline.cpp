// A whole read job over a line that misbehaves: a serial line with stray bytes, echoes and noise,
// a slow panel, and a cloud relay that mixes foreign, damaged and oversized messages into the
// replies. What the line adds must cost nothing; what is not the panel's answer is never taken
// for it, not even the panel's answer to an earlier attempt at the same part.
#include "link/comset.h"
#include "link/websockets.h"
#include "support/cloudrelay.h"
#include "support/transferfixture.h"
#include "transfer/commands.h"
#include "transfer/transferstate.h"

#include <QComboBox>
#include <QScrollBar>
#include <QSslSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using Failure = PanelCore::Failure;
using Prelude = CloudRelay::Prelude;

class TestNoisyLine : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    TestCertificate m_cert;

    // Opens the job's line to `sim`: through `relay` over the cloud, else over serial.
    void openLine(bool cloud, PanelSimulator& sim, CloudRelay& relay, TransferFixture& fx) {
        if (cloud) {
            QVERIFY(relay.start(m_cert));
            TWebSockets::setExtraCaCertificates({m_cert.certificate});
            const quint16 port = relay.port();
            TComSet::cloudEndpointHook = [port] { return CloudEndpoint{QStringLiteral("127.0.0.1"), port}; };
            ComSet->ComboBox1->setCurrentIndex(ComSet->ComboBox1->findText(TComSet::RemoteManagement));
            ComSet->ConnectClick();
            QVERIFY(fx.waitForConnect());
        } else {
            QVERIFY(sim.start());
            QVERIFY(fx.openSerial(sim.portPath()));
        }
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        if (QSslSocket::supportsSsl())
            m_cert = makeTestCertificate(m_dir.path());
    }

    void cleanup() { restoreCloudLinkDefaults(); }

    void readJobOverANoisyLine_data() {
        QTest::addColumn<bool>("cloud");
        QTest::addColumn<int>("failure");     // on the serial line, every reply
        QTest::addColumn<int>("prelude");     // from the relay, before every reply
        QTest::addColumn<bool>("slow");       // the panel answers only after the reply time-out
        QTest::addColumn<QString>("warning"); // empty: the job succeeds with the panel's data
        // The first request after the handshake is answered with the reply to the attempt before
        // (only the attempt's number differs): it costs that attempt, and is never taken.
        const int stale = int(Failure::StaleReply);
        QTest::newRow("serial: stale reply") << false << stale << int(Prelude::None) << false << QString();
        QTest::newRow("cloud: stale reply") << true << stale << int(Prelude::None) << false << QString();
        const QString noReply = QStringLiteral("LA CENTRALE NON RISPONDE");
        const int none = int(Prelude::None);
        QTest::newRow("serial: stray STX") << false << int(Failure::StrayStx) << none << false << QString();
        QTest::newRow("serial: echoing line") << false << int(Failure::Echo) << none << false << QString();
        QTest::newRow("serial: noise in the same read")
            << false << int(Failure::NoiseBurst) << none << false << QString();
        QTest::newRow("serial: slow panel") << false << int(Failure::None) << none << true << noReply;
        QTest::newRow("cloud: not base64 first")
            << true << int(Failure::None) << int(Prelude::NotBase64) << false << QString();
        QTest::newRow("cloud: echoed request")
            << true << int(Failure::None) << int(Prelude::EchoRequest) << false << QString();
        QTest::newRow("cloud: foreign panel id")
            << true << int(Failure::None) << int(Prelude::ForeignPanel) << false << QString();
        QTest::newRow("cloud: slow panel") << true << int(Failure::None) << none << true << noReply;
        QTest::newRow("cloud: oversized message")
            << true << int(Failure::None) << int(Prelude::Oversized) << false
            << QStringLiteral("COLLEGAMENTO CON LA CENTRALE INTERROTTO");
    }

    void readJobOverANoisyLine() {
        QFETCH(bool, cloud);
        QFETCH(int, failure);
        QFETCH(int, prelude);
        QFETCH(bool, slow);
        QFETCH(QString, warning);
        if (cloud && !m_cert.ok())
            QSKIP("no TLS backend or no openssl to make a certificate");

        TransferFixture fx;
        RecordingCodec codecs;
        ComSet->Timer1->setInterval(2);
        // Generous time-outs, so that only the line's tricks could cost an attempt; short ones
        // where the panel is to be too slow for them.
        ComSet->ScrollBar1->setValue(slow ? 50 : 1000);
        TComSet::CloudReplyTimeoutMs = slow ? 150 : 5000;
        PanelSimulator sim; // the panel; over the cloud its answers go through the relay
        if (slow)
            sim.setReplyDelayMs(3 * (cloud ? TComSet::CloudReplyTimeoutMs : 100));
        if (Failure(failure) == Failure::StaleReply)
            sim.setFailure(Failure::StaleReply, 1, 1);
        else
            sim.setFailure(Failure(failure));
        CloudRelay relay(sim);
        relay.setPrelude(Prelude(prelude));
        openLine(cloud, sim, relay, fx);
        if (QTest::currentTestFailed())
            return;

        ComSet->RecicleCommand(TabCmdBloccoIns, false);
        QVERIFY(fx.waitForJobEnd(20000));
        if (warning.isEmpty()) {
            QVERIFY2(fx.warnings().isEmpty(), qPrintable(fx.warnings().join(QLatin1Char('\n'))));
            QCOMPARE(fx.messages(), QStringList{QStringLiteral("Operazione conclusa con successo")});
            // Nothing the line added cost an attempt, but a stale reply: then the same part
            // went out once more and its own answer was taken.
            QCOMPARE(Transfer.resends, Failure(failure) == Failure::StaleReply ? 1 : 0);
            // What was applied is the panel's own data, not what the line or a stranger sent.
            for (int part = 0; part < 2; ++part)
                QCOMPARE(RecordingCodec::received().value(42 * 256 + part), sim.memory(42, part));
        } else {
            QVERIFY(fx.messages().isEmpty());
            QCOMPARE(fx.warnings().size(), 1);
            QVERIFY2(fx.warnings()[0].contains(warning), qPrintable(fx.warnings()[0]));
            QVERIFY(RecordingCodec::received().isEmpty());
        }
        if (slow) // every attempt of the handshake was sent, and none of the late replies taken
            QTRY_COMPARE(sim.requestsFor(CmdLogIn, 0), MaxAttempts);
    }
};

QTEST_MAIN(TestNoisyLine)
#include "test_noisyline.moc"
