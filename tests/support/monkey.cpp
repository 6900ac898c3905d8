#include "support/monkey.h"

#include "model/datamodule.h"
#include "support/registerrows.h"
#include "ui/mainwindow.h"
#include "ui/pagecontrol.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <unistd.h>

// qt_sendShortcutOverrideEvent (Qt's own step before a key press reaches a widget: the window's
// shortcuts see it first) is declared by the test library's keyboard header.
#include <QtTest/qtestkeyboard.h>

// ---- where a crash happened --------------------------------------------------------------
// A crash kills the process before any message can be built: the place of the event under
// way is kept ready as text and written out by the signal handler (or the sanitizers' death
// callback), so that the run can be repeated.

extern "C" void __sanitizer_set_death_callback(void (*callback)(void)) __attribute__((weak));

namespace {
char g_where[512] = "before the first event\n";
struct sigaction g_previous[32];

void writeText(const char* text) {
    const ssize_t ignored = ::write(2, text, std::strlen(text));
    (void)ignored;
}

void writeWhere() {
    writeText("monkey: crashed at ");
    writeText(g_where);
}

void onFatalSignal(int sig) {
    writeWhere();
    // Then whatever handled the signal before (the test library's report), or the default.
    struct sigaction& prev = g_previous[sig];
    if (prev.sa_handler != SIG_DFL && prev.sa_handler != SIG_IGN && !(prev.sa_flags & SA_SIGINFO)) {
        prev.sa_handler(sig);
        return;
    }
    sigaction(sig, &prev, nullptr);
    raise(sig);
}

void installCrashReport() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    // A stack overflow (endless recursion) leaves no stack to report on: the handler runs on
    // its own, unless the test library has set one up already.
    stack_t current{};
    if (sigaltstack(nullptr, &current) == 0 && (current.ss_flags & SS_DISABLE)) {
        static char altStack[1 << 16];
        stack_t own{};
        own.ss_sp = altStack;
        own.ss_size = sizeof altStack;
        sigaltstack(&own, nullptr);
    }
    for (int sig : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL}) {
        struct sigaction sa {};
        sa.sa_handler = onFatalSignal;
        sigemptyset(&sa.sa_mask);
        sa.sa_flags = SA_RESETHAND | SA_ONSTACK;
        sigaction(sig, &sa, &g_previous[sig]);
    }
    if (__sanitizer_set_death_callback)
        __sanitizer_set_death_callback(writeWhere);
}

// ---- the keys a user types ---------------------------------------------------------------
struct KeyDef {
    int code;
    const char* text; // UTF-8; what the key types without Shift
    const char* shifted;
};

const KeyDef kLetters[] = {
    {Qt::Key_A, "a", "A"},      {Qt::Key_B, "b", "B"},      {Qt::Key_C, "c", "C"},
    {Qt::Key_D, "d", "D"},      {Qt::Key_E, "e", "E"},      {Qt::Key_F, "f", "F"},
    {Qt::Key_G, "g", "G"},      {Qt::Key_H, "h", "H"},      {Qt::Key_I, "i", "I"},
    {Qt::Key_J, "j", "J"},      {Qt::Key_K, "k", "K"},      {Qt::Key_L, "l", "L"},
    {Qt::Key_M, "m", "M"},      {Qt::Key_N, "n", "N"},      {Qt::Key_O, "o", "O"},
    {Qt::Key_P, "p", "P"},      {Qt::Key_Q, "q", "Q"},      {Qt::Key_R, "r", "R"},
    {Qt::Key_S, "s", "S"},      {Qt::Key_T, "t", "T"},      {Qt::Key_U, "u", "U"},
    {Qt::Key_V, "v", "V"},      {Qt::Key_W, "w", "W"},      {Qt::Key_X, "x", "X"},
    {Qt::Key_Y, "y", "Y"},      {Qt::Key_Z, "z", "Z"},      {Qt::Key_Egrave, "è", "È"},
    {Qt::Key_Agrave, "à", "À"}, {Qt::Key_Ugrave, "ù", "Ù"}, {Qt::Key_Space, " ", " "},
    {Qt::Key_Period, ".", ":"}, {Qt::Key_Minus, "-", "_"},
};

