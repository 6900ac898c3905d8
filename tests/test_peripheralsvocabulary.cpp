// The peripherals page and the message vocabulary page in the real main window over the real
// data module: rows for every model, the flag clicks, the lamps following their socket, the
// keypad terminal editor, which cells take typing, and typed words reaching their copies.

#include "model/dimensions.h"
#include "model/transferflags.h"
#include "model_fixture.h"
#include "platform/colors.h"
#include "platform/dbcontrols.h"
#include "support/openwindow.h"
#include "support/realkeys.h"
#include "ui/pages/page_periferiche.h"
#include "ui/pages/page_vocaboli.h"

namespace {
// `_Enable`, `_Sound1`.. of a row as '1' and '0'.
QString flagName(int i) {
    return i == 0 ? QStringLiteral("_Enable") : QStringLiteral("_Sound%1").arg(i);
}
QString flagsOf(DataSet* t, int recNo, qsizetype count) {
    QString out;
    for (int i = 0; i < count; ++i)
        out += at(t, recNo, flagName(i)).toBool() ? u'1' : u'0';
    return out;
}
} // namespace

class TestPeripheralsVocabulary : public QObject {
    Q_OBJECT
    std::unique_ptr<OpenWindow> fx;
    TForm6* form = nullptr;
    TPagePeriferiche* peripherals = nullptr;
    TPageVocaboli* vocabulary = nullptr;

    enum class Sheet { None, Expansions, Keypads, Vocabulary };
    // An installation of the model with `sheet` on screen (the in-place editors show only there).
    void open(int type, Sheet sheet = Sheet::None) {
        fx = std::make_unique<OpenWindow>(type);
        form = fx->form.get();
        peripherals = form->TabSheet5;
        vocabulary = form->TabSheet28;
        if (sheet == Sheet::None)
            return;
        form->PageControl->setActivePage(sheet == Sheet::Vocabulary ? static_cast<QWidget*>(vocabulary)
                                                                    : peripherals);
        peripherals->PageControl_Periferiche->setActivePage(
            sheet == Sheet::Keypads ? peripherals->TabSheetTastierePrese : peripherals->TabSheet23);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
    }
    // The sheet that holds `grid` on screen, in the active window.
    void showSheetOf(DBGrid* grid) {
        if (grid->isVisible() && form->isActiveWindow())
            return;
        const bool isWords = vocabulary->isAncestorOf(grid);
        form->PageControl->setActivePage(isWords ? static_cast<QWidget*>(vocabulary) : peripherals);
        if (!isWords)
            peripherals->PageControl_Periferiche->setActivePage(peripherals->TabSheet23->isAncestorOf(grid)
                                                                    ? peripherals->TabSheet23
                                                                    : peripherals->TabSheetTastierePrese);
        RealKeys::activate(form);
    }
    // A mouse click on the cell of `field` in record `recNo`.
    void click(DBGrid* grid, int recNo, const QString& field) {
        showSheetOf(grid);
        OpenWindow::click(grid, recNo, grid->columnOfField(field)->index());
    }
    // Two clicks open the cell's editor; the keys replace its text, and Tab leaves the cell,
    // which writes and posts.
    void type(DBGrid* grid, int recNo, const QString& field, const QString& text) {
        showSheetOf(grid);
        RealKeys::openByClicks(grid, recNo, grid->columnOfField(field)->index());
        RealKeys::type(QStringLiteral("{^A}") + text + QStringLiteral("{Tab}"));
    }

private slots:
    void cleanup() {
        const QStringList shown = fx ? fx->close() : QStringList();
        fx.reset();
        QVERIFY2(shown.isEmpty(), qPrintable(shown.join(QLatin1Char('|'))));
    }

