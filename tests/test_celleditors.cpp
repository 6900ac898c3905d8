// In-grid list editors over the real data module: the life cycle of an editor, the multi-row
// apply thresholds and guards, the order of the stores, the dependent fields the model's rules
// keep, and the wiring pairing of inputs sharing a terminal.

#include "model/datamodule.h"
#include "model/dimensions.h"
#include "model/lang.h"
#include "model_fixture.h"
#include "platform/dataset.h"
#include "platform/dbcontrols.h"
#include "platform/dbgrid.h"
#include "platform/dialogs.h"
#include "support/tempregistry.h"
#include "ui/celleditors.h"
#include "ui/inputrules.h"
#include "ui/multiapply.h"

#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

namespace {

const QString kFunc = QStringLiteral("_FuncIngresso");
const QString kTipo = QStringLiteral("_TipoIngresso");

// A window holding grids named as the main window names them, over a fresh installation.
struct Bench {
    TempRegistry registry;
    BoxAnswerer boxes;
    std::unique_ptr<TDM> dm;
    QWidget window;
    QVBoxLayout* layout = new QVBoxLayout(&window);
    CellEditors editors;

    explicit Bench(int type) {
        Lang::LanguageRewrite();
        dm = std::make_unique<TDM>();
        dm->AddDataSet(type);
        dm->SelectSystem(type);
        window.setObjectName(QStringLiteral("Form6"));
        window.resize(1000, 700);
    }
    DBGrid* grid(const char* name, DataSource* source, const QStringList& fields) {
        auto* g = new DBGrid;
        g->setObjectName(QString::fromLatin1(name));
        g->setDataSource(source);
        for (const QString& f : fields)
            g->addColumn(f, QString(), 90);
        g->setOption(GridOption::MultiSelect);
        layout->addWidget(g);
        return g;
    }
    DBGrid* inputsGrid() {
        return grid(
            "DBGrid15", dm->DataSource_Ingressi,
            {"_ID", "_Nome", "_FuncIngresso", "_TipoIngresso", "_AttSirIngresso", "_Test", "_EnablePzX"});
    }
    void show() {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    DataSet& inputs() { return *dm->CDSet_Ingressi; }
};

void mark(DBGrid* grid, const QList<int>& rows) {
    for (int r : rows) {
        QVERIFY(grid->moveToRecNo(r));
        grid->setCurrentRowSelected(true);
    }
}

// The user clicks the cell (field, recNo) and picks `text` in the editor that shows.
void choose(DBGrid* grid, QComboBox* editor, const QString& field, int recNo, const QString& text) {
    QVERIFY(grid->moveToRecNo(recNo));
    const DBGridColumn* col = grid->columnOfField(field);
    QVERIFY(col);
    grid->setSelectedIndex(col->index());
    emit grid->cellClicked(col->index());
    QVERIFY2(!editor->isHidden(), "a click in the editor's column shows it");
    const int index = editor->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    emit editor->activated(index);
}

QList<int> rowsWith(DataSet& t, const QString& field, const QVariant& value) {
    QList<int> rows;
    const int idx = t.fieldByName(field).index();
    for (int r = 1; r <= t.recordCount(); ++r)
        if (t.valueAt(r, idx) == value)
            rows << r;
    return rows;
}

} // namespace

class CellEditorsTest : public QObject {
    Q_OBJECT
private slots:
    void editorLifeCycle() {
        Bench b(2);
        DBGrid* grid = b.inputsGrid();
        DBComboBox* box = b.editors.attach(QStringLiteral("DBComboBox32"), grid);
        QVERIFY(box);
        QCOMPARE(box->objectName(), QStringLiteral("DBComboBox32"));
        b.show();
        int writes = 0;
        for (Field* f : b.inputs().fields())
            f->onChange = [&writes](Field&) { ++writes; };

        // Entering the column prepares it hidden; moving the cursor never writes.
        grid->setSelectedIndex(grid->columnOfField(kTipo)->index());
        QVERIFY(box->isHidden());
        QCOMPARE(box->dataField(), kTipo);
        QVERIFY(grid->moveToRecNo(4));
        emit grid->cellClicked(grid->columnOfField(kTipo)->index());
        QVERIFY(box->isVisible());
        QCOMPARE(box->items(), Lang::ListaTipoIngresso_TAVEK_MIRUN); // input 4 of MIRUN: the base list
        grid->viewport()->repaint();
        QVERIFY2(box->isVisible(), "a repaint never hides the editor");
        QVERIFY(grid->moveToRecNo(5));
        QVERIFY2(box->isHidden(), "moving the cursor hides it");
        // A click in a column the editor does not serve shows nothing.
        grid->setSelectedIndex(grid->columnOfField(QStringLiteral("_Nome"))->index());
        emit grid->cellClicked(grid->columnOfField(QStringLiteral("_Nome"))->index());
        QVERIFY(box->isHidden());
        QCOMPARE(writes, 0);
        QCOMPARE(b.inputs().state(), DataSetState::Browse);

        // Hidden when the focus leaves it, and when every editor is put away.
        grid->setSelectedIndex(grid->columnOfField(kFunc)->index());
        emit grid->cellClicked(grid->columnOfField(kFunc)->index());
        QVERIFY(box->isVisible());
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
        grid->setFocus();
        QTRY_VERIFY(box->isHidden());
        emit grid->cellClicked(grid->columnOfField(kFunc)->index());
        QTRY_VERIFY(box->hasFocus());
        QTest::keyClick(box, Qt::Key_Escape);
        QVERIFY2(box->isHidden(), "Escape puts it away");
        emit grid->cellClicked(grid->columnOfField(kFunc)->index());
        b.editors.hideAll();
        QVERIFY(box->isHidden());
        QCOMPARE(writes, 0);

        // With no installation open a click does nothing.
        b.dm->DeleteMasterRecord();
        emit grid->cellClicked(grid->columnOfField(kFunc)->index());
        QVERIFY(box->isHidden());
    }