const KeyDef kDigits[] = {{Qt::Key_0, "0", "="}, {Qt::Key_1, "1", "!"}, {Qt::Key_2, "2", "\""},
                          {Qt::Key_3, "3", "£"}, {Qt::Key_4, "4", "$"}, {Qt::Key_5, "5", "%"},
                          {Qt::Key_6, "6", "&"}, {Qt::Key_7, "7", "/"}, {Qt::Key_8, "8", "("},
                          {Qt::Key_9, "9", ")"}};

// Navigation and editing keys with the text the platform gives them.
const KeyDef kEditingKeys[] = {
    {Qt::Key_Left, "", ""},        {Qt::Key_Right, "", ""},      {Qt::Key_Up, "", ""},
    {Qt::Key_Down, "", ""},        {Qt::Key_Home, "", ""},       {Qt::Key_End, "", ""},
    {Qt::Key_PageUp, "", ""},      {Qt::Key_PageDown, "", ""},   {Qt::Key_F2, "", ""},
    {Qt::Key_F4, "", ""},          {Qt::Key_Escape, "\x1b", ""}, {Qt::Key_Return, "\r", ""},
    {Qt::Key_Enter, "\r", ""},     {Qt::Key_Tab, "\t", ""},      {Qt::Key_Delete, "\x7f", ""},
    {Qt::Key_Backspace, "\b", ""}, {Qt::Key_Insert, "", ""},
};

// Ctrl with a letter: the editing shortcuts of text fields (Ctrl+A, C, V, X, Z).
const int kCtrlLetters[] = {Qt::Key_A, Qt::Key_C, Qt::Key_V, Qt::Key_X, Qt::Key_Z};

bool isWithin(const QWidget* w, const QWidget* ancestor) {
    return w && (w == ancestor || ancestor->isAncestorOf(w));
}
} // namespace

// ---- the run ------------------------------------------------------------------------------

Monkey::Monkey(TForm6& form, quint32 seed, int model) : m_form(form), m_seed(seed), m_model(model) {
    installCrashReport();
    // Fires only when an event loop runs while an event is being delivered: a modal loop.
    m_watch = new QTimer;
    m_watch->setInterval(0);
    QObject::connect(m_watch, &QTimer::timeout, [this] { inNestedLoop(); });
}

Monkey::~Monkey() {
    delete m_watch;
}

QList<int> Monkey::visiblePages(const TForm6& form) {
    QList<int> pages;
    for (int i = 0; i < form.PageControl->count(); ++i)
        if (form.PageControl->tabVisible(i))
            pages << i;
    return pages;
}

QString Monkey::where() const {
    return QStringLiteral("seed %1 model %2 page %3 event %4 (%5)")
        .arg(m_seed)
        .arg(m_model)
        .arg(m_page)
        .arg(m_pageEvents)
        .arg(m_action);
}

void Monkey::noteAction(const char* name) {
    m_action = QString::fromLatin1(name);
    std::snprintf(g_where, sizeof g_where, "seed %u model %d page %d event %lld (%s)\n", m_seed, m_model,
                  m_page, static_cast<long long>(m_pageEvents), name);
    static const bool trace = qEnvironmentVariableIsSet("TABULON_MONKEY_TRACE");
    if (trace) {
        writeText("monkey: at ");
        writeText(g_where);
    }
}

void Monkey::fail(const QString& what) {
    if (m_fault.isEmpty())
        m_fault = where() + QStringLiteral(": ") + what;
}

