// The lamp control and the level painter: lamp states, blinking and its period, colour
// changes; the level bar's geometry at its edges at 1x and 2x, and its captions.

#include "platform/aled.h"
#include "platform/levelbar.h"

#include <QImage>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QtTest>

namespace {
QColor pixel(const QPixmap& pm, int x, int y) {
    return pm.toImage().pixelColor(x, y);
}

// The level bar painted plain into a white image of `size` logical pixels at `dpr`.
QImage levelImage(QSize size, qreal dpr, double level, LevelBarLook look = LevelBarLook::Plain) {
    QImage img(size * dpr, QImage::Format_ARGB32);
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::white);
    QPainter p(&img);
    DrawStatus(p, QRect(QPoint(0, 0), size), QFont(), QString(), level, LevelCaption::TextFirst, look);
    return img;
}

} // namespace

class TestStatusLamps : public QObject {
    Q_OBJECT
private slots:
    // Steps on one lamp, each optionally followed by what it must show then: 'R' the blink timer
    // runs, 'S' it stands; 'T' the true colour shows, 'F' the false one, '-' either. V1/V0 set
    // the value, B1/B0 the blinking, I<ms> the period, C a new true colour; W waits for a blink.
    void blinkingFollowsValueBlinkAndPeriod_data() {
        QTest::addColumn<QString>("steps");
        QTest::newRow("the value starts and stops it") << "I20 V1>RT W V0>SF";
        QTest::newRow("the same value changes nothing") << "B0 V1 B1>RT V1>RT";
        QTest::newRow("blink on while off starts no timer") << "B0 B1>S- V1>R- B0>ST";
        QTest::newRow("a period of zero never blinks") << "I0 V1>ST I30>R- I-5>ST";
        QTest::newRow("a colour change restarts from the true colour") << "I10 V1 W C>RT";
    }
    void blinkingFollowsValueBlinkAndPeriod() {
        QFETCH(QString, steps);
        ThhALed led;
        for (const QString& step : steps.split(u' ')) {
            const QString op = step.section(u'>', 0, 0), want = step.section(u'>', 1);
            switch (op.at(0).toLatin1()) {
            case 'V':
                led.ChangeValue(op.at(1) == u'1');
                break;
            case 'B':
                led.ChangeBlink(op.at(1) == u'1');
                break;
            case 'I':
                led.SetInterval(op.mid(1).toInt());
                break;
            case 'C':
                led.SetTrueColor(255);
                break;
            case 'W':
                QTRY_VERIFY2(led.ColorTemp(), qPrintable(step));
                break;
            }
            if (want.isEmpty())
                continue;
            QVERIFY2(led.blinkTimerRunning() == (want.at(0) == u'R'), qPrintable(step));
            if (want.at(1) != u'-')
                QVERIFY2(led.ColorTemp() == (want.at(1) == u'F'), qPrintable(step));
        }
    }

    // The face takes the colour of the value; the surround is silver inside a bevel, or the
    // border colour without one; at 2x the picture has twice the pixels.
    void picturesFollowColoursAndBorder_data() {
        QTest::addColumn<qreal>("dpr");
        QTest::newRow("1x") << 1.0;
        QTest::newRow("2x") << 2.0;
    }
    void picturesFollowColoursAndBorder() {
        QFETCH(qreal, dpr);
        ThhALed led;
        led.SetTrueColor(255);       // red
        led.SetFalseColor(0xFF0000); // blue
        led.SetBordColor(0x00FFFF);  // yellow
        const QSize s(16, 16);
        const QPixmap on = led.picture(0, s, dpr);
        const QPixmap off = led.picture(1, s, dpr);
        QCOMPARE(on.size(), s * dpr);
        const int c = int(8 * dpr);
        QVERIFY(pixel(on, c, c).red() > 150 && pixel(on, c, c).blue() < 90);
        QVERIFY(pixel(off, c, c).blue() > 150 && pixel(off, c, c).red() < 90);
        // Bordered: white bevel at the top left, silver inside it.
        QCOMPARE(pixel(on, 0, 0), QColor(Qt::white));
        QCOMPARE(pixel(on, int(1 * dpr), int(1 * dpr)), QColor(0xC0, 0xC0, 0xC0));
        led.ChangeBorder(false);
        QCOMPARE(pixel(led.picture(0, s, dpr), 0, 0), QColor(Qt::yellow));
    }

