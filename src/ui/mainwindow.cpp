#include "ui/mainwindow.h"

#include "platform/gridpaint.h"
#include "transfer/transferflags.h"
#include "ui/celleditors.h"
#include "ui/controlhandlers.h"
#include "ui/imagelist.h"
#include "ui/mainwindow_links.h"
#include "ui/pagecontrol.h"
#include "ui/pages/page_bloccoins.h"
#include "ui/pages/page_contactid.h"
#include "ui/pages/page_eventi.h"
#include "ui/pages/page_eventisistema.h"
#include "ui/pages/page_gruppi.h"
#include "ui/pages/page_ingressi.h"
#include "ui/pages/page_parametrivari.h"
#include "ui/pages/page_periferiche.h"
#include "ui/pages/page_priorita.h"
#include "ui/pages/page_programmi.h"
#include "ui/pages/page_pstn.h"
#include "ui/pages/page_rete.h"
#include "ui/pages/page_telefoni.h"
#include "ui/pages/page_test.h"
#include "ui/pages/page_timers.h"
#include "ui/pages/page_uscite.h"
#include "ui/pages/page_utenti.h"
#include "ui/pages/page_vocaboli.h"
#include "ui/pages/page_wireless.h"
#include "ui/pages/pagegrids.h"
#include "ui/phonetitles.h"
#include "ui/statusbar.h"

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QTimeEdit>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

TForm6* Form6 = nullptr;
int ImageSwitch = 0;

namespace {
// Picture of each page's tab, by page index (positions in ImageList2).
constexpr int kPageIcons[TForm6::kPageCount] = {1,  2,  4,  5,  6,  8,  10, 11, Img2::Radio, 12,
                                                13, 15, 17, 18, 19, 20, 21, 22, 23};

template <class Page> Page* addPage(TPageControl* pc, Page*& member, const char* caption, int index) {
    member = new Page;
    pc->addPage(member, QString::fromUtf8(caption), ImageList2().icon(kPageIcons[index]));
    return member;
}
} // namespace

TForm6::TForm6(QWidget* parent)
    : QMainWindow(parent), m_gridHover(std::make_unique<GridMouseTracker>()),
      m_cellEditors(std::make_unique<CellEditors>()) {
    setObjectName(QStringLiteral("Form6"));
    Form6 = this;
    buildWindow();
    FormCreate();
    qApp->installEventFilter(this);
}

TForm6::~TForm6() {
    qApp->removeEventFilter(this);
    if (Form6 == this)
        Form6 = nullptr;
}

// The window as it is defined, before its creation handler runs.
void TForm6::buildWindow() {
    createStatusBar();
    createActions();
    createMenus();
    createToolBar();
    createPages();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &TForm6::Timer1Timer);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(1000);
    connect(Timer2, &QTimer::timeout, this, &TForm6::Timer2Timer);

    // Client area 1124 x 740, centred on the screen, unless the registry says otherwise.
    resize(1124, 740);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        move(avail.center() - QPoint(width() / 2, height() / 2));
    }
    Timer1->start();
    Timer2->start();
}

void TForm6::FormCreate() {
    MainWindowLinks::languageRewrite(*this);
    placeStatusImages();
    showLinkFrame(0);
    setStateIcon(Img2::Warning);
    firstCreationPass();
    secondCreationPass();
    TabSheet6->Data->setDate(QDate::currentDate());
    TabSheet6->ora->setTime(QTime::currentTime());

    TPageControl* fpt = TabSheet12->PageControl_FPT;
    fpt->clearHighlights();
    fpt->setActivePage(TabSheet12->TabSheet33);
    fpt->highlightActiveOnly();
    for (TPageControl* pc : {PageControl, TabSheet1->PageControl_Ingressi, TabSheet2->PageControl_Uscite,
                             TabSheet5->PageControl_Periferiche})
        pc->clearHighlights();
    PageControl->setActivePage(TabSheet4);
    TabSheet1->PageControl_Ingressi->setActivePage(TabSheet1->TabSheet15);
    TabSheet2->PageControl_Uscite->setActivePage(TabSheet2->TabSheet19);
    TabSheet5->PageControl_Periferiche->setActivePage(TabSheet5->TabSheet23);
    for (TPageControl* pc : {PageControl, TabSheet1->PageControl_Ingressi, TabSheet2->PageControl_Uscite,
                             TabSheet5->PageControl_Periferiche})
        pc->highlightActiveOnly();
    // "PSTN" and "EVENTI CID" stay hidden until an installation of a known model is opened.
    PageControl->setTabVisible(PageControl->indexOf(TabSheet22), false);
    fpt->setTabVisible(fpt->indexOf(TabSheet12->TabSheet24), false);
    TabSheet3->PageControl_telefoni->setHighlighted(0, true);
    // The sheets that nothing else activates start on their first tab, marked.
    for (TPageControl* pc :
         {TabSheet6->PageControl_parametri_vari, TabSheet10->PageControl1, TabSheet10->PageControl2})
        pc->highlightActiveOnly();

    wireSubPageControls();
    wireSplitters();
    wireAssociations();
    TabSheet13->setExportAction(TabSheet31->Action22);
    PhoneTitles::follow(*this, this);
    ControlHandlers::connectAll(*this);
    MainWindowLinks::wireTransferHooks(*this);
    MainWindowLinks::limitTypingToPanelSlots();

    readWindowBounds();
    setWindowIcon(ProgramIcon());
    QApplication::setWindowIcon(ProgramIcon());
    ActionToolBar1->setToolTip(QStringLiteral(" "));
    RepaintAll();
}

