// The main window's own behaviour: page changes and the action states they set, the transfer
// actions, the keys, the link-activity animation, the clock, closing, a bad window bound
// (where the bounds put the window: test_mainwindow_link, on two monitors).

#include "platform/dialogs.h"
#include "platform/registrykey.h"
#include "support/tempregistry.h"
#include "transfer/transferflags.h"
#include "ui/mainwindow.h"
#include "ui/mainwindow_links.h"
#include "ui/openinstallation.h"
#include "ui/pagecontrol.h"
#include "ui/pages/page_contactid.h"
#include "ui/pages/page_parametrivari.h"
#include "ui/pages/page_rete.h"
#include "ui/statusbar.h"

#include <QtTest>

using Job = QPair<int, bool>;

class TestMainWindow : public QObject {
    Q_OBJECT
private:
    QList<Job> jobs;
    std::unique_ptr<TempRegistry> registry;
    std::unique_ptr<BoxAnswerer> anyBox; // no test may block on a box
    int exitCode = -1;

    void selectByUser(TForm6& f, int page) { f.PageControl->selectPageByUser(page); }

    static void writeBounds(int top, int left, int height, int width) {
        RegistryKey reg;
        QVERIFY(reg.openKey(kTabulonRegistryKey, true));
        reg.writeInteger(QStringLiteral("Top"), top);
        reg.writeInteger(QStringLiteral("Left"), left);
        reg.writeInteger(QStringLiteral("Height"), height);
        reg.writeInteger(QStringLiteral("Width"), width);
    }

private slots:
    void init() {
        jobs.clear();
        exitCode = -1;
        StateTrasfert = 0;
        StateLogIn = 0;
        ShortList = true;
        ImageSwitch = 0;
        registry = std::make_unique<TempRegistry>();
        anyBox = std::make_unique<BoxAnswerer>();
        MainWindowLinks::setTransferObserverForTests(
            [this](int tab, bool write) { jobs << Job(tab, write); });
        TForm6::setProcessExit([this](int code) { exitCode = code; });
    }
    void cleanup() {
        MainWindowLinks::setTransferObserverForTests({});
        anyBox.reset();
        registry.reset();
    }

    // ---- page changes ----

