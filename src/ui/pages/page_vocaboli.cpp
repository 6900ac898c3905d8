#include "ui/pages/page_vocaboli.h"

#include "model/datamodule.h"
#include "platform/colors.h"
#include "platform/dataset.h"
#include "platform/gridpaint.h"
#include "ui/pages/cellfaces.h"

#include <QVBoxLayout>

TPageVocaboli::TPageVocaboli(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet28"));
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(4, 4, 4, 4);
    DBGrid43 = new DBGrid(this);
    DBGrid43->setObjectName(QStringLiteral("DBGrid43"));
    DBGrid43->setOptions(GridOption::Titles | GridOption::ColumnResize | GridOption::ColLines |
                         GridOption::RowLines | GridOption::Tabs | GridOption::AlwaysShowSelection |
                         GridOption::ConfirmDelete | GridOption::CancelOnExit | GridOption::MultiSelect);
    if (DM)
        DBGrid43->setDataSource(DM->DataSource_Messaggi);
    // Wide enough for a three-digit number.
    DBGridColumn& id = DBGrid43->addColumn(QStringLiteral("_ID"), QString(), 30);
    id.readOnly = true;
    id.alignment = Qt::AlignHCenter;
    id.color = sysColor(COLOR_HIGHLIGHTTEXT);
    DBGridColumn& word = DBGrid43->addColumn(QStringLiteral("_Messaggio"), QString(), 400);
    word.color = sysColor(COLOR_BTNHIGHLIGHT);
    lay->addWidget(DBGrid43);
    CellFaces::fitWhenShown(*DBGrid43);

    DBGrid43->onDrawColumnCell = [this](DBGrid& grid, QPainter& p, const QRect& rect, int dataCol,
                                        DBGridColumn& column, GridDrawState state) {
        DBGrid43DrawColumnCell(grid, p, rect, dataCol, column, state);
    };
    connect(DBGrid43, &DBGrid::currentCellChanged, this, &TPageVocaboli::updateEditing);
    // Opening another installation changes the model and the rows under the same cell.
    if (DM)
        connect(DM->DataSource_Messaggi, &DataSource::dataSetChanged, this, &TPageVocaboli::updateEditing);
}

bool TPageVocaboli::wordEditable(int systemType, int recNo) {
    if (systemType >= 4 && systemType <= 6)
        return recNo >= 2 && recNo <= 31;
    return true;
}

void TPageVocaboli::updateEditing() {
    const DataSet* ds = DBGrid43->dataSet();
    const DBGridColumn* column = DBGrid43->selectedColumn();
    const bool on = ds && ds->active() && DM && column &&
                    column->fieldName() == QLatin1String("_Messaggio") &&
                    wordEditable(DM->GetSystemType(), ds->recNo());
    if (!on && DBGrid43->editorMode())
        DBGrid43->hideEditor();
    DBGrid43->setOption(GridOption::Editing, on);
}

void TPageVocaboli::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    updateEditing();
}

void TPageVocaboli::DBGrid43DrawColumnCell(DBGrid& grid, QPainter& painter, const QRect& rect, int dataCol,
                                           DBGridColumn& column, GridDrawState state) {
    ColoraGriglia(grid, painter, rect, dataCol, column, state);
    if (column.fieldName() != QLatin1String("_Messaggio"))
        return;
    grid.canvas().fontColor = Qt::black;
    DrawGripCell(grid, painter, rect, grid.paintedText(column));
}

#include "moc_page_vocaboli.cpp"
