// What an installer sets on pages UTENTI, INGRESSI, USCITE, PROGRAMMI, GRUPPI, TELEFONI and ADEMCO
// reaches the panel where the protocol puts it. Each value is set through real input on its page,
// sent with the page's own action (or "Invia tutto" where the page's job does not carry it), and
// the simulated panel's bytes are compared with bytes written here by hand from the protocol's
// byte layouts. Rows use an item other than the first, so a wrong row stride fails.
#include "platform/dbcontrols.h"
#include "support/screenwire.h"
#include "ui/pages/page_contactid.h"

namespace {

using ScreenWire::Row;
using ScreenWire::Send;
using In = ScreenWire::Input;

constexpr int kUtenti = 0, kIngressi = 1, kUscite = 2, kTelefoni = 4, kProgrammi = 6, kGruppi = 7,
              kAdemco = 10;
constexpr int kTavek = 1, kZorem = 6;

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}
QByteArray text(const char* s, int width) {
    return ScreenWire::slot(QByteArray(s), width);
}
Row cell(int page, const char* grid, const char* field, int recNo, In input, const QString& value,
         int command, int offset, const QByteArray& expected) {
    return {
        page,    QString::fromLatin1(grid), QString::fromLatin1(field), recNo, input, value, command, offset,
        expected};
}
Row control(int page, const char* name, In input, const QString& value, int command, int offset,
            const QByteArray& expected) {
    return {page, QString::fromLatin1(name), QString(), 0, input, value, command, offset, expected};
}

