// The event-log page in the real main window over the real data module: sorting by a title,
// the value filters, the category colours and day banding, opening the page and row an event
// concerns, and the CSV file with its quoting and its failures.

#include "platform/dataset.h"
#include "platform/dialogs.h"
#include "support/eventlogrows.h"
#include "support/mainwindowfixture.h"
#include "transfer/transferflags.h"
#include "ui/eventlog.h"
#include "ui/pagecontrol.h"
#include "ui/pages/page_eventi.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

namespace {
const QDateTime kNewYearsEve(QDate(2025, 12, 31), QTime(23, 59, 58));
const QDateTime kNewYear(QDate(2026, 1, 1), QTime(0, 0, 5));
const QDateTime kLater(QDate(2026, 1, 1), QTime(8, 30, 0));
const QDateTime kNextCentury(QDate(2101, 3, 2), QTime(7, 0, 0));

// Code, argument, category, when, texts; in date order, as the log table keeps them.
const LogEvent kEvents[] = {
    {9, 1, 1, kNewYearsEve, "ACCESSO", "CODICE UTENTE", "MARIO \"IL CAPO\"", "SI"},
    {3, 2, 2, kNewYear, "ALLARME", "ALLARME INGRESSO", "PORTA; INGRESSO", "NO"},
    {48, 0, 3, kLater, "GUASTO", "BATTERIA RADIO", "", "NO"},
    {77, 400, 4, kNextCentury, "TECNICO", "", "", "SI"},
};

QString textAt(DataSet* t, int recNo, const char* field) {
    return t->stringAt(recNo, t->fieldByName(QLatin1String(field)).index());
}
QStringList column(DataSet* t, const char* field) {
    QStringList values;
    for (int r = 1; r <= t->recordCount(); ++r)
        values << textAt(t, r, field);
    return values;
}
} // namespace

class TestEventLog : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<MainWindowFixture> fx;
    TForm6* form = nullptr;
    BoxAnswerer* boxes = nullptr;
    TPageEventi* page = nullptr;
    DataSet* log = nullptr;

    void openInstallation(int type) {
        fx->open(type);
        log = DM->CDSet_Log;
        for (const LogEvent& e : kEvents)
            appendEvent(*log, e);
        log->first();
        page = form->TabSheet31;
        form->PageControl->setActivePage(page);
        QCoreApplication::processEvents();
    }
    void selectCell(int recNo, int dataCol) {
        page->DBGrid1->moveToRecNo(recNo);
        page->DBGrid1->setSelectedIndex(dataCol);
    }

