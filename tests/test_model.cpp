// The configuration model: tables, dimension constants, new installations, deletion, the
// register file and its registry path.
#include "model/datamodule.h"
#include "model/dimensions.h"
#include "model/lang.h"
#include "model/language.h"
#include "model_fixture.h"
#include "platform/dataset.h"
#include "platform/dialogs.h"
#include "platform/registrykey.h"
#include "transfer/transferflags.h"

#include <QtTest>

namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
void setRegistryDatabase(const QString& path) {
    RegistryKey key;
    QVERIFY(key.openKey(kTabulonRegistryKey, true));
    key.writeString(QStringLiteral("DATABASE"), path);
}

} // namespace

class TestModel : public QObject {
    Q_OBJECT
private slots:
    void tablesAndSourcesAreNamed();
    void dimensionConstantsPerModel_data();
    void dimensionConstantsPerModel();
    void rowCountsPerModel_data();
    void rowCountsPerModel();
    void newInstallationDefaults();
    void systemTypeFromLabel();
    void rowCapAbandonsInsert();
    void deleteMasterRecordLeavesNoOrphans();
    void registerSavedAndReloadedFieldByField();
    void importRefusesForeignFile();
    void startupOpensRegisterNamedInRegistry();
    void damagedRegisterIsNeverOverwritten();
    void failedSaveAtExitIsReported();
};

void TestModel::tablesAndSourcesAreNamed() {
    ModelFixture fx;
    TDM& dm = *fx.dm;
    QCOMPARE(DM, &dm);
    QCOMPARE(int(dm.tables().size()), 36);
    QSet<QString> names;
    for (DataSet* t : dm.tables()) {
        QVERIFY(t->objectName().startsWith(QLatin1String("CDSet_")));
        names.insert(t->objectName());
        QCOMPARE(dm.tableByName(t->objectName()), t);
        DataSource* source = dm.dataSourceOf(t);
        QVERIFY2(source, qPrintable(t->objectName()));
        QCOMPARE(source->dataSet(), t);
        QString expected = t->objectName();
        expected.replace(QLatin1String("CDSet_"), QLatin1String("DataSource_"));
        if (t == dm.CDSet_DeviceRadio)
            expected = QStringLiteral("DataSource_RadioDevice");
        if (t == dm.CDSet_DeviceRadio800)
            expected = QStringLiteral("DataSource_RadioDevice800");
        QCOMPARE(source->objectName(), expected);
        // Every detail table hangs under the register, directly or through another table.
        if (t != dm.CDSet_Tabulon)
            QVERIFY2(t->master(), qPrintable(t->objectName()));
    }
    QCOMPARE(names.size(), 36);
    QCOMPARE(dm.tableByName(QStringLiteral("CDSet_Nothing")), nullptr);

    // The nested fields the editors name.
    QCOMPARE(dm.CDSet_InLink->masterField()->fieldName(), QStringLiteral("_Uscita_Ingresso"));
    QCOMPARE(dm.CDSet_UserLink->masterField()->fieldName(), QStringLiteral("_Uscita_Utente"));
    QCOMPARE(dm.CDSet_Partial->masterField()->fieldName(), QStringLiteral("_Parzial"));
    QCOMPARE(dm.CDSet_Zone->masterField()->fieldName(), QStringLiteral("_Zone"));
    QCOMPARE(dm.CDSet_Leds->master(), dm.CDSet_Prese);
    QCOMPARE(dm.CDSet_Time_Utenti->master(), dm.CDSet_Time_Timers);
    QCOMPARE(dm.CDSet_Time_Timers->master(), dm.CDSet_Time_Day);
    QCOMPARE(dm.CDSet_Time_Esclusione_Data->master(), dm.CDSet_Tabulon);

    // Field order of the event log is its export order.
    const QStringList log = dm.CDSet_Log->fieldNames();
    QCOMPARE(log.first(), QStringLiteral("_ID"));
    QCOMPARE(log.indexOf(QStringLiteral("_DataOra1")), 19);
    QCOMPARE(log.last(), QStringLiteral("_Log_ColorRowDate"));
    QCOMPARE(dm.CDSet_Log->fieldByName(QStringLiteral("_DataOra1")).dataType(), FieldType::DateTime);
    QCOMPARE(dm.CDSet_Log->indexFieldNames(), QStringLiteral("_DataOra1"));

    // A few sizes and masks the editors rely on.
    QCOMPARE(dm.CDSet_Uscite->fieldByName(QStringLiteral("_PulseDuration")).editMask,
             QStringLiteral("!99:99:99;1;_"));
    QCOMPARE(dm.CDSet_Time_Timers->fieldByName(QStringLiteral("_Ora")).editMask,
             QStringLiteral("!90:00;1;_"));
    QCOMPARE(dm.CDSet_Time_Esclusione_Data->fieldByName(QStringLiteral("_Data2")).editMask,
             QStringLiteral("!00/00;1;_"));
    QCOMPARE(dm.CDSet_DeviceRadio800->fieldByName(QStringLiteral("_ID_Radio")).editMask,
             QStringLiteral(">AAAAAAAAAA;1;_"));
    QCOMPARE(dm.CDSet_Messaggi->fieldByName(QStringLiteral("_Messaggio")).size(), 16);
    QCOMPARE(dm.CDSet_Ingressi->fieldByName(QStringLiteral("_Msg1")).size(), 30);
    QCOMPARE(dm.CDSet_Uscite->fieldByName(QStringLiteral("_Msg1")).size(), 16);
    QCOMPARE(dm.CDSet_ContactID_Eventi->fieldByName(QStringLiteral("_CodiceIDC")).size(), 3);
    QCOMPARE(dm.CDSet_DeviceRadio800->fieldCount(), 93);
    QCOMPARE(dm.CDSet_Ingressi->fieldCount(), 44);
    QCOMPARE(dm.CDSet_ParVari->fieldCount(), 69);
}

