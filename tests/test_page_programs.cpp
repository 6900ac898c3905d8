// The programs page over the real main window and data module: zones added and removed through
// the shared link actions, the partition's word read through its index, the zone list titled
// after the current partition, and the exit-time editor.

#include "model/datamodule.h"
#include "model_fixture.h"
#include "platform/dataset.h"
#include "platform/dbcontrols.h"
#include "platform/dbgrid.h"
#include "support/openwindow.h"
#include "ui/mainwindow.h"
#include "ui/pages/page_programmi.h"

#include <QAction>
#include <QtTest>

namespace {
constexpr int kProgramsPage = 6;

QList<int> zoneIds() {
    QList<int> ids;
    DataSet* zones = DM->CDSet_Zone;
    for (int r = 1; r <= zones->recordCount(); ++r)
        ids << zones->integerAt(r, zones->fieldByName(QStringLiteral("_ID")).index());
    return ids;
}
} // namespace

class TestPagePrograms : public QObject {
    Q_OBJECT
private slots:
    void inputsPickedAreAddedAsZonesAndRemovedAgain() {
        OpenWindow w(3);
        w.showPage(kProgramsPage);
        w.form->show();
        TPageProgrammi& page = *w.form->TabSheet7;
        DM->CDSet_Parziali->setRecNo(2);
        QCOMPARE(zoneIds(), QList<int>{});
        for (int input : {5, 2, 9})
            OpenWindow::click(page.DBGrid5, input);
        QVERIFY(w.form->Action2->isEnabled());
        w.form->Action2->trigger();
        QCOMPARE(zoneIds(), (QList<int>{2, 5, 9})); // the zones list is kept in input order
        QVERIFY(!w.form->Action2->isEnabled());
        // Picking an input that is already a zone adds nothing.
        OpenWindow::click(page.DBGrid5, 5);
        w.form->Action2->trigger();
        QCOMPARE(zoneIds(), (QList<int>{2, 5, 9}));

        OpenWindow::click(page.DBGrid7, 2); // zone of input 5
        QVERIFY(w.form->Action3->isEnabled());
        w.form->Action3->trigger();
        QCOMPARE(zoneIds(), (QList<int>{2, 9}));
        // Zones belong to their partition and survive a new run of the program.
        DM->CDSet_Parziali->setRecNo(1);
        QCOMPARE(zoneIds(), QList<int>{});
        w.reopenFromFile();
        DM->CDSet_Parziali->setRecNo(2);
        QCOMPARE(zoneIds(), (QList<int>{2, 9}));
    }

    void picksAreDroppedWhenAnotherPartitionIsChosen() {
        OpenWindow w(1);
        w.showPage(kProgramsPage);
        w.form->show();
        TPageProgrammi& page = *w.form->TabSheet7;
        DM->CDSet_Parziali->setRecNo(1);
        OpenWindow::click(page.DBGrid5, 3);
        QCOMPARE(page.DBGrid5->selectedRowCount(), 1);
        OpenWindow::click(page.DBGrid4, 2);
        QCOMPARE(page.DBGrid5->selectedRowCount(), 0);
        QVERIFY(!w.form->Action2->isEnabled());
    }

    void thePartitionShowsTheWordItsIndexPointsAt() {
        OpenWindow w(2);
        w.showPage(kProgramsPage);
        TPageProgrammi& page = *w.form->TabSheet7;
        DataSet* words = DM->CDSet_Messaggi;
        const QString word4 = words->stringAt(4, words->fieldByName(QStringLiteral("_Messaggio")).index());
        DataSet* partitions = DM->CDSet_Parziali;
        writeRow(partitions, 1, "_IMsg1", 3);
        QCOMPARE(TPageProgrammi::partitionWord(*partitions, 1), word4);
        // An index beyond the vocabulary leaves the stored word.
        writeRow(partitions, 1, "_Msg1", QStringLiteral("MIO"));
        writeRow(partitions, 1, "_IMsg1", words->recordCount() + 5);
        QCOMPARE(TPageProgrammi::partitionWord(*partitions, 1), QStringLiteral("MIO"));
        // The zones list is titled after the current partition.
        writeRow(partitions, 1, "_Nome", QStringLiteral("CASA"));
        QCOMPARE(page.DBGrid7->column(1).titleCaption(), QStringLiteral("CASA (MIO)"));
    }

    void theExitTimeIsChosenFromWholeSeconds() {
        OpenWindow w(6);
        w.showPage(kProgramsPage);
        w.form->show();
        TPageProgrammi& page = *w.form->TabSheet7;
        const int col = OpenWindow::columnOf(page.DBGrid4, QStringLiteral("_TempoUscita"));
        OpenWindow::click(page.DBGrid4, 3, col);
        QVERIFY(!page.DBComboBox24->isHidden());
        QCOMPARE(page.DBComboBox24->count(), 241);
        QCOMPARE(page.DBComboBox24->itemText(240), QStringLiteral("240"));
        emit page.DBComboBox24->activated(page.DBComboBox24->findText(QStringLiteral("45")));
        QCOMPARE(DM->CDSet_Parziali->recNo(), 3);
        QCOMPARE(DM->CDSet_Parziali->fieldByName(QStringLiteral("_TempoUscita")).asInteger(), 45);
        QVERIFY(page.DBComboBox24->isHidden());
    }
};

QTEST_MAIN(TestPagePrograms)
#include "test_page_programs.moc"
