#pragma once
// The face of a value cell on the configuration pages: the size-grip frame control over the
// whole cell, then the value's text 5 px right and 2 px down from the cell's corner, in the
// grid's cell font and font colour.

#include <QString>

class DBGrid;
class QPainter;
class QRect;

void DrawValueFace(DBGrid& grid, QPainter& painter, const QRect& rect, const QString& text);
