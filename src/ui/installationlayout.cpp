#include "ui/installationlayout.h"

#include "platform/dbgrid.h"
#include "ui/pagecontrol.h"

#include <QWidget>

namespace InstallationLayout {
namespace {

// A rule's setting per system type, written as seven characters for the types
// 1, 2, 3, 4, 5, 6 and then 0: 'Y' shown (enabled), '-' hidden (disabled), '=' unchanged.
using Row = const char*;

char settingFor(Row row, int type) {
    return row[(type >= 1 && type <= 6) ? type - 1 : 6];
}

// Tabs: the sheet's tab within its page control.
struct TabRule {
    const char* pageControl;
    const char* sheet;
    Row row;
};
const TabRule kTabs[] = {
    {"PageControl", "TabSheet22", "YYYYYY-"},          // "PSTN"
    {"PageControl_FPT", "TabSheet24", "YYYYYY-"},      // "EVENTI CID"
    {"PageControl_telefoni", "TabSheet30", "YYYYYYY"}, // "Parametri"
};

// Grid columns first..last (indices from 0).
struct ColumnRule {
    const char* grid;
    int first;
    int last;
    Row row;
};
const ColumnRule kColumns[] = {
    {"DBGrid6", 8, 11, "--Y--YY"},   // users: _Pz5.._Pz8
    {"DBGrid15", 4, 4, "-YYYYY="},   // inputs: _AttSirIngresso
    {"DBGrid15", 11, 11, "YYYYYY-"}, // inputs: _AutoEx
    {"DBGrid26", 6, 9, "--Y--YY"},   // inputs ON/OFF: _Pz5.._Pz8
    {"DBGrid3", 3, 3, "======Y"},    // phone book: _PrefixGSM
    {"DBGrid3", 4, 4, "======Y"},    // _Tel
    {"DBGrid3", 5, 5, "---YYYY"},    // _ConfermaRisposta
    {"DBGrid3", 6, 6, "---YYYY"},    // _AccessoDiretto
    {"DBGrid3", 7, 7, "YYYYYY="},    // _ResetAutomatico
    {"DBGrid3", 8, 8, "---YYY="},    // _TelProg
    {"DBGrid31", 4, 10, "-------"},  // Contact ID events: _Tel2.._Tel8
};

// Other controls: visibility of every named component.
struct ControlRule {
    QStringList names;
    Row row;
};
const ControlRule kControls[] = {
    {{"DBRadioGroup1"}, "YYYYYY-"}, // "LUNGHEZZA CODICI"
    {{"GroupBox70"}, "YYYYYY-"},    // wiring picture of the inputs (its splitter bar goes with it)
    {{"GroupBox67"}, "---YYY="},    // "CODICE RESET CHIAMATE"
    {{"GroupBox37"}, "---YYY="},    // "VIVA VOCE"
    {{"GroupBox99"}, "---YYY="},    // "SQUILLI ALLA RISPOSTA"
    {{"GroupBox98"}, "---YYY="},    // "RITARDO TRA EVENTI"
    {{"DBCheckBox25", "DBCheckBox26", "DBCheckBox27", "DBCheckBox28"}, "--Y--YY"}, // siren LOCAL 5..8
    {{"DBCheckBox33", "DBCheckBox41", "DBCheckBox48", "DBCheckBox49"}, "--Y--YY"}, // siren REMOTE 5..8
    {{"GroupBoxParzWireless1", "GroupBoxParzWireless2", "GroupBoxParzWireless3", "GroupBoxParzWireless4"},
     "--Y--YY"}, // remote-control keys, partitions 5..8
    {{"DBEdit29", "DBEdit30", "DBEdit31", "DBEdit32", "Label36", "Label37", "Label38", "Label39"},
     "--Y--Y="},                  // Contact ID account codes 5..8
    {{"GroupBox104"}, "------Y"}, // "AMPIEZZA DTMF SU GSM"
    {{"GroupBox55"}, "YYYYYY-"},  // "MANCANZA LINEA PSTN TEST"
    {{"GroupBox80"}, "---YYYY"},  // "Salto segreteria"
    {{"GroupBox45"}, "-------"},  // "Priorita voce"
    {{"GroupBox46"}, "-------"},  // "Priorita' CONTACT ID"
};

// Check boxes: enabled state.
struct EnableRule {
    const char* name;
    Row row;
};
const EnableRule kEnables[] = {
    {"DBCheckBox36", "------Y"}, // "ACCETTA CHIAMATE"
    {"DBCheckBox37", "------Y"}, // "SQUILLO PASSANTE"
    {"DBCheckBox38", "======Y"}, // "VIVA VOCE"
    {"DBCheckBox10", "YYYYYYY"}, // "VISUALIZZAZIONE ZONE"
    {"DBCheckBox9", "YYYYYY-"},  // "RITARDO RIPRISTINO"
};

// Column widths: the columns take the current width of a source column (of this or of another
// grid) for the types listed ('Y').
struct WidthRule {
    const char* grid;
    int first;
    int last;
    const char* sourceGrid;
    int sourceColumn;
    Row row;
};
const WidthRule kWidths[] = {
    {"DBGrid15", 4, 4, "DBGrid15", 3, "-YYYYY-"}, {"DBGrid15", 11, 11, "DBGrid15", 10, "YYYYYY-"},
    {"DBGrid6", 8, 11, "DBGrid6", 7, "--Y--YY"},  {"DBGrid26", 6, 9, "DBGrid26", 5, "--Y--Y-"},
    {"DBGrid26", 6, 9, "DBGrid6", 5, "------Y"},
};

// Minimum widths (the field's tag) of columns, for the types listed.
struct MinWidthRule {
    const char* grid;
    int first;
    int last;
    int minWidth;
    Row row;
};
const MinWidthRule kMinWidths[] = {
    {"DBGrid26", 6, 9, 16, "--Y--Y-"},
};

template <class T> T* find(const QWidget& root, const QString& name) {
    if (root.objectName() == name)
        return qobject_cast<T*>(const_cast<QWidget*>(&root));
    return root.findChild<T*>(name);
}

DBGrid* findGrid(const QWidget& root, const char* name) {
    return find<DBGrid>(root, QString::fromLatin1(name));
}

// The grid's column when it exists.
DBGridColumn* columnOf(DBGrid* grid, int index) {
    return grid && index >= 0 && index < grid->columnCount() ? &grid->column(index) : nullptr;
}

void applyTabs(QWidget& root, int type) {
    for (const TabRule& rule : kTabs) {
        const char s = settingFor(rule.row, type);
        auto* pc = find<TPageControl>(root, QString::fromLatin1(rule.pageControl));
        if (s == '=' || !pc)
            continue;
        const int index = pc->indexOf(pc->pageByName(QString::fromLatin1(rule.sheet)));
        if (index >= 0)
            pc->setTabVisible(index, s == 'Y');
    }
}

void applyColumns(QWidget& root, int type) {
    for (const ColumnRule& rule : kColumns) {
        const char s = settingFor(rule.row, type);
        if (s == '=')
            continue;
        DBGrid* grid = findGrid(root, rule.grid);
        for (int c = rule.first; c <= rule.last; ++c)
            if (DBGridColumn* col = columnOf(grid, c))
                col->setVisible(s == 'Y');
    }
}

void applyControls(QWidget& root, int type) {
    for (const ControlRule& rule : kControls) {
        const char s = settingFor(rule.row, type);
        if (s == '=')
            continue;
        for (const QString& name : rule.names)
            if (QWidget* w = find<QWidget>(root, name))
                w->setVisible(s == 'Y');
    }
    for (const EnableRule& rule : kEnables) {
        const char s = settingFor(rule.row, type);
        if (s == '=')
            continue;
        if (QWidget* w = find<QWidget>(root, QString::fromLatin1(rule.name)))
            w->setEnabled(s == 'Y');
    }
}

// Widths come after visibility: a column hidden by the layout keeps the width it is given.
void applyWidths(QWidget& root, int type) {
    for (const WidthRule& rule : kWidths) {
        if (settingFor(rule.row, type) != 'Y')
            continue;
        DBGrid* grid = findGrid(root, rule.grid);
        DBGridColumn* source = columnOf(findGrid(root, rule.sourceGrid), rule.sourceColumn);
        if (!source)
            continue;
        const int width = source->storedWidth();
        for (int c = rule.first; c <= rule.last; ++c)
            if (DBGridColumn* col = columnOf(grid, c))
                col->setWidth(width);
    }
    for (const MinWidthRule& rule : kMinWidths) {
        if (settingFor(rule.row, type) != 'Y')
            continue;
        DBGrid* grid = findGrid(root, rule.grid);
        for (int c = rule.first; c <= rule.last; ++c)
            if (DBGridColumn* col = columnOf(grid, c))
                if (Field* f = col->field())
                    f->tag = rule.minWidth;
    }
}

} // namespace

void Apply(QWidget& root, int systemType) {
    const int type = (systemType >= 0 && systemType <= 6) ? systemType : 0;
    applyTabs(root, type);
    applyColumns(root, type);
    applyControls(root, type);
    applyWidths(root, type);
}

QStringList ComponentNames() {
    QStringList names;
    auto add = [&names](const QString& n) {
        if (!names.contains(n))
            names << n;
    };
    for (const TabRule& r : kTabs) {
        add(QString::fromLatin1(r.pageControl));
        add(QString::fromLatin1(r.sheet));
    }
    for (const ColumnRule& r : kColumns)
        add(QString::fromLatin1(r.grid));
    for (const ControlRule& r : kControls)
        for (const QString& n : r.names)
            add(n);
    for (const EnableRule& r : kEnables)
        add(QString::fromLatin1(r.name));
    for (const WidthRule& r : kWidths) {
        add(QString::fromLatin1(r.grid));
        add(QString::fromLatin1(r.sourceGrid));
    }
    return names;
}

QStringList MissingComponents(const QWidget& root) {
    QStringList missing;
    for (const QString& name : ComponentNames())
        if (!find<QWidget>(root, name))
            missing << name;
    // Columns the rules reach beyond a grid's last column.
    auto checkColumns = [&](const char* gridName, int last) {
        DBGrid* grid = findGrid(root, gridName);
        if (grid && last >= grid->columnCount()) {
            const QString entry = QStringLiteral("%1[%2]").arg(QLatin1String(gridName)).arg(last);
            if (!missing.contains(entry))
                missing << entry;
        }
    };
    for (const ColumnRule& r : kColumns)
        checkColumns(r.grid, r.last);
    for (const WidthRule& r : kWidths) {
        checkColumns(r.grid, r.last);
        checkColumns(r.sourceGrid, r.sourceColumn);
    }
    return missing;
}

} // namespace InstallationLayout
