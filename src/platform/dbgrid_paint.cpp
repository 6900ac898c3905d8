// Painting of DBGrid: titles, indicator, data cells through the draw-cell handler, lines, and the
// painted-row accessors that handlers read.

#include "platform/colors.h"
#include "platform/dbgrid.h"
#include "platform/dbgrid_p.h"
#include "platform/glyphs.h"

#include <QPaintEvent>
#include <QPainter>
#include <QStaticText>

#include <algorithm>

using namespace dbgrid_detail;

// ================================================================ painted row access

QString DBGrid::paintedText(const DBGridColumn& column) const {
    const Field* f = column.field();
    if (!f || m_paintRecNo < 1)
        return QString();
    try {
        if (m_paintCurrent)
            return f->displayText();
        return dataSet()->stringAt(m_paintRecNo, f->index());
    } catch (const DataSetError&) {
        return QString();
    }
}

QVariant DBGrid::paintedValue(const Field& field) const {
    if (m_paintRecNo < 1)
        return QVariant();
    try {
        if (m_paintCurrent)
            return field.value();
        return dataSet()->valueAt(m_paintRecNo, field.index());
    } catch (const DataSetError&) {
        return QVariant();
    }
}

QVariant DBGrid::paintedValue(const QString& fieldName) const {
    const DataSet* ds = dataSet();
    if (!ds)
        return QVariant();
    return paintedValue(ds->fieldByName(fieldName));
}

bool DBGrid::paintedBoolean(const DBGridColumn& column) const {
    const Field* f = column.field();
    if (!f || m_paintRecNo < 1)
        return false;
    try {
        if (m_paintCurrent)
            return f->asBoolean();
        return dataSet()->booleanAt(m_paintRecNo, f->index());
    } catch (const DataSetError&) {
        return false;
    }
}

// ================================================================ painting

const QStaticText& DBGrid::shapedText(const QFont& font, const QString& text) {
    // Cell texts repeat from one repaint to the next (hover, cursor moves, scrolling), so they
    // are shaped once per font and kept; the cache is dropped when it grows large.
    TextCache& cache = d->textCache;
    if (cache.entries > 20000) {
        cache.byFont.clear();
        cache.lastTexts = nullptr;
        cache.entries = 0;
    }
    if (!cache.lastTexts || !(font == cache.lastFont)) {
        cache.lastFont = font;
        cache.lastTexts = &cache.byFont[font.key()];
    }
    auto& texts = *cache.lastTexts;
    auto it = texts.find(text);
    if (it == texts.end()) {
        QStaticText shaped(text);
        shaped.setTextFormat(Qt::PlainText);
        shaped.setPerformanceHint(QStaticText::AggressiveCaching);
        shaped.prepare(QTransform(), font);
        it = texts.insert(text, shaped);
        ++cache.entries;
    }
    return *it;
}

void DBGrid::textOut(QPainter& painter, int x, int y, const QString& text) {
    if (!text.isEmpty())
        painter.drawStaticText(QPoint(x, y), shapedText(painter.font(), text));
}

void DBGrid::drawCellText(QPainter& p, const QRect& rect, const QString& text, Qt::Alignment alignment) {
    if (text.isEmpty() || rect.width() <= 0)
        return;
    const QFont& font = p.font();
    const QStaticText& shaped = shapedText(font, text);
    const int textWidth = qCeil(shaped.size().width());
    const int avail = rect.width() - 2 * kTextLeft;
    int x = rect.left() + kTextLeft;
    if (alignment & Qt::AlignRight)
        x = rect.right() + 1 - kTextLeft - textWidth;
    else if (alignment & Qt::AlignHCenter)
        x = rect.left() + (rect.width() - textWidth) / 2;
    const QPoint topLeft(x, rect.top() + kTextTop);
    if (textWidth <= avail) {
        p.drawStaticText(topLeft, shaped);
        return;
    }
    // Too wide: the text is cut at the cell's edge, without an ellipsis.
    const QRegion saved = p.clipRegion();
    const bool wasClipping = p.hasClipping();
    p.setClipRect(rect, wasClipping ? Qt::IntersectClip : Qt::ReplaceClip);
    p.drawStaticText(topLeft, shaped);
    if (wasClipping)
        p.setClipRegion(saved);
    else
        p.setClipping(false);
}

void DBGrid::DefaultDrawColumnCell(QPainter& painter, const QRect& rect, int, DBGridColumn& column,
                                   GridDrawState) {
    painter.fillRect(rect, m_canvas.brush);
    const QString text = paintedText(column);
    if (text.isEmpty())
        return;
    if (!(painter.font() == m_canvas.font))
        painter.setFont(m_canvas.font);
    if (painter.pen().color() != m_canvas.fontColor)
        painter.setPen(m_canvas.fontColor);
    drawCellText(painter, rect, text, column.alignment);
}

