// What an installer sets on the pages PERIFERICHE, PARAMETRI VARI, WIRELESS, EVENTI DI SISTEMA,
// TIMERS, BLOCCO INSERIMENTO, PSTN, PARAMETRI DI RETE, EDITA VOCABOLI and PRIORITà VETTORI
// reaches the panel where the protocol puts it. Each row sets values through real input on one
// page (clicks on tabs, cells and boxes, keys to the focused widget, choices from the lists),
// sends the page with its own page action to the simulated panel and reads the panel's
// bytes. The expected offsets and bytes are written here by hand from the protocol's byte
// layouts, never taken from the codec, so a rule wrong on both sides still fails.
//
// The rows are the table of where the values of these pages travel; kControls holds what no row
// sets: where it would travel (offsets of a grid's first row), or why it stays in the program.
#include "model/lang.h"
#include "platform/dbcontrols.h"
#include "support/screenwire.h"

namespace {

// clang-format off
const QList<ScreenWire::Place> kControls = {
    {3, "DBGrid(12|13|14|41|42|17|18)\\._ID", "_ID", "stays: the row's number (a click renumbers it)"},
    {5, "DBCheckBox117", "_MemSonora", "36+12 bit 3 (hidden on every model)"},
    {5, "DBCheckBox36", "_AccettaChiamate", "36+8 (hidden on every model)"},
    {5, "DBCheckBox37", "_SquilloPassante", "36+9 (hidden on every model)"},
    {5, "CheckBox1", "CheckBox1", "stays: unticked, the pickers' date and time go in 41"},
    {5, "ora", "ora", "41+3 hour, minute, second (\"Ora Corrente\" unticked; typed after the date)"},
    {8, "DBCheckBox_RemCrt_WakeUp", "_RemCrt_WakeUp", "61+1 bit 1 (hidden)"},
    {9, "DBGrid32\\._Nome", "_Nome", "stays: the event's label (not editable)"},
    {11, "DBGrid(33|34|36|37|38)\\._Nome", "_Nome", "stays: labels of the days, timers and switched items"},
    {14, "DBComboBox8", "_PSTN_ContactIdPriority", "49+4 position (hidden on every model)"},
    {14, "DBComboBox4", "_PSTN_VoicePriority", "49+5 position (hidden on every model)"},
    {16, "DBEdit10", "_Net_URL2", "52+219 text 64 (hidden)"},
    {16, "DBEdit11", "_Net_URL3", "52+283 text 64 (hidden)"},
    {16, "Edit[23]", "Edit[23]", "stays: the program's own relay host and port (hidden box)"},
};

constexpr int ZOREM = 6, TAVEK = 1, QUANE = 5;

QList<ScreenWire::Case> cases() {
    QList<ScreenWire::Case> c;
    using L = QStringList;

    // ---- PERIFERICHE (commands 2..5) ----
    c.append({"expanders ZOREM", ZOREM, 3, L{"type|DBGrid12|3|_Nome|ESP IN 3", "cell|DBGrid12|3|_Enable",
        "type|DBGrid13|4|_Nome|ESP OUT 4", "cell|DBGrid13|4|_Enable", "type|DBGrid14|2|_Nome|RADIO 2",
        "cell|DBGrid14|2|_Enable", "type|DBGrid41|1|_Nome|GSM", "cell|DBGrid41|1|_Enable",
        "type|DBGrid42|1|_Nome|LAN", "cell|DBGrid42|1|_Enable"}, L{"2|34|s16|ESP IN 3", "2|50|x01",
        "2|170|s16|ESP OUT 4", "2|186|x01", "2|204|s16|RADIO 2", "2|220|x01", "2|221|s16|GSM", "2|237|x01",
        "2|238|s16|LAN", "2|254|x01"}});
    c.append({"expanders TAVEK", TAVEK, 3, L{"type|DBGrid12|1|_Nome|ESP IN 1", "cell|DBGrid12|1|_Enable",
        "type|DBGrid13|1|_Nome|ESP OUT 1", "cell|DBGrid13|1|_Enable", "type|DBGrid14|2|_Nome|RADIO 2",
        "cell|DBGrid14|2|_Enable"}, L{"2|0|s16|ESP IN 1", "2|16|x01", "2|119|s16|ESP OUT 1", "2|135|x01",
        "2|204|s16|RADIO 2", "2|220|x01"}});
    c.append({"keypads and sockets ZOREM", ZOREM, 3, L{"type|DBGrid18|7|_Nome|TAST 7",
        "cell|DBGrid18|7|_Sound4", "pick|DBGrid18|6|_M1|Ingresso 11", "pick|DBGrid18|6|_M2|Uscita 17",
        "type|DBGrid17|5|_Nome|PRESA 5", "cell|DBGrid17|5|_Sound3", "cell|DBGrid17|6|_Nome",
        "cell|DBGrid28|7|_Led2", "cell|DBGrid28|1|_Led1", "cell|DBGrid28|3|_Led3", "cell|DBGrid18|3|_Sound1",
        "cell|DBGrid18|5|_Sound3", "cell|DBGrid18|2|_Enable", "cell|DBGrid17|2|_Enable",
        "cell|DBGrid17|7|_Sound2"}, L{"3|114|s16|TAST 7", "3|130|x11", "3|112|x0b", "3|113|x91",
        "4|68|s16|PRESA 5", "4|84|x09", "5|46|x02", "5|40|x01", "5|42|x04", "3|54|x03", "3|92|x09",
        "3|35|x01", "4|33|x01", "4|118|x05"}});
    c.append({"keypads and sockets TAVEK", TAVEK, 3, L{"type|DBGrid18|4|_Nome|TAST 4",
        "cell|DBGrid18|4|_Sound2", "pick|DBGrid18|3|_M1|Ingresso 6", "pick|DBGrid18|3|_M2|Ingresso 8",
        "type|DBGrid17|3|_Nome|PRESA 3", "cell|DBGrid17|3|_Sound1", "cell|DBGrid17|4|_Nome",
        "cell|DBGrid28|3|_Led4"}, L{"3|57|s16|TAST 4", "3|73|x05", "3|55|x06", "3|56|x08", "4|34|s16|PRESA 3",
        "4|50|x03", "5|26|x08"}});

    // ---- PARAMETRI VARI (commands 36..40) ----
    const L params{"list|DBComboBox18|BILANCIATO 4K7", "box|DBCheckBox35", "box|DBCheckBox34",
        "box|DBCheckBox17", "box|DBCheckBox16", "box|DBCheckBox6", "list|DBComboBox17|7",
        "list|DBComboBox16|3", "list|DBComboBox15|9", "box|DBCheckBox19", "list|DBComboBox39|1,5 Sec.",
        "box|DBCheckBox22", "box|DBCheckBox24", "box|DBCheckBox30", "box|DBCheckBox114", "box|DBCheckBox116",
        "box|DBCheckBox39", "radio|DBRadioGroup2|1", "list|DBComboBox23|4", "box|DBCheckBox11",
        "box|DBCheckBox10", "list|DBComboBox22|12", "list|DBComboBox19|13", "list|DBComboBox51|45",
        "list|DBComboBox48|6", "list|DBComboBox49|21", "list|DBComboBox50|33", "radio|DBRadioGroup4|1",
        "box|DBCheckBox40", "box|DBCheckBox2", "box|DBCheckBox82"};
    const L paramChecks{"37|0|x02", "37|1|x01", "37|2|x01", "37|3|x01", "36|3|x01", "36|5|x01",
        "38|0|s16|7", "38|16|s16|3", "38|32|s16|9", "38|48|x01", "36|13|s16|1,5 Sec.", "39|0|x01", "36|1|x01",
        "36|29|s16|4", "36|6|x01", "36|7|x01", "36|45|s16|12", "36|61|s16|13", "36|77|s16|45", "36|93|s16|6",
        "36|109|s16|21", "36|125|s16|33", "36|2|x01", "39|1|x01", "39|2|x01"};
    // Partitions 2, 4 local and 2 remote; the signalling bits 0, 2 and summer time (bit 4).
    c.append({"parameters TAVEK", TAVEK, 5, params, paramChecks + L{"36|10|x0a", "36|11|x02", "36|12|x15"}});
    // "Ora Corrente" unticked: 9 March, then Tab to the time, 07:30:15, typed section by section.
    c.append({"date and time TAVEK", TAVEK, 5, L{"box|CheckBox1", "at|Data|{^A}{Tab}9{Tab}March{Tab}073015"},
        L{"41|0|x0903", "41|3|x071e0f"}});  // the year (byte 2) stays this year
    c.append({"parameters ZOREM", ZOREM, 5, params + L{"box|DBCheckBox21", "box|DBCheckBox25",
        "box|DBCheckBox31", "box|DBCheckBox23", "box|DBCheckBox26", "box|DBCheckBox27", "box|DBCheckBox28",
        "box|DBCheckBox29", "box|DBCheckBox32", "box|DBCheckBox33", "box|DBCheckBox41", "box|DBCheckBox48",
        "box|DBCheckBox49", "box|DBCheckBox115", "box|DBCheckBox38", "list|DBComboBox21|17",
        "list|DBComboBox20|8"}, paramChecks + L{"36|10|xff", "36|11|xff", "36|12|x17", "36|4|x01",
        "36|141|s16|17", "36|157|s16|8"}});

    // ---- WIRELESS (commands 57..61) ----
    c.append({"433 devices ZOREM", ZOREM, 8, L{"type|DBGrid46|5|_Nome|FINESTRA",
        "pick|DBGrid46|5|_Input2|Ingresso 12 (Contatto esterno)", "pick|DBGrid46|5|_Input1|Ingresso 9 (Reed)",
        "pick|DBGrid46|5|_Input3|Ingresso 20 (Switch Alarm)", "pick|DBGrid46|7|_Input4|Ingresso 9 (Tasto 1)",
        "pick|DBGrid46|7|_Input5|Ingresso 20 (Inserimento Totale)"}, L{"57|68|s16|FINESTRA", "58|26|x0c",
        "58|25|x09", "58|27|x14", "58|40|x09", "58|41|x14"}});
    c.append({"868 detector ZOREM", ZOREM, 8, L{"pick|DBGrid48|6|_NomeDevice|VIRNA800",
        "type|DBGrid48|6|_Nome|CUCINA", "type|DBGrid48|6|_ID_Radio|00A1B2C3D4",
        "pick|DBGrid48|6|_Input1|Ingresso 9 (PIR)", "radio|DBRadioGroup_RemCrt_Sensibility|2",
        "box|DBCheckBox_RemCrt_TestMode", "box|DBCheckBox_RemCrt_Led"}, L{"60|783|s16|CUCINA", "60|799|x03",
        "60|800|s10|00A1B2C3D4", "61|950|x09", "61|931|x02", "61|929|x00"}});  // the type's options: LED on, test mode on; both clicked off
    c.append({"868 remote control QUANE", QUANE, 8, L{"pick|DBGrid9|3|_NomeDevice|BOLDO800",
        "box|DBCheckBox_RemCrt_PanicOn", "box|DBCheckBox_RemCrt_T3_Led2", "box|DBCheckBox_RemCrt_T2P4",
        "radio|DBRadioGroup_RemCrt_ONOFF_PRG4|2", "radio|DBRadioGroup_RemCrt_ONOFF_OUT2|1"}, L{"60|70|x04",
        "61|65|x15", "61|69|x0b", "61|83|xf7", "61|81|x02", "61|75|x01"}});
    // Remote control 4: the other keys' LEDs, partitions (5..8 on ZOREM), programs and outputs.
    c.append({"868 remote control keys ZOREM", ZOREM, 8, L{"pick|DBGrid9|4|_NomeDevice|BOLDO800",
        "type|DBGrid9|4|_ID_Radio|0123456789", "box|DBCheckBox_RemCrt_T2_Led4",
        "box|DBCheckBox_RemCrt_T4_Led1", "box|DBCheckBox_RemCrt_T4_Led3", "box|DBCheckBox_RemCrt_T1P8",
        "box|DBCheckBox_RemCrt_T3P5", "box|DBCheckBox_RemCrt_T4P1", "box|DBCheckBox_RemCrt_T4P6",
        "radio|DBRadioGroup_RemCrt_ONOFF_PRG1|2", "radio|DBRadioGroup_RemCrt_ONOFF_PRG2|1",
        "radio|DBRadioGroup_RemCrt_ONOFF_PRG3|0", "radio|DBRadioGroup_RemCrt_ONOFF_OUT1|0",
        "radio|DBRadioGroup_RemCrt_ONOFF_OUT3|2", "radio|DBRadioGroup_RemCrt_ONOFF_OUT4|1",
        "list|DBLookupComboBoxOut2|Uscita 5", "list|DBLookupComboBoxOut3|Uscita 17",
        "list|DBLookupComboBoxOut4|Uscita 3", "list|DBLookupComboBox10|Utente 64"}, L{"60|98|s10|0123456789",
        "61|100|x7f", "61|101|x59", "61|114|x7f", "61|116|x13", "61|117|x21", "61|110|x02", "61|111|x01",
        "61|112|x00", "61|106|x00", "61|108|x02", "61|109|x01", "61|103|x05", "61|104|x11", "61|105|x03",
        "61|96|x40"}});
    // Remote control 5: the key boxes the row above leaves, on the type's defaults.
    c.append({"868 remote control key boxes ZOREM", ZOREM, 8, L{"pick|DBGrid9|5|_NomeDevice|BOLDO800",
        "box|DBCheckBox_RemCrt_T1_Led1", "box|DBCheckBox_RemCrt_T1_Led2", "box|DBCheckBox_RemCrt_T1_Led4",
        "box|DBCheckBox_RemCrt_T2_Led1", "box|DBCheckBox_RemCrt_T2_Led2", "box|DBCheckBox_RemCrt_T2_Led3",
        "box|DBCheckBox_RemCrt_T3_Led1", "box|DBCheckBox_RemCrt_T3_Led3", "box|DBCheckBox_RemCrt_T3_Led4",
        "box|DBCheckBox_RemCrt_T4_Led2", "box|DBCheckBox_RemCrt_T4_Led4", "box|DBCheckBox_RemCrt_T1P1",
        "box|DBCheckBox_RemCrt_T1P2", "box|DBCheckBox_RemCrt_T1P3", "box|DBCheckBox_RemCrt_T1P4",
        "box|DBCheckBox_RemCrt_T1P5", "box|DBCheckBox_RemCrt_T1P6", "box|DBCheckBox_RemCrt_T1P7",
        "box|DBCheckBox_RemCrt_T2P1", "box|DBCheckBox_RemCrt_T2P2", "box|DBCheckBox_RemCrt_T2P3",
        "box|DBCheckBox_RemCrt_T2P5", "box|DBCheckBox_RemCrt_T2P6", "box|DBCheckBox_RemCrt_T2P7",
        "box|DBCheckBox_RemCrt_T2P8", "box|DBCheckBox_RemCrt_T3P1", "box|DBCheckBox_RemCrt_T3P2",
        "box|DBCheckBox_RemCrt_T3P3", "box|DBCheckBox_RemCrt_T3P4", "box|DBCheckBox_RemCrt_T3P6",
        "box|DBCheckBox_RemCrt_T3P7", "box|DBCheckBox_RemCrt_T3P8", "box|DBCheckBox_RemCrt_T4P2",
        "box|DBCheckBox_RemCrt_T4P3", "box|DBCheckBox_RemCrt_T4P4", "box|DBCheckBox_RemCrt_T4P5",
        "box|DBCheckBox_RemCrt_T4P7", "box|DBCheckBox_RemCrt_T4P8"}, L{"61|132|x84", "61|133|xa4",
        "61|146|x80", "61|147|x08", "61|148|xec", "61|149|xde"}});
    // Devices 82 and 83 (detector rows 34, 35): a VIRNA800T and a RUSTA800.
    c.append({"868 detectors TAVEK", TAVEK, 8, L{"pick|DBGrid48|34|_NomeDevice|VIRNA800T",
        "radio|DBRadioGroup_RemCrt_Sensibility|1", "box|DBCheckBox_RemCrt_Led",
        "box|DBCheckBox_RemCrt_TestMode", "pick|DBGrid48|34|_Input2|Ingresso 12 (Contatto esterno)",
        "pick|DBGrid48|35|_NomeDevice|RUSTA800", "list|DBComboBox_RemCrt_Sensibility|15"}, L{"60|2203|x05",
        "61|2593|x00", "61|2595|x01", "61|2615|x0c", "60|2230|x07", "61|2627|x0f"}});
    // Device 56, the last detector of the first half (row 32 of the detectors), and a siren.
    c.append({"868 detector and siren ZOREM", ZOREM, 8, L{"pick|DBGrid48|32|_NomeDevice|ULMO800",
        "box|DBCheckBox_RemCrt_Led", "list|DBComboBox_RemCrt_Switch|12",
        "pick|DBGrid48|32|_Input2|Ingresso 12 (Contatto esterno)",
        "pick|DBGrid48|32|_Input3|Ingresso 20 (Switch Alarm)", "pick|DBGrid47|2|_NomeDevice|LIRNO800",
        "type|DBGrid47|2|_Nome|SIRENA EST", "type|DBGrid47|2|_ID_Radio|FFEE001122"}, L{"60|1501|x01",
        "61|1761|x10", "61|1762|x0c", "61|1783|x0c", "61|1784|x14", "60|567|s16|SIRENA EST", "60|583|x08",
        "60|584|s10|FFEE001122"}});
    // Device 81, the first detector of the second half (row 33), and remote control 20.
    c.append({"868 detector and remote control TAVEK", TAVEK, 8, L{"pick|DBGrid48|33|_NomeDevice|TORVO800",
        "type|DBGrid48|33|_Nome|SOTTOTETTO", "box|DBCheckBox_RemCrt_Led", "box|DBCheckBox_RemCrt_Buzzer",
        "box|DBCheckBox_RemCrt_DoubleImp", "box|DBCheckBox_RemCrt_TestMode",
        "list|DBComboBox_RemCrt_Sensibility|5", "pick|DBGrid9|20|_NomeDevice|BOLDO800",
        "type|DBGrid9|20|_Nome|MARIO", "list|DBLookupComboBox10|Utente 2", "box|DBCheckBox_RemCrt_PanicOff",
        "box|DBCheckBox_RemCrt_T1_Led3", "list|DBLookupComboBoxOut1|Uscita 2"}, L{"60|2160|s16|SOTTOTETTO",
        "60|2176|x06", "61|2561|x60", "61|2563|x05", "60|513|s16|MARIO", "60|529|x04", "61|608|x02",
        "61|609|x19", "61|612|xfb", "61|614|x02"}});

    // ---- EVENTI DI SISTEMA (command 35) ----
    const L events{"pick|DBGrid32|4|_Tel3|Voce", "pick|DBGrid32|23|_Tel8|SMS",
        "pick|DBGrid32|11|_Tel1|Voce + SMS", "pick|DBGrid32|2|_Tel2|SMS", "pick|DBGrid32|7|_Tel5|Voce",
        "pick|DBGrid32|15|_Tel6|SMS", "pick|DBGrid32|19|_Tel7|Voce + SMS", "pick|DBGrid32|20|_Tel4|SMS"};
    const L eventChecks{"35|26|x02", "35|183|x01", "35|80|x03", "35|9|x01", "35|52|x02", "35|117|x01",
        "35|150|x03", "35|155|x01"};
    c.append({"system events ZOREM", ZOREM, 9, events, eventChecks});
    c.append({"system events TAVEK", TAVEK, 9, events, eventChecks});

    // ---- TIMERS (commands 43..48) ----
    // ZOREM: day 3, timer 2 (row 17 of the 56): output 17, user 40, partition 7.
    c.append({"timers ZOREM", ZOREM, 11, L{"cell|DBGrid33|3|_Nome", "cell|DBGrid34|2|_Ora", "keys|0730",
        "cell|DBGrid34|2|_DataEscusione3", "cell|DBGrid34|2|_DataEscusione1",
        "cell|DBGrid34|2|_DataEscusione5", "cell|DBGrid34|2|_DataEscusione7",
        "pick|DBGrid38|17|_OnOff|ATTIVA", "pick|DBGrid36|40|_OnOff|DISABILITA",
        "pick|DBGrid37|7|_OnOff|ATTIVA", "type|DBGrid35|6|_Nome|FERIE", "type|DBGrid35|6|_Data1|0108",
        "type|DBGrid35|6|_Data2|2508", "list|DBComboBox28|4"}, L{"47|305|x01", "45|1127|x00", "46|142|x01",
        "44|34|x071e", "43|17|x55", "48|100|s16|FERIE", "48|116|x0108", "48|118|x1908", "48|160|s16|4"}});
    // TAVEK: day 6, timer 4 (row 43): output 4, user 20, partition 3.
    c.append({"timers TAVEK", TAVEK, 11, L{"cell|DBGrid33|6|_Nome", "cell|DBGrid34|4|_Ora", "keys|2215",
        "cell|DBGrid34|4|_DataEscusione2", "cell|DBGrid34|4|_DataEscusione4",
        "cell|DBGrid34|4|_DataEscusione6", "cell|DBGrid34|4|_DataEscusione8", "pick|DBGrid38|4|_OnOff|ATTIVA",
        "pick|DBGrid36|20|_OnOff|DISABILITA", "pick|DBGrid37|3|_OnOff|ATTIVA"}, L{"47|734|x01", "45|2771|x00",
        "46|346|x01", "44|86|x160f", "43|43|xaa"}});

    // ---- BLOCCO INSERIMENTO (command 42) ----
    const L blocks{"box|DBCheckBox42", "box|DBCheckBox47", "box|DBCheckBox45", "box|DBCheckBox7",
        "box|DBCheckBox12", "box|DBCheckBox107"};
    c.append({"arming block TAVEK", TAVEK, 12, blocks, L{"42|0|x01", "42|2|x01", "42|4|x01", "42|6|x01",
        "42|7|x01", "42|8|x01"}});
    c.append({"arming block ZOREM", ZOREM, 12, L{"box|DBCheckBox43", "box|DBCheckBox46", "box|DBCheckBox44"},
        L{"42|1|x01", "42|3|x01", "42|5|x01"}});

    // ---- PSTN (command 49) ----
    const L pstn{"box|DBCheckBox8", "box|DBCheckBox4", "list|DBComboBox41|3 Sec.", "box|DBCheckBox3",
        "list|DBComboBox26|1", "list|DBComboBox25|2,5 Sec.", "box|DBCheckBox5"};
    const L pstnChecks{"49|0|x01", "49|1|x01", "49|22|s16|3 Sec.", "49|2|x01", "49|38|s16|1",
        "49|70|s16|2,5 Sec.", "49|3|x01"};
    c.append({"PSTN TAVEK", TAVEK, 14, pstn, pstnChecks});
    c.append({"PSTN ZOREM", ZOREM, 14, pstn + L{"list|DBComboBox27|7"}, pstnChecks + L{"49|54|s16|7"}});

    // ---- PARAMETRI DI RETE (commands 51..53) ----
    c.append({"network ZOREM", ZOREM, 16, L{"edit|DBEdit3|192.168.1.20", "edit|DBEdit4|255.255.255.0",
        "edit|DBEdit5|192.168.1.1", "edit|DBEdit6|8.8.8.8", "edit|DBEdit7|1.1.1.1", "box|DBCheckBox13",
        "box|DBCheckBox50", "edit|DBEdit1|mario", "edit|DBEdit2|segreto", "edit|DBEdit33|VILLA",
        "edit|DBEdit8|casa", "edit|DBEdit9|relay.example.net", "box|DBCheckBox15", "box|DBCheckBox20",
        "edit|DBEdit12|apn.rete.it", "edit|DBEdit15|utente", "edit|DBEdit16|chiave"}, L{"51|1|xc0a80114",
        "51|5|xffffff00", "51|9|xc0a80101", "51|13|x08080808", "51|17|x01010101", "51|0|x01", "52|0|x05",
        "52|1|s30|mario", "52|31|s30|segreto", "52|61|s30|VILLA", "52|91|s64|casa",
        "52|155|s64|relay.example.net", "53|0|x01", "53|1|s64|apn.rete.it", "53|65|s30|utente",
        "53|95|s30|chiave"}});

    c.append({"network TAVEK", TAVEK, 16, L{"edit|DBEdit3|10.0.0.7", "box|DBCheckBox50", "box|DBCheckBox14",
        "box|DBCheckBox18", "edit|DBEdit9|wss://relay.example.org"}, L{"51|1|x0a000007", "52|0|x0b",
        "52|155|s64|wss://relay.example.org"}});

    // ---- EDITA VOCABOLI (command 56) ----
    c.append({"vocabulary ZOREM", ZOREM, 17, L{"type|DBGrid43|5|_Messaggio|CANTINA"},
        L{"56|64|s16|CANTINA"}});
    c.append({"vocabulary TAVEK", TAVEK, 17, L{"type|DBGrid43|150|_Messaggio|SOFFITTA"},
        L{"56|2384|s16|SOFFITTA"}});

    // ---- PRIORITà VETTORI (command 55) ----
    c.append({"priorities ZOREM", ZOREM, 18, L{"radio|DBRadioGroup3|4", "radio|DBRadioGroup5|3",
        "radio|DBRadioGroup6|2", "radio|DBRadioGroup7|1"}, L{"55|0|x04", "55|1|x03", "55|2|x02",
        "55|3|x01"}});

    return c;
}
// clang-format on

} // namespace

