// Cells typed in place on every page that has them, driven as a person drives them: two clicks
// on the cell, then keys (capitals with their Shift, bare Ctrl and Alt, accented letters, the
// editing keys) to whatever has the focus. What is stored must be exactly what was typed, after
// leaving the cell and after the register is saved and read back. The editor must be seen where
// the keys go: over its cell, inside the grid, holding the focus.

#include "model_fixture.h"
#include "platform/colors.h"
#include "support/openwindow.h"
#include "support/realkeys.h"
#include "support/screenwire.h"
#include "ui/mainwindow.h"

namespace {
// The name of a typed cell. A bare Alt takes the keys to the menu bar, as it does in any window
// with menus; Escape gives them back to the editor, still open. F2 closes the editor and opens
// it again; Escape drops only what was typed since it opened; Tab leaves the cell. Under a mask
// (capitals) End goes past the last place, and Backspace back to the last place.
const QString kNameScript = QStringLiteral(
    "{^A}{Shift}Rossi èàù{Ctrl}{Home}{Del}B{End}{BS}{Alt}{Esc}ù{F2}{F2}{Home}x{Esc}{F2}{Ret}{Tab}");
// A time under its mask "90:00": letters and accents are refused by the mask, and the bare
// modifiers go on up to the grid and the window; none of them may touch the time.
const QString kTimeScript = QStringLiteral(
    "{^A}0730{Ret}{F2}{Home}{Del}1{Shift}Xè{Ctrl}{End}{BS}5{Alt}{Esc}{F2}{F2}{Home}9{Esc}{Tab}");

// A page's grid on screen, reached by clicks on its tabs (the main window's and the page's own).
DBGrid* showPlace(OpenWindow& w, const QString& place) {
    static const QHash<QString, const char*> grids = {
        {QStringLiteral("users"), "DBGrid6"},      {QStringLiteral("groups"), "DBGrid25"},
        {QStringLiteral("phones"), "DBGrid3"},     {QStringLiteral("vocabulary"), "DBGrid43"},
        {QStringLiteral("expanders"), "DBGrid12"}, {QStringLiteral("keypads"), "DBGrid18"},
        {QStringLiteral("radio433"), "DBGrid46"},  {QStringLiteral("radio868"), "DBGrid48"},
        {QStringLiteral("timers"), "DBGrid34"},    {QStringLiteral("periods"), "DBGrid35"},
        {QStringLiteral("pulses"), "DBGrid27"},    {QStringLiteral("receivers"), "DBGrid30"}};
    auto* grid = w.form->findChild<DBGrid*>(QLatin1String(grids.value(place)));
    if (grid)
        ScreenWire::reveal(grid);
    return grid;
}

// A radio device is typed in place only once it has a type.
void giveTypeWhereNeeded(DBGrid* grid, const QString& place, int recNo) {
    if (place != u"radio433" && place != u"radio868")
        return;
    DataSet* t = grid->dataSet();
    writeRow(t, recNo, QStringLiteral("_Tipo"), place == u"radio433" ? 2 : 3);
}

QString storedAt(DBGrid* grid, int recNo, const QString& field) {
    DataSet* t = grid->dataSet();
    return t->stringAt(recNo, t->fieldByName(field).index());
}

void activate(OpenWindow& w) {
    RealKeys::activate(w.form.get());
}

// The cells of the typed table: page, model, row, field, script and the value it must store.
void addTypedCells() {
    QTest::addColumn<QString>("place");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("recNo");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("stored");
    const QString name = kNameScript;
    const QString name_ = QStringLiteral("_Nome");
    const QString typedName = QStringLiteral("Bossi èàù");
    // The mask writes capitals, and the last key after End goes to the last place.
    const QString upperName = QStringLiteral("BOSSI ÈÀÙ      Ù");
    QTest::newRow("users name TAVEK") << "users" << 1 << 2 << name_ << name << typedName;
    QTest::newRow("users name ZOREM") << "users" << 6 << 2 << name_ << name << typedName;
    QTest::newRow("groups label") << "groups" << 6 << 2 << name_ << name << typedName;
    // Tab alone leaves the cell with what was typed, whether the grid walks its columns with Tab
    // (users) or hands the focus on (phones).
    const QString leftByTab = QStringLiteral("{^A}{Shift}Portineria è{Tab}");
    QTest::newRow("users name left by Tab") << "users" << 3 << 4 << name_ << leftByTab << "Portineria è";
    QTest::newRow("phones name left by Tab") << "phones" << 3 << 4 << name_ << leftByTab << "Portineria è";
    QTest::newRow("phones name") << "phones" << 2 << 3 << name_ << name << typedName;
    QTest::newRow("vocabulary word") << "vocabulary" << 5 << 4 << "_Messaggio" << name << upperName;
    QTest::newRow("expander name") << "expanders" << 3 << 1 << name_ << name << typedName;
    QTest::newRow("keypad name") << "keypads" << 1 << 2 << name_ << name << typedName;
    QTest::newRow("433 MHz device name") << "radio433" << 5 << 3 << name_ << name << typedName;
    QTest::newRow("868 MHz device name") << "radio868" << 6 << 2 << name_ << name << upperName;
    // The code takes hexadecimal digits only, written as capitals, ten of them.
    QTest::newRow("868 MHz device code") << "radio868" << 6 << 2 << "_ID_Radio"
                                         << "{^A}{Shift}A7g-è{Ctrl}{Alt}{Esc}f{BS}0c12345678{Ret}{Tab}"
                                         << "A70C123456";
    QTest::newRow("timer time") << "timers" << 6 << 1 << "_Ora" << kTimeScript << "17:35";
    QTest::newRow("exclusion period") << "periods" << 4 << 2 << name_ << name << typedName;
    QTest::newRow("pulse duration") << "pulses" << 2 << 1 << "_PulseDuration"
                                    << "{^A}013000{Shift}Xè{Ctrl}{Alt}{Esc}{Home}{Del}2{End}{BS}9{Ret}{Tab}"
                                    << "21:30:09";
    QTest::newRow("receiver name") << "receivers" << 6 << 1 << name_ << name << typedName;
    // A name stops at the 16 characters the panel keeps, though the register could hold more.
    const QString longName = QStringLiteral("{^A}Giulia Bianchi-Noè{Ret}{Tab}");
    for (const char* place : {"users", "groups", "keypads", "receivers"})
        QTest::addRow("%s name past 16", place) << place << 6 << 2 << name_ << longName << "Giulia Bianchi-N";
}
} // namespace

