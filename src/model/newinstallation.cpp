// A new installation: the root row and every detail row of its model, with the defaults.
#include "model/datamodule.h"
#include "model/dimensions.h"
#include "model/lang.h"
#include "model/langtexts.h"
#include "model/language.h"
#include "platform/dataset.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace {

// Labels of new rows, "<kind> <n>" (at most 16 characters, as the panel's name slots).
const QString kInputLabel = QStringLiteral("Ingresso %1");
const QString kOutputLabel = QStringLiteral("Uscita %1");
const QString kUserLabel = QStringLiteral("Utente %1");
const QString kPartitionLabel = QStringLiteral("Parziale %1");
const QString kGroupLabel = QStringLiteral("Gruppo %1");
const QString kPhoneLabel = QStringLiteral("Telefono %1");
const QString kExpInLabel = QStringLiteral("Esp. Ingressi %1");
const QString kExpOutLabel = QStringLiteral("Esp. Uscite %1");
const QString kExpRadioLabel = QStringLiteral("Esp. Radio %1");
const QString kGsmLabel = QStringLiteral("Modulo GSM");
const QString kLanLabel = QStringLiteral("Modulo LAN");
const QString kKeypadLabel = QStringLiteral("Tastiera %1");
const QString kSocketLabel = QStringLiteral("Presa %1");
const QString kTimerLabel = QStringLiteral("Timer %1");
const QString kExclusionLabel = QStringLiteral("Periodo %1");
const QString kReceiverLabel = QStringLiteral("Ricevitore %1");
const QStringList kDayNames = {
    QStringLiteral("Lunedì"),   QStringLiteral("Martedì"), QStringLiteral("Mercoledì"),
    QStringLiteral("Giovedì"),  QStringLiteral("Venerdì"), QStringLiteral("Sabato"),
    QStringLiteral("Domenica"),
};
const QString kNotAssigned = QStringLiteral("NON ASSEGNATO");
const QString kOff = QStringLiteral("OFF");
const QString kZero = QStringLiteral("0");
const QString kNoCode = QStringLiteral("00");
const QString kNoAddress = QStringLiteral("0.0.0.0");
const QString kNoRadioCode = QStringLiteral("0000000000");
constexpr int kLevelNotRead = 14;  // 800-range battery and signal not read since the type was set
constexpr int kLevelUnknown = 255; // 400-range levels and supervision before the panel reports them

// Appends rows to one table with fields looked up once.
class RowFiller {
public:
    RowFiller(DataSet* table, std::initializer_list<const char*> names) : m_table(*table) {
        m_fields.reserve(names.size());
        for (const char* n : names)
            m_fields.push_back(&m_table.fieldByName(QString::fromLatin1(n)));
    }
    // A run of fields prefix1..prefixN, appended to the field list.
    RowFiller& run(const char* prefix, int count) {
        for (int i = 1; i <= count; ++i)
            m_fields.push_back(&m_table.fieldByName(QString::fromLatin1(prefix) + QString::number(i)));
        return *this;
    }
    // Starts a row; then set(i, value) in field order; then post().
    void begin() { m_table.append(); }
    Field& operator[](int i) { return *m_fields[size_t(i)]; }
    void post() { m_table.post(); }

private:
    DataSet& m_table;
    std::vector<Field*> m_fields;
};

// pattern.arg(n) for the numbered names of new rows ("Ingresso 12"). Every installation
// asks for the same names: each is made once and then shared, so that storing it again
// copies nothing and its table finds it without hashing it.
QString numbered(const QString& pattern, int n) {
    if (n < 0 || n > 4096)
        return pattern.arg(n);
    // The patterns are the few constants of this file: found by their address.
    struct Made {
        QString pattern;
        std::vector<QString> names;
    };
    static std::vector<Made> made;
    auto it = std::find_if(made.begin(), made.end(), [&](const Made& m) {
        return m.pattern.constData() == pattern.constData() && m.pattern.size() == pattern.size();
    });
    if (it == made.end()) {
        if (made.size() >= 64)
            return pattern.arg(n); // not one of them after all
        it = made.insert(made.end(), Made{pattern, {}});
    }
    std::vector<QString>& names = it->names;
    if (size_t(n) >= names.size())
        names.resize(size_t(n) + 1);
    QString& name = names[size_t(n)];
    if (name.isNull())
        name = pattern.arg(n);
    return name;
}

