// Transfer jobs from start to end against the simulated panel over a pseudo-terminal: job start,
// sequencer, retries, progress, the model check and every ending.
#include "app/splash.h"
#include "link/comset.h"
#include "support/transferfixture.h"
#include "transfer/commands.h"
#include "transfer/sendingdlg.h"
#include "transfer/systemtype.h"
#include "transfer/transferflags.h"
#include "transfer/transferstate.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

namespace {
QStringList listLines() {
    QStringList lines;
    for (int i = 0; i < SendingDlg->ListBox1->count(); ++i)
        lines << SendingDlg->ListBox1->item(i)->text();
    return lines;
}

// Fast ticks and a short reply time-out keep failing jobs quick; the 50 ms tick itself is
// checked in startsNothingWithoutAChoiceOrLink.
void quicken() {
    ComSet->Timer1->setInterval(2);
    ComSet->ScrollBar1->setValue(50);
}

// A simulated panel behind an open serial link, every command with a codec. Failures may be set
// after open(): nothing is asked of the panel before a job starts.
struct Rig {
    TransferFixture fx;
    PanelSimulator sim;
    RecordingCodec codecs;
    bool open(bool fast = true) {
        if (fast)
            quicken();
        return sim.start() && fx.openSerial(sim.portPath());
    }
};

// Counts the paints of the wait window made while the serial port was still closed.
struct PaintWatch : QObject {
    int paintsBeforeOpen = 0;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched == TSplash::currentWaitWindow() &&
            !ComSet->IsSerialOpen())
            ++paintsBeforeOpen;
        return false;
    }
};

TError clockEncoder(int, QByteArray& payload) {
    payload = "TIME";
    return SENDOK;
}
TError throwingEncoder(int, QByteArray&) {
    throw std::runtime_error("bad value");
}
TError oversizedEncoder(int, QByteArray& payload) {
    payload = QByteArray(PanelProtocol::MaxData + 1, 'x');
    return SENDOK;
}
} // namespace

class TestTransfer : public QObject {
    Q_OBJECT
private slots:
    void startsNothingWithoutAChoiceOrLink() {
        TransferFixture fx;
        QCOMPARE(ComSet->Timer1->interval(), 50);
        // No connection chosen: the connection form opens, nothing starts (the same without an
        // open link: test_mainwindow_link).
        QCOMPARE(ComSet->RecicleCommand(TabCmdAllRead, false), false);
        QVERIFY(ComSet->isVisible());
        QVERIFY(!ComSet->Timer1->isActive());
        QVERIFY(!Transfer.active());
        // Stopping the live status without a link has nothing to stop and shows nothing.
        ComSet->hide();
        ComSet->RecicleCommand(TabCmdStopTest, false);
        QVERIFY(!ComSet->isVisible());

        // Open, but a code without a list (the test page) starts nothing either.
        PanelSimulator sim;
        QVERIFY(sim.start());
        QVERIFY(fx.openSerial(sim.portPath()));
        ComSet->RecicleCommand(13, true);
        QVERIFY(!ComSet->Timer1->isActive());
        QCOMPARE(sim.requestCount(), 0);
        QVERIFY(fx.warnings().isEmpty());
    }

    // The port opens only once the wait window is on screen and painted, so a port that blocks
    // while opening never leaves the user before a frozen window with nothing said.
    void serialConnectPaintsTheWaitWindowFirst() {
        TransferFixture fx;
        PanelSimulator sim;
        QVERIFY(sim.start());
        PaintWatch watch;
        qApp->installEventFilter(&watch);
        ComSet->ComboBox1->insertItem(0, sim.portPath());
        ComSet->ComboBox1->setCurrentIndex(0);
        ComSet->ConnectClick();
        QVERIFY(ComSet->IsConnecting() && !ComSet->IsSerialOpen());
        QWidget* wait = TSplash::currentWaitWindow();
        QVERIFY(wait && wait->isVisible());
        QCOMPARE(wait->findChild<QLabel*>()->text(), QStringLiteral("Connecting..."));
        QVERIFY(fx.waitForConnect());
        qApp->removeEventFilter(&watch);
        QVERIFY(watch.paintsBeforeOpen > 0);
        QVERIFY(!TSplash::currentWaitWindow());
        QCOMPARE(ComSet->LabelStato->text(), QStringLiteral("Connesso a ") + sim.portPath());
        QVERIFY(fx.warnings().isEmpty());
    }

