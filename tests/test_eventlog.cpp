// The event-log page in the real main window over the real data module: sorting by a title,
// the value filters, the category colours and day bands, opening the page and row an event
// concerns, the CSV file with its quoting and its failures, and the panel's log records that
// the log's decoder must refuse.

#include "model/transferflags.h"
#include "platform/datasetsort.h"
#include "support/eventlogrows.h"
#include "support/openwindow.h"
#include "support/panelmemory.h"
#include "transfer/codec.h"
#include "transfer/codec_eventlog.h"
#include "transfer/codec_staging.h"
#include "transfer/commands.h"
#include "ui/eventlog.h"
#include "ui/mainwindow_links.h"
#include "ui/pages/page_eventi.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>

namespace {
const QDateTime kNewYearsEve(QDate(2025, 12, 31), QTime(23, 59, 58));
const QDateTime kNewYear(QDate(2026, 1, 1), QTime(0, 0, 5));
// Code, argument, category, when, texts; in date order, as the log table keeps them.
const LogEvent kEvents[] = {
    {9, 1, 1, kNewYearsEve, "ACCESSO", "CODICE UTENTE", "MARIO \"IL CAPO\"", "SI"},
    {3, 2, 2, kNewYear, "ALLARME", "ALLARME INGRESSO", "PORTA D'INGRESSO; RETRO", "NO"},
    {48, 0, 3, kNewYear.addSecs(3600), "GUASTO", "BATTERIA RADIO", "", "NO"},
    {77, 400, 4, QDateTime(QDate(2101, 3, 2), QTime(7, 0)), "TECNICO", "", "", "SI"},
};
} // namespace

class TestEventLog : public QObject {
    Q_OBJECT
    std::unique_ptr<OpenWindow> fx;
    TForm6* form = nullptr;
    TPageEventi* page = nullptr;
    DataSet* log = nullptr;

    QStringList ids() const {
        QStringList values;
        for (int r = 1; r <= log->recordCount(); ++r)
            values << log->stringAt(r, 0);
        return values;
    }
    void select(int recNo, int dataCol) {
        page->DBGrid1->moveToRecNo(recNo);
        page->DBGrid1->setSelectedIndex(dataCol);
    }
    // Every column of every row of the log, as text.
    QStringList logRows() const {
        QStringList rows;
        for (int r = 1; r <= log->recordCount(); ++r) {
            QStringList cells;
            for (int f = 0; f < log->fieldCount(); ++f)
                cells << log->valueAt(r, f).toString();
            rows << cells.join(QLatin1Char('|'));
        }
        return rows;
    }
    // Hands the panel's whole log to the decoder part by part, as a read job does, and applies
    // it when every part was taken; the error of the first part refused, else SENDOK.
    static TError readLog(const QByteArray& stream) {
        const CommandInfo& info = commandInfo(CmdLogEventi);
        TError r = SENDOK;
        for (int p = 0; p < info.parts && r == SENDOK; ++p)
            r = info.decode(p, stream.mid(p * 64, 64));
        if (r == SENDOK && !Codec::commitStaged())
            r = DATACORRUPT;
        Codec::dropStaged();
        return r;
    }

private slots:
    void init() {
        fx = std::make_unique<OpenWindow>(2);
        form = fx->form.get();
        log = DM->CDSet_Log;
        for (const LogEvent& e : kEvents)
            appendEvent(*log, e);
        page = form->TabSheet31;
        form->PageControl->setActivePage(page);
    }
    void cleanup() { fx.reset(); }

    void titleClicksToggleTheOrderAndTheFilterResetsIt() {
        auto click = [&](int dataCol) { page->DBGrid1TitleClick(page->DBGrid1->column(dataCol)); };
        click(5); // dates sort as dates across the turn of the year and of the century
        click(5);
        QCOMPARE(ids(), QStringList({"4", "3", "2", "1"}));
        click(5);
        QCOMPARE(ids(), QStringList({"1", "2", "3", "4"}));
        click(4); // another title starts ascending
        QCOMPARE(ids(), QStringList({"3", "4", "1", "2"}));
        QVERIFY(!SortClientDataSet(*log, QStringLiteral("_Nothing")));
        QVERIFY(!SortClientDataSet(*DM->CDSet_Tabulon, QStringLiteral("_Log")));
        QCOMPARE(log->indexName(), QStringLiteral("_Arg1__IdxA"));
        select(1, 6);
        page->Action11Execute();
        page->Action12Execute(); // date order, unfiltered; the next click on the date is ascending
        QCOMPARE(ids(), QStringList({"1", "2", "3", "4"}));
        click(5);
        QCOMPARE(log->indexName(), QStringLiteral("_DataOra1__IdxA"));
    }

