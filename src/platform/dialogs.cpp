#include "platform/dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

#include <algorithm>

namespace {

BoxAnswerer* g_answerer = nullptr;

int g_realBoxes = 0; // RealBoxes alive

bool staysOnTop(const QWidget* w) {
    return w->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

// A window of the program a person sees: shown and top-level, not a menu or a tool tip.
bool isShownWindow(const QWidget* w) {
    if (!w->isWindow() || !w->isVisible())
        return false;
    const Qt::WindowType type = w->windowType();
    return type == Qt::Window || type == Qt::Dialog || type == Qt::Tool;
}

// A disabled window takes no input and is not where the person is (the register window while
// the model choice is up); the wait window, disabled too, is destroyed by whoever showed it and
// would take an owned box along.
bool canOwnBoxes(const QWidget* w) {
    return w && isShownWindow(w) && w->isEnabled();
}

// Of the shown stay-on-top windows that take input: the active one, else a dialog (shown over a
// main window: the progress dialog, the model choice), else any.
QWidget* stayOnTopOwner() {
    QWidget* active = QApplication::activeWindow();
    QWidget* dialog = nullptr;
    QWidget* other = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!canOwnBoxes(w) || !staysOnTop(w))
            continue;
        if (w == active)
            return w;
        if (!dialog && qobject_cast<QDialog*>(w))
            dialog = w;
        if (!other)
            other = w;
    }
    return dialog ? dialog : other;
}

QWidget* shownMainWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (canOwnBoxes(w) && qobject_cast<QMainWindow*>(w))
            return w;
    return nullptr;
}

// Gives a box its place before it is shown: over its owner (set at its creation) and, while a
// window of the program stays on top, on top itself.
void standAboveEveryWindow(QWidget& box) {
    if (boxMustStayOnTop())
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

// A short caption on a narrow box is cut by the window manager ("Tabul..."): the width that
// shows it whole, plus room for the title bar's buttons.
int widthForCaption(const QWidget& box, const QString& caption) {
    return box.fontMetrics().horizontalAdvance(caption) + 120;
}

// The record of a box an answerer takes, with the place it would have had.
ShownBox describedBox(const QString& kind, const QString& text, const QString& caption, unsigned buttons,
                      MsgDlgType type = MsgDlgType::Custom, const QString& preset = {},
                      const QStringList& choices = {}, QWidget* owner = boxOwner()) {
    return ShownBox{kind, text, caption, buttons, type, preset, choices, owner, boxMustStayOnTop()};
}

struct ButtonMap {
    unsigned flag;
    QMessageBox::StandardButton qt;
    int result;
};

// In the order the buttons are shown.
constexpr ButtonMap kButtons[] = {
    {mbYes, QMessageBox::Yes, mrYes},
    {mbNo, QMessageBox::No, mrNo},
    {mbOK, QMessageBox::Ok, mrOk},
    {mbCancel, QMessageBox::Cancel, mrCancel},
    {mbAbort, QMessageBox::Abort, mrAbort},
    {mbRetry, QMessageBox::Retry, mrRetry},
    {mbIgnore, QMessageBox::Ignore, mrIgnore},
};

unsigned offeredButtons(unsigned buttons) {
    const unsigned b = buttons & mbButtonMask;
    return b == 0 ? unsigned(mbOK) : b;
}

int firstButtonResult(unsigned buttons) {
    for (const ButtonMap& m : kButtons)
        if (buttons & m.flag)
            return m.result;
    return mrOk;
}

// Closing a box by its close box or Esc counts as the Cancel button, else No, else OK.
int escapeResult(unsigned buttons) {
    if (buttons & mbCancel)
        return mrCancel;
    if (buttons & mbNo)
        return mrNo;
    if (buttons & mbOK)
        return mrOk;
    return mrCancel;
}

QString applicationTitle() {
    const QString name = QApplication::applicationDisplayName();
    return name.isEmpty() ? QApplication::applicationName() : name;
}

int execMessageBox(const QString& text, const QString& caption, QMessageBox::Icon icon, unsigned buttons) {
    QMessageBox box(icon, caption, text, QMessageBox::NoButton, boxOwner());
    standAboveEveryWindow(box);
    QMessageBox::StandardButton escape = QMessageBox::NoButton;
    const int escResult = escapeResult(buttons);
    for (const ButtonMap& m : kButtons) {
        if (!(buttons & m.flag))
            continue;
        QPushButton* b = box.addButton(m.qt);
        if (box.defaultButton() == nullptr)
            box.setDefaultButton(b);
        if (m.result == escResult)
            escape = m.qt;
    }
    if (escape != QMessageBox::NoButton)
        box.setEscapeButton(escape);
    // A short message makes a narrow box: keep it wide enough for its caption.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(
            new QSpacerItem(widthForCaption(box, caption), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
            grid->rowCount(), 0, 1, grid->columnCount());
    }
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const ButtonMap& m : kButtons)
        if (m.qt == clicked)
            return m.result;
    return escResult;
}

