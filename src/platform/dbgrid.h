#pragma once
// DBGrid: the owner-drawn data grid of every page. It shows one table through a DataSource, one
// row per record, in columns bound to fields. The grid's current row IS the table's cursor: a
// click, an arrow key, the wheel or the scroll bar moves the cursor, and a cursor moved by code
// moves the grid.
//
// Painting: for every visible data cell the grid prepares the cell's canvas (brush, font and
// font colour: highlight colours for marked rows and the selected cell, else the column's),
// draws the default face when defaultDrawing() is on, then calls onDrawColumnCell. A handler
// reads the PAINTED row through paintedRecNo(), paintedText(), paintedValue() and
// paintedBoolean(): the table's cursor stays where it is while the grid paints. Painting only
// paints: a handler must not write to tables, move cursors or change widgets.
//
// Grid coordinates (MouseCoord, cellRect): column 0 is the indicator when the grid shows one,
// then the data columns; row 0 is the title row when titles are shown, then the visible data
// rows from the top; -1 is outside the cells. Pixel positions are viewport coordinates.
//
// Marked rows (multi-select): an ordered list of bookmarks. Ctrl-click toggles the clicked row,
// shift-click marks every row from the anchor to the clicked row (top to bottom), shift with
// up/down marks the rows passed, a plain click or a plain cursor key drops the marks, and
// switching multi-select off drops them. The list keeps the order in which rows were marked;
// that is the order in which a multi-row apply walks them.

#include "platform/dataset.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QFlags>
#include <QFont>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class DBGrid;
class MaskedLineEdit;
class QPainter;
class QStaticText;

