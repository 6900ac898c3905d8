#include "ui/pages/cellfaces.h"

#include "platform/dataset.h"
#include "platform/dialogs.h"
#include "platform/glyphs.h"

#include <QPainter>

namespace CellFaces {

void valueCell(DBGrid& grid, QPainter& painter, const QRect& rect, DBGridColumn& column, bool bold) {
    markCell(painter, rect);
    QFont font = grid.canvas().font;
    font.setBold(bold || font.bold());
    painter.save();
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.setClipRect(rect, Qt::IntersectClip);
    grid.textOut(painter, rect.left() + 5, rect.top() + 2, grid.paintedText(column));
    painter.restore();
}

void markCell(QPainter& painter, const QRect& rect) {
    drawFrameControl(painter, rect, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

void cellText(DBGrid& grid, QPainter& painter, const QRect& rect, const QString& text) {
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    grid.textOut(painter, rect.left() + 5, rect.top() + 2, text);
    painter.restore();
}

bool writable(const DataSet* table) {
    return table && table->active() && !table->isEmpty();
}

bool postPending(DataSet* table) {
    if (!table || (table->state() != DataSetState::Edit && table->state() != DataSetState::Insert))
        return true;
    try {
        table->post();
        return true;
    } catch (const DataSetError& e) {
        table->cancel();
        ShowMessage(e.message());
        return false;
    }
}

bool editAndPost(DataSet* table, const std::function<void(DataSet&)>& change) {
    if (!writable(table))
        return false;
    try {
        table->edit();
        change(*table);
        table->post();
        return true;
    } catch (const DataSetError& e) {
        if (table->state() != DataSetState::Browse)
            table->cancel();
        ShowMessage(e.message());
        return false;
    }
}

} // namespace CellFaces
