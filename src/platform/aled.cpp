#include "platform/aled.h"

#include <QHash>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>
#include <QWindow>

namespace {

struct LampShape {
    QRectF face;  // in the shape's own pixels
    qreal radius; // corner radius; < 0: an ellipse
};

LampShape lampShape(ThhALed::TLEDStyle style) {
    switch (style) {
    case ThhALed::LEDLarge:
        return {QRectF(3.5, 3.5, 15, 15), -1};
    case ThhALed::LEDSqSmall:
        return {QRectF(3.5, 3.5, 9, 9), 1.5};
    case ThhALed::LEDSqLarge:
        return {QRectF(4.5, 4.5, 13, 13), 2};
    case ThhALed::LEDVertical:
        return {QRectF(5.5, 2.5, 5, 17), 1.5};
    case ThhALed::LEDHorizontal:
        return {QRectF(2.5, 5.5, 17, 5), 1.5};
    case ThhALed::LEDSmall:
    default:
        return {QRectF(2.5, 2.5, 11, 11), -1};
    }
}

QPainterPath facePath(const LampShape& s) {
    QPainterPath path;
    if (s.radius < 0)
        path.addEllipse(s.face);
    else
        path.addRoundedRect(s.face, s.radius, s.radius);
    return path;
}

// The lamp in the shape's own pixel grid: surround (with a one-pixel bevel when bordered), the
// face in `face`, a dark-grey shade along its lower right, a white highlight at its upper left and
// a black outline. The painter is scaled by the caller.
void drawLamp(QPainter& p, ThhALed::TLEDStyle style, bool bordered, const QColor& face,
              const QColor& surround) {
    const QSize size = ThhALed::styleSize(style);
    const qreal w = size.width();
    const qreal h = size.height();
    p.fillRect(QRectF(0, 0, w, h), surround);
    if (bordered) {
        p.fillRect(QRectF(0, 0, w, 1), Qt::white);
        p.fillRect(QRectF(0, 0, 1, h), Qt::white);
        p.fillRect(QRectF(0, h - 1, w, 1), QColor(0x80, 0x80, 0x80));
        p.fillRect(QRectF(w - 1, 0, 1, h), QColor(0x80, 0x80, 0x80));
    }
    const LampShape s = lampShape(style);
    const QPainterPath path = facePath(s);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.fillPath(path, face);

    // Shade: the lower-right part of the face, darkened towards its edge.
    p.save();
    p.setClipPath(path);
    const QPointF c = s.face.center();
    QRadialGradient shade(c - QPointF(s.face.width() * 0.18, s.face.height() * 0.18),
                          qMax(s.face.width(), s.face.height()) * 0.75);
    shade.setColorAt(0.55, QColor(0x80, 0x80, 0x80, 0));
    shade.setColorAt(1.0, QColor(0x80, 0x80, 0x80, 150));
    p.fillRect(s.face, shade);
    // Highlight: a small white gleam towards the upper left.
    const QRectF gleam(s.face.left() + s.face.width() * 0.18, s.face.top() + s.face.height() * 0.14,
                       s.face.width() * 0.36, s.face.height() * 0.30);
    QRadialGradient shine(gleam.center(), qMax(gleam.width(), gleam.height()) * 0.6);
    shine.setColorAt(0.0, QColor(255, 255, 255, 230));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawEllipse(gleam);
    p.restore();

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 1.0));
    p.drawPath(path);
}

// One picture for every lamp that looks the same, at one size and pixel density.
QPixmap cachedPicture(ThhALed::TLEDStyle style, bool bordered, TColor face, TColor surround, QSize size,
                      qreal dpr) {
    static QHash<QString, QPixmap> cache;
    const QString key = QStringLiteral("%1/%2/%3/%4/%5x%6@%7")
                            .arg(int(style))
                            .arg(bordered)
                            .arg(face)
                            .arg(surround)
                            .arg(size.width())
                            .arg(size.height())
                            .arg(dpr);
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    if (cache.size() > 1024) // sizes and colours come from a handful of layouts: never grows far
        cache.clear();
    QPixmap pm(size * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    {
        QPainter p(&pm);
        const QSize own = ThhALed::styleSize(style);
        p.scale(qreal(size.width()) / own.width(), qreal(size.height()) / own.height());
        drawLamp(p, style, bordered, colorFromTColor(face), colorFromTColor(surround));
    }
    cache.insert(key, pm);
    return pm;
}

} // namespace

ThhALed::ThhALed(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_NoSystemBackground);
    resize(16, 16);
    CreateLedBitmap();
}

ThhALed::~ThhALed() {
    ResetLedTimer();
}

QSize ThhALed::styleSize(TLEDStyle style) {
    switch (style) {
    case LEDLarge:
    case LEDSqLarge:
        return {22, 22};
    case LEDVertical:
        return {16, 22};
    case LEDHorizontal:
        return {22, 16};
    case LEDSmall:
    case LEDSqSmall:
    default:
        return {16, 16};
    }
}

