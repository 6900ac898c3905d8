// The data grid and the shared grid painters: painted pixels that matter, column fitting,
// the grid and the table's cursor moving together, marked rows, in-place editing with edit
// masks, the hovered-row tracking and the small lookups.

#include "platform/colors.h"
#include "platform/dbcontrols.h"
#include "platform/dbgrid.h"
#include "platform/dialogs.h"
#include "platform/gridpaint.h"
#include "support/realkeys.h"
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
        RealKeys::activate(&window); // keys go to the focus widget of the active window
    }
    int recNo() const { return table->recNo(); }
    QRect cell(int dataCol, int row) const { return grid->cellRect(grid->gridColumnOf(dataCol), row); }
    // Centre of the data cell (data column, data row counted from 1 at the top).
    QPoint cellCentre(int dataCol, int row) const { return cell(dataCol, row).center(); }
    void click(int dataCol, int row, Qt::KeyboardModifiers mods = {}) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, mods, cellCentre(dataCol, row));
    }
    void multiSelect() { grid->setOptions(grid->options() | GridOption::MultiSelect); }
    // The page painter alone paints the cells.
    void paintLikeAPage() {
        grid->setDefaultDrawing(false);
        grid->onDrawColumnCell = [](DBGrid& g, QPainter& p, const QRect& r, int dataCol, DBGridColumn& c,
                                    GridDrawState s) { ColoraGriglia(g, p, r, dataCol, c, s); };
    }
    // Adds a check-box column over _Enable (rows 1..4 True, row 5 False); gives its data column.
    int addCheckBoxes(int width, bool enabled) {
        const int boxCol = grid->addColumn(QStringLiteral("_Enable"), QString(), width).index();
        grid->onDrawColumnCell = [boxCol, enabled](DBGrid& g, QPainter& p, const QRect& r, int dataCol,
                                                   DBGridColumn& c, GridDrawState) {
            if (dataCol == boxCol)
                DrawCheckBoxes(g, p, r, c, enabled);
        };
        return boxCol;
    }
    QList<int> markedIds() const {
        QList<int> ids;
        auto clone = table->cloneCursor();
        for (const Bookmark& b : grid->selectedRows()) {
            clone->gotoBookmark(b);
            ids << clone->fieldByName(QStringLiteral("_ID")).asInteger();
        }
        return ids;
    }
    // Fitting tags of _ID, _Nome, _Ora, _Tempo: 0 keeps the width, else the column's minimum.
    void setTags(const QList<int>& tags) {
        int i = 0;
        for (const char* f : {"_ID", "_Nome", "_Ora", "_Tempo"})
            table->fieldByName(QLatin1String(f)).tag = tags[i++];
    }
    QString storedOra(int recNo) const {
        return table->stringAt(recNo, table->fieldByName(QStringLiteral("_Ora")).index());
    }
};

// How many pixels of each colour a rectangle of an image holds.
QHash<QRgb, int> colourCounts(const QImage& image, const QRect& r) {
    QHash<QRgb, int> counts;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ++counts[image.pixel(x, y)];
    return counts;
}
int countColor(const QImage& image, const QRect& r, const QColor& color) {
    return colourCounts(image, r).value(color.rgb());
}
// The colour that covers most of a rectangle (the cell's background).
QColor dominantColor(const QImage& image, const QRect& r) {
    const auto counts = colourCounts(image, r);
    return QColor::fromRgb(std::max_element(counts.begin(), counts.end()).key());
}
// The darkest colour of a rectangle (the core of its text).
QColor darkestColor(const QImage& image, const QRect& r) {
    QColor darkest = Qt::white;
    for (QRgb c : colourCounts(image, r).keys())
        if (QColor(c).lightness() < darkest.lightness())
            darkest = QColor(c);
    return darkest;
}

QImage viewportImage(DBGrid& grid, qreal ratio = 1.0) {
    return renderWidget(*grid.viewport(), ratio);
}