namespace {
// Area common to a screen's available area and a rectangle given as plain numbers (the saved
// bounds may be anything a settings file holds: no sum of them may overflow).
qint64 overlap(const QRect& area, qint64 left, qint64 top, qint64 width, qint64 height) {
    const qint64 x0 = qMax<qint64>(area.left(), left),
                 x1 = qMin<qint64>(area.left() + area.width(), left + width);
    const qint64 y0 = qMax<qint64>(area.top(), top),
                 y1 = qMin<qint64>(area.top() + area.height(), top + height);
    return x1 > x0 && y1 > y0 ? (x1 - x0) * (y1 - y0) : 0;
}

// The saved bounds as a window can have them: on the screen they overlap most (the primary
// screen when they overlap none, as when the monitor they were saved on is gone), no larger than
// that screen's available area, and placed so that the whole window, title bar first, is on it.
// A size that is not positive keeps the default one.
QRect boundsOnAScreen(int left, int top, int height, int width, QSize fallback) {
    const QSize wanted(width > 0 ? width : fallback.width(), height > 0 ? height : fallback.height());
    QScreen* screen = QGuiApplication::primaryScreen();
    qint64 best = 0;
    for (QScreen* s : QGuiApplication::screens()) {
        const qint64 common = overlap(s->availableGeometry(), left, top, wanted.width(), wanted.height());
        if (common > best) {
            best = common;
            screen = s;
        }
    }
    if (!screen)
        return QRect(QPoint(left, top), wanted);
    const QRect avail = screen->availableGeometry();
    const QSize size = wanted.boundedTo(avail.size());
    return QRect(QPoint(qBound(avail.left(), left, avail.left() + avail.width() - size.width()),
                        qBound(avail.top(), top, avail.top() + avail.height() - size.height())),
                 size);
}
} // namespace

