#pragma once
// Page "USCITE" of the main window (outputs and their associations): four tabs over the
// outputs table (spoken words; function, condition, pulse times, polarity and auto reset; the
// phone-book numbers called; the inputs or users linked to each output).
// The sheet itself: its components are members named as the window knows them.

#include "platform/dbgrid.h"

#include <QWidget>

#include <functional>

class DataSet;
class DBComboBox;
class QGroupBox;
class QSplitter;
class QToolBar;
class TPageControl;

// ImageList2 picture of output `n` (1-based) in the function grid: a keypad terminal, an
// onboard output, an output of an enabled, disabled or unknown expansion, or a row beyond the
// expansions. `expansionEnabled(k)` tells whether expansion k (1-based, k <= expansionRows) is on.
int OutputIcon(int n, bool onKeypadTerminal, int onboard, int expansions, int expansionRows,
               const std::function<bool(int k)>& expansionEnabled);
// The output expansion (1-based) output `n` belongs to; 0 for an onboard output.
int OutputExpansion(int n, int onboard);

class TPageUscite : public QWidget {
    Q_OBJECT
public:
    explicit TPageUscite(QWidget* parent = nullptr);

    TPageControl* PageControl_Uscite = nullptr;
    QWidget* TabSheet19 = nullptr; // "Messaggi"
    QWidget* TabSheet20 = nullptr; // "Funzioni/Condizione di funzionamento"
    QWidget* TabSheet21 = nullptr; // "Assegna Telefoni"
    QWidget* TabSheet35 = nullptr; // "Associazioni"

    DBGrid* DBGrid16 = nullptr;        // words
    DBGrid* DBGrid27 = nullptr;        // function, condition, pulses, polarity, auto reset
    DBGrid* DBGrid29 = nullptr;        // phones called
    DBGrid* DBGrid45 = nullptr;        // the outputs, master of the associations
    DBComboBox* DBComboBox7 = nullptr; // words of DBGrid16
    DBComboBox* DBComboBox3 = nullptr; // function, condition and polarity of DBGrid27

    QSplitter* Splitter13 = nullptr; // outputs | association panels
    QGroupBox* GroupBox73 = nullptr; // "USCITE"
    QGroupBox* GroupBox10 = nullptr; // "INGRESSI ASSOCCIATI", shown for an input-driven output
    QGroupBox* GroupBox26 = nullptr; // inputs (caption: the current output's label)
    QGroupBox* GroupBox57 = nullptr; // inputs linked
    QSplitter* Splitter9 = nullptr;
    DBGrid* DBGrid19 = nullptr; // inputs
    DBGrid* DBGrid20 = nullptr; // inputs linked to the current output
    QToolBar* ActionToolBar6 = nullptr;
    QGroupBox* GroupBox61 = nullptr; // "UTENTI ASSOCIAZIONI", shown for a user-driven output
    QGroupBox* GroupBox64 = nullptr; // users (caption: the current output's label)
    QGroupBox* GroupBox65 = nullptr; // users linked
    QSplitter* Splitter17 = nullptr;
    DBGrid* DBGrid23 = nullptr; // users
    DBGrid* DBGrid24 = nullptr; // users linked to the current output
    QToolBar* ActionToolBar8 = nullptr;

    // The page's painter of DBGrid16, DBGrid27, DBGrid29 and DBGrid45, and the click handler of
    // the first three.
    void DBGridUsciteDrawColumnCell(DBGrid& grid, QPainter& painter, const QRect& rect, int dataCol,
                                    DBGridColumn& column, GridDrawState state);
    void DBGridUsciteCellClick(DBGrid& grid, DBGridColumn& column);

    // The association panel that fits the current output's function (none while a grid on
    // screen has two or more rows marked), and the panels' captions.
    void updateAssociationPanels();
    // Titles of the phone columns: the phone book's names.
    void updatePhoneTitles();

private:
    void buildWordsTab();
    void buildFunctionsTab();
    void buildPhonesTab();
    void buildAssociationsTab();
    void wireData();
    void functionCellChanged();
    void drawLabelCell(DBGrid& grid, QPainter& painter, const QRect& rect, bool withIcon);
    void toggleFlag(DBGrid& grid, const QString& field, const QString& guard);
};
