// Field rules of the configuration model, the 800-range device helpers and the vocabulary.
#include "model/datamodule.h"
#include "model/dimensions.h"
#include "model/fieldrules.h"
#include "model/lang.h"
#include "model_fixture.h"
#include "platform/dataset.h"
#include "platform/dialogs.h"
#include "platform/versioninfo.h"
#include "transfer/transferflags.h"

#include <QtTest>

namespace {

QList<int> ids(DataSet* t) {
    QList<int> out;
    for (int r = 1; r <= t->recordCount(); ++r)
        out << at(t, r, "_ID").toInt();
    return out;
}

using Normaliser = QString (*)(const QString&, QChar);
enum Kind { TimeOfDay, DayMonth, Duration };

} // namespace

class TestModelRules : public QObject {
    Q_OBJECT
private slots:
    void init() { Lang::LanguageRewrite(); }

    void normalisedTexts_data();
    void normalisedTexts();
    void timesAndDatesNormalisedOnWrite();
    void flagsFollowInputAndOutputFunction();
    void linkedUserIdFollowsUserName();
    void messageEditRewritesCopies();
    void radioZonesFollowWiringAndNames();
    void userCodeWarnings();
    void device800Slots();
    void device800NameReachesItsSlotThroughFilter();
    void defaultOptionsOfRadio800();
    void vocabularyLists();
    void fixedTextsFitTheirFields();
    void fileVersionText();
};

void TestModelRules::normalisedTexts_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    auto row = [](const char* name, Kind kind, const char* text, const char* expected) {
        QTest::newRow(name) << int(kind) << QString::fromLatin1(text) << QString::fromLatin1(expected);
    };
    row("time empty", TimeOfDay, "", "00:00");
    row("time mask blanks", TimeOfDay, "__:__", "00:00");
    row("time hour only", TimeOfDay, "12", "00:00");
    row("time short hour", TimeOfDay, "7:30", "07:30");
    row("time blank in hour", TimeOfDay, "7_:30", "07:30");
    row("time leading blank", TimeOfDay, " 7:30", "07:30");
    row("time hour 24", TimeOfDay, "24:00", "23:00");
    row("time minute 60", TimeOfDay, "10:60", "10:59");
    row("time without literals", TimeOfDay, "1230", "12:30");
    row("time other separator", TimeOfDay, "12.30", "12:30");
    row("time three digits", TimeOfDay, "123:30", "00:00");
    row("date empty", DayMonth, "", "00/00");
    row("date day 32", DayMonth, "32/05", "31/05");
    row("date month 13", DayMonth, "10/13", "10/12");
    row("duration empty", Duration, "", "00:00:00");
    row("duration over", Duration, "99:75:80", "99:59:59");
    row("duration two parts", Duration, "10:20", "00:00:00");
    row("duration without literals", Duration, "000130", "00:01:30");
}

void TestModelRules::normalisedTexts() {
    QFETCH(int, kind);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const Normaliser normalise[] = {&FieldRules::normaliseTimeOfDay, &FieldRules::normaliseDayMonth,
                                    &FieldRules::normaliseDuration};
    const QChar sep = kind == DayMonth ? QLatin1Char('/') : QLatin1Char(':');
    const QString result = normalise[kind](text, sep);
    QCOMPARE(result, expected);
    QCOMPARE(normalise[kind](result, sep), result); // normal texts stay as they are
}

void TestModelRules::timesAndDatesNormalisedOnWrite() {
    ModelFixture fx;
    TDM& dm = *fx.dm;
    dm.AddDataSet(3);
    // Stored with ':' and '/', whatever the locale shows.
    dm.CDSet_Time_Day->setRecNo(4);
    const struct {
        DataSet* table;
        int row;
        const char *field, *written, *stored;
    } cases[] = {
        {dm.CDSet_Time_Timers, 8, "_Ora", "25:65", "23:59"},
        {dm.CDSet_Time_Timers, 8, "_Ora", ":", "00:00"}, // what an empty masked editor gives
        {dm.CDSet_Time_Esclusione_Data, 2, "_Data1", "40/14", "31/12"},
        {dm.CDSet_Time_Esclusione_Data, 2, "_Data2", "1", "00/00"},
        {dm.CDSet_Uscite, 17, "_PulseDuration", "1:90:9", "01:59:09"},
        {dm.CDSet_Uscite, 17, "_PulseDelay", "", "00:00:00"},
    };
    for (const auto& c : cases) {
        writeRow(c.table, c.row, c.field, QString::fromLatin1(c.written));
        QCOMPARE(str(c.table, c.field), QString::fromLatin1(c.stored));
    }
    // Every row written passes the rule, not only the first or the current one.
    for (int r = 1; r <= dm.CDSet_Time_Timers->recordCount(); ++r)
        writeRow(dm.CDSet_Time_Timers, r, "_Ora", QStringLiteral("30:30"));
    QCOMPARE(at(dm.CDSet_Time_Timers, 1, "_Ora").toString(), QStringLiteral("23:30"));
}

