// Command 50: the panel's event log, read into CDSet_Log. 64 parts of four 16-byte records:
//   0 event code (0: a free slot, skipped), 1 argument, 2 category 1..4, 3 read flag 0/1,
//   4..5 year (four digits, big-endian), 6 month, 7 day, 8 hour, 9 minute, 10 second,
//   11..15 zero.
#include "transfer/codec_eventlog.h"
#include "model/datamodule.h"
#include "platform/dataset.h"
#include "transfer/codec.h"
#include "transfer/codec_staging.h"
#include "transfer/commands.h"

#include <QDateTime>

#include <functional>
#include <vector>

namespace Codec {

namespace {

constexpr int RecordSize = 16;
constexpr int Records = 256;
constexpr int StreamSize = RecordSize * Records;

struct Event {
    int code, arg, category, reading;
    QDateTime when;
};

// Reads record i; false for a malformed one. A free slot gives code 0.
bool readRecord(const QByteArray& s, int i, Event& e) {
    const char* p = s.constData() + i * RecordSize;
    const auto b = [&](int k) { return int(quint8(p[k])); };
    e = Event{b(0), b(1), b(2), b(3), {}};
    if (e.code == 0) {
        for (int k = 1; k < RecordSize; ++k)
            if (b(k) != 0)
                return false;
        return true;
    }
    for (int k = 11; k < RecordSize; ++k)
        if (b(k) != 0)
            return false;
    const QDate date(b(4) * 256 + b(5), b(6), b(7));
    const QTime time(b(8), b(9), b(10));
    if (e.category < 1 || e.category > 4 || e.reading > 1 || !date.isValid() || !time.isValid())
        return false;
    e.when = QDateTime(date, time);
    return true;
}

TError validateLog(int, const QByteArray& stream) {
    if (stream.size() != StreamSize)
        return DATACORRUPT;
    Event e;
    for (int i = 0; i < Records; ++i)
        if (!readRecord(stream, i, e))
            return DATACORRUPT;
    return SENDOK;
}

QString nameOf(DataSet* t, int recNo) {
    if (!t || recNo < 1 || recNo > t->recordCount())
        return {};
    return t->stringAt(recNo, t->fieldByName(QStringLiteral("_Nome")).index());
}

// Puts the rows the log held back in place of whatever it holds.
void restoreRows(DataSet& log, const std::vector<QVariantList>& rows) {
    log.emptyDataSet();
    for (const QVariantList& row : rows) {
        log.append();
        for (int i = 0; i < log.fieldCount() && i < row.size(); ++i)
            log.field(i).setValue(row[i]);
        log.post();
    }
}

void fillLog(DataSet& log, const QByteArray& stream);

std::function<void()> applyLog(int, const QByteArray& stream) {
    DataSet& log = *DM->CDSet_Log;
    log.setFiltered(false); // every row goes, not only those a filter shows
    std::vector<QVariantList> before;
    for (int r = 1; r <= log.recordCount(); ++r) {
        QVariantList row;
        for (int i = 0; i < log.fieldCount(); ++i)
            row << log.valueAt(r, i);
        before.push_back(row);
    }
    try {
        fillLog(log, stream);
    } catch (...) {
        if (log.state() != DataSetState::Browse)
            log.cancel();
        restoreRows(log, before);
        throw;
    }
    return [&log, before] { restoreRows(log, before); };
}

void fillLog(DataSet& log, const QByteArray& stream) {
    log.emptyDataSet();
    int id = 0;
    bool shade = false;
    QDate lastDay;
    Event e;
    for (int i = 0; i < Records; ++i) {
        readRecord(stream, i, e);
        if (e.code == 0)
            continue;
        if (lastDay.isValid() && e.when.date() != lastDay)
            shade = !shade; // consecutive days alternate
        lastDay = e.when.date();
        log.append();
        auto set = [&](const char* field, const QVariant& v) {
            log.fieldByName(QLatin1String(field)).setValue(v);
        };
        set("_ID", ++id);
        set("_IDEvento", e.code);
        set("_Arg", e.arg);
        set("_Ora", e.when.time().hour());
        set("_Min", e.when.time().minute());
        set("_Sec", e.when.time().second());
        set("_Giorno", e.when.date().day());
        set("_Mese", e.when.date().month());
        set("_Anno", e.when.date().year());
        set("_Reading", e.reading);
        set("_Categoria", e.category);
        set("_Spare1", 0);
        set("_Spare2", 0);
        set("_Categoria1", eventCategoryText(e.category));
        set("_IDEvento1", eventText(e.code));
        set("_Arg1", eventObjectText(e.code, e.arg));
        set("_Data1", e.when.date().toString(QStringLiteral("dd/MM/yyyy")));
        set("_Ora1", e.when.time().toString(QStringLiteral("HH:mm:ss")));
        set("_Reading1", e.reading ? QStringLiteral("SI") : QStringLiteral("NO"));
        set("_DataOra1", e.when);
        set("_ColorEvent", e.category);
        set("_Log_ColorRowDate", shade);
        log.post();
    }
    if (log.recordCount() > 0)
        log.setRecNo(1);
}

} // namespace

EventKind eventKind(int code) {
    switch (code) {
    case 1:
    case 2:
    case 36:
        return EventKind::Partition;
    case 3:
    case 10:
    case 14:
    case 17:
    case 18:
    case 20:
    case 24:
    case 35:
        return EventKind::Input;
    case 9:
    case 21:
    case 22:
    case 28:
    case 29:
    case 30:
    case 38:
        return EventKind::User;
    case 13:
    case 23:
        return EventKind::Parameters;
    case 15:
    case 16:
    case 19:
    case 25:
    case 26:
    case 27:
    case 31:
    case 32:
    case 33:
    case 34:
    case 46:
    case 47:
        return EventKind::Peripheral;
    case 48:
    case 49:
    case 50:
    case 51:
        return EventKind::Radio;
    default:
        return EventKind::System;
    }
}

QString eventCategoryText(int category) {
    static const char* const texts[] = {"INSERIMENTI", "ALLARMI", "GUASTI", "SISTEMA"};
    return category >= 1 && category <= 4 ? QString::fromLatin1(texts[category - 1]) : QString();
}

QString eventText(int code) {
    static const QHash<int, const char*> texts = {
        {1, "INSERIMENTO PARZIALE"},
        {2, "DISINSERIMENTO PARZIALE"},
        {3, "ALLARME INGRESSO"},
        {4, "ACCENSIONE CENTRALE"},
        {5, "RESET EVENTI"},
        {6, "RESET GENERALE"},
        {7, "PROGRAMMAZIONE LOCALE"},
        {8, "TELEGESTIONE"},
        {9, "CODICE UTENTE"},
        {10, "TAMPER INGRESSO"},
        {11, "TAMPER CENTRALE"},
        {12, "TAMPER LINEA"},
        {13, "MANCANZA RETE 230V"},
        {14, "ESCLUSIONE INGRESSO"},
        {15, "TAMPER TASTIERA"},
        {16, "TAMPER ESPANSIONE"},
        {17, "RIPRISTINO INGRESSO"},
        {18, "INCLUSIONE INGRESSO"},
        {19, "GUASTO PERIFERICA"},
        {20, "ALLARME 24H"},
        {21, "INSERIMENTO DA UTENTE"},
        {22, "DISINSERIMENTO DA UTENTE"},
        {23, "BATTERIA BASSA"},
        {24, "RIPRISTINO TAMPER INGRESSO"},
        {25, "TAMPER PRESA"},
        {26, "PERIFERICA ASSENTE"},
        {27, "RIPRISTINO PERIFERICA"},
        {28, "CODICE ERRATO"},
        {29, "COERCIZIONE"},
        {30, "PANICO"},
        {31, "GUASTO GSM"},
        {32, "MANCANZA CAMPO GSM"},
        {33, "GUASTO MODULO LAN"},
        {34, "RIPRISTINO MODULO LAN"},
        {35, "AUTOESCLUSIONE INGRESSO"},
        {36, "MANCATO INSERIMENTO"},
        {37, "TEST PERIODICO"},
        {38, "ATTIVAZIONE USCITA"},
        {46, "GUASTO ESPANSIONE RADIO"},
        {47, "RIPRISTINO ESPANSIONE RADIO"},
        {48, "TAMPER DISPOSITIVO RADIO"},
        {49, "BATTERIA DISPOSITIVO RADIO"},
        {50, "SUPERVISIONE DISPOSITIVO RADIO"},
        {51, "RIPRISTINO DISPOSITIVO RADIO"},
    };
    const char* t = texts.value(code, nullptr);
    return t ? QString::fromLatin1(t) : QStringLiteral("EVENTO %1").arg(code);
}

QString eventObjectText(int code, int arg) {
    const QString none = QStringLiteral("-");
    auto named = [&](const char* kind, int number, DataSet* t) {
        const QString n = nameOf(t, number);
        return QStringLiteral("%1 %2").arg(QLatin1String(kind)).arg(number) +
               (n.isEmpty() ? QString() : QStringLiteral(": ") + n);
    };
    // Inputs, users and devices are counted from 1, so an argument 0 names none of them;
    // partitions are counted from 0, so 0 is the first one.
    switch (eventKind(code)) {
    case EventKind::Partition:
        return named("PARZIALE", arg + 1, DM ? DM->CDSet_Parziali : nullptr);
    case EventKind::Input:
        return arg == 0 ? none : named("INGRESSO", arg, DM ? DM->CDSet_Ingressi : nullptr);
    case EventKind::User:
        return arg == 0 ? none : named("UTENTE", arg, DM ? DM->CDSet_Utenti : nullptr);
    case EventKind::Radio:
        return arg == 0 ? none : named("DISPOSITIVO", arg, DM ? DM->CDSet_DeviceRadio : nullptr);
    default:
        return arg == 0 ? none : QString::number(arg);
    }
}

int eventLogStreamSize() {
    return StreamSize;
}

namespace {
TError decodeLogPart(int part, const QByteArray& payload) {
    return receivePart(CmdLogEventi, part, payload, StreamSize);
}
} // namespace

void installEventLogCodec() {
    setCommandParts(CmdLogEventi, StreamSize / 64);
    setCommandCodec(CmdLogEventi, nullptr, decodeLogPart);
    setStagedCommand(CmdLogEventi, 3, validateLog, applyLog);
}

} // namespace Codec
