// The association editors on the real main window: an output's inputs and users, a group's
// partitions. Picks, add and remove with their enabling, picks dropped by every kind of master
// change, the capacity refusal, and links kept (and cleaned) across a save and a new run.

#include "model/lang.h"
#include "model/linkintegrity.h"
#include "platform/dbcontrols.h"
#include "platform/maskedlineedit.h"
#include "support/openwindow.h"
#include "support/realkeys.h"
#include "ui/linkassociations.h"
#include "ui/pagecontrol.h"
#include "ui/pages/page_gruppi.h"
#include "ui/pages/page_uscite.h"

#include <QAction>
#include <QGroupBox>

namespace {
constexpr int kPageUscite = 2;
constexpr int kPageGruppi = 7;

QString functionOfSign(const char* sign) {
    return Lang::ListaFunzioneUsciteMIRUN.at(
        Lang::ListaFunzioneUsciteSegniMIRUN.indexOf(QLatin1String(sign)));
}

void writeAt(DataSet* t, int recNo, const char* field, const QVariant& value) {
    t->setRecNo(recNo);
    t->edit();
    t->fieldByName(QString::fromLatin1(field)).setValue(value);
    t->post();
}

// `_ID`s of the link rows the table shows now, in order.
QList<int> linkIds(const DataSet* links) {
    QList<int> ids;
    const int idx = links->fieldByName(QStringLiteral("_ID")).index();
    for (int r = 1; r <= links->recordCount(); ++r)
        ids << links->integerAt(r, idx);
    return ids;
}
} // namespace

class TestAssociations : public QObject {
    Q_OBJECT

    std::unique_ptr<OpenWindow> w;
    TForm6* f = nullptr;
    TPageUscite* out = nullptr;

    // A window on the "Associazioni" tab of output 1, whose function drives the input panel.
    void openOutputs(int type = 2) {
        w = std::make_unique<OpenWindow>(type);
        f = w->form.get();
        out = f->TabSheet2;
        writeAt(DM->CDSet_Uscite, 1, "_FunzioneUscita", functionOfSign("I"));
        writeAt(DM->CDSet_Uscite, 2, "_FunzioneUscita", functionOfSign("I"));
        DM->CDSet_Uscite->setRecNo(1);
        w->showPage(kPageUscite);
        out->PageControl_Uscite->selectPageByUser(out->PageControl_Uscite->indexOf(out->TabSheet35));
        QApplication::processEvents();
    }
    void pick(DBGrid* grid, std::initializer_list<int> recNos) {
        for (int r : recNos)
            OpenWindow::click(grid, r);
    }

private slots:
    void cleanup() {
        if (w)
            QVERIFY2(w->boxes.texts().isEmpty(), qPrintable(w->boxes.texts().join(QLatin1Char('|'))));
        w.reset();
    }

    void thePanelFollowsTheOutputsFunction_data() {
        QTest::addColumn<QString>("sign");
        QTest::addColumn<bool>("inputs");
        QTest::addColumn<bool>("users");
        QTest::newRow("Ingresso") << "I" << true << false;
        QTest::newRow("Codice User") << "U" << false << true;
        QTest::newRow("Multi Funzione") << "W" << false << true;
        QTest::newRow("Pilot") << "P" << false << false;
    }
    void thePanelFollowsTheOutputsFunction() {
        QFETCH(QString, sign);
        QFETCH(bool, inputs);
        QFETCH(bool, users);
        openOutputs(6);
        writeAt(DM->CDSet_Uscite, 3, "_FunzioneUscita", functionOfSign(sign.toLatin1().constData()));
        OpenWindow::click(out->DBGrid45, 3);
        QCOMPARE(out->GroupBox10->isVisible(), inputs);
        QCOMPARE(out->GroupBox61->isVisible(), users);
        QCOMPARE(out->GroupBox26->title(), QStringLiteral("Uscita 3"));
        // Two outputs marked in the grid on screen: no single output to associate.
        out->PageControl_Uscite->selectPageByUser(0);
        out->DBGrid16->moveToRecNo(1);
        out->DBGrid16->setCurrentRowSelected(true);
        out->DBGrid16->moveToRecNo(3);
        out->DBGrid16->setCurrentRowSelected(true);
        QVERIFY(out->GroupBox10->isHidden() && out->GroupBox61->isHidden());
    }