QPixmap ThhALed::picture(int index, QSize size, qreal devicePixelRatio) const {
    const TColor surround = fBordered ? clSilver : fBordColor;
    return cachedPicture(fLEDStyle, fBordered, index == 0 ? fTrueColor : fFalseColor, surround, size,
                         devicePixelRatio);
}

// The pictures are made on demand at paint time (they depend on the size and the screen); here
// the control only takes its shape's size.
void ThhALed::CreateLedBitmap() {
    dropPictures();
    resize(styleSize(fLEDStyle));
}

void ThhALed::dropPictures() {
    m_shown[0] = QPixmap();
    m_shown[1] = QPixmap();
}

void ThhALed::paintEvent(QPaintEvent*) {
    ++m_paintCount;
    QPainter p(this);
    const int index = m_colorTemp ? 1 : 0;
    QPixmap& pm = m_shown[index];
    const qreal dpr = p.device()->devicePixelRatioF();
    if (pm.isNull() || pm.deviceIndependentSize().toSize() != size() || pm.devicePixelRatio() != dpr)
        pm = picture(index, size(), dpr);
    p.drawPixmap(0, 0, pm);
}

void ThhALed::SetToTrueColor() {
    m_colorTemp = false;
    update();
}

void ThhALed::SetToFalseColor() {
    m_colorTemp = true;
    update();
}

void ThhALed::SetLedTimer() {
    if (fLedTimer || fInterval <= 0)
        return;
    m_colorTemp = false;
    fLedTimer = new QTimer(this);
    fLedTimer->setInterval(fInterval);
    connect(fLedTimer, &QTimer::timeout, this, &ThhALed::OnLedTimer);
    fLedTimer->start();
}

void ThhALed::ResetLedTimer() {
    delete fLedTimer;
    fLedTimer = nullptr;
}

bool ThhALed::blinkTimerRunning() const {
    return fLedTimer != nullptr;
}

void ThhALed::OnLedTimer() {
    m_colorTemp = !m_colorTemp;
    update();
    if (OnTimer)
        OnTimer(*this);
}

void ThhALed::ChangeValue(bool value) {
    if (value == fValue)
        return;
    fValue = value;
    if (fValue) {
        SetToTrueColor();
        if (fBlink)
            SetLedTimer();
    } else {
        ResetLedTimer();
        SetToFalseColor();
    }
}

void ThhALed::ChangeBlink(bool value) {
    if (value == fBlink)
        return;
    if (fValue)
        SetToTrueColor();
    else
        SetToFalseColor();
    fBlink = value;
    if (value && fValue)
        SetLedTimer();
    else
        ResetLedTimer();
}

void ThhALed::SetInterval(int value) {
    fInterval = value;
    if (value <= 0) {
        // No period: the lamp stops blinking and shows its value steadily.
        if (fLedTimer) {
            ResetLedTimer();
            SetToTrueColor();
        }
        return;
    }
    if (fLedTimer)
        fLedTimer->setInterval(value);
    else if (fBlink && fValue)
        SetLedTimer();
}

namespace {
// Colour setters: a blinking lamp stops, takes the new picture and blinks again from the true colour.
template <class Store> void changeColour(ThhALed& led, bool blink, Store store) {
    if (blink)
        led.ChangeBlink(false);
    store();
    if (blink)
        led.ChangeBlink(true);
    led.update();
}
} // namespace

void ThhALed::SetTrueColor(TColor value) {
    if (value == fTrueColor)
        return;
    changeColour(*this, fBlink, [&] {
        fTrueColor = value;
        dropPictures();
    });
}

void ThhALed::SetFalseColor(TColor value) {
    if (value == fFalseColor)
        return;
    changeColour(*this, fBlink, [&] {
        fFalseColor = value;
        dropPictures();
    });
}

void ThhALed::SetBordColor(TColor value) {
    if (value == fBordColor)
        return;
    changeColour(*this, fBlink, [&] {
        fBordColor = value;
        dropPictures();
    });
}

void ThhALed::ChangeStyle(TLEDStyle value) {
    if (value == fLEDStyle)
        return;
    fLEDStyle = value;
    CreateLedBitmap();
    update();
}

void ThhALed::ChangeBorder(bool value) {
    if (value == fBordered)
        return;
    fBordered = value;
    CreateLedBitmap();
    update();
}

void ThhALed::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    if (OnMouseEnter)
        OnMouseEnter(*this);
}

void ThhALed::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (OnMouseLeave)
        OnMouseLeave(*this);
}

void ThhALed::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    if (OnClick && rect().contains(event->position().toPoint()))
        OnClick(*this);
}

#include "moc_aled.cpp"
