// The list editors that store when left, in the real main window, driven by mouse clicks on the
// cells and keys to whatever has the focus. Any key opens the editor's list. In the message
// editors of the inputs and the outputs the typed text is the editor's text: Enter or leaving
// stores it when it is a word of the vocabulary, else the vocabulary's first word. The message
// editors of the partitions and the groups, and the adaptation editor, are fixed lists: typing
// searches them and a text of one's own cannot be made.

#include "model_fixture.h"
#include "platform/dbcontrols.h"
#include "support/openwindow.h"
#include "support/realkeys.h"
#include "support/screenwire.h"

#include <QAbstractItemView>

namespace {
const QString kFirstWord = QString(); // word 0 of a new installation's vocabulary: empty
} // namespace

class TestMessageEditors : public QObject {
    Q_OBJECT
    std::unique_ptr<OpenWindow> fx;
    DBGrid* grid = nullptr;
    DBComboBox* editor = nullptr;

    // An installation of `type` with the grid of `editorName` on screen, reached by its tabs.
    void open(int type, const QString& editorName, const QString& gridName) {
        fx = std::make_unique<OpenWindow>(type);
        grid = fx->form->findChild<DBGrid*>(gridName);
        editor = fx->form->findChild<DBComboBox*>(editorName);
        QVERIFY(grid && editor);
        RealKeys::activate(fx->form.get());
        ScreenWire::reveal(grid);
    }
    // Writes vocabulary word `id` (record id + 1), as the vocabulary page would.
    static void setWord(int id, const QString& word) {
        writeRow(DM->CDSet_Messaggi, id + 1, QStringLiteral("_Messaggio"), word);
    }
    DataSet* table() const { return grid->dataSet(); }
    QString stored(int recNo, const QString& field) const { return at(table(), recNo, field).toString(); }
    // A click on the cell (Ctrl held: the row is marked too); the editor shows over it, focused.
    void clickCell(int recNo, const QString& field, Qt::KeyboardModifiers mods = {}) {
        const int dataCol = OpenWindow::columnOf(grid, field);
        if (mods == Qt::NoModifier)
            return OpenWindow::click(grid, recNo, dataCol);
        const int row = recNo - grid->topRecNo() + grid->titleOffset();
        const QRect r =
            grid->cellRect(grid->gridColumnOf(dataCol), row).intersected(grid->viewport()->rect());
        QVERIFY2(!r.isEmpty(), "the cell is not on screen");
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, mods, r.center());
    }
    void expectEditorOn(int recNo) {
        QCOMPARE(table()->recNo(), recNo);
        QVERIFY2(editor->isVisible(), "a click on the cell shows no editor");
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(editor));
        QVERIFY(!QApplication::activePopupWidget());
    }
    void expectPutAway() {
        QVERIFY(!QApplication::activePopupWidget());
        QVERIFY(!editor->isVisible());
        QCOMPARE(table()->state(), DataSetState::Browse);
    }

    // The field that keeps a message's list position beside its text: _Msg2 -> _IMsg2.
    static QString indexFieldOf(QString field) { return field.insert(1, QLatin1Char('I')); }

