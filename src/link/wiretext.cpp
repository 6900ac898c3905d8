#include "link/wiretext.h"

#include "platform/cp1252.h"

QByteArray toWire1252(const QString& text) {
    return toWindows1252(text);
}

QString fromWire1252(const QByteArray& bytes) {
    return fromWindows1252(bytes);
}

QByteArray toWireSlot(const QString& text, int size) {
    QByteArray out = toWire1252(text).left(size);
    out.append(QByteArray(size - out.size(), '\0'));
    return out;
}

QString fromWireSlot(const QByteArray& slot) {
    const qsizetype nul = slot.indexOf('\0');
    return fromWire1252(nul < 0 ? slot : slot.left(nul));
}
