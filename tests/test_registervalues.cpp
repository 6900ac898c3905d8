// The values of a register file, checked as it is read: a value its field may not hold has the
// file refused, naming the installation and the field; texts that do not fit their field are
// put right and the user is told; and a value the panel cannot take stops a write job before
// any of the installation's values goes out.

#include "app/appwiring.h"
#include "link/comset.h"
#include "model/datamodule.h"
#include "platform/dataset.h"
#include "support/manyinstallations.h"
#include "support/panelmemory.h"
#include "support/panelsimulator.h"
#include "support/programdatamodule.h"
#include "support/registerbytes.h"
#include "support/tempregistry.h"
#include "support/transferfixture.h"
#include "transfer/codec_layout.h"
#include "transfer/transferstate.h"
#include "ui/mainwindow.h"
#include "ui/openinstallation.h"

#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

QByteArray withLength(const QByteArray& text) {
    const quint32 n = quint32(text.size());
    return QByteArray(reinterpret_cast<const char*>(&n), 4) + text;
}

// The file with the text `marker` (held once among its texts) replaced by `replacement`, and
// a header that fits again: only the reader's own checks can refuse it.
QByteArray withTextReplaced(QByteArray file, const QString& marker, const QByteArray& replacement) {
    const QByteArray needle = withLength(marker.toUtf8());
    const qsizetype at = file.indexOf(needle);
    if (at < 0 || file.indexOf(needle, at + 1) >= 0)
        return {};
    file.replace(at, needle.size(), withLength(replacement));
    resealHeader(file);
    return file;
}

// Writes `value` into record `recNo` of `table` of the current installation (under the first
// row of its masters).
void writeValue(TDM& dm, const QString& table, int recNo, const QString& field, const QVariant& value) {
    DataSet* t = dm.tableByName(table);
    for (DataSet* m = t->master(); m && m != dm.CDSet_Tabulon; m = m->master())
        m->first();
    t->setRecNo(recNo);
    t->edit();
    t->fieldByName(field).setValue(value);
    t->post();
}

QVariant valueAt(TDM& dm, const QString& table, int recNo, const QString& field) {
    DataSet* t = dm.tableByName(table);
    for (DataSet* m = t->master(); m && m != dm.CDSet_Tabulon; m = m->master())
        m->first();
    return t->valueAt(recNo, t->fieldByName(field).index());
}

long peakMemoryKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Starts a new peak of the resident memory: VmHWM counts from now on.
bool resetPeakMemory() {
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    return f.open(QIODevice::WriteOnly) && f.write("5") == 1;
}

} // namespace

