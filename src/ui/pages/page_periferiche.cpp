#include "ui/pages/page_periferiche.h"

#include "model/datamodule.h"
#include "model/dimensions.h"
#include "platform/colors.h"
#include "platform/dataset.h"
#include "platform/dialogs.h"
#include "platform/gridpaint.h"
#include "ui/celleditors.h"
#include "ui/mainwindow.h"
#include "ui/pagecontrol.h"
#include "ui/pages/cellfaces.h"
#include "ui/pages/pagegrids.h"

#include <QEvent>
#include <QGroupBox>
#include <QPainter>
#include <QSplitter>
#include <QVBoxLayout>

namespace {
constexpr GridOptions kGridOptions =
    GridOption::Titles | GridOption::ColumnResize | GridOption::ColLines | GridOption::RowLines |
    GridOption::ConfirmDelete | GridOption::CancelOnExit | GridOption::Tabs | GridOption::AlwaysShowSelection;

DataSource* sourceOf(DataSource* TDM::*member) {
    return DM ? DM->*member : nullptr;
}

// An expander or module grid in its captioned box. Its number is the row's position: shown only.
QGroupBox* expansionBox(const char* boxName, const char* caption, DBGrid*& grid, const char* gridName,
                        DataSource* TDM::*source) {
    grid = makePageGrid(
        nullptr, gridName, sourceOf(source), kGridOptions,
        {{"_ID", 30, true, "ID"}, {"_Nome", 150, false, "ETICHETTA"}, {"_Enable", 60, false, "ABILITA"}});
    return makeGroupBox(nullptr, boxName, QString::fromUtf8(caption), grid);
}

bool isFlag(const QString& field) {
    static const QStringList flags = {
        QStringLiteral("_Enable"), QStringLiteral("_Sound1"), QStringLiteral("_Sound2"),
        QStringLiteral("_Sound3"), QStringLiteral("_Sound4"), QStringLiteral("_Led1"),
        QStringLiteral("_Led2"),   QStringLiteral("_Led3"),   QStringLiteral("_Led4")};
    return flags.contains(field);
}

bool isTerminal(const QString& field) {
    return field == QLatin1String("_M1") || field == QLatin1String("_M2");
}

// Refits a grid from its columns' minimum widths each time it is shown: widths fitted while its
// sheet was hidden (at a size it never has on screen) would otherwise be shrunk back, and the
// fitting's rounding can then leave the columns a pixel wider than the grid.
class RefitOnShow : public QObject {
public:
    explicit RefitOnShow(DBGrid& grid) : QObject(&grid) { grid.installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            QMetaObject::invokeMethod(
                this,
                [grid = static_cast<DBGrid*>(watched)] {
                    for (int c = 0; c < grid->columnCount(); ++c)
                        if (const Field* f = grid->column(c).field(); f && f->tag > 0)
                            grid->column(c).setWidth(f->tag);
                    FixDBGridColumnsWidth(grid);
                },
                Qt::QueuedConnection);
        return false;
    }
};

QSplitter* makeSplitter(const char* name, Qt::Orientation orientation, QWidget* parent) {
    auto* s = new QSplitter(orientation, parent);
    s->setObjectName(QString::fromLatin1(name));
    s->setChildrenCollapsible(false);
    return s;
}
} // namespace

TPagePeriferiche::TPagePeriferiche(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet5"));
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(4, 4, 4, 4);
    PageControl_Periferiche = new TPageControl(QStringLiteral("PageControl_Periferiche"), this);
    lay->addWidget(PageControl_Periferiche);
    TabSheet23 = new QWidget;
    TabSheet23->setObjectName(QStringLiteral("TabSheet23"));
    PageControl_Periferiche->addPage(TabSheet23, QStringLiteral("Espansioni"));
    TabSheetTastierePrese = new QWidget;
    TabSheetTastierePrese->setObjectName(QStringLiteral("TabSheetTastierePrese"));
    PageControl_Periferiche->addPage(TabSheetTastierePrese, QStringLiteral("Tastiere/Prese"));
    buildExpansions();
    buildKeypadsAndSockets();
    for (DBGrid* grid : grids())
        wireGrid(*grid);
    if (Form6)
        DBComboBox30 = Form6->cellEditors().attach(QStringLiteral("DBComboBox30"), DBGrid18);
    if (DM) {
        // The lamps' title follows the current socket and its name.
        connect(DM->DataSource_Prese, &DataSource::dataSetChanged, this, &TPagePeriferiche::updateLedTitle);
        connect(DM->DataSource_Prese, &DataSource::dataSetScrolled, this, &TPagePeriferiche::updateLedTitle);
        connect(DM->DataSource_Prese, &DataSource::recordChanged, this, &TPagePeriferiche::updateLedTitle);
    }
}

QList<DBGrid*> TPagePeriferiche::grids() const {
    return {DBGrid12, DBGrid13, DBGrid41, DBGrid14, DBGrid42, DBGrid17, DBGrid28, DBGrid18};
}

