// The users page over the real main window and data module: the code column by the chosen code
// length, the partition columns of each model, the typed and marked columns, and the code masks.

#include "model_fixture.h"
#include "platform/dbcontrols.h"
#include "support/openwindow.h"
#include "support/realkeys.h"
#include "ui/pages/page_utenti.h"

#include <QRadioButton>

namespace {
// A mouse click on the cell of `field` in record `recNo`.
void clickField(DBGrid& g, const QString& field, int recNo) {
    OpenWindow::click(&g, recNo, OpenWindow::columnOf(&g, field));
}
constexpr int kUsersPage = 0;

} // namespace

class TestPageUsers : public QObject {
    Q_OBJECT
private slots:
    void codesShowByTheChosenLength_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("shown");
        QTest::newRow("six digits") << "123456" << 0 << "123456";
        QTest::newRow("four of six") << "123456" << 1 << "1234";
        QTest::newRow("too short for four") << "12" << 1 << "----";
        QTest::newRow("no length chosen") << "123456" << -1 << "";
    }
    void codesShowByTheChosenLength() {
        QFETCH(QString, code);
        QFETCH(int, item);
        QFETCH(QString, shown);
        QCOMPARE(TPageUtenti::shownCode(code, item), shown);
    }

    void partitionColumnsFollowTheModel_data() { OpenWindow::addModelRows("fifthPartition"); }
    void partitionColumnsFollowTheModel() {
        QFETCH(int, type);
        QFETCH(bool, fifthPartition);
        OpenWindow w(type);
        w.showPage(kUsersPage);
        w.form->show();
        DBGrid& g = *w.form->TabSheet4->DBGrid6;
        const QString pz5 = QStringLiteral("_Pz5");
        const QString grp4 = QStringLiteral("_Grp4");
        QCOMPARE(TPageUtenti::columnApplies(pz5, type), fifthPartition);
        // A click toggles a column the model has and leaves the others alone.
        DM->CDSet_Utenti->first();
        // Columns a model lacks are hidden; a click there would change nothing anyway.
        QCOMPARE(g.columnOfField(pz5)->visible(), fifthPartition);
        if (fifthPartition) {
            clickField(g, pz5, 1);
            QVERIFY(at(DM->CDSet_Utenti, 1, pz5).toBool());
        }
        clickField(g, grp4, 1);
        QVERIFY(at(DM->CDSet_Utenti, 1, grp4).toBool());
        QCOMPARE(DM->CDSet_Utenti->state(), DataSetState::Browse);
    }

    void namesAndCodesAreTypedOtherColumnsMarkRows() {
        OpenWindow w(3);
        w.showPage(kUsersPage);
        w.form->show();
        DBGrid& g = *w.form->TabSheet4->DBGrid6;
        clickField(g, QStringLiteral("_Nome"), 1);
        QVERIFY(g.hasOption(GridOption::Editing));
        QVERIFY(!g.hasOption(GridOption::MultiSelect));
        clickField(g, QStringLiteral("_Pz1"), 2);
        QVERIFY(!g.hasOption(GridOption::Editing));
        QVERIFY(g.hasOption(GridOption::MultiSelect));
        clickField(g, QStringLiteral("_Codice"), 2);
        QVERIFY(g.hasOption(GridOption::Editing));
    }

    void choicesAndTogglesReachEveryMarkedUser() {
        OpenWindow w(3);
        w.showPage(kUsersPage);
        w.form->show();
        TPageUtenti& page = *w.form->TabSheet4;
        DBGrid& g = *page.DBGrid6;
        DM->CDSet_Utenti->first();
        // Ctrl-clicks mark users 2, 3 and 5 in the privilege column; the editor shows over the last.
        const int privilegeCol = OpenWindow::columnOf(&g, QStringLiteral("_TipolUtenti"));
        for (int r : {2, 3, 5})
            QTest::mouseClick(g.viewport(), Qt::LeftButton, Qt::ControlModifier,
                              g.cellRect(g.gridColumnOf(privilegeCol), r).center());
        QVERIFY(!page.DBComboBox14->isHidden());
        emit page.DBComboBox14->activated(page.DBComboBox14->findText(QStringLiteral("Master")));
        DataSet* users = DM->CDSet_Utenti;
        const int tipol = users->fieldByName(QStringLiteral("_TipolUtenti")).index();
        for (int r : {2, 3, 5})
            QCOMPARE(users->stringAt(r, tipol), QStringLiteral("Master"));
        QVERIFY(users->stringAt(4, tipol) != QLatin1String("Master"));

        // Marks made in a partition column: a ctrl-click toggles the clicked user and gives
        // every marked user the same value.
        g.clearSelectedRows();
        const int pz1 = OpenWindow::columnOf(&g, QStringLiteral("_Pz1"));
        for (int r : {1, 4, 6})
            QTest::mouseClick(g.viewport(), Qt::LeftButton, Qt::ControlModifier,
                              g.cellRect(g.gridColumnOf(pz1), r).center());
        for (int r : {1, 4, 6})
            QVERIFY2(at(DM->CDSet_Utenti, r, QStringLiteral("_Pz1")).toBool(),
                     qPrintable(QString::number(r)));
        QVERIFY(!at(DM->CDSet_Utenti, 2, QStringLiteral("_Pz1")).toBool());
    }

    void codeMasksFollowTheCodeLength() {
        OpenWindow w(2);
        w.showPage(kUsersPage);
        w.form->show();
        TPageUtenti& page = *w.form->TabSheet4;
        Field& code = DM->CDSet_Utenti->fieldByName(QStringLiteral("_Codice"));
        Field& installer = DM->CDSet_Tabulon->fieldByName(QStringLiteral("_PswInstallatore"));
        page.DBRadioGroup1->button(1)->click(); // "xxxx"
        QCOMPARE(DM->CDSet_ParVari->fieldByName(QStringLiteral("_Lunghezza_codici")).asInteger(), 1);
        QCOMPARE(code.editMask, QStringLiteral("9999;1;_"));
        QCOMPARE(installer.editMask, QStringLiteral("9999;1;_"));
        page.DBRadioGroup1->button(0)->click();
        QCOMPARE(code.editMask, QStringLiteral("999999;1;_"));
    }

    void editsSurviveSaveAndReopen() {
        OpenWindow w(6);
        w.showPage(kUsersPage);
        RealKeys::activate(w.form.get());
        DBGrid& g = *w.form->TabSheet4->DBGrid6;
        DM->CDSet_Utenti->first();
        clickField(g, QStringLiteral("_Nome"), 3);
        RealKeys::type(QStringLiteral("Bianchi")); // the first key opens the editor over the old name
        clickField(g, QStringLiteral("_Pz7"), 1);  // leaves the row: the name is posted
        QVERIFY(at(DM->CDSet_Utenti, 1, QStringLiteral("_Pz7")).toBool());
        w.reopenFromFile();
        w.showPage(kUsersPage);
        DataSet* users = DM->CDSet_Utenti;
        QCOMPARE(at(users, 3, "_Nome").toString(), QStringLiteral("Bianchi"));
        QVERIFY(at(DM->CDSet_Utenti, 1, QStringLiteral("_Pz7")).toBool());
    }
};

QTEST_MAIN(TestPageUsers)
#include "test_page_users.moc"