class TestTypedCells : public QObject {
    Q_OBJECT
private slots:
    // Two clicks show the editor over the cell they opened, inside the grid, with the focus;
    // the keys then store exactly what was typed, also after a reload.
    void typedValuesAreStoredExactly_data() { addTypedCells(); }
    void typedValuesAreStoredExactly() {
        QFETCH(QString, place);
        QFETCH(int, type);
        QFETCH(int, recNo);
        QFETCH(QString, field);
        QFETCH(QString, script);
        QFETCH(QString, stored);
        OpenWindow w(type);
        activate(w);
        DBGrid* grid = showPlace(w, place);
        QVERIFY(grid);
        giveTypeWhereNeeded(grid, place, recNo);
        const int col = OpenWindow::columnOf(grid, field);
        RealKeys::openByClicks(grid, recNo, col);
        MaskedLineEdit* editor = grid->inplaceEditor();
        const QRect cell =
            grid->cellRect(grid->gridColumnOf(col), recNo - grid->topRecNo() + grid->titleOffset());
        const QRect e = editor->geometry();
        QVERIFY(editor->isVisible() && !e.isEmpty());
        QVERIFY2(grid->viewport()->rect().contains(e),
                 qPrintable(QStringLiteral("editor %1,%2 %3x%4 out of the viewport")
                                .arg(e.x())
                                .arg(e.y())
                                .arg(e.width())
                                .arg(e.height())));
        QVERIFY(e.contains(cell.intersected(grid->viewport()->rect())));
        QCOMPARE(QApplication::focusWidget(), editor);
        // Nothing of the viewport is drawn over it: the editor is the widget at the cell's centre.
        QCOMPARE(grid->viewport()->childAt(cell.center()), editor);
        // It stands out from the cell it covers however the page paints that cell: its edge is
        // drawn in the selection colour all round, and its text shows selected.
        const QImage look = editor->grab().toImage();
        int edge = 0, marked = 0;
        const auto lookAt = [&](int x, int y) {
            ++edge;
            marked += look.pixelColor(x, y) == sysColor(COLOR_HIGHLIGHT);
        };
        for (int x = 0; x < look.width(); ++x) {
            lookAt(x, 0);
            lookAt(x, look.height() - 1);
        }
        for (int y = 0; y < look.height(); ++y) {
            lookAt(0, y);
            lookAt(look.width() - 1, y);
        }
        QVERIFY2(marked == edge,
                 qPrintable(QStringLiteral("%1 of %2 edge pixels marked").arg(marked).arg(edge)));
        QCOMPARE(editor->selectedText(), editor->text());

        RealKeys::type(script);
        QVERIFY2(!grid->editorMode(), "leaving the cell closes its editor");
        QCOMPARE(storedAt(grid, recNo, field), stored);
        w.reopenFromFile();
        activate(w);
        grid = showPlace(w, place);
        QCOMPARE(storedAt(grid, recNo, field), stored);
        QCOMPARE(w.close(), QStringList());
    }
};

QTEST_MAIN(TestTypedCells)
#include "test_typedcells.moc"