    void filtersKeepTheEventsSharingTheValueUnderTheCursor_data() {
        QTest::addColumn<int>("recNo");
        QTest::addColumn<int>("dataCol");
        QTest::addColumn<QStringList>("kept");
        QTest::newRow("date and time, to the second") << 2 << 5 << QStringList{"2"};
        QTest::newRow("date of the year before") << 1 << 5 << QStringList{"1"};
        QTest::newRow("category") << 3 << 2 << QStringList{"3"};
        QTest::newRow("description") << 2 << 3 << QStringList{"2"};
        QTest::newRow("double quotes") << 1 << 4 << QStringList{"1"};
        QTest::newRow("single quote, semicolon") << 2 << 4 << QStringList{"2"};
        QTest::newRow("reading") << 4 << 6 << QStringList{"1", "4"};
        QTest::newRow("number: nothing") << 1 << 1 << QStringList{"1", "2", "3", "4"};
        QTest::newRow("colour: nothing") << 1 << 0 << QStringList{"1", "2", "3", "4"};
    }
    void filtersKeepTheEventsSharingTheValueUnderTheCursor() {
        QFETCH(int, recNo);
        QFETCH(int, dataCol);
        QFETCH(QStringList, kept);
        select(recNo, dataCol);
        page->PopupMenu1Popup();
        QCOMPARE(page->FILTRI1->menuAction()->isEnabled(), dataCol >= 2);
        if (dataCol == 5)
            QCOMPARE(page->FILTRAPER1->text(),
                     "FILTRA PER... " + EventLog::dateTimeText(kEvents[recNo - 1].when));
        page->FILTRAPER1->trigger();
        QCOMPARE(ids(), kept);
        QVERIFY2(fx->boxes.shown.isEmpty(), qPrintable(fx->boxes.texts().join('|')));
        log->emptyDataSet(); // an empty log offers no filter
        page->PopupMenu1Popup();
        QVERIFY(!page->FILTRI1->menuAction()->isEnabled());
    }

    void cellsShowCategoryColoursAndDayBands() {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        DBGrid* grid = page->DBGrid1;
        const QImage shot = grid->viewport()->grab().toImage();
        auto pixel = [&](int gridRow, int dataCol) {
            const QRect r = grid->cellRect(grid->gridColumnOf(dataCol), gridRow);
            return QColor(shot.pixel(QPoint(r.left() + 2, r.bottom() - 1) * shot.devicePixelRatio()));
        };
        // Categories 1 green, 2 red, 3 yellow ($00BBGGRR values); 31 Dec white, then 1 Jan grey.
        QCOMPARE(pixel(1, 0), QColor(0, 255, 0));
        const QRect colour = grid->cellRect(grid->gridColumnOf(0), 1); // no number over the colour
        QCOMPARE(QColor(shot.pixel(colour.center() * shot.devicePixelRatio())), QColor(0, 255, 0));
        QCOMPARE(pixel(2, 0), QColor(255, 43, 43));
        QCOMPARE(pixel(3, 0), QColor(255, 255, 0));
        QCOMPARE(pixel(1, 2), QColor(255, 255, 255));
        QCOMPARE(pixel(2, 2), QColor(209, 209, 209));
        QCOMPARE(pixel(3, 4), QColor(209, 209, 209));
    }

