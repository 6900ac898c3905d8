#include "ui/valueface.h"

#include "platform/dbgrid.h"
#include "platform/glyphs.h"

#include <QPainter>

void DrawValueFace(DBGrid& grid, QPainter& painter, const QRect& rect, const QString& text) {
    drawFrameControl(painter, rect, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    if (text.isEmpty())
        return;
    const GridCanvas& canvas = grid.canvas();
    painter.setFont(canvas.font);
    painter.setPen(canvas.fontColor);
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    grid.textOut(painter, rect.left() + 5, rect.top() + 2, text);
    painter.restore();
}
