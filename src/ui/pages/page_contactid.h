#pragma once
// Page "ADEMCO" of the main window (Contact ID receivers, events and codes).
// The sheet itself: its components are members named as the window knows them.

#include "platform/dbgrid.h"

#include <QWidget>

class DBComboBox;
class QGroupBox;
class QSplitter;
class TPageControl;

class TPageContactID : public QWidget {
    Q_OBJECT
public:
    explicit TPageContactID(QWidget* parent = nullptr);

    TPageControl* PageControl_FPT = nullptr;
    QWidget* TabSheet33 = nullptr; // "CODICI IMPIANTO\TEL"
    QWidget* TabSheet24 = nullptr; // "EVENTI CID"
    QWidget* TabSheet25 = nullptr; // "CODICI 4+2"
    QWidget* TabSheet34 = nullptr; // "PARAMETRI"
    QWidget* TabSheet36 = nullptr; // "PARAMETRI DI SISTEMA"

    DBGrid* DBGrid30 = nullptr;         // receivers
    DBComboBox* DBComboBox43 = nullptr; // receiver format, rows 1, 3, 5, 7 (an in-grid editor)
    DBGrid* DBGrid31 = nullptr;         // Contact ID events
    DBComboBox* DBComboBox45 = nullptr; // event code "100".."999" (an in-grid editor)
    DBGrid* DBGrid39 = nullptr;         // 4+2 codes of the users
    DBGrid* DBGrid2 = nullptr;          // 4+2 codes of the inputs
    DBGrid* DBGrid40 = nullptr;         // 4+2 codes of the system events
    DBComboBox* DBComboBox9 = nullptr;  // user codes "00".."FF"
    DBComboBox* DBComboBox10 = nullptr; // input codes
    DBComboBox* DBComboBox12 = nullptr; // system event codes
    QSplitter* Splitter8 = nullptr;
    QSplitter* Splitter12 = nullptr;
    QGroupBox* GroupBox129 = nullptr; // "ID IMPIANTO"
    QGroupBox* GroupBox104 = nullptr; // "AMPIEZZA DTMF SU GSM"

    // Contact ID events that can be neither coded nor sent: record numbers 1, 5, 22 and 23.
    static bool unsupportedEvent(int recNo);
    // Receivers 2, 4, 6 and 8 report in the format of the receiver before them.
    static bool formatChosenOn(int recNo) { return recNo % 2 == 1; }

    void DBGrid30DrawColumnCell(DBGrid& grid, QPainter& painter, const QRect& rect, int dataCol,
                                DBGridColumn& column, GridDrawState state);
    void DBGrid31DrawColumnCell(DBGrid& grid, QPainter& painter, const QRect& rect, int dataCol,
                                DBGridColumn& column, GridDrawState state);
    void DBGridIDCDrawColumnCell(DBGrid& grid, QPainter& painter, const QRect& rect, int dataCol,
                                 DBGridColumn& column, GridDrawState state);
    void DBGridContactIDCellClick(DBGridColumn& column);
    void DBGridIDCCellClick(DBGridColumn& column);
    // A 4+2 code was chosen: the row is posted, the code copied to the grid's marked rows and the
    // chooser put away.
    void DBComboBoxIDCChange(DBComboBox* sender);

private:
    void buildReceivers();
    void buildEvents();
    void buildCodes();
    void buildParameters();
    void buildSystemParameters();
    DBGrid* makeGrid(QWidget* parent, const char* name, DataSource* source, GridOptions extra);
    DBComboBox* makeCellCombo(DBGrid* grid, const char* name, const QStringList& items);
    // The current cell moved: the grid's list editors are hidden, typing follows the column,
    // `_ID` follows the row and a row left in edit is posted.
    void cellEntered(DBGrid* grid, const QStringList& typedFields);
    void showCellCombo(DBComboBox* combo, const QString& field);
};
