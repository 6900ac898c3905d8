// The register file: the whole tree of a root table (its rows with every nested row) in one
// binary file. The layout is described byte by byte in docs/register-format.md.
//
// Writing goes through AtomicSave, so the old file stays whole until the new one is complete.
// Reading trusts nothing: every length is checked against the bytes left, counts are bounded
// by what the remaining bytes could hold, the payload's CRC-32 must match, and the rows are
// built in new storage that replaces the table's rows only once the whole file has been read.

#include "platform/atomicsave.h"
#include "platform/dataset.h"
#include "platform/datasetprivate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <array>
#include <bit>
#include <cerrno>
#include <cstring>
#include <new>

#include <zlib.h>

namespace {

constexpr char kMagic[8] = {'T', 'B', 'N', 'R', 'E', 'G', '\0', '\x01'};
constexpr quint32 kFormatVersion = 1;
constexpr int kHeaderSize = 32;
constexpr quint32 kMaxTables = 256;
constexpr quint32 kMaxFields = 4096;
constexpr quint32 kMaxNameBytes = 1024;
constexpr qint64 kMaxFileSize = qint64(4) << 30;
constexpr size_t kFlushBytes = size_t(4) << 20;
constexpr size_t kReadChunk = size_t(1) << 20;
constexpr quint64 kCheckFirstBytes = quint64(4) << 20; // a register this large is not doubled on load
// The memory the rows and texts of a file may take, worked out from the file's counts before
// anything is built: no more than kMaxRowMemory, and no more than kMemoryPerFileByte for each
// byte of the file plus kMemoryFloor. Registers the program writes take a few bytes of memory
// for each byte of file; a file of empty rows, which take a byte or two each, would take tens.
constexpr quint64 kMaxRowMemory = quint64(2) << 30;
constexpr quint64 kMemoryPerFileByte = 32;
constexpr quint64 kMemoryFloor = quint64(16) << 20;
constexpr quint64 kListBytes = sizeof(void*) * 8; // a nested row list, with its allocation's overhead
constexpr quint64 kTextBytes = 96;                // a text in the pool, besides its characters

// ---------------------------------------------------------------- CRC-32 (IEEE 802.3)

// zlib's CRC-32: the polynomial, initial value and final XOR the format names. Continues a
// CRC over more bytes: crcOf(b, n, crcOf(a, m)) is the CRC of a followed by b.
quint32 crcOf(const uchar* p, size_t n, quint32 previous = 0) {
    while (n > 0) {
        const uInt piece = uInt(std::min<size_t>(n, size_t(1) << 30));
        previous = quint32(::crc32(previous, p, piece));
        p += piece;
        n -= piece;
    }
    return previous;
}

// Values are stored little-endian, the byte order of every machine the program runs on;
// a big-endian build would need swaps here.
static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the register file is little-endian");

// ---------------------------------------------------------------- writing

class Out {
public:
    void need(size_t k) {
        if (m_n + k > m_data.size())
            m_data.resize(std::max(m_data.size() * 2, m_n + k + 4096));
    }
    template <typename T> void put(T v) {
        need(sizeof(T));
        std::memcpy(m_data.data() + m_n, &v, sizeof(T));
        m_n += sizeof(T);
    }
    void bytes(const void* p, size_t k) {
        need(k);
        std::memcpy(m_data.data() + m_n, p, k);
        m_n += k;
    }
    void text(const QString& s) {
        const QByteArray u = s.toUtf8();
        put<quint32>(quint32(u.size()));
        bytes(u.constData(), size_t(u.size()));
    }
    // Unchecked writes after need().
    template <typename T> void raw(T v) {
        std::memcpy(m_data.data() + m_n, &v, sizeof(T));
        m_n += sizeof(T);
    }
    const uchar* data() const { return reinterpret_cast<const uchar*>(m_data.data()); }
    size_t size() const { return m_n; }
    void clear() { m_n = 0; }

private:
    std::string m_data;
    size_t m_n = 0;
};

struct Writer {
    std::vector<TableSchema*> tables;        // depth-first, the root first
    std::vector<std::vector<quint32>> remap; // per table: pool id -> file string number
    std::vector<std::vector<quint32>> used;  // per table: pool ids in file order
    Out rows;

    int collect(TableSchema* s) {
        const int index = int(tables.size());
        tables.push_back(s);
        for (int f : s->nestedFields)
            collect(s->nested[size_t(f)].get());
        return index;
    }

    void writeSchema(Out& out) const {
        out.put<quint32>(quint32(tables.size()));
        for (size_t t = 0; t < tables.size(); ++t) {
            const TableSchema* s = tables[t];
            out.text(s->name);
            out.put<quint32>(quint32(s->fields.size()));
            for (size_t f = 0; f < s->fields.size(); ++f) {
                const FieldLayout& fl = s->fields[f];
                out.text(fl.name);
                out.put<quint8>(quint8(fl.type));
                out.put<quint32>(quint32(fl.size));
                if (fl.type == FieldType::Nested) {
                    const TableSchema* child = s->nested[f].get();
                    out.put<quint32>(
                        quint32(std::find(tables.begin(), tables.end(), child) - tables.begin()));
                }
            }
        }
    }

    void writeStrings(Out& out) const {
        for (size_t t = 0; t < tables.size(); ++t) {
            out.put<quint32>(quint32(used[t].size()));
            for (quint32 id : used[t])
                out.text(tables[t]->pool.at(id));
        }
    }

