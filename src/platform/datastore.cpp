#include "platform/datastore.h"
#include "platform/datasetprivate.h"

#include <QLocale>

void TableSchema::layOut() {
    // Widest cells first keeps every 8-byte cell aligned without padding.
    quint32 offset = 0;
    for (int width : {8, 4, 1}) {
        for (auto& f : fields) {
            if (datastore::cellWidth(f.type) == width) {
                f.offset = offset;
                offset += quint32(width);
            }
        }
    }
    nullOffset = offset;
    rowBytes = offset + quint32((fields.size() + 7) / 8);
}

RowList::~RowList() {
    if (schema)
        datastore::freeRows(*schema, rows);
}

namespace datastore {

namespace {
std::atomic<quint64> g_serial{1};
constexpr qint64 kMsPerDay = 86400000;
} // namespace

quint64 nextSerial() {
    return g_serial.fetch_add(1, std::memory_order_relaxed);
}

int cellWidth(FieldType type) {
    switch (type) {
    case FieldType::Float:
    case FieldType::DateTime:
    case FieldType::Nested:
        return 8;
    case FieldType::Boolean:
        return 1;
    case FieldType::String:
    case FieldType::Integer:
    case FieldType::Memo:
        return 4;
    }
    return 8;
}

RowData* allocRow(TableSchema& schema) {
    void* block = ::operator new(sizeof(RowData) + schema.rowBytes);
    std::memset(block, 0, sizeof(RowData) + schema.rowBytes);
    auto* row = static_cast<RowData*>(block);
    row->serial = nextSerial();
    row->pending = 0;
    for (int f : schema.nestedFields) {
        auto* list = new RowList(schema.nested[size_t(f)].get());
        retain(list);
        setCell<RowList*>(schema, row->bytes(), f, list);
    }
    ++schema.liveRows;
    return row;
}

void freeRow(TableSchema& schema, RowData* row) {
    if (!row)
        return;
    for (int f : schema.nestedFields)
        release(nestedList(schema, row->bytes(), f));
    --schema.liveRows;
    ::operator delete(row);
}

void freeRows(TableSchema& schema, std::vector<RowData*>& rows) {
    std::vector<RowData*> doomed;
    doomed.swap(rows);
    for (RowData* r : doomed)
        freeRow(schema, r);
}

qint64 encodeDateTime(const QDateTime& dt) {
    return dt.date().toJulianDay() * kMsPerDay + dt.time().msecsSinceStartOfDay();
}

QDateTime decodeDateTime(qint64 v) {
    qint64 day = v / kMsPerDay;
    qint64 ms = v % kMsPerDay;
    if (ms < 0) {
        ms += kMsPerDay;
        --day;
    }
    return QDateTime(QDate::fromJulianDay(day), QTime::fromMSecsSinceStartOfDay(int(ms)));
}

namespace {
QString shortDateFormat() {
    QString f = QLocale::system().dateFormat(QLocale::ShortFormat);
    // A two-digit year cannot tell 1926 from 2026: always show and read four digits.
    if (!f.contains(QLatin1String("yyyy")))
        f.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return f;
}

QString longTimeFormat() {
    QString f = QLocale::system().timeFormat(QLocale::LongFormat);
    f.remove(QLatin1Char('t'));
    return f.trimmed();
}
} // namespace

QString dateTimeFormat() {
    static const QString format = shortDateFormat() + QLatin1Char(' ') + longTimeFormat();
    return format;
}

QString formatDateTime(const QDateTime& dt) {
    if (!dt.isValid())
        return QString();
    return QLocale::system().toString(dt, dateTimeFormat());
}

QDateTime parseDateTime(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return {};
    const QLocale locale = QLocale::system();
    QDateTime dt = locale.toDateTime(t, dateTimeFormat());
    if (dt.isValid())
        return dt;
    static const QString dateOnly = shortDateFormat();
    const QDate d = locale.toDate(t, dateOnly);
    if (d.isValid())
        return QDateTime(d, QTime(0, 0));
    for (const char* f : {"yyyy-MM-ddTHH:mm:ss.zzz", "yyyy-MM-ddTHH:mm:ss", "yyyy-MM-dd HH:mm:ss",
                          "yyyy-MM-dd HH:mm", "yyyy-MM-dd"}) {
        dt = QDateTime::fromString(t, QLatin1String(f));
        if (dt.isValid())
            return dt;
    }
    return QDateTime::fromString(t, Qt::ISODate);
}

bool parseBoolean(const QString& text, bool* ok) {
    const QString t = text.trimmed();
    *ok = true;
    if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0 || t.isEmpty())
        return false;
    bool numeric = false;
    const double v = t.toDouble(&numeric);
    if (numeric)
        return v != 0;
    *ok = false;
    return false;
}

} // namespace datastore