class TestRegisterValues : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void badValuesAreRefusedOrRepaired_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("recNo");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("written"); // through the program
        QTest::addColumn<bool>("replace");     // then the text in the file replaced by:
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("kept"); // "" : the file is refused
        const QString root = QStringLiteral("CDSet_Tabulon");
        const QVariant name = QStringLiteral("QMARK01");
        QTest::newRow("a model the program does not know")
            << root << 1 << "_TipoCentrale" << QVariant("MODEL QMARK") << true << QByteArray("NOT A MODEL")
            << "";
        QTest::newRow("no model") << root << 1 << "_TipoCentrale" << QVariant("MODEL QMARK") << true
                                  << QByteArray() << "";
        QTest::newRow("bytes that are not UTF-8")
            << root << 1 << "_NomeCliente" << name << true << QByteArray("Ros\xff\xfesi") << "";
        QTest::newRow("a word past the vocabulary")
            << "CDSet_Ingressi" << 1 << "_IMsg1" << QVariant(187) << false << QByteArray() << "";
        QTest::newRow("a word before no word")
            << "CDSet_Uscite" << 3 << "_IMsg4" << QVariant(-2) << false << QByteArray() << "";
        QTest::newRow("the last word")
            << "CDSet_Group" << 2 << "_IMsg2" << QVariant(186) << false << QByteArray() << "186";
        QTest::newRow("a name of a million characters")
            << root << 1 << "_NomeCliente" << name << true << QByteArray(1000000, 'A') << QString(30, 'A');
        QTest::newRow("control characters in a name")
            << root << 1 << "_NomeCliente" << name << true << QByteArray("Ros\x01si\x1b\t") << "Rossi";
        QTest::newRow("a bell in a note, its line breaks kept")
            << root << 1 << "_Nota" << name << true << QByteArray("Via Roma 1\r\nMilano\x07")
            << "Via Roma 1\r\nMilano";
        QTest::newRow("a timer at 25:99") << "CDSet_Time_Timers" << 1 << "_Ora" << QVariant("07:13") << true
                                          << QByteArray("25:99") << "23:59";
        QTest::newRow("an exclusion from 45/13")
            << "CDSet_Time_Esclusione_Data" << 2 << "_Data1" << QVariant("13/07") << true
            << QByteArray("45/13") << "31/12";
        QTest::newRow("a pulse of 12:75:80") << "CDSet_Uscite" << 1 << "_PulseDelay" << QVariant("00:07:13")
                                             << true << QByteArray("12:75:80") << "12:59:59";
    }
    void badValuesAreRefusedOrRepaired() {
        QFETCH(QString, table);
        QFETCH(int, recNo);
        QFETCH(QString, field);
        QFETCH(QVariant, written);
        QFETCH(bool, replace);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, kept);
        TempRegistry registry;
        BoxAnswerer boxes;
        const QString path = m_dir.filePath(QStringLiteral("values.cds"));
        {
            TDM dm;
            dm.AddDataSet(6);
            writeValue(dm, table, recNo, field, written);
            QVERIFY(dm.saveRegister(path));
        }
        if (replace) {
            const QByteArray file = withTextReplaced(readAll(path), written.toString(), bytes);
            QVERIFY(!file.isEmpty());
            writeAll(path, file);
        }

        TDM mine;
        mine.AddDataSet(4);
        QString error;
        const bool loaded = mine.importRegister(path, &error);
        if (kept.isEmpty()) {
            QVERIFY2(!loaded, "the file was loaded");
            if (!error.contains("UTF-8")) { // damaged bytes: no value to name
                QVERIFY2(error.contains(QStringLiteral("installazione 1 (\"Unamed\")")), qPrintable(error));
                QVERIFY2(error.contains(QStringLiteral("campo '%1'").arg(field)), qPrintable(error));
            }
            QCOMPARE(mine.CDSet_Tabulon->recordCount(), 1);
            QCOMPARE(mine.GetSystemType(), 4);
            QCOMPARE(boxes.count(), 0);
            return;
        }
        QVERIFY2(loaded, qPrintable(error));
        QCOMPARE(mine.CDSet_Tabulon->recordCount(), 1);
        QCOMPARE(valueAt(mine, table, recNo, field).toString(), kept);
        if (!replace) {
            QCOMPARE(boxes.count(), 0);
            return;
        }
        QCOMPARE(boxes.count("MessageDlg"), 1);
        QCOMPARE(boxes.last().type, MsgDlgType::Warning);
        QVERIFY2(boxes.last().text.startsWith(
                     "Alcuni valori dell'archivio non erano validi e sono stati corretti"),
                 qPrintable(boxes.last().text));
        QVERIFY2(boxes.last().text.contains(QStringLiteral("campo '%1'").arg(field)),
                 qPrintable(boxes.last().text));
        // Saved again, the file holds the repaired value and loads without a word.
        QVERIFY(mine.saveRegister(path));
        boxes.clear();
        TDM again;
        QVERIFY(again.importRegister(path));
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(valueAt(again, table, recNo, field).toString(), kept);
    }

    // A register of more installations than the program keeps is refused from its count,
    // before a row is built; one of exactly as many loads.
    void tooManyInstallationsAreRefusedBeforeTheyAreBuilt() {
        const QString path = m_dir.filePath(QStringLiteral("many.cds"));
        QVERIFY(writeManyInstallations(path, 600000));
        BoxAnswerer boxes;
        TDM mine;
        mine.AddDataSet(3);
        QVERIFY(resetPeakMemory());
        const long before = peakMemoryKb();
        QString error;
        QVERIFY(!mine.importRegister(path, &error));
        const long grown = peakMemoryKb() - before;
        QVERIFY2(error.contains(QStringLiteral("al massimo %1").arg(TDM::kMaxInstallations)),
                 qPrintable(error));
        QVERIFY2(grown < 16 * 1024, qPrintable(QStringLiteral("%1 kB more while reading").arg(grown)));
        QCOMPARE(mine.CDSet_Tabulon->recordCount(), 1);

        QVERIFY(writeManyInstallations(path, TDM::kMaxInstallations));
        QVERIFY2(mine.importRegister(path, &error), qPrintable(error));
        QCOMPARE(mine.CDSet_Tabulon->recordCount(), TDM::kMaxInstallations);
        QVERIFY(mine.registerFull());
        QVERIFY_THROWS_EXCEPTION(DataSetError, mine.AddDataSet(1));
        QCOMPARE(mine.CDSet_Tabulon->recordCount(), TDM::kMaxInstallations);
    }

    // A value the panel cannot take (a code with a letter) reaches no panel, nor does anything
    // else: the write job stops before its first frame, the access handshake included.
    void aValueThePanelCannotTakeStopsTheWriteBeforeAnything() {
        TempRegistry registry;
        const QString path = registry.folder() + QStringLiteral("/KTabulon.cds");
        {
            BoxAnswerer boxes;
            TDM dm;
            dm.AddDataSet(2);
            writeValue(dm, QStringLiteral("CDSet_Tabulon"), 1, QStringLiteral("_PswTeleGestione"),
                       QStringLiteral("123456")); // the panel's code
            writeValue(dm, QStringLiteral("CDSet_Utenti"), 2, QStringLiteral("_Codice"),
                       QStringLiteral("12A4")); // a user's code, well into the job's commands
            QVERIFY(dm.saveRegister(path));
        }
        QVERIFY(createProgramDataModule(path));
        {
            TransferFixture fx;
            wireTransferToModel();
            TForm6 f;
            OpenInstallation();
            PanelSimulator sim;
            sim.setModel(2);
            ComSet->Timer1->setInterval(1);
            ComSet->ScrollBar1->setValue(50);
            QVERIFY(sim.start() && fx.openSerial(sim.portPath()));
            PanelMemory::loadFreshPanel(sim, 2);
            f.Action6->trigger(); // "Invia tutto"
            QVERIFY(fx.waitForJobEnd(60000));
            QVERIFY(!fx.warnings().isEmpty());
            QVERIFY2(fx.warnings().back().contains(
                         QStringLiteral("UTENTI, riga 2 (Utente 2), campo \"CODICE\": il codice contiene")),
                     qPrintable(fx.warnings().back()));
            QCOMPARE(sim.requestCount(), 0);
        }
        delete DM;
        DM = nullptr;
    }
};

QTEST_MAIN(TestRegisterValues)
#include "test_registervalues.moc"
