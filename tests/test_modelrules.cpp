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

void writeRow(DataSet* t, int recNo, const char* field, const QVariant& value) {
    t->setRecNo(recNo);
    write(t, field, value);
}
QList<int> ids(DataSet* t) {
    QList<int> out;
    const int id = t->fieldByName(QStringLiteral("_ID")).index();
    for (int r = 1; r <= t->recordCount(); ++r)
        out << t->integerAt(r, id);
    return out;
}

struct TransferRunning {
    TransferRunning() { StateTrasfert = 1; }
    ~TransferRunning() { StateTrasfert = 0; }
};

} // namespace

class TestModelRules : public QObject {
    Q_OBJECT
private slots:
    void init() { Lang::LanguageRewrite(); }

    void normalisedTexts_data();
    void normalisedTexts();
    void timesAndDatesNormalisedOnWrite();
    void partitionFlagFollowsInputFunction();
    void phoneFlagFollowsOutputFunction();
    void linkedUserIdFollowsUserName();
    void messageEditRewritesCopies();
    void radioZonesFollowWiringAndNames();
    void userCodeWarnings();
    void device800Slots_data();
    void device800Slots();
    void device800NameReachesItsSlotThroughFilter();
    void defaultOptionsOfRadio800();
    void vocabularyLists();
    void fixedTextsFitTheirFields();
    void fileVersionText();
};

void TestModelRules::normalisedTexts_data() {
    QTest::addColumn<int>("kind"); // 0 time of day, 1 day and month, 2 duration
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("time empty") << 0 << ""
                                << "00:00";
    QTest::newRow("time separator only") << 0 << ":"
                                         << "00:00";
    QTest::newRow("time mask blanks") << 0 << "__:__"
                                      << "00:00";
    QTest::newRow("time hour only") << 0 << "12"
                                    << "00:00";
    QTest::newRow("time short hour") << 0 << "7:30"
                                     << "07:30";
    QTest::newRow("time blank in hour") << 0 << "7_:30"
                                        << "07:30";
    QTest::newRow("time leading blank") << 0 << " 7:30"
                                        << "07:30";
    QTest::newRow("time normal") << 0 << "12:30"
                                 << "12:30";
    QTest::newRow("time limits") << 0 << "23:59"
                                 << "23:59";
    QTest::newRow("time hour 24") << 0 << "24:00"
                                  << "23:00";
    QTest::newRow("time minute 60") << 0 << "10:60"
                                    << "10:59";
    QTest::newRow("time both over") << 0 << "99:99"
                                    << "23:59";
    QTest::newRow("time without literals") << 0 << "1230"
                                           << "12:30";
    QTest::newRow("time other separator") << 0 << "12.30"
                                          << "12:30";
    QTest::newRow("time three digits") << 0 << "123:30"
                                       << "00:00";
    QTest::newRow("date empty") << 1 << ""
                                << "00/00";
    QTest::newRow("date normal") << 1 << "15/08"
                                 << "15/08";
    QTest::newRow("date day 32") << 1 << "32/05"
                                 << "31/05";
    QTest::newRow("date month 13") << 1 << "10/13"
                                   << "10/12";
    QTest::newRow("date both over") << 1 << "99/99"
                                    << "31/12";
    QTest::newRow("date separator only") << 1 << "/"
                                         << "00/00";
    QTest::newRow("duration empty") << 2 << ""
                                    << "00:00:00";
    QTest::newRow("duration normal") << 2 << "01:02:03"
                                     << "01:02:03";
    QTest::newRow("duration over") << 2 << "99:75:80"
                                   << "99:59:59";
    QTest::newRow("duration two parts") << 2 << "10:20"
                                        << "00:00:00";
    QTest::newRow("duration without literals") << 2 << "000130"
                                               << "00:01:30";
}

void TestModelRules::normalisedTexts() {
    QFETCH(int, kind);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const QChar sep = kind == 1 ? QLatin1Char('/') : QLatin1Char(':');
    QString result;
    switch (kind) {
    case 0:
        result = FieldRules::normaliseTimeOfDay(text, sep);
        break;
    case 1:
        result = FieldRules::normaliseDayMonth(text, sep);
        break;
    default:
        result = FieldRules::normaliseDuration(text, sep);
        break;
    }
    QCOMPARE(result, expected);
    // Normal texts stay as they are.
    switch (kind) {
    case 0:
        QCOMPARE(FieldRules::normaliseTimeOfDay(result, sep), result);
        break;
    case 1:
        QCOMPARE(FieldRules::normaliseDayMonth(result, sep), result);
        break;
    default:
        QCOMPARE(FieldRules::normaliseDuration(result, sep), result);
        break;
    }
}