class ScreenWireB : public QObject {
    Q_OBJECT
private slots:
    void everyControlOfThePagesIsInTheTable() {
        ScreenWire::checkPlaced({3, 5, 8, 9, 11, 12, 14, 16, 17, 18}, kControls, cases());
    }
    void valuesSetOnScreenReachThePanel_data() { ScreenWire::addRows(cases()); }
    void valuesSetOnScreenReachThePanel() {
        // What the radio page works on comes from elsewhere: the type of a 433 device is learnt
        // from the panel (devices 5 and 7 here), and inputs 9, 12 and 20 are wired radio on the
        // inputs page.
        ScreenWire::runRow([](const ScreenWire::Case& c) {
            if (c.page != 8)
                return;
            const auto write = [](DataSet* t, int rec, const char* field, const QVariant& v) {
                t->setRecNo(rec);
                t->edit();
                t->fieldByName(QString::fromLatin1(field)).setValue(v);
                t->post();
            };
            write(DM->CDSet_DeviceRadio, 5, "_Tipo", 1);
            write(DM->CDSet_DeviceRadio, 7, "_Tipo", 4); // a BOLDO400: five channels
            for (int input : {9, 12, 20})
                write(DM->CDSet_Ingressi, input, "_TipoIngresso", Lang::WiringRadio());
        });
    }
};

QTEST_MAIN(ScreenWireB)
#include "test_screenwire_b.moc"