    void plainApplyGoesToTheCurrentAndEveryMarkedRow_data() {
        QTest::addColumn<QList<int>>("marks");
        QTest::addColumn<QList<int>>("written");
        QTest::newRow("no mark") << QList<int>{} << QList<int>{5};
        QTest::newRow("one mark elsewhere") << QList<int>{3} << QList<int>{3, 5};
        QTest::newRow("only the current row marked") << QList<int>{5} << QList<int>{5};
        QTest::newRow("several") << QList<int>{9, 3, 7} << QList<int>{3, 5, 7, 9};
        // The walk goes in the order of the marks and so ends on row 3: the cursor must come back.
        QTest::newRow("current row marked before another") << QList<int>{5, 3} << QList<int>{3, 5};
    }
    void plainApplyGoesToTheCurrentAndEveryMarkedRow() {
        QFETCH(QList<int>, marks);
        QFETCH(QList<int>, written);
        Bench b(2);
        DBGrid* grid = b.grid("DBGrid11", b.dm->DataSource_Ingressi, {"_ID", "_Nome", "_TipoChiamataTel1"});
        DBComboBox* box = b.editors.attach(QStringLiteral("DBComboBox2"), grid);
        b.show();
        mark(grid, marks);
        choose(grid, box, QStringLiteral("_TipoChiamataTel1"), 5, QStringLiteral("Voce + SMS"));
        QCOMPARE(rowsWith(b.inputs(), QStringLiteral("_TipoChiamataTel1"), QStringLiteral("Voce + SMS")),
                 written);
        QCOMPARE(b.inputs().recNo(), 5);
        QCOMPARE(b.inputs().state(), DataSetState::Browse);
        QVERIFY(box->isHidden());
        QCOMPARE(grid->currentRowSelected(), !marks.isEmpty()); // the marks survive, with the current row
    }

