#include "platform/editmask.h"

#include <QLocale>

namespace {

QChar g_timeSeparator;
QChar g_dateSeparator;

// The first character of a locale format that is not a field letter or a blank.
QChar separatorIn(const QString& format, QChar fallback) {
    for (QChar c : format) {
        if (!c.isLetter() && c != u' ' && c != u'\'')
            return c;
    }
    return fallback;
}

} // namespace

void EditMask::setSeparators(QChar timeSeparator, QChar dateSeparator) {
    g_timeSeparator = timeSeparator;
    g_dateSeparator = dateSeparator;
}

QChar EditMask::timeSeparator() {
    if (!g_timeSeparator.isNull())
        return g_timeSeparator;
    static const QChar fromLocale = separatorIn(QLocale::system().timeFormat(QLocale::ShortFormat), u':');
    return fromLocale;
}

QChar EditMask::dateSeparator() {
    if (!g_dateSeparator.isNull())
        return g_dateSeparator;
    static const QChar fromLocale = separatorIn(QLocale::system().dateFormat(QLocale::ShortFormat), u'/');
    return fromLocale;
}

EditMask::EditMask(const QString& mask) : m_mask(mask) {
    // The mask body ends at the first unescaped ';'; then the save flag and the blank.
    qsizetype bodyEnd = mask.size();
    for (qsizetype i = 0; i < mask.size(); ++i) {
        if (mask.at(i) == u'\\') {
            ++i;
        } else if (mask.at(i) == u';') {
            bodyEnd = i;
            break;
        }
    }
    if (bodyEnd < mask.size()) {
        const QStringList fields = mask.mid(bodyEnd + 1).split(u';');
        if (!fields.value(0).isEmpty())
            m_saveLiterals = fields.at(0).at(0) != u'0';
        if (fields.size() > 1 && !fields.at(1).isEmpty())
            m_blank = fields.at(1).at(0);
    }

    Case letterCase = Case::None;
    for (qsizetype i = 0; i < bodyEnd; ++i) {
        const QChar c = mask.at(i);
        auto add = [&](Kind k, QChar literal = {}) { m_positions.append({k, letterCase, literal}); };
        switch (c.unicode()) {
        case '!':
            m_leadingBlanks = true;
            break;
        case '>':
            letterCase = Case::Upper;
            break;
        case '<':
            if (i + 1 < bodyEnd && mask.at(i + 1) == u'>') {
                letterCase = Case::None;
                ++i;
            } else {
                letterCase = Case::Lower;
            }
            break;
        case '\\':
            if (i + 1 < bodyEnd)
                add(Kind::Literal, mask.at(++i));
            break;
        case 'A':
            add(Kind::AlnumRequired);
            break;
        case 'a':
            add(Kind::AlnumOptional);
            break;
        case 'C':
            add(Kind::AnyRequired);
            break;
        case 'c':
            add(Kind::AnyOptional);
            break;
        case 'L':
            add(Kind::LetterRequired);
            break;
        case 'l':
            add(Kind::LetterOptional);
            break;
        case '0':
            add(Kind::DigitRequired);
            break;
        case '9':
            add(Kind::DigitOptional);
            break;
        case '#':
            add(Kind::DigitOrSign);
            break;
        case ':':
            add(Kind::TimeSeparator, u':');
            break;
        case '/':
            add(Kind::DateSeparator, u'/');
            break;
        case '_':
            add(Kind::Literal, u' ');
            break;
        default:
            add(Kind::Literal, c);
            break;
        }
    }
}

QChar EditMask::displayedLiteral(const Position& p) const {
    switch (p.kind) {
    case Kind::TimeSeparator:
        return timeSeparator();
    case Kind::DateSeparator:
        return dateSeparator();
    default:
        return p.literal;
    }
}

bool EditMask::matchesLiteral(const Position& p, QChar c) const {
    return c == p.literal || c == displayedLiteral(p);
}

bool EditMask::isLiteral(int pos) const {
    return inRange(pos) && isLiteralKind(m_positions.at(pos).kind);
}

QChar EditMask::literalAt(int pos) const {
    return isLiteral(pos) ? displayedLiteral(m_positions.at(pos)) : QChar();
}

bool EditMask::isRequired(int pos) const {
    if (!inRange(pos))
        return false;
    switch (m_positions.at(pos).kind) {
    case Kind::AlnumRequired:
    case Kind::AnyRequired:
    case Kind::LetterRequired:
    case Kind::DigitRequired:
        return true;
    default:
        return false;
    }
}