    void eventsOpenThePageAndRowTheyConcern_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("arg");
        QTest::addColumn<int>("shown"); // -1: nothing happens
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("recNo");
        QTest::newRow("partition counts from 0") << 36 << 2 << 6 << "CDSet_Parziali" << 3;
        QTest::newRow("input") << 17 << 5 << 1 << "CDSet_Ingressi" << 5;
        QTest::newRow("user") << 38 << 7 << 0 << "CDSet_Utenti" << 7;
        QTest::newRow("various parameters") << 23 << 9 << 5 << "" << 0;
        QTest::newRow("peripherals") << 46 << 1 << 3 << "" << 0;
        QTest::newRow("radio device") << 50 << 4 << 8 << "CDSet_DeviceRadio" << 4;
        QTest::newRow("radio without a device") << 48 << 0 << 8 << "" << 0;
        QTest::newRow("unknown code") << 77 << 1 << -1 << "" << 0;
        QTest::newRow("input beyond the model") << 3 << 500 << -1 << "" << 0;
        QTest::newRow("user 0") << 9 << 0 << -1 << "" << 0;
        QTest::newRow("partition beyond the model") << 1 << 8 << -1 << "" << 0;
    }
    void eventsOpenThePageAndRowTheyConcern() {
        QFETCH(int, code);
        QFETCH(int, arg);
        QFETCH(int, shown);
        QFETCH(QString, table);
        QFETCH(int, recNo);
        log->first();
        log->edit();
        log->fieldByName(QStringLiteral("_IDEvento")).setAsInteger(code);
        log->fieldByName(QStringLiteral("_Arg")).setAsInteger(arg);
        log->post();
        DM->CDSet_DeviceRadio->setRecNo(2);
        for (DataSet* t : {DM->CDSet_Parziali, DM->CDSet_Ingressi, DM->CDSet_Utenti})
            t->first();
        form->Action5->setEnabled(false); // as the event-log page leaves it
        auto click = [&] { page->DBGrid1CellClick(page->DBGrid1->column(3)); };
        // Nothing without the selection mode, nor while a transfer moves parts.
        click();
        StateTrasfert = 1;
        form->Action16->trigger();
        click();
        QCOMPARE(form->PageControl->activePageIndex(), int(TForm6::kPageEventi));
        StateTrasfert = 0;
        click();
        QCOMPARE(form->PageControl->activePageIndex(), shown < 0 ? int(TForm6::kPageEventi) : shown);
        QCOMPARE(form->Action16->text(), QStringLiteral("Disattiva/Selezione"));
        if (!table.isEmpty())
            QCOMPARE(DM->tableByName(table)->recNo(), recNo);
        QCOMPARE(DM->CDSet_DeviceRadio->recNo(), table == "CDSet_DeviceRadio" ? recNo : 2);
        QCOMPARE(form->Action5->isEnabled(), shown >= 0); // the page's transfers work again
    }

    void theToolBarRefreshesTheLog() {
        QList<std::pair<int, bool>> jobs;
        MainWindowLinks::setTransferObserverForTests([&](int tab, bool write) { jobs.append({tab, write}); });
        page->ActionToolBar11->actions().at(6)->trigger(); // "Aggiorna Eventi", after three dividers
        MainWindowLinks::setTransferObserverForTests({});
        QCOMPARE(jobs, (QList<std::pair<int, bool>>{{102, false}}));
    }

    void csvHoldsEveryEventWhole() {
        const QString path = fx->registry.folder() + QStringLiteral("/eventi.csv");
        fx->boxes.answerText(path);
        log->setRecNo(3);
        page->Action22->trigger();
        QCOMPARE(fx->boxes.last().preset, QStringLiteral("csv file (*.csv)"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 6); // header, four events, nothing after the last CR LF
        QVERIFY(lines[0].startsWith("N\xB0;TIPOLOGIA EVENTO;DESCRIZIONE EVENTO;OGGETTO;LETTO;DATA"));
        QVERIFY(lines[0].endsWith(";\r"));
        QCOMPARE(lines[1], "1;ACCESSO;CODICE UTENTE;\"MARIO \"\"IL CAPO\"\"\";SI;" +
                               EventLog::dateTimeText(kNewYearsEve).toLatin1() + ";\r");
        QVERIFY(lines[2].startsWith("2;ALLARME;ALLARME INGRESSO;\"PORTA D'INGRESSO; RETRO\";NO;"));
        // An event without texts shows its raw code and argument; years have four digits.
        QVERIFY(lines[4].startsWith("4;TECNICO;77;400;SI;") && lines[4].contains("2101"));
        QCOMPARE(log->recNo(), 3);
        QCOMPARE(fx->boxes.count(QStringLiteral("ShowMessage")), 0);
    }

    // Inputs, users and radio devices are counted from 1 in the panel's log, so an argument 0
    // names none of them: OGGETTO then shows "-", on the page and in the file. Partitions are
    // counted from 0: their 0 is the first partition.
    void anEventWithoutItsObjectShowsNone() {
        installPanelCodec();
        const QDateTime when(QDate(2026, 3, 4), QTime(10, 0, 0));
        const struct {
            int code, arg;
            const char* object;
        } events[] = {{21, 0, "-"}, {3, 0, "-"}, {49, 0, "-"}, {1, 0, "PARZIALE 1"}, {21, 2, "UTENTE 2"}};
        QByteArray stream;
        for (const auto& e : events)
            stream += PanelMemory::logRecord(e.code, e.arg, 1, false, when.addSecs(stream.size()));
        stream.append(QByteArray(Codec::eventLogStreamSize() - stream.size(), '\0'));
        QCOMPARE(readLog(stream), SENDOK);
        QCOMPARE(log->recordCount(), 5);
        const QString path = fx->registry.folder() + QStringLiteral("/eventi.csv");
        fx->boxes.answerText(path);
        page->Action22->trigger();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        for (int r = 1; r <= 5; ++r) {
            const QString object = QString::fromLatin1(events[r - 1].object);
            auto names = [&](const QString& shown) {
                return shown == object || (object != "-" && shown.startsWith(object + ": "));
            };
            select(r, 4); // the value under the cursor, as the context menu offers it
            page->PopupMenu1Popup();
            const QString offered = page->FILTRAPER1->text().mid(QStringLiteral("FILTRA PER... ").size());
            QVERIFY2(names(offered), qPrintable(offered));
            const QString written = QString::fromLatin1(lines[r].split(';').value(3));
            QVERIFY2(names(written), lines[r].constData());
        }
    }

    // Bytes 11..15 of a record are reserved and zero: a record with any of them set is not one
    // this program understands, and the whole read is refused with the log as it was.
    void recordsWithReservedBytesSetAreRefused_data() {
        QTest::addColumn<int>("byte"); // -1: none set, the log is taken
        QTest::addColumn<int>("record");
        QTest::newRow("intact") << -1 << 1;
        for (int k = 11; k <= 15; ++k)
            QTest::addRow("byte %d of an event", k) << k << 1;
        QTest::newRow("byte 15 of the last record") << 15 << 255;
    }
    void recordsWithReservedBytesSetAreRefused() {
        QFETCH(int, byte);
        QFETCH(int, record);
        installPanelCodec();
        const QDateTime when(QDate(2026, 2, 3), QTime(4, 5, 6));
        QByteArray stream = PanelMemory::logRecord(21, 1, 4, true, when) +
                            PanelMemory::logRecord(3, 2, 2, false, when.addSecs(60));
        stream.append(QByteArray(Codec::eventLogStreamSize() - stream.size(), '\0'));
        stream.replace(255 * 16, 16, PanelMemory::logRecord(13, 0, 3, false, when.addDays(1)));
        if (byte >= 0)
            stream[record * 16 + byte] = char(0x01);
        log->setRecNo(2);
        const QStringList before = logRows();
        QCOMPARE(readLog(stream), byte < 0 ? SENDOK : DATACORRUPT);
        if (byte < 0) { // the same path takes an intact log
            QCOMPARE(log->recordCount(), 3);
            QCOMPARE(log->fieldByName(QStringLiteral("_IDEvento")).asInteger(), 21);
            return;
        }
        QCOMPARE(logRows(), before);
        QCOMPARE(log->recNo(), 2);
    }

    void aFailedExportReportsAndLeavesNoFile_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("missing folder") << "/missing/eventi.csv";
        QTest::newRow("a folder") << "";
    }
    void aFailedExportReportsAndLeavesNoFile() {
        QFETCH(QString, target);
        const QString path = fx->registry.folder() + target;
        fx->boxes.answerText(path);
        page->Action22->trigger();
        QCOMPARE(fx->boxes.count(QStringLiteral("ShowMessage")), 1);
        QVERIFY(fx->boxes.last().text.contains(" error raised, with message : Cannot create file"));
        QVERIFY(!QFileInfo(path).isFile());
        log->setRecNo(2); // the grid still follows the table; a cancelled prompt writes nothing
        QCOMPARE(page->DBGrid1->dataSet()->recNo(), 2);
        fx->boxes.answerCancel();
        page->Action22->trigger();
        QCOMPARE(fx->boxes.count(QStringLiteral("ShowMessage")), 1);
    }
};

QTEST_MAIN(TestEventLog)
#include "test_eventlog.moc"