    void checkBoxApplyNeedsTwoMarksAndHonoursItsGuard_data() {
        QTest::addColumn<QList<int>>("marks");
        QTest::addColumn<bool>("guarded");
        QTest::addColumn<QList<int>>("written");
        QTest::newRow("one mark is ignored") << QList<int>{3} << false << QList<int>{5};
        QTest::newRow("two marks") << QList<int>{3, 7} << false << QList<int>{3, 5, 7};
        QTest::newRow("guard leaves row 7 alone") << QList<int>{3, 7} << true << QList<int>{3, 5};
    }
    void checkBoxApplyNeedsTwoMarksAndHonoursItsGuard() {
        QFETCH(QList<int>, marks);
        QFETCH(bool, guarded);
        QFETCH(QList<int>, written);
        Bench b(3);
        DBGrid* grid = b.inputsGrid();
        DataSet& t = b.inputs();
        for (int r : {3, 5, 7}) { // partitions enabled everywhere but on row 7
            writeRow(t, r, kFunc, r == 7 ? Lang::ListaFunzioniIngresso.value(0) : QStringLiteral("Solo ON"));
        }
        mark(grid, marks);
        grid->moveToRecNo(5);
        t.edit();
        t.fieldByName(QStringLiteral("_Test")).setAsBoolean(true);
        t.post();
        MultiApply::MultiSelectChekBox(t.fieldByName(QStringLiteral("_Test")), grid,
                                       guarded ? &t.fieldByName(QStringLiteral("_EnablePzX")) : nullptr);
        QCOMPARE(rowsWith(t, QStringLiteral("_Test"), true), written);
        QCOMPARE(t.recNo(), 5);
    }

    void functionChoiceSetsThePartitionFlagOfEveryMarkedInput() {
        Bench b(1);
        DBGrid* grid = b.inputsGrid();
        DBComboBox* box = b.editors.attach(QStringLiteral("DBComboBox32"), grid);
        b.show();
        mark(grid, {3, 5});
        choose(grid, box, kFunc, 5, QStringLiteral("Solo ON"));
        QCOMPARE(rowsWith(b.inputs(), kFunc, QStringLiteral("Solo ON")), (QList<int>{3, 5}));
        QCOMPARE(rowsWith(b.inputs(), QStringLiteral("_EnablePzX"), true), (QList<int>{3, 5}));
        // Another function clears the flag again, through the same walk.
        choose(grid, box, kFunc, 5, Lang::ListaFunzioniIngresso.value(0));
        QVERIFY(rowsWith(b.inputs(), QStringLiteral("_EnablePzX"), true).isEmpty());
    }

    // Each of the four message columns stores its word and its own index, never another's.
    void messageChoiceStoresWordsFirstThenIndexes_data() {
        QTest::addColumn<int>("column");
        for (int k = 1; k <= 4; ++k)
            QTest::addRow("_Msg%d", k) << k;
    }
    void messageChoiceStoresWordsFirstThenIndexes() {
        QFETCH(int, column);
        Bench b(2);
        DBGrid* grid = b.grid("DBGrid10", b.dm->DataSource_Ingressi,
                              {"_ID", "_Nome", "_Msg1", "_Msg2", "_Msg3", "_Msg4"});
        DBComboBox* box = b.editors.attach(QStringLiteral("DBComboBox1"), grid);
        b.show();
        const QString msg = QStringLiteral("_Msg%1").arg(column);
        const QString imsg = QStringLiteral("_IMsg%1").arg(column);
        QStringList stores;
        for (const QString& name : {msg, imsg})
            b.inputs().fieldByName(name).onChange = [&stores](Field& f) {
                stores << QStringLiteral("%1@%2").arg(f.fieldName()).arg(f.dataSet()->recNo());
            };
        auto indexes = [&](int r) {
            QList<int> out;
            for (int k = 1; k <= 4; ++k)
                out << at(b.inputs(), r, QStringLiteral("_IMsg%1").arg(k)).toInt();
            return out;
        };
        const QList<int> untouched = indexes(3);
        mark(grid, {3});
        const int index = 6 + column;
        const QString word = CellEditors::messageItems().value(index);
        choose(grid, box, msg, 5, word);
        QList<int> expected = untouched;
        expected[column - 1] = index;
        for (int r : {3, 5}) {
            QCOMPARE(at(b.inputs(), r, msg).toString(), word);
            QCOMPARE(indexes(r), expected);
        }
        QCOMPARE(stores.first(), msg + QStringLiteral("@5")); // the editor's own store
        // Every word reaches its row before any index does.
        const qsizetype lastWord = stores.lastIndexOf(QRegularExpression(msg + QStringLiteral("@\\d+")));
        const qsizetype firstIndex = stores.indexOf(QRegularExpression(imsg + QStringLiteral("@\\d+")));
        QVERIFY2(lastWord < firstIndex, qPrintable(stores.join(QLatin1Char(' '))));
    }