void TestModelRules::timesAndDatesNormalisedOnWrite() {
    ModelFixture fx;
    TDM& dm = *fx.dm;
    dm.AddDataSet(3);
    // Stored with ':' and '/', whatever the locale shows.
    const QChar t = QLatin1Char(':');
    const QChar d = QLatin1Char('/');

    dm.CDSet_Time_Day->setRecNo(4);
    writeRow(dm.CDSet_Time_Timers, 8, "_Ora", sepJoin(t, "25", "65"));
    QCOMPARE(str(dm.CDSet_Time_Timers, "_Ora"), sepJoin(t, "23", "59"));
    write(dm.CDSet_Time_Timers, "_Ora", QString());
    QCOMPARE(str(dm.CDSet_Time_Timers, "_Ora"), sepJoin(t, "00", "00"));
    write(dm.CDSet_Time_Timers, "_Ora", sepJoin(t, "", "")); // what an empty masked editor gives
    QCOMPARE(str(dm.CDSet_Time_Timers, "_Ora"), sepJoin(t, "00", "00"));
    write(dm.CDSet_Time_Timers, "_Ora", sepJoin(t, "08", "45"));
    QCOMPARE(str(dm.CDSet_Time_Timers, "_Ora"), sepJoin(t, "08", "45"));

    writeRow(dm.CDSet_Time_Esclusione_Data, 2, "_Data1", sepJoin(d, "40", "14"));
    write(dm.CDSet_Time_Esclusione_Data, "_Data2", QStringLiteral("1"));
    QCOMPARE(str(dm.CDSet_Time_Esclusione_Data, "_Data1"), sepJoin(d, "31", "12"));
    QCOMPARE(str(dm.CDSet_Time_Esclusione_Data, "_Data2"), sepJoin(d, "00", "00"));

    writeRow(dm.CDSet_Uscite, 17, "_PulseDuration", sepJoin(t, "1", "90", "9"));
    write(dm.CDSet_Uscite, "_PulseDelay", QString());
    QCOMPARE(str(dm.CDSet_Uscite, "_PulseDuration"), sepJoin(t, "01", "59", "09"));
    QCOMPARE(str(dm.CDSet_Uscite, "_PulseDelay"), sepJoin(t, "00", "00", "00"));

    // Every row written passes the rule, not only the current one.
    for (int r = 1; r <= dm.CDSet_Time_Timers->recordCount(); ++r)
        writeRow(dm.CDSet_Time_Timers, r, "_Ora", sepJoin(t, "30", "30"));
    const int ora = dm.CDSet_Time_Timers->fieldByName(QStringLiteral("_Ora")).index();
    for (int r = 1; r <= dm.CDSet_Time_Timers->recordCount(); ++r)
        QCOMPARE(dm.CDSet_Time_Timers->stringAt(r, ora), sepJoin(t, "23", "30"));
}

void TestModelRules::partitionFlagFollowsInputFunction() {
    ModelFixture fx;
    TDM& dm = *fx.dm;
    dm.AddDataSet(6);
    QCOMPARE(Lang::ListaFunzioniIngresso.size(), 12);
    int switching = 0;
    for (int i = 0; i < Lang::ListaFunzioniIngresso.size(); ++i) {
        const QString function = Lang::ListaFunzioniIngresso.at(i);
        const QString sign = Lang::ListaFunzioniIngressoSegni.at(i);
        const bool expected =
            sign == QLatin1String("O") || sign == QLatin1String("Z") || sign == QLatin1String("Y");
        switching += expected;
        writeRow(dm.CDSet_Ingressi, i + 1, "_FuncIngresso", function);
        QCOMPARE(flag(dm.CDSet_Ingressi, "_EnablePzX"), expected);
    }
    QCOMPARE(switching, 3);
    for (const char* f : {"On/Off", "Solo ON", "Solo OFF"})
        QVERIFY(Lang::IsPartitionFunction(QString::fromLatin1(f)));

    // Leaving a switching function clears the flag; an unknown text counts as not switching.
    writeRow(dm.CDSet_Ingressi, 30, "_FuncIngresso", QStringLiteral("Solo ON"));
    QVERIFY(flag(dm.CDSet_Ingressi, "_EnablePzX"));
    write(dm.CDSet_Ingressi, "_FuncIngresso", QStringLiteral("solo on"));
    QVERIFY(!flag(dm.CDSet_Ingressi, "_EnablePzX"));
    write(dm.CDSet_Ingressi, "_FuncIngresso", QString());
    QVERIFY(!flag(dm.CDSet_Ingressi, "_EnablePzX"));
}

