#include "platform/gridpaint.h"

#include "platform/dataset.h"
#include "platform/dbcontrols.h"
#include "platform/dbgrid.h"
#include "platform/glyphs.h"

#include <QPainter>
#include <QStyle>

#include <algorithm>

QColor GridPalette::color(quint32 value) {
    return colorFromTColor(value);
}

GridCellStyle mainWindowCellStyle() {
    return GridCellStyle{};
}

GridCellStyle registerWindowCellStyle() {
    GridCellStyle style;
    style.currentEditableText = GridPalette::RegisterCurrentEditableText;
    style.currentEditableBold = false;
    style.paintHoveredRow = true;
    return style;
}

// ================================================================ base cell painter

void ColoraGriglia(DBGrid& grid, QPainter& painter, const QRect& rect, int dataCol, DBGridColumn& column,
                   GridDrawState state) {
    ColoraGriglia(grid, painter, rect, dataCol, column, state, mainWindowCellStyle(), nullptr);
}

void ColoraGriglia(DBGrid& grid, QPainter& painter, const QRect& rect, int dataCol, DBGridColumn& column,
                   GridDrawState state, const GridCellStyle& style, const GridMouseTracker* hover) {
    using namespace GridPalette;
    GridCanvas& canvas = grid.canvas();
    if (grid.paintedRowSelected()) {
        // Marked rows keep the grid's highlight, which the canvas already holds.
        if (!grid.defaultDrawing())
            grid.DefaultDrawColumnCell(painter, rect, dataCol, column, state);
        return;
    }
    const bool readOnly = column.isReadOnly();
    if (readOnly) {
        canvas.brush = color(ReadOnlyCell);
        canvas.fontColor = color(CellText);
    } else if (state.testFlag(GridDrawFlag::Selected)) {
        canvas.brush = color(EditableCell);
        canvas.fontColor = color(style.currentEditableText);
        if (style.currentEditableBold)
            canvas.font.setBold(true);
    } else {
        canvas.brush = color(EditableCell);
        canvas.fontColor = color(CellText);
    }
    grid.DefaultDrawColumnCell(painter, rect, dataCol, column, state);

    const bool hovered = style.paintHoveredRow && hover && hover->senderMouseMove() == &grid &&
                         grid.paintedGridRow() == hover->MouseOverRow() &&
                         !(state & (GridDrawFlag::Selected | GridDrawFlag::Focused));
    if (hovered) {
        if (!readOnly)
            canvas.font.setBold(true);
        canvas.brush = color(HoverCell);
        canvas.fontColor = color(HoverText);
        grid.DefaultDrawColumnCell(painter, rect, dataCol, column, state);
    }
}

// ================================================================ check box

namespace {
// A closed one-pixel square outline through (x0, y0) and (x1, y1), both corners included.
void squareOutline(QPainter& p, int x0, int y0, int x1, int y1, const QColor& c) {
    p.fillRect(QRect(x0, y0, x1 - x0 + 1, 1), c);
    p.fillRect(QRect(x0, y1, x1 - x0 + 1, 1), c);
    p.fillRect(QRect(x0, y0, 1, y1 - y0 + 1), c);
    p.fillRect(QRect(x1, y0, 1, y1 - y0 + 1), c);
}

// The enabled box with its outlines (and tick), 15 pixels square from the black outline's
// corner, drawn once per value and device pixel ratio and then copied: a grid paints hundreds.
const QPixmap& checkBoxFace(bool value, qreal ratio) {
    using namespace GridPalette;
    struct Cached {
        qreal ratio = 0;
        QPixmap face;
    };
    static Cached cache[2];
    Cached& c = cache[value ? 1 : 0];
    if (c.ratio == ratio && !c.face.isNull())
        return c.face;
    QPixmap face(QSize(15, 15) * ratio);
    face.setDevicePixelRatio(ratio);
    face.fill(color(CheckBoxCell));
    QPainter p(&face);
    // Box corner at (2, 2): the black outline is the pixmap's edge.
    squareOutline(p, 3, 3, 11, 11, color(CheckBoxInner));
    squareOutline(p, 2, 2, 12, 12, color(CheckBoxMiddle));
    squareOutline(p, 0, 0, 14, 14, color(CheckBoxOuter));
    if (value) {
        // Two passes of seven three-pixel strokes: a tick four pixels thick, lowest at left + 4.
        static constexpr int firstPass[7] = {4, 5, 6, 5, 4, 3, 2};
        static constexpr int secondPass[7] = {3, 4, 5, 4, 3, 2, 1};
        for (const int* pass : {firstPass, secondPass})
            for (int i = 0; i < 7; ++i)
                p.fillRect(QRect(2 + 2 + i, 2 + pass[i], 1, 3), color(CheckBoxOuter));
    }
    p.end();
    c.ratio = ratio;
    c.face = face;
    return c.face;
}
} // namespace

void DrawCheckBoxes(DBGrid& grid, QPainter& painter, const QRect& rect, DBGridColumn& column, bool enable) {
    using namespace GridPalette;
    if (!enable) {
        DrawNotApplicable(painter, rect); // never a tick
        return;
    }
    const bool value = grid.paintedBoolean(column);
    // The 11-pixel box is centred; integer division truncates toward zero, so a cell narrower
    // than the box gets a negative offset and the box overhangs the cell on the left.
    const int left = rect.left() + (rect.width() - 11) / 2;
    const int top = rect.top() + (rect.height() - 11) / 2;
    painter.fillRect(rect, color(CheckBoxCell));
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatio() : 1.0;
    painter.drawPixmap(left - 2, top - 2, checkBoxFace(value, ratio));
}

