// The data model: every table's fields with their types, sizes, edit masks and titles.
// Sizes follow what the panel stores (names of 16 to 30 characters, codes of 6 digits, IP
// addresses of 15 characters); list values are kept as their text.
#include "model/schema.h"

#include "model/datamodule.h"
#include "platform/dataset.h"

namespace ModelSchema {
namespace {

constexpr int kName = 30;
constexpr int kList = 16;
constexpr int kCode = 6;
constexpr int kIp = 15;
constexpr int kHost = 64;

class Table {
public:
    explicit Table(DataSet* ds) : m_ds(*ds) {}

    Table& text(const char* name, int size, const char* label = nullptr, const char* mask = nullptr) {
        Field& f = m_ds.addField(QString::fromLatin1(name), FieldType::String, size);
        describe(f, label, mask);
        return *this;
    }
    Table& onOff(const char* name, const char* label = nullptr) { return text(name, 3, label); }
    Table& integer(const char* name, const char* label = nullptr) {
        describe(m_ds.addField(QString::fromLatin1(name), FieldType::Integer), label, nullptr);
        return *this;
    }
    Table& boolean(const char* name, const char* label = nullptr) {
        describe(m_ds.addField(QString::fromLatin1(name), FieldType::Boolean), label, nullptr);
        return *this;
    }
    Table& memo(const char* name, const char* label = nullptr) {
        describe(m_ds.addField(QString::fromLatin1(name), FieldType::Memo), label, nullptr);
        return *this;
    }
    Table& dateTime(const char* name, const char* label = nullptr) {
        describe(m_ds.addField(QString::fromLatin1(name), FieldType::DateTime), label, nullptr);
        return *this;
    }
    Table& nested(const char* name, DataSet* detail) {
        m_ds.addNestedField(QString::fromLatin1(name), *detail);
        return *this;
    }

    // A numbered run of fields: prefix + first .. prefix + last; `label` may hold "%1".
    Table& texts(const char* prefix, int first, int last, int size, const char* label = nullptr) {
        for (int i = first; i <= last; ++i)
            text(numbered(prefix, i).constData(), size, labelOf(label, i).constData());
        return *this;
    }
    Table& onOffs(const char* prefix, int first, int last, const char* label = nullptr) {
        return texts(prefix, first, last, 3, label);
    }
    Table& integers(const char* prefix, int first, int last, const char* label = nullptr) {
        for (int i = first; i <= last; ++i)
            integer(numbered(prefix, i).constData(), labelOf(label, i).constData());
        return *this;
    }
    Table& booleans(const char* prefix, int first, int last, const char* label = nullptr) {
        for (int i = first; i <= last; ++i)
            boolean(numbered(prefix, i).constData(), labelOf(label, i).constData());
        return *this;
    }
    // `_Msg1`.. with their twin indexes `_IMsg1`..
    Table& messages(int count, int size, const char* label = nullptr) {
        texts("_Msg", 1, count, size, label);
        return integers("_IMsg", 1, count);
    }

private:
    static QByteArray numbered(const char* prefix, int i) {
        return QByteArray(prefix) + QByteArray::number(i);
    }
    static QByteArray labelOf(const char* label, int i) {
        if (!label)
            return QByteArray();
        const QString text = QString::fromUtf8(label);
        return (text.contains(QLatin1String("%1")) ? text.arg(i) : text).toUtf8();
    }
    static void describe(Field& f, const char* label, const char* mask) {
        if (label && *label)
            f.displayLabel = QString::fromUtf8(label);
        if (mask)
            f.editMask = QString::fromLatin1(mask);
    }

