#include "ui/pages/page_eventi.h"

#include "model/datamodule.h"
#include "model/lang.h"
#include "model/transferflags.h"
#include "platform/dataset.h"
#include "platform/datasetsort.h"
#include "platform/dialogs.h"
#include "platform/gridpaint.h"
#include "ui/eventlog.h"
#include "ui/mainwindow.h"
#include "ui/pagecontrol.h"
#include "ui/pages/pagegrids.h"

#include <QAction>
#include <QDir>
#include <QFontMetrics>
#include <QGroupBox>
#include <QMenu>
#include <QPainter>
#include <QToolBar>
#include <QVBoxLayout>

namespace {
// Row banding of consecutive days and the colours of the four event categories ($00BBGGRR).
constexpr quint32 kDayBand = 0xD1D1D1;
constexpr quint32 kNoBand = 0xFFFFFF;
constexpr quint32 kCategoryColours[] = {0x00FF00, 0x2B2BFF, 0x00FFFF, 0xC08000};

QAction* makeAction(QObject* owner, const char* name, const QString& caption) {
    auto* a = new QAction(caption, owner);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}
} // namespace

TPageEventi::TPageEventi(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet31"));
    Action11 = makeAction(this, "Action11", QStringLiteral("FILTRA PER..."));
    Action11->setIconText(Action11->text()); // a tool button would drop the dots
    Action12 = makeAction(this, "Action12", QStringLiteral("CANCELLA FILTRO"));
    Action22 = makeAction(this, "Action22", QStringLiteral("Salva eventi in csv file"));
    connect(Action11, &QAction::triggered, this, &TPageEventi::Action11Execute);
    connect(Action12, &QAction::triggered, this, &TPageEventi::Action12Execute);
    connect(Action22, &QAction::triggered, this, &TPageEventi::Action22Execute);

    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(4, 4, 4, 4);
    GroupBox81 = new QGroupBox(this);
    GroupBox81->setObjectName(QStringLiteral("GroupBox81"));
    lay->addWidget(GroupBox81);
    auto* inner = new QVBoxLayout(GroupBox81);
    inner->setContentsMargins(4, 4, 4, 4);
    ActionToolBar11 = new QToolBar(GroupBox81);
    ActionToolBar11->setObjectName(QStringLiteral("ActionToolBar11"));
    ActionToolBar11->setToolButtonStyle(Qt::ToolButtonTextOnly);
    ActionToolBar11->setMovable(false);
    ActionToolBar11->setFloatable(false);
    inner->addWidget(ActionToolBar11);
    buildGrid();
    inner->addWidget(DBGrid1, 1);
    buildMenu();
}

void TPageEventi::buildGrid() {
    DBGrid1 = makePageGrid(GroupBox81, "DBGrid1", DM ? DM->DataSource_Log : nullptr,
                           GridOption::Titles | GridOption::ColumnResize | GridOption::ColLines |
                               GridOption::RowLines | GridOption::Tabs | GridOption::AlwaysShowSelection,
                           {{"_ColorEvent", 15, false, " "},
                            {"_ID", 25, false, "N°"},
                            {"_Categoria1", 200, false, "TIPOLOGIA EVENTO"},
                            {"_IDEvento1", 200, false, "DESCRIZIONE EVENTO"},
                            {"_Arg1", 200, false, "OGGETTO"},
                            {"_DataOra1", 200},
                            {"_Reading1", 200, false, "LETTO"}});
    DBGrid1->column(5).title.caption = QStringLiteral("DATA") + Lang::DateSeparator() + QStringLiteral("ORA");
    for (int c = 0; c < DBGrid1->columnCount(); ++c) {
        DBGrid1->column(c).alignment = Qt::AlignHCenter;
        DBGrid1->column(c).title.alignment = Qt::AlignHCenter;
    }
    DBGrid1->onDrawColumnCell = [this](DBGrid& grid, QPainter& p, const QRect& rect, int dataCol,
                                       DBGridColumn& column, GridDrawState state) {
        DBGrid1DrawColumnCell(grid, p, rect, dataCol, column, state);
    };
    DBGrid1->onCellClick = [this](DBGridColumn& column) { DBGrid1CellClick(column); };
    DBGrid1->onTitleClick = [this](DBGridColumn& column) { DBGrid1TitleClick(column); };
}

