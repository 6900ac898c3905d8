// What an installer sets on pages UTENTI, INGRESSI, USCITE, PROGRAMMI, GRUPPI, TELEFONI and ADEMCO
// reaches the panel where the protocol puts it. Each row sets values through real input on its
// page, sends the page with its own action and compares the simulated panel's bytes with bytes
// written here by hand from the protocol's byte layouts. Rows use an item other than the first,
// so a wrong row stride fails. Together with kControls (what no row sets, and why), the rows are
// the table of where every value of these pages travels; a test holds it to what the pages show.
#include "support/screenwire.h"

namespace {

constexpr int UTENTI = 0, INGRESSI = 1, USCITE = 2, TELEFONI = 4, PROGRAMMI = 6, GRUPPI = 7, ADEMCO = 10;
constexpr int TAVEK = 1, ZOREM = 6;

// clang-format off
const QList<ScreenWire::Place> kControls = {
    {INGRESSI, "DBGrid(10|15|11|26|44)\\._Nome", "_Nome", 
        "shown only: input names are typed on no grid of this page"},
    {USCITE, "DBGrid(16|27|29)\\._Nome", "_Nome", 
        "shown only: output names are typed on no grid of this page"},
    {USCITE, "DBGrid45\\._Nome", "_Nome", "shown only: the master of the associations"},
    {PROGRAMMI, "DBGrid4\\._Nome", "_Nome",
        "shown only: not typed in place (partition names travel in 24 +16(n-1))"},
    {ADEMCO, "DBGrid(39|2|40)\\._Nome", "_Nome", "shown only"},
    {ADEMCO, "DBGrid31\\._Tel[2-8]", "_Tel[2-8]", "hidden on every model (33 +4(n-1)+3 bits 1..7)"},
    {ADEMCO, "DBComboBoxIDCAmpImpulso", "_IDC_AmpImpulso", "hidden on every model (40 +18 text 16)"},
    {ADEMCO, "DBCheckBox9", "_IDC_RitardoRipristino", "disabled on every model (40 +1 on/off)"},
    // Pick lists of the associations, which travel as links: checked in test_associations. (Those of
    // the zones of a partition, 26 +8(n-1), show no column a user can edit.)
    {USCITE, "DBGrid(19|20)\\..*", "_Nome", "links: the inputs of an output, 18 +8(n-1)"},
    {USCITE, "DBGrid(23|24)\\..*", "_Nome", "links: the users of an output, 19 +8(n-1)"},
    {GRUPPI, "DBGrid(22|21)\\..*", "_Nome", "links: the partitions of a group, 27 +22(n-1)+21"},
};

QList<ScreenWire::Case> cases() {
    using L = QStringList;
    // Each partition and group on a user of its own, so each has its own byte.
    const L users{"type|DBGrid6|3|_Nome|Rossi", "type|DBGrid6|3|_Codice|246810",
        "pick|DBGrid6|4|_TipolUtenti|Master", "cell|DBGrid6|2|_Pz1", "cell|DBGrid6|3|_Pz2",
        "cell|DBGrid6|4|_Pz3", "cell|DBGrid6|7|_Pz4", "cell|DBGrid6|11|_Grp1", "cell|DBGrid6|12|_Grp2",
        "cell|DBGrid6|5|_Grp3", "cell|DBGrid6|13|_Grp4", "edit|DBEdit13|135790", "radio|DBRadioGroup1|xxxx"};
    const L usersChecks{"20|32|s16|Rossi", "21|12|s6|246810", "23|15|x03", "22|2|x01", "22|4|x02", "22|6|x04",
        "22|12|x08", "22|21|x01", "22|23|x02", "22|9|x04", "22|25|x08", "40|98|s6|135790", "36|0|x01"};
    // An ON/OFF input names its user, and switches partitions: every one the model has, ticked on
    // input 5, makes its one byte.
    const L inputs{"pick|DBGrid10|5|_Msg1|CUCINA", "pick|DBGrid10|5|_Msg2|SALA",
        "pick|DBGrid10|5|_Msg3|PORTA", "pick|DBGrid10|5|_Msg4|SALOTTO",
        "pick|DBGrid15|5|_FuncIngresso|On/Off", "pick|DBGrid15|5|_TipoNc|APERTO (NA)",
        "pick|DBGrid15|5|_TipoIngresso|1B-4k7", "pick|DBGrid15|5|_TimeInIngresso|45",
        "pick|DBGrid15|5|_ImpulsiIngresso|3", "pick|DBGrid15|5|_CicliEsclusione|4", "cell|DBGrid15|6|_Test",
        "cell|DBGrid15|7|_BloccoEx", "cell|DBGrid15|8|_AutoEx", "cell|DBGrid15|9|_BuzzTast",
        "cell|DBGrid15|10|_Reinclusion", "pick|DBGrid11|5|_TipoChiamataTel1|SMS",
        "pick|DBGrid11|5|_TipoChiamataTel2|Voce", "pick|DBGrid11|5|_TipoChiamataTel3|Voce + SMS",
        "pick|DBGrid11|5|_TipoChiamataTel4|Voce", "pick|DBGrid11|5|_TipoChiamataTel5|SMS",
        "pick|DBGrid11|5|_TipoChiamataTel6|Voce + SMS", "pick|DBGrid11|5|_TipoChiamataTel7|SMS",
        "pick|DBGrid11|5|_TipoChiamataTel8|Voce + SMS", "pick|DBGrid26|5|_LinkUser|Utente 3",
        "pick|DBGrid44|2|_Adattamento|-50", "cell|DBGrid26|5|_Pz1", "cell|DBGrid26|5|_Pz2",
        "cell|DBGrid26|5|_Pz3", "cell|DBGrid26|5|_Pz4"};
    const L inputsChecks{"11|16|x04", "11|17|x05", "11|18|x02", "11|19|x06", "7|12|x4f", "7|14|x41",
        "6|4|x38", "10|12|x2d", "10|13|x03", "10|14|x04", "12|80|x01", "12|96|x02", "12|112|x04",
        "12|128|x08", "12|144|x10", "12|65|x01", "12|66|x02", "12|67|x03", "12|68|x02", "12|69|x01",
        "12|70|x03", "12|71|x01", "12|72|x03", "12|73|x03", "13|2|xffce"};
    // A pilot output calls the phones ticked for it: every phone ticked for output 3, its one byte.
    const L outputs{"pick|DBGrid16|3|_Msg1|PORTA", "pick|DBGrid16|3|_Msg2|CUCINA",
        "pick|DBGrid16|3|_Msg3|SOGGIORNO", "pick|DBGrid16|3|_Msg4|SALA",
        "pick|DBGrid27|3|_FunzioneUscita|Pilot", "pick|DBGrid27|5|_FunzioneUscita|Allarme",
        "pick|DBGrid27|3|_CondFunzionamento|Totale", "pick|DBGrid27|3|_Polarita|INVERTITA",
        "type|DBGrid27|3|_PulseDuration|010203", "type|DBGrid27|3|_PulseDelay|000510",
        "cell|DBGrid27|4|_AutoReset", "cell|DBGrid29|3|_AssociaTel1", "cell|DBGrid29|3|_AssociaTel2",
        "cell|DBGrid29|3|_AssociaTel3", "cell|DBGrid29|3|_AssociaTel4", "cell|DBGrid29|3|_AssociaTel5",
        "cell|DBGrid29|3|_AssociaTel6", "cell|DBGrid29|3|_AssociaTel7", "cell|DBGrid29|3|_AssociaTel8"};
    const L outputsChecks{"17|10|x02", "17|11|x04", "17|12|x07", "17|13|x05", "14|6|x50", "14|12|x41",
        "14|7|x54", "14|8|x49", "16|14|x010203", "16|17|x00050a", "16|27|x01", "17|14|xff"};
    const L partitions{"pick|DBGrid4|3|_TempoUscita|45", "pick|DBGrid4|2|_Msg1|FINESTRA"};
    const L phones{"type|DBGrid3|3|_Nome|Portineria", "type|DBGrid3|3|_PrefixPSTN|0",
        "type|DBGrid3|3|_PrefixGSM|+39", "type|DBGrid3|3|_Tel|0212345678", "cell|DBGrid3|5|_ResetAutomatico",
        "list|DBComboBox34|90", "list|DBComboBox35|7", "list|DBComboBox37|25", "list|DBComboBox36|4"};
    const L phonesChecks{"29|32|s16|Portineria", "30|96|s16|0", "30|112|s16|+39", "30|128|s16|0212345678",
        "31|8|x04", "40|34|s16|90", "40|50|s16|7", "40|66|s16|25", "40|82|s16|4"};
    // The radio groups store their button's position as text.
    const L contactId{"type|DBGrid30|3|_Nome|Vigilanza", "type|DBGrid30|3|_PrefixPSTN|0",
        "type|DBGrid30|3|_PrefixGSM|+39", "type|DBGrid30|3|_Tel|0299887766",
        "pick|DBGrid30|3|_FPT_Cod|SIA FSK", "pick|DBGrid31|4|_CodiceIDC|333", "cell|DBGrid31|4|_Tel1",
        "pick|DBGrid40|2|_Code|A5", "pick|DBGrid39|3|_FPT_Ins|1C", "pick|DBGrid39|3|_FPT_Dis|2D",
        "pick|DBGrid2|5|_FPT_AllZona|3E", "pick|DBGrid2|5|_FPT_RipAllZona|4F",
        "pick|DBGrid2|5|_FPT_CodEscZona|5A", "edit|DBEditMonitorAddress|rx.example.it",
        "edit|DBEditMonitorPort|5001", "edit|DBEditMonitorID|4711", "list|DBComboBoxMonitorTimeout|120",
        "edit|DBEditBackupSMS|3331234567", "list|DBComboBoxSessionTimeout|45",
        "radio|DBRadioGroupCodifica|DC 09 SIA", "edit|DBEditRemoteAddress1|10.0.0.9",
        "edit|DBEditRemotePort1|9000", "edit|DBEditRemoteAddress2|cid.example.it",
        "edit|DBEditRemotePort2|9001", "radio|DBRadioGroupIP1Proto|UDP", "radio|DBRadioGroupIP2Proto|UDP",
        "edit|DBEditIDImp1|1111", "edit|DBEditIDImp2|1234", "edit|DBEditIDImp3|3333",
        "edit|DBEditIDImp4|4444", "list|DBComboBoxIDCTentativi|6", "box|DBCheckBox1"};
    const L contactIdChecks{"32|160|s16|Vigilanza", "32|176|s16|0", "32|192|s16|+39", "32|208|s16|0299887766",
        "32|224|s16|SIA FSK", "33|12|s3|333", "33|15|x01", "34|2|s2|A5", "23|11|s2|1C", "23|13|s2|2D",
        "12|74|s2|3E", "12|76|s2|4F", "12|78|s2|5A", "53|125|s64|rx.example.it", "53|189|s5|5001",
        "53|194|s16|4711", "53|210|s16|120", "53|226|s16|3331234567", "53|242|s16|45", "52|347|s3|2",
        "54|0|s64|10.0.0.9", "54|64|s5|9000", "54|69|s64|cid.example.it", "54|133|s5|9001", "54|138|s3|1",
        "54|141|s3|1", "28|0|s8|1111", "28|8|s8|1234", "28|16|s8|3333", "28|24|s8|4444", "40|2|s16|6",
        "40|0|x01"};
    const L groups{"type|DBGrid25|3|_Nome|Uffici", "pick|DBGrid25|3|_Msg1|SALA"},
        groupsChecks{"27|44|s16|Uffici", "27|61|x05"};

    return {
        {"UTENTI TAVEK", TAVEK, UTENTI, users, usersChecks},
        // The last user, and the partitions only eight-partition models have.
        {"UTENTI ZOREM", ZOREM, UTENTI, users + L{"type|DBGrid6|64|_Nome|Bianchi è", "cell|DBGrid6|8|_Pz5",
            "cell|DBGrid6|9|_Pz6", "cell|DBGrid6|6|_Pz7", "cell|DBGrid6|10|_Pz8"},
            usersChecks + L{"20|1008|s16|Bianchi è", "22|14|x10", "22|16|x20", "22|10|x40", "22|18|x80"}},
        {"INGRESSI TAVEK", TAVEK, INGRESSI, inputs, inputsChecks + L{"9|4|x0f"}},
        // TAVEK has four partitions, 16 inputs and hides the siren column.
        {"INGRESSI ZOREM", ZOREM, INGRESSI, inputs + L{"cell|DBGrid26|5|_Pz5", "cell|DBGrid26|5|_Pz6",
            "cell|DBGrid26|5|_Pz7", "cell|DBGrid26|5|_Pz8",
            "pick|DBGrid15|5|_AttSirIngresso|Solo Sirena Interna",
            "pick|DBGrid15|64|_FuncIngresso|Solo ON", "cell|DBGrid26|64|_Pz8"},
            inputsChecks + L{"9|4|xff", "7|13|x49", "7|189|x5a", "9|63|x80"}},
        {"USCITE TAVEK", TAVEK, USCITE, outputs, outputsChecks},
        // The last of 17 outputs.
        {"USCITE ZOREM", ZOREM, USCITE, outputs + L{"pick|DBGrid27|17|_FunzioneUscita|Pilot",
            "cell|DBGrid29|17|_AssociaTel8"}, outputsChecks + L{"14|48|x50", "17|84|x80"}},
        {"PROGRAMMI TAVEK", TAVEK, PROGRAMMI, partitions, {"25|6|x002d", "25|5|x03"}},
        {"PROGRAMMI ZOREM", ZOREM, PROGRAMMI, partitions + L{"pick|DBGrid4|8|_TempoUscita|240"},
            {"25|6|x002d", "25|5|x03", "25|21|x00f0"}},
        {"GRUPPI TAVEK", TAVEK, GRUPPI, groups, groupsChecks},
        {"GRUPPI ZOREM", ZOREM, GRUPPI, groups, groupsChecks},
        {"TELEFONI TAVEK", TAVEK, TELEFONI, phones, phonesChecks},
        // TAVEK hides these columns and the box.
        {"TELEFONI ZOREM", ZOREM, TELEFONI, phones + L{"cell|DBGrid3|3|_ConfermaRisposta",
            "cell|DBGrid3|4|_AccessoDiretto", "cell|DBGrid3|8|_TelProg", "edit|DBEdit14|2468"},
            phonesChecks + L{"31|4|x01", "31|6|x02", "31|14|x08", "40|104|s6|2468"}},
        {"ADEMCO TAVEK", TAVEK, ADEMCO, contactId, contactIdChecks},
        {"ADEMCO ZOREM", ZOREM, ADEMCO, contactId + L{"edit|DBEdit29|5555", "edit|DBEdit30|6666",
            "edit|DBEdit31|7777",
            // Return leaves the text in the edit, which keeps the focus: the send must take it.
            "at|DBEdit32|{^A}8765{Ret}"},
            contactIdChecks + L{"28|32|s8|5555", "28|40|s8|6666", "28|48|s8|7777", "28|56|s8|8765"}},
    };
}
// clang-format on

} // namespace

class TestScreenWireA : public QObject {
    Q_OBJECT
private slots:
    void everyControlOfThePagesIsPlaced() {
        ScreenWire::checkPlaced({UTENTI, INGRESSI, USCITE, PROGRAMMI, GRUPPI, TELEFONI, ADEMCO}, kControls,
                                cases());
    }
    void valuesSetOnScreenReachThePanel_data() { ScreenWire::addRows(cases()); }
    void valuesSetOnScreenReachThePanel() { ScreenWire::runRow(); }
};

QTEST_MAIN(TestScreenWireA)
#include "test_screenwire_a.moc"
