#include "ui/mainwindow.h"

#include "ui/pagecontrol.h"
#include "ui/statusbar.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <cstdio>
#include <cstdlib>

TForm6* Form6 = nullptr;
int ImageSwitch = 0;

namespace {
std::function<void(int)>& processExit() {
    static std::function<void(int)> fn = [](int code) {
        // The process ends here without destroying any other window.
        std::fflush(nullptr);
        std::_Exit(code);
    };
    return fn;
}

struct PageDef {
    QWidget* TForm6::*sheet;
    const char* name;
    const char* caption;
};

// Page order is the tab code of the page transfers: do not reorder.
const PageDef kPages[TForm6::kPageCount] = {
    {&TForm6::TabSheet4, "TabSheet4", "UTENTI"},
    {&TForm6::TabSheet1, "TabSheet1", "INGRESSI"},
    {&TForm6::TabSheet2, "TabSheet2", "USCITE"},
    {&TForm6::TabSheet5, "TabSheet5", "PERIFERICHE"},
    {&TForm6::TabSheet3, "TabSheet3", "TELEFONI"},
    {&TForm6::TabSheet6, "TabSheet6", "PARAMETRI VARI"},
    {&TForm6::TabSheet7, "TabSheet7", "PROGRAMMI"},
    {&TForm6::TabSheet9, "TabSheet9", "GRUPPI"},
    {&TForm6::TabSheet10, "TabSheet10", "WIRELESS"},
    {&TForm6::TabSheet11, "TabSheet11", "EVENTI DI SISTEMA"},
    {&TForm6::TabSheet12, "TabSheet12", "ADEMCO"},
    {&TForm6::TabSheet13, "TabSheet13", "TIMERS"},
    {&TForm6::TabSheet14, "TabSheet14", "BLOCCO INSERIMENTO"},
    {&TForm6::TabSheet8, "TabSheet8", "TEST"},
    {&TForm6::TabSheet22, "TabSheet22", "PSTN"},
    {&TForm6::TabSheet31, "TabSheet31", "EVENTI"},
    {&TForm6::TabSheet27, "TabSheet27", "PARAMETRI DI RETE"},
    {&TForm6::TabSheet28, "TabSheet28", "EDITA VOCABOLI"},
    {&TForm6::TabSheet43, "TabSheet43", "PRIORITà VETTORI"},
};
} // namespace

void TForm6::setProcessExit(std::function<void(int)> exitFn) {
    processExit() = std::move(exitFn);
}

TForm6::TForm6(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form6"));
    Form6 = this;
    createFrame();
    resize(1124, 740);
    qApp->installEventFilter(this);
}

TForm6::~TForm6() {
    if (Form6 == this)
        Form6 = nullptr;
}

void TForm6::createFrame() {
    createStatusBar();
    createActions();
    createMenus();
    createToolBar();
    createPages();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &TForm6::Timer1Timer);
    Timer1->start();
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(1000);
    connect(Timer2, &QTimer::timeout, this, &TForm6::Timer2Timer);
    Timer2->start();
}