void TPageEventi::buildMenu() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    FILTRI1 = PopupMenu1->addMenu(QStringLiteral("FILTRI"));
    FILTRI1->setObjectName(QStringLiteral("FILTRI1"));
    FILTRAPER1 = makeAction(this, "FILTRAPER1", Action11->text());
    connect(FILTRAPER1, &QAction::triggered, this, &TPageEventi::Action11Execute);
    FILTRI1->addAction(FILTRAPER1);
    FILTRI1->addAction(Action12);
    Print2 = makeAction(this, "Print2", QStringLiteral("&Print.."));
    Print2->setVisible(false);

    DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DBGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopupMenu1Popup();
        PopupMenu1->popup(DBGrid1->mapToGlobal(at));
    });
}

void TPageEventi::attach(TForm6& form) {
    m_form = &form;
    const QList<QAction*> bar = {Action11, Action12, form.Action16, form.Action13, Action22};
    for (QAction* a : bar) {
        if (a != bar.front())
            ActionToolBar11->addSeparator();
        ActionToolBar11->addAction(a);
    }
    PopupMenu1->addAction(form.Action16);
    PopupMenu1->addAction(Print2);
    PopupMenu1->addAction(form.Action13);
    PopupMenu1->addAction(Action22);
}

DataSet* TPageEventi::log() const {
    DataSet* ds = DBGrid1->dataSet();
    return ds && ds->active() ? ds : nullptr;
}

// ---- painting ---------------------------------------------------------------------------

void TPageEventi::DBGrid1DrawColumnCell(DBGrid& grid, QPainter& painter, const QRect& rect, int dataCol,
                                        DBGridColumn& column, GridDrawState state) {
    ColoraGriglia(grid, painter, rect, dataCol, column, state);
    const DataSet* ds = grid.dataSet();
    GridCanvas& canvas = grid.canvas();
    const bool colour = column.fieldName() == QLatin1String("_ColorEvent");
    if (!state.testFlag(GridDrawFlag::Focused) || colour) {
        const Field* band = ds->findField(QStringLiteral("_Log_ColorRowDate"));
        canvas.font.setBold(true);
        canvas.brush = GridPalette::color(band && grid.paintedValue(*band).toBool() ? kDayBand : kNoBand);
    }
    if (colour) {
        // Colour only, even under the cursor: the number the column's field holds is not written.
        const Field* category = ds->findField(QStringLiteral("_Categoria"));
        const int c = category ? grid.paintedValue(*category).toInt() : 0;
        if (c >= 1 && c <= 4)
            canvas.brush = GridPalette::color(kCategoryColours[c - 1]);
        painter.fillRect(rect, canvas.brush);
        return;
    }
    if (!state.testFlag(GridDrawFlag::Focused))
        grid.DefaultDrawColumnCell(painter, rect, dataCol, column, state);
    drawRawNumber(grid, painter, rect, column);
}

// An event this program has no text for shows its raw code or argument.
void TPageEventi::drawRawNumber(DBGrid& grid, QPainter& painter, const QRect& rect, DBGridColumn& column) {
    const Field* field = column.field();
    if (!field || !grid.paintedText(column).isEmpty())
        return;
    const QString raw = EventLog::cellText(*grid.dataSet(), grid.paintedRecNo(), field->index());
    if (raw.isEmpty())
        return;
    const GridCanvas& canvas = grid.canvas();
    painter.setFont(canvas.font);
    painter.setPen(canvas.fontColor);
    const int width = QFontMetrics(canvas.font).horizontalAdvance(raw);
    grid.textOut(painter, rect.left() + (rect.width() - width) / 2, rect.top() + 2, raw);
}

