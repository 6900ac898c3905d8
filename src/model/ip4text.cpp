// IPv4 address texts as the installation's network fields hold them: the checks of those fields
// and the codec convert them the same way.
#include "model/ip4text.h"

#include <climits>

quint32 packIP4(quint8 a, quint8 b, quint8 c, quint8 d) {
    return (quint32(a) << 24) | (quint32(b) << 16) | (quint32(c) << 8) | quint32(d);
}

namespace {

bool isBlank(QChar c) {
    return c.unicode() >= 1 && c.unicode() <= ' ';
}

// Splits at dots; blank or control runs also end a part and are dropped; a part opening with a
// double quote runs to the closing quote (dots included, "" for one quote).
QStringList splitAddress(const QString& text) {
    QStringList parts;
    const qsizetype end = [&] {
        const qsizetype nul = text.indexOf(QChar(0));
        return nul < 0 ? text.size() : nul;
    }();
    qsizetype i = 0;
    while (i < end && isBlank(text[i]))
        ++i;
    while (i < end) {
        QString part;
        if (text[i] == QLatin1Char('"')) {
            ++i;
            while (i < end) {
                if (text[i] == QLatin1Char('"')) {
                    if (i + 1 < end && text[i + 1] == QLatin1Char('"')) {
                        part += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                part += text[i++];
            }
        } else {
            const qsizetype from = i;
            while (i < end && text[i].unicode() > ' ' && text[i] != QLatin1Char('.'))
                ++i;
            part = text.mid(from, i - from);
        }
        parts << part;
        while (i < end && isBlank(text[i]))
            ++i;
        if (i < end && text[i] == QLatin1Char('.')) {
            if (i + 1 >= end)
                parts << QString();
            do
                ++i;
            while (i < end && isBlank(text[i]));
        }
    }
    return parts;
}

// Decimal with an optional sign, or hexadecimal written $FF or 0xFF; anything else raises.
int toInteger(const QString& part) {
    QString t = part;
    bool negative = false;
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) {
        negative = t.startsWith(QLatin1Char('-'));
        t.remove(0, 1);
    }
    bool ok = false;
    qint64 v = 0;
    if (t.startsWith(QLatin1Char('$')))
        v = t.mid(1).toLongLong(&ok, 16);
    else if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        v = t.mid(2).toLongLong(&ok, 16);
    else if (!t.isEmpty() && t.front().isDigit())
        v = t.toLongLong(&ok, 10);
    if (negative)
        v = -v;
    if (!ok || v < INT_MIN || v > INT_MAX)
        throw IP4ConvertError(QStringLiteral("'%1' is not a valid integer value").arg(part));
    return int(v);
}

} // namespace

quint32 StringToIP4Addr(const QString& text) {
    QStringList parts = splitAddress(text);
    for (int i = 0; i < 4; ++i) {
        if (i >= parts.size())
            throw IP4ConvertError(QStringLiteral("List index out of bounds (%1)").arg(i));
        if (parts[i].isEmpty() || toInteger(parts[i]) > 255)
            parts[i] = QStringLiteral("000");
    }
    return packIP4(quint8(toInteger(parts[0]) & 0xFF), quint8(toInteger(parts[1]) & 0xFF),
                   quint8(toInteger(parts[2]) & 0xFF), quint8(toInteger(parts[3]) & 0xFF));
}