void TestModelRules::flagsFollowInputAndOutputFunction() {
    ModelFixture fx;
    TDM& dm = *fx.dm;
    dm.AddDataSet(6);
    // An input may switch partitions only under a function signed O, Z or Y.
    int switching = 0;
    for (int i = 0; i < Lang::ListaFunzioniIngresso.size(); ++i) {
        const QString sign = Lang::ListaFunzioniIngressoSegni.at(i);
        const bool expected =
            sign == QLatin1String("O") || sign == QLatin1String("Z") || sign == QLatin1String("Y");
        switching += expected;
        writeRow(dm.CDSet_Ingressi, i + 1, "_FuncIngresso", Lang::ListaFunzioniIngresso.at(i));
        QCOMPARE(flag(dm.CDSet_Ingressi, "_EnablePzX"), expected);
    }
    QCOMPARE(switching, 3);
    // Leaving a switching function clears the flag; an unknown text counts as not switching.
    writeRow(dm.CDSet_Ingressi, 30, "_FuncIngresso", QStringLiteral("Solo ON"));
    QVERIFY(flag(dm.CDSet_Ingressi, "_EnablePzX"));
    for (const QString& other : {QStringLiteral("solo on"), QString()}) {
        write(dm.CDSet_Ingressi, "_FuncIngresso", other);
        QVERIFY(!flag(dm.CDSet_Ingressi, "_EnablePzX"));
    }

    // An output may call phones only as a pilot (exact text); condition and polarity leave it alone.
    const QList<QPair<const char*, bool>> outputs = {
        {"Pilot", true}, {"Multi Funzione", false}, {"Pilot", true}, {"pilot", false}, {"", false}};
    for (const auto& [function, expected] : outputs) {
        writeRow(dm.CDSet_Uscite, 4, "_FunzioneUscita", QString::fromLatin1(function));
        QCOMPARE(flag(dm.CDSet_Uscite, "_EnableAssociaTelx"), expected);
    }
    write(dm.CDSet_Uscite, "_FunzioneUscita", QStringLiteral("Pilot"));
    write(dm.CDSet_Uscite, "_CondFunzionamento", Lang::ListaCondFunzioneUsciteTAVEK.at(3));
    write(dm.CDSet_Uscite, "_Polarita", QStringLiteral("INVERTITA"));
    QVERIFY(flag(dm.CDSet_Uscite, "_EnableAssociaTelx"));
}

void TestModelRules::linkedUserIdFollowsUserName() {
    ModelFixture fx;
    TDM& dm = *fx.dm;
    dm.AddDataSet(2);
    writeRow(dm.CDSet_Utenti, 5, "_Nome", QStringLiteral("Mario"));
    writeRow(dm.CDSet_Utenti, 9, "_Nome", QStringLiteral("Mario")); // same name twice

    // The lookup editor leaves the chosen user current: that one is taken.
    dm.CDSet_Utenti->setRecNo(9);
    writeRow(dm.CDSet_Ingressi, 3, "_LinkUser", QStringLiteral("Mario"));
    QCOMPARE(num(dm.CDSet_Ingressi, "_LinkUserID"), 9);
    // Written from elsewhere: the first user of that name, whatever is current.
    dm.CDSet_Utenti->setRecNo(1);
    const QList<QPair<QString, int>> cases = {{QStringLiteral("Mario"), 5},
                                              {QStringLiteral("Utente 12"), 12},
                                              {QString(), 0},
                                              {QStringLiteral("Nessuno"), 0}};
    for (const auto& [name, id] : cases) {
        writeRow(dm.CDSet_Ingressi, 4, "_LinkUser", name);
        QCOMPARE(num(dm.CDSet_Ingressi, "_LinkUserID"), id);
    }
}

