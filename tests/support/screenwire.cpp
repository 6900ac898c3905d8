#include "support/screenwire.h"

#include "platform/dbcontrols.h"
#include "support/panelmemory.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>

namespace ScreenWire {

namespace {

void clickAt(QWidget* w, const QPoint& at) {
    QTest::mouseClick(w, Qt::LeftButton, {}, at);
    QApplication::processEvents();
}

// The centre of a check or radio button's box, where a person clicks it.
QPoint indicatorCentre(QAbstractButton* button, QStyle::SubElement element) {
    QStyleOptionButton opt;
    opt.initFrom(button);
    opt.rect = button->rect();
    const QRect r = button->style()->subElementRect(element, &opt, button);
    return r.isEmpty() ? button->rect().center() : r.center();
}

QComboBox* comboAround(QWidget* w) {
    for (; w; w = w->parentWidget())
        if (auto* combo = qobject_cast<QComboBox*>(w))
            return combo;
    return nullptr;
}

// Brings a cell into view as a person does before clicking it: the grid scrolled to its record,
// then its horizontal scroll bar moved from the left step by step until the cell shows.
void showCell(DBGrid* grid, int recNo, const QString& field) {
    DBGridColumn* column = grid->columnOfField(field);
    QVERIFY2(column, qPrintable(grid->objectName() + QStringLiteral(" has no column ") + field));
    QVERIFY2(column->visible(), qPrintable(grid->objectName() + QLatin1Char(' ') + field +
                                           QStringLiteral(" is hidden on this model")));
    if (recNo < grid->topRecNo() || recNo >= grid->topRecNo() + grid->visibleRowCount())
        grid->moveToRecNo(recNo);
    const auto rect = [&] {
        const int row = recNo - grid->topRecNo() + grid->titleOffset();
        return grid->cellRect(grid->gridColumnOf(column->index()), row).intersected(grid->viewport()->rect());
    };
    QScrollBar* bar = grid->horizontalScrollBar();
    for (int guard = 0; rect().width() < 8 && guard < 200; ++guard) { // from the left edge on
        const int before = bar->value();
        bar->setValue(guard ? before + bar->singleStep() : bar->minimum());
        QApplication::processEvents();
        if (guard && bar->value() == before)
            break;
    }
    QVERIFY2(rect().width() >= 8, qPrintable(grid->objectName() + QLatin1Char(' ') + field +
                                             QStringLiteral(" does not come into view")));
}

// The list is opened with F4 from the keyboard when the combo has the focus, or by a click on its
// arrow (a click on a radio device's channel has opened it already), then walked with the arrow
// keys (to whatever holds the focus: the open list) and taken with Enter; the window manager then
// gives the activation back to `window`.
void pickInCombo(QWidget* window, QComboBox* combo, const QString& item) {
    const int target = combo->findText(item, Qt::MatchExactly);
    QVERIFY2(target >= 0, qPrintable(combo->objectName() + QStringLiteral(" has no item ") + item));
    if (QApplication::activePopupWidget()) {
    } else if (comboAround(QApplication::focusWidget()) == combo) {
        RealKeys::chord(Qt::Key_F4, Qt::NoModifier);
    } else {
        QStyleOptionComboBox opt;
        opt.initFrom(combo);
        opt.editable = combo->isEditable();
        const QRect arrow =
            combo->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxArrow, combo);
        clickAt(combo, arrow.isEmpty() ? combo->rect().center() : arrow.center());
    }
    QTRY_VERIFY2(QApplication::activePopupWidget(), "the list does not open");
    QAbstractItemView* view = combo->view();
    for (int guard = 0; guard < combo->count() + 2 && view->currentIndex().row() != target; ++guard)
        RealKeys::chord(view->currentIndex().row() < target ? Qt::Key_Down : Qt::Key_Up, Qt::NoModifier);
    QCOMPARE(view->currentIndex().row(), target);
    RealKeys::chord(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::processEvents();
    QVERIFY2(!QApplication::activePopupWidget(), "the list stays open after Enter");
    window->activateWindow();
    QApplication::processEvents();
}

// A control of the page by name; of controls sharing a name (the option panels of the 868
// devices) the one on screen is taken. The tabs that hide a control are clicked first.
QWidget* onPage(QWidget* page, const QString& name) {
    const QList<QWidget*> all = page->findChildren<QWidget*>(name);
    for (QWidget* w : all)
        if (w->isVisible())
            return w;
    if (all.isEmpty())
        return nullptr;
    reveal(all.first());
    return all.first();
}

void step(QWidget* window, QWidget* page, const QString& line) {
    const QStringList a = line.split(QLatin1Char('|'));
    const QString& kind = a[0];
    if (kind == QLatin1String("keys"))
        return RealKeys::type(a[1]);
    QWidget* w = onPage(page, a[1]);
    QVERIFY2(w && w->isVisible() && w->isEnabled(), qPrintable(a[1] + QStringLiteral(" is not on screen")));
    if (kind == QLatin1String("box")) {
        auto* button = qobject_cast<QAbstractButton*>(w);
        QVERIFY2(button, "not a check box");
        return clickAt(button, indicatorCentre(button, QStyle::SE_CheckBoxIndicator));
    }
    if (kind == QLatin1String("radio")) { // by position (a DB radio group) or by text
        bool byPosition = false;
        const int i = a[2].toInt(&byPosition);
        auto* group = qobject_cast<DBRadioGroup*>(w);
        QVERIFY(group || !byPosition);
        const QString item = byPosition ? group->button(i)->text() : a[2];
        for (QRadioButton* b : w->findChildren<QRadioButton*>())
            if (b->text() == item)
                return clickAt(b, indicatorCentre(b, QStyle::SE_RadioButtonIndicator));
        QFAIL(qPrintable(a[1] + QStringLiteral(" has no button ") + item));
    }
    if (kind == QLatin1String("list")) {
        QVERIFY2(qobject_cast<QComboBox*>(w), qPrintable(a[1] + QStringLiteral(" is no combo box")));
        return pickInCombo(window, qobject_cast<QComboBox*>(w), a[2]);
    }
    if (kind == QLatin1String("at") || kind == QLatin1String("edit")) {
        clickAt(w, w->rect().center());
        QCOMPARE(QApplication::focusWidget(), w);
        return RealKeys::type(
            kind == QLatin1String("at") ? a[2] : QStringLiteral("{^A}") + a[2] + QStringLiteral("{Tab}"));
    }
    auto* grid = qobject_cast<DBGrid*>(w);
    QVERIFY2(grid && a.size() > 3, qPrintable(QStringLiteral("no step ") + line));
    const int recNo = a[2].toInt(), column = OpenWindow::columnOf(grid, a[3]);
    showCell(grid, recNo, a[3]);
    if (QTest::currentTestFailed())
        return;
    if (kind == QLatin1String("type")) {
        RealKeys::openByClicks(grid, recNo, column);
        if (!QTest::currentTestFailed())
            RealKeys::type(QStringLiteral("{^A}") + a[4] + QStringLiteral("{Ret}"));
        return;
    }
    OpenWindow::click(grid, recNo, column); // a flag cell toggles
    if (kind == QLatin1String("cell") || QTest::currentTestFailed())
        return;
    QVERIFY2(kind == QLatin1String("pick"), qPrintable(QStringLiteral("no step ") + line));
    // A click on a radio device's channel opens its list at once; other cells show a list editor,
    // which may lie over the cell without the focus.
    const bool channel = a[3].startsWith(QLatin1String("_Input"));
    QWidget* popup = QApplication::activePopupWidget();
    QVERIFY2(!channel || popup, "a click on the channel opened no list");
    QComboBox* combo =
        channel ? qobject_cast<QComboBox*>(popup->parentWidget()) : comboAround(QApplication::focusWidget());
    if (!combo && !channel) {
        const int row = recNo - grid->topRecNo() + grid->titleOffset();
        combo =
            comboAround(grid->viewport()->childAt(grid->cellRect(grid->gridColumnOf(column), row).center()));
    }
    QVERIFY2(combo && (channel || combo->isVisible()), "a click on the cell shows no list editor");
    pickInCombo(window, combo, a[4]);
    if (channel)
        QCOMPARE(combo->currentText(), a[4]);
    else
        QVERIFY2(QTest::currentTestFailed() || !combo->isVisible(), "the list editor stays after a choice");
}

} // namespace

void clickTab(TPageControl* pc, int index) {
    if (pc->activePageIndex() == index)
        return;
    const QPoint at = pc->tabRect(index).center();
    QWidget* strip = pc->childAt(at);
    QVERIFY2(strip,
             qPrintable(QStringLiteral("the tab of %1 is not on screen").arg(pc->page(index)->objectName())));
    clickAt(strip, strip->mapFrom(pc, at));
    QCOMPARE(pc->activePageIndex(), index);
}

void reveal(QWidget* w) {
    QList<std::pair<TPageControl*, QWidget*>> hidden; // page control, its sheet holding w
    for (QWidget* child = w; child; child = child->parentWidget())
        for (QWidget* p = child->parentWidget(); p; p = p->parentWidget())
            if (auto* pc = qobject_cast<TPageControl*>(p)) {
                if (pc->indexOf(child) >= 0)
                    hidden.prepend({pc, child});
                break;
            }
    for (auto [pc, sheet] : hidden) {
        clickTab(pc, pc->indexOf(sheet));
        if (QTest::currentTestFailed())
            return;
    }
    QVERIFY2(w->isVisible(), qPrintable(w->objectName() + QStringLiteral(" is not on screen")));
}

void addRows(const QList<Case>& cases) {
    QTest::addColumn<Case>("c");
    for (const Case& c : cases)
        QTest::newRow(c.name) << c;
}

void runRow(const std::function<void(const Case&)>& prepare) {
    QFETCH(Case, c);
    LinkedWindow w(c.model);
    QVERIFY(w.connect());
    TForm6& f = w.form();
    RealKeys::activate(&f); // after the connection form
    // The checks whose bytes the panel holds (after the send) or does not hold yet (before it: a
    // check that changes nothing proves nothing).
    const auto wrong = [&](bool sent) {
        QStringList wrong;
        for (const QString& check : c.checks) {
            const QStringList a = check.split(QLatin1Char('|'));
            const QByteArray text = a.value(3).toLatin1(),
                             bytes = a[2].startsWith(QLatin1Char('x'))
                                         ? QByteArray::fromHex(a[2].mid(1).toLatin1())
                                         : text.leftJustified(a[2].mid(1).toInt(), '\0');
            const QByteArray got =
                PanelMemory::stream(w.sim, a[0].toInt()).mid(a[1].toInt(), int(bytes.size()));
            if ((got == bytes) != sent)
                wrong << QStringLiteral("%1: panel holds %2").arg(check, QString::fromLatin1(got.toHex(' ')));
        }
        return wrong.join(QLatin1Char('\n'));
    };
    if (prepare)
        prepare(c);
    QVERIFY2(wrong(false).isEmpty(),
             qPrintable(QStringLiteral("the panel holds it already: ") + wrong(false)));
    clickTab(f.PageControl, c.page);
    for (const QString& s : c.steps) {
        step(&f, f.PageControl->page(c.page), s);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(QStringLiteral("at step ") + s));
    }
    clickTab(f.PageControl, c.page);
    QVERIFY2(w.run(f.Action8), "the page's send did not end with success");
    QVERIFY2(wrong(true).isEmpty(), qPrintable(wrong(true)));
    QCOMPARE(w.fx.warnings(), QStringList());
}