void TestModel::dimensionConstantsPerModel_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QList<int>>(
        "values"); // users, in onboard, in wire, out onboard, out total, expin, expout, per-model
    QTest::newRow("TAVEK") << 1 << QList<int>{32, 4, 16, 1, 8, 1, 1, 4};
    QTest::newRow("MIRUN") << 2 << QList<int>{32, 8, 32, 2, 8, 2, 2, 4};
    QTest::newRow("MIRUNPLUS") << 3 << QList<int>{64, 8, 64, 2, 17, 7, 4, 8};
    QTest::newRow("PELUN") << 4 << QList<int>{32, 4, 16, 5, 8, 1, 1, 4};
    QTest::newRow("QUANE") << 5 << QList<int>{32, 8, 32, 5, 8, 2, 1, 4};
    QTest::newRow("ZOREM") << 6 << QList<int>{64, 8, 64, 5, 17, 7, 4, 8};
}

void TestModel::dimensionConstantsPerModel() {
    QFETCH(int, type);
    QFETCH(QList<int>, values);
    ModelFixture fx;
    fx.dm->SelectSystem(type == 1 ? 6 : 1); // start from another model
    fx.dm->SelectSystem(type);
    QCOMPARE(C_NUM_USERS, values[0]);
    QCOMPARE(C_NUM_INPUTS_ONBOARD, values[1]);
    QCOMPARE(C_NUM_INPUTS_WIRE, values[2]);
    QCOMPARE(C_NUM_OUTPUTS_ONBOARD, values[3]);
    QCOMPARE(C_NUM_OUTPUTS_TOTAL, values[4]);
    QCOMPARE(C_NUM_EXPIN, values[5]);
    QCOMPARE(C_NUM_EXPOUT, values[6]);
    for (int v : {C_NUM_KEYBOARD, C_NUM_SOCKET, C_NUM_PARZIALI_LED_SOCKET, C_NUM_PARZIAL, C_NUM_PROGRAMS,
                  C_NUM_TIMERS_TIMER})
        QCOMPARE(v, values[7]);
    QCOMPARE(C_NUM_INPUTS_TOTAL, 64);
    QCOMPARE(C_NUM_GROUPS, 4);
    QCOMPARE(C_NUM_PHONES, 8);
    QCOMPARE(C_NUM_EXPRADIO, 2);
    QCOMPARE(C_NUM_EXPGSM, 1);
    QCOMPARE(C_NUM_EXPLAN, 1);
    QCOMPARE(C_NUM_DEVRADIO, 64);
    QCOMPARE(C_NUM_DEVRADIO800, 112);
    QCOMPARE(C_NUM_IDC_TEL, 8);
    QCOMPARE(C_NUM_IDC_EVENTS, 28);
    QCOMPARE(C_NUM_SYSTEM_EVENTS, 23);
    QCOMPARE(C_NUM_TIMERS_DAY, 7);
    QCOMPARE(C_NUM_TIMERS_ESC_DATE, 8);
    QCOMPARE(C_NUM_FPT, 15);
    QCOMPARE(C_NUM_MSG, 187);
    QCOMPARE(C_NUM_TIMERS_OUTPUTS, values[3] + 3 * values[6]);
    QCOMPARE(C_NUM_IDC_EVENTS_TOTAL, 92);

    // Anything but 1..6 leaves the constants alone.
    for (int other : {0, 7, -1}) {
        fx.dm->SelectSystem(other);
        QCOMPARE(C_NUM_USERS, values[0]);
        QCOMPARE(C_NUM_OUTPUTS_ONBOARD, values[3]);
    }
}

