#pragma once
// Page "TELEFONI" of the main window (phone book and call parameters).
// The sheet itself: its components are members named as the window knows them.

#include "platform/dbgrid.h"

#include <QWidget>

class DBComboBox;
class DBEdit;
class QGroupBox;
class TPageControl;

class TPageTelefoni : public QWidget {
    Q_OBJECT
public:
    explicit TPageTelefoni(QWidget* parent = nullptr);

    TPageControl* PageControl_telefoni = nullptr;
    QWidget* TabSheet29 = nullptr; // "RUBRICA"
    QWidget* TabSheet30 = nullptr; // "PARAMETRI DI CHIAMATA"

    QGroupBox* GroupBox7 = nullptr;
    DBGrid* DBGrid3 = nullptr;       // the phone book, one row per entry
    QGroupBox* GroupBox67 = nullptr; // "CODICE RESET CHIAMATE"
    DBEdit* DBEdit14 = nullptr;      // `_PswReset` of the installation

    // Paints a cell: the base look, the prefix and number cells as value cells, the four
    // option flags as check boxes.
    void DBGrid3DrawColumnCell(DBGrid& grid, QPainter& painter, const QRect& rect, int dataCol,
                               DBGridColumn& column, GridDrawState state);
    // A click on one of the four flags inverts it and posts the row at once.
    void DBGrid3CellClick(DBGridColumn& column);
    // The current cell moved: typing is allowed in the label, prefixes and number only, and a
    // row left in edit is posted, so a typed value is kept as soon as its cell is left.
    void DBGrid3CellEnter();

private:
    void buildPhoneBook();
    void buildParameters();
};