// Every control of the seven pages that shows a field, and where its value goes: "cmd +offset" of
// the protocol's byte layouts (n: the row's item), "links" (checked in test_associations), or why
// it stays in the program. The wire test rows below check each travelling entry.
struct Place {
    const char* page;
    const char* control;
    const char* fields; // comma-separated
    const char* where;
};
const Place kPlaces[] = {
    {"UTENTI", "DBGrid6", "_Nome", "20 +16(n-1) name 16"},
    {"UTENTI", "DBGrid6", "_Codice", "21 +6(n-1) code 6"},
    {"UTENTI", "DBGrid6", "_TipolUtenti", "23 +5(n-1) position"},
    {"UTENTI", "DBGrid6", "_Pz1,_Pz2,_Pz3,_Pz4,_Pz5,_Pz6,_Pz7,_Pz8", "22 +2(n-1) bits 0..7"},
    {"UTENTI", "DBGrid6", "_Grp1,_Grp2,_Grp3,_Grp4", "22 +2(n-1)+1 bits 0..3"},
    {"UTENTI", "DBRadioGroup1", "_Lunghezza_codici", "36 +0 byte (Invia tutto: not in the page's job)"},
    {"UTENTI", "DBEdit13", "_PswInstallatore", "40 +98 code 6 (Invia tutto: not in the page's job)"},
    {"INGRESSI", "DBGrid10", "_Nome", "shown: names are typed on no grid of this page"},
    {"INGRESSI", "DBGrid10", "_Msg1,_Msg2,_Msg3,_Msg4", "11 +4(n-1)+0..3 word index (_IMsgN)"},
    {"INGRESSI", "DBGrid15", "_Nome", "shown"},
    {"INGRESSI", "DBGrid15", "_FuncIngresso", "7 +3(n-1) sign"},
    {"INGRESSI", "DBGrid15", "_AttSirIngresso", "7 +3(n-1)+1 sign"},
    {"INGRESSI", "DBGrid15", "_TipoNc", "7 +3(n-1)+2 sign"},
    {"INGRESSI", "DBGrid15", "_TipoIngresso", "6 +(n-1) sign"},
    {"INGRESSI", "DBGrid15", "_TimeInIngresso", "10 +3(n-1) byte"},
    {"INGRESSI", "DBGrid15", "_ImpulsiIngresso", "10 +3(n-1)+1 byte"},
    {"INGRESSI", "DBGrid15", "_CicliEsclusione", "10 +3(n-1)+2 byte"},
    {"INGRESSI", "DBGrid15", "_Test,_BloccoEx,_AutoEx,_BuzzTast,_Reinclusion", "12 +16(n-1) bits 0..4"},
    {"INGRESSI", "DBGrid11", "_Nome", "shown"},
    {"INGRESSI", "DBGrid11",
     "_TipoChiamataTel1,_TipoChiamataTel2,_TipoChiamataTel3,_TipoChiamataTel4,_TipoChiamataTel5,"
     "_TipoChiamataTel6,_TipoChiamataTel7,_TipoChiamataTel8",
     "12 +16(n-1)+1..8 position"},
    {"INGRESSI", "DBGrid26", "_Nome", "shown"},
    {"INGRESSI", "DBGrid26", "_Pz1,_Pz2,_Pz3,_Pz4,_Pz5,_Pz6,_Pz7,_Pz8", "9 +(n-1) bits 0..7"},
    {"INGRESSI", "DBGrid26", "_LinkUser", "12 +16(n-1)+9 byte (_LinkUserID)"},
    {"INGRESSI", "DBGrid44", "_Nome", "shown"},
    {"INGRESSI", "DBGrid44", "_Adattamento", "13 +2(n-1) word"},
    {"USCITE", "DBGrid16", "_Nome", "shown"},
    {"USCITE", "DBGrid16", "_Msg1,_Msg2,_Msg3,_Msg4", "17 +5(n-1)+0..3 word index (_IMsgN)"},
    {"USCITE", "DBGrid27", "_Nome", "shown"},
    {"USCITE", "DBGrid27", "_FunzioneUscita", "14 +3(n-1) sign"},
    {"USCITE", "DBGrid27", "_CondFunzionamento", "14 +3(n-1)+1 sign"},
    {"USCITE", "DBGrid27", "_Polarita", "14 +3(n-1)+2 sign"},
    {"USCITE", "DBGrid27", "_PulseDuration", "16 +7(n-1) hh mm ss"},
    {"USCITE", "DBGrid27", "_PulseDelay", "16 +7(n-1)+3 hh mm ss"},
    {"USCITE", "DBGrid27", "_AutoReset", "16 +7(n-1)+6 bit 0"},
    {"USCITE", "DBGrid29", "_Nome", "shown"},
    {"USCITE", "DBGrid29",
     "_AssociaTel1,_AssociaTel2,_AssociaTel3,_AssociaTel4,_AssociaTel5,_AssociaTel6,_AssociaTel7,"
     "_AssociaTel8",
     "17 +5(n-1)+4 bits 0..7"},
    {"USCITE", "DBGrid45", "_Nome", "shown: the master of the associations"},
    {"USCITE", "DBGrid19", "_Nome", "links: 18 (test_associations)"},
    {"USCITE", "DBGrid20", "_Nome", "links: 18 (test_associations)"},
    {"USCITE", "DBGrid23", "_Nome", "links: 19 (test_associations)"},
    {"USCITE", "DBGrid24", "_Nome", "links: 19 (test_associations)"},
    {"PROGRAMMI", "DBGrid4", "_Nome", "shown: not typed in place (24 +16(n-1) name 16)"},
    {"PROGRAMMI", "DBGrid4", "_TempoUscita", "25 +3(n-1) word"},
    {"PROGRAMMI", "DBGrid4", "_Msg1", "25 +3(n-1)+2 word index (_IMsg1)"},
    {"PROGRAMMI", "DBGrid5", "_Nome", "links: 26 (test_associations)"},
    {"PROGRAMMI", "DBGrid7", "_Nome", "links: 26 (test_associations)"},
    {"GRUPPI", "DBGrid25", "_Nome", "27 +22(n-1) name 16"},
    {"GRUPPI", "DBGrid25", "_Msg1", "27 +22(n-1)+17 word index (_IMsg1)"},
    {"GRUPPI", "DBGrid22", "_Nome", "links: 27 +22(n-1)+21 (test_associations)"},
    {"GRUPPI", "DBGrid21", "_Nome", "links: 27 +22(n-1)+21 (test_associations)"},
    {"TELEFONI", "DBGrid3", "_Nome", "29 +16(n-1) name 16"},
    {"TELEFONI", "DBGrid3", "_PrefixPSTN", "30 +48(n-1) text 16"},
    {"TELEFONI", "DBGrid3", "_PrefixGSM", "30 +48(n-1)+16 text 16"},
    {"TELEFONI", "DBGrid3", "_Tel", "30 +48(n-1)+32 text 16"},
    {"TELEFONI", "DBGrid3", "_ConfermaRisposta,_AccessoDiretto,_ResetAutomatico,_TelProg",
     "31 +2(n-1) bits 0..3"},
    {"TELEFONI", "DBComboBox34", "_TempoTentativiChiamate", "40 +34 text 16 (Invia tutto)"},
    {"TELEFONI", "DBComboBox35", "_NumTentativiChiamate", "40 +50 text 16 (Invia tutto)"},
    {"TELEFONI", "DBComboBox37", "_AttesaRisposta", "40 +66 text 16 (Invia tutto)"},
    {"TELEFONI", "DBComboBox36", "_RipetizioneMessaggio", "40 +82 text 16 (Invia tutto)"},
    {"TELEFONI", "DBEdit14", "_PswReset", "40 +104 code 6 (Invia tutto; hidden on TAVEK, MIRUN, MIRUNPLUS)"},
    {"ADEMCO", "DBGrid30", "_Nome", "32 +80(n-1) name 16"},
    {"ADEMCO", "DBGrid30", "_PrefixPSTN", "32 +80(n-1)+16 text 16"},
    {"ADEMCO", "DBGrid30", "_PrefixGSM", "32 +80(n-1)+32 text 16"},
    {"ADEMCO", "DBGrid30", "_Tel", "32 +80(n-1)+48 text 16"},
    {"ADEMCO", "DBGrid30", "_FPT_Cod", "32 +80(n-1)+64 text 16"},
    {"ADEMCO", "DBGrid31", "_CodiceIDC", "33 +4(n-1) text 3"},
    {"ADEMCO", "DBGrid31", "_Tel1", "33 +4(n-1)+3 bit 0"},
    {"ADEMCO", "DBGrid31", "_Tel2,_Tel3,_Tel4,_Tel5,_Tel6,_Tel7,_Tel8",
     "33 +4(n-1)+3 bits 1..7: hidden on every model"},
    {"ADEMCO", "DBGrid39", "_Nome", "shown"},
    {"ADEMCO", "DBGrid39", "_FPT_Ins", "23 +5(n-1)+1 text 2 (Invia tutto)"},
    {"ADEMCO", "DBGrid39", "_FPT_Dis", "23 +5(n-1)+3 text 2 (Invia tutto)"},
    {"ADEMCO", "DBGrid2", "_Nome", "shown"},
    {"ADEMCO", "DBGrid2", "_FPT_AllZona", "12 +16(n-1)+10 text 2 (Invia tutto)"},
    {"ADEMCO", "DBGrid2", "_FPT_RipAllZona", "12 +16(n-1)+12 text 2 (Invia tutto)"},
    {"ADEMCO", "DBGrid2", "_FPT_CodEscZona", "12 +16(n-1)+14 text 2 (Invia tutto)"},
    {"ADEMCO", "DBGrid40", "_Nome", "shown"},
    {"ADEMCO", "DBGrid40", "_Code", "34 +2(n-1) text 2"},
    {"ADEMCO", "DBEditMonitorAddress", "_Net_GPRS_MonitorAddress", "53 +125 text 64 (Invia tutto)"},
    {"ADEMCO", "DBEditMonitorPort", "_Net_GPRS_MonitorPort", "53 +189 text 5 (Invia tutto)"},
    {"ADEMCO", "DBEditMonitorID", "_Net_GPRS_Monitor_ID", "53 +194 text 16 (Invia tutto)"},
    {"ADEMCO", "DBComboBoxMonitorTimeout", "_Net_GPRS_Monitor_Timeout", "53 +210 text 16 (Invia tutto)"},
    {"ADEMCO", "DBEditBackupSMS", "_Net_GPRS_SMS", "53 +226 text 16 (Invia tutto)"},
    {"ADEMCO", "DBComboBoxSessionTimeout", "_Net_GPRS_Session_Timeout", "53 +242 text 16 (Invia tutto)"},
    {"ADEMCO", "DBRadioGroupCodifica", "_Net_ADEMCO_Codifica", "52 +347 text 3 (Invia tutto)"},
    {"ADEMCO", "DBEditRemoteAddress1", "_Net_GPRS_RemoteAddress1", "54 +0 text 64 (Invia tutto)"},
    {"ADEMCO", "DBEditRemotePort1", "_Net_GPRS_RemotePort1", "54 +64 text 5 (Invia tutto)"},
    {"ADEMCO", "DBEditRemoteAddress2", "_Net_GPRS_RemoteAddress2", "54 +69 text 64 (Invia tutto)"},
    {"ADEMCO", "DBEditRemotePort2", "_Net_GPRS_RemotePort2", "54 +133 text 5 (Invia tutto)"},
    {"ADEMCO", "DBRadioGroupIP1Proto", "_Net_GPRS_IP1Proto", "54 +138 text 3 (Invia tutto)"},
    {"ADEMCO", "DBRadioGroupIP2Proto", "_Net_GPRS_IP2Proto", "54 +141 text 3 (Invia tutto)"},
    {"ADEMCO", "DBEditIDImp1", "_ContactID_IDImp1", "28 +0 text 8 (Invia tutto)"},
    {"ADEMCO", "DBEditIDImp2", "_ContactID_IDImp2", "28 +8 text 8 (Invia tutto)"},
    {"ADEMCO", "DBEditIDImp3", "_ContactID_IDImp3", "28 +16 text 8 (Invia tutto)"},
    {"ADEMCO", "DBEditIDImp4", "_ContactID_IDImp4", "28 +24 text 8 (Invia tutto)"},
    {"ADEMCO", "DBEdit29", "_ContactID_IDImp5", "28 +32 text 8 (Invia tutto)"},
    {"ADEMCO", "DBEdit30", "_ContactID_IDImp6", "28 +40 text 8 (Invia tutto)"},
    {"ADEMCO", "DBEdit31", "_ContactID_IDImp7", "28 +48 text 8 (Invia tutto)"},
    {"ADEMCO", "DBEdit32", "_ContactID_IDImp8", "28 +56 text 8 (Invia tutto)"},
    {"ADEMCO", "DBComboBoxIDCTentativi", "_IDC_NumTentativi", "40 +2 text 16 (Invia tutto)"},
    {"ADEMCO", "DBCheckBox1", "_IDC_RipristinoZone", "40 +0 on/off (Invia tutto)"},
    {"ADEMCO", "DBCheckBox9", "_IDC_RitardoRipristino", "40 +1 on/off: disabled on every model"},
    {"ADEMCO", "DBComboBoxIDCAmpImpulso", "_IDC_AmpImpulso", "40 +18 text 16: hidden on every model"},
};