    void readJobRunsToSuccess() {
        Rig r;
        QVERIFY(r.open(false));
        auto& [fx, sim, codecs] = r;
        ComSet->RecicleCommand(TabCmdBloccoIns, false);
        QVERIFY(ComSet->Timer1->isActive());
        QVERIFY(fx.waitForJobEnd());

        QCOMPARE(fx.messages(), QStringList{QStringLiteral("Operazione conclusa con successo")});
        QVERIFY(fx.warnings().isEmpty());
        QCOMPARE(fx.pageChanges, 1);
        QCOMPARE(fx.repaints, 1);
        QVERIFY(!fx.timerRunningAtBox); // the box comes after the sequencer stopped
        QCOMPARE(StateTrasfert, quint8(0));
        QCOMPARE(StateLogIn, quint8(1));

        const QStringList lines = listLines();
        QCOMPARE(lines.size(), 10);
        QCOMPARE(lines[0], QStringLiteral("Log In part:  1  ........Ok"));
        QCOMPARE(lines[7], QStringLiteral("Central State part:  7  ........Ok"));
        QCOMPARE(lines[9], QStringLiteral("Configuration: Arming Block part:  2  ........Ok"));
        QCOMPARE(SendingDlg->ProgressBar1->value(), 42);
        QCOMPARE(SendingDlg->ProgressBar2->value(), 2);

        const QList<PanelFrame> reqs = sim.requests();
        QCOMPARE(reqs.size(), 10);
        QCOMPARE(reqs[0].data, QByteArray("123456")); // the login carries the remote code
        QVERIFY(reqs[0].isWrite() && !reqs[1].isWrite());
        QCOMPARE(reqs[9].command(), 42);
        // The status parts were decoded into the panel's description, the block into its codec.
        QCOMPARE(Sys.System, 1);
        QCOMPARE(Sys.SystemName, QStringLiteral("ZEPHRA SIM"));
        QCOMPARE(RecordingCodec::received().value(42 * 256 + 1), sim.memory(42, 1));

        // A new job's first show starts with an empty list.
        ComSet->RecicleCommand(TabCmdBloccoIns, false);
        QVERIFY(fx.waitForJobEnd());
        QCOMPARE(listLines().size(), 10);
    }

    void writeJobSendsEncodedParts() {
        Rig r;
        QVERIFY(r.open());
        auto& [fx, sim, codecs] = r;
        ScopedCodec clock(41, clockEncoder, nullptr);
        ComSet->RecicleCommand(TabCmdtempSend, true);
        QVERIFY(fx.waitForJobEnd());
        QCOMPARE(sim.memory(41, 0), QByteArray("TIME"));
        QCOMPARE(fx.messages(), QStringList{QStringLiteral("Operazione conclusa con successo")});
    }