QMessageBox::Icon iconOfType(MsgDlgType type) {
    switch (type) {
    case MsgDlgType::Warning:
        return QMessageBox::Warning;
    case MsgDlgType::Error:
        return QMessageBox::Critical;
    case MsgDlgType::Information:
        return QMessageBox::Information;
    case MsgDlgType::Confirmation:
        return QMessageBox::Question;
    case MsgDlgType::Custom:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::Icon iconOfFlags(unsigned buttons) {
    if (buttons & mbIconError)
        return QMessageBox::Critical;
    if (buttons & mbIconQuestion)
        return QMessageBox::Question;
    if (buttons & mbIconWarning)
        return QMessageBox::Warning;
    if (buttons & mbIconInformation)
        return QMessageBox::Information;
    return QMessageBox::NoIcon;
}

// "*.txt;*.log" -> "*.txt *.log"; "*.*" -> "*" (Qt's "any file").
QString qtPatterns(const QString& patterns) {
    QStringList out;
    for (const QString& p : patterns.split(u';', Qt::SkipEmptyParts)) {
        const QString t = p.trimmed();
        if (!t.isEmpty())
            out << (t == QLatin1String("*.*") ? QStringLiteral("*") : t);
    }
    return out.join(u' ');
}

std::optional<QString> answerFileBox(const ShownBox& box) {
    BoxAnswerer* a = BoxAnswerer::active();
    return a->answerInput(box);
}

} // namespace

QString messageDlgCaption(MsgDlgType type) {
    switch (type) {
    case MsgDlgType::Warning:
        return QStringLiteral("Attenzione");
    case MsgDlgType::Error:
        return QStringLiteral("Errore");
    case MsgDlgType::Information:
        return QStringLiteral("Informazione");
    case MsgDlgType::Confirmation:
        return QStringLiteral("Conferma");
    case MsgDlgType::Custom:
        break;
    }
    return applicationTitle();
}

QWidget* boxOwner() {
    if (QWidget* modal = QApplication::activeModalWidget(); canOwnBoxes(modal))
        return modal;
    if (QWidget* onTop = stayOnTopOwner())
        return onTop;
    if (QWidget* active = QApplication::activeWindow(); canOwnBoxes(active))
        return active;
    return shownMainWindow();
}

bool boxMustStayOnTop() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.cbegin(), windows.cend(),
                       [](const QWidget* w) { return isShownWindow(w) && staysOnTop(w); });
}

