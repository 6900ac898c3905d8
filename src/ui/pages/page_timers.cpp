#include "ui/pages/page_timers.h"

#include "model/datamodule.h"
#include "model/lang.h"
#include "platform/colors.h"
#include "platform/dbcontrols.h"
#include "platform/glyphs.h"
#include "platform/gridpaint.h"
#include "ui/celleditors.h"
#include "ui/gridfaces.h"
#include "ui/mainwindow.h"
#include "ui/pages/cellfaces.h"
#include "ui/pages/pagegrids.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QPainter>
#include <QSplitter>
#include <QVBoxLayout>

int IndiceGrid34 = 0;

namespace {
const QString kNome = QStringLiteral("_Nome");
const QString kOra = QStringLiteral("_Ora");
const QString kOnOff = QStringLiteral("_OnOff");
constexpr int kExclusionPeriods = 8;

// Exclusion column n (1..8) of the timers grid, 0 for any other field.
int exclusionNumber(const QString& fieldName) {
    static const QString prefix = QStringLiteral("_DataEscusione");
    if (!fieldName.startsWith(prefix))
        return 0;
    bool ok = false;
    const int n = QStringView(fieldName).mid(prefix.size()).toInt(&ok);
    return ok && n >= 1 && n <= kExclusionPeriods ? n : 0;
}

// The day and timer captions: 16-pixel bold in the scheduler's pink, over grids that keep the
// window's own font.
void styleNamedCaption(QGroupBox* box) {
    QFont captionFont = box->font();
    captionFont.setBold(true);
    captionFont.setPixelSize(16);
    box->setFont(captionFont);
    QPalette pal = box->palette();
    pal.setColor(QPalette::WindowText, colorFromTColor(8388863));
    box->setPalette(pal);
}
} // namespace

TPageTimers::TPageTimers(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet13"));
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(4, 4, 4, 4);
    Splitter18 = new QSplitter(Qt::Vertical, this);
    Splitter18->setObjectName(QStringLiteral("Splitter18"));
    Splitter18->setChildrenCollapsible(false);
    lay->addWidget(Splitter18, 1);
    buildUpperPanel();
    buildTimerLists();
    Splitter18->setStretchFactor(0, 1);
    Splitter18->setStretchFactor(1, 1);

    DBComboBox28 = new DBComboBox;
    DBComboBox28->setObjectName(QStringLiteral("DBComboBox28"));
    QStringList seconds;
    for (int s = 0; s <= 5; ++s)
        seconds << QString::number(s);
    DBComboBox28->setItems(seconds);
    DBComboBox28->setDataField(QStringLiteral("_Timer_TempoPreavviso"));
    DBComboBox28->setFixedWidth(80);
    GroupBox118 = makeGroupBox(this, "GroupBox118", QStringLiteral("TEMPO DI PREAVVISO"), DBComboBox28);
    GroupBox118->layout()->setAlignment(DBComboBox28, Qt::AlignLeft);
    lay->addWidget(GroupBox118);

    bindTables();
}

namespace {
using O = GridOption;
constexpr GridOptions kLined = O::Titles | O::ColumnResize | O::ColLines | O::RowLines;

// A grid in a box whose caption has its own style keeps the window's font.
void keepWindowFont(DBGrid* grid) {
    QFont font = QApplication::font();
    font.setResolveMask(QFont::AllPropertiesResolved);
    grid->setFont(font);
}
} // namespace

