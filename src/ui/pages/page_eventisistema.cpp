#include "ui/pages/page_eventisistema.h"

#include "model/datamodule.h"
#include "model/dimensions.h"
#include "model/lang.h"
#include "platform/dataset.h"
#include "platform/dbcontrols.h"
#include "platform/gridpaint.h"
#include "ui/celleditors.h"
#include "ui/mainwindow.h"
#include "ui/pages/cellfaces.h"
#include "ui/pages/pagegrids.h"

#include <QPainter>
#include <QVBoxLayout>

namespace {
bool isCallColumn(const DBGridColumn& column) {
    return column.fieldName().startsWith(QLatin1String("_Tel")) && column.fieldName().size() == 5;
}
} // namespace

TPageEventiSistema::TPageEventiSistema(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet11"));
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(4, 4, 4, 4);
    DBGrid32 = new DBGrid(this);
    DBGrid32->setObjectName(QStringLiteral("DBGrid32"));
    DBGrid32->setOptions(GridOption::Titles | GridOption::ColumnResize | GridOption::ColLines |
                         GridOption::RowLines | GridOption::Tabs | GridOption::ConfirmDelete |
                         GridOption::CancelOnExit | GridOption::MultiSelect);
    DBGrid32->setDataSource(DM ? DM->DataSource_Eventi_Sistema : nullptr);
    lay->addWidget(DBGrid32);
    DBGrid32->addColumn(QStringLiteral("_ID"), QStringLiteral("ID"), 40).readOnly = true;
    DBGrid32->addColumn(QStringLiteral("_Nome"), QStringLiteral("EVENTO"), 220);
    // The call columns are titled with the phone-book names (see phonetitles.h).
    for (int n = 1; n <= 8; ++n)
        DBGrid32->addColumn(QStringLiteral("_Tel%1").arg(n), QStringLiteral("TELEFONO %1").arg(n), 95);

    CellFaces::fitWhenShown(*DBGrid32);
    QStringList calls;
    for (int n = 1; n <= 8; ++n)
        calls << QStringLiteral("_Tel%1").arg(n);
    DBComboBox38 = Form6->cellEditors().attach(QStringLiteral("DBComboBox38"), DBGrid32, calls);
    DBGrid32->onDrawColumnCell = [this](DBGrid& g, QPainter& p, const QRect& r, int col, DBGridColumn& c,
                                        GridDrawState s) { DBGrid32DrawColumnCell(g, p, r, col, c, s); };
    connect(DBGrid32, &DBGrid::currentCellChanged, this, &TPageEventiSistema::cellEntered);
}

bool TPageEventiSistema::voiceUnsupported(int systemType, int recNo, const QString& call) {
    const ModelFeatures* model = modelFeatures(systemType);
    const bool voiceless =
        model && model->firstEventWithoutVoice != 0 && recNo >= model->firstEventWithoutVoice;
    return voiceless && (call == QLatin1String("Voce") || call == QLatin1String("Voce + SMS"));
}

void TPageEventiSistema::DBGrid32DrawColumnCell(DBGrid& grid, QPainter& painter, const QRect& rect,
                                                int dataCol, DBGridColumn& column, GridDrawState state) {
    ColoraGriglia(grid, painter, rect, dataCol, column, state);
    if (dataCol < 2)
        return;
    const QString call = grid.paintedText(column);
    if (!isCallColumn(column) || !DM || !voiceUnsupported(DM->GetSystemType(), grid.paintedRecNo(), call)) {
        CellFaces::valueCell(grid, painter, rect, column, true);
        return;
    }
    // The call is kept as stored but shown struck out in red: the model would not make it.
    painter.fillRect(rect, grid.canvas().brush);
    painter.save();
    QFont font = grid.canvas().font;
    font.setBold(true);
    font.setStrikeOut(true);
    painter.setFont(font);
    painter.setPen(QColor(255, 0, 0));
    CellFaces::cellText(grid, painter, rect, call);
    painter.restore();
}

void TPageEventiSistema::cellEntered() {
    DataSet* t = DBGrid32->dataSet();
    if (!t || !t->active())
        return;
    stampRowNumber(*DBGrid32);
    CellFaces::postPending(t);
}

#include "moc_page_eventisistema.cpp"