    // Writes the rows into `rows`; at the top level `flush` empties the buffer now and then,
    // so a register of any size needs only a few megabytes besides its rows.
    void writeList(const std::vector<RowData*>& list, int table, const std::function<void()>& flush = {}) {
        const TableSchema& s = *tables[size_t(table)];
        quint32 count = 0;
        for (const RowData* r : list)
            count += r->pending ? 0 : 1;
        rows.put<quint32>(count);
        const size_t bitmap = (s.fields.size() + 7) / 8;
        const size_t rowMax = bitmap + s.fields.size() * 8;
        const auto& map = remap[size_t(table)];
        for (const RowData* r : list) {
            if (r->pending)
                continue; // inserted but not posted
            const uchar* b = r->bytes();
            rows.need(rowMax);
            rows.bytes(b + s.nullOffset, bitmap);
            int nestedSeen = 0;
            for (size_t f = 0; f < s.fields.size(); ++f) {
                const int fi = int(f);
                const FieldType type = s.fields[f].type;
                if (type == FieldType::Nested) {
                    writeList(datastore::nestedList(s, b, fi)->rows, childIndex(table, nestedSeen++));
                    rows.need(rowMax);
                    continue;
                }
                if (!datastore::hasValue(s, b, fi))
                    continue;
                switch (type) {
                case FieldType::Integer:
                    rows.raw(datastore::cell<qint32>(s, b, fi));
                    break;
                case FieldType::Boolean:
                    rows.raw(quint8(datastore::cell<quint8>(s, b, fi) ? 1 : 0));
                    break;
                case FieldType::Float:
                    rows.raw(datastore::cell<double>(s, b, fi));
                    break;
                case FieldType::DateTime:
                    rows.raw(datastore::cell<qint64>(s, b, fi));
                    break;
                case FieldType::String:
                case FieldType::Memo: {
                    const quint32 id = datastore::cell<quint32>(s, b, fi);
                    const quint32 number = id < map.size() ? map[id] : 0;
                    if (number == 0 && id != 0) // never a text lost without a word
                        throw DataSetError(
                            QStringLiteral("tabella '%1': un testo di una riga non risulta in uso")
                                .arg(s.name));
                    rows.raw(number);
                    break;
                }
                case FieldType::Nested:
                    break;
                }
            }
            if (flush && rows.size() >= kFlushBytes)
                flush();
        }
    }

    std::vector<std::vector<int>> children; // per table: file index of each nested field's table
    int childIndex(int table, int nth) const { return children[size_t(table)][size_t(nth)]; }

    void prepare() {
        children.resize(tables.size());
        remap.resize(tables.size());
        used.resize(tables.size());
        for (size_t t = 0; t < tables.size(); ++t) {
            const TableSchema* s = tables[t];
            for (int f : s->nestedFields)
                children[t].push_back(int(
                    std::find(tables.begin(), tables.end(), s->nested[size_t(f)].get()) - tables.begin()));
            // The texts in use (counted as rows change), numbered in pool order: the file
            // holds each once and none of the pool's stale ones, found without a pass over
            // the rows.
            remap[t].assign(s->pool.size(), 0);
            for (quint32 id = 1; id < s->pool.size(); ++id) {
                if (s->pool.inUse(id)) {
                    used[t].push_back(id);
                    remap[t][id] = quint32(used[t].size());
                }
            }
        }
    }
};

// ---------------------------------------------------------------- reading

struct Damaged {
    QString why;
};

// A value a field may not hold (see Field::setFileDomain).
struct Refused {
    QString why;
};

// Control characters of a text: none, only tabs and line breaks (a Memo's own), or others.
enum TextControls : quint8 { NoControls, LineControls, OtherControls };

TextControls controlsOf(const QString& text) {
    TextControls found = NoControls;
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (u >= 0x20 && (u < 0x7F || u > 0x9F))
            continue;
        if (u == '\t' || u == '\n' || u == '\r')
            found = LineControls;
        else
            return OtherControls;
    }
    return found;
}

// A file whose rows would take more memory than the bound allows.
struct TooLarge {
    quint64 needed;
    quint64 allowed;
};

// Reads the payload from the file a chunk at a time, keeping the CRC of what it read.
class In {
public:
    In(QIODevice& device, quint64 payloadSize, bool withCrc = true)
        : m_device(device), m_left(payloadSize), m_withCrc(withCrc) {}
    quint64 left() const { return m_left; } // payload bytes not yet taken
    quint32 crc() const { return m_crc; }
    void need(size_t k) {
        if (m_left < k)
            throw Damaged{QStringLiteral("finisce troppo presto")};
        if (m_end - m_pos < k)
            fill(k);
    }
    template <typename T> T get() {
        need(sizeof(T));
        T v;
        std::memcpy(&v, m_buf.data() + m_pos, sizeof(T));
        m_pos += sizeof(T);
        m_left -= sizeof(T);
        return v;
    }
    // The next k bytes, left in place.
    const uchar* peek(size_t k) {
        need(k);
        return m_buf.data() + m_pos;
    }
    const uchar* take(size_t k) {
        need(k);
        const uchar* at = m_buf.data() + m_pos;
        m_pos += k;
        m_left -= k;
        return at;
    }
    QString text(quint64 maxBytes) {
        const quint32 n = get<quint32>();
        if (n > maxBytes || n > m_left)
            throw Damaged{QStringLiteral("un testo è troppo lungo")};
        const uchar* at = take(n);
        const QByteArrayView bytes(reinterpret_cast<const char*>(at), qsizetype(n));
        if (!bytes.isValidUtf8())
            throw Damaged{QStringLiteral("un testo non è in UTF-8 valido")};
        return QString::fromUtf8(bytes);
    }
    // A count of items of at least `minBytes` each: never more than the bytes left allow.
    quint32 count(size_t minBytes) {
        const quint32 n = get<quint32>();
        if (minBytes > 0 && n > m_left / minBytes)
            throw Damaged{QStringLiteral("un conteggio supera i dati presenti")};
        return n;
    }

private:
    void fill(size_t k) {
        const size_t buffered = m_end - m_pos;
        if (buffered > 0)
            std::memmove(m_buf.data(), m_buf.data() + m_pos, buffered);
        m_pos = 0;
        m_end = buffered;
        // A chunk, or the whole payload when it is smaller.
        const size_t chunk = std::max(k, size_t(std::min<quint64>(kReadChunk, m_left)));
        if (m_buf.size() < chunk)
            m_buf.resize(chunk);
        // Never past the payload: m_left counts the buffered bytes too.
        size_t toRead = size_t(std::min<quint64>(m_buf.size() - m_end, m_left - buffered));
        while (m_end < k) {
            const qint64 got = m_device.read(reinterpret_cast<char*>(m_buf.data() + m_end), qint64(toRead));
            if (got <= 0)
                throw Damaged{QStringLiteral("finisce troppo presto")};
            if (m_withCrc)
                m_crc = crcOf(m_buf.data() + m_end, size_t(got), m_crc);
            m_end += size_t(got);
            toRead -= size_t(got);
        }
    }