bool Monkey::runPage(int page, int events) {
    m_page = page;
    m_pageEvents = 0;
    // Each page draws from its own stream (seed, model, page): its choices do not depend on how
    // many were drawn on the pages before it.
    std::seed_seq seq{m_seed, quint32(m_model), quint32(page)};
    m_rng.seed(seq);
    noteAction("tab click");
    showPageByClick(page);
    m_sheet = m_form.PageControl->page(page);
    if (m_form.PageControl->activePageIndex() != page)
        fail(QStringLiteral("a click on the tab does not show the page"));
    while (m_fault.isEmpty() && m_pageEvents < events) {
        oneAction();
        settle();
        // The page stays the one under test: a tab switch away comes back, anything else that
        // left it is undone by a click as a user would.
        if (m_fault.isEmpty() && m_form.PageControl->activePageIndex() != page)
            showPageByClick(page);
    }
    if (m_fault.isEmpty())
        windowResponds();
    if (m_fault.isEmpty()) {
        noteAction("save and reload");
        const QString differs = saveAndCompareReload(*DM);
        if (!differs.isEmpty())
            fail(differs);
    }
    return m_fault.isEmpty();
}

void Monkey::oneAction() {
    const int dice = pick(100);
    if (dice < 14)
        typeKey();
    else if (dice < 20)
        typeWord();
    else if (dice < 26)
        typeCapital();
    else if (dice < 31)
        pressModifierAlone();
    else if (dice < 45)
        pressEditingKey();
    else if (dice < 48)
        pressCtrlCombination();
    else if (dice < 68)
        clickAt(Qt::LeftButton, false);
    else if (dice < 72)
        clickWithModifier();
    else if (dice < 80)
        clickAt(Qt::LeftButton, true);
    else if (dice < 84)
        clickAt(Qt::RightButton, false);
    else if (dice < 87)
        dragAcross();
    else if (dice < 95)
        turnWheel();
    else
        switchTab();
}

// ---- keys -----------------------------------------------------------------------------------

void Monkey::typeKey() {
    noteAction("letter or digit");
    const KeyDef& k = chance(70) ? kLetters[pick(std::size(kLetters))] : kDigits[pick(std::size(kDigits))];
    keyClick(k.code, Qt::NoModifier, QString::fromUtf8(k.text));
}

// A name typed at a stretch, as "Rossi" is: capitals with their Shift among small letters.
void Monkey::typeWord() {
    const int length = 2 + pick(7);
    for (int i = 0; i < length; ++i) {
        if (chance(25))
            typeCapital();
        else
            typeKey();
    }
}

void Monkey::typeCapital() {
    noteAction("capital with Shift");
    const KeyDef& k = chance(80) ? kLetters[pick(std::size(kLetters))] : kDigits[pick(std::size(kDigits))];
    key(true, Qt::Key_Shift, Qt::ShiftModifier, QString());
    keyClick(k.code, Qt::ShiftModifier, QString::fromUtf8(k.shifted));
    key(false, Qt::Key_Shift, Qt::NoModifier, QString());
}

void Monkey::pressModifierAlone() {
    noteAction("modifier alone");
    static const std::pair<int, Qt::KeyboardModifier> kMods[] = {{Qt::Key_Shift, Qt::ShiftModifier},
                                                                 {Qt::Key_Control, Qt::ControlModifier},
                                                                 {Qt::Key_Alt, Qt::AltModifier}};
    const auto& [code, mod] = kMods[pick(3)];
    key(true, code, mod, QString());
    key(false, code, Qt::NoModifier, QString());
}

void Monkey::pressEditingKey() {
    noteAction("editing key");
    const KeyDef& k = kEditingKeys[pick(std::size(kEditingKeys))];
    if (k.code == Qt::Key_Tab && chance(30)) { // Shift+Tab goes back
        key(true, Qt::Key_Shift, Qt::ShiftModifier, QString());
        keyClick(Qt::Key_Backtab, Qt::ShiftModifier, QStringLiteral("\t"));
        key(false, Qt::Key_Shift, Qt::NoModifier, QString());
        return;
    }
    keyClick(k.code, Qt::NoModifier, QString::fromUtf8(k.text));
}

