#pragma once
// Screen against wire: values set through real input on a page of the real main window, the page
// sent to the simulated panel with its own page action, and the bytes the panel then holds read
// back at the place the protocol gives them. The expected bytes are written by hand in the tests,
// so a rule wrong on both sides of the codec still fails.
#include "support/linkedwindow.h"
#include "support/realkeys.h"

#include <QMetaType>
#include <QStringList>

#include <functional>

namespace ScreenWire {

// One send. Steps, given in order on the page, each "kind|what|...":
//   box|name                 a click on a check box
//   radio|name|button        a click on a radio group's button (its position, or its text)
//   list|name|item           the item picked in a combo box's list
//   edit|name|text           the edit's text replaced by typing
//   at|name|keys             a click into the control, then the keys as they are
//   cell|grid|rec|field      a click on a cell (a flag cell toggles; other cells choose the row)
//   type|grid|rec|field|text the cell's text replaced by typing
//   pick|grid|rec|field|item the item picked in the list a click on the cell shows
//   keys|script              keys to the focused widget
// Checks: "cmd|offset|x0a0b" (bytes in hex) or "cmd|offset|s16|TEXT" (text in a 16-byte slot,
// NULs after it). Before the send the panel must hold other bytes there (a check that changes
// nothing proves nothing).
struct Case {
    const char* name = "";
    int model = 0;
    int page = 0; // the main window's page (its tab index)
    QStringList steps, checks;
};

// A control no step of the cases sets: where its value would travel ("cmd+offset ...", offsets
// of a grid's first row), or why it stays. `control` is a pattern of the control's name,
// "grid\\.field" for a grid's column. With the cases' checks, the table of where every value goes.
struct Place {
    int page;
    const char* control;
    const char* field; // the field (or a pattern of them), for the reader
    const char* where;
};

// A click on tab `index` of a page control (nothing when it is in front already).
void clickTab(TPageControl* pc, int index);
// Clicks every tab that hides `w` (the main window's and the inner page controls'), outermost first.
void reveal(QWidget* w);

// The data of a test running `cases`, and the run of its current row. `prepare` runs on the
// connected window before the first check.
void addRows(const QList<Case>& cases);
void runRow(const std::function<void(const Case&)>& prepare = {});

// Every bound control, grid column and named button or edit of `pages` (on ZOREM, the model
// showing the most) is set by a step of `cases` or has its line in `table`, and every line of
// `table` names something on its page.
void checkPlaced(const QList<int>& pages, const QList<Place>& table, const QList<Case>& cases);

} // namespace ScreenWire

Q_DECLARE_METATYPE(ScreenWire::Case)
