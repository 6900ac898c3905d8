#pragma once
// Every modal message, question, input box and file prompt of the program goes through here,
// so that tests can answer them: while a BoxAnswerer is alive no real box is shown; it records
// each box and answers from its queue. Without one, Qt's own boxes are shown.

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>

class QWidget;

enum class MsgDlgType { Warning, Error, Information, Confirmation, Custom };

// Buttons of a box, combined with '|'; shown in this order. The icon flags are for
// MessageBox only (MessageDlg takes its icon from the MsgDlgType); no icon flag, no icon.
enum MsgDlgBtn : unsigned {
    mbYes = 1,
    mbNo = 2,
    mbOK = 4,
    mbCancel = 8,
    mbAbort = 16,
    mbRetry = 32,
    mbIgnore = 64,
    mbYesNo = mbYes | mbNo,
    mbYesNoCancel = mbYes | mbNo | mbCancel,
    mbOKCancel = mbOK | mbCancel,
    mbAbortRetryIgnore = mbAbort | mbRetry | mbIgnore,
    mbIconError = 0x1000,
    mbIconQuestion = 0x2000,
    mbIconWarning = 0x4000,
    mbIconInformation = 0x8000,
    mbButtonMask = 0x7F,
};

enum ModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7
};

// A box with its type's caption ("Attenzione", "Errore", "Informazione", "Conferma"; Custom: the
// application name) and icon. Returns the ModalResult of the button pressed; closing the box
// gives the result of its Cancel (else No, else OK) button. No buttons means OK.
int MessageDlg(const QString& text, MsgDlgType type, unsigned buttons);
// A notice with an OK button and the application name as caption.
void ShowMessage(const QString& text);
// A box with the given caption; `buttons` are MsgDlgBtn flags, optionally with one icon flag.
int MessageBox(const QString& text, const QString& caption, unsigned buttons);
// A box whose buttons carry the given captions, in that order; returns the index of the button
// pressed. Closing the box (its close box, Esc) gives `escapeChoice`, which should name the
// choice that changes nothing.
int ChoiceDlg(const QString& text, MsgDlgType type, const QStringList& choices, int escapeChoice);
// One line of text; OK returns the edited text (possibly empty), Cancel returns `preset`.
QString InputBox(const QString& caption, const QString& prompt, const QString& preset);
// File prompts; an empty result means cancelled. `filter` is in the "description|patterns|..."
// notation ("*.cds|*.cds", "csv file|*.csv"). The save prompt appends `defaultExt` (without
// dot, may be empty) to a name typed without extension and asks before overwriting.
QString PromptSaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                           const QString& presetName, const QString& filter, const QString& defaultExt);
QString PromptOpenFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter,
                           const QString& presetName = {});

// The window a box raised now belongs to, and stands above: the modal dialog that is up, else
// the shown stay-on-top window that takes input (the progress dialog, the model choice, the
// register window; the active one first, a dialog before a main window), else the active
// window, else the shown main window. Empty when none of these is up. The active window alone
// is not enough: it is empty right after a file prompt closes and while the program starts,
// and a window that stays on top would cover a box that belongs to the window below it.
QWidget* boxOwner();
// Whether a box raised now must itself stay on top: some shown window of the program does (the
// wait window among them), and a box it covered could neither be read nor answered.
bool boxMustStayOnTop();

// "csv file|*.csv" -> "csv file (*.csv)"; "Texts|*.txt;*.log|All|*.*" -> "Texts (*.txt *.log);;All (*)".
QString qtFileFilter(const QString& pipeFilter);
// The caption MessageDlg gives a box of this type.
QString messageDlgCaption(MsgDlgType type);

// ---- Test support -----------------------------------------------------------------------

// One box as it would have been shown. kind: "MessageDlg", "ShowMessage", "MessageBox",
// "InputBox", "SaveFile", "OpenFile", "ChoiceDlg". For InputBox `text` is the prompt; for file prompts it
// is the preset name and `caption` the title. `buttons`: MsgDlgBtn flags offered (input and
// file prompts: mbOK | mbCancel). `type` is set for MessageDlg only.
struct ShownBox {
    QString kind;
    QString text;
    QString caption;
    unsigned buttons = 0;
    MsgDlgType type = MsgDlgType::Custom;
    QString preset;      // InputBox: preset text; file prompts: the Qt filter
    QStringList choices; // ChoiceDlg: the buttons' captions
    // Where the box would have stood: its owner and whether it stays on top itself.
    QPointer<QWidget> owner;
    bool staysOnTop = false;
};

// While alive, answers every box instead of showing it (RAII; answerers nest, the newest
// answers). Never blocks.
// - Message boxes take the next queued int (a ModalResult); with the queue empty, the first
//   button offered (in the order Yes, No, OK, Cancel, Abort, Retry, Ignore).
// - Choice boxes take the next queued int as the index of the button pressed; with the queue
//   empty, their escape choice (never a choice that would repeat itself for ever).
// - Input boxes and file prompts take the next queued text; a queued cancel makes the input
//   box return its preset and a file prompt return "". With the queue empty an input box is
//   confirmed unchanged (returns the preset) and a file prompt is cancelled.
// The two queues are independent. `responder`, when set, answers first: it returns a QVariant
// (int or QString, or an invalid QVariant for "use the queue"; for an input box or file
// prompt the int mrCancel means cancelled).
class BoxAnswerer {
public:
    BoxAnswerer();
    ~BoxAnswerer();
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

    BoxAnswerer& answer(int modalResult);
    BoxAnswerer& answerText(const QString& text);
    BoxAnswerer& answerCancel(); // next input box / file prompt is cancelled

    int count(const QString& kind = {}) const;
    const ShownBox& last() const; // the newest box; call only when shown is not empty
    QStringList texts() const;    // texts of all boxes, in order
    void clear() { shown.clear(); }

    QList<ShownBox> shown;
    std::function<QVariant(const ShownBox&)> responder;

    // Used by the dialog functions.
    // The newest answerer alive, or none while a RealBoxes lives.
    static BoxAnswerer* active();
    int answerMessage(const ShownBox& box);
    int answerChoice(const ShownBox& box, int escapeChoice);
    std::optional<QString> answerInput(const ShownBox& box); // nullopt = cancelled

private:
    QList<int> m_results;
    QList<std::optional<QString>> m_texts;
    BoxAnswerer* m_previous = nullptr;
};

// While alive, every box and prompt is shown on screen even where an answerer lives; for tests
// on a real display that answer boxes with the pointer. They nest.
class RealBoxes {
public:
    RealBoxes();
    ~RealBoxes();
    RealBoxes(const RealBoxes&) = delete;
    RealBoxes& operator=(const RealBoxes&) = delete;
};