void TPageTimers::buildUpperPanel() {
    auto* panel = new QWidget;
    auto* lay = new QHBoxLayout(panel);
    lay->setContentsMargins(0, 0, 0, 0);

    DBGrid33 =
        makePageGrid(nullptr, "DBGrid33", nullptr,
                     kLined | O::Indicator | O::Tabs | O::RowSelect | O::ConfirmDelete | O::CancelOnExit,
                     {{"_ID", 24, true, "N°"}, {"_Nome", 90, false, "GIORNO"}});
    GroupBox83 = makeGroupBox(panel, "GroupBox83", QStringLiteral("GIORNI"), DBGrid33);
    GroupBox83->setMinimumWidth(160);
    GroupBox83->setMaximumWidth(240);
    lay->addWidget(GroupBox83);

    Splitter25 = new QSplitter(Qt::Horizontal, panel);
    Splitter25->setObjectName(QStringLiteral("Splitter25"));
    Splitter25->setChildrenCollapsible(false);
    lay->addWidget(Splitter25, 1);

    DBGrid34 = makePageGrid(
        nullptr, "DBGrid34", nullptr, kLined | O::Indicator | O::Tabs | O::ConfirmDelete | O::CancelOnExit,
        {{"_ID", 24, true, "N°"}, {"_Nome", 90, false, "TIMER"}, {"_Ora", 50, false, "ORA"}});
    for (int n = 1; n <= kExclusionPeriods; ++n)
        DBGrid34->addColumn(QStringLiteral("_DataEscusione%1").arg(n), QStringLiteral(" "), 64);
    keepWindowFont(DBGrid34);
    // A time is written bold on the value face: "00:00" stays clear of the grip.
    widenForFaceTexts(*DBGrid34, *DBGrid34->columnOfField(kOra), {QStringLiteral("00:00")});
    GroupBox84 = makeGroupBox(Splitter25, "GroupBox84", QString(), DBGrid34);
    styleNamedCaption(GroupBox84);
    DBGrid35 =
        makePageGrid(nullptr, "DBGrid35", nullptr, kLined | O::Tabs | O::ConfirmDelete | O::CancelOnExit,
                     {{"_ID", 24, true, "N°"},
                      {"_Nome", 90, false, "Esclusione"},
                      {"_Data1", 70, false, "INIZIO DATA(GG/MM)"},
                      {"_Data2", 70, false, "FINE DATA(GG/MM)"}});
    GroupBox90 =
        makeGroupBox(Splitter25, "GroupBox90", QStringLiteral("DATA DI ESCLUSIONE (GG/MM)"), DBGrid35);
    Splitter25->addWidget(GroupBox84);
    Splitter25->addWidget(GroupBox90);
    Splitter25->setStretchFactor(0, 3);
    Splitter25->setStretchFactor(1, 2);

    GroupBox82 = makeGroupBox(Splitter18, "GroupBox82", QStringLiteral("TIMERS"), panel);
    Splitter18->addWidget(GroupBox82);
}

void TPageTimers::buildTimerLists() {
    Splitter23 = new QSplitter(Qt::Horizontal);
    Splitter23->setObjectName(QStringLiteral("Splitter23"));
    Splitter23->setChildrenCollapsible(false);
    Splitter24 = new QSplitter(Qt::Horizontal);
    Splitter24->setObjectName(QStringLiteral("Splitter24"));
    Splitter24->setChildrenCollapsible(false);

    auto makeList = [&](QSplitter* host, const char* boxName, const char* gridName, const char* nameTitle) {
        DBGrid* g = makePageGrid(
            nullptr, gridName, nullptr, kLined | O::Tabs | O::ConfirmDelete | O::CancelOnExit,
            {{"_ID", 24, true, "N°"}, {"_Nome", 140, false, nameTitle}, {"_OnOff", 110, false, "AZIONE"}});
        keepWindowFont(g);
        QGroupBox* box = makeGroupBox(host, boxName, QString(), g);
        host->addWidget(box);
        return std::pair{box, g};
    };
    std::tie(GroupBox87, DBGrid36) = makeList(Splitter23, "GroupBox87", "DBGrid36", "UTENTE");
    Splitter23->addWidget(Splitter24);
    std::tie(GroupBox88, DBGrid37) = makeList(Splitter24, "GroupBox88", "DBGrid37", "PARZIALI");
    std::tie(GroupBox89, DBGrid38) = makeList(Splitter24, "GroupBox89", "DBGrid38", "USCITE");
    // Three lists of equal width.
    Splitter23->setSizes({300, 600});
    Splitter24->setSizes({300, 300});

    GroupBox85 = makeGroupBox(Splitter18, "GroupBox85", QString(), Splitter23);
    styleNamedCaption(GroupBox85);
    Splitter18->addWidget(GroupBox85);
}