// ---- the wire rows, one list a send ----------------------------------------------------------

// A flag column ticked on one row: field, record, offset, the byte there after the send.
struct Tick {
    const char* field;
    int recNo;
    int offset;
    int byte;
};
void addTicks(QList<Row>& rows, int page, const char* grid, int command, std::initializer_list<Tick> ticks) {
    for (const Tick& t : ticks)
        rows << cell(page, grid, t.field, t.recNo, In::Tick, {}, command, t.offset, bytes({t.byte}));
}

QList<Row> usersRows(int model) {
    QList<Row> rows = {
        cell(kUtenti, "DBGrid6", "_Nome", 3, In::Type, "{^A}Rossi{Ret}", 20, 32, text("Rossi", 16)),
        cell(kUtenti, "DBGrid6", "_Codice", 3, In::Type, "{^A}246810{Ret}", 21, 12, text("246810", 6)),
        cell(kUtenti, "DBGrid6", "_TipolUtenti", 4, In::Pick, "Master", 23, 15, bytes({3})),
    };
    // Each partition and group on a user of its own, so each has its own byte.
    addTicks(rows, kUtenti, "DBGrid6", 22,
             {{"_Pz1", 2, 2, 0x01},
              {"_Pz2", 3, 4, 0x02},
              {"_Pz3", 4, 6, 0x04},
              {"_Pz4", 7, 12, 0x08},
              {"_Grp1", 11, 21, 0x01},
              {"_Grp2", 12, 23, 0x02},
              {"_Grp3", 5, 9, 0x04},
              {"_Grp4", 13, 25, 0x08}});
    if (model == kZorem) { // the last user, and the partitions only eight-partition models have
        rows << cell(kUtenti, "DBGrid6", "_Nome", 64, In::Type, "{^A}Bianchi è{Ret}", 20, 1008,
                     text("Bianchi \xE8", 16));
        addTicks(
            rows, kUtenti, "DBGrid6", 22,
            {{"_Pz5", 8, 14, 0x10}, {"_Pz6", 9, 16, 0x20}, {"_Pz7", 6, 10, 0x40}, {"_Pz8", 10, 18, 0x80}});
    }
    return rows;
}