    QIODevice& m_device;
    std::vector<uchar> m_buf;
    size_t m_pos = 0;
    size_t m_end = 0;
    quint64 m_left;
    bool m_withCrc;
    quint32 m_crc = 0;
};

struct FileField {
    QString name;
    quint8 type = 0;
    quint32 size = 0;
    quint32 child = 0;
};

struct FileTable {
    QString name;
    std::vector<FileField> fields;
};

struct Reader {
    // Per table, per file text number: its length and its control characters.
    struct TextFacts {
        std::vector<quint32> length;
        std::vector<quint8> controls;
    };
    std::vector<TextFacts> facts;
    quint32 installation = 0;     // the root row being read, from 1
    QString installationName;     // its first text
    QHash<quint64, quint32> kept; // (table, field, text number) -> the repaired text's pool id
    QStringList repairs;
    int repairCount = 0;

    std::vector<FileTable> file;
    std::vector<TableSchema*> tables;          // the table in memory for each file table
    std::vector<std::vector<quint32>> strings; // per table: file string number -> pool id
    std::vector<std::vector<int>> children;

    void readSchema(In& in) {
        const quint32 n = in.count(8);
        if (n == 0 || n > kMaxTables)
            throw Damaged{QStringLiteral("numero di tabelle non valido")};
        file.resize(n);
        std::vector<bool> referenced(n, false);
        for (quint32 t = 0; t < n; ++t) {
            FileTable& ft = file[t];
            ft.name = in.text(kMaxNameBytes);
            const quint32 fields = in.count(9);
            if (fields == 0 || fields > kMaxFields)
                throw Damaged{QStringLiteral("numero di campi non valido")};
            ft.fields.resize(fields);
            for (FileField& ff : ft.fields) {
                ff.name = in.text(kMaxNameBytes);
                ff.type = in.get<quint8>();
                ff.size = in.get<quint32>();
                if (ff.type > quint8(FieldType::Nested))
                    throw Damaged{QStringLiteral("tipo di campo sconosciuto %1").arg(ff.type)};
                if (ff.type == quint8(FieldType::Nested)) {
                    ff.child = in.get<quint32>();
                    if (ff.child <= t || ff.child >= n || referenced[ff.child])
                        throw Damaged{QStringLiteral("tabelle annidate in modo non valido")};
                    referenced[ff.child] = true;
                }
            }
        }
        for (quint32 t = 1; t < n; ++t)
            if (!referenced[t])
                throw Damaged{QStringLiteral("una tabella non è annidata in nessun'altra")};
    }

    // A field's type and size as a message names them: "un testo di 30 caratteri".
    static QString fieldKind(quint8 type, quint32 size) {
        QString kind;
        switch (FieldType(type)) {
        case FieldType::String:
            return QStringLiteral("un testo di %1 caratteri").arg(size);
        case FieldType::Integer:
            kind = QStringLiteral("un intero");
            break;
        case FieldType::Boolean:
            kind = QStringLiteral("un valore sì/no");
            break;
        case FieldType::Float:
            kind = QStringLiteral("un numero decimale");
            break;
        case FieldType::DateTime:
            kind = QStringLiteral("una data con ora");
            break;
        case FieldType::Memo:
            kind = QStringLiteral("un testo libero");
            break;
        case FieldType::Nested:
            kind = QStringLiteral("una tabella annidata");
            break;
        }
        return size == 0 ? kind : QStringLiteral("%1 di dimensione %2").arg(kind).arg(size);
    }

    // Empty when the file's tables are those in memory, else what differs.
    QString match(quint32 t, TableSchema* s) {
        const FileTable& ft = file[t];
        if (ft.name != s->name)
            return QStringLiteral("tabella '%1' invece di '%2'").arg(ft.name, s->name);
        if (ft.fields.size() != s->fields.size())
            return QStringLiteral("la tabella '%1' ha %2 campi invece di %3")
                .arg(s->name)
                .arg(ft.fields.size())
                .arg(s->fields.size());
        tables[t] = s;
        for (size_t f = 0; f < ft.fields.size(); ++f) {
            const FileField& ff = ft.fields[f];
            const FieldLayout& fl = s->fields[f];
            if (ff.name != fl.name)
                return QStringLiteral("il campo %1 della tabella '%2' è '%3' invece di '%4'")
                    .arg(f + 1)
                    .arg(s->name, ff.name, fl.name);
            if (ff.type != quint8(fl.type) || ff.size != quint32(fl.size))
                return QStringLiteral("il campo %1 della tabella '%2' ('%3') nel file è %4 invece di %5")
                    .arg(f + 1)
                    .arg(s->name, fl.name, fieldKind(ff.type, ff.size),
                         fieldKind(quint8(fl.type), quint32(fl.size)));
            if (fl.type == FieldType::Nested) {
                children[t].push_back(int(ff.child));
                const QString why = match(ff.child, s->nested[f].get());
                if (!why.isEmpty())
                    return why;
            }
        }
        return QString();
    }

    void readStrings(In& in) {
        strings.resize(file.size());
        for (size_t t = 0; t < file.size(); ++t) {
            const quint32 n = in.count(4);
            auto& ids = strings[t];
            ids.reserve(size_t(n) + 1);
            ids.push_back(0);
            TextFacts& tf = facts.emplace_back();
            tf.length.reserve(size_t(n) + 1);
            tf.controls.reserve(size_t(n) + 1);
            tf.length.push_back(0);
            tf.controls.push_back(NoControls);
            StringPool& pool = tables[t]->pool;
            for (quint32 i = 0; i < n; ++i) {
                const QString text = in.text(in.left());
                spend(kTextBytes + quint64(text.size()) * 2);
                tf.length.push_back(quint32(text.size()));
                tf.controls.push_back(controlsOf(text));
                ids.push_back(pool.intern(text));
            }
        }
    }

    // What reading one table's rows needs, worked out once per load.
    struct TableShape {
        std::vector<quint8> valueBytes; // per null-bits byte and value: bytes the set fields take
        std::vector<quint8> checked;    // per null-bits byte: the fields whose values are checked
        bool domains = false;           // a field must hold one of a list of texts
        RowArena arena;                 // the load's rows of this table, freed as blocks
    };
    std::vector<TableShape> shapes;

