#pragma once
// Private storage of the dataset engine: the table schema with its row layout, the shared
// string pool, rows and row lists. Only the engine's own sources include this header.
//
// A row is a 16-byte header followed by the cells of its fields, laid out by width (8-byte
// cells first, then 4-byte, then 1-byte) and closed by one "has a value" bit per field.
// Zeroed memory is therefore a row whose fields are all null. Text cells hold the id of the
// text in their table's StringPool, so equal texts are stored once. A Nested cell holds the
// RowList of the detail rows under that row (the row owns a reference to it).
//
// Rows are carved one after the other from blocks of one table's rows (RowArena): a
// register of a million rows takes a few thousand allocations, not a million. A block is
// freed when its last row is freed and no arena carves from it any more; the space of a
// row freed earlier is not reused.

#include "platform/dataset.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <array>
#include <atomic>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

// Texts of one table's fields, each stored once. Ids are never reused or removed, so a
// cell's id stays readable for as long as any row (or clone cursor) can reach it.
class StringPool {
public:
    StringPool() {
        m_strings.emplace_back();
        m_uses.push_back(0);
        m_ids.insert(QString(), 0);
    }
    quint32 intern(const QString& s) {
        if (s.isEmpty())
            return 0;
        // A text stored a moment ago is most often stored again from the same shared data
        // (a default, a label): found by its address, checked by its content, not hashed.
        Recent& recent = m_recent[(quintptr(s.constData()) >> 4) % kRecent];
        if (recent.data == s.constData() && recent.id < m_strings.size() && m_strings[recent.id] == s)
            return recent.id;
        auto it = m_ids.constFind(s);
        quint32 id;
        if (it != m_ids.constEnd()) {
            id = it.value();
        } else {
            id = quint32(m_strings.size());
            m_strings.push_back(s);
            m_uses.push_back(0);
            m_ids.insert(s, id);
        }
        recent = {s.constData(), id};
        return id;
    }
    const QString& at(quint32 id) const { return id < m_strings.size() ? m_strings[id] : m_strings[0]; }

    // How many stored rows hold each text, kept as rows are posted, loaded and freed: a save
    // writes the texts in use without a pass over the rows to find them.
    void use(quint32 id) {
        if (id != 0 && id < m_uses.size())
            ++m_uses[id];
    }
    void unuse(quint32 id) {
        if (id != 0 && id < m_uses.size() && m_uses[id] > 0)
            --m_uses[id];
    }
    bool inUse(quint32 id) const { return id < m_uses.size() && m_uses[id] > 0; }
    quint32 size() const { return quint32(m_strings.size()); }
    void reserve(qsizetype n) {
        m_strings.reserve(size_t(n));
        m_ids.reserve(n);
    }
    // Forgets every text added since size() was `mark`. Only for texts no row can reach:
    // those of a file that was refused while it was being read.
    void rollBack(quint32 mark) {
        if (mark == 0 || mark >= size())
            return;
        for (size_t id = mark; id < m_strings.size(); ++id)
            m_ids.remove(m_strings[id]);
        m_strings.resize(mark);
        m_strings.shrink_to_fit();
        m_uses.resize(mark);
        m_uses.shrink_to_fit();
        m_ids.squeeze();
    }

private:
    struct Recent {
        const QChar* data = nullptr;
        quint32 id = 0;
    };
    static constexpr size_t kRecent = 64;

    std::vector<QString> m_strings;
    std::vector<quint32> m_uses;
    QHash<QString, quint32> m_ids;
    std::array<Recent, kRecent> m_recent{};
};

struct RowData;

// One block of rows; its rows follow the header.
struct RowBlock {
    quint32 live = 0;     // rows carved from it and not freed yet
    quint32 used = 0;     // bytes carved
    quint32 capacity = 0; // bytes after the header
    bool open = true;     // an arena still carves rows from it
};

// Carves zeroed rows of one size from blocks.
class RowArena {
public:
    RowArena() = default;
    RowArena(const RowArena&) = delete;
    RowArena& operator=(const RowArena&) = delete;
    RowArena(RowArena&& other) noexcept : m_block(other.m_block), m_nextBytes(other.m_nextBytes) {
        other.m_block = nullptr;
    }
    ~RowArena() { close(); }

    RowData* carve(quint32 rowSize); // zeroed but for the header's block
    // Carves no more: the current block goes when its last row does.
    void close();

private:
    RowBlock* m_block = nullptr;
    quint32 m_nextBytes = 0; // the size of the block before
};