QList<Row> inputsRows(int model) {
    QList<Row> rows = {
        cell(kIngressi, "DBGrid10", "_Msg1", 5, In::Pick, "CUCINA", 11, 16, bytes({4})),
        cell(kIngressi, "DBGrid10", "_Msg2", 5, In::Pick, "SALA", 11, 17, bytes({5})),
        cell(kIngressi, "DBGrid10", "_Msg3", 5, In::Pick, "PORTA", 11, 18, bytes({2})),
        cell(kIngressi, "DBGrid10", "_Msg4", 5, In::Pick, "SALOTTO", 11, 19, bytes({6})),
        cell(kIngressi, "DBGrid15", "_FuncIngresso", 5, In::Pick, "On/Off", 7, 12, bytes({'O'})),
        cell(kIngressi, "DBGrid15", "_TipoNc", 5, In::Pick, "APERTO (NA)", 7, 14, bytes({'A'})),
        cell(kIngressi, "DBGrid15", "_TipoIngresso", 5, In::Pick, "1B-4k7", 6, 4, bytes({'8'})),
        cell(kIngressi, "DBGrid15", "_TimeInIngresso", 5, In::Pick, "45", 10, 12, bytes({45})),
        cell(kIngressi, "DBGrid15", "_ImpulsiIngresso", 5, In::Pick, "3", 10, 13, bytes({3})),
        cell(kIngressi, "DBGrid15", "_CicliEsclusione", 5, In::Pick, "4", 10, 14, bytes({4})),
        cell(kIngressi, "DBGrid15", "_Test", 6, In::Tick, {}, 12, 80, bytes({0x01})),
        cell(kIngressi, "DBGrid15", "_BloccoEx", 7, In::Tick, {}, 12, 96, bytes({0x02})),
        cell(kIngressi, "DBGrid15", "_AutoEx", 8, In::Tick, {}, 12, 112, bytes({0x04})),
        cell(kIngressi, "DBGrid15", "_BuzzTast", 9, In::Tick, {}, 12, 128, bytes({0x08})),
        cell(kIngressi, "DBGrid15", "_Reinclusion", 10, In::Tick, {}, 12, 144, bytes({0x10})),
        cell(kIngressi, "DBGrid11", "_TipoChiamataTel1", 5, In::Pick, "SMS", 12, 65, bytes({1})),
        cell(kIngressi, "DBGrid11", "_TipoChiamataTel2", 5, In::Pick, "Voce", 12, 66, bytes({2})),
        cell(kIngressi, "DBGrid11", "_TipoChiamataTel3", 5, In::Pick, "Voce + SMS", 12, 67, bytes({3})),
        cell(kIngressi, "DBGrid11", "_TipoChiamataTel4", 5, In::Pick, "Voce", 12, 68, bytes({2})),
        cell(kIngressi, "DBGrid11", "_TipoChiamataTel5", 5, In::Pick, "SMS", 12, 69, bytes({1})),
        cell(kIngressi, "DBGrid11", "_TipoChiamataTel6", 5, In::Pick, "Voce + SMS", 12, 70, bytes({3})),
        cell(kIngressi, "DBGrid11", "_TipoChiamataTel7", 5, In::Pick, "SMS", 12, 71, bytes({1})),
        cell(kIngressi, "DBGrid11", "_TipoChiamataTel8", 5, In::Pick, "Voce + SMS", 12, 72, bytes({3})),
        // An ON/OFF input (its function above) names its user.
        cell(kIngressi, "DBGrid26", "_LinkUser", 5, In::Pick, "Utente 3", 12, 73, bytes({3})),
        cell(kIngressi, "DBGrid44", "_Adattamento", 2, In::Pick, "-50", 13, 2, bytes({0xFF, 0xCE})),
    };
    // It switches partitions: every one the model has, ticked on input 5, makes its one byte.
    const int onOff = model == kZorem ? 0xFF : 0x0F;
    addTicks(rows, kIngressi, "DBGrid26", 9,
             {{"_Pz1", 5, 4, onOff}, {"_Pz2", 5, 4, onOff}, {"_Pz3", 5, 4, onOff}, {"_Pz4", 5, 4, onOff}});
    if (model != kZorem)
        return rows;
    // TAVEK has four partitions, 16 inputs and hides the siren column.
    addTicks(rows, kIngressi, "DBGrid26", 9,
             {{"_Pz5", 5, 4, onOff}, {"_Pz6", 5, 4, onOff}, {"_Pz7", 5, 4, onOff}, {"_Pz8", 5, 4, onOff}});
    return rows << cell(kIngressi, "DBGrid15", "_AttSirIngresso", 5, In::Pick, "Solo Sirena Interna", 7, 13,
                        bytes({'I'}))
                << cell(kIngressi, "DBGrid15", "_FuncIngresso", 64, In::Pick, "Solo ON", 7, 189, bytes({'Z'}))
                << cell(kIngressi, "DBGrid26", "_Pz8", 64, In::Tick, {}, 9, 63, bytes({0x80}));
}