    void prepareShapes() {
        shapes.resize(tables.size());
        for (size_t t = 0; t < tables.size(); ++t) {
            const TableSchema& s = *tables[t];
            if (!s.nestedFields.empty())
                continue; // read field by field
            const size_t bitmap = (s.fields.size() + 7) / 8;
            auto& sizes = shapes[t].valueBytes;
            sizes.assign(bitmap * 256, 0);
            auto& checked = shapes[t].checked;
            checked.assign(bitmap, 0);
            for (const FieldLayout& fl : s.fields)
                shapes[t].domains = shapes[t].domains || !fl.fileDomain.isEmpty();
            for (size_t f = 0; f < s.fields.size(); ++f) {
                const FieldType type = s.fields[f].type;
                if (type == FieldType::Boolean || type == FieldType::String || type == FieldType::Memo ||
                    s.fields[f].hasFileRules())
                    checked[f / 8] = quint8(checked[f / 8] | (1u << (f % 8)));
            }
            for (size_t j = 0; j < bitmap; ++j)
                for (int bits = 0; bits < 256; ++bits)
                    for (int k = 0; k < 8; ++k)
                        if ((bits >> k) & 1 && j * 8 + size_t(k) < s.fields.size())
                            sizes[j * 256 + size_t(bits)] +=
                                quint8(valueSize(s.fields[j * 8 + size_t(k)].type));
        }
    }

    static int valueSize(FieldType type) {
        switch (type) {
        case FieldType::Boolean:
            return 1;
        case FieldType::Float:
        case FieldType::DateTime:
            return 8;
        case FieldType::Nested:
            return 0;
        default:
            return 4;
        }
    }

    quint32 rowCount(In& in, const TableSchema& s, size_t bitmap) {
        const quint32 n = in.count(bitmap);
        if (s.fileRowLimit != 0 && n > s.fileRowLimit)
            throw Damaged{QStringLiteral("%1 righe nella tabella '%2', che ne contiene al massimo %3")
                              .arg(n)
                              .arg(s.name)
                              .arg(s.fileRowLimit)};
        return n;
    }

    // Build: the rows are made into `out`. Otherwise every check is made and nothing is
    // built: a load over a large register first proves the file good this way, so that the
    // old rows can go before the new ones are made.
    template <bool Build> void readList(In& in, int table, std::vector<RowData*>* out) {
        if (tables[size_t(table)]->nestedFields.empty())
            readLeafList<Build>(in, table, out);
        else
            readMasterList<Build>(in, table, out);
    }

    // ---- values checked against their field's rules ----

