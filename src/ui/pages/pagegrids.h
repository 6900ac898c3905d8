#pragma once
// Building blocks of the pages: a grid bound to a data source with its columns, and a group
// box holding one widget.

#include "platform/dbgrid.h"

#include <QString>

#include <initializer_list>

class DataSource;
class QGroupBox;
class QToolBar;

struct GridColumnDef {
    const char* field;
    int width;
    bool readOnly = false;
    const char* title = nullptr; // UTF-8; none: the field's display name
};

// A grid named `name` under `parent`, with `options` and one column per definition. The
// columns take their titles from the fields; `source` may be null (no data module yet).
DBGrid* makePageGrid(QWidget* parent, const char* name, DataSource* source, GridOptions options,
                     std::initializer_list<GridColumnDef> columns);

// A group box named `name` with `caption` whose layout holds `content` (and, at its right edge,
// `toolBar` when given).
QGroupBox* makeGroupBox(QWidget* parent, const char* name, const QString& caption, QWidget* content,
                        QToolBar* toolBar = nullptr);

// Fits the grid's columns to its width whenever its size changes (a grid first laid out while
// hidden, or in a box shown later, would otherwise keep the widths of its hidden size).
void fitColumnsOnResize(DBGrid* grid);

// A vertical tool bar of 16 px pictures for a box's right edge.
QToolBar* makeSideToolBar(QWidget* parent, const char* name);

// A button that shows a picture only says nothing to a screen reader: every button of `bar` (as
// filled now) takes its action's hint as its accessible name, and follows the hint when it
// changes. The hint is the action's "hint" property where it has one, else its tool tip.
void nameButtonsByHint(QToolBar* bar);

// Rows keep their position as their number: a row left in edit state when its number cell is
// entered gets its position written back and is posted.
void renumberOnIdCell(DBGrid& grid);
// The writing half of it, for pages that post in their own way: writes the row's position into
// `_ID` when the grid's current cell is the number cell and the row is being edited. True when
// it wrote.
bool stampRowNumber(DBGrid& grid);
