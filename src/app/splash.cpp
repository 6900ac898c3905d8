#include "app/splash.h"

#include "app/aboutbox.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

namespace {
QPointer<QWidget> FormAttesa; // the wait window shown now, if any
} // namespace

TSplash::TSplash(QWidget* owner) : QWidget(owner) {
    setObjectName(QStringLiteral("Splash"));
    hide();
}

QWidget* TSplash::currentWaitWindow() {
    return FormAttesa.data();
}

bool TSplash::AvvioAttesa(QWidget* owner, const QString& text) {
    if (FormAttesa)
        return false;
    auto* w = new QWidget(owner, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                                     Qt::WindowDoesNotAcceptFocus);
    w->setObjectName(QStringLiteral("FormAttesa"));
    w->setAttribute(Qt::WA_ShowWithoutActivating);
    w->setEnabled(false); // takes no mouse or keyboard input
    // A box raised while it is up stays on top too and opens above it (platform/dialogs.h).
    FormAttesa = w;

    auto* label = new QLabel(w);
    label->setObjectName(QStringLiteral("EtichettaAttesa"));
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    label->setText(shown);
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setPixelSize(13);
    font.setBold(true);
    label->setFont(font);
    // The window takes no input, but its message must not look greyed out for that.
    QPalette palette = label->palette();
    palette.setColor(QPalette::Disabled, QPalette::WindowText,
                     palette.color(QPalette::Active, QPalette::WindowText));
    label->setPalette(palette);
    EtichettaAttesa = label;
    auto* layout = new QVBoxLayout(w);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(label);

    // 300 pixels wide, but wide and tall enough for every line of the message in full: the
    // bold line of the delete message alone needs more than 300 pixels.
    const QFontMetrics metrics(font);
    const QStringList lines = shown.split(QLatin1Char('\n'));
    int widest = 0;
    for (const QString& line : lines)
        widest = qMax(widest, metrics.horizontalAdvance(line));
    const int width = qMax(300, widest + 24);
    const int height = metrics.lineSpacing() * int(lines.size()) + 16;
    w->setFixedSize(width, height);
    // Centred on the main form, whichever window asked for it.
    QRect frame(QPoint(), w->size());
    frame.moveCenter(mainFormCentre());
    w->move(frame.topLeft());
    w->show();
    w->repaint(); // the caller blocks the message loop next
    return true;
}

bool TSplash::FineAttesa() {
    if (!FormAttesa)
        return false;
    QWidget* w = FormAttesa.data();
    FormAttesa = nullptr;
    w->hide();
    delete w;
    return true;
}

// Keeps this class's meta-object code in this file rather than in the shared moc unit.
#include "moc_splash.cpp"