    void typedMessageIsCheckedAgainstTheListWhenLeft() {
        Bench b(2);
        DBGrid* grid = b.grid("DBGrid10", b.dm->DataSource_Ingressi, {"_ID", "_Nome", "_Msg1"});
        DBComboBox* box = b.editors.attach(QStringLiteral("DBComboBox1"), grid);
        b.show();
        grid->moveToRecNo(2);
        grid->setSelectedIndex(2);
        emit grid->cellClicked(2);
        QTRY_VERIFY(box->hasFocus());
        box->lineEdit()->selectAll();
        QTest::keyClicks(box->lineEdit(), QStringLiteral("NOT A WORD"));
        QVERIFY(box->modified());
        grid->setFocus();
        QTRY_VERIFY(box->isHidden());
        QCOMPARE(at(b.inputs(), 2, QStringLiteral("_Msg1")).toString(), CellEditors::messageItems().value(0));
        QCOMPARE(at(b.inputs(), 2, QStringLiteral("_IMsg1")).toInt(), 0);
        QCOMPARE(b.inputs().state(), DataSetState::Browse);
    }

    void pilotFunctionLetsAnOutputUsePhones() {
        Bench b(2);
        DBGrid* grid =
            b.grid("DBGrid27", b.dm->DataSource_Uscite, {"_ID", "_Nome", "_FunzioneUscita", "_Polarita"});
        DBComboBox* box = b.editors.attach(QStringLiteral("DBComboBox3"), grid);
        b.show();
        mark(grid, {4});
        DataSet& outputs = *b.dm->CDSet_Uscite;
        choose(grid, box, QStringLiteral("_FunzioneUscita"), 3, Lang::PilotFunction());
        QCOMPARE(rowsWith(outputs, QStringLiteral("_EnableAssociaTelx"), true), (QList<int>{3, 4}));
        choose(grid, box, QStringLiteral("_Polarita"), 3, Lang::ListaPolaritaUscite.value(1));
        QCOMPARE(rowsWith(outputs, QStringLiteral("_EnableAssociaTelx"), true), (QList<int>{3, 4}));
        choose(grid, box, QStringLiteral("_FunzioneUscita"), 3, Lang::ListaFunzioneUscite(2)->value(0));
        QVERIFY(rowsWith(outputs, QStringLiteral("_EnableAssociaTelx"), true).isEmpty());
    }

    void userLookupIsKeyedOnTheUsersIdentity() {
        Bench b(3);
        DataSet& users = *b.dm->CDSet_Utenti;
        for (int r : {2, 6}) { // two users of one name
            writeRow(users, r, QStringLiteral("_Nome"), QStringLiteral("ROSSI"));
        }
        DBGrid* grid = b.grid("DBGrid26", b.dm->DataSource_Ingressi, {"_ID", "_Nome", "_LinkUser"});
        DBLookupComboBox* lookup = b.editors.attachLookup(QStringLiteral("DBLookupComboBox6"), grid);
        b.show();
        DataSet& t = b.inputs();
        for (int r : {3, 4, 5}) {
            writeRow(t, r, kFunc, r == 4 ? Lang::ListaFunzioniIngresso.value(0) : QStringLiteral("On/Off"));
        }
        // The lookup is not shown where the input does not switch partitions.
        grid->moveToRecNo(4);
        grid->setSelectedIndex(2);
        emit grid->cellClicked(2);
        QVERIFY(lookup->isHidden());

        mark(grid, {3, 4});
        grid->moveToRecNo(5);
        emit grid->cellClicked(2);
        QVERIFY(lookup->isVisible());
        emit lookup->activated(5); // the second "ROSSI", user 6
        QCOMPARE(rowsWith(t, QStringLiteral("_LinkUserID"), at(users, 6, QStringLiteral("_ID"))),
                 (QList<int>{3, 5}));
        QCOMPARE(rowsWith(t, QStringLiteral("_LinkUser"), QStringLiteral("ROSSI")), (QList<int>{3, 5}));
        QVERIFY(lookup->isHidden());
    }

