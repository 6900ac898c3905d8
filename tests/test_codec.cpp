// The configuration codec end to end: every model written to the simulated panel and read back
// into a fresh installation over the pseudo-terminal, page jobs moving only their own commands,
// reads that fail at any stage leaving the installation untouched, bad replies, the event log
// and the live status.
#include "app/appwiring.h"
#include "link/comset.h"
#include "link/websockets.h"
#include "model/datamodule.h"
#include "model/lang.h"
#include "platform/dataset.h"
#include "support/cloudrelay.h"
#include "support/installationdump.h"
#include "support/panelmemory.h"
#include "support/tempregistry.h"
#include "support/testcert.h"
#include "support/transferfixture.h"
#include "transfer/codec.h"
#include "transfer/codec_eventlog.h"
#include "transfer/codec_layout.h"
#include "transfer/codec_livestatus.h"
#include "transfer/codec_staging.h"
#include "transfer/commands.h"
#include "transfer/panelstatus.h"
#include "transfer/transferflags.h"
#include "transfer/transferhooks.h"
#include "transfer/transferstate.h"

#include <QComboBox>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QSslSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const char* const Success = "Operazione conclusa con successo";

// A data module with the vocabulary, the transfer windows and a simulated panel on a pty.
struct Rig {
    TempRegistry registry;
    TDM dm;
    TransferFixture fx;
    PanelSimulator sim;
    QRandomGenerator rng{20261206};

    Rig() {
        Lang::LanguageRewrite();
        installPanelCodec();
        ModelAccess.systemType = [] { return DM->GetSystemType(); };
        ModelAccess.inputNames = [] { return Codec::inputNames(); };
        ModelAccess.outputNames = [] {
            QStringList n;
            for (int r = 1; r <= DM->CDSet_Uscite->recordCount(); ++r)
                n << DM->CDSet_Uscite->stringAt(
                    r, DM->CDSet_Uscite->fieldByName(QStringLiteral("_Nome")).index());
            return n;
        };
    }
    bool open() {
        ComSet->Timer1->setInterval(1);
        ComSet->ScrollBar1->setValue(50);
        return sim.start() && fx.openSerial(sim.portPath());
    }
    // Runs one job to its end; true when it ended with the success message.
    bool run(int tab, bool write) {
        const int before = int(fx.messages().size());
        ComSet->RecicleCommand(tab, write);
        if (!fx.waitForJobEnd(60000))
            return false;
        const bool ok = fx.messages().size() == before + 1 && fx.messages().back() == QLatin1String(Success);
        if (!ok && !fx.warnings().isEmpty() && !sim.requests().isEmpty())
            qInfo("job %d ended at command %d part %d with: %s", tab, sim.requests().back().command(),
                  sim.requests().back().part(), qPrintable(fx.warnings().back()));
        return ok;
    }
    QMap<int, QByteArray> loadRandomPanel() { return PanelMemory::loadRandomPanel(sim, rng); }
    // Runs a job and says what it moved against the panel's documented command shapes.
    QStringList runShaped(int tab, bool write) {
        const int from = sim.requestCount();
        if (!run(tab, write))
            return {QStringLiteral("job %1 failed").arg(tab)};
        return PanelMemory::shapeFaults(sim, from, jobList(tab)->full, write);
    }
};

// The page job that moves a command.
int pageOf(int command) {
    for (const JobList& j : allJobLists())
        if (j.tabCmd <= TapCmdParametriGPRS && std::count(j.full.begin(), j.full.end(), command))
            return j.tabCmd;
    return command == CmdLogEventi ? TabCmdEventi : TabCmdAllRead;
}