    void flagClicksFollowTheDeviceRules_data() {
        QTest::addColumn<QString>("grid");
        QTest::addColumn<int>("recNo");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("before"); // _Enable, _Sound1..
        QTest::addColumn<QString>("after");
        const struct {
            const char *name, *grid;
            int recNo;
            const char *field, *before, *after;
        } rows[] = {
            {"keypad off: silenced", "DBGrid18", 2, "_Enable", "11111", "00000"},
            {"key sound: keypad on", "DBGrid18", 2, "_Sound1", "00000", "11000"},
            {"chime: keypad on", "DBGrid18", 2, "_Sound4", "00000", "10001"},
            {"sound of a sounding keypad", "DBGrid18", 2, "_Sound2", "11100", "11000"},
            {"keypad 1 stays on, silenced", "DBGrid18", 1, "_Enable", "11111", "10000"},
            {"keypad 1 off goes on", "DBGrid18", 1, "_Enable", "00000", "10000"},
            {"socket off: three sounds", "DBGrid17", 1, "_Enable", "1111", "0000"},
            {"socket sound: socket on", "DBGrid17", 1, "_Sound2", "0000", "1010"},
            {"expander", "DBGrid12", 1, "_Enable", "0", "1"},
            {"a name click", "DBGrid18", 2, "_Nome", "10100", "10100"},
        };
        for (const auto& r : rows)
            QTest::newRow(r.name) << QString(r.grid) << r.recNo << QString(r.field) << QString(r.before)
                                  << QString(r.after);
    }
    void flagClicksFollowTheDeviceRules() {
        QFETCH(QString, grid);
        QFETCH(int, recNo);
        QFETCH(QString, field);
        QFETCH(QString, before);
        QFETCH(QString, after);
        open(2);
        DBGrid* g = peripherals->findChild<DBGrid*>(grid);
        DataSet* t = g->dataSet();
        t->setRecNo(recNo);
        t->edit();
        for (int i = 0; i < before.size(); ++i)
            t->fieldByName(flagName(i)).setAsBoolean(before[i] == u'1');
        t->post();
        click(g, recNo, field);
        QCOMPARE(flagsOf(t, recNo, before.size()), after);
        QCOMPARE(t->state(), DataSetState::Browse);
    }

    void lampsFollowTheirSocket() {
        open(3);
        DBGrid* sockets = peripherals->DBGrid17;
        DataSet* prese = sockets->dataSet();
        sockets->moveToRecNo(3);
        prese->edit();
        prese->fieldByName(QStringLiteral("_Nome")).setAsString(QStringLiteral("GARAGE"));
        prese->post();
        QCOMPARE(peripherals->DBGrid28->column(0).titleCaption(), QStringLiteral("GARAGE"));
        DataSet* leds = peripherals->DBGrid28->dataSet();
        const bool was = at(leds, 2, QStringLiteral("_Led3")).toBool();
        click(peripherals->DBGrid28, 2, QStringLiteral("_Led3"));
        QCOMPARE(at(leds, 2, QStringLiteral("_Led3")).toBool(), !was);
        sockets->moveToRecNo(1); // the lamps of another socket, under its name
        QCOMPARE(at(leds, 2, QStringLiteral("_Led3")).toBool(), was);
        QCOMPARE(peripherals->DBGrid28->column(0).titleCaption(),
                 at(prese, 1, QStringLiteral("_Nome")).toString());
    }

    void keypadTerminalsOfferOnlyFreeInputsAndOutputs() {
        open(2, Sheet::Keypads);
        DBGrid* grid = peripherals->DBGrid18;
        QComboBox* editor = peripherals->DBComboBox30;
        const QString input9 =
            at(DM->CDSet_Ingressi, C_NUM_INPUTS_ONBOARD + 1, QStringLiteral("_Nome")).toString();
        click(grid, 1, QStringLiteral("_M1"));
        QVERIFY(!editor->isHidden());
        emit editor->activated(editor->findText(input9));
        QCOMPARE(at(grid->dataSet(), 1, QStringLiteral("_M1")).toString(), input9);
        // Held by keypad 1: offered neither to another keypad nor again to keypad 1.
        click(grid, 2, QStringLiteral("_M2"));
        QCOMPARE(editor->findText(input9), -1);
        click(grid, 1, QStringLiteral("_M1"));
        QCOMPARE(editor->findText(input9), -1);
        emit editor->activated(editor->findText(QStringLiteral("Non Configurato")));
        QCOMPARE(at(grid->dataSet(), 1, QStringLiteral("_M1")).toString(), QStringLiteral("Non Configurato"));
    }

