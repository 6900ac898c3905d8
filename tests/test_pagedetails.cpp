// Details of several pages over the real main window, each met in a user's first hour: the
// installer code under a changed code length, the marks of unsupported cells, texts cut or
// missing, colours of picked rows, highlights after a jump, editing after a type change, rows
// kept in view across tabs and the room the test page's radio grids take.

#include "platform/dbcontrols.h"
#include "platform/drawgrid.h"
#include "support/eventlogrows.h"
#include "support/openwindow.h"
#include "support/realkeys.h"
#include "ui/pages/page_contactid.h"
#include "ui/pages/page_eventi.h"
#include "ui/pages/page_gruppi.h"
#include "ui/pages/page_ingressi.h"
#include "ui/pages/page_programmi.h"
#include "ui/pages/page_test.h"
#include "ui/pages/page_utenti.h"
#include "ui/pages/page_wireless.h"
#include "ui/statusframe.h"

#include <QRadioButton>
#include <QScrollBar>
#include <QToolBar>

#include <functional>

namespace {
constexpr int kUsersPage = 0;
constexpr int kInputsPage = 1;
constexpr int kProgramsPage = 6;
constexpr int kGroupsPage = 7;
constexpr int kWirelessPage = 8;
constexpr int kContactIdPage = 10;
constexpr int kTestPage = 13;
constexpr int kEventsPage = 15;

// The colour painted at `at` (logical coordinates) of `w`, at any scale factor.
QColor pixelAt(QWidget* w, QPoint at) {
    const QImage image = w->grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    return image.pixelColor(QPoint(qRound(at.x() * ratio), qRound(at.y() * ratio)));
}
// How many pixels painted in `area` (logical coordinates) of `w` are of the kind `which`.
int pixelsIn(QWidget* w, QRect area, const std::function<bool(const QColor&)>& which) {
    const QImage image = w->grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    int n = 0;
    for (int y = qRound(area.top() * ratio); y <= qRound(area.bottom() * ratio); ++y)
        for (int x = qRound(area.left() * ratio); x <= qRound(area.right() * ratio); ++x)
            n += which(image.pixelColor(x, y)) ? 1 : 0;
    return n;
}
bool dark(const QColor& c) {
    return c.lightness() < 100;
}
bool nearBlack(const QColor& c) {
    return std::max({c.red(), c.green(), c.blue()}) < 60;
}
bool nearWhite(const QColor& c) {
    return std::min({c.red(), c.green(), c.blue()}) > 200;
}
// The tabs of the main page control that are highlighted now.
QList<int> highlightedTabs(const TForm6& form) {
    QList<int> tabs;
    for (int i = 0; i < form.PageControl->count(); ++i)
        if (form.PageControl->highlighted(i))
            tabs << i;
    return tabs;
}
// Writes the current row's type as a read from the panel leaves it.
void setDeviceType(DataSet& devices, int tipo, const QString& name) {
    devices.edit();
    devices.fieldByName(QStringLiteral("_Tipo")).setAsInteger(tipo);
    devices.fieldByName(QStringLiteral("_NomeDevice")).setAsString(name);
    devices.post();
}
// The rectangle of the cell of `field` in record `recNo`, which must be on screen.
QRect cellOf(DBGrid& g, const QString& field, int recNo) {
    return g.cellRect(g.gridColumnOf(OpenWindow::columnOf(&g, field)),
                      recNo - g.topRecNo() + g.titleOffset());
}

QString installerCode() {
    return DM->CDSet_Tabulon->fieldByName(QStringLiteral("_PswInstallatore")).asString();
}

// A click on the code-length item `item` ("xxxxxx" 0, "xxxx" 1) as a user makes it.
void chooseCodeLength(TPageUtenti& page, int item) {
    QRadioButton* button = page.DBRadioGroup1->button(item);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    QTRY_COMPARE(DM->CDSet_ParVari->fieldByName(QStringLiteral("_Lunghezza_codici")).asInteger(), item);
}

// Clicks into the installer-code edit and types `keys` from its start.
void typeInstallerCode(TPageUtenti& page, const QString& keys) {
    QTest::mouseClick(page.DBEdit13, Qt::LeftButton, {}, QPoint(4, page.DBEdit13->height() / 2));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(page.DBEdit13));
    RealKeys::type(QStringLiteral("{Home}") + keys);
}
} // namespace