void TestModelRules::messageEditRewritesCopies() {
    ModelFixture fx;
    TDM& dm = *fx.dm;
    dm.AddDataSet(4); // another installation, using the same word, must not change
    writeRow(dm.CDSet_Ingressi, 1, "_IMsg1", 5);
    write(dm.CDSet_Ingressi, "_Msg1", QStringLiteral("VECCHIA"));
    dm.AddDataSet(3);

    // {table, row, slot, word}: copies of word 5 and one of word 6.
    const struct {
        DataSet* table;
        int row, k, word;
    } copies[] = {{dm.CDSet_Ingressi, 3, 2, 5}, {dm.CDSet_Ingressi, 3, 4, 5}, {dm.CDSet_Ingressi, 64, 1, 6},
                  {dm.CDSet_Uscite, 17, 1, 5},  {dm.CDSet_Parziali, 2, 1, 5}, {dm.CDSet_Group, 4, 4, 5}};
    auto msg = [](int k) { return QStringLiteral("_Msg%1").arg(k); };
    for (const auto& c : copies) {
        c.table->setRecNo(c.row);
        c.table->edit();
        c.table->fieldByName(QStringLiteral("_IMsg%1").arg(c.k)).setAsInteger(c.word);
        c.table->fieldByName(msg(c.k)).setAsString(c.word == 5 ? QStringLiteral("VECCHIA")
                                                               : QStringLiteral("ALTRA"));
        c.table->post();
    }
    dm.CDSet_Ingressi->setRecNo(10); // cursors elsewhere must stay where they are
    dm.CDSet_Uscite->setRecNo(1);

    ShortList = true;
    writeRow(dm.CDSet_Messaggi, 6, "_Messaggio", QStringLiteral("CANCELLO NORD")); // `_ID` 5
    QCOMPARE(ShortList, false);
    QCOMPARE(dm.CDSet_Ingressi->recNo(), 10);
    QCOMPARE(dm.CDSet_Uscite->recNo(), 1);
    for (const auto& c : copies) {
        QCOMPARE(at(c.table, c.row, qPrintable(msg(c.k))).toString(),
                 c.word == 5 ? QStringLiteral("CANCELLO NORD") : QStringLiteral("ALTRA"));
    }
    QCOMPARE(at(dm.CDSet_Group, 4, "_Msg1").toString(), QString());

    // A copy whose row is being edited is rewritten in the edit buffer.
    dm.CDSet_Ingressi->setRecNo(3);
    dm.CDSet_Ingressi->edit();
    writeRow(dm.CDSet_Messaggi, 6, "_Messaggio", QStringLiteral("PORTA"));
    QCOMPARE(str(dm.CDSet_Ingressi, "_Msg2"), QStringLiteral("PORTA"));
    dm.CDSet_Ingressi->post();
    QCOMPARE(at(dm.CDSet_Ingressi, 3, "_Msg2").toString(), QStringLiteral("PORTA"));

    dm.CDSet_Tabulon->first();
    QCOMPARE(at(dm.CDSet_Ingressi, 1, "_Msg1").toString(), QStringLiteral("VECCHIA"));
}

void TestModelRules::radioZonesFollowWiringAndNames() {
    ModelFixture fx;
    TDM& dm = *fx.dm;
    dm.AddDataSet(2);
    const QString radio = Lang::ListaTipoIngresso_TAVEK_MIRUN.at(3);
    QCOMPARE(ids(dm.CDSet_ZoneRadio), (QList<int>{0}));

    for (int input : {5, 40, 2, 5}) // the second write of input 5 adds no second row
        writeRow(dm.CDSet_Ingressi, input, "_TipoIngresso", radio);
    QCOMPARE(ids(dm.CDSet_ZoneRadio), (QList<int>{0, 2, 5, 40}));
    QCOMPARE(at(dm.CDSet_ZoneRadio, 3, "_Nome").toString(), QStringLiteral("Ingresso 5"));

    writeRow(dm.CDSet_Ingressi, 5, "_TipoIngresso", Lang::ListaTipoIngresso_TAVEK_MIRUN.at(0));
    writeRow(dm.CDSet_Ingressi, 40, "_TipoIngresso", QStringLiteral("2Z-4k7-8k2"));
    QCOMPARE(ids(dm.CDSet_ZoneRadio), (QList<int>{0, 2}));

    // An input's name reaches its radio row and its Contact ID event.
    writeRow(dm.CDSet_Ingressi, 2, "_Nome", QStringLiteral("Garage"));
    QCOMPARE(at(dm.CDSet_ZoneRadio, 2, "_Nome").toString(), QStringLiteral("Garage"));
    QCOMPARE(at(dm.CDSet_ContactID_Eventi, 28 + 2, "_Nome").toString(), QStringLiteral("Garage"));
    writeRow(dm.CDSet_Ingressi, 64, "_Nome", QStringLiteral("Ultimo"));
    QCOMPARE(at(dm.CDSet_ContactID_Eventi, 92, "_Nome").toString(), QStringLiteral("Ultimo"));

    // A missing "no input" row comes back with the next radio input.
    dm.CDSet_ZoneRadio->first();
    dm.CDSet_ZoneRadio->deleteRecord();
    writeRow(dm.CDSet_Ingressi, 7, "_TipoIngresso", radio);
    QCOMPARE(ids(dm.CDSet_ZoneRadio), (QList<int>{0, 2, 7}));
}

