#include "platform/programsettings.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

// numerator / denominator (both positive) to the nearest integer, an exact half to the even one.
int divideRoundHalfEven(int numerator, int denominator) {
    const int quotient = numerator / denominator;
    const int twiceRemainder = 2 * (numerator % denominator);
    if (twiceRemainder > denominator)
        return quotient + 1;
    if (twiceRemainder == denominator)
        return quotient + (quotient & 1);
    return quotient;
}

} // namespace

WindowBounds firstRunWindowBounds(QSize desktop) {
    WindowBounds b;
    b.top = divideRoundHalfEven(desktop.height(), 8);
    b.left = divideRoundHalfEven(desktop.width(), 8);
    b.height = 800;
    b.width = 1190;
    return b;
}

QSize virtualDesktopSize() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return screen->virtualGeometry().size();
    return {};
}

QString valueFaultText(const QString& name, ValueFault fault, bool integer) {
    switch (fault) {
    case ValueFault::None:
        break;
    case ValueFault::Missing:
        return QStringLiteral("manca il valore \"%1\"").arg(name);
    case ValueFault::WrongType:
        return integer ? QStringLiteral("il valore \"%1\" non è un numero intero").arg(name)
                       : QStringLiteral("il valore \"%1\" non è un testo").arg(name);
    }
    return {};
}

QString damagedSettingsText(const QStringList& faults, const QString& instead) {
    return QStringLiteral("Registro di configurazione: %1.\r\n%2")
        .arg(faults.join(QStringLiteral("; ")), instead);
}