void DBGrid::paintFixedCell(QPainter& p, const QRect& r, const QColor& face) {
    p.fillRect(r, face);
    // A raised edge: light top and left, shadow bottom and right.
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), sysColor(COLOR_BTNHIGHLIGHT));
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), sysColor(COLOR_BTNHIGHLIGHT));
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), sysColor(COLOR_BTNSHADOW));
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), sysColor(COLOR_BTNSHADOW));
}

void DBGrid::paintIndicatorCell(QPainter& p, const QRect& r, int recNo) {
    paintFixedCell(p, r, m_fixedColor);
    if (recNo < 1 || !dataActive())
        return;
    const DataSet* ds = dataSet();
    const QColor ink = Qt::black;
    const int cx = r.left() + r.width() / 2;
    const int cy = r.top() + r.height() / 2;
    if (recNo == ds->recNo()) {
        switch (ds->state()) {
        case DataSetState::Edit: // an I-beam
            p.fillRect(QRect(cx - 2, cy - 5, 5, 1), ink);
            p.fillRect(QRect(cx, cy - 5, 1, 11), ink);
            p.fillRect(QRect(cx - 2, cy + 5, 5, 1), ink);
            break;
        case DataSetState::Insert: // an asterisk
            p.fillRect(QRect(cx - 3, cy, 7, 1), ink);
            p.fillRect(QRect(cx, cy - 3, 1, 7), ink);
            for (int i = -2; i <= 2; ++i) {
                p.fillRect(QRect(cx + i, cy + i, 1, 1), ink);
                p.fillRect(QRect(cx + i, cy - i, 1, 1), ink);
            }
            break;
        default: // a triangle pointing at the row
            for (int i = 0; i < 5; ++i)
                p.fillRect(QRect(cx - 2 + i, cy - 4 + i, 1, 9 - 2 * i), ink);
            break;
        }
    } else if (m_paintMarked) {
        p.fillRect(QRect(cx - 2, cy - 2, 5, 5), ink);
    }
}

void DBGrid::paintTitles(QPainter& p, const QRect& clip) {
    const int h = titleRowHeight();
    const bool colLines = hasOption(GridOption::ColLines);
    const bool rowLines = hasOption(GridOption::RowLines);
    const QColor fixedLine = sysColor(COLOR_3DDKSHADOW);
    for (int c = 0; c < columnCount(); ++c) {
        DBGridColumn& col = *m_columns[c];
        if (!col.visible())
            continue;
        const QRect r(columnLeft(c), 0, col.storedWidth(), h);
        if (r.right() < clip.left() || r.left() > clip.right())
            continue;
        paintFixedCell(p, r, col.title.color.isValid() ? col.title.color : m_fixedColor);
        p.setFont(col.title.font.resolveMask() ? col.title.font : m_titleFont);
        p.setPen(col.title.fontColor);
        drawCellText(p, r, col.titleCaption(), col.title.alignment);
        if (colLines)
            p.fillRect(QRect(r.right() + 1, 0, 1, h + (rowLines ? 1 : 0)), fixedLine);
        if (rowLines)
            p.fillRect(QRect(r.left(), h, r.width() + (colLines ? 1 : 0), 1), fixedLine);
    }
}

void DBGrid::paintDataRow(QPainter& p, int gridRow, int recNo, int y, const QRect& clip) {
    const int h = defaultRowHeight();
    const bool rowSelect = hasOption(GridOption::RowSelect);
    const bool showSelection = m_hasFocus || hasOption(GridOption::AlwaysShowSelection);
    const DataSet* ds = dataSet();
    const int curRecNo = ds->recNo();
    const QColor highlight = sysColor(COLOR_HIGHLIGHT);
    const QColor highlightText = sysColor(COLOR_HIGHLIGHTTEXT);
    const QFont cellFont = font();
    const bool editing = editorMode();

    m_paintRecNo = recNo;
    m_paintRow = gridRow;
    m_paintCurrent = recNo == curRecNo;
    m_paintMarked = isMarkedRecNo(recNo);

    for (int c = 0; c < columnCount(); ++c) {
        DBGridColumn& col = *m_columns[c];
        if (!col.visible())
            continue;
        const QRect r(columnLeft(c), y, col.storedWidth(), h);
        if (r.right() + 1 < clip.left() || r.left() > clip.right())
            continue;
        const bool current = m_paintCurrent && (rowSelect || c == m_col);
        GridDrawState state;
        if (current && showSelection)
            state |= GridDrawFlag::Selected;
        if (current && m_hasFocus)
            state |= GridDrawFlag::Focused;
        const bool highlighted =
            m_paintMarked || (state.testFlag(GridDrawFlag::Selected) && (!editing || rowSelect));
        m_canvas.brush = highlighted ? highlight : (col.color.isValid() ? col.color : m_color);
        m_canvas.fontColor = highlighted ? highlightText : col.fontColor;
        m_canvas.font = cellFont;
        if (m_defaultDrawing)
            DefaultDrawColumnCell(p, r, c, col, state);
        if (onDrawColumnCell) {
            p.save();
            onDrawColumnCell(*this, p, r, c, col, state);
            p.restore();
        }
        if (m_defaultDrawing && current && m_hasFocus && !rowSelect && !editing)
            drawFocusRect(p, r);
    }
}