void TestModelRules::userCodeWarnings() {
    ModelFixture fx;
    TDM& dm = *fx.dm;
    dm.AddDataSet(1);
    write(dm.CDSet_Tabulon, "_PswInstallatore", QStringLiteral("999999"));
    write(dm.CDSet_Tabulon, "_PswReset", QStringLiteral("888888"));

    // {user, code, words of the warning or none}, in order; the value is kept either way. A user's
    // own code rewritten, or a code cleared, is no duplicate; while a transfer writes codes, silence.
    // With four-digit codes only the first four digits count.
    const struct {
        int user;
        const char *code, *warning;
        bool transfer = false;
    } writes[] = {{1, "123456", nullptr},
                  {3, "654321", nullptr},
                  {2, "123456", "ALTRO UTENTE"},
                  {4, "999999", "CODICE TECNICO"},
                  {4, "888888", "RESET"},
                  {1, "123456", "ALTRO UTENTE"}, // user 2 holds it too
                  {3, "654321", nullptr},
                  {5, "", nullptr},
                  {6, "", nullptr},
                  {7, "123456", nullptr, true},
                  {8, "999999", nullptr, true},
                  {-1, nullptr, nullptr},
                  {9, "6543", "ALTRO UTENTE"},
                  {9, "1111", nullptr},
                  // The fourth digit still counts: three equal digits are no duplicate.
                  {10, "6549", nullptr},
                  {11, "9990", nullptr}};
    BoxAnswerer boxes;
    for (const auto& w : writes) {
        if (w.user < 0) {
            writeRow(dm.CDSet_ParVari, 1, "_Lunghezza_codici", 1);
            continue;
        }
        StateTrasfert = w.transfer ? 1 : 0;
        const int before = boxes.count();
        writeRow(dm.CDSet_Utenti, w.user, "_Codice", QString::fromLatin1(w.code));
        StateTrasfert = 0;
        QCOMPARE(boxes.count(), before + (w.warning ? 1 : 0));
        QCOMPARE(str(dm.CDSet_Utenti, "_Codice"), QString::fromLatin1(w.code));
        if (w.warning) {
            QCOMPARE(boxes.last().type, MsgDlgType::Warning);
            QVERIFY2(boxes.last().text.contains(QLatin1String(w.warning)), w.code);
        }
    }
}

void TestModelRules::device800Slots() {
    // Each range's first and last record: remote controls, sirens, devices, twice over; -1: no slot.
    const int T = TDM::SlotTelec, S = TDM::SlotSirena, D = TDM::SlotDevice;
    const int cases[][3] = {{0, -1, 0}, {1, T, 0},   {20, T, 19},  {21, S, 0},  {24, S, 3},
                            {25, D, 0}, {56, D, 31}, {57, T, 20},  {76, T, 39}, {77, S, 4},
                            {80, S, 7}, {81, D, 32}, {112, D, 63}, {113, -1, 0}};
    for (const auto& [recNo, kind, slot] : cases) {
        int k = -1, s = -1;
        QCOMPARE(TDM::device800Slot(recNo, &k, &s), kind >= 0);
        if (kind >= 0)
            QCOMPARE(std::make_pair(k, s), std::make_pair(kind, slot));
    }
}

