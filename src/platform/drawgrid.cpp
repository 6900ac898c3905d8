#include "platform/drawgrid.h"

#include "platform/colors.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

TDrawGrid::TDrawGrid(QWidget* parent) : QAbstractScrollArea(parent) {
    setFrameShape(QFrame::StyledPanel);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void TDrawGrid::setColCount(int count) {
    m_widths.resize(size_t(qMax(0, count)), 64);
    updateScrollBars();
    viewport()->update();
}

void TDrawGrid::setRowCount(int count) {
    m_rowCount = qMax(0, count);
    updateScrollBars();
    viewport()->update();
}

void TDrawGrid::setFixedRows(int rows) {
    m_fixedRows = qBound(0, rows, m_rowCount);
    updateScrollBars();
    viewport()->update();
}

int TDrawGrid::colWidth(int col) const {
    return col >= 0 && col < colCount() ? m_widths[size_t(col)] : 0;
}

void TDrawGrid::setColWidth(int col, int width) {
    if (col < 0 || col >= colCount())
        return;
    m_widths[size_t(col)] = qMax(0, width);
    updateScrollBars();
    viewport()->update();
}

void TDrawGrid::setColWidths(const std::vector<int>& widths) {
    m_widths = widths;
    updateScrollBars();
    viewport()->update();
}

void TDrawGrid::setDefaultRowHeight(int height) {
    m_rowHeight = qMax(1, height);
    updateScrollBars();
    viewport()->update();
}

void TDrawGrid::setGridLineWidth(int width) {
    m_lineWidth = qBound(0, width, 1);
    updateScrollBars();
    viewport()->update();
}

void TDrawGrid::setColumnSizing(bool on) {
    m_columnSizing = on;
}

void TDrawGrid::setColor(const QColor& color) {
    m_color = color;
    viewport()->update();
}

int TDrawGrid::columnLeft(int col) const {
    int x = -horizontalScrollBar()->value();
    for (int c = 0; c < col && c < colCount(); ++c)
        x += m_widths[size_t(c)] + m_lineWidth;
    return x;
}

int TDrawGrid::rowTop(int row) const {
    const int pitch = m_rowHeight + m_lineWidth;
    if (row < m_fixedRows)
        return row * pitch;
    return row * pitch - verticalScrollBar()->value();
}

QRect TDrawGrid::cellRect(int col, int row) const {
    if (col < 0 || col >= colCount() || row < 0 || row >= m_rowCount)
        return {};
    const int y = rowTop(row);
    if (row >= m_fixedRows && y < m_fixedRows * (m_rowHeight + m_lineWidth))
        return {};
    return QRect(columnLeft(col), y, m_widths[size_t(col)], m_rowHeight);
}

QSize TDrawGrid::contentSize() const {
    int w = 0;
    for (int width : m_widths)
        w += width + m_lineWidth;
    return {w, m_rowCount * (m_rowHeight + m_lineWidth)};
}

void TDrawGrid::fitToContent() {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int frame = 2 * frameWidth();
    setFixedSize(contentSize() + QSize(frame, frame));
}

QSize TDrawGrid::sizeHint() const {
    const int frame = 2 * frameWidth();
    return contentSize() + QSize(frame, frame);
}

void TDrawGrid::updateScrollBars() {
    const QSize content = contentSize();
    const QSize view = viewport()->size();
    const int fixedHeight = m_fixedRows * (m_rowHeight + m_lineWidth);
    horizontalScrollBar()->setRange(0, qMax(0, content.width() - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setRange(0, qMax(0, content.height() - view.height()));
    verticalScrollBar()->setPageStep(qMax(1, view.height() - fixedHeight));
    verticalScrollBar()->setSingleStep(m_rowHeight + m_lineWidth);
}

void TDrawGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void TDrawGrid::scrollContentsBy(int, int) {
    viewport()->update();
}

bool TDrawGrid::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Paint) {
        paintCells(static_cast<QPaintEvent*>(event));
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void TDrawGrid::paintCells(QPaintEvent* event) {
    ++m_paintCount;
    QPainter p(viewport());
    const QRect clip = event->rect();
    p.fillRect(clip, m_color);
    const QColor lineColor = sysColor(COLOR_BTNFACE).darker(115);
    const int fixedBottom = m_fixedRows * (m_rowHeight + m_lineWidth);
    auto paintRow = [&](int row) {
        const int y = rowTop(row);
        if (y >= clip.bottom() + 1 || y + m_rowHeight + m_lineWidth <= clip.top())
            return;
        for (int c = 0; c < colCount(); ++c) {
            const QRect r(columnLeft(c), y, m_widths[size_t(c)], m_rowHeight);
            if (r.right() + m_lineWidth < clip.left() || r.left() > clip.right())
                continue;
            if (m_lineWidth > 0) {
                p.fillRect(QRect(r.right() + 1, y, 1, m_rowHeight + 1), lineColor);
                p.fillRect(QRect(r.left(), r.bottom() + 1, r.width(), 1), lineColor);
            }
            if (row < m_fixedRows)
                p.fillRect(r, sysColor(COLOR_BTNFACE));
            if (onDrawCell) {
                p.save();
                p.setClipRect(r);
                onDrawCell(*this, p, c, row, r, row < m_fixedRows);
                p.restore();
            }
        }
    };
    // Data rows first, clipped below the fixed rows; the fixed rows on top.
    p.save();
    p.setClipRect(
        QRect(0, fixedBottom, viewport()->width(), viewport()->height() - fixedBottom).intersected(clip));
    const int pitch = m_rowHeight + m_lineWidth;
    const int first = qMax(m_fixedRows, (verticalScrollBar()->value() + fixedBottom) / pitch);
    for (int row = first; row < m_rowCount && rowTop(row) < viewport()->height(); ++row)
        paintRow(row);
    p.restore();
    for (int row = 0; row < m_fixedRows; ++row)
        paintRow(row);
}

int TDrawGrid::sizingColumnAt(int x, int y) const {
    if (!m_columnSizing || y < 0 || y >= m_fixedRows * (m_rowHeight + m_lineWidth))
        return -1;
    for (int c = 0; c < colCount(); ++c) {
        const int edge = columnLeft(c) + m_widths[size_t(c)];
        if (qAbs(x - edge) <= 2)
            return c;
    }
    return -1;
}

void TDrawGrid::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint(); // viewport coordinates
    m_resizeCol = event->button() == Qt::LeftButton ? sizingColumnAt(pos.x(), pos.y()) : -1;
    if (m_resizeCol >= 0) {
        m_resizeStartX = pos.x();
        m_resizeStartWidth = m_widths[size_t(m_resizeCol)];
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void TDrawGrid::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint(); // viewport coordinates
    if (m_resizeCol >= 0) {
        setColWidth(m_resizeCol, qMax(4, m_resizeStartWidth + pos.x() - m_resizeStartX));
    } else {
        viewport()->setCursor(sizingColumnAt(pos.x(), pos.y()) >= 0 ? Qt::SplitHCursor : Qt::ArrowCursor);
    }
    QAbstractScrollArea::mouseMoveEvent(event);
}

void TDrawGrid::mouseReleaseEvent(QMouseEvent* event) {
    m_resizeCol = -1;
    QAbstractScrollArea::mouseReleaseEvent(event);
}

#include "moc_drawgrid.cpp"