class TestPageDetails : public QObject {
    Q_OBJECT
private slots:
    // The installer code takes the new length at once: four positions after "xxxx", six after
    // "xxxxxx", and a stored code longer than the chosen length is kept whole until retyped.
    void installerCodeFollowsTheCodeLengthAtOnce() {
        OpenWindow w(2);
        w.showPage(kUsersPage);
        w.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        TPageUtenti& page = *w.form->TabSheet4;

        chooseCodeLength(page, 1);
        typeInstallerCode(page, QStringLiteral("1234{Right}5"));
        QCOMPARE(page.DBEdit13->text(), QStringLiteral("1234"));
        RealKeys::type(QStringLiteral("{Ret}"));
        QCOMPARE(installerCode(), QStringLiteral("1234"));
        QCOMPARE(page.DBEdit13->text(), QStringLiteral("1234"));

        chooseCodeLength(page, 0);
        typeInstallerCode(page, QStringLiteral("123456"));
        RealKeys::type(QStringLiteral("{Ret}"));
        QCOMPARE(installerCode(), QStringLiteral("123456"));

        // Back to four digits: the edit shows what the panel uses, the register keeps all six
        // until the user types a new code.
        chooseCodeLength(page, 1);
        QCOMPARE(page.DBEdit13->text(), QStringLiteral("1234"));
        QTest::mouseClick(page.DBEdit13, Qt::LeftButton, {}, QPoint(4, page.DBEdit13->height() / 2));
        RealKeys::type(QStringLiteral("{Ret}"));
        QCOMPARE(installerCode(), QStringLiteral("123456"));
        chooseCodeLength(page, 0);
        QCOMPARE(page.DBEdit13->text(), QStringLiteral("123456"));
        QCOMPARE(installerCode(), QStringLiteral("123456"));

        // An installation saved with four-digit codes opens with the four positions.
        chooseCodeLength(page, 1);
        w.reopenFromFile();
        w.showPage(kUsersPage);
        QCOMPARE(w.form->TabSheet4->DBEdit13->text(), QStringLiteral("1234"));
        QCOMPARE(installerCode(), QStringLiteral("123456"));
    }

    // The receivers that take no format of their own show their format cell as every cell a
    // row does not support is shown: silver, with a flat cross.
    void unsupportedFormatCellsLookNotApplicable() {
        OpenWindow w(6);
        w.showPage(kContactIdPage);
        w.form->show();
        TPageContactID& page = *w.form->TabSheet12;
        DBGrid& g = *page.DBGrid30;
        QTRY_VERIFY(g.isVisible());
        // The cross lies in the middle of the cell, where a value cell's face is blank.
        for (int r = 1; r <= 4; ++r) {
            const QRect cell = cellOf(g, QStringLiteral("_FPT_Cod"), r);
            const bool supported = r % 2 == 1;
            QCOMPARE(pixelAt(g.viewport(), cell.center()) == QColor(Qt::black), !supported);
        }
    }

    // A new installation has no words yet: the partitions list and the zone column of the
    // inputs' functions show the names instead of empty faces.
    void namesStandInForEmptyWords() {
        OpenWindow w(1);
        w.form->show();
        w.showPage(kGroupsPage);
        DBGrid& partitions = *w.form->TabSheet9->DBGrid22;
        QTRY_VERIFY(partitions.isVisible());
        for (int r = 1; r <= 4; ++r) {
            const QRect cell = cellOf(partitions, QStringLiteral("_Nome"), r);
            QVERIFY2(pixelsIn(partitions.viewport(),
                              QRect(cell.left() + 4, cell.top() + 2, 40, cell.height() - 4), dark) > 20,
                     qPrintable(QStringLiteral("partition %1").arg(r)));
        }

        w.showPage(kInputsPage);
        TPageIngressi& inputs = *w.form->TabSheet1;
        inputs.PageControl_Ingressi->selectPageByUser(1);
        DBGrid& functions = *inputs.DBGrid15;
        QTRY_VERIFY(functions.isVisible());
        for (int r = 1; r <= 4; ++r) {
            const QRect cell = cellOf(functions, QStringLiteral("_Nome"), r);
            QVERIFY2(pixelsIn(functions.viewport(),
                              QRect(cell.left() + 32, cell.top() + 2, 40, cell.height() - 4), dark) > 20,
                     qPrintable(QStringLiteral("input %1").arg(r)));
        }
    }