    DataSet& m_ds;
};

void buildRoot(TDM& dm) {
    Table t(dm.CDSet_Tabulon);
    t.text("_NomeCliente", kName, "Nome Cliente")
        .text("_TelTelegestione", 16, "Telefono Telegestione")
        .text("_PswTeleGestione", kCode, "Password", "999999;1;_")
        .text("_PswInstallatore", kCode, "CODICE TECNICO", "999999;1;_")
        .text("_PswReset", kCode, "CODICE RESET CHIAMATE", "999999;1;_")
        .integer("_IDCentrale", "Sistema")
        .text("_TipoCentrale", 20, "Modello")
        .memo("_IndirizzoCliente", "Indirizzo Cliente")
        .memo("_Nota", "Nota")
        .texts("_ContactID_IDImp", 1, 8, 8, "ID PRG%1")
        .boolean("_Net_DHCP", "DHCP")
        .text("_Net_LocalIPAddress", kIp)
        .text("_Net_LocalSubAddress", kIp)
        .text("_Net_LocalGwAddress", kIp)
        .text("_Net_DNS1", kIp)
        .text("_Net_DNS2", kIp)
        .onOff("_Net_GPRS_Enable")
        .text("_Net_GPRS_APN", kHost)
        .text("_Net_GPRS_UserName", kName)
        .text("_Net_GPRS_PSW", kName)
        .text("_Net_GPRS_MonitorAddress", kHost)
        .text("_Net_GPRS_MonitorPort", 5)
        .text("_Net_GPRS_Monitor_ID", 16)
        .text("_Net_GPRS_Monitor_Timeout", kList)
        .text("_Net_GPRS_SMS", 16)
        .text("_Net_GPRS_Session_Timeout", kList)
        .text("_Net_ADEMCO_Codifica", 3)
        .text("_Net_GPRS_RemoteAddress1", kHost)
        .text("_Net_GPRS_RemotePort1", 5)
        .text("_Net_GPRS_RemoteAddress2", kHost)
        .text("_Net_GPRS_RemotePort2", 5)
        .text("_Net_GPRS_IP1Proto", 3)
        .text("_Net_GPRS_IP2Proto", 3)
        .boolean("_Net_Cloud_Enable", "SERVIZIO CLOUD")
        .text("_Net_UserName", kName)
        .text("_Net_PSW", kName)
        .text("_NomeSistema", kName)
        .text("_Net_CloudName", kHost)
        .text("_Net_URL1", kHost)
        .text("_Net_URL2", kHost)
        .text("_Net_URL3", kHost)
        .boolean("_NET_Notify_Ins", "INSERIMENTI")
        .boolean("_Net_Notify_Utenti", "UTENTI")
        .boolean("_Net_Notify_Allarmi", "ALLARMI")
        .onOff("_PSTN_LineControl")
        .onOff("_PSTN_dialtoneControl")
        .text("_PSTN_CallDelay", kList)
        .text("_PSTN_ContactIdPriority", kList)
        .text("_PSTN_VoicePriority", kList)
        .onOff("_PSTN_Notify")
        .text("_PSTN_AmpDTMF", kList)
        .text("_PSTN_SkypSegretery", kList)
        .text("_PSTN_PauseRingB", kList)
        .onOff("_PSTN_CtrlRingB")
        .texts("_Net_Priority", 1, 4, 2, "#%1")
        .text("_Timer_TempoPreavviso", kList, "TEMPO DI PREAVVISO");

    // The installation's configuration areas, each nested in its row.
    t.nested("_ParVari", dm.CDSet_ParVari)
        .nested("_Ingressi", dm.CDSet_Ingressi)
        .nested("_Adattamento", dm.CDSet_Adattamento)
        .nested("_Uscite", dm.CDSet_Uscite)
        .nested("_Utenti", dm.CDSet_Utenti)
        .nested("_Parziali", dm.CDSet_Parziali)
        .nested("_Group", dm.CDSet_Group)
        .nested("_Messaggi", dm.CDSet_Messaggi)
        .nested("_Phone", dm.CDSet_Phone)
        .nested("_ExpIngressi", dm.CDSet_ExpIngressi)
        .nested("_ExpUscite", dm.CDSet_ExpUscite)
        .nested("_ExpRadio", dm.CDSet_ExpRadio)
        .nested("_ExpGSM", dm.CDSet_ExpGSM)
        .nested("_ExpIP", dm.CDSet_ExpIP)
        .nested("_Tastiere", dm.CDSet_Tastiere)
        .nested("_Prese", dm.CDSet_Prese)
        .nested("_DeviceRadio", dm.CDSet_DeviceRadio)
        .nested("_DeviceRadio800", dm.CDSet_DeviceRadio800)
        .nested("_ZoneRadio", dm.CDSet_ZoneRadio)
        .nested("_Log", dm.CDSet_Log)
        .nested("_Time_Day", dm.CDSet_Time_Day)
        .nested("_Time_Esclusione_Data", dm.CDSet_Time_Esclusione_Data)
        .nested("_ContactID", dm.CDSet_ContactID)
        .nested("_ContactID_Eventi", dm.CDSet_ContactID_Eventi)
        .nested("_FPT", dm.CDSet_FPT)
        .nested("_Eventi_Sistema", dm.CDSet_Eventi_Sistema);
}

void buildParVari(TDM& dm) {
    Table t(dm.CDSet_ParVari);
    t.integer("_Lunghezza_codici", "LUNGHEZZA CODICI")
        .integer("_RicaricaBatteria", "Carica Batteria")
        .integer("_TipoApprendimento", "TIPO APPRENDIMENTO RADIO")
        .text("_TipoTamperLinea", kList, "TAMPER LINEA")
        .onOff("_TamperLinea", "ABILITA")
        .onOff("_InserimentoRapido", "INSERIMENTO RAPIDO")
        .onOff("_VivaVoce", "VIVA VOCE")
        .onOff("_Manutenzione", "MANUTENZIONE")
        .onOff("_TampeCentrale", "TAMPER CENTRALE")
        .onOff("_TamperPeriferiche", "TAMPER Periferiche")
        .text("_TempoSirena", kList, "TEMPO SIRENA")
        .text("_CicliSirena", kList, "CICLI SIRENA")
        .text("_PausaSirena", kList, "PAUSA SIRENA")
        .onOff("_SirenaInTastiera", "SIRENA IN TASTIERA")
        .booleans("_Sqk_Local_Pz", 1, 8, "LOCAL %1")
        .booleans("_Sqk_Remote_Pz", 1, 8, "REMOTE %1")
        .boolean("_InsVisivo")
        .boolean("_InsSonoro")
        .boolean("_MemVisiva")
        .boolean("_MemSonora")
        .text("_Sqk_Time", kList, "Time")
        .text("_CicliAutoesc", kList, "CICLI AUTOESCLUSIONE")
        .onOff("_VisualizzaStatoImp", "VISUALIZZAZIONE STATO")
        .onOff("_VisualizzaZone", "VISUALIZZAZIONE ZONE")
        .text("_TimeNo220", kList, "Tempo NO 230Va (min.)")
        .onOff("_EN50131", "EN 50131")
        .onOff("_AccettaChiamate", "ACCETTA CHIAMATE")
        .text("_LifeTestHourStart", kList, "ORA")
        .text("_LifeTestMinStart", kList, "MINUTI")
        .text("_LifeTestDay", kList, "GIORNI")
        .text("_LifeTestHour", kList, "ORE")
        .text("_LifeTesMin", kList, "MINUTI")
        .onOff("_SquilloPassante", "SQUILLO PASSANTE")
        .text("_DelayEventi", kList, "RITARDO TRA EVENTI")
        .text("_SquilliRisposta", kList, "SQUILLI ALLA RISPOSTA")
        .onOff("_SaturazioneRadio", "SATURAZIONE RADIO")
        .onOff("_DisturboRadio", "DISTURBO RADIO")
        .boolean("_Ora_legale", "Ora Legale")
        .onOff("_BLKNO220", "MANCANZA TENSIONE AC")
        .onOff("_BLKbatteria", "BATTERIA")
        .onOff("_BLKGSM", "MANCANZA CAMPO GSM")
        .onOff("_BLKTamperPeriferica", "TAMPER PERIFERICA")
        .onOff("_BLKTamperLinea", "TAMPER LINEA")
        .onOff("_BLKTamper", "TAMPER")
        .onOff("_BLKPSTN", "MANCANZA LINEA PSTN TEST")
        .onOff("_BLKGuastoInterconnessione", "guasto interconnessione")
        .onOff("_BLKNORadioActiv", "BLOCCO INATTIVITà RADIO")
        .text("_IDC_NumTentativi", kList)
        .text("_IDC_AmpImpulso", kList, "AMPIEZZA DTMF SU GSM")
        .onOff("_IDC_RipristinoZone")
        .onOff("_IDC_RitardoRipristino", "RITARDO RIPRISTINO")
        .text("_TempoTentativiChiamate", kList, "TEMPO TENTATIVI CHIAMATE")
        .text("_NumTentativiChiamate", kList, "TENTATIVI CHIAMATE")
        .text("_AttesaRisposta", kList, "ATTESA ALLA RISPOSTA")
        .text("_RipetizioneMessaggio", kList, "RIPETIZIONE MESSAGGIO");
}

void buildInputs(TDM& dm) {
    Table t(dm.CDSet_Ingressi);
    t.integer("_ID", "N°")
        .text("_Nome", kName, "ZONA")
        .messages(4, kName, "MESSAGGIO %1")
        .text("_FuncIngresso", 64, "FUNZIONE")
        .text("_TipoIngresso", 64, "TIPO INGRESSO")
        .text("_AttSirIngresso", 64, "SIRENA")
        .integer("_TimeInIngresso", "TEMPO INGRESSO")
        .integer("_ImpulsiIngresso", "IMPULSI")
        .integer("_CicliEsclusione", "CICLI ESCLUSIONE")
        .text("_TipoNc", 16, "POLARITà")
        .boolean("_Test", "TEST")
        .boolean("_BloccoEx", "BLOCCO ESCLUSIONE")
        .boolean("_AutoEx", "AUTOESCLUSIONE")
        .boolean("_BuzzTast", "BUZZER TASTIERA")
        .boolean("_Reinclusion", "REINCLUSIONE")
        .texts("_TipoChiamataTel", 1, 8, 64, "Tel. %1")
        .booleans("_Pz", 1, 8, "P%1")
        .boolean("_EnablePzX")
        .text("_LinkUser", 64, "UTENTE")
        .integer("_LinkUserID")
        .text("_FPT_AllZona", 2, "ALLARME")
        .text("_FPT_RipAllZona", 2, "RIPRISTINO")
        .text("_FPT_CodEscZona", 2, "ESCLUSIONE");

    Table(dm.CDSet_Adattamento)
        .integer("_ID", "N°")
        .text("_Nome", kName, "INGRESSO")
        .text("_Adattamento", kList, "ADATTAMENTO");
}

void buildOutputs(TDM& dm) {
    Table t(dm.CDSet_Uscite);
    t.integer("_ID", "N°")
        .text("_Nome", kName, "ETICHETTA")
        .messages(4, 16, "MESSAGGIO %1")
        .text("_FunzioneUscita", 64, "FUNZIONI")
        .text("_CondFunzionamento", 64, "CONDIZIONE DI FUNZIONAMENTO")
        .text("_Polarita", 64, "POLARITà")
        .text("_PulseDuration", 8, "DURATA IMPULSO", "!99:99:99;1;_")
        .text("_PulseDelay", 8, "RITARDO IMPULSO", "!99:99:99;1;_")
        .boolean("_AutoReset", "AUTO RESET")
        .booleans("_AssociaTel", 1, 8, "TELEFONO %1")
        .boolean("_EnableAssociaTelx");

    Table(dm.CDSet_InLink).integer("_ID", "N°").text("_Nome", 128, "INGRESSI ASSOCIATI").boolean("_Enable");
    Table(dm.CDSet_UserLink)
        .integer("_ID", "N°")
        .text("_Nome", kName, "UTENTI ASSOCIAZIONI")
        .boolean("_Enable");
    t.nested("_Uscita_Ingresso", dm.CDSet_InLink).nested("_Uscita_Utente", dm.CDSet_UserLink);
}

void buildUsersPartitionsGroups(TDM& dm) {
    Table(dm.CDSet_Utenti)
        .integer("_ID", "N°")
        .text("_Nome", kName, "NOME UTENTE")
        .text("_Codice", kCode, "CODICE", "999999;1;_")
        .text("_TipolUtenti", 60, "PRIVILEGI")
        .booleans("_Pz", 1, 8, "PARZIALI %1")
        .booleans("_Grp", 1, 4, "GRUPPO %1")
        .text("_FPT_Ins", 2, "INSERIMENTO")
        .text("_FPT_Dis", 2, "DISINSERIMENTO");

    Table(dm.CDSet_Zone).integer("_ID", "N°").text("_Nome", 128).boolean("_Enabled");
    Table(dm.CDSet_Parziali)
        .integer("_ID", "N°")
        .text("_Nome", kName, "ETICHETTA")
        .text("_Msg1", 16, "MESSAGGIO")
        .integer("_IMsg1")
        .integer("_TempoUscita", "TEMPO DI USCITA (Sec.)")
        .nested("_Zone", dm.CDSet_Zone);

    Table(dm.CDSet_Partial).integer("_ID", "N°").text("_Nome", kName).boolean("_Enable").integer("_default");
    Table(dm.CDSet_Group)
        .integer("_ID", "N°")
        .text("_Nome", kName, "ETICHETTA")
        .boolean("_Enable")
        .messages(4, kName, "MESSAGGIO %1")
        .nested("_Parzial", dm.CDSet_Partial);

    Table(dm.CDSet_Messaggi)
        .integer("_ID", "N°")
        .text("_Messaggio", 16, "MESSAGGIO", ">CCCCCCCCCCCCCCCC;1;_");
}

void buildPhonesAndPeripherals(TDM& dm) {
    Table(dm.CDSet_Phone)
        .integer("_ID", "N°")
        .text("_Nome", 16, "ETICHETTA")
        .text("_PrefixPSTN", 16, "Prefisso PSTN", "!#;1;_")
        .text("_PrefixGSM", 16, "Prefisso GSM", "!#99;1;_")
        .text("_Tel", 16, "NUMERI", "!#999999999999999;1;_")
        .boolean("_ConfermaRisposta", "CONFERMA RISPOSTA")
        .boolean("_AccessoDiretto", "ACCESSO DIRETTO MENU")
        .boolean("_ResetAutomatico", "RESET CODA CHIAMATE")
        .boolean("_TelProg", "TEL PROG.")
        .integer("_TipoChiamata")
        .texts("_Ev", 1, 16, kName);

    for (DataSet* ds :
         {dm.CDSet_ExpIngressi, dm.CDSet_ExpUscite, dm.CDSet_ExpRadio, dm.CDSet_ExpGSM, dm.CDSet_ExpIP})
        Table(ds).integer("_ID", "ID").text("_Nome", kName, "ETICHETTA").boolean("_Enable", "ABILITA");

    Table(dm.CDSet_Tastiere)
        .integer("_ID", "N°")
        .text("_Nome", kName, "ETICHETTA")
        .boolean("_Enable", "ABILITA")
        .boolean("_Sound1", "SUONO TASTI")
        .boolean("_Sound2", "SUONO TEMPO INGRESSO")
        .boolean("_Sound3", "SUONO TEMPO USCITA")
        .boolean("_Sound4", "CHIME")
        .text("_M1", 64, "T1")
        .text("_M2", 64, "T2");

    Table(dm.CDSet_Leds).integer("_ID", "N°").text("_Nome", kName, "PRESA").booleans("_Led", 1, 4, "LED %1");
    Table(dm.CDSet_Prese)
        .integer("_ID", "N°")
        .text("_Nome", kName, "ETICHETTA")
        .boolean("_Enable", "ABILITA")
        .boolean("_Sound1", "SUONO TEMPO INGRESSO")
        .boolean("_Sound2", "SUONO TEMPO USCITA")
        .boolean("_Sound3", "CHIME")
        .nested("_Leds", dm.CDSet_Leds);
}

void buildRadio(TDM& dm) {
    Table(dm.CDSet_DeviceRadio)
        .integer("_ID", "N°")
        .text("_ExpNum", kName, "Esp. N°")
        .text("_Nome", 16, "NOME")
        .text("_NomeDevice", kName, "TIPO")
        .integer("_Tipo")
        .integer("_Batt", "BATT.")
        .integer("_Segnale", "SEGNALE")
        .integer("_Supervisione", "SUPERVISIONE")
        .texts("_Input", 1, 5, 64, "ASSOCIAZIONE")
        .integers("_In", 1, 5);

    Table t(dm.CDSet_DeviceRadio800);
    t.integer("_ID", "N°")
        .text("_ExpNum", kName, "Esp. N°")
        // Any character, upper-cased, up to 16: the names the radio page composes ("VIRNA800 D.30")
        // must be typable again.
        .text("_Nome", 16, "NOME", ">cccccccccccccccc;1;_")
        .text("_NomeDevice", kName, "TIPO")
        .integer("_Tipo")
        .text("_ID_Radio", 10, "CODICE", ">AAAAAAAAAA;1;_")
        .integer("_Batt", "BATT.")
        .integer("_Segnale", "SEGNALE")
        .texts("_Input", 1, 5, 64, "ASSOCIAZIONE")
        .integers("_In", 1, 5)
        .integers("_InAssociato", 1, 5)
        .integer("_RemCrt_User", "UTENTE")
        .boolean("_RemCrt_Led", "LED")
        .boolean("_RemCrt_WakeUp", "WAKEUP")
        .integer("_RemCrt_Switch", "CICLI SWITCH")
        .integer("_RemCrt_Sensibility", "SENSIBILITà")
        .boolean("_RemCrt_PanicOn", "PANICO SILENZIOSO")
        .boolean("_RemCrt_PanicOff", "PANICO RUMOROSO")
        .boolean("_RemCrt_TestMode", "TEST MODE");
    for (int key = 1; key <= 4; ++key)
        t.booleans(QByteArray("_RemCrt_T" + QByteArray::number(key) + "_Led").constData(), 1, 4, "LED %1");
    t.integers("_RemCrt_OutT", 1, 4, "OUTPUT")
        .integers("_RemCrt_ONOFF_OUT", 1, 4)
        .integers("_RemCrt_ONOFF_PRG", 1, 4);
    for (int key = 1; key <= 4; ++key)
        t.booleans(QByteArray("_RemCrt_T" + QByteArray::number(key) + "P").constData(), 1, 8, "%1");
    t.boolean("_RemCrt_Buzzer", "BUZZER").boolean("_RemCrt_DoubleImp", "DOPPIO IMPULSO");

    Table(dm.CDSet_ZoneRadio).integer("_ID", "N°").text("_Nome", 64);
}

void buildLog(TDM& dm) {
    // The order of the fields is the order of the event-log export.
    Table(dm.CDSet_Log)
        .integer("_ID", "N°")
        .integer("_IDEvento")
        .integer("_Arg")
        .integer("_Ora")
        .integer("_Min")
        .integer("_Giorno")
        .integer("_Mese")
        .integer("_Anno")
        .integer("_Reading")
        .integer("_Sec")
        .integer("_Categoria")
        .integer("_Spare1")
        .integer("_Spare2")
        .text("_Categoria1", 64, "TIPOLOGIA EVENTO")
        .text("_IDEvento1", 64, "DESCRIZIONE EVENTO")
        .text("_Arg1", 64, "OGGETTO")
        .text("_Data1", 10)
        .text("_Ora1", 8)
        .text("_Reading1", 32, "LETTO")
        .dateTime("_DataOra1", "DATA/ORA")
        .integer("_ColorEvent", " ")
        .boolean("_Log_ColorRowDate");
}

void buildScheduler(TDM& dm) {
    Table(dm.CDSet_Time_Utenti)
        .integer("_ID", "N°")
        .text("_Nome", kName, "UTENTE")
        .text("_OnOff", kName, "AZIONE");
    Table(dm.CDSet_Time_Parziali)
        .integer("_ID", "N°")
        .text("_Nome", kName, "PARZIALI")
        .text("_OnOff", kName, "AZIONE");
    Table(dm.CDSet_Time_Uscite)
        .integer("_ID", "N°")
        .text("_Nome", kName, "USCITE")
        .text("_OnOff", kName, "AZIONE");
    Table(dm.CDSet_Time_Timers)
        .integer("_ID", "N°")
        .text("_Nome", kName, "TIMER")
        .text("_Ora", 5, "ORA", "!90:00;1;_")
        .booleans("_DataEscusione", 1, 8, " ")
        .nested("_Time_Utenti", dm.CDSet_Time_Utenti)
        .nested("_Time_Parziali", dm.CDSet_Time_Parziali)
        .nested("_Time_Uscite", dm.CDSet_Time_Uscite);
    Table(dm.CDSet_Time_Day)
        .integer("_ID", "N°")
        .text("_Nome", kName, "GIORNO")
        .nested("_Timers", dm.CDSet_Time_Timers);
    Table(dm.CDSet_Time_Esclusione_Data)
        .integer("_ID", "N°")
        .text("_Nome", 16, "Esclusione")
        .text("_Data1", 5, "INIZIO DATA(GG/MM)", "!00/00;1;_")
        .text("_Data2", 5, "FINE DATA(GG/MM)", "!00/00;1;_");
}

void buildReporting(TDM& dm) {
    Table(dm.CDSet_ContactID)
        .integer("_ID", "N°")
        .text("_Nome", kName, "ETICHETTA")
        .text("_PrefixPSTN", 16, "Prefisso PSTN", "!#;1;_")
        .text("_PrefixGSM", 16, "Prefisso GSM", "!#99;1;_")
        .text("_Tel", 16, "NUMERO", "!#999999999999999;1;_")
        .text("_FPT_Cod", 32, "CODIFICA");
    Table(dm.CDSet_ContactID_Eventi)
        .integer("_ID", "N°")
        .text("_Nome", 72, "EVENTI")
        .text("_CodiceIDC", 3, "CODICE IDC")
        .boolean("_Tel1", "ABILITA")
        .booleans("_Tel", 2, 8, "TELEFONO %1");
    Table(dm.CDSet_FPT).integer("_ID", "N°").text("_Nome", 64, "EVENTO").text("_Code", 2, "CODICE");
    Table(dm.CDSet_Eventi_Sistema)
        .integer("_ID", "ID")
        .text("_Nome", 64, "EVENTO")
        .texts("_Tel", 1, 8, kName, "TELEFONO %1");
}

} // namespace

void build(TDM& dm) {
    // Details first: a nested field takes its detail table as it is.
    buildParVari(dm);
    buildInputs(dm);
    buildOutputs(dm);
    buildUsersPartitionsGroups(dm);
    buildPhonesAndPeripherals(dm);
    buildRadio(dm);
    buildLog(dm);
    buildScheduler(dm);
    buildReporting(dm);
    buildRoot(dm);
}

} // namespace ModelSchema