    void wiringPairing_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("expander");
        QTest::addColumn<QStringList>("before"); // input=wiring set first
        QTest::addColumn<int>("input");
        QTest::addColumn<int>("chosen"); // wiring position
        QTest::addColumn<QStringList>("after");
        QTest::newRow("TAVEK two-zone keeps radio 10")
            << 1 << false << QStringList{"10=3"} << 2 << 17 << QStringList{"6=17", "10=3"};
        QTest::newRow("TAVEK one-zone leaves radio 6 and 10")
            << 1 << false << QStringList{"6=3", "10=5"} << 2 << 5 << QStringList{"6=3", "10=5"};
        QTest::newRow("MIRUN one-zone frees 11 then 19")
            << 2 << false << QStringList{"11=16", "19=16"} << 3 << 4 << QStringList{"11=0", "19=0"};
        QTest::newRow("MIRUN three-zone even over radio")
            << 2 << false << QStringList{"11=3"} << 3 << 22 << QStringList{"11=22", "19=22"};
        QTest::newRow("expander in use") << 1 << true << QStringList{"6=5"} << 2 << 4 << QStringList{"6=5"};
        const auto at = [](int input, int wiring) { return QStringLiteral("%1=%2").arg(input).arg(wiring); };
        // The first and the last input of the first group pair; the next one wires alone.
        for (auto [name, type, k] :
             {std::tuple{"TAVEK", 1, 4}, {"MIRUN", 2, 8}, {"PELUN", 4, 4}, {"QUANE", 5, 8}}) {
            for (int n : {1, k})
                QTest::addRow("%s %d pairs %d, frees %d", name, n, n + k, n + 2 * k)
                    << type << false << QStringList{at(n + 2 * k, 5)} << n << 16
                    << QStringList{at(n + k, 16), at(n + 2 * k, 0)};
            QTest::addRow("%s %d pairs nothing", name, k + 1)
                << type << false << QStringList{at(2 * k + 1, 5), at(3 * k + 1, 5)} << k + 1 << 4
                << QStringList{at(2 * k + 1, 5), at(3 * k + 1, 5)};
        }
        for (auto [name, type] : {std::pair{"MIRUNPLUS", 3}, {"ZOREM", 6}})
            QTest::addRow("%s never pairs", name)
                << type << false << QStringList{"5=5", "9=5"} << 1 << 4 << QStringList{"5=5", "9=5"};
    }
    void wiringPairing() {
        QFETCH(int, type);
        QFETCH(bool, expander);
        QFETCH(QStringList, before);
        QFETCH(int, input);
        QFETCH(int, chosen);
        QFETCH(QStringList, after);
        Bench b(type);
        const QStringList& wirings = Lang::ListaTipoIngresso_TAVEK_MIRUN;
        DataSet& t = b.inputs();
        auto setWiring = [&](int recNo, int position) { writeRow(t, recNo, kTipo, wirings.at(position)); };
        for (const QString& s : before)
            setWiring(s.section('=', 0, 0).toInt(), s.section('=', 1).toInt());
        if (expander) {
            DataSet& exp = *b.dm->CDSet_ExpIngressi;
            exp.first();
            exp.edit();
            exp.fieldByName(QStringLiteral("_Enable")).setAsBoolean(true);
            exp.post();
        }
        DBGrid* grid = b.inputsGrid();
        DBComboBox* box = b.editors.attach(QStringLiteral("DBComboBox32"), grid);
        b.show();
        choose(grid, box, kTipo, input, wirings.at(chosen));
        QCOMPARE(t.recNo(), input);
        QCOMPARE(at(t, input, kTipo).toString(), wirings.at(chosen));
        for (const QString& s : after)
            QCOMPARE(at(t, s.section('=', 0, 0).toInt(), kTipo).toString(),
                     wirings.at(s.section('=', 1).toInt()));
        // The radio zones follow every wiring written, through the model's rule.
        const QList<int> radio = rowsWith(t, kTipo, Lang::WiringRadio());
        QCOMPARE(b.dm->CDSet_ZoneRadio->recordCount(), radio.size() + 1);
    }

