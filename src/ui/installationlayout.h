#pragma once
// The main window's layout for a panel model: which tabs, grid columns and controls an
// installation of that model shows, which check boxes it enables, and the column widths that
// go with them. The rules are data keyed by component name, so a page only has to create its
// components with those names for the layout to reach them.

#include <QStringList>

class QWidget;

namespace InstallationLayout {

// Applies every rule for system type `systemType` (1..6 the models, 0 none; any other value is
// treated as 0) to the components found under `root`. Rules marked "unchanged" for the type
// leave their component as the window definition or an earlier opening left it. Components
// that do not exist are skipped.
void Apply(QWidget& root, int systemType);

// The names the rules refer to that `root` does not hold (components, or grid columns beyond
// a grid's last column, written "DBGrid3[8]").
QStringList MissingComponents(const QWidget& root);

// Every component name the rules refer to.
QStringList ComponentNames();

} // namespace InstallationLayout