void Monkey::pressCtrlCombination() {
    noteAction("Ctrl with a letter");
    const int code = kCtrlLetters[pick(std::size(kCtrlLetters))];
    key(true, Qt::Key_Control, Qt::ControlModifier, QString());
    keyClick(code, Qt::ControlModifier, QString(QChar(code - Qt::Key_A + 1)));
    key(false, Qt::Key_Control, Qt::NoModifier, QString());
}

void Monkey::keyClick(int code, Qt::KeyboardModifiers mods, const QString& text) {
    key(true, code, mods, text);
    key(false, code, mods, text);
}

// Every input event goes through here: counted, and watched for event loops run inside it.
void Monkey::deliver(const std::function<void()>& send) {
    ++m_pageEvents;
    ++m_delivered;
    if (m_depth++ == 0)
        m_watch->start();
    send();
    if (--m_depth == 0)
        m_watch->stop();
}

// An event loop runs inside an event being delivered. A menu's own loop (a context menu that
// waits for its choice) is answered as a user answers it; a modal window is a fault.
void Monkey::inNestedLoop() {
    if (m_depth == 0 || m_inWatch)
        return;
    m_inWatch = true;
    if (QWidget* popup = QApplication::activePopupWidget()) {
        if (chance(50))
            answerPopup(popup);
        if (QApplication::activePopupWidget() == popup)
            popup->close();
    }
    endModalLoops();
    m_inWatch = false;
}

// A key goes to the focus widget of the moment (it may change between a press and its
// release), through the window's shortcuts first, as the platform delivers it.
void Monkey::key(bool press, int code, Qt::KeyboardModifiers mods, const QString& text) {
    QWidget* target = QApplication::focusWidget();
    if (!target)
        target = QApplication::activeWindow() ? QApplication::activeWindow() : &m_form;
    QPointer<QWidget> alive(target);
    deliver([&] {
        if (press && qt_sendShortcutOverrideEvent(target, 0, code, mods, text, false))
            return;
        if (!alive)
            return;
        QKeyEvent e(press ? QEvent::KeyPress : QEvent::KeyRelease, code, mods, text);
        QSpontaneKeyEvent::setSpontaneous(&e);
        QApplication::instance()->notify(target, &e);
    });
}

// ---- mouse ----------------------------------------------------------------------------------

bool Monkey::pickPoint(QWidget*& target, QPoint& local) {
    QList<QWidget*> candidates;
    for (QWidget* w : m_sheet->findChildren<QWidget*>())
        if (w->isVisible() && w->isEnabled() && !w->isWindow() && w->width() > 0 && w->height() > 0)
            candidates << w;
    if (candidates.isEmpty())
        return false;
    QWidget* w = candidates[pick(int(candidates.size()))];
    const QPoint p(pick(w->width()), pick(w->height()));
    // The platform gives the event to the deepest widget shown at that point of the window.
    const QPoint inWindow = w->mapTo(&m_form, p);
    target = m_form.childAt(inWindow);
    if (!isWithin(target, m_sheet))
        return false;
    local = target->mapFrom(&m_form, inWindow);
    return true;
}

void Monkey::mouse(QWidget* w, int type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
    deliver([&] {
        QMouseEvent e(QEvent::Type(type), QPointF(at), QPointF(w->mapTo(w->window(), at)),
                      QPointF(w->mapToGlobal(at)), button, buttons, m_held);
        QSpontaneKeyEvent::setSpontaneous(&e);
        QApplication::instance()->notify(w, &e);
    });
}