    void namesTypedAndFlagsClickedSurviveSaveAndRestart() {
        open(4, Sheet::Keypads);
        for (DBGrid* grid : peripherals->grids())
            for (int c = 0; c < grid->columnCount(); ++c) {
                grid->setSelectedIndex(c); // only names take typing, lamp names not
                QCOMPARE(grid->hasOption(GridOption::Editing),
                         grid->column(c).fieldName() == "_Nome" && grid != peripherals->DBGrid28);
            }
        DBGrid* keypads = peripherals->DBGrid18;
        type(keypads, 3, QStringLiteral("_Nome"), QStringLiteral("Ufficio"));
        click(keypads, 3, QStringLiteral("_Sound4"));
        click(peripherals->DBGrid42, 1, QStringLiteral("_Enable"));
        form->Action20Execute();
        fx->reopenFromFile();
        form = fx->form.get();
        QCOMPARE(at(DM->CDSet_Tastiere, 3, QStringLiteral("_Nome")).toString(), QStringLiteral("Ufficio"));
        QCOMPARE(flagsOf(DM->CDSet_Tastiere, 3, 5), QStringLiteral("10001"));
        QVERIFY(at(DM->CDSet_ExpIP, 1, QStringLiteral("_Enable")).toBool());
    }

    // The number of an expander or module is its position: drawn as a cell that is not typed
    // in, with the pointer saying so, beside a name that is.
    void expanderNumbersAreShownOnly() {
        open(2, Sheet::Expansions);
        RealKeys::activate(form);
        for (DBGrid* grid : {peripherals->DBGrid12, peripherals->DBGrid13, peripherals->DBGrid14,
                             peripherals->DBGrid41, peripherals->DBGrid42}) {
            const auto cellOf = [grid](const char* field) {
                return grid->cellRect(
                    grid->gridColumnOf(OpenWindow::columnOf(grid, QString::fromLatin1(field))),
                    grid->titleOffset());
            };
            QTest::mouseMove(grid->viewport(), cellOf("_ID").center());
            QCOMPARE(grid->viewport()->cursor().shape(), Qt::ForbiddenCursor);
            QTest::mouseMove(grid->viewport(), cellOf("_Nome").center());
            QCOMPARE(grid->viewport()->cursor().shape(), Qt::PointingHandCursor);
            const QImage img = grid->viewport()->grab().toImage();
            const QRect number = cellOf("_ID");
            QCOMPARE(QColor(img.pixel(number.right() - 2, number.top() + 2)), sysColor(COLOR_INACTIVEBORDER));
            const QRect name = cellOf("_Nome");
            QCOMPARE(QColor(img.pixel(name.right() - 2, name.top() + 2)), QColor(Qt::white));
        }
    }

    // The word numbers go up to 186. Their column is 20 px wide where three digits fit in it at
    // the page's font, and wider where they do not: the last number is never cut.
    void wordNumbersShowWhole_data() {
        QTest::addColumn<int>("pixelSize"); // of the application's font; 0: the platform's own
        QTest::addColumn<bool>("twenty");
        QTest::newRow("platform font") << 0 << false;
        QTest::newRow("small font") << 7 << true;
    }
    void wordNumbersShowWhole() {
        QFETCH(int, pixelSize);
        QFETCH(bool, twenty);
        const QFont appFont = QApplication::font();
        if (pixelSize > 0) {
            QFont small = appFont;
            small.setPixelSize(pixelSize);
            QApplication::setFont(small);
        }
        const auto restoreFont = qScopeGuard([&] { QApplication::setFont(appFont); });
        open(1, Sheet::Vocabulary);
        DBGrid* grid = vocabulary->DBGrid43;
        const int width = grid->column(0).width();
        if (twenty)
            QCOMPARE(width, 20);
        else
            QVERIFY2(width > 20, qPrintable(QString::number(width)));
        grid->moveToRecNo(187); // in view, and the word of the row before it current
        grid->moveToRecNo(186);
        grid->setSelectedIndex(1);
        QApplication::processEvents();
        const QRect cell =
            grid->cellRect(grid->gridColumnOf(0), 187 - grid->topRecNo() + grid->titleOffset());
        QCOMPARE(cell.width(), width);
        const QImage img = grid->viewport()->grab().toImage();
        // Ink of "186" lies inside the cell with background on both sides of it.
        int first = -1, last = -1;
        for (int x = cell.left(); x <= cell.right(); ++x)
            for (int y = cell.top() + 1; y < cell.bottom(); ++y)
                if (qGray(img.pixel(x, y)) < 128) {
                    first = first < 0 ? x : first;
                    last = x;
                }
        QVERIFY2(first > cell.left() && last >= first && last < cell.right(),
                 qPrintable(QStringLiteral("ink %1..%2 in %3..%4")
                                .arg(first)
                                .arg(last)
                                .arg(cell.left())
                                .arg(cell.right())));
    }