void TPagePeriferiche::buildExpansions() {
    auto* lay = new QVBoxLayout(TabSheet23);
    lay->setContentsMargins(4, 4, 4, 4);
    // Input and output expanders side by side over the radio expanders and the two modules.
    Splitter6 = makeSplitter("Splitter6", Qt::Vertical, TabSheet23);
    Splitter5 = makeSplitter("Splitter5", Qt::Horizontal, Splitter6);
    Splitter5->addWidget(expansionBox("GroupBoxEspIngressi", "ESPANSIONE INGRESSI", DBGrid12, "DBGrid12",
                                      &TDM::DataSource_ExpIngressi));
    Splitter5->addWidget(expansionBox("GroupBoxEspUscite", "ESPANSIONE USCITE", DBGrid13, "DBGrid13",
                                      &TDM::DataSource_ExpUscite));
    Splitter7 = makeSplitter("Splitter7", Qt::Horizontal, Splitter6);
    Splitter7->addWidget(expansionBox("GroupBoxEspRadio", "ESPANSIONE RADIO", DBGrid14, "DBGrid14",
                                      &TDM::DataSource_ExpRadio));
    Splitter16 = makeSplitter("Splitter16", Qt::Horizontal, Splitter7);
    Splitter16->addWidget(
        expansionBox("GroupBoxModuloGSM", "MODULO GSM", DBGrid41, "DBGrid41", &TDM::DataSource_ExpGSM));
    Splitter16->addWidget(
        expansionBox("GroupBoxModuloLAN", "MODULO LAN", DBGrid42, "DBGrid42", &TDM::DataSource_ExpIP));
    Splitter7->addWidget(Splitter16);
    // Radio expanders, GSM and LAN a third of the width each; the halves of the page equal.
    Splitter7->setSizes({300, 600});
    Splitter16->setSizes({300, 300});
    Splitter5->setSizes({500, 500});
    Splitter6->addWidget(Splitter5);
    Splitter6->addWidget(Splitter7);
    lay->addWidget(Splitter6);
}

void TPagePeriferiche::buildKeypadsAndSockets() {
    auto* lay = new QVBoxLayout(TabSheetTastierePrese);
    lay->setContentsMargins(4, 4, 4, 4);
    // The keypads over the sockets, the sockets beside the lamps of the current one.
    Splitter3 = makeSplitter("Splitter3", Qt::Vertical, TabSheetTastierePrese);
    DBGrid18 = makePageGrid(nullptr, "DBGrid18", sourceOf(&TDM::DataSource_Tastiere),
                            kGridOptions & ~GridOptions(GridOption::AlwaysShowSelection),
                            {{"_ID", 30, false, "N°"},
                             {"_Nome", 150, false, "ETICHETTA"},
                             {"_Enable", 60, false, "ABILITA"},
                             {"_Sound1", 100, false, "SUONO TASTI"},
                             {"_Sound2", 165, false, "SUONO TEMPO INGRESSO"},
                             {"_Sound3", 150, false, "SUONO TEMPO USCITA"},
                             {"_Sound4", 60, false, "CHIME"},
                             {"_M1", 130, false, "T1"},
                             {"_M2", 130, false, "T2"}});
    Splitter3->addWidget(makeGroupBox(nullptr, "GroupBoxTastiere", QStringLiteral("TASTIERE"), DBGrid18));
    Splitter1 = makeSplitter("Splitter1", Qt::Horizontal, Splitter3);
    DBGrid17 = makePageGrid(nullptr, "DBGrid17", sourceOf(&TDM::DataSource_Prese), kGridOptions,
                            {{"_ID", 30, false, "N°"},
                             {"_Nome", 110, false, "ETICHETTA"},
                             {"_Enable", 60, false, "ABILITA"},
                             {"_Sound1", 165, false, "SUONO TEMPO INGRESSO"},
                             {"_Sound2", 150, false, "SUONO TEMPO USCITA"},
                             {"_Sound3", 60, false, "CHIME"}});
    DBGrid28 = makePageGrid(nullptr, "DBGrid28", sourceOf(&TDM::DataSource_Leds),
                            kGridOptions & ~GridOptions(GridOption::Tabs),
                            {{"_Nome", 160, true, "PRESA"},
                             {"_Led1", 50, false, "LED 1"},
                             {"_Led2", 50, false, "LED 2"},
                             {"_Led3", 50, false, "LED 3"},
                             {"_Led4", 50, false, "LED 4"}});
    DBGrid28->column(0).fontColor = sysColor(COLOR_BTNFACE);
    Splitter1->addWidget(makeGroupBox(nullptr, "GroupBoxPrese", QString(), DBGrid17));
    Splitter1->addWidget(makeGroupBox(nullptr, "GroupBoxLeds", QString(), DBGrid28));
    Splitter3->addWidget(Splitter1);
    Splitter1->setSizes({640, 440});
    lay->addWidget(Splitter3);
}

