#include "ui/pages/page_gruppi.h"

#include "model/datamodule.h"
#include "platform/gridpaint.h"
#include "ui/celleditors.h"
#include "ui/gridfaces.h"
#include "ui/mainwindow.h"
#include "ui/pages/pagegrids.h"

#include <QGroupBox>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>

TPageGruppi::TPageGruppi(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet9"));
    using O = GridOption;
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(4, 4, 4, 4);

    Splitter14 = new QSplitter(Qt::Horizontal, this);
    Splitter14->setObjectName(QStringLiteral("Splitter14"));
    Splitter14->setChildrenCollapsible(false);
    lay->addWidget(Splitter14);

    // The label is typed in place; the word goes through the page's list editor.
    DBGrid25 = makePageGrid(nullptr, "DBGrid25", DM ? DM->DataSource_Group : nullptr,
                            O::Titles | O::Indicator | O::ColumnResize | O::ColLines | O::RowLines | O::Tabs |
                                O::AlwaysShowSelection | O::ConfirmDelete | O::CancelOnExit,
                            {{"_ID", 32, true}, {"_Nome", 110}, {"_Msg1", 100}});
    DBGrid25->column(2).title.caption = QStringLiteral("MESSAGGIO");
    if (Form6)
        DBComboBox11 = Form6->cellEditors().attach(QStringLiteral("DBComboBox11"), DBGrid25);
    GroupBox54 = makeGroupBox(Splitter14, "GroupBox54", QStringLiteral("GRUPPI"), DBGrid25);
    Splitter14->addWidget(GroupBox54);

    Splitter15 = new QSplitter(Qt::Horizontal, Splitter14);
    Splitter15->setObjectName(QStringLiteral("Splitter15"));
    Splitter15->setChildrenCollapsible(false);
    Splitter14->addWidget(Splitter15);
    Splitter14->setStretchFactor(0, 3);
    Splitter14->setStretchFactor(1, 4);

    const GridOptions listOpts = O::Titles | O::ColumnResize | O::ColLines | O::RowLines | O::Tabs |
                                 O::ConfirmDelete | O::CancelOnExit;
    DBGrid22 = makePageGrid(nullptr, "DBGrid22", DM ? DM->DataSource_Parziali : nullptr, listOpts,
                            {{"_ID", 32, true}, {"_Nome", 110}});
    ActionToolBar4 = makeSideToolBar(nullptr, "ActionToolBar4");
    GroupBox60 = makeGroupBox(Splitter15, "GroupBox60", QStringLiteral("PARZIALI"), DBGrid22, ActionToolBar4);
    DBGrid21 = makePageGrid(nullptr, "DBGrid21", DM ? DM->DataSource_Partial : nullptr, listOpts,
                            {{"_ID", 32, true}, {"_Nome", 110}});
    GroupBox38 = makeGroupBox(Splitter15, "GroupBox38", QStringLiteral("PARZIALI ASSOCIATI"), DBGrid21);
    Splitter15->addWidget(GroupBox60);
    Splitter15->addWidget(GroupBox38);

    DBGrid25->onDrawColumnCell = [this](DBGrid& grid, QPainter& p, const QRect& r, int dataCol,
                                        DBGridColumn& c, GridDrawState s) {
        DBGrid25DrawColumnCell(grid, p, r, dataCol, c, s);
    };
    connect(DBGrid25, &DBGrid::currentCellChanged, this, &TPageGruppi::groupCellChanged);
    groupCellChanged();
    if (DM) {
        DataSource* groups = DM->DataSource_Group;
        connect(groups, &DataSource::dataSetScrolled, this, &TPageGruppi::updateLinkTitle);
        connect(groups, &DataSource::dataSetChanged, this, &TPageGruppi::updateLinkTitle);
        connect(groups, &DataSource::recordChanged, this, &TPageGruppi::updateLinkTitle);
    }
    updateLinkTitle();
}

// Only the label is typed into.
void TPageGruppi::groupCellChanged() {
    const DBGridColumn* c = DBGrid25->selectedColumn();
    DBGrid25->setOption(GridOption::Editing, c && c->fieldName() == QLatin1String("_Nome"));
}

void TPageGruppi::updateLinkTitle() {
    const DataSet* groups = DM ? DM->CDSet_Group : nullptr;
    QString title = QStringLiteral(" ");
    if (groups && groups->active() && !groups->isEmpty())
        title = groups->fieldByName(QStringLiteral("_Nome")).asString() + QStringLiteral(" (") +
                groups->fieldByName(QStringLiteral("_Msg1")).asString() + QLatin1Char(')');
    DBGrid21->column(1).title.caption = title;
    DBGrid21->viewport()->update();
}

void TPageGruppi::DBGrid25DrawColumnCell(DBGrid& grid, QPainter& painter, const QRect& rect, int dataCol,
                                         DBGridColumn& column, GridDrawState state) {
    ColoraGriglia(grid, painter, rect, dataCol, column, state);
    const DataSet* ds = grid.dataSet();
    if (dataCol >= 2 && ds && ds->active() && !ds->isEmpty())
        drawGripFace(grid, painter, rect, grid.paintedText(column));
}

#include "moc_page_gruppi.cpp"
