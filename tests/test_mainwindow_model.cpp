// The main window with the program's data module and connection form: opening installations
// of every model, the save and exit paths, and the live-status stop.

#include "app/appwiring.h"
#include "app/splash.h"
#include "link/comset.h"
#include "link/tracewindow.h"
#include "link/websockets.h"
#include "model/datamodule.h"
#include "model/dimensions.h"
#include "model/lang.h"
#include "model/language.h"
#include "platform/dataset.h"
#include "platform/dialogs.h"
#include "platform/registrykey.h"
#include "support/programdatamodule.h"
#include "support/tempregistry.h"
#include "transfer/transferflags.h"
#include "transfer/transferhooks.h"
#include "ui/mainwindow.h"
#include "ui/mainwindow_links.h"
#include "ui/openinstallation.h"
#include "ui/pagecontrol.h"
#include "ui/pages/page_contactid.h"
#include "ui/pages/page_rete.h"
#include <QLineEdit>

#include <QtTest>

class TestMainWindowModel : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TempRegistry> registry;
    std::unique_ptr<BoxAnswerer> anyBox; // no test may block on a box
    QString databasePath;
    int exitCode = -1;

    // A data module over a register file in the temporary folder, as the start-up makes it.
    void createDataModule() { QVERIFY(createProgramDataModule(databasePath)); }

