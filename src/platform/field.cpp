// Field values: reading cells in every type, conversions between types, writing through the
// edit buffer.

#include "platform/dataset.h"
#include "platform/datasetprivate.h"

#include <QLocale>

#include <limits>

namespace {

[[noreturn]] void badValue(const QString& text, const char* what) {
    throw DataSetError(QStringLiteral("'%1' is not a valid %2").arg(text, QLatin1String(what)));
}

[[noreturn]] void badConversion(const QString& field, const char* to) {
    throw DataSetError(
        QStringLiteral("Field '%1' cannot be read or written as %2").arg(field, QLatin1String(to)));
}

double parseFloat(const QString& text, bool* ok) {
    const QString t = text.trimmed();
    double v = t.toDouble(ok);
    if (!*ok)
        v = QLocale::system().toDouble(t, ok);
    return v;
}

qint64 parseInteger(const QString& text, bool* ok) {
    return text.trimmed().toLongLong(ok);
}

bool isTextVariant(const QVariant& v) {
    const int t = v.typeId();
    return t == QMetaType::QString || t == QMetaType::QByteArray || t == QMetaType::QChar;
}

} // namespace

// ---------------------------------------------------------------- reading cells

QString DataSetPrivate::textOf(const uchar* b, int field) const {
    const TableSchema& s = *schema;
    if (!b || !datastore::hasValue(s, b, field)) {
        return s.fields[size_t(field)].type == FieldType::Nested && b ? QStringLiteral("(DataSet)")
                                                                      : QString();
    }
    switch (s.fields[size_t(field)].type) {
    case FieldType::String:
    case FieldType::Memo:
        return s.pool.at(datastore::cell<quint32>(s, b, field));
    case FieldType::Integer:
        return QString::number(datastore::cell<qint32>(s, b, field));
    case FieldType::Boolean:
        return datastore::cell<quint8>(s, b, field) ? QStringLiteral("True") : QStringLiteral("False");
    case FieldType::Float:
        return QString::number(datastore::cell<double>(s, b, field), 'g', 15);
    case FieldType::DateTime:
        return datastore::formatDateTime(datastore::decodeDateTime(datastore::cell<qint64>(s, b, field)));
    case FieldType::Nested:
        return QStringLiteral("(DataSet)");
    }
    return QString();
}

QVariant DataSetPrivate::valueOf(const uchar* b, int field) const {
    const TableSchema& s = *schema;
    if (!b || !datastore::hasValue(s, b, field))
        return QVariant();
    switch (s.fields[size_t(field)].type) {
    case FieldType::String:
    case FieldType::Memo:
        return s.pool.at(datastore::cell<quint32>(s, b, field));
    case FieldType::Integer:
        return int(datastore::cell<qint32>(s, b, field));
    case FieldType::Boolean:
        return bool(datastore::cell<quint8>(s, b, field));
    case FieldType::Float:
        return datastore::cell<double>(s, b, field);
    case FieldType::DateTime:
        return datastore::decodeDateTime(datastore::cell<qint64>(s, b, field));
    case FieldType::Nested:
        return QVariant();
    }
    return QVariant();
}

qint64 DataSetPrivate::integerOf(const uchar* b, int field) const {
    const TableSchema& s = *schema;
    if (!b || !datastore::hasValue(s, b, field))
        return 0;
    switch (s.fields[size_t(field)].type) {
    case FieldType::Integer:
        return datastore::cell<qint32>(s, b, field);
    case FieldType::Float:
        return qRound64(datastore::cell<double>(s, b, field));
    case FieldType::Boolean:
        return datastore::cell<quint8>(s, b, field) ? 1 : 0;
    case FieldType::String:
    case FieldType::Memo: {
        const QString& t = s.pool.at(datastore::cell<quint32>(s, b, field));
        bool ok = false;
        const qint64 v = parseInteger(t, &ok);
        if (!ok)
            badValue(t, "integer value");
        return v;
    }
    default:
        badConversion(s.fields[size_t(field)].name, "an integer");
    }
}

