// Every fixed text of the vocabulary: lists, type and channel names, event names and codes,
// the default message words. Texts the panel's description does not give are this program's
// own and are marked UNVERIFIED (see docs/model-gaps.md).
#include "model/langtexts.h"
#include "model/lang.h"

#define S QStringLiteral

namespace LangTexts {

// Positions 0..15 one-zone wirings, 16..21 two zones on one terminal, 22 three zones.
const QStringList InputWirings = {
    S("Non Configurato"),  S("No-EOL"),          S("Switch Alarm"),  S("Radio"),      S("1B-1K"),
    S("1B-2k2"),           S("1B-3k3"),          S("1B-3k9"),        S("1B-4k7"),     S("1B-6k8"),
    S("1B-8k2"),           S("2B-4k7-2k2"),      S("2B-6k8-3k3"),    S("2B-2k2-1k"),  S("2B-6k8-6k8"),
    S("3B-2k2-1k-4k7"),    S("2Z-4k7-8k2"),      S("2Z-4k7-2k2"),    S("2Z-3k9-6k8"), S("2Z-T-3k9-6k8-3k9"),
    S("2Z-T-4k7-8k2-2k2"), S("2Z-T-4k7-2k2-1k"), S("3Z-4k7-2k2-1k"),
};

// UNVERIFIED: 23 distinct codes in wiring order.
const QStringList InputWiringSigns = {
    S("0"), S("1"), S("2"), S("3"), S("4"), S("5"), S("6"), S("7"), S("8"), S("9"), S("A"), S("B"),
    S("C"), S("D"), S("E"), S("F"), S("G"), S("H"), S("J"), S("K"), S("L"), S("M"), S("N"),
};

// UNVERIFIED placeholders: the wirings an input of a two-zone or three-zone terminal may take.
const QStringList InputWiringsR2 = {
    S("Non Configurato"),  S("Radio"),           S("2Z-4k7-8k2"),
    S("2Z-4k7-2k2"),       S("2Z-3k9-6k8"),      S("2Z-T-3k9-6k8-3k9"),
    S("2Z-T-4k7-8k2-2k2"), S("2Z-T-4k7-2k2-1k"),
};
const QStringList InputWiringsR3 = {S("Non Configurato"), S("Radio"), S("3Z-4k7-2k2-1k")};

// "On/Off" "O", "Solo ON" "Z", "Solo OFF" "Y" are given; the other nine are UNVERIFIED.
const QStringList InputFunctions = {
    S("Istantaneo"), S("Ritardato"),   S("Percorso"),    S("24 Ore"), S("Incendio"), S("Panico"),
    S("Rapina"),     S("Allagamento"), S("Tecnologico"), S("On/Off"), S("Solo ON"),  S("Solo OFF"),
};
const QStringList InputFunctionSigns = {
    S("I"), S("R"), S("P"), S("H"), S("F"), S("A"), S("B"), S("L"), S("T"), S("O"), S("Z"), S("Y"),
};

// UNVERIFIED.
const QStringList InputSirens = {S("Sirene Interne ed Esterne"), S("Solo Sirena Interna"), S("Silenzioso")};
const QStringList InputSirenSigns = {S("E"), S("I"), S("S")};

// UNVERIFIED (at most 16 characters: the field holding it is 16 wide).
const QStringList InputPolarities = {S("CHIUSO (NC)"), S("APERTO (NA)")};
const QStringList InputPolaritySigns = {S("C"), S("A")};

// One master list; each model's list is its first ModelFeatures::outputFunctions entries, so the
// four functions the editors look up ("Codice User" 1, "Pilot" 2, "Ingresso" 9,
// "Multi Funzione" 24) have the same text, position and sign in every model. The other texts
// and their signs are UNVERIFIED.
const QStringList OutputFunctions = {
    S("Non Configurato"),   S("Codice User"),           S("Pilot"),
    S("Allarme"),           S("Allarme Incendio"),      S("Allarme Panico"),
    S("Allarme Rapina"),    S("Allarme Tecnologico"),   S("Allarme Tamper"),
    S("Ingresso"),          S("Impianto Inserito"),     S("Impianto Disinserito"),
    S("Tempo di Ingresso"), S("Tempo di Uscita"),       S("Guasto Rete 230V"),
    S("Batteria Bassa"),    S("Guasto Linea PSTN"),     S("Mancanza Campo GSM"),
    S("Memoria Allarme"),   S("Zone Escluse"),          S("Campanello (Chime)"),
    S("Coercizione"),       S("Guasto Comunicazione"),  S("Timer"),
    S("Multi Funzione"),    S("Sirena Esterna"),        S("Sirena Interna"),
    S("Test in Vita"),      S("Reset Rivelatori Fumo"), S("Comando Remoto Cloud"),
    S("Guasto Espansione"), S("Sabotaggio Radio"),      S("Batteria Bassa Radio"),
};
const QStringList OutputFunctionSigns = {
    S("N"), S("U"), S("P"), S("A"), S("F"), S("K"), S("R"), S("T"), S("M"), S("I"), S("S"),
    S("D"), S("E"), S("X"), S("G"), S("B"), S("L"), S("C"), S("Y"), S("Z"), S("H"), S("Q"),
    S("J"), S("O"), S("W"), S("1"), S("2"), S("V"), S("3"), S("4"), S("5"), S("6"), S("7"),
};

const QStringList OutputConditionsTAVEK = {
    S("Solo ad impianto disinserito"),
    S("Sempre"),
    S("Totale"),
    S("Almeno un parziale"),
    S("PARZIALE 1"),
    S("PARZIALE 2"),
    S("PARZIALE 3"),
    S("PARZIALE 4"),
};
const QStringList OutputConditionsMIRUN = {
    S("Solo ad impianto disinserito"),
    S("Sempre"),
    S("Totale"),
    S("Almeno un parziale"),
    S("PARZIALE 1"),
    S("PARZIALE 2"),
    S("PARZIALE 3"),
    S("PARZIALE 4"),
    S("PARZIALE 5"),
    S("PARZIALE 6"),
    S("PARZIALE 7"),
    S("PARZIALE 8"),
};
const QStringList OutputConditionSignsTAVEK = {S("D"), S("S"), S("T"), S("A"),
                                               S("1"), S("2"), S("3"), S("4")};
const QStringList OutputConditionSignsMIRUN = {S("D"), S("S"), S("T"), S("A"), S("1"), S("2"),
                                               S("3"), S("4"), S("5"), S("6"), S("7"), S("8")};

const QStringList OutputPolarities = {S("NORMALE"), S("INVERTITA")};
const QStringList OutputPolaritySigns = {S("N"), S("I")};

} // namespace LangTexts

