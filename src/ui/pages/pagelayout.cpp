#include "ui/pages/pagelayout.h"

#include "platform/glyphs.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace PageLayout {

QGroupBox* groupBox(QWidget* parent, const char* name, const QString& caption) {
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    auto* lay = new QVBoxLayout(box);
    lay->setContentsMargins(4, 4, 4, 4);
    if (parent && parent->layout())
        parent->layout()->addWidget(box);
    return box;
}

DBGrid* grid(QWidget* host, const char* name, GridOptions extra, const std::vector<Column>& columns) {
    auto* g = new DBGrid(host);
    g->setObjectName(QString::fromLatin1(name));
    // Grids keep the window's font even inside a group box with a styled caption.
    QFont font = QApplication::font();
    font.setResolveMask(QFont::AllPropertiesResolved);
    g->setFont(font);
    g->setOptions(GridOption::Titles | GridOption::ColumnResize | GridOption::ColLines |
                  GridOption::RowLines | extra);
    // A column is at least as wide as its bold title, so that no title is cut to a word that
    // several columns share ("PARZIALI" for "PARZIALI 1" .. "PARZIALI 8").
    QFont titleFont = g->font();
    titleFont.setBold(true);
    const QFontMetrics titleMetrics(titleFont);
    for (const Column& c : columns) {
        const int titleWidth = c.title.trimmed().isEmpty() ? 0 : titleMetrics.horizontalAdvance(c.title) + 8;
        DBGridColumn& col = g->addColumn(c.field, c.title, std::max(c.width, titleWidth));
        col.readOnly = c.readOnly;
    }
    if (host && host->layout())
        host->layout()->addWidget(g);
    return g;
}

void drawValueCell(DBGrid& grid, QPainter& painter, const QRect& rect, const QString& text, bool bold) {
    drawFrameControl(painter, rect, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    QFont font = grid.canvas().font;
    font.setBold(bold);
    painter.setFont(font);
    painter.setPen(Qt::black);
    grid.textOut(painter, rect.left() + 5, rect.top() + 2, text);
}

void renumberOnIdCell(DBGrid& grid) {
    DataSet* table = grid.dataSet();
    const DBGridColumn* column = grid.selectedColumn();
    if (!table || !column || column->fieldName() != QLatin1String("_ID"))
        return;
    if (table->state() == DataSetState::Edit || table->state() == DataSetState::Insert) {
        table->fieldByName(QStringLiteral("_ID")).setAsInteger(table->recNo());
        table->post();
    }
}

} // namespace PageLayout
