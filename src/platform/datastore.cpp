#include "platform/datastore.h"
#include "platform/datasetprivate.h"

#include <QLocale>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <new>

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
    textFields.clear();
    textMask.assign((fields.size() + 7) / 8, 0);
    for (size_t f = 0; f < fields.size(); ++f) {
        if (fields[f].type == FieldType::String || fields[f].type == FieldType::Memo) {
            textFields.push_back(int(f));
            textMask[f / 8] = quint8(textMask[f / 8] | (1u << (f % 8)));
        }
    }
}

quint32 TableSchema::rowSize() const {
    return (quint32(sizeof(RowData)) + rowBytes + 7) & ~7u;
}

namespace {
constexpr quint32 kBlockBytes = 64 * 1024;
constexpr quint32 kFirstBlockBytes = 2 * 1024;

void freeBlock(RowBlock* block) {
    block->~RowBlock();
    std::free(block);
}
} // namespace

RowData* RowArena::carve(quint32 rowSize) {
    if (!m_block || m_block->capacity - m_block->used < rowSize) {
        close();
        // Small at first (many tables hold a few rows), then up to the full block size.
        m_nextBytes = std::min(kBlockBytes, m_nextBytes == 0 ? kFirstBlockBytes : m_nextBytes * 2);
        const quint32 capacity = std::max(m_nextBytes, rowSize * 8);
        // Fresh zeroed memory: its rows need no clearing.
        void* memory = std::calloc(1, sizeof(RowBlock) + capacity);
        if (!memory)
            throw std::bad_alloc();
        m_block = new (memory) RowBlock;
        m_block->capacity = capacity;
    }
    auto* row = reinterpret_cast<RowData*>(reinterpret_cast<uchar*>(m_block + 1) + m_block->used);
    m_block->used += rowSize;
    ++m_block->live;
    row->block = m_block;
    return row;
}

void RowArena::close() {
    if (!m_block)
        return;
    m_block->open = false;
    if (m_block->live == 0)
        freeBlock(m_block);
    m_block = nullptr;
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

quint64 takeSerials(quint64 count) {
    return g_serial.fetch_add(count, std::memory_order_relaxed);
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

RowData* allocRow(TableSchema& schema, RowArena& arena, quint64 serial) {
    RowData* row = arena.carve(schema.rowSize());
    row->serial = serial;
    row->pending = 0;
    if (!schema.nestedFields.empty()) {
        uchar* b = row->bytes();
        for (int f : schema.nestedFields) {
            auto* list = new RowList(schema.nested[size_t(f)].get());
            retain(list);
            setCell<RowList*>(schema, b, f, list);
        }
    }
    ++schema.liveRows;
    return row;
}

RowData* allocRow(TableSchema& schema) {
    return allocRow(schema, schema.arena, nextSerial());
}

void countTexts(TableSchema& schema, const uchar* b, int delta) {
    // Only the text fields that have a value: their bits in the null bits.
    const uchar* bits = b + schema.nullOffset;
    for (size_t j = 0; j < schema.textMask.size(); ++j) {
        for (unsigned m = bits[j] & schema.textMask[j]; m != 0; m &= m - 1) {
            const quint32 id = cell<quint32>(schema, b, int(j * 8) + std::countr_zero(m));
            if (delta > 0)
                schema.pool.use(id);
            else
                schema.pool.unuse(id);
        }
    }
}

void freeRow(TableSchema& schema, RowData* row) {
    if (!row)
        return;
    countTexts(schema, row->bytes(), -1);
    for (int f : schema.nestedFields)
        release(nestedList(schema, row->bytes(), f));
    --schema.liveRows;
    RowBlock* block = row->block;
    if (--block->live == 0 && !block->open)
        freeBlock(block);
}

void freeRows(TableSchema& schema, std::vector<RowData*>& rows) {
    std::vector<RowData*> doomed;
    doomed.swap(rows);
    if (!schema.nestedFields.empty()) {
        for (RowData* r : doomed)
            freeRow(schema, r);
        return;
    }
    // Rows without nested tables only give their place back to their block.
    for (RowData* r : doomed) {
        if (!r)
            continue;
        countTexts(schema, r->bytes(), -1);
        RowBlock* block = r->block;
        if (--block->live == 0 && !block->open)
            freeBlock(block);
    }
    schema.liveRows -= qint64(doomed.size());
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