void checkPlaced(const QList<int>& pages, const QList<Place>& table, const QList<Case>& cases) {
    QStringList set; // named by a step, as "control" or "grid.field"
    for (const Case& c : cases)
        for (const QString& s : c.steps) {
            const QStringList a = s.split(QLatin1Char('|'));
            if (a[0] != QLatin1String("keys"))
                set << (a.size() > 3 && a[0] != QLatin1String("radio") ? a[1] + QLatin1Char('.') + a[3]
                                                                       : a[1]);
        }
    OpenWindow window(6);
    QStringList missing;
    QList<bool> used(table.size());
    const auto note = [&](int page, const QString& name) {
        bool placed = set.contains(name);
        for (qsizetype i = 0; i < table.size(); ++i)
            if (table[i].page == page &&
                QRegularExpression(QRegularExpression::anchoredPattern(QLatin1String(table[i].control)))
                    .match(name)
                    .hasMatch())
                placed = used[i] = true;
        if (!placed)
            missing << QStringLiteral("%1 %2").arg(page).arg(name);
    };
    for (int page : pages)
        for (QWidget* child : window.form->PageControl->page(page)->findChildren<QWidget*>()) {
            const QString name = child->objectName();
            if (auto* g = qobject_cast<DBGrid*>(child)) {
                for (int c = 0; c < g->columnCount(); ++c)
                    if (!g->column(c).readOnly)
                        note(page, name + QLatin1Char('.') + g->column(c).fieldName());
            } else if (auto* b = dynamic_cast<FieldBound*>(child)) {
                bool inGrid = b->dataField().isEmpty(); // an in-grid editor: its column is listed
                for (QWidget* p = child->parentWidget(); p && !inGrid; p = p->parentWidget())
                    inGrid = qobject_cast<DBGrid*>(p) != nullptr;
                if (!inGrid)
                    note(page, name);
            } else if ((qobject_cast<QAbstractButton*>(child) || qobject_cast<QLineEdit*>(child) ||
                        qobject_cast<QAbstractSpinBox*>(child)) &&
                       !name.isEmpty() && !name.startsWith(QLatin1String("qt_")) &&
                       !qobject_cast<DBGrid*>(child->parentWidget())) {
                note(page, name); // unbound controls (the radio channel editors are their columns)
            }
        }
    QStringList stale;
    for (qsizetype i = 0; i < table.size(); ++i)
        if (!used[i])
            stale << QStringLiteral("%1 %2").arg(table[i].page).arg(QLatin1String(table[i].control));
    QVERIFY2(missing.isEmpty() && stale.isEmpty(),
             qPrintable(QStringLiteral("placed nowhere:\n%1\nnot on the page:\n%2")
                            .arg(missing.join(QLatin1Char('\n')), stale.join(QLatin1Char('\n')))));
}

} // namespace ScreenWire
