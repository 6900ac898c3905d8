// The data grid and the shared grid painters: painted pixels that matter, column fitting,
// the grid and the table's cursor moving together, marked rows, in-place editing with edit
// masks, the hovered-row tracking and the small lookups.

#include "platform/colors.h"
#include "platform/dbcontrols.h"
#include "platform/dbgrid.h"
#include "platform/dialogs.h"
#include "platform/gridpaint.h"
#include "platform/maskedlineedit.h"
#include "support/widgetfixtures.h"

#include <QtTest>

namespace {

// A shown window with one grid over a sample table; columns _ID (read-only), _Nome, _Ora, _Tempo.
struct GridPage {
    std::unique_ptr<DataSet> table;
    std::unique_ptr<DataSource> source;
    QWidget window;
    DBGrid* grid;

    explicit GridPage(int rows = 40) : table(makeSampleTable(rows)), source(new DataSource(table.get())) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(13);
        window.setFont(font);
        window.resize(420, 300);
        grid = new DBGrid(&window);
        grid->setGeometry(0, 0, 420, 300);
        grid->setDataSource(source.get());
        grid->setOptions(grid->options() | GridOption::AlwaysShowSelection);
        grid->addColumn(QStringLiteral("_ID"), QStringLiteral("N."), 40);
        grid->addColumn(QStringLiteral("_Nome"), QStringLiteral("Nome"), 120);
        grid->addColumn(QStringLiteral("_Ora"), QStringLiteral("Ora"), 60);
        grid->addColumn(QStringLiteral("_Tempo"), QStringLiteral("Tempo"), 60);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    int recNo() const { return table->recNo(); }
    // Centre of the data cell (data column, data row counted from 1 at the top).
    QPoint cellCentre(int dataCol, int row) const {
        return grid->cellRect(grid->gridColumnOf(dataCol), row).center();
    }
    void click(int dataCol, int row, Qt::KeyboardModifiers mods = {}) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, mods, cellCentre(dataCol, row));
    }
    int idOf(const Bookmark& b) const {
        auto clone = table->cloneCursor();
        clone->gotoBookmark(b);
        return clone->fieldByName(QStringLiteral("_ID")).asInteger();
    }
};

// The colour that covers most of a rectangle of an image (the cell's background).
QColor dominantColor(const QImage& image, const QRect& r) {
    QHash<QRgb, int> counts;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb best = 0;
    int most = -1;
    for (auto it = counts.begin(); it != counts.end(); ++it)
        if (it.value() > most) {
            most = it.value();
            best = it.key();
        }
    return QColor::fromRgb(best);
}

// The darkest pixel of a rectangle (the core of its text).
QColor darkestColor(const QImage& image, const QRect& r) {
    QColor darkest = Qt::white;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.lightness() < darkest.lightness())
                darkest = c;
        }
    return darkest;
}

int countColor(const QImage& image, const QRect& r, const QColor& color) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += image.pixelColor(x, y) == color;
    return n;
}

QImage viewportImage(DBGrid& grid, qreal ratio = 1.0) {
    return renderWidget(*grid.viewport(), ratio);
}

} // namespace

class DBGridTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QApplication::restoreOverrideCursor(); }

    // ---------------------------------------------------------------- painted pixels

    void basePainterColoursTheCurrentCellByColumnKind() {
        GridPage page;
        DBGrid& g = *page.grid;
        g.setDefaultDrawing(false);
        g.onDrawColumnCell = [](DBGrid& grid, QPainter& p, const QRect& r, int dataCol, DBGridColumn& c,
                                GridDrawState s) { ColoraGriglia(grid, p, r, dataCol, c, s); };
        g.moveToRecNo(3);

        // Read-only column holding the current cell: inactive-border background, black text.
        g.setSelectedIndex(0);
        QImage img = viewportImage(g);
        QRect cell = g.cellRect(g.gridColumnOf(0), 3);
        QCOMPARE(dominantColor(img, cell), sysColor(COLOR_INACTIVEBORDER));
        QCOMPARE(darkestColor(img, cell), QColor(Qt::black));
        QCOMPARE(countColor(img, cell, sysColor(COLOR_ACTIVECAPTION)), 0);

        // Editable column: white background; the text takes the active-caption colour and gets bold.
        g.setSelectedIndex(1);
        img = viewportImage(g);
        cell = g.cellRect(g.gridColumnOf(1), 3);
        QCOMPARE(dominantColor(img, cell), QColor(Qt::white));
        QVERIFY(countColor(img, cell, sysColor(COLOR_ACTIVECAPTION)) > 0);
        const QRect other = g.cellRect(g.gridColumnOf(1), 4); // same text length, not current
        QCOMPARE(darkestColor(img, other), QColor(Qt::black));
        QVERIFY(countColor(img, cell, sysColor(COLOR_ACTIVECAPTION)) > countColor(img, other, Qt::black));

        // A read-only cell that is not current keeps the inactive-border colour too.
        QCOMPARE(dominantColor(img, g.cellRect(g.gridColumnOf(0), 5)), sysColor(COLOR_INACTIVEBORDER));

        // Painting reads every visible row without moving the cursor or writing anything.
        int scrolls = 0;
        page.table->afterScroll = [&](DataSet&) { ++scrolls; };
        QSignalSpy changes(page.source.get(), &DataSource::recordChanged);
        viewportImage(g, 2.0);
        QCOMPARE(scrolls, 0);
        QCOMPARE(changes.count(), 0);
        QCOMPARE(page.recNo(), 3);
        QCOMPARE(page.table->state(), DataSetState::Browse);
    }

    void markedRowsKeepHighlightInEveryColumn() {
        GridPage page;
        DBGrid& g = *page.grid;
        g.setOptions(g.options() | GridOption::MultiSelect);
        g.setDefaultDrawing(false); // the page painter alone paints the cells
        g.onDrawColumnCell = [](DBGrid& grid, QPainter& p, const QRect& r, int dataCol, DBGridColumn& c,
                                GridDrawState s) { ColoraGriglia(grid, p, r, dataCol, c, s); };
        page.click(1, 2, Qt::ControlModifier);
        page.click(1, 4, Qt::ControlModifier);
        page.click(1, 6); // plain click: drops the marks
        QCOMPARE(g.selectedRowCount(), 0);
        page.click(1, 2, Qt::ControlModifier);
        page.click(1, 4, Qt::ControlModifier);
        page.click(2, 6, Qt::ControlModifier); // row 6 current and marked
        page.click(2, 6, Qt::ControlModifier); // unmarked again, still current
        QCOMPARE(g.selectedRowCount(), 2);
        const QImage img = viewportImage(g);
        for (int row : {2, 4})
            for (int c = 0; c < g.columnCount(); ++c)
                QCOMPARE(dominantColor(img, g.cellRect(g.gridColumnOf(c), row)), sysColor(COLOR_HIGHLIGHT));
        QCOMPARE(dominantColor(img, g.cellRect(g.gridColumnOf(0), 3)), sysColor(COLOR_INACTIVEBORDER));
        QCOMPARE(dominantColor(img, g.cellRect(g.gridColumnOf(1), 6)), QColor(Qt::white));
    }

    void checkBoxGeometryAndTick_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("11 px, 100%") << 11 << 1.0;
        QTest::newRow("7 px, 100%") << 7 << 1.0;
        QTest::newRow("26 px, 200%") << 26 << 2.0;
        QTest::newRow("7 px, 200%") << 7 << 2.0;
    }
    void checkBoxGeometryAndTick() {
        QFETCH(int, width);
        QFETCH(qreal, ratio);
        GridPage page;
        DBGrid& g = *page.grid;
        DBGridColumn& box = g.addColumn(QStringLiteral("_Enable"), QString(), width);
        const int boxCol = box.index();
        g.onDrawColumnCell = [boxCol](DBGrid& grid, QPainter& p, const QRect& r, int dataCol, DBGridColumn& c,
                                      GridDrawState) {
            if (dataCol == boxCol)
                DrawCheckBoxes(grid, p, r, c, true);
        };
        // Rows 1..4 of the sample hold _Enable True, row 5 False.
        const QImage img = viewportImage(g, ratio);
        for (int row : {1, 5}) {
            const QRect cell = g.cellRect(g.gridColumnOf(boxCol), row);
            const int left = cell.left() + (cell.width() - 11) / 2; // truncated toward zero
            const int top = cell.top() + (cell.height() - 11) / 2;
            auto px = [&](int x, int y) { return img.pixelColor(int(x * ratio), int(y * ratio)); };
            QCOMPARE(px(left, top + 5), QColor(255, 0, 255)); // middle square: fuchsia
            QCOMPARE(px(left + 10, top + 5), QColor(255, 0, 255));
            QCOMPARE(px(left + 1, top + 5), QColor(255, 255, 0)); // inner square: yellow
            QCOMPARE(px(left - 2, top + 5), QColor(Qt::black));   // outer square: black
            QCOMPARE(px(left + 12, top + 12), QColor(Qt::black));
            if (width >= 11)
                QCOMPARE(px(left - 1, top + 5), QColor(Qt::white)); // the cell's window colour between
            // The tick's lowest pixel (left + 4, top + 8) and its top right end (left + 8, top + 1).
            const bool ticked = row == 1;
            QCOMPARE(px(left + 4, top + 8), ticked ? QColor(Qt::black) : QColor(Qt::white));
            QCOMPARE(px(left + 8, top + 1),
                     ticked ? QColor(Qt::black) : QColor(Qt::yellow)); // on the inner square
            QCOMPARE(px(left + 2, top + 3), ticked ? QColor(Qt::black) : QColor(Qt::white));
            QCOMPARE(px(left + 4, top + 9), QColor(Qt::yellow)); // nothing below the lowest point
            if (ratio > 1) {
                // Crisp at 200%: one logical pixel is two whole device pixels of one colour.
                QCOMPARE(img.pixelColor(int(left * ratio) + 1, int((top + 5) * ratio)), QColor(255, 0, 255));
                QCOMPARE(img.pixelColor(int(left * ratio) + 2, int((top + 5) * ratio)), QColor(255, 255, 0));
            }
        }
        if (width == 7) {
            const QRect cell = g.cellRect(g.gridColumnOf(boxCol), 1);
            QCOMPARE(cell.left() + (cell.width() - 11) / 2, cell.left() - 2); // overhangs on the left
        }
    }

    void disabledCheckBoxNeverShowsATick() {
        GridPage page;
        DBGrid& g = *page.grid;
        DBGridColumn& box = g.addColumn(QStringLiteral("_Enable"), QString(), 26);
        const int boxCol = box.index();
        g.onDrawColumnCell = [boxCol](DBGrid& grid, QPainter& p, const QRect& r, int dataCol, DBGridColumn& c,
                                      GridDrawState) {
            if (dataCol == boxCol)
                DrawCheckBoxes(grid, p, r, c, false);
        };
        const QImage img = viewportImage(g);
        const QRect on = g.cellRect(g.gridColumnOf(boxCol), 1);  // _Enable True
        const QRect off = g.cellRect(g.gridColumnOf(boxCol), 5); // _Enable False
        QCOMPARE(img.copy(on), img.copy(off));
        QVERIFY(countColor(img, on, Qt::black) > 0);           // the cross
        QCOMPARE(countColor(img, on, QColor(255, 0, 255)), 0); // no box
    }

    // ---------------------------------------------------------------- column fitting

    void fittingSharesTheFreeWidth() {
        GridPage page;
        DBGrid& g = *page.grid;
        page.table->fieldByName("_ID").tag = 0;     // fixed
        page.table->fieldByName("_Nome").tag = 30;  // resizable
        page.table->fieldByName("_Ora").tag = 30;   // resizable
        page.table->fieldByName("_Tempo").tag = 25; // resizable, hidden
        g.column(3).setVisible(false);
        const int client = g.viewport()->width();
        // used = 40 + 120 + 60 + (-1 for the hidden column) + 4 column lines + 20 indicator
        const int share = (client - (40 + 120 + 60 - 1 + 4 + 20)) / 3;
        FixDBGridColumnsWidth(&g);
        QCOMPARE(g.column(0).width(), 40);
        QCOMPARE(g.column(1).width(), 120 + share);
        QCOMPARE(g.column(2).width(), 60 + share);
        QCOMPARE(g.column(3).width(), -1);
        QCOMPARE(g.column(3).storedWidth(), 25); // a hidden resizable column ends at its minimum
    }

    void negativeShareShrinksButNotBelowMinimum() {
        GridPage page;
        DBGrid& g = *page.grid;
        page.table->fieldByName("_ID").tag = 0;
        page.table->fieldByName("_Nome").tag = 100;
        page.table->fieldByName("_Ora").tag = 20;
        page.table->fieldByName("_Tempo").tag = 0;
        const int client = g.viewport()->width();
        // Make the columns overflow by an odd amount: the share truncates toward zero.
        const int over = 57;
        g.column(1).setWidth(client - (40 + 60 + 60 + 4 + 20) + over);
        const int nome = g.column(1).width();
        const int share = -over / 2; // -28, not -29
        FixDBGridColumnsWidth(&g);
        QCOMPARE(g.column(1).width(), nome + share);
        QCOMPARE(g.column(2).width(), 60 + share);
        QCOMPARE(g.column(0).width(), 40);
        QCOMPARE(g.column(3).width(), 60);

        // Far too wide: both stop at their minimum.
        g.column(1).setWidth(5000);
        FixDBGridColumnsWidth(&g);
        QVERIFY(g.column(1).width() >= 100);
        QCOMPARE(g.column(2).width(), 20);
    }

    void gridWithoutResizableColumnKeepsItsWidths() {
        GridPage page;
        DBGrid& g = *page.grid;
        for (const char* f : {"_ID", "_Nome", "_Ora", "_Tempo"})
            page.table->fieldByName(QString::fromLatin1(f)).tag = 0;
        DBGridTitleClick(g.column(2)); // the title click refits the column's grid
        QCOMPARE(g.column(0).width(), 40);
        QCOMPARE(g.column(1).width(), 120);
        QCOMPARE(g.column(2).width(), 60);
        QCOMPARE(g.column(3).width(), 60);
        FixDBGridColumnsWidth(nullptr); // nothing happens
    }

    void titleClickRefitsAndNeitherSortsNorMoves() {
        GridPage page;
        DBGrid& g = *page.grid;
        page.table->fieldByName("_Nome").tag = 30;
        g.onTitleClick = DBGridTitleClick;
        g.moveToRecNo(7);
        const QPoint title = g.cellRect(g.gridColumnOf(2), 0).center();
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, title);
        QCOMPARE(page.recNo(), 7);
        QCOMPARE(page.table->fieldByName("_ID").asInteger(), 7);
        QVERIFY(g.column(1).width() != 120);
    }

    // ---------------------------------------------------------------- grid and cursor

    void gridAndCursorMoveTogether() {
        GridPage page(112);
        DBGrid& g = *page.grid;
        QSignalSpy moved(&g, &DBGrid::currentCellChanged);
        page.click(1, 5);
        QCOMPARE(page.recNo(), 5);
        QVERIFY(moved.count() >= 1);

        QTest::keyClick(&g, Qt::Key_Down);
        QCOMPARE(page.recNo(), 6);
        QTest::keyClick(&g, Qt::Key_PageDown);
        QCOMPARE(page.recNo(), 6 + g.visibleRowCount());
        QTest::keyClick(&g, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(page.recNo(), 112);
        QCOMPARE(g.topRecNo(), 112 - g.visibleRowCount() + 1);
        QTest::keyClick(&g, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(page.recNo(), 1);

        // The cursor moved by code brings the grid along.
        page.table->setRecNo(80);
        QVERIFY(g.topRecNo() <= 80 && 80 < g.topRecNo() + g.visibleRowCount());
        QVERIFY(g.currentCellRect().isValid());
        QCOMPARE(g.MouseCoord(g.currentCellRect().center().x(), g.currentCellRect().center().y()),
                 QPoint(g.gridColumnOf(g.selectedIndex()), 80 - g.topRecNo() + 1));

        // One record per wheel notch.
        QWheelEvent down(QPointF(50, 50), g.viewport()->mapToGlobal(QPointF(50, 50)), QPoint(),
                         QPoint(0, -240), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(g.viewport(), &down);
        QCOMPARE(page.recNo(), 82);

        // Scrolling the bar past the cursor takes the cursor along, on the screen.
        g.verticalScrollBar()->setValue(0);
        QCOMPARE(g.topRecNo(), 1);
        QCOMPARE(page.recNo(), g.visibleRowCount());
        g.verticalScrollBar()->setValue(50);
        QCOMPARE(page.recNo(), 51);
    }

    void mouseCoordUsesGridCoordinates() {
        GridPage page(3);
        DBGrid& g = *page.grid;
        const QRect title = g.cellRect(g.gridColumnOf(1), 0);
        QCOMPARE(g.MouseCoord(title.center().x(), title.center().y()), QPoint(2, 0));
        const QRect first = g.cellRect(g.gridColumnOf(0), 1);
        QCOMPARE(g.MouseCoord(first.center().x(), first.center().y()), QPoint(1, 1));
        QCOMPARE(g.MouseCoord(5, first.center().y()), QPoint(0, 1)); // indicator
        // Below the last record and right of the last column: outside the cells.
        QCOMPARE(g.MouseCoord(first.center().x(), g.viewport()->height() - 2), QPoint(-1, -1));
        QCOMPARE(g.MouseCoord(g.viewport()->width() - 2, first.center().y()), QPoint(-1, -1));
        QCOMPARE(g.MouseCoord(-1, 5), QPoint(-1, -1));

        g.setOption(GridOption::Indicator, false);
        QCOMPARE(g.MouseCoord(first.center().x() - 20, first.center().y()).x(), 0);
    }

    void attachedEditorFollowsTheCurrentCell() {
        GridPage page(112);
        DBGrid& g = *page.grid;
        auto* combo = new DBComboBox(&page.window);
        combo->hide();
        g.attachCellEditor(combo);
        QCOMPARE(combo->parentWidget(), g.viewport());
        QVERIFY(combo->isHidden()); // visibility stays the page's
        page.click(2, 3);
        QCOMPARE(combo->geometry(), g.currentCellRect());
        page.table->setRecNo(90);
        QCOMPARE(combo->geometry(), g.currentCellRect());
        g.horizontalScrollBar()->setValue(g.horizontalScrollBar()->maximum());
        g.setSelectedIndex(3);
        QCOMPARE(combo->geometry().left(), g.currentCellRect().left());
    }

    // ---------------------------------------------------------------- marked rows

    void markedRowsKeepTheOrderOfMarking() {
        GridPage page;
        DBGrid& g = *page.grid;
        g.setOptions(g.options() | GridOption::MultiSelect);
        QSignalSpy changed(&g, &DBGrid::selectedRowsChanged);
        page.click(1, 5, Qt::ControlModifier);
        page.click(1, 2, Qt::ControlModifier);
        page.click(1, 9, Qt::ControlModifier);
        auto ids = [&] {
            QList<int> l;
            for (const Bookmark& b : g.selectedRows())
                l << page.idOf(b);
            return l;
        };
        QCOMPARE(ids(), (QList<int>{5, 2, 9}));
        QCOMPARE(page.recNo(), 9);
        page.click(1, 2, Qt::ControlModifier); // toggles row 2 off
        QCOMPARE(ids(), (QList<int>{5, 9}));
        // Shift-click marks from the anchor (the last clicked row, 2) to the clicked row, top to
        // bottom, after the rows already marked.
        page.click(1, 12, Qt::ShiftModifier);
        QCOMPARE(ids(), (QList<int>{5, 9, 2, 3, 4, 6, 7, 8, 10, 11, 12}));
        QCOMPARE(page.recNo(), 12);
        // Marking the current row again (as an apply does) changes nothing; a new one goes last.
        g.setCurrentRowSelected(true);
        QCOMPARE(g.selectedRowCount(), 11);
        page.table->setRecNo(20);
        g.setCurrentRowSelected(true);
        QCOMPARE(ids().last(), 20);
        QVERIFY(changed.count() >= 5);
        // Switching multi-select off drops the marks.
        g.setOption(GridOption::MultiSelect, false);
        QCOMPARE(g.selectedRowCount(), 0);
    }

    void shiftWithArrowsMarksThePassedRows() {
        GridPage page;
        DBGrid& g = *page.grid;
        g.setOptions(g.options() | GridOption::MultiSelect);
        page.click(1, 3);
        QTest::keyClick(&g, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(&g, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(g.selectedRowCount(), 3);
        QTest::keyClick(&g, Qt::Key_Down); // a plain move drops them
        QCOMPARE(g.selectedRowCount(), 0);
    }

    void marksOfDeletedRowsGo() {
        GridPage page;
        DBGrid& g = *page.grid;
        g.setOptions(g.options() | GridOption::MultiSelect);
        page.click(1, 2, Qt::ControlModifier);
        page.click(1, 3, Qt::ControlModifier);
        page.table->setRecNo(2);
        page.table->deleteRecord();
        QCOMPARE(g.selectedRowCount(), 1);
        QCOMPARE(page.idOf(g.selectedRows().front()), 3);
    }

    // ---------------------------------------------------------------- in-place editing

    void maskedEntryIsWrittenAndPostedWhenTheRowChanges() {
        GridPage page;
        DBGrid& g = *page.grid;
        BoxAnswerer boxes;
        page.click(2, 4); // _Ora of row 4
        QTest::keyClicks(&g, QStringLiteral("1234"));
        QVERIFY(g.editorMode());
        QCOMPARE(g.inplaceEditor()->text(), QStringLiteral("12:34"));
        QCOMPARE(page.table->state(), DataSetState::Edit);
        QTest::keyClick(&g, Qt::Key_Down);
        QCOMPARE(page.recNo(), 5);
        QCOMPARE(page.table->state(), DataSetState::Browse);
        QCOMPARE(page.table->stringAt(4, page.table->fieldByName("_Ora").index()), QStringLiteral("12:34"));
        QCOMPARE(boxes.count(), 0);
    }

    void incompleteEntryStaysAndSaysWhy() {
        GridPage page;
        DBGrid& g = *page.grid;
        BoxAnswerer boxes;
        const QString before = page.table->stringAt(4, page.table->fieldByName("_Ora").index());
        page.click(2, 4);
        QTest::keyClicks(&g, QStringLiteral("1"));
        page.click(2, 7); // refused: the mask wants more digits
        QCOMPARE(page.recNo(), 4);
        QCOMPARE(boxes.count(QStringLiteral("ShowMessage")), 1);
        QVERIFY(g.editorMode());
        QVERIFY(g.inplaceEditor()->text().contains(QLatin1Char('1'))); // nothing typed is lost
        QTest::keyClick(&g, Qt::Key_Escape);                           // drop the entry
        QVERIFY(!g.editorMode());
        page.click(2, 7);
        QCOMPARE(page.recNo(), 7);
        QCOMPARE(page.table->stringAt(4, page.table->fieldByName("_Ora").index()), before);
    }

    void refusedValueShowsTheEngineMessage() {
        GridPage page;
        DBGrid& g = *page.grid;
        BoxAnswerer boxes;
        page.table->fieldByName("_Tempo").onValidate = [](Field& f) {
            if (f.asInteger() > 240)
                throw DataSetError(QStringLiteral("Tempo oltre 240"));
        };
        page.click(3, 2);
        QTest::keyClick(&g, Qt::Key_F2);
        g.inplaceEditor()->selectAll();
        QTest::keyClicks(&g, QStringLiteral("999"));
        QTest::keyClick(&g, Qt::Key_Return);
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Tempo oltre 240")});
        QVERIFY(g.editorMode());
        QCOMPARE(g.inplaceEditor()->text(), QStringLiteral("999"));
    }

    void readOnlyColumnsAndTheOptionKeepTheEditorShut() {
        GridPage page;
        DBGrid& g = *page.grid;
        page.click(0, 2); // _ID, read-only
        QTest::keyClicks(&g, QStringLiteral("7"));
        QVERIFY(!g.editorMode());
        QCOMPARE(page.table->state(), DataSetState::Browse);
        g.setOption(GridOption::Editing, false);
        page.click(1, 2);
        QTest::keyClicks(&g, QStringLiteral("x"));
        QVERIFY(!g.editorMode());
    }

    void keyHandlersCanSwallowKeys() {
        GridPage page;
        DBGrid& g = *page.grid;
        g.onKeyDown = [](DBGrid&, QKeyEvent& e) { return e.key() == Qt::Key_Down; };
        g.onKeyPress = [](DBGrid&, QChar& c) {
            if (c == QLatin1Char('x'))
                c = QChar();
        };
        page.click(1, 2);
        QTest::keyClick(&g, Qt::Key_Down);
        QCOMPARE(page.recNo(), 2);
        QTest::keyClicks(&g, QStringLiteral("x"));
        QVERIFY(!g.editorMode());
        QTest::keyClicks(&g, QStringLiteral("y"));
        QVERIFY(g.editorMode());
    }

    void cellClickComesAfterTheCursorMoved() {
        GridPage page;
        DBGrid& g = *page.grid;
        int seenRecNo = 0;
        QString seenColumn;
        g.onCellClick = [&](DBGridColumn& c) {
            seenRecNo = page.table->recNo();
            seenColumn = c.fieldName();
        };
        page.click(2, 6);
        QCOMPARE(seenRecNo, 6);
        QCOMPARE(seenColumn, QStringLiteral("_Ora"));
    }

    // ---------------------------------------------------------------- hovered row

    void mouseMovesRepaintOncePerRowChange() {
        GridPage page;
        DBGrid& g = *page.grid;
        GridPage other;
        GridMouseTracker tracker;
        tracker.attach(g);
        tracker.attach(*other.grid);
        auto move = [](DBGrid& grid, QPoint pos) {
            QMouseEvent e(QEvent::MouseMove, pos, grid.viewport()->mapToGlobal(pos), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(grid.viewport(), &e);
        };
        QCoreApplication::processEvents();
        move(g, page.cellCentre(1, 3));
        const int start = g.paintCount();
        QCOMPARE(tracker.MouseOverRow(), 3);
        move(g, page.cellCentre(2, 3));
        move(g, page.cellCentre(3, 3) + QPoint(3, 1));
        QCOMPARE(g.paintCount(), start); // along one row: no repaint
        move(g, page.cellCentre(1, 4));
        QCOMPARE(g.paintCount(), start + 1);
        move(g, page.cellCentre(1, 6));
        QCOMPARE(g.paintCount(), start + 2);
        QCOMPARE(tracker.MouseOverRow(), 6);

        // Into another grid on another row: the grid being left repaints.
        const int otherStart = other.grid->paintCount();
        move(*other.grid, other.cellCentre(1, 2));
        QCOMPARE(g.paintCount(), start + 3);
        QCOMPARE(other.grid->paintCount(), otherStart);
        QCOMPARE(tracker.senderMouseMove(), other.grid);

        // The cursor: not allowed over the indicator and read-only columns, a hand elsewhere.
        move(g, page.cellCentre(0, 2));
        QCOMPARE(g.viewport()->cursor().shape(), Qt::ForbiddenCursor);
        move(g, page.cellCentre(1, 2));
        QCOMPARE(g.viewport()->cursor().shape(), Qt::PointingHandCursor);
        move(g, QPoint(4, page.cellCentre(1, 2).y()));
        QCOMPARE(g.viewport()->cursor().shape(), Qt::ForbiddenCursor);
    }

    void registerStylePaintsTheHoveredRow() {
        GridPage page;
        DBGrid& g = *page.grid;
        GridMouseTracker tracker;
        tracker.attach(g);
        const GridCellStyle style = registerWindowCellStyle();
        g.setDefaultDrawing(false);
        g.onDrawColumnCell = [&](DBGrid& grid, QPainter& p, const QRect& r, int dataCol, DBGridColumn& c,
                                 GridDrawState s) {
            ColoraGriglia(grid, p, r, dataCol, c, s, style, &tracker);
        };
        tracker.DBGridMouseMove(g, {}, page.cellCentre(1, 5).x(), page.cellCentre(1, 5).y());
        const QImage img = viewportImage(g);
        QCOMPARE(dominantColor(img, g.cellRect(g.gridColumnOf(1), 5)), QColor(192, 192, 192));
        QCOMPARE(darkestColor(img, g.cellRect(g.gridColumnOf(1), 5)).blue() > 100, true); // navy text
        QCOMPARE(dominantColor(img, g.cellRect(g.gridColumnOf(1), 6)), QColor(Qt::white));
    }

    // ---------------------------------------------------------------- lookups and widths

    void searchIndexColumnAndGetNameTable() {
        GridPage page;
        QCOMPARE(SearchIndexColumn(*page.grid, QStringLiteral("_Ora")), 2);
        QCOMPARE(SearchIndexColumn(*page.grid, QStringLiteral("_ID")), 0);
        QCOMPARE(SearchIndexColumn(*page.grid, QStringLiteral("_Missing")), 0);
        QCOMPARE(SearchIndexColumn(*page.grid, QStringLiteral("_ora")), 0); // exact, case-sensitive

        auto phones = makeTextTable(QStringLiteral("CDSet_Phone"), {QStringLiteral("_Nome")},
                                    {QStringLiteral("Casa"), QStringLiteral("Ufficio"),
                                     QStringLiteral("Vigilanza"), QStringLiteral("Mario")});
        phones->setRecNo(2);
        QCOMPARE(GetNameTable(*phones, QStringLiteral("_Nome"), 3), QStringLiteral("Vigilanza"));
        QCOMPARE(GetNameTable(*phones, QStringLiteral("_Nome"), 8), QString());
        QCOMPARE(phones->recNo(), 2); // the cursor did not move
        QVERIFY_THROWS_EXCEPTION(DataSetError, GetNameTable(*phones, QStringLiteral("_Numero"), 1));
        phones->emptyDataSet();
        QCOMPARE(GetNameTable(*phones, QStringLiteral("_Nome"), 1), QString());
    }

    void comboBoxAutoWidth() {
        QWidget w;
        auto* combo = new DBComboBox(&w);
        combo->setItems({QStringLiteral("ON"), QStringLiteral("OFF")});
        combo->resize(300, 22);
        ComboBox_AutoWidth(combo); // wide enough: nothing changes, no scroll bar allowance
        QCOMPARE(combo->dropDownWidth(), 0);

        QStringList many;
        for (int i = 0; i < 30; ++i)
            many << QStringLiteral("Messaggio vocale numero %1").arg(i);
        combo->setItems(many);
        combo->resize(60, 22);
        ComboBox_AutoWidth(combo);
        const int text = combo->fontMetrics().horizontalAdvance(many.last()) + 28;
        QCOMPARE(combo->dropDownWidth(),
                 text + combo->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, combo));

        auto users = makeTextTable(QStringLiteral("CDSet_Utenti"), {QStringLiteral("_Nome")},
                                   {QStringLiteral("Mario"), QStringLiteral("Servizio Tecnico")});
        DataSource source(users.get());
        auto* lookup = new DBLookupComboBox(&w);
        lookup->setListSource(&source);
        lookup->setKeyField(QStringLiteral("_Nome"));
        lookup->setListField(QStringLiteral("_Nome"));
        lookup->resize(40, 22);
        ComboBox_AutoWidth(lookup);
        QCOMPARE(lookup->dropDownWidth(),
                 6 * 16 + 8 + lookup->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, lookup));
        QCOMPARE(users->recNo(), 1); // the list's cursor stays where it was
        ComboBox_AutoWidth(&w);      // anything else: nothing
    }
};

QTEST_MAIN(DBGridTest)
#include "test_dbgrid.moc"
