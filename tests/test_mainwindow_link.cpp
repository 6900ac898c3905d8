// The main window and the panel link as a person meets them: the transfer actions after an
// installation is opened, the access code, CONNETTI after a live status, the connection form's
// cloud choice and label, closing during a transfer, and where the main window and the progress
// dialog open. Two monitors side by side.
#include "app/modelchoice.h"
#include "app/registerwindow.h"
#include "support/linkedwindow.h"
#include "support/screenwire.h"
#include "transfer/sendingdlg.h"
#include "ui/pages/page_rete.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolBar>

namespace {

const QString MissingCode = QStringLiteral(
    "ATTENZIONE: CODICE DI TELEGESTIONE MANCANTE.\r\nINSERIRE IL CODICE NELL'ANAGRAFICA E RIPROVARE.");

// A click on the action's button of the tool bar.
void clickTool(TForm6& f, QAction* action) {
    QWidget* button = f.ActionToolBar1->widgetForAction(action);
    QVERIFY(button && button->isVisible());
    QTest::mouseClick(button, Qt::LeftButton);
}

// Ctrl, Alt and the key, pressed into the widget that has the focus.
void pressCtrlAlt(TForm6& f, Qt::Key key) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &f;
    QTest::keyClick(target, key, Qt::ControlModifier | Qt::AltModifier);
}

// The states a page gives the transfer actions, as the tool bar and the "Program" menu show them.
void checkTransferActions(TForm6& f, bool pageTransfers, bool liveTest) {
    for (QAction* a : {f.Action5, f.Action6, f.Action8, f.Action18}) {
        QVERIFY2(a->isEnabled() == pageTransfers, qPrintable(a->objectName()));
        QVERIFY2(f.ActionToolBar1->widgetForAction(a)->isEnabled() == pageTransfers,
                 qPrintable(a->objectName()));
    }
    for (QAction* item : f.Program1->actions()) // the "Program" menu
        if (!item->isSeparator())
            QVERIFY2(item->isEnabled() == pageTransfers, qPrintable(item->objectName()));
    QCOMPARE(f.Action4->isEnabled(), liveTest);
    QCOMPARE(f.ActionToolBar1->widgetForAction(f.Action4)->isEnabled(), liveTest);
}

// Connects on the simulator's port from the connection form as a person does: the port chosen
// in the list, then "Connect".
bool connectFromTheForm(LinkedWindow& w) {
    if (!w.sim.start())
        return false;
    ComSet->RefreshPorts();
    QComboBox* ports = ComSet->ComboBox1;
    if (ports->findText(w.sim.portPath()) < 0)
        ports->insertItem(0, w.sim.portPath());
    ports->setCurrentIndex(ports->findText(w.sim.portPath()));
    QTest::mouseClick(ComSet->Connect, Qt::LeftButton);
    return w.fx.waitForConnect() && ComSet->IsSerialOpen();
}

} // namespace

