#pragma once
// Column titles that name phone-book entries: the call columns of the inputs, the outputs and
// the system events show the label of phone N over the column of phone N, and follow every
// change of the phone book (a rename, another installation, a reload).

#include <QString>

class DBGrid;
class QObject;
class QWidget;

namespace PhoneTitles {
// Titles every column of `grid` whose field is `fieldPrefix` + N (N = 1..8) with the `_Nome` of
// phone-book record N, and repaints the titles. Without a label (or without record N) the
// column has no title; without an open phone book it shows its field's own title.
void apply(DBGrid& grid, const QString& fieldPrefix);
// Applies the titles to the window's grids that have phone columns (those that exist under
// `root`) now and whenever the phone book changes; `context` owns the connections.
void follow(QWidget& root, QObject* context);
} // namespace PhoneTitles