    void pageChangeSetsTheTransferActions_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("liveTest");
        QTest::addColumn<bool>("transfers");
        QTest::newRow("TEST") << 13 << true << false;
        QTest::newRow("EVENTI") << 15 << false << false;
        QTest::newRow("INGRESSI") << 1 << false << true;
        QTest::newRow("PARAMETRI VARI") << 5 << false << true;
        QTest::newRow("PRIORITA") << 18 << false << true;
    }
    void pageChangeSetsTheTransferActions() {
        QFETCH(int, page);
        QFETCH(bool, liveTest);
        QFETCH(bool, transfers);
        TForm6 f;
        // Start from the opposite states so that every action must be set.
        selectByUser(f, page == 13 ? 15 : 13);
        selectByUser(f, page);
        QCOMPARE(f.PageControl->activePageIndex(), page);
        QCOMPARE(f.Action4->isEnabled(), liveTest);
        for (QAction* a : {f.Action5, f.Action6, f.Action8, f.Action18})
            QVERIFY2(a->isEnabled() == transfers, qPrintable(a->objectName()));
        // Exactly the active tab is highlighted.
        for (int i = 0; i < f.PageControl->count(); ++i)
            QCOMPARE(f.PageControl->highlighted(i), i == page);
        QVERIFY(jobs.isEmpty());
    }

    void leavingARunningLiveTestStopsIt() {
        TForm6 f;
        selectByUser(f, 13);
        f.Action4->trigger(); // checks it and starts the live status
        QVERIFY(f.Action4->isChecked());
        QCOMPARE(jobs, QList<Job>{Job(100, false)});
        StateTrasfert = 1; // a part has moved
        jobs.clear();
        selectByUser(f, 4);
        QVERIFY(!f.Action4->isChecked());
        QCOMPARE(jobs, QList<Job>{Job(101, false)});
    }

    void pageChangeStopsNothingElse() {
        TForm6 f;
        selectByUser(f, 13);
        f.Action4->setChecked(true);
        selectByUser(f, 2); // StateTrasfert 0: nothing moved yet
        QVERIFY(jobs.isEmpty());
        QVERIFY(f.Action4->isChecked());
        // On the event log page a running job is left alone too.
        StateTrasfert = 1;
        selectByUser(f, 15);
        QVERIFY(jobs.isEmpty());
        // So is a running job that is not the live test.
        f.Action4->setChecked(false);
        f.Action6->trigger(); // write everything
        jobs.clear();
        selectByUser(f, 3);
        selectByUser(f, 13);
        QVERIFY(jobs.isEmpty());
    }

    void subPageChangeMovesTheHighlight() {
        TForm6 f;
        TPageControl* fpt = f.TabSheet12->PageControl_FPT;
        QCOMPARE(fpt->activePage(), f.TabSheet12->TabSheet33);
        QVERIFY(fpt->highlighted(0));
        fpt->selectPageByUser(2);
        QVERIFY(!fpt->highlighted(0));
        QVERIFY(fpt->highlighted(2));
        // "EVENTI CID" is hidden until an installation of a known model is opened.
        QVERIFY(!fpt->tabVisible(fpt->indexOf(f.TabSheet12->TabSheet24)));
        QVERIFY(!f.PageControl->tabVisible(14));
    }

    // ---- actions ----

    // The job each action starts on a page: the read of everything asks first, the temporary
    // clock jobs are hidden actions, and the page commands do nothing on the event log, even
    // enabled.
    void actionsStartTheirJobs_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("answer"); // to "Vuoi Sovrascrivere...", 0 when nothing asks
        QTest::addColumn<QList<Job>>("started");
        QTest::newRow("Ricevi tutto, No") << 2 << "Action5" << int(mrNo) << QList<Job>{};
        QTest::newRow("Ricevi tutto, Yes") << 2 << "Action5" << int(mrYes) << QList<Job>{{103, false}};
        QTest::newRow("Invia tutto") << 2 << "Action6" << 0 << QList<Job>{{104, true}};
        QTest::newRow("Ricevi tabs") << 11 << "Action18" << 0 << QList<Job>{{11, false}};
        QTest::newRow("Invia tabs") << 11 << "Action8" << 0 << QList<Job>{{11, true}};
        QTest::newRow("clock read") << 11 << "Action24_temp_recv" << 0 << QList<Job>{{105, false}};
        QTest::newRow("clock write") << 11 << "Action24_temp_send" << 0 << QList<Job>{{106, true}};
        QTest::newRow("Aggiorna Eventi") << 15 << "Action13" << 0 << QList<Job>{{102, false}};
        for (const char* action : {"Action5", "Action6", "Action18", "Action8"})
            QTest::addRow("%s on EVENTI", action) << 15 << action << 0 << QList<Job>{};
    }
    void actionsStartTheirJobs() {
        QFETCH(int, page);
        QFETCH(QString, action);
        QFETCH(int, answer);
        QFETCH(QList<Job>, started);
        TForm6 f;
        f.PageControl->setActivePageIndex(page);
        QAction* a = f.findChild<QAction*>(action);
        a->setVisible(true);
        a->setEnabled(true);
        BoxAnswerer boxes;
        boxes.answer(answer);
        a->trigger();
        QCOMPARE(jobs, started);
        QCOMPARE(boxes.texts(),
                 answer ? QStringList{QStringLiteral("Vuoi Sovrascrivere la configurazione esistente ?")}
                        : QStringList{});
    }

    void selectionModeCaptionFollowsTheCheck() {
        TForm6 f;
        QCOMPARE(f.Action16->text(), QStringLiteral("Attiva/Selezione"));
        f.Action16->trigger();
        QCOMPARE(f.Action16->text(), QStringLiteral("Disattiva/Selezione"));
        f.Action16->trigger();
        QCOMPARE(f.Action16->text(), QStringLiteral("Attiva/Selezione"));
    }

    void menusAndShortcuts() {
        TForm6 f;
        QVERIFY(f.Action4->isCheckable());
        QVERIFY(!f.Debug1->isVisible());
        QVERIFY(!f.Edit1->menuAction()->isVisible());
        QVERIFY(!f.Preference1->menuAction()->isVisible());
        // The tool bar order: register, save, page read/write, all read/write, live, exit.
        const QList<QAction*> bar = f.ActionToolBar1->actions();
        QCOMPARE(bar.mid(0, 8), (QList<QAction*>{f.Action1, f.Action20, f.Action18, f.Action8, f.Action5,
                                                 f.Action6, f.Action4, f.Action7}));
    }

    void hintsOnlyWhileTheWindowIsEnabled() {
        TForm6 f;
        QString hint;
        bool canShow = false;
        f.ActionHint(f.Action18, hint, canShow);
        QVERIFY(canShow);
        QCOMPARE(hint, QStringLiteral("Ricevi Tabs"));
        f.ActionHint(f.Action24_temp_recv, hint, canShow); // no hint of its own
        QVERIFY(hint.isEmpty());
        f.setEnabled(false);
        hint.clear();
        f.ActionHint(f.Action18, hint, canShow);
        QVERIFY(!canShow);
    }

    // ---- keys ----

    void ctrlShiftKeysToggle() {
        TForm6 f;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        const auto cs = Qt::ControlModifier | Qt::ShiftModifier;
        QTest::keyClick(&f, Qt::Key_F8, cs);
        QVERIFY(f.Debug1->isVisible());
        QTest::keyClick(&f, Qt::Key_F8, cs);
        QVERIFY(!f.Debug1->isVisible());
        QGroupBox* cloud = f.TabSheet27->GroupBox110;
        QVERIFY(cloud->isHidden());
        QTest::keyClick(&f, Qt::Key_F9, cs | Qt::AltModifier); // Alt is not looked at
        QVERIFY(!cloud->isHidden());
        QTest::keyClick(&f, Qt::Key_F10, cs);
        QVERIFY(f.Action24_temp_recv->isVisible());
        QVERIFY(f.Action24_temp_send->isVisible());
        // The two temporary actions toggle independently.
        f.Action24_temp_send->setVisible(false);
        QTest::keyClick(&f, Qt::Key_F10, cs);
        QVERIFY(!f.Action24_temp_recv->isVisible());
        QVERIFY(f.Action24_temp_send->isVisible());
        // Control or Shift alone, or Alt without Shift, toggles nothing.
        for (auto mod : {Qt::ControlModifier, Qt::ShiftModifier})
            for (auto key : {Qt::Key_F8, Qt::Key_F9})
                QTest::keyClick(&f, key, mod);
        QVERIFY(!f.Debug1->isVisible());
        QVERIFY(!cloud->isHidden());
        QVERIFY(!f.FormShortCut(Qt::Key_F8, Qt::ControlModifier | Qt::AltModifier));
        QVERIFY(!f.FormShortCut(Qt::Key_F7, cs));
    }

    // ---- timers ----

    void linkIconMovesOnlyWhileLoggedIn() {
        TForm6 f;
        QVERIFY(f.Timer1->isActive());
        QCOMPARE(f.linkIconFrame(), 0);
        StateLogIn = 0;
        ImageSwitch = 2;
        f.Timer1Timer();
        QCOMPARE(f.linkIconFrame(), 0);
        QCOMPARE(ImageSwitch, 2);
        StateLogIn = 1;
        QList<int> frames;
        for (int i = 0; i < 5; ++i) {
            f.Timer1Timer();
            frames << f.linkIconFrame();
        }
        QCOMPARE(frames, (QList<int>{2, 3, 0, 1, 2}));
        // Logged out: the last frame stays.
        StateLogIn = 0;
        f.Timer1Timer();
        QCOMPARE(f.linkIconFrame(), 2);
        QVERIFY(!f.Image1->pixmap().isNull());
    }

    void clockRunsOnlyOnPageFive() {
        TForm6 f;
        TPageParametriVari* p = f.TabSheet6;
        p->CheckBox1->setChecked(false);
        const QDate setDate(2001, 2, 3);
        const QTime setTime(4, 5, 6);
        p->Data->setDate(setDate);
        p->ora->setTime(setTime);
        p->Label2->setText(QStringLiteral("x"));
        f.PageControl->setActivePageIndex(4);
        f.Timer2Timer();
        QCOMPARE(p->Label2->text(), QStringLiteral("x"));
        f.PageControl->setActivePageIndex(5);
        f.Timer2Timer();
        QVERIFY(p->Label2->text() != QStringLiteral("x"));
        QCOMPARE(p->Data->date(), setDate);
        QCOMPARE(p->ora->time(), setTime);
        p->CheckBox1->setChecked(true);
        f.Timer2Timer();
        QCOMPARE(p->Data->date(), QDate::currentDate());
        QVERIFY(qAbs(p->ora->time().secsTo(QTime::currentTime())) <= 2);
    }

    // ---- bounds and closing ----

    // A bound of another type, or missing, takes its first-run value, and the window is made
    // whole (where the bounds put it: test_mainwindow_link).
    void badBoundsAreReportedAndTheWindowStillExists() {
        writeBounds(40, 30, 600, 900);
        RegistryKey reg;
        QVERIFY(reg.openKey(kTabulonRegistryKey, true));
        reg.writeString(QStringLiteral("Left"), QStringLiteral("wide"));
        QVERIFY(reg.deleteValue(QStringLiteral("Width")));
        // The first-run left edge is an eighth of the desktop's width: 800 offscreen.
        QCOMPARE(QGuiApplication::primaryScreen()->virtualGeometry().width(), 800);
        BoxAnswerer boxes;
        TForm6 f;
        QCOMPARE(boxes.texts(),
                 QStringList{QStringLiteral("Registro di configurazione: il valore \"Left\" non è un numero "
                                            "intero; manca il valore \"Width\".\r\nLa finestra usa i valori "
                                            "iniziali: Left 100, Width 1190.")});
        QCOMPARE(boxes.last().type, MsgDlgType::Warning);
        // The steps after the bounds ran.
        QCOMPARE(f.ActionToolBar1->toolTip(), QStringLiteral(" "));
        QVERIFY(!f.windowIcon().isNull());
        QCOMPARE(f.PageControl->count(), 19);
    }

    void closingWithoutTheKeyWritesNothing() {
        {
            TForm6 f;
            f.close();
            QCOMPARE(exitCode, 0);
        }
        RegistryKey check;
        QVERIFY(!check.openKey(kTabulonRegistryKey, false));
    }

    // ---- opening ----

    void openingShowsPageZeroAndClearsTheShortList() {
        TForm6 f;
        f.PageControl->selectPageByUser(7);
        f.TabSheet12->PageControl_FPT->selectPageByUser(3);
        QCOMPARE(f.stateIcon(), 14);
        ShortList = true;
        OpenInstallation();
        QVERIFY(f.isVisible());
        QCOMPARE(f.PageControl->activePageIndex(), 0);
        QVERIFY(f.PageControl->highlighted(0));
        QVERIFY(!f.PageControl->highlighted(7));
        QCOMPARE(f.TabSheet12->PageControl_FPT->activePageIndex(), 0);
        QVERIFY(!ShortList);
        QCOMPARE(f.stateIcon(), 16);
        // The actions follow page 0, now in front.
        QVERIFY(f.Action5->isEnabled());
        QVERIFY(!f.Action4->isEnabled());
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
