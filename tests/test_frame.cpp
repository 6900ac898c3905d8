// The panel frame, its checksum, the reader of line bytes, the cloud envelope and one serial
// exchange against the simulated panel.
#include "link/cloudenvelope.h"
#include "link/panelframe.h"
#include "link/serialexchange.h"
#include "link/tracewindow.h"
#include "link/wiretext.h"
#include "support/panelsimulator.h"

#include <QRandomGenerator>
#include <QSerialPort>
#include <QTest>
#include <unistd.h>

namespace {
// Takes findings out of the reader until a frame; damaged candidates on the way are skipped.
bool drainUntilFrame(FrameReceiver& rx, PanelFrame& out) {
    for (;;) {
        const auto r = rx.next(out);
        if (r != FrameReceiver::Result::Corrupt)
            return r == FrameReceiver::Result::Frame;
    }
}
} // namespace

class TestFrame : public QObject {
    Q_OBJECT
private slots:
    void encodesFieldsAndChecksum() {
        const PanelFrame f = PanelFrame::request(6, 3, true, QByteArray("\x01\x02\x03", 3));
        const QByteArray b = f.encode();
        // STX ADDR LEN CMD1(write bit + part) CMD2 SEQ DATA CRC(high, low) ETX.
        QCOMPARE(b, QByteArray("\x02\x00\x03\x83\x06\x00\x01\x02\x03\x5F\xC8\x03", 12));
        QVERIFY(f.isWrite() && !f.isReply());
        QCOMPARE(f.part(), 3);
        // The reply repeats address, direction, part, command and sequence, with the reply marker.
        PanelFrame req = PanelFrame::request(6, 3, false, {});
        req.sequence = 0x41;
        const PanelFrame reply = PanelFrame::replyTo(req, "z");
        QVERIFY(reply.isReply());
        QCOMPARE(reply.command(), 6);
        QCOMPARE(reply.sequence, quint8(0x41));
        QCOMPARE(quint8(reply.encode()[4]), quint8(0x86));
    }

    // The CRC catches what a byte sum lets through: two bytes swapped, and a byte raised while
    // another is lowered by as much.
    void crcCatchesSwapsAndCompensatingDamage() {
        QCOMPARE(frameCrc16("123456789", 9), quint16(0x29B1)); // the standard check value
        const QByteArray good = PanelFrame::request(20, 2, true, QByteArray("ABCDEFGH")).encode();
        QList<QByteArray> damaged;
        for (int i = 1; i + 1 < good.size() - 3; ++i) {
            QByteArray swapped = good;
            std::swap(swapped[i], swapped[i + 1]);
            if (swapped != good)
                damaged << swapped;
            QByteArray compensated = good;
            compensated[i] = char(compensated[i] + 1);
            compensated[i + 1] = char(compensated[i + 1] - 1);
            damaged << compensated;
        }
        for (const QByteArray& bad : damaged) {
            PanelFrame out;
            QCOMPARE(decodeSingleFrame(bad, out) == SENDOK, false);
        }
    }

    void refusesOversizedRequests() {
        bool ok = true;
        PanelFrame::request(2, 0, true, QByteArray(65, 'x'), &ok);
        QVERIFY(!ok);
        PanelFrame::request(2, 128, false, {}, &ok);
        QVERIFY(!ok);
        PanelFrame::request(2, 127, true, QByteArray(64, 'x'), &ok);
        QVERIFY(ok);
        // An empty read request is the 7-byte minimum.
        QCOMPARE(PanelFrame::request(1, 0, false, {}).encode().size(), PanelProtocol::Overhead);
    }

