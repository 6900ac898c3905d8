// The association editors on the real main window: an output's inputs and users, a group's
// partitions, a partition's zones. Picks, add and remove with their enabling, picks dropped by
// every kind of master change, the capacity refusal, links kept (and cleaned) across a save and a
// new run, and the links made on screen reaching a (simulated) panel byte for byte and coming
// back from it. The add and remove buttons are found and pressed as a screen reader and a mouse
// find them.

#include "model/lang.h"
#include "model/linkintegrity.h"
#include "platform/dbcontrols.h"
#include "platform/maskedlineedit.h"
#include "support/linkedwindow.h"
#include "support/realkeys.h"
#include "ui/linkassociations.h"
#include "ui/pagecontrol.h"
#include "ui/pages/page_gruppi.h"
#include "ui/pages/page_programmi.h"
#include "ui/pages/page_uscite.h"

#include <QAccessible>
#include <QAction>
#include <QGroupBox>
#include <QToolBar>

namespace {
constexpr int kPageUscite = 2;
constexpr int kPageProgrammi = 6;
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

// The buttons on screen, as a screen reader walks the window: name and widget.
QList<std::pair<QString, QWidget*>> buttonsOnScreen(QWidget* window) {
    QList<std::pair<QString, QWidget*>> found;
    std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* i) {
        if (!i || i->state().invisible)
            return;
        const QAccessible::Role role = i->role();
        if (role == QAccessible::PushButton || role == QAccessible::ButtonMenu ||
            role == QAccessible::ButtonDropDown)
            found.push_back({i->text(QAccessible::Name), qobject_cast<QWidget*>(i->object())});
        for (int c = 0; c < i->childCount(); ++c)
            walk(i->child(c));
    };
    walk(QAccessible::queryAccessibleInterface(window));
    return found;
}

// The one button on screen named `name`; null (and a failed check) when there is not one.
QWidget* buttonNamed(QWidget* window, const char* name) {
    QList<QWidget*> hits;
    for (const auto& [n, widget] : buttonsOnScreen(window))
        if (n == QLatin1String(name))
            hits << widget;
    [&] { QCOMPARE(hits.size(), 1); }();
    return hits.size() == 1 ? hits.front() : nullptr;
}