double DataSetPrivate::floatOf(const uchar* b, int field) const {
    const TableSchema& s = *schema;
    if (!b || !datastore::hasValue(s, b, field))
        return 0;
    switch (s.fields[size_t(field)].type) {
    case FieldType::Float:
        return datastore::cell<double>(s, b, field);
    case FieldType::Integer:
        return datastore::cell<qint32>(s, b, field);
    case FieldType::Boolean:
        return datastore::cell<quint8>(s, b, field) ? 1 : 0;
    case FieldType::String:
    case FieldType::Memo: {
        const QString& t = s.pool.at(datastore::cell<quint32>(s, b, field));
        bool ok = false;
        const double v = parseFloat(t, &ok);
        if (!ok)
            badValue(t, "floating point value");
        return v;
    }
    default:
        badConversion(s.fields[size_t(field)].name, "a number");
    }
}

bool DataSetPrivate::booleanOf(const uchar* b, int field) const {
    const TableSchema& s = *schema;
    if (!b || !datastore::hasValue(s, b, field))
        return false;
    switch (s.fields[size_t(field)].type) {
    case FieldType::Boolean:
        return datastore::cell<quint8>(s, b, field) != 0;
    case FieldType::Integer:
        return datastore::cell<qint32>(s, b, field) != 0;
    case FieldType::Float:
        return datastore::cell<double>(s, b, field) != 0;
    case FieldType::String:
    case FieldType::Memo: {
        const QString& t = s.pool.at(datastore::cell<quint32>(s, b, field));
        bool ok = false;
        const bool v = datastore::parseBoolean(t, &ok);
        if (!ok)
            badValue(t, "boolean value");
        return v;
    }
    default:
        badConversion(s.fields[size_t(field)].name, "a boolean");
    }
}

QDateTime DataSetPrivate::dateTimeOf(const uchar* b, int field) const {
    const TableSchema& s = *schema;
    if (!b || !datastore::hasValue(s, b, field))
        return QDateTime();
    switch (s.fields[size_t(field)].type) {
    case FieldType::DateTime:
        return datastore::decodeDateTime(datastore::cell<qint64>(s, b, field));
    case FieldType::String:
    case FieldType::Memo: {
        const QString& t = s.pool.at(datastore::cell<quint32>(s, b, field));
        const QDateTime dt = datastore::parseDateTime(t);
        if (!dt.isValid())
            badValue(t, "date and time");
        return dt;
    }
    default:
        badConversion(s.fields[size_t(field)].name, "a date and time");
    }
}

QString DataSetPrivate::variantText(const QVariant& v) const {
    switch (v.typeId()) {
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(v.toDouble(), 'g', 15);
    case QMetaType::QDateTime:
        return datastore::formatDateTime(v.toDateTime());
    case QMetaType::QDate:
        return datastore::formatDateTime(QDateTime(v.toDate(), QTime(0, 0)));
    default:
        return v.toString();
    }
}

const uchar* DataSetPrivate::bytesAt(int recNo) const {
    const auto& r = rows();
    if (recNo < 1 || recNo > int(r.size()))
        return nullptr;
    const RowData* row = r[size_t(recNo - 1)];
    if ((state == DataSetState::Edit || state == DataSetState::Insert) && row == editRow)
        return buffer.data();
    return row->bytes();
}

// ---------------------------------------------------------------- writing cells

void DataSetPrivate::writeText(Field& f, QString value) {
    checkEditing(f);
    const TableSchema& s = *schema;
    const int i = f.m_index;
    if (f.m_type == FieldType::String && value.size() > f.m_size)
        value.truncate(f.m_size);
    if (value.isEmpty()) {
        writeCell(f, [&](uchar* b) {
            std::memset(b + s.fields[size_t(i)].offset, 0, sizeof(quint32));
            datastore::setHasValue(s, b, i, false);
        });
        return;
    }
    // Writing back the text a cell holds (rules and pages do it often) needs no lookup.
    const uchar* current = buffer.data();
    const quint32 held = datastore::hasValue(s, current, i) ? datastore::cell<quint32>(s, current, i) : 0;
    const quint32 id = held != 0 && s.pool.at(held) == value ? held : schema->pool.intern(value);
    writeCell(f, [&](uchar* b) {
        datastore::setCell<quint32>(s, b, i, id);
        datastore::setHasValue(s, b, i, true);
    });
}

