#pragma once
// Page "WIRELESS" of the main window: the radio devices of both ranges.
//   "433 Mhz": the 400-range devices (DBGrid46). Type, levels and supervision come from the
//   panel; the installer names the devices and ties their channels to radio inputs.
//   "868 Mhz": the 800-range devices in three grids by kind (remote controls, sirens,
//   detectors) over one table filtered by tab; the installer chooses each device's type,
//   enters its radio code, ties its channels and sets its options on the panel of its type.

#include "platform/dbgrid.h"

#include <QWidget>

#include <array>
#include <functional>

class DBCheckBox;
class DBComboBox;
class DBLookupComboBox;
class DBRadioGroup;
class ChannelEditor;
class Field;
class QGroupBox;
class QScrollArea;
class QSplitter;
class QStackedWidget;
class TPageControl;

class TPageWireless : public QWidget {
    Q_OBJECT
public:
    explicit TPageWireless(QWidget* parent = nullptr);

    TPageControl* PageControl1 = nullptr;
    QWidget* TabSheet44 = nullptr; // "433 Mhz": the 400-range devices
    QWidget* TabSheet45 = nullptr; // "868 Mhz": the 800-range devices

    // ---- 400 range ----
    DBGrid* DBGrid46 = nullptr;
    std::array<ChannelEditor*, 5> DBLookupComboBox1_5{}; // channel editors of `_Input1`..`_Input5`

    // ---- 800 range ----
    QGroupBox* GroupBox139 = nullptr;
    TPageControl* PageControl2 = nullptr;
    QWidget* TabSheet46 = nullptr; // "TELECOMANDI"
    QWidget* TabSheet47 = nullptr; // "SIRENE"
    QWidget* TabSheet48 = nullptr; // "SENSORI"
    DBGrid* DBGrid9 = nullptr;     // remote controls
    DBGrid* DBGrid47 = nullptr;    // sirens
    DBGrid* DBGrid48 = nullptr;    // detectors
    QSplitter* Splitter4 = nullptr;
    QGroupBox* GroupBox17 = nullptr; // the focused device's options; caption: name and number
    QScrollArea* ScrollBox21 = nullptr;
    QStackedWidget* OptionPanels = nullptr; // the panel of the focused device's type in front
    QWidget* Panel_Blank = nullptr;
    QWidget* Panel_ULMO = nullptr;
    QWidget* Panel_MERLA = nullptr;
    QWidget* Panel_VIRNA = nullptr;
    QWidget* Panel_BOLDO = nullptr;
    QWidget* Panel_VIRNAT = nullptr;
    QWidget* Panel_TORVO800 = nullptr;
    QWidget* Panel_RUSTA = nullptr;
    QWidget* Panel_LIRNO = nullptr;
    QWidget* Panel_PALVO = nullptr;
    std::array<QGroupBox*, 4> GroupBoxParzWireless{}; // partitions 5..8 of the four keys
    // The type editors of the three grids.
    DBComboBox* DBComboBoxWireless800_Telecomandi = nullptr;
    DBComboBox* DBComboBoxWireless800_Sirene = nullptr;
    DBComboBox* DBComboBoxWireless800_Device = nullptr;
    std::array<ChannelEditor*, 3> DBLookupComboBox7_9{}; // channel editors of the detectors

    // ---- handlers ----
    void DBGridWirelessDrawColumnCell(DBGrid& grid, QPainter& p, const QRect& rect, int dataCol,
                                      DBGridColumn& column, GridDrawState state);
    void DBGridWirelessCellClick(DBGridColumn& column);
    void DBGridWireless800ColumnCell(DBGrid& grid, QPainter& p, const QRect& rect, int dataCol,
                                     DBGridColumn& column, GridDrawState state);
    void DBGridWireless800CellClick(DBGridColumn& column);
    void DBGrid8KeyPress(DBGrid& grid, QChar& key);
    void TabSheet46Show();
    void TabSheet47Show();
    void TabSheet48Show();
    // Applies the type named in `_NomeDevice` of the current 800-range row: `_Tipo`, the
    // option panel, and for a new type its name and default options (type 0 resets the row).
    void MultiSelectWireless800(Field& field);
    // Position 0..9 of `name` in the 800-range type list (exact, first match); 0 when absent.
    static int GetIdxDev800(const QString& name);
    // The option panel of an 800-range type (Panel_Blank for 0 and unknown types).
    QWidget* optionPanel(int tipo) const;
    // Filters the 800-range table to the rows of the shown kind again (a transfer walks the
    // whole table unfiltered).
    void reapplyDeviceFilter();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void build400();
    void build800();
    void buildOptionPanels();
    QWidget* buildBoldoPanel();
    DBGrid* makeDevice800Grid(const QString& name, QWidget* sheet, bool channels);
    DBComboBox* typeCombo(const QString& name, const QStringList& items, DBGrid* grid);
    void current400Changed();
    void current800Changed(DBGrid& grid);
    // Whether the current cell can be typed into follows the current device's type.
    void updateEditing400();
    void updateEditing800(DBGrid& grid);
    void applyTabFilter(int tab);
    void fitDevicePane();
    void guardedApply(const std::function<void()>& apply); // a refused write is shown, the row left as it was
    void hideEditors800();

    int m_filterTab = 0; // tab of PageControl2 whose rows the table shows
};