class TestMainWindowLink : public QObject {
    Q_OBJECT
private slots:
    // Opening an installation shows page UTENTI: its transfers work at once, whatever page was in
    // front before, and CONNETTI waits for the test page.
    void transferActionsFollowThePageShownAfterOpening_data() {
        QTest::addColumn<int>("page");
        QTest::newRow("from EVENTI") << int(TForm6::kPageEventi);
        QTest::newRow("from TEST") << int(TForm6::kPageTest);
    }
    void transferActionsFollowThePageShownAfterOpening() {
        QFETCH(int, page);
        OpenWindow w(1);
        TForm6& f = *w.form;
        TForm_Anagrafica registerWindow;
        Form_Anagrafica = &registerWindow;
        TTypeCentral modelChoice;
        TypeCentral = &modelChoice;
        w.boxes.responder = [](const ShownBox& box) -> QVariant {
            return (box.buttons & mbYesNo) == mbYesNo ? QVariant(int(mrYes)) : QVariant();
        };
        QList<std::pair<int, bool>> jobs;
        MainWindowLinks::setTransferObserverForTests([&](int tab, bool write) { jobs.append({tab, write}); });
        const auto restore = qScopeGuard([] {
            MainWindowLinks::setTransferObserverForTests({});
            Form_Anagrafica = nullptr;
            TypeCentral = nullptr;
        });

        f.show();
        ScreenWire::clickTab(f.PageControl, page);
        checkTransferActions(f, false, page == TForm6::kPageTest);
        // File > ANAGRAFICA, NUOVO, the model, OK; then OK opens the new installation.
        f.Action1->trigger();
        QVERIFY(registerWindow.isVisible());
        QTest::mouseClick(registerWindow.Button_Crea, Qt::LeftButton);
        QVERIFY(modelChoice.isVisible());
        modelChoice.ComboBox1->setCurrentIndex(2);
        QTest::mouseClick(modelChoice.OKBtn, Qt::LeftButton);
        QTest::mouseClick(registerWindow.Button_Ok, Qt::LeftButton);
        QVERIFY(!registerWindow.isVisible());
        QCOMPARE(DM->GetSystemType(), 2);
        QCOMPARE(f.PageControl->activePageIndex(), 0);
        checkTransferActions(f, true, false);

        // The shortcuts and the tool bar start their jobs on the page shown.
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        pressCtrlAlt(f, Qt::Key_W); // Ricevi tabs
        pressCtrlAlt(f, Qt::Key_Q); // Invia tabs
        pressCtrlAlt(f, Qt::Key_S); // Ricevi tutto, answered Yes
        pressCtrlAlt(f, Qt::Key_A); // Invia tutto
        clickTool(f, f.Action18);
        QCOMPARE(jobs,
                 (QList<std::pair<int, bool>>{{0, false}, {0, true}, {103, false}, {104, true}, {0, false}}));
    }