void moveMouse(DBGrid& grid, QPoint pos) {
    QMouseEvent e(QEvent::MouseMove, pos, grid.viewport()->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(grid.viewport(), &e);
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
        page.paintLikeAPage();
        g.moveToRecNo(3);

        // Read-only column holding the current cell: inactive-border background, black text.
        g.setSelectedIndex(0);
        QImage img = viewportImage(g);
        QCOMPARE(dominantColor(img, page.cell(0, 3)), sysColor(COLOR_INACTIVEBORDER));
        QCOMPARE(darkestColor(img, page.cell(0, 3)), QColor(Qt::black));

        // Editable column: white background; the text takes the active-caption colour and gets bold.
        g.setSelectedIndex(1);
        img = viewportImage(g);
        const QRect cell = page.cell(1, 3), other = page.cell(1, 4); // same text length, not current
        QCOMPARE(dominantColor(img, cell), QColor(Qt::white));
        QCOMPARE(darkestColor(img, other), QColor(Qt::black));
        QVERIFY(countColor(img, cell, sysColor(COLOR_ACTIVECAPTION)) > countColor(img, other, Qt::black));
        QCOMPARE(dominantColor(img, page.cell(0, 5)),
                 sysColor(COLOR_INACTIVEBORDER)); // read-only, not current

        // Painting reads every visible row without moving the cursor or writing anything.
        int scrolls = 0;
        page.table->afterScroll = [&](DataSet&) { ++scrolls; };
        QSignalSpy changes(page.source.get(), &DataSource::recordChanged);
        viewportImage(g, 2.0);
        QCOMPARE(scrolls + changes.count(), 0);
        QCOMPARE(page.recNo(), 3);
        QCOMPARE(page.table->state(), DataSetState::Browse);

        // Marked rows keep the highlight in every column; the current row unmarked does not.
        page.multiSelect();
        for (int row : {2, 4, 6, 6})
            page.click(2, row, Qt::ControlModifier);
        img = viewportImage(g);
        for (int row : {2, 4})
            for (int c = 0; c < g.columnCount(); ++c)
                QCOMPARE(dominantColor(img, page.cell(c, row)), sysColor(COLOR_HIGHLIGHT));
        QCOMPARE(dominantColor(img, page.cell(1, 6)), QColor(Qt::white));
    }

    void checkBoxGeometryAndTick_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("11 px, 100%") << 11 << 1.0 << true;
        QTest::newRow("7 px, 100%") << 7 << 1.0 << true;
        QTest::newRow("26 px, 200%") << 26 << 2.0 << true;
        QTest::newRow("7 px, 200%") << 7 << 2.0 << true;
        QTest::newRow("disabled") << 26 << 1.0 << false;
    }
    void checkBoxGeometryAndTick() {
        QFETCH(int, width);
        QFETCH(qreal, ratio);
        QFETCH(bool, enabled);
        GridPage page;
        const int boxCol = page.addCheckBoxes(width, enabled);
        const QImage img = viewportImage(*page.grid, ratio);
        if (!enabled) { // a disabled box is a cross whatever the value: never a tick
            const QRect on = page.cell(boxCol, 1), off = page.cell(boxCol, 5);
            QCOMPARE(img.copy(on), img.copy(off));
            QVERIFY(countColor(img, on, Qt::black) > 0);           // the cross
            QCOMPARE(countColor(img, on, QColor(255, 0, 255)), 0); // no box
            return;
        }
        const QColor fuchsia(255, 0, 255), yellow(255, 255, 0), black(Qt::black), white(Qt::white);
        for (int row : {1, 5}) {
            // An 11-pixel box centred in the cell (truncated toward zero: it overhangs a narrow cell).
            const QRect cell = page.cell(boxCol, row);
            const int left = cell.left() + (cell.width() - 11) / 2;
            const int top = cell.top() + (cell.height() - 11) / 2;
            auto px = [&](int x, int y) { return img.pixelColor(int(x * ratio), int(y * ratio)); };
            QCOMPARE(px(left, top + 5), fuchsia);    // middle square
            QCOMPARE(px(left + 1, top + 5), yellow); // inner square
            QCOMPARE(px(left - 2, top + 5), black);  // outer square
            if (width >= 11)
                QCOMPARE(px(left - 1, top + 5), white); // the cell's window colour between
            // The tick's lowest pixel and its top right end; nothing below the lowest point.
            const bool ticked = row == 1;
            QCOMPARE(px(left + 4, top + 8), ticked ? black : white);
            QCOMPARE(px(left + 8, top + 1), ticked ? black : yellow);
            QCOMPARE(px(left + 4, top + 9), yellow);
            if (ratio > 1) // crisp at 200%: one logical pixel is two whole device pixels
                QCOMPARE(img.pixelColor(int(left * ratio) + 1, int((top + 5) * ratio)), fuchsia);
        }
    }

    // ---------------------------------------------------------------- column fitting

    void fittingSharesTheFreeWidth() {
        GridPage page;
        DBGrid& g = *page.grid;
        page.setTags({0, 30, 30, 25});
        g.column(3).setVisible(false);
        // used = 40 + 120 + 60 + (-1 for the hidden column) + 4 column lines + 20 indicator
        const int share = (g.viewport()->width() - (40 + 120 + 60 - 1 + 4 + 20)) / 3;
        FixDBGridColumnsWidth(&g);
        QCOMPARE(g.column(0).width(), 40);
        QCOMPARE(g.column(1).width(), 120 + share);
        QCOMPARE(g.column(2).width(), 60 + share);
        QCOMPARE(g.column(3).storedWidth(), 25); // a hidden resizable column ends at its minimum
        FixDBGridColumnsWidth(nullptr);          // nothing happens
    }

    void negativeShareShrinksButNotBelowMinimumAndTitleClickRefits() {
        GridPage page;
        DBGrid& g = *page.grid;
        page.setTags({0, 100, 20, 0});
        // Make the columns overflow by an odd amount: the share truncates toward zero.
        const int over = 57;
        g.column(1).setWidth(g.viewport()->width() - (40 + 60 + 60 + 4 + 20) + over);
        const int nome = g.column(1).width();
        FixDBGridColumnsWidth(&g);
        QCOMPARE(g.column(1).width(), nome - 28); // not 29
        QCOMPARE(g.column(2).width(), 60 - 28);
        QCOMPARE(g.column(3).width(), 60);
        // Far too wide: both stop at their minimum.
        g.column(1).setWidth(5000);
        FixDBGridColumnsWidth(&g);
        QVERIFY(g.column(1).width() >= 100);
        QCOMPARE(g.column(2).width(), 20);

        // A title click refits, and neither sorts the table nor moves its cursor.
        g.onTitleClick = DBGridTitleClick;
        g.moveToRecNo(7);
        g.column(1).setWidth(300);
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, page.cell(0, 0).center());
        QVERIFY(g.column(1).width() != 300);
        QCOMPARE(page.recNo(), 7);
        QCOMPARE(page.table->fieldByName("_ID").asInteger(), 7);
    }

    // ---------------------------------------------------------------- grid and cursor

    void gridAndCursorMoveTogether() {
        GridPage page(112);
        DBGrid& g = *page.grid;
        QSignalSpy moved(&g, &DBGrid::currentCellChanged);
        page.click(1, 5);
        QCOMPARE(page.recNo(), 5);
        QVERIFY(moved.count() >= 1);
        RealKeys::type(QStringLiteral("{Down}"));
        RealKeys::chord(Qt::Key_PageDown, Qt::NoModifier);
        QCOMPARE(page.recNo(), 6 + g.visibleRowCount());
        RealKeys::chord(Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(page.recNo(), 112);
        QCOMPARE(g.topRecNo(), 112 - g.visibleRowCount() + 1);
        RealKeys::chord(Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(page.recNo(), 1);

        // The cursor moved by code brings the grid along.
        page.table->setRecNo(80);
        QVERIFY(g.topRecNo() <= 80 && 80 < g.topRecNo() + g.visibleRowCount());
        const QPoint centre = g.currentCellRect().center();
        QCOMPARE(g.MouseCoord(centre.x(), centre.y()),
                 QPoint(g.gridColumnOf(g.selectedIndex()), 80 - g.topRecNo() + 1));

        // One record per wheel notch.
        QWheelEvent down(QPointF(50, 50), g.viewport()->mapToGlobal(QPointF(50, 50)), QPoint(),
                         QPoint(0, -240), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(g.viewport(), &down);
        QCOMPARE(page.recNo(), 82);

        // Scrolling the bar past the cursor takes the cursor along, on the screen.
        g.verticalScrollBar()->setValue(0);
        QCOMPARE(page.recNo(), g.visibleRowCount());
        g.verticalScrollBar()->setValue(50);
        QCOMPARE(page.recNo(), 51);
    }

    void mouseCoordUsesGridCoordinates() {
        GridPage page(3);
        DBGrid& g = *page.grid;
        const QPoint title = page.cellCentre(1, 0), first = page.cellCentre(0, 1);
        QCOMPARE(g.MouseCoord(title.x(), title.y()), QPoint(2, 0));
        QCOMPARE(g.MouseCoord(first.x(), first.y()), QPoint(1, 1));
        QCOMPARE(g.MouseCoord(5, first.y()), QPoint(0, 1)); // indicator
        // Below the last record and right of the last column: outside the cells.
        QCOMPARE(g.MouseCoord(first.x(), g.viewport()->height() - 2), QPoint(-1, -1));
        QCOMPARE(g.MouseCoord(g.viewport()->width() - 2, first.y()), QPoint(-1, -1));
        g.setOption(GridOption::Indicator, false);
        QCOMPARE(g.MouseCoord(first.x() - 20, first.y()).x(), 0);
    }

    void attachedEditorFollowsTheCurrentCell() {
        GridPage page(112);
        DBGrid& g = *page.grid;
        auto* combo = new DBComboBox(&page.window);
        combo->hide();
        g.attachCellEditor(combo);
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
        page.multiSelect();
        QSignalSpy changed(&g, &DBGrid::selectedRowsChanged);
        for (int row : {5, 2, 9})
            page.click(1, row, Qt::ControlModifier);
        QCOMPARE(page.markedIds(), (QList<int>{5, 2, 9}));
        page.click(1, 2, Qt::ControlModifier); // toggles row 2 off
        QCOMPARE(page.markedIds(), (QList<int>{5, 9}));
        // Shift-click marks from the anchor (the last clicked row, 2) to the clicked row, top to
        // bottom, after the rows already marked.
        page.click(1, 12, Qt::ShiftModifier);
        QCOMPARE(page.markedIds(), (QList<int>{5, 9, 2, 3, 4, 6, 7, 8, 10, 11, 12}));
        // Marking the current row again (as an apply does) changes nothing; a new one goes last.
        g.setCurrentRowSelected(true);
        QCOMPARE(g.selectedRowCount(), 11);
        page.table->setRecNo(20);
        g.setCurrentRowSelected(true);
        QCOMPARE(page.markedIds().last(), 20);
        QVERIFY(changed.count() >= 5);
        page.click(1, 6); // a plain click drops the marks
        QCOMPARE(g.selectedRowCount(), 0);
        const int from = page.recNo();
        // Shift with the arrows marks the passed rows; a plain move drops them.
        RealKeys::chord(Qt::Key_Down, Qt::ShiftModifier);
        RealKeys::chord(Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(page.markedIds(), (QList<int>{from, from + 1, from + 2}));
        RealKeys::type(QStringLiteral("{Down}"));
        QCOMPARE(g.selectedRowCount(), 0);
        // The mark of a deleted row goes; turning multi-select off drops the rest.
        for (int rec : {3, 2}) {
            page.table->setRecNo(rec);
            g.setCurrentRowSelected(true);
        }
        page.table->deleteRecord(); // record 2
        QCOMPARE(page.markedIds(), QList<int>{3});
        g.setOption(GridOption::MultiSelect, false);
        QCOMPARE(g.selectedRowCount(), 0);
    }

    // ---------------------------------------------------------------- in-place editing

    void inPlaceEntryIsCheckedThenPostedWhenTheRowChanges() {
        GridPage page;
        DBGrid& g = *page.grid;
        BoxAnswerer boxes;
        const QString before = page.storedOra(4);
        page.click(2, 4); // _Ora of row 4
        RealKeys::type(QStringLiteral("1"));
        page.click(2, 7); // refused: the mask wants more digits
        QCOMPARE(page.recNo(), 4);
        QCOMPARE(boxes.count(QStringLiteral("ShowMessage")), 1);
        QVERIFY(g.inplaceEditor()->text().contains(QLatin1Char('1'))); // nothing typed is lost
        RealKeys::type(QStringLiteral("{Esc}"));                       // drop the entry
        QVERIFY(!g.editorMode());
        QCOMPARE(page.storedOra(4), before);
        // Closing the editor leaves the current cell where it was.
        QCOMPARE(g.selectedIndex(), 2);

        page.click(2, 4);
        RealKeys::type(QStringLiteral("1234"));
        QCOMPARE(g.inplaceEditor()->text(), QStringLiteral("12:34"));
        QCOMPARE(page.table->state(), DataSetState::Edit);
        RealKeys::type(QStringLiteral("{Down}"));
        QCOMPARE(page.recNo(), 5);
        QCOMPARE(page.table->state(), DataSetState::Browse);
        QCOMPARE(page.storedOra(4), QStringLiteral("12:34"));

        // A value the engine refuses: its message, and the editor keeps the text.
        page.table->fieldByName("_Tempo").onValidate = [](Field& f) {
            if (f.asInteger() > 240)
                throw DataSetError(QStringLiteral("Tempo oltre 240"));
        };
        boxes.clear();
        page.click(3, 2);
        RealKeys::type(QStringLiteral("{F2}")); // opens the editor with its text selected
        RealKeys::type(QStringLiteral("999"));
        RealKeys::type(QStringLiteral("{Ret}"));
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Tempo oltre 240")});
        QCOMPARE(g.inplaceEditor()->text(), QStringLiteral("999"));
    }

    void handlersAndReadOnlyCellsKeepTheEditorShut() {
        GridPage page;
        DBGrid& g = *page.grid;
        g.onKeyDown = [](DBGrid&, QKeyEvent& e) { return e.key() == Qt::Key_Down; };
        g.onKeyPress = [](DBGrid&, QChar& c) {
            if (c == QLatin1Char('x'))
                c = QChar();
        };
        QString seen;
        g.onCellClick = [&](DBGridColumn& c) {
            seen = QStringLiteral("%1 %2").arg(page.recNo()).arg(c.fieldName());
        };
        page.click(2, 6);
        QCOMPARE(seen, QStringLiteral("6 _Ora")); // the click comes after the cursor moved
        RealKeys::type(QStringLiteral("{Down}"));
        QCOMPARE(page.recNo(), 6);
        RealKeys::type(QStringLiteral("x"));
        QVERIFY(!g.editorMode());
        RealKeys::type(QStringLiteral("1"));
        QVERIFY(g.editorMode());
        RealKeys::type(QStringLiteral("{Esc}"));

        // Read-only columns and the option keep the editor shut.
        page.click(0, 2); // _ID, read-only
        RealKeys::type(QStringLiteral("7"));
        QVERIFY(!g.editorMode());
        g.setOption(GridOption::Editing, false);
        page.click(1, 2);
        RealKeys::type(QStringLiteral("y"));
        QVERIFY(!g.editorMode());
        QCOMPARE(page.table->state(), DataSetState::Browse);
    }

    // ---------------------------------------------------------------- hovered row

    void mouseMovesRepaintOncePerRowChange() {
        GridPage page, other;
        DBGrid& g = *page.grid;
        GridMouseTracker tracker;
        tracker.attach(g);
        tracker.attach(*other.grid);
        QCoreApplication::processEvents();
        moveMouse(g, page.cellCentre(1, 3));
        const int start = g.paintCount();
        QCOMPARE(tracker.MouseOverRow(), 3);
        moveMouse(g, page.cellCentre(2, 3));
        moveMouse(g, page.cellCentre(3, 3) + QPoint(3, 1));
        QCOMPARE(g.paintCount(), start); // along one row: no repaint
        moveMouse(g, page.cellCentre(1, 4));
        moveMouse(g, page.cellCentre(1, 6));
        QCOMPARE(g.paintCount(), start + 2);
        QCOMPARE(tracker.MouseOverRow(), 6);

        // Into another grid on another row: the grid being left repaints.
        const int otherStart = other.grid->paintCount();
        moveMouse(*other.grid, other.cellCentre(1, 2));
        QCOMPARE(g.paintCount(), start + 3);
        QCOMPARE(other.grid->paintCount(), otherStart);
        QCOMPARE(tracker.senderMouseMove(), other.grid);

        // The cursor: not allowed over the indicator and read-only columns, a hand elsewhere.
        moveMouse(g, page.cellCentre(0, 2));
        QCOMPARE(g.viewport()->cursor().shape(), Qt::ForbiddenCursor);
        moveMouse(g, page.cellCentre(1, 2));
        QCOMPARE(g.viewport()->cursor().shape(), Qt::PointingHandCursor);
        moveMouse(g, QPoint(4, page.cellCentre(1, 2).y()));
        QCOMPARE(g.viewport()->cursor().shape(), Qt::ForbiddenCursor);

        // The register window's painter marks the hovered row.
        const GridCellStyle style = registerWindowCellStyle();
        g.setDefaultDrawing(false);
        g.onDrawColumnCell = [&](DBGrid& grid, QPainter& p, const QRect& r, int dataCol, DBGridColumn& c,
                                 GridDrawState s) {
            ColoraGriglia(grid, p, r, dataCol, c, s, style, &tracker);
        };
        moveMouse(g, page.cellCentre(1, 5));
        const QImage img = viewportImage(g);
        QCOMPARE(dominantColor(img, page.cell(1, 5)), QColor(192, 192, 192));
        QVERIFY(darkestColor(img, page.cell(1, 5)).blue() > 100); // navy text
        QCOMPARE(dominantColor(img, page.cell(1, 6)), QColor(Qt::white));
    }

    // ---------------------------------------------------------------- lookups and widths

    void searchIndexColumnAndGetNameTable() {
        GridPage page;
        QCOMPARE(SearchIndexColumn(*page.grid, QStringLiteral("_Ora")), 2);
        QCOMPARE(SearchIndexColumn(*page.grid, QStringLiteral("_Missing")), 0);
        QCOMPARE(SearchIndexColumn(*page.grid, QStringLiteral("_ora")), 0); // exact, case-sensitive

        auto phones =
            makeTextTable(QStringLiteral("CDSet_Phone"), {QStringLiteral("_Nome")},
                          {QStringLiteral("Casa"), QStringLiteral("Ufficio"), QStringLiteral("Vigilanza")});
        phones->setRecNo(2);
        QCOMPARE(GetNameTable(*phones, QStringLiteral("_Nome"), 3), QStringLiteral("Vigilanza"));
        QCOMPARE(GetNameTable(*phones, QStringLiteral("_Nome"), 8), QString());
        QCOMPARE(phones->recNo(), 2); // the cursor did not move
        QVERIFY_THROWS_EXCEPTION(DataSetError, GetNameTable(*phones, QStringLiteral("_Numero"), 1));
    }

    void comboBoxAutoWidth() {
        QWidget w;
        auto* combo = new DBComboBox(&w);
        combo->setItems({QStringLiteral("ON"), QStringLiteral("OFF")});
        combo->resize(300, 22);
        ComboBox_AutoWidth(combo); // wide enough: nothing changes, no scroll bar allowance
        QCOMPARE(combo->dropDownWidth(), 0);
        const QString longest = QStringLiteral("Messaggio vocale numero 30");
        combo->setItems({QStringLiteral("ON"), longest});
        combo->resize(60, 22);
        ComboBox_AutoWidth(combo); // the longest item fits, beside the scroll bar
        QVERIFY(combo->dropDownWidth() > combo->fontMetrics().horizontalAdvance(longest) + 20);
        // A lookup list is as wide as its list field's size allows, plus the scroll bar.
        auto users = makeUserTable();
        DataSource source(users.get());
        auto* lookup = new DBLookupComboBox(&w);
        listNames(lookup, &source);
        lookup->resize(40, 22);
        ComboBox_AutoWidth(lookup);
        QCOMPARE(lookup->dropDownWidth(), // 16: "Servizio Tecnico"
                 6 * 16 + 8 + lookup->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, lookup));
        QCOMPARE(users->recNo(), 1); // the list's cursor stays where it was
        ComboBox_AutoWidth(&w);      // anything else: nothing
    }
};

QTEST_MAIN(DBGridTest)
#include "test_dbgrid.moc"
