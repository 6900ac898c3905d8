#pragma once
// TDrawGrid: a grid of cells that holds no data. Columns have their own widths, rows one
// height; the first `fixedRows` rows stay on top while the others scroll. Each cell is painted
// by onDrawCell; a grid may also carry child controls laid over its cells (cellRect gives their
// bounds). Column widths can be dragged in the fixed rows when column sizing is on.

#include <QAbstractScrollArea>
#include <QColor>

#include <functional>
#include <vector>

class TDrawGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    // fixed: a cell of the fixed rows; the painter is clipped to the cell.
    using DrawCellHandler = std::function<void(TDrawGrid& grid, QPainter& painter, int col, int row,
                                               const QRect& rect, bool fixed)>;

    explicit TDrawGrid(QWidget* parent = nullptr);

    int colCount() const { return int(m_widths.size()); }
    void setColCount(int count);
    int rowCount() const { return m_rowCount; }
    void setRowCount(int count);
    int fixedRows() const { return m_fixedRows; }
    void setFixedRows(int rows);
    int colWidth(int col) const;
    void setColWidth(int col, int width);
    void setColWidths(const std::vector<int>& widths); // also sets the column count
    int defaultRowHeight() const { return m_rowHeight; }
    void setDefaultRowHeight(int height);
    int gridLineWidth() const { return m_lineWidth; }
    void setGridLineWidth(int width); // 0 or 1
    bool columnSizing() const { return m_columnSizing; }
    void setColumnSizing(bool on);
    QColor color() const { return m_color; } // what a cell is cleared with
    void setColor(const QColor& color);

    // A cell in viewport coordinates, without its lines (empty for a scrolled-away data row).
    QRect cellRect(int col, int row) const;
    // The size that shows every cell without scrolling.
    QSize contentSize() const;
    // Fits the widget to its content: no scroll bars, fixed size.
    void fitToContent();

    DrawCellHandler onDrawCell;
    int paintCount() const { return m_paintCount; } // paint events of the cells (tests, benchmarks)

    QSize sizeHint() const override;

protected:
    bool viewportEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void paintCells(QPaintEvent* event);
    void updateScrollBars();
    int columnLeft(int col) const;
    int rowTop(int row) const;              // viewport y of a row's top
    int sizingColumnAt(int x, int y) const; // column whose right edge is under (x, y) in a fixed row, or -1

    std::vector<int> m_widths;
    int m_rowCount = 0;
    int m_fixedRows = 0;
    int m_rowHeight = 16;
    int m_lineWidth = 1;
    bool m_columnSizing = false;
    QColor m_color = Qt::white;
    int m_paintCount = 0;
    int m_resizeCol = -1;
    int m_resizeStartX = 0;
    int m_resizeStartWidth = 0;
};