class RecordingSink : public PanelStatusSink {
public:
    int updates = 0, open = 0;
    QList<bool> lamps = QList<bool>(4), inputs = QList<bool>(kInputs), outputs = QList<bool>(kOutputs);
    QString operatorName;
    int battery = -1, gsmSignal = -1;
    QList<QPair<int, int>> levels400 = QList<QPair<int, int>>(kRadio400, {-1, -1}); // battery, signal
    bool tamper800 = false;
    int battery800 = -1;
    void beginUpdate() override { ++open; }
    void endUpdate() override {
        --open;
        ++updates;
    }
    void setStatusLamp(StatusLamp l, bool on) override { lamps[l] = on; }
    void setInputLamp(int i, bool on) override { inputs[i] = on; }
    void setOutputLamp(int o, bool on) override { outputs[o] = on; }
    void setGsmOperator(const QString& n) override { operatorName = n; }
    void setGsmCredit(const QString&) override {}
    void setGsmSignal(int p) override { gsmSignal = p; }
    void setBattery(int p) override { battery = p; }
    void setRadio400Lamp(int, Radio400Lamp, bool) override {}
    void setRadio400Levels(int d, int b, int s) override { levels400[d] = {b, s}; }
    void setRadio800Flag(Radio800Kind k, int slot, Radio800Flag f, bool on) override {
        if (k == Remote && slot == 0 && f == Tamp)
            tamper800 = on;
    }
    void setRadio800Levels(Radio800Kind k, int slot, int b, int) override {
        if (k == Remote && slot == 0)
            battery800 = b;
    }
    void setRadio800Name(Radio800Kind, int, const QString&) override {}
};

} // namespace

class TestCodec : public QObject {
    Q_OBJECT
private slots:
    void everyModelTravelsBothWays_data() {
        QTest::addColumn<int>("model");
        for (int m = 1; m <= 6; ++m)
            QTest::addRow("%s", qPrintable(Lang::CSL_MainCentral_Combo.value(m))) << m;
    }
    void everyModelTravelsBothWays() {
        QFETCH(int, model);
        Rig rig;
        QVERIFY(rig.open());
        DM->AddDataSet(model);
        const QMap<int, QByteArray> panel = rig.loadRandomPanel();

        // Read all: the installation takes everything the panel holds, asking for exactly the
        // documented parts...
        QStringList faults = rig.runShaped(TabCmdAllRead, false);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
        // ...and gives back exactly those bytes, in parts of the documented sizes, when written
        // to a reset panel.
        PanelMemory::loadFreshPanel(rig.sim, model);
        faults = rig.runShaped(TabCmdAllWrite, true);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
        for (auto it = panel.begin(); it != panel.end(); ++it)
            QVERIFY2(PanelMemory::stream(rig.sim, it.key()) == it.value(),
                     qPrintable(QStringLiteral("command %1").arg(it.key())));
    }

    void pageJobsMoveOnlyTheirCommands() {
        Rig rig;
        QVERIFY(rig.open());
        DM->AddDataSet(3);
        const QMap<int, QByteArray> fresh = PanelMemory::encodeInstallation();
        const QMap<int, QByteArray> panel = rig.loadRandomPanel();
        for (const JobList& job : allJobLists()) {
            if (job.tabCmd > TapCmdParametriGPRS)
                continue;
            DM->AddDataSet(3);
            ShortList = false;
            QVERIFY(rig.run(job.tabCmd, false));
            const QMap<int, QByteArray> now = PanelMemory::encodeInstallation();
            for (auto it = now.begin(); it != now.end(); ++it) {
                const bool moved = std::find(job.full.begin(), job.full.end(), it.key()) != job.full.end();
                QVERIFY2(it.value() == (moved ? panel[it.key()] : fresh[it.key()]),
                         qPrintable(QStringLiteral("page %1, command %2").arg(job.tabCmd).arg(it.key())));
            }
        }
    }