    QString where(const TableSchema& s, const FieldLayout& fl) const {
        const QString who =
            installationName.isEmpty()
                ? QStringLiteral("installazione %1").arg(installation)
                : QStringLiteral("installazione %1 (%2)").arg(installation).arg(shown(installationName));
        return QStringLiteral("%1, tabella '%2', campo '%3'").arg(who, s.name, fl.name);
    }
    // A text quoted in a message: its first 40 characters, a control character shown as '?'.
    static QString shown(const QString& text) {
        QString part = text.size() > 40 ? text.left(40) + QStringLiteral("...") : text;
        for (QChar& c : part)
            if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F))
                c = QLatin1Char('?');
        return QLatin1Char('"') + part + QLatin1Char('"');
    }
    // A check-only read: refuses a value outside the field's domain or range.
    void checkText(const TableSchema& s, const FieldLayout& fl, const QString& text) const {
        if (!fl.fileDomain.isEmpty() && !fl.fileDomain.contains(text))
            throw Refused{QStringLiteral("%1: %2 non è uno dei valori ammessi per il campo")
                              .arg(where(s, fl), shown(text))};
    }
    void checkInteger(const TableSchema& s, const FieldLayout& fl, qint32 v) const {
        if (v < fl.fileMin || v > fl.fileMax)
            throw Refused{QStringLiteral("%1: %2 è fuori dall'intervallo %3..%4")
                              .arg(where(s, fl))
                              .arg(v)
                              .arg(fl.fileMin)
                              .arg(fl.fileMax)};
    }
    void checkNulls(const TableSchema& s, const uchar* b) const {
        for (const FieldLayout& fl : s.fields)
            if (!fl.fileDomain.isEmpty() && !datastore::hasValue(s, b, int(&fl - s.fields.data())))
                checkText(s, fl, QString());
    }
    // The pool id a text cell keeps: the file's text, or its repaired form.
    quint32 keptText(int table, TableSchema& s, int field, quint32 number) {
        const FieldLayout& fl = s.fields[size_t(field)];
        const TextFacts& tf = facts[size_t(table)];
        const quint32 id = strings[size_t(table)][number];
        const bool suspect = (fl.size > 0 && tf.length[number] > quint32(fl.size)) ||
                             tf.controls[number] == OtherControls ||
                             (tf.controls[number] == LineControls && fl.type == FieldType::String) ||
                             (fl.fileRepair && number != 0);
        if (!suspect)
            return id;
        const quint64 key = (quint64(table) << 48) | (quint64(field) << 32) | number;
        auto it = kept.constFind(key);
        const quint32 keep =
            it != kept.constEnd() ? it.value() : kept.insert(key, repaired(s, fl, id)).value();
        if (keep != id)
            noteRepair(s, fl, s.pool.at(id), s.pool.at(keep));
        return keep;
    }
    quint32 repaired(TableSchema& s, const FieldLayout& fl, quint32 id) {
        const QString text = fitted(s.pool.at(id), fl);
        return text == s.pool.at(id) ? id : s.pool.intern(text);
    }
    // A text as its field may hold it: without control characters (a Memo keeps its tabs and
    // line breaks), put right by the field's own repair, and no longer than the field.
    static QString fitted(QString text, const FieldLayout& fl) {
        const bool memo = fl.type == FieldType::Memo;
        text.removeIf([memo](QChar c) {
            const ushort u = c.unicode();
            if (u >= 0x20 && (u < 0x7F || u > 0x9F))
                return false;
            return !(memo && (u == '\t' || u == '\n' || u == '\r'));
        });
        if (fl.fileRepair && !text.isEmpty())
            text = fl.fileRepair(text);
        if (fl.size > 0 && text.size() > fl.size) {
            text.truncate(fl.size);
            if (text.back().isHighSurrogate())
                text.chop(1);
        }
        return text;
    }
    void noteRepair(const TableSchema& s, const FieldLayout& fl, const QString& was, const QString& now) {
        constexpr int kShownRepairs = 20;
        if (++repairCount <= kShownRepairs)
            repairs << QStringLiteral("%1: %2 corretto in %3").arg(where(s, fl), shown(was), shown(now));
    }

    quint64 bytesChecked = 0; // what the texts and rows of the file take in memory
    quint64 memoryAllowed = kMaxRowMemory;

    void spend(quint64 bytes) {
        bytesChecked += bytes;
        if (bytesChecked > memoryAllowed)
            throw TooLarge{bytesChecked, memoryAllowed};
    }
    static quint64 rowMemory(const TableSchema& s) {
        return s.rowSize() + sizeof(RowData*) + s.nestedFields.size() * kListBytes;
    }

    // The next row: a new one, or for a check-only read `scratch` cleared (a row list of
    // its own for each level, as a master row is still read after its nested rows).
    template <bool Build>
    uchar* newRow(TableSchema& s, TableShape& shape, quint64 serial, std::vector<RowData*>* out,
                  std::vector<uchar>& scratch) {
        if constexpr (Build) {
            RowData* row = datastore::allocRow(s, shape.arena, serial);
            out->push_back(row); // freed with the rest if the file proves damaged
            return row->bytes();
        } else {
            scratch.assign(s.rowBytes, 0);
            return scratch.data();
        }
    }

    struct ListStart {
        TableSchema& schema;
        TableShape& shape;
        size_t fields;
        size_t bitmap; // bytes of null bits
        quint32 rows;
        quint64 serial; // of the first row
    };
    template <bool Build> ListStart startList(In& in, int table, std::vector<RowData*>* out) {
        TableSchema& s = *tables[size_t(table)];
        const size_t bitmap = (s.fields.size() + 7) / 8;
        const quint32 n = rowCount(in, s, bitmap);
        if constexpr (Build)
            out->reserve(out->size() + n);
        else
            spend(quint64(n) * rowMemory(s)); // the check-only read counts what a load builds
        return {s, shapes[size_t(table)], s.fields.size(), bitmap, n, Build ? datastore::takeSerials(n) : 0};
    }

    // Rows without nested tables, most of a register: each row's bytes are taken at once
    // (the null bits say how many) and only the fields that have a value are visited.
    template <bool Build> void readLeafList(In& in, int table, std::vector<RowData*>* out) {
        auto [s, shape, nf, bitmap, n, serial] = startList<Build>(in, table, out);
        const auto& ids = strings[size_t(table)];
        const quint8* sizes = shape.valueBytes.data();
        const uchar strayMask = nf % 8 ? uchar(0xFF << (nf % 8)) : 0;
        std::vector<uchar> scratch;
        for (quint32 r = 0; r < n; ++r) {
            const uchar* bits = in.peek(bitmap);
            size_t size = bitmap;
            for (size_t j = 0; j < bitmap; ++j)
                size += sizes[j * 256 + bits[j]];
            const uchar* p = in.take(size);
            if (p[bitmap - 1] & strayMask)
                throw Damaged{QStringLiteral("bit dei valori nulli fuori posto")};
            if constexpr (!Build) {
                checkLeafRow(s, shape, p, bitmap, ids);
                continue;
            }
            uchar* b = newRow<Build>(s, shape, serial++, out, scratch);
            std::memcpy(b + s.nullOffset, p, bitmap);
            // Whatever the checks above let through, no bit past the last field is kept or
            // followed: the fields are only indexed by bits that name one.
            b[s.nullOffset + bitmap - 1] &= uchar(~strayMask);
            const uchar* v = p + bitmap;
            for (size_t j = 0; j < bitmap; ++j) {
                for (unsigned m = b[s.nullOffset + j]; m != 0; m &= m - 1) {
                    const FieldLayout& fl = s.fields[j * 8 + size_t(std::countr_zero(m))];
                    uchar* cell = b + fl.offset;
                    switch (fl.type) {
                    case FieldType::Boolean:
                        if (*v > 1)
                            throw Damaged{QStringLiteral("valore booleano non valido")};
                        *cell = *v++;
                        break;
                    case FieldType::Float:
                    case FieldType::DateTime:
                        std::memcpy(cell, v, 8);
                        v += 8;
                        break;
                    case FieldType::String:
                    case FieldType::Memo: {
                        quint32 number;
                        std::memcpy(&number, v, 4);
                        if (number >= ids.size())
                            throw Damaged{QStringLiteral("numero di testo non valido")};
                        const quint32 id = keptText(table, s, int(&fl - s.fields.data()), number);
                        std::memcpy(cell, &id, 4);
                        s.pool.use(id);
                        v += 4;
                        break;
                    }
                    default:
                        std::memcpy(cell, v, 4);
                        v += 4;
                        break;
                    }
                }
            }
        }
    }

    // The checks of one row, nothing built: only the Booleans and the text numbers have
    // values to check, found through the sizes of the fields before them.
    void checkLeafRow(const TableSchema& s, const TableShape& shape, const uchar* p, size_t bitmap,
                      const std::vector<quint32>& ids) {
        if (shape.domains) {
            std::vector<uchar> nulls(s.rowBytes, 0);
            std::memcpy(nulls.data() + s.nullOffset, p, bitmap);
            checkNulls(s, nulls.data());
        }
        const quint8* sizes = shape.valueBytes.data();
        size_t before = bitmap;
        for (size_t j = 0; j < bitmap; ++j) {
            const unsigned bits = p[j];
            for (unsigned m = bits & shape.checked[j]; m != 0; m &= m - 1) {
                const int k = std::countr_zero(m);
                const uchar* v = p + before + sizes[j * 256 + (bits & ((1u << k) - 1))];
                const FieldLayout& fl = s.fields[j * 8 + size_t(k)];
                if (fl.type == FieldType::Boolean) {
                    if (*v > 1)
                        throw Damaged{QStringLiteral("valore booleano non valido")};
                } else if (fl.type == FieldType::Integer) {
                    qint32 value;
                    std::memcpy(&value, v, 4);
                    checkInteger(s, fl, value);
                } else if (fl.type == FieldType::String || fl.type == FieldType::Memo) {
                    quint32 number;
                    std::memcpy(&number, v, 4);
                    if (number >= ids.size())
                        throw Damaged{QStringLiteral("numero di testo non valido")};
                    checkText(s, fl, s.pool.at(ids[number]));
                }
            }
            before += sizes[j * 256 + bits];
        }
    }

    template <bool Build> void readMasterList(In& in, int table, std::vector<RowData*>* out) {
        auto [s, shape, nf, bitmap, n, serial] = startList<Build>(in, table, out);
        const auto& ids = strings[size_t(table)];
        const auto& kids = children[size_t(table)];
        std::vector<uchar> scratch;
        for (quint32 r = 0; r < n; ++r) {
            uchar* b = newRow<Build>(s, shape, serial++, out, scratch);
            const uchar* bits = in.take(bitmap);
            std::memcpy(b + s.nullOffset, bits, bitmap);
            if (nf % 8 && (bits[bitmap - 1] >> (nf % 8)))
                throw Damaged{QStringLiteral("bit dei valori nulli fuori posto")};
            if (table == 0) {
                installation = r + 1;
                installationName.clear();
            }
            if constexpr (!Build)
                checkNulls(s, b);
            int nestedSeen = 0;
            for (size_t f = 0; f < nf; ++f) {
                const int fi = int(f);
                const FieldType type = s.fields[f].type;
                if (type == FieldType::Nested) {
                    if (datastore::hasValue(s, b, fi))
                        throw Damaged{QStringLiteral("bit dei valori nulli fuori posto")};
                    const int kid = kids[size_t(nestedSeen++)];
                    if constexpr (Build)
                        readList<true>(in, kid, &datastore::nestedList(s, b, fi)->rows);
                    else
                        readList<false>(in, kid, nullptr);
                    continue;
                }
                if (!datastore::hasValue(s, b, fi))
                    continue;
                switch (type) {
                case FieldType::Integer: {
                    const qint32 v = in.get<qint32>();
                    if constexpr (!Build)
                        checkInteger(s, s.fields[f], v);
                    datastore::setCell(s, b, fi, v);
                    break;
                }
                case FieldType::Boolean: {
                    const quint8 v = in.get<quint8>();
                    if (v > 1)
                        throw Damaged{QStringLiteral("valore booleano non valido")};
                    datastore::setCell(s, b, fi, v);
                    break;
                }
                case FieldType::Float:
                    datastore::setCell(s, b, fi, in.get<double>());
                    break;
                case FieldType::DateTime:
                    datastore::setCell(s, b, fi, in.get<qint64>());
                    break;
                case FieldType::String:
                case FieldType::Memo: {
                    const quint32 number = in.get<quint32>();
                    if (number >= ids.size())
                        throw Damaged{QStringLiteral("numero di testo non valido")};
                    // Messages name the installation by its first text as the load keeps it:
                    // a name of a million characters or with control characters is not shown.
                    if (table == 0 && installationName.isEmpty())
                        installationName = fitted(s.pool.at(ids[number]), s.fields[f]);
                    if constexpr (Build) {
                        const quint32 id = keptText(table, s, fi, number);
                        datastore::setCell(s, b, fi, id);
                        s.pool.use(id);
                    } else {
                        checkText(s, s.fields[f], s.pool.at(ids[number]));
                    }
                    break;
                }
                case FieldType::Nested:
                    break;
                }
            }
        }
    }
};