void TPageTimers::bindTables() {
    for (DBGrid* g : {DBGrid33, DBGrid34, DBGrid35, DBGrid36, DBGrid37, DBGrid38}) {
        CellFaces::widenToTitles(*g);
        g->onDrawColumnCell = [this](DBGrid& grid, QPainter& p, const QRect& r, int dataCol,
                                     DBGridColumn& column, GridDrawState state) {
            DBGridTimerDrawColumnCell(grid, p, r, dataCol, column, state);
        };
        connect(g, &DBGrid::currentCellChanged, this, [this, g] { currentCellChanged(*g); });
    }
    DBGrid33->onCellClick = [this](DBGridColumn& c) { DBGridTimerCellClick(c); };
    DBGrid34->onCellClick = [this](DBGridColumn& c) { DBGrid34CellClick(c); };
    DBGrid34->onTitleClick = [this](DBGridColumn& c) { DBGrid34TitleClick(c); };
    for (DBGrid* g : {DBGrid36, DBGrid37, DBGrid38})
        g->onCellClick = [this](DBGridColumn& c) { DBGridTimerUserParzOutputCellClick(c); };

    if (!DM)
        return;
    DBGrid33->setDataSource(DM->DataSource_Time_Day);
    DBGrid34->setDataSource(DM->DataSource_Time_Timers);
    DBGrid35->setDataSource(DM->DataSource_Time_Esclusione_Data);
    DBGrid36->setDataSource(DM->DataSource_Time_Utenti);
    DBGrid37->setDataSource(DM->DataSource_Time_Parziali);
    DBGrid38->setDataSource(DM->DataSource_Time_Uscite);
    DBComboBox28->setDataSource(DM->DataSource_Tabulon);
    if (Form6) {
        CellEditors& editors = Form6->cellEditors();
        DBComboBox13 = editors.attach(QStringLiteral("DBComboBox13"), DBGrid36);
        DBComboBox60 = editors.attach(QStringLiteral("DBComboBox60"), DBGrid37);
        DBComboBox61 = editors.attach(QStringLiteral("DBComboBox61"), DBGrid38);
    }

    // Captions follow the current day and timer and their names; the timer grid's exclusion
    // titles follow the period names.
    for (DataSource* src : {DM->DataSource_Time_Day, DM->DataSource_Time_Timers}) {
        connect(src, &DataSource::dataSetChanged, this, &TPageTimers::refreshCaptions);
        connect(src, &DataSource::dataSetScrolled, this, &TPageTimers::refreshCaptions);
        connect(src, &DataSource::recordChanged, this, &TPageTimers::refreshCaptions);
    }
    connect(DM->DataSource_Time_Day, &DataSource::dataSetScrolled, this, &TPageTimers::dayChanged);
    DataSource* periods = DM->DataSource_Time_Esclusione_Data;
    connect(periods, &DataSource::dataSetChanged, this, &TPageTimers::refreshExclusionTitles);
    connect(periods, &DataSource::recordChanged, this, &TPageTimers::refreshExclusionTitles);
    // The names of the switched users, partitions and outputs are read while painting; a rename
    // there repaints the lists.
    for (DataSource* src : {DM->DataSource_Utenti, DM->DataSource_Parziali, DM->DataSource_Uscite})
        connect(src, &DataSource::recordChanged, this, [this] {
            for (DBGrid* g : {DBGrid36, DBGrid37, DBGrid38})
                g->viewport()->update();
        });
}

void TPageTimers::setExportAction(QAction* exportAction) {
    if (!PopupMenu3) {
        PopupMenu3 = new QMenu(this);
        PopupMenu3->setObjectName(QStringLiteral("PopupMenu3"));
        QWidget* area = DBGrid33->viewport();
        area->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(area, &QWidget::customContextMenuRequested, this,
                [this, area](const QPoint& at) { PopupMenu3->popup(area->mapToGlobal(at)); });
    }
    PopupMenu3->clear();
    if (exportAction)
        PopupMenu3->addAction(exportAction);
}

void TPageTimers::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refreshCaptions();
    refreshExclusionTitles();
}

// ------------------------------------------------------------------------------------ painting

QString TPageTimers::switchedItemName(const DBGrid& grid, int recNo) const {
    if (!DM)
        return {};
    DataSet* source = nullptr;
    if (&grid == DBGrid36)
        source = DM->CDSet_Utenti;
    else if (&grid == DBGrid37)
        source = DM->CDSet_Parziali;
    else if (&grid == DBGrid38)
        source = DM->CDSet_Uscite;
    if (!source || !source->active() || recNo < 1 || source->recordCount() < recNo)
        return {};
    if (source == DM->CDSet_Utenti)
        return GetNameTable(*source, kNome, recNo);
    if (source == DM->CDSet_Parziali)
        return GetNameTable(*source, QStringLiteral("_Msg1"), recNo);
    QStringList words;
    for (int w = 1; w <= 4; ++w)
        words << GetNameTable(*source, QStringLiteral("_Msg%1").arg(w), recNo);
    return words.join(QLatin1Char(' ')); // empty words keep their blanks
}