void setAll(RowFiller& row, int from, int count, const QVariant& value) {
    for (int i = 0; i < count; ++i)
        row[from + i].setValue(value);
}

} // namespace

void TDM::prepareDefaults() {
    // The options DefaultOpzioniRadio800 writes, in field order.
    DataSet& t = *CDSet_DeviceRadio800;
    auto add = [&](const QString& name, const QVariant& value) {
        m_radio800Defaults.emplace_back(&t.fieldByName(name), value);
    };
    auto addRun = [&](const QString& prefix, int first, int last, const QVariant& value) {
        for (int i = first; i <= last; ++i)
            add(prefix + QString::number(i), value);
    };
    add(QStringLiteral("_ID_Radio"), kNoRadioCode);
    add(QStringLiteral("_RemCrt_User"), 1);
    add(QStringLiteral("_RemCrt_Led"), true);
    add(QStringLiteral("_RemCrt_WakeUp"), false);
    add(QStringLiteral("_RemCrt_Switch"), 5);
    add(QStringLiteral("_RemCrt_Sensibility"), 0);
    add(QStringLiteral("_RemCrt_PanicOn"), false);
    add(QStringLiteral("_RemCrt_PanicOff"), false);
    add(QStringLiteral("_RemCrt_TestMode"), true);
    addRun(QStringLiteral("_RemCrt_T1_Led"), 1, 4, true);
    addRun(QStringLiteral("_RemCrt_T2_Led"), 1, 4, true);
    add(QStringLiteral("_RemCrt_T3_Led1"), true);
    add(QStringLiteral("_RemCrt_T3_Led2"), false);
    add(QStringLiteral("_RemCrt_T3_Led3"), false);
    add(QStringLiteral("_RemCrt_T3_Led4"), true);
    addRun(QStringLiteral("_RemCrt_T4_Led"), 1, 4, false);
    addRun(QStringLiteral("_RemCrt_OutT"), 1, 4, 1);
    addRun(QStringLiteral("_RemCrt_ONOFF_OUT"), 1, 4, 3);
    add(QStringLiteral("_RemCrt_ONOFF_PRG1"), 1);
    add(QStringLiteral("_RemCrt_ONOFF_PRG2"), 0);
    add(QStringLiteral("_RemCrt_ONOFF_PRG3"), 1);
    add(QStringLiteral("_RemCrt_ONOFF_PRG4"), 0);
    addRun(QStringLiteral("_RemCrt_T1P"), 1, 8, true);
    addRun(QStringLiteral("_RemCrt_T2P"), 1, 8, true);
    addRun(QStringLiteral("_RemCrt_T3P"), 1, 2, true);
    addRun(QStringLiteral("_RemCrt_T3P"), 3, 8, false);
    addRun(QStringLiteral("_RemCrt_T4P"), 1, 8, false);
    add(QStringLiteral("_Segnale"), kLevelNotRead);
    add(QStringLiteral("_Batt"), kLevelNotRead);
    addRun(QStringLiteral("_In"), 1, 5, QVariant());
    addRun(QStringLiteral("_Input"), 1, 5, QString());
    add(QStringLiteral("_RemCrt_Buzzer"), false);
    add(QStringLiteral("_RemCrt_DoubleImp"), false);
}