private slots:
    void init() {
        fx = std::make_unique<MainWindowFixture>();
        form = fx->form.get();
        boxes = &fx->boxes;
        openInstallation(2);
    }
    void cleanup() { fx.reset(); }

    void titleClicksToggleTheOrderAndTheFilterResetsIt() {
        DBGrid* grid = page->DBGrid1;
        auto click = [&](int dataCol) { page->DBGrid1TitleClick(grid->column(dataCol)); };
        // The log keeps date order; dates sort as dates across the turn of the year and century.
        QCOMPARE(column(log, "_ID"), QStringList({"1", "2", "3", "4"}));
        click(5);
        QCOMPARE(log->indexName(), QStringLiteral("_DataOra1__IdxA"));
        click(5);
        QCOMPARE(column(log, "_ID"), QStringList({"4", "3", "2", "1"}));
        click(5);
        QCOMPARE(column(log, "_ID"), QStringList({"1", "2", "3", "4"}));
        click(4); // another title starts ascending
        QCOMPARE(column(log, "_Arg1"), QStringList({"", "", "MARIO \"IL CAPO\"", "PORTA; INGRESSO"}));
        click(1);
        click(1);
        QCOMPARE(column(log, "_ID"), QStringList({"4", "3", "2", "1"}));

        // Not a field, or a field that cannot be ordered: false and the order stays.
        QVERIFY(!SortClientDataSet(*log, QStringLiteral("_Nothing")));
        QVERIFY(!SortClientDataSet(*DM->CDSet_Tabulon, QStringLiteral("_Log")));
        QCOMPARE(column(log, "_ID"), QStringList({"4", "3", "2", "1"}));

        selectCell(1, 6);
        page->Action11Execute();
        QVERIFY(log->filtered());
        page->Action12Execute(); // back to date order, unfiltered; the next click sorts ascending
        QVERIFY(!log->filtered());
        QCOMPARE(column(log, "_ID"), QStringList({"1", "2", "3", "4"}));
        click(5);
        QCOMPARE(log->indexName(), QStringLiteral("_DataOra1__IdxA"));
    }

    void filtersKeepTheEventsSharingTheValueUnderTheCursor_data() {
        QTest::addColumn<int>("recNo");
        QTest::addColumn<int>("dataCol");
        QTest::addColumn<QStringList>("ids");
        QTest::newRow("date and time, to the second") << 2 << 5 << QStringList{"2"};
        QTest::newRow("date and time of the last year") << 1 << 5 << QStringList{"1"};
        QTest::newRow("category") << 3 << 2 << QStringList{"3"};
        QTest::newRow("description") << 2 << 3 << QStringList{"2"};
        QTest::newRow("object with quotes") << 1 << 4 << QStringList{"1"};
        QTest::newRow("object with a semicolon") << 2 << 4 << QStringList{"2"};
        QTest::newRow("reading") << 4 << 6 << QStringList{"1", "4"};
        QTest::newRow("number: nothing happens") << 1 << 1 << QStringList{"1", "2", "3", "4"};
        QTest::newRow("colour column: nothing happens") << 1 << 0 << QStringList{"1", "2", "3", "4"};
    }
    void filtersKeepTheEventsSharingTheValueUnderTheCursor() {
        QFETCH(int, recNo);
        QFETCH(int, dataCol);
        QFETCH(QStringList, ids);
        selectCell(recNo, dataCol);
        page->PopupMenu1Popup();
        QCOMPARE(page->FILTRI1->menuAction()->isEnabled(), dataCol >= 2);
        if (dataCol >= 2)
            QCOMPARE(page->FILTRAPER1->text(),
                     QStringLiteral("FILTRA PER... ") + (dataCol == 5
                                                             ? EventLog::dateTimeText(kEvents[recNo - 1].when)
                                                             : textAt(log, recNo,
                                                                      dataCol == 6   ? "_Reading1"
                                                                      : dataCol == 4 ? "_Arg1"
                                                                      : dataCol == 3 ? "_IDEvento1"
                                                                                     : "_Categoria1")));
        page->FILTRAPER1->trigger();
        QCOMPARE(column(log, "_ID"), ids);
        QVERIFY2(boxes->shown.isEmpty(), qPrintable(boxes->texts().join(QLatin1Char('|'))));
    }

    void theFilterMenuIsOffOnAnEmptyLog() {
        log->emptyDataSet();
        page->DBGrid1->setSelectedIndex(3);
        page->PopupMenu1Popup();
        QVERIFY(!page->FILTRI1->menuAction()->isEnabled());
        page->Action11Execute();
        QVERIFY(!log->filtered());
    }

    void dateTextsHaveFourDigitYearsAndFiltersQuoteTheirValues() {
        QVERIFY(EventLog::dateTimeText(kNextCentury).contains(QStringLiteral("2101")));
        QVERIFY(EventLog::dateTimeText(kNewYearsEve).contains(QStringLiteral("2025")));
        QCOMPARE(EventLog::quoted(QStringLiteral("L'ALBA")), QStringLiteral("'L''ALBA'"));
        log->setRecNo(1);
        QCOMPARE(EventLog::filterFor(log->fieldByName(QStringLiteral("_Arg1"))),
                 QStringLiteral("_Arg1 like '%MARIO \"IL CAPO\"%'"));
        QVERIFY(EventLog::filterFor(log->fieldByName(QStringLiteral("_ID"))).isEmpty());
    }

    void cellsShowCategoryColoursAndDayBands() {
        form->resize(1200, 700);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        DBGrid* grid = page->DBGrid1;
        grid->setSelectedIndex(1);
        grid->moveToRecNo(4); // the current row keeps the base painter's look
        MainWindowFixture::keepShot(form, QStringLiteral("eventlog"));
        const QImage shot = grid->viewport()->grab().toImage();
        const qreal scale = shot.devicePixelRatio();
        auto pixel = [&](int gridRow, int dataCol) {
            const QRect r = grid->cellRect(grid->gridColumnOf(dataCol), gridRow);
            return QColor(shot.pixel(QPointF(r.left() + 2, r.bottom() - 1).toPoint() * scale));
        };
        // Category 1 green, 2 red, 3 yellow ($00BBGGRR values).
        QCOMPARE(pixel(1, 0), QColor(0, 255, 0));
        QCOMPARE(pixel(2, 0), QColor(255, 43, 43));
        QCOMPARE(pixel(3, 0), QColor(255, 255, 0));
        // 31 Dec, then two events of 1 Jan: the second day is banded grey.
        QCOMPARE(pixel(1, 2), QColor(255, 255, 255));
        QCOMPARE(pixel(2, 2), QColor(209, 209, 209));
        QCOMPARE(pixel(3, 4), QColor(209, 209, 209));
    }

    void eventsOpenThePageAndRowTheyConcern_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("arg");
        QTest::addColumn<int>("shown");
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
        form->Action16->setChecked(true);
        form->Action16Execute();
        write(code, arg);
        DataSet* radio = DM->CDSet_DeviceRadio;
        radio->setRecNo(2);
        for (DataSet* t : {DM->CDSet_Parziali, DM->CDSet_Ingressi, DM->CDSet_Utenti})
            t->first();
        form->Action5->setEnabled(false); // as the event-log page leaves it
        page->DBGrid1CellClick(page->DBGrid1->column(3));
        const int expectedPage = shown < 0 ? int(TForm6::kPageEventi) : shown;
        QCOMPARE(form->PageControl->activePageIndex(), expectedPage);
        QVERIFY(form->PageControl->highlighted(expectedPage) || shown < 0);
        if (!table.isEmpty())
            QCOMPARE(DM->tableByName(table)->recNo(), recNo);
        QCOMPARE(radio->recNo(), table == "CDSet_DeviceRadio" ? recNo : 2);
        // The page opened this way can start its transfers.
        QCOMPARE(form->Action5->isEnabled(), shown >= 0);
    }

    void noJumpWithoutSelectionModeOrDuringATransfer() {
        write(17, 5);
        for (bool checked : {false, true}) {
            form->Action16->setChecked(checked);
            StateTrasfert = checked ? 1 : 0;
            DM->CDSet_Ingressi->first();
            page->DBGrid1CellClick(page->DBGrid1->column(2));
            QCOMPARE(form->PageControl->activePageIndex(), int(TForm6::kPageEventi));
            QCOMPARE(DM->CDSet_Ingressi->recNo(), 1);
        }
    }

    void unknownEventsShowTheirRawNumbers() {
        const int desc = log->fieldByName(QStringLiteral("_IDEvento1")).index();
        const int object = log->fieldByName(QStringLiteral("_Arg1")).index();
        QCOMPARE(EventLog::cellText(*log, 4, desc), QStringLiteral("77"));
        QCOMPARE(EventLog::cellText(*log, 4, object), QStringLiteral("400"));
        QCOMPARE(EventLog::cellText(*log, 3, object), QString()); // argument 0: nothing concerned
        QCOMPARE(EventLog::cellText(*log, 2, desc), QStringLiteral("ALLARME INGRESSO"));
    }

    void csvHoldsEveryEventWhole() {
        const QString path = fx->registry.folder() + QStringLiteral("/eventi.csv");
        boxes->answerText(path);
        page->Action22->trigger();
        QCOMPARE(boxes->count(QStringLiteral("SaveFile")), 1);
        QCOMPARE(boxes->last().preset, QStringLiteral("csv file (*.csv)"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const QList<QByteArray> lines = bytes.split('\n');
        QCOMPARE(lines.size(), 6); // header, four events, the empty rest after the last CR LF
        for (int i = 0; i < 5; ++i)
            QVERIFY2(lines[i].endsWith(";\r"), lines[i].constData());
        // "N°" in Windows-1252, the date-time title with the locale's separator.
        QVERIFY(lines[0].startsWith("N\xB0;TIPOLOGIA EVENTO;DESCRIZIONE EVENTO;OGGETTO;LETTO;DATA"));
        const QByteArray eve = EventLog::dateTimeText(kNewYearsEve).toLatin1();
        QCOMPARE(lines[1], "1;ACCESSO;CODICE UTENTE;\"MARIO \"\"IL CAPO\"\"\";SI;" + eve + ";\r");
        QCOMPARE(lines[2], "2;ALLARME;ALLARME INGRESSO;\"PORTA; INGRESSO\";NO;" +
                               EventLog::dateTimeText(kNewYear).toLatin1() + ";\r");
        QCOMPARE(lines[4].left(16), QByteArray("4;TECNICO;77;400"));
        QVERIFY(boxes->count(QStringLiteral("ShowMessage")) == 0);

        // The export follows the filter and the order, and leaves the cursor where it was.
        log->setRecNo(3);
        QCOMPARE(EventLog::csvBytes(*log, page->exportTitles()).count('\n'), 5);
        QCOMPARE(log->recNo(), 3);
        QCOMPARE(EventLog::csvValue(QStringLiteral("a\nb")), QStringLiteral("\"a\nb\""));
        QCOMPARE(EventLog::csvValue(QStringLiteral("plain")), QStringLiteral("plain"));
    }

    void aFailedExportReportsAndLeavesNoFile_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("missing folder") << "/missing/eventi.csv";
        QTest::newRow("a folder") << "";
    }
    void aFailedExportReportsAndLeavesNoFile() {
        QFETCH(QString, target);
        const QString path = fx->registry.folder() + target;
        boxes->answerText(path);
        page->Action22->trigger();
        QCOMPARE(boxes->count(QStringLiteral("ShowMessage")), 1);
        QVERIFY2(
            boxes->last().text.contains(QStringLiteral(" error raised, with message : Cannot create file")),
            qPrintable(boxes->last().text));
        QVERIFY(!QFileInfo(path).isFile());
        // The page stays usable: the grid follows the table, a cancelled prompt writes nothing.
        log->setRecNo(2);
        QCOMPARE(page->DBGrid1->dataSet()->recNo(), 2);
        QVERIFY(!log->controlsDisabled());
        boxes->clear();
        boxes->answerCancel();
        page->Action22->trigger();
        QCOMPARE(boxes->count(QStringLiteral("ShowMessage")), 0);
    }

private:
    // The first event becomes one of the given code and argument, current in the grid.
    void write(int code, int arg) {
        log->first();
        log->edit();
        log->fieldByName(QStringLiteral("_IDEvento")).setAsInteger(code);
        log->fieldByName(QStringLiteral("_Arg")).setAsInteger(arg);
        log->post();
    }
};

QTEST_MAIN(TestEventLog)
#include "test_eventlog.moc"