template <typename T> void DataSetPrivate::writeNumber(Field& f, T value) {
    checkEditing(f);
    const TableSchema& s = *schema;
    const int i = f.m_index;
    writeCell(f, [&](uchar* b) {
        datastore::setCell<T>(s, b, i, value);
        datastore::setHasValue(s, b, i, true);
    });
}

void DataSetPrivate::writeValue(Field& f, const QVariant& v) {
    // The common cases without conversions: a value of the field's own type.
    const int type = v.typeId();
    if (f.m_type == FieldType::Integer && type == QMetaType::Int)
        return writeNumber<qint32>(f, qint32(*static_cast<const int*>(v.constData())));
    if (f.m_type == FieldType::Boolean && type == QMetaType::Bool)
        return writeNumber<quint8>(f, *static_cast<const bool*>(v.constData()) ? 1 : 0);
    if ((f.m_type == FieldType::String || f.m_type == FieldType::Memo) && type == QMetaType::QString)
        return writeText(f, *static_cast<const QString*>(v.constData()));
    checkEditing(f);
    const TableSchema& s = *schema;
    const int i = f.m_index;
    auto clearCell = [&](uchar* b) {
        std::memset(b + s.fields[size_t(i)].offset, 0, size_t(datastore::cellWidth(f.m_type)));
        datastore::setHasValue(s, b, i, false);
    };
    if (!v.isValid()) {
        writeCell(f, clearCell);
        return;
    }
    const bool text = isTextVariant(v);
    const QString t = text ? v.toString() : QString();
    if (text && f.m_type != FieldType::String && f.m_type != FieldType::Memo && t.trimmed().isEmpty()) {
        writeCell(f, clearCell);
        return;
    }
    switch (f.m_type) {
    case FieldType::String:
    case FieldType::Memo:
        writeText(f, text ? t : variantText(v));
        return;
    case FieldType::Integer: {
        qint64 n = 0;
        bool ok = true;
        if (text) {
            n = parseInteger(t, &ok);
        } else if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float) {
            const double d = v.toDouble();
            ok = d > -2147483649.0 && d < 2147483648.0;
            n = ok ? qRound64(d) : 0;
        } else if (v.typeId() == QMetaType::QDateTime || v.typeId() == QMetaType::QDate) {
            badConversion(f.m_name, "an integer");
        } else {
            n = v.toLongLong(&ok);
        }
        if (!ok || n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<qint32>::max())
            badValue(text ? t : v.toString(), "integer value");
        writeCell(f, [&](uchar* b) {
            datastore::setCell<qint32>(s, b, i, qint32(n));
            datastore::setHasValue(s, b, i, true);
        });
        return;
    }
    case FieldType::Float: {
        bool ok = true;
        double d = 0;
        if (text)
            d = parseFloat(t, &ok);
        else if (v.typeId() == QMetaType::QDateTime || v.typeId() == QMetaType::QDate)
            badConversion(f.m_name, "a number");
        else
            d = v.toDouble(&ok);
        if (!ok)
            badValue(text ? t : v.toString(), "floating point value");
        writeCell(f, [&](uchar* b) {
            datastore::setCell<double>(s, b, i, d);
            datastore::setHasValue(s, b, i, true);
        });
        return;
    }
    case FieldType::Boolean: {
        bool ok = true;
        bool on = false;
        if (text)
            on = datastore::parseBoolean(t, &ok);
        else if (v.typeId() == QMetaType::Bool)
            on = v.toBool();
        else if (v.typeId() == QMetaType::QDateTime || v.typeId() == QMetaType::QDate)
            badConversion(f.m_name, "a boolean");
        else
            on = v.toDouble(&ok) != 0;
        if (!ok)
            badValue(text ? t : v.toString(), "boolean value");
        writeCell(f, [&](uchar* b) {
            datastore::setCell<quint8>(s, b, i, on ? 1 : 0);
            datastore::setHasValue(s, b, i, true);
        });
        return;
    }
    case FieldType::DateTime: {
        QDateTime dt;
        if (text) {
            dt = datastore::parseDateTime(t);
            if (!dt.isValid())
                badValue(t, "date and time");
        } else if (v.typeId() == QMetaType::QDateTime) {
            dt = v.toDateTime();
        } else if (v.typeId() == QMetaType::QDate) {
            dt = QDateTime(v.toDate(), QTime(0, 0));
        } else {
            badConversion(f.m_name, "a date and time");
        }
        if (!dt.isValid()) {
            writeCell(f, clearCell);
            return;
        }
        const qint64 stamp = datastore::encodeDateTime(dt);
        writeCell(f, [&](uchar* b) {
            datastore::setCell<qint64>(s, b, i, stamp);
            datastore::setHasValue(s, b, i, true);
        });
        return;
    }
    case FieldType::Nested:
        checkEditing(f); // raises
        return;
    }
}

