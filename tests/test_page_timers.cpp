// The timers page over the real main window and data module: the live names of what a timer
// switches, the day and timer captions, the exclusion flags, the timer position
// kept across days, and time cells typed through the grid.

#include "model_fixture.h"
#include "platform/dbcontrols.h"
#include "support/openwindow.h"
#include "support/realkeys.h"
#include "ui/pages/page_eventi.h"
#include "ui/pages/page_timers.h"

#include <QAction>
#include <QMenu>

#include <QGroupBox>

namespace {
// A mouse click on the cell of `field` in record `recNo`.
void clickField(DBGrid& g, const QString& field, int recNo) {
    OpenWindow::click(&g, recNo, OpenWindow::columnOf(&g, field));
}
constexpr int kTimersPage = 11;

} // namespace

class TestPageTimers : public QObject {
    Q_OBJECT
private slots:
    void switchedItemsShowTheLiveNamesOfTheirItems() {
        OpenWindow w(6);
        w.showPage(kTimersPage);
        TPageTimers& page = *w.form->TabSheet13;
        writeRow(DM->CDSet_Utenti, 2, "_Nome", QStringLiteral("ROSSI"));
        writeRow(DM->CDSet_Parziali, 3, "_Msg1", QStringLiteral("GARAGE"));
        DataSet* outputs = DM->CDSet_Uscite;
        writeRow(outputs, 4, "_Msg1", QStringLiteral("LUCE"));
        writeRow(outputs, 4, "_Msg3", QStringLiteral("NORD"));
        QCOMPARE(page.switchedItemName(*page.DBGrid36, 2), QStringLiteral("ROSSI"));
        QCOMPARE(page.switchedItemName(*page.DBGrid37, 3), QStringLiteral("GARAGE"));
        // Every word keeps its blank, empty words too.
        QCOMPARE(page.switchedItemName(*page.DBGrid38, 4).left(12), QStringLiteral("LUCE  NORD "));
        // A row beyond the items shows its own stored name.
        QVERIFY(page.switchedItemName(*page.DBGrid36, DM->CDSet_Utenti->recordCount() + 1).isNull());
    }

    void captionsFollowTheCurrentDayAndTimer() {
        OpenWindow w(3);
        w.showPage(kTimersPage);
        TPageTimers& page = *w.form->TabSheet13;
        DM->CDSet_Time_Day->setRecNo(3);
        QCOMPARE(page.GroupBox84->title(), str(DM->CDSet_Time_Day, "_Nome"));
        DM->CDSet_Time_Timers->setRecNo(2);
        QCOMPARE(page.GroupBox85->title(), str(DM->CDSet_Time_Timers, "_Nome"));
        writeRow(DM->CDSet_Time_Timers, 2, "_Nome", QStringLiteral("NOTTE"));
        QCOMPARE(page.GroupBox85->title(), QStringLiteral("NOTTE"));
    }

    void aClickOnAnExclusionCellTogglesItAndPosts() {
        OpenWindow w(2);
        w.showPage(kTimersPage);
        w.form->show();
        TPageTimers& page = *w.form->TabSheet13;
        DataSet* timers = DM->CDSet_Time_Timers;
        timers->setRecNo(1);
        clickField(*page.DBGrid34, QStringLiteral("_DataEscusione3"), 2);
        QCOMPARE(timers->recNo(), 2);
        QVERIFY(timers->fieldByName(QStringLiteral("_DataEscusione3")).asBoolean());
        QCOMPARE(timers->state(), DataSetState::Browse);
        clickField(*page.DBGrid34, QStringLiteral("_DataEscusione3"), 2);
        QVERIFY(!timers->fieldByName(QStringLiteral("_DataEscusione3")).asBoolean());
        QCOMPARE(IndiceGrid34, 2);
        // Only the time is typed in.
        QVERIFY(!page.DBGrid34->hasOption(GridOption::Editing));
        clickField(*page.DBGrid34, QStringLiteral("_Ora"), 2);
        QVERIFY(page.DBGrid34->hasOption(GridOption::Editing));
    }

    void aDaySwitchKeepsTheTimerPositionWhenTheDayHasIt_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("remembered");
        QTest::addColumn<int>("expected");
        QTest::newRow("kept") << 6 << 3 << 3;
        QTest::newRow("beyond the model's timers") << 1 << 6 << 1;
    }
    void aDaySwitchKeepsTheTimerPositionWhenTheDayHasIt() {
        QFETCH(int, type);
        QFETCH(int, remembered);
        QFETCH(int, expected);
        OpenWindow w(type);
        w.showPage(kTimersPage);
        w.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        TPageTimers& page = *w.form->TabSheet13;
        DM->CDSet_Time_Day->setRecNo(1);
        IndiceGrid34 = remembered;
        clickField(*page.DBGrid33, QStringLiteral("_Nome"), 2);
        QCOMPARE(DM->CDSet_Time_Day->recNo(), 2);
        QCOMPARE(DM->CDSet_Time_Timers->recNo(), expected);
    }

    void timesTypedInAreKeptReadableAndSurviveAReload() {
        OpenWindow w(5);
        w.showPage(kTimersPage);
        RealKeys::activate(w.form.get());
        TPageTimers& page = *w.form->TabSheet13;
        DBGrid& g = *page.DBGrid34;
        DM->CDSet_Time_Day->setRecNo(4);
        clickField(g, QStringLiteral("_Ora"), 1);
        RealKeys::type(QStringLiteral("2570"));
        clickField(g, QStringLiteral("_DataEscusione1"),
                   2); // leaves the row: the time is written and posted
        DataSet* timers = DM->CDSet_Time_Timers;
        QCOMPARE(timers->state(), DataSetState::Browse);
        timers->setRecNo(1);
        QCOMPARE(str(timers, "_Ora"), QStringLiteral("23:59"));

        w.reopenFromFile();
        w.showPage(kTimersPage);
        DM->CDSet_Time_Day->setRecNo(4);
        DM->CDSet_Time_Timers->setRecNo(1);
        QCOMPARE(str(DM->CDSet_Time_Timers, "_Ora"), QStringLiteral("23:59"));
        DM->CDSet_Time_Timers->setRecNo(2);
        QVERIFY(DM->CDSet_Time_Timers->fieldByName(QStringLiteral("_DataEscusione1")).asBoolean());
    }

    void theDaysGridOffersTheEventLogExport() {
        OpenWindow w(1);
        TPageTimers& page = *w.form->TabSheet13;
        QVERIFY(page.PopupMenu3);
        QCOMPARE(page.PopupMenu3->actions(), QList<QAction*>{w.form->TabSheet31->Action22});
        QCOMPARE(page.DBGrid33->viewport()->contextMenuPolicy(), Qt::CustomContextMenu);
    }
};

QTEST_MAIN(TestPageTimers)
#include "test_page_timers.moc"