    void addSkipsWhatIsLinkedAndRemoveTakesThePicks() {
        openOutputs();
        DBGrid* src = out->DBGrid19;
        DBGrid* links = out->DBGrid20;
        pick(src, {2});
        f->Action2->trigger();
        QCOMPARE(linkIds(DM->CDSet_InLink), QList<int>{2});

        pick(src, {1, 2, 3});
        QVERIFY(f->Action2->isEnabled());
        f->Action2->trigger();
        QCOMPARE(linkIds(DM->CDSet_InLink), (QList<int>{1, 2, 3}));
        QCOMPARE(src->selectedRowCount(), 0);
        QVERIFY(!f->Action2->isEnabled());
        QCOMPARE(DM->CDSet_InLink->fieldByName(QStringLiteral("_Nome")).asString().isEmpty(), false);

        // A second click on a picked row unpicks it; the last unpick disables the action.
        pick(links, {1, 3});
        QVERIFY(f->Action3->isEnabled());
        pick(links, {3, 1});
        QVERIFY(!f->Action3->isEnabled());
        pick(links, {1, 3});
        f->Action3->trigger();
        QCOMPARE(linkIds(DM->CDSet_InLink), QList<int>{2});
        QCOMPARE(links->selectedRowCount(), 0);
        QVERIFY(!f->Action3->isEnabled());

        // The user panel links users the same way.
        writeAt(DM->CDSet_Uscite, 1, "_FunzioneUscita", functionOfSign("U"));
        QVERIFY(out->GroupBox61->isVisible());
        pick(out->DBGrid23, {5, 4});
        f->Action2->trigger();
        QCOMPARE(linkIds(DM->CDSet_UserLink), (QList<int>{4, 5}));
        QCOMPARE(linkIds(DM->CDSet_InLink), QList<int>{2}); // the input links stay
    }

    void thePressBeforeAClickSetsTheAddAction() {
        openOutputs();
        pick(out->DBGrid19, {2});
        OpenWindow::click(out->DBGrid19, 3, 1, Qt::RightButton);
        QVERIFY(f->Action2->isEnabled());
        QCOMPARE(out->DBGrid19->selectedRowCount(), 1); // a right click picks nothing
        // A left press on the (empty) link list.
        QTest::mouseClick(out->DBGrid20->viewport(), Qt::LeftButton, {}, QPoint(40, 60));
        QVERIFY(!f->Action2->isEnabled());
        QCOMPARE(out->DBGrid19->selectedRowCount(), 1);
    }