    // A job the program cannot carry out as asked ends with a warning, never with the success
    // message, and sends nothing it could not frame.
    void jobsThatCannotMoveTheirCommandsFail_data() {
        QTest::addColumn<int>("job");
        QTest::addColumn<bool>("write");
        QTest::addColumn<int>("encoder"); // for command 41: 0 none, 1 throws, 2 too long
        QTest::addColumn<bool>("codecs"); // every other command has a codec
        QTest::addColumn<int>("requests");
        QTest::newRow("write all, nothing encoded") << int(TabCmdAllWrite) << true << 0 << false << 0;
        QTest::newRow("read, nothing decoded") << int(TabCmdBloccoIns) << false << 0 << false << 0;
        QTest::newRow("write without the encoder") << int(TabCmdtempSend) << true << 0 << true << 0;
        QTest::newRow("encoder throws")
            << int(TabCmdtempSend) << true << 1 << true << 0; // found before the handshake
        QTest::newRow("payload does not fit a part") << int(TabCmdtempSend) << true << 2 << true << 8;
    }
    void jobsThatCannotMoveTheirCommandsFail() {
        QFETCH(int, job);
        QFETCH(bool, write);
        QFETCH(int, encoder);
        QFETCH(bool, codecs);
        QFETCH(int, requests);
        TransferFixture fx;
        quicken();
        PanelSimulator sim;
        QVERIFY(sim.start() && fx.openSerial(sim.portPath()));
        RecordingCodec recording(codecs);
        const EncodeFn encoders[] = {nullptr, throwingEncoder, oversizedEncoder};
        ScopedCodec clock(41, encoders[encoder], nullptr);
        ComSet->RecicleCommand(job, write);
        QVERIFY(fx.waitForJobEnd());
        QVERIFY(fx.messages().isEmpty());
        QCOMPARE(fx.warnings().size(), 1);
        QVERIFY2(fx.warnings()[0].contains(QStringLiteral("DATI RICEVUTI NON VALIDI")),
                 qPrintable(fx.warnings()[0]));
        QCOMPARE(fx.repaints, 0);
        QCOMPARE(sim.requestCount(), requests); // the handshake and the identity at most
        QCOMPARE(sim.requestsFor(41, 0), 0);
        QCOMPARE(sim.requestsFor(CmdLogIn, 0), requests ? 1 : 0); // no unframed part went out as a login
    }

    void resendsAPartWithoutReply() {
        Rig r;
        QVERIFY(r.open());
        auto& [fx, sim, codecs] = r;
        sim.setFailure(PanelCore::Failure::NoReply, 3, 2); // part 3 of the status gets no answer twice
        ComSet->RecicleCommand(TabCmdBloccoIns, false);
        QVERIFY(fx.waitForJobEnd());
        QCOMPARE(fx.messages().size(), 1);
        QCOMPARE(sim.requestsFor(1, 2), 3);
        QCOMPARE(Transfer.resends, 2);
        // The serial line's resends are not listed (the cloud link's are: test_cloud).
        QCOMPARE(listLines().count(QStringLiteral("retry to send...")), 0);
        QCOMPARE(listLines().size(), 10);
    }

    void failuresEndWithTheirWarning_data() {
        QTest::addColumn<int>("failure");
        QTest::addColumn<int>("loginStatus");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<int>("requests");
        const QString access = QStringLiteral("CODICE DI TELEGESTIONE NON ACCETTATO");
        QTest::newRow("no reply") << int(PanelCore::Failure::NoReply) << -1 << "123456"
                                  << QStringLiteral("LA CENTRALE NON RISPONDE") << 2 + 4 + MaxAttempts;
        QTest::newRow("wrong checksum") << int(PanelCore::Failure::WrongChecksum) << -1 << "123456"
                                        << QStringLiteral("DATI RICEVUTI NON VALIDI") << 2 + 4 + MaxAttempts;
        QTest::newRow("read answered without data")
            << int(PanelCore::Failure::EmptyReply) << -1 << "123456"
            << QStringLiteral("DATI RICEVUTI NON VALIDI") << 2 + 4 + MaxAttempts;
        QTest::newRow("wrong code") << 0 << -1 << "654321" << access << 1;
        QTest::newRow("invalid code") << 0 << -1 << "12a4" << access << 0;
        QTest::newRow("no code") << 0 << -1 << "" << QStringLiteral("CODICE DI TELEGESTIONE MANCANTE") << 0;
        QTest::newRow("ERR_USER") << 0 << int(ERR_USER) << "123456" << access << 1;
        QTest::newRow("keypad busy") << 0 << int(ERR_USER_KEYBOARD) << "123456"
                                     << QStringLiteral("TASTIERA DELLA CENTRALE IN USO") << 1;
        QTest::newRow("ERR_TELENABLE")
            << 0 << int(ERR_TELENABLE) << "123456" << QStringLiteral("TELEGESTIONE NON ABILITATA") << 1;
        QTest::newRow("ERR_INVALID_PACKET")
            << 0 << int(ERR_INVALID_PACKET) << "123456" << QStringLiteral("DATI RICEVUTI NON VALIDI") << 1;
    }