QString qtFileFilter(const QString& pipeFilter) {
    if (pipeFilter.isEmpty())
        return {};
    if (!pipeFilter.contains(u'|'))
        return pipeFilter.contains(u'(') ? pipeFilter
                                         : QStringLiteral("%1 (%2)").arg(pipeFilter, qtPatterns(pipeFilter));
    const QStringList parts = pipeFilter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString description = parts.at(i).trimmed();
        const QString patterns = i + 1 < parts.size() ? qtPatterns(parts.at(i + 1)) : qtPatterns(description);
        if (description.isEmpty() && patterns.isEmpty())
            continue;
        // A description that already lists its patterns in brackets is kept as it is.
        if (description.contains(u'(') && description.endsWith(u')'))
            filters << description;
        else
            filters << QStringLiteral("%1 (%2)").arg(description.isEmpty() ? patterns : description,
                                                     patterns);
    }
    return filters.join(QStringLiteral(";;"));
}

int MessageDlg(const QString& text, MsgDlgType type, unsigned buttons) {
    const unsigned offered = offeredButtons(buttons);
    if (BoxAnswerer* a = BoxAnswerer::active())
        return a->answerMessage(
            describedBox(QStringLiteral("MessageDlg"), text, messageDlgCaption(type), offered, type));
    return execMessageBox(text, messageDlgCaption(type), iconOfType(type), offered);
}

int ChoiceDlg(const QString& text, MsgDlgType type, const QStringList& choices, int escapeChoice) {
    if (BoxAnswerer* a = BoxAnswerer::active())
        return a->answerChoice(
            describedBox(QStringLiteral("ChoiceDlg"), text, messageDlgCaption(type), 0, type, {}, choices),
            escapeChoice);
    QMessageBox box(iconOfType(type), messageDlgCaption(type), text, QMessageBox::NoButton, boxOwner());
    standAboveEveryWindow(box);
    QList<QPushButton*> buttons;
    for (const QString& caption : choices)
        buttons << box.addButton(caption, QMessageBox::ActionRole);
    if (!buttons.isEmpty())
        box.setDefaultButton(buttons.constFirst());
    if (escapeChoice >= 0 && escapeChoice < buttons.size())
        box.setEscapeButton(buttons.at(escapeChoice));
    box.exec();
    const int pressed = int(buttons.indexOf(qobject_cast<QPushButton*>(box.clickedButton())));
    return pressed >= 0 ? pressed : escapeChoice;
}

void ShowMessage(const QString& text) {
    if (BoxAnswerer* a = BoxAnswerer::active()) {
        a->answerMessage(describedBox(QStringLiteral("ShowMessage"), text, applicationTitle(), mbOK));
        return;
    }
    execMessageBox(text, applicationTitle(), QMessageBox::NoIcon, mbOK);
}

int MessageBox(const QString& text, const QString& caption, unsigned buttons) {
    const unsigned offered = offeredButtons(buttons);
    if (BoxAnswerer* a = BoxAnswerer::active())
        return a->answerMessage(describedBox(QStringLiteral("MessageBox"), text, caption, offered));
    return execMessageBox(text, caption, iconOfFlags(buttons), offered);
}

QString InputBox(const QString& caption, const QString& prompt, const QString& preset) {
    if (BoxAnswerer* a = BoxAnswerer::active()) {
        const ShownBox box = describedBox(QStringLiteral("InputBox"), prompt, caption, mbOK | mbCancel,
                                          MsgDlgType::Custom, preset);
        return a->answerInput(box).value_or(preset);
    }
    QInputDialog dialog(boxOwner());
    standAboveEveryWindow(dialog);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(preset);
    // The box takes its size from its contents when shown: its prompt is what keeps it wide
    // enough for the caption.
    if (auto* label = dialog.findChild<QLabel*>())
        label->setMinimumWidth(widthForCaption(dialog, caption));
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : preset;
}

