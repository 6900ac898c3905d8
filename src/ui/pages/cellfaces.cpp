#include "ui/pages/cellfaces.h"

#include "platform/dataset.h"
#include "platform/dialogs.h"
#include "platform/glyphs.h"
#include "platform/gridpaint.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHash>

#include <QPainter>
#include <QPointer>

namespace CellFaces {

void valueCell(DBGrid& grid, QPainter& painter, const QRect& rect, DBGridColumn& column, bool bold) {
    markCell(painter, rect);
    QFont font = grid.canvas().font;
    font.setBold(bold || font.bold());
    DrawGripText(grid, painter, rect, grid.paintedText(column), font, Qt::black);
}

void markCell(QPainter& painter, const QRect& rect) {
    drawFrameControl(painter, rect, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

void cellText(DBGrid& grid, QPainter& painter, const QRect& rect, const QString& text) {
    DrawGripText(grid, painter, rect, text, painter.font(), painter.pen().color());
}

void widenToTitles(DBGrid& grid) {
    QFont bold = grid.font();
    bold.setBold(true);
    const QFontMetrics fm(bold);
    for (int c = 0; c < grid.columnCount(); ++c) {
        DBGridColumn& column = grid.column(c);
        const int needed = fm.horizontalAdvance(column.titleCaption()) + 8;
        column.setWidth(std::max(column.storedWidth(), needed));
        // Once the window has styled the grid, the width also becomes the column's minimum.
        if (Field* field = column.field(); field && field->tag != 0 && field->tag < needed)
            field->tag = needed;
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
            [this, grid] {
                if (!grid || !grid->isVisible())
                    return;
                // A column hidden for the model takes no share of the free width; one shown
                // again (another model opened) gets its minimum width back.
                for (int c = 0; c < grid->columnCount(); ++c) {
                    Field* f = grid->column(c).field();
                    if (!f)
                        continue;
                    if (f->tag != 0)
                        minimums[c] = std::max(minimums.value(c), f->tag);
                    f->tag = grid->column(c).visible() ? minimums.value(c) : 0;
                }
                FixDBGridColumnsWidth(grid);
                grid->viewport()->update();
            },
            Qt::QueuedConnection);
        return false;
    }

private:
    QHash<int, int> minimums; // column -> its minimum width, as the window styled it
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
