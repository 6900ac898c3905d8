#include "ui/gridfaces.h"

#include "platform/dataset.h"
#include "platform/dbgrid.h"
#include "platform/glyphs.h"
#include "platform/gridpaint.h"

#include <QFontMetrics>
#include <QPainter>

void drawGripFace(DBGrid& grid, QPainter& painter, const QRect& rect, const QString& text, bool keepFill,
                  const QColor& textColor) {
    if (keepFill)
        drawSizeGripRidges(painter, rect);
    else
        drawFrameControl(painter, rect, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    DrawGripText(grid, painter, rect, text, grid.canvas().font, textColor);
}

void widenForFaceTexts(DBGrid& grid, DBGridColumn& column, const QStringList& texts) {
    QFont font = grid.font();
    font.setBold(true);
    const QFontMetrics fm(font);
    int widest = 0;
    for (const QString& text : texts)
        widest = std::max(widest, fm.horizontalAdvance(text));
    if (widest == 0)
        return;
    // 5 px in, the text, then the grip's square (as high as a row) kept clear.
    const int needed = 5 + widest + grid.defaultRowHeight();
    if (column.storedWidth() < needed)
        column.setWidth(needed);
    if (Field* field = column.field(); field && field->tag != 0 && field->tag < needed)
        field->tag = needed;
}