// ---------------------------------------------------------------- Field

Field::Field(DataSet* owner, const QString& name, FieldType type, int size, int index)
    : m_dataSet(owner), m_name(name), m_type(type), m_size(size), m_index(index) {}

bool Field::isNull() const {
    const uchar* b = m_dataSet->d->currentBytes();
    if (!b)
        return true;
    return m_type != FieldType::Nested && !datastore::hasValue(*m_dataSet->d->schema, b, m_index);
}

QString Field::asString() const {
    return m_dataSet->d->textOf(m_dataSet->d->currentBytes(), m_index);
}
int Field::asInteger() const {
    return int(m_dataSet->d->integerOf(m_dataSet->d->currentBytes(), m_index));
}
bool Field::asBoolean() const {
    return m_dataSet->d->booleanOf(m_dataSet->d->currentBytes(), m_index);
}
double Field::asFloat() const {
    return m_dataSet->d->floatOf(m_dataSet->d->currentBytes(), m_index);
}
QDateTime Field::asDateTime() const {
    return m_dataSet->d->dateTimeOf(m_dataSet->d->currentBytes(), m_index);
}
QVariant Field::value() const {
    return m_dataSet->d->valueOf(m_dataSet->d->currentBytes(), m_index);
}
QString Field::displayText() const {
    return isNull() ? QString() : asString();
}

void Field::setAsString(const QString& v) {
    if (m_type == FieldType::String || m_type == FieldType::Memo)
        m_dataSet->d->writeText(*this, v);
    else
        m_dataSet->d->writeValue(*this, QVariant(v));
}
void Field::setAsInteger(int v) {
    if (m_type == FieldType::Integer)
        m_dataSet->d->writeNumber<qint32>(*this, v);
    else
        m_dataSet->d->writeValue(*this, QVariant(v));
}
void Field::setAsBoolean(bool v) {
    if (m_type == FieldType::Boolean)
        m_dataSet->d->writeNumber<quint8>(*this, v ? 1 : 0);
    else
        m_dataSet->d->writeValue(*this, QVariant(v));
}
void Field::setAsFloat(double v) {
    m_dataSet->d->writeValue(*this, QVariant(v));
}
void Field::setAsDateTime(const QDateTime& v) {
    m_dataSet->d->writeValue(*this, v.isValid() ? QVariant(v) : QVariant());
}
void Field::setValue(const QVariant& v) {
    m_dataSet->d->writeValue(*this, v);
}
void Field::clear() {
    m_dataSet->d->writeValue(*this, QVariant());
}

// ---------------------------------------------------------------- reading any row

QVariant DataSet::valueAt(int recNo, int fieldIndex) const {
    field(fieldIndex);
    return d->valueOf(d->bytesAt(recNo), fieldIndex);
}
QString DataSet::stringAt(int recNo, int fieldIndex) const {
    field(fieldIndex);
    return d->textOf(d->bytesAt(recNo), fieldIndex);
}
int DataSet::integerAt(int recNo, int fieldIndex) const {
    field(fieldIndex);
    return int(d->integerOf(d->bytesAt(recNo), fieldIndex));
}
bool DataSet::booleanAt(int recNo, int fieldIndex) const {
    field(fieldIndex);
    return d->booleanOf(d->bytesAt(recNo), fieldIndex);
}