void TestModel::rowCountsPerModel_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("total"); // every detail row but the adaptation table
    QTest::newRow("TAVEK") << 1 << 1816;
    QTest::newRow("MIRUN") << 2 << 1930;
    QTest::newRow("MIRUNPLUS") << 3 << 5650;
    QTest::newRow("PELUN") << 4 << 1928;
    QTest::newRow("QUANE") << 5 << 1929;
    QTest::newRow("ZOREM") << 6 << 5818;
}

void TestModel::rowCountsPerModel() {
    QFETCH(int, type);
    QFETCH(int, total);
    ModelFixture fx;
    TDM& dm = *fx.dm;
    dm.SelectSystem(type == 6 ? 1 : 6); // the counts follow the model created, not the constants
    dm.AddDataSet(type);
    const ModelDimensions& d = *modelDimensions(type);

    const QList<QPair<DataSet*, int>> expected = {
        {dm.CDSet_ParVari, 1},
        {dm.CDSet_Ingressi, 64},
        {dm.CDSet_Adattamento, d.inputsOnboard},
        {dm.CDSet_Uscite, d.outputsTotal},
        {dm.CDSet_InLink, 0},
        {dm.CDSet_UserLink, 0},
        {dm.CDSet_Utenti, d.users},
        {dm.CDSet_Parziali, d.partitions},
        {dm.CDSet_Zone, 0},
        {dm.CDSet_Group, 4},
        {dm.CDSet_Partial, 0},
        {dm.CDSet_Messaggi, 187},
        {dm.CDSet_Phone, 8},
        {dm.CDSet_ExpIngressi, d.expIn},
        {dm.CDSet_ExpUscite, d.expOut},
        {dm.CDSet_ExpRadio, 2},
        {dm.CDSet_ExpGSM, 1},
        {dm.CDSet_ExpIP, 1},
        {dm.CDSet_Tastiere, d.keyboards},
        {dm.CDSet_Prese, d.sockets},
        {dm.CDSet_Leds, d.sockets * d.partitionLedsPerSocket},
        {dm.CDSet_DeviceRadio, 64},
        {dm.CDSet_DeviceRadio800, 112},
        {dm.CDSet_ZoneRadio, 1},
        {dm.CDSet_Log, 0},
        {dm.CDSet_Time_Day, 7},
        {dm.CDSet_Time_Timers, 7 * d.timersPerDay},
        {dm.CDSet_Time_Utenti, 7 * d.timersPerDay * d.users},
        {dm.CDSet_Time_Parziali, 7 * d.timersPerDay * d.partitions},
        {dm.CDSet_Time_Uscite, 7 * d.timersPerDay * (d.outputsOnboard + 3 * d.expOut)},
        {dm.CDSet_Time_Esclusione_Data, 8},
        {dm.CDSet_ContactID, 8},
        {dm.CDSet_ContactID_Eventi, 92},
        {dm.CDSet_FPT, 15},
        {dm.CDSet_Eventi_Sistema, 23},
    };
    QCOMPARE(expected.size(), 35);
    int sum = 0;
    for (const auto& [table, rows] : expected) {
        QCOMPARE(rowsInInstallation(dm, table), rows);
        if (table != dm.CDSet_Adattamento)
            sum += rows;
    }
    QCOMPARE(sum, total);

    // Record n is item n: `_ID` equals the position (messages from 0).
    for (DataSet* t : {dm.CDSet_Ingressi, dm.CDSet_Uscite, dm.CDSet_Utenti, dm.CDSet_DeviceRadio800,
                       dm.CDSet_ContactID_Eventi, dm.CDSet_Eventi_Sistema}) {
        const int id = t->fieldByName(QStringLiteral("_ID")).index();
        for (int r = 1; r <= t->recordCount(); ++r)
            QCOMPARE(t->integerAt(r, id), r);
    }
    const int word = dm.CDSet_Messaggi->fieldByName(QStringLiteral("_ID")).index();
    for (int r = 1; r <= 187; ++r)
        QCOMPARE(dm.CDSet_Messaggi->integerAt(r, word), r - 1);
}