void TestModelRules::phoneFlagFollowsOutputFunction() {
    ModelFixture fx;
    TDM& dm = *fx.dm;
    dm.AddDataSet(1);
    QCOMPARE(Lang::ListaFunzioneUsciteMIRUN.at(2), QStringLiteral("Pilot"));
    const QList<QPair<QString, bool>> cases = {
        {QStringLiteral("Pilot"), true},
        {QStringLiteral("Multi Funzione"), false},
        {QStringLiteral("Codice User"), false},
        {QStringLiteral("Pilot"), true},
        {QStringLiteral("Ingresso"), false},
        {QStringLiteral("pilot"), false},
        {QString(), false},
    };
    for (const auto& [function, expected] : cases) {
        writeRow(dm.CDSet_Uscite, 4, "_FunzioneUscita", function);
        QCOMPARE(flag(dm.CDSet_Uscite, "_EnableAssociaTelx"), expected);
    }
    // The condition and polarity leave it alone.
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
    writeRow(dm.CDSet_Ingressi, 4, "_LinkUser", QStringLiteral("Mario"));
    QCOMPARE(num(dm.CDSet_Ingressi, "_LinkUserID"), 5);
    write(dm.CDSet_Ingressi, "_LinkUser", QStringLiteral("Utente 12"));
    QCOMPARE(num(dm.CDSet_Ingressi, "_LinkUserID"), 12);
    write(dm.CDSet_Ingressi, "_LinkUser", QString());
    QCOMPARE(num(dm.CDSet_Ingressi, "_LinkUserID"), 0);
    write(dm.CDSet_Ingressi, "_LinkUser", QStringLiteral("Nessuno"));
    QCOMPARE(num(dm.CDSet_Ingressi, "_LinkUserID"), 0);
}

void TestModelRules::messageEditRewritesCopies() {
    ModelFixture fx;
    TDM& dm = *fx.dm;
    dm.AddDataSet(4); // another installation, using the same word, must not change
    writeRow(dm.CDSet_Ingressi, 1, "_IMsg1", 5);
    write(dm.CDSet_Ingressi, "_Msg1", QStringLiteral("VECCHIA"));
    dm.AddDataSet(3);

    auto pick = [&](DataSet* t, int row, int k, int word, const QString& text) {
        t->setRecNo(row);
        t->edit();
        t->fieldByName(QStringLiteral("_IMsg%1").arg(k)).setAsInteger(word);
        t->fieldByName(QStringLiteral("_Msg%1").arg(k)).setAsString(text);
        t->post();
    };
    pick(dm.CDSet_Ingressi, 3, 2, 5, QStringLiteral("VECCHIA"));
    pick(dm.CDSet_Ingressi, 3, 4, 5, QStringLiteral("VECCHIA"));
    pick(dm.CDSet_Ingressi, 64, 1, 6, QStringLiteral("ALTRA"));
    pick(dm.CDSet_Uscite, 17, 1, 5, QStringLiteral("VECCHIA"));
    pick(dm.CDSet_Parziali, 2, 1, 5, QStringLiteral("VECCHIA"));
    pick(dm.CDSet_Group, 4, 4, 5, QStringLiteral("VECCHIA"));
    dm.CDSet_Ingressi->setRecNo(10); // cursors elsewhere must stay where they are
    dm.CDSet_Uscite->setRecNo(1);

    ShortList = true;
    writeRow(dm.CDSet_Messaggi, 6, "_Messaggio", QStringLiteral("CANCELLO NORD")); // `_ID` 5
    QCOMPARE(ShortList, false);
    QCOMPARE(dm.CDSet_Ingressi->recNo(), 10);
    QCOMPARE(dm.CDSet_Uscite->recNo(), 1);

    auto text = [](DataSet* t, int row, int k) {
        return t->stringAt(row, t->fieldByName(QStringLiteral("_Msg%1").arg(k)).index());
    };
    QCOMPARE(text(dm.CDSet_Ingressi, 3, 2), QStringLiteral("CANCELLO NORD"));
    QCOMPARE(text(dm.CDSet_Ingressi, 3, 4), QStringLiteral("CANCELLO NORD"));
    QCOMPARE(text(dm.CDSet_Ingressi, 64, 1), QStringLiteral("ALTRA"));
    QCOMPARE(text(dm.CDSet_Uscite, 17, 1), QStringLiteral("CANCELLO NORD"));
    QCOMPARE(text(dm.CDSet_Parziali, 2, 1), QStringLiteral("CANCELLO NORD"));
    QCOMPARE(text(dm.CDSet_Group, 4, 4), QStringLiteral("CANCELLO NORD"));
    QCOMPARE(text(dm.CDSet_Group, 4, 1), QString());

    // A copy whose row is being edited is rewritten in the edit buffer.
    dm.CDSet_Ingressi->setRecNo(3);
    dm.CDSet_Ingressi->edit();
    writeRow(dm.CDSet_Messaggi, 6, "_Messaggio", QStringLiteral("PORTA"));
    QCOMPARE(str(dm.CDSet_Ingressi, "_Msg2"), QStringLiteral("PORTA"));
    dm.CDSet_Ingressi->post();
    QCOMPARE(text(dm.CDSet_Ingressi, 3, 2), QStringLiteral("PORTA"));

    dm.CDSet_Tabulon->first();
    QCOMPARE(text(dm.CDSet_Ingressi, 1, 1), QStringLiteral("VECCHIA"));
}

