#include "ui/pages/page_vocaboli.h"

#include "model/datamodule.h"
#include "model/dimensions.h"
#include "platform/colors.h"
#include "platform/dataset.h"
#include "platform/gridpaint.h"
#include "ui/pages/pagegrids.h"

#include <QFontMetrics>
#include <QVBoxLayout>

#include <algorithm>

TPageVocaboli::TPageVocaboli(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet28"));
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(4, 4, 4, 4);
    DBGrid43 =
        makePageGrid(this, "DBGrid43", DM ? DM->DataSource_Messaggi : nullptr,
                     GridOption::Titles | GridOption::ColumnResize | GridOption::ColLines |
                         GridOption::RowLines | GridOption::Tabs | GridOption::AlwaysShowSelection |
                         GridOption::ConfirmDelete | GridOption::CancelOnExit | GridOption::MultiSelect,
                     {{"_ID", 20, true}, {"_Messaggio", 400}});
    widenNumberColumn();
    DBGrid43->column(0).alignment = Qt::AlignHCenter;
    DBGrid43->column(0).color = sysColor(COLOR_HIGHLIGHTTEXT);
    DBGrid43->column(1).color = sysColor(COLOR_BTNHIGHLIGHT);
    lay->addWidget(DBGrid43);

    DBGrid43->onDrawColumnCell = [this](DBGrid& grid, QPainter& p, const QRect& rect, int dataCol,
                                        DBGridColumn& column, GridDrawState state) {
        DBGrid43DrawColumnCell(grid, p, rect, dataCol, column, state);
    };
    connect(DBGrid43, &DBGrid::currentCellChanged, this, &TPageVocaboli::updateEditing);
    // Opening another installation changes the model and the rows under the same cell.
    if (DM)
        connect(DM->DataSource_Messaggi, &DataSource::dataSetChanged, this, &TPageVocaboli::updateEditing);
}

// The words are numbered up to 186: where three digits do not fit in the number column at the
// grid's font, it is made as wide as they need, so no number is cut.
void TPageVocaboli::widenNumberColumn() {
    const QFontMetrics metrics(DBGrid43->font());
    int digit = 0;
    for (char c = '0'; c <= '9'; ++c)
        digit = std::max(digit, metrics.horizontalAdvance(QLatin1Char(c)));
    DBGridColumn& number = DBGrid43->column(0);
    number.setWidth(std::max(number.storedWidth(), 3 * digit + 2 * DBGrid::kTextInset));
}

bool TPageVocaboli::wordEditable(int systemType, int recNo) {
    const ModelFeatures* model = modelFeatures(systemType);
    if (!model || model->typedWords.first == 0)
        return true;
    return recNo >= model->typedWords.first && recNo <= model->typedWords.last;
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
