#pragma once
// Building blocks the configuration pages share: a captioned group box that holds one grid, a
// grid with its columns, and the value-cell face (the size-grip face with the cell's text).

#include "platform/dbgrid.h"

#include <QString>

#include <vector>

class QGroupBox;
class QPainter;
class QRect;

namespace PageLayout {

struct Column {
    QString field;
    QString title;
    int width = 64; // design width in pixels; the window keeps it as the column's minimum
    bool readOnly = false;
    Column(const char* f, const char* t, int w = 64, bool ro = false)
        : field(QString::fromLatin1(f)), title(QString::fromUtf8(t)), width(w), readOnly(ro) {}
    Column(QString f, QString t, int w = 64, bool ro = false)
        : field(std::move(f)), title(std::move(t)), width(w), readOnly(ro) {}
};

// A group box named `name` with `caption` and a vertical layout for what it holds; added to the
// parent's layout when the parent has one.
QGroupBox* groupBox(QWidget* parent, const char* name, const QString& caption);

// A grid named `name` in `host`'s layout, with the titles, column resize and row and column
// lines every page grid has, plus `extra` options, and `columns` in order.
DBGrid* grid(QWidget* host, const char* name, GridOptions extra, const std::vector<Column>& columns);

// The value-cell face: the size-grip face over the whole cell, then `text` in black (bold when
// asked) at 5 pixels right and 2 down from the cell's corner.
void drawValueCell(DBGrid& grid, QPainter& painter, const QRect& rect, const QString& text,
                   bool bold = false);

// Rows keep their position as their number: a row left in edit state when its number cell is
// entered gets its position written back and is posted.
void renumberOnIdCell(DBGrid& grid);

} // namespace PageLayout
