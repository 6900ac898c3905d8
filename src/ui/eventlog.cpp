#include "ui/eventlog.h"

#include "platform/cp1252.h"
#include "platform/dataset.h"
#include "transfer/codec_eventlog.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <array>

namespace EventLog {
namespace {
const QString kDateTime = QStringLiteral("_DataOra1");
const std::array<const char*, 4> kTextFilterFields = {"_Categoria1", "_IDEvento1", "_Arg1", "_Reading1"};
const std::array<const char*, 6> kCsvFields = {"_ID",   "_Categoria1", "_IDEvento1",
                                               "_Arg1", "_Reading1",   "_DataOra1"};

bool isOneOf(const QString& name, const auto& names) {
    for (const char* n : names)
        if (name == QLatin1String(n))
            return true;
    return false;
}

// Where each kind of event leads. Pages: 0 users, 1 inputs, 3 peripherals, 5 various
// parameters, 6 programs (partitions), 8 wireless. A partition's argument counts from 0, the
// other arguments from 1; a radio event without a device leads to the page only.
struct Jump {
    Codec::EventKind kind;
    int page;
    const char* table; // nullptr: the page only
    int recNoOffset;   // record number = argument + offset
    bool zeroArgMeansNone;
};
const Jump kJumps[] = {
    {Codec::EventKind::Partition, 6, "CDSet_Parziali", 1, false},
    {Codec::EventKind::Input, 1, "CDSet_Ingressi", 0, false},
    {Codec::EventKind::User, 0, "CDSet_Utenti", 0, false},
    {Codec::EventKind::Parameters, 5, nullptr, 0, false},
    {Codec::EventKind::Peripheral, 3, nullptr, 0, false},
    {Codec::EventKind::Radio, 8, "CDSet_DeviceRadio", 0, true},
};
} // namespace

QString dateTimeText(const QDateTime& dt) {
    return DateTimeText(dt);
}

QString quoted(const QString& text) {
    QString out = text;
    out.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + out + QLatin1Char('\'');
}

QString filterFor(const Field& field) {
    const QString& name = field.fieldName();
    if (name == kDateTime)
        return name + QStringLiteral(" = ") + quoted(dateTimeText(field.asDateTime()));
    if (isOneOf(name, kTextFilterFields))
        return name + QStringLiteral(" like ") +
               quoted(QLatin1Char('%') + field.asString() + QLatin1Char('%'));
    return {};
}

QString cellText(const DataSet& log, int recNo, int fieldIndex) {
    const QString text = log.stringAt(recNo, fieldIndex);
    if (!text.isEmpty())
        return text;
    const QString& name = log.field(fieldIndex).fieldName();
    const char* raw = name == QLatin1String("_IDEvento1") ? "_IDEvento"
                      : name == QLatin1String("_Arg1")    ? "_Arg"
                                                          : nullptr;
    if (!raw)
        return text;
    const Field* number = log.findField(QLatin1String(raw));
    if (!number)
        return text;
    const QVariant v = log.valueAt(recNo, number->index());
    // An event without an argument has nothing to show in that column.
    if (!v.isValid() || (raw[1] == 'A' && v.toInt() == 0))
        return text;
    return QString::number(v.toInt());
}

Target targetOf(int idEvento, int arg) {
    const Codec::EventKind kind = Codec::eventKind(idEvento);
    for (const Jump& row : kJumps) {
        if (row.kind != kind)
            continue;
        Target t;
        t.page = row.page;
        if (row.table && !(row.zeroArgMeansNone && arg == 0)) {
            t.table = QLatin1String(row.table);
            t.recNo = arg + row.recNoOffset;
        }
        return t;
    }
    return {};
}

QString csvValue(const QString& value) {
    static const QString special = QStringLiteral(";\"\r\n");
    bool needsQuotes = false;
    for (const QChar c : value)
        if (special.contains(c)) {
            needsQuotes = true;
            break;
        }
    if (!needsQuotes)
        return value;
    QString out = value;
    out.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

QByteArray csvBytes(const DataSet& log, const QStringList& titles) {
    std::vector<int> columns;
    for (const Field* f : log.fields())
        if (isOneOf(f->fieldName(), kCsvFields))
            columns.push_back(f->index());
    const QLatin1String endOfLine("\r\n");
    QString text;
    for (const QString& title : titles)
        text += csvValue(title) + QLatin1Char(';');
    text += endOfLine;
    const int rows = log.active() ? log.recordCount() : 0;
    text.reserve(text.size() + qsizetype(rows) * 120);
    for (int r = 1; r <= rows; ++r) {
        for (const int c : columns) {
            text += csvValue(cellText(log, r, c));
            text += QLatin1Char(';');
        }
        text += endOfLine;
    }
    return toWindows1252(text);
}

bool writeCsv(const DataSet& log, const QStringList& titles, const QString& path, QString* error) {
    const QByteArray bytes = csvBytes(log, titles);
    QSaveFile file(path);
    auto fail = [&](const QString& what, QString reason) {
        if (reason.isEmpty())
            reason = file.errorString();
        if (file.isOpen())
            file.cancelWriting(); // the chosen name never holds part of a file
        if (error)
            *error = QStringLiteral("FileError error raised, with message : %1 \"%2\". %3")
                         .arg(what, QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), reason);
        return false;
    };
    const QString create = QStringLiteral("Cannot create file");
    if (QFileInfo(path).isDir())
        return fail(create, QStringLiteral("It is a folder."));
    if (!file.open(QIODevice::WriteOnly))
        return fail(create, {});
    if (file.write(bytes) != bytes.size())
        return fail(QStringLiteral("Cannot write file"), {});
    if (!file.commit())
        return fail(QStringLiteral("Cannot write file"), {});
    return true;
}

} // namespace EventLog