void TestModel::newInstallationDefaults() {
    ModelFixture fx;
    TDM& dm = *fx.dm;
    Lang::LanguageRewrite();
    ShortList = true;
    dm.AddDataSet(2);
    dm.AddDataSet(4);
    QCOMPARE(ShortList, true); // filling the vocabulary is not editing it
    QCOMPARE(dm.CDSet_Tabulon->recordCount(), 2);
    QCOMPARE(dm.CDSet_Tabulon->recNo(), 2); // the new installation is current
    QCOMPARE(dm.GetSystemType(), 4);
    QCOMPARE(str(dm.CDSet_Tabulon, "_NomeCliente"), QStringLiteral("Unamed"));
    QCOMPARE(str(dm.CDSet_Tabulon, "_TipoCentrale"), QStringLiteral("MODEL PELUN"));
    QCOMPARE(num(dm.CDSet_Tabulon, "_IDCentrale"), 4);
    QCOMPARE(str(dm.CDSet_Tabulon, "_Net_GPRS_Enable"), QStringLiteral("OFF"));
    QCOMPARE(str(dm.CDSet_Tabulon, "_Net_LocalIPAddress"), QStringLiteral("0.0.0.0"));
    QCOMPARE(flag(dm.CDSet_Tabulon, "_Net_Cloud_Enable"), false);

    // Options of the one row of miscellaneous parameters.
    QCOMPARE(str(dm.CDSet_ParVari, "_TamperLinea"), QStringLiteral("OFF"));
    QCOMPARE(str(dm.CDSet_ParVari, "_BLKNORadioActiv"), QStringLiteral("OFF"));
    QCOMPARE(str(dm.CDSet_ParVari, "_TempoSirena"), QStringLiteral("0"));
    QCOMPARE(num(dm.CDSet_ParVari, "_Lunghezza_codici"), 0);

    // Inputs: not configured, words unset (-1), partitions not switchable.
    dm.CDSet_Ingressi->setRecNo(7);
    QCOMPARE(str(dm.CDSet_Ingressi, "_TipoIngresso"), Lang::ListaTipoIngresso_TAVEK_MIRUN.at(0));
    QVERIFY(Lang::ListaFunzioniIngresso.contains(str(dm.CDSet_Ingressi, "_FuncIngresso")));
    QCOMPARE(num(dm.CDSet_Ingressi, "_IMsg3"), -1);
    QCOMPARE(flag(dm.CDSet_Ingressi, "_EnablePzX"), false);
    QCOMPARE(str(dm.CDSet_Ingressi, "_TipoChiamataTel8"), QStringLiteral("-"));
    QCOMPARE(num(dm.CDSet_Ingressi, "_ImpulsiIngresso"), 1);

    dm.CDSet_Uscite->setRecNo(3);
    QCOMPARE(str(dm.CDSet_Uscite, "_Polarita"), QStringLiteral("NORMALE"));
    QVERIFY(Lang::ListaFunzioneUscitePELUN.contains(str(dm.CDSet_Uscite, "_FunzioneUscita")));
    QCOMPARE(str(dm.CDSet_Uscite, "_PulseDuration"), sepJoin(QLatin1Char(':'), "00", "00", "00"));
    QCOMPARE(flag(dm.CDSet_Uscite, "_EnableAssociaTelx"), false);

    dm.CDSet_Parziali->last();
    QCOMPARE(num(dm.CDSet_Parziali, "_TempoUscita"), 30);
    dm.CDSet_Tastiere->first();
    QCOMPARE(flag(dm.CDSet_Tastiere, "_Enable"), true); // keypad 1 cannot be disabled
    QCOMPARE(str(dm.CDSet_Tastiere, "_M1"), QStringLiteral("Non Configurato"));
    dm.CDSet_Tastiere->next();
    QCOMPARE(flag(dm.CDSet_Tastiere, "_Enable"), false);

    // Contact ID: the 28 fixed events, then the inputs by name.
    for (int r = 1; r <= 28; ++r) {
        dm.CDSet_ContactID_Eventi->setRecNo(r);
        QCOMPARE(str(dm.CDSet_ContactID_Eventi, "_Nome"), Lang::CSL_IDCEVENTS_CONSTANT.at(r - 1));
        QCOMPARE(str(dm.CDSet_ContactID_Eventi, "_CodiceIDC"), Lang::CSL_IDCEVENTS_CODE.at(r - 1));
    }
    dm.CDSet_Ingressi->setRecNo(5);
    dm.CDSet_ContactID_Eventi->setRecNo(28 + 5);
    QCOMPARE(str(dm.CDSet_ContactID_Eventi, "_Nome"), str(dm.CDSet_Ingressi, "_Nome"));
    dm.CDSet_ContactID->first();
    QCOMPARE(str(dm.CDSet_ContactID, "_FPT_Cod"), QStringLiteral("CONTACT ID"));

    dm.CDSet_Eventi_Sistema->setRecNo(19);
    QCOMPARE(str(dm.CDSet_Eventi_Sistema, "_Nome"), QStringLiteral("INSERIMENTO SISTEMA"));
    dm.CDSet_Eventi_Sistema->setRecNo(23);
    QCOMPARE(str(dm.CDSet_Eventi_Sistema, "_Nome"), QStringLiteral("SMS ECHO"));
    QCOMPARE(str(dm.CDSet_Eventi_Sistema, "_Tel5"), QStringLiteral("-"));
    dm.CDSet_FPT->setRecNo(15);
    QCOMPARE(str(dm.CDSet_FPT, "_Nome"), Lang::CSL_FPT_NAME_LIST.at(14));

    // Scheduler: nothing assigned anywhere.
    forEachGroup(dm, dm.CDSet_Time_Uscite, [&] {
        for (DataSet* t : {dm.CDSet_Time_Utenti, dm.CDSet_Time_Parziali, dm.CDSet_Time_Uscite}) {
            const int onOff = t->fieldByName(QStringLiteral("_OnOff")).index();
            for (int r = 1; r <= t->recordCount(); ++r)
                QCOMPARE(t->stringAt(r, onOff), QStringLiteral("NON ASSEGNATO"));
        }
    });
    dm.CDSet_Time_Timers->first();
    QCOMPARE(str(dm.CDSet_Time_Timers, "_Ora"), sepJoin(QLatin1Char(':'), "00", "00"));

    // Radio: no device; the 800 range carries the options of a device without type.
    dm.CDSet_DeviceRadio800->setRecNo(60);
    QCOMPARE(str(dm.CDSet_DeviceRadio800, "_ID_Radio"), QStringLiteral("0000000000"));
    QCOMPARE(num(dm.CDSet_DeviceRadio800, "_Batt"), 14);
    QCOMPARE(num(dm.CDSet_DeviceRadio800, "_Segnale"), 14);
    QCOMPARE(num(dm.CDSet_DeviceRadio800, "_Tipo"), 0);
    QCOMPARE(num(dm.CDSet_DeviceRadio800, "_RemCrt_Switch"), 5);
    QCOMPARE(num(dm.CDSet_DeviceRadio800, "_In3"), 0);
    QCOMPARE(str(dm.CDSet_DeviceRadio800, "_ExpNum"), QStringLiteral("Esp. Radio 2")); // second half
    dm.CDSet_DeviceRadio->setRecNo(32);
    QCOMPARE(str(dm.CDSet_DeviceRadio, "_ExpNum"), QStringLiteral("Esp. Radio 1"));
    dm.CDSet_ZoneRadio->first();
    QCOMPARE(num(dm.CDSet_ZoneRadio, "_ID"), 0);

    // The vocabulary: index 0 is the empty word, the others upper case within 16 characters.
    dm.CDSet_Messaggi->setRecNo(2);
    QCOMPARE(str(dm.CDSet_Messaggi, "_Messaggio"), Lang::CSL_DEFAULT_MESSAGES.at(1));

    // The first installation kept its own model and rows.
    dm.CDSet_Tabulon->first();
    QCOMPARE(dm.GetSystemType(), 2);
    QCOMPARE(dm.CDSet_Ingressi->recordCount(), 64);
    QCOMPARE(dm.CDSet_Adattamento->recordCount(), 8);

    // Any other system type appends nothing.
    dm.AddDataSet(0);
    dm.AddDataSet(7);
    QCOMPARE(dm.CDSet_Tabulon->recordCount(), 2);
}