struct RowsGuard {
    TableSchema& schema;
    std::vector<RowData*> rows;
    ~RowsGuard() { datastore::freeRows(schema, rows); }
};

// Remembers how many texts every table kept before a load, and forgets the texts the load
// added unless it succeeded: a refused file must not leave its texts behind.
struct TextsGuard {
    std::vector<std::pair<TableSchema*, quint32>> marks;
    bool keep = false;
    explicit TextsGuard(const std::vector<TableSchema*>& tables) {
        for (TableSchema* t : tables)
            marks.emplace_back(t, t->pool.size());
    }
    ~TextsGuard() {
        if (!keep)
            for (auto& [table, mark] : marks)
                table->pool.rollBack(mark);
    }
};

QString cannotWriteText(const QString& path, const QString& reason) {
    return QStringLiteral("Impossibile scrivere il file dell'archivio '%1': %2").arg(path, reason);
}

// Bytes the rows of these tables take in memory.
quint64 rowsInMemory(const std::vector<TableSchema*>& tables) {
    quint64 bytes = 0;
    for (const TableSchema* t : tables)
        bytes += quint64(std::max<qint64>(t->liveRows, 0)) * (t->rowSize() + sizeof(RowData*));
    return bytes;
}

// The rows of a file already proved good, read again from where they start.
void buildRows(QFile& file, Reader& r, quint64 rowsAt, quint64 payloadSize, std::vector<RowData*>& out) {
    if (!file.seek(qint64(rowsAt)))
        throw Damaged{QStringLiteral("non si riesce a rileggerlo")};
    In rows(file, kHeaderSize + payloadSize - rowsAt, false);
    r.readList<true>(rows, 0, &out);
    if (rows.left() != 0)
        throw Damaged{QStringLiteral("byte in più dopo le righe")};
}

std::vector<TableSchema*> tablesInFileOrder(TableSchema* root) {
    Writer shape;
    shape.collect(root);
    return shape.tables;
}

// Whether `path` holds a save of the root table `rootName`: our header, or the blank place a
// save keeps for it until the rest is written, then the catalogue opening with that table.
bool holdsSaveOf(const QString& path, const QString& rootName) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray name = rootName.toUtf8();
    const QByteArray head = file.read(kHeaderSize + 8 + name.size());
    if (head.size() != kHeaderSize + 8 + name.size())
        return false;
    const bool ours = std::memcmp(head.constData(), kMagic, sizeof kMagic) == 0 &&
                      quint32(crcOf(reinterpret_cast<const uchar*>(head.constData()), kHeaderSize - 4)) ==
                          qFromLittleEndian<quint32>(head.constData() + kHeaderSize - 4);
    const bool blank = head.left(kHeaderSize) == QByteArray(kHeaderSize, '\0');
    if (!ours && !blank)
        return false;
    const quint32 nameBytes = qFromLittleEndian<quint32>(head.constData() + kHeaderSize + 4);
    return nameBytes == quint32(name.size()) && head.mid(kHeaderSize + 8) == name;
}

} // namespace