    void receiverFindsFramesInSplitAndNoisyInput() {
        const QByteArray a = PanelFrame::request(1, 2, false, QByteArray(64, '\x02')).encode();
        const QByteArray b = PanelFrame::request(7, 0, true, QByteArray("\x03\x02", 2)).encode();
        FrameReceiver rx;
        PanelFrame out;
        // Noise first, then a frame fed one byte at a time: nothing until its last byte.
        rx.feed(QByteArray("\xFF\x41\x00", 3));
        for (int i = 0; i < a.size() - 1; ++i) {
            rx.feed(a.constData() + i, 1);
            QCOMPARE(rx.next(out), FrameReceiver::Result::Incomplete);
        }
        rx.feed(a.right(1));
        QCOMPARE(rx.next(out), FrameReceiver::Result::Frame);
        QCOMPARE(out.command(), 1);
        QCOMPARE(out.part(), 2);
        QCOMPARE(out.data, QByteArray(64, '\x02'));
        QCOMPARE(rx.noiseBytes(), 3);
        // An STX followed by an impossible length is skipped; the real frame behind it is found.
        // So is a start announcing 64 bytes when only a short frame follows.
        rx.feed(QByteArray("\x02\x00\xF0\x02\x00\x40", 6) + b + a);
        QVERIFY(drainUntilFrame(rx, out));
        QCOMPARE(out.command(), 7);
        QCOMPARE(out.data, QByteArray("\x03\x02", 2));
        QVERIFY(drainUntilFrame(rx, out));
        QCOMPARE(out.command(), 1);
        QCOMPARE(rx.next(out), FrameReceiver::Result::Incomplete);
        // A valid frame behind hundreds of noise bytes in one read.
        QByteArray burst(700, '\x02');
        for (int i = 0; i < burst.size(); i += 3)
            burst[i + 1] = char(i & 0x3F);
        rx.feed(burst + b);
        QVERIFY(drainUntilFrame(rx, out));
        QCOMPARE(out.command(), 7);
        QVERIFY(rx.buffered() <= 2 * PanelProtocol::MaxFrame);
    }

    void receiverReportsDamagedFrames() {
        const QByteArray good = PanelFrame::request(9, 1, false, QByteArray("abc")).encode();
        for (int which : {6, 9, 11}) { // a data byte, the CRC, the end byte
            QByteArray bad = good;
            bad[which] = char(bad[which] ^ 0x10);
            FrameReceiver rx;
            PanelFrame out;
            rx.feed(bad);
            QCOMPARE(rx.next(out), FrameReceiver::Result::Corrupt);
            QCOMPARE(rx.lastRaw(), bad);
            // The reader resynchronises after a damaged frame: the good one that follows is found.
            rx.feed(good);
            QVERIFY(drainUntilFrame(rx, out));
            QCOMPARE(out.data, QByteArray("abc"));
        }
        PanelFrame out;
        QCOMPARE(decodeSingleFrame(good + "x", out), INVALID_PACKET);
        QCOMPARE(decodeSingleFrame(good.left(6), out), INVALID_PACKET);
        QCOMPARE(decodeSingleFrame(good, out), SENDOK);
    }

    void receiverSurvivesArbitraryBytes() {
        QRandomGenerator rng(4711);
        FrameReceiver rx;
        for (int round = 0; round < 20000; ++round) {
            QByteArray chunk(int(rng.bounded(1, 200)), '\0');
            for (char& c : chunk) // many STX and small lengths, so that frame starts are common
                c = char(rng.bounded(8) == 0 ? 0x02 : rng.bounded(256));
            rx.feed(chunk);
            PanelFrame out;
            for (;;) {
                const auto r = rx.next(out);
                if (r == FrameReceiver::Result::Incomplete)
                    break;
                if (r == FrameReceiver::Result::Frame)
                    QVERIFY(out.data.size() <= PanelProtocol::MaxData);
            }
            QVERIFY(rx.buffered() <= 4 * PanelProtocol::MaxFrame);
        }
    }

    void replyMustAnswerTheRequest() {
        PanelFrame req = PanelFrame::request(12, 5, false, {});
        req.sequence = 7;
        const PanelFrame reply = PanelFrame::replyTo(req, "x");
        QCOMPARE(checkReplyMatches(req, reply), SENDOK);
        QCOMPARE(classifyReply(req, reply), ReplyKind::Answer);
        // Another part, command, direction or panel, or a read answered without data.
        const std::function<void(PanelFrame&)> wrong[] = {
            [](PanelFrame& f) { f.command1 = 6; },
            [](PanelFrame& f) { f.command2 = 13 | PanelProtocol::ReplyBit; },
            [](PanelFrame& f) { f.command1 |= PanelProtocol::WriteBit; },
            [](PanelFrame& f) { f.address = 1; }, [](PanelFrame& f) { f.data.clear(); }};
        for (const auto& change : wrong) {
            PanelFrame other = reply;
            change(other);
            QCOMPARE(checkReplyMatches(req, other), INVALID_PACKET);
        }
        // An echo of the request and a reply to an earlier attempt are not answers at all.
        PanelFrame late = reply;
        late.sequence = 6;
        QCOMPARE(classifyReply(req, req), ReplyKind::Foreign);
        QCOMPARE(classifyReply(req, late), ReplyKind::Foreign);
        QCOMPARE(checkReplyMatches(req, req), INVALID_PACKET);
        // A write is acknowledged without data.
        PanelFrame write = PanelFrame::request(12, 5, true, "abc");
        QCOMPARE(checkReplyMatches(write, PanelFrame::replyTo(write, {})), SENDOK);
    }

