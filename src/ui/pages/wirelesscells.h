#pragma once
// The cell painters the radio device grids share: value cells, expander cells, level bars with
// their texts, supervision texts and the cross of a cell the device does not have.

#include "platform/dbgrid.h"

#include <QString>

#include <initializer_list>

class DataSource;
class QPainter;
class QRect;

namespace WirelessCells {

// A level to draw: the bar's percent and the text before it.
struct Level {
    int percent;
    QString text;
    friend bool operator==(const Level& a, const Level& b) {
        return a.percent == b.percent && a.text == b.text;
    }
};
// Battery steps of both ranges: 0..8 -> (step + 1) x 10 %, 9 and 10 -> 100 %, else not available.
Level batteryLevel(int step);
// Signal steps of the 400 range (four steps, 0 is poor).
Level signal400Level(int step);
// Signal steps of the 800 range (ten steps, 0 is not available).
Level signal800Level(int step);
// " Non calcolata" (0, 255), " Non disponibile" (254), else " <minutes>  Min.".
QString supervisionText(int minutes);

struct ColumnDef {
    const char* field;
    const char* title;
    int width;
    bool readOnly;
};
// A radio grid named `name` filling `sheet`, on `source` (none without a data module): a
// Tahoma-like 13-px font for cells and titles, titles, lines, tab between cells, no in-place
// editing until the page switches it on; centred titles (and cells when `centred`); the columns
// at least as wide as their titles once the window has made them bold, then `channels` columns
// "ASSOCIAZIONE" (`_Input1`..) `channelWidth` wide, fitted to the grid each time it is shown.
DBGrid* makeGrid(const QString& name, QWidget* sheet, DataSource* source,
                 std::initializer_list<ColumnDef> columns, int channels, int channelWidth, bool centred);

// A value cell: the grip face with the bold text at (5, 2) and a focus frame.
void valueCell(DBGrid& grid, QPainter& p, const QRect& rect, const QString& text);
// The expander name on the colour of its half (first or second radio expander).
void expanderCell(DBGrid& grid, QPainter& p, const QRect& rect, const QString& text, bool firstHalf);
// The cell cleared with the canvas brush and `text` at (5, 2).
void textCell(DBGrid& grid, QPainter& p, const QRect& rect, const QString& text);
void levelCell(DBGrid& grid, QPainter& p, const QRect& rect, const Level& level);
// A cell the device does not have: a flat cross over the cell (inset by one pixel), on `brush`
// or on the canvas brush when `brush` is invalid.
void crossCell(DBGrid& grid, QPainter& p, const QRect& rect, const QColor& brush = QColor());

} // namespace WirelessCells
