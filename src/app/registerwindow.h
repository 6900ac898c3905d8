#pragma once
// The installations register: one row per customer installation. Installations are created
// (with a chosen panel model), deleted and opened here, and the register file is exported,
// imported or started afresh. While it is shown the main window waits, disabled.

#include <QMainWindow>

#include <functional>
#include <memory>

class DBEdit;
class DBGrid;
class DBGridColumn;
class GridMouseTracker;
class DBMemo;
class DataSet;
class Field;
class PictureBox;
class QAction;
class QGroupBox;
class QMenu;
class QPainter;
class QPushButton;
class QScrollArea;
class QSplitter;
class TSplash;

class TForm_Anagrafica : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm_Anagrafica(QWidget* parent = nullptr);
    ~TForm_Anagrafica() override;

    // ---- components ----
    QGroupBox* GroupBox4 = nullptr; // the list
    DBGrid* DBGrid1 = nullptr;
    QSplitter* Splitter2 = nullptr; // between the list and the details
    QGroupBox* GroupBox7 = nullptr; // the details
    QScrollArea* ScrollBox2 = nullptr;
    QGroupBox* GroupBox6 = nullptr; // name, telephone and password edits
    PictureBox* Image1 = nullptr;   // password icon
    PictureBox* Image2 = nullptr;   // customer icon
    PictureBox* Image3 = nullptr;   // telephone icon
    DBEdit* DBEdit1 = nullptr;      // _NomeCliente
    DBEdit* DBEdit2 = nullptr;      // _PswTeleGestione
    DBEdit* DBEdit3 = nullptr;      // _TelTelegestione
    QGroupBox* GroupBox1 = nullptr; // the three buttons
    QPushButton* Button_Crea = nullptr;
    QPushButton* Button_Elimina = nullptr;
    QPushButton* Button_Ok = nullptr;
    QGroupBox* GroupBox5 = nullptr; // address and note
    QSplitter* Splitter1 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    DBMemo* DBMemo2 = nullptr; // _IndirizzoCliente
    QGroupBox* GroupBox2 = nullptr;
    DBMemo* DBMemo1 = nullptr;  // _Nota
    QMenu* File1 = nullptr;     // MainMenu1's "File"
    QAction* Action1 = nullptr; // "Export DB"
    QAction* Action2 = nullptr; // "Import DB"
    QAction* Action3 = nullptr; // "New Config"

    // Rows of the register (0 when its table is closed).
    int installationCount() const;
    // The grid row under the mouse (0 the title row, -1 outside any cell) and the grid that
    // received the latest mouse move.
    int mouseOverRow() const;
    DBGrid* senderMouseMove() const;

public Q_SLOTS:
    void FormCreate();
    void FormShow();
    void FormHide();
    void FormResize();
    bool FormCloseQuery();
    void FormClose();
    void Splitter2Moved();
    bool Splitter1CanResize();
    void DBGrid1DblClick();
    void Button_CreaClick();
    void Button_EliminaClick();
    void Button_OkClick();
    void Action1ExecuteExport();
    void Action2ExecuteImport();
    void Action3ExecuteNewConfig();

public:
    bool DBEditKeyDown(DBEdit* edit, int key); // DBEdit1KeyDown, DBEdit2KeyDown, DBEdit3KeyDown
    void DBGrid1DrawColumnCell(DBGrid& grid, QPainter& painter, const QRect& rect, int dataCol,
                               DBGridColumn& column, int state);
    void DBGridMouseMove(DBGrid& sender, Qt::KeyboardModifiers shift, int x, int y);
    void SetMouseOverRow(int row);
    void FixDBGridColumnsWidth(DBGrid* grid);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void buildMenu();
    void setupGrid();
    // The five controls switched together: filled = all enabled, empty = only Button_Crea.
    void setButtonStates(bool filled);
    void setFilledControls(bool enabled); // Button_Elimina, Button_Ok, GroupBox5, GroupBox6
    void disableAllControls();
    void setDatabasePanel();
    void runBehindWaitWindow(const QString& text, const std::function<void()>& work);
    bool rootOpen() const;
    DataSet* root() const;

    TSplash* m_splash = nullptr;

    // fMouseOverRow and fSenderMouseMove: the hovered row of DBGrid1.
    std::unique_ptr<GridMouseTracker> m_hover;
};

extern TForm_Anagrafica* Form_Anagrafica;

// The file name the export and the new register take: ".cds" is appended unless the name's
// last four characters are exactly ".cds" (letter case included).
QString withRegisterExtension(const QString& chosenName);
