#include "ui/pages/cellfaces.h"

#include "platform/dataset.h"
#include "platform/dialogs.h"
#include "platform/glyphs.h"
#include "platform/gridpaint.h"

#include <QEvent>
#include <QFontMetrics>

#include <QPainter>
#include <QPointer>

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

void widenToTitles(DBGrid& grid) {
    QFont bold = grid.font();
    bold.setBold(true);
    const QFontMetrics fm(bold);
    for (int c = 0; c < grid.columnCount(); ++c) {
        DBGridColumn& column = grid.column(c);
        column.setWidth(std::max(column.storedWidth(), fm.horizontalAdvance(column.titleCaption()) + 8));
    }
}

namespace {
class FitOnShow : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show)
            return false;
        // Fitted right after the show: widths changed while the grid is being shown would
        // leave it unpainted.
        QPointer<DBGrid> grid = static_cast<DBGrid*>(watched);
        QMetaObject::invokeMethod(
            grid,
            [grid] {
                if (!grid || !grid->isVisible())
                    return;
                // A column hidden for the model takes no share of the free width.
                for (int c = 0; c < grid->columnCount(); ++c)
                    if (Field* f = grid->column(c).field(); f && !grid->column(c).visible())
                        f->tag = 0;
                FixDBGridColumnsWidth(grid);
                grid->viewport()->update();
            },
            Qt::QueuedConnection);
        return false;
    }
};
} // namespace

void fitWhenShown(DBGrid& grid) {
    grid.installEventFilter(new FitOnShow(&grid));
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

void guarded(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const DataSetError& e) {
        ShowMessage(e.message());
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
