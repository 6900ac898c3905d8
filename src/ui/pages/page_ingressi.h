#pragma once
// Page "INGRESSI" of the main window: the inputs (zones) of the opened installation, one row per
// input, on four sub-pages sharing one painter and one click handler, plus the adaptation values
// of the onboard inputs. Under the "Funzioni / Tipo" grid, the wiring picture shows how the
// current input is wired to the panel's terminals.
// The sheet itself: its components are members named as the window knows them.

#include "platform/dbgrid.h"

#include <QColor>
#include <QWidget>

class DBComboBox;
class DBLookupComboBox;
class QGroupBox;
class QLabel;
class QPainter;
class QRect;
class QScrollArea;
class QSplitter;
class TPageControl;
class WiringPicture;

class TPageIngressi : public QWidget {
    Q_OBJECT
public:
    explicit TPageIngressi(QWidget* parent = nullptr);

    TPageControl* PageControl_Ingressi = nullptr;
    QWidget* TabSheet15 = nullptr;             // "Messaggi"
    QWidget* TabSheetIngFunzioni = nullptr;    // "Funzioni / Tipo"
    QWidget* TabSheetIngTelefoni = nullptr;    // "Telefoni"
    QWidget* TabSheetIngOnOff = nullptr;       // "Ingressi ON/OFF"
    QWidget* TabSheetIngAdattamento = nullptr; // "Adattamento"

    DBGrid* DBGrid10 = nullptr; // messages of the inputs
    DBGrid* DBGrid15 = nullptr; // functions and wiring types
    DBGrid* DBGrid11 = nullptr; // calls per phone-book entry
    DBGrid* DBGrid26 = nullptr; // partitions switched and the user of an ON/OFF input
    DBGrid* DBGrid44 = nullptr; // adaptation of the onboard inputs

    DBComboBox* DBComboBox1 = nullptr;  // message words
    DBComboBox* DBComboBox32 = nullptr; // the seven option columns of DBGrid15
    DBComboBox* DBComboBox2 = nullptr;  // kind of call
    DBComboBox* DBComboBox29 = nullptr; // adaptation value
    DBLookupComboBox* DBLookupComboBox6 = nullptr;

    // The wiring picture of the current input, below DBGrid15.
    QSplitter* Splitter2 = nullptr;
    QGroupBox* GroupBox70 = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    WiringPicture* Image3 = nullptr;
    QLabel* Label_Z = nullptr;
    QLabel* Label_Z1 = nullptr;
    QLabel* Label_Z2 = nullptr;
    QLabel* Label_Z3 = nullptr;

    // ---- handlers ----
    // Painter of DBGrid10, DBGrid15, DBGrid11 and DBGrid26.
    void DBGridIngressiDrawColumnCell(DBGrid& grid, QPainter& painter, const QRect& rect, int dataCol,
                                      DBGridColumn& column, GridDrawState state);
    // Click of the same grids: toggles the partition and option check boxes (the list editors
    // show themselves, see ui/celleditors.h).
    void DBGridIngressiCellClick(DBGrid& grid, DBGridColumn& column);
    void DBGrid44DrawColumnCell(DBGrid& grid, QPainter& painter, const QRect& rect, int dataCol,
                                DBGridColumn& column, GridDrawState state);
    // The wiring picture, its caption and terminal labels follow the current input.
    void showWiringOfCurrentInput();

    // What the painters and the picture decide, for the tests and the benchmark.
    // ImageList2 position of the icon in the name column of input `inputNo`.
    static int inputIcon(int inputNo);
    // Band colour of the wiring cell of input `inputNo` (invalid: no band).
    static QColor wiringBand(int inputNo);
    // The user an ON/OFF input is linked to, by the user's identity: the user's current name, so a
    // renamed user still shows; the stored name when the link has no user number.
    static QString linkedUserName(int inputNo);
    // The text beside the icon in the name column of "Funzioni / Tipo": the input's words, or
    // its name when it has none.
    static QString zoneText(int inputNo);
    // Picture index and the four terminal captions ("" = hidden) of input `inputNo`; false when
    // its wiring is not in the list (the picture then stays as it was).
    static bool wiringLabels(int inputNo, int* picture, QString captions[4]);

private:
    void buildMessages();
    void buildFunctions();
    void buildPhones();
    void buildOnOff();
    void buildAdaptation();
    void wireModel();
    DBGrid* makeGrid(const char* name, QWidget* sheet, bool alwaysShowSelection);
    // The inputs grid of the tab shown (nullptr on "Adattamento", another table).
    DBGrid* shownInputsGrid() const;
    void keepRowsInView();

    DBGrid* m_inputsGridShown = nullptr;
};
