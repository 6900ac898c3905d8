#pragma once
// The face of a value cell in the main window's grids: the size-grip face over the whole cell
// with the cell's text 5 px in and 2 px down. The same face marks the cells a user edits
// through a list or a click, so every page draws it the same way.

#include <QColor>
#include <QString>
#include <QStringList>

class DBGrid;
class DBGridColumn;
class QPainter;
class QRect;

// Face and text over `rect`, in the grid's canvas font. With `keepFill` only the grip's ridges
// are drawn over what the cell already shows (a picked row keeps its colour).
void drawGripFace(DBGrid& grid, QPainter& painter, const QRect& rect, const QString& text,
                  bool keepFill = false, const QColor& textColor = Qt::black);

// Widens `column` so that each of `texts` shows whole on the face, clear of the grip's ridges
// (measured bold: some pages write their values bold). The width only grows; for a column the
// window refits to its grid it becomes the minimum width too, so a narrower window keeps it.
void widenForFaceTexts(DBGrid& grid, DBGridColumn& column, const QStringList& texts);