void TForm6::readWindowBounds() {
    int top = 0, left = 0, height = 0, width = 0;
    if (!MainWindowLinks::readWindowBounds(top, left, height, width))
        return;
    const QRect bounds = boundsOnAScreen(left, top, height, width, size());
    move(bounds.topLeft());
    resize(bounds.size());
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
    for (QLabel* image : {Image1, Image2})
        image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TForm6::createMenus() {
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    File1 = MainMenu1->addMenu(QString());
    File1->setObjectName(QStringLiteral("File1"));
    File1->addAction(Action1);
    File1->addSeparator();
    Exit1 = File1->addAction(ImageList1().icon(1), QString());
    Exit1->setObjectName(QStringLiteral("Exit1"));
    connect(Exit1, &QAction::triggered, this, &TForm6::Action7Execute);

    Edit1 = MainMenu1->addMenu(QString());
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->menuAction()->setVisible(false);

    Comunication1 = MainMenu1->addMenu(QString());
    Comunication1->setObjectName(QStringLiteral("Comunication1"));
    SetUpCOM1 = Comunication1->addAction(ImageList1().icon(6), QString());
    SetUpCOM1->setObjectName(QStringLiteral("SetUpCOM1"));
    connect(SetUpCOM1, &QAction::triggered, this, &TForm6::SetUpCOM1Click);

    Program1 = MainMenu1->addMenu(QString());
    Program1->setObjectName(QStringLiteral("Program1"));
    Program1->addAction(Action18);
    Program1->addAction(Action8);
    Program1->addSeparator();
    Program1->addAction(Action5);
    Program1->addAction(Action6);

    Debug1 = new QAction(this);
    Debug1->setObjectName(QStringLiteral("Debug1"));
    Debug1->setCheckable(true);
    Debug1->setVisible(false);
    MainMenu1->addAction(Debug1);
    // The click toggles the check mark; Debug1Click then acts on the new state.
    connect(Debug1, &QAction::triggered, this, [this] { Debug1Click(); });

    Preference1 = MainMenu1->addMenu(QString());
    Preference1->setObjectName(QStringLiteral("Preference1"));
    Preference1->menuAction()->setVisible(false);
}

void TForm6::createToolBar() {
    ActionToolBar1 = new QToolBar(this);
    ActionToolBar1->setObjectName(QStringLiteral("ActionToolBar1"));
    ActionToolBar1->setOrientation(Qt::Vertical);
    ActionToolBar1->setMovable(false);
    ActionToolBar1->setFloatable(false);
    ActionToolBar1->setIconSize(QSize(16, 16));
    ActionToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    ActionToolBar1->setFixedWidth(28);
    ActionToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
    ActionToolBar1->setStyleSheet(QStringLiteral(
        "QToolBar#ActionToolBar1 { spacing: 2px; padding: 2px 0px; border: none; }"
        "QToolBar#ActionToolBar1 QToolButton { width: 22px; height: 22px; margin: 0px 2px; padding: 0px;"
        " border: 1px solid transparent; border-radius: 3px; }"
        "QToolBar#ActionToolBar1 QToolButton:hover { background: #e3edf9; border-color: #9bbbe3; }"
        "QToolBar#ActionToolBar1 QToolButton:pressed, QToolBar#ActionToolBar1 QToolButton:checked"
        " { background: #cfe0f5; border-color: #5b8fd0; }"));
    for (QAction* a : {Action1, Action20, Action18, Action8, Action5, Action6, Action4, Action7,
                       Action24_temp_recv, Action24_temp_send})
        ActionToolBar1->addAction(a);
    nameButtonsByHint(ActionToolBar1);
    addToolBar(Qt::RightToolBarArea, ActionToolBar1);
}

void TForm6::createPages() {
    GroupBox3 = new QWidget(this);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    auto* lay = new QVBoxLayout(GroupBox3);
    lay->setContentsMargins(4, 4, 2, 2);
    PageControl = new TPageControl(QStringLiteral("PageControl"), GroupBox3);
    PageControl->setMultiLine(true);
    lay->addWidget(PageControl);
    TPageControl* pc = PageControl;
    addPage(pc, TabSheet4, "UTENTI", 0);
    addPage(pc, TabSheet1, "INGRESSI", 1);
    addPage(pc, TabSheet2, "USCITE", 2);
    addPage(pc, TabSheet5, "PERIFERICHE", 3);
    addPage(pc, TabSheet3, "TELEFONI", 4);
    addPage(pc, TabSheet6, "PARAMETRI VARI", 5);
    addPage(pc, TabSheet7, "PROGRAMMI", 6);
    addPage(pc, TabSheet9, "GRUPPI", 7);
    addPage(pc, TabSheet10, "WIRELESS", 8);
    addPage(pc, TabSheet11, "EVENTI DI SISTEMA", 9);
    addPage(pc, TabSheet12, "ADEMCO", 10);
    addPage(pc, TabSheet13, "TIMERS", 11);
    addPage(pc, TabSheet14, "BLOCCO INSERIMENTO", 12);
    addPage(pc, TabSheet8, "TEST", 13);
    addPage(pc, TabSheet22, "PSTN", 14);
    addPage(pc, TabSheet31, "EVENTI", 15);
    addPage(pc, TabSheet27, "PARAMETRI DI RETE", 16);
    addPage(pc, TabSheet28, "EDITA VOCABOLI", 17);
    addPage(pc, TabSheet43, "PRIORITà VETTORI", 18);
    TabSheet31->attach(*this);
    connect(PageControl, &TPageControl::changed, this, &TForm6::PageControlChange);
    setCentralWidget(GroupBox3);
}

void TForm6::wireSubPageControls() {
    connect(TabSheet1->PageControl_Ingressi, &TPageControl::changed, this,
            &TForm6::PageControl_IngressiChange);
    connect(TabSheet2->PageControl_Uscite, &TPageControl::changed, this, &TForm6::PageControl_UsciteChange);
    connect(TabSheet5->PageControl_Periferiche, &TPageControl::changed, this,
            &TForm6::PageControl_PerifericheChange);
    connect(TabSheet6->PageControl_parametri_vari, &TPageControl::changed, this,
            &TForm6::PageControl_parametri_variChange);
    connect(TabSheet12->PageControl_FPT, &TPageControl::changed, this, &TForm6::PageControl_FPTChange);
    for (TPageControl* pc :
         {TabSheet3->PageControl_telefoni, TabSheet10->PageControl1, TabSheet10->PageControl2})
        connect(pc, &TPageControl::changed, this, [this, pc] { PageControl_Change_Highlighted(pc); });
}

CellEditors& TForm6::cellEditors() {
    return *m_cellEditors;
}

void TForm6::setStatusPanelText(int panel, const QString& text) {
    StatusBar1->setPanelText(panel, text);
}
QString TForm6::statusPanelText(int panel) const {
    return StatusBar1->panelText(panel);
}

void TForm6::setStateIcon(int imageList2Index) {
    m_stateIcon = imageList2Index;
    Image2->setPixmap(ImageList2().pixmap(imageList2Index, 16, devicePixelRatioF()));
}

void TForm6::showLinkFrame(int frame) {
    m_linkFrame = frame;
    Image1->setPixmap(ImageList4().pixmap(frame, 16, devicePixelRatioF()));
}

// The pictures sit on their panels, 3 px in from the panel's corner, as big as the panel.
void TForm6::placeStatusImages() {
    const QRect r1 = StatusBar1->panelRect(1);
    Image1->setGeometry(r1.left() + 3, r1.top() + 3, r1.width(), r1.height());
    const QRect r5 = StatusBar1->panelRect(5);
    Image2->setGeometry(r5.left() + 3, r5.top() + 3, r5.width(), r5.height());
}

// ---- page changes ---------------------------------------------------------------------

void TForm6::followActivePage() {
    const int page = PageControl->activePageIndex();
    Action4->setEnabled(page == kPageTest);
    const bool transfers = page != kPageTest && page != kPageEventi;
    for (QAction* a : {Action5, Action6, Action8, Action18})
        a->setEnabled(transfers);
    // Leaving the live test while it runs stops it (the sequencer clears StateTrasfert before
    // it calls this handler at a job's end, so a job's own ending never gets here). Only the
    // live test: another job that is moving parts (a read or write of the whole configuration,
    // whose progress window leaves the pages usable) must not be cut off by a page change.
    if (transfers && StateTrasfert != 0 && Action4->isChecked()) {
        Action4->setChecked(false);
        Action4Execute();
    }
}

void TForm6::TransferEnded() {
    // Left pressed, the next click would run the stop job instead of a new start.
    Action4->setChecked(false);
    PageControlChange();
}

void TForm6::PageControlChange() {
    PageControl->highlightActiveOnly();
    followActivePage();
    for (QWidget* w : GroupBox3->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        w->update();
    // A job ends here: the radio page shows its kind of devices again (a job walks them all).
    TabSheet10->reapplyDeviceFilter();
    RepaintAll();
    if (isVisible())
        setFocus();
}

void TForm6::PageControlResize() {
    PageControl->highlightActiveOnly();
}

void TForm6::PageControl_IngressiChange() {
    TabSheet1->PageControl_Ingressi->highlightActiveOnly();
}
void TForm6::PageControl_UsciteChange() {
    TabSheet2->PageControl_Uscite->highlightActiveOnly();
}
void TForm6::PageControl_PerifericheChange() {
    TabSheet5->PageControl_Periferiche->highlightActiveOnly();
}
void TForm6::PageControl_parametri_variChange() {
    TabSheet6->PageControl_parametri_vari->highlightActiveOnly();
}

void TForm6::PageControl_FPTChange() {
    TabSheet12->PageControl_FPT->highlightActiveOnly();
    if (auto* grid = findChild<QAbstractScrollArea*>(QStringLiteral("DBGrid30")))
        grid->viewport()->update();
}

void TForm6::PageControl_Change_Highlighted(TPageControl* pageControl) {
    pageControl->highlightActiveOnly();
}

// ---- repaint and resize ----------------------------------------------------------------

void TForm6::RepaintAll() {
    PageControl->update();
    for (QWidget* w : findChildren<QWidget*>()) {
        if (isGrid(w))
            static_cast<QAbstractScrollArea*>(w)->viewport()->update(); // the cells live in the viewport
        else if (qobject_cast<QGroupBox*>(w) || qobject_cast<QScrollArea*>(w) || qobject_cast<QSplitter*>(w))
            w->update();
    }
    update();
}

void TForm6::FormResize() {
    RepaintAll();
    fitAllGrids();
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

#include "moc_mainwindow.cpp"