QStringList DataSet::removeLeftoverSaves(const QString& path) const {
    // The temporary files of saves of `path` lie beside the file a save replaces.
    const QFileInfo target(AtomicSave::finalPath(path));
    const QString targetName = target.fileName();
    const QDir folder = target.absoluteDir();
    QStringList removed;
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!AtomicSave::isTemporaryName(name, targetName))
            continue;
        const QString candidate = folder.filePath(name);
        const QFileInfo info(candidate);
        if (info.isSymLink() || !info.isFile())
            continue;
        if (holdsSaveOf(candidate, this->name()) && QFile::remove(candidate))
            removed << candidate;
    }
    return removed;
}

bool DataSet::copyFileWhole(const QString& from, const QString& to, QString* reason) {
    auto fail = [&](const QString& why) {
        if (reason)
            *reason = why;
        return false;
    };
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return fail(fileErrorReason(source, errno));
    AtomicSave copy(to); // nothing at `to` until the whole copy is on the disk
    QString why;
    if (!copy.open(&why))
        return fail(why);
    std::vector<char> buffer(kReadChunk);
    for (;;) {
        const qint64 got = source.read(buffer.data(), qint64(buffer.size()));
        if (got < 0)
            return fail(fileErrorReason(source, errno));
        if (got == 0)
            break;
        if (copy.file().write(buffer.data(), got) != got)
            return fail(fileErrorReason(copy.file(), errno));
    }
    if (!copy.commit(&why))
        return fail(why);
    return true;
}

void DataSet::setFileRowLimit(int rows) {
    d->schema->fileRowLimit = quint32(std::max(0, rows));
}

int DataSet::fileRowLimit() const {
    return int(d->schema->fileRowLimit);
}

int DataSet::textCount() const {
    return int(d->schema->pool.size()) - 1; // id 0, the empty text, is no text
}

void DataSet::saveToFile(const QString& path) const {
    if (d->master || d->isClone)
        throw DataSetError(QStringLiteral("%1: solo una tabella principale si salva in un file").arg(name()));
    d->checkActive();
    auto cannotWrite = [&](const QString& reason) { return DataSetError(cannotWriteText(path, reason)); };
    const QFileInfo target(path);
    // A folder, a pipe or a device is not ours to replace.
    if (target.exists() && !target.isFile())
        throw cannotWrite(QStringLiteral("non è un file normale"));
    try {
        writeRegister(path);
    } catch (const std::bad_alloc&) {
        throw cannotWrite(QStringLiteral("memoria insufficiente"));
    }
}

void DataSet::writeRegister(const QString& path) const {
    d->schema->name = name();
    Writer w;
    w.collect(d->schema.get());
    for (const TableSchema* s : w.tables)
        if (s->fields.empty())
            throw DataSetError(QStringLiteral("%1: la tabella '%2' non ha campi").arg(name(), s->name));
    w.prepare();

    // The register holds access codes: a new file is its owner's alone (an existing one
    // keeps the mode it has), as AtomicSave makes it.
    AtomicSave save(path);
    QFile& out = save.file();
    auto fail = [&](const QString& reason) {
        save.cancel();
        throw DataSetError(cannotWriteText(path, reason));
    };
    QString reason;
    if (!save.open(&reason))
        fail(reason);
    quint64 payloadSize = 0;
    quint32 crc = 0;
    auto write = [&](const void* data, size_t size) {
        if (out.write(static_cast<const char*>(data), qint64(size)) != qint64(size))
            fail(fileErrorReason(out, errno));
    };
    auto writePart = [&](const Out& part) {
        write(part.data(), part.size());
        payloadSize += part.size();
        crc = crcOf(part.data(), part.size(), crc);
    };
    const QByteArray placeholder(kHeaderSize, '\0');
    write(placeholder.constData(), kHeaderSize);
    Out head;
    w.writeSchema(head);
    w.writeStrings(head);
    writePart(head);
    // The blank header and the catalogue reach the file at once: should the save be killed,
    // what it leaves proves itself a save of this register, which the next start removes.
    if (!out.flush())
        fail(fileErrorReason(out, errno));
    w.writeList(d->list->rows, 0, [&] {
        writePart(w.rows);
        w.rows.clear();
    });
    writePart(w.rows);

    Out header;
    header.bytes(kMagic, sizeof kMagic);
    header.put<quint32>(kFormatVersion);
    header.put<quint32>(0);
    header.put<quint64>(payloadSize);
    header.put<quint32>(crc);
    header.put<quint32>(crcOf(header.data(), header.size()));
    if (!out.seek(0))
        fail(fileErrorReason(out, errno));
    write(header.data(), header.size());
    if (!save.commit(&reason))
        throw DataSetError(cannotWriteText(path, reason));
}

void DataSet::loadFromFile(const QString& path) {
    if (d->master || d->isClone)
        throw DataSetError(
            QStringLiteral("%1: solo una tabella principale si carica da un file").arg(name()));
    // Opening a pipe would wait for a writer forever, and a folder holds no register.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        throw DataSetError(
            QStringLiteral("Impossibile leggere il file dell'archivio '%1': non è un file normale")
                .arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const QString reason = fileErrorReason(file, errno);
        throw FileOpenError(
            QStringLiteral("Impossibile leggere il file dell'archivio '%1': %2").arg(path, reason), reason);
    }
    try {
        readRegister(file, path);
    } catch (const std::bad_alloc&) {
        throw DataSetError(
            QStringLiteral("Memoria insufficiente per leggere il file dell'archivio '%1'").arg(path));
    }
}

