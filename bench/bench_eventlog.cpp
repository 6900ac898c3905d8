// Timing of the event log over 10,000 events: the sort of each column (ascending, then
// descending), the filter on one date and time and on a text, removing the filter, and the CSV
// export (building the file and writing it). Prints the median of several runs and the targets
// (sort and filter < 50 ms each, export < 200 ms).
//
//   ./bench_eventlog [events] [runs]

#include "model/datamodule.h"
#include "platform/dataset.h"
#include "platform/datasetsort.h"
#include "support/eventlogrows.h"
#include "ui/eventlog.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const char* const kCategories[] = {"ALLARME", "GUASTO", "ACCESSO", "TECNICO"};
const char* const kObjects[] = {"PORTA INGRESSO", "FINESTRA CUCINA", "GARAGE",  "MARIO ROSSI",
                                "SIRENA ESTERNA", "TASTIERA 1",      "PRESA 2", "MODULO GSM"};

void fill(DataSet& log, int events) {
    QDateTime when(QDate(2024, 11, 20), QTime(6, 0, 0));
    for (int i = 0; i < events; ++i) {
        when = when.addSecs(37 * 60 + (i * 7919) % 3600); // about 30 events a day, over years
        const int category = 1 + i % 4;
        LogEvent e;
        e.code = 1 + (i * 13) % 51;
        e.arg = 1 + i % 32;
        e.category = category;
        e.when = when;
        e.categoryText = QString::fromLatin1(kCategories[category - 1]);
        e.description = QStringLiteral("EVENTO %1").arg(e.code);
        e.object = QString::fromLatin1(kObjects[i % 8]) + QStringLiteral(" %1").arg(e.arg);
        e.reading = i % 3 ? QStringLiteral("SI") : QStringLiteral("NO");
        appendEvent(log, e);
    }
}

double medianMs(int runs, const std::function<void()>& prepare, const std::function<void()>& work) {
    std::vector<double> times;
    for (int r = 0; r < runs; ++r) {
        if (prepare)
            prepare();
        QElapsedTimer t;
        t.start();
        work();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void report(const char* what, double ms, double target) {
    std::printf("%-34s %8.2f ms   (target < %.0f ms: %s)\n", what, ms, target,
                ms < target ? "ok" : "OVER TARGET");
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int events = argc > 1 ? std::max(1, atoi(argv[1])) : 10000;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 7;

    TDM dm;
    dm.AddDataSet(6);
    DataSet& log = *dm.CDSet_Log;
    // Filled in arrival order, as the log read does, then shown in date order.
    log.setIndexFieldNames(QString());
    QElapsedTimer fillTimer;
    fillTimer.start();
    fill(log, events);
    std::printf("%d events filled in %.0f ms\n", log.recordCount(), fillTimer.nsecsElapsed() / 1e6);

    const QStringList columns = {"_ColorEvent", "_ID",       "_Categoria1", "_IDEvento1",
                                 "_Arg1",       "_DataOra1", "_Reading1"};
    auto reset = [&] {
        log.setIndexFieldNames(QStringLiteral("_DataOra1"));
        log.first();
    };
    for (const QString& column : columns) {
        // The grid reads the first rows of the new order right after the sort.
        auto sortAndRead = [&] {
            SortClientDataSet(log, column);
            log.first();
            log.stringAt(1, 1);
        };
        const double asc = medianMs(runs, reset, sortAndRead);
        const double desc = medianMs(
            runs, [&] { reset(), SortClientDataSet(log, column); }, sortAndRead);
        report(qPrintable(QStringLiteral("sort %1 ascending").arg(column)), asc, 50);
        report(qPrintable(QStringLiteral("sort %1 descending").arg(column)), desc, 50);
    }
    reset();

    log.setRecNo(events / 2);
    const QString byDay = EventLog::filterFor(log.fieldByName(QStringLiteral("_DataOra1")));
    const QString byText = EventLog::filterFor(log.fieldByName(QStringLiteral("_Arg1")));
    auto unfilter = [&] { log.setFiltered(false); };
    auto filterWith = [&](const QString& expression) {
        log.setFilter(expression);
        log.setFiltered(true);
        log.first();
        log.recordCount();
    };
    report("filter on a date and time", medianMs(runs, unfilter, [&] { filterWith(byDay); }), 50);
    std::printf("  (%d events kept)\n", log.recordCount());
    report("filter on a text", medianMs(runs, unfilter, [&] { filterWith(byText); }), 50);
    std::printf("  (%d events kept)\n", log.recordCount());
    report("remove the filter",
           medianMs(
               runs, [&] { filterWith(byText); },
               [&] {
                   log.setFiltered(false);
                   log.recordCount();
               }),
           50);

    QTemporaryDir dir;
    const QStringList titles = {"N°",    "TIPOLOGIA EVENTO", "DESCRIZIONE EVENTO", "OGGETTO",
                                "LETTO", "DATA/ORA"};
    qsizetype bytes = 0;
    report("CSV export, built in memory",
           medianMs(runs, {}, [&] { bytes = EventLog::csvBytes(log, titles).size(); }), 200);
    report(
        "CSV export, written to a file",
        medianMs(runs, {},
                 [&] {
                     QString error;
                     if (!EventLog::writeCsv(log, titles, dir.filePath(QStringLiteral("eventi.csv")), &error))
                         std::printf("%s\n", qPrintable(error));
                 }),
        200);
    std::printf("  (%lld bytes)\n", static_cast<long long>(bytes));
    return 0;
}