private slots:
    void cleanup() {
        const QStringList shown = fx ? fx->close() : QStringList();
        fx.reset();
        QVERIFY2(shown.isEmpty(), qPrintable(shown.join(QLatin1Char('|'))));
    }

    void typedWordGoesToTheMarkedRowsOnEnter_data() {
        QTest::addColumn<QString>("editorName");
        QTest::addColumn<QString>("gridName");
        QTest::addColumn<QString>("field");
        QTest::newRow("inputs") << "DBComboBox1"
                                << "DBGrid10"
                                << "_Msg2";
        QTest::newRow("outputs") << "DBComboBox7"
                                 << "DBGrid16"
                                 << "_Msg3";
    }
    void typedWordGoesToTheMarkedRowsOnEnter() {
        QFETCH(QString, editorName);
        QFETCH(QString, gridName);
        QFETCH(QString, field);
        open(2, editorName, gridName);
        setWord(9, QStringLiteral("CAFFÈ"));
        const QString index = indexFieldOf(field);
        // Row 3 marked, then row 5 marked and current.
        clickCell(3, field, Qt::ControlModifier);
        clickCell(5, field, Qt::ControlModifier);
        expectEditorOn(5);
        const QString before = stored(5, field);

        RealKeys::bareModifier(Qt::Key_Shift); // any key opens the list
        QVERIFY2(QApplication::activePopupWidget(), "Shift did not open the list");
        QCOMPARE(stored(5, field), before);
        RealKeys::type(QStringLiteral("CAFFÈ")); // capitals with their Shift, an accented one
        QCOMPARE(editor->currentText(), QStringLiteral("CAFFÈ"));
        QCOMPARE(editor->view()->currentIndex().row(), 9); // the list marks the word typed
        QCOMPARE(stored(5, field), before);                // nothing stored while typing
        RealKeys::type(QStringLiteral("{Ret}"));
        expectPutAway();
        for (int r : {3, 5}) {
            QCOMPARE(stored(r, field), QStringLiteral("CAFFÈ"));
            QCOMPARE(at(table(), r, index).toInt(), 9);
        }
        QCOMPARE(stored(4, field), before);
    }

    void leftTextIsStoredWhenItIsAWordElseTheFirstWord_data() { typedWordGoesToTheMarkedRowsOnEnter_data(); }
    void leftTextIsStoredWhenItIsAWordElseTheFirstWord() {
        QFETCH(QString, editorName);
        QFETCH(QString, gridName);
        QFETCH(QString, field);
        open(1, editorName, gridName);
        setWord(2, QStringLiteral("PORTA"));
        setWord(7, QStringLiteral("PORTA SUD"));
        const QString index = indexFieldOf(field);
        writeRow(table(), 4, field, QStringLiteral("PORTA SUD"));
        writeRow(table(), 4, index, 7);

        // A text that is no word (one letter short of one, or in small letters), the list closed
        // with Escape and the editor left by a click on another cell: the first word is stored.
        for (const QString& text : {QStringLiteral("PORT"), QStringLiteral("{Shift}porta")}) {
            clickCell(4, field);
            expectEditorOn(4);
            RealKeys::type(text);
            QVERIFY(QApplication::activePopupWidget());
            QCOMPARE(editor->view()->currentIndex().row(), 0); // what leaving would store
            RealKeys::type(QStringLiteral("{Esc}"));
            QVERIFY(!QApplication::activePopupWidget());
            QVERIFY(editor->hasFocus());
            clickCell(4, QStringLiteral("_Nome"));
            expectPutAway();
            QCOMPARE(stored(4, field), kFirstWord);
            QCOMPARE(at(table(), 4, index).toInt(), 0);
            writeRow(table(), 4, field, QStringLiteral("PORTA SUD"));
            writeRow(table(), 4, index, 7);
        }

        // Typed over, edited with the keys, and left with Tab while the list is open.
        clickCell(4, field);
        expectEditorOn(4);
        RealKeys::type(QStringLiteral("PORTAX{BS}{Tab}"));
        expectPutAway();
        QCOMPARE(stored(4, field), QStringLiteral("PORTA"));
        QCOMPARE(at(table(), 4, index).toInt(), 2);

        // Down in the open list takes the next word into the text; leaving stores it.
        clickCell(4, field);
        RealKeys::type(QStringLiteral("{Down}"));
        QVERIFY(QApplication::activePopupWidget());
        RealKeys::type(QStringLiteral("{Down}"));
        QCOMPARE(editor->currentText(), at(DM->CDSet_Messaggi, 4, QStringLiteral("_Messaggio")).toString());
        RealKeys::type(QStringLiteral("{Esc}"));
        clickCell(2, field);
        QCOMPARE(at(table(), 4, index).toInt(), 3);
        QCOMPARE(stored(4, field), at(DM->CDSet_Messaggi, 4, QStringLiteral("_Messaggio")).toString());
    }

    void fixedListsSearchWhatIsTyped_data() {
        QTest::addColumn<QString>("editorName");
        QTest::addColumn<QString>("gridName");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("keys");      // after the Ctrl that opens the list
        QTest::addColumn<QString>("expected");  // stored by Enter
        QTest::addColumn<int>("expectedIndex"); // -1: the field has no index
        QTest::newRow("partitions") << "DBComboBox5"
                                    << "DBGrid4"
                                    << "_Msg1"
                                    << "J"
                                    << "JOLLY" << 20;
        QTest::newRow("groups") << "DBComboBox11"
                                << "DBGrid25"
                                << "_Msg1"
                                << "J"
                                << "JOLLY" << 20;
        QTest::newRow("adaptation") << "DBComboBox29"
                                    << "DBGrid44"
                                    << "_Adattamento"
                                    << "{Down}"
                                    << "-10" << -1;
    }
    void fixedListsSearchWhatIsTyped() {
        QFETCH(QString, editorName);
        QFETCH(QString, gridName);
        QFETCH(QString, field);
        QFETCH(QString, keys);
        QFETCH(QString, expected);
        QFETCH(int, expectedIndex);
        open(3, editorName, gridName);
        setWord(2, QStringLiteral("PORTA"));
        setWord(20, QStringLiteral("JOLLY"));
        for (int r = 1; r <= DM->CDSet_Messaggi->recordCount(); ++r)
            QVERIFY(r == 21 ||
                    !at(DM->CDSet_Messaggi, r, QStringLiteral("_Messaggio")).toString().startsWith(u'J'));
        writeRow(table(), 2, field, field == u"_Adattamento" ? QStringLiteral("0") : QStringLiteral("PORTA"));
        clickCell(2, field);
        expectEditorOn(2);
        RealKeys::bareModifier(Qt::Key_Control); // any key opens the list
        QVERIFY2(QApplication::activePopupWidget(), "Ctrl did not open the list");
        RealKeys::type(keys);
        RealKeys::type(QStringLiteral("{Ret}"));
        expectPutAway();
        QCOMPARE(stored(2, field), expected);
        if (expectedIndex >= 0)
            QCOMPARE(at(table(), 2, QStringLiteral("_IMsg1")).toInt(), expectedIndex);
    }
};

QTEST_MAIN(TestMessageEditors)
#include "test_messageeditors.moc"