    // A transfer with no open link, since the start or since the line dropped under a job, sends
    // nothing and opens the connection form, so the installer sees what to do.
    void aTransferWithoutALinkOpensTheConnectionForm_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("action");
        QTest::newRow("Ricevi tutto") << 0 << "Action5";
        QTest::newRow("Invia tutto") << 0 << "Action6";
        QTest::newRow("Ricevi tabs") << 4 << "Action18";
        QTest::newRow("Invia tabs") << 4 << "Action8";
        QTest::newRow("CONNETTI") << int(TForm6::kPageTest) << "Action4";
        QTest::newRow("Aggiorna Eventi") << int(TForm6::kPageEventi) << "Action13";
    }
    void aTransferWithoutALinkOpensTheConnectionForm() {
        QFETCH(int, page);
        QFETCH(QString, action);
        LinkedWindow w(2);
        TForm6& f = w.form();
        QAction* a = f.findChild<QAction*>(action);
        f.show();
        ScreenWire::clickTab(f.PageControl, page);
        const auto pressOpensTheForm = [&] {
            ComSet->hide();
            a->trigger();
            QVERIFY(ComSet->isVisible());
            QVERIFY(!ComSet->Timer1->isActive());
            QVERIFY(!SendingDlg->isVisible());
            QVERIFY(!f.Action4->isChecked());
        };
        pressOpensTheForm();
        QVERIFY(w.fx.warnings().isEmpty() && w.fx.messages().isEmpty());
        QVERIFY(connectFromTheForm(w));
        w.sim.setFailure(PanelCore::Failure::DropLink, 1);
        a->trigger();
        QVERIFY(w.fx.waitForJobEnd());
        QCOMPARE(w.fx.warnings().size(), 1);
        QVERIFY(w.fx.warnings()[0].contains(QStringLiteral("COLLEGAMENTO CON LA CENTRALE INTERROTTO")));
        pressOpensTheForm();
        QCOMPARE(w.fx.warnings().size(), 1);
        QVERIFY(w.fx.messages().isEmpty());
    }

    // Closing the window while a job moves parts asks first: No lets the job run to its end; Yes
    // stops it, says what the panel may now hold and ends the program the usual way, the register
    // saved. The live status stops without a question.
    void closingDuringATransfer_data() {
        QTest::addColumn<bool>("fromTheMenu"); // File > Exit, else the window's close box
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("live");
        QTest::newRow("close box, No") << false << false << false;
        QTest::newRow("close box, Yes") << false << true << false;
        QTest::newRow("File > Exit, Yes") << true << true << false;
        QTest::newRow("live status") << false << true << true;
    }
    void closingDuringATransfer() {
        QFETCH(bool, fromTheMenu);
        QFETCH(bool, yes);
        QFETCH(bool, live);
        LinkedWindow w(5);
        TForm6& f = w.form();
        int exits = 0;
        TForm6::setProcessExit([&](int code) { exits += code == 0 ? 1 : 100; });
        QVERIFY(connectFromTheForm(w));
        f.show();
        if (live)
            ScreenWire::clickTab(f.PageControl, TForm6::kPageTest);
        w.sim.setReplyDelayMs(5); // a job that is still moving parts when the window closes
        clickTool(f, live ? f.Action4 : f.Action6);
        QTRY_VERIFY(w.sim.requestCount() >= 20);
        QVERIFY(QFile::remove(w.window.databasePath()) || !QFileInfo::exists(w.window.databasePath()));
        w.fx.answerYes = yes;
        QVERIFY(SendingDlg->isVisible());
        f.activateWindow(); // the person reaches for the main window, under the progress dialog
        QTRY_COMPARE(QApplication::activeWindow(), &f);
        if (fromTheMenu)
            f.Exit1->trigger();
        else
            QVERIFY(f.close() == yes);
        const int sent = w.sim.requestCount();
        QCOMPARE(w.fx.questions().size(), live ? 0 : 1);
        QVERIFY(!w.fx.timerRunningAtBox);
        if (!live) {
            // The question stands above the progress dialog, which stays on top: it belongs to
            // it and stays on top itself.
            const ShownBox& question = w.fx.boxes.shown.constFirst();
            QVERIFY(question.text.startsWith(QStringLiteral("Trasferimento in corso")));
            QCOMPARE(question.owner.data(), static_cast<QWidget*>(SendingDlg));
            QVERIFY(question.staysOnTop);
        }
        if (!yes) {
            QVERIFY(w.fx.questions()[0].startsWith(QStringLiteral("Trasferimento in corso")));
            QVERIFY(f.isVisible());
            w.sim.setReplyDelayMs(0);
            QVERIFY(w.fx.waitForJobEnd(60000));
            QCOMPARE(w.fx.messages(), QStringList{QString::fromUtf8(TransferSuccessText)});
            QCOMPARE(exits, 0);
            return;
        }
        QVERIFY(!Transfer.active() && !ComSet->Timer1->isActive());
        QTest::qWait(50);
        QCOMPARE(w.sim.requestCount(), sent);
        QCOMPARE(w.fx.warnings().size(), live ? 0 : 1);
        QVERIFY(live || w.fx.warnings()[0].contains(QStringLiteral("configurazione incompleta")));
        QVERIFY(w.fx.messages().isEmpty());
        QCOMPARE(exits, 1);
        QVERIFY(!DM); // freed, after the register was saved
        QVERIFY(QFileInfo::exists(w.window.databasePath()));
    }

    // A value the panel cannot take (an old register's) stops the page's send before anything
    // goes, and the warning says which value, where.
    void anUnsendableValueIsNamed_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QStringList>("value"); // table, row, field, value
        QTest::addColumn<QString>("named");
        QTest::newRow("privileges not in the list")
            << 0 << QStringList{"CDSet_Utenti", "3", "_TipolUtenti", "CAPO"}
            << "UTENTI, riga 3 (Utente 3), campo \"PRIVILEGI\": \"CAPO\" non è una delle voci previste.";
        QTest::newRow("address the conversion refuses")
            << 16 << QStringList{"CDSet_Tabulon", "1", "_Net_DNS2", "10.0.1"}
            << "INSTALLAZIONE, campo \"DNS 2\": \"10.0.1\" non è un indirizzo IP valido.";
    }
    void anUnsendableValueIsNamed() {
        QFETCH(int, page);
        QFETCH(QStringList, value);
        QFETCH(QString, named);
        LinkedWindow w(3);
        DataSet* t = DM->findChild<DataSet*>(value[0]);
        t->setRecNo(value[1].toInt());
        Field& target = t->fieldByName(value[2]);
        const auto check = std::exchange(target.onValidate, nullptr); // as an old register holds it
        t->edit();
        target.setAsString(value[3]);
        t->post();
        target.onValidate = check;
        QVERIFY(connectFromTheForm(w));
        w.form().show();
        ScreenWire::clickTab(w.form().PageControl, page);
        clickTool(w.form(), w.form().Action8);
        QVERIFY(w.fx.waitForJobEnd());
        QCOMPARE(w.fx.warnings().size(), 1);
        QCOMPARE(w.fx.warnings()[0].split(QStringLiteral("\r\n")).value(1), named);
        QCOMPARE(w.sim.requestCount(), 0);
    }

    // No code in the installation: nothing goes to the panel, and the warning says the code is
    // missing rather than that the panel refused it.
    void anEmptyCodeIsSaidMissingAndNothingIsSent() {
        LinkedWindow w(2, QString());
        TForm6& f = w.form();
        QVERIFY(connectFromTheForm(w));
        clickTool(f, f.Action18); // Ricevi tabs
        QVERIFY(w.fx.waitForJobEnd());
        QCOMPARE(w.fx.warnings(), QStringList{MissingCode});
        QCOMPARE(w.sim.requestCount(), 0);
        QVERIFY(!SendingDlg->isVisible());
        QVERIFY(w.fx.messages().isEmpty());
        // The same on the test page: CONNETTI does not stay pressed.
        ScreenWire::clickTab(f.PageControl, TForm6::kPageTest);
        clickTool(f, f.Action4);
        QVERIFY(w.fx.waitForJobEnd());
        QCOMPARE(w.fx.warnings(), (QStringList{MissingCode, MissingCode}));
        QVERIFY(!f.Action4->isChecked());
        QCOMPARE(w.sim.requestCount(), 0);
    }

    // However a live status ends, CONNETTI comes back up, so the next click starts a new one.
    void connettiComesBackUpWhenTheLiveStatusEnds() {
        LinkedWindow w(3);
        TForm6& f = w.form();
        QVERIFY(connectFromTheForm(w));
        ScreenWire::clickTab(f.PageControl, TForm6::kPageTest);

        // The panel refuses the code.
        w.sim.setLoginStatus(ERR_LOGOUT);
        clickTool(f, f.Action4);
        QVERIFY(w.fx.waitForJobEnd());
        QCOMPARE(w.fx.warnings().size(), 1);
        QVERIFY(w.fx.warnings()[0].contains(QStringLiteral("NON ACCETTATO")));
        QVERIFY(!f.Action4->isChecked());
        QVERIFY(!f.ActionToolBar1->widgetForAction(f.Action4)->property("checked").toBool());

        // The next click starts the live status again, and it runs.
        w.sim.setLoginStatus(-1);
        clickTool(f, f.Action4);
        QVERIFY(f.Action4->isChecked());
        QTRY_VERIFY(w.sim.requestsFor(CmdStateCentral, 6) >= 2); // looping over the status
        QCOMPARE(Transfer.tabCmd, int(TabCmdStartTest));

        // The line dies while it runs.
        w.sim.dropLink();
        QVERIFY(w.fx.waitForJobEnd());
        QCOMPARE(w.fx.warnings().size(), 2);
        QVERIFY(!f.Action4->isChecked());
    }

    // Choosing REMOTE MANAGEMENT without a host says so and leaves the open serial link as it
    // was: jobs still run on it.
    void remoteManagementWithoutAHostKeepsTheSerialLink() {
        LinkedWindow w(1);
        TForm6& f = w.form();
        QVERIFY(connectFromTheForm(w));
        const QString connected = ComSet->LabelStato->text();
        f.SetUpCOM1->trigger();
        QVERIFY(ComSet->isVisible());
        ComSet->ComboBox1->setCurrentIndex(ComSet->ComboBox1->findText(TComSet::RemoteManagement));
        QTest::mouseClick(ComSet->Connect, Qt::LeftButton);
        QCOMPARE(w.fx.warnings(),
                 QStringList{
                     QStringLiteral("Collegamento cloud non avviato: indirizzo del server cloud mancante.")});
        QVERIFY(ComSet->IsSerialOpen());
        QCOMPARE(ComSet->LabelStato->text(), connected);
        QVERIFY(w.run(f.Action18)); // the link still works
    }

    // The connection form's cloud box shows the host and port as they are typed.
    void theSetupFormShowsTheHostAsTyped() {
        LinkedWindow w(6);
        TForm6& f = w.form();
        TPageRete* rete = f.TabSheet27;
        f.SetUpCOM1->trigger();
        ComSet->ComboBox1->setCurrentIndex(ComSet->ComboBox1->findText(TComSet::RemoteManagement));
        QCOMPARE(ComSet->LabelCloud->text(), QStringLiteral("Server: :443"));
        rete->Edit2->setFocus();
        QTest::keyClicks(rete->Edit2, QStringLiteral("relay.example.org"));
        QCOMPARE(ComSet->LabelCloud->text(), QStringLiteral("Server: relay.example.org:443"));
        rete->Edit3->selectAll();
        QTest::keyClicks(rete->Edit3, QStringLiteral("8443"));
        QCOMPARE(ComSet->LabelCloud->text(), QStringLiteral("Server: relay.example.org:8443"));
        // Typed while the form was closed: shown when it opens again.
        ComSet->hide();
        rete->Edit2->setText(QStringLiteral("other.example.org"));
        f.SetUpCOM1->trigger();
        QCOMPARE(ComSet->LabelCloud->text(), QStringLiteral("Server: other.example.org:8443"));
        const QString shots = qEnvironmentVariable("TABULON_SHOTS");
        if (!shots.isEmpty())
            ComSet->grab().save(shots + QStringLiteral("/setup_cloud.png"));
    }

    // The bounds kept in the settings are used as far as a monitor that exists can show them:
    // at most the size of the monitor they overlap most (the primary one when they overlap none),
    // with the whole window on it.
    void savedBoundsStayOnAMonitor_data() {
        QTest::addColumn<QRect>("saved"); // left, top, width, height as the settings hold them
        QTest::addColumn<QRect>("shown");
        QTest::newRow("as saved") << QRect(30, 40, 900, 600) << QRect(30, 40, 900, 600);
        QTest::newRow("on the right monitor") << QRect(1700, 100, 1000, 700) << QRect(1700, 100, 1000, 700);
        QTest::newRow("largest size") << QRect(0, 0, 16777215, 16777215) << QRect(0, 0, 1600, 900);
        QTest::newRow("too large on the right") << QRect(1650, 0, 20000, 20000) << QRect(1600, 0, 1280, 1024);
        QTest::newRow("partly above and left") << QRect(-300, -500, 800, 600) << QRect(0, 0, 800, 600);
        QTest::newRow("far negative")
            << QRect(-2000000000, -2000000000, 2000000000, 500) << QRect(0, 0, 1600, 500);
        QTest::newRow("no size") << QRect(30, 40, -5, 0) << QRect(30, 40, 1124, 740);
        QTest::newRow("monitor gone on the right") << QRect(5000, 200, 800, 600) << QRect(800, 200, 800, 600);
        QTest::newRow("below every monitor") << QRect(100, 3000, 800, 600) << QRect(100, 300, 800, 600);
    }
    void savedBoundsStayOnAMonitor() {
        QFETCH(QRect, saved);
        QFETCH(QRect, shown);
        TempRegistry registry;
        RegistryKey reg;
        QVERIFY(reg.openKey(kTabulonRegistryKey, true));
        for (auto [name, value] : {std::pair{"Top", saved.y()},
                                   {"Left", saved.x()},
                                   {"Height", saved.height()},
                                   {"Width", saved.width()}})
            reg.writeInteger(QString::fromLatin1(name), value);
        TForm6 f;
        QCOMPARE(QRect(f.pos(), f.size()), shown);
        QCOMPARE(f.ActionToolBar1->toolTip(), QStringLiteral(" ")); // the creation went on
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
    }

    // A bound stored as a text takes its first-run value (an eighth of the 2880 x 1024 desktop
    // from its corner, 800 high, 1190 wide), said by name, and the creation goes on.
    void aDamagedBoundTakesItsFirstRunValue_data() {
        QTest::addColumn<QString>("damaged");
        QTest::addColumn<QRect>("shown");
        QTest::newRow("Height") << QStringLiteral("Height") << QRect(30, 40, 900, 800);
        QTest::newRow("Top") << QStringLiteral("Top") << QRect(30, 128, 900, 600);
        QTest::newRow("Width") << QStringLiteral("Width") << QRect(30, 40, 1190, 600);
    }
    void aDamagedBoundTakesItsFirstRunValue() {
        QFETCH(QString, damaged);
        QFETCH(QRect, shown);
        TempRegistry registry;
        RegistryKey reg;
        QVERIFY(reg.openKey(kTabulonRegistryKey, true));
        for (auto [name, value] : {std::pair{"Top", 40}, {"Left", 30}, {"Height", 600}, {"Width", 900}})
            reg.writeInteger(QString::fromLatin1(name), value);
        reg.writeString(damaged, QStringLiteral("800"));
        BoxAnswerer boxes;
        TForm6 f;
        QCOMPARE(boxes.count(), 1);
        QVERIFY2(boxes.last().text.startsWith(
                     QStringLiteral("Registro di configurazione: il valore \"%1\" non è un numero intero.")
                         .arg(damaged)),
                 qPrintable(boxes.last().text));
        QCOMPARE(QRect(f.pos(), f.size()), shown);
        QCOMPARE(f.ActionToolBar1->toolTip(), QStringLiteral(" "));
    }

    // The progress dialog opens in the middle of the monitor the main window is on.
    void theProgressDialogOpensOnTheMainWindowsScreen() {
        const QList<QScreen*> screens = QGuiApplication::screens();
        QCOMPARE(screens.size(), 2);
        LinkedWindow w(4);
        TForm6& f = w.form();
        QVERIFY(connectFromTheForm(w));
        QScreen* second = screens[0] == QGuiApplication::primaryScreen() ? screens[1] : screens[0];
        f.show();
        f.move(second->geometry().topLeft() + QPoint(40, 40));
        QTRY_COMPARE(f.screen(), second);
        QVERIFY(w.run(f.Action18));
        // Centred to within its window frame.
        const QPoint offCentre = SendingDlg->geometry().center() - second->availableGeometry().center();
        QVERIFY2(
            qAbs(offCentre.x()) <= 4 && qAbs(offCentre.y()) <= 4,
            qPrintable(QStringLiteral("%1, %2 px off the centre").arg(offCentre.x()).arg(offCentre.y())));
    }
};

// Two monitors side by side, the primary on the left.
int main(int argc, char** argv) {
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screens.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(R"({"screens": [
        {"name": "left", "x": 0, "y": 0, "width": 1600, "height": 900, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
        {"name": "right", "x": 1600, "y": 0, "width": 1280, "height": 1024, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}
    ]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    QApplication app(argc, argv);
    TestMainWindowLink tests;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tests, argc, argv);
}

#include "test_mainwindow_link.moc"
