// The programs page over the real main window and data module: the partition's word read through
// its index and the zone list titled after the current partition. (Its zones are tested with the
// other associations; the exit time, chosen in its cell's list, with the values sent to the panel.)

#include "model_fixture.h"
#include "platform/dbcontrols.h"
#include "support/openwindow.h"
#include "ui/pages/page_programmi.h"

namespace {
constexpr int kProgramsPage = 6;
} // namespace

class TestPagePrograms : public QObject {
    Q_OBJECT
private slots:
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
};

QTEST_MAIN(TestPagePrograms)
#include "test_page_programs.moc"