void TestModelRules::radioZonesFollowWiringAndNames() {
    ModelFixture fx;
    TDM& dm = *fx.dm;
    dm.AddDataSet(2);
    const QString radio = Lang::ListaTipoIngresso_TAVEK_MIRUN.at(3);
    const QString none = Lang::ListaTipoIngresso_TAVEK_MIRUN.at(0);
    QCOMPARE(ids(dm.CDSet_ZoneRadio), (QList<int>{0}));

    writeRow(dm.CDSet_Ingressi, 5, "_TipoIngresso", radio);
    writeRow(dm.CDSet_Ingressi, 40, "_TipoIngresso", radio);
    writeRow(dm.CDSet_Ingressi, 2, "_TipoIngresso", radio);
    QCOMPARE(ids(dm.CDSet_ZoneRadio), (QList<int>{0, 2, 5, 40}));
    writeRow(dm.CDSet_Ingressi, 5, "_TipoIngresso", radio); // again: no second row
    QCOMPARE(ids(dm.CDSet_ZoneRadio), (QList<int>{0, 2, 5, 40}));
    dm.CDSet_ZoneRadio->setRecNo(3);
    QCOMPARE(str(dm.CDSet_ZoneRadio, "_Nome"), QStringLiteral("Ingresso 5"));

    writeRow(dm.CDSet_Ingressi, 5, "_TipoIngresso", none);
    writeRow(dm.CDSet_Ingressi, 40, "_TipoIngresso", QStringLiteral("2Z-4k7-8k2"));
    QCOMPARE(ids(dm.CDSet_ZoneRadio), (QList<int>{0, 2}));

    // An input's name reaches its radio row and its Contact ID event.
    writeRow(dm.CDSet_Ingressi, 2, "_Nome", QStringLiteral("Garage"));
    dm.CDSet_ZoneRadio->setRecNo(2);
    QCOMPARE(str(dm.CDSet_ZoneRadio, "_Nome"), QStringLiteral("Garage"));
    dm.CDSet_ContactID_Eventi->setRecNo(28 + 2);
    QCOMPARE(str(dm.CDSet_ContactID_Eventi, "_Nome"), QStringLiteral("Garage"));
    writeRow(dm.CDSet_Ingressi, 64, "_Nome", QStringLiteral("Ultimo"));
    dm.CDSet_ContactID_Eventi->setRecNo(92);
    QCOMPARE(str(dm.CDSet_ContactID_Eventi, "_Nome"), QStringLiteral("Ultimo"));

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
    dm.CDSet_Tabulon->edit();
    dm.CDSet_Tabulon->fieldByName(QStringLiteral("_PswInstallatore")).setAsString(QStringLiteral("999999"));
    dm.CDSet_Tabulon->fieldByName(QStringLiteral("_PswReset")).setAsString(QStringLiteral("888888"));
    dm.CDSet_Tabulon->post();

    BoxAnswerer boxes;
    writeRow(dm.CDSet_Utenti, 1, "_Codice", QStringLiteral("123456"));
    writeRow(dm.CDSet_Utenti, 3, "_Codice", QStringLiteral("654321"));
    QCOMPARE(boxes.count(), 0);

    writeRow(dm.CDSet_Utenti, 2, "_Codice", QStringLiteral("123456"));
    QCOMPARE(boxes.count(QStringLiteral("MessageDlg")), 1);
    QCOMPARE(boxes.last().type, MsgDlgType::Warning);
    QVERIFY(boxes.last().text.contains(QLatin1String("ALTRO UTENTE")));
    QCOMPARE(str(dm.CDSet_Utenti, "_Codice"), QStringLiteral("123456")); // the value is kept

    writeRow(dm.CDSet_Utenti, 4, "_Codice", QStringLiteral("999999"));
    QCOMPARE(boxes.count(), 2);
    QVERIFY(boxes.last().text.contains(QLatin1String("CODICE TECNICO")));
    writeRow(dm.CDSet_Utenti, 4, "_Codice", QStringLiteral("888888"));
    QCOMPARE(boxes.count(), 3);
    QVERIFY(boxes.last().text.contains(QLatin1String("RESET")));

    // Rewriting a user's own code, or clearing it, is no duplicate.
    writeRow(dm.CDSet_Utenti, 1, "_Codice", QStringLiteral("123456"));
    QCOMPARE(boxes.count(), 4); // user 2 holds it too
    writeRow(dm.CDSet_Utenti, 3, "_Codice", QStringLiteral("654321"));
    writeRow(dm.CDSet_Utenti, 5, "_Codice", QString());
    writeRow(dm.CDSet_Utenti, 6, "_Codice", QString());
    QCOMPARE(boxes.count(), 4);

    // Silent while a transfer writes codes.
    {
        TransferRunning transfer;
        writeRow(dm.CDSet_Utenti, 7, "_Codice", QStringLiteral("123456"));
        writeRow(dm.CDSet_Utenti, 8, "_Codice", QStringLiteral("999999"));
        QCOMPARE(boxes.count(), 4);
    }

    // With four-digit codes only the first four digits count.
    writeRow(dm.CDSet_ParVari, 1, "_Lunghezza_codici", 1);
    writeRow(dm.CDSet_Utenti, 9, "_Codice", QStringLiteral("6543"));
    QCOMPARE(boxes.count(), 5);
    writeRow(dm.CDSet_Utenti, 9, "_Codice", QStringLiteral("1111"));
    QCOMPARE(boxes.count(), 5);
}