void TPagePeriferiche::wireGrid(DBGrid& grid) {
    DBGrid* g = &grid;
    grid.onDrawColumnCell = [this](DBGrid& gr, QPainter& p, const QRect& rect, int dataCol,
                                   DBGridColumn& column, GridDrawState state) {
        DBGridExpDrawColumnCell(gr, p, rect, dataCol, column, state);
    };
    grid.onCellClick = [this, g](DBGridColumn& column) { DBGridExpCellClick(*g, column); };
    connect(g, &DBGrid::currentCellChanged, this, [this, g] { updateEditing(*g); });
    CellFaces::widenToTitles(grid);
    new RefitOnShow(grid);
}

// ---- painting ---------------------------------------------------------------------------

void TPagePeriferiche::DBGridExpDrawColumnCell(DBGrid& grid, QPainter& painter, const QRect& rect,
                                               int dataCol, DBGridColumn& column, GridDrawState state) {
    ColoraGriglia(grid, painter, rect, dataCol, column, state);
    const QString& field = column.fieldName();
    if (&grid == DBGrid18 && isTerminal(field)) {
        grid.canvas().fontColor = Qt::black;
        DrawGripCell(grid, painter, rect, grid.paintedText(column));
        return;
    }
    if (&grid == DBGrid28 && field == QLatin1String("_Nome") && DM) {
        // The lamp of partition r is named after the socket's lamp and the partition's word.
        const DataSet* partitions = DM->CDSet_Parziali;
        const int r = grid.paintedRecNo();
        if (partitions->active() && partitions->recordCount() == C_NUM_PARZIAL && r <= C_NUM_PARZIAL) {
            const QString word =
                partitions->stringAt(r, partitions->fieldByName(QStringLiteral("_Msg1")).index());
            painter.fillRect(rect, grid.canvas().brush);
            painter.setFont(grid.canvas().font);
            painter.setPen(grid.canvas().fontColor);
            painter.save();
            painter.setClipRect(rect, Qt::IntersectClip);
            grid.textOut(painter, rect.left(), rect.top(),
                         grid.paintedText(column) + QStringLiteral(" (") + word + QLatin1Char(')'));
            painter.restore();
        }
        return;
    }
    if (isFlag(field))
        DrawCheckBoxes(grid, painter, rect, column, true);
}

// ---- editing ------------------------------------------------------------------------------

void TPagePeriferiche::updateEditing(DBGrid& grid) {
    DataSet* table = grid.dataSet();
    const DBGridColumn* column = grid.selectedColumn();
    const bool typed = column && column->fieldName() == QLatin1String("_Nome") && &grid != DBGrid28;
    grid.setOption(GridOption::Editing, typed && table && table->active());
    if (!table || !table->active() || grid.editorMode())
        return;
    CellFaces::postPending(table);
}

void TPagePeriferiche::updateLedTitle() {
    if (!DM)
        return;
    const DataSet* sockets = DM->CDSet_Prese;
    if (!sockets->active() || sockets->isEmpty())
        return;
    DBGridColumn& title = DBGrid28->column(SearchIndexColumn(*DBGrid28, QStringLiteral("_Nome")));
    const QString name = sockets->fieldByName(QStringLiteral("_Nome")).asString();
    if (title.title.caption == name)
        return;
    title.title.caption = name;
    DBGrid28->viewport()->update();
}

// ---- clicks -------------------------------------------------------------------------------

void TPagePeriferiche::toggleFlag(DataSet& table, const QString& fieldName) {
    table.edit();
    table.disableControls();
    Field& flag = table.fieldByName(fieldName);
    try {
        flag.setAsBoolean(!flag.asBoolean());
    } catch (...) {
        table.enableControls();
        throw;
    }
    table.enableControls();
    table.fieldByName(QStringLiteral("_ID")).setAsInteger(table.recNo());
}

void TPagePeriferiche::DBGridExpCellClick(DBGrid& grid, DBGridColumn& column) {
    const QString& name = column.fieldName();
    if (!isFlag(name))
        return;
    DataSet* table = grid.dataSet();
    if (!DM || !table || !table->active() || table->isEmpty())
        return;
    const bool keypads = table == DM->CDSet_Tastiere;
    try {
        if (keypads || table == DM->CDSet_Prese) {
            // Switching a sound on switches the device on; switching a device off silences it.
            if (name.startsWith(QLatin1String("_Sound")) &&
                !table->fieldByName(QStringLiteral("_Sound1")).asBoolean()) {
                table->edit();
                table->fieldByName(QStringLiteral("_Enable")).setAsBoolean(true);
            }
            if (name == QLatin1String("_Enable") && table->fieldByName(name).asBoolean()) {
                table->edit();
                for (int s = 1; s <= (keypads ? 4 : 3); ++s)
                    table->fieldByName(QStringLiteral("_Sound%1").arg(s)).setAsBoolean(false);
            }
        }
        if (keypads && name == QLatin1String("_Enable") && table->recNo() == 1) {
            // The first keypad is always there: it cannot be switched off.
            table->edit();
            table->fieldByName(name).setAsBoolean(true);
        } else {
            toggleFlag(*table, name);
        }
    } catch (const DataSetError& e) {
        if (table->state() != DataSetState::Browse)
            table->cancel();
        ShowMessage(e.message());
        return;
    }
    CellFaces::postPending(table);
}

#include "moc_page_periferiche.cpp"