void DataSet::readRegister(QFile& file, const QString& path) {
    const qint64 fileSize = file.size();
    if (fileSize > kMaxFileSize)
        throw DataSetError(QStringLiteral("Il file dell'archivio '%1' è troppo grande").arg(path));
    auto damaged = [&](const QString& why) {
        return DataSetError(
            QStringLiteral("Il file '%1' è danneggiato o non è un archivio delle installazioni (%2)")
                .arg(path, why));
    };
    uchar head[kHeaderSize];
    if (fileSize < kHeaderSize || file.read(reinterpret_cast<char*>(head), kHeaderSize) != kHeaderSize ||
        std::memcmp(head, kMagic, sizeof kMagic) != 0)
        throw damaged(QStringLiteral("manca l'intestazione dell'archivio"));
    quint32 version, flags, crc, headerCrc;
    quint64 payloadSize;
    std::memcpy(&version, head + 8, 4);
    std::memcpy(&flags, head + 12, 4);
    std::memcpy(&payloadSize, head + 16, 8);
    std::memcpy(&crc, head + 24, 4);
    std::memcpy(&headerCrc, head + 28, 4);
    if (headerCrc != crcOf(head, kHeaderSize - 4))
        throw damaged(QStringLiteral("checksum dell'intestazione"));
    if (version != kFormatVersion)
        throw DataSetError(
            QStringLiteral(
                "Il file dell'archivio '%1' è scritto nel formato %2, che questo programma non sa leggere")
                .arg(path)
                .arg(version));
    // Flags name features of the format a later program may add; this one knows none.
    if (flags != 0)
        throw DataSetError(QStringLiteral("Il file dell'archivio '%1' usa opzioni del formato (flag %2) che "
                                          "questo programma non conosce")
                               .arg(path)
                               .arg(flags));
    const quint64 present = quint64(fileSize - kHeaderSize);
    if (payloadSize != present)
        throw damaged(payloadSize > present ? QStringLiteral("troncato") : QStringLiteral("byte in più"));

    d->schema->name = name();
    const std::vector<TableSchema*> inMemory = tablesInFileOrder(d->schema.get());
    Reader r;
    // Declared before the rows: on failure the rows go first, then the texts only they used.
    TextsGuard texts(inMemory);
    RowsGuard fresh{*d->schema, {}};
    quint64 rowsAt = 0;
    bool dropOldFirst = false;
    r.memoryAllowed = std::min(kMaxRowMemory, kMemoryFloor + kMemoryPerFileByte * payloadSize);
    try {
        In in(file, payloadSize);
        r.readSchema(in);
        r.tables.assign(r.file.size(), nullptr);
        r.children.resize(r.file.size());
        QString why = r.file.size() != inMemory.size()
                          ? QStringLiteral("%1 tabelle invece di %2").arg(r.file.size()).arg(inMemory.size())
                          : r.match(0, d->schema.get());
        if (why.isEmpty() && std::find(r.tables.begin(), r.tables.end(), nullptr) != r.tables.end())
            why = QStringLiteral("mancano delle tabelle");
        if (!why.isEmpty())
            throw DataSetError(
                QStringLiteral("Il catalogo del file dell'archivio '%1' non corrisponde alle tabelle "
                               "di questo programma: %2")
                    .arg(path, why));
        r.prepareShapes();
        r.readStrings(in);
        rowsAt = kHeaderSize + (payloadSize - in.left());
        // The file is first read only to prove it good and to count the memory its rows need,
        // so that a file that would need too much is refused before a row is built.
        r.readList<false>(in, 0, nullptr);
        if (in.left() != 0)
            throw Damaged{QStringLiteral("byte in più dopo le righe")};
        if (in.crc() != crc)
            throw Damaged{QStringLiteral("checksum dei dati")};
        // Over a large register the old rows go before the new ones are made, so that memory
        // holds one register, not two; unless the new register needs much more room than the
        // old one frees: then it is built beside the old one, which stays whole should memory
        // run out.
        const quint64 old = rowsInMemory(inMemory);
        dropOldFirst = old >= kCheckFirstBytes && r.bytesChecked <= old / 4 * 5;
        if (!dropOldFirst)
            buildRows(file, r, rowsAt, payloadSize, fresh.rows);
    } catch (const Damaged& e) {
        throw damaged(e.why);
    } catch (const Refused& e) {
        throw DataSetError(
            QStringLiteral("Il file dell'archivio '%1' contiene un valore non ammesso: %2").arg(path, e.why));
    } catch (const TooLarge& e) {
        throw DataSetError(
            QStringLiteral("Il file dell'archivio '%1' è rifiutato: le sue righe richiederebbero più di "
                           "%2 MB di memoria, dove un file delle sue dimensioni può occuparne %3 MB")
                .arg(path)
                .arg(e.needed >> 20)
                .arg(e.allowed >> 20));
    }

    // The whole file is read and proved good: now the table changes.
    texts.keep = true;
    if (!active())
        open();
    cancel();
    d->cancelDetailEdits();
    if (dropOldFirst) {
        d->dropRowsForLoad();
        try {
            buildRows(file, r, rowsAt, payloadSize, fresh.rows);
        } catch (...) {
            // Only a file rewritten in place while it was read, or memory taken meanwhile by
            // something else, gets here; the old rows are gone.
            datastore::freeRows(*d->schema, fresh.rows);
            d->replaceRows({});
            throw DataSetError(
                QStringLiteral("Il file dell'archivio '%1' è cambiato mentre veniva letto, o la memoria "
                               "è finita: l'archivio è vuoto")
                    .arg(path));
        }
    }
    d->replaceRows(std::move(fresh.rows));
    fresh.rows.clear();
    d->loadRepairs = r.repairs;
    if (r.repairCount > r.repairs.size())
        d->loadRepairs << QStringLiteral("... e altri %1").arg(r.repairCount - r.repairs.size());
}

QStringList DataSet::loadRepairs() const {
    return d->loadRepairs;
}

void Field::setFileDomain(const QStringList& texts) {
    m_dataSet->d_func()->schema->fields[size_t(m_index)].fileDomain = texts;
}

void Field::setFileRange(int min, int max) {
    FieldLayout& fl = m_dataSet->d_func()->schema->fields[size_t(m_index)];
    fl.fileMin = min;
    fl.fileMax = max;
}

void Field::setFileRepair(std::function<QString(const QString&)> repair) {
    m_dataSet->d_func()->schema->fields[size_t(m_index)].fileRepair = std::move(repair);
}

void DataSetPrivate::dropRowsForLoad() {
    std::vector<RowData*> old;
    old.swap(list->rows);
    curRow = nullptr;
    curSerial = 0;
    datastore::freeRows(*schema, old);
}

void DataSetPrivate::replaceRows(std::vector<RowData*>&& rows) {
    std::vector<RowData*> old;
    old.swap(list->rows);
    list->rows = std::move(rows);
    moveTo(nullptr, 0);
    setPos(0);
    bof = true;
    eof = curRow == nullptr;
    followMaster();
    datastore::freeRows(*schema, old);
    notifyChanged();
}
