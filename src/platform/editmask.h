#pragma once
// Edit masks in the program's own notation, e.g. "!90:00;1;_":
//   !  optional positions left empty show as leading blanks (the value is right-aligned in
//      each run of positions); without it they are trailing blanks
//   >  upper-case what follows   <  lower-case what follows   <>  no case change
//   A  letter or digit, required   a  letter or digit, optional
//   C  any character, required     c  any character, optional
//   L  letter, required            l  letter, optional
//   0  digit, required             9  digit, optional
//   #  digit or sign (+ -), optional
//   :  the locale's time separator   /  the locale's date separator
//   _  a literal blank   \x  x as a literal   any other character: a literal
// After the first unescaped ';': "1" (or anything but "0") keeps the literals in the stored
// value, "0" drops them; after the second ';' the character shown in empty positions ('_').
//
// These masks must never be handed to QLineEdit::setInputMask: Qt's 0 and 9 mean the reverse.
//
// Stored values always carry ':' and '/' as written in the mask, whatever the locale shows,
// so stored times and dates stay portable; the display uses the locale's separators, and
// displayText() accepts either form.

#include <QChar>
#include <QList>
#include <QString>

class EditMask {
public:
    explicit EditMask(const QString& mask = {});

    QString mask() const { return m_mask; }
    bool isEmpty() const { return m_positions.isEmpty(); }
    int length() const { return int(m_positions.size()); } // positions of the display text
    bool isLiteral(int pos) const;
    QChar literalAt(int pos) const; // as displayed; a null QChar for an input position
    bool isRequired(int pos) const;
    bool saveLiterals() const { return m_saveLiterals; }
    QChar blank() const { return m_blank; }
    bool leadingBlanks() const { return m_leadingBlanks; }

    // Whether c may be typed at pos (a literal position accepts only its literal).
    bool accepts(int pos, QChar c) const;
    // c as it is entered at pos: case conversion applied; a literal position gives its literal.
    QChar transform(int pos, QChar c) const;

    // Stored value -> display text of length() characters: literals in place, empty positions
    // shown as blank(). Spaces in the stored value are empty positions.
    QString displayText(const QString& stored) const;
    // Every required position holds an acceptable character, every optional one is empty or
    // holds one.
    bool isComplete(const QString& display) const;
    // Display text -> stored value: literals kept or dropped per the mask, empty positions as
    // spaces, trailing spaces removed; "" when no input position is filled.
    QString storedValue(const QString& display) const;
    // "" when the display text is acceptable; otherwise the text to show the user.
    QString validate(const QString& display) const;

    // The separators ':' and '/' stand for; by default the system locale's. A null QChar
    // goes back to the locale's.
    static void setSeparators(QChar timeSeparator, QChar dateSeparator);
    static QChar timeSeparator();
    static QChar dateSeparator();

private:
    enum class Kind : quint8 {
        Literal,
        TimeSeparator,
        DateSeparator,
        AlnumRequired,
        AlnumOptional,
        AnyRequired,
        AnyOptional,
        LetterRequired,
        LetterOptional,
        DigitRequired,
        DigitOptional,
        DigitOrSign
    };
    enum class Case : quint8 { None, Upper, Lower };
    struct Position {
        Kind kind;
        Case letterCase;
        QChar literal; // Literal: the character; separators: ':' or '/' (the stored form)
    };

    bool inRange(int pos) const { return pos >= 0 && pos < length(); }
    bool isLiteralKind(Kind k) const {
        return k == Kind::Literal || k == Kind::TimeSeparator || k == Kind::DateSeparator;
    }
    QChar displayedLiteral(const Position& p) const;
    bool matchesLiteral(const Position& p, QChar c) const;
    bool isEmptyChar(QChar c) const { return c == m_blank || c == u' ' || c.isNull(); }

    QString m_mask;
    QList<Position> m_positions;
    bool m_saveLiterals = true;
    bool m_leadingBlanks = false;
    QChar m_blank = u'_';
};