    void picksAreDroppedByEveryChangeOfTheMaster_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("click in the outputs list") << "click";
        QTest::newRow("key in the outputs list") << "key";
        QTest::newRow("another grid on the outputs") << "shared";
        QTest::newRow("code") << "code";
        QTest::newRow("another installation") << "installation";
    }
    void picksAreDroppedByEveryChangeOfTheMaster() {
        QFETCH(QString, how);
        openOutputs();
        pick(out->DBGrid19, {1, 2});
        f->Action2->trigger();
        pick(out->DBGrid19, {4});
        pick(out->DBGrid20, {1});                                // its left press leaves add disabled...
        OpenWindow::click(out->DBGrid19, 4, 1, Qt::RightButton); // ...a right press on the picks enables it
        QVERIFY(f->Action2->isEnabled() && f->Action3->isEnabled());

        if (how == QLatin1String("click")) {
            OpenWindow::click(out->DBGrid45, 2);
        } else if (how == QLatin1String("key")) {
            out->DBGrid45->setFocus();
            QTest::keyClick(out->DBGrid45, Qt::Key_Down);
        } else if (how == QLatin1String("shared")) {
            out->DBGrid16->moveToRecNo(2);
        } else if (how == QLatin1String("code")) {
            DM->CDSet_Uscite->setRecNo(2);
        } else {
            const int first = DM->CDSet_Tabulon->recNo();
            DM->AddDataSet(2);
            QVERIFY(DM->CDSet_Tabulon->recNo() != first);
        }
        QCOMPARE(out->DBGrid19->selectedRowCount(), 0);
        QCOMPARE(out->DBGrid20->selectedRowCount(), 0);
        QVERIFY(!f->Action2->isEnabled());
        QVERIFY(!f->Action3->isEnabled());
        // Nothing left to act on: the other master's links stay as they are.
        f->Action3->setEnabled(true);
        f->Action3->trigger();
        DM->CDSet_Uscite->setRecNo(1);
        if (how != QLatin1String("installation"))
            QCOMPARE(linkIds(DM->CDSet_InLink), (QList<int>{1, 2}));
    }

    void withoutAPanelTheActionsDoNothing() {
        openOutputs();
        pick(out->DBGrid19, {3});
        writeAt(DM->CDSet_Uscite, 1, "_FunzioneUscita", functionOfSign("P"));
        QVERIFY(out->GroupBox10->isHidden() && out->GroupBox61->isHidden());
        f->Action2->trigger();
        QVERIFY(DM->CDSet_InLink->isEmpty());
        QVERIFY(f->Action2->isEnabled());
        QCOMPARE(out->DBGrid19->selectedRowCount(), 1);
    }

    void linkingBeyondTheCapacityIsRefused() {
        openOutputs();
        LinkAssociation* a = f->LinkActions->find(QStringLiteral("USCITE.INGRESSI"));
        QVERIFY(a);
        QCOMPARE(a->capacity(), DM->CDSet_Ingressi->recordCount()); // the model's inputs
        a->setCapacity([] { return 2; });
        pick(out->DBGrid19, {1});
        f->Action2->trigger();
        pick(out->DBGrid19, {1, 2, 3}); // one linked already, two new: three in all
        f->Action2->trigger();
        QCOMPARE(w->boxes.count(), 1);
        QVERIFY(w->boxes.last().text.contains(QLatin1String("2 ingressi")));
        w->boxes.clear();
        QCOMPARE(linkIds(DM->CDSet_InLink), QList<int>{1});
        QCOMPARE(out->DBGrid19->selectedRowCount(), 3); // kept, so some can be unpicked
        pick(out->DBGrid19, {3});
        f->Action2->trigger();
        QCOMPARE(linkIds(DM->CDSet_InLink), (QList<int>{1, 2}));
    }

    void pickedRowsKeepTheirColourAndLinksShowTheSourceNow() {
        openOutputs();
        pick(out->DBGrid19, {1});
        f->Action2->trigger();
        pick(out->DBGrid19, {2});
        pick(out->DBGrid20, {1});
        writeAt(DM->CDSet_Ingressi, 1, "_Nome", QStringLiteral("PORTA"));
        LinkAssociation* a = f->LinkActions->find(QStringLiteral("USCITE.INGRESSI"));
        QVERIFY(a->linkText(1).startsWith(QLatin1String("PORTA")));
        QApplication::processEvents();
        auto colourAt = [](DBGrid* g, int recNo) {
            const QImage img = g->viewport()->grab().toImage();
            const QRect r = g->cellRect(g->gridColumnOf(1), recNo - g->topRecNo() + g->titleOffset());
            return QColor(img.pixel(r.left() + 2, r.center().y()));
        };
        QCOMPARE(colourAt(out->DBGrid19, 2), QColor(0, 128, 0));
        QCOMPARE(colourAt(out->DBGrid20, 1), QColor(255, 0, 0));
    }

    void linksSurviveANewRunAndDanglingOnesGo() {
        openOutputs();
        pick(out->DBGrid19, {3, 5});
        f->Action2->trigger();
        w->showPage(kPageGruppi);
        pick(f->TabSheet9->DBGrid22, {2});
        f->Action2->trigger();
        // Links that name no input, or repeat one, as only a damaged file holds them.
        DataSet* links = DM->CDSet_InLink;
        for (int id : {99, 3}) {
            links->append();
            links->fieldByName(QStringLiteral("_ID")).setAsInteger(id);
            links->post();
        }
        w->reopenFromFile();
        f = w->form.get();
        QCOMPARE(w->boxes.count(), 1);
        QVERIFY(w->boxes.last().text.contains(QLatin1String("USCITA 1: INGRESSO 99")));
        w->boxes.clear();
        DM->CDSet_Uscite->setRecNo(1);
        QCOMPARE(linkIds(DM->CDSet_InLink), (QList<int>{3, 5}));
        QCOMPARE(DM->CDSet_InLink->fieldByName(QStringLiteral("_Nome")).asString(),
                 QStringLiteral("Ingresso 3"));
        DM->CDSet_Group->setRecNo(1); // the group the page opened on
        QCOMPARE(linkIds(DM->CDSet_Partial), QList<int>{2});

        // The sweep visits every output and group, and leaves each master on the row it was on.
        links = DM->CDSet_InLink; // the data module is a new one since the reopening
        links->append();
        links->fieldByName(QStringLiteral("_ID")).setAsInteger(99);
        links->post();
        DM->CDSet_Uscite->setRecNo(3);
        DM->CDSet_Group->setRecNo(2);
        QCOMPARE(dropDanglingLinks(*DM), QStringList{QStringLiteral("USCITA 1: INGRESSO 99")});
        QCOMPARE(DM->CDSet_Uscite->recNo(), 3);
        QCOMPARE(DM->CDSet_Group->recNo(), 2);
        DM->CDSet_Uscite->setRecNo(1);
        QCOMPARE(linkIds(DM->CDSet_InLink), (QList<int>{3, 5}));
    }

    void theGroupsPartitionsFollowTheGroup() {
        w = std::make_unique<OpenWindow>(3);
        f = w->form.get();
        TPageGruppi* g = f->TabSheet9;
        w->showPage(kPageGruppi);
        OpenWindow::click(g->DBGrid25, 1);
        pick(g->DBGrid22, {1, 3});
        f->Action2->trigger();
        QCOMPARE(g->DBGrid21->column(1).titleCaption(), QStringLiteral("Gruppo 1 ()"));
        OpenWindow::click(g->DBGrid25, 2);
        QVERIFY(DM->CDSet_Partial->isEmpty());
        writeAt(DM->CDSet_Group, 2, "_Msg1", QStringLiteral("CASA"));
        QCOMPARE(g->DBGrid21->column(1).titleCaption(), QStringLiteral("Gruppo 2 (CASA)"));
        OpenWindow::click(g->DBGrid25, 1);
        QCOMPARE(linkIds(DM->CDSet_Partial), (QList<int>{1, 3}));

        // Picks made under group 1 stay while group 1 is clicked again, and go with group 3.
        pick(g->DBGrid21, {2});
        QCOMPARE(f->LinkActions->find(QStringLiteral("GRUPPI"))->IDParz, 1);
        OpenWindow::click(g->DBGrid25, 1, 2);
        QCOMPARE(g->DBGrid21->selectedRowCount(), 1);
        QVERIFY(f->Action3->isEnabled());
        OpenWindow::click(g->DBGrid25, 3);
        QCOMPARE(g->DBGrid21->selectedRowCount(), 0);
        QVERIFY(!f->Action3->isEnabled());

        // The label is typed in place, the word chosen from the vocabulary; the partitions list
        // is headed by both.
        RealKeys::activate(f);
        RealKeys::openByClicks(g->DBGrid25, 3, 1);
        RealKeys::type(QStringLiteral("{Shift}Notte{Ret}")); // the text opens selected: typing replaces it
        OpenWindow::click(g->DBGrid25, 3, 2);
        QVERIFY(!g->DBGrid25->editorMode());
        QVERIFY(g->DBComboBox11 && g->DBComboBox11->isVisible());
        QCOMPARE(g->DBComboBox11->count(), DM->CDSet_Messaggi->recordCount());
        emit g->DBComboBox11->activated(7);
        DataSet* groups = DM->CDSet_Group;
        QCOMPARE(groups->fieldByName(QStringLiteral("_IMsg1")).asInteger(), 7);
        const QString word = groups->fieldByName(QStringLiteral("_Msg1")).asString();
        QCOMPARE(word, DM->CDSet_Messaggi->stringAt(
                           8, DM->CDSet_Messaggi->fieldByName(QStringLiteral("_Messaggio")).index()));
        QCOMPARE(g->DBGrid21->column(1).titleCaption(), QStringLiteral("Notte (%1)").arg(word));
    }
};

QTEST_MAIN(TestAssociations)
#include "test_associations.moc"
