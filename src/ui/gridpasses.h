#pragma once
// The main window's passes over the components it holds: the look every grid gets at
// creation (and the minimum widths its fields keep), the splitters' bars, the drop-down
// widths, and the column fitting of resizes and splitter moves.

#include <QStringList>

class GridMouseTracker;
class QObject;
class QWidget;

namespace GridPasses {
// First pass at creation: every grid gets the pale blue background, bold titles on the
// active-border colour and lines between rows; every field shown in a column keeps the
// column's width as its minimum width (its tag), 0 for each grid's first column. A field shown
// in several grids keeps the value of the grid handled last.
void styleGrids(QWidget& root);
// Second pass: grids fitted, splitter bars coloured (horizontal bars 10 px thick), drop-down
// lists of the data-aware combo boxes widened to their items.
void fitAndFinish(QWidget& root);
// Fits the columns of every grid and repaints it.
void fitAll(QWidget& root);
// Fits the columns of the named grids, in order.
void refit(QWidget& root, const QStringList& gridNames);
// Connects every splitter that exists to the refit of the grids beside it; `context` owns the
// connections.
void wireSplitters(QWidget& root, QObject* context);
// Gives the window's grids their shared mouse handlers: a mouse move over any grid but DBGrid45
// and the event log goes to `tracker` (hovered row and cursor), and a title click on the grids
// that refit by title refits that grid.
void wireGridEvents(QWidget& root, GridMouseTracker& tracker);
// The grids a splitter's move re-fits (empty for an unknown splitter).
QStringList gridsBesideSplitter(const QString& splitterName);
} // namespace GridPasses
