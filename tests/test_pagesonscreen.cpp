// The configuration pages as a person meets them in the real window, for every model: the
// window keeps its size, lists and cells show their whole texts, typed cells refuse bad input
// keeping the old value, and edits reach the register file.

#include "support/openwindow.h"
#include "support/realkeys.h"
#include "ui/pages/page_ingressi.h"
#include "ui/pages/page_uscite.h"

#include <QComboBox>

class TestPagesOnScreen : public QObject {
    Q_OBJECT
private slots:
    void init() {
        TForm6::setProcessExit([](int) {});
    }

    // Opening an installation first shows the window: it comes up at the size stored at the
    // last exit, whatever the model hides, so its bottom never falls off a small screen.
    void theWindowOpensAtItsStoredSize() {
        for (int type = 1; type <= 6; ++type) {
            OpenWindow w(type);
            QCOMPARE(w.form->size(), QSize(1124, 740));
        }
    }

    // No title of the outputs' functions grid is cut.
    void outputFunctionTitlesShowWhole() {
        OpenWindow w(6);
        DBGrid* g = w.form->TabSheet2->DBGrid27;
        QFont bold = g->font();
        bold.setBold(true);
        const QFontMetrics fm(bold);
        for (int c = 1; c < g->columnCount(); ++c)
            QVERIFY2(fm.horizontalAdvance(g->column(c).titleCaption()) < g->column(c).width(),
                     qPrintable(g->column(c).titleCaption()));
    }

    // The timers' users show their live names, written by the page: they sit where the grid
    // writes the stored names of the partitions beside them.
    void liveNamesLineUpWithStoredOnes() {
        OpenWindow w(6);
        w.form->show();
        w.showPage(11);
        const auto firstInk = [](DBGrid* g) {
            const QImage img = g->viewport()->grab().toImage();
            const QRect r = g->cellRect(g->gridColumnOf(1), g->titleOffset() + 1).adjusted(1, 1, -1, -1);
            // The first letter's stem: both names start with a capital.
            for (int x = r.left(); x <= r.right(); ++x)
                for (int y = r.top(); y <= r.bottom(); ++y)
                    if (qGray(img.pixel(x, y)) < 100)
                        return QPoint(x - r.left(), y - r.top());
            return QPoint(-1, -1);
        };
        auto* users = w.form->findChild<DBGrid*>(QStringLiteral("DBGrid36"));
        auto* partitions = w.form->findChild<DBGrid*>(QStringLiteral("DBGrid37"));
        QVERIFY(users && partitions);
        QVERIFY(firstInk(users).y() >= 0);
        QCOMPARE(firstInk(users), firstInk(partitions));
    }