namespace Lang {

const QStringList CSL_DEVRADIO = {
    S("----"),     S("ULMO400"),  S("MERLA400"),        S("VIRNA400"), S("BOLDO400"),
    S("PALVO400"), S("RUSTA400"), S("TASPAD WIRELESS"), S("OBRIN400"), S("Device sconosciuto"),
};
const QStringList CSL_DEV_800_RADIO = {
    QString(),      S("ULMO800"),  S("MERLA800"), S("VIRNA800"), S("BOLDO800"),
    S("VIRNA800T"), S("TORVO800"), S("RUSTA800"), S("LIRNO800"), S("PALVO800"),
};

const QStringList TULMO400Ch = {S("Reed"), S("Contatto esterno"), S("Switch Alarm")};
const QStringList TMERLA400Ch = {S("Reed"), S("Contatto esterno")};
const QStringList TVIRNA400Ch = {S("PIR")};
const QStringList TVIRNAT400Ch = {S("PIR"), S("Contatto esterno")};
const QStringList TBOLDO400Ch = {S("Tasto 2"), S("Tasto 3"), S("Disinserimento"), S("Tasto 1"),
                                 S("Inserimento Totale")};
const QStringList TTASPAD_WIRELESSCh = {S("Tasto 2"), S("Tasto 3"), S("Disinserimento"), S("Tasto 1"),
                                        S("Inserimento Totale")};
const QStringList TPALVO400Ch = {S("Sensore fumo")};
const QStringList TRUSTA400Ch = {S("Inerziale/vibrazione"), S("Reed")};
const QStringList TOBRIN400Ch = {S("PIR")};
const QStringList TRUSTA800Ch = {S("Inerziale/vibrazione"), S("Contatto esterno")};

const QStringList MSG_PHONEASSIGNED = {S("-"), S("SMS"), S("Voce"), S("Voce + SMS")};
const QStringList MSG_TIMERS1 = {S("DISABILITA"), S("ABILITA"), S("NON ASSEGNATO")};
const QStringList MSG_TIMERS2 = {S("DISATTIVA"), S("ATTIVA"), S("NON ASSEGNATO")};

// Rows 19..23 are given; rows 1..18 are UNVERIFIED.
const QStringList CSL_SYSTEM_EVENTS_GRID_LABEL = {
    S("MANCANZA RETE 230V"),
    S("RIPRISTINO RETE 230V"),
    S("BATTERIA BASSA"),
    S("RIPRISTINO BATTERIA"),
    S("TAMPER CENTRALE"),
    S("TAMPER PERIFERICA"),
    S("TAMPER LINEA"),
    S("GUASTO LINEA PSTN"),
    S("RIPRISTINO LINEA PSTN"),
    S("MANCANZA CAMPO GSM"),
    S("GUASTO ESPANSIONE"),
    S("SUPERVISIONE RADIO"),
    S("BATTERIA BASSA RADIO"),
    S("ACCECAMENTO RADIO"),
    S("CODICE ERRATO"),
    S("COERCIZIONE"),
    S("PANICO"),
    S("TEST IN VITA"),
    S("INSERIMENTO SISTEMA"),
    S("DISINSERIMENTO TOTALE"),
    S("DISINSERIMENTO PARZIALE"),
    S("CREDITO SOTTO SOGLIA"),
    S("SMS ECHO"),
};

// UNVERIFIED: the fifteen system events of the 4+2 format.
const QStringList CSL_FPT_NAME_LIST = {
    S("MANCANZA RETE 230V"), S("RIPRISTINO RETE 230V"),
    S("BATTERIA BASSA"),     S("RIPRISTINO BATTERIA"),
    S("TAMPER CENTRALE"),    S("RIPRISTINO TAMPER CENTRALE"),
    S("TAMPER PERIFERICA"),  S("RIPRISTINO TAMPER PERIFERICA"),
    S("GUASTO LINEA PSTN"),  S("RIPRISTINO LINEA PSTN"),
    S("COERCIZIONE"),        S("PANICO"),
    S("TEST PERIODICO"),     S("CODICE ERRATO"),
    S("RESET GENERALE"),
};

// Rows 1 "SIRENA", 2 "TAMPER ZONA", 5 "NO CAMPO GSM", 22 "RESET EVENTI" and 23
// "RESET GENERALE" are given; the other names and every code are UNVERIFIED (codes from the
// public Contact ID event list).
const QStringList CSL_IDCEVENTS_CONSTANT = {
    S("SIRENA"),
    S("TAMPER ZONA"),
    S("TAMPER CENTRALE"),
    S("MANCANZA RETE 230V"),
    S("NO CAMPO GSM"),
    S("BATTERIA BASSA"),
    S("GUASTO LINEA PSTN"),
    S("INSERIMENTO TOTALE"),
    S("INSERIMENTO PARZIALE"),
    S("DISINSERIMENTO"),
    S("COERCIZIONE"),
    S("PANICO"),
    S("INCENDIO"),
    S("RAPINA"),
    S("ALLARME TECNOLOGICO"),
    S("TAMPER PERIFERICA"),
    S("GUASTO ESPANSIONE"),
    S("BATTERIA BASSA RADIO"),
    S("SUPERVISIONE RADIO"),
    S("ACCECAMENTO RADIO"),
    S("CODICE ERRATO"),
    S("RESET EVENTI"),
    S("RESET GENERALE"),
    S("TEST PERIODICO"),
    S("PROGRAMMAZIONE MODIFICATA"),
    S("ZONA ESCLUSA"),
    S("GUASTO COMUNICAZIONE"),
    S("ACCESSO TECNICO"),
};
const QStringList CSL_IDCEVENTS_CODE = {
    S("321"), S("144"), S("137"), S("301"), S("350"), S("302"), S("351"), S("401"), S("441"), S("401"),
    S("121"), S("120"), S("110"), S("122"), S("150"), S("145"), S("333"), S("384"), S("381"), S("344"),
    S("461"), S("313"), S("305"), S("602"), S("306"), S("570"), S("354"), S("627"),
};
// UNVERIFIED: an input's event is a burglary alarm until the installer says otherwise.
const QString CSL_IDC_INPUT_CODE = S("130");

// UNVERIFIED: index 0 is the empty "no word"; 1..30 the words the installer may retype on
// every model; 31..186 a fixed vocabulary of places, devices and states.
const QStringList CSL_DEFAULT_MESSAGES = {
    QString(),
    QStringLiteral("INGRESSO"),
    QStringLiteral("PORTA"),
    QStringLiteral("FINESTRA"),
    QStringLiteral("CUCINA"),
    QStringLiteral("SALA"),
    QStringLiteral("SALOTTO"),
    QStringLiteral("SOGGIORNO"),
    QStringLiteral("CAMERA"),
    QStringLiteral("CAMERETTA"),
    QStringLiteral("BAGNO"),
    QStringLiteral("GARAGE"),
    QStringLiteral("CANTINA"),
    QStringLiteral("SOFFITTA"),
    QStringLiteral("MANSARDA"),
    QStringLiteral("TAVERNA"),
    QStringLiteral("CORRIDOIO"),
    QStringLiteral("SCALA"),
    QStringLiteral("BALCONE"),
    QStringLiteral("TERRAZZO"),
    QStringLiteral("GIARDINO"),
    QStringLiteral("CORTILE"),
    QStringLiteral("CANCELLO"),
    QStringLiteral("BOX"),
    QStringLiteral("UFFICIO"),
    QStringLiteral("STUDIO"),
    QStringLiteral("MAGAZZINO"),
    QStringLiteral("LABORATORIO"),
    QStringLiteral("NEGOZIO"),
    QStringLiteral("VETRINA"),
    QStringLiteral("RETRO"),
    QStringLiteral("LAVANDERIA"),
    QStringLiteral("RIPOSTIGLIO"),
    QStringLiteral("DISPENSA"),
    QStringLiteral("PISCINA"),
    QStringLiteral("PORTICO"),
    QStringLiteral("VERANDA"),
    QStringLiteral("SERRA"),
    QStringLiteral("TETTO"),
    QStringLiteral("PERIMETRO"),
    QStringLiteral("RECINZIONE"),
    QStringLiteral("PARCHEGGIO"),
    QStringLiteral("ARCHIVIO"),
    QStringLiteral("SALA RIUNIONI"),
    QStringLiteral("RECEPTION"),
    QStringLiteral("MENSA"),
    QStringLiteral("SPOGLIATOIO"),
    QStringLiteral("CAVEAU"),
    QStringLiteral("CASSAFORTE"),
    QStringLiteral("CENTRALE"),
    QStringLiteral("SIRENA"),
    QStringLiteral("TASTIERA"),
    QStringLiteral("LETTORE"),
    QStringLiteral("ESPANSIONE"),
    QStringLiteral("MODULO"),
    QStringLiteral("RADIO"),
    QStringLiteral("SENSORE"),
    QStringLiteral("RIVELATORE"),
    QStringLiteral("CONTATTO"),
    QStringLiteral("VOLUMETRICO"),
    QStringLiteral("BARRIERA"),
    QStringLiteral("TAPPARELLA"),
    QStringLiteral("INFISSO"),
    QStringLiteral("PORTONE"),
    QStringLiteral("BASCULANTE"),
    QStringLiteral("SERRANDA"),
    QStringLiteral("ANTINCENDIO"),
    QStringLiteral("FUMO"),
    QStringLiteral("GAS"),
    QStringLiteral("ACQUA"),
    QStringLiteral("ALLAGAMENTO"),
    QStringLiteral("TEMPERATURA"),
    QStringLiteral("INCENDIO"),
    QStringLiteral("PANICO"),
    QStringLiteral("RAPINA"),
    QStringLiteral("SOCCORSO"),
    QStringLiteral("MEDICO"),
    QStringLiteral("ALLARME"),
    QStringLiteral("SABOTAGGIO"),
    QStringLiteral("TAMPER"),
    QStringLiteral("GUASTO"),
    QStringLiteral("BATTERIA"),
    QStringLiteral("RETE"),
    QStringLiteral("LINEA"),
    QStringLiteral("TELEFONO"),
    QStringLiteral("GSM"),
    QStringLiteral("INSERITO"),
    QStringLiteral("DISINSERITO"),
    QStringLiteral("PARZIALE"),
    QStringLiteral("TOTALE"),
    QStringLiteral("ZONA"),
    QStringLiteral("AREA"),
    QStringLiteral("SETTORE"),
    QStringLiteral("GRUPPO"),
    QStringLiteral("PROGRAMMA"),
    QStringLiteral("USCITA"),
    QStringLiteral("ENTRATA"),
    QStringLiteral("LUCE"),
    QStringLiteral("LUCI"),
    QStringLiteral("RISCALDAMENTO"),
    QStringLiteral("CONDIZIONATORE"),
    QStringLiteral("IRRIGAZIONE"),
    QStringLiteral("POMPA"),
    QStringLiteral("CALDAIA"),
    QStringLiteral("FRIGORIFERO"),
    QStringLiteral("FORNO"),
    QStringLiteral("ELETTROVALVOLA"),
    QStringLiteral("AUTOMAZIONE"),
    QStringLiteral("APERTURA"),
    QStringLiteral("CHIUSURA"),
    QStringLiteral("ACCENSIONE"),
    QStringLiteral("SPEGNIMENTO"),
    QStringLiteral("ATTIVO"),
    QStringLiteral("DISATTIVO"),
    QStringLiteral("APERTO"),
    QStringLiteral("CHIUSO"),
    QStringLiteral("NORD"),
    QStringLiteral("SUD"),
    QStringLiteral("EST"),
    QStringLiteral("OVEST"),
    QStringLiteral("PIANO TERRA"),
    QStringLiteral("PRIMO PIANO"),
    QStringLiteral("SECONDO PIANO"),
    QStringLiteral("TERZO PIANO"),
    QStringLiteral("SEMINTERRATO"),
    QStringLiteral("ATTICO"),
    QStringLiteral("DESTRA"),
    QStringLiteral("SINISTRA"),
    QStringLiteral("CENTRO"),
    QStringLiteral("FRONTE"),
    QStringLiteral("INTERNO"),
    QStringLiteral("ESTERNO"),
    QStringLiteral("ALTO"),
    QStringLiteral("BASSO"),
    QStringLiteral("PRINCIPALE"),
    QStringLiteral("SECONDARIO"),
    QStringLiteral("SERVIZIO"),
    QStringLiteral("EMERGENZA"),
    QStringLiteral("UNO"),
    QStringLiteral("DUE"),
    QStringLiteral("TRE"),
    QStringLiteral("QUATTRO"),
    QStringLiteral("CINQUE"),
    QStringLiteral("SEI"),
    QStringLiteral("SETTE"),
    QStringLiteral("OTTO"),
    QStringLiteral("NOVE"),
    QStringLiteral("DIECI"),
    QStringLiteral("CASA"),
    QStringLiteral("VILLA"),
    QStringLiteral("APPARTAMENTO"),
    QStringLiteral("CAPANNONE"),
    QStringLiteral("CAPPELLA"),
    QStringLiteral("CHIESA"),
    QStringLiteral("SCUOLA"),
    QStringLiteral("PALESTRA"),
    QStringLiteral("BANCA"),
    QStringLiteral("FARMACIA"),
    QStringLiteral("BAR"),
    QStringLiteral("RISTORANTE"),
    QStringLiteral("ALBERGO"),
    QStringLiteral("DEPOSITO"),
    QStringLiteral("OFFICINA"),
    QStringLiteral("STALLA"),
    QStringLiteral("FIENILE"),
    QStringLiteral("TORRE"),
    QStringLiteral("ANTENNA"),
    QStringLiteral("QUADRO ELETTRICO"),
    QStringLiteral("CONTATORE"),
    QStringLiteral("VIDEOCAMERA"),
    QStringLiteral("MONITOR"),
    QStringLiteral("COMPUTER"),
    QStringLiteral("SERVER"),
    QStringLiteral("CASSA"),
    QStringLiteral("BANCONE"),
    QStringLiteral("SCRIVANIA"),
    QStringLiteral("ARMADIO"),
    QStringLiteral("LETTO"),
    QStringLiteral("SOPPALCO"),
    QStringLiteral("INGRESSO SERVIZI"),
    QStringLiteral("USCITA SICUREZZA"),
    QStringLiteral("PASSO CARRAIO"),
    QStringLiteral("VASCA"),
    QStringLiteral("POZZO"),
    QStringLiteral("LEGNAIA"),
    QStringLiteral("ASCENSORE"),
    QStringLiteral("CORTE"),
};

QStringList ComboItems(const QString& componentName) {
    static const QHash<QString, QStringList> items = {
        // Privileges of a user (given).
        {S("DBComboBox14"),
         {S("Non Configurato"), S("Visualizza Solo lo stato impianto"),
          S("Modifica codici user e programma chiavi"), S("Master"), S("Utente Inserimento e Disinserimento"),
          S("Panico/Coercizione"), S("Utente attiva uscite"), S("Codice vacanza")}},
        {S("DBComboBox2"), MSG_PHONEASSIGNED},
        {S("DBComboBox38"), MSG_PHONEASSIGNED},
        {S("DBComboBox13"), MSG_TIMERS1},
        {S("DBComboBox60"), MSG_TIMERS2},
        {S("DBComboBox61"), MSG_TIMERS2},
        // UNVERIFIED: kind of line tamper, and the two priorities (their boxes are hidden).
        {S("DBComboBox18"), {S("N.C."), S("BILANCIATO 2K2"), S("BILANCIATO 4K7")}},
        {S("DBComboBox8"), {S("ALTA"), S("MEDIA"), S("BASSA")}},
        {S("DBComboBox4"), {S("ALTA"), S("MEDIA"), S("BASSA")}},
        // Radio groups: code length (given); battery charge and radio learning (UNVERIFIED,
        // stored as the button index "0"/"1"); the carrier priorities #1..#4 (UNVERIFIED,
        // stored as "0".."4").
        {S("DBRadioGroup1"), {S("xxxxxx"), S("xxxx")}},
        {S("DBRadioGroup2"), {S("NORMALE"), S("RAPIDA")}},
        {S("DBRadioGroup4"), {S("AUTOMATICO"), S("MANUALE")}},
        {S("DBRadioGroup3"), {S("NESSUNO"), S("PSTN"), S("GSM"), S("GPRS"), S("LAN")}},
        {S("DBRadioGroup5"), {S("NESSUNO"), S("PSTN"), S("GSM"), S("GPRS"), S("LAN")}},
        {S("DBRadioGroup6"), {S("NESSUNO"), S("PSTN"), S("GSM"), S("GPRS"), S("LAN")}},
        {S("DBRadioGroup7"), {S("NESSUNO"), S("PSTN"), S("GSM"), S("GPRS"), S("LAN")}},
    };
    return items.value(componentName);
}

} // namespace Lang
