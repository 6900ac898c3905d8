#pragma once
// What the event log needs beyond its page: the one date-time text of an event, the filter
// expressions, the page and row an event concerns, and the CSV file. Nothing here includes a
// widget header. The sort toggle of its titles is SortClientDataSet (platform/datasetsort.h).

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

class DataSet;
class Field;

namespace EventLog {

// The date and time of an event as the grid shows it, the filter reads it and the CSV holds
// it: the locale's short date with a four-digit year, then the long time.
QString dateTimeText(const QDateTime& dt);

// A text as a filter literal: in single quotes, inner quotes doubled.
QString quoted(const QString& text);

// The filter that keeps the events sharing the current row's value of `field`: equal date and
// time for `_DataOra1`, the text contained for `_Categoria1`, `_IDEvento1`, `_Arg1` and
// `_Reading1`. Empty for any other field (nothing to filter on).
QString filterFor(const Field& field);

// The text an event shows in a column: the stored text, except that an event whose code or
// argument has no text shows the raw number (an event this program has no description for).
QString cellText(const DataSet& log, int recNo, int fieldIndex);

// The page and row an event concerns, by its code and argument. `page` is -1 when the event
// concerns no page; `table` is empty when it concerns a page but no row of it.
struct Target {
    int page = -1;
    QString table;
    int recNo = 0;
};
Target targetOf(int idEvento, int arg);

// ---- CSV ----
// One value of a CSV line: quoted (inner quotes doubled) when it holds the separator, a quote
// or a line break, so every record stays one whole row in a spreadsheet.
QString csvValue(const QString& value);
// The whole file: `titles` as the header line, then one line per row of `log` in its current
// order and filter with `_ID`, `_Categoria1`, `_IDEvento1`, `_Arg1`, `_Reading1` and
// `_DataOra1` in the table's field order; every value followed by ";", lines ended by CR LF,
// text in Windows-1252.
QByteArray csvBytes(const DataSet& log, const QStringList& titles);
// Writes csvBytes to `path`, replacing it only once the whole file is written. False with the
// message to show in *error when the file cannot be created or written; no file is then left
// under `path` (an existing one stays as it was).
bool writeCsv(const DataSet& log, const QStringList& titles, const QString& path, QString* error);

} // namespace EventLog