void DrawNotApplicable(QPainter& painter, const QRect& rect) {
    painter.fillRect(rect, GridPalette::color(GridPalette::CheckBoxDisabledCell));
    drawFrameControl(painter, rect, DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_MONO);
}

// ================================================================ column fitting

void FixDBGridColumnsWidth(DBGrid* grid, FitOption option) {
    if (!grid)
        return;
    if (option == FitOption::HideSiblingEditors && grid->parentWidget()) {
        for (QWidget* w : grid->parentWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (qobject_cast<DBEdit*>(w) || qobject_cast<DBComboBox*>(w) ||
                qobject_cast<DBLookupComboBox*>(w))
                w->hide();
    }
    // The widths change together; the grid repaints once afterwards. Updates that are off
    // already (the grid's or a parent's) are left alone: switching them "back" off explicitly
    // would keep the grid from painting once the parent switches them on again.
    const bool updates = grid->updatesEnabled();
    if (updates)
        grid->setUpdatesEnabled(false);

    int used = 0;
    int resizable = 0;
    for (int c = 0; c < grid->columnCount(); ++c) {
        const DBGridColumn& column = grid->column(c);
        const Field* field = column.field();
        if (!field)
            continue;
        used += column.width(); // a hidden column reads -1
        if (field->tag != 0)
            ++resizable;
    }
    if (grid->hasOption(GridOption::ColLines))
        used += grid->columnCount();
    if (grid->hasOption(GridOption::Indicator))
        used += 20;
    int share = grid->viewport()->width() - used;
    if (resizable > 0)
        share /= resizable; // truncates toward zero; may be negative
    for (int c = 0; c < grid->columnCount(); ++c) {
        DBGridColumn& column = grid->column(c);
        const Field* field = column.field();
        if (!field || field->tag == 0)
            continue;
        column.setWidth(column.width() + share);
        if (column.width() < field->tag)
            column.setWidth(field->tag);
    }
    if (updates)
        grid->setUpdatesEnabled(true);
    grid->viewport()->update();
}

void DBGridTitleClick(DBGridColumn& column) {
    FixDBGridColumnsWidth(column.grid());
}

// ================================================================ lookups

int SearchIndexColumn(const DBGrid& grid, const QString& fieldName) {
    for (int c = 0; c < grid.columnCount(); ++c)
        if (grid.column(c).fieldName() == fieldName)
            return c;
    return 0;
}

QString GetNameTable(const DataSet& dataSet, const QString& recName, int idxRecords) {
    // Record numbers count in the table's own order and filter, as a clone that keeps them would.
    if (!dataSet.active() || idxRecords < 1 || dataSet.recordCount() < idxRecords)
        return QString();
    const Field& field = dataSet.fieldByName(recName);
    return dataSet.stringAt(idxRecords, field.index());
}

// ================================================================ drop-down width

void ComboBox_AutoWidth(QWidget* componente) {
    if (auto* combo = qobject_cast<DBComboBox*>(componente)) {
        const QFontMetrics fm = combo->fontMetrics();
        int widest = 0;
        for (int i = 0; i < combo->count(); ++i)
            widest = std::max(widest, fm.horizontalAdvance(combo->itemText(i)) + 28);
        if (combo->width() >= widest)
            return;
        if (combo->count() > combo->maxVisibleItems())
            widest += combo->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, combo);
        combo->setDropDownWidth(widest);
        return;
    }
    if (auto* lookup = qobject_cast<DBLookupComboBox*>(componente)) {
        // An estimate of six pixels a character over the list's `_Nome` texts, read without moving the list's
        // cursor.
        int widest = 0;
        const DataSet* list = lookup->listSource() ? lookup->listSource()->dataSet() : nullptr;
        const Field* names = list && list->active() ? list->findField(QStringLiteral("_Nome")) : nullptr;
        if (names)
            for (int r = 1; r <= list->recordCount(); ++r)
                widest = std::max(widest, 6 * int(list->stringAt(r, names->index()).size()) + 8);
        widest += lookup->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, lookup);
        lookup->setDropDownWidth(std::max(lookup->width(), widest));
    }
}

// ================================================================ hovered row

void GridMouseTracker::SetMouseOverRow(int value) {
    if (value == m_mouseOverRow)
        return;
    m_mouseOverRow = value;
    if (m_senderMouseMove)
        m_senderMouseMove->viewport()->repaint();
}

void GridMouseTracker::DBGridMouseMove(DBGrid& sender, Qt::KeyboardModifiers, int x, int y) {
    const QPoint cell = sender.MouseCoord(x, y);
    SetMouseOverRow(cell.y());
    m_senderMouseMove = &sender;
    if (cell.x() < 0)
        return;
    const int dataCol = sender.dataColumnOf(cell.x());
    const bool notAllowed =
        dataCol < 0 || (dataCol < sender.columnCount() && sender.column(dataCol).isReadOnly());
    sender.viewport()->setCursor(notAllowed ? Qt::ForbiddenCursor : Qt::PointingHandCursor);
}

void GridMouseTracker::attach(DBGrid& grid) {
    grid.onMouseMove = [this](DBGrid& g, Qt::KeyboardModifiers shift, int x, int y) {
        DBGridMouseMove(g, shift, x, y);
    };
}

// ================================================================ value cells

void DrawGripCell(DBGrid& grid, QPainter& painter, const QRect& rect, const QString& text) {
    drawFrameControl(painter, rect, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    DrawGripText(grid, painter, rect, text, grid.canvas().font, grid.canvas().fontColor);
}

void DrawGripText(DBGrid& grid, QPainter& painter, const QRect& rect, const QString& text, const QFont& font,
                  const QColor& color) {
    if (text.isEmpty())
        return;
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.setFont(font);
    painter.setPen(color);
    grid.textOut(painter, rect.left() + 5, rect.top() + 2, text);
    painter.restore();
}
