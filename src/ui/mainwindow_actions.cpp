// The main window's commands: transfers, save, register window and exit.

#include "ui/mainwindow.h"

#include "ui/imagelist.h"
#include "ui/mainwindow_links.h"
#include "ui/pagecontrol.h"

#include <QAction>

namespace {
// Tab codes of the jobs that are not a page.
constexpr int kTabCmdStartTest = 100;
constexpr int kTabCmdStopTest = 101;
constexpr int kTabCmdEventi = 102;
constexpr int kTabCmdAllRead = 103;
constexpr int kTabCmdAllWrite = 104;
constexpr int kTabCmdTempRecv = 105;
constexpr int kTabCmdTempSend = 106;

struct ActionDef {
    QAction* TForm6::*member;
    const char* name;
    int image; // ImageList1 position, -1 none
    const char* shortcut;
    bool checkable;
    bool enabled;
    bool visible;
    void (TForm6::*execute)();
};

const ActionDef kActions[] = {
    {&TForm6::Action1, "Action1", 0, nullptr, false, true, true, &TForm6::Action1Execute},
    {&TForm6::Action20, "Action20", 17, nullptr, false, true, true, &TForm6::Action20Execute},
    {&TForm6::Action18, "Action18", 2, "Ctrl+Alt+W", false, true, true, &TForm6::Action18Execute},
    {&TForm6::Action8, "Action8", 3, "Ctrl+Alt+Q", false, true, true, &TForm6::Action8Execute},
    {&TForm6::Action5, "Action5", 14, "Ctrl+Alt+S", false, true, true, &TForm6::Action5Execute},
    {&TForm6::Action6, "Action6", 15, "Ctrl+Alt+A", false, true, true, &TForm6::Action6Execute},
    {&TForm6::Action4, "Action4", 8, nullptr, true, false, true, &TForm6::Action4Execute},
    {&TForm6::Action7, "Action7", 1, nullptr, false, true, true, &TForm6::Action7Execute},
    {&TForm6::Action24_temp_recv, "Action24_temp_recv", 16, nullptr, false, true, false,
     &TForm6::Action24_temp_recvExecute},
    {&TForm6::Action24_temp_send, "Action24_temp_send", 3, nullptr, false, true, false,
     &TForm6::Action24_temp_sendExecute},
    {&TForm6::Action13, "Action13", -1, nullptr, false, true, true, &TForm6::Action13Execute},
    {&TForm6::Action16, "Action16", -1, nullptr, true, true, true, &TForm6::Action16Execute},
    // Run by the window's LinkActions (add and remove of the association pages).
    {&TForm6::Action2, "Action2", 4, nullptr, false, false, true, nullptr},
    {&TForm6::Action3, "Action3", 5, nullptr, false, false, true, nullptr},
};
} // namespace

void TForm6::createActions() {
    for (const ActionDef& def : kActions) {
        auto* a = new QAction(this);
        a->setObjectName(QString::fromLatin1(def.name));
        if (def.image >= 0)
            a->setIcon(ImageList1().icon(def.image));
        if (def.shortcut) {
            a->setShortcut(QKeySequence(QString::fromLatin1(def.shortcut)));
            a->setShortcutContext(Qt::WindowShortcut);
        }
        a->setCheckable(def.checkable);
        a->setEnabled(def.enabled);
        a->setVisible(def.visible);
        // A check action has toggled its checked state before its handler runs.
        if (def.execute)
            connect(a, &QAction::triggered, this, def.execute);
        this->*def.member = a;
    }
}

// Page commands do nothing on the event-log page: it has no page transfer.
static bool onEventLogPage(const TForm6& f) {
    return f.PageControl->activePageIndex() == TForm6::kPageEventi;
}

void TForm6::Action5Execute() {
    if (onEventLogPage(*this))
        return;
    if (MainWindowLinks::askYesNoWarning(QStringLiteral("Vuoi Sovrascrivere la configurazione esistente ?")))
        MainWindowLinks::startTransfer(kTabCmdAllRead, false);
}

void TForm6::Action6Execute() {
    if (onEventLogPage(*this))
        return;
    MainWindowLinks::startTransfer(kTabCmdAllWrite, true);
}

void TForm6::Action18Execute() {
    if (onEventLogPage(*this))
        return;
    MainWindowLinks::startTransfer(PageControl->activePageIndex(), false);
}

void TForm6::Action8Execute() {
    if (onEventLogPage(*this))
        return;
    MainWindowLinks::startTransfer(PageControl->activePageIndex(), true);
}

void TForm6::Action4Execute() {
    if (Action4->isChecked()) {
        // A live test that does not start leaves CONNETTI up, ready for the next start.
        if (!MainWindowLinks::startTransfer(kTabCmdStartTest, false))
            Action4->setChecked(false);
    } else {
        // The sequencer must not tick into the stop job's command list.
        MainWindowLinks::stopSequencer();
        MainWindowLinks::startTransfer(kTabCmdStopTest, false);
    }
}

void TForm6::Action13Execute() {
    MainWindowLinks::startTransfer(kTabCmdEventi, false);
}
void TForm6::Action24_temp_recvExecute() {
    MainWindowLinks::startTransfer(kTabCmdTempRecv, false);
}
void TForm6::Action24_temp_sendExecute() {
    MainWindowLinks::startTransfer(kTabCmdTempSend, true);
}

void TForm6::Action20Execute() {
    try {
        MainWindowLinks::saveRegister();
    } catch (const std::exception& e) {
        MainWindowLinks::showError(QString::fromStdString(e.what()));
    }
}

void TForm6::Action1Execute() {
    MainWindowLinks::showRegisterWindow();
}

void TForm6::Action7Execute() {
    close();
}

void TForm6::Action16Execute() {
    Action16->setText(Action16->isChecked() ? QStringLiteral("Disattiva/Selezione")
                                            : QStringLiteral("Attiva/Selezione"));
}

void TForm6::ActionHint(QAction* action, QString& hint, bool& canShow) const {
    canShow = true;
    if (isEnabled())
        hint = action->property("hint").toString();
    else
        canShow = false; // no hint while the register window or a dialog holds the window
}