void TestModel::systemTypeFromLabel() {
    ModelFixture fx;
    TDM& dm = *fx.dm;
    QCOMPARE(dm.GetSystemType(), 0); // empty register
    dm.AddDataSet(1);
    for (int t = 0; t <= 6; ++t) {
        write(dm.CDSet_Tabulon, "_TipoCentrale", Lang::CSL_MainCentral_Combo.at(t));
        QCOMPARE(dm.GetSystemType(), t);
    }
    for (const QString& other : {QStringLiteral("MODEL XYZ"), QStringLiteral("model tavek"),
                                 QStringLiteral("MODEL TAVEK "), QStringLiteral("TAVEK")}) {
        write(dm.CDSet_Tabulon, "_TipoCentrale", other);
        QCOMPARE(dm.GetSystemType(), 0);
    }
    // The label, not the stored type number, decides.
    write(dm.CDSet_Tabulon, "_TipoCentrale", QStringLiteral("MODEL QUANE"));
    write(dm.CDSet_Tabulon, "_IDCentrale", 2);
    QCOMPARE(dm.GetSystemType(), 5);
    // An edit in progress counts.
    dm.CDSet_Tabulon->edit();
    dm.CDSet_Tabulon->fieldByName(QStringLiteral("_TipoCentrale")).setAsString(QStringLiteral("MODEL ZOREM"));
    QCOMPARE(dm.GetSystemType(), 6);
    dm.CDSet_Tabulon->cancel();
    QCOMPARE(dm.GetSystemType(), 5);
}