// ---- sorting, filtering -------------------------------------------------------------------

void TPageEventi::DBGrid1TitleClick(DBGridColumn& column) {
    if (DataSet* ds = log())
        SortClientDataSet(*ds, column.fieldName());
}

QString TPageEventi::selectedCellText() const {
    const DataSet* ds = log();
    const Field* f = DBGrid1->selectedField();
    if (!ds || !f || ds->isEmpty())
        return {};
    return EventLog::cellText(*ds, ds->recNo(), f->index());
}

void TPageEventi::PopupMenu1Popup() {
    const DataSet* ds = log();
    const bool canFilter = ds && ds->recordCount() > 0 && DBGrid1->selectedIndex() >= 2;
    FILTRI1->menuAction()->setEnabled(canFilter);
    if (canFilter)
        FILTRAPER1->setText(QStringLiteral("FILTRA PER... ") +
                            selectedCellText().replace(QLatin1Char('&'), QLatin1String("&&")));
}

void TPageEventi::Action11Execute() {
    DataSet* ds = log();
    const Field* f = DBGrid1->selectedField();
    if (!ds || !f || ds->isEmpty())
        return;
    const QString expression = EventLog::filterFor(*f);
    if (expression.isEmpty())
        return;
    try {
        ds->setFilter(expression);
        ds->setFiltered(true);
    } catch (const DataSetError& e) {
        ShowMessage(e.message());
    }
}

void TPageEventi::Action12Execute() {
    DataSet* ds = log();
    if (!ds)
        return;
    ds->setIndexFieldNames(QStringLiteral("_DataOra1"));
    ds->setFiltered(false);
}

// ---- opening the page an event concerns -------------------------------------------------------

void TPageEventi::DBGrid1CellClick(DBGridColumn&) {
    if (!m_form || !m_form->Action16->isChecked() || StateTrasfert != 0 || !DM)
        return;
    const DataSet* ds = log();
    if (!ds || ds->isEmpty())
        return;
    // The tab of the page left keeps no highlight, whether or not the event leads anywhere.
    m_form->PageControl->clearHighlights();
    const EventLog::Target target =
        EventLog::targetOf(ds->fieldByName(QStringLiteral("_IDEvento")).asInteger(),
                           ds->fieldByName(QStringLiteral("_Arg")).asInteger());
    if (target.page < 0)
        return;
    if (!target.table.isEmpty()) {
        DataSet* rows = DM->tableByName(target.table);
        // An argument beyond the table (a log of another panel) opens nothing.
        if (!rows || !rows->active() || target.recNo < 1 || target.recNo > rows->recordCount())
            return;
        try {
            rows->setRecNo(target.recNo);
        } catch (const DataSetError& e) {
            ShowMessage(e.message());
            return;
        }
    }
    // The page change runs as if the user had chosen the page, so the page's transfer
    // actions are enabled again (they are disabled on this page).
    m_form->PageControl->setActivePageIndex(target.page);
    m_form->PageControlChange();
}

// ---- CSV export ---------------------------------------------------------------------------

QStringList TPageEventi::exportTitles() const {
    QStringList titles;
    for (const int c : {1, 2, 3, 4, 6, 5})
        titles << DBGrid1->column(c).titleCaption();
    return titles;
}

void TPageEventi::Action22Execute() {
    if (DataSet* ds = log())
        ExportTableCvs(*ds);
}

void TPageEventi::ExportTableCvs(DataSet& dataSet) {
    const QString path = PromptSaveFileName(this, QString(), QDir::currentPath(), QString(),
                                            QStringLiteral("csv file|*.csv"), QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    QString error;
    if (!EventLog::writeCsv(dataSet, exportTitles(), path, &error))
        ShowMessage(error);
}

#include "moc_page_eventi.cpp"