void DBGrid::paintDataLines(QPainter& p, int firstY, int lastY, const QRect& clip) {
    // Lines go in before the cells, one stroke per row and per column; the cells never cover
    // them except where a handler paints outside its rectangle.
    const int h = defaultRowHeight();
    const int pitch = rowPitch();
    int right = dataAreaLeft();
    for (int c = 0; c < columnCount(); ++c) {
        if (!m_columns[c]->visible())
            continue;
        const int x = columnLeft(c) + m_columns[c]->storedWidth();
        right = x + 1;
        if (hasOption(GridOption::ColLines) && x >= clip.left() && x <= clip.right())
            p.fillRect(QRect(x, firstY, 1, lastY - firstY), m_lineColor);
    }
    if (!hasOption(GridOption::RowLines))
        return;
    const int left = std::max(dataAreaLeft(), clip.left());
    for (int y = firstY + h; y < lastY; y += pitch)
        if (y >= clip.top() && y <= clip.bottom())
            p.fillRect(QRect(left, y, right - left, 1), m_lineColor);
}

void DBGrid::paintViewport(QPaintEvent* event) {
    ++m_paintCount;
    QPainter p(viewport());
    const QRect clip = event->rect();
    const int vw = viewport()->width();
    const int vh = viewport()->height();
    const int left = dataAreaLeft();
    const int titlePitch = this->titlePitch();
    const int pitch = rowPitch();

    int dataRight = left - m_hOffset;
    for (const auto& c : m_columns)
        dataRight += columnPitch(*c);

    // Data cells, clipped to the data area so that horizontal scrolling slides them under the indicator.
    p.setClipRect(QRect(left, 0, vw - left, vh) & clip);
    // Right of the columns, first: a handler may paint a little over its cell's edge.
    if (dataRight < vw)
        p.fillRect(QRect(dataRight, 0, vw - dataRight, vh), m_color);
    if (hasOption(GridOption::Titles))
        paintTitles(p, clip);
    int y = titlePitch;
    int row = 0;
    const int count = recordCount();
    if (count > 0) {
        const int shownRows = std::min(count - m_top + 1, (vh - titlePitch + pitch - 1) / pitch);
        paintDataLines(p, titlePitch, titlePitch + shownRows * pitch, clip);
        for (; y < vh && m_top + row <= count; ++row, y += pitch) {
            if (y + pitch <= clip.top() || y > clip.bottom())
                continue;
            paintDataRow(p, row + titleOffset(), m_top + row, y, clip);
        }
    }
    // Below the rows.
    if (y < vh)
        p.fillRect(QRect(left, y, vw - left, vh - y), m_color);
    p.setClipping(false);

    if (hasOption(GridOption::Indicator)) {
        const bool colLines = hasOption(GridOption::ColLines);
        const QColor fixedLine = sysColor(COLOR_3DDKSHADOW);
        if (hasOption(GridOption::Titles))
            paintFixedCell(p, QRect(0, 0, kIndicatorWidth, titleRowHeight()), m_fixedColor);
        int iy = titlePitch;
        for (int r = 0; iy < vh && count > 0 && m_top + r <= count; ++r, iy += pitch) {
            if (iy + pitch <= clip.top() || iy > clip.bottom())
                continue;
            m_paintRecNo = m_top + r;
            m_paintCurrent = m_paintRecNo == dataSet()->recNo();
            m_paintMarked = isMarkedRecNo(m_paintRecNo);
            paintIndicatorCell(p, QRect(0, iy, kIndicatorWidth, defaultRowHeight()), m_paintRecNo);
            if (hasOption(GridOption::RowLines))
                p.fillRect(QRect(0, iy + defaultRowHeight(), kIndicatorWidth, 1), fixedLine);
        }
        // Below the rows, the indicator and its line's column too: nothing else paints that
        // line there, and the viewport is not cleared before painting.
        if (iy < vh)
            p.fillRect(QRect(0, iy, std::max(left, kIndicatorWidth), vh - iy), m_color);
        if (colLines)
            p.fillRect(QRect(kIndicatorWidth, 0, 1, std::min(iy, vh)), fixedLine);
    }
    m_paintRecNo = 0;
    m_paintRow = 0;
    m_paintMarked = false;
    m_paintCurrent = false;
}
