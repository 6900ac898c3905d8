#pragma once
// A one-line editor that enforces an edit mask in the program's own notation (see editmask.h):
// the text always has the mask's length, literals stay in place, typing overwrites and only
// characters that a position accepts get in. Without a mask it is a plain QLineEdit.
// Used by the grid's in-place editor and by DBEdit.

#include <QLineEdit>

#include <memory>

class EditMask;

class MaskedLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit MaskedLineEdit(QWidget* parent = nullptr);
    ~MaskedLineEdit() override;

    // "" switches the mask off. The text shown is rebuilt from the current stored value.
    void setEditMask(const QString& mask);
    QString editMask() const { return m_maskText; }
    bool hasMask() const;

    // Shows a stored value (through the mask when there is one). Emits no textEdited.
    void setStoredText(const QString& stored);
    // The value to store: the text without blanks (and without literals when the mask says so).
    QString storedText() const;
    // Empty when the text may be stored, else the message that says why not.
    QString validationError() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void typeCharacter(QChar c);
    void eraseRange(int from, int to); // blanks the editable positions in [from, to)
    void showEdited(const QString& text, int cursor);
    void repairAfterEdit(const QString& text);
    int nextEditable(int pos) const;
    int previousEditable(int pos) const;

    std::unique_ptr<EditMask> m_mask;
    QString m_maskText;
    QChar m_blank = QLatin1Char('_');
    bool m_repairing = false;
};
