#pragma once
// Page "EVENTI" of the main window: the panel's event log, coloured by category and banded by
// day, sorted by a click on a title, filtered on the value under the cursor, opening the page
// and row an event concerns while the selection mode is on, and saved as a CSV file.

#include "platform/dbgrid.h"

#include <QWidget>

class DataSet;
class QAction;
class QGroupBox;
class QMenu;
class QToolBar;
class TForm6;

class TPageEventi : public QWidget {
    Q_OBJECT
public:
    explicit TPageEventi(QWidget* parent = nullptr);
    // Puts the window's own event-log actions (Action13, Action16) on the page's tool bar and
    // menu, and lets the page show the window's other pages.
    void attach(TForm6& form);

    QGroupBox* GroupBox81 = nullptr;
    QToolBar* ActionToolBar11 = nullptr;
    DBGrid* DBGrid1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QMenu* FILTRI1 = nullptr;      // "FILTRI"
    QAction* FILTRAPER1 = nullptr; // runs Action11; its caption names the value under the cursor
    QAction* Print2 = nullptr;     // hidden
    QAction* Action11 = nullptr;   // "FILTRA PER..."
    QAction* Action12 = nullptr;   // "CANCELLA FILTRO"
    QAction* Action22 = nullptr;   // "Salva eventi in csv file"

    void DBGrid1DrawColumnCell(DBGrid& grid, QPainter& painter, const QRect& rect, int dataCol,
                               DBGridColumn& column, GridDrawState state);
    void DBGrid1CellClick(DBGridColumn& column);
    void DBGrid1TitleClick(DBGridColumn& column);
    void PopupMenu1Popup();
    void Action11Execute();
    void Action12Execute();
    void Action22Execute();
    // Asks for a file name and writes the log there; a failure is reported and changes nothing.
    void ExportTableCvs(DataSet& dataSet);
    // The CSV header: the titles of the grid's columns 1, 2, 3, 4, 6, 5.
    QStringList exportTitles() const;

private:
    DataSet* log() const;
    QString selectedCellText() const;
    void drawRawNumber(DBGrid& grid, QPainter& painter, const QRect& rect, DBGridColumn& column);
    void buildGrid();
    void buildMenu();

    TForm6* m_form = nullptr;
};