QString PromptSaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                           const QString& presetName, const QString& filter, const QString& defaultExt) {
    const QString qtFilter = qtFileFilter(filter);
    QWidget* owner = parent ? parent : boxOwner();
    if (BoxAnswerer::active())
        return answerFileBox(describedBox(QStringLiteral("SaveFile"), presetName, caption, mbOK | mbCancel,
                                          MsgDlgType::Custom, qtFilter, {}, owner))
            .value_or(QString());
    QFileDialog dialog(owner, caption, dir, qtFilter);
    standAboveEveryWindow(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!defaultExt.isEmpty())
        dialog.setDefaultSuffix(defaultExt.startsWith(u'.') ? defaultExt.mid(1) : defaultExt);
    if (!presetName.isEmpty())
        dialog.selectFile(presetName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString PromptOpenFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter,
                           const QString& presetName) {
    const QString qtFilter = qtFileFilter(filter);
    QWidget* owner = parent ? parent : boxOwner();
    if (BoxAnswerer::active())
        return answerFileBox(describedBox(QStringLiteral("OpenFile"), presetName, caption, mbOK | mbCancel,
                                          MsgDlgType::Custom, qtFilter, {}, owner))
            .value_or(QString());
    QFileDialog dialog(owner, caption, dir, qtFilter);
    standAboveEveryWindow(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // A preset that is only a pattern ("*.cds") is the filter already: nothing to select.
    if (!presetName.isEmpty() && !presetName.contains(u'*'))
        dialog.selectFile(presetName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

// ---- BoxAnswerer ------------------------------------------------------------------------

BoxAnswerer::BoxAnswerer() : m_previous(g_answerer) {
    g_answerer = this;
}

BoxAnswerer::~BoxAnswerer() {
    // Answerers nest; one destroyed out of order is unlinked without disturbing the others.
    if (g_answerer == this) {
        g_answerer = m_previous;
        return;
    }
    for (BoxAnswerer* a = g_answerer; a; a = a->m_previous) {
        if (a->m_previous == this) {
            a->m_previous = m_previous;
            return;
        }
    }
}

BoxAnswerer* BoxAnswerer::active() {
    return g_realBoxes > 0 ? nullptr : g_answerer;
}

RealBoxes::RealBoxes() {
    ++g_realBoxes;
}

RealBoxes::~RealBoxes() {
    --g_realBoxes;
}

BoxAnswerer& BoxAnswerer::answer(int modalResult) {
    m_results.append(modalResult);
    return *this;
}

BoxAnswerer& BoxAnswerer::answerText(const QString& text) {
    m_texts.append(text);
    return *this;
}

BoxAnswerer& BoxAnswerer::answerCancel() {
    m_texts.append(std::nullopt);
    return *this;
}

int BoxAnswerer::count(const QString& kind) const {
    if (kind.isEmpty())
        return int(shown.size());
    int n = 0;
    for (const ShownBox& b : shown)
        if (b.kind == kind)
            ++n;
    return n;
}

const ShownBox& BoxAnswerer::last() const {
    Q_ASSERT(!shown.isEmpty());
    return shown.constLast();
}

QStringList BoxAnswerer::texts() const {
    QStringList out;
    out.reserve(shown.size());
    for (const ShownBox& b : shown)
        out << b.text;
    return out;
}

int BoxAnswerer::answerMessage(const ShownBox& box) {
    return answerChoice(box, firstButtonResult(box.buttons));
}

// The responder's answer, else the next queued one, else `unanswered`.
int BoxAnswerer::answerChoice(const ShownBox& box, int unanswered) {
    shown.append(box);
    if (responder) {
        const QVariant r = responder(box);
        if (r.isValid())
            return r.toInt();
    }
    if (!m_results.isEmpty())
        return m_results.takeFirst();
    return unanswered;
}

std::optional<QString> BoxAnswerer::answerInput(const ShownBox& box) {
    shown.append(box);
    if (responder) {
        const QVariant r = responder(box);
        if (r.isValid()) {
            if (r.typeId() == QMetaType::Int && r.toInt() == mrCancel)
                return std::nullopt;
            return r.toString();
        }
    }
    if (!m_texts.isEmpty())
        return m_texts.takeFirst();
    if (box.kind == QLatin1String("InputBox"))
        return box.preset;
    return std::nullopt;
}
