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
#include "platform/colors.h"
#include "platform/dataset.h"
#include "platform/dbcontrols.h"
#include "platform/dbgrid.h"
#include "platform/dialogs.h"
#include "platform/registrykey.h"
#include "support/manyinstallations.h"
#include "support/registerbytes.h"
#include "support/unreadablefile.h"
#include "ui/mainwindow.h"

#include <QToolBar>
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

    // The installations of a register file, read by a data module of its own.
    static QStringList modelsInFile(const QString& file) {
        TDM reader;
        reader.CDSet_Tabulon->open();
        reader.CDSet_Tabulon->loadFromFile(file);
        QStringList models;
        for (int r = 1; r <= reader.CDSet_Tabulon->recordCount(); ++r) {
            reader.CDSet_Tabulon->setRecNo(r);
            models << reader.CDSet_Tabulon->fieldByName("_TipoCentrale").asString();
        }
        return models;
    }

    static void moveMouse(QWidget* target, QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, target->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(target, &move);
    }

    static QString readDatabaseSetting() {
        RegistryKey reg;
        return reg.openKey(kTabulonRegistryKey, false) ? reg.readString(QStringLiteral("DATABASE"))
                                                       : QStringLiteral("<no key>");
    }
    // The register path where the program keeps it: in use, in the settings, in the status bar.
    static void checkRegisterPath(const QString& expected) {
        QCOMPARE(DATABASE, expected);
        QCOMPARE(readDatabaseSetting(), expected);
        QCOMPARE(Form6->statusPanelText(7), expected);
    }
    // A text as the register file holds it: its length, then its bytes.
    static QByteArray lengthPrefixed(const QByteArray& text) {
        const quint32 n = quint32(text.size());
        return QByteArray(reinterpret_cast<const char*>(&n), 4) + text;
    }
    // Replaces the one text `was` of a register file's bytes by `now`; false unless it stood once.
    static bool replaceText(QByteArray& bytes, const QByteArray& was, const QByteArray& now) {
        if (bytes.count(lengthPrefixed(was)) != 1)
            return false;
        bytes.replace(lengthPrefixed(was), lengthPrefixed(now));
        return true;
    }
    void writeFile(const QString& file, const QByteArray& bytes) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        initStartupResources();
        StartupEnv::setExitFunction([this](int code) { m_exitCodes.append(code); });
        TForm6::setProcessExit([this](int code) { m_exitCodes.append(code); });
        installWindowCreation();
    }

    // Every case starts from a fresh program: settings, data module and windows.
    void init() {
        const QString settings = path(QStringLiteral("registry.ini"));
        QFile::remove(settings);
        QFile::remove(path(QStringLiteral("KTabulon.cds")));
        RegistryKey::setStorageForTests(settings);
        {
            RegistryKey reg;
            QVERIFY(reg.openKey(kTabulonRegistryKey, true));
            reg.writeString(QStringLiteral("DATABASE"), path(QStringLiteral("KTabulon.cds")));
            reg.writeString(QStringLiteral("LogIn"), QStringLiteral("quorb"));
            for (const auto& [name, value] :
                 {std::pair{"Top", 135}, {"Left", 240}, {"Height", 800}, {"Width", 1190}})
                reg.writeInteger(QString::fromLatin1(name), value);
        }
        m_exitCodes.clear();
        BoxAnswerer boxes;
        createDataModule();
        QCOMPARE(boxes.texts(), QStringList());
        QVERIFY(Form_Anagrafica && TypeCentral && Form6);
    }

    void cleanup() {
        delete Form6;
        delete TypeCentral;
        delete Form_Anagrafica;
        delete DM;
        QCOMPARE(TSplash::currentWaitWindow(), nullptr);
    }

    void newAsksForTheModelAndCreatesTheInstallation() {
        // An empty register: only NUOVO enabled, the main window hidden.
        QVERIFY(Form_Anagrafica->isVisible());
        QVERIFY(!Form6->isVisible());
        QCOMPARE(states(), empty());
        BoxAnswerer boxes;
        QTest::mouseClick(Form_Anagrafica->Button_Crea, Qt::LeftButton);
        QVERIFY(!TypeCentral->isModal());
        QVERIFY(!Form_Anagrafica->isEnabled());

        // No model, then the empty first item: refused, the dialog stays.
        QTest::mouseClick(TypeCentral->OKBtn, Qt::LeftButton);
        TypeCentral->ComboBox1->setCurrentIndex(0);
        QTest::mouseClick(TypeCentral->OKBtn, Qt::LeftButton);
        QCOMPARE(boxes.texts(), (QStringList{QStringLiteral("Selezionare tipo centrale"),
                                             QStringLiteral("Selezionare tipo centrale")}));
        QVERIFY(TypeCentral->isVisible());
        QCOMPARE(count(), 0);

        TypeCentral->ComboBox1->setCurrentIndex(3);
        QTest::mouseClick(TypeCentral->OKBtn, Qt::LeftButton);
        QVERIFY(!TypeCentral->isVisible());
        QCOMPARE(count(), 1);
        QCOMPARE(root()->fieldByName("_TipoCentrale").asString(), QStringLiteral("MODEL MIRUNPLUS"));
        QVERIFY(Form_Anagrafica->isEnabled() && Form6->isVisible());
        QCOMPARE(states(), filled());

        // The next NUOVO asks again with nothing chosen.
        QTest::mouseClick(Form_Anagrafica->Button_Crea, Qt::LeftButton);
        QVERIFY(TypeCentral->isVisible());
        QCOMPARE(TypeCentral->ComboBox1->currentIndex(), -1);
        QVERIFY(!Form6->isVisible());
    }

    void cancellingTheModelChoice() {
        // Its close box does nothing; Annulla on an empty register brings back only NUOVO.
        QTest::mouseClick(Form_Anagrafica->Button_Crea, Qt::LeftButton);
        QVERIFY(!TypeCentral->close());
        QVERIFY(TypeCentral->isVisible());
        TypeCentral->ComboBox1->setCurrentIndex(2);
        QTest::mouseClick(TypeCentral->CancelBtn, Qt::LeftButton);
        QVERIFY(!TypeCentral->isVisible());
        QCOMPARE(TypeCentral->ComboBox1->currentIndex(), -1);
        QCOMPARE(states(), empty());
        QVERIFY(!Form6->isVisible());

        // With an installation: Esc cancels, the main window comes back.
        createInstallation(1);
        QTest::mouseClick(Form_Anagrafica->Button_Crea, Qt::LeftButton);
        QVERIFY(!Form6->isVisible());
        QTest::keyClick(TypeCentral, Qt::Key_Escape);
        QVERIFY(Form_Anagrafica->isEnabled() && Form6->isVisible());
        QCOMPARE(states(), filled());
        QCOMPARE(count(), 1);
    }

    void deleteAsksAndKeepsTheButtonsInStep() {
        createInstallation(4);
        createInstallation(6);

        BoxAnswerer boxes;
        boxes.answer(mrCancel);
        QTest::mouseClick(Form_Anagrafica->Button_Elimina, Qt::LeftButton);
        QCOMPARE(boxes.count("MessageBox"), 1);
        QCOMPARE(boxes.last().text, QStringLiteral("Eliminare la configurazione selezionata?"));
        QCOMPARE(count(), 2);
        boxes.answer(mrYes);
        QTest::mouseClick(Form_Anagrafica->Button_Elimina, Qt::LeftButton);
        QCOMPARE(count(), 1);
        QCOMPARE(root()->fieldByName("_TipoCentrale").asString(), QStringLiteral("MODEL PELUN"));
        QCOMPARE(states(), filled());

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
        QCOMPARE(root()->state(), DataSetState::Browse); // the pending edit was posted
        QVERIFY(Form6->isVisible() && Form6->isEnabled());
        QCOMPARE(Form6->windowTitle(), QStringLiteral("TBN for (ZEPHRA)V080 ") + Lang::Version +
                                           QStringLiteral("   (Rossi)  MODEL MIRUN"));
        QVERIFY(m_exitCodes.isEmpty());
    }

    // The window manager may offer to close the main window while it is disabled or under a
    // dialog: that close must not run the exit routine behind the window the user is using.
    void mainWindowStaysWhileSomethingIsUpOverIt() {
        createInstallation(4);
        Form_Anagrafica->hide();
        QVERIFY(Form6->isVisible() && Form6->isEnabled());
        const auto closeFromWindowManager = [] {
            QCloseEvent close;
            QApplication::sendEvent(Form6, &close);
            return close.isAccepted();
        };
        Form_Anagrafica->show(); // the register window disables the main window
        QVERIFY(!Form6->isEnabled());
        QVERIFY(!closeFromWindowManager());
        QTest::mouseClick(Form_Anagrafica->Button_Crea, Qt::LeftButton); // and the model choice
        QVERIFY(TypeCentral->isVisible());
        QVERIFY(!closeFromWindowManager());
        QTest::mouseClick(TypeCentral->CancelBtn, Qt::LeftButton);
        Form_Anagrafica->hide();
        {
            QDialog dialog(Form6); // any modal dialog over the enabled main window
            dialog.setModal(true);
            dialog.show();
            QVERIFY(!closeFromWindowManager());
        }
        QVERIFY(m_exitCodes.isEmpty());
        QVERIFY(DM && DM->CDSet_Tabulon->recordCount() == 1);
        // With nothing over it, closing the main window ends the program.
        QVERIFY(closeFromWindowManager());
        QCOMPARE(m_exitCodes, QList<int>{0});
    }

    // Closing an empty register asks to quit; quitting saves it through the main window's exit:
    // a save that fails asks, and the user may stay with the program open.
    void closingAnEmptyRegisterAsksToQuit() {
        BoxAnswerer boxes;
        boxes.answer(mrNo);
        QVERIFY(!Form_Anagrafica->close());
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Vuoi uscire da programma?")});
        DATABASE = path(QStringLiteral("no/such/folder/KTabulon.cds"));
        boxes.clear();
        boxes.answer(mrYes).answer(3); // quit; then, the save failing, "Annulla"
        QVERIFY(!Form_Anagrafica->close());
        QCOMPARE(boxes.count("ChoiceDlg"), 1);
        QVERIFY(boxes.last().text.startsWith("Impossibile salvare l'archivio delle installazioni:"));
        QVERIFY(m_exitCodes.isEmpty());
        QVERIFY(DM && Form_Anagrafica->isVisible());

        // With a register that can be written, quitting saves the empty register and ends.
        DATABASE = path(QStringLiteral("KTabulon.cds"));
        boxes.answer(mrYes);
        QVERIFY(!Form_Anagrafica->close());
        QVERIFY(!m_exitCodes.isEmpty() && m_exitCodes.count(0) == m_exitCodes.size());
        QVERIFY(!DM);
        QVERIFY(modelsInFile(path(QStringLiteral("KTabulon.cds"))).isEmpty());
    }

    // At the most installations a register may hold, NUOVO says so and adds none: the program
    // never writes a register it would refuse to read.
    void newStopsAtTheMostInstallations() {
        const QString full = path(QStringLiteral("pieno.cds"));
        QVERIFY(writeManyInstallations(full, TDM::kMaxInstallations));
        BoxAnswerer boxes;
        boxes.answerText(full);
        Form_Anagrafica->Action2ExecuteImport();
        QCOMPARE(count(), TDM::kMaxInstallations);
        boxes.clear();
        QTest::mouseClick(Form_Anagrafica->Button_Crea, Qt::LeftButton);
        QCOMPARE(boxes.texts(), QStringList{TDM::registerFullText()});
        QVERIFY(!TypeCentral->isVisible());
        QCOMPARE(count(), TDM::kMaxInstallations);
        QVERIFY(Form_Anagrafica->isEnabled());
    }

    void showHideDoubleClickAndEnter() {
        // Showing and hiding take turns with the main window.
        createInstallation(5);
        Form6->setWindowTitle(QStringLiteral("Caption of the main window"));
        Form_Anagrafica->hide();
        QVERIFY(Form6->isVisible() && Form6->isEnabled());
        Form_Anagrafica->show();
        QVERIFY(!Form6->isEnabled());
        QCOMPARE(Form_Anagrafica->windowTitle(), Form6->windowTitle());

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

        writeFile(original, {});
        const QString upper = path(QStringLiteral("altro.CDS"));
        boxes.answerText(upper);
        Form_Anagrafica->Action1ExecuteExport();
        QCOMPARE(boxes.last().text, original);             // the prompt starts from the current path
        checkRegisterPath(upper + QStringLiteral(".cds")); // only a lower-case ".cds" is the extension
        QVERIFY(!QFile::exists(DATABASE));                 // written at the next save only

        // A cancelled prompt keeps the path and still stores it.
        DATABASE = original;
        boxes.answerCancel();
        Form_Anagrafica->Action1ExecuteExport();
        QCOMPARE(DATABASE, original);
        QCOMPARE(readDatabaseSetting(), original);
    }

    void importOfAForeignFileKeepsEverything() {
        createInstallation(1);
        createInstallation(6);
        const QString original = DATABASE;
        Form6->setStatusPanelText(7, QString());

        // Not a register (a register of another data model takes the same way).
        const QString garbage = path(QStringLiteral("rotto.cds"));
        writeFile(garbage, "this is not a register file at all");
        BoxAnswerer boxes;
        boxes.answerText(garbage);
        Form_Anagrafica->Action2ExecuteImport();
        QCOMPARE(boxes.count("OpenFile"), 1);
        QCOMPARE(boxes.texts().last(), QStringLiteral("Il catalogo non corrisponde alle tabelle presenti"));
        QVERIFY(root()->active());
        QCOMPARE(count(), 2);
        checkRegisterPath(original);
        QCOMPARE(states(), filled());
    }

    void importReplacesTheRegister() {
        createInstallation(2);
        createInstallation(3);
        createInstallation(4);
        const QString saved = path(QStringLiteral("tre.cds"));
        QString error;
        QVERIFY2(DM->saveRegister(saved, &error), qPrintable(error));

        BoxAnswerer boxes;
        boxes.answer(mrYes).answer(mrYes).answer(mrYes);
        for (int i = 0; i < 3; ++i)
            QTest::mouseClick(Form_Anagrafica->Button_Elimina, Qt::LeftButton);
        boxes.answerCancel(); // a cancelled prompt changes nothing

        Form_Anagrafica->Action2ExecuteImport();
        QCOMPARE(count(), 0);

        boxes.answerText(saved);
        Form_Anagrafica->Action2ExecuteImport();
        QCOMPARE(count(), 3);
        checkRegisterPath(saved);
        QCOMPARE(states(), filled());
    }

    void newConfigKeepsTheOldFileAndStartsEmpty() {
        createInstallation(1);
        createInstallation(5);
        const QString original = DATABASE;
        QString error;
        QVERIFY2(DM->saveRegister(original, &error), qPrintable(error));
        createInstallation(3); // not yet saved: the new register must take it along
        const QList<bool> before = states();

        BoxAnswerer boxes;
        boxes.answerCancel();
        Form_Anagrafica->Action3ExecuteNewConfig();
        QCOMPARE(count(), 3);
        QCOMPARE(DATABASE, original);

        const QString typed = path(QStringLiteral("Cantiere.CDS"));
        boxes.answerText(typed);
        Form_Anagrafica->Action3ExecuteNewConfig();
        const QString expected = typed + QStringLiteral(".cds");
        checkRegisterPath(expected);
        QCOMPARE(root()->fileName(), expected);
        QCOMPARE(count(), 0);
        QVERIFY(!Form6->isVisible());
        QCOMPARE(states(), before);

        const QStringList three{QStringLiteral("MODEL TAVEK"), QStringLiteral("MODEL QUANE"),
                                QStringLiteral("MODEL MIRUNPLUS")};
        QCOMPARE(modelsInFile(original), three);
        QCOMPARE(modelsInFile(expected), three);
    }

    void newConfigThatCannotBeWrittenChangesNothing() {
        createInstallation(2);
        const QString original = DATABASE;
        BoxAnswerer boxes;
        boxes.answerText(path(QStringLiteral("no/such/folder/nuovo")));
        Form_Anagrafica->Action3ExecuteNewConfig();
        QCOMPARE(boxes.count("MessageBox"), 1);
        QCOMPARE(DATABASE, original);
        QCOMPARE(count(), 1);
        QCOMPARE(readDatabaseSetting(), original);
    }

    // The refusal of an import and the failure of a New Config come right after a file prompt,
    // whose closing leaves no window of the program active. Their box belongs to the register
    // window, which stays on top, and stays on top itself; the main window, hidden while the
    // new register is made, is back as it was before.
    void boxesAfterAFilePromptStandOverTheRegisterWindow_data() {
        QTest::addColumn<bool>("newConfig");
        QTest::addColumn<bool>("mainWindowShown");
        QTest::newRow("Import DB") << false << true;
        QTest::newRow("New Config, main window shown") << true << true;
        QTest::newRow("New Config, main window hidden") << true << false;
    }
    void boxesAfterAFilePromptStandOverTheRegisterWindow() {
        QFETCH(bool, newConfig);
        QFETCH(bool, mainWindowShown);
        createInstallation(3);
        QVERIFY(Form_Anagrafica->isVisible() && Form6->isVisible());
        Form6->setVisible(mainWindowShown);
        const QString garbage = path(QStringLiteral("rotto.cds"));
        writeFile(garbage, "this is not a register file at all");
        BoxAnswerer boxes;
        boxes.responder = [&](const ShownBox& box) -> QVariant {
            if (!box.kind.endsWith(QLatin1String("File")))
                return {};
            QApplication::setActiveWindow(nullptr); // the prompt has closed
            return newConfig ? QStringLiteral("/proc/newreg") : garbage;
        };
        (newConfig ? Form_Anagrafica->Action3 : Form_Anagrafica->Action2)->trigger();
        QCOMPARE(boxes.count(), 2);
        const ShownBox& box = boxes.last();
        QVERIFY2(box.owner == Form_Anagrafica, qPrintable(box.owner ? box.owner->objectName() : "none"));
        QVERIFY(box.staysOnTop);
        QCOMPARE(Form6->isVisible(), mainWindowShown);
        QCOMPARE(count(), 1);
    }

    void gridColumnsWidthsAndHover() {
        DBGrid* grid = Form_Anagrafica->DBGrid1;
        QCOMPARE(grid->columnCount(), 5);
        // Only the customer's name may be typed in the grid.
        QVERIFY(!grid->column(0).isReadOnly() && grid->column(4).isReadOnly());
        QVERIFY(!grid->hasOption(GridOption::Editing));
        // The model column is at least as wide as the longest model name.
        QFont bold = grid->font();
        bold.setBold(true);
        QVERIFY(root()->fieldByName("_TipoCentrale").tag >
                QFontMetrics(bold).horizontalAdvance("MODEL MIRUNPLUS"));

        // Fitting: every column has a minimum here, so all of them share the free width.
        Form_Anagrafica->resize(900, 500);
        Form_Anagrafica->FormResize();
        int used = 20;
        for (int i = 0; i < grid->columnCount(); ++i)
            used += grid->column(i).width() + 1;
        QVERIFY(grid->column(0).width() > 148);
        QVERIFY(qAbs(grid->viewport()->width() - used) < grid->columnCount());
        // Narrow: no column goes below its minimum.
        Form_Anagrafica->resize(300, 500);
        Form_Anagrafica->FormResize();
        for (int i = 0; i < grid->columnCount(); ++i)
            QVERIFY(grid->column(i).width() >= grid->column(i).field()->tag);

        // Hovering: the row under the mouse, a cursor telling whether the cell may be typed in.
        for (int model : {1, 3, 6})
            createInstallation(model);
        Form_Anagrafica->resize(700, 500);
        grid->setFocus();
        QWidget* viewport = grid->viewport();

        moveMouse(viewport, grid->cellRect(1, 2).center());
        QCOMPARE(Form_Anagrafica->mouseOverRow(), 2);
        QCOMPARE(viewport->cursor().shape(), Qt::PointingHandCursor);
        moveMouse(viewport, grid->cellRect(2, 2).center()); // a read-only column
        QCOMPARE(viewport->cursor().shape(), Qt::ForbiddenCursor);
        moveMouse(viewport, grid->cellRect(1, 3).center());
        QCOMPARE(Form_Anagrafica->mouseOverRow(), 3);

        // The hovered row is silver; the others keep white and the read-only colour. The row
        // stays highlighted after the mouse has left.
        const QImage image = viewport->grab().toImage();
        auto pixel = [&](int col, int row) {
            const QRect cell = grid->cellRect(col, row);
            return QColor(image.pixel(cell.right() - 3, cell.center().y()));
        };
        QCOMPARE(pixel(1, 3), QColor(0xC0, 0xC0, 0xC0));
        QCOMPARE(pixel(2, 2), sysColor(COLOR_INACTIVEBORDER));
        QCOMPARE(pixel(1, 1), QColor(Qt::white));
    }

    // A register that cannot be opened starts the program empty: the start says why, naming a
    // refused installation by its name as a load keeps it (cleaned and cut to its field: a box
    // lays its whole text out before it shows, and a million characters take seconds), and
    // where the file will be kept; the save that replaces it (EXIT) says so again; the old
    // installations are there, whole.
    void damagedRegisterIsKeptWhereTheUserIsTold_data() {
        QTest::addColumn<QByteArray>("model"); // in place of "MODEL MIRUN"
        QTest::addColumn<QByteArray>("name");  // in place of every "Unamed"
        QTest::addColumn<QString>("shown");    // "": the file's checksum refuses it
        QTest::newRow("a payload byte flipped") << QByteArray("MODEL MIRUO") << QByteArray("Unamed") << "";
        QTest::newRow("a model the program does not know, under a name of a million characters")
            << QByteArray("MODEL FOO") << QByteArray(1000000, 'A') << QString(30, 'A');
        QTest::newRow("a model the program does not know, under a name with control characters")
            << QByteArray("MODEL FOO") << QByteArray("Ros\x01si\x1b\t\r\n\x7f") << "Rossi";
    }
    void damagedRegisterIsKeptWhereTheUserIsTold() {
        QFETCH(QByteArray, model);
        QFETCH(QByteArray, name);
        QFETCH(QString, shown);
        for (int type : {1, 2, 4})
            createInstallation(type);
        const QString file = DATABASE, native = QDir::toNativeSeparators(file);
        cleanup();                                        // the end saves the three
        QFile::remove(file + QStringLiteral(".damaged")); // another row's
        QByteArray bytes = readAll(file);
        for (const auto& [was, now] :
             {std::pair{QByteArray("MODEL MIRUN"), model}, std::pair{QByteArray("Unamed"), name}}) {
            QVERIFY(replaceText(bytes, was, now));
        }
        if (!shown.isEmpty())
            resealHeader(bytes);
        writeFile(file, bytes);

        BoxAnswerer boxes;
        createDataModule();
        QCOMPARE(boxes.count(), 1);
        const QString said = boxes.last().text;
        QVERIFY2(said.startsWith("Impossibile aprire l'archivio delle installazioni:\n" + native + "\n\n") &&
                     said.endsWith("Il programma parte con un archivio vuoto e il file resta com'è.\nQuando "
                                   "l'archivio verrà salvato in questo file, il file danneggiato sarà "
                                   "conservato in:\n" +
                                   native + ".damaged") &&
                     said.size() < 1000 &&
                     (shown.isEmpty() ||
                      said.contains("installazione 2 (\"" + shown +
                                    "\"), tabella 'CDSet_Tabulon', "
                                    "campo '_TipoCentrale': \"MODEL FOO\" non è uno dei valori")),
                 qPrintable(said.left(1000)));
        QCOMPARE(count(), 0);
        createInstallation(6);
        QTest::mouseClick(Form_Anagrafica->Button_Ok, Qt::LeftButton);
        QCOMPARE(readAll(file), bytes);
        boxes.clear();
        QTest::mouseClick(Form6->ActionToolBar1->widgetForAction(Form6->Action7), Qt::LeftButton); // EXIT
        QCOMPARE(m_exitCodes, QList<int>{0});
        QCOMPARE(boxes.texts(),
                 QStringList{"L'archivio salvato ha sostituito il file danneggiato\n" + native +
                             "\n\nIl file danneggiato è conservato, così com'era, in:\n" + native +
                             ".damaged"});
        QCOMPARE(readAll(file + ".damaged"), bytes);
        QCOMPARE(modelsInFile(file), QStringList{"MODEL ZOREM"});
    }

    // A register whose values were put right as it was read is not lost to the first save: the
    // start names the values and where the file as it was will be kept; the save that replaces
    // it (the main window's SAVE) keeps it there whole and says so; later saves (EXIT) keep
    // no more copies and say nothing.
    void repairedRegisterIsKeptBeforeTheSaveThatReplacesIt() {
        createInstallation(2);
        const QString file = DATABASE, native = QDir::toNativeSeparators(file);
        cleanup(); // the end saves it
        const QString kept = file + QStringLiteral(".originale");
        QFile::remove(kept);
        QByteArray bytes = readAll(file);
        // The customer's name of 10,000 characters with control characters, a timer at 99:99.
        for (const auto& [was, now] :
             {std::pair{QByteArray("Unamed"), "Ro\x01ss\x1bi" + QByteArray(10000, 'A')},
              std::pair{QByteArray("00:00"), QByteArray("99:99")}}) {
            QVERIFY(replaceText(bytes, was, now));
        }
        resealHeader(bytes);
        writeFile(file, bytes);

        BoxAnswerer boxes;
        createDataModule();
        QCOMPARE(boxes.count(), 1);
        const QString said = boxes.last().text;
        const QString name = QStringLiteral("Rossi") + QString(25, 'A');
        QVERIFY2(said.startsWith("Alcuni valori dell'archivio non erano validi e sono stati corretti:\n\n") &&
                     said.contains("campo '_NomeCliente': \"Ro?ss?i" + QString(33, 'A') +
                                   "...\" corretto in \"" + name + "\"") &&
                     said.contains("campo '_Ora': \"99:99\" corretto in \"23:59\"") &&
                     said.endsWith("\n\nIl file resta com'è. Quando l'archivio verrà salvato in questo file, "
                                   "il file com'era prima delle correzioni sarà conservato in:\n" +
                                   native + ".originale"),
                 qPrintable(said));
        QCOMPARE(readAll(file), bytes);

        boxes.clear();
        QTest::mouseClick(Form_Anagrafica->Button_Ok, Qt::LeftButton);
        QTest::mouseClick(Form6->ActionToolBar1->widgetForAction(Form6->Action20), Qt::LeftButton); // SAVE
        QCOMPARE(boxes.texts(),
                 QStringList{"L'archivio salvato ha sostituito il file i cui valori erano stati corretti\n" +
                             native + "\n\nIl file com'era prima delle correzioni è conservato in:\n" +
                             native + ".originale"});
        QCOMPARE(readAll(kept), bytes);
        boxes.clear();
        QTest::mouseClick(Form6->ActionToolBar1->widgetForAction(Form6->Action7), Qt::LeftButton); // EXIT
        QCOMPARE(m_exitCodes, QList<int>{0});
        QCOMPARE(boxes.texts(), QStringList());
        QCOMPARE(readAll(kept), bytes);
        QVERIFY(!QFile::exists(kept + QStringLiteral(".2")));
    }

    // A register the program may not read is not called damaged: the start says it cannot be
    // read and why, in the system's words; the save at EXIT says so again and replaces nothing
    // (no copy of it could be kept), the program staying open; once the file can be read, the
    // save keeps it whole before replacing it.
    void unreadableRegisterIsNeitherDamagedNorReplaced() {
        createInstallation(2);
        const QString file = DATABASE, native = QDir::toNativeSeparators(file);
        cleanup(); // the end saves it
        const QString kept = file + QStringLiteral(".originale");
        QFile::remove(kept);
        const QByteArray bytes = readAll(file);
        UnreadableFile unreadable(file);
        if (unreadable.readable())
            QSKIP("this system lets the test read a file of mode 000");

        BoxAnswerer boxes;
        createDataModule();
        const QString reason = qt_error_string(EACCES);
        QCOMPARE(boxes.texts(),
                 QStringList{"Impossibile leggere l'archivio delle installazioni:\n" + native + "\n\n" +
                             reason +
                             "\n\nIl programma parte con un archivio vuoto e il file resta com'è.\n"
                             "L'archivio non verrà salvato in questo file finché il file non si potrà "
                             "leggere e conservarne una copia."});
        QCOMPARE(count(), 0);
        createInstallation(6);
        QTest::mouseClick(Form_Anagrafica->Button_Ok, Qt::LeftButton);
        boxes.clear();
        boxes.answer(3); // the save failing: "Annulla"
        QTest::mouseClick(Form6->ActionToolBar1->widgetForAction(Form6->Action7), Qt::LeftButton); // EXIT
        QVERIFY(m_exitCodes.isEmpty());
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().kind, QStringLiteral("ChoiceDlg"));
        const QString said = boxes.last().text;
        QVERIFY2(said.startsWith("Impossibile salvare l'archivio delle installazioni:\n" + native + "\n\n" +
                                 "Impossibile leggere il file dell'archivio '" + file + "': " + reason +
                                 "\nIl file non viene sostituito finché non si potrà leggere e conservarne "
                                 "una copia.\n") &&
                     !said.contains("danneggiat"),
                 qPrintable(said));
        unreadable.restore();
        QCOMPARE(readAll(file), bytes);
        QVERIFY(!QFile::exists(kept));

        boxes.clear();
        QTest::mouseClick(Form6->ActionToolBar1->widgetForAction(Form6->Action7), Qt::LeftButton); // EXIT
        QCOMPARE(m_exitCodes, QList<int>{0});
        QCOMPARE(
            boxes.texts(),
            QStringList{"L'archivio salvato ha sostituito il file che all'avvio non si poteva leggere\n" +
                        native + "\n\nQuel file è conservato, così com'era, in:\n" + native + ".originale"});
        QCOMPARE(readAll(kept), bytes);
        QCOMPARE(modelsInFile(file), QStringList{"MODEL ZOREM"});
    }

    // A register of another shape says what differs in the field that differs: its type, or
    // its size, as the file has it and as the program expects it.
    void registerOfAnotherShapeSaysWhatDiffers_data() {
        QTest::addColumn<quint8>("type"); // of _NomeCliente in the file
        QTest::addColumn<quint32>("size");
        QTest::addColumn<QString>("differs");
        QTest::newRow("an integer") << quint8(1) << quint32(0)
                                    << "un intero invece di un testo di 30 caratteri";
        QTest::newRow("a longer text")
            << quint8(0) << quint32(40) << "un testo di 40 caratteri invece di un testo di 30 caratteri";
        QTest::newRow("a free text") << quint8(5) << quint32(0)
                                     << "un testo libero invece di un testo di 30 caratteri";
    }
    void registerOfAnotherShapeSaysWhatDiffers() {
        QFETCH(quint8, type);
        QFETCH(quint32, size);
        QFETCH(QString, differs);
        createInstallation(2);
        const QString file = DATABASE;
        cleanup(); // the end saves it
        // The catalogue's entry of the root's first field: name, type (String, 0) and size (30).
        QByteArray bytes = readAll(file);
        const auto entry = [](quint8 t, quint32 n) {
            return lengthPrefixed("_NomeCliente") + QByteArray(1, char(t)) +
                   QByteArray(reinterpret_cast<const char*>(&n), 4);
        };
        QCOMPARE(bytes.count(entry(0, 30)), 1);
        bytes.replace(entry(0, 30), entry(type, size));
        resealHeader(bytes);
        writeFile(file, bytes);

        BoxAnswerer boxes;
        createDataModule();
        QCOMPARE(boxes.count(), 1);
        QVERIFY2(boxes.last().text.contains("Il catalogo del file dell'archivio '" + file +
                                            "' non corrisponde alle tabelle di questo programma: il campo 1 "
                                            "della tabella 'CDSet_Tabulon' ('_NomeCliente') nel file è " +
                                            differs + "\n\n"),
                 qPrintable(boxes.last().text));
    }

    void registerExtensionRule() {
        // Only a lower-case ".cds" counts as the extension.
        const QList<QPair<QString, QString>> names = {
            {"a.CDS", "a.CDS.cds"}, {"cds", "cds.cds"}, {"a.cds", "a.cds"}, {".cds", ".cds"}};
        for (const auto& [name, expected] : names)
            QCOMPARE(withRegisterExtension(name), expected);
    }
};

QTEST_MAIN(TestRegister)
#include "test_register.moc"
