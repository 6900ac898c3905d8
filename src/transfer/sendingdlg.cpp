#include "transfer/sendingdlg.h"

#include "transfer/transferflags.h"
#include "transfer/transferhooks.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QListWidget>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

TSendingDlg* SendingDlg = nullptr;

TSendingDlg::TSendingDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("SendingDlg"));
    setFixedSize(383, 210);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::Box);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(0, 0, 383, 210);

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 8, 366, 145);
    auto* layout = new QVBoxLayout(GroupBox1);
    layout->setContentsMargins(2, 2, 2, 2);
    ListBox1 = new QListWidget(GroupBox1);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    layout->addWidget(ListBox1);

    ProgressBar2 = new QProgressBar(this);
    ProgressBar2->setObjectName(QStringLiteral("ProgressBar2"));
    ProgressBar2->setGeometry(8, 160, 366, 17);
    ProgressBar2->setTextVisible(false);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(8, 184, 366, 17);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setRange(0, 62);
    ProgressBar1->setValue(0);
    ProgressBar2->setRange(0, 1);
    ProgressBar2->setValue(0);
    FormCreate();
}

TSendingDlg::~TSendingDlg() {
    if (SendingDlg == this)
        SendingDlg = nullptr;
}

void TSendingDlg::FormCreate() {
    // The main window usually does not exist yet; the job start copies its caption later.
    setWindowTitle(TransferHooks::mainCaption ? TransferHooks::mainCaption() : QString());
    centreOnMainWindowScreen();
}

void TSendingDlg::centreOnMainWindowScreen() {
    // The main window usually does not exist yet when the dialog is made, and may have been moved
    // to another monitor since: the screen is looked up at every opening.
    QWidget* main = TransferHooks::mainWindow ? TransferHooks::mainWindow() : nullptr;
    QScreen* s = main ? main->screen() : nullptr;
    if (!s)
        s = QGuiApplication::primaryScreen();
    if (s)
        move(s->availableGeometry().center() - rect().center());
}

void TSendingDlg::FormShow() {
    ListBox1->clear();
}

bool TSendingDlg::FormCloseQuery() const {
    return StateTrasfert == 0;
}

void TSendingDlg::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        centreOnMainWindowScreen();
        FormShow();
    }
    QDialog::showEvent(event);
}

void TSendingDlg::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

void TSendingDlg::reject() {
    if (FormCloseQuery())
        QDialog::reject();
}

void TSendingDlg::AddLine(const QString& text) {
    // The live status adds lines for as long as it runs: keep the newest ones only.
    constexpr int MaxLines = 2000;
    while (ListBox1->count() >= MaxLines)
        delete ListBox1->takeItem(0);
    // A line is measured once, as it is added: a list that has to measure its lines measures all
    // of them again for every line added, which made a long job slower with every part.
    auto* item = new QListWidgetItem(text, ListBox1);
    item->setSizeHint(ListBox1->sizeHintForIndex(ListBox1->indexFromItem(item)));
    ListBox1->setCurrentRow(ListBox1->count() - 1);
    ListBox1->scrollToBottom();
}

void TSendingDlg::AddPartLine(const QString& label, int counter, bool last, int command, int parts) {
    if (!isVisible())
        show();
    QString line = label + QString::number(counter);
    if (last)
        line += QStringLiteral("  ........Ok");
    AddLine(line);
    ProgressBar1->setMaximum(62);
    ProgressBar1->setValue(qBound(0, command, 62));
    ProgressBar2->setMaximum(qMax(1, parts));
    ProgressBar2->setValue(qBound(0, counter, qMax(1, parts)));
}

// Keeps this class's meta-object code in this file rather than in the shared moc unit.
#include "moc_sendingdlg.cpp"