void TestModel::rowCapAbandonsInsert() {
    ModelFixture fx;
    TDM& dm = *fx.dm;
    dm.AddDataSet(1);
    dm.SelectSystem(1);
    for (DataSet* t :
         {dm.CDSet_Uscite, dm.CDSet_Ingressi, dm.CDSet_Messaggi, dm.CDSet_Time_Utenti, dm.CDSet_Leds}) {
        const int rows = t->recordCount();
        QCOMPARE(rows, dm.rowCap(t));
        t->append();
        QCOMPARE(t->state(), DataSetState::Browse);
        t->insert();
        QCOMPARE(t->state(), DataSetState::Browse);
        QCOMPARE(t->recordCount(), rows);
    }
    // The cap is the model's: an 8-output ZOREM table grows to 17 only.
    write(dm.CDSet_Tabulon, "_TipoCentrale", Lang::CSL_MainCentral_Combo.at(6));
    QCOMPARE(dm.rowCap(dm.CDSet_Uscite), 17);
    dm.CDSet_Uscite->append();
    QCOMPARE(dm.CDSet_Uscite->state(), DataSetState::Insert);
    dm.CDSet_Uscite->cancel();
    // A filtered view does not hide rows from the cap.
    dm.CDSet_DeviceRadio800->setFilter(QStringLiteral("_ID >= 21 and _ID <= 24"));
    dm.CDSet_DeviceRadio800->setFiltered(true);
    QCOMPARE(dm.CDSet_DeviceRadio800->recordCount(), 4);
    dm.CDSet_DeviceRadio800->append();
    QCOMPARE(dm.CDSet_DeviceRadio800->state(), DataSetState::Browse);
    dm.CDSet_DeviceRadio800->setFiltered(false);
    // Link tables, the event log and the radio inputs have no cap.
    for (DataSet* t : {dm.CDSet_InLink, dm.CDSet_UserLink, dm.CDSet_Zone, dm.CDSet_Partial, dm.CDSet_Log}) {
        QCOMPARE(dm.rowCap(t), -1);
        for (int i = 0; i < 70; ++i) {
            t->append();
            t->fieldByName(QStringLiteral("_ID")).setAsInteger(i + 1);
            t->post();
        }
        QCOMPARE(t->recordCount(), 70);
    }
}

void TestModel::deleteMasterRecordLeavesNoOrphans() {
    ModelFixture fx;
    TDM& dm = *fx.dm;
    dm.DeleteMasterRecord(); // empty register: nothing happens
    QCOMPARE(dm.CDSet_Tabulon->recordCount(), 0);

    const QList<int> types = {1, 6, 2};
    for (int i = 0; i < types.size(); ++i) {
        dm.AddDataSet(types[i]);
        write(dm.CDSet_Tabulon, "_NomeCliente", QStringLiteral("Cliente %1").arg(i + 1));
        dm.CDSet_InLink->append();
        dm.CDSet_InLink->fieldByName(QStringLiteral("_ID")).setAsInteger(3);
        dm.CDSet_InLink->post();
        dm.CDSet_Log->append();
        dm.CDSet_Log->fieldByName(QStringLiteral("_ID")).setAsInteger(1);
        dm.CDSet_Log->post();
    }
    dm.CDSet_Tabulon->setRecNo(2);
    dm.DeleteMasterRecord();
    QCOMPARE(dm.CDSet_Tabulon->recordCount(), 2);
    QVERIFY(dm.CDSet_Tabulon->recNo() >= 1);
    QVERIFY(str(dm.CDSet_Tabulon, "_NomeCliente") != QStringLiteral("Cliente 2"));

    // The two others are whole: their own model's rows, their own links.
    const QStringList names = {QStringLiteral("Cliente 1"), QStringLiteral("Cliente 3")};
    for (int r = 1; r <= 2; ++r) {
        dm.CDSet_Tabulon->setRecNo(r);
        QCOMPARE(str(dm.CDSet_Tabulon, "_NomeCliente"), names[r - 1]);
        const int type = r == 1 ? 1 : 2;
        QCOMPARE(dm.GetSystemType(), type);
        QCOMPARE(dm.CDSet_Utenti->recordCount(), modelDimensions(type)->users);
        QCOMPARE(rowsInInstallation(dm, dm.CDSet_Time_Utenti), 7 * 4 * 32);
        QCOMPARE(rowsInInstallation(dm, dm.CDSet_InLink), 1);
        QCOMPARE(dm.CDSet_Log->recordCount(), 1);
    }

    // Nothing of the deleted installation survives in the file either.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r.cds"));
    QVERIFY(dm.saveRegister(path));
    TDM other;
    QVERIFY(other.importRegister(path));
    QStringList diffs;
    compareTables(dm, dm.CDSet_Tabulon, other, other.CDSet_Tabulon, QStringLiteral("register"), diffs);
    QVERIFY2(diffs.isEmpty(), qPrintable(diffs.join('\n')));

    dm.DeleteMasterRecord();
    dm.DeleteMasterRecord();
    QCOMPARE(dm.CDSet_Tabulon->recordCount(), 0);
    QCOMPARE(dm.CDSet_Ingressi->recordCount(), 0);
    dm.DeleteMasterRecord();
    QCOMPARE(dm.CDSet_Tabulon->recordCount(), 0);
}

