// The "868 Mhz" tab of the radio page: the 800-range devices by kind, their type, code,
// channels and the option panel of the focused device.

#include "model/datamodule.h"
#include "model/dimensions.h"
#include "model/lang.h"
#include "platform/dataset.h"
#include "platform/dbcontrols.h"
#include "platform/dialogs.h"
#include "platform/glyphs.h"
#include "platform/gridpaint.h"
#include "transfer/transferflags.h"
#include "ui/celleditors.h"
#include "ui/imagelist.h"
#include "ui/mainwindow.h"
#include "ui/pagecontrol.h"
#include "ui/pages/cellfaces.h"
#include "ui/pages/page_wireless.h"
#include "ui/pages/wirelesscells.h"
#include "ui/radiochannels.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QVBoxLayout>

using RadioChannels::Range;

namespace {

// Columns of DBGrid9, DBGrid47 and DBGrid48.
enum Col800 { cId, cExpNum, cNome, cNomeDevice, cIdRadio, cBatt, cSegnale, cInput1 };

constexpr int kNotUpdated = 14; // level step of a device whose levels were not read since its type was set

// The rows of each kind: two halves of 20 remote controls, 4 sirens and 32 detectors.
const char* const kTabFilters[3] = {
    "_ID >= 1 and _ID <= 20  or _ID >= 57 and _ID <= 76",
    "_ID >= 21 and _ID <= 24 or _ID >= 77 and _ID <= 80",
    "_ID >= 25 and _ID <= 56 or _ID >= 81 and _ID <= 112",
};

int fieldInt(const DataSet& t, const char* name) {
    return t.fieldByName(QString::fromLatin1(name)).asInteger();
}

constexpr int kExpanderTextLeft = 32; // after the status icon
constexpr int kLastDevice = 112;      // the highest device number of the 800 range

// Makes `column` at least `needed` wide; the width becomes the column's minimum when the window
// refits it.
void widenTo(DBGridColumn& column, int needed) {
    if (column.storedWidth() < needed)
        column.setWidth(needed);
    if (Field* field = column.field(); field && field->tag != 0 && field->tag < needed)
        field->tag = needed;
}

int widestOf(const QFontMetrics& fm, const QStringList& texts) {
    int widest = 0;
    for (const QString& text : texts)
        widest = std::max(widest, fm.horizontalAdvance(text));
    return widest;
}

// The texts that say what a device is show whole: the expander it belongs to and "Not Update"
// after the status icon, the type's name left of the arrow in the middle of its button, and the
// name a type gives a device (type, " D.", number; bold, the widest face).
void widenForDeviceTexts(DBGrid& grid) {
    QFont bold = grid.font();
    bold.setBold(true);
    const QFontMetrics plain(grid.font()), wide(bold);
    const int expanders = widestOf(plain, {QStringLiteral("Esp. Radio 1"), QStringLiteral("Esp. Radio 2"),
                                           QStringLiteral("Not Update")});
    widenTo(grid.column(cExpNum), kExpanderTextLeft + expanders + 6);
    const int types = widestOf(plain, Lang::CSL_DEV_800_RADIO);
    widenTo(grid.column(cNomeDevice), 2 * (5 + types + 6) + grid.defaultRowHeight() / 3);
    QStringList names;
    for (const QString& type : Lang::CSL_DEV_800_RADIO)
        names << type + QStringLiteral(" D.") + QString::number(kLastDevice);
    widenTo(grid.column(cNome), 5 + widestOf(wide, names) + 4);
}

// Runs `fit` once, when `sheet` is first shown and laid out.
class OnFirstShow : public QObject {
public:
    OnFirstShow(QWidget* sheet, std::function<void()> fit) : QObject(sheet), m_fit(std::move(fit)) {
        sheet->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(this, m_fit, Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<void()> m_fit;
};

} // namespace

int TPageWireless::GetIdxDev800(const QString& name) {
    const int i = int(Lang::CSL_DEV_800_RADIO.indexOf(name));
    return i < 0 ? 0 : i;
}

QWidget* TPageWireless::optionPanel(int tipo) const {
    QWidget* const panels[] = {Panel_Blank,  Panel_ULMO,     Panel_MERLA, Panel_VIRNA, Panel_BOLDO,
                               Panel_VIRNAT, Panel_TORVO800, Panel_RUSTA, Panel_LIRNO, Panel_PALVO};
    return tipo >= 0 && tipo <= 9 ? panels[tipo] : Panel_Blank;
}

// The type editor of a grid, run by the window's in-grid editors: shown by a click in "TIPO",
// it applies the chosen type through MultiSelectWireless800.
DBComboBox* TPageWireless::typeCombo(const QString& name, const QStringList& items, DBGrid* grid) {
    if (!Form6)
        return nullptr;
    return Form6->cellEditors().attach(name, grid, {}, [items](DBGrid&, DBGridColumn&) { return items; });
}

DBGrid* TPageWireless::makeDevice800Grid(const QString& name, QWidget* sheet, bool channels) {
    DBGrid* grid = WirelessCells::makeGrid(name, sheet, DM ? DM->DataSource_RadioDevice800 : nullptr,
                                           {{"_ID", "N°", 20, true},
                                            {"_ExpNum", "Esp. N°", 72, true},
                                            {"_Nome", "NOME", 90, false},
                                            {"_NomeDevice", "TIPO", 90, false},
                                            {"_ID_Radio", "CODICE", 90, false},
                                            {"_Batt", "BATT.", 98, true},
                                            {"_Segnale", "SEGNALE", 102, true}},
                                           channels ? 3 : 0, 120, false);
    widenForDeviceTexts(*grid);
    grid->onDrawColumnCell = [this](DBGrid& g, QPainter& p, const QRect& r, int dc, DBGridColumn& c,
                                    GridDrawState s) { DBGridWireless800ColumnCell(g, p, r, dc, c, s); };
    grid->onCellClick = [this](DBGridColumn& c) { DBGridWireless800CellClick(c); };
    grid->onKeyPress = [this](DBGrid& g, QChar& key) { DBGrid8KeyPress(g, key); };
    connect(grid, &DBGrid::currentCellChanged, this, [this, grid] { current800Changed(*grid); });
    return grid;
}

void TPageWireless::build800() {
    auto* lay45 = new QVBoxLayout(TabSheet45);
    lay45->setContentsMargins(4, 4, 4, 4);
    GroupBox139 = new QGroupBox(TabSheet45);
    GroupBox139->setObjectName(QStringLiteral("GroupBox139"));
    lay45->addWidget(GroupBox139);
    auto* lay139 = new QHBoxLayout(GroupBox139);
    lay139->setContentsMargins(4, 4, 4, 4);
    Splitter4 = new QSplitter(Qt::Horizontal, GroupBox139);
    Splitter4->setObjectName(QStringLiteral("Splitter4"));
    Splitter4->setHandleWidth(8);
    lay139->addWidget(Splitter4);

    PageControl2 = new TPageControl(QStringLiteral("PageControl2"));
    TabSheet46 = new QWidget;
    TabSheet46->setObjectName(QStringLiteral("TabSheet46"));
    PageControl2->addPage(TabSheet46, QStringLiteral("TELECOMANDI"));
    TabSheet47 = new QWidget;
    TabSheet47->setObjectName(QStringLiteral("TabSheet47"));
    PageControl2->addPage(TabSheet47, QStringLiteral("SIRENE"));
    TabSheet48 = new QWidget;
    TabSheet48->setObjectName(QStringLiteral("TabSheet48"));
    PageControl2->addPage(TabSheet48, QStringLiteral("SENSORI"));
    DBGrid9 = makeDevice800Grid(QStringLiteral("DBGrid9"), TabSheet46, false);
    DBGrid47 = makeDevice800Grid(QStringLiteral("DBGrid47"), TabSheet47, false);
    DBGrid48 = makeDevice800Grid(QStringLiteral("DBGrid48"), TabSheet48, true);
    Splitter4->addWidget(PageControl2);

    DBComboBoxWireless800_Telecomandi = typeCombo(QStringLiteral("DBComboBoxWireless800_Telecomandi"),
                                                  {QString(), QStringLiteral("BOLDO800")}, DBGrid9);
    DBComboBoxWireless800_Sirene = typeCombo(QStringLiteral("DBComboBoxWireless800_Sirene"),
                                             {QString(), QStringLiteral("LIRNO800")}, DBGrid47);
    DBComboBoxWireless800_Device =
        typeCombo(QStringLiteral("DBComboBoxWireless800_Device"),
                  {QString(), QStringLiteral("ULMO800"), QStringLiteral("MERLA800"),
                   QStringLiteral("VIRNA800"), QStringLiteral("VIRNA800T"), QStringLiteral("TORVO800"),
                   QStringLiteral("RUSTA800"), QStringLiteral("PALVO800")},
                  DBGrid48);
    if (Form6)
        Form6->cellEditors().MultiSelectWireless800 = [this](DBComboBox&, Field& field) {
            guardedApply([&] { MultiSelectWireless800(field); });
        };
    for (int k = 0; k < 3; ++k)
        DBLookupComboBox7_9[size_t(k)] = ChannelEditor::over(*DBGrid48, Range::R800, k + 1,
                                                             QStringLiteral("DBLookupComboBox%1").arg(k + 7));

    GroupBox17 = new QGroupBox;
    GroupBox17->setObjectName(QStringLiteral("GroupBox17"));
    auto* lay17 = new QVBoxLayout(GroupBox17);
    lay17->setContentsMargins(2, 2, 2, 2);
    ScrollBox21 = new QScrollArea(GroupBox17);
    ScrollBox21->setObjectName(QStringLiteral("ScrollBox21"));
    ScrollBox21->setWidgetResizable(true);
    lay17->addWidget(ScrollBox21);
    OptionPanels = new QStackedWidget;
    OptionPanels->setObjectName(QStringLiteral("OptionPanels"));
    ScrollBox21->setWidget(OptionPanels);
    buildOptionPanels();
    Splitter4->addWidget(GroupBox17);
    Splitter4->setStretchFactor(1, 1);
    Splitter4->setSizes({559, 600});
    new OnFirstShow(TabSheet45, [this] { fitDevicePane(); });

    connect(PageControl2, &TPageControl::changed, this,
            [this] { applyTabFilter(PageControl2->activePageIndex()); });
    if (DM) {
        // The panel in front and the caption follow the device under the cursor, wherever it moves.
        DataSource* source = DM->DataSource_RadioDevice800;
        auto follow = [this] {
            DataSet* t = DM ? DM->CDSet_DeviceRadio800 : nullptr;
            if (!t || t->isEmpty() || !t->active()) {
                OptionPanels->setCurrentWidget(Panel_Blank);
                return;
            }
            OptionPanels->setCurrentWidget(optionPanel(fieldInt(*t, "_Tipo")));
            GroupBox17->setTitle(t->fieldByName(QStringLiteral("_Nome")).asString() + QStringLiteral("  ") +
                                 QString::number(fieldInt(*t, "_ID")));
        };
        connect(source, &DataSource::dataSetScrolled, this, follow);
        connect(source, &DataSource::dataSetChanged, this, follow);
        connect(source, &DataSource::recordChanged, this, follow);
        // A type that changes under the current cell (a read from the panel) decides at once
        // whether the name and the code can be typed.
        auto editing = [this] {
            for (DBGrid* grid : {DBGrid9, DBGrid47, DBGrid48})
                updateEditing800(*grid);
        };
        connect(source, &DataSource::dataSetChanged, this, editing);
        connect(source, &DataSource::recordChanged, this, editing);
    }
}

// The devices' own columns (all but the channels) show whole at the first showing; the option
// panel, which scrolls, takes what is left.
void TPageWireless::fitDevicePane() {
    DBGrid* grid = nullptr;
    for (DBGrid* g : {DBGrid9, DBGrid47, DBGrid48})
        if (g->isVisible())
            grid = g;
    if (!grid)
        return;
    int columns = 0;
    for (int c = 0; c <= cSegnale; ++c)
        columns += grid->column(c).storedWidth() + (grid->hasOption(GridOption::ColLines) ? 1 : 0);
    const int chrome = PageControl2->width() - grid->viewport()->width();
    const int wanted = columns + chrome;
    const QList<int> sizes = Splitter4->sizes();
    if (sizes.size() != 2 || sizes[0] >= wanted)
        return;
    const int total = sizes[0] + sizes[1];
    Splitter4->setSizes({wanted, std::max(total - wanted, 0)});
    for (DBGrid* g : {DBGrid9, DBGrid47, DBGrid48})
        if (g->isVisible())
            FixDBGridColumnsWidth(g);
}

// ---------------------------------------------------------------------------- tab filters

void TPageWireless::applyTabFilter(int tab) {
    hideEditors800();
    // Never while a job moves parts: the job walks the whole table, and its ending filters again.
    if (tab < 0 || tab > 2 || !DM || StateTrasfert)
        return;
    m_filterTab = tab;
    DataSet* t = DM->CDSet_DeviceRadio800;
    try {
        t->checkBrowseMode();
        if (t->filtered() && t->filter() == QString::fromLatin1(kTabFilters[tab]))
            return;
        t->setFiltered(false);
        t->setFilter(QString::fromLatin1(kTabFilters[tab]));
        t->setFiltered(true);
    } catch (const DataSetError& e) {
        ShowMessage(e.message());
    }
}

void TPageWireless::TabSheet46Show() {
    applyTabFilter(0);
}
void TPageWireless::TabSheet47Show() {
    applyTabFilter(1);
}
void TPageWireless::TabSheet48Show() {
    applyTabFilter(2);
}

void TPageWireless::reapplyDeviceFilter() {
    if (PageControl2)
        applyTabFilter(PageControl2->activePageIndex());
}

// ---------------------------------------------------------------------------- painting

void TPageWireless::DBGridWireless800ColumnCell(DBGrid& grid, QPainter& p, const QRect& rect, int dataCol,
                                                DBGridColumn& column, GridDrawState) {
    const int tipo = grid.paintedValue(QStringLiteral("_Tipo")).toInt();
    const bool knownType = tipo >= 0 && tipo <= 9;
    switch (dataCol) {
    case cNomeDevice: {
        // The whole cell is a scroll-right button: a click here chooses the type.
        p.save();
        drawFrameControl(p, rect, DFC_SCROLL, DFCS_SCROLLRIGHT);
        p.setFont(grid.canvas().font);
        p.setPen(Qt::black);
        p.setClipRect(rect);
        grid.textOut(p, rect.left() + 5, rect.top() + 2, grid.paintedText(column));
        p.restore();
        drawFocusRect(p, rect);
        break;
    }
    case cExpNum: {
        const int id = grid.paintedValue(QStringLiteral("_ID")).toInt();
        const int segnale = grid.paintedValue(QStringLiteral("_Segnale")).toInt();
        p.fillRect(rect, sysColor(id <= C_NUM_DEVRADIO800 / 2 ? COLOR_GRADIENTACTIVECAPTION
                                                              : COLOR_GRADIENTINACTIVECAPTION));
        p.save();
        p.setClipRect(rect);
        p.setFont(grid.canvas().font);
        p.setPen(grid.canvas().fontColor);
        const QRect icon(rect.left(), rect.top(), rect.height(), rect.height());
        if (segnale == kNotUpdated && tipo > 0) {
            ImageList2().draw(p, icon, Img2::Warning);
            grid.textOut(p, rect.left() + 32, rect.top(), QStringLiteral("Not Update"));
        } else if (segnale > 0 && tipo > 0) {
            ImageList2().draw(p, icon, Img2::Radio);
            grid.textOut(p, rect.left() + 32, rect.top(), grid.paintedText(column));
        } else {
            grid.textOut(p, rect.left(), rect.top(), grid.paintedText(column));
        }
        p.restore();
        break;
    }
    case cBatt:
        if (tipo == 0)
            WirelessCells::crossCell(grid, p, rect);
        else
            WirelessCells::levelCell(
                grid, p, rect,
                WirelessCells::batteryLevel(grid.paintedValue(QStringLiteral("_Batt")).toInt()));
        break;
    case cSegnale:
        if (tipo == 0)
            WirelessCells::crossCell(grid, p, rect);
        else
            WirelessCells::levelCell(
                grid, p, rect,
                WirelessCells::signal800Level(grid.paintedValue(QStringLiteral("_Segnale")).toInt()));
        break;
    case cIdRadio:
        if (tipo == 0 || !knownType)
            WirelessCells::crossCell(grid, p, rect, knownType ? QColor() : colorFromTColor(clBlue));
        break;
    default:
        if (dataCol >= cInput1) {
            const int k = dataCol - cInput1 + 1;
            if (!RadioChannels::hasChannel(Range::R800, tipo, k)) {
                WirelessCells::crossCell(grid, p, rect, knownType ? QColor() : colorFromTColor(clBlue));
            } else if (DM) {
                p.fillRect(rect, grid.canvas().brush);
                const QString text = RadioChannels::associationText(
                    *DM->CDSet_Ingressi, Range::R800, tipo, k,
                    grid.paintedValue(QStringLiteral("_In%1").arg(k)).toInt(), grid.paintedText(column));
                WirelessCells::valueCell(grid, p, rect, text);
            }
        }
        break;
    }
}

// ---------------------------------------------------------------------------- editing

void TPageWireless::hideEditors800() {
    for (QWidget* w : {static_cast<QWidget*>(DBComboBoxWireless800_Telecomandi),
                       static_cast<QWidget*>(DBComboBoxWireless800_Sirene),
                       static_cast<QWidget*>(DBComboBoxWireless800_Device)})
        if (w)
            w->hide();
    for (ChannelEditor* e : DBLookupComboBox7_9)
        if (e)
            e->hide();
}

// The current cell: only the name and the code of a typed device are typed in place; the
// editors of the cell left are closed.
void TPageWireless::current800Changed(DBGrid& grid) {
    hideEditors800();
    // Entering the number cell writes a row being edited. The number stays the device's own:
    // the grid shows one kind of device at a time, so a row's place in it is not its number.
    const DBGridColumn* column = grid.selectedColumn();
    if (column && column->fieldName() == QLatin1String("_ID"))
        CellFaces::postPending(grid.dataSet());
    updateEditing800(grid);
}

void TPageWireless::updateEditing800(DBGrid& grid) {
    DataSet* t = grid.dataSet();
    const bool typed = t && !t->isEmpty() && fieldInt(*t, "_Tipo") != 0;
    const int col = grid.selectedIndex();
    grid.setOption(GridOption::Editing, typed && (col == cNome || col == cIdRadio));
}

void TPageWireless::DBGridWireless800CellClick(DBGridColumn& column) {
    DBGrid* grid = column.grid();
    DataSet* t = grid->dataSet();
    if (!t || t->isEmpty())
        return;
    const int tipo = fieldInt(*t, "_Tipo");
    const int col = column.index();
    // A click in "TIPO" is served by the window's type editor.
    if (col >= cInput1 && col < cInput1 + 3 && grid == DBGrid48) {
        const int k = col - cInput1 + 1;
        if (RadioChannels::hasChannel(Range::R800, tipo, k)) {
            DBLookupComboBox7_9[size_t(k - 1)]->open();
        }
    }
}

void TPageWireless::DBGrid8KeyPress(DBGrid& grid, QChar& key) {
    const Field* f = grid.selectedField();
    if (!f || f->fieldName() != QLatin1String("_ID_Radio"))
        return;
    if (key == QLatin1Char('\r')) {
        // Enter while the row is being edited writes the typed code and posts the row; a code
        // refused, or Enter with nothing being edited, does nothing more.
        DataSet* t = grid.dataSet();
        const bool editing = t && (t->state() == DataSetState::Edit || t->state() == DataSetState::Insert);
        if (editing && grid.commitEditor())
            guardedApply([t] { t->post(); });
        if (!editing || t->state() != DataSetState::Browse)
            key = QChar();
        return;
    }
    const bool hex =
        key.isDigit() || (key.toUpper() >= QLatin1Char('A') && key.toUpper() <= QLatin1Char('F'));
    key = hex ? key.toUpper() : QChar();
}

void TPageWireless::guardedApply(const std::function<void()>& apply) {
    try {
        apply();
    } catch (const DataSetError& e) {
        if (DM)
            DM->CDSet_DeviceRadio800->cancel();
        ShowMessage(e.message());
    }
}

// A new type gives the device its name and the default options of the type; no type resets
// the row. Nothing else ever writes the defaults: repainting or refocusing leaves the options.
void TPageWireless::MultiSelectWireless800(Field& field) {
    DataSet* t = field.dataSet();
    t->edit();
    const QString name = field.asString();
    const int tipo = GetIdxDev800(name);
    t->fieldByName(QStringLiteral("_Tipo")).setAsInteger(tipo);
    OptionPanels->setCurrentWidget(optionPanel(tipo));
    auto set = [t](const char* f, const QVariant& v) { t->fieldByName(QString::fromLatin1(f)).setValue(v); };
    if (tipo == 0) {
        set("_NomeDevice", QString());
        set("_ID_Radio", QStringLiteral("0000000000"));
        set("_Batt", kNotUpdated);
        set("_Segnale", kNotUpdated);
        for (int k = 1; k <= 5; ++k) {
            set(QByteArray("_Input" + QByteArray::number(k)).constData(), QString());
            set(QByteArray("_In" + QByteArray::number(k)).constData(), 0);
        }
        set("_Nome", QString());
        set("_RemCrt_Led", true);
        set("_RemCrt_Switch", 5);
        set("_RemCrt_Sensibility", 0);
        set("_RemCrt_Buzzer", false);
        set("_RemCrt_DoubleImp", false);
    } else {
        const QString composed = name + QStringLiteral(" D.") + QString::number(fieldInt(*t, "_ID"));
        set("_Nome", composed.left(t->fieldByName(QStringLiteral("_Nome")).size()));
        // The defaults also reset the code, both levels (not read) and the channels.
        DM->DefaultOpzioniRadio800();
    }
    t->post();
}
