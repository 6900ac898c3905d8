#include "ui/pages/page_programmi.h"

#include "model/datamodule.h"
#include "platform/dataset.h"
#include "platform/gridpaint.h"
#include "ui/celleditors.h"
#include "ui/gridfaces.h"
#include "ui/mainwindow.h"
#include "ui/pages/cellfaces.h"
#include "ui/pages/pagegrids.h"

#include <QGroupBox>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>

namespace {
const QString kNome = QStringLiteral("_Nome");
const QString kMsg1 = QStringLiteral("_Msg1");
} // namespace

TPageProgrammi::TPageProgrammi(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet7"));
    using O = GridOption;
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(4, 4, 4, 4);
    Splitter11 = new QSplitter(Qt::Horizontal, this);
    Splitter11->setObjectName(QStringLiteral("Splitter11"));
    Splitter11->setChildrenCollapsible(false);
    lay->addWidget(Splitter11);

    // Exit time and word go through the page's list editors; nothing is typed in place.
    DBGrid4 = makePageGrid(nullptr, "DBGrid4", DM ? DM->DataSource_Parziali : nullptr,
                           O::Titles | O::Indicator | O::ColumnResize | O::ColLines | O::RowLines | O::Tabs |
                               O::AlwaysShowSelection | O::ConfirmDelete | O::CancelOnExit,
                           {{"_ID", 28, true, "N°"},
                            {"_Nome", 100, false, "ETICHETTA"},
                            {"_TempoUscita", 90, false, "TEMPO DI USCITA (Sec.)"},
                            {"_Msg1", 100, false, "MESSAGGIO"}});
    if (Form6) {
        DBComboBox24 = Form6->cellEditors().attach(QStringLiteral("DBComboBox24"), DBGrid4);
        DBComboBox5 = Form6->cellEditors().attach(QStringLiteral("DBComboBox5"), DBGrid4);
    }
    GroupBox43 = makeGroupBox(Splitter11, "GroupBox43", QStringLiteral("PARZIALI"), DBGrid4);
    Splitter11->addWidget(GroupBox43);

    Splitter10 = new QSplitter(Qt::Horizontal, Splitter11);
    Splitter10->setObjectName(QStringLiteral("Splitter10"));
    Splitter10->setChildrenCollapsible(false);
    Splitter11->addWidget(Splitter10);

    const GridOptions listOptions = O::Titles | O::ColumnResize | O::ColLines | O::RowLines | O::Tabs |
                                    O::ConfirmDelete | O::CancelOnExit;
    DBGrid5 = makePageGrid(nullptr, "DBGrid5", DM ? DM->DataSource_Ingressi : nullptr, listOptions,
                           {{"_ID", 28, true, "N°"}, {"_Nome", 160, false, "ETICHETTA"}});
    DBGrid5->column(1).readOnly = true; // inputs are named on their own page
    ActionToolBar3 = makeSideToolBar(nullptr, "ActionToolBar3");
    GroupBox44 = makeGroupBox(Splitter10, "GroupBox44", QStringLiteral("INGRESSI"), DBGrid5, ActionToolBar3);
    DBGrid7 = makePageGrid(nullptr, "DBGrid7", DM ? DM->DataSource_Zone : nullptr, listOptions,
                           {{"_ID", 28, true, "N°"}, {"_Nome", 160, false, " "}});
    DBGrid7->column(1).readOnly = true;
    GroupBox41 = makeGroupBox(Splitter10, "GroupBox41", QStringLiteral("ZONE ASSOCIATE"), DBGrid7);
    Splitter10->addWidget(GroupBox44);
    Splitter10->addWidget(GroupBox41);
    for (DBGrid* g : {DBGrid4, DBGrid5, DBGrid7})
        CellFaces::widenToTitles(*g);
    Splitter11->setSizes({440, 660});
    Splitter10->setSizes({330, 330});

    DBGrid4->onDrawColumnCell = [this](DBGrid& grid, QPainter& p, const QRect& r, int dataCol,
                                       DBGridColumn& c, GridDrawState s) {
        DBGridProgramLinkDrawColumnCell(grid, p, r, dataCol, c, s);
    };
    if (DM) {
        for (DataSource* src : {DM->DataSource_Parziali, DM->DataSource_Messaggi}) {
            connect(src, &DataSource::dataSetScrolled, this, &TPageProgrammi::updateZoneTitle);
            connect(src, &DataSource::dataSetChanged, this, &TPageProgrammi::updateZoneTitle);
            connect(src, &DataSource::recordChanged, this, &TPageProgrammi::updateZoneTitle);
        }
    }
    updateZoneTitle();
}

QString TPageProgrammi::partitionWord(const DataSet& partitions, int recNo) {
    const int index = partitions.integerAt(recNo, partitions.fieldByName(QStringLiteral("_IMsg1")).index());
    const DataSet* words = DM ? DM->CDSet_Messaggi : nullptr;
    const int p = index + 1;
    if (words && words->active() && p > 0 && words->recordCount() >= p)
        return GetNameTable(*words, QStringLiteral("_Messaggio"), p);
    return partitions.stringAt(recNo, partitions.fieldByName(kMsg1).index());
}

void TPageProgrammi::updateZoneTitle() {
    const DataSet* partitions = DM ? DM->CDSet_Parziali : nullptr;
    QString title = QStringLiteral(" ");
    if (partitions && partitions->active() && !partitions->isEmpty())
        title = partitions->fieldByName(kNome).asString() + QStringLiteral(" (") +
                partitions->fieldByName(kMsg1).asString() + QLatin1Char(')');
    DBGrid7->column(1).title.caption = title;
    DBGrid7->viewport()->update();
}

void TPageProgrammi::DBGridProgramLinkDrawColumnCell(DBGrid& grid, QPainter& painter, const QRect& rect,
                                                     int dataCol, DBGridColumn& column, GridDrawState state) {
    ColoraGriglia(grid, painter, rect, dataCol, column, state);
    const DataSet* partitions = grid.dataSet();
    if (dataCol < 2 || !partitions || !partitions->active() || partitions->isEmpty())
        return;
    const QString text = column.fieldName() == kMsg1 ? partitionWord(*partitions, grid.paintedRecNo())
                                                     : grid.paintedText(column);
    drawGripFace(grid, painter, rect, text);
}

#include "moc_page_programmi.cpp"