bool EditMask::accepts(int pos, QChar c) const {
    if (!inRange(pos) || c.isNull())
        return false;
    const Position& p = m_positions.at(pos);
    const bool digit = c >= u'0' && c <= u'9';
    switch (p.kind) {
    case Kind::Literal:
    case Kind::TimeSeparator:
    case Kind::DateSeparator:
        return matchesLiteral(p, c);
    case Kind::AlnumRequired:
    case Kind::AlnumOptional:
        return c.isLetterOrNumber();
    case Kind::AnyRequired:
    case Kind::AnyOptional:
        return c.isPrint();
    case Kind::LetterRequired:
    case Kind::LetterOptional:
        return c.isLetter();
    case Kind::DigitRequired:
    case Kind::DigitOptional:
        return digit;
    case Kind::DigitOrSign:
        return digit || c == u'+' || c == u'-';
    }
    return false;
}

QChar EditMask::transform(int pos, QChar c) const {
    if (!inRange(pos))
        return c;
    const Position& p = m_positions.at(pos);
    if (isLiteralKind(p.kind))
        return displayedLiteral(p);
    switch (p.letterCase) {
    case Case::Upper:
        return c.toUpper();
    case Case::Lower:
        return c.toLower();
    case Case::None:
        break;
    }
    return c;
}

QString EditMask::displayText(const QString& stored) const {
    if (isEmpty())
        return stored;
    QString out(length(), m_blank);
    const int n = length();

    if (!m_saveLiterals) {
        // Only the input characters are stored: they fill the input positions in order.
        QList<int> inputs;
        for (int i = 0; i < n; ++i) {
            if (isLiteral(i))
                out[i] = literalAt(i);
            else
                inputs.append(i);
        }
        const qsizetype used = std::min(stored.size(), inputs.size());
        const qsizetype shift = m_leadingBlanks ? inputs.size() - used : 0;
        for (qsizetype k = 0; k < used; ++k) {
            const QChar c = stored.at(k);
            const int pos = inputs.at(shift + k);
            out[pos] = isEmptyChar(c) ? m_blank : transform(pos, c);
        }
        return out;
    }

    // Literals are stored: each run of input positions takes the stored characters up to the
    // literal that closes the run.
    qsizetype s = 0;
    int pos = 0;
    while (pos < n) {
        if (isLiteral(pos)) {
            out[pos] = literalAt(pos);
            if (s < stored.size() && matchesLiteral(m_positions.at(pos), stored.at(s)))
                ++s;
            ++pos;
            continue;
        }
        int runEnd = pos;
        while (runEnd < n && !isLiteral(runEnd))
            ++runEnd;
        const Position* closing = runEnd < n ? &m_positions.at(runEnd) : nullptr;
        const int runLength = runEnd - pos;
        QString run;
        while (s < stored.size() && !(closing && matchesLiteral(*closing, stored.at(s)))) {
            if (run.size() < runLength)
                run += stored.at(s);
            ++s; // characters beyond the run are dropped
        }
        const int offset = m_leadingBlanks ? runLength - int(run.size()) : 0;
        for (int k = 0; k < run.size(); ++k) {
            const int p = pos + offset + k;
            out[p] = isEmptyChar(run.at(k)) ? m_blank : transform(p, run.at(k));
        }
        pos = runEnd;
    }
    return out;
}

bool EditMask::isComplete(const QString& display) const {
    for (int pos = 0; pos < length(); ++pos) {
        if (isLiteral(pos))
            continue;
        const QChar c = pos < display.size() ? display.at(pos) : QChar();
        if (isEmptyChar(c)) {
            if (isRequired(pos))
                return false;
        } else if (!accepts(pos, c)) {
            return false;
        }
    }
    return true;
}

QString EditMask::storedValue(const QString& display) const {
    if (isEmpty())
        return display;
    QString out;
    out.reserve(length());
    bool anyInput = false;
    // With '!' the display right-aligns each run of input positions (all of them as one run
    // when literals are not stored): the blanks in front of a run's first character are no
    // part of the value, so a value shown and stored back stays as it was.
    bool runStarted = false;
    for (int pos = 0; pos < length(); ++pos) {
        const Position& p = m_positions.at(pos);
        if (isLiteralKind(p.kind)) {
            if (m_saveLiterals) {
                out += p.literal;
                runStarted = false;
            }
            continue;
        }
        const QChar c = pos < display.size() ? display.at(pos) : QChar();
        if (isEmptyChar(c)) {
            if (runStarted || !m_leadingBlanks)
                out += u' ';
        } else {
            runStarted = true;
            out += transform(pos, c);
            anyInput = true;
        }
    }
    if (!anyInput)
        return {};
    qsizetype end = out.size();
    while (end > 0 && out.at(end - 1) == u' ')
        --end;
    out.truncate(end);
    return out;
}

QString EditMask::validate(const QString& display) const {
    for (int pos = 0; pos < length(); ++pos) {
        if (isLiteral(pos))
            continue;
        const QChar c = pos < display.size() ? display.at(pos) : QChar();
        if (!isEmptyChar(c) && !accepts(pos, c))
            return QStringLiteral("Valore non valido: carattere '%1' non ammesso in posizione %2")
                .arg(c)
                .arg(pos + 1);
    }
    if (!isComplete(display))
        return QStringLiteral("Valore non valido: completare tutti i campi richiesti");
    return {};
}