QList<Row> outputsRows(int model) {
    QList<Row> rows = {
        cell(kUscite, "DBGrid16", "_Msg1", 3, In::Pick, "PORTA", 17, 10, bytes({2})),
        cell(kUscite, "DBGrid16", "_Msg2", 3, In::Pick, "CUCINA", 17, 11, bytes({4})),
        cell(kUscite, "DBGrid16", "_Msg3", 3, In::Pick, "SOGGIORNO", 17, 12, bytes({7})),
        cell(kUscite, "DBGrid16", "_Msg4", 3, In::Pick, "SALA", 17, 13, bytes({5})),
        // A pilot output calls the phones ticked for it.
        cell(kUscite, "DBGrid27", "_FunzioneUscita", 3, In::Pick, "Pilot", 14, 6, bytes({'P'})),
        cell(kUscite, "DBGrid27", "_FunzioneUscita", 5, In::Pick, "Allarme", 14, 12, bytes({'A'})),
        cell(kUscite, "DBGrid27", "_CondFunzionamento", 3, In::Pick, "Totale", 14, 7, bytes({'T'})),
        cell(kUscite, "DBGrid27", "_Polarita", 3, In::Pick, "INVERTITA", 14, 8, bytes({'I'})),
        cell(kUscite, "DBGrid27", "_PulseDuration", 3, In::Type, "{^A}010203{Ret}", 16, 14, bytes({1, 2, 3})),
        cell(kUscite, "DBGrid27", "_PulseDelay", 3, In::Type, "{^A}000510{Ret}", 16, 17, bytes({0, 5, 10})),
        cell(kUscite, "DBGrid27", "_AutoReset", 4, In::Tick, {}, 16, 27, bytes({0x01})),
    };
    // Every phone ticked for output 3: its one byte.
    addTicks(rows, kUscite, "DBGrid29", 17,
             {{"_AssociaTel1", 3, 14, 0xFF},
              {"_AssociaTel2", 3, 14, 0xFF},
              {"_AssociaTel3", 3, 14, 0xFF},
              {"_AssociaTel4", 3, 14, 0xFF},
              {"_AssociaTel5", 3, 14, 0xFF},
              {"_AssociaTel6", 3, 14, 0xFF},
              {"_AssociaTel7", 3, 14, 0xFF},
              {"_AssociaTel8", 3, 14, 0xFF}});
    if (model == kZorem) // the last of 17 outputs
        rows << cell(kUscite, "DBGrid27", "_FunzioneUscita", 17, In::Pick, "Pilot", 14, 48, bytes({'P'}))
             << cell(kUscite, "DBGrid29", "_AssociaTel8", 17, In::Tick, {}, 17, 84, bytes({0x80}));
    return rows;
}

