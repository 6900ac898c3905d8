// The main window's keys, timers, link menu items and closing.

#include "ui/mainwindow.h"

#include "transfer/transferflags.h"
#include "ui/imagelist.h"
#include "ui/mainwindow_links.h"
#include "ui/pagecontrol.h"
#include "ui/pages/page_parametrivari.h"
#include "ui/pages/page_rete.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateEdit>
#include <QGroupBox>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QTimeEdit>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

#include <cstdio>
#include <cstdlib>

namespace {
std::function<void(int)>& processExit() {
    static std::function<void(int)> fn = [](int code) {
        // Ends at once: no other window is destroyed, no destroy handler runs.
        std::fflush(nullptr);
        std::_Exit(code);
    };
    return fn;
}
} // namespace

void TForm6::setProcessExit(std::function<void(int)> exitFn) {
    processExit() = std::move(exitFn);
}

// ---- keys -------------------------------------------------------------------------------

bool TForm6::FormShortCut(int key, Qt::KeyboardModifiers modifiers) {
    // Both Ctrl and Shift must be down; Alt is not looked at.
    if (!(modifiers & Qt::ControlModifier) || !(modifiers & Qt::ShiftModifier))
        return false;
    switch (key) {
    case Qt::Key_F9: {
        QGroupBox* cloud = TabSheet27->GroupBox110;
        cloud->setVisible(cloud->isHidden());
        return true;
    }
    case Qt::Key_F8:
        Debug1->setVisible(!Debug1->isVisible());
        return true;
    case Qt::Key_F10:
        Action24_temp_recv->setVisible(!Action24_temp_recv->isVisible());
        Action24_temp_send->setVisible(!Action24_temp_send->isVisible());
        return true;
    default:
        return false;
    }
}

bool TForm6::isShortcutTarget(QObject* watched) const {
    auto* w = qobject_cast<QWidget*>(watched);
    return w && w->window() == this;
}

bool TForm6::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Resize:
        if (watched == PageControl)
            PageControlResize();
        break;
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
        // The window sees every key pressed in it before its menus and actions do.
        if (!isShortcutTarget(watched))
            break;
        auto* key = static_cast<QKeyEvent*>(event);
        if (event->type() == QEvent::ShortcutOverride) {
            const Qt::KeyboardModifiers m = key->modifiers();
            const int k = key->key();
            if ((m & Qt::ControlModifier) && (m & Qt::ShiftModifier) &&
                (k == Qt::Key_F8 || k == Qt::Key_F9 || k == Qt::Key_F10))
                event->accept(); // ours: keep it from any shortcut, the key press follows
            break;
        }
        if (FormShortCut(key->key(), key->modifiers()))
            return true;
        break;
    }
    case QEvent::ToolTip: {
        auto* button = qobject_cast<QToolButton*>(watched);
        if (!button || button->parentWidget() != ActionToolBar1 || !button->defaultAction())
            break;
        QString hint;
        bool canShow = true;
        ActionHint(button->defaultAction(), hint, canShow);
        if (!canShow || hint.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), hint, button);
        return true;
    }
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- timers -----------------------------------------------------------------------------

void TForm6::Timer1Timer() {
    // The link icon moves only while the panel has accepted the access code; otherwise the
    // last frame shown stays.
    if (StateLogIn == 0)
        return;
    showLinkFrame(ImageSwitch);
    ImageSwitch = (ImageSwitch + 1) % ImageList4().count();
}

void TForm6::Timer2Timer() {
    if (PageControl->activePageIndex() != kPageParametriVari)
        return;
    TPageParametriVari* p = TabSheet6;
    if (p->CheckBox1->isChecked()) {
        p->ora->setTime(QTime::currentTime());
        p->Data->setDate(QDate::currentDate());
    }
    p->Label2->setText(
        QLocale::system().toString(QTime::currentTime(), TPageParametriVari::longTimeFormat()));
}

// ---- link menu items --------------------------------------------------------------------

void TForm6::SetUpCOM1Click() {
    MainWindowLinks::showConnectionForm();
}

void TForm6::Debug1Click() {
    // Checking shows the frame trace window; unchecking leaves it where it is.
    if (Debug1->isChecked())
        MainWindowLinks::showTraceWindow();
}

// ---- closing ----------------------------------------------------------------------------

void TForm6::ExitProgramma() {
    MainWindowLinks::freeVocabularyLists();
    MainWindowLinks::writeExitValues(MainWindowLinks::registerPath(), y(), x(), height(), width(),
                                     MainWindowLinks::replyTimeoutPosition());
}

void TForm6::FormCloseQuery(bool& canClose) {
    if (m_exiting)
        return;
    // A transfer that moves parts is not cut off unasked: the panel would keep half of it.
    if (!MainWindowLinks::stopTransferBeforeExit()) {
        canClose = false;
        return;
    }
    m_exiting = true;
    // The register is saved first, while everything the user may still need is there: a save
    // that fails keeps the program open with the work in memory, unless the user says otherwise.
    if (!MainWindowLinks::saveRegisterBeforeExit(this)) {
        m_exiting = false;
        canClose = false;
        return;
    }
    ExitProgramma();
    MainWindowLinks::freeDataModule();
    canClose = true;
    processExit()(0);
}

bool TForm6::exitProgram() {
    bool canClose = true;
    FormCloseQuery(canClose);
    return canClose;
}

void TForm6::closeEvent(QCloseEvent* event) {
    // While the main window is disabled (the register window or the model choice is up) or a
    // dialog is open over it, the window manager's close must not end the program behind them.
    if (!isEnabled() || QApplication::activeModalWidget()) {
        event->ignore();
        return;
    }
    bool canClose = true;
    FormCloseQuery(canClose);
    if (canClose)
        event->accept();
    else
        event->ignore();
}
