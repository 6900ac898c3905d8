// The main window's frame as the user sees it: sizes of the bars, pictures that exist at
// every scale, and (with TABULON_SCREENSHOTS=<folder>) a picture of every page for review.

#include "model/datamodule.h"
#include "platform/dataset.h"
#include "platform/dialogs.h"
#include "platform/registrykey.h"
#include "support/tempregistry.h"
#include "ui/imagelist.h"
#include "ui/mainwindow.h"
#include "ui/openinstallation.h"
#include "ui/pagecontrol.h"
#include "ui/pages/page_parametrivari.h"
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

    void screenshots() {
        const QString dir = qEnvironmentVariable("TABULON_SCREENSHOTS");
        if (dir.isEmpty())
            QSKIP("set TABULON_SCREENSHOTS to a folder to write the pictures");
        TempRegistry registry;
        BoxAnswerer boxes;
        {
            RegistryKey reg;
            QVERIFY(reg.openKey(kTabulonRegistryKey, true));
            reg.writeString(QStringLiteral("DATABASE"), registry.folder() + QStringLiteral("/KTabulon.cds"));
            for (const char* v : {"Top", "Left"})
                reg.writeInteger(QString::fromLatin1(v), 0);
            reg.writeInteger(QStringLiteral("Height"), 740);
            reg.writeInteger(QStringLiteral("Width"), 1124);
        }
        TDM dm;
        dm.DataModuleCreate();
        TForm6 f;
        f.setStatusPanelText(7, DATABASE);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        for (int i = 0; i < f.PageControl->count(); ++i) {
            f.PageControl->selectPageByUser(i);
            QTest::qWait(20);
            f.grab().save(QStringLiteral("%1/page_%2.png").arg(dir).arg(i, 2, 10, QLatin1Char('0')));
        }
        f.PageControl->selectPageByUser(5);
        f.TabSheet6->PageControl_parametri_vari->selectPageByUser(5);
        f.Timer2Timer();
        f.grab().save(QStringLiteral("%1/dataora.png").arg(dir));
        for (QMenu* menu : {f.File1, f.Comunication1, f.Program1}) {
            menu->popup(f.mapToGlobal(QPoint(10, 20)));
            QTest::qWait(20);
            menu->grab().save(QStringLiteral("%1/menu_%2.png").arg(dir, menu->objectName()));
            menu->hide();
        }
        for (int type : {1, 2, 3, 4, 5, 6, 0}) {
            dm.AddDataSet(type == 0 ? 1 : type);
            if (type == 0) {
                dm.CDSet_Tabulon->edit();
                dm.CDSet_Tabulon->fieldByName(QStringLiteral("_TipoCentrale")).setAsString(QString());
                dm.CDSet_Tabulon->post();
            }
            OpenInstallation();
            QTest::qWait(20);
            f.grab().save(QStringLiteral("%1/model_%2.png").arg(dir).arg(type));
        }
    }
};

QTEST_MAIN(TestMainWindowLook)
#include "test_mainwindow_look.moc"
