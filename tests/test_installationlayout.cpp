// The per-model layout of the main window, applied to a window of its own that holds every
// component the layout names; and the real main window, which must hold them all too.

#include "support/openwindow.h"
#include "ui/installationlayout.h"

namespace {
constexpr int TAVEK = 1, MIRUN = 2, MIRUNPLUS = 3, PELUN = 4, QUANE = 5, ZOREM = 6, NONE = 0;
// The grids the layout changes, with their column counts in the main window.
const std::pair<const char*, int> Grids[] = {
    {"DBGrid6", 12}, {"DBGrid15", 13}, {"DBGrid26", 11}, {"DBGrid3", 9}, {"DBGrid31", 11}};
} // namespace

class TestInstallationLayout : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QWidget> root;
    std::unique_ptr<DataSet> table;
    std::unique_ptr<DataSource> source;

    template <class T = QWidget> T* w(const char* name) const {
        return root->findChild<T*>(QString::fromLatin1(name));
    }
    DBGridColumn& col(const char* grid, int c) const { return w<DBGrid>(grid)->column(c); }
    TPageControl* pc(const char* name) const { return w<TPageControl>(name); }
    bool tabShown(const char* control, const char* sheet) const {
        TPageControl* p = pc(control);
        return p->tabVisible(p->indexOf(p->pageByName(QString::fromLatin1(sheet))));
    }

    // Everything the layout can change, as one text, to compare whole layouts.
    QString snapshot() const {
        QStringList out;
        for (const auto& [g, n] : Grids) {
            DBGrid* grid = w<DBGrid>(g);
            for (int c = 0; c < grid->columnCount(); ++c)
                out << QStringLiteral("%1[%2]=%3/%4/%5")
                           .arg(QLatin1String(g))
                           .arg(c)
                           .arg(grid->column(c).visible())
                           .arg(grid->column(c).storedWidth())
                           .arg(grid->column(c).field() ? grid->column(c).field()->tag : -1);
        }
        for (const QString& name : InstallationLayout::ComponentNames())
            if (QWidget* x = root->findChild<QWidget*>(name); x && !qobject_cast<DBGrid*>(x))
                out << QStringLiteral("%1=%2/%3").arg(name).arg(!x->isHidden()).arg(x->isEnabled());
        for (const char* p : {"PageControl", "PageControl_FPT", "PageControl_telefoni"})
            for (int i = 0; i < pc(p)->count(); ++i)
                out << QStringLiteral("%1[%2]=%3").arg(QLatin1String(p)).arg(i).arg(pc(p)->tabVisible(i));
        return out.join(QLatin1Char('\n'));
    }

    void addGrid(const char* name, int columns) {
        auto* grid = new DBGrid(root.get());
        grid->setObjectName(QString::fromLatin1(name));
        grid->setDataSource(source.get());
        for (int c = 0; c < columns; ++c) {
            // Distinct fields per grid, distinct design widths per column.
            DBGridColumn& column = grid->addColumn(QStringLiteral("%1_f%2").arg(QLatin1String(name)).arg(c));
            column.setWidth(40 + c * 5 + columns);
            column.field()->tag = column.storedWidth();
        }
    }

    void addPageControl(const char* name, QStringList sheets) {
        auto* p = new TPageControl(QString::fromLatin1(name), root.get());
        for (const QString& s : sheets) {
            auto* sheet = new QWidget;
            sheet->setObjectName(s);
            p->addPage(sheet, s);
        }
    }

