// What an installer sets on pages UTENTI, INGRESSI, USCITE, PROGRAMMI, GRUPPI, TELEFONI and ADEMCO
// reaches the panel where the protocol puts it. Each value is set through real input on its page,
// sent with the page's own action (or "Invia tutto" where the page's job does not carry it), and
// the simulated panel's bytes are compared with bytes written here by hand from the protocol's
// byte layouts. Rows use an item other than the first, so a wrong row stride fails. Together with
// the short list of fields no row sets (and why), the rows are the table of where every value of
// these pages travels; a test holds that table to what the pages show.
#include "platform/dbcontrols.h"
#include "support/screenwire.h"

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

// Where each value set on these pages travels is written in the rows below (command, offset,
// bytes). These are the fields the pages show that no row sets, and why.
struct Place {
    const char* control;
    const char* fields; // comma-separated
    const char* why;
};
const Place kNotSetHere[] = {
    {"DBGrid10", "_Nome", "shown only: input names are typed on no grid of this page"},
    {"DBGrid15", "_Nome", "shown only"},
    {"DBGrid11", "_Nome", "shown only"},
    {"DBGrid26", "_Nome", "shown only"},
    {"DBGrid44", "_Nome", "shown only"},
    {"DBGrid16", "_Nome", "shown only: output names are typed on no grid of this page"},
    {"DBGrid27", "_Nome", "shown only"},
    {"DBGrid29", "_Nome", "shown only"},
    {"DBGrid45", "_Nome", "shown only: the master of the associations"},
    {"DBGrid4", "_Nome", "shown only: not typed in place (partition names travel in 24 +16(n-1))"},
    {"DBGrid39", "_Nome", "shown only"},
    {"DBGrid2", "_Nome", "shown only"},
    {"DBGrid40", "_Nome", "shown only"},
    {"DBGrid31", "_Tel2,_Tel3,_Tel4,_Tel5,_Tel6,_Tel7,_Tel8",
     "hidden on every model (33 +4(n-1)+3 bits 1..7)"},
    {"DBComboBoxIDCAmpImpulso", "_IDC_AmpImpulso", "hidden on every model (40 +18 text 16)"},
    {"DBCheckBox9", "_IDC_RitardoRipristino", "disabled on every model (40 +1 on/off)"},
    // Pick lists of the associations, which travel as links: checked in test_associations.
    {"DBGrid19", "_Nome", "links: the inputs of an output, 18 +8(n-1)"},
    {"DBGrid20", "_Nome", "links: the inputs of an output, 18 +8(n-1)"},
    {"DBGrid23", "_Nome", "links: the users of an output, 19 +8(n-1)"},
    {"DBGrid24", "_Nome", "links: the users of an output, 19 +8(n-1)"},
    {"DBGrid5", "_Nome", "links: the zones of a partition, 26 +8(n-1)"},
    {"DBGrid7", "_Nome", "links: the zones of a partition, 26 +8(n-1)"},
    {"DBGrid22", "_Nome", "links: the partitions of a group, 27 +22(n-1)+21"},
    {"DBGrid21", "_Nome", "links: the partitions of a group, 27 +22(n-1)+21"},
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
    // Every field the seven pages let an installer set has its wire row, or its reason above.
    void everyControlOfThePagesIsPlaced() {
        OpenWindow w(kZorem);
        TForm6& f = *w.form;
        QStringList onScreen, placed, pickLists;
        for (const Place& p : kNotSetHere)
            if (QLatin1String(p.why).startsWith(QLatin1String("links")))
                pickLists << QLatin1String(p.control);
            else
                for (const QString& field : QString::fromLatin1(p.fields).split(QLatin1Char(',')))
                    placed << QLatin1String(p.control) + QLatin1Char(' ') + field;
        for (int model : {kTavek, kZorem})
            for (const QList<Row>& rows :
                 {usersRows(model), inputsRows(model), outputsRows(model), partitionsRows(model),
                  groupsRows(), phonesRows(model), contactIdRows(), sentWithAllRows(model)})
                for (const Row& r : rows) {
                    auto* bound = dynamic_cast<FieldBound*>(f.findChild<QWidget*>(r.control));
                    placed << r.control + QLatin1Char(' ') + (bound ? bound->dataField() : r.field);
                }
        for (int page : {kUtenti, kIngressi, kUscite, kProgrammi, kGruppi, kTelefoni, kAdemco})
            for (const QString& s : shownFields(f.PageControl->page(page)))
                if (!pickLists.contains(s.section(QLatin1Char(' '), 0, 0)))
                    onScreen << s;
        placed.removeDuplicates();
        QStringList unplaced, gone;
        for (const QString& s : onScreen)
            if (!placed.contains(s))
                unplaced << s;
        for (const QString& s : placed)
            if (!onScreen.contains(s))
                gone << s;
        QVERIFY2(unplaced.isEmpty(),
                 qPrintable(QStringLiteral("no row: ") + unplaced.join(QStringLiteral(", "))));
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