    void aFailedReadLeavesTheInstallationAsItWas() {
        Rig rig;
        QVERIFY(rig.open());
        DM->AddDataSet(1);
        const auto before = installationDump();
        rig.loadRandomPanel();
        const int requests = [&] {
            rig.sim.setFailure(PanelCore::Failure::None);
            const int n0 = rig.sim.requestCount();
            DM->AddDataSet(1);
            rig.run(TabCmdAllRead, false);
            // Parts sent again (a reply late on a loaded machine) are not the job's own: counted
            // in, the last request below could fall past the end of a job that needs none.
            const int n = rig.sim.requestCount() - n0 - Transfer.resends;
            DM->DeleteMasterRecord();
            DM->CDSet_Tabulon->setRecNo(1);
            return n;
        }();
        QVERIFY(requests > 300);
        // The line dies at the first, a middle and the last request of the job.
        for (const int at : {0, 2, requests / 3, requests / 2, requests - 2, requests - 1}) {
            const int base = rig.sim.requestCount();
            rig.sim.setFailure(PanelCore::Failure::NoReply, base + at);
            QVERIFY(!rig.run(TabCmdAllRead, false));
            QCOMPARE(installationDump(), before);
            rig.sim.setFailure(PanelCore::Failure::None);
        }
        // A reply carrying a position beyond its list in the last command of the job.
        rig.sim.setMemory(CmdIngressiTipo, 0, QByteArray(64, 'Q'));
        QVERIFY(!rig.run(TabCmdAllRead, false));
        QCOMPARE(rig.fx.warnings().back(), transferFailureText(DATACORRUPT));
        QCOMPARE(installationDump(), before);
        // A value a table refuses while the read is applied: everything applied before it
        // (the vocabulary, the input names...) is put back.
        rig.loadRandomPanel();
        Field& userName = DM->CDSet_Utenti->fieldByName(QStringLiteral("_Nome"));
        userName.onValidate = [](Field& f) {
            if (f.asString() == QLatin1String("BOOM"))
                throw DataSetError(QStringLiteral("refused"));
        };
        rig.sim.setMemory(20, 1, QByteArray("BOOM") + QByteArray(60, '\0'));
        QVERIFY(!rig.run(TabCmdAllRead, false));
        userName.onValidate = nullptr;
        QCOMPARE(installationDump(), before);
        // The model question answered No.
        rig.loadRandomPanel();
        rig.sim.setModel(2);
        rig.fx.answerYes = false;
        ComSet->RecicleCommand(TabCmdAllRead, false);
        QVERIFY(rig.fx.waitForJobEnd());
        QCOMPARE(installationDump(), before);
    }