    void envelopeRoundTripAndDamage() {
        CloudEnvelope env;
        env.kind = CloudEnvelope::Reply;
        env.sequence = 0xBEEF;
        env.panelId = "0123456789ABCDEF0123456789ABCDEF";
        env.frame = PanelFrame::request(3, 1, false, QByteArray(64, 'z')).encode();
        const QByteArray bytes = env.encode();
        QCOMPARE(bytes.size(), 263);
        QCOMPARE(bytes.mid(5, 32), env.panelId);
        CloudEnvelope back;
        QCOMPARE(CloudEnvelope::fromBase64Text(env.toBase64Text(), back), SENDOK);
        QCOMPARE(back.kind, CloudEnvelope::Reply);
        QCOMPARE(back.sequence, quint16(0xBEEF));
        QCOMPARE(back.panelId, env.panelId);
        QCOMPARE(back.frame, env.frame);

        QByteArray bad = bytes;
        bad[100] = char(bad[100] ^ 1);
        QCOMPARE(CloudEnvelope::decode(bad, back), DATACORRUPT); // CRC
        QCOMPARE(CloudEnvelope::decode(bytes.left(262), back), DATACORRUPT);
        QCOMPARE(CloudEnvelope::fromBase64Text("@@not base64@@", back), DATACORRUPT);
        env.frame = QByteArray(CloudEnvelope::FrameArea + 1, 'x');
        QVERIFY(env.encode().isEmpty());
        QCOMPARE(crc32Ieee("123456789", 9), 0xCBF43926u); // the standard check value

        QVERIFY(isValidPanelId(QStringLiteral("0123456789abcdef0123456789ABCDEF")));
        QVERIFY(!isValidPanelId(QStringLiteral("0123456789abcdef0123456789ABCDE")));
        QVERIFY(!isValidPanelId(QStringLiteral("0123456789abcdef0123456789ABCD&x")));
    }

    void wireTextSlots() {
        const QByteArray slot = toWireSlot(QStringLiteral("Città €"), 16);
        QCOMPARE(slot.size(), 16);
        QCOMPARE(quint8(slot[4]), quint8(0xE0));
        QCOMPARE(quint8(slot[6]), quint8(0x80));
        QCOMPARE(slot.mid(7), QByteArray(9, '\0'));
        QCOMPARE(fromWireSlot(slot), QStringLiteral("Città €"));
        QCOMPARE(toWireSlot(QStringLiteral("ABCDEFGHIJKLMNOPQRS"), 16), QByteArray("ABCDEFGHIJKLMNOP"));
        QCOMPARE(toWire1252(QStringLiteral("日")), QByteArray("?"));
    }