enum class GridDrawFlag : quint8 {
    Selected = 0x1, // the grid's current cell (the current row on row-select grids), shown
                    // while the grid has the focus or always with AlwaysShowSelection
    Focused = 0x2,  // the current cell of the grid that has the keyboard focus
    Fixed = 0x4     // a title or indicator cell
};
Q_DECLARE_FLAGS(GridDrawState, GridDrawFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(GridDrawState)

enum class GridOption : quint32 {
    Editing = 0x1,      // in-place text editing of the current cell
    Titles = 0x2,       // the title row
    Indicator = 0x4,    // the row indicator column
    ColumnResize = 0x8, // column widths can be dragged in the title row
    ColLines = 0x10,    // one-pixel lines between columns
    RowLines = 0x20,    // one-pixel lines between rows
    Tabs = 0x40,        // Tab and Shift+Tab move between cells
    RowSelect = 0x80,   // the whole current row is the selection
    AlwaysShowSelection = 0x100,
    ConfirmDelete = 0x200, // kept for the forms; the grid itself never deletes rows
    CancelOnExit = 0x400,  // leaving the grid drops an untouched new row
    MultiSelect = 0x800    // rows can be marked
};
Q_DECLARE_FLAGS(GridOptions, GridOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(GridOptions)

// What DefaultDrawColumnCell paints a cell with; prepared by the grid for every cell and
// freely changed by a draw-cell handler before it calls DefaultDrawColumnCell.
struct GridCanvas {
    QColor brush; // background
    QFont font;
    QColor fontColor; // text
};

struct DBGridColumnTitle {
    QString caption;         // empty: the field's display name, unless captionSet
    bool captionSet = false; // the caption is the title even when empty
    QFont font;              // the grid's title font unless set
    QColor color;            // background; invalid: the grid's fixed colour
    QColor fontColor = Qt::black;
    Qt::Alignment alignment = Qt::AlignLeft;
};

class DBGridColumn {
public:
    DBGrid* grid() const { return m_grid; }
    int index() const; // position among the grid's columns

    const QString& fieldName() const { return m_fieldName; }
    void setFieldName(const QString& name);
    // The bound field of the grid's table, nullptr when the column has none or the table lacks it.
    Field* field() const;

    // Stored width in pixels (lines not included). width() reads -1 while the column is hidden.
    int width() const { return m_visible ? m_width : -1; }
    int storedWidth() const { return m_width; }
    void setWidth(int width);
    bool visible() const { return m_visible; }
    void setVisible(bool visible);

    // Read-only either by the column or by its field.
    bool isReadOnly() const;
    bool readOnly = false;

    // Presentation; changes show at the next repaint (call grid()->update()).
    DBGridColumnTitle title;
    // title.caption when set or not empty, else the field's display name, else the field name.
    QString titleCaption() const;
    Qt::Alignment alignment = Qt::AlignLeft;
    QColor color; // cell background; invalid: the grid's colour
    QColor fontColor = Qt::black;
    QStringList pickList; // values offered by a page's list editor for this column

private:
    friend class DBGrid;
    explicit DBGridColumn(DBGrid* grid) : m_grid(grid) {}
    DBGrid* m_grid;
    QString m_fieldName;
    int m_width = 64;
    bool m_visible = true;
    mutable Field* m_field = nullptr;
    mutable const DataSet* m_fieldOf = nullptr;
};

class DBGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    using DrawColumnCellHandler = std::function<void(DBGrid& grid, QPainter& painter, const QRect& rect,
                                                     int dataCol, DBGridColumn& column, GridDrawState state)>;

    explicit DBGrid(QWidget* parent = nullptr);
    ~DBGrid() override;

    // Pixels between a cell's text and the cell's left edge, and its right edge too when the text
    // is right-aligned or centred: text wider than the cell less twice this is cut.
    static constexpr int kTextInset = 2;

    // ---- binding ----
    DataSource* dataSource() const { return m_source; }
    void setDataSource(DataSource* source);
    DataSet* dataSet() const; // nullptr without a source or table
    bool dataActive() const;  // bound to an open table

    // ---- columns ----
    int columnCount() const { return int(m_columns.size()); }
    DBGridColumn& column(int dataCol) const { return *m_columns.at(dataCol); }
    DBGridColumn& addColumn(const QString& fieldName, const QString& caption = QString(), int width = -1);
    void removeColumn(int dataCol);
    void clearColumns();
    // One column per visible field of the table, as wide as its display width asks.
    void addColumnsForFields();
    DBGridColumn* columnOfField(const QString& fieldName) const; // exact name, first match

    // ---- options and look ----
    GridOptions options() const { return m_options; }
    void setOptions(GridOptions options);
    void setOption(GridOption option, bool on = true);
    bool hasOption(GridOption option) const { return m_options.testFlag(option); }
    QColor color() const { return m_color; } // background of the cells and of the empty area
    void setColor(const QColor& color);
    QColor fixedColor() const { return m_fixedColor; } // titles and indicator
    void setFixedColor(const QColor& color);
    QFont titleFont() const { return m_titleFont; }
    void setTitleFont(const QFont& font);
    QColor lineColor() const { return m_lineColor; }
    void setLineColor(const QColor& color);
    int defaultRowHeight() const;         // the font's height + 3 unless set
    void setDefaultRowHeight(int pixels); // 0 = from the font
    int titleRowHeight() const;
    int indicatorWidth() const; // 0 without the indicator
    bool defaultDrawing() const { return m_defaultDrawing; }
    void setDefaultDrawing(bool on);

    // ---- current cell ----
    int selectedIndex() const { return m_col; } // current data column (-1 without columns)
    void setSelectedIndex(int dataCol);
    DBGridColumn* selectedColumn() const;
    Field* selectedField() const;
    int topRecNo() const { return m_top; } // record number shown in the first data row
    // Shows `recNo` in the first data row as far as the rows and the current row allow (the
    // current row stays in view).
    void setTopRecNo(int recNo);
    int visibleRowCount() const; // data rows that fit completely
    // Moves the table's cursor (a pending in-place edit is written first). False when the
    // entry was refused or the table would not move; the reason has been shown.
    bool moveToRecNo(int recNo);

    // ---- marked rows ----
    const std::vector<Bookmark>& selectedRows() const { return m_marks; }
    int selectedRowCount() const { return int(m_marks.size()); }
    bool isRowSelected(const Bookmark& row) const;
    bool currentRowSelected() const;
    void setCurrentRowSelected(bool selected); // adds the current row at the end / removes it
    void clearSelectedRows();

    // ---- geometry ----
    QPoint MouseCoord(int x, int y) const;  // viewport pixel -> (col, row) grid coordinates
    QRect cellRect(int col, int row) const; // grid coordinates -> viewport rectangle (empty if not shown)
    QRect currentCellRect() const;          // the current cell in the viewport (empty if not shown)
    int gridColumnOf(int dataCol) const;    // data column -> grid column
    int dataColumnOf(int gridCol) const;    // grid column -> data column (-1 for the indicator)
    int titleOffset() const;                // 1 with titles, 0 without

    // Widgets laid over the current cell (the pages' in-grid combo boxes): the grid becomes their
    // parent's viewport-owner and keeps them on the current cell through scrolling, cursor moves
    // and resizing. Their visibility stays the page's business.
    void attachCellEditor(QWidget* editor);
    void detachCellEditor(QWidget* editor);

    // ---- painting ----
    DrawColumnCellHandler onDrawColumnCell;
    // Fills `rect` with canvas().brush and writes the painted row's text of `column` in
    // canvas().font and canvas().fontColor, aligned as the column says, clipped to the cell.
    void DefaultDrawColumnCell(QPainter& painter, const QRect& rect, int dataCol, DBGridColumn& column,
                               GridDrawState state);
    GridCanvas& canvas() { return m_canvas; }
    // Writes `text` with its top-left corner at (x, y) in the painter's font and pen, through the
    // grid's cache of shaped texts (much faster than QPainter::drawText for repeated cell texts).
    void textOut(QPainter& painter, int x, int y, const QString& text);
    // The row being painted; valid inside onDrawColumnCell only.
    int paintedRecNo() const { return m_paintRecNo; }
    int paintedGridRow() const; // its grid row (1 = first data row with titles)
    bool paintedRowSelected() const { return m_paintMarked; }
    QString paintedText(const DBGridColumn& column) const;
    QVariant paintedValue(const Field& field) const;
    QVariant paintedValue(const QString& fieldName) const; // DataSetError when the table lacks it
    bool paintedBoolean(const DBGridColumn& column) const;
    int paintCount() const { return m_paintCount; } // paint events served (tests, benchmarks)

    // ---- in-place editor ----
    bool editorMode() const; // the in-place editor is shown
    // Shows the editor over the current cell when the options, the column and the field allow.
    bool showEditor();
    // Writes the editor's text into the field (the row stays in edit state). False when refused:
    // the reason has been shown (once for a text, however often it is tried) and the editor
    // keeps the text.
    bool commitEditor();
    void hideEditor(); // drops typed text that was not written
    MaskedLineEdit* inplaceEditor() const;

    // ---- events (one handler each, as the forms set them) ----
    std::function<void(DBGridColumn& column)> onCellClick; // after the cursor moved to the cell
    std::function<void(DBGridColumn& column)> onTitleClick;
    std::function<void(DBGrid&)> onColEnter;
    std::function<void(DBGrid&)> onColExit;
    std::function<void(DBGrid&)> onDblClick;
    std::function<void(DBGrid&)> onEnter;                     // the focus came into the grid (or its editors)
    std::function<void(DBGrid&)> onExit;                      // the focus left the grid
    std::function<bool(DBGrid&, QKeyEvent& event)> onKeyDown; // true swallows the key
    std::function<void(DBGrid&, QChar& key)> onKeyPress;      // printable keys and Enter ('\r');
                                                              // set key to QChar() to swallow it
    std::function<void(DBGrid&, Qt::KeyboardModifiers modifiers, int x, int y)> onMouseMove;
    std::function<void(DBGrid&, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y)>
        onMouseDown;

Q_SIGNALS:
    void currentCellChanged(); // the current row or column changed
    void selectedRowsChanged();
    // A mouse click on a data cell, after the cursor moved to it and after onCellClick ran
    // (the page's in-grid editors listen here, so the page keeps onCellClick for itself).
    void cellClicked(int dataCol);

protected:
    bool viewportEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void forwardToEditor(QKeyEvent* event, bool cameFromEditor);
    bool hiddenInWindow() const;
    friend class DBGridColumn;
    struct Private;

    void paintViewport(QPaintEvent* event);
    void paintTitles(QPainter& p, const QRect& clip);
    void paintDataRow(QPainter& p, int gridRow, int recNo, int y, const QRect& clip);
    void paintDataLines(QPainter& p, int firstY, int lastY, const QRect& clip);
    void paintIndicatorCell(QPainter& p, const QRect& rect, int recNo);
    void paintFixedCell(QPainter& p, const QRect& rect, const QColor& face);
    void drawCellText(QPainter& p, const QRect& rect, const QString& text, Qt::Alignment alignment);
    const QStaticText& shapedText(const QFont& font, const QString& text);

    void layoutChanged(); // columns, options or size changed
    void updateScrollBars();
    void scrollToCursor();
    void positionOverlays();
    void columnWidthsChanged();
    int rowPitch() const;
    int titlePitch() const; // title row plus its line, 0 without titles
    int columnPitch(const DBGridColumn& column) const;
    int columnLeft(int dataCol) const; // viewport x of a data column's left edge
    int dataAreaLeft() const;
    int recordCount() const;
    bool moveColumn(int dataCol); // changes the current column, firing the column events
    void moveBy(int rows);
    void markRange(int fromRecNo, int toRecNo);
    void toggleCurrentMark();
    void dropInvalidMarks();
    void refreshMarkRows();
    bool isMarkedRecNo(int recNo) const;
    bool canEditCurrentCell() const;
    static bool isGridKey(int key); // keys the grid handles even while its editor is open
    void startEditor(const QString& initialText, bool selectAll);
    bool commitBeforeLeavingRow();
    void editorTextEdited();
    void refuseEditorText(const QString& reason);
    void onFocusChanged(QWidget* old, QWidget* now);
    bool ownsWidget(const QWidget* w) const;

    // data source notifications
    void sourceActiveChanged(bool active);
    void sourceDataChanged();
    void sourceScrolled(int distance);
    void sourceRecordChanged(Field* field);
    void sourceStateChanged(DataSetState state);
    void sourceUpdateData();

    QPointer<DataSource> m_source;
    std::vector<std::unique_ptr<DBGridColumn>> m_columns;
    std::vector<Bookmark> m_marks;
    std::vector<QPointer<QWidget>> m_overlays;
    GridOptions m_options;
    QColor m_color;
    QColor m_fixedColor;
    QColor m_lineColor;
    QFont m_titleFont;
    int m_rowHeight = 0; // 0: from the font
    bool m_defaultDrawing = true;

    int m_top = 1;  // record number shown in the first data row
    int m_col = -1; // current data column
    int m_anchorRecNo = 0;
    int m_hOffset = 0; // horizontal scroll, pixels
    bool m_syncing = false;
    bool m_hasFocus = false;

    GridCanvas m_canvas;
    int m_paintRecNo = 0;
    int m_paintRow = 0;
    bool m_paintMarked = false;
    bool m_paintCurrent = false;
    int m_paintCount = 0;

    // mouse
    QPoint m_pressCell{-1, -1};
    bool m_pressed = false;
    int m_resizeCol = -1; // data column whose width is being dragged
    int m_resizeStartX = 0;
    int m_resizeStartWidth = 0;

    std::unique_ptr<Private> d;
};