void TDM::AddDataSet(int systemType) {
    if (!modelDimensions(systemType))
        return;
    CDSet_Tabulon->checkBrowseMode();
    // A register with more installations would be refused when it is read again.
    if (registerFull())
        throw DataSetError(registerFullText());

    struct Building {
        int& depth;
        explicit Building(int& d) : depth(d) { ++depth; }
        ~Building() { --depth; }
    } building(m_building);
    ControlsPause pause(*this);

    DataSet& root = *CDSet_Tabulon;
    root.append();
    try {
        for (Field* f : root.fields()) {
            if (f->dataType() == FieldType::Boolean)
                f->setAsBoolean(false);
        }
        auto set = [&](const char* name, const QVariant& v) {
            root.fieldByName(QString::fromLatin1(name)).setValue(v);
        };
        set("_NomeCliente", QStringLiteral("Unamed"));
        set("_TipoCentrale", Language::CSL_MainCentral_Combo.at(systemType));
        set("_IDCentrale", systemType);
        for (const char* ip :
             {"_Net_LocalIPAddress", "_Net_LocalSubAddress", "_Net_LocalGwAddress", "_Net_DNS1", "_Net_DNS2"})
            set(ip, kNoAddress);
        for (const char* onOff : {"_Net_GPRS_Enable", "_PSTN_LineControl", "_PSTN_dialtoneControl",
                                  "_PSTN_Notify", "_PSTN_CtrlRingB"})
            set(onOff, kOff);
        for (const char* zero :
             {"_Net_GPRS_Monitor_Timeout", "_Net_ADEMCO_Codifica", "_Net_GPRS_IP1Proto", "_Net_GPRS_IP2Proto",
              "_PSTN_CallDelay", "_PSTN_AmpDTMF", "_PSTN_SkypSegretery", "_PSTN_PauseRingB", "_Net_Priority1",
              "_Net_Priority2", "_Net_Priority3", "_Net_Priority4", "_Timer_TempoPreavviso"})
            set(zero, kZero);
        set("_Net_GPRS_Session_Timeout", QStringLiteral("20"));
        set("_PSTN_ContactIdPriority", Lang::ComboItems(QStringLiteral("DBComboBox8")).value(0));
        set("_PSTN_VoicePriority", Lang::ComboItems(QStringLiteral("DBComboBox4")).value(0));
        root.post();
    } catch (...) {
        root.cancel();
        throw;
    }
    fillNewInstallation(systemType);
}

