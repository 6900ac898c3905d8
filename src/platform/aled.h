#pragma once
// ThhALed: a small lamp in one of six shapes, painted in its "true" colour while its Value is on
// and in its "false" colour while off; while on it may blink between the two. It paints on its
// parent's surface (no background of its own) and scales its picture to whatever bounds it is
// given, so a lamp placed in a 33 x 16 grid cell shows a stretched lamp.
//
// The picture is drawn as vectors: two pictures per lamp (true and false colour) are made at the
// screen's pixel density whenever a colour, the shape, the border or the size changes, and are
// shared by every lamp that looks the same.

#include "platform/colors.h"

#include <QPixmap>
#include <QWidget>

#include <functional>

class QTimer;

class ThhALed : public QWidget {
    Q_OBJECT
public:
    enum TLEDStyle : quint8 { LEDSmall = 0, LEDLarge, LEDSqSmall, LEDSqLarge, LEDVertical, LEDHorizontal };

    explicit ThhALed(QWidget* parent = nullptr);
    ~ThhALed() override;

    // ---- properties (defaults: green, silver, button face, blinking, bordered, off, 1000 ms, small) ----
    TColor TrueColor() const { return fTrueColor; }
    void SetTrueColor(TColor value);
    TColor FalseColor() const { return fFalseColor; }
    void SetFalseColor(TColor value);
    TColor BorderColor() const { return fBordColor; } // surround of the borderless pictures
    void SetBordColor(TColor value);
    bool Blink() const { return fBlink; }
    void ChangeBlink(bool value);
    bool Bordered() const { return fBordered; }
    void ChangeBorder(bool value);
    bool Value() const { return fValue; }
    void ChangeValue(bool value);
    // Blink period in ms. A period of 0 or less never blinks: an on lamp then stays in its true
    // colour (a zero-interval timer would otherwise fire continuously).
    int Interval() const { return fInterval; }
    void SetInterval(int value);
    TLEDStyle LEDStyle() const { return fLEDStyle; }
    void ChangeStyle(TLEDStyle value);

    std::function<void(ThhALed&)> OnTimer; // each blink step
    std::function<void(ThhALed&)> OnMouseEnter;
    std::function<void(ThhALed&)> OnMouseLeave;
    std::function<void(ThhALed&)> OnClick;

    // ---- what is shown ----
    // The picture shown now: false = the true-colour one, true = the false-colour one.
    bool ColorTemp() const { return m_colorTemp; }
    bool blinkTimerRunning() const;
    // The lamp's own size for a shape (a change of shape or border resizes the control to it).
    static QSize styleSize(TLEDStyle style);
    // Picture 0 (true colour) or 1 (false colour) at `size` and `devicePixelRatio`.
    QPixmap picture(int index, QSize size, qreal devicePixelRatio = 1.0) const;
    int paintCount() const { return m_paintCount; } // paint events served (tests)

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void CreateLedBitmap();
    void SetToTrueColor();
    void SetToFalseColor();
    void SetLedTimer();
    void ResetLedTimer();
    void OnLedTimer();

    QTimer* fLedTimer = nullptr;
    TColor fTrueColor = clLime;
    TColor fFalseColor = clSilver;
    TColor fBordColor = clBtnFace;
    bool fBordered = true;
    bool fBlink = true;
    TLEDStyle fLEDStyle = LEDSmall;
    int fInterval = 1000;
    bool fValue = false;
    bool m_colorTemp = true;
    int m_paintCount = 0;
    // The two pictures as last painted, kept while the look, the size and the density stay.
    mutable QPixmap m_shown[2];
    void dropPictures();
};