    void failuresEndWithTheirWarning() {
        QFETCH(int, failure);
        QFETCH(int, loginStatus);
        QFETCH(QString, code);
        QFETCH(QString, warning);
        QFETCH(int, requests);
        Rig r;
        QVERIFY(r.open());
        auto& [fx, sim, codecs] = r;
        fx.remoteCode = code;
        if (failure)
            sim.setFailure(PanelCore::Failure(failure), 6); // from part 4 of the status on
        sim.setLoginStatus(loginStatus);
        ComSet->RecicleCommand(TabCmdBloccoIns, false);
        QVERIFY(fx.waitForJobEnd(10000));

        QCOMPARE(fx.warnings().size(), 1);
        QVERIFY2(fx.warnings()[0].contains(warning), qPrintable(fx.warnings()[0]));
        QVERIFY(fx.messages().isEmpty());
        QCOMPARE(fx.pageChanges, 1);
        QCOMPARE(fx.repaints, 0);
        QVERIFY(!fx.timerRunningAtBox);
        QCOMPARE(StateTrasfert, quint8(0));
        QCOMPARE(StateLogIn, quint8(0));
        QCOMPARE(sim.requestCount(), requests);
    }

    // A reply that loses its tail on the line is damaged data wherever in the job it happens.
    // The remnants of the attempts pile up in the reader: a short reply's soon make up the
    // length it announced and read as damaged, a full part's never do and read as silence,
    // unless a frame still incomplete once a whole frame's line time has passed counts as cut.
    void aReplyCutShortIsDamagedDataWherever_data() {
        QTest::addColumn<int>("from"); // the first request whose reply is cut
        QTest::addColumn<int>("size"); // the data bytes the cut reply announces
        QTest::newRow("the panel's name, at the start") << 2 << 16;
        QTest::newRow("a full part, the 250th on") << 250 << 64;
    }
    void aReplyCutShortIsDamagedDataWherever() {
        QFETCH(int, from);
        QFETCH(int, size);
        Rig r;
        QVERIFY(r.open());
        auto& [fx, sim, codecs] = r;
        sim.setFailure(PanelCore::Failure::ShortFrame, from);
        ComSet->RecicleCommand(TabCmdAllRead, false);
        QVERIFY(fx.waitForJobEnd(30000));
        QCOMPARE(fx.warnings().size(), 1);
        QVERIFY2(fx.warnings()[0].contains(QStringLiteral("DATI RICEVUTI NON VALIDI")),
                 qPrintable(fx.warnings()[0]));
        QVERIFY(fx.messages().isEmpty());
        // Every attempt at that part was cut, and its reply was of the size the row names.
        QCOMPARE(sim.requestCount(), from + MaxAttempts);
        const PanelFrame cut = sim.requests().at(from);
        sim.setFailure(PanelCore::Failure::None);
        PanelFrame whole;
        QCOMPARE(decodeSingleFrame(sim.handle(cut, nullptr), whole), SENDOK);
        QCOMPARE(whole.data.size(), size);
    }

    void serialPortDisappearsMidJob() {
        Rig r;
        QVERIFY(r.open());
        auto& [fx, sim, codecs] = r;
        sim.setFailure(PanelCore::Failure::DropLink, 4);
        ComSet->RecicleCommand(TabCmdBloccoIns, false);
        QVERIFY(fx.waitForJobEnd(10000));
        QCOMPARE(fx.warnings().size(), 1);
        QVERIFY2(fx.warnings()[0].contains(QStringLiteral("COLLEGAMENTO CON LA CENTRALE INTERROTTO")),
                 qPrintable(fx.warnings()[0]));
        QCOMPARE(StateTrasfert, quint8(0));
        // The vanished port is closed, so a new job starts nothing.
        QVERIFY(!ComSet->IsSerialOpen());
        ComSet->RecicleCommand(TabCmdBloccoIns, false);
        QVERIFY(!ComSet->Timer1->isActive());
    }

    void modelMismatchAsks_data() {
        QTest::addColumn<bool>("answer");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }

    void modelMismatchAsks() {
        QFETCH(bool, answer);
        Rig r;
        QVERIFY(r.open());
        auto& [fx, sim, codecs] = r;
        fx.answerYes = answer;
        fx.systemType = 1;
        sim.setModel(3);
        ComSet->RecicleCommand(TabCmdBloccoIns, false);
        QVERIFY(fx.waitForJobEnd());
        QCOMPARE(fx.questions(), QStringList{QStringLiteral(
                                     "ATTENZIONE SI STA UTILIZZANDO UNA CENTRALE\r\nDIFFERENTE DA QUELLA "
                                     "SELEZIONATA IN PRECEDENZA.\r\nCONTINUARE COMUNQUE?")});
        QVERIFY(!fx.timerRunningAtBox);
        QVERIFY(fx.warnings().isEmpty());
        QCOMPARE(Sys.System, 3);
        QCOMPARE(Sys.SystemConfirm, answer);
        QCOMPARE(sim.requestsFor(42, 0), answer ? 1 : 0);
        QCOMPARE(fx.messages().size(), answer ? 1 : 0);

        // Same model, or an installation without a model: no question.
        fx.boxes.clear();
        fx.systemType = 3;
        ComSet->RecicleCommand(TabCmdBloccoIns, false);
        QVERIFY(fx.waitForJobEnd());
        fx.systemType = 0;
        ComSet->RecicleCommand(TabCmdBloccoIns, false);
        QVERIFY(fx.waitForJobEnd());
        QVERIFY(fx.questions().isEmpty());
    }

    void shortListsAfterTheVocabularyMoved() {
        Rig r;
        QVERIFY(r.open());
        auto& [fx, sim, codecs] = r;
        QVERIFY(!ShortList);
        ComSet->RecicleCommand(TabCmdGruppi, false);
        QVERIFY(fx.waitForJobEnd());
        QVERIFY(ShortList);
        QCOMPARE(sim.requestsFor(CmdMessaggi, 46), 1);
        ComSet->RecicleCommand(TabCmdGruppi, false);
        QVERIFY(fx.waitForJobEnd());
        QCOMPARE(sim.requestsFor(CmdMessaggi, 0), 1); // not again
        QCOMPARE(fx.messages().size(), 2);
    }

    void liveStatusLoopsUntilStopped() {
        Rig r;
        QVERIFY(r.open());
        auto& [fx, sim, codecs] = r;
        ComSet->RecicleCommand(TabCmdStartTest, false);
        QTRY_VERIFY_WITH_TIMEOUT(sim.requestsFor(CmdStateCentral, 6) >= 3, 5000);
        QCOMPARE(sim.requestsFor(CmdLogIn, 0), 1); // the loop does not log in again
        QCOMPARE(StateTrasfert, quint8(1));
        // Connecting again ends the running job without a message.
        ComSet->ConnectClick();
        QVERIFY(!Transfer.active());
        QCOMPARE(fx.pageChanges, 1);
        QVERIFY(fx.waitForConnect());
        QVERIFY(fx.boxes.shown.isEmpty());
        QVERIFY(ComSet->IsSerialOpen());
        ComSet->RecicleCommand(TabCmdStartTest, false);
        QTRY_VERIFY_WITH_TIMEOUT(StateTrasfert == 1, 5000);
        // The live-status action switches the timer off, then starts the stop job.
        ComSet->Timer1->stop();
        ComSet->RecicleCommand(TabCmdStopTest, false);
        QVERIFY(fx.waitForJobEnd());
        QVERIFY(fx.messages().isEmpty() && fx.warnings().isEmpty());
        QCOMPARE(fx.pageChanges, 2);
        QCOMPARE(StateTrasfert, quint8(0));
    }

    void keypadReferences() {
        TransferFixture fx;
        fx.inputNames = {QStringLiteral("Porta"), QStringLiteral("Finestra"), QStringLiteral("Garage")};
        fx.outputNames = {QStringLiteral("Sirena"), QStringLiteral("Garage")};
        QCOMPARE(ComSet->GetValM1M2(QStringLiteral("Finestra")), quint8(2));
        QCOMPARE(ComSet->GetValM1M2(QStringLiteral("Garage")), quint8(2 + 128)); // the output wins
        QCOMPARE(ComSet->GetValM1M2(QStringLiteral("Sirena")), quint8(129));
        QCOMPARE(ComSet->GetValM1M2(QStringLiteral("Non Configurato")), quint8(0));
    }
};

QTEST_MAIN(TestTransfer)
#include "test_transfer.moc"