void TDM::fillNewInstallation(int systemType) {
    const ModelDimensions& d = *modelDimensions(systemType);
    // Stored times and dates carry ':' and '/' whatever the locale shows.
    const QChar timeSep = QLatin1Char(':');
    const QChar dateSep = QLatin1Char('/');

    { // Miscellaneous parameters: ON/OFF options off, numeric choices 0, flags false.
        DataSet& t = *CDSet_ParVari;
        t.append();
        for (Field* f : t.fields()) {
            switch (f->dataType()) {
            case FieldType::String:
                f->setAsString(f->size() == 3 ? kOff : kZero);
                break;
            case FieldType::Integer:
                f->setAsInteger(0);
                break;
            case FieldType::Boolean:
                f->setAsBoolean(false);
                break;
            default:
                break;
            }
        }
        t.fieldByName(QStringLiteral("_TipoTamperLinea"))
            .setAsString(Lang::ComboItems(QStringLiteral("DBComboBox18")).value(0));
        t.post();
    }

    const QString firstFunction = LangTexts::InputFunctions.at(0);
    const QString firstSiren = LangTexts::InputSirens.at(0);
    const QString firstPolarity = LangTexts::InputPolarities.at(0);
    const QString notConfigured = Lang::WiringNotConfigured();
    const QString noPhone = Lang::MSG_PHONEASSIGNED.at(0);
    { // Inputs: not configured, no words, no calls, no partitions.
        RowFiller row(CDSet_Ingressi,
                      {"_ID", "_Nome", "_FuncIngresso", "_TipoIngresso", "_AttSirIngresso", "_TimeInIngresso",
                       "_ImpulsiIngresso", "_CicliEsclusione", "_TipoNc", "_EnablePzX", "_LinkUserID",
                       "_FPT_AllZona", "_FPT_RipAllZona", "_FPT_CodEscZona", "_Test", "_BloccoEx", "_AutoEx",
                       "_BuzzTast", "_Reinclusion"});
        row.run("_IMsg", 4).run("_TipoChiamataTel", 8).run("_Pz", 8);
        for (int n = 1; n <= d.inputsTotal; ++n) {
            row.begin();
            row[0].setAsInteger(n);
            row[1].setAsString(numbered(kInputLabel, n));
            row[2].setAsString(firstFunction);
            row[3].setAsString(notConfigured);
            row[4].setAsString(firstSiren);
            row[5].setAsInteger(0);
            row[6].setAsInteger(1);
            row[7].setAsInteger(0);
            row[8].setAsString(firstPolarity);
            row[9].setAsBoolean(Lang::IsPartitionFunction(firstFunction));
            row[10].setAsInteger(0);
            setAll(row, 11, 3, kNoCode);
            setAll(row, 14, 5, false);
            setAll(row, 19, 4, -1);
            setAll(row, 23, 8, noPhone);
            setAll(row, 31, 8, false);
            row.post();
        }
    }
    { // Adaptation of the onboard inputs.
        RowFiller row(CDSet_Adattamento, {"_ID", "_Nome", "_Adattamento"});
        for (int n = 1; n <= d.adattamento; ++n) {
            row.begin();
            row[0].setAsInteger(n);
            row[1].setAsString(numbered(kInputLabel, n));
            row[2].setAsString(kZero);
            row.post();
        }
    }
    { // Outputs.
        const QString function = LangTexts::OutputFunctions.at(0);
        const QString condition = LangTexts::OutputConditionsTAVEK.at(0);
        const QString pulse =
            QStringList{QStringLiteral("00"), QStringLiteral("00"), QStringLiteral("00")}.join(timeSep);
        RowFiller row(CDSet_Uscite, {"_ID", "_Nome", "_FunzioneUscita", "_CondFunzionamento", "_Polarita",
                                     "_PulseDuration", "_PulseDelay", "_AutoReset", "_EnableAssociaTelx"});
        row.run("_IMsg", 4).run("_AssociaTel", 8);
        for (int n = 1; n <= d.outputsTotal; ++n) {
            row.begin();
            row[0].setAsInteger(n);
            row[1].setAsString(numbered(kOutputLabel, n));
            row[2].setAsString(function);
            row[3].setAsString(condition);
            row[4].setAsString(LangTexts::OutputPolarities.at(0));
            row[5].setAsString(pulse);
            row[6].setAsString(pulse);
            row[7].setAsBoolean(false);
            row[8].setAsBoolean(false);
            setAll(row, 9, 4, -1);
            setAll(row, 13, 8, false);
            row.post();
        }
    }
    { // Users.
        RowFiller row(CDSet_Utenti, {"_ID", "_Nome", "_TipolUtenti", "_FPT_Ins", "_FPT_Dis"});
        row.run("_Pz", 8).run("_Grp", 4);
        for (int n = 1; n <= d.users; ++n) {
            row.begin();
            row[0].setAsInteger(n);
            row[1].setAsString(numbered(kUserLabel, n));
            row[2].setAsString(notConfigured);
            setAll(row, 3, 2, kNoCode);
            setAll(row, 5, 12, false);
            row.post();
        }
    }
    { // Partitions: 30 seconds to leave.
        RowFiller row(CDSet_Parziali, {"_ID", "_Nome", "_IMsg1", "_TempoUscita"});
        for (int n = 1; n <= d.partitions; ++n) {
            row.begin();
            row[0].setAsInteger(n);
            row[1].setAsString(numbered(kPartitionLabel, n));
            row[2].setAsInteger(-1);
            row[3].setAsInteger(30);
            row.post();
        }
    }
    { // Groups.
        RowFiller row(CDSet_Group, {"_ID", "_Nome", "_Enable"});
        row.run("_IMsg", 4);
        for (int n = 1; n <= d.groups; ++n) {
            row.begin();
            row[0].setAsInteger(n);
            row[1].setAsString(numbered(kGroupLabel, n));
            row[2].setAsBoolean(false);
            setAll(row, 3, 4, -1);
            row.post();
        }
    }
    { // The vocabulary, 0-based.
        RowFiller row(CDSet_Messaggi, {"_ID", "_Messaggio"});
        for (int i = 0; i < d.messages; ++i) {
            row.begin();
            row[0].setAsInteger(i);
            row[1].setAsString(Lang::CSL_DEFAULT_MESSAGES.value(i));
            row.post();
        }
    }
    { // Phone book.
        RowFiller row(CDSet_Phone, {"_ID", "_Nome", "_ConfermaRisposta", "_AccessoDiretto",
                                    "_ResetAutomatico", "_TelProg", "_TipoChiamata"});
        for (int n = 1; n <= d.phones; ++n) {
            row.begin();
            row[0].setAsInteger(n);
            row[1].setAsString(numbered(kPhoneLabel, n));
            setAll(row, 2, 4, false);
            row[6].setAsInteger(1);
            row.post();
        }
    }
    { // Expansions, all disabled.
        const struct {
            DataSet* table;
            int count;
            const QString& label;
        } expansions[] = {
            {CDSet_ExpIngressi, d.expIn, kExpInLabel},    {CDSet_ExpUscite, d.expOut, kExpOutLabel},
            {CDSet_ExpRadio, d.expRadio, kExpRadioLabel}, {CDSet_ExpGSM, d.expGsm, kGsmLabel},
            {CDSet_ExpIP, d.expLan, kLanLabel},
        };
        for (const auto& e : expansions) {
            RowFiller row(e.table, {"_ID", "_Nome", "_Enable"});
            for (int n = 1; n <= e.count; ++n) {
                row.begin();
                row[0].setAsInteger(n);
                row[1].setAsString(e.label.contains(QLatin1String("%1")) ? numbered(e.label, n) : e.label);
                row[2].setAsBoolean(false);
                row.post();
            }
        }
    }
    { // Keypads: keypad 1 cannot be disabled; terminals unbound.
        RowFiller row(CDSet_Tastiere, {"_ID", "_Nome", "_Enable", "_M1", "_M2"});
        row.run("_Sound", 4);
        for (int n = 1; n <= d.keyboards; ++n) {
            row.begin();
            row[0].setAsInteger(n);
            row[1].setAsString(numbered(kKeypadLabel, n));
            row[2].setAsBoolean(n == 1);
            row[3].setAsString(notConfigured);
            row[4].setAsString(notConfigured);
            setAll(row, 5, 4, false);
            row.post();
        }
    }
    { // Key sockets, each with one LED row per partition.
        RowFiller socket(CDSet_Prese, {"_ID", "_Nome", "_Enable"});
        socket.run("_Sound", 3);
        RowFiller led(CDSet_Leds, {"_ID", "_Nome"});
        led.run("_Led", 4);
        for (int n = 1; n <= d.sockets; ++n) {
            socket.begin();
            socket[0].setAsInteger(n);
            socket[1].setAsString(numbered(kSocketLabel, n));
            setAll(socket, 2, 4, false);
            socket.post();
            for (int i = 1; i <= d.partitionLedsPerSocket; ++i) {
                led.begin();
                led[0].setAsInteger(i);
                led[1].setAsString(numbered(kPartitionLabel, i));
                setAll(led, 2, 4, false);
                led.post();
            }
        }
    }
    { // 400-range devices: no device; the halves belong to radio expanders 1 and 2.
        RowFiller row(CDSet_DeviceRadio,
                      {"_ID", "_ExpNum", "_NomeDevice", "_Tipo", "_Batt", "_Segnale", "_Supervisione"});
        row.run("_In", 5);
        for (int n = 1; n <= d.devRadio; ++n) {
            row.begin();
            row[0].setAsInteger(n);
            row[1].setAsString(numbered(kExpRadioLabel, n <= d.devRadio / 2 ? 1 : 2));
            row[2].setAsString(Lang::CSL_DEVRADIO.at(0));
            row[3].setAsInteger(0);
            setAll(row, 4, 3, kLevelUnknown);
            setAll(row, 7, 5, 0);
            row.post();
        }
    }
    { // 800-range devices: the options of a device of no type.
        RowFiller row(CDSet_DeviceRadio800, {"_ID", "_ExpNum", "_Tipo"});
        row.run("_In", 5).run("_InAssociato", 5);
        for (int n = 1; n <= d.devRadio800; ++n) {
            row.begin();
            row[0].setAsInteger(n);
            row[1].setAsString(numbered(kExpRadioLabel, n <= d.devRadio800 / 2 ? 1 : 2));
            row[2].setAsInteger(0);
            DefaultOpzioniRadio800();
            setAll(row, 3, 10, 0);
            row.post();
        }
    }
    { // The radio inputs' list: only its "no input" row, as no input is wired radio yet.
        RowFiller row(CDSet_ZoneRadio, {"_ID", "_Nome"});
        row.begin();
        row[0].setAsInteger(0);
        row[1].setAsString(QString());
        row.post();
    }
    { // Scheduler: days > timers > what each timer switches, nothing assigned.
        RowFiller day(CDSet_Time_Day, {"_ID", "_Nome"});
        RowFiller timer(CDSet_Time_Timers, {"_ID", "_Nome", "_Ora"});
        timer.run("_DataEscusione", 8);
        RowFiller user(CDSet_Time_Utenti, {"_ID", "_Nome", "_OnOff"});
        RowFiller partition(CDSet_Time_Parziali, {"_ID", "_Nome", "_OnOff"});
        RowFiller output(CDSet_Time_Uscite, {"_ID", "_Nome", "_OnOff"});
        const QString midnight = QStringList{QStringLiteral("00"), QStringLiteral("00")}.join(timeSep);
        auto fillActions = [&](RowFiller& row, int count, const QString& label) {
            for (int n = 1; n <= count; ++n) {
                row.begin();
                row[0].setAsInteger(n);
                row[1].setAsString(numbered(label, n));
                row[2].setAsString(kNotAssigned);
                row.post();
            }
        };
        for (int dd = 1; dd <= d.timerDays; ++dd) {
            day.begin();
            day[0].setAsInteger(dd);
            day[1].setAsString(kDayNames.value(dd - 1));
            day.post();
            for (int tt = 1; tt <= d.timersPerDay; ++tt) {
                timer.begin();
                timer[0].setAsInteger(tt);
                timer[1].setAsString(numbered(kTimerLabel, tt));
                timer[2].setAsString(midnight);
                setAll(timer, 3, 8, false);
                timer.post();
                fillActions(user, d.users, kUserLabel);
                fillActions(partition, d.partitions, kPartitionLabel);
                fillActions(output, d.timerOutputs, kOutputLabel);
            }
        }
        RowFiller period(CDSet_Time_Esclusione_Data, {"_ID", "_Nome", "_Data1", "_Data2"});
        const QString noDate = QStringList{QStringLiteral("00"), QStringLiteral("00")}.join(dateSep);
        for (int n = 1; n <= d.exclusionDates; ++n) {
            period.begin();
            period[0].setAsInteger(n);
            period[1].setAsString(numbered(kExclusionLabel, n));
            period[2].setAsString(noDate);
            period[3].setAsString(noDate);
            period.post();
        }
    }
    { // Reporting receivers.
        RowFiller row(CDSet_ContactID, {"_ID", "_Nome", "_FPT_Cod"});
        for (int n = 1; n <= d.idcTel; ++n) {
            row.begin();
            row[0].setAsInteger(n);
            row[1].setAsString(numbered(kReceiverLabel, n));
            row[2].setAsString(QStringLiteral("CONTACT ID"));
            row.post();
        }
    }
    { // Contact ID events: the fixed events, then one per input named after it.
        RowFiller row(CDSet_ContactID_Eventi, {"_ID", "_Nome", "_CodiceIDC"});
        row.run("_Tel", 8);
        for (int n = 1; n <= d.idcEventsTotal; ++n) {
            row.begin();
            row[0].setAsInteger(n);
            if (n <= d.idcEvents) {
                row[1].setAsString(Lang::CSL_IDCEVENTS_CONSTANT.value(n - 1));
                row[2].setAsString(Lang::CSL_IDCEVENTS_CODE.value(n - 1));
            } else {
                row[1].setAsString(numbered(kInputLabel, n - d.idcEvents));
                row[2].setAsString(Lang::CSL_IDC_INPUT_CODE);
            }
            setAll(row, 3, 8, false);
            row.post();
        }
    }
    { // 4+2 codes.
        RowFiller row(CDSet_FPT, {"_ID", "_Nome", "_Code"});
        for (int n = 1; n <= d.fpt; ++n) {
            row.begin();
            row[0].setAsInteger(n);
            row[1].setAsString(Lang::CSL_FPT_NAME_LIST.value(n - 1));
            row[2].setAsString(kNoCode);
            row.post();
        }
    }
    { // System events: nobody called.
        RowFiller row(CDSet_Eventi_Sistema, {"_ID", "_Nome"});
        row.run("_Tel", 8);
        for (int n = 1; n <= d.systemEvents; ++n) {
            row.begin();
            row[0].setAsInteger(n);
            row[1].setAsString(Lang::CSL_SYSTEM_EVENTS_GRID_LABEL.value(n - 1));
            setAll(row, 2, 8, noPhone);
            row.post();
        }
    }
}
