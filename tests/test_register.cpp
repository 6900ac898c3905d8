// The installations register window and the model choice: creating, deleting and opening
// installations, the button states, closing, and the register file actions.

#include "app/modelchoice.h"
#include "app/picturebox.h"
#include "app/registerwindow.h"
#include "app/splash.h"
#include "app/startupenv.h"
#include "app/windowcreation.h"
#include "model/datamodule.h"
#include "model/lang.h"
#include "platform/dataset.h"
#include "platform/dbcontrols.h"
#include "platform/dialogs.h"
#include "platform/registrykey.h"
#include "ui/mainwindow.h"

#include <QtTest>

class TestRegister : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QList<int> m_exitCodes;

    DataSet* root() const { return DM->CDSet_Tabulon; }
    int count() const { return root()->recordCount(); }
    QString path(const QString& name) const { return m_dir.filePath(name); }

    // The five controls switched together, as (Crea, Elimina, Ok, GroupBox5, GroupBox6).
    static QList<bool> states() {
        auto* w = Form_Anagrafica;
        return {w->Button_Crea->isEnabled(), w->Button_Elimina->isEnabled(), w->Button_Ok->isEnabled(),
                w->GroupBox5->isEnabled(), w->GroupBox6->isEnabled()};
    }
    static QList<bool> filled() { return {true, true, true, true, true}; }
    static QList<bool> empty() { return {true, false, false, false, false}; }

    // NUOVO, choose the model, OK: the way a user creates an installation.
    void createInstallation(int systemType) {
        QTest::mouseClick(Form_Anagrafica->Button_Crea, Qt::LeftButton);
        QVERIFY(TypeCentral->isVisible());
        TypeCentral->ComboBox1->setCurrentIndex(systemType);
        QTest::mouseClick(TypeCentral->OKBtn, Qt::LeftButton);
    }

    QString readDatabaseSetting() const {
        RegistryKey reg;
        if (!reg.openKey(kTabulonRegistryKey, false))
            return QStringLiteral("<no key>");
        return reg.readString(QStringLiteral("DATABASE"));
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        initStartupResources();
        StartupEnv::setExitFunction([this](int code) { m_exitCodes.append(code); });
        installWindowCreation();
    }

    // Every case starts from a fresh program: settings, data module and windows.
    void init() {
        const QString settings = path(QStringLiteral("registry.ini"));
        QFile::remove(settings);
        RegistryKey::setStorageForTests(settings);
        {
            RegistryKey reg;
            QVERIFY(reg.openKey(kTabulonRegistryKey, true));
            reg.writeString(QStringLiteral("DATABASE"), path(QStringLiteral("KTabulon.cds")));
        }
        m_exitCodes.clear();
        createDataModule();
        QVERIFY(Form_Anagrafica && TypeCentral && Form6);
    }

    void cleanup() {
        delete Form6;
        delete TypeCentral;
        delete Form_Anagrafica;
        delete DM;
        QCOMPARE(FormAttesa, nullptr);
    }

    void startsEmptyWithOnlyNewEnabled() {
        QVERIFY(Form_Anagrafica->isVisible());
        QVERIFY(!Form6->isVisible());
        QCOMPARE(states(), empty());
        QCOMPARE(Form_Anagrafica->Button_Crea->text(), QStringLiteral("NUOVO"));
        QCOMPARE(Form_Anagrafica->Button_Elimina->text(), QStringLiteral("CANCELLA"));
        QCOMPARE(Form_Anagrafica->Button_Ok->text(), QStringLiteral("OK"));
        QCOMPARE(Form_Anagrafica->GroupBox3->title(), QStringLiteral("Indirizzo Cliente"));
        QCOMPARE(Form_Anagrafica->GroupBox2->title(), QStringLiteral("Nota"));
        QCOMPARE(Form_Anagrafica->File1->actions().size(), 3);
        QCOMPARE(Form_Anagrafica->Action1->text(), QStringLiteral("Export DB"));
        QCOMPARE(Form_Anagrafica->Action2->text(), QStringLiteral("Import DB"));
        QCOMPARE(Form_Anagrafica->Action3->text(), QStringLiteral("New Config"));
        QVERIFY(Form_Anagrafica->windowFlags() & Qt::WindowStaysOnTopHint);
    }

    void newAsksForTheModelAndCreatesTheInstallation() {
        BoxAnswerer boxes;
        QTest::mouseClick(Form_Anagrafica->Button_Crea, Qt::LeftButton);
        QVERIFY(TypeCentral->isVisible());
        QVERIFY(!TypeCentral->isModal());
        QVERIFY(!Form_Anagrafica->isEnabled());
        QCOMPARE(TypeCentral->ComboBox1->currentIndex(), -1);
        QCOMPARE(TypeCentral->ComboBox1->count(), 7);
        QCOMPARE(TypeCentral->ComboBox1->itemText(0), QString());
        QCOMPARE(TypeCentral->ComboBox1->itemText(3), QStringLiteral("MODEL MIRUNPLUS"));
        QCOMPARE(TypeCentral->Label1->text(), QStringLiteral("Tipo centrale"));

        // No model, then the empty first item: refused, the dialog stays.
        QTest::mouseClick(TypeCentral->OKBtn, Qt::LeftButton);
        TypeCentral->ComboBox1->setCurrentIndex(0);
        QTest::mouseClick(TypeCentral->OKBtn, Qt::LeftButton);
        QCOMPARE(boxes.texts(), (QStringList{QStringLiteral("Selezionare tipo centrale"),
                                             QStringLiteral("Selezionare tipo centrale")}));
        QVERIFY(TypeCentral->isVisible());
        QVERIFY(!Form_Anagrafica->isEnabled());
        QCOMPARE(count(), 0);

        TypeCentral->ComboBox1->setCurrentIndex(3);
        QTest::mouseClick(TypeCentral->OKBtn, Qt::LeftButton);
        QCOMPARE(boxes.count(), 2);
        QVERIFY(!TypeCentral->isVisible());
        QCOMPARE(count(), 1);
        QCOMPARE(root()->fieldByName("_TipoCentrale").asString(), QStringLiteral("MODEL MIRUNPLUS"));
        QCOMPARE(root()->fieldByName("_IDCentrale").asInteger(), 3);
        QCOMPARE(TypeCentral->ComboBox1->currentIndex(), -1);
        QVERIFY(Form_Anagrafica->isEnabled());
        QCOMPARE(states(), filled());
        QVERIFY(Form6->isVisible());

        // The next NUOVO asks again with nothing chosen.
        QTest::mouseClick(Form_Anagrafica->Button_Crea, Qt::LeftButton);
        QVERIFY(TypeCentral->isVisible());
        QCOMPARE(TypeCentral->ComboBox1->currentIndex(), -1);
        QVERIFY(!Form6->isVisible());
    }

    void cancellingTheModelChoice() {
        // Empty register: only NUOVO comes back, the main window stays hidden.
        QTest::mouseClick(Form_Anagrafica->Button_Crea, Qt::LeftButton);
        TypeCentral->ComboBox1->setCurrentIndex(2);
        QTest::mouseClick(TypeCentral->CancelBtn, Qt::LeftButton);
        QVERIFY(!TypeCentral->isVisible());
        QCOMPARE(TypeCentral->ComboBox1->currentIndex(), -1);
        QVERIFY(Form_Anagrafica->isEnabled());
        QCOMPARE(states(), empty());
        QVERIFY(!Form6->isVisible());
        QCOMPARE(count(), 0);

        // With an installation: Esc cancels, the main window comes back.
        createInstallation(1);
        QTest::mouseClick(Form_Anagrafica->Button_Crea, Qt::LeftButton);
        QVERIFY(!Form6->isVisible());
        QTest::keyClick(TypeCentral, Qt::Key_Escape);
        QVERIFY(!TypeCentral->isVisible());
        QVERIFY(Form_Anagrafica->isEnabled());
        QCOMPARE(states(), filled());
        QVERIFY(Form6->isVisible());
        QCOMPARE(count(), 1);
    }

    void modelChoiceCannotBeClosedByItsCloseBox() {
        QTest::mouseClick(Form_Anagrafica->Button_Crea, Qt::LeftButton);
        QVERIFY(!TypeCentral->close());
        QVERIFY(TypeCentral->isVisible());
        QVERIFY(TypeCentral->windowFlags() & Qt::WindowStaysOnTopHint);
        QTest::mouseClick(TypeCentral->CancelBtn, Qt::LeftButton);
    }

    void deleteAsksAndKeepsTheButtonsInStep() {
        createInstallation(4);
        createInstallation(6);
        QCOMPARE(count(), 2);

        BoxAnswerer boxes;
        boxes.answer(mrCancel);
        QTest::mouseClick(Form_Anagrafica->Button_Elimina, Qt::LeftButton);
        QCOMPARE(boxes.count("MessageBox"), 1);
        QCOMPARE(boxes.last().text, QStringLiteral("Eliminare la configurazione selezionata?"));
        QCOMPARE(boxes.last().buttons, unsigned(mbYes | mbCancel));
        QCOMPARE(count(), 2);
        QCOMPARE(states(), filled());
        QVERIFY(Form6->isVisible());

        boxes.answer(mrYes);
        QTest::mouseClick(Form_Anagrafica->Button_Elimina, Qt::LeftButton);
        QCOMPARE(count(), 1);
        QCOMPARE(root()->fieldByName("_TipoCentrale").asString(), QStringLiteral("MODEL PELUN"));
        QCOMPARE(states(), filled());
        QVERIFY(Form6->isVisible());

        boxes.answer(mrYes);
        QTest::mouseClick(Form_Anagrafica->Button_Elimina, Qt::LeftButton);
        QCOMPARE(count(), 0);
        QCOMPARE(states(), empty());
        QVERIFY(!Form6->isVisible());

        // Reached without a row (the button is disabled then): a notice, the empty state.
        boxes.clear();
        Form_Anagrafica->Button_EliminaClick();
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Non ci sono configurazioni attive")});
        QCOMPARE(states(), empty());
    }

    void closingWithInstallationsOpensTheSelectedOne() {
        createInstallation(2);
        root()->edit();
        root()->fieldByName("_NomeCliente").setAsString(QStringLiteral("Rossi"));
        Form_Anagrafica->show();
        Form_Anagrafica->FormShow();
        QVERIFY(!Form6->isEnabled());

        BoxAnswerer boxes;
        QVERIFY(Form_Anagrafica->close());
        QCOMPARE(boxes.count(), 0);
        QVERIFY(!Form_Anagrafica->isVisible());
        QCOMPARE(root()->state(), DataSetState::Browse); // the pending edit was posted
        QVERIFY(Form6->isVisible());
        QVERIFY(Form6->isEnabled());
        QCOMPARE(Form6->windowTitle(), QStringLiteral("TBN for (ZEPHRA)V080 ") + Lang::Version +
                                           QStringLiteral("   (Rossi)  MODEL MIRUN"));
        QVERIFY(m_exitCodes.isEmpty());
    }

    void closingAnEmptyRegisterAsksToQuit() {
        BoxAnswerer boxes;
        boxes.answer(mrNo);
        QVERIFY(!Form_Anagrafica->close());
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Vuoi uscire da programma?")});
        QCOMPARE(boxes.last().buttons, unsigned(mbYes | mbNo));
        QVERIFY(Form_Anagrafica->isVisible());
        QVERIFY(m_exitCodes.isEmpty());

        boxes.answer(mrYes);
        QVERIFY(!Form_Anagrafica->close());
        QCOMPARE(m_exitCodes, QList<int>{0});
    }

    void showAndHideTakeTurnsWithTheMainWindow() {
        createInstallation(5);
        Form6->setWindowTitle(QStringLiteral("Caption of the main window"));
        Form_Anagrafica->hide();
        QVERIFY(Form6->isVisible() && Form6->isEnabled());
        Form_Anagrafica->show();
        QVERIFY(!Form6->isEnabled());
        QCOMPARE(Form_Anagrafica->windowTitle(), Form6->windowTitle());
        QCOMPARE(states(), filled());
    }

    void doubleClickAndEnterInTheEdits() {
        createInstallation(1);
        Form_Anagrafica->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Form_Anagrafica));
        Form_Anagrafica->Button_Ok->setFocus();
        Form_Anagrafica->DBGrid1DblClick();
        QVERIFY(Form_Anagrafica->DBEdit1->hasFocus());
        QVERIFY(Form_Anagrafica->isVisible()); // a double click does not open

        root()->edit();
        QTest::keyClick(Form_Anagrafica->DBEdit3, Qt::Key_Return);
        QCOMPARE(root()->state(), DataSetState::Browse);
        root()->edit();
        QTest::keyClick(Form_Anagrafica->DBEdit2, Qt::Key_A);
        QCOMPARE(root()->state(), DataSetState::Edit);
        root()->cancel();
    }

    void exportChangesOnlyThePath() {
        BoxAnswerer boxes;
        // No register file yet: nothing is asked, nothing changes but the status panel.
        const QString original = DATABASE;
        Form_Anagrafica->Action1ExecuteExport();
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(DATABASE, original);
        QCOMPARE(Form6->statusPanelText(7), original);

        QFile file(original);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const QString upper = path(QStringLiteral("altro.CDS"));
        boxes.answerText(upper);
        Form_Anagrafica->Action1ExecuteExport();
        QCOMPARE(boxes.last().kind, QStringLiteral("SaveFile"));
        QCOMPARE(boxes.last().caption, QStringLiteral("Export"));
        QCOMPARE(boxes.last().text, original);
        QCOMPARE(DATABASE, upper + QStringLiteral(".cds"));
        QCOMPARE(readDatabaseSetting(), DATABASE);
        QCOMPARE(Form6->statusPanelText(7), DATABASE);
        QVERIFY(!QFile::exists(DATABASE)); // written at the next save only

        DATABASE = original;
        const QString lower = path(QStringLiteral("copia.cds"));
        boxes.answerText(lower);
        Form_Anagrafica->Action1ExecuteExport();
        QCOMPARE(DATABASE, lower);

        // A cancelled prompt keeps the path and still stores it.
        DATABASE = original;
        boxes.answerCancel();
        Form_Anagrafica->Action1ExecuteExport();
        QCOMPARE(DATABASE, original);
        QCOMPARE(readDatabaseSetting(), original);
    }

    void registerExtensionRule() {
        QCOMPARE(withRegisterExtension(QStringLiteral("a.cds")), QStringLiteral("a.cds"));
        QCOMPARE(withRegisterExtension(QStringLiteral("a.CDS")), QStringLiteral("a.CDS.cds"));
        QCOMPARE(withRegisterExtension(QStringLiteral("a.Cds")), QStringLiteral("a.Cds.cds"));
        QCOMPARE(withRegisterExtension(QStringLiteral("a")), QStringLiteral("a.cds"));
        QCOMPARE(withRegisterExtension(QStringLiteral("cds")), QStringLiteral("cds.cds"));
        QCOMPARE(withRegisterExtension(QStringLiteral(".cds")), QStringLiteral(".cds"));
    }
};

QTEST_MAIN(TestRegister)
#include "test_register.moc"
