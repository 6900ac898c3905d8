// The generic record codec: a layout's rows and fields to the command's byte stream and back.
// Reading and writing walk the rows through record numbers; nested tables are reached by moving
// their master's cursor, which is put back afterwards.
#include "link/comset.h"
#include "link/wiretext.h"
#include "model/datamodule.h"
#include "model/ip4text.h"
#include "model/lang.h"
#include "platform/dataset.h"
#include "transfer/codec_errors.h"
#include "transfer/codec_layout.h"

#include <QScopeGuard>

#include <memory>
#include <optional>
#include <stdexcept>

namespace Codec {

int Block::recordSize() const {
    int n = 0;
    for (const FieldSpec& f : fields)
        n += f.size;
    return n;
}

int Block::streamSize() const {
    return recordSize() * rows * std::max(1, masterRows) * std::max(1, grandMasterRows);
}

int Layout::streamSize() const {
    int n = 0;
    for (const Block& b : blocks)
        n += b.streamSize();
    return n;
}

int Layout::parts() const {
    return std::max(1, (streamSize() + 63) / 64);
}

// ---- builders ----

namespace {
FieldSpec spec(Wire wire, const char* field, int size, int min = 0, int max = 255) {
    FieldSpec f;
    f.wire = wire;
    f.name = QString::fromLatin1(field);
    f.size = size;
    f.min = min;
    f.max = max;
    return f;
}
} // namespace

FieldSpec name(const char* field, int size) {
    return spec(Wire::Name, field, size);
}
FieldSpec text(const char* field, int size) {
    return spec(Wire::Text, field, size);
}
FieldSpec digits(const char* field) {
    return spec(Wire::Digits, field, 6);
}
FieldSpec number(const char* field, int min, int max) {
    return spec(Wire::Number, field, 1, min, max);
}
FieldSpec word16(const char* field, int min, int max) {
    return spec(Wire::Number, field, 2, min, max);
}
FieldSpec numberText(const char* field, int min, int max) {
    const bool wide = min < 0 || max > 255;
    return spec(Wire::NumberText, field, wide ? 2 : 1, min, max);
}
FieldSpec bits(const char* prefix, int first, int count) {
    QStringList fields;
    for (int i = 0; i < count; ++i)
        fields << QString::fromLatin1(prefix) + QString::number(first + i);
    return bitsOf(fields);
}
FieldSpec bitsOf(QStringList fields) {
    FieldSpec f;
    f.wire = Wire::Bits;
    f.name = fields.value(0);
    f.bitFields = std::move(fields);
    return f;
}
FieldSpec onOff(const char* field) {
    return spec(Wire::OnOff, field, 1);
}
FieldSpec position(const char* field, ListFn list) {
    FieldSpec f = spec(Wire::Position, field, 1);
    f.list = list;
    return f;
}
FieldSpec sign(const char* field, ListFn list, ListFn signs) {
    FieldSpec f = spec(Wire::Sign, field, 1);
    f.list = list;
    f.signs = signs;
    return f;
}
FieldSpec ip4(const char* field) {
    return spec(Wire::Ip4, field, 4);
}
FieldSpec hourMin(const char* field) {
    return spec(Wire::HourMin, field, 2);
}
FieldSpec hourMinSec(const char* field) {
    return spec(Wire::HourMinSec, field, 3);
}
FieldSpec dayMonth(const char* field) {
    return spec(Wire::DayMonth, field, 2);
}
FieldSpec terminal(const char* field) {
    return spec(Wire::Terminal, field, 1);
}
FieldSpec wordIndex(const char* field, const char* copy) {
    FieldSpec f = spec(Wire::WordIndex, field, 1);
    f.companion = QString::fromLatin1(copy);
    return f;
}
FieldSpec links(const char* nestedField, const char* flag, int items, ListFn itemNames) {
    FieldSpec f = spec(Wire::Links, nestedField, (items + 7) / 8);
    f.flag = QString::fromLatin1(flag);
    f.itemNames = itemNames;
    return f;
}
std::vector<FieldSpec> series(FieldSpec (*make)(const char*), const char* prefix, int first, int last) {
    std::vector<FieldSpec> v;
    for (int i = first; i <= last; ++i)
        v.push_back(make((QByteArray(prefix) + QByteArray::number(i)).constData()));
    return v;
}

Block installationRow(std::vector<FieldSpec> fields) {
    Block b{table<&TDM::CDSet_Tabulon>, 1, std::move(fields)};
    b.currentRow = true;
    return b;
}

// ---- lists the layouts refer to ----

namespace {
QStringList namesOf(DataSet* t) {
    QStringList names;
    if (!t || !t->active())
        return names;
    const Field* f = t->findField(QStringLiteral("_Nome"));
    for (int r = 1; f && r <= t->recordCount(); ++r)
        names << t->stringAt(r, f->index());
    return names;
}
} // namespace

QStringList inputNames() {
    return namesOf(DM ? DM->CDSet_Ingressi : nullptr);
}
QStringList userNames() {
    return namesOf(DM ? DM->CDSet_Utenti : nullptr);
}
QStringList partitionNames() {
    return namesOf(DM ? DM->CDSet_Parziali : nullptr);
}
QStringList vocabularyWords() {
    QStringList words;
    DataSet* t = DM ? DM->CDSet_Messaggi : nullptr;
    if (!t || !t->active())
        return words;
    const int f = t->fieldByName(QStringLiteral("_Messaggio")).index();
    for (int r = 1; r <= t->recordCount(); ++r)
        words << t->stringAt(r, f);
    return words;
}

namespace {

[[noreturn]] void refuse(const QString& why) {
    throw std::runtime_error(why.toStdString());
}

constexpr quint8 None = 0xFF; // "no value" of positions, word indexes, times and dates

bool undefined1252(quint8 b) {
    return b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

// ---- walking the rows ----

// A page's filter (the tabs of the 800-range devices) must never limit a transfer: it is off
// while the rows are walked and back on afterwards; a pending edit is posted first.
class Unfiltered {
public:
    explicit Unfiltered(DataSet* t) : m_t(t), m_was(t->filtered()) {
        m_t->checkBrowseMode();
        if (m_was)
            m_t->setFiltered(false);
    }
    ~Unfiltered() {
        if (m_was)
            m_t->setFiltered(true);
    }
    Unfiltered(const Unfiltered&) = delete;
    Unfiltered& operator=(const Unfiltered&) = delete;

private:
    DataSet* m_t;
    bool m_was;
};

// Calls visit(table, recNo or 0 for a row the installation does not have) for every wire row of
// the block, in stream order. Masters' cursors are put back afterwards.
template <typename Visit> void walk(const Block& b, Visit visit) {
    DataSet* t = b.table();
    if (!t)
        refuse(QStringLiteral("no installation is open"));
    if (b.currentRow) { // the register's own cursor and filter stay as they are
        visit(t, t->recNo());
        return;
    }
    const Unfiltered unfiltered(t);
    auto rowsOf = [&](int available) {
        for (int r = 1; r <= b.rows; ++r)
            visit(t, r <= available ? r : 0);
    };
    if (b.masterRows == 0) {
        rowsOf(t->recordCount());
        return;
    }
    DataSet* master = t->master();
    DataSet* grand = b.grandMasterRows > 0 ? master->master() : nullptr;
    const int keepMaster = master->recNo();
    const int keepGrand = grand ? grand->recNo() : 0;
    // Put back however the walk ends: a value the encoder refuses must not leave a page showing
    // another day or timer than before.
    const auto putBack = qScopeGuard([&] {
        if (keepGrand > 0)
            grand->setRecNo(keepGrand);
        if (keepMaster > 0)
            master->setRecNo(keepMaster);
    });
    auto overMasters = [&](bool present) {
        for (int m = 1; m <= b.masterRows; ++m) {
            if (present && m <= master->recordCount()) {
                master->setRecNo(m);
                rowsOf(t->recordCount());
            } else {
                rowsOf(0);
            }
        }
    };
    if (!grand) {
        overMasters(true);
    } else {
        for (int g = 1; g <= b.grandMasterRows; ++g) {
            const bool present = g <= grand->recordCount();
            if (present)
                grand->setRecNo(g);
            overMasters(present);
        }
    }
}

Field& fieldOf(DataSet* t, const QString& name) {
    return t->fieldByName(name);
}

// ---- encoding one value ----

int parseNumber(const QString& text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok)
        refuse(QStringLiteral("\"%1\" non è un numero").arg(text));
    return v;
}

// "12:05", "1/2", "12:05:30": the numbers between separators; empty text gives none.
QList<int> timeParts(const QString& text, int count) {
    QList<int> parts;
    QString digitsRun;
    for (const QChar c : text + QLatin1Char(' ')) {
        if (c.isDigit()) {
            digitsRun += c;
        } else if (!digitsRun.isEmpty()) {
            parts << digitsRun.toInt();
            digitsRun.clear();
        }
    }
    if (!parts.isEmpty() && parts.size() != count)
        refuse(QStringLiteral("\"%1\" non è un'ora o una data valida").arg(text));
    return parts;
}

void putWord(QByteArray& out, int v) {
    out.append(char((v >> 8) & 0xFF));
    out.append(char(v & 0xFF));
}

void encodeValue(const FieldSpec& f, DataSet* t, int r, QByteArray& out) {
    if (f.wire == Wire::Bits) {
        quint8 v = 0;
        for (int i = 0; i < f.bitFields.size(); ++i)
            if (t->booleanAt(r, fieldOf(t, f.bitFields[i]).index()))
                v |= quint8(1u << i);
        out.append(char(v));
        return;
    }
    if (f.wire == Wire::Links) {
        QByteArray map(f.size, '\0');
        t->setRecNo(r);
        DataSet* nested = fieldOf(t, f.name).nestedDataSet();
        const int idField = fieldOf(nested, QStringLiteral("_ID")).index();
        const int flagField = fieldOf(nested, f.flag).index();
        for (int n = 1; n <= nested->recordCount(); ++n) {
            const int item = nested->integerAt(n, idField);
            // A row present is a link: the editors write `_ID` and `_Nome` only, so an empty flag
            // counts as set. Only a flag explicitly false keeps the row off the wire.
            const bool off = !nested->valueAt(n, flagField).isNull() && !nested->booleanAt(n, flagField);
            if (item >= 1 && item <= f.size * 8 && !off)
                map[(item - 1) / 8] = char(quint8(map[(item - 1) / 8]) | (1u << ((item - 1) % 8)));
        }
        out.append(map);
        return;
    }
    const Field& field = fieldOf(t, f.name);
    const int fi = field.index();
    const QString s = t->stringAt(r, fi);
    switch (f.wire) {
    case Wire::Name:
    case Wire::Text:
        out.append(toWireSlot(s, f.size));
        return;
    case Wire::Digits: {
        const QString code = s.trimmed();
        for (const QChar c : code)
            if (!c.isDigit() || c.unicode() > '9')
                refuse(QStringLiteral("il codice contiene caratteri che non sono cifre"));
        if (code.size() > 6)
            refuse(QStringLiteral("il codice supera le 6 cifre"));
        out.append(toWireSlot(code, 6));
        return;
    }
    case Wire::Number:
    case Wire::NumberText: {
        const int v = f.wire == Wire::Number ? t->integerAt(r, fi) : parseNumber(s);
        if (v < f.min || v > f.max)
            refuse(QStringLiteral("%1 è fuori dai valori ammessi (da %2 a %3)").arg(v).arg(f.min).arg(f.max));
        if (f.size == 2)
            putWord(out, v);
        else
            out.append(char(v));
        return;
    }
    case Wire::OnOff:
        out.append(char(s.trimmed().compare(QLatin1String("ON"), Qt::CaseInsensitive) == 0 ? 1 : 0));
        return;
    case Wire::Position:
    case Wire::Sign: {
        if (s.isEmpty()) {
            out.append(char(f.wire == Wire::Sign ? 0 : None));
            return;
        }
        const QStringList items = f.list();
        const qsizetype at = items.indexOf(s);
        if (at < 0)
            refuse(QStringLiteral("\"%1\" non è una delle voci previste").arg(s));
        if (f.wire == Wire::Position) {
            out.append(char(at));
            return;
        }
        const QStringList signs = f.signs();
        if (at >= signs.size() || signs[at].isEmpty())
            refuse(QStringLiteral("\"%1\" non ha un codice per la centrale").arg(s));
        out.append(char(signs[at][0].toLatin1()));
        return;
    }
    case Wire::Ip4: {
        if (s.trimmed().isEmpty()) {
            out.append(QByteArray(4, '\0'));
            return;
        }
        if (!ComSet)
            refuse(QStringLiteral("no connection form"));
        quint32 a = 0;
        try {
            a = ComSet->StringToIP4Addr(s);
        } catch (const IP4ConvertError&) {
            refuse(QStringLiteral("\"%1\" non è un indirizzo IP valido").arg(s));
        }
        out.append(char(a >> 24));
        out.append(char(a >> 16));
        out.append(char(a >> 8));
        out.append(char(a));
        return;
    }
    case Wire::HourMin:
    case Wire::HourMinSec:
    case Wire::DayMonth: {
        const QList<int> p = timeParts(s, f.size);
        if (p.isEmpty()) {
            out.append(QByteArray(f.size, char(None)));
            return;
        }
        // What the panel could not take is refused here, not sent (the same limits as a read).
        const bool ok = f.wire == Wire::DayMonth  ? p[0] <= 31 && p[1] <= 12
                        : f.wire == Wire::HourMin ? p[0] <= 23 && p[1] <= 59
                                                  : p[0] <= 99 && p[1] <= 59 && p[2] <= 59;
        if (!ok)
            refuse(QStringLiteral("\"%1\" non è un'ora o una data valida").arg(s));
        for (const int v : p)
            out.append(char(v));
        return;
    }
    case Wire::Terminal:
        if (!ComSet)
            refuse(QStringLiteral("no connection form"));
        out.append(char(ComSet->GetValM1M2(s)));
        return;
    case Wire::WordIndex: {
        const int v = t->valueAt(r, fi).isValid() ? t->integerAt(r, fi) : -1;
        if (v >= None)
            refuse(QStringLiteral("la parola numero %1 non è nel vocabolario").arg(v));
        out.append(char(v < 0 ? None : v));
        return;
    }
    default:
        refuse(QStringLiteral("unknown wire kind"));
    }
}

// ---- decoding one value ----

struct Decoded {
    QVariant value;    // what the field takes (Bits, Links: the raw number / bytes)
    QString companion; // the companion text, when the field has one
};

bool badSlot(const QByteArray& slot) {
    const qsizetype nul = slot.indexOf('\0');
    const qsizetype end = nul < 0 ? slot.size() : nul;
    for (qsizetype i = 0; i < end; ++i) {
        const quint8 b = quint8(slot[i]);
        if (b < 0x20 || b == 0x7F || undefined1252(b))
            return true;
    }
    for (qsizetype i = end; i < slot.size(); ++i)
        if (slot[i] != '\0')
            return true; // a name must be followed by NUL fill only
    return false;
}

int getWord(const char* p) {
    return qint16(quint16((quint8(p[0]) << 8) | quint8(p[1])));
}

QString twoDigits(int v) {
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

bool decodeValue(const FieldSpec& f, DataSet* t, const char* p, Decoded& d, QString* why) {
    auto fail = [&](const QString& text) {
        if (why)
            *why = f.name + QStringLiteral(": ") + text;
        return false;
    };
    const quint8 b = quint8(p[0]);
    switch (f.wire) {
    case Wire::Name:
    case Wire::Text: {
        const QByteArray slot(p, f.size);
        if (badSlot(slot))
            return fail(QStringLiteral("not a NUL-filled Windows-1252 text"));
        d.value = fromWireSlot(slot);
        if (f.check && t) {
            const QString refusal = f.check(fieldOf(t, f.name), d.value.toString());
            if (!refusal.isEmpty())
                return fail(refusal);
        }
        return true;
    }
    case Wire::Digits: {
        const QByteArray slot(p, 6);
        const qsizetype nul = slot.indexOf('\0');
        const QByteArray code = nul < 0 ? slot : slot.left(nul);
        for (const char c : code)
            if (c < '0' || c > '9')
                return fail(QStringLiteral("a code byte is not a digit"));
        if (badSlot(slot))
            return fail(QStringLiteral("the code is not NUL-filled"));
        d.value = QString::fromLatin1(code);
        return true;
    }
    case Wire::Number:
    case Wire::NumberText: {
        const int v = f.size == 2 ? getWord(p) : int(b);
        if (v < f.min || v > f.max)
            return fail(QStringLiteral("%1 is out of %2..%3").arg(v).arg(f.min).arg(f.max));
        d.value = f.wire == Wire::Number ? QVariant(v) : QVariant(QString::number(v));
        if (f.list) { // a number naming an item of a list: only items that exist
            const QStringList items = f.list();
            if (v >= items.size())
                return fail(QStringLiteral("%1 names no item of its list of %2").arg(v).arg(items.size()));
            d.companion = items[v];
        }
        return true;
    }
    case Wire::Bits:
        if (b >> f.bitFields.size())
            return fail(QStringLiteral("bits beyond its %1 fields").arg(f.bitFields.size()));
        d.value = int(b);
        return true;
    case Wire::OnOff:
        if (b > 1)
            return fail(QStringLiteral("%1 is neither 0 nor 1").arg(b));
        d.value = b ? QStringLiteral("ON") : QStringLiteral("OFF");
        return true;
    case Wire::Position: {
        if (b == None) {
            d.value = QString();
            return true;
        }
        const QStringList items = f.list();
        if (b >= items.size())
            return fail(QStringLiteral("position %1 beyond its list of %2").arg(b).arg(items.size()));
        d.value = items[b];
        return true;
    }
    case Wire::Sign: {
        if (b == 0) {
            d.value = QString();
            return true;
        }
        const QStringList signs = f.signs();
        const QStringList items = f.list();
        for (int i = 0; i < signs.size() && i < items.size(); ++i) {
            if (!signs[i].isEmpty() && signs[i][0] == QLatin1Char(char(b))) {
                d.value = items[i];
                return true;
            }
        }
        return fail(QStringLiteral("sign code %1 is not in its list").arg(b));
    }
    case Wire::Ip4:
        // Every address reads back dotted, 0.0.0.0 included (a panel on DHCP, a new
        // installation): the address fields refuse an empty text.
        d.value = QStringLiteral("%1.%2.%3.%4")
                      .arg(quint8(p[0]))
                      .arg(quint8(p[1]))
                      .arg(quint8(p[2]))
                      .arg(quint8(p[3]));
        return true;
    case Wire::HourMin:
    case Wire::HourMinSec:
    case Wire::DayMonth: {
        int v[3] = {};
        bool none = true, some = false;
        for (int i = 0; i < f.size; ++i) {
            v[i] = quint8(p[i]);
            none = none && v[i] == None;
            some = some || v[i] == None;
        }
        if (none) {
            d.value = QString();
            return true;
        }
        const bool ok = !some && (f.wire == Wire::DayMonth  ? v[0] <= 31 && v[1] <= 12
                                  : f.wire == Wire::HourMin ? v[0] <= 23 && v[1] <= 59
                                                            : v[0] <= 99 && v[1] <= 59 && v[2] <= 59);
        if (!ok)
            return fail(QStringLiteral("not a valid time or date"));
        // Stored times and dates carry ':' and '/' whatever the locale shows.
        const QChar sep = QLatin1Char(f.wire == Wire::DayMonth ? '/' : ':');
        QString s = twoDigits(v[0]) + sep + twoDigits(v[1]);
        if (f.wire == Wire::HourMinSec)
            s += sep + twoDigits(v[2]);
        d.value = s;
        return true;
    }
    case Wire::Terminal: {
        if (b == 0) {
            d.value = Lang::WiringNotConfigured();
            return true;
        }
        const QStringList names = b >= 128 ? namesOf(DM ? DM->CDSet_Uscite : nullptr) : inputNames();
        const int n = b >= 128 ? b - 128 : b;
        if (n < 1 || n > names.size())
            return fail(QStringLiteral("terminal reference %1 names no input or output").arg(b));
        d.value = names[n - 1];
        return true;
    }
    case Wire::WordIndex: {
        if (b == None) {
            d.value = -1;
            return true;
        }
        const QStringList words = vocabularyWords();
        if (b >= words.size())
            return fail(QStringLiteral("word %1 beyond the vocabulary of %2").arg(b).arg(words.size()));
        d.value = int(b);
        return true;
    }
    case Wire::Links: {
        d.value = QByteArray(p, f.size);
        return true;
    }
    }
    return fail(QStringLiteral("unknown wire kind"));
}

void writeValue(const FieldSpec& f, DataSet* t, const Decoded& d) {
    if (f.wire == Wire::Bits) {
        const int v = d.value.toInt();
        for (int i = 0; i < f.bitFields.size(); ++i)
            fieldOf(t, f.bitFields[i]).setAsBoolean((v >> i) & 1);
        return;
    }
    if (f.wire == Wire::Links)
        return; // after the row is posted (writeLinks)
    Field& field = fieldOf(t, f.name);
    if (field.dataType() == FieldType::Integer && d.value.typeId() == QMetaType::QString)
        field.setAsInteger(d.value.toString().toInt());
    else
        field.setValue(d.value);
    if (!f.companion.isEmpty()) {
        QString copy = d.companion;
        if (f.wire == Wire::WordIndex) {
            const int v = d.value.toInt();
            const QStringList words = vocabularyWords();
            copy = v >= 0 && v < words.size() ? words[v] : QString();
        }
        fieldOf(t, f.companion).setAsString(copy);
    }
}

// The link rows of table row r: one row per set bit, the item's number, name and flag.
void writeLinks(const FieldSpec& f, DataSet* t, int r, const QByteArray& map) {
    t->setRecNo(r);
    DataSet* nested = fieldOf(t, f.name).nestedDataSet();
    nested->emptyDataSet();
    const QStringList names = f.itemNames ? f.itemNames() : QStringList();
    for (int item = 1; item <= f.size * 8; ++item) {
        if (!((quint8(map[(item - 1) / 8]) >> ((item - 1) % 8)) & 1))
            continue;
        nested->append();
        if (nested->state() != DataSetState::Insert)
            refuse(QStringLiteral("a link row of %1 was refused").arg(f.name));
        fieldOf(nested, QStringLiteral("_ID")).setAsInteger(item);
        fieldOf(nested, QStringLiteral("_Nome")).setAsString(names.value(item - 1));
        fieldOf(nested, f.flag).setAsBoolean(true);
        nested->post();
    }
}

} // namespace

namespace {

// The values a layout's rows hold now, in walk order: every field a value is written to (bit
// fields one by one, companions after their field) and the rows of every link table.
struct Snapshot {
    std::vector<QVariant> values;
    std::vector<std::vector<QVariantList>> links;
};

QStringList writtenFields(const FieldSpec& f) {
    if (f.wire == Wire::Bits)
        return f.bitFields;
    if (f.wire == Wire::Links)
        return {};
    return f.companion.isEmpty() ? QStringList{f.name} : QStringList{f.name, f.companion};
}

Snapshot takeSnapshot(const Layout& layout) {
    Snapshot s;
    for (const Block& b : layout.blocks) {
        walk(b, [&](DataSet* t, int r) {
            if (r == 0)
                return;
            for (const FieldSpec& f : b.fields) {
                for (const QString& name : writtenFields(f))
                    s.values.push_back(t->valueAt(r, fieldOf(t, name).index()));
                if (f.wire != Wire::Links)
                    continue;
                const int keep = t->recNo();
                t->setRecNo(r);
                DataSet* nested = fieldOf(t, f.name).nestedDataSet();
                std::vector<QVariantList> rows;
                for (int n = 1; n <= nested->recordCount(); ++n) {
                    QVariantList row;
                    for (int i = 0; i < nested->fieldCount(); ++i)
                        row << nested->valueAt(n, i);
                    rows.push_back(row);
                }
                s.links.push_back(rows);
                if (keep > 0)
                    t->setRecNo(keep);
            }
        });
    }
    return s;
}

void restoreSnapshot(const Layout& layout, const Snapshot& s) {
    size_t v = 0, l = 0;
    for (const Block& b : layout.blocks) {
        walk(b, [&](DataSet* t, int r) {
            if (r == 0)
                return;
            const int keep = t->recNo();
            t->setRecNo(r);
            t->edit();
            for (const FieldSpec& f : b.fields)
                for (const QString& name : writtenFields(f))
                    fieldOf(t, name).setValue(s.values[v++]);
            t->post();
            for (const FieldSpec& f : b.fields) {
                if (f.wire != Wire::Links)
                    continue;
                DataSet* nested = fieldOf(t, f.name).nestedDataSet();
                nested->emptyDataSet();
                for (const QVariantList& row : s.links[l]) {
                    nested->append();
                    for (int i = 0; i < nested->fieldCount() && i < row.size(); ++i)
                        if (nested->field(i).dataType() != FieldType::Nested)
                            nested->field(i).setValue(row[i]);
                    nested->post();
                }
                ++l;
            }
            if (keep > 0)
                t->setRecNo(keep);
        });
    }
}

} // namespace

static void writeStream(const Layout& layout, const QByteArray& stream);

std::function<void()> applyStream(const Layout& layout, const QByteArray& stream) {
    auto before = std::make_shared<Snapshot>(takeSnapshot(layout));
    try {
        writeStream(layout, stream);
    } catch (...) {
        restoreSnapshot(layout, *before); // a refused value leaves no row half-written
        throw;
    }
    return [&layout, before] { restoreSnapshot(layout, *before); };
}

void forEachRow(const Block& block, const std::function<void(DataSet*, int)>& visit) {
    walk(block, visit);
}

QByteArray encodeStream(const Layout& layout) {
    QByteArray out;
    out.reserve(layout.streamSize());
    std::optional<TDM::ControlsPause> pause;
    if (DM)
        pause.emplace(*DM);
    for (const Block& b : layout.blocks) {
        const int size = b.recordSize();
        walk(b, [&](DataSet* t, int r) {
            if (r == 0) {
                out.append(QByteArray(size, '\0'));
                return;
            }
            const int keep = t->recNo();
            for (const FieldSpec& f : b.fields) {
                try {
                    encodeValue(f, t, r, out);
                } catch (const std::exception& e) {
                    // The installer learns which value stops the job, and where it is.
                    const QString where = unsendableText(t, r, f.name, QString::fromUtf8(e.what()));
                    if (keep > 0)
                        t->setRecNo(keep);
                    throw UnsendableValue(where);
                }
            }
            if (t->recNo() != keep && keep > 0)
                t->setRecNo(keep);
        });
    }
    return out;
}

TError validateStream(const Layout& layout, const QByteArray& stream, QString* why) {
    if (stream.size() != layout.streamSize()) {
        if (why)
            *why =
                QStringLiteral("stream of %1 bytes, %2 expected").arg(stream.size()).arg(layout.streamSize());
        return DATACORRUPT;
    }
    std::optional<TDM::ControlsPause> pause;
    if (DM)
        pause.emplace(*DM);
    qsizetype at = 0;
    bool ok = true;
    for (const Block& b : layout.blocks) {
        const int size = b.recordSize();
        walk(b, [&](DataSet* t, int r) {
            if (ok && r > 0) {
                qsizetype p = at;
                for (const FieldSpec& f : b.fields) {
                    Decoded d;
                    if (!decodeValue(f, t, stream.constData() + p, d, why)) {
                        ok = false;
                        return;
                    }
                    p += f.size;
                }
            }
            at += size;
        });
        if (!ok)
            return DATACORRUPT;
    }
    return SENDOK;
}

static void writeStream(const Layout& layout, const QByteArray& stream) {
    std::optional<TDM::ControlsPause> pause;
    if (DM)
        pause.emplace(*DM);
    qsizetype at = 0;
    for (const Block& b : layout.blocks) {
        const int size = b.recordSize();
        walk(b, [&](DataSet* t, int r) {
            if (r > 0) {
                const int keep = t->recNo();
                t->setRecNo(r);
                t->edit();
                qsizetype p = at;
                std::vector<std::pair<const FieldSpec*, QByteArray>> linkMaps;
                try {
                    for (const FieldSpec& f : b.fields) {
                        Decoded d;
                        if (!decodeValue(f, t, stream.constData() + p, d, nullptr))
                            refuse(QStringLiteral("a validated value no longer decodes"));
                        writeValue(f, t, d);
                        if (f.wire == Wire::Links)
                            linkMaps.emplace_back(&f, d.value.toByteArray());
                        p += f.size;
                    }
                    t->post();
                } catch (...) {
                    if (t->state() != DataSetState::Browse)
                        t->cancel();
                    throw;
                }
                for (const auto& [f, map] : linkMaps)
                    writeLinks(*f, t, r, map);
                if (keep > 0)
                    t->setRecNo(keep);
            }
            at += size;
        });
    }
}

} // namespace Codec