// A mouse click on the button named `name`, which must be enabled.
void press(QWidget* window, const char* name) {
    QWidget* button = buttonNamed(window, name);
    QVERIFY(button && button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

// A link row as only a file (or another program) holds it: `flag` null leaves the flag empty.
void appendLink(DataSet* links, int id, const QVariant& flag = {}) {
    links->append();
    links->fieldByName(QStringLiteral("_ID")).setAsInteger(id);
    if (!flag.isNull())
        links->fieldByName(QStringLiteral("_Enable")).setAsBoolean(flag.toBool());
    links->post();
}

// Outputs 2 and 3 drive the input and the user panel.
void linkOutputs23() {
    writeAt(DM->CDSet_Uscite, 2, "_FunzioneUscita", functionOfSign("I"));
    writeAt(DM->CDSet_Uscite, 3, "_FunzioneUscita", functionOfSign("U"));
}

// One association as the user makes it on its page, and where it lands in the panel's memory
// (docs/panel-protocol.md 6.3: a `links 8` field sets bit (k-1) mod 8 of byte (k-1) div 8 for
// item k; the offsets below are row index × row size + the field's offset, worked out by hand).
struct LinkCase {
    const char* name;
    int page, masterRow;
    const char* grids; // the master rows, the source list, the link list
    DataSet* TDM::*table;
    const char* flag;
    QList<int> items; // source rows picked, ascending: the link list shows them in this order
    int command, bytes;
    QList<int> linkBytes;      // the command's bytes that hold links; empty: every byte
    QMap<int, int> all, after; // non-zero link bytes with every item, and without the first
    DBGrid* grid(const TForm6& f, int i) const {
        return f.findChild<DBGrid*>(QString::fromLatin1(grids).split(QLatin1Char(' ')).value(i));
    }
    DBGrid* master(const TForm6& f) const { return grid(f, 0); }
    DBGrid* source(const TForm6& f) const { return grid(f, 1); }
    DBGrid* links(const TForm6& f) const { return grid(f, 2); }
};

const LinkCase kLinkCases[] = {
    // 26: 8 partitions × 8 bytes; partition 2 from byte 8.
    LinkCase("zones of partition 2", kPageProgrammi, 2, "DBGrid4 DBGrid5 DBGrid7", &TDM::CDSet_Zone,
             "_Enabled", {1, 3, 10}, 26, 64, {}, {{8, 0x05}, {9, 0x02}}, {{8, 0x04}, {9, 0x02}}),
    // 27: 4 groups × 22 bytes, the partitions at +21; group 3 at 2 × 22 + 21 = 65.
    LinkCase("partitions of group 3", kPageGruppi, 3, "DBGrid25 DBGrid22 DBGrid21", &TDM::CDSet_Partial,
             "_Enable", {1, 4}, 27, 88, {21, 43, 65, 87}, {{65, 0x09}}, {{65, 0x08}}),
    // 18: 17 outputs × 8 bytes; output 2 from byte 8.
    LinkCase("inputs of output 2", kPageUscite, 2, "DBGrid45 DBGrid19 DBGrid20", &TDM::CDSet_InLink,
             "_Enable", {2, 9, 16}, 18, 136, {}, {{8, 0x02}, {9, 0x81}}, {{9, 0x81}}),
    // 19: the same rows; output 3 from byte 16.
    LinkCase("users of output 3", kPageUscite, 3, "DBGrid45 DBGrid23 DBGrid24", &TDM::CDSet_UserLink,
             "_Enable", {1, 8, 32}, 19, 136, {}, {{16, 0x81}, {19, 0x80}}, {{16, 0x80}, {19, 0x80}}),
};

// The case's page on screen (the outputs on their "Associazioni" tab) and its master row clicked.
void openCase(OpenWindow& w, const LinkCase& c) {
    TForm6& f = *w.form;
    w.showPage(c.page);
    if (c.page == kPageUscite) {
        TPageUscite* out = f.TabSheet2;
        out->PageControl_Uscite->selectPageByUser(out->PageControl_Uscite->indexOf(out->TabSheet35));
        QApplication::processEvents();
    }
    OpenWindow::click(c.master(f), c.masterRow);
    QCOMPARE(c.master(f)->dataSet()->recNo(), c.masterRow);
}

// The case's link bytes in the panel's memory, as `expected` has them (0 where it has none).
void checkPanel(const PanelSimulator& sim, const LinkCase& c, const QMap<int, int>& expected) {
    const QByteArray mem = PanelMemory::stream(sim, c.command);
    QCOMPARE(mem.size(), c.bytes);
    QByteArray got, want;
    for (int i = 0; i < c.bytes; ++i)
        if (c.linkBytes.isEmpty() || c.linkBytes.contains(i)) {
            got += mem.at(i);
            want += char(expected.value(i));
        }
    QVERIFY2(got == want, qPrintable(QLatin1String(c.name) + QStringLiteral(": ") + got.toHex(' ')));
}

// The case's link rows under its master row: "_ID _Nome" of each, or with `flags` their flags.
QStringList linkRows(TForm6& f, const LinkCase& c, bool flags = false) {
    c.master(f)->dataSet()->setRecNo(c.masterRow);
    const DataSet* t = DM->*c.table;
    const auto at = [&](int r, const char* field) {
        return t->valueAt(r, t->fieldByName(QLatin1String(field)).index()).toString();
    };
    QStringList rows;
    for (int r = 1; r <= t->recordCount(); ++r)
        rows << (flags ? at(r, c.flag) : at(r, "_ID") + QLatin1Char(' ') + at(r, "_Nome"));
    return rows;
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
        // Links that name no input, or repeat one, as only a damaged file holds them.
        appendLink(DM->CDSet_InLink, 99);
        appendLink(DM->CDSet_InLink, 3);
        w->reopenFromFile();
        f = w->form.get();
        QCOMPARE(w->boxes.count(), 1);
        QVERIFY(w->boxes.last().text.contains(QLatin1String("USCITA 1: INGRESSO 99")));
        w->boxes.clear();
        DM->CDSet_Uscite->setRecNo(1);
        QCOMPARE(linkIds(DM->CDSet_InLink), (QList<int>{3, 5}));
        QCOMPARE(DM->CDSet_InLink->fieldByName(QStringLiteral("_Nome")).asString(),
                 QStringLiteral("Ingresso 3"));

        // The sweep visits every output and group, and leaves each master on the row it was on.
        appendLink(DM->CDSet_InLink, 99); // into the new data module of the reopening
        DM->CDSet_Uscite->setRecNo(3);
        DM->CDSet_Group->setRecNo(2);
        QCOMPARE(dropDanglingLinks(*DM), QStringList{QStringLiteral("USCITA 1: INGRESSO 99")});
        QCOMPARE(DM->CDSet_Uscite->recNo(), 3);
        QCOMPARE(DM->CDSet_Group->recNo(), 2);
        DM->CDSet_Uscite->setRecNo(1);
        QCOMPARE(linkIds(DM->CDSet_InLink), (QList<int>{3, 5}));
    }

    // Associations made on their pages reach the panel as the protocol's bits, from a register
    // that holds them (saved and opened again: their rows carry no flag); a removal clears its
    // bit alone; "Ricevi tutto" into a fresh installation brings the same rows back.
    void associationsMadeOnScreenReachThePanelAndComeBack_data() {
        OpenWindow::addModelRows("eightPartitions");
    }
    void associationsMadeOnScreenReachThePanelAndComeBack() {
        QFETCH(int, type);
        LinkedWindow lw(type);
        OpenWindow& win = lw.window;
        linkOutputs23();
        win.form->show();
        for (const LinkCase& c : kLinkCases) {
            openCase(win, c);
            for (int item : c.items)
                OpenWindow::click(c.source(*win.form), item);
            press(win.form.get(), "Aggiungi");
            QCOMPARE(linkIds(DM->*c.table), c.items);
        }
        win.reopenFromFile();
        TForm6& form = *win.form;
        MainWindowLinks::wireTransferHooks(form);
        form.show();
        for (const LinkCase& c : kLinkCases)
            QCOMPARE(linkRows(form, c, true), QStringList(c.items.size(), QString()));
        QVERIFY(lw.connect());
        QVERIFY(lw.run(form.Action6)); // "Invia tutto"
        for (const LinkCase& c : kLinkCases)
            checkPanel(lw.sim, c, c.all);
        if (QTest::currentTestFailed())
            return;

        QStringList kept;
        for (const LinkCase& c : kLinkCases) {
            openCase(win, c);
            OpenWindow::click(c.links(form), 1);
            press(&form, "Rimuovi");
            QCOMPARE(linkIds(DM->*c.table), c.items.mid(1));
            kept << linkRows(form, c);
        }
        QVERIFY(lw.run(form.Action6));
        for (const LinkCase& c : kLinkCases)
            checkPanel(lw.sim, c, c.after);
        if (QTest::currentTestFailed())
            return;

        DM->AddDataSet(type);
        OpenInstallation();
        writeAt(DM->CDSet_Tabulon, DM->CDSet_Tabulon->recNo(), "_PswTeleGestione", QStringLiteral("123456"));
        QVERIFY(lw.run(form.Action5)); // "Ricevi tutto"
        QStringList read;
        for (const LinkCase& c : kLinkCases) {
            read << linkRows(form, c);
            QCOMPARE(linkRows(form, c, true), QStringList(c.items.size() - 1, QStringLiteral("true")));
        }
        QCOMPARE(read, kept);
    }

    // A link row travels unless its flag was set false: an empty flag (as the editors leave it)
    // is a link. Output 1's inputs, command 18 bytes 0..7.
    void aLinkRowTravelsUnlessItsFlagIsFalse() {
        LinkedWindow lw(1); // the program's codec, not connected
        DM->CDSet_Uscite->setRecNo(1);
        appendLink(DM->CDSet_InLink, 1);
        appendLink(DM->CDSet_InLink, 2, true);
        appendLink(DM->CDSet_InLink, 3, false);
        QCOMPARE(PanelMemory::encodeInstallation().value(18).left(8).toHex(), QByteArray("0300000000000000"));
    }

    // Picks belong to their master row: a move of it by a click or a key drops them and turns
    // both actions off, so remove cannot be pressed with nothing to remove.
    void actionsGoOffWhenTheMasterMoves_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("pick"); // the source row linked, then its link picked
        QTest::newRow("PROGRAMMI, a click on partition 2") << kPageProgrammi << 5;
        QTest::newRow("GRUPPI, Down in the groups") << kPageGruppi << 2;
    }
    void actionsGoOffWhenTheMasterMoves() {
        QFETCH(int, page);
        QFETCH(int, pick);
        w = std::make_unique<OpenWindow>(6);
        f = w->form.get();
        RealKeys::activate(f);
        const LinkCase& c = kLinkCases[page == kPageProgrammi ? 0 : 1];
        w->showPage(page);
        DBGrid* master = c.master(*f);
        OpenWindow::click(master, 1);
        OpenWindow::click(c.source(*f), pick);
        press(f, "Aggiungi");
        OpenWindow::click(c.links(*f), 1); // the only pick: none in the source list
        QWidget* remove = buttonNamed(f, "Rimuovi");
        QVERIFY(remove && remove->isEnabled());
        if (page == kPageGruppi) {
            OpenWindow::click(master, 1, 0); // the same group again: the picks stay
            QCOMPARE(c.links(*f)->selectedRowCount(), 1);
            RealKeys::chord(Qt::Key_Down, {});
        } else {
            OpenWindow::click(master, 2);
        }
        QCOMPARE(master->dataSet()->recNo(), 2);
        QCOMPARE(c.links(*f)->selectedRowCount(), 0);
        QVERIFY(!remove->isEnabled());
        master->dataSet()->setRecNo(1);
        QCOMPARE(linkIds(DM->*c.table), QList<int>{pick});
    }

    // Every button a screen reader finds on the link pages has a name; the pictures beside the
    // lists are the window's add and remove, named by their hints.
    void theLinkPagesButtonsHaveNames() {
        w = std::make_unique<OpenWindow>(6);
        f = w->form.get();
        linkOutputs23();
        f->show();
        for (const LinkCase& c : kLinkCases) {
            openCase(*w, c);
            for (const auto& [name, widget] : buttonsOnScreen(f))
                QVERIFY2(!name.isEmpty(), qPrintable(QLatin1String(c.name) + QLatin1Char(' ') +
                                                     widget->parentWidget()->objectName()));
            for (auto [name, action] : {std::pair{"Aggiungi", f->Action2}, {"Rimuovi", f->Action3}}) {
                QWidget* button = buttonNamed(f, name);
                auto* bar = button ? qobject_cast<QToolBar*>(button->parentWidget()) : nullptr;
                QVERIFY(bar && bar->widgetForAction(action) == button);
            }
            QVERIFY(buttonNamed(f, "Invia tutto"));
        }
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
