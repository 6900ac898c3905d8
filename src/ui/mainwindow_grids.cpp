// The main window's passes over its grids, splitters and combo boxes.

#include "ui/gridpasses.h"

#include "platform/colors.h"
#include "platform/dbgrid.h"
#include "platform/gridpaint.h"
#include "ui/mainwindow.h"

#include <QSplitter>

namespace {
struct SplitterRefit {
    const char* splitters; // one or more splitter names sharing one handler, ';'-separated
    const char* grids;     // grids re-fitted, in order
};

// Moving a splitter lets the move happen and re-fits the columns of the grids beside it.
const SplitterRefit kSplitterRefits[] = {
    {"Splitter1", "DBGrid17;DBGrid28"},
    {"Splitter2", "DBGrid15"},
    {"Splitter3", "DBGrid17;DBGrid18;DBGrid28"},
    {"Splitter4", "DBGrid9;DBGrid47;DBGrid48"},
    {"Splitter5", "DBGrid12;DBGrid13"},
    {"Splitter6", "DBGrid12;DBGrid13;DBGrid14;DBGrid41"},
    {"Splitter7;Splitter16", "DBGrid14;DBGrid41;DBGrid42"},
    {"Splitter8;Splitter12", "DBGrid40;DBGrid39;DBGrid2"},
    {"Splitter9", "DBGrid19;DBGrid20"},
    {"Splitter10", "DBGrid5;DBGrid7"},
    {"Splitter11", "DBGrid4;DBGrid5;DBGrid7"},
    {"Splitter13", "DBGrid16;DBGrid27;DBGrid20;DBGrid24;DBGrid29"},
    {"Splitter14", "DBGrid25;DBGrid22;DBGrid21"},
    {"Splitter15", "DBGrid22;DBGrid21"},
    {"Splitter17", "DBGrid23;DBGrid24"},
    {"Splitter18;Splitter23;Splitter24", "DBGrid36;DBGrid37;DBGrid38"},
    {"Splitter25", "DBGrid34;DBGrid35"},
};

// Grids whose mouse moves track the hovered row and set the cursor: every grid of the window
// but DBGrid45 and the event log's DBGrid1.
const char* const kMouseMoveGrids[] = {
    "DBGrid6",  "DBGrid10", "DBGrid15", "DBGrid11", "DBGrid26", "DBGrid44", "DBGrid16", "DBGrid27",
    "DBGrid29", "DBGrid19", "DBGrid20", "DBGrid23", "DBGrid24", "DBGrid12", "DBGrid13", "DBGrid41",
    "DBGrid14", "DBGrid42", "DBGrid17", "DBGrid28", "DBGrid18", "DBGrid3",  "DBGrid5",  "DBGrid4",
    "DBGrid7",  "DBGrid25", "DBGrid22", "DBGrid21", "DBGrid46", "DBGrid9",  "DBGrid47", "DBGrid48",
    "DBGrid32", "DBGrid30", "DBGrid31", "DBGrid2",  "DBGrid39", "DBGrid40", "DBGrid34", "DBGrid35",
    "DBGrid33", "DBGrid36", "DBGrid37", "DBGrid38", "DBGrid43",
};

// Grids whose title click refits their columns (it neither sorts nor selects).
const char* const kTitleClickGrids[] = {"DBGrid6",  "DBGrid10", "DBGrid15", "DBGrid11", "DBGrid26",
                                        "DBGrid16", "DBGrid27", "DBGrid29", "DBGrid32"};

QStringList split(const char* list) {
    return QString::fromLatin1(list).split(QLatin1Char(';'));
}
} // namespace

