#include "ui/pages/page_wireless.h"

#include "model/datamodule.h"
#include "model/dimensions.h"
#include "platform/dataset.h"
#include "platform/glyphs.h"
#include "platform/gridpaint.h"
#include "platform/levelbar.h"
#include "ui/pagecontrol.h"
#include "ui/pages/cellfaces.h"
#include "ui/pages/pagegrids.h"
#include "ui/pages/wirelesscells.h"
#include "ui/radiochannels.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

using RadioChannels::Range;

namespace {
// Columns of DBGrid46.
enum Col400 { cId, cExpNum, cNome, cNomeDevice, cBatt, cSegnale, cSupervisione, cInput1 };
} // namespace

TPageWireless::TPageWireless(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet10"));
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(4, 4, 4, 4);
    PageControl1 = new TPageControl(QStringLiteral("PageControl1"), this);
    lay->addWidget(PageControl1);
    TabSheet44 = new QWidget;
    TabSheet44->setObjectName(QStringLiteral("TabSheet44"));
    PageControl1->addPage(TabSheet44, QStringLiteral("433 Mhz"));
    TabSheet45 = new QWidget;
    TabSheet45->setObjectName(QStringLiteral("TabSheet45"));
    PageControl1->addPage(TabSheet45, QStringLiteral("868 Mhz"));
    build400();
    build800();
}

void TPageWireless::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    reapplyDeviceFilter();
}

// ============================================================================ 433 Mhz

void TPageWireless::build400() {
    DBGrid46 = WirelessCells::makeGrid(QStringLiteral("DBGrid46"), TabSheet44,
                                       DM ? DM->DataSource_RadioDevice : nullptr,
                                       {{"_ID", "N°", 20, true},
                                        {"_ExpNum", "Esp. N°", 90, true},
                                        {"_Nome", "NOME", 90, false},
                                        {"_NomeDevice", "TIPO", 90, true},
                                        {"_Batt", "BATT.", 90, true},
                                        {"_Segnale", "SEGNALE", 90, true},
                                        {"_Supervisione", "SUPERVISIONE", 90, true}},
                                       5, 90, true);

    for (int k = 0; k < 5; ++k)
        DBLookupComboBox1_5[size_t(k)] = ChannelEditor::over(*DBGrid46, Range::R400, k + 1,
                                                             QStringLiteral("DBLookupComboBox%1").arg(k + 1));
    DBGrid46->onDrawColumnCell = [this](DBGrid& g, QPainter& p, const QRect& r, int dc, DBGridColumn& c,
                                        GridDrawState s) { DBGridWirelessDrawColumnCell(g, p, r, dc, c, s); };
    DBGrid46->onCellClick = [this](DBGridColumn& c) { DBGridWirelessCellClick(c); };
    DBGrid46->onTitleClick = [](DBGridColumn& c) { DBGridTitleClick(c); };
    connect(DBGrid46, &DBGrid::currentCellChanged, this, &TPageWireless::current400Changed);
    // A type that changes under the current cell (a read from the panel) decides at once.
    if (DM) {
        connect(DM->DataSource_RadioDevice, &DataSource::recordChanged, this,
                &TPageWireless::updateEditing400);
        connect(DM->DataSource_RadioDevice, &DataSource::dataSetChanged, this,
                &TPageWireless::updateEditing400);
    }
}

// The current cell decides whether the name can be typed (a typed device's name only) and
// which channel editors may stay open. A row left in edit state is written when its number cell
// is entered (with its position as its number) and when its name cell is entered for typing.
void TPageWireless::current400Changed() {
    for (ChannelEditor* e : DBLookupComboBox1_5)
        e->hide();
    DataSet* t = DBGrid46->dataSet();
    if (stampRowNumber(*DBGrid46))
        CellFaces::postPending(t);
    updateEditing400();
    if (DBGrid46->selectedIndex() == cNome && DBGrid46->hasOption(GridOption::Editing))
        CellFaces::postPending(t);
}

void TPageWireless::updateEditing400() {
    DataSet* t = DBGrid46->dataSet();
    const bool typed = t && !t->isEmpty() && t->fieldByName(QStringLiteral("_Tipo")).asInteger() != 0;
    DBGrid46->setOption(GridOption::Editing, typed && DBGrid46->selectedIndex() == cNome);
}

void TPageWireless::DBGridWirelessDrawColumnCell(DBGrid& grid, QPainter& p, const QRect& rect, int dataCol,
                                                 DBGridColumn& column, GridDrawState state) {
    ColoraGriglia(grid, p, rect, dataCol, column, state);
    const int tipo = grid.paintedValue(QStringLiteral("_Tipo")).toInt();
    if (dataCol == cNome || dataCol >= cInput1) {
        QString text = grid.paintedText(column);
        if (dataCol >= cInput1 && DM) {
            const int k = dataCol - cInput1 + 1;
            text = RadioChannels::associationText(*DM->CDSet_Ingressi, Range::R400, tipo, k,
                                                  grid.paintedValue(QStringLiteral("_In%1").arg(k)).toInt(),
                                                  text);
        }
        WirelessCells::valueCell(grid, p, rect, text);
    }
    switch (dataCol) {
    case cExpNum:
        WirelessCells::expanderCell(grid, p, rect, grid.paintedText(column),
                                    grid.paintedRecNo() <= C_NUM_DEVRADIO / 2);
        break;
    case cBatt:
        if (tipo == 0)
            WirelessCells::textCell(grid, p, rect, QStringLiteral(" Non disponibile"));
        else
            WirelessCells::levelCell(
                grid, p, rect,
                WirelessCells::batteryLevel(grid.paintedValue(QStringLiteral("_Batt")).toInt()));
        break;
    case cSegnale:
        if (tipo == 0)
            WirelessCells::textCell(grid, p, rect, QStringLiteral(" Non disponibile"));
        else
            WirelessCells::levelCell(
                grid, p, rect,
                WirelessCells::signal400Level(grid.paintedValue(QStringLiteral("_Segnale")).toInt()));
        break;
    case cSupervisione:
        WirelessCells::textCell(
            grid, p, rect,
            WirelessCells::supervisionText(grid.paintedValue(QStringLiteral("_Supervisione")).toInt()));
        break;
    default:
        if (dataCol >= cInput1 && !RadioChannels::hasChannel(Range::R400, tipo, dataCol - cInput1 + 1))
            WirelessCells::crossCell(grid, p, rect);
        break;
    }
}

void TPageWireless::DBGridWirelessCellClick(DBGridColumn& column) {
    const int k = column.index() - cInput1 + 1;
    DataSet* t = DBGrid46->dataSet();
    if (k < 1 || k > 5 || !t || t->isEmpty())
        return;
    if (!RadioChannels::hasChannel(Range::R400, t->fieldByName(QStringLiteral("_Tipo")).asInteger(), k))
        return;
    DBLookupComboBox1_5[size_t(k - 1)]->open();
}

#include "moc_page_wireless.cpp"
