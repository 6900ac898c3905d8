#pragma once
// The main window: the open installation's nineteen configuration pages, the transfer
// actions, the live status page and the event log. Created once at start-up by the data
// module (last of its windows) and never freed: closing it ends the program.

#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <memory>

class QAction;

class QActionGroup;
class QLabel;
class QMenu;
class QMenuBar;
class QTimer;
class QToolBar;
class QWidget;
class QGroupBox;
class TPageControl;
class TImageList;
class TPageUtenti;
class TPageIngressi;
class TPageUscite;
class TPagePeriferiche;
class TPageTelefoni;
class TPageParametriVari;
class TPageProgrammi;
class TPageGruppi;
class TPageWireless;
class TPageEventiSistema;
class TPageContactID;
class TPageTimers;
class TPageBloccoIns;
class TPageTest;
class TPagePSTN;
class TPageEventi;
class TPageRete;
class TPageVocaboli;
class TPagePriorita;
class TStatusBar;
class GridMouseTracker;
class TLinkActions;
class CellEditors;

// Index of the next frame of the link-activity animation (kept across links).
extern int ImageSwitch;

class TForm6 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);
    ~TForm6() override;

    // ---- status bar ----
    // Eight panels: 0 free text, 1 link-activity icon, 2 "Ver.", 3, 4, 5 state icon, 6,
    // 7 the register file path (DATABASE).
    TStatusBar* StatusBar1 = nullptr;
    void setStatusPanelText(int panel, const QString& text);
    QString statusPanelText(int panel) const;
    QLabel* Image1 = nullptr; // link-activity icon (status panel 1)
    QLabel* Image2 = nullptr; // state icon (status panel 5)
    // Image2 shows picture `index` of ImageList2 (14 before an installation is opened, 16 after).
    void setStateIcon(int imageList2Index);
    int stateIcon() const { return m_stateIcon; }
    int linkIconFrame() const { return m_linkFrame; } // frame of ImageList4 shown by Image1

    // ---- frame ----
    QMenuBar* MainMenu1 = nullptr;
    QMenu* File1 = nullptr;
    QMenu* Edit1 = nullptr; // hidden
    QMenu* Comunication1 = nullptr;
    QMenu* Program1 = nullptr;    // "Programma"
    QMenu* Preference1 = nullptr; // hidden
    QAction* SetUpCOM1 = nullptr; // "Setup": shows the connection form
    QAction* Debug1 = nullptr;    // menu "Debug" (hidden): its click toggles its check mark
    QAction* Exit1 = nullptr;     // File "Exit": same handler as Action7
    QToolBar* ActionToolBar1 = nullptr;
    QWidget* GroupBox3 = nullptr; // holds only PageControl
    TPageControl* PageControl = nullptr;

    // The nineteen sheets of PageControl, in page order (the page index is the tab code of
    // the page transfers). Each page is its own class holding its components.
    TPageUtenti* TabSheet4 = nullptr;         // 0 "UTENTI"
    TPageIngressi* TabSheet1 = nullptr;       // 1 "INGRESSI"
    TPageUscite* TabSheet2 = nullptr;         // 2 "USCITE"
    TPagePeriferiche* TabSheet5 = nullptr;    // 3 "PERIFERICHE"
    TPageTelefoni* TabSheet3 = nullptr;       // 4 "TELEFONI"
    TPageParametriVari* TabSheet6 = nullptr;  // 5 "PARAMETRI VARI"
    TPageProgrammi* TabSheet7 = nullptr;      // 6 "PROGRAMMI"
    TPageGruppi* TabSheet9 = nullptr;         // 7 "GRUPPI"
    TPageWireless* TabSheet10 = nullptr;      // 8 "WIRELESS"
    TPageEventiSistema* TabSheet11 = nullptr; // 9 "EVENTI DI SISTEMA"
    TPageContactID* TabSheet12 = nullptr;     // 10 "ADEMCO"
    TPageTimers* TabSheet13 = nullptr;        // 11 "TIMERS"
    TPageBloccoIns* TabSheet14 = nullptr;     // 12 "BLOCCO INSERIMENTO"
    TPageTest* TabSheet8 = nullptr;           // 13 "TEST"
    TPagePSTN* TabSheet22 = nullptr;          // 14 "PSTN"
    TPageEventi* TabSheet31 = nullptr;        // 15 "EVENTI"
    TPageRete* TabSheet27 = nullptr;          // 16 "PARAMETRI DI RETE"
    TPageVocaboli* TabSheet28 = nullptr;      // 17 "EDITA VOCABOLI"
    TPagePriorita* TabSheet43 = nullptr;      // 18 "PRIORITà VETTORI"
    static constexpr int kPageCount = 19;
    static constexpr int kPageTest = 13;
    static constexpr int kPageEventi = 15;
    static constexpr int kPageParametriVari = 5;

    // ---- actions (tool bar, menus) ----
    QAction* Action1 = nullptr;            // register window
    QAction* Action20 = nullptr;           // save
    QAction* Action18 = nullptr;           // read page
    QAction* Action8 = nullptr;            // write page
    QAction* Action5 = nullptr;            // read all (asks first)
    QAction* Action6 = nullptr;            // write all
    QAction* Action4 = nullptr;            // live status (check action)
    QAction* Action7 = nullptr;            // exit
    QAction* Action24_temp_recv = nullptr; // hidden
    QAction* Action24_temp_send = nullptr; // hidden
    QAction* Action13 = nullptr;           // event log: "Aggiorna Eventi"
    QAction* Action16 = nullptr;           // event log selection mode (check action)
    // Add and remove of the association pages ("USCITE", "PROGRAMMI", "GRUPPI"); run by
    // LinkActions, which also holds every association. Aggiungi2 and Remove1 are their items
    // of the hidden "Edit" menu.
    QAction* Action2 = nullptr;
    QAction* Action3 = nullptr;
    QAction* Aggiungi2 = nullptr;
    QAction* Remove1 = nullptr;
    TLinkActions* LinkActions = nullptr;

    // ---- timers ----
    QTimer* Timer1 = nullptr; // 500 ms, link-activity animation
    QTimer* Timer2 = nullptr; // 1 s, clock of page 5

    // ---- handlers ----
    void PageControlChange();
    // The transfer actions of the page in front: CONNETTI on the test page, the page and
    // whole-configuration transfers elsewhere but on the event log; a live test that is moving
    // parts stops when its page is left.
    void followActivePage();
    // A transfer job has ended, however it ended: a live test is no longer running, so CONNETTI
    // comes back up, and the page's states are set again.
    void TransferEnded();
    void PageControlResize();
    void PageControl_IngressiChange();
    void PageControl_UsciteChange();
    void PageControl_PerifericheChange();
    void PageControl_parametri_variChange();
    void PageControl_FPTChange();
    void PageControl_Change_Highlighted(TPageControl* pageControl);
    void RepaintAll();
    void FormResize();
    // Closing: a running transfer stopped (the live status at once; a job that moves parts only
    // once the user says so, else the program stays open), the register saved (a failed save
    // asks the user and may keep the program open: canClose false), ExitProgramma (vocabulary lists freed,
    // registry values written), then the data module freed, then the process ends with exit code 0.
    void FormCloseQuery(bool& canClose);
    // The same for an end asked from elsewhere (the register window), whatever window is up;
    // false when the program stays open.
    bool exitProgram();
    void ExitProgramma();
    // Keys pressed with both Ctrl and Shift down; true when the key was one of ours.
    bool FormShortCut(int key, Qt::KeyboardModifiers modifiers);
    void Timer1Timer();
    void Timer2Timer();
    void SetUpCOM1Click();
    void Debug1Click();

    void Action1Execute();
    void Action4Execute();
    void Action5Execute();
    void Action6Execute();
    void Action7Execute();
    void Action8Execute();
    void Action13Execute();
    void Action16Execute();
    void Action18Execute();
    void Action20Execute();
    void Action24_temp_recvExecute();
    void Action24_temp_sendExecute();
    // Hint handlers of the tool bar actions: no hint while the window is disabled.
    void ActionHint(QAction* action, QString& hint, bool& canShow) const;

    // The grid row under the mouse in the grid last moved over (0 title row, -1 outside the
    // cells); a change repaints the grid that received the previous move.
    int MouseOverRow() const;
    void SetMouseOverRow(int value);

    // The in-grid list editors of every page (see ui/celleditors.h).
    CellEditors& cellEditors();

    // The close ends the process; tests replace the exit so that they survive it.
    static void setProcessExit(std::function<void(int)> exitFn);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    void FormCreate();
    void firstCreationPass();
    void secondCreationPass();
    void wireSubPageControls();
    void wireSplitters();
    void readWindowBounds();
    void fitAllGrids();
    void refitGrids(const QStringList& gridNames);
    static bool isGrid(const QWidget* w);
    void createStatusBar();
    void createActions();
    void createMenus();
    void createToolBar();
    void createPages();
    void placeStatusImages();
    void wireAssociations(); // the association pages' lists and actions
    void DBGrid25CellClick();

    void showLinkFrame(int frame);
    bool isShortcutTarget(QObject* watched) const;

    std::unique_ptr<GridMouseTracker> m_gridHover;
    std::unique_ptr<CellEditors> m_cellEditors;
    int m_stateIcon = 14;
    int m_linkFrame = 0;
    bool m_exiting = false;
};

extern TForm6* Form6;