QList<Row> partitionsRows(int model) {
    QList<Row> rows = {
        cell(kProgrammi, "DBGrid4", "_TempoUscita", 3, In::Pick, "45", 25, 6, bytes({0, 45})),
        cell(kProgrammi, "DBGrid4", "_Msg1", 2, In::Pick, "FINESTRA", 25, 5, bytes({3})),
    };
    if (model == kZorem)
        rows << cell(kProgrammi, "DBGrid4", "_TempoUscita", 8, In::Pick, "240", 25, 21, bytes({0, 240}));
    return rows;
}

QList<Row> groupsRows() {
    return {
        cell(kGruppi, "DBGrid25", "_Nome", 3, In::Type, "{^A}Uffici{Ret}", 27, 44, text("Uffici", 16)),
        cell(kGruppi, "DBGrid25", "_Msg1", 3, In::Pick, "SALA", 27, 61, bytes({5})),
    };
}

QList<Row> phonesRows(int model) {
    QList<Row> rows = {
        cell(kTelefoni, "DBGrid3", "_Nome", 3, In::Type, "{^A}Portineria{Ret}", 29, 32,
             text("Portineria", 16)),
        cell(kTelefoni, "DBGrid3", "_PrefixPSTN", 3, In::Type, "{^A}0{Ret}", 30, 96, text("0", 16)),
        cell(kTelefoni, "DBGrid3", "_PrefixGSM", 3, In::Type, "{^A}+39{Ret}", 30, 112, text("+39", 16)),
        cell(kTelefoni, "DBGrid3", "_Tel", 3, In::Type, "{^A}0212345678{Ret}", 30, 128,
             text("0212345678", 16)),
        cell(kTelefoni, "DBGrid3", "_ResetAutomatico", 5, In::Tick, {}, 31, 8, bytes({0x04})),
    };
    if (model == kZorem) // TAVEK hides these columns
        rows << cell(kTelefoni, "DBGrid3", "_ConfermaRisposta", 3, In::Tick, {}, 31, 4, bytes({0x01}))
             << cell(kTelefoni, "DBGrid3", "_AccessoDiretto", 4, In::Tick, {}, 31, 6, bytes({0x02}))
             << cell(kTelefoni, "DBGrid3", "_TelProg", 8, In::Tick, {}, 31, 14, bytes({0x08}));
    return rows;
}

QList<Row> contactIdRows() {
    return {
        cell(kAdemco, "DBGrid30", "_Nome", 3, In::Type, "{^A}Vigilanza{Ret}", 32, 160, text("Vigilanza", 16)),
        cell(kAdemco, "DBGrid30", "_PrefixPSTN", 3, In::Type, "{^A}0{Ret}", 32, 176, text("0", 16)),
        cell(kAdemco, "DBGrid30", "_PrefixGSM", 3, In::Type, "{^A}+39{Ret}", 32, 192, text("+39", 16)),
        cell(kAdemco, "DBGrid30", "_Tel", 3, In::Type, "{^A}0299887766{Ret}", 32, 208,
             text("0299887766", 16)),
        cell(kAdemco, "DBGrid30", "_FPT_Cod", 3, In::Pick, "SIA FSK", 32, 224, text("SIA FSK", 16)),
        cell(kAdemco, "DBGrid31", "_CodiceIDC", 4, In::Pick, "333", 33, 12, text("333", 3)),
        cell(kAdemco, "DBGrid31", "_Tel1", 4, In::Tick, {}, 33, 15, bytes({0x01})),
        cell(kAdemco, "DBGrid40", "_Code", 2, In::Pick, "A5", 34, 2, text("A5", 2)),
    };
}

