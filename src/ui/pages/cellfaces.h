#pragma once
// Cell faces shared by the reporting and phone-book grids: the value cell (a size-grip face
// with the cell's text on it) and the mark of a cell the row or the model does not support
// (the same face with no text).

#include "platform/dbgrid.h"

#include <QStringList>

#include <functional>

class DataSet;
class QPainter;

namespace CellFaces {
// The face, then the painted row's text of `column` at 5 px right and 2 px down, in black
// (bold when asked).
void valueCell(DBGrid& grid, QPainter& painter, const QRect& rect, DBGridColumn& column, bool bold = false);
// The face alone: whatever was written in the cell is covered.
void markCell(QPainter& painter, const QRect& rect);
// Writes `text` at 5 px right and 2 px down in the painter's current font and pen.
void cellText(DBGrid& grid, QPainter& painter, const QRect& rect, const QString& text);

// Widens every column to at least its bold title, so no title is cut; the widths become the
// columns' minimum widths when the window styles its grids (or at once, once it has).
void widenToTitles(DBGrid& grid);
// Fits the grid's columns to its width each time it is shown (a page or tab chosen), so the
// columns a model hides leave no gap.
void fitWhenShown(DBGrid& grid);

// Whether the table may be written now (open, with rows).
bool writable(const DataSet* table);
// Posts a row left in edit or insert state; a refusal is shown and the row is cancelled, so
// the old value stays. False when the row was not posted.
bool postPending(DataSet* table);
// Runs `fn`; an error of the table engine is shown to the user instead of passing on.
void guarded(const std::function<void()>& fn);
// Puts the row in edit state, lets `change` write and posts; a refusal is shown.
bool editAndPost(DataSet* table, const std::function<void(DataSet&)>& change);
} // namespace CellFaces