void TForm6::createStatusBar() {
    StatusBar1 = new TStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedHeight(25);
    StatusBar1->setPanels({{200, Qt::AlignLeft, {}},
                           {25, Qt::AlignHCenter, {}},
                           {150, Qt::AlignLeft, QStringLiteral("Ver.")},
                           {150, Qt::AlignLeft, {}},
                           {50, Qt::AlignLeft, {}},
                           {25, Qt::AlignHCenter, {}},
                           {25, Qt::AlignLeft, {}},
                           {50, Qt::AlignLeft, {}}});
    setStatusBar(StatusBar1);
    Image1 = new QLabel(StatusBar1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image2 = new QLabel(StatusBar1);
    Image2->setObjectName(QStringLiteral("Image2"));
}

void TForm6::createActions() {
    auto make = [this](QAction*& a, const char* name) {
        a = new QAction(this);
        a->setObjectName(QString::fromLatin1(name));
    };
    make(Action1, "Action1");
    make(Action20, "Action20");
    make(Action18, "Action18");
    make(Action8, "Action8");
    make(Action5, "Action5");
    make(Action6, "Action6");
    make(Action4, "Action4");
    make(Action7, "Action7");
    make(Action24_temp_recv, "Action24_temp_recv");
    make(Action24_temp_send, "Action24_temp_send");
    make(Action13, "Action13");
    make(Action16, "Action16");
    Action4->setCheckable(true);
    Action4->setEnabled(false);
    Action16->setCheckable(true);
    Action24_temp_recv->setVisible(false);
    Action24_temp_send->setVisible(false);
    connect(Action1, &QAction::triggered, this, &TForm6::Action1Execute);
    connect(Action20, &QAction::triggered, this, &TForm6::Action20Execute);
    connect(Action18, &QAction::triggered, this, &TForm6::Action18Execute);
    connect(Action8, &QAction::triggered, this, &TForm6::Action8Execute);
    connect(Action5, &QAction::triggered, this, &TForm6::Action5Execute);
    connect(Action6, &QAction::triggered, this, &TForm6::Action6Execute);
    connect(Action4, &QAction::triggered, this, &TForm6::Action4Execute);
    connect(Action7, &QAction::triggered, this, &TForm6::Action7Execute);
    connect(Action24_temp_recv, &QAction::triggered, this, &TForm6::Action24_temp_recvExecute);
    connect(Action24_temp_send, &QAction::triggered, this, &TForm6::Action24_temp_sendExecute);
    connect(Action13, &QAction::triggered, this, &TForm6::Action13Execute);
    connect(Action16, &QAction::triggered, this, &TForm6::Action16Execute);
}

void TForm6::createMenus() {
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    File1 = MainMenu1->addMenu(QStringLiteral("&File"));
    File1->setObjectName(QStringLiteral("File1"));
    File1->addAction(Action1);
    Exit1 = File1->addAction(QStringLiteral("Exit"));
    Exit1->setObjectName(QStringLiteral("Exit1"));
    connect(Exit1, &QAction::triggered, this, &TForm6::Action7Execute);
    Edit1 = MainMenu1->addMenu(QStringLiteral("Edit"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->menuAction()->setVisible(false);
    Comunication1 = MainMenu1->addMenu(QStringLiteral("Comunication"));
    Comunication1->setObjectName(QStringLiteral("Comunication1"));
    SetUpCOM1 = Comunication1->addAction(QStringLiteral("Setup"));
    SetUpCOM1->setObjectName(QStringLiteral("SetUpCOM1"));
    connect(SetUpCOM1, &QAction::triggered, this, &TForm6::SetUpCOM1Click);
    Program1 = MainMenu1->addMenu(QStringLiteral("Program"));
    Program1->setObjectName(QStringLiteral("Program1"));
    Program1->addAction(Action18);
    Program1->addAction(Action8);
    Program1->addAction(Action5);
    Program1->addAction(Action6);
    Debug1Menu = MainMenu1->addMenu(QStringLiteral("Debug"));
    Debug1Menu->setObjectName(QStringLiteral("Debug1Menu"));
    Debug1 = Debug1Menu->menuAction();
    Debug1->setObjectName(QStringLiteral("Debug1"));
    Debug1->setVisible(false);
    Preference1 = MainMenu1->addMenu(QStringLiteral("Preference"));
    Preference1->setObjectName(QStringLiteral("Preference1"));
    Preference1->menuAction()->setVisible(false);
}

void TForm6::createToolBar() {
    ActionToolBar1 = new QToolBar(this);
    ActionToolBar1->setObjectName(QStringLiteral("ActionToolBar1"));
    ActionToolBar1->setOrientation(Qt::Vertical);
    ActionToolBar1->setMovable(false);
    ActionToolBar1->setFloatable(false);
    ActionToolBar1->setFixedWidth(28);
    for (QAction* a : {Action1, Action20, Action18, Action8, Action5, Action6, Action4, Action7,
                       Action24_temp_recv, Action24_temp_send})
        ActionToolBar1->addAction(a);
    addToolBar(Qt::RightToolBarArea, ActionToolBar1);
}

void TForm6::createPages() {
    GroupBox3 = new QWidget(this);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    auto* lay = new QVBoxLayout(GroupBox3);
    lay->setContentsMargins(4, 4, 4, 4);
    PageControl = new TPageControl(QStringLiteral("PageControl"), GroupBox3);
    lay->addWidget(PageControl);
    for (const PageDef& def : kPages) {
        QWidget* sheet = new QWidget;
        sheet->setObjectName(QString::fromLatin1(def.name));
        this->*def.sheet = sheet;
        PageControl->addPage(sheet, QString::fromUtf8(def.caption));
    }
    connect(PageControl, &TPageControl::changed, this, &TForm6::PageControlChange);
    setCentralWidget(GroupBox3);
}

void TForm6::setStatusPanelText(int panel, const QString& text) {
    StatusBar1->setPanelText(panel, text);
}
QString TForm6::statusPanelText(int panel) const {
    return StatusBar1->panelText(panel);
}

void TForm6::setStateIcon(int imageList2Index) {
    m_stateIcon = imageList2Index;
}

void TForm6::placeStatusImages() {
    const QRect r1 = StatusBar1->panelRect(1);
    Image1->setGeometry(r1.left() + 3, r1.top() + 3, r1.width(), r1.height());
    const QRect r5 = StatusBar1->panelRect(5);
    Image2->setGeometry(r5.left() + 3, r5.top() + 3, r5.width(), r5.height());
}

void TForm6::PageControlChange() {
    PageControl->highlightActiveOnly();
    const int page = PageControl->activePageIndex();
    Action4->setEnabled(page == kPageTest);
    const bool transfers = page != kPageTest && page != kPageEventi;
    for (QAction* a : {Action5, Action6, Action8, Action18})
        a->setEnabled(transfers);
    RepaintAll();
}

void TForm6::PageControlResize() {
    PageControl->highlightActiveOnly();
}

void TForm6::RepaintAll() {
    PageControl->update();
    update();
}

void TForm6::FormResize() {
    RepaintAll();
}

void TForm6::ExitProgramma() {
    m_exiting = true;
    processExit()(0);
}

bool TForm6::FormShortCut(int key, Qt::KeyboardModifiers modifiers) {
    return false;
}

void TForm6::Timer1Timer() {}
void TForm6::Timer2Timer() {}
void TForm6::SetUpCOM1Click() {}
void TForm6::Debug1Click() {}
void TForm6::Action1Execute() {}
void TForm6::Action4Execute() {}
void TForm6::Action5Execute() {}
void TForm6::Action6Execute() {}
void TForm6::Action7Execute() {
    close();
}
void TForm6::Action8Execute() {}
void TForm6::Action13Execute() {}
void TForm6::Action16Execute() {}
void TForm6::Action18Execute() {}
void TForm6::Action20Execute() {}
void TForm6::Action24_temp_recvExecute() {}
void TForm6::Action24_temp_sendExecute() {}

void TForm6::ActionHint(QAction* action, QString& hint, bool& canShow) const {
    canShow = true;
    if (isEnabled())
        hint = action->toolTip();
    else
        canShow = false;
}

void TForm6::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    FormResize();
}

void TForm6::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    placeStatusImages();
    FormResize();
}

void TForm6::closeEvent(QCloseEvent* event) {
    ExitProgramma();
    event->accept();
}

bool TForm6::eventFilter(QObject* watched, QEvent* event) {
    return QMainWindow::eventFilter(watched, event);
}
