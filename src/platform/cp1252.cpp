#include "platform/cp1252.h"

namespace {
// 0x80..0x9F of Windows-1252; 0 marks the five unassigned codes.
constexpr char16_t High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                               0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
} // namespace

int windows1252Byte(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i)
        if (High[i] && High[i] == u)
            return 0x80 + i;
    return -1;
}

QByteArray toWindows1252(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const int byte = windows1252Byte(c);
        out.append(byte < 0 ? '?' : char(byte));
    }
    return out;
}

QString fromWindows1252(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const quint8 b = quint8(ch);
        if (b >= 0x80 && b < 0xA0)
            out.append(QChar(High[b - 0x80] ? High[b - 0x80] : char16_t(0xFFFD)));
        else
            out.append(QChar(b));
    }
    return out;
}
