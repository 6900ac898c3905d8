// The main window's frame as the user sees it: sizes of the bars and pictures that exist at
// every scale. scripts/gallery writes a picture of every page for a person to look at.

#include "ui/imagelist.h"
#include "ui/mainwindow.h"
#include "ui/statusbar.h"

#include <QtTest>

class TestMainWindowLook : public QObject {
    Q_OBJECT
private slots:
    void init() {
        TForm6::setProcessExit([](int) {});
    }

    void barsHaveTheirSizes() {
        TForm6 f;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QCOMPARE(f.ActionToolBar1->width(), 28);
        QCOMPARE(f.StatusBar1->height(), 25);
        QCOMPARE(f.StatusBar1->panelCount(), 8);
        QCOMPARE(f.StatusBar1->panelText(2), QStringLiteral("Ver."));
        // The pictures sit on their panels.
        QVERIFY(f.StatusBar1->panelRect(1).adjusted(0, 0, 3, 3).contains(f.Image1->geometry().topLeft()));
        QVERIFY(f.StatusBar1->panelRect(5).adjusted(0, 0, 3, 3).contains(f.Image2->geometry().topLeft()));
    }

    void everyPictureRendersAtEveryScale() {
        for (const TImageList* list : {&ImageList2(), &ImageList4()}) {
            for (int i = 0; i < list->count(); ++i) {
                for (qreal dpr : {1.0, 2.0}) {
                    const QImage img = list->pixmap(i, 16, dpr).toImage();
                    QVERIFY2(!img.isNull(), qPrintable(QString::number(i)));
                    QCOMPARE(img.width(), int(16 * dpr));
                    // Something is drawn, and not everything.
                    int opaque = 0;
                    for (int y = 0; y < img.height(); ++y)
                        for (int x = 0; x < img.width(); ++x)
                            opaque += qAlpha(img.pixel(x, y)) > 128;
                    QVERIFY(opaque > img.width());
                    QVERIFY(opaque < img.width() * img.height());
                }
            }
        }
        for (int i : {0, 1, 2, 3, 4, 5, 8, 14, 15, 16, 17})
            QVERIFY(!ImageList1().icon(i).isNull());
        QVERIFY(!ProgramIcon().isNull());
    }
};

QTEST_MAIN(TestMainWindowLook)
#include "test_mainwindow_look.moc"
