#include "platform/maskedlineedit.h"

#include "platform/editmask.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>

MaskedLineEdit::MaskedLineEdit(QWidget* parent) : QLineEdit(parent) {
    // Pastes and other edits that bypass the key handler are fitted back into the mask.
    connect(this, &QLineEdit::textEdited, this, &MaskedLineEdit::repairAfterEdit);
}

MaskedLineEdit::~MaskedLineEdit() = default;

bool MaskedLineEdit::hasMask() const {
    return m_mask && !m_mask->isEmpty();
}

void MaskedLineEdit::setEditMask(const QString& mask) {
    if (mask == m_maskText && (mask.isEmpty() || m_mask))
        return;
    const QString stored = storedText();
    m_maskText = mask;
    m_mask = mask.isEmpty() ? nullptr : std::make_unique<EditMask>(mask);
    if (hasMask()) {
        m_blank = m_mask->blank();
        setMaxLength(m_mask->length());
    } else {
        setMaxLength(32767);
    }
    setStoredText(stored);
}

void MaskedLineEdit::setStoredText(const QString& stored) {
    setText(hasMask() ? m_mask->displayText(stored) : stored);
    setCursorPosition(hasMask() ? nextEditable(0) : text().size());
}

QString MaskedLineEdit::storedText() const {
    return hasMask() ? m_mask->storedValue(text()) : text();
}

QString MaskedLineEdit::validationError() const {
    return hasMask() ? m_mask->validate(text()) : QString();
}

int MaskedLineEdit::nextEditable(int pos) const {
    while (pos < m_mask->length() && m_mask->isLiteral(pos))
        ++pos;
    return pos;
}

int MaskedLineEdit::previousEditable(int pos) const {
    --pos;
    while (pos >= 0 && m_mask->isLiteral(pos))
        --pos;
    return pos;
}

void MaskedLineEdit::showEdited(const QString& text, int cursor) {
    m_repairing = true;
    setText(text);
    setCursorPosition(cursor);
    m_repairing = false;
    emit textEdited(text);
}

void MaskedLineEdit::eraseRange(int from, int to) {
    QString t = text();
    for (int i = from; i < to && i < t.size(); ++i)
        if (!m_mask->isLiteral(i))
            t[i] = m_blank;
    showEdited(t, from);
}

void MaskedLineEdit::typeCharacter(QChar c) {
    int pos = cursorPosition();
    if (hasSelectedText()) {
        pos = selectionStart();
        eraseRange(pos, pos + selectedText().size());
    }
    // Typing a literal where it stands just steps over it.
    if (pos < m_mask->length() && m_mask->isLiteral(pos) && text().at(pos) == c) {
        setCursorPosition(pos + 1);
        return;
    }
    pos = nextEditable(pos);
    if (pos >= m_mask->length() || !m_mask->accepts(pos, c))
        return;
    QString t = text();
    t[pos] = m_mask->transform(pos, c);
    showEdited(t, nextEditable(pos + 1));
}

void MaskedLineEdit::keyPressEvent(QKeyEvent* event) {
    if (!hasMask() || isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (event == QKeySequence::Paste) {
        int pos = cursorPosition();
        for (QChar c : QGuiApplication::clipboard()->text()) {
            setCursorPosition(pos);
            typeCharacter(c);
            pos = cursorPosition();
        }
        return;
    }
    if (event == QKeySequence::Cut || event == QKeySequence::Undo || event == QKeySequence::Redo) {
        if (event == QKeySequence::Cut && hasSelectedText()) {
            copy();
            eraseRange(selectionStart(), selectionStart() + selectedText().size());
        }
        return; // undo would bring back texts of another length
    }
    switch (event->key()) {
    case Qt::Key_Backspace: {
        if (hasSelectedText()) {
            eraseRange(selectionStart(), selectionStart() + selectedText().size());
        } else {
            const int pos = previousEditable(cursorPosition());
            if (pos >= 0)
                eraseRange(pos, pos + 1);
        }
        return;
    }
    case Qt::Key_Delete: {
        if (hasSelectedText())
            eraseRange(selectionStart(), selectionStart() + selectedText().size());
        else if (cursorPosition() < m_mask->length())
            eraseRange(cursorPosition(), cursorPosition() + 1);
        return;
    }
    default:
        break;
    }
    const QString typed = event->text();
    if (typed.size() == 1 && typed.at(0).isPrint() &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        typeCharacter(typed.at(0));
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void MaskedLineEdit::repairAfterEdit(const QString& edited) {
    if (m_repairing || !hasMask() || edited.size() == m_mask->length())
        return;
    // Refill the mask with the characters that fit, in order.
    QString fitted = m_mask->displayText(QString());
    int pos = nextEditable(0);
    for (QChar c : edited) {
        if (pos >= m_mask->length())
            break;
        if (c == m_blank || !m_mask->accepts(pos, c))
            continue;
        fitted[pos] = m_mask->transform(pos, c);
        pos = nextEditable(pos + 1);
    }
    showEdited(fitted, qMin(pos, int(fitted.size())));
}
