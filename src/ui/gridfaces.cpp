#include "ui/gridfaces.h"

#include "platform/dbgrid.h"
#include "platform/glyphs.h"

#include <QPainter>

void drawGripFace(DBGrid& grid, QPainter& painter, const QRect& rect, const QString& text, bool keepFill,
                  const QColor& textColor) {
    if (keepFill)
        drawSizeGripRidges(painter, rect);
    else
        drawFrameControl(painter, rect, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    if (text.isEmpty())
        return;
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.setFont(grid.canvas().font);
    painter.setPen(textColor);
    grid.textOut(painter, rect.left() + 5, rect.top() + 2, text);
    painter.restore();
}