    void vocabularyWordsEditableByModel_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("recNo");
        QTest::addColumn<bool>("editable");
        QTest::newRow("QUANE word 0") << 5 << 1 << false;
        QTest::newRow("QUANE word 1") << 5 << 2 << true;
        QTest::newRow("ZOREM word 30") << 6 << 31 << true;
        QTest::newRow("ZOREM word 31") << 6 << 32 << false;
        QTest::newRow("PELUN last word") << 4 << 187 << false;
        QTest::newRow("TAVEK last word") << 1 << 187 << true;
    }
    void vocabularyWordsEditableByModel() {
        QFETCH(int, type);
        QFETCH(int, recNo);
        QFETCH(bool, editable);
        open(type, Sheet::Vocabulary);
        DBGrid* grid = vocabulary->DBGrid43;
        click(grid, recNo, QStringLiteral("_Messaggio"));
        click(grid, recNo, QStringLiteral("_Messaggio")); // a second click opens a typed cell
        QCOMPARE(grid->editorMode(), editable);
        click(grid, recNo, QStringLiteral("_ID")); // the number is never typed
        QVERIFY(!grid->editorMode());
        QVERIFY(!grid->hasOption(GridOption::Editing));
    }

    void typedWordsReachTheirCopies() {
        open(2, Sheet::Vocabulary);
        DataSet* inputs = DM->CDSet_Ingressi;
        inputs->first();
        inputs->edit();
        inputs->fieldByName(QStringLiteral("_IMsg2")).setAsInteger(5);
        inputs->post();
        ShortList = true;
        DBGrid* grid = vocabulary->DBGrid43;
        type(grid, 6, QStringLiteral("_Messaggio"), QStringLiteral("porta sud")); // the word `_ID` 5
        DataSet* words = DM->CDSet_Messaggi;
        QCOMPARE(at(words, 6, QStringLiteral("_Messaggio")).toString(), QStringLiteral("PORTA SUD"));
        QCOMPARE(at(inputs, 1, QStringLiteral("_Msg2")).toString(), QStringLiteral("PORTA SUD"));
        QVERIFY(!ShortList);
        // Sixteen characters at most; a character the panel cannot store is refused.
        type(grid, 6, QStringLiteral("_Messaggio"), QStringLiteral("abcdefghijklmnopqrst"));
        QCOMPARE(at(words, 6, QStringLiteral("_Messaggio")).toString(), QStringLiteral("ABCDEFGHIJKLMNOP"));
        words->setRecNo(6);
        words->edit();
        QVERIFY_THROWS_EXCEPTION(
            DataSetError,
            words->fieldByName(QStringLiteral("_Messaggio")).setAsString(QStringLiteral("ΩMEGA")));
        words->fieldByName(QStringLiteral("_Messaggio")).setAsString(QStringLiteral("CAFFè €5"));
        words->post();
        QCOMPARE(at(words, 6, QStringLiteral("_Messaggio")).toString(), QStringLiteral("CAFFè €5"));
    }
};

QTEST_MAIN(TestPeripheralsVocabulary)
#include "test_peripheralsvocabulary.moc"
