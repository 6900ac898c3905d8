// Time of a 200-part read job over a pseudo-terminal, with the simulated panel pacing both
// directions at 19200 baud, against the line's own time for the same bytes.
//   1. the sequencer as it runs in the program (one part per 50 ms tick);
//   2. the same exchanges back to back, to show what the link itself adds;
//   3. "Ricevi tutto" and "Invia tutto" of an installation of the largest model, with the codec,
//      over the paced pty and through the local TLS relay (which adds no line time: its
//      figures are set against the serial line time of the same bytes).
#include "link/comset.h"
#include "link/panelframe.h"
#include "link/serialexchange.h"
#include "platform/dialogs.h"
#include "transfer/commands.h"
#include "transfer/sendingdlg.h"
#include "transfer/transferflags.h"
#include "transfer/transferhooks.h"
#include "transfer/transferstate.h"

#include "app/appwiring.h"
#include "link/websockets.h"
#include "model/datamodule.h"
#include "model/lang.h"
#include "platform/dataset.h"
#include "support/cloudrelay.h"
#include "support/panelmemory.h"
#include "support/panelsimulator.h"
#include "support/tempregistry.h"
#include "support/testcert.h"
#include "transfer/codec.h"
#include "transfer/codec_layout.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QSerialPort>
#include <QTimer>
#include <cstdio>