struct FieldLayout {
    QString name;
    FieldType type = FieldType::String;
    int size = 0;
    quint32 offset = 0;
    // What a register file may hold here (see Field::setFileDomain and the others).
    QStringList fileDomain;
    qint32 fileMin = std::numeric_limits<qint32>::min();
    qint32 fileMax = std::numeric_limits<qint32>::max();
    std::function<QString(const QString&)> fileRepair;
    bool hasFileRules() const {
        return !fileDomain.isEmpty() || fileMin != std::numeric_limits<qint32>::min() ||
               fileMax != std::numeric_limits<qint32>::max();
    }
};

// The field list and row layout of one table, shared by the table, its clone cursors and
// the Nested field of its master table.
struct TableSchema {
    QString name;
    std::vector<FieldLayout> fields;
    std::vector<std::shared_ptr<TableSchema>> nested; // per field; set for Nested fields only
    std::vector<int> nestedFields;                    // indexes of the Nested fields
    std::vector<int> textFields;                      // indexes of the String and Memo fields
    std::vector<quint8> textMask;                     // per null-bits byte: its text fields
    quint32 rowBytes = 0;                             // cells + null bits
    quint32 nullOffset = 0;
    StringPool pool;
    qint64 liveRows = 0;      // rows of this layout in memory; the layout may change only at zero
    quint32 fileRowLimit = 0; // most rows one row list may hold in a register file; 0: any
    RowArena arena;           // where rows added one at a time come from

    void layOut();
    quint32 rowSize() const; // header and cells, rounded to 8 bytes
};

struct RowList;

struct RowData {
    quint64 serial : 63;
    quint64 pending : 1; // inserted by a cursor that has not posted it yet (not saved)
    RowBlock* block;     // the block the row was carved from

    uchar* bytes() { return reinterpret_cast<uchar*>(this + 1); }
    const uchar* bytes() const { return reinterpret_cast<const uchar*>(this + 1); }
};
static_assert(sizeof(RowData) == 16);

// The rows of one table (a root table's rows, or the nested rows under one master row).
// Reference counted: held by its master row's cell, by every cursor bound to it and, for a
// root table, by the table itself. Owns its rows.
struct RowList {
    std::vector<RowData*> rows;
    quint64 version = 1; // bumped by every change of the rows or of their values
    int refs = 0;
    TableSchema* schema = nullptr;

    explicit RowList(TableSchema* s) : schema(s) {}
    RowList(const RowList&) = delete;
    RowList& operator=(const RowList&) = delete;
    ~RowList();
};

namespace datastore {

quint64 nextSerial();
quint64 takeSerials(quint64 count);     // the first of `count` serials in a row
RowData* allocRow(TableSchema& schema); // all fields null, nested lists empty
// The same from `arena` with the given serial (a load carves its rows from arenas of its own).
RowData* allocRow(TableSchema& schema, RowArena& arena, quint64 serial);
void freeRow(TableSchema& schema, RowData* row); // with its nested rows
void freeRows(TableSchema& schema, std::vector<RowData*>& rows);
// Counts the texts of a stored row in (+1) or out (-1) of their table's pool.
void countTexts(TableSchema& schema, const uchar* b, int delta);

inline void retain(RowList* list) {
    if (list)
        ++list->refs;
}
inline void release(RowList* list) {
    if (list && --list->refs == 0)
        delete list;
}

inline bool hasValue(const TableSchema& s, const uchar* b, int field) {
    return (b[s.nullOffset + quint32(field) / 8] >> (field % 8)) & 1;
}
inline void setHasValue(const TableSchema& s, uchar* b, int field, bool on) {
    uchar& byte = b[s.nullOffset + quint32(field) / 8];
    const uchar bit = uchar(1u << (field % 8));
    byte = on ? uchar(byte | bit) : uchar(byte & ~bit);
}

template <typename T> inline T cell(const TableSchema& s, const uchar* b, int field) {
    T v;
    std::memcpy(&v, b + s.fields[size_t(field)].offset, sizeof(T));
    return v;
}
template <typename T> inline void setCell(const TableSchema& s, uchar* b, int field, T v) {
    std::memcpy(b + s.fields[size_t(field)].offset, &v, sizeof(T));
}

inline RowList* nestedList(const TableSchema& s, const uchar* b, int field) {
    return cell<RowList*>(s, b, field);
}

// Cell width of a field type in bytes.
int cellWidth(FieldType type);

// Date-times are kept as local wall-clock milliseconds counted from the Julian day 0, so a
// register shows the same times on every machine and in every time zone.
qint64 encodeDateTime(const QDateTime& dt);
QDateTime decodeDateTime(qint64 v);

} // namespace datastore