void TestModel::registerSavedAndReloadedFieldByField() {
    ModelFixture fx;
    TDM& dm = *fx.dm;
    for (int type = 1; type <= 6; ++type) {
        dm.AddDataSet(type);
        write(dm.CDSet_Tabulon, "_NomeCliente", QStringLiteral("Impianto %1 àèì").arg(type));
        write(dm.CDSet_Tabulon, "_IndirizzoCliente", QStringLiteral("Via Roma %1\r\nMilano").arg(type));
        dm.CDSet_Ingressi->setRecNo(type);
        write(dm.CDSet_Ingressi, "_TipoIngresso", QStringLiteral("Radio"));
        write(dm.CDSet_Ingressi, "_Pz2", true);
        dm.CDSet_Utenti->setRecNo(2);
        write(dm.CDSet_Utenti, "_Codice", QStringLiteral("12345") + QString::number(type));
        dm.CDSet_Uscite->first();
        dm.CDSet_UserLink->append();
        dm.CDSet_UserLink->fieldByName(QStringLiteral("_ID")).setAsInteger(2);
        dm.CDSet_UserLink->fieldByName(QStringLiteral("_Nome")).setAsString(QStringLiteral("Utente 2"));
        dm.CDSet_UserLink->post();
        dm.CDSet_Log->append();
        dm.CDSet_Log->fieldByName(QStringLiteral("_ID")).setAsInteger(1);
        dm.CDSet_Log->fieldByName(QStringLiteral("_DataOra1"))
            .setAsDateTime(QDateTime(QDate(2024, 3, type), QTime(10, 20, 30)));
        dm.CDSet_Log->fieldByName(QStringLiteral("_Categoria1")).setAsString(QStringLiteral("ALLARME"));
        dm.CDSet_Log->post();
        dm.CDSet_Time_Day->setRecNo(3);
        dm.CDSet_Time_Timers->setRecNo(2);
        dm.CDSet_Time_Uscite->setRecNo(2);
        write(dm.CDSet_Time_Uscite, "_OnOff", QStringLiteral("ATTIVA"));
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("register.cds"));
    QString error;
    QVERIFY2(dm.saveRegister(path, &error), qPrintable(error));

    TDM loaded;
    QVERIFY(loaded.importRegister(path, &error));
    QCOMPARE(loaded.CDSet_Tabulon->recordCount(), 6);
    QStringList diffs;
    compareTables(dm, dm.CDSet_Tabulon, loaded, loaded.CDSet_Tabulon, QStringLiteral("register"), diffs);
    QVERIFY2(diffs.isEmpty(), qPrintable(diffs.join('\n')));
    loaded.CDSet_Tabulon->setRecNo(3);
    QCOMPARE(loaded.GetSystemType(), 3);
    QCOMPARE(loaded.CDSet_ZoneRadio->recordCount(), 2); // dummy + input 3
}

void TestModel::importRefusesForeignFile() {
    ModelFixture fx;
    TDM& dm = *fx.dm;
    dm.AddDataSet(3);
    write(dm.CDSet_Tabulon, "_NomeCliente", QStringLiteral("Resta"));
    QTemporaryDir dir;

    // A register of another data model: a root table with other fields.
    const QString foreign = dir.filePath(QStringLiteral("foreign.cds"));
    {
        DataSet other(QStringLiteral("CDSet_Tabulon"));
        other.addField(QStringLiteral("_NomeCliente"), FieldType::String, 30);
        other.addField(QStringLiteral("_Altro"), FieldType::Integer);
        other.open();
        other.append();
        other.fieldByName(QStringLiteral("_NomeCliente")).setAsString(QStringLiteral("Estraneo"));
        other.post();
        other.saveToFile(foreign);
    }
    // Our own model with one field less is foreign too.
    const QString older = dir.filePath(QStringLiteral("older.cds"));
    {
        TDM full;
        full.AddDataSet(1);
        QVERIFY(full.saveRegister(older));
        QFile f(older);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QByteArray bytes = f.readAll();
        const int at = bytes.indexOf("_Net_DNS2");
        QVERIFY(at > 0);
        bytes[at + 8] = '3'; // a field the model does not have
        f.seek(0);
        f.write(bytes);
    }
    const QString garbage = dir.filePath(QStringLiteral("garbage.cds"));
    {
        QFile f(garbage);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, '\x5a'));
    }
    for (const QString& path : {foreign, older, garbage, dir.filePath(QStringLiteral("missing.cds"))}) {
        QString error;
        QVERIFY2(!dm.importRegister(path, &error), qPrintable(path));
        QCOMPARE(error, QStringLiteral("Il catalogo non corrisponde alle tabelle presenti"));
        QCOMPARE(dm.CDSet_Tabulon->recordCount(), 1);
        QCOMPARE(str(dm.CDSet_Tabulon, "_NomeCliente"), QStringLiteral("Resta"));
        QCOMPARE(dm.CDSet_Utenti->recordCount(), 64);
    }
}