private slots:
    void init() {
        root = std::make_unique<QWidget>();
        root->setObjectName(QStringLiteral("Form6"));
        table = std::make_unique<DataSet>(QStringLiteral("CDSet_Test"));
        for (const auto& [g, n] : Grids)
            for (int c = 0; c < n; ++c)
                table->addField(QStringLiteral("%1_f%2").arg(QLatin1String(g)).arg(c), FieldType::Integer);
        table->open();
        source = std::make_unique<DataSource>(table.get());
        for (const auto& [g, n] : Grids)
            addGrid(g, n);
        addPageControl("PageControl", {"TabSheet4", "TabSheet22"});
        addPageControl("PageControl_FPT", {"TabSheet33", "TabSheet24"});
        addPageControl("PageControl_telefoni", {"TabSheet29", "TabSheet30"});
        for (const QString& name : InstallationLayout::ComponentNames())
            if (!root->findChild<QWidget*>(name)) {
                auto* c = name.startsWith(QLatin1String("DBCheckBox")) ? new QCheckBox(root.get())
                                                                       : new QWidget(root.get());
                c->setObjectName(name);
            }
        QVERIFY(InstallationLayout::MissingComponents(*root).isEmpty());
    }
    void cleanup() {
        root.reset();
        source.reset();
        table.reset();
    }

    void pelunAndQuaneShareOneLayout() {
        InstallationLayout::Apply(*root, PELUN);
        const QString pelun = snapshot();
        InstallationLayout::Apply(*root, QUANE);
        QCOMPARE(snapshot(), pelun);
    }

    void noModelKeepsTheUnchangedControlsOfThePreviousOpening() {
        // After a PELUN opening the "=" controls of type 0 stay as PELUN left them...
        InstallationLayout::Apply(*root, PELUN);
        InstallationLayout::Apply(*root, NONE);
        QVERIFY(!w("GroupBox67")->isHidden());
        QVERIFY(col("DBGrid15", 4).visible());
        // ...and after a TAVEK opening as TAVEK left them.
        InstallationLayout::Apply(*root, TAVEK);
        InstallationLayout::Apply(*root, NONE);
        QVERIFY(w("GroupBox67")->isHidden());
        QVERIFY(!col("DBGrid15", 4).visible());
        // What type 0 sets itself: partitions 5..8 shown, the first phone column of the events only.
        QVERIFY(col("DBGrid6", 11).visible() && col("DBGrid26", 9).visible());
        QVERIFY(col("DBGrid31", 3).visible() && !col("DBGrid31", 4).visible());
        QVERIFY(!tabShown("PageControl", "TabSheet22"));
        QVERIFY(tabShown("PageControl_telefoni", "TabSheet30"));
        QVERIFY(!w("GroupBox104")->isHidden());
        QVERIFY(w("DBRadioGroup1")->isHidden());
        QVERIFY(w("DBCheckBox36")->isEnabled());
        QVERIFY(!w("DBCheckBox9")->isEnabled());
    }

    // The whole column of type 0 (no model), written out from the layout table: 'Y' shown
    // (enabled), '-' hidden (disabled), '=' as the window was. Applied over a window where
    // everything is shown and enabled, and over one where everything is hidden and disabled, so
    // that a setting turned the wrong way or left out shows from one side or the other.
    void noModelSetsItsWholeColumn_data() {
        QTest::addColumn<bool>("before");
        QTest::newRow("over everything shown") << true;
        QTest::newRow("over everything hidden") << false;
    }
    void noModelSetsItsWholeColumn() {
        QFETCH(bool, before);
        const auto expected = [before](char setting) { return setting == '=' ? before : setting == 'Y'; };
        const struct {
            const char *control, *sheet;
            char setting;
        } tabs[] = {{"PageControl", "TabSheet22", '-'},
                    {"PageControl_FPT", "TabSheet24", '-'},
                    {"PageControl_telefoni", "TabSheet30", 'Y'}};
        const struct {
            const char* grid;
            int first, last;
            char setting;
        } columns[] = {{"DBGrid6", 8, 11, 'Y'}, {"DBGrid15", 4, 4, '='}, {"DBGrid15", 11, 11, '-'},
                       {"DBGrid26", 6, 9, 'Y'}, {"DBGrid3", 3, 6, 'Y'},  {"DBGrid3", 7, 8, '='},
                       {"DBGrid31", 4, 10, '-'}};
        // Components by setting: shown, and (the check boxes of the last table) enabled.
        const std::pair<char, const char*> shown[] = {
            {'Y',
             "DBCheckBox25 DBCheckBox26 DBCheckBox27 DBCheckBox28 DBCheckBox33 DBCheckBox41 DBCheckBox48 "
             "DBCheckBox49 GroupBoxParzWireless1 GroupBoxParzWireless2 GroupBoxParzWireless3 "
             "GroupBoxParzWireless4 GroupBox104 GroupBox80"},
            {'-', "DBRadioGroup1 GroupBox70 GroupBox55 GroupBox45 GroupBox46"},
            {'=', "GroupBox67 GroupBox37 GroupBox99 GroupBox98 DBEdit29 DBEdit30 DBEdit31 DBEdit32 Label36 "
                  "Label37 Label38 Label39"}};
        const std::pair<char, const char*> enabled[] = {
            {'Y', "DBCheckBox36 DBCheckBox37 DBCheckBox38 DBCheckBox10"}, {'-', "DBCheckBox9"}};

        QMap<QString, int> widths, tags;
        for (const auto& [g, n] : Grids)
            for (int c = 0; c < n; ++c) {
                const QString key = QStringLiteral("%1[%2]").arg(QLatin1String(g)).arg(c);
                col(g, c).setVisible(before);
                widths[key] = col(g, c).storedWidth();
                tags[key] = col(g, c).field()->tag;
            }
        for (const char* p : {"PageControl", "PageControl_FPT", "PageControl_telefoni"})
            for (int i = 0; i < pc(p)->count(); ++i)
                pc(p)->setTabVisible(i, before);
        for (QWidget* x : root->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!qobject_cast<DBGrid*>(x) && !qobject_cast<TPageControl*>(x)) {
                x->setVisible(before);
                x->setEnabled(before);
            }

        InstallationLayout::Apply(*root, NONE);

        for (const auto& t : tabs)
            QVERIFY2(tabShown(t.control, t.sheet) == expected(t.setting), t.sheet);
        // Columns the table names take their setting; every other column stays as it was.
        QMap<QString, bool> visible;
        for (const auto& c : columns)
            for (int i = c.first; i <= c.last; ++i)
                visible[QStringLiteral("%1[%2]").arg(QLatin1String(c.grid)).arg(i)] = expected(c.setting);
        for (const auto& [g, n] : Grids)
            for (int c = 0; c < n; ++c) {
                const QString key = QStringLiteral("%1[%2]").arg(QLatin1String(g)).arg(c);
                QVERIFY2(col(g, c).visible() == visible.value(key, before), qPrintable(key));
            }
        for (const auto& [setting, names] : shown)
            for (const QString& name : QString::fromLatin1(names).split(QLatin1Char(' '))) {
                const QWidget* x = root->findChild<QWidget*>(name);
                QVERIFY2(x && !x->isHidden() == expected(setting), qPrintable(name));
            }
        for (const auto& [setting, names] : enabled)
            for (const QString& name : QString::fromLatin1(names).split(QLatin1Char(' '))) {
                const QWidget* x = root->findChild<QWidget*>(name);
                QVERIFY2(x && x->isEnabled() == expected(setting), qPrintable(name));
            }

        // Widths: the users' partitions 5..8 take the width of its column 7, those of the inputs
        // ON/OFF the width of the users' column 5; nothing else changes, no minimum width either.
        for (int c = 8; c <= 11; ++c)
            widths[QStringLiteral("DBGrid6[%1]").arg(c)] = widths[QStringLiteral("DBGrid6[7]")];
        for (int c = 6; c <= 9; ++c)
            widths[QStringLiteral("DBGrid26[%1]").arg(c)] = widths[QStringLiteral("DBGrid6[5]")];
        for (const auto& [g, n] : Grids)
            for (int c = 0; c < n; ++c) {
                const QString key = QStringLiteral("%1[%2]").arg(QLatin1String(g)).arg(c);
                QVERIFY2(col(g, c).storedWidth() == widths[key], qPrintable(key));
                QVERIFY2(col(g, c).field()->tag == tags[key], qPrintable(key));
            }
    }

    void typesOutsideTheModelsAreNone() {
        InstallationLayout::Apply(*root, TAVEK);
        InstallationLayout::Apply(*root, NONE);
        const QString none = snapshot();
        for (int odd : {7, -1, 99}) {
            InstallationLayout::Apply(*root, TAVEK);
            InstallationLayout::Apply(*root, odd);
            QCOMPARE(snapshot(), none);
        }
    }

    void columnWidthsFollowTheirSources() {
        const int w3 = col("DBGrid15", 3).storedWidth();
        const int w7 = col("DBGrid6", 7).storedWidth();
        const int w5 = col("DBGrid26", 5).storedWidth();
        const int tag6 = col("DBGrid26", 6).field()->tag;
        InstallationLayout::Apply(*root, MIRUN);
        QCOMPARE(col("DBGrid15", 4).storedWidth(), w3);
        QVERIFY(col("DBGrid6", 8).storedWidth() != w7); // not on MIRUN
        QCOMPARE(col("DBGrid26", 6).field()->tag, tag6);

        InstallationLayout::Apply(*root, MIRUNPLUS);
        for (int c = 8; c <= 11; ++c)
            QCOMPARE(col("DBGrid6", c).storedWidth(), w7);
        for (int c = 6; c <= 9; ++c) {
            QCOMPARE(col("DBGrid26", c).storedWidth(), w5);
            QCOMPARE(col("DBGrid26", c).field()->tag, 16); // may now be fitted down to 16 px
        }
    }

    void noModelTakesTheUsersGridWidth() {
        col("DBGrid6", 5).setWidth(77);
        InstallationLayout::Apply(*root, NONE);
        for (int c = 6; c <= 9; ++c)
            QCOMPARE(col("DBGrid26", c).storedWidth(), 77);
        QVERIFY(col("DBGrid26", 6).field()->tag != 16);
        QVERIFY(col("DBGrid15", 4).storedWidth() != col("DBGrid15", 3).storedWidth());
    }

    void missingComponentsAreSkippedAndListed() {
        delete w("GroupBox67");
        delete w("DBGrid3");
        InstallationLayout::Apply(*root, PELUN); // no crash, the rest applied
        QVERIFY(!w("GroupBox37")->isHidden());
        const QStringList missing = InstallationLayout::MissingComponents(*root);
        QVERIFY(missing.contains(QStringLiteral("GroupBox67")));
        QVERIFY(missing.contains(QStringLiteral("DBGrid3")));
        DBGrid* users = w<DBGrid>("DBGrid6");
        users->removeColumn(11);
        QVERIFY(InstallationLayout::MissingComponents(*root).contains(QStringLiteral("DBGrid6[11]")));
        InstallationLayout::Apply(*root, ZOREM);
        QVERIFY(users->column(10).visible());
    }

    // The rules reach the real window only through names: a page that renames or drops a
    // component, or a grid that loses a column, leaves a rule acting on nothing.
    void theMainWindowHoldsEveryNameTheRulesUse_data() { OpenWindow::addModelRows("eightPartitions"); }
    void theMainWindowHoldsEveryNameTheRulesUse() {
        QFETCH(int, type);
        OpenWindow window(type);
        const QStringList missing = InstallationLayout::MissingComponents(*window.form);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char(' '))));
    }
};

QTEST_MAIN(TestInstallationLayout)
#include "test_installationlayout.moc"
