#pragma once
// Page "TIMERS" of the main window: the weekly scheduler of the open installation. Days, the
// timers of the current day with their time and exclusion flags, the eight exclusion periods,
// and what the current timer switches (users, partitions, outputs).
//
// The three grids of the current timer show the live names of the users, partitions and outputs
// they stand for (row R of each is item R). Captions and titles that name other rows (the day
// over the timers, the timer over its lists, the periods over the exclusion columns) follow the
// data through the data-source signals, never through painting.

#include "platform/dbgrid.h"

#include <QWidget>

class DBComboBox;
class QAction;
class QGroupBox;
class QMenu;
class QSplitter;

// Position of the timer row last chosen in DBGrid34; a day switch keeps it (kept across pages
// and installations).
extern int IndiceGrid34;

class TPageTimers : public QWidget {
    Q_OBJECT
public:
    explicit TPageTimers(QWidget* parent = nullptr);

    QGroupBox* GroupBox82 = nullptr;    // "TIMERS": days, timers, periods
    QGroupBox* GroupBox83 = nullptr;    // "GIORNI"
    QGroupBox* GroupBox84 = nullptr;    // caption: the current day
    QGroupBox* GroupBox90 = nullptr;    // "DATA DI ESCLUSIONE (GG/MM)"
    QGroupBox* GroupBox85 = nullptr;    // caption: the current timer
    QGroupBox* GroupBox87 = nullptr;    // users of the timer
    QGroupBox* GroupBox88 = nullptr;    // partitions of the timer
    QGroupBox* GroupBox89 = nullptr;    // outputs of the timer
    QGroupBox* GroupBox118 = nullptr;   // "TEMPO DI PREAVVISO"
    QSplitter* Splitter18 = nullptr;    // upper panel / the timer's lists
    QSplitter* Splitter23 = nullptr;    // users / partitions and outputs
    QSplitter* Splitter24 = nullptr;    // partitions / outputs
    QSplitter* Splitter25 = nullptr;    // timers / periods
    DBGrid* DBGrid33 = nullptr;         // days
    DBGrid* DBGrid34 = nullptr;         // timers of the current day
    DBGrid* DBGrid35 = nullptr;         // exclusion periods
    DBGrid* DBGrid36 = nullptr;         // users switched by the current timer
    DBGrid* DBGrid37 = nullptr;         // partitions switched by the current timer
    DBGrid* DBGrid38 = nullptr;         // outputs switched by the current timer
    DBComboBox* DBComboBox28 = nullptr; // warning time before a timer acts, "0".."5"
    QMenu* PopupMenu3 = nullptr;        // context menu of the days grid: the event log's export
    // The action editors of the three lists (items "DISABILITA"/"ABILITA", "DISATTIVA"/"ATTIVA",
    // "NON ASSEGNATO"), shown by a click on an action cell.
    DBComboBox* DBComboBox13 = nullptr;
    DBComboBox* DBComboBox60 = nullptr;
    DBComboBox* DBComboBox61 = nullptr;

    void DBGridTimerDrawColumnCell(DBGrid& grid, QPainter& painter, const QRect& rect, int dataCol,
                                   DBGridColumn& column, GridDrawState state);
    void DBGridTimerCellClick(DBGridColumn& column);
    void DBGrid34CellClick(DBGridColumn& column);
    void DBGrid34TitleClick(DBGridColumn& column);
    void DBGridTimerUserParzOutputCellClick(DBGridColumn& column);

    // What row `recNo` of a switched-items grid (DBGrid36..38) shows as its name: the live name
    // of the user, partition or output it stands for; a null text when that item does not exist.
    QString switchedItemName(const DBGrid& grid, int recNo) const;

    // Puts the event log's export action into the days grid's context menu.
    void setExportAction(QAction* exportAction);

    // The captions and titles that name other rows, read afresh from the tables.
    void refreshCaptions();
    void refreshExclusionTitles();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildUpperPanel();
    void buildTimerLists();
    void bindTables();
    void currentCellChanged(DBGrid& grid);
    void dayChanged();
};
