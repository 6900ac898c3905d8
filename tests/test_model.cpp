// The configuration model: tables, dimension constants, new installations, deletion, the
// register file and its registry path.
#include "model/datamodule.h"
#include "model/dimensions.h"
#include "model/lang.h"
#include "model/langtexts.h"
#include "model/language.h"
#include "model_fixture.h"
#include "platform/dataset.h"
#include "platform/dialogs.h"
#include "platform/registrykey.h"
#include "support/tablerows.h"
#include "transfer/transferflags.h"

#include <QtTest>

#include <cstring>
#include <sys/stat.h>

namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}
void setRegistryDatabase(const QString& path) {
    RegistryKey key;
    QVERIFY(key.openKey(kTabulonRegistryKey, true));
    key.writeString(QStringLiteral("DATABASE"), path);
}
// A register file of new installations of the given models, named in the settings as the one to open.
void writeStartRegister(const QString& path, std::initializer_list<int> types) {
    TDM first;
    for (int type : types)
        first.AddDataSet(type);
    QVERIFY(first.saveRegister(path));
    setRegistryDatabase(path);
}

} // namespace

class TestModel : public QObject {
    Q_OBJECT
private slots:
    void tablesAndSourcesAreNamed();
    void dimensionsAndRowsPerModel_data();
    void dimensionsAndRowsPerModel();
    void featuresAgreeWithDimensions();
    void newInstallationDefaults();
    void systemTypeFromLabel();
    void rowCapAbandonsInsert();
    void registerSavedAndReloadedAfterADeletion();
    void importRefusesForeignFile();
    void startupOpensRegisterNamedInRegistry();
    void damagedRegisterIsNeverOverwritten();
    void failedSaveAtExitIsReported();
    void databaseThatIsNoFileIsReported();
};

void TestModel::tablesAndSourcesAreNamed() {
    ModelFixture fx;
    TDM& dm = *fx.dm;
    for (DataSet* t : dm.tables()) {
        const QString name = t->objectName();
        QCOMPARE(dm.tableByName(name), t); // names are unique too
        DataSource* source = dm.dataSourceOf(t);
        QVERIFY2(source && source->dataSet() == t, qPrintable(name));
        // Every detail table hangs under the register, directly or through another table.
        QVERIFY2(t == dm.CDSet_Tabulon || t->master(), qPrintable(name));
    }
    QCOMPARE(dm.tableByName(QStringLiteral("CDSet_Nothing")), nullptr);
    // The nested fields the editors name; the scheduler's levels show in the row counts.
    QCOMPARE(dm.CDSet_InLink->masterField()->fieldName(), QStringLiteral("_Uscita_Ingresso"));
    QCOMPARE(dm.CDSet_Partial->masterField()->fieldName(), QStringLiteral("_Parzial"));

    // Field order of the event log is its export order.
    const QStringList log = dm.CDSet_Log->fieldNames();
    QCOMPARE((QStringList{log.first(), log.at(19), log.last()}),
             (QStringList{"_ID", "_DataOra1", "_Log_ColorRowDate"}));
    QCOMPARE(dm.CDSet_Log->indexFieldNames(), QStringLiteral("_DataOra1"));
}

void TestModel::dimensionsAndRowsPerModel_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("total"); // every detail row but the adaptation table
    QTest::newRow("TAVEK") << 1 << 1816;
    QTest::newRow("MIRUN") << 2 << 1930;
    QTest::newRow("MIRUNPLUS") << 3 << 5650;
    QTest::newRow("PELUN") << 4 << 1928;
    QTest::newRow("QUANE") << 5 << 1929;
    QTest::newRow("ZOREM") << 6 << 5818;
}

void TestModel::dimensionsAndRowsPerModel() {
    QFETCH(int, type);
    QFETCH(int, total);
    ModelFixture fx;
    TDM& dm = *fx.dm;
    dm.SelectSystem(type == 1 ? 6 : 1); // start from another model
    dm.SelectSystem(type);
    // Every global follows the model's table (and only 1..6 change them).
    const auto selected = [type] {
        const ModelDimensions now = currentDimensions();
        return std::memcmp(&now, modelDimensions(type), sizeof now) == 0;
    };
    QVERIFY(selected());
    for (int other : {0, 7, -1})
        dm.SelectSystem(other);
    QVERIFY(selected());

    // The rows follow the model created, not the constants.
    dm.SelectSystem(type == 6 ? 1 : 6);
    dm.AddDataSet(type);
    int sum = 0;
    for (DataSet* t : dm.tables()) {
        if (t != dm.CDSet_Tabulon && t != dm.CDSet_Adattamento)
            sum += rowsInInstallation(dm, t);
    }
    QCOMPARE(sum, total);

    // Record n is item n: `_ID` equals the position (messages from 0).
    for (DataSet* t :
         {dm.CDSet_Ingressi, dm.CDSet_DeviceRadio800, dm.CDSet_ContactID_Eventi, dm.CDSet_Messaggi}) {
        const int first = t == dm.CDSet_Messaggi ? 0 : 1;
        for (int r = 1; r <= t->recordCount(); ++r)
            QCOMPARE(at(t, r, "_ID").toInt(), r - 1 + first);
    }
}