void TPageTimers::DBGridTimerDrawColumnCell(DBGrid& grid, QPainter& painter, const QRect& rect, int dataCol,
                                            DBGridColumn& column, GridDrawState state) {
    ColoraGriglia(grid, painter, rect, dataCol, column, state);
    painter.setClipRect(rect, Qt::IntersectClip);
    DataSet* table = grid.dataSet();
    if (!table || !table->active())
        return;
    const int rows = table->recordCount();
    const bool actionGrid = &grid == DBGrid36 || &grid == DBGrid37 || &grid == DBGrid38;

    const bool valueCell =
        &grid == DBGrid35 ? dataCol != 0 : (&grid == DBGrid34 || actionGrid) && dataCol >= 2 && rows > 0;
    if (valueCell) {
        grid.canvas().font.setBold(true);
        drawGripFace(grid, painter, rect, grid.paintedText(column));
    }

    if (&grid == DBGrid34 && exclusionNumber(column.fieldName()) > 0) {
        painter.fillRect(rect, grid.canvas().brush);
        if (grid.paintedBoolean(column))
            drawFrameControl(painter, rect.adjusted(2, 2, -2, -2), DFC_CAPTION,
                             DFCS_CAPTIONCLOSE | DFCS_CHECKED);
    }

    if (actionGrid && column.fieldName() == kNome && rows > 0) {
        const QString name = switchedItemName(grid, grid.paintedRecNo());
        if (!name.isNull()) {
            painter.fillRect(rect, grid.canvas().brush);
            painter.setFont(grid.canvas().font);
            painter.setPen(grid.canvas().fontColor);
            // At the grid's own inset, so the live names line up with the stored ones beside them.
            grid.textOut(painter, rect.left() + 2, rect.top() + 2, name);
        }
    }
}

// ------------------------------------------------------------------------------------ events

void TPageTimers::currentCellChanged(DBGrid& grid) {
    DataSet* table = grid.dataSet();
    if (!table || !table->active() || table->isEmpty())
        return;
    const DBGridColumn* column = grid.selectedColumn();
    const QString field = column ? column->fieldName() : QString();

    renumberOnIdCell(grid);
    if (&grid == DBGrid34) {
        grid.setOption(GridOption::Editing, field == kOra);
        if (grid.hasFocus())
            IndiceGrid34 = table->recNo();
    } else if (&grid == DBGrid35) {
        grid.setOption(GridOption::Editing, field == kNome || field == QLatin1String("_Data1") ||
                                                field == QLatin1String("_Data2"));
    }
}

void TPageTimers::dayChanged() {
    // A day chosen in the days grid keeps the timer position the user last chose, when the new
    // day has that many timers (a position from a model with more timers is not applied).
    if (!DM || !DBGrid33->hasFocus())
        return;
    DataSet* timers = DM->CDSet_Time_Timers;
    if (IndiceGrid34 > 0 && timers->active() && timers->recordCount() >= IndiceGrid34)
        timers->setRecNo(IndiceGrid34);
}

void TPageTimers::refreshCaptions() {
    if (!DM)
        return;
    auto nameOf = [](DataSet* t) {
        return t->active() && !t->isEmpty() ? t->fieldByName(kNome).asString() : QString();
    };
    GroupBox84->setTitle(nameOf(DM->CDSet_Time_Day));
    GroupBox85->setTitle(nameOf(DM->CDSet_Time_Timers));
}

void TPageTimers::refreshExclusionTitles() {
    if (!DM)
        return;
    DataSet* periods = DM->CDSet_Time_Esclusione_Data;
    if (!periods->active() || periods->isEmpty())
        return;
    const int count = std::min(periods->recordCount(), kExclusionPeriods);
    for (int r = 1; r <= count; ++r) {
        const int col = SearchIndexColumn(*DBGrid34, QStringLiteral("_DataEscusione%1").arg(r));
        DBGrid34->column(col).title.caption = GetNameTable(*periods, kNome, r);
    }
    CellFaces::widenToTitles(*DBGrid34); // the periods are named by the user
    DBGrid34->viewport()->update();
}

void TPageTimers::DBGridTimerCellClick(DBGridColumn&) {
    // The days grid marks no rows, so the timers panel keeps naming the current day.
    refreshCaptions();
}

void TPageTimers::DBGrid34CellClick(DBGridColumn& column) {
    DataSet* timers = DBGrid34->dataSet();
    if (!timers || !timers->active() || timers->isEmpty())
        return;
    IndiceGrid34 = timers->recNo();
    const QString field = column.fieldName();
    if (exclusionNumber(field) > 0) {
        timers->edit();
        Field& flag = timers->fieldByName(field);
        flag.setAsBoolean(!flag.asBoolean());
    }
    if (timers->state() == DataSetState::Edit || timers->state() == DataSetState::Insert)
        timers->post();
    timers->checkBrowseMode();
}

void TPageTimers::DBGrid34TitleClick(DBGridColumn& column) {
    FixDBGridColumnsWidth(column.grid());
}

void TPageTimers::DBGridTimerUserParzOutputCellClick(DBGridColumn& column) {
    // The action editors are shown by the in-grid editor protocol on a click in their column.
    Q_UNUSED(column);
}

#include "moc_page_timers.cpp"
