#pragma once
// Page "PERIFERICHE" of the main window: the expanders and modules ("Espansioni"), and the
// keypads with their two terminals, the key sockets and the partition lamps of the current
// socket ("Tastiere/Prese"). The eight grids share one painter and one click handler: names
// are typed into the cells, flags toggle on a click.

#include "platform/dbgrid.h"

#include <QWidget>

class DBComboBox;
class DataSet;
class QGroupBox;
class QSplitter;
class TPageControl;

class TPagePeriferiche : public QWidget {
    Q_OBJECT
public:
    explicit TPagePeriferiche(QWidget* parent = nullptr);

    TPageControl* PageControl_Periferiche = nullptr;
    QWidget* TabSheet23 = nullptr;            // "Espansioni"
    QWidget* TabSheetTastierePrese = nullptr; // "Tastiere/Prese"

    DBGrid* DBGrid12 = nullptr; // input expanders
    DBGrid* DBGrid13 = nullptr; // output expanders
    DBGrid* DBGrid14 = nullptr; // radio expanders
    DBGrid* DBGrid41 = nullptr; // GSM module
    DBGrid* DBGrid42 = nullptr; // LAN module
    DBGrid* DBGrid18 = nullptr; // keypads
    DBGrid* DBGrid17 = nullptr; // key sockets
    DBGrid* DBGrid28 = nullptr; // partition lamps of the current socket
    // The terminal editor of the keypads' T1 and T2: "Non Configurato" or an input or output
    // that no keypad terminal holds yet.
    DBComboBox* DBComboBox30 = nullptr;
    QSplitter* Splitter1 = nullptr;  // sockets | lamps
    QSplitter* Splitter3 = nullptr;  // keypads over sockets and lamps
    QSplitter* Splitter5 = nullptr;  // input | output expanders
    QSplitter* Splitter6 = nullptr;  // expanders over the radio expanders and modules
    QSplitter* Splitter7 = nullptr;  // radio expanders | modules
    QSplitter* Splitter16 = nullptr; // GSM | LAN

    void DBGridExpDrawColumnCell(DBGrid& grid, QPainter& painter, const QRect& rect, int dataCol,
                                 DBGridColumn& column, GridDrawState state);
    void DBGridExpCellClick(DBGrid& grid, DBGridColumn& column);
    // Names of expanders, modules, keypads and sockets are typed; lamp names and flags are not.
    void updateEditing(DBGrid& grid);
    // The lamp grid's name column is headed by the name of the socket it belongs to.
    void updateLedTitle();

    QList<DBGrid*> grids() const;

private:
    void buildExpansions();
    void buildKeypadsAndSockets();
    void wireGrid(DBGrid& grid);
    void toggleFlag(DataSet& table, const QString& fieldName);
};