    // A row left in edit state gets its position back as its number when its number cell is
    // entered, and is posted, on every grid that numbers its rows so.
    void enteringTheNumberCellRenumbersTheRow_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("grid");
        QTest::newRow("users") << 0 << QStringLiteral("DBGrid6");
        QTest::newRow("phone book") << 4 << QStringLiteral("DBGrid3");
        QTest::newRow("system events") << 9 << QStringLiteral("DBGrid32");
        QTest::newRow("receivers") << 10 << QStringLiteral("DBGrid30");
    }
    void enteringTheNumberCellRenumbersTheRow() {
        QFETCH(int, page);
        QFETCH(QString, grid);
        OpenWindow w(6);
        w.form->show();
        w.showPage(page);
        auto* g = w.form->findChild<DBGrid*>(grid);
        QVERIFY(g && g->isVisible());
        DataSet* t = g->dataSet();
        g->moveToRecNo(3);
        g->setSelectedIndex(1);
        t->edit();
        t->fieldByName(QStringLiteral("_ID")).setAsInteger(99);
        g->setSelectedIndex(0);
        QCOMPARE(t->state(), DataSetState::Browse);
        QCOMPARE(t->integerAt(3, t->fieldByName(QStringLiteral("_ID")).index()), 3);
    }

    // In a wide window the users grid fills its width whatever partitions the model has, also
    // when an installation of another model is opened in the same window.
    void theUsersGridFillsAWideWindow() {
        OpenWindow w(4); // four partitions: four partition columns hidden
        w.form->resize(1900, 1040);
        w.form->show();
        w.showPage(0);
        auto* g = w.form->findChild<DBGrid*>(QStringLiteral("DBGrid6"));
        const auto gap = [g] {
            QApplication::processEvents(); // the fitting follows the show
            int last = -1;
            for (int c = 0; c < g->columnCount(); ++c)
                if (g->column(c).visible())
                    last = c;
            const QRect r = g->cellRect(g->gridColumnOf(last), g->titleOffset());
            return g->viewport()->width() - (r.right() + 1);
        };
        // The fitting rounds each column's share toward zero: a few pixels either way.
        QVERIFY2(std::abs(gap()) < 16, qPrintable(QString::number(gap())));
        w.showPage(1);
        DM->AddDataSet(6); // eight partitions
        OpenInstallation();
        w.showPage(0);
        QVERIFY(g->column(OpenWindow::columnOf(g, QStringLiteral("_Pz8"))).visible());
        QVERIFY2(std::abs(gap()) < 16, qPrintable(QString::number(gap())));
    }

    // The timers' exclusion columns are titled with the periods' names, which the user types:
    // a longer name widens its column instead of being cut; the times show whole too.
    void exclusionTitlesShowWhole() {
        OpenWindow w(6);
        w.form->show();
        w.showPage(11);
        auto* periods = w.form->findChild<DBGrid*>(QStringLiteral("DBGrid35"));
        auto* timers = w.form->findChild<DBGrid*>(QStringLiteral("DBGrid34"));
        QVERIFY(periods && timers);
        OpenWindow::click(periods, 2, OpenWindow::columnOf(periods, QStringLiteral("_Nome")));
        RealKeys::type(QStringLiteral("{^A}VACANZE ESTIVE{Ret}"));
        OpenWindow::click(periods, 1, OpenWindow::columnOf(periods, QStringLiteral("_Nome")));
        QFont bold = timers->font();
        bold.setBold(true);
        const QFontMetrics fm(bold);
        for (int n = 1; n <= 8; ++n) {
            const DBGridColumn& c = *timers->columnOfField(QStringLiteral("_DataEscusione%1").arg(n));
            QVERIFY2(fm.horizontalAdvance(c.titleCaption()) < c.width(), qPrintable(c.titleCaption()));
        }
        QCOMPARE(timers->columnOfField(QStringLiteral("_DataEscusione2"))->titleCaption(),
                 QStringLiteral("VACANZE ESTIVE"));
        // The timers' times, written bold on the value face, stay clear of the grip.
        const int time = fm.horizontalAdvance(QStringLiteral("00:00"));
        QVERIFY(5 + time + timers->defaultRowHeight() / 2 <=
                timers->columnOfField(QStringLiteral("_Ora"))->width());
    }

    // Every page starts its content at the same distance from the page's edges, so moving
    // between pages nothing jumps.
    void pagesShareTheirMargins() {
        OpenWindow w(6);
        w.form->show();
        for (int p : {0, 1, 2, 4, 5, 6, 7, 9, 10, 11, 12, 14, 16, 18}) {
            w.showPage(p);
            QWidget* page = w.form->PageControl->page(p);
            QRect content;
            for (QWidget* c : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (c->isVisible())
                    content = content.united(c->geometry());
            QVERIFY2(content.topLeft() == QPoint(4, 4), qPrintable(page->objectName()));
        }
    }

    // Every choice a cell's list offers shows whole once chosen: the column is wide enough for
    // the longest item next to the value face's grip, on every model (the lists follow it).
    void listChoicesFitTheirColumns_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QString>("grid");
        QTest::addColumn<QString>("field");
        const struct {
            int page;
            const char* sheet;
            const char* grid;
            const char* field;
        } cases[] = {
            {0, "", "DBGrid6", "_TipolUtenti"},
            {1, "TabSheetIngFunzioni", "DBGrid15", "_FuncIngresso"},
            {1, "TabSheetIngFunzioni", "DBGrid15", "_AttSirIngresso"},
            {1, "TabSheetIngFunzioni", "DBGrid15", "_TipoNc"},
            {2, "TabSheet20", "DBGrid27", "_FunzioneUscita"},
            {2, "TabSheet20", "DBGrid27", "_CondFunzionamento"},
            {11, "", "DBGrid36", "_OnOff"},
        };
        for (int type = 1; type <= 6; ++type)
            for (const auto& c : cases)
                QTest::addRow("%d %s %s", type, c.grid, c.field)
                    << (type * 100 + c.page) << QString::fromLatin1(c.sheet) << QString::fromLatin1(c.grid)
                    << QString::fromLatin1(c.field);
    }
    void listChoicesFitTheirColumns() {
        QFETCH(int, page);
        QFETCH(QString, sheet);
        QFETCH(QString, grid);
        QFETCH(QString, field);
        OpenWindow w(page / 100);
        w.showPage(page % 100);
        if (!sheet.isEmpty()) {
            QWidget* s = w.form->findChild<QWidget*>(sheet);
            QVERIFY(s);
            auto* control = qobject_cast<TPageControl*>(s->parentWidget()->parentWidget());
            QVERIFY(control);
            control->selectPageByUser(control->indexOf(s));
            QApplication::processEvents();
        }
        auto* g = w.form->findChild<DBGrid*>(grid);
        QVERIFY(g && g->isVisible());
        const int col = OpenWindow::columnOf(g, field);
        if (!g->column(col).visible())
            QSKIP("the model has no such column");
        OpenWindow::click(g, 1, col);
        QComboBox* editor = nullptr;
        for (QComboBox* box : g->findChildren<QComboBox*>())
            if (box->isVisible())
                editor = box;
        QVERIFY2(editor, "no list opened on the click");
        QVERIFY(editor->count() > 1);
        const QFontMetrics fm(g->font());
        for (int i = 0; i < editor->count(); ++i) {
            const int needed = 5 + fm.horizontalAdvance(editor->itemText(i)) + g->defaultRowHeight() / 2;
            QVERIFY2(needed <= g->column(col).width(), qPrintable(editor->itemText(i)));
        }
    }
};

QTEST_MAIN(TestPagesOnScreen)
#include "test_pagesonscreen.moc"