    // A jump from the event log first takes every highlight away; an event that leads nowhere
    // (an unknown code, an input beyond the model) leaves none behind.
    void aJumpNowhereLeavesNoHighlight() {
        OpenWindow w(2);
        const QDateTime when(QDate(2024, 5, 1), QTime(10, 0));
        for (const auto& [code, arg] : {std::pair{17, 1}, {77, 1}, {3, 500}})
            appendEvent(*DM->CDSet_Log, {code, arg, 1, when, QStringLiteral("ALLARME"), {}, {}, {}});
        w.form->show();
        w.showPage(kEventsPage);
        TPageEventi& page = *w.form->TabSheet31;
        QWidget* selection = page.ActionToolBar11->widgetForAction(w.form->Action16);
        QTest::mouseClick(selection, Qt::LeftButton);
        QVERIFY(w.form->Action16->isChecked());

        for (int row : {2, 3}) {
            OpenWindow::click(page.DBGrid1, 1, 3);
            QTRY_COMPARE(w.form->PageControl->activePageIndex(), kInputsPage);
            QCOMPARE(highlightedTabs(*w.form), QList<int>{kInputsPage});
            w.showPage(kEventsPage);
            QCOMPARE(highlightedTabs(*w.form), QList<int>{kEventsPage});
            OpenWindow::click(page.DBGrid1, row, 3);
            QCOMPARE(w.form->PageControl->activePageIndex(), kEventsPage);
            QCOMPARE(highlightedTabs(*w.form), QList<int>());
        }
    }

    // The name of a device can be typed exactly while it has a type, also when the type
    // changes under the current cell, on both radio ranges.
    void aTypeChangedUnderTheCellDecidesTypingAtOnce() {
        OpenWindow w(3);
        w.form->show();
        w.showPage(kWirelessPage);
        TPageWireless& page = *w.form->TabSheet10;
        struct Range {
            int tab;
            DBGrid* grid;
            DataSet* devices;
            int tipo;
            QString type;
        } ranges[] = {{1, page.DBGrid9, DM->CDSet_DeviceRadio800, 4, QStringLiteral("BOLDO800")},
                      {0, page.DBGrid46, DM->CDSet_DeviceRadio, 1, QStringLiteral("ULMO")}};
        for (const Range& r : ranges) {
            page.PageControl1->selectPageByUser(r.tab);
            QTRY_VERIFY(r.grid->isVisible());
            const QString name = QStringLiteral("_Nome");
            OpenWindow::click(r.grid, 1, OpenWindow::columnOf(r.grid, name));
            QCOMPARE(r.devices->fieldByName(QStringLiteral("_Tipo")).asInteger(), 0);
            setDeviceType(*r.devices, r.tipo, r.type);
            RealKeys::type(QStringLiteral("PORTA{Ret}"));
            QCOMPARE(r.devices->fieldByName(name).asString().trimmed(), QStringLiteral("PORTA"));
            setDeviceType(*r.devices, 0, QString());
            RealKeys::type(QStringLiteral("XY{Ret}"));
            QVERIFY(!r.devices->fieldByName(name).asString().contains(QStringLiteral("XY")));
        }
    }

    // The inputs' tabs show one table: a tab chosen shows the rows the tab left showed, the
    // current row among them, instead of scrolling the current row to the top.
    void inputTabsKeepTheRowsInView() {
        OpenWindow w(2);
        w.form->show();
        w.showPage(kInputsPage);
        TPageIngressi& page = *w.form->TabSheet1;
        DBGrid* grids[] = {page.DBGrid10, page.DBGrid15, page.DBGrid11, page.DBGrid26, page.DBGrid44};
        QTRY_VERIFY(page.DBGrid10->isVisible());
        OpenWindow::click(page.DBGrid10, 5, 1);
        QCOMPARE(DM->CDSet_Ingressi->recNo(), 5);
        QCOMPARE(page.DBGrid10->topRecNo(), 1);
        auto showTab = [&](int tab) {
            page.PageControl_Ingressi->selectPageByUser(tab);
            QTRY_VERIFY(tab == 4 || grids[tab]->isVisible());
            QApplication::processEvents();
        };
        for (int tab : {1, 2, 3, 0, 2}) {
            showTab(tab);
            QCOMPARE(grids[tab]->topRecNo(), 1);
            QCOMPARE(DM->CDSet_Ingressi->recNo(), 5);
        }
        // Rows scrolled on one tab are the rows the next tab shows, past "Adattamento" too.
        DBGrid& phones = *page.DBGrid11;
        // Two clicks in the scroll bar's groove below its slider: two pages down.
        QScrollBar* bar = phones.verticalScrollBar();
        const QPoint groove(bar->width() / 2, bar->height() - bar->width() - 4);
        QTest::mouseClick(bar, Qt::LeftButton, {}, groove);
        QTest::mouseClick(bar, Qt::LeftButton, {}, groove);
        const int top = phones.topRecNo();
        QVERIFY(top > 5);
        const int current = DM->CDSet_Ingressi->recNo();
        for (int tab : {4, 1, 0, 3}) {
            showTab(tab);
            if (tab != 4)
                QCOMPARE(grids[tab]->topRecNo(), top);
            QCOMPARE(DM->CDSet_Ingressi->recNo(), current);
        }
    }