void TestModelRules::device800Slots_data() {
    QTest::addColumn<int>("recNo");
    QTest::addColumn<int>("kind"); // -1: no slot
    QTest::addColumn<int>("slot");
    QTest::newRow("0") << 0 << -1 << 0;
    QTest::newRow("1") << 1 << int(TDM::SlotTelec) << 0;
    QTest::newRow("20") << 20 << int(TDM::SlotTelec) << 19;
    QTest::newRow("21") << 21 << int(TDM::SlotSirena) << 0;
    QTest::newRow("24") << 24 << int(TDM::SlotSirena) << 3;
    QTest::newRow("25") << 25 << int(TDM::SlotDevice) << 0;
    QTest::newRow("56") << 56 << int(TDM::SlotDevice) << 31;
    QTest::newRow("57") << 57 << int(TDM::SlotTelec) << 20;
    QTest::newRow("76") << 76 << int(TDM::SlotTelec) << 39;
    QTest::newRow("77") << 77 << int(TDM::SlotSirena) << 4;
    QTest::newRow("80") << 80 << int(TDM::SlotSirena) << 7;
    QTest::newRow("81") << 81 << int(TDM::SlotDevice) << 32;
    QTest::newRow("112") << 112 << int(TDM::SlotDevice) << 63;
    QTest::newRow("113") << 113 << -1 << 0;
}

