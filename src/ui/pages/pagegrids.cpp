#include "ui/pages/pagegrids.h"

#include "platform/dataset.h"
#include "platform/gridpaint.h"

#include <QAction>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QToolBar>

namespace {
// Watches the grid's viewport: its size is the one the fitting divides.
class FitOnResize : public QObject {
public:
    explicit FitOnResize(DBGrid* grid) : QObject(grid), m_grid(grid) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize)
            FixDBGridColumnsWidth(m_grid);
        return false;
    }

private:
    DBGrid* m_grid;
};
} // namespace

void fitColumnsOnResize(DBGrid* grid) {
    if (grid)
        grid->viewport()->installEventFilter(new FitOnResize(grid));
}

DBGrid* makePageGrid(QWidget* parent, const char* name, DataSource* source, GridOptions options,
                     std::initializer_list<GridColumnDef> columns) {
    auto* grid = new DBGrid(parent);
    grid->setObjectName(QString::fromLatin1(name));
    grid->setOptions(options);
    grid->setDataSource(source);
    for (const GridColumnDef& def : columns) {
        DBGridColumn& c = grid->addColumn(QString::fromLatin1(def.field),
                                          def.title ? QString::fromUtf8(def.title) : QString(), def.width);
        c.readOnly = def.readOnly;
    }
    fitColumnsOnResize(grid);
    return grid;
}

QGroupBox* makeGroupBox(QWidget* parent, const char* name, const QString& caption, QWidget* content,
                        QToolBar* toolBar) {
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    auto* lay = new QHBoxLayout(box);
    lay->setContentsMargins(4, 4, 4, 4);
    lay->setSpacing(2);
    if (content)
        lay->addWidget(content, 1);
    if (toolBar)
        lay->addWidget(toolBar);
    return box;
}

QToolBar* makeSideToolBar(QWidget* parent, const char* name) {
    auto* bar = new QToolBar(parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setOrientation(Qt::Vertical);
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bar->setMovable(false);
    bar->setFloatable(false);
    return bar;
}

void nameButtonsByHint(QToolBar* bar) {
    if (!bar)
        return;
    for (QAction* a : bar->actions()) {
        QWidget* button = bar->widgetForAction(a);
        if (!button || a->isSeparator())
            continue;
        auto name = [a, button] {
            const QString hint = a->property("hint").toString();
            button->setAccessibleName(hint.isEmpty() ? a->toolTip() : hint);
        };
        name();
        QObject::connect(a, &QAction::changed, button, name);
    }
}

bool stampRowNumber(DBGrid& grid) {
    DataSet* table = grid.dataSet();
    const DBGridColumn* column = grid.selectedColumn();
    if (!table || !column || column->fieldName() != QLatin1String("_ID"))
        return false;
    if (table->state() != DataSetState::Edit && table->state() != DataSetState::Insert)
        return false;
    table->fieldByName(QStringLiteral("_ID")).setAsInteger(table->recNo());
    return true;
}

void renumberOnIdCell(DBGrid& grid) {
    if (stampRowNumber(grid))
        grid.dataSet()->post();
}
