#include "transfer/codec_errors.h"

#include "platform/dataset.h"

namespace Codec {
namespace {

// The areas of an installation as the installer knows them from the pages.
struct AreaTitle {
    const char* table;
    const char* title;
};
constexpr AreaTitle AreaTitles[] = {
    {"CDSet_Tabulon", "INSTALLAZIONE"},
    {"CDSet_ParVari", "PARAMETRI VARI"},
    {"CDSet_Ingressi", "INGRESSI"},
    {"CDSet_Adattamento", "ADATTAMENTO INGRESSI"},
    {"CDSet_Uscite", "USCITE"},
    {"CDSet_Utenti", "UTENTI"},
    {"CDSet_Parziali", "PARZIALI"},
    {"CDSet_Group", "GRUPPI"},
    {"CDSet_Messaggi", "VOCABOLI"},
    {"CDSet_Phone", "TELEFONI"},
    {"CDSet_ExpIngressi", "ESPANSIONI INGRESSI"},
    {"CDSet_ExpUscite", "ESPANSIONI USCITE"},
    {"CDSet_ExpRadio", "ESPANSIONI RADIO"},
    {"CDSet_ExpGSM", "ESPANSIONE GSM"},
    {"CDSet_ExpIP", "ESPANSIONE IP"},
    {"CDSet_Tastiere", "TASTIERE"},
    {"CDSet_Prese", "PRESE"},
    {"CDSet_Leds", "LED DELLE PRESE"},
    {"CDSet_DeviceRadio", "DISPOSITIVI RADIO 433"},
    {"CDSet_DeviceRadio800", "DISPOSITIVI RADIO 868"},
    {"CDSet_ContactID", "ADEMCO"},
    {"CDSet_ContactID_Eventi", "EVENTI CONTACT ID"},
    {"CDSet_FPT", "CODICI 4+2"},
    {"CDSet_Eventi_Sistema", "EVENTI DI SISTEMA"},
    {"CDSet_Time_Day", "GIORNI"},
    {"CDSet_Time_Timers", "TIMERS"},
    {"CDSet_Time_Utenti", "TIMERS, UTENTI"},
    {"CDSet_Time_Parziali", "TIMERS, PARZIALI"},
    {"CDSet_Time_Uscite", "TIMERS, USCITE"},
    {"CDSet_Time_Esclusione_Data", "DATE DI ESCLUSIONE"},
};

// Fields that travel, can be refused and have no title of their own: the captions of their pages.
struct FieldTitle {
    const char* field;
    const char* title;
};
constexpr FieldTitle FieldTitles[] = {
    {"_Net_LocalIPAddress", "INDIRIZZO IP"},
    {"_Net_LocalSubAddress", "SUBNET MASK"},
    {"_Net_LocalGwAddress", "GATEWAY"},
    {"_Net_DNS1", "DNS 1"},
    {"_Net_DNS2", "DNS 2"},
    {"_PSTN_ContactIdPriority", "PRIORITA' CONTACT ID"},
    {"_PSTN_VoicePriority", "PRIORITA' VOCE"},
};

QString areaTitle(const DataSet* t) {
    const QString name = t->name();
    for (const AreaTitle& a : AreaTitles)
        if (name == QLatin1String(a.table))
            return QString::fromUtf8(a.title);
    return name;
}

QString fieldTitle(const DataSet* t, const QString& fieldName) {
    for (const FieldTitle& f : FieldTitles)
        if (fieldName == QLatin1String(f.field))
            return QString::fromUtf8(f.title);
    const Field* f = t->findField(fieldName);
    return f ? f->displayName() : fieldName;
}

// "INGRESSI, riga 3 (PORTA)"; a row nested deeper than the installation's tables adds its
// master's: "TIMERS, riga 2, GIORNI, riga 1 (LUNEDI)". The installation's own row, and a table of one row
// (the various parameters), need no row.
QString rowPlace(DataSet* t, int recNo, const QString& fieldName) {
    const bool root = !t->master();
    if (root || t->recordCount() == 1)
        return areaTitle(t);
    QString place = QStringLiteral("%1, riga %2").arg(areaTitle(t)).arg(recNo);
    const Field* nome = t->findField(QStringLiteral("_Nome"));
    if (nome && nome->fieldName() != fieldName && recNo > 0) {
        const QString rowName = t->stringAt(recNo, nome->index()).trimmed();
        if (!rowName.isEmpty())
            place += QStringLiteral(" (%1)").arg(rowName);
    }
    if (DataSet* master = t->master(); master && master->master() && master->recNo() > 0)
        place += QStringLiteral(", ") + rowPlace(master, master->recNo(), QString());
    return place;
}

} // namespace

QString unsendableText(DataSet* table, int recNo, const QString& fieldName, const QString& reason) {
    if (!table)
        return reason;
    return QStringLiteral("%1, campo \"%2\": %3.")
        .arg(rowPlace(table, recNo, fieldName), fieldTitle(table, fieldName), reason);
}

} // namespace Codec