void TestModelRules::device800NameReachesItsSlotThroughFilter() {
    ModelFixture fx;
    TDM& dm = *fx.dm;
    dm.AddDataSet(6);
    QList<std::tuple<int, int, QString>> calls;
    TDM::device800NameHook = [&](int kind, int slot, const QString& name) {
        calls.append({kind, slot, name});
    };

    writeRow(dm.CDSet_DeviceRadio800, 78, "_Nome", QStringLiteral("SIRENA GIARDINO"));
    // The sirens tab shows devices 21..24 and 77..80; its first row is device 21.
    dm.CDSet_DeviceRadio800->setFilter(QStringLiteral("_ID >= 21 and _ID <= 24 or _ID >= 77 and _ID <= 80"));
    dm.CDSet_DeviceRadio800->setFiltered(true);
    writeRow(dm.CDSet_DeviceRadio800, 1, "_Nome", QStringLiteral("SIRENA 1"));
    writeRow(dm.CDSet_DeviceRadio800, 8, "_Nome", QStringLiteral("SIRENA 8"));
    dm.CDSet_DeviceRadio800->setFiltered(false);
    TDM::device800NameHook = nullptr;
    writeRow(dm.CDSet_DeviceRadio800, 1, "_Nome", QStringLiteral("SENZA CORNICE")); // no hook: nothing to do

    const int sirena = TDM::SlotSirena;
    QCOMPARE(calls, (QList<std::tuple<int, int, QString>>{{sirena, 5, QStringLiteral("SIRENA GIARDINO")},
                                                          {sirena, 0, QStringLiteral("SIRENA 1")},
                                                          {sirena, 7, QStringLiteral("SIRENA 8")}}));
}

void TestModelRules::defaultOptionsOfRadio800() {
    ModelFixture fx;
    TDM& dm = *fx.dm;
    dm.AddDataSet(3);
    DataSet* t = dm.CDSet_DeviceRadio800;
    // {field, written first, expected after the defaults: invalid when the field is left alone}
    const struct {
        const char* field;
        QVariant written, after;
    } cases[] = {
        {"_Nome", QStringLiteral("VIRNA800 D.30"), {}},
        {"_Tipo", 3, {}},
        {"_InAssociato2", 7, {}},
        {"_ID_Radio", QStringLiteral("ABCDEF0123"), QStringLiteral("0000000000")},
        {"_RemCrt_Led", false, true},
        {"_RemCrt_Switch", 9, 5},
        {"_RemCrt_User", 4, 1},
        {"_RemCrt_T3_Led2", true, false},
        {"_RemCrt_T4P8", true, false},
        {"_RemCrt_ONOFF_PRG2", 2, 0},
        {"_Batt", 3, 14},
        {"_Input4", QStringLiteral("Ingresso 12 (PIR)"), QString()},
    };
    t->setRecNo(30);
    t->edit();
    for (const auto& c : cases)
        t->fieldByName(QString::fromLatin1(c.field)).setValue(c.written);
    t->post();

    t->edit();
    dm.DefaultOpzioniRadio800();
    t->post();
    for (const auto& c : cases) {
        const QVariant expected = c.after.isValid() ? c.after : c.written;
        QVERIFY2(at(t, 30, c.field).toString() == expected.toString(), c.field);
    }
    QCOMPARE(num(t, "_ID"), 30);
    // It neither starts an edit nor posts.
    QVERIFY_THROWS_EXCEPTION(DataSetError, dm.DefaultOpzioniRadio800());
    t->edit();
    t->fieldByName(QStringLiteral("_RemCrt_Switch")).setAsInteger(7);
    dm.DefaultOpzioniRadio800();
    QCOMPARE(t->state(), DataSetState::Edit);
    t->cancel();
    QCOMPARE(num(t, "_RemCrt_Switch"), 5);
}

