// The page control of the main window: tabs chosen by the user against pages set from code,
// hidden tabs, highlight marks, and tabs wrapping onto rows.

#include "ui/pagecontrol.h"

#include <QtTest>

class TestPageControl : public QObject {
    Q_OBJECT
private:
    static TPageControl* make(QWidget& host, int pages) {
        auto* pc = new TPageControl(QStringLiteral("PC"), &host);
        for (int i = 0; i < pages; ++i) {
            auto* sheet = new QWidget;
            sheet->setObjectName(QStringLiteral("Sheet%1").arg(i));
            pc->addPage(sheet, QStringLiteral("PAGINA NUMERO %1").arg(i));
        }
        return pc;
    }

private slots:
    void clickOnATabChangesThePage() {
        QWidget host;
        TPageControl* pc = make(host, 3);
        host.resize(600, 300);
        pc->resize(600, 300);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        QSignalSpy changed(pc, &TPageControl::changed);
        const QRect tab2 = pc->tabRect(2);
        QVERIFY(!tab2.isEmpty());
        QTest::mouseClick(pc->childAt(tab2.center()), Qt::LeftButton, {},
                          pc->childAt(tab2.center())->mapFrom(pc, tab2.center()));
        QCOMPARE(pc->activePageIndex(), 2);
        QCOMPARE(changed.count(), 1);
        // A click on the active tab changes nothing.
        QTest::mouseClick(pc->childAt(tab2.center()), Qt::LeftButton, {},
                          pc->childAt(tab2.center())->mapFrom(pc, tab2.center()));
        QCOMPARE(changed.count(), 1);
    }

    void pagesSetFromCodeAreSilent() {
        QWidget host;
        TPageControl* pc = make(host, 3);
        QSignalSpy changed(pc, &TPageControl::changed);
        pc->setActivePageIndex(1);
        pc->setActivePage(pc->pageByName(QStringLiteral("Sheet2")));
        QCOMPARE(pc->activePageIndex(), 2);
        QCOMPARE(changed.count(), 0);
        pc->setActivePageIndex(7); // out of range: nothing
        QCOMPARE(pc->activePageIndex(), 2);
    }

    void hiddenTabsCannotBeChosen() {
        QWidget host;
        TPageControl* pc = make(host, 4);
        pc->setTabVisible(1, false);
        QVERIFY(pc->tabRect(1).isEmpty());
        pc->selectPageByUser(1);
        QCOMPARE(pc->activePageIndex(), 0);
        // Hiding the active tab moves to the next visible sheet.
        pc->setActivePageIndex(3);
        pc->setTabVisible(3, false);
        QCOMPARE(pc->activePageIndex(), 0);
    }

    void highlightMarksOnlyTheActiveTab() {
        QWidget host;
        TPageControl* pc = make(host, 3);
        pc->setHighlighted(0, true);
        pc->setHighlighted(2, true);
        pc->setActivePageIndex(1);
        pc->highlightActiveOnly();
        QCOMPARE(QList<bool>({pc->highlighted(0), pc->highlighted(1), pc->highlighted(2)}),
                 QList<bool>({false, true, false}));
    }

    void tabsWrapAndTheActiveRowTouchesTheSheets() {
        QWidget host;
        TPageControl* pc = make(host, 12);
        pc->resize(500, 400);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        int lowest = 0, highest = 1 << 20;
        for (int i = 0; i < pc->count(); ++i) {
            lowest = std::max(lowest, pc->tabRect(i).top());
            highest = std::min(highest, pc->tabRect(i).top());
            QVERIFY(pc->tabRect(i).right() <= pc->width());
        }
        QVERIFY(lowest > highest); // several rows
        pc->setActivePageIndex(0);
        QCOMPARE(pc->tabRect(0).top(), lowest);
        pc->setActivePageIndex(11);
        QCOMPARE(pc->tabRect(11).top(), lowest);
    }
};

QTEST_MAIN(TestPageControl)
#include "test_pagecontrol.moc"
