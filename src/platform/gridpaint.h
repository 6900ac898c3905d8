#pragma once
// The shared cell painters and grid helpers of the main window and the register window: the
// base cell painter, the check-box face, column fitting, the hovered-row tracking and the
// drop-down width fitting, with the palette they paint in.
//
// Painters only paint. Whatever must change data or widgets happens in the matching event
// (a mouse move, a title click, a drop-down), never inside a paint.

#include "platform/colors.h"
#include "platform/dbgrid.h"

#include <QColor>
#include <QPointer>
#include <QString>

class DataSet;
class QPainter;
class QRect;
class QWidget;

// Colours in the $00BBGGRR form; a value with the high byte $FF is a system colour index.
namespace GridPalette {
inline constexpr quint32 kSystem = 0xFF000000u;
inline constexpr quint32 GridBackground = 16577261;                      // $00FCF2ED, every grid
inline constexpr quint32 TitleBackground = kSystem | COLOR_ACTIVEBORDER; // every column title, bold
inline constexpr quint32 EditableCell = 16777215;                        // white
inline constexpr quint32 ReadOnlyCell = kSystem | COLOR_INACTIVEBORDER;
inline constexpr quint32 CellText = 0;                                        // black
inline constexpr quint32 CurrentEditableText = kSystem | COLOR_ACTIVECAPTION; // and bold
inline constexpr quint32 CheckBoxCell = kSystem | COLOR_WINDOW;
inline constexpr quint32 CheckBoxInner = 65535;           // $FFFF, yellow
inline constexpr quint32 CheckBoxMiddle = 16711935;       // $FF00FF, fuchsia
inline constexpr quint32 CheckBoxOuter = 0;               // black, also the tick
inline constexpr quint32 CheckBoxDisabledCell = 12632256; // $C0C0C0, silver
// The register window's own variant.
inline constexpr quint32 RegisterCurrentEditableText = 65535; // yellow, not bold
inline constexpr quint32 HoverCell = 12632256;                // silver
inline constexpr quint32 HoverText = 8388608;                 // $800000, navy

QColor color(quint32 value); // the conversion every painter uses
} // namespace GridPalette

// What the base cell painter does with the current cell and the hovered row.
struct GridCellStyle {
    quint32 currentEditableText = GridPalette::CurrentEditableText;
    bool currentEditableBold = true;
    bool paintHoveredRow = false;
};
GridCellStyle mainWindowCellStyle();
GridCellStyle registerWindowCellStyle(); // yellow current text, hovered row in silver and navy

class GridMouseTracker;

// The base cell painter, called first by every page's draw-cell handler: marked rows keep the
// grid's highlight; a read-only column is inactive-border with black text; the current cell of
// an editable column is white with bold active-caption text; any other cell white with black text.
void ColoraGriglia(DBGrid& grid, QPainter& painter, const QRect& rect, int dataCol, DBGridColumn& column,
                   GridDrawState state);
// The same with another style; `hover` supplies the hovered row when the style paints it.
void ColoraGriglia(DBGrid& grid, QPainter& painter, const QRect& rect, int dataCol, DBGridColumn& column,
                   GridDrawState state, const GridCellStyle& style, const GridMouseTracker* hover);

// Paints `rect` as a check box showing the painted row's Boolean value of `column`'s field:
// an 11-pixel box centred in the cell (it overhangs a narrower cell on the left), three square
// outlines and, when true, the tick. Disabled: a silver cell with a flat cross, never a tick.
void DrawCheckBoxes(DBGrid& grid, QPainter& painter, const QRect& rect, DBGridColumn& column, bool enable);
// The look of a cell the row or the model does not support: silver with a flat cross.
void DrawNotApplicable(QPainter& painter, const QRect& rect);

// A value cell: the size-grip face over the whole cell, then `text` at (left + 5, top + 2) in the
// canvas's font and font colour, clipped to the cell. Drawn after a cell's text, with an empty
// text, it marks a cell that the row or the model does not support.
void DrawGripCell(DBGrid& grid, QPainter& painter, const QRect& rect, const QString& text);
// The text half of a value cell, which every value-cell painter writes through: `text` at
// (left + 5, top + 2) in `font` and `color`, clipped to the cell. The painter is left as it was.
void DrawGripText(DBGrid& grid, QPainter& painter, const QRect& rect, const QString& text, const QFont& font,
                  const QColor& color);

enum class FitOption : quint8 {
    None = 0,
    HideSiblingEditors = 1 // the register window hides the bound editors beside the grid first
};

// Spreads the grid's free client width over its resizable columns (those whose field's tag,
// the column's minimum width, is not 0); no column goes below its minimum. A null grid does nothing.
void FixDBGridColumnsWidth(DBGrid* grid, FitOption option = FitOption::None);

// The title-click handler of the fitted grids: refits the column's grid. Neither sorts nor selects.
void DBGridTitleClick(DBGridColumn& column);

// Index of the first column whose field name is exactly `fieldName`; 0 when none is.
int SearchIndexColumn(const DBGrid& grid, const QString& fieldName);

// Text of field `recName` in record `idxRecords` (1-based) of `dataSet`, read without moving its
// cursor; empty when there is no such record. A field the table lacks raises DataSetError.
QString GetNameTable(const DataSet& dataSet, const QString& recName, int idxRecords);

// Widens the drop-down list of a DBComboBox or DBLookupComboBox so that its longest entry fits.
// Anything else is left alone.
void ComboBox_AutoWidth(QWidget* componente);

// The hovered row of the grids of one window. A mouse move over a grid (DBGridMouseMove, wired
// to the grid's onMouseMove through attach) stores the grid row under the mouse; a change of
// row repaints at once the grid that received the previous move, so leaving a grid repaints it.
// It also sets the mouse cursor: "not allowed" over the indicator and read-only columns, a
// pointing hand over the others.
class GridMouseTracker {
public:
    int MouseOverRow() const { return m_mouseOverRow; }
    void SetMouseOverRow(int value);
    DBGrid* senderMouseMove() const { return m_senderMouseMove; }

    void DBGridMouseMove(DBGrid& sender, Qt::KeyboardModifiers shift, int x, int y);
    void attach(DBGrid& grid); // sets grid.onMouseMove to DBGridMouseMove

private:
    int m_mouseOverRow = 0;
    QPointer<DBGrid> m_senderMouseMove;
};