    // Picked inputs (green) and picked zones (red) keep black text on their fill.
    void pickedRowsAreWrittenInBlack() {
        OpenWindow w(1);
        w.form->show();
        w.showPage(kProgramsPage);
        TPageProgrammi& page = *w.form->TabSheet7;
        QTRY_VERIFY(page.DBGrid5->isVisible());
        // The fill beside the text, then the text: black pixels, none white.
        auto checkBlackText = [&](DBGrid& g, int recNo, const QColor& fill) {
            const QRect cell = cellOf(g, QStringLiteral("_Nome"), recNo);
            QCOMPARE(pixelAt(g.viewport(), cell.topLeft() + QPoint(2, cell.height() / 2)), fill);
            const QRect text(cell.left() + 4, cell.top() + 2, 40, cell.height() - 4);
            QVERIFY(pixelsIn(g.viewport(), text, nearBlack) > 10);
            QCOMPARE(pixelsIn(g.viewport(), text, nearWhite), 0);
        };
        OpenWindow::click(page.DBGrid5, 1, 1);
        checkBlackText(*page.DBGrid5, 1, QColor(0, 128, 0));
        QTest::mouseClick(page.ActionToolBar3->widgetForAction(w.form->Action2), Qt::LeftButton);
        QTRY_COMPARE(DM->CDSet_Zone->recordCount(), 1);
        OpenWindow::click(page.DBGrid7, 1, 1);
        checkBlackText(*page.DBGrid7, 1, QColor(255, 0, 0));
    }

    // At the default layout each kind of device shows its own columns whole, up to the levels,
    // and the expander column holds "Esp. Radio 2" and "Not Update" after the status icon.
    void deviceColumnsFitAtTheDefaultLayout() {
        OpenWindow w(6);
        w.form->show();
        w.showPage(kWirelessPage);
        TPageWireless& page = *w.form->TabSheet10;
        page.PageControl1->selectPageByUser(1);
        DBGrid* grids[] = {page.DBGrid9, page.DBGrid47, page.DBGrid48};
        for (int tab : {0, 1, 2}) {
            page.PageControl2->selectPageByUser(tab);
            DBGrid& g = *grids[tab];
            QTRY_VERIFY(g.isVisible());
            QApplication::processEvents();
            const QFontMetrics fm(g.font());
            const int expander = OpenWindow::columnOf(&g, QStringLiteral("_ExpNum"));
            for (const QString& text : {QStringLiteral("Esp. Radio 2"), QStringLiteral("Not Update")})
                QVERIFY2(g.column(expander).width() >= 32 + fm.horizontalAdvance(text),
                         qPrintable(QStringLiteral("%1 in %2").arg(text).arg(g.column(expander).width())));
            const int last = OpenWindow::columnOf(&g, QStringLiteral("_Segnale"));
            for (int c = 0; c <= last; ++c) {
                const QRect cell = g.cellRect(g.gridColumnOf(c), g.titleOffset());
                QVERIFY2(g.viewport()->rect().contains(cell),
                         qPrintable(QStringLiteral("%1 column %2").arg(g.objectName()).arg(c)));
            }
        }
    }

    // On a window wider than the default the room to spare goes to the detectors: the remote
    // controls and the sirens keep the width of their columns, so no gap opens between grids.
    void testPageRadioGridsLeaveNoGap() {
        OpenWindow w(6);
        w.form->show();
        w.showPage(kTestPage);
        TPannello112& status = *w.form->TabSheet8->Pannello1121;
        status.PageControl1->selectPageByUser(1);
        QTRY_VERIFY(status.DrawGrid5->isVisible());
        auto total = [&] {
            return status.DrawGrid6->width() + status.DrawGrid5->width() + status.DrawGrid4->width();
        };
        const int sirens = status.DrawGrid5->width();
        const int remotes = status.DrawGrid6->width();
        const int before = total();
        w.form->resize(1600, 1000);
        QTRY_VERIFY(total() > before + 300);
        QCOMPARE(status.DrawGrid5->width(), sirens);
        QCOMPARE(status.DrawGrid6->width(), remotes);
        QVERIFY(status.DrawGrid5->width() <= status.DrawGrid5->sizeHint().width());
    }
};

QTEST_MAIN(TestPageDetails)
#include "test_pagedetails.moc"