// The values these pages show but whose page job does not carry: "Invia tutto".
QList<Row> sentWithAllRows(int model) {
    QList<Row> rows = {
        control(kUtenti, "DBEdit13", In::Edit, "{^A}135790{Ret}", 40, 98, text("135790", 6)),
        control(kUtenti, "DBRadioGroup1", In::Radio, "xxxx", 36, 0, bytes({1})),
        control(kTelefoni, "DBComboBox34", In::Combo, "90", 40, 34, text("90", 16)),
        control(kTelefoni, "DBComboBox35", In::Combo, "7", 40, 50, text("7", 16)),
        control(kTelefoni, "DBComboBox37", In::Combo, "25", 40, 66, text("25", 16)),
        control(kTelefoni, "DBComboBox36", In::Combo, "4", 40, 82, text("4", 16)),
        cell(kAdemco, "DBGrid39", "_FPT_Ins", 3, In::Pick, "1C", 23, 11, text("1C", 2)),
        cell(kAdemco, "DBGrid39", "_FPT_Dis", 3, In::Pick, "2D", 23, 13, text("2D", 2)),
        cell(kAdemco, "DBGrid2", "_FPT_AllZona", 5, In::Pick, "3E", 12, 74, text("3E", 2)),
        cell(kAdemco, "DBGrid2", "_FPT_RipAllZona", 5, In::Pick, "4F", 12, 76, text("4F", 2)),
        cell(kAdemco, "DBGrid2", "_FPT_CodEscZona", 5, In::Pick, "5A", 12, 78, text("5A", 2)),
        control(kAdemco, "DBEditMonitorAddress", In::Edit, "{^A}rx.example.it{Ret}", 53, 125,
                text("rx.example.it", 64)),
        control(kAdemco, "DBEditMonitorPort", In::Edit, "{^A}5001{Ret}", 53, 189, text("5001", 5)),
        control(kAdemco, "DBEditMonitorID", In::Edit, "{^A}4711{Ret}", 53, 194, text("4711", 16)),
        control(kAdemco, "DBComboBoxMonitorTimeout", In::Combo, "120", 53, 210, text("120", 16)),
        control(kAdemco, "DBEditBackupSMS", In::Edit, "{^A}3331234567{Ret}", 53, 226, text("3331234567", 16)),
        control(kAdemco, "DBComboBoxSessionTimeout", In::Combo, "45", 53, 242, text("45", 16)),
        // The radio groups store their button's position as text.
        control(kAdemco, "DBRadioGroupCodifica", In::Radio, "DC 09 SIA", 52, 347, text("2", 3)),
        control(kAdemco, "DBEditRemoteAddress1", In::Edit, "{^A}10.0.0.9{Ret}", 54, 0, text("10.0.0.9", 64)),
        control(kAdemco, "DBEditRemotePort1", In::Edit, "{^A}9000{Ret}", 54, 64, text("9000", 5)),
        control(kAdemco, "DBEditRemoteAddress2", In::Edit, "{^A}cid.example.it{Ret}", 54, 69,
                text("cid.example.it", 64)),
        control(kAdemco, "DBEditRemotePort2", In::Edit, "{^A}9001{Ret}", 54, 133, text("9001", 5)),
        control(kAdemco, "DBRadioGroupIP1Proto", In::Radio, "UDP", 54, 138, text("1", 3)),
        control(kAdemco, "DBRadioGroupIP2Proto", In::Radio, "UDP", 54, 141, text("1", 3)),
        control(kAdemco, "DBEditIDImp1", In::Edit, "{^A}1111{Ret}", 28, 0, text("1111", 8)),
        control(kAdemco, "DBEditIDImp2", In::Edit, "{^A}1234{Ret}", 28, 8, text("1234", 8)),
        control(kAdemco, "DBEditIDImp3", In::Edit, "{^A}3333{Ret}", 28, 16, text("3333", 8)),
        control(kAdemco, "DBEditIDImp4", In::Edit, "{^A}4444{Ret}", 28, 24, text("4444", 8)),
        control(kAdemco, "DBComboBoxIDCTentativi", In::Combo, "6", 40, 2, text("6", 16)),
        control(kAdemco, "DBCheckBox1", In::Check, {}, 40, 0, bytes({1})),
    };
    if (model == kZorem) // shown on the larger models only
        rows << control(kTelefoni, "DBEdit14", In::Edit, "{^A}2468{Ret}", 40, 104, text("2468", 6))
             << control(kAdemco, "DBEdit29", In::Edit, "{^A}5555{Ret}", 28, 32, text("5555", 8))
             << control(kAdemco, "DBEdit30", In::Edit, "{^A}6666{Ret}", 28, 40, text("6666", 8))
             << control(kAdemco, "DBEdit31", In::Edit, "{^A}7777{Ret}", 28, 48, text("7777", 8))
             << control(kAdemco, "DBEdit32", In::Edit, "{^A}8765{Ret}", 28, 56, text("8765", 8));
    return rows;
}