namespace {

// 1 + 7 + 47 + 16 + 16 + 64 + 28 + 14 + 4 + 2 + 1 = 200 parts.
const std::vector<int> Commands = {
    CmdLogIn, CmdStateCentral, CmdMessaggi, 8, 20, CmdLogEventi, 60, 61, 28, 27, 25, CmdStop};

int partsOf(const std::vector<int>& list) {
    int n = 0;
    for (int c : list)
        n += commandInfo(c).parts;
    return n;
}

// The bench measures the link, not the codec: every command of the job applies nothing.
TError ignorePayload(int, const QByteArray&) {
    return SENDOK;
}

double lineSeconds(const PanelCore& core) {
    return double(lineTimeMicros(int(core.bytesIn() + core.bytesOut()))) / 1e6;
}

// The connection form connects in the background: wait for the attempt to end.
bool waitForConnect() {
    QElapsedTimer clock;
    clock.start();
    while (ComSet->IsConnecting() && clock.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return ComSet->IsLinkOpen();
}

// Runs one whole job and prints its figures; false when it did not succeed.
bool timeJob(const char* title, int tab, bool write, const PanelCore& core) {
    const qint64 in0 = core.bytesIn(), out0 = core.bytesOut();
    const int req0 = core.requestCount();
    QElapsedTimer clock;
    clock.start();
    ComSet->RecicleCommand(tab, write);
    while (Transfer.active())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const double total = double(clock.nsecsElapsed()) / 1e9;
    const qint64 in = core.bytesIn() - in0, out = core.bytesOut() - out0;
    const double line = double(lineTimeMicros(int(in + out))) / 1e6;
    std::printf("%-34s %d parts, %lld + %lld bytes, line %.3f s, job %.3f s, ratio %.2f, failed=%s\n", title,
                core.requestCount() - req0, in, out, line, total, total / line,
                Transfer.lastResult == SENDOK ? "no" : terrorName(Transfer.lastResult));
    return Transfer.lastResult == SENDOK;
}

// 3. The whole installation of the largest model, serial and cloud.
int wholeInstallation() {
    TempRegistry registry;
    TDM dm;
    Lang::LanguageRewrite();
    installPanelCodec();
    DM->AddDataSet(6);
    ModelAccess.systemType = [] { return DM->GetSystemType(); };
    ModelAccess.inputNames = [] { return Codec::inputNames(); };
    ModelAccess.outputNames = [] { return QStringList(); };
    ModelAccess.panelId = [] { return QStringLiteral("0123456789ABCDEF0123456789ABCDEF"); };
    ModelAccess.installerCode = [] { return QStringLiteral("000111"); };
    QRandomGenerator rng(1);
    PanelSimulator sim;
    sim.setPacing(true);
    if (!sim.start())
        return 1;
    ComSet = new TComSet; // the keypad and address conversions of the codec are its methods
    SendingDlg = new TSendingDlg;
    PanelMemory::loadRandomPanel(sim, rng);

    ComSet->ComboBox1->insertItem(0, sim.portPath());
    ComSet->ComboBox1->setCurrentIndex(0);
    ComSet->ConnectClick();
    if (!waitForConnect())
        return 2;
    std::printf("largest model (ZOREM), serial at 19200 baud:\n");
    bool ok = timeJob("  Ricevi tutto (read all)", TabCmdAllRead, false, sim);
    ok = timeJob("  Invia tutto (write all)", TabCmdAllWrite, true, sim) && ok;

    QTemporaryDir dir;
    const TestCertificate cert = makeTestCertificate(dir.path());
    if (cert.ok()) {
        CloudRelay relay(sim);
        if (relay.start(cert)) {
            TWebSockets::setExtraCaCertificates({cert.certificate});
            const quint16 port = relay.port();
            TComSet::cloudEndpointHook = [port] { return CloudEndpoint{QStringLiteral("127.0.0.1"), port}; };
            TComSet::cloudCredentialsHook = [] {
                return CloudCredentials{ModelAccess.panelId(), ModelAccess.installerCode(),
                                        ModelAccess.remoteCode()};
            };
            ComSet->ComboBox1->setCurrentIndex(ComSet->ComboBox1->findText(TComSet::RemoteManagement));
            ComSet->ConnectClick();
            if (!waitForConnect())
                std::printf("relay: no connection\n");
            std::printf("largest model, local TLS relay (line = the same bytes at 19200 baud):\n");
            ok = timeJob("  Ricevi tutto (read all)", TabCmdAllRead, false, sim) && ok;
            ok = timeJob("  Invia tutto (write all)", TabCmdAllWrite, true, sim) && ok;
            if (WB)
                WB->Disconnect();
        }
    } else {
        std::printf("relay skipped: %s\n", qPrintable(cert.error));
    }
    delete SendingDlg;
    delete ComSet;
    SendingDlg = nullptr;
    ComSet = nullptr;
    return ok ? 0 : 3;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    BoxAnswerer boxes; // no box may stop the clock
    boxes.responder = [](const ShownBox& b) -> QVariant {
        if (b.type == MsgDlgType::Warning && (b.buttons & mbYesNo) != mbYesNo)
            std::fprintf(stderr, "warning: %s\n", qPrintable(b.text));
        return {};
    };
    ModelAccess.remoteCode = [] { return QStringLiteral("123456"); };
    ModelAccess.systemType = [] { return 1; };

    const int parts = partsOf(Commands);
    std::printf("job: %d parts\n", parts);

    // 1. The sequencer.
    {
        PanelSimulator sim;
        sim.setPacing(true);
        if (!sim.start())
            return 1;
        ComSet = new TComSet;
        SendingDlg = new TSendingDlg;
        ComSet->ComboBox1->insertItem(0, sim.portPath());
        ComSet->ComboBox1->setCurrentIndex(0);
        for (const int cmd : Commands)
            if (cmd > CmdStateCentral && cmd != CmdStop)
                setCommandCodec(cmd, nullptr, ignorePayload);
        ComSet->ConnectClick();
        while (ComSet->IsConnecting())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        if (!ComSet->IsSerialOpen())
            return 2;
        ComSet->RecicleCommand(TabCmdEventi, false); // any list: replaced below
        Transfer.list = Commands;
        QElapsedTimer clock;
        clock.start();
        while (Transfer.active())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        const double total = double(clock.nsecsElapsed()) / 1e9;
        const double line = lineSeconds(sim);
        std::printf("sequencer (50 ms tick): %d requests, %lld + %lld bytes, line %.3f s, total %.3f s, "
                    "ratio %.2f, failed=%s\n",
                    sim.requestCount(), sim.bytesIn(), sim.bytesOut(), line, total, total / line,
                    Transfer.lastResult == SENDOK ? "no" : terrorName(Transfer.lastResult));
        delete SendingDlg;
        delete ComSet;
    }

    // 2. The same parts back to back, without the tick.
    {
        PanelSimulator sim;
        sim.setPacing(true);
        if (!sim.start())
            return 1;
        QSerialPort port;
        if (!openPanelPort(port, sim.portPath(), nullptr))
            return 2;
        QElapsedTimer clock;
        clock.start();
        int failures = 0;
        FrameReceiver rx;
        quint8 sequence = 0;
        for (int cmd : Commands) {
            for (int part = 0; part < commandInfo(cmd).parts; ++part) {
                const bool write = cmd == CmdLogIn;
                PanelFrame request = PanelFrame::request(cmd, part, write, write ? "123456" : "");
                request.sequence = ++sequence;
                PanelFrame reply;
                if (serialExchange(port, request, 180, reply, {}, &rx) != SENDOK)
                    ++failures;
            }
        }
        const double total = double(clock.nsecsElapsed()) / 1e9;
        const double line = lineSeconds(sim);
        std::printf(
            "exchange back to back:  %d requests, line %.3f s, total %.3f s, ratio %.2f, failures %d\n",
            sim.requestCount(), line, total, total / line, failures);
    }
    return wholeInstallation();
}