void TestModelRules::vocabularyLists() {
    using namespace Lang;
    int hookCalls = 0;
    windowTextsHook = [&] { ++hookCalls; };
    LanguageRewrite();
    windowTextsHook = nullptr;
    QCOMPARE(hookCalls, 1);
    const QList<QStringList*> lists = VocabularyLists();
    QCOMPARE(lists.size(), 34);

    // Each sign list matches its twin position by position with distinct one-character codes.
    auto checkTwin = [](const QStringList& texts, const QStringList& signs) {
        QVERIFY(!texts.isEmpty());
        QCOMPARE(signs.size(), texts.size());
        QCOMPARE(QSet<QString>(signs.begin(), signs.end()).size(), signs.size());
        QCOMPARE(signs.join(QString()).size(), signs.size());
    };
    QList<QPair<QStringList*, QStringList*>> twins = {
        {&ListaTipoIngresso_TAVEK_MIRUN, &ListaTipoIngressoSegni_TAVEK_MIRUN},
        {&ListaFunzioniIngresso, &ListaFunzioniIngressoSegni},
        {&ListaSirenaIngresso, &ListaSirenaIngressoSegni},
        {&ListaPolaritaIngressi, &ListaPolaritaIngressiSegni},
        {&ListaCondFunzioneUsciteTAVEK, &ListaCondFunzioneUsciteSegniTAVEK},
        {&ListaCondFunzioneUsciteMIRUN, &ListaCondFunzioneUsciteSegniMIRUN},
        {&ListaPolaritaUscite, &ListaPolaritaUsciteSegni}};
    for (int type = 1; type <= 6; ++type) {
        twins.append(qMakePair(ListaFunzioneUscite(type), ListaFunzioneUsciteSegni(type)));
        // The editors look these up in the MIRUN list whatever the model: same text, same sign.
        for (int pos : {2, 24}) {
            QCOMPARE(ListaFunzioneUscite(type)->at(pos), ListaFunzioneUsciteMIRUN.at(pos));
            QCOMPARE(ListaFunzioneUsciteSegni(type)->at(pos), ListaFunzioneUsciteSegniMIRUN.at(pos));
        }
    }
    for (const auto& [texts, signs] : twins)
        checkTwin(*texts, *signs);
    QCOMPARE(ListaFunzioneUscite(0), nullptr);
    QCOMPARE(ListaFunzioneUsciteMIRUN.at(2), PilotFunction());

    // Lookups out of range give nothing.
    QVERIFY(channelNames400(9).isEmpty() && channelNames800(8).isEmpty() &&
            ComboItems("DBComboBox999").isEmpty());

    FreeVocabularyLists();
    for (QStringList* list : lists)
        QVERIFY(list->isEmpty());
    // The rules keep working without the lists.
    QVERIFY(IsPartitionFunction(QStringLiteral("Solo OFF")));
    QCOMPARE(PilotFunction() + WiringRadio(), QStringLiteral("PilotRadio"));
}

void TestModelRules::fixedTextsFitTheirFields() {
    ModelFixture fx;
    TDM& dm = *fx.dm;
    auto fits = [&](const QStringList& texts, DataSet* table, const char* field, int count) {
        const int size = table->fieldByName(QString::fromLatin1(field)).size();
        QCOMPARE(texts.size(), count);
        for (const QString& t : texts)
            QVERIFY2(t.size() <= size, qPrintable(t));
    };
    fits(Lang::CSL_IDCEVENTS_CONSTANT, dm.CDSet_ContactID_Eventi, "_Nome", 28);
    fits(Lang::CSL_IDCEVENTS_CODE, dm.CDSet_ContactID_Eventi, "_CodiceIDC", 28);
    fits(Lang::CSL_FPT_NAME_LIST, dm.CDSet_FPT, "_Nome", 15);
    fits(Lang::CSL_SYSTEM_EVENTS_GRID_LABEL, dm.CDSet_Eventi_Sistema, "_Nome", 23);
    fits(Lang::CSL_DEFAULT_MESSAGES, dm.CDSet_Messaggi, "_Messaggio", 187);
    fits(Lang::ListaFunzioneUsciteZOREM, dm.CDSet_Uscite, "_FunzioneUscita", 33);
    fits(Lang::ListaPolaritaIngressi, dm.CDSet_Ingressi, "_TipoNc", Lang::ListaPolaritaIngressi.size());
    fits(Lang::ComboItems(QStringLiteral("DBComboBox14")), dm.CDSet_Utenti, "_TipolUtenti", 8);

    // Contact ID codes are items the code editor offers; the vocabulary is upper case, word 0 empty.
    for (const QString& code : Lang::CSL_IDCEVENTS_CODE + QStringList{Lang::CSL_IDC_INPUT_CODE})
        QVERIFY2(code.toInt() >= 100 && code.toInt() <= 999 && code.size() == 3, qPrintable(code));
    QCOMPARE(Lang::CSL_DEFAULT_MESSAGES.at(0), QString());
    for (const QString& word : Lang::CSL_DEFAULT_MESSAGES)
        QCOMPARE(word, word.toUpper());
}

void TestModelRules::fileVersionText() {
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("plain.exe"));
    QFile f(plain);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write("no version here") > 0);
    f.close();
    QCOMPARE(Lang::FileVersion(plain) + Lang::FileVersion(dir.filePath(QStringLiteral("missing"))),
             QString());
    const QString own = Lang::FileVersion(QCoreApplication::applicationFilePath());
    QVERIFY(!own.isEmpty());
    QCOMPARE(own, formatFileVersion(currentVersionRecord()));
    Lang::LanguageRewrite();
    QCOMPARE(Lang::Version, own);
}

QTEST_MAIN(TestModelRules)
#include "test_modelrules.moc"