void TestModel::startupOpensRegisterNamedInRegistry() {
    TempRegistry registry;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("KTabulon.cds"));
    {
        TDM first;
        first.AddDataSet(5);
        first.AddDataSet(1);
        QVERIFY(first.saveRegister(path));
    }
    setRegistryDatabase(path);

    int hookCalls = 0;
    TDM::createWindowsHook = [&](TDM& dm) {
        ++hookCalls;
        QCOMPARE(dm.CDSet_Tabulon->recordCount(), 2); // windows see the loaded register
    };
    {
        BoxAnswerer boxes;
        TDM dm;
        dm.DataModuleCreate();
        TDM::createWindowsHook = nullptr;
        QCOMPARE(hookCalls, 1);
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(DATABASE, path);
        QVERIFY(!dm.registerLoadFailed());
        dm.CDSet_Tabulon->first();
        QCOMPARE(dm.GetSystemType(), 5);
        // A pending edit is kept at exit.
        dm.CDSet_Tabulon->edit();
        dm.CDSet_Tabulon->fieldByName(QStringLiteral("_NomeCliente"))
            .setAsString(QStringLiteral("Modificato"));
    } // destroying the module saves the register
    TDM reread;
    QVERIFY(reread.importRegister(path));
    QCOMPARE(reread.CDSet_Tabulon->recordCount(), 2);
    reread.CDSet_Tabulon->first();
    QCOMPARE(str(reread.CDSet_Tabulon, "_NomeCliente"), QStringLiteral("Modificato"));

    // No file yet: an empty register, created at exit.
    const QString fresh = dir.filePath(QStringLiteral("nuovo.cds"));
    setRegistryDatabase(fresh);
    {
        TDM dm;
        dm.DataModuleCreate();
        QCOMPARE(dm.CDSet_Tabulon->recordCount(), 0);
        QVERIFY(dm.CDSet_Tabulon->active());
    }
    QVERIFY(QFileInfo::exists(fresh));
}

void TestModel::damagedRegisterIsNeverOverwritten() {
    TempRegistry registry;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("KTabulon.cds"));
    QByteArray damaged;
    {
        TDM first;
        first.AddDataSet(2);
        QVERIFY(first.saveRegister(path));
        damaged = fileBytes(path);
        damaged.truncate(damaged.size() / 2); // a register cut short
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(damaged);
    }
    setRegistryDatabase(path);

    // Reported once, the register starts empty, and exit leaves the file as it was.
    {
        BoxAnswerer boxes;
        TDM dm;
        dm.DataModuleCreate();
        QCOMPARE(boxes.count(QStringLiteral("MessageDlg")), 1);
        QCOMPARE(boxes.last().type, MsgDlgType::Error);
        QVERIFY(boxes.last().text.contains(QDir::toNativeSeparators(path)));
        QVERIFY(dm.registerLoadFailed());
        QCOMPARE(dm.CDSet_Tabulon->recordCount(), 0);
        QVERIFY(dm.saveRegister()); // an explicit save of the empty register writes nothing either
        QCOMPARE(fileBytes(path), damaged);
    }
    QCOMPARE(fileBytes(path), damaged);

    // New work after the failure is saved, and the damaged file is kept aside, not lost.
    {
        BoxAnswerer boxes;
        TDM dm;
        dm.DataModuleCreate();
        dm.AddDataSet(6);
    }
    QCOMPARE(fileBytes(path + QStringLiteral(".damaged")), damaged);
    TDM reread;
    QVERIFY(reread.importRegister(path));
    QCOMPARE(reread.CDSet_Tabulon->recordCount(), 1);
    QCOMPARE(reread.GetSystemType(), 6);

    // Importing another register after a failed start is not blocked by the protection.
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(damaged);
    }
    {
        BoxAnswerer boxes;
        TDM dm;
        dm.DataModuleCreate();
        QVERIFY(dm.registerLoadFailed());
        QVERIFY(dm.importRegister(path + QStringLiteral(".damaged")) == false);
        const QString good = dir.filePath(QStringLiteral("good.cds"));
        QVERIFY(reread.saveRegister(good));
        QVERIFY(dm.importRegister(good));
        DATABASE = good; // the register window switches the path on import
    }
    QCOMPARE(fileBytes(path), damaged);
}

void TestModel::failedSaveAtExitIsReported() {
    TempRegistry registry;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing-folder/KTabulon.cds"));
    setRegistryDatabase(path);
    BoxAnswerer boxes;
    {
        TDM dm;
        dm.DataModuleCreate();
        dm.AddDataSet(1);
        QString error;
        QVERIFY(!dm.saveRegister(QString(), &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(boxes.count(), 0);
    }
    QCOMPARE(boxes.count(QStringLiteral("MessageDlg")), 1);
    QCOMPARE(boxes.last().type, MsgDlgType::Error);
    QVERIFY(boxes.last().text.contains(QDir::toNativeSeparators(path)));
}

QTEST_MAIN(TestModel)
#include "test_model.moc"