// A feature row that contradicts its model's counts would show columns, list entries or
// terminal pairs the installation has no rows for.
void TestModel::featuresAgreeWithDimensions() {
    for (int type = 1; type <= kSystemTypeCount; ++type) {
        const QByteArray where = Language::CSL_MainCentral_Combo.at(type).toUtf8();
        const ModelDimensions& d = *modelDimensions(type);
        const ModelFeatures* f = modelFeatures(type);
        QVERIFY2(f, where);
        QVERIFY2(f->eightPartitions == (d.partitions == 8), where);
        // The paired inputs are the onboard ones, and the four terminal groups fit the inputs.
        QVERIFY2(f->zonePairingStep == 0 || f->zonePairingStep == d.inputsOnboard, where);
        QVERIFY2(4 * f->zonePairingStep <= d.inputsTotal, where);
        QVERIFY2(f->firstEventWithoutVoice >= 0 && f->firstEventWithoutVoice <= d.systemEvents, where);
        QVERIFY2(f->typedWords.first == 0 ||
                     (f->typedWords.first >= 1 && f->typedWords.first <= f->typedWords.last &&
                      f->typedWords.last <= d.messages),
                 where);
        QVERIFY2(f->outputFunctions >= 1 && f->outputFunctions <= LangTexts::OutputFunctions.size(), where);
    }
    for (int other : {0, kSystemTypeCount + 1, -1})
        QVERIFY(!modelFeatures(other));
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

    const struct {
        DataSet* table;
        int row;
        const char* field;
        QVariant value;
    } expected[] = {
        {dm.CDSet_Tabulon, 2, "_TipoCentrale", QStringLiteral("MODEL PELUN")},
        {dm.CDSet_Tabulon, 2, "_IDCentrale", 4},
        // Inputs: not configured, words unset (-1), partitions not switchable.
        {dm.CDSet_Ingressi, 7, "_TipoIngresso", Lang::ListaTipoIngresso_TAVEK_MIRUN.at(0)},
        {dm.CDSet_Ingressi, 7, "_IMsg3", -1},
        {dm.CDSet_Ingressi, 7, "_EnablePzX", false},
        {dm.CDSet_Tastiere, 1, "_Enable", true}, // keypad 1 cannot be disabled
        {dm.CDSet_Tastiere, 2, "_Enable", false},
        // Contact ID: the 28 fixed events, then the inputs by name.
        {dm.CDSet_ContactID_Eventi, 1, "_Nome", Lang::CSL_IDCEVENTS_CONSTANT.at(0)},
        {dm.CDSet_ContactID_Eventi, 28 + 5, "_Nome", at(dm.CDSet_Ingressi, 5, "_Nome")},
        {dm.CDSet_Eventi_Sistema, 23, "_Tel5", QStringLiteral("-")},
        // Radio: no device; the 800 range carries the options of a device without type.
        {dm.CDSet_DeviceRadio800, 60, "_RemCrt_Switch", 5},
        {dm.CDSet_DeviceRadio800, 60, "_ExpNum", QStringLiteral("Esp. Radio 2")}, // second half
        {dm.CDSet_DeviceRadio, 32, "_ExpNum", QStringLiteral("Esp. Radio 1")},
        {dm.CDSet_Messaggi, 2, "_Messaggio", Lang::CSL_DEFAULT_MESSAGES.at(1)},
    };
    for (const auto& e : expected)
        QCOMPARE(at(e.table, e.row, e.field).toString(), e.value.toString());
    QVERIFY(Lang::ListaFunzioneUscitePELUN.contains(at(dm.CDSet_Uscite, 3, "_FunzioneUscita").toString()));

    // Scheduler: nothing assigned anywhere.
    forEachGroup(dm, dm.CDSet_Time_Uscite, [&] {
        for (DataSet* t : {dm.CDSet_Time_Utenti, dm.CDSet_Time_Parziali, dm.CDSet_Time_Uscite}) {
            for (int r = 1; r <= t->recordCount(); ++r)
                QCOMPARE(at(t, r, "_OnOff").toString(), QStringLiteral("NON ASSEGNATO"));
        }
    });

    // The first installation kept its own model and rows; any other system type appends nothing.
    dm.CDSet_Tabulon->first();
    QCOMPARE(dm.GetSystemType(), 2);
    QCOMPARE(dm.CDSet_Adattamento->recordCount(), 8);
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
    for (const char* other : {"model tavek", "MODEL TAVEK ", "TAVEK"}) {
        write(dm.CDSet_Tabulon, "_TipoCentrale", QString::fromLatin1(other));
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
    for (DataSet* t : {dm.CDSet_Uscite, dm.CDSet_Messaggi, dm.CDSet_Time_Utenti}) {
        const int rows = t->recordCount();
        QCOMPARE(rows, dm.rowCap(t));
        t->append();
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
    for (DataSet* t : {dm.CDSet_InLink, dm.CDSet_UserLink, dm.CDSet_Zone, dm.CDSet_Partial, dm.CDSet_Log})
        QCOMPARE(dm.rowCap(t), -1);
    for (int i = 1; i <= 70; ++i)
        appendRow(dm.CDSet_Log, {{"_ID", i}});
    QCOMPARE(dm.CDSet_Log->recordCount(), 70);
}

void TestModel::registerSavedAndReloadedAfterADeletion() {
    ModelFixture fx;
    TDM& dm = *fx.dm;
    dm.DeleteMasterRecord(); // empty register: nothing happens
    QCOMPARE(dm.CDSet_Tabulon->recordCount(), 0);
    for (int type = 1; type <= 6; ++type) {
        dm.AddDataSet(type);
        write(dm.CDSet_Tabulon, "_NomeCliente", QStringLiteral("Impianto %1 àèì").arg(type));
        write(dm.CDSet_Tabulon, "_IndirizzoCliente", QStringLiteral("Via Roma %1\r\nMilano").arg(type));
        writeRow(dm.CDSet_Ingressi, type, "_TipoIngresso", QStringLiteral("Radio"));
        write(dm.CDSet_Ingressi, "_Pz2", true);
        writeRow(dm.CDSet_Utenti, 2, "_Codice", QStringLiteral("12345") + QString::number(type));
        dm.CDSet_Uscite->first();
        appendRow(dm.CDSet_UserLink, {{"_ID", 2}, {"_Nome", QStringLiteral("Utente 2")}});
        appendRow(dm.CDSet_Log, {{"_ID", 1},
                                 {"_DataOra1", QDateTime(QDate(2024, 3, type), QTime(10, 20, 30))},
                                 {"_Categoria1", QStringLiteral("ALLARME")}});
        dm.CDSet_Time_Day->setRecNo(3);
        dm.CDSet_Time_Timers->setRecNo(2);
        writeRow(dm.CDSet_Time_Uscite, 2, "_OnOff", QStringLiteral("ATTIVA"));
    }
    // Deleting one installation leaves the others whole: their own model's rows and links.
    dm.CDSet_Tabulon->setRecNo(4);
    dm.DeleteMasterRecord();
    QCOMPARE(dm.CDSet_Tabulon->recordCount(), 5);
    const int types[] = {1, 2, 3, 5, 6};
    for (int r = 1; r <= 5; ++r) {
        dm.CDSet_Tabulon->setRecNo(r);
        QCOMPARE(dm.GetSystemType(), types[r - 1]);
        QCOMPARE(dm.CDSet_Utenti->recordCount(), modelDimensions(types[r - 1])->users);
        QCOMPARE(rowsInInstallation(dm, dm.CDSet_UserLink) + dm.CDSet_Log->recordCount(), 2);
    }

    // The file holds exactly what the register holds, nested rows included.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("register.cds"));
    QString error;
    QVERIFY2(dm.saveRegister(path, &error), qPrintable(error));
    TDM loaded;
    QVERIFY(loaded.importRegister(path, &error));
    QCOMPARE(registerDump(loaded), registerDump(dm));
    loaded.CDSet_Tabulon->setRecNo(3);
    QCOMPARE(loaded.CDSet_ZoneRadio->recordCount(), 2); // dummy + input 3

    for (int r = 0; r < 6; ++r) // one more than there are
        dm.DeleteMasterRecord();
    QCOMPARE(dm.CDSet_Tabulon->recordCount(), 0);
    QCOMPARE(dm.CDSet_Ingressi->recordCount(), 0);
}

void TestModel::importRefusesForeignFile() {
    ModelFixture fx;
    TDM& dm = *fx.dm;
    dm.AddDataSet(3);
    write(dm.CDSet_Tabulon, "_NomeCliente", QStringLiteral("Resta"));
    QTemporaryDir dir;

    // Our own model with one field renamed is another data model (the file layer tests the rest).
    const QString older = dir.filePath(QStringLiteral("older.cds"));
    writeStartRegister(older, {1});
    QByteArray bytes = fileBytes(older);
    const int pos = bytes.indexOf("_Net_DNS2");
    QVERIFY(pos > 0);
    bytes[pos + 8] = '3'; // a field the model does not have
    QVERIFY(writeFile(older, bytes));
    const QString garbage = dir.filePath(QStringLiteral("garbage.cds"));
    QVERIFY(writeFile(garbage, QByteArray(4096, '\x5a')));
    // Installations with more rows than any model has (here: inputs) are refused before their
    // rows are built.
    const QString crowded = dir.filePath(QStringLiteral("crowded.cds"));
    {
        TDM other;
        other.AddDataSet(6);
        other.CDSet_Ingressi->beforeInsert = nullptr; // past the model's cap
        for (int n = other.CDSet_Ingressi->fileRowLimit(); n >= 0; --n)
            addRow(*other.CDSet_Ingressi, {1000 + n});
        QVERIFY(other.saveRegister(crowded));
    }
    const struct {
        QString path, why;
    } refused[] = {{older, QStringLiteral("_Net_DNS3")},
                   {garbage, QStringLiteral("manca l'intestazione dell'archivio")},
                   {crowded, QStringLiteral("CDSet_Ingressi")},
                   {dir.filePath(QStringLiteral("missing.cds")), QStringLiteral("missing.cds")}};
    for (const auto& [path, why] : refused) {
        QString error;
        QVERIFY2(!dm.importRegister(path, &error), qPrintable(path));
        // The register window shows the first line; the detail is there for the log.
        QCOMPARE(error.section(QLatin1Char('\n'), 0, 0),
                 QStringLiteral("Il catalogo non corrisponde alle tabelle presenti"));
        QVERIFY2(error.contains(why), qPrintable(error));
        QCOMPARE(dm.CDSet_Tabulon->recordCount(), 1);
        QCOMPARE(str(dm.CDSet_Tabulon, "_NomeCliente"), QStringLiteral("Resta"));
        QCOMPARE(dm.CDSet_Utenti->recordCount(), 64); // the nested rows too
    }
}

void TestModel::startupOpensRegisterNamedInRegistry() {
    TempRegistry registry;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("KTabulon.cds"));
    writeStartRegister(path, {5, 1});

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
    QCOMPARE(at(reread.CDSet_Tabulon, 1, "_NomeCliente").toString(), QStringLiteral("Modificato"));
}

void TestModel::damagedRegisterIsNeverOverwritten() {
    TempRegistry registry;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("KTabulon.cds"));
    writeStartRegister(path, {2});
    const QByteArray damaged = fileBytes(path).chopped(fileBytes(path).size() / 2); // a register cut short
    QVERIFY(writeFile(path, damaged));

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
    }
    QCOMPARE(fileBytes(path), damaged);

    // Importing another register after a failed start is not blocked by the protection. (New
    // work saved after the failure, with the damaged file kept aside: test_registerexit.)
    const QString good = dir.filePath(QStringLiteral("good.cds"));
    {
        TDM other;
        other.AddDataSet(6);
        QVERIFY(other.saveRegister(good));
    }
    {
        BoxAnswerer boxes;
        TDM dm;
        dm.DataModuleCreate();
        QVERIFY(dm.registerLoadFailed());
        QVERIFY(!dm.importRegister(path));
        QVERIFY(dm.importRegister(good));
        QCOMPARE(dm.GetSystemType(), 6);
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

// A DATABASE naming a pipe (opening it would wait for a writer for ever) or a folder:
// reported, the register starts empty, and neither is replaced at exit.
void TestModel::databaseThatIsNoFileIsReported() {
    TempRegistry registry;
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("pipe.cds"));
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString folder = dir.filePath(QStringLiteral("folder.cds"));
    QVERIFY(QDir().mkpath(folder));
    for (const QString& path : {pipe, folder}) {
        setRegistryDatabase(path);
        BoxAnswerer boxes;
        {
            TDM dm;
            dm.DataModuleCreate();
            QCOMPARE(boxes.count(QStringLiteral("MessageDlg")), 1);
            QVERIFY(boxes.last().text.contains(QDir::toNativeSeparators(path)));
            QCOMPARE(dm.CDSet_Tabulon->recordCount(), 0);
        }
        QVERIFY(QFileInfo(path).exists() && !QFileInfo(path).isFile());
    }
}

QTEST_MAIN(TestModel)
#include "test_model.moc"