namespace GridPasses {

void styleGrids(QWidget& root) {
    const QColor background = GridPalette::color(GridPalette::GridBackground);
    const QColor titleColor = GridPalette::color(GridPalette::TitleBackground);
    for (DBGrid* grid : root.findChildren<DBGrid*>()) {
        grid->setColor(background);
        QFont titleFont = grid->titleFont();
        titleFont.setBold(true);
        grid->setTitleFont(titleFont);
        for (int c = 0; c < grid->columnCount(); ++c) {
            DBGridColumn& column = grid->column(c);
            column.title.color = titleColor;
            QFont columnFont = column.title.font;
            columnFont.setBold(true);
            column.title.font = columnFont;
        }
        grid->setOption(GridOption::RowLines);
        for (int c = 0; c < grid->columnCount(); ++c) {
            DBGridColumn& column = grid->column(c);
            if (Field* field = column.field())
                field->tag = c == 0 ? 0 : column.storedWidth();
        }
    }
}

void fitAndFinish(QWidget& root) {
    fitAll(root);
    const QColor handleColor = sysColor(COLOR_ACTIVEBORDER);
    for (QSplitter* splitter : root.findChildren<QSplitter*>()) {
        // Horizontal bars are 10 px thick; the vertical ones keep 8 px.
        splitter->setHandleWidth(splitter->orientation() == Qt::Vertical ? 10 : 8);
        for (int i = 1; i < splitter->count(); ++i) {
            QSplitterHandle* handle = splitter->handle(i);
            QPalette pal = handle->palette();
            pal.setColor(QPalette::Window, handleColor);
            handle->setPalette(pal);
            handle->setAutoFillBackground(true);
        }
    }
    for (QWidget* w : root.findChildren<QWidget*>())
        if (w->inherits("DBComboBox") || w->inherits("DBLookupComboBox"))
            ComboBox_AutoWidth(w);
}

void fitAll(QWidget& root) {
    for (DBGrid* grid : root.findChildren<DBGrid*>()) {
        FixDBGridColumnsWidth(grid);
        grid->viewport()->update();
    }
}

void refit(QWidget& root, const QStringList& gridNames) {
    for (const QString& name : gridNames)
        FixDBGridColumnsWidth(root.findChild<DBGrid*>(name));
}

void wireGridEvents(QWidget& root, GridMouseTracker& tracker) {
    for (const char* name : kMouseMoveGrids)
        if (auto* grid = root.findChild<DBGrid*>(QString::fromLatin1(name)))
            tracker.attach(*grid);
    for (const char* name : kTitleClickGrids)
        if (auto* grid = root.findChild<DBGrid*>(QString::fromLatin1(name)))
            grid->onTitleClick = [](DBGridColumn& column) { DBGridTitleClick(column); };
}

QStringList gridsBesideSplitter(const QString& splitterName) {
    for (const SplitterRefit& rule : kSplitterRefits)
        if (split(rule.splitters).contains(splitterName))
            return split(rule.grids);
    return {};
}

void wireSplitters(QWidget& root, QObject* context) {
    QWidget* r = &root;
    for (const SplitterRefit& rule : kSplitterRefits) {
        const QStringList grids = split(rule.grids);
        for (const QString& name : split(rule.splitters))
            if (auto* splitter = root.findChild<QSplitter*>(name))
                QObject::connect(splitter, &QSplitter::splitterMoved, context,
                                 [r, grids] { refit(*r, grids); });
    }
}

} // namespace GridPasses

bool TForm6::isGrid(const QWidget* w) {
    return qobject_cast<const DBGrid*>(w) != nullptr;
}
void TForm6::firstCreationPass() {
    GridPasses::styleGrids(*this);
}
void TForm6::secondCreationPass() {
    GridPasses::fitAndFinish(*this);
}
void TForm6::fitAllGrids() {
    GridPasses::fitAll(*this);
}
void TForm6::refitGrids(const QStringList& gridNames) {
    GridPasses::refit(*this, gridNames);
}
void TForm6::wireSplitters() {
    GridPasses::wireSplitters(*this, this);
    GridPasses::wireGridEvents(*this, *m_gridHover);
}
int TForm6::MouseOverRow() const {
    return m_gridHover->MouseOverRow();
}
void TForm6::SetMouseOverRow(int value) {
    m_gridHover->SetMouseOverRow(value);
}