void Monkey::clickAt(Qt::MouseButton button, bool twice) {
    noteAction(button == Qt::RightButton ? "right click" : twice ? "double click" : "click");
    QWidget* target = nullptr;
    QPoint at;
    if (!pickPoint(target, at))
        return;
    QPointer<QWidget> w(target);
    mouse(w, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
    if (w)
        mouse(w, QEvent::MouseButtonPress, at, button, button);
    if (w && button == Qt::RightButton) {
        // Here the context menu follows the press.
        deliver([&] {
            QContextMenuEvent menu(QContextMenuEvent::Mouse, at, w->mapToGlobal(at), Qt::NoModifier);
            QSpontaneKeyEvent::setSpontaneous(&menu);
            QApplication::instance()->notify(w, &menu);
        });
    }
    // The release goes to the widget that had the press, wherever the mouse is.
    if (w)
        mouse(w, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
    if (twice && w) {
        QApplication::processEvents();
        if (w)
            mouse(w, QEvent::MouseButtonPress, at, button, button);
        if (w)
            mouse(w, QEvent::MouseButtonDblClick, at, button, button);
        if (w)
            mouse(w, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
    }
}

// Shift or Ctrl held down through a click (a range or a choice of rows in a grid).
void Monkey::clickWithModifier() {
    const bool shift = chance(50);
    const int code = shift ? Qt::Key_Shift : Qt::Key_Control;
    const Qt::KeyboardModifier mod = shift ? Qt::ShiftModifier : Qt::ControlModifier;
    noteAction(shift ? "Shift click" : "Ctrl click");
    key(true, code, mod, QString());
    m_held = mod;
    clickAt(Qt::LeftButton, false);
    m_held = Qt::NoModifier;
    key(false, code, Qt::NoModifier, QString());
}

void Monkey::dragAcross() {
    noteAction("drag");
    QWidget* from = nullptr;
    QWidget* to = nullptr;
    QPoint a, b;
    if (!pickPoint(from, a) || !pickPoint(to, b))
        return;
    QPointer<QWidget> w(from);
    mouse(w, QEvent::MouseMove, a, Qt::NoButton, Qt::NoButton);
    if (w)
        mouse(w, QEvent::MouseButtonPress, a, Qt::LeftButton, Qt::LeftButton);
    // The widget pressed keeps the mouse until the release.
    const QPoint end = w && to ? w->mapFromGlobal(to->mapToGlobal(b)) : a;
    for (int step = 1; step <= 3 && w; ++step)
        mouse(w, QEvent::MouseMove, a + (end - a) * step / 3, Qt::NoButton, Qt::LeftButton);
    if (w)
        mouse(w, QEvent::MouseButtonRelease, end, Qt::LeftButton, Qt::NoButton);
}

void Monkey::turnWheel() {
    noteAction("wheel");
    QWidget* target = nullptr;
    QPoint at;
    if (!pickPoint(target, at))
        return;
    const int notches = (chance(50) ? 1 : -1) * (chance(80) ? 1 : 3);
    deliver([&] {
        QWheelEvent e(QPointF(at), QPointF(target->mapToGlobal(at)), QPoint(), QPoint(0, 120 * notches),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&e);
        QApplication::instance()->notify(target, &e);
    });
}

// ---- tabs -----------------------------------------------------------------------------------

void Monkey::clickTab(TPageControl* pc, int index) {
    const QRect r = pc->tabRect(index);
    if (r.isEmpty())
        return;
    const QPoint inPc(r.left() + pick(r.width()), r.top() + pick(r.height()));
    QWidget* strip = pc->childAt(inPc);
    if (!strip)
        strip = pc;
    QPointer<QWidget> w(strip);
    const QPoint at = strip->mapFrom(pc, inPc);
    mouse(w, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    if (w)
        mouse(w, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

void Monkey::showPageByClick(int page) {
    clickTab(m_form.PageControl, page);
    QApplication::processEvents();
}

void Monkey::switchTab() {
    noteAction("tab switch");
    QList<TPageControl*> inner;
    for (TPageControl* pc : m_sheet->findChildren<TPageControl*>())
        if (pc->isVisible())
            inner << pc;
    if (!inner.isEmpty() && chance(80)) {
        TPageControl* pc = inner[pick(int(inner.size()))];
        QList<int> tabs;
        for (int i = 0; i < pc->count(); ++i)
            if (pc->tabVisible(i))
                tabs << i;
        if (!tabs.isEmpty())
            clickTab(pc, tabs[pick(int(tabs.size()))]);
        return;
    }
    // Another page and back.
    const QList<int> pages = visiblePages(m_form);
    clickTab(m_form.PageControl, pages[pick(int(pages.size()))]);
    settle();
    clickTab(m_form.PageControl, m_page);
}

// ---- after each event -------------------------------------------------------------------------

void Monkey::settle() {
    QApplication::processEvents();
    // A popup takes every later input until it closes: a user picks from it or leaves it.
    for (int guard = 0; guard < 8; ++guard) {
        QWidget* popup = QApplication::activePopupWidget();
        if (!popup)
            break;
        if (guard == 0 && chance(50))
            answerPopup(popup);
        else
            popup->close();
        QApplication::processEvents();
    }
    if (QApplication::activePopupWidget())
        fail(QStringLiteral("a popup does not close"));
    endModalLoops();
    // With the popups closed the window manager gives the activation back to the main window;
    // the offscreen platform leaves it with the closed popup, where keys would go nowhere.
    if (QApplication::activeWindow() != &m_form) {
        m_form.activateWindow();
        QApplication::processEvents();
        if (QApplication::activeWindow() != &m_form)
            fail(QStringLiteral("the main window does not become active again"));
    }
    // A bare Alt may leave the menu bar waiting for keys; a user's next click elsewhere ends it.
    if (QMenuBar* bar = m_form.menuBar(); bar && bar->activeAction())
        bar->setActiveAction(nullptr);
    if (!m_form.isVisible())
        fail(QStringLiteral("the main window closed"));
}

// Moves down a few items and takes one, with keys to the popup as the platform sends them.
// Only popups of the page: the menu bar's menus hold the program's exit.
void Monkey::answerPopup(QWidget* popup) {
    const bool ofCombo = qobject_cast<QComboBox*>(popup->parentWidget()) != nullptr;
    const bool pageMenu = qobject_cast<QMenu*>(popup) && isWithin(popup->parentWidget(), m_sheet);
    if (!ofCombo && !pageMenu)
        return;
    noteAction("popup choice");
    const int downs = pick(4);
    for (int i = 0; i <= downs && QApplication::activePopupWidget() == popup; ++i)
        keyClick(Qt::Key_Down, Qt::NoModifier, QString());
    const bool take = chance(80);
    if (QApplication::activePopupWidget() == popup)
        keyClick(take ? Qt::Key_Return : Qt::Key_Escape, Qt::NoModifier,
                 take ? QStringLiteral("\r") : QStringLiteral("\x1b"));
}

// A modal window outside the box answerer would wait for a user: it is closed and noted; one
// whose loop runs inside an event (it would block the program's test) is a fault.
void Monkey::endModalLoops() {
    for (int guard = 0; guard < 8; ++guard) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        const QString name = QString::fromLatin1(modal->metaObject()->className()) + QLatin1Char(' ') +
                             modal->objectName() + QStringLiteral(" \"") + modal->windowTitle() +
                             QStringLiteral("\" at ") + where();
        if (m_depth > 0)
            fail(QStringLiteral("a modal loop runs inside an event: ") + name);
        m_modalsClosed << name;
        modal->close();
    }
}

// ---- after each page ------------------------------------------------------------------------

bool Monkey::windowResponds() {
    noteAction("window check");
    QApplication::processEvents();
    const QPixmap shot = m_form.grab();
    if (shot.isNull() || shot.size() != m_form.size())
        fail(QStringLiteral("the window does not paint"));
    // The tabs still switch pages.
    const QList<int> pages = visiblePages(m_form);
    const int other = pages[(pages.indexOf(m_page) + 1) % pages.size()];
    showPageByClick(other);
    if (m_form.PageControl->activePageIndex() != other)
        fail(QStringLiteral("the tabs no longer switch pages"));
    showPageByClick(m_page);
    return m_fault.isEmpty();
}