void TestModelRules::device800Slots() {
    QFETCH(int, recNo);
    QFETCH(int, kind);
    QFETCH(int, slot);
    int k = -1;
    int s = -1;
    const bool found = TDM::device800Slot(recNo, &k, &s);
    QCOMPARE(found, kind >= 0);
    if (found) {
        QCOMPARE(k, kind);
        QCOMPARE(s, slot);
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

    QCOMPARE(calls.size(), 3);
    QCOMPARE(calls[0], std::make_tuple(int(TDM::SlotSirena), 5, QStringLiteral("SIRENA GIARDINO")));
    QCOMPARE(calls[1], std::make_tuple(int(TDM::SlotSirena), 0, QStringLiteral("SIRENA 1")));
    QCOMPARE(calls[2], std::make_tuple(int(TDM::SlotSirena), 7, QStringLiteral("SIRENA 8")));
}

void TestModelRules::defaultOptionsOfRadio800() {
    ModelFixture fx;
    TDM& dm = *fx.dm;
    dm.AddDataSet(3);
    DataSet* t = dm.CDSet_DeviceRadio800;
    t->setRecNo(30);
    t->edit();
    const QList<QPair<const char*, QVariant>> changed = {
        {"_Nome", QStringLiteral("VIRNA800 D.30")},
        {"_NomeDevice", QStringLiteral("VIRNA800")},
        {"_Tipo", 3},
        {"_ExpNum", QStringLiteral("X")},
        {"_InAssociato2", 7},
        {"_ID_Radio", QStringLiteral("ABCDEF0123")},
        {"_RemCrt_Led", false},
        {"_RemCrt_Switch", 9},
        {"_RemCrt_T3_Led2", true},
        {"_RemCrt_T4P8", true},
        {"_RemCrt_ONOFF_PRG2", 2},
        {"_In4", 12},
        {"_Input4", QStringLiteral("Ingresso 12 (PIR)")},
        {"_Batt", 3},
    };
    for (const auto& [name, value] : changed)
        t->fieldByName(QString::fromLatin1(name)).setValue(value);
    t->post();

    t->edit();
    dm.DefaultOpzioniRadio800();
    t->post();
    // Untouched.
    QCOMPARE(str(t, "_Nome"), QStringLiteral("VIRNA800 D.30"));
    QCOMPARE(str(t, "_NomeDevice"), QStringLiteral("VIRNA800"));
    QCOMPARE(num(t, "_Tipo"), 3);
    QCOMPARE(str(t, "_ExpNum"), QStringLiteral("X"));
    QCOMPARE(num(t, "_InAssociato2"), 7);
    QCOMPARE(num(t, "_ID"), 30);
    // Defaults.
    QCOMPARE(str(t, "_ID_Radio"), QStringLiteral("0000000000"));
    QCOMPARE(flag(t, "_RemCrt_Led"), true);
    QCOMPARE(num(t, "_RemCrt_Switch"), 5);
    QCOMPARE(num(t, "_RemCrt_User"), 1);
    QCOMPARE(flag(t, "_RemCrt_TestMode"), true);
    const bool t3[] = {true, false, false, true};
    for (int i = 1; i <= 4; ++i) {
        QCOMPARE(flag(t, QByteArray("_RemCrt_T1_Led" + QByteArray::number(i)).constData()), true);
        QCOMPARE(flag(t, QByteArray("_RemCrt_T3_Led" + QByteArray::number(i)).constData()), t3[i - 1]);
        QCOMPARE(flag(t, QByteArray("_RemCrt_T4_Led" + QByteArray::number(i)).constData()), false);
        QCOMPARE(num(t, QByteArray("_RemCrt_OutT" + QByteArray::number(i)).constData()), 1);
        QCOMPARE(num(t, QByteArray("_RemCrt_ONOFF_OUT" + QByteArray::number(i)).constData()), 3);
        QCOMPARE(num(t, QByteArray("_RemCrt_ONOFF_PRG" + QByteArray::number(i)).constData()), i % 2);
    }
    for (int p = 1; p <= 8; ++p) {
        QCOMPARE(flag(t, QByteArray("_RemCrt_T2P" + QByteArray::number(p)).constData()), true);
        QCOMPARE(flag(t, QByteArray("_RemCrt_T3P" + QByteArray::number(p)).constData()), p <= 2);
        QCOMPARE(flag(t, QByteArray("_RemCrt_T4P" + QByteArray::number(p)).constData()), false);
    }
    QCOMPARE(num(t, "_Batt"), 14);
    QCOMPARE(num(t, "_Segnale"), 14);
    QVERIFY(t->fieldByName(QStringLiteral("_In4")).isNull() || num(t, "_In4") == 0);
    QCOMPARE(str(t, "_Input4"), QString());

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

    QCOMPARE(ListaTipoIngresso_TAVEK_MIRUN.size(), 23);
    QCOMPARE(ListaTipoIngresso_TAVEK_MIRUN.at(0), QStringLiteral("Non Configurato"));
    QCOMPARE(ListaTipoIngresso_TAVEK_MIRUN.at(3), QStringLiteral("Radio"));
    for (int i = 16; i <= 21; ++i)
        QVERIFY(ListaTipoIngresso_TAVEK_MIRUN.at(i).startsWith(QLatin1String("2Z-")));
    QCOMPARE(ListaTipoIngresso_TAVEK_MIRUN.at(22), QStringLiteral("3Z-4k7-2k2-1k"));
    QCOMPARE(ListaTipoIngresso_TAVEK_MIRUNR1, ListaTipoIngresso_TAVEK_MIRUN.mid(0, 16));
    QCOMPARE(ListaTipoIngresso_TAVEK_MIRUNNR,
             (QStringList{QStringLiteral("Non Configurato"), QStringLiteral("Radio")}));
    QCOMPARE(ListaImpulsiIngresso.size(), 100);
    QCOMPARE(ListaImpulsiIngresso.first(), QStringLiteral("1"));
    QCOMPARE(ListaImpulsiIngresso.last(), QStringLiteral("100"));
    QCOMPARE(ListaCicliEsclusione.size(), 11);
    QCOMPARE(ListaTempoIngresso.size(), 241);
    QCOMPARE(ListaTempoIngresso.last(), QStringLiteral("240"));

    // Each sign list matches its twin position by position with distinct one-character codes.
    const QList<QPair<QStringList*, QStringList*>> twins = {
        {&ListaTipoIngresso_TAVEK_MIRUN, &ListaTipoIngressoSegni_TAVEK_MIRUN},
        {&ListaFunzioniIngresso, &ListaFunzioniIngressoSegni},
        {&ListaSirenaIngresso, &ListaSirenaIngressoSegni},
        {&ListaPolaritaIngressi, &ListaPolaritaIngressiSegni},
        {&ListaCondFunzioneUsciteTAVEK, &ListaCondFunzioneUsciteSegniTAVEK},
        {&ListaCondFunzioneUsciteMIRUN, &ListaCondFunzioneUsciteSegniMIRUN},
        {&ListaPolaritaUscite, &ListaPolaritaUsciteSegni},
    };
    auto checkTwin = [](const QStringList& texts, const QStringList& signs) {
        QVERIFY(!texts.isEmpty());
        QCOMPARE(signs.size(), texts.size());
        QCOMPARE(QSet<QString>(signs.begin(), signs.end()).size(), signs.size());
        QCOMPARE(QSet<QString>(texts.begin(), texts.end()).size(), texts.size());
        for (const QString& s : signs)
            QCOMPARE(s.size(), 1);
    };
    for (const auto& [texts, signs] : twins)
        checkTwin(*texts, *signs);
    const int outputs[] = {0, 28, 29, 33, 29, 29, 33};
    for (int type = 1; type <= 6; ++type) {
        QStringList* functions = ListaFunzioneUscite(type);
        QCOMPARE(functions->size(), outputs[type]);
        checkTwin(*functions, *ListaFunzioneUsciteSegni(type));
        // The editors look these up in the MIRUN list whatever the model: same text, same sign.
        for (int pos : {1, 2, 9, 24}) {
            QCOMPARE(functions->at(pos), ListaFunzioneUsciteMIRUN.at(pos));
            QCOMPARE(ListaFunzioneUsciteSegni(type)->at(pos), ListaFunzioneUsciteSegniMIRUN.at(pos));
        }
        QCOMPARE(ListaCondFunzioneUscite(type)->size(), (type == 3 || type == 6) ? 12 : 8);
    }
    QCOMPARE(ListaFunzioneUscite(0), nullptr);
    QCOMPARE(ListaFunzioneUsciteMIRUN.at(1), QStringLiteral("Codice User"));
    QCOMPARE(ListaFunzioneUsciteMIRUN.at(2), QStringLiteral("Pilot"));
    QCOMPARE(ListaFunzioneUsciteMIRUN.at(9), QStringLiteral("Ingresso"));
    QCOMPARE(ListaFunzioneUsciteMIRUN.at(24), QStringLiteral("Multi Funzione"));
    QCOMPARE(ListaFunzioneUsciteSegniMIRUN.at(1), QStringLiteral("U"));
    QCOMPARE(ListaFunzioneUsciteSegniMIRUN.at(2), QStringLiteral("P"));
    QCOMPARE(ListaFunzioneUsciteSegniMIRUN.at(9), QStringLiteral("I"));
    QCOMPARE(ListaFunzioneUsciteSegniMIRUN.at(24), QStringLiteral("W"));
    QCOMPARE(ListaCondFunzioneUsciteMIRUN.mid(0, 8), ListaCondFunzioneUsciteTAVEK);
    QCOMPARE(ListaCondFunzioneUsciteMIRUN.last(), QStringLiteral("PARZIALE 8"));
    QCOMPARE(ListaPolaritaUscite, (QStringList{QStringLiteral("NORMALE"), QStringLiteral("INVERTITA")}));
    for (const char* sign : {"O", "Z", "Y"}) {
        const int at = ListaFunzioniIngressoSegni.indexOf(QString::fromLatin1(sign));
        QVERIFY(at >= 0);
        QVERIFY(IsPartitionFunction(ListaFunzioniIngresso.at(at)));
    }
    QCOMPARE(ListaFunzioniIngresso.at(ListaFunzioniIngressoSegni.indexOf(QStringLiteral("O"))),
             QStringLiteral("On/Off"));

    // Model labels and device types.
    QCOMPARE(CSL_MainCentral_Combo.size(), 7);
    QCOMPARE(CSL_MainCentral_Combo.at(0), QString());
    QCOMPARE(CSL_MainCentral_Combo.at(3), QStringLiteral("MODEL MIRUNPLUS"));
    QCOMPARE(CSL_DEVRADIO.size(), 10);
    QCOMPARE(CSL_DEV_800_RADIO.size(), 10);
    QCOMPARE(channelNames400(4), TBOLDO400Ch);
    QCOMPARE(channelNames400(9).size(), 0);
    QCOMPARE(channelNames800(6), TVIRNA400Ch);
    QCOMPARE(channelNames800(4).size(), 0);
    QCOMPARE(channelNames800(8).size(), 0);
    QCOMPARE(ComboItems(QStringLiteral("DBComboBox14")).size(), 8);
    QCOMPARE(ComboItems(QStringLiteral("DBComboBox60")), MSG_TIMERS2);
    QCOMPARE(ComboItems(QStringLiteral("DBRadioGroup5")).size(), 5);
    QVERIFY(ComboItems(QStringLiteral("DBComboBox999")).isEmpty());

    QVERIFY(!TimeSeparator().isLetterOrNumber());
    QVERIFY(!DateSeparator().isLetterOrNumber());

    FreeVocabularyLists();
    for (QStringList* list : lists)
        QVERIFY(list->isEmpty());
    // The rules keep working without the lists.
    QVERIFY(IsPartitionFunction(QStringLiteral("Solo OFF")));
    QCOMPARE(PilotFunction(), QStringLiteral("Pilot"));
    QCOMPARE(WiringRadio(), QStringLiteral("Radio"));
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

    QCOMPARE(Lang::CSL_IDCEVENTS_CONSTANT.at(0), QStringLiteral("SIRENA"));
    QCOMPARE(Lang::CSL_IDCEVENTS_CONSTANT.at(1), QStringLiteral("TAMPER ZONA"));
    QCOMPARE(Lang::CSL_IDCEVENTS_CONSTANT.at(4), QStringLiteral("NO CAMPO GSM"));
    QCOMPARE(Lang::CSL_IDCEVENTS_CONSTANT.at(21), QStringLiteral("RESET EVENTI"));
    QCOMPARE(Lang::CSL_IDCEVENTS_CONSTANT.at(22), QStringLiteral("RESET GENERALE"));
    for (const QString& code : Lang::CSL_IDCEVENTS_CODE + QStringList{Lang::CSL_IDC_INPUT_CODE}) {
        bool ok = false;
        const int value = code.toInt(&ok);
        QVERIFY(ok && value >= 100 && value <= 999); // items the code editor offers
    }
    QCOMPARE(Lang::CSL_SYSTEM_EVENTS_GRID_LABEL.mid(18),
             (QStringList{QStringLiteral("INSERIMENTO SISTEMA"), QStringLiteral("DISINSERIMENTO TOTALE"),
                          QStringLiteral("DISINSERIMENTO PARZIALE"), QStringLiteral("CREDITO SOTTO SOGLIA"),
                          QStringLiteral("SMS ECHO")}));
    QCOMPARE(Lang::CSL_DEFAULT_MESSAGES.at(0), QString());
    for (const QString& word : Lang::CSL_DEFAULT_MESSAGES)
        QCOMPARE(word, word.toUpper());
}

void TestModelRules::fileVersionText() {
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("plain.exe"));
    {
        QFile f(plain);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("no version here");
    }
    QCOMPARE(Lang::FileVersion(plain), QString());
    QCOMPARE(Lang::FileVersion(dir.filePath(QStringLiteral("missing.exe"))), QString());
    const QString own = Lang::FileVersion(QCoreApplication::applicationFilePath());
    QCOMPARE(own, formatFileVersion(currentVersionRecord()));
    QVERIFY(QRegularExpression(QStringLiteral("^V\\d+\\.\\d+\\.\\d+ build \\d+$")).match(own).hasMatch());
    Lang::LanguageRewrite();
    QCOMPARE(Lang::Version, own);
}

QTEST_MAIN(TestModelRules)
#include "test_modelrules.moc"
