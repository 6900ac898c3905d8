// What an installer sets on the pages PERIFERICHE, PARAMETRI VARI, WIRELESS, EVENTI DI SISTEMA,
// TIMERS, BLOCCO INSERIMENTO, PSTN, PARAMETRI DI RETE, EDITA VOCABOLI and PRIORITà VETTORI
// reaches the panel where the protocol puts it. Each row sets values through real input on one
// page (clicks on tabs, cells and boxes, keys to the focused widget, choices from the lists),
// sends the page with its own page action to the simulated panel and reads the panel's
// bytes. The expected offsets and bytes are written here by hand from the protocol's byte
// layouts, never taken from the codec, so a rule wrong on both sides still fails.
//
// kControls below is the table of every control of these pages: where its value travels
// ("cmd+offset"), or why it stays in the program.
#include "model/lang.h"
#include "platform/dbcontrols.h"
#include "support/screenwire.h"

namespace {

// ---- the table of the controls ---------------------------------------------------------------

// Row r of a grid adds (r-1) times the row's size to the offset of the first.
// clang-format off
const QList<ScreenWire::Place> kControls = {
    // PERIFERICHE (3): expanders, modules, keypads, sockets and their lamps
    {3, "DBGrid12\\._Nome", "_Nome", "2+0 (row 17 bytes)"},
    {3, "DBGrid12\\._Enable", "_Enable", "2+16 bit 0"},
    {3, "DBGrid13\\._Nome", "_Nome", "2+119 (row 17 bytes)"},
    {3, "DBGrid13\\._Enable", "_Enable", "2+135 bit 0"},
    {3, "DBGrid14\\._Nome", "_Nome", "2+187 (row 17 bytes)"},
    {3, "DBGrid14\\._Enable", "_Enable", "2+203 bit 0"},
    {3, "DBGrid41\\._Nome", "_Nome", "2+221"},
    {3, "DBGrid41\\._Enable", "_Enable", "2+237 bit 0"},
    {3, "DBGrid42\\._Nome", "_Nome", "2+238"},
    {3, "DBGrid42\\._Enable", "_Enable", "2+254 bit 0"},
    {3, "DBGrid18\\._Nome", "_Nome", "3+0 (row 19 bytes)"},
    {3, "DBGrid18\\._Enable", "_Enable", "3+16 bit 0"},
    {3, "DBGrid18\\._Sound1", "_Sound1", "3+16 bit 1"},
    {3, "DBGrid18\\._Sound2", "_Sound2", "3+16 bit 2"},
    {3, "DBGrid18\\._Sound3", "_Sound3", "3+16 bit 3"},
    {3, "DBGrid18\\._Sound4", "_Sound4", "3+16 bit 4"},
    {3, "DBGrid18\\._M1", "_M1", "3+17 (list DBComboBox30)"},
    {3, "DBGrid18\\._M2", "_M2", "3+18 (list DBComboBox30)"},
    {3, "DBGrid17\\._Nome", "_Nome", "4+0 (row 17 bytes)"},
    {3, "DBGrid17\\._Enable", "_Enable", "4+16 bit 0"},
    {3, "DBGrid17\\._Sound1", "_Sound1", "4+16 bit 1"},
    {3, "DBGrid17\\._Sound2", "_Sound2", "4+16 bit 2"},
    {3, "DBGrid17\\._Sound3", "_Sound3", "4+16 bit 3"},
    {3, "DBGrid28\\._Led1", "_Led1", "5+0 bit 0 (socket s, partition p: byte (s-1)*8+p-1)"},
    {3, "DBGrid28\\._Led2", "_Led2", "5+0 bit 1"},
    {3, "DBGrid28\\._Led3", "_Led3", "5+0 bit 2"},
    {3, "DBGrid28\\._Led4", "_Led4", "5+0 bit 3"},
    {3, "DBGrid(12|13|14|41|42|17|18)\\._ID", "_ID", "stays: the row's number (a click renumbers it)"},
    // PARAMETRI VARI (5)
    {5, "DBComboBox18", "_TipoTamperLinea", "37+0 position"},
    {5, "DBCheckBox35", "_TamperLinea", "37+1"},
    {5, "DBCheckBox34", "_TampeCentrale", "37+2"},
    {5, "DBCheckBox17", "_TamperPeriferiche", "37+3"},
    {5, "DBCheckBox16", "_InserimentoRapido", "36+3"},
    {5, "DBCheckBox38", "_VivaVoce", "36+4 (shown on PELUN, QUANE, ZOREM)"},
    {5, "DBCheckBox6", "_Manutenzione", "36+5"},
    {5, "DBComboBox17", "_TempoSirena", "38+0 text 16"},
    {5, "DBComboBox16", "_CicliSirena", "38+16 text 16"},
    {5, "DBComboBox15", "_PausaSirena", "38+32 text 16"},
    {5, "DBCheckBox19", "_SirenaInTastiera", "38+48"},
    {5, "DBComboBox39", "_Sqk_Time", "36+13 text 16"},
    {5, "DBCheckBox2[1-8]", "_Sqk_Local_Pz[1-8]", "36+10 bits 0..7 (5..8 on eight-partition models)"},
    {5, "DBCheckBox(29|3[0-3]|41|48|49)", "_Sqk_Remote_Pz[1-8]", "36+11 bits 0..7"},
    {5, "DBCheckBox114", "_InsVisivo", "36+12 bit 0"},
    {5, "DBCheckBox115", "_InsSonoro", "36+12 bit 1"},
    {5, "DBCheckBox116", "_MemVisiva", "36+12 bit 2"},
    {5, "DBCheckBox117", "_MemSonora", "36+12 bit 3 (hidden on every model)"},
    {5, "DBCheckBox39", "_EN50131", "39+0"},
    {5, "DBRadioGroup2", "_RicaricaBatteria", "36+1"},
    {5, "DBComboBox23", "_CicliAutoesc", "36+29 text 16"},
    {5, "DBCheckBox11", "_VisualizzaStatoImp", "36+6"},
    {5, "DBCheckBox10", "_VisualizzaZone", "36+7"},
    {5, "DBComboBox22", "_TimeNo220", "36+45 text 16"},
    {5, "DBComboBox19", "_LifeTestHourStart", "36+61 text 16"},
    {5, "DBComboBox51", "_LifeTestMinStart", "36+77 text 16"},
    {5, "DBComboBox48", "_LifeTestDay", "36+93 text 16"},
    {5, "DBComboBox49", "_LifeTestHour", "36+109 text 16"},
    {5, "DBComboBox50", "_LifeTesMin", "36+125 text 16"},
    {5, "DBComboBox21", "_DelayEventi", "36+141 text 16 (shown on PELUN, QUANE, ZOREM)"},
    {5, "DBComboBox20", "_SquilliRisposta", "36+157 text 16 (shown on PELUN, QUANE, ZOREM)"},
    {5, "DBCheckBox36", "_AccettaChiamate", "36+8 (hidden on every model)"},
    {5, "DBCheckBox37", "_SquilloPassante", "36+9 (hidden on every model)"},
    {5, "DBRadioGroup4", "_TipoApprendimento", "36+2"},
    {5, "DBCheckBox40", "_SaturazioneRadio", "39+1"},
    {5, "DBCheckBox2", "_DisturboRadio", "39+2"},
    {5, "DBCheckBox82", "_Ora_legale", "36+12 bit 4"},
    {5, "CheckBox1", "CheckBox1", "stays: unticked, the pickers' date and time go in 41"},
    {5, "Data", "Data", "41+0 day, month, year - 2000 (\"Ora Corrente\" unticked)"},
    {5, "ora", "ora", "41+3 hour, minute, second (\"Ora Corrente\" unticked)"},
    // WIRELESS (8), 433 Mhz
    {8, "DBGrid46\\._Nome", "_Nome", "57+0 (row 17 bytes; typed devices only)"},
    {8, "DBGrid46\\._Input[1-5]", "_Input[1-5]", "58+1..+5 (row 6 bytes)"},
    // WIRELESS (8), 868 Mhz: the same controls on DBGrid9 (remote controls), DBGrid47 (sirens)
    // and DBGrid48 (detectors)
    {8, "DBGrid(9|47|48)\\._Nome", "_Nome", "60+0 (row 27 bytes)"},
    {8, "DBGrid(9|47|48)\\._NomeDevice", "_NomeDevice", "60+16 as _Tipo (list position)"},
    {8, "DBGrid(9|47|48)\\._ID_Radio", "_ID_Radio", "60+17 text 10"},
    {8, "DBGrid48\\._Input[1-3]", "_Input[1-3]", "61+22..+24 (row 32 bytes)"},
    {8, "DBCheckBox_RemCrt_Led", "_RemCrt_Led", "61+1 bit 0"},
    {8, "DBCheckBox_RemCrt_WakeUp", "_RemCrt_WakeUp", "61+1 bit 1 (hidden)"},
    {8, "DBCheckBox_RemCrt_PanicOn", "_RemCrt_PanicOn", "61+1 bit 2"},
    {8, "DBCheckBox_RemCrt_PanicOff", "_RemCrt_PanicOff", "61+1 bit 3"},
    {8, "DBCheckBox_RemCrt_TestMode", "_RemCrt_TestMode", "61+1 bit 4"},
    {8, "DBCheckBox_RemCrt_Buzzer", "_RemCrt_Buzzer", "61+1 bit 5"},
    {8, "DBCheckBox_RemCrt_DoubleImp", "_RemCrt_DoubleImp", "61+1 bit 6"},
    {8, "DBComboBox_RemCrt_Switch", "_RemCrt_Switch", "61+2"},
    {8, "DB(RadioGroup|ComboBox)_RemCrt_Sensibility", "_RemCrt_Sensibility", "61+3"},
    {8, "DBLookupComboBox10", "_RemCrt_User", "61+0"},
    {8, "DBCheckBox_RemCrt_T[1-4]_Led[1-4]", "_RemCrt_T[1-4]_Led[1-4]", "61+4 (keys 1, 2), +5 (keys 3, 4)"},
    {8, "DBCheckBox_RemCrt_T[1-4]P[1-8]", "_RemCrt_T[1-4]P[1-8]", "61+18..+21 bits 0..7"},
    {8, "DBRadioGroup_RemCrt_ONOFF_PRG[1-4]", "_RemCrt_ONOFF_PRG[1-4]", "61+14..+17"},
    {8, "DBLookupComboBoxOut[1-4]", "_RemCrt_OutT[1-4]", "61+6..+9"},
    {8, "DBRadioGroup_RemCrt_ONOFF_OUT[1-4]", "_RemCrt_ONOFF_OUT[1-4]", "61+10..+13"},
    // EVENTI DI SISTEMA (9)
    {9, "DBGrid32\\._Tel[1-8]", "_Tel[1-8]", "35+0..+7 position (row 8 bytes)"},
    {9, "DBGrid32\\._Nome", "_Nome", "stays: the event's label (not editable)"},
    // TIMERS (11)
    {11, "DBGrid34\\._Ora", "_Ora", "44+0 hh mm (day d, timer t: row (d-1)*8+t-1, 2 bytes)"},
    {11, "DBGrid34\\._DataEscusione[1-8]", "_DataEscusione[1-8]", "43+0 bits 0..7 (row (d-1)*8+t-1)"},
    {11, "DBGrid35\\._Nome", "_Nome", "48+0 (row 20 bytes)"},
    {11, "DBGrid35\\._Data1", "_Data1", "48+16 dd mm"},
    {11, "DBGrid35\\._Data2", "_Data2", "48+18 dd mm"},
    {11, "DBGrid36\\._OnOff", "_OnOff", "45+0 position (byte ((d-1)*8+t-1)*64+u-1)"},
    {11, "DBGrid37\\._OnOff", "_OnOff", "46+0 position (byte ((d-1)*8+t-1)*8+p-1)"},
    {11, "DBGrid38\\._OnOff", "_OnOff", "47+0 position (byte ((d-1)*8+t-1)*17+o-1)"},
    {11, "DBComboBox28", "_Timer_TempoPreavviso", "48+160 text 16"},
    {11, "DBGrid(33|34|36|37|38)\\._Nome", "_Nome",
         "stays: labels of the days, timers and switched items (not editable)"},
    // BLOCCO INSERIMENTO (12)
    {12, "DBCheckBox42", "_BLKNO220", "42+0"},
    {12, "DBCheckBox43", "_BLKbatteria", "42+1"},
    {12, "DBCheckBox47", "_BLKGSM", "42+2"},
    {12, "DBCheckBox46", "_BLKTamperPeriferica", "42+3"},
    {12, "DBCheckBox45", "_BLKTamperLinea", "42+4"},
    {12, "DBCheckBox44", "_BLKTamper", "42+5"},
    {12, "DBCheckBox7", "_BLKPSTN", "42+6"},
    {12, "DBCheckBox12", "_BLKGuastoInterconnessione", "42+7"},
    {12, "DBCheckBox107", "_BLKNORadioActiv", "42+8"},
    // PSTN (14)
    {14, "DBCheckBox8", "_PSTN_LineControl", "49+0"},
    {14, "DBCheckBox4", "_PSTN_dialtoneControl", "49+1"},
    {14, "DBCheckBox3", "_PSTN_Notify", "49+2"},
    {14, "DBCheckBox5", "_PSTN_CtrlRingB", "49+3"},
    {14, "DBComboBox8", "_PSTN_ContactIdPriority", "49+4 position (hidden on every model)"},
    {14, "DBComboBox4", "_PSTN_VoicePriority", "49+5 position (hidden on every model)"},
    {14, "DBComboBox41", "_PSTN_CallDelay", "49+22 text 16"},
    {14, "DBComboBox26", "_PSTN_AmpDTMF", "49+38 text 16"},
    {14, "DBComboBox27", "_PSTN_SkypSegretery", "49+54 text 16 (shown on PELUN, QUANE, ZOREM)"},
    {14, "DBComboBox25", "_PSTN_PauseRingB", "49+70 text 16"},
    // PARAMETRI DI RETE (16)
    {16, "DBCheckBox13", "_Net_DHCP", "51+0 bit 0"},
    {16, "DBEdit3", "_Net_LocalIPAddress", "51+1 IPv4"},
    {16, "DBEdit4", "_Net_LocalSubAddress", "51+5 IPv4"},
    {16, "DBEdit5", "_Net_LocalGwAddress", "51+9 IPv4"},
    {16, "DBEdit6", "_Net_DNS1", "51+13 IPv4"},
    {16, "DBEdit7", "_Net_DNS2", "51+17 IPv4"},
    {16, "DBCheckBox20", "_Net_GPRS_Enable", "53+0"},
    {16, "DBEdit12", "_Net_GPRS_APN", "53+1 text 64"},
    {16, "DBEdit15", "_Net_GPRS_UserName", "53+65 text 30"},
    {16, "DBEdit16", "_Net_GPRS_PSW", "53+95 text 30"},
    {16, "DBEdit1", "_Net_UserName", "52+1 text 30"},
    {16, "DBEdit2", "_Net_PSW", "52+31 text 30"},
    {16, "DBEdit33", "_NomeSistema", "52+61 text 30"},
    {16, "DBCheckBox50", "_Net_Cloud_Enable", "52+0 bit 0"},
    {16, "DBEdit8", "_Net_CloudName", "52+91 text 64"},
    {16, "DBEdit9", "_Net_URL1", "52+155 text 64"},
    {16, "DBEdit10", "_Net_URL2", "52+219 text 64 (hidden)"},
    {16, "DBEdit11", "_Net_URL3", "52+283 text 64 (hidden)"},
    {16, "DBCheckBox14", "_NET_Notify_Ins", "52+0 bit 1"},
    {16, "DBCheckBox15", "_Net_Notify_Utenti", "52+0 bit 2"},
    {16, "DBCheckBox18", "_Net_Notify_Allarmi", "52+0 bit 3"},
    {16, "Edit[23]", "Edit[23]", "stays: the program's own relay host and port (hidden box)"},
    // EDITA VOCABOLI (17)
    {17, "DBGrid43\\._Messaggio", "_Messaggio", "56+0 (row 16 bytes)"},
    // PRIORITà VETTORI (18)
    {18, "DBRadioGroup3", "_Net_Priority1", "55+0"},
    {18, "DBRadioGroup5", "_Net_Priority2", "55+1"},
    {18, "DBRadioGroup6", "_Net_Priority3", "55+2"},
    {18, "DBRadioGroup7", "_Net_Priority4", "55+3"},
};
// clang-format on

constexpr int ZOREM = 6, TAVEK = 1, QUANE = 5;

// clang-format off
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
