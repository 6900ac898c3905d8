// The main window's passes over its grids and splitters: the look and minimum widths given at
// creation, and the column fitting after a splitter moves.

#include "platform/dataset.h"
#include "platform/dbgrid.h"
#include "platform/gridpaint.h"
#include "ui/gridpasses.h"

#include <QtTest>

class TestGridPasses : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<DataSet> table;
    std::unique_ptr<DataSource> source;

    DBGrid* addGrid(QWidget* parent, const char* name, QList<QPair<QString, int>> columns) {
        auto* grid = new DBGrid(parent);
        grid->setObjectName(QString::fromLatin1(name));
        grid->setDataSource(source.get());
        for (const auto& [field, width] : columns)
            grid->addColumn(field, QString(), width);
        return grid;
    }

private slots:
    void init() {
        table = std::make_unique<DataSet>(QStringLiteral("CDSet_Prova"));
        for (const char* f : {"_ID", "_Nome", "_Enable", "_Tel"})
            table->addField(QString::fromLatin1(f), FieldType::String, 20);
        table->open();
        source = std::make_unique<DataSource>(table.get());
    }
    void cleanup() {
        source.reset();
        table.reset();
    }

    void gridsGetTheWindowsLookAndTheirMinimumWidths() {
        QWidget root;
        DBGrid* a = addGrid(&root, "DBGrid12", {{"_ID", 20}, {"_Nome", 150}, {"_Enable", 60}});
        DBGrid* b = addGrid(&root, "DBGrid13", {{"_Nome", 90}, {"_Tel", 70}});
        GridPasses::styleGrids(root);
        for (DBGrid* g : {a, b}) {
            QCOMPARE(g->color(), QColor(237, 242, 252)); // $00FCF2ED
            QVERIFY(g->hasOption(GridOption::RowLines));
            QVERIFY(g->titleFont().bold());
            for (int c = 0; c < g->columnCount(); ++c) {
                QVERIFY(g->column(c).title.font.bold());
                QCOMPARE(g->column(c).title.color, GridPalette::color(GridPalette::TitleBackground));
            }
        }
        QCOMPARE(table->fieldByName(QStringLiteral("_ID")).tag, 0); // a first column stays as it is
        QCOMPARE(table->fieldByName(QStringLiteral("_Enable")).tag, 60);
        QCOMPARE(table->fieldByName(QStringLiteral("_Tel")).tag, 70);
        // `_Nome` is in both grids: first column of the later grid, so 0 wins.
        QCOMPARE(table->fieldByName(QStringLiteral("_Nome")).tag, 0);
    }

    void splittersGetTheirBarsAndRefitTheirGrids() {
        QWidget root;
        auto* lay = new QVBoxLayout(&root);
        auto* splitter = new QSplitter(Qt::Horizontal, &root);
        splitter->setObjectName(QStringLiteral("Splitter5"));
        lay->addWidget(splitter);
        DBGrid* left = addGrid(splitter, "DBGrid12", {{"_ID", 20}, {"_Nome", 60}});
        DBGrid* right = addGrid(splitter, "DBGrid13", {{"_ID", 20}, {"_Tel", 60}});
        splitter->addWidget(left);
        splitter->addWidget(right);
        auto* bars = new QSplitter(Qt::Vertical, &root);
        bars->addWidget(new QWidget);
        bars->addWidget(new QWidget);
        lay->addWidget(bars);
        GridPasses::styleGrids(root);
        GridPasses::fitAndFinish(root);
        QCOMPARE(bars->handleWidth(), 10);
        QCOMPARE(splitter->handleWidth(), 8);
        GridPasses::wireSplitters(root, &root);
        root.resize(800, 400);
        root.show();
        QVERIFY(QTest::qWaitForWindowExposed(&root));
        GridPasses::fitAll(root);
        const int before = left->column(1).storedWidth();
        splitter->setSizes({600, 200});
        emit splitter->splitterMoved(600, 1); // as a drag reports it
        QVERIFY(left->column(1).storedWidth() > before);
        QCOMPARE(left->column(0).storedWidth(), 20); // a first column keeps its width
        QVERIFY(right->column(1).storedWidth() >= 60);
        QCOMPARE(GridPasses::gridsBesideSplitter(QStringLiteral("Splitter16")),
                 (QStringList{"DBGrid14", "DBGrid41", "DBGrid42"}));
        QVERIFY(GridPasses::gridsBesideSplitter(QStringLiteral("Splitter99")).isEmpty());
    }

    void gridsGetTheSharedMouseHandlers() {
        QWidget root;
        DBGrid* users = addGrid(&root, "DBGrid6", {{"_ID", 20}, {"_Nome", 60}});
        DBGrid* radio = addGrid(&root, "DBGrid44", {{"_ID", 20}, {"_Nome", 60}});
        DBGrid* other = addGrid(&root, "DBGrid45", {{"_ID", 20}, {"_Nome", 60}});
        DBGrid* log = addGrid(&root, "DBGrid1", {{"_ID", 20}, {"_Nome", 60}});
        GridMouseTracker tracker;
        GridPasses::wireGridEvents(root, tracker);
        QVERIFY(users->onMouseMove && radio->onMouseMove);
        QVERIFY(!other->onMouseMove && !log->onMouseMove);
        QVERIFY(users->onTitleClick);
        QVERIFY(!radio->onTitleClick && !other->onTitleClick);
        root.resize(400, 200);
        root.show();
        QVERIFY(QTest::qWaitForWindowExposed(&root));
        users->resize(300, 150);
        users->onMouseMove(*users, Qt::NoModifier, 5, 5); // over the title row
        QCOMPARE(tracker.MouseOverRow(), 0);
        QCOMPARE(tracker.senderMouseMove(), users);
    }
};

QTEST_MAIN(TestGridPasses)
#include "test_gridpasses.moc"