private slots:
    void init() {
        registry = std::make_unique<TempRegistry>();
        anyBox = std::make_unique<BoxAnswerer>();
        databasePath = registry->folder() + QStringLiteral("/KTabulon.cds");
        exitCode = -1;
        TForm6::setProcessExit([this](int code) { exitCode = code; });
        StateTrasfert = 0;
    }
    void cleanup() {
        MainWindowLinks::setTransferObserverForTests({});
        delete DM;
        DM = nullptr;
        registry.reset();
        const QStringList boxes = anyBox->texts();
        anyBox.reset();
        QVERIFY2(boxes.isEmpty(), qPrintable(boxes.join(QLatin1Char('|'))));
    }

    void openingSetsTheModelsDimensionsAndLayout_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("users");
        QTest::addColumn<int>("outputs");
        QTest::newRow("TAVEK") << 1 << 32 << 8;
        QTest::newRow("MIRUNPLUS") << 3 << 64 << 17;
        QTest::newRow("QUANE") << 5 << 32 << 8;
        QTest::newRow("ZOREM") << 6 << 64 << 17;
    }
    void openingSetsTheModelsDimensionsAndLayout() {
        QFETCH(int, type);
        QFETCH(int, users);
        QFETCH(int, outputs);
        createDataModule();
        TForm6 f;
        DM->AddDataSet(type);
        f.PageControl->selectPageByUser(9);
        ShortList = true;
        OpenInstallation();
        QCOMPARE(DM->GetSystemType(), type);
        QCOMPARE(C_NUM_USERS, users);
        QCOMPARE(C_NUM_OUTPUTS_TOTAL, outputs);
        QVERIFY(f.isVisible());
        QCOMPARE(f.PageControl->activePageIndex(), 0);
        // Every page opens at its top, not on the rows a new installation appended last.
        for (DataSet* t : {DM->CDSet_Utenti, DM->CDSet_Ingressi, DM->CDSet_Time_Day, DM->CDSet_Time_Timers})
            QCOMPARE(t->recNo(), 1);
        QVERIFY(f.PageControl->tabVisible(14)); // "PSTN"
        QVERIFY(!ShortList);
    }

    void anUnknownModelKeepsTheDimensions() {
        createDataModule();
        TForm6 f;
        DM->AddDataSet(3);
        OpenInstallation();
        QCOMPARE(C_NUM_USERS, 64);
        DM->AddDataSet(1);
        DataSet* root = DM->CDSet_Tabulon;
        // A label that names no model, left in edit: posted before the model is read.
        root->edit();
        root->fieldByName(QStringLiteral("_TipoCentrale")).setAsString(QStringLiteral("MODEL X"));
        OpenInstallation();
        QCOMPARE(root->state(), DataSetState::Browse);
        QCOMPARE(DM->GetSystemType(), 0);
        QCOMPARE(C_NUM_USERS, 64); // as the MIRUNPLUS opening left it
        QVERIFY(!f.PageControl->tabVisible(14));
    }

    void openingPutsTheConnectionListBackOnItsFirstEntry() {
        createDataModule();
        TComSet cs;
        ComSet = &cs;
        TForm6 f;
        DM->AddDataSet(2);
        cs.ComboBox1->addItem(QStringLiteral("extra"));
        cs.ComboBox1->setCurrentIndex(cs.ComboBox1->count() - 1);
        OpenInstallation();
        QCOMPARE(cs.ComboBox1->currentIndex(), 0);
        ComSet = nullptr;
    }

    void theRegisterWindowAndTheMainWindowTakeTurns() {
        createDataModule();
        QWidget registerWindow; // stands for the start-up's register window
        registerWindow.setObjectName(QStringLiteral("Form_Anagrafica"));
        TForm6 f;
        DM->AddDataSet(5);
        f.Action1->trigger();
        QVERIFY(registerWindow.isVisible());
        OpenInstallation();
        QVERIFY(!registerWindow.isVisible());
        QVERIFY(f.isVisible());
    }

    void uncheckingTheLiveTestStopsTheSequencerFirst() {
        TComSet cs;
        ComSet = &cs;
        TForm6 f;
        QList<bool> timerRunningAtStart;
        QList<int> jobs;
        MainWindowLinks::setTransferObserverForTests([&](int tab, bool) {
            jobs << tab;
            timerRunningAtStart << cs.Timer1->isActive();
        });
        f.PageControl->selectPageByUser(13);
        f.Action4->setChecked(true);
        cs.Timer1->start();   // a live job ticking
        f.Action4->trigger(); // unchecks
        QCOMPARE(jobs, QList<int>{101});
        QCOMPARE(timerRunningAtStart, QList<bool>{false});
        // Even with no live job running.
        f.Action4->setChecked(true);
        f.Action4->trigger();
        QCOMPARE(jobs, (QList<int>{101, 101}));
        ComSet = nullptr;
    }

    void linkMenuItemsShowTheLinkWindows() {
        TComSet cs;
        ComSet = &cs;
        TForm1 trace;
        Form1 = &trace;
        TForm6 f;
        f.SetUpCOM1->trigger();
        QVERIFY(cs.isVisible() && !cs.isModal());
        f.Debug1->setVisible(true);
        f.Debug1->trigger(); // checks it: the trace window shows
        QVERIFY(trace.isVisible());
        f.Debug1->trigger(); // unchecking leaves it shown
        QVERIFY(!f.Debug1->isChecked());
        QVERIFY(trace.isVisible());
        Form1 = nullptr;
        ComSet = nullptr;
    }

    // A relay address typed with its port in the host field, or a port that is no port, is refused
    // before any connection, with a message about the setting: the connection form reads the
    // page "PARAMETRI DI RETE".
    void cloudAddressMistakesAreRefusedBeforeConnecting_data() {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("problem");
        QTest::newRow("port in the host field") << "relay.example:8443"
                                                << "443"
                                                << "indirizzo del server cloud non valido";
        QTest::newRow("port with a letter") << "relay.example"
                                            << "84a3"
                                            << "porta del server cloud non valida";
        QTest::newRow("port out of range") << "relay.example"
                                           << "70000"
                                           << "porta del server cloud non valida";
    }
    void cloudAddressMistakesAreRefusedBeforeConnecting() {
        QFETCH(QString, host);
        QFETCH(QString, port);
        QFETCH(QString, problem);
        createDataModule();
        TComSet form;
        ComSet = &form;
        TForm6 f;
        DM->AddDataSet(6);
        wireTransferToModel();
        wireLinkToApp();
        f.TabSheet27->Edit2->setText(host);
        f.TabSheet27->Edit3->setText(port);
        form.ComboBox1->setCurrentIndex(form.ComboBox1->findText(TComSet::RemoteManagement));
        BoxAnswerer boxes;
        form.ConnectClick();
        QVERIFY(!form.IsConnecting() && !form.IsLinkOpen());
        QVERIFY(!TSplash::currentWaitWindow()); // no attempt was started
        QCOMPARE(boxes.count(), 1);
        QVERIFY2(boxes.texts()[0].startsWith(QStringLiteral("Collegamento cloud non avviato: ") + problem),
                 qPrintable(boxes.texts()[0]));
        ComSet = nullptr;
        TComSet::waitWindowHooks = {};
        TComSet::cloudCredentialsHook = {};
        ModelAccess = TransferModelAccess{};
    }

    void saveWritesTheRegisterAtOnce() {
        createDataModule();
        TForm6 f;
        DM->AddDataSet(4);
        DataSet* root = DM->CDSet_Tabulon;
        root->edit();
        root->fieldByName(QStringLiteral("_NomeCliente")).setAsString(QStringLiteral("Rossi"));
        const QString exported = registry->folder() + QStringLiteral("/export.cds");
        DATABASE = exported; // the path an export chose
        f.Action20->trigger();
        QCOMPARE(root->state(), DataSetState::Browse);
        QVERIFY(QFileInfo::exists(exported));
        TDM reread;
        QVERIFY(reread.importRegister(exported));
        reread.CDSet_Tabulon->first();
        QCOMPARE(reread.CDSet_Tabulon->fieldByName(QStringLiteral("_NomeCliente")).asString(),
                 QStringLiteral("Rossi"));
    }

    void closingSavesTheRegisterAndWritesTheSettings() {
        createDataModule();
        TComSet cs;
        ComSet = &cs;
        cs.ScrollBar1->setValue(250);
        auto* f = new TForm6;
        DM->AddDataSet(6);
        QVERIFY(!Lang::ListaFunzioniIngresso.isEmpty());
        f->resize(820, 510);
        f->move(25, 15);
        BoxAnswerer boxes;
        f->close();
        QCOMPARE(exitCode, 0);
        QCOMPARE(boxes.count(), 0);
        QVERIFY(DM == nullptr);                   // freed...
        QVERIFY(QFileInfo::exists(databasePath)); // ...after saving the register
        TDM reread;
        QVERIFY(reread.importRegister(databasePath));
        QCOMPARE(reread.CDSet_Tabulon->recordCount(), 1);
        QVERIFY(Lang::ListaFunzioniIngresso.isEmpty()); // vocabulary lists freed
        RegistryKey reg;
        QVERIFY(reg.openKey(kTabulonRegistryKey, false));
        QCOMPARE(reg.readInteger(QStringLiteral("BaudRate")), 250);
        for (auto [name, value] :
             {std::pair{"Top", f->y()}, {"Left", f->x()}, {"Height", 510}, {"Width", 820}})
            QCOMPARE(reg.readInteger(QString::fromLatin1(name)), value);
        QCOMPARE(reg.readString(QStringLiteral("DATABASE")), databasePath);
        ComSet = nullptr;
        delete f;
    }
};

QTEST_MAIN(TestMainWindowModel)
#include "test_mainwindow_model.moc"
