// The codec as a person reaches it: the program's data module and main window, "Ricevi tutto"
// and "Invia tutto" from the tool bar against the simulated panel over the pseudo-terminal.
#include "app/appwiring.h"
#include "link/comset.h"
#include "model/datamodule.h"
#include "model_fixture.h"
#include "platform/aled.h"
#include "platform/dataset.h"
#include "support/panelmemory.h"
#include "support/programdatamodule.h"
#include "support/tempregistry.h"
#include "support/transferfixture.h"
#include "transfer/commands.h"
#include "transfer/transferstate.h"
#include "ui/mainwindow.h"
#include "ui/openinstallation.h"
#include "ui/pagecontrol.h"
#include "ui/pages/page_test.h"
#include "ui/statusframe.h"

#include <QLabel>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

namespace {
QStringList vocabulary() {
    QStringList words;
    const DataSet& t = *DM->CDSet_Messaggi;
    for (int r = 1; r <= t.recordCount(); ++r)
        words << t.stringAt(r, t.fieldByName(QStringLiteral("_Messaggio")).index());
    return words;
}
} // namespace

class TestCodecProgram : public QObject {
    Q_OBJECT
private slots:
    void theMainWindowReadsAndWritesAWholeInstallation() {
        TempRegistry registry;
        QVERIFY(createProgramDataModule(registry.folder() + QStringLiteral("/KTabulon.cds")));
        {
            TransferFixture fx;
            wireTransferToModel(); // the program's own model access and codec
            TForm6 f;
            DM->AddDataSet(6);
            OpenInstallation();
            DM->CDSet_Tabulon->edit();
            DM->CDSet_Tabulon->fieldByName(QStringLiteral("_PswTeleGestione"))
                .setAsString(QStringLiteral("123456"));
            DM->CDSet_Tabulon->post();

            PanelSimulator sim;
            sim.setModel(6);
            ComSet->Timer1->setInterval(1);
            ComSet->ScrollBar1->setValue(50);
            QVERIFY(sim.start() && fx.openSerial(sim.portPath()));
            QRandomGenerator rng(99);
            const QMap<int, QByteArray> panel = PanelMemory::loadRandomPanel(sim, rng);
            QVERIFY(PanelMemory::encodeInstallation() != panel);

            // A job walks the timers of every day by moving the days' cursor, and puts it back
            // on the day the person left it on.
            DM->CDSet_Time_Day->setRecNo(3);
            f.Action5->trigger(); // "Ricevi tutto", answered Yes
            QVERIFY(fx.waitForJobEnd(60000));
            QCOMPARE(DM->CDSet_Time_Day->recNo(), 3);
            QCOMPARE(fx.questions(),
                     QStringList{QStringLiteral("Vuoi Sovrascrivere la configurazione esistente ?")});
            QCOMPARE(fx.messages(), QStringList{QStringLiteral("Operazione conclusa con successo")});
            // The panel sends only the words' indexes: each message column shows the word its
            // own index names.
            const QStringList words = vocabulary();
            for (const auto& [table, columns] : {std::pair{DM->CDSet_Ingressi, 4},
                                                 {DM->CDSet_Uscite, 4},
                                                 {DM->CDSet_Parziali, 1},
                                                 {DM->CDSet_Group, 4}})
                for (int k = 1; k <= columns; ++k)
                    for (int r = 1; r <= table->recordCount(); ++r) {
                        const QVariant index = at(table, r, QStringLiteral("_IMsg%1").arg(k));
                        const QString msg = QStringLiteral("_Msg%1").arg(k);
                        QCOMPARE(at(table, r, msg).toString(),
                                 words.value(index.isValid() ? index.toInt() : -1)
                                     .left(table->fieldByName(msg).size()));
                    }

            PanelMemory::loadFreshPanel(sim, 6);
            DM->CDSet_Time_Day->setRecNo(3);
            f.Action6->trigger(); // "Invia tutto"
            QVERIFY(fx.waitForJobEnd(60000));
            QCOMPARE(DM->CDSet_Time_Day->recNo(), 3);
            QCOMPARE(fx.messages().size(), 2);
            for (auto it = panel.begin(); it != panel.end(); ++it)
                QVERIFY(PanelMemory::stream(sim, it.key()) == it.value());
            QVERIFY(fx.warnings().isEmpty());

            // "CONNETTI" on the test page: the status frame follows the panel until unchecked.
            PanelMemory::storeStatus(sim, 0x05, 0x3ull, "VELOFONE");
            f.PageControl->selectPageByUser(TForm6::kPageTest);
            TPannello112* frame = f.TabSheet8->Pannello1121;
            f.Action4->setChecked(false);
            f.Action4->trigger(); // checks it
            QTRY_COMPARE_WITH_TIMEOUT(frame->Label_NomeOperatore->text(), QStringLiteral("VELOFONE"), 10000);
            QVERIFY(frame->LEDStato[0]->Value() && !frame->LEDStato[1]->Value() &&
                    frame->LEDStato[2]->Value());
            QCOMPARE(frame->BARGRAF_BAT_TELEC[0], 80);
            if (qEnvironmentVariableIsSet("TABULON_SHOTS"))
                f.grab().save(QStringLiteral("/tmp/codec_live_status.png"));
            f.Action4->trigger(); // unchecks: the stop job
            QVERIFY(fx.waitForJobEnd());
            QVERIFY(fx.warnings().isEmpty());

            // "Aggiorna Eventi" on the event page fills the log it shows.
            const QDateTime when(QDate(2026, 3, 1), QTime(8, 30));
            QByteArray log = PanelMemory::logRecord(21, 1, 4, true, when) +
                             PanelMemory::logRecord(3, 2, 2, false, when.addSecs(90)) +
                             PanelMemory::logRecord(13, 0, 3, false, when.addDays(1));
            log.append(QByteArray(4096 - log.size(), '\0'));
            PanelMemory::store(sim, CmdLogEventi, log);
            f.PageControl->selectPageByUser(TForm6::kPageEventi);
            f.Action13->trigger();
            QVERIFY(fx.waitForJobEnd());
            QCOMPARE(fx.messages().size(), 3);
            QCOMPARE(DM->CDSet_Log->recordCount(), 3);
            if (qEnvironmentVariableIsSet("TABULON_SHOTS"))
                f.grab().save(QStringLiteral("/tmp/codec_event_log.png"));
        }
        delete DM;
        DM = nullptr;
    }
};

QTEST_MAIN(TestCodecProgram)
#include "test_codec_program.moc"