    void selectListOffersWhatTheTerminalAllows_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("expander");
        QTest::addColumn<int>("input");
        QTest::addColumn<int>("pairedWiring"); // wiring of input N-K / N-2K; -1 leaves the default
        QTest::addColumn<QString>("list");     // base, R1, NR or none
        // Every input one-zone: the first group takes any wiring, the inputs sharing its
        // terminals and the fourth group one-zone wirings, the rest up to 64 radio or none.
        const QStringList lists = QStringLiteral("base base R1 R1 R1 R1 R1 R1 NR NR none").split(' ');
        for (auto [name, type, k] : {std::tuple{"TAVEK", 1, 4}, {"MIRUN", 2, 8}}) {
            const int inputs[] = {1, k, k + 1, 2 * k, 2 * k + 1, 3 * k, 3 * k + 1, 4 * k, 4 * k + 1, 64, 65};
            for (int i = 0; i < 11; ++i)
                QTest::addRow("%s %d", name, inputs[i]) << type << false << inputs[i] << -1 << lists.at(i);
        }
        QTest::newRow("MIRUN 12, input 4 one-zone") << 2 << false << 12 << 5 << "R1";
        QTest::newRow("MIRUN 12, input 4 two-zone") << 2 << false << 12 << 16 << "none";
        QTest::newRow("MIRUN 20, input 4 two-zone") << 2 << false << 20 << 16 << "R1";
        QTest::newRow("MIRUN 20, input 4 three-zone") << 2 << false << 20 << 22 << "none";
        QTest::newRow("TAVEK expander, 16") << 1 << true << 16 << -1 << "R1";
        QTest::newRow("TAVEK expander, 17") << 1 << true << 17 << -1 << "NR";
        QTest::newRow("ZOREM") << 6 << false << 3 << -1 << "R1";
    }
    void selectListOffersWhatTheTerminalAllows() {
        QFETCH(int, type);
        QFETCH(bool, expander);
        QFETCH(int, input);
        QFETCH(int, pairedWiring);
        QFETCH(QString, list);
        Bench b(type);
        DataSet& t = b.inputs();
        if (pairedWiring >= 0) {
            writeRow(t, 4, kTipo, Lang::ListaTipoIngresso_TAVEK_MIRUN.at(pairedWiring));
        }
        const QStringList* got = InputRules::SelectList(t, input, type, expander);
        const QHash<QString, const QStringList*> lists = {{"base", &Lang::ListaTipoIngresso_TAVEK_MIRUN},
                                                          {"R1", &Lang::ListaTipoIngresso_TAVEK_MIRUNR1},
                                                          {"NR", &Lang::ListaTipoIngresso_TAVEK_MIRUNNR},
                                                          {"none", nullptr}};
        QCOMPARE(got, lists.value(list));
    }

    void keypadTerminalsResolveToOneInput() {
        Bench b(2);
        DataSet& t = b.inputs();
        for (int r : {10, 12}) {
            writeRow(t, r, QStringLiteral("_Nome"), QStringLiteral("PORTA"));
        }
        DataSet& keypads = *b.dm->CDSet_Tastiere;
        writeRow(keypads, 2, QStringLiteral("_M1"), QStringLiteral("PORTA"));
        QCOMPARE(InputRules::GetM1M2Key(QStringLiteral("PORTA")), 2);
        QVERIFY(InputRules::inputOnKeypad(*b.dm, 10));
        QVERIFY2(!InputRules::inputOnKeypad(*b.dm, 12), "a namesake is not bound");
        QStringList list;
        InputRules::GetListM1M2(list);
        QCOMPARE(list.first(), Lang::WiringNotConfigured());
        QVERIFY(!list.contains(QStringLiteral("PORTA")));
        QCOMPARE(list.size(), 1 + (C_NUM_INPUTS_WIRE - C_NUM_INPUTS_ONBOARD - 2) +
                                  (b.dm->CDSet_Uscite->recordCount() - C_NUM_OUTPUTS_ONBOARD));
    }
};

QTEST_MAIN(CellEditorsTest)
#include "test_celleditors.moc"