    // The filled part: the truncated share of the inner track, clamped to 0..100, at the same
    // logical pixels at 2x; the bar never reaches past the track into the caller's margin.
    void levelFillAtTheEdges_data() {
        QTest::addColumn<double>("level");
        QTest::addColumn<int>("fill"); // of a 300-px wide rectangle: 298-px track
        QTest::newRow("0") << 0.0 << 0;
        QTest::newRow("30") << 30.0 << 89;
        QTest::newRow("100") << 100.0 << 298;
        QTest::newRow("above") << 150.0 << 298;
        QTest::newRow("negative") << -20.0 << 0;
    }
    void levelFillAtTheEdges() {
        QFETCH(double, level);
        QFETCH(int, fill);
        QCOMPARE(levelFillWidth(298, level), fill);
        const QColor grey(0xEB, 0xEB, 0xEB);
        const QColor blue(132, 193, 255);
        for (qreal dpr : {1.0, 2.0}) {
            const QImage img = levelImage(QSize(300, 20), dpr, level);
            auto at = [&](int x) { return img.pixelColor(int(x * dpr), int(10 * dpr)); };
            QCOMPARE(at(299), QColor(Qt::white)); // the margin stays the caller's
            QCOMPARE(at(0), QColor(Qt::white));
            if (fill == 0) {
                QCOMPARE(at(4), grey);
            } else {
                QCOMPARE(at(1 + fill - 2), blue); // the track starts at x = 1
                if (fill < 298)
                    QCOMPARE(at(1 + fill + 1), grey);
            }
        }
    }

    void captions_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("level");
        QTest::addColumn<int>("order");
        QTest::addColumn<QString>("caption");
        QTest::newRow("text first") << "%" << 75.0 << 0 << "% 75.0";
        QTest::newRow("empty text") << "" << 80.0 << 0 << " 80.0";
        QTest::newRow("level first") << "%" << 45.0 << 1 << "45.0 %";
        QTest::newRow("not available") << "Non disponibile %" << 0.0 << 0 << "Non disponibile % 0.0";
        QTest::newRow("clamped") << "%" << 250.0 << 1 << "100.0 %";
    }
    void captions() {
        QFETCH(QString, text);
        QFETCH(double, level);
        QFETCH(int, order);
        QFETCH(QString, caption);
        QCOMPARE(levelCaption(text, level, LevelCaption(order)), caption);
    }

    // Only the classic "Windows" style draws its controls unthemed; a proxy is judged by the
    // style it wraps.
    void whichStylesDrawThemedControls() {
        const std::unique_ptr<QStyle> windows(QStyleFactory::create(QStringLiteral("Windows")));
        const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
        QVERIFY(!styleDrawsThemedControls(windows.get()));
        QVERIFY(styleDrawsThemedControls(fusion.get()));
        QProxyStyle overWindows(QStyleFactory::create(QStringLiteral("windows")));
        QVERIFY(!styleDrawsThemedControls(&overWindows));
    }

    void thePainterIsLeftAsItWas() {
        QImage img(60, 16, QImage::Format_ARGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        const QPen pen(Qt::red, 3);
        const QBrush brush(Qt::green);
        QFont font;
        font.setPixelSize(7);
        p.setPen(pen);
        p.setBrush(brush);
        p.setFont(font);
        for (LevelBarLook look : {LevelBarLook::Plain, LevelBarLook::Themed})
            DrawStatus(p, img.rect(), QFont(), QStringLiteral("a very long caption"), 50,
                       LevelCaption::TextFirst, look);
        QCOMPARE(p.pen(), pen);
        QCOMPARE(p.brush(), brush);
        QCOMPARE(p.font().pixelSize(), 7);
    }
};

QTEST_MAIN(TestStatusLamps)
#include "test_statuslamps.moc"