// The bound controls and grid columns of a page, as "control field".
QStringList shownFields(QWidget* page) {
    QStringList out;
    for (DBGrid* grid : page->findChildren<DBGrid*>())
        for (int c = 0; c < grid->columnCount(); ++c)
            if (!grid->column(c).readOnly && grid->column(c).fieldName() != QLatin1String("_ID"))
                out << grid->objectName() + QLatin1Char(' ') + grid->column(c).fieldName();
    for (QWidget* w : page->findChildren<QWidget*>()) {
        auto* bound = dynamic_cast<FieldBound*>(w);
        bool inGrid = false; // an in-grid editor stands for its grid's columns
        for (QWidget* p = w->parentWidget(); p && !inGrid; p = p->parentWidget())
            inGrid = qobject_cast<DBGrid*>(p) != nullptr;
        if (bound && !inGrid)
            out << w->objectName() + QLatin1Char(' ') + bound->dataField();
    }
    return out;
}

} // namespace

class TestScreenWireA : public QObject {
    Q_OBJECT
private slots:
    // The table above names every control of the seven pages that shows a field, and no other.
    void everyControlOfThePagesIsPlaced() {
        OpenWindow w(kZorem);
        TForm6& f = *w.form;
        const std::pair<const char*, QWidget*> pages[] = {
            {"UTENTI", f.PageControl->page(kUtenti)}, {"INGRESSI", f.PageControl->page(kIngressi)},
            {"USCITE", f.PageControl->page(kUscite)}, {"PROGRAMMI", f.PageControl->page(kProgrammi)},
            {"GRUPPI", f.PageControl->page(kGruppi)}, {"TELEFONI", f.PageControl->page(kTelefoni)},
            {"ADEMCO", f.PageControl->page(kAdemco)}};
        // The grids of the association editors are pick lists, not values: listed, not compared.
        QStringList onScreen, placed, pickLists;
        for (const Place& p : kPlaces)
            if (QLatin1String(p.where).startsWith(QLatin1String("links")))
                pickLists << QLatin1String(p.control);
        for (auto [name, page] : pages)
            for (const QString& s : shownFields(page))
                if (!pickLists.contains(s.section(QLatin1Char(' '), 0, 0)))
                    onScreen << QString::fromLatin1(name) + QLatin1Char(' ') + s;
        for (const Place& p : kPlaces)
            if (!pickLists.contains(QLatin1String(p.control)))
                for (const QString& field : QString::fromLatin1(p.fields).split(QLatin1Char(',')))
                    placed << QStringLiteral("%1 %2 %3")
                                  .arg(QLatin1String(p.page), QLatin1String(p.control), field);
        QStringList unplaced, gone;
        for (const QString& s : onScreen)
            if (!placed.contains(s))
                unplaced << s;
        for (const QString& s : placed)
            if (!onScreen.contains(s))
                gone << s;
        QVERIFY2(unplaced.isEmpty(),
                 qPrintable(QStringLiteral("not placed: ") + unplaced.join(QStringLiteral(", "))));
        QVERIFY2(gone.isEmpty(),
                 qPrintable(QStringLiteral("not on screen: ") + gone.join(QStringLiteral(", "))));
    }

    void valuesSetOnScreenReachThePanel_data() {
        QTest::addColumn<int>("model");
        QTest::addColumn<bool>("all");
        QTest::addColumn<QList<Row>>("rows");
        for (int model : {kTavek, kZorem}) {
            const QByteArray m = model == kZorem ? " ZOREM" : " TAVEK";
            QTest::newRow("UTENTI" + m) << model << false << usersRows(model);
            QTest::newRow("INGRESSI" + m) << model << false << inputsRows(model);
            QTest::newRow("USCITE" + m) << model << false << outputsRows(model);
            QTest::newRow("PROGRAMMI" + m) << model << false << partitionsRows(model);
            QTest::newRow("GRUPPI" + m) << model << false << groupsRows();
            QTest::newRow("TELEFONI" + m) << model << false << phonesRows(model);
            QTest::newRow("ADEMCO" + m) << model << false << contactIdRows();
            QTest::newRow("Invia tutto" + m) << model << true << sentWithAllRows(model);
        }
    }
    void valuesSetOnScreenReachThePanel() {
        QFETCH(int, model);
        QFETCH(bool, all);
        QFETCH(QList<Row>, rows);
        ScreenWire::run(model, all ? Send::All : Send::Page, rows);
    }
};

QTEST_MAIN(TestScreenWireA)
#include "test_screenwire_a.moc"