    // Replies that break a rule, most of them by one step past a limit, end the job with
    // nothing changed; the limit itself is taken. `offset` -1: the bytes are part 0 itself.
    void repliesAtAndPastTheirLimits_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("accepted");
        auto row = [](const char* name, int command, int offset, const QByteArray& bytes, bool ok) {
            QTest::newRow(name) << command << offset << bytes << ok;
        };
        row("short part", 24, -1, QByteArray(63, 'A'), false);
        row("long last part", 25, -1, QByteArray(25, '\0'), false);
        row("name without NUL fill", 24, 0, QByteArray("ABC\0D", 5).leftJustified(16, '\0'), false);
        row("byte outside Windows-1252", 24, 0, QByteArray("AB\x81").leftJustified(16, '\0'), false);
        // A name holds no control byte (below 0x20, 0x7F) and none of the five bytes
        // Windows-1252 leaves undefined; the bytes next to them are letters.
        const auto name = [](char c) { return (QByteArray("AB") + c).leftJustified(16, '\0'); };
        row("name byte 0x1F", 24, 0, name('\x1f'), false);
        row("name byte 0x20", 24, 0, name('\x20'), true);
        row("name byte 0x7F", 24, 0, name('\x7f'), false);
        row("name byte 0x8D", 24, 0, name('\x8d'), false);
        row("name byte 0x8F", 24, 0, name('\x8f'), false);
        row("name byte 0x90", 24, 0, name('\x90'), false);
        row("name byte 0x9D", 24, 0, name('\x9d'), false);
        row("name byte 0x9E", 24, 0, name('\x9e'), true);
        row("sign not in its list", 6, 0, "~", false);
        row("code with a letter", 21, 0, "12A456", false);
        row("log date 31 February", CmdLogEventi, -1,
            PanelMemory::logRecord(3, 1, 2, false, QDateTime(QDate(2026, 1, 1), QTime(1, 0)))
                    .replace(6, 2, "\x02\x1F") +
                QByteArray(48, '\0'),
            false);
        // Exclusion date 1 of the first period: dd mm.
        row("month 13", 48, 16, QByteArray::fromHex("010d"), false);
        row("month 12", 48, 16, QByteArray::fromHex("010c"), true);
        row("day 32", 48, 16, QByteArray::fromHex("2001"), false);
        row("day 31", 48, 16, QByteArray::fromHex("1f01"), true);
        // The first timer's action on partition 1: a position in a list of three.
        const auto items = char(Lang::MSG_TIMERS2.size());
        row("position equal to its list's size", 46, 0, QByteArray(1, items), false);
        row("last position of its list", 46, 0, QByteArray(1, char(items - 1)), true);
        // Phone 1's options: 4 bits, then a byte 0..3.
        row("bit past its 4 fields", 31, 0, QByteArray::fromHex("10"), false);
        row("its 4 fields", 31, 0, QByteArray::fromHex("0f03"), true);
        row("byte one past its range", 31, 1, QByteArray::fromHex("04"), false);
        row("hour 24", 44, 0, QByteArray::fromHex("1800"), false);
        row("minute 60", 44, 0, QByteArray::fromHex("0c3c"), false);
        row("23:59", 44, 0, QByteArray::fromHex("173b"), true);
        row("word 187, past the vocabulary", 11, 0, QByteArray::fromHex("bb"), false);
        row("word 186", 11, 0, QByteArray::fromHex("ba"), true);
        // Keypad 1's first terminal on a model with 64 inputs and 17 outputs.
        row("terminal input 65", 3, 17, QByteArray::fromHex("41"), false);
        row("terminal input 64", 3, 17, QByteArray::fromHex("40"), true);
        row("terminal output 18", 3, 17, QByteArray::fromHex("92"), false);
        row("terminal output 17", 3, 17, QByteArray::fromHex("91"), true);
        row("terminal output 0", 3, 17, QByteArray::fromHex("80"), false);
    }
    void repliesAtAndPastTheirLimits() {
        QFETCH(int, command);
        QFETCH(int, offset);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, accepted);
        Rig rig;
        QVERIFY(rig.open());
        DM->AddDataSet(3);
        rig.loadRandomPanel();
        const auto before = installationDump();
        if (offset < 0)
            rig.sim.setMemory(command, 0, bytes);
        else
            PanelMemory::patch(rig.sim, command, offset, bytes);
        QCOMPARE(rig.run(pageOf(command), false), accepted);
        if (accepted)
            return;
        QCOMPARE(rig.fx.warnings().back(), transferFailureText(DATACORRUPT));
        QCOMPARE(installationDump(), before);
    }

    // A value the panel could not take stops a write before anything is sent; the limit itself
    // goes out.
    void valuesToSendAtTheirLimits_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("named"); // the value's place in the warning, where it is checked
        auto row = [](const char* name, const char* table, const char* field, const QVariant& v, int c,
                      bool ok, const char* named = "") {
            QTest::newRow(name) << QString::fromLatin1(table) << QString::fromLatin1(field) << v << c << ok
                                << QString::fromUtf8(named);
        };
        row("text not in its list", "CDSet_Ingressi", "_FuncIngresso", QStringLiteral("Lampeggio"), 7, false,
            "INGRESSI, riga 2 (Ingresso 2), campo \"FUNZIONE\": \"Lampeggio\" non è una delle voci "
            "previste.");
        row("code with a letter", "CDSet_Utenti", "_Codice", QStringLiteral("12A4"), 21, false,
            "UTENTI, riga 2 (Utente 2), campo \"CODICE\": il codice contiene caratteri che non sono cifre.");
        row("number one past its range", "CDSet_Ingressi", "_TimeInIngresso", 241, 10, false,
            "INGRESSI, riga 2 (Ingresso 2), campo \"TEMPO INGRESSO\": 241 è fuori dai valori ammessi (da 0 a "
            "240).");
        row("number at its limit", "CDSet_Ingressi", "_TimeInIngresso", 240, 10, true);
        row("hour 24", "CDSet_Time_Timers", "_Ora", QStringLiteral("24:00"), 44, false);
        row("hour 23", "CDSet_Time_Timers", "_Ora", QStringLiteral("23:59"), 44, true);
        row("day 32", "CDSet_Time_Esclusione_Data", "_Data1", QStringLiteral("32/01"), 48, false);
        row("month 13", "CDSet_Time_Esclusione_Data", "_Data1", QStringLiteral("01/13"), 48, false);
        row("day 31 of month 12", "CDSet_Time_Esclusione_Data", "_Data1", QStringLiteral("31/12"), 48, true);
    }
    void valuesToSendAtTheirLimits() {
        QFETCH(QString, table);
        QFETCH(QString, field);
        QFETCH(QVariant, value);
        QFETCH(int, command);
        QFETCH(bool, accepted);
        QFETCH(QString, named);
        Rig rig;
        QVERIFY(rig.open());
        DM->AddDataSet(2);
        PanelMemory::loadFreshPanel(rig.sim, 2);
        DataSet* t = DM->tableByName(table);
        t->setRecNo(2);
        // The data module keeps times and dates in range (as an old register's are when read):
        // the value goes in past that rule, to reach the encoder's own limit.
        Field& f = t->fieldByName(field);
        const auto rule = std::exchange(f.onChange, nullptr);
        t->edit();
        f.setValue(value);
        t->post();
        f.onChange = rule;
        QCOMPARE(f.value().toString(), value.toString());
        QCOMPARE(rig.run(pageOf(command), true), accepted);
        if (accepted)
            return;
        const QStringList warning = rig.fx.warnings().back().split(QStringLiteral("\r\n"));
        QCOMPARE(warning.value(0),
                 QStringLiteral("ATTENZIONE: UN VALORE DELL'INSTALLAZIONE NON PUÒ ESSERE INVIATO "
                                "ALLA CENTRALE."));
        if (!named.isEmpty())
            QCOMPARE(warning.value(1), named);
        QCOMPARE(rig.sim.requestCount(), 0); // not even the access handshake
    }

    // Rows written byte by byte from the protocol document's layouts read into the fields they
    // name: a layout with two fields swapped or shifted reads them into the wrong ones.
    void handMadeRowsReadIntoTheirFields() {
        struct Row {
            int command, offset;
            QByteArray bytes;
            const char* expected; // table:record (0: the installation's own row), field=value...
        };
        const auto slot = [](const char* text) { return QByteArray(text).leftJustified(16, '\0'); };
        const auto hex = [](const char* h) { return QByteArray::fromHex(h); };
        const Row rows[] = {
            {8, 2 * 16, slot("PORTA"), "CDSet_Ingressi:3 _Nome=PORTA"},
            {15, 16, slot("SIRENA"), "CDSet_Uscite:2 _Nome=SIRENA"},
            {3, 19, slot("TAST2") + hex("050382"),
             "CDSet_Tastiere:2 _Nome=TAST2 _Enable=true _Sound1=false _Sound2=true _M1=PORTA _M2=SIRENA"},
            {10, 3, hex("c83207"),
             "CDSet_Ingressi:2 _TimeInIngresso=200 _ImpulsiIngresso=50 _CicliEsclusione=7"},
            {16, 14, hex("01020304050601"),
             "CDSet_Uscite:3 _PulseDuration=01:02:03 _PulseDelay=04:05:06 _AutoReset=true"},
            {25, 3, hex("012c05"), "CDSet_Parziali:2 _TempoUscita=300 _IMsg1=5"},
            {31, 2, hex("0902"),
             "CDSet_Phone:2 _ConfermaRisposta=true _AccessoDiretto=false _TelProg=true _TipoChiamata=2"},
            {48, 20, slot("FERIE") + hex("0f081f0c"),
             "CDSet_Time_Esclusione_Data:2 _Nome=FERIE _Data1=15/08 _Data2=31/12"},
            {51, 0, hex("00c0a8010affffff00"),
             "CDSet_Tabulon:0 _Net_DHCP=false _Net_LocalIPAddress=192.168.1.10 "
             "_Net_LocalSubAddress=255.255.255.0"},
            {58, 6, hex("c80102030405"),
             "CDSet_DeviceRadio:2 _Supervisione=200 _In1=1 _In2=2 _In3=3 _In4=4 _In5=5"},
            {61, 32, hex("0705090a12210a0b0c0d00010203000102010102040801020304051415161718"),
             "CDSet_DeviceRadio800:2 _RemCrt_User=7 _RemCrt_Led=true _RemCrt_WakeUp=false "
             "_RemCrt_PanicOn=true "
             "_RemCrt_Switch=9 _RemCrt_Sensibility=10 _RemCrt_T1_Led2=true _RemCrt_T3_Led1=true "
             "_RemCrt_OutT1=10 "
             "_RemCrt_OutT4=13 _RemCrt_ONOFF_OUT2=1 _RemCrt_ONOFF_OUT4=3 _RemCrt_ONOFF_PRG3=2 "
             "_RemCrt_T2P2=true "
             "_RemCrt_T4P4=true _In1=1 _In5=5 _InAssociato1=20 _InAssociato5=24"},
        };
        Rig rig;
        QVERIFY(rig.open());
        DM->AddDataSet(6);
        PanelMemory::loadFreshPanel(rig.sim, 6);
        for (const Row& r : rows)
            PanelMemory::patch(rig.sim, r.command, r.offset, r.bytes);
        QVERIFY(rig.run(TabCmdAllRead, false));
        for (const Row& r : rows) {
            QStringList fields = QString::fromLatin1(r.expected).split(QLatin1Char(' '));
            DataSet* t = DM->tableByName(fields[0].section(QLatin1Char(':'), 0, 0));
            const int record = fields.takeFirst().section(QLatin1Char(':'), 1).toInt();
            for (const QString& f : fields) {
                const int column = t->fieldByName(f.section(QLatin1Char('='), 0, 0)).index();
                const QString v = t->valueAt(record ? record : t->recNo(), column).toString();
                QVERIFY2(v == f.section(QLatin1Char('='), 1),
                         qPrintable(QStringLiteral("command %1: %2, read %3").arg(r.command).arg(f, v)));
            }
        }
    }

    void eventLogFillsTheTableWithDayBanding() {
        Rig rig;
        QVERIFY(rig.open());
        DM->AddDataSet(1);
        rig.loadRandomPanel();
        const QDateTime day1(QDate(2025, 12, 31), QTime(23, 59, 58));
        const QDateTime day2(QDate(2026, 1, 1), QTime(0, 0, 5));
        QByteArray log = PanelMemory::logRecord(1, 0, 1, true, day1) +
                         PanelMemory::logRecord(3, 2, 2, false, day1) +
                         PanelMemory::logRecord(9, 1, 1, false, day2) + QByteArray(16, '\0') +
                         PanelMemory::logRecord(48, 0, 3, false, day2.addDays(1));
        log.append(QByteArray(Codec::eventLogStreamSize() - log.size(), '\0'));
        PanelMemory::store(rig.sim, CmdLogEventi, log);
        QVERIFY(rig.run(TabCmdEventi, false));
        DataSet* t = DM->CDSet_Log;
        QCOMPARE(t->recordCount(), 4); // the free slot is skipped
        auto value = [&](int r, const char* f) {
            return t->valueAt(r, t->fieldByName(QLatin1String(f)).index());
        };
        QCOMPARE(value(1, "_Anno").toInt(), 2025);
        QCOMPARE(value(3, "_Anno").toInt(), 2026);
        QCOMPARE(value(2, "_DataOra1").toDateTime(), day1);
        QCOMPARE(value(1, "_Data1").toString(), QStringLiteral("31/12/2025"));
        QCOMPARE(value(1, "_Ora1").toString(), QStringLiteral("23:59:58"));
        QList<bool> shade;
        for (int r = 1; r <= 4; ++r)
            shade << value(r, "_Log_ColorRowDate").toBool();
        QCOMPARE(shade, (QList<bool>{false, false, true, false}));
        QCOMPARE(value(1, "_Categoria1").toString(), Codec::eventCategoryText(1));
        QCOMPARE(value(2, "_ColorEvent").toInt(), 2);
        // Arguments: partitions count from 0, inputs and users from 1, radio 0 is none.
        QCOMPARE(value(1, "_Arg1").toString(),
                 QStringLiteral("PARZIALE 1: ") + Codec::partitionNames().value(0));
        QCOMPARE(value(2, "_Arg1").toString(), QStringLiteral("INGRESSO 2: ") + Codec::inputNames().value(1));
        QCOMPARE(value(3, "_Arg1").toString(), QStringLiteral("UTENTE 1: ") + Codec::userNames().value(0));
        QCOMPARE(value(4, "_Arg1").toString(), QStringLiteral("-"));
        QCOMPARE(value(1, "_Reading1").toString(), QStringLiteral("SI"));
        QCOMPARE(t->recNo(), 1);
    }

    // What the event page jumps to, for every code of its jump table.
    void eventKindsFollowTheJumpTable() {
        using K = Codec::EventKind;
        const QList<QPair<QList<int>, K>> table = {
            {{1, 2, 36}, K::Partition},
            {{3, 10, 14, 17, 18, 20, 24, 35}, K::Input},
            {{9, 21, 22, 28, 29, 30, 38}, K::User},
            {{13, 23}, K::Parameters},
            {{15, 16, 19, 25, 26, 27, 31, 32, 33, 34, 46, 47}, K::Peripheral},
            {{48, 49, 50, 51}, K::Radio},
            {{4, 37, 52, 255}, K::System},
        };
        for (const auto& [codes, kind] : table)
            for (const int c : codes)
                QVERIFY2(Codec::eventKind(c) == kind, qPrintable(QString::number(c)));
    }

    void liveStatusReachesTheFrame() {
        Rig rig;
        QVERIFY(rig.open());
        DM->AddDataSet(3);
        rig.loadRandomPanel();
        PanelMemory::storeStatus(rig.sim, 0x09, 0x8000000000000001ull, "VELOFONE");
        RecordingSink sink;
        setPanelStatusSink(&sink);
        ComSet->RecicleCommand(TabCmdStartTest, false);
        QTRY_VERIFY_WITH_TIMEOUT(sink.updates >= 2, 10000); // it repeats until stopped
        ComSet->Timer1->stop();
        ComSet->RecicleCommand(TabCmdStopTest, false);
        QVERIFY(rig.fx.waitForJobEnd());
        setPanelStatusSink(nullptr);
        QCOMPARE(sink.open, 0);
        QCOMPARE(sink.lamps, (QList<bool>{true, false, false, true}));
        QVERIFY(sink.inputs[0] && sink.inputs[63] && !sink.inputs[1]);
        QCOMPARE(sink.operatorName, QStringLiteral("VELOFONE"));
        QCOMPARE(sink.battery, 100);
        QVERIFY(sink.tamper800);
        QCOMPARE(sink.battery800, 80);
        QVERIFY(rig.fx.warnings().isEmpty());
    }

    // Status bytes written by hand from the protocol document: every byte around the outputs
    // and every level is distinct, so a lamp read from a neighbouring byte or bit, a level scaled
    // by the other step or nibbles taken the other way round shows.
    void liveStatusLevelsAndOutputsFromTheirBytes() {
        QByteArray general(16, '\0');
        general[8] = char(0xFF);  // inputs 57..64, just before the outputs
        general[9] = 0x01;        // output 1: bit 0 of byte 9
        general[10] = char(0x80); // output 16
        general[11] = 0x01;       // output 17: bit 0 of byte 11
        general[12] = 3;          // battery: 3 steps of 20 %
        general[13] = 3;          // GSM signal: 3 steps of 25 %
        QByteArray levels(64, '\0');
        levels[0] = 0x73;       // device 1: battery 7 (high nibble), signal 3 (low nibble)
        levels[1] = char(0xA0); // device 2: battery 10, signal 0
        levels[63] = 0x0A;      // device 64: battery 0, signal 10
        const std::array<QByteArray, 5> parts = {general, QByteArray(32, '\0'), QByteArray(64, '\0'), levels,
                                                 QByteArray(61, '\0')};
        RecordingSink sink;
        setPanelStatusSink(&sink);
        const TError r = Codec::decodeLiveStatus(parts);
        setPanelStatusSink(nullptr);
        QCOMPARE(r, SENDOK);
        QList<bool> outputs(17, false);
        outputs[0] = outputs[15] = outputs[16] = true; // outputs 1, 16 and 17
        QCOMPARE(sink.outputs, outputs);
        QCOMPARE(sink.battery, 60);
        QCOMPARE(sink.gsmSignal, 75);
        QCOMPARE(sink.levels400[0], qMakePair(70, 30));
        QCOMPARE(sink.levels400[1], qMakePair(100, 0));
        QCOMPARE(sink.levels400[2], qMakePair(0, 0));
        QCOMPARE(sink.levels400[63], qMakePair(0, 100));
    }

    // The largest model through the local TLS relay: read all, then write all to a reset panel.
    void travelsThroughTheCloudRelay() {
        if (!QSslSocket::supportsSsl())
            QSKIP("no TLS backend");
        QTemporaryDir dir;
        const TestCertificate cert = makeTestCertificate(dir.path());
        QVERIFY2(cert.ok(), qPrintable(cert.error));
        Rig rig;
        ComSet->Timer1->setInterval(1);
        DM->AddDataSet(6);
        const QMap<int, QByteArray> panel = rig.loadRandomPanel();
        CloudRelay relay(rig.sim);
        QVERIFY(relay.start(cert));
        TWebSockets::setExtraCaCertificates({cert.certificate});
        const quint16 port = relay.port();
        TComSet::cloudEndpointHook = [port] { return CloudEndpoint{QStringLiteral("127.0.0.1"), port}; };
        ComSet->ComboBox1->setCurrentIndex(ComSet->ComboBox1->findText(TComSet::RemoteManagement));
        ComSet->ConnectClick();
        QVERIFY(rig.fx.waitForConnect());
        QVERIFY(rig.run(TabCmdAllRead, false));
        const auto installation = installationDump();
        PanelMemory::loadFreshPanel(rig.sim, 6);
        QVERIFY(rig.run(TabCmdAllWrite, true)); // every acknowledgement: a frame of the overhead alone
        for (auto it = panel.begin(); it != panel.end(); ++it)
            QVERIFY(PanelMemory::stream(rig.sim, it.key()) == it.value());
        // An envelope whose frame is one byte shorter than that is damaged: skipped, and the
        // write ends as corrupt data.
        TComSet::CloudReplyTimeoutMs = 200;
        rig.sim.setFailure(PanelCore::Failure::ShortFrame, rig.sim.requestCount() + 8); // after 0 and 1
        QVERIFY(!rig.run(TabCmdBloccoIns, true));
        QCOMPARE(rig.fx.warnings().back(), transferFailureText(DATACORRUPT));
        QCOMPARE(installationDump(), installation);
        restoreCloudLinkDefaults();
    }

    // The program installs the codec when it wires the transfer to the data module.
    void theProgramInstallsTheCodec() {
        TempRegistry registry;
        TDM dm;
        wireTransferToModel();
        int read = 0;
        for (int c = CmdLogIn; c <= Cmd_Radio800_Parametri; ++c) {
            QCOMPARE(commandInfo(c).parts, PanelMemory::documentedShape(c).parts);
            read += commandInfo(c).parts;
            if (c < CmdConfPeriferal)
                continue;
            QVERIFY(commandInfo(c).decode);
            QCOMPARE(commandInfo(c).encode == nullptr, c == CmdLogEventi);
        }
        QCOMPARE(read, 501); // and a write 437: without the event log's 64
        QCOMPARE(PanelMemory::documentedShape(CmdLogEventi).parts, 501 - 437);
        ModelAccess = TransferModelAccess{};
    }

    // Live-status parts of any size into a frame: every update is closed. (Replies to the other
    // commands are fuzzed by tests/fuzz/fuzz_codec.)
    void liveStatusPartsOfAnySize() {
        Rig rig;
        DM->AddDataSet(6);
        QRandomGenerator rng(7);
        RecordingSink sink;
        setPanelStatusSink(&sink);
        for (int round = 0; round < 200; ++round) {
            std::array<QByteArray, 5> parts;
            for (int i = 0; i < 5; ++i) {
                const int size = round % 2 ? Codec::liveStatusPartSize(i + 2) : int(rng.bounded(70));
                for (int k = 0; k < size; ++k)
                    parts[size_t(i)].append(char(rng.bounded(256)));
            }
            Codec::decodeLiveStatus(parts);
        }
        setPanelStatusSink(nullptr);
        QCOMPARE(sink.open, 0);
        QVERIFY(sink.updates >= 100);
    }
};

QTEST_MAIN(TestCodec)
#include "test_codec.moc"