    void traceDescribesFields() {
        const QByteArray b = PanelFrame::request(6, 1, true, QByteArray("\x01\x02", 2)).encode();
        const QString d = TForm1::describeFrame(b);
        QVERIFY2(d.startsWith(QStringLiteral(
                     "STX=02 ADDR=00 LEN=2 CMD1=81 (W part 1) CMD2=06 (cmd 6) SEQ=00 DATA=[01 02]")),
                 qPrintable(d));
        QCOMPARE(TForm1::describeFrame(QByteArray("\x41\x42", 2)), QStringLiteral("RAW=[41 42]"));

        TForm1 trace;
        trace.TraceFrame(true, b, true); // hidden: nothing written
        QVERIFY(trace.Memo1->toPlainText().isEmpty());
        trace.show();
        trace.TraceFrame(true, b, true);
        trace.TraceFrame(false, QByteArray("\x02\x00", 2), false);
        const QStringList lines = trace.Memo1->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].contains(QStringLiteral(" TX STX=02")));
        QVERIFY(lines[1].contains(QStringLiteral(" RX (non valido) RAW=[02 00]")));
    }

    void serialExchangeAgainstSimulator() {
        PanelSimulator sim;
        QVERIFY(sim.start());
        QSerialPort port;
        QString message;
        QVERIFY2(openPanelPort(port, sim.portPath(), &message), qPrintable(message));
        QCOMPARE(port.baudRate(), 19200);

        QList<bool> traced;
        PanelFrame reply;
        const PanelFrame req = PanelFrame::request(8, 4, false, {});
        QCOMPARE(serialExchange(port, req, 200, reply,
                                [&](bool sent, const QByteArray&, bool valid) { traced << sent << valid; }),
                 SENDOK);
        QCOMPARE(reply.data, PanelCore::defaultPart(8, 4));
        QCOMPARE(traced, (QList<bool>{true, true, false, true}));

        // A write is stored and acknowledged with an empty reply.
        const PanelFrame write = PanelFrame::request(8, 4, true, QByteArray("hello"));
        QCOMPARE(serialExchange(port, write, 200, reply), SENDOK);
        QVERIFY(reply.data.isEmpty());
        QCOMPARE(sim.memory(8, 4), QByteArray("hello"));
    }

    // The reply time-out is the panel's thinking time: the line time of the request and of a
    // longest reply (73 bytes) come on top of it. On a line paced at 19200 baud a 64-byte write
    // (a 73-byte frame, 38 ms) and its acknowledgement (9 bytes, 5 ms) take 43 ms: with no
    // time-out at all the acknowledgement still comes within the deadline, the line time of
    // 73 + 73 bytes (76 ms). A deadline without the line time, or with only the request's or
    // only the reply's share of it (38 ms), ends before the acknowledgement is through.
    void theDeadlineCoversTheLineTime() {
        PanelSimulator sim;
        sim.setPacing(true);
        QVERIFY(sim.start());
        QSerialPort port;
        QVERIFY(openPanelPort(port, sim.portPath(), nullptr));
        const PanelFrame write = PanelFrame::request(8, 4, true, QByteArray(64, 'w'));
        QCOMPARE(write.encode().size(), 73);
        PanelFrame reply;
        QCOMPARE(serialExchange(port, write, 0, reply), SENDOK);
        QVERIFY(reply.data.isEmpty());
        QCOMPARE(sim.memory(8, 4), QByteArray(64, 'w'));
    }

    void serialExchangeFailures_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("expected");
        QTest::newRow("no reply") << int(PanelCore::Failure::NoReply) << int(LOGTIMEOUT);
        QTest::newRow("wrong checksum") << int(PanelCore::Failure::WrongChecksum) << int(DATACORRUPT);
        QTest::newRow("garbage") << int(PanelCore::Failure::Garbage) << int(DATACORRUPT);
        QTest::newRow("wrong part") << int(PanelCore::Failure::WrongPart) << int(INVALID_PACKET);
        QTest::newRow("read answered without data")
            << int(PanelCore::Failure::EmptyReply) << int(INVALID_PACKET);
    }

    void serialExchangeFailures() {
        QFETCH(int, mode);
        QFETCH(int, expected);
        PanelSimulator sim;
        QVERIFY(sim.start());
        sim.setFailure(PanelCore::Failure(mode), 0, 1);
        QSerialPort port;
        QVERIFY(openPanelPort(port, sim.portPath(), nullptr));
        PanelFrame reply;
        FrameReceiver rx; // the link's reader, kept across attempts
        PanelFrame request = PanelFrame::request(5, 0, false, {});
        request.sequence = 1;
        QCOMPARE(int(serialExchange(port, request, 100, reply, {}, &rx)), expected);
        // The next attempt is answered normally: no stale bytes are taken for its reply.
        request.sequence = 2;
        QCOMPARE(serialExchange(port, request, 100, reply, {}, &rx), SENDOK);
        QCOMPARE(reply.data, PanelCore::defaultPart(5, 0));
    }

    void serialPortVanishing() {
        PanelSimulator sim;
        QVERIFY(sim.start());
        QSerialPort port;
        QVERIFY(openPanelPort(port, sim.portPath(), nullptr));
        PanelFrame reply;
        QCOMPARE(serialExchange(port, PanelFrame::request(5, 0, false, {}), 100, reply), SENDOK);
        sim.dropLink();
        QTRY_VERIFY(sim.lineDead());
        const TError r = serialExchange(port, PanelFrame::request(5, 1, false, {}), 100, reply);
        QVERIFY2(r == SENDFAULT || r == LOGTIMEOUT, terrorName(r));
    }

    void openErrorNamesPortAndReason() {
        QSerialPort port;
        QString message;
        QVERIFY(!openPanelPort(port, QStringLiteral("/dev/tabulon-no-such-port"), &message));
        QVERIFY2(message.contains(QStringLiteral("/dev/tabulon-no-such-port")), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("non esiste")), qPrintable(message));
        QVERIFY(!port.isOpen());

        // Permission: a device node the user may not open. Root opens anything, so only as a user.
        if (::getuid() == 0)
            return;
        PanelSimulator sim;
        QVERIFY(sim.start());
        QFile::setPermissions(sim.portPath(), QFileDevice::ReadOwner);
        QVERIFY(!openPanelPort(port, sim.portPath(), &message));
        QVERIFY2(message.contains(QStringLiteral("permesso negato")), qPrintable(message));
    }
};

QTEST_MAIN(TestFrame)
#include "test_frame.moc"
