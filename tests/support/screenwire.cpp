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

QString describe(const Row& row) {
    return QStringLiteral("%1%2%3 \"%4\" -> command %5 +%6")
        .arg(row.control, row.field.isEmpty() ? QString() : QLatin1Char('.') + row.field,
             row.recNo ? QStringLiteral(" row %1").arg(row.recNo) : QString(), row.value)
        .arg(row.command)
        .arg(row.offset);
}

} // namespace

QByteArray slot(const QByteArray& text, int width) {
    return text + QByteArray(width - text.size(), '\0');
}

Bench::Bench(int model) : m_w(model) {
    QVERIFY(m_w.connect());
    RealKeys::activate(&m_w.form()); // after the connection form
}

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

void Bench::clickTab(int page) {
    ScreenWire::clickTab(form().PageControl, page);
}

QWidget* Bench::control(const QString& name) const {
    return m_w.window.form->findChild<QWidget*>(name);
}

// Brings a cell into view as a person does before clicking it: the grid scrolled to its record,
// then its horizontal scroll bar moved from the left step by step until the cell shows.
void Bench::showCell(DBGrid* grid, int recNo, const QString& field) {
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
    if (rect().width() < 8) { // from the left edge on
        bar->setValue(bar->minimum());
        QApplication::processEvents();
    }
    for (int guard = 0; rect().width() < 8 && guard < 200; ++guard) {
        const int before = bar->value();
        bar->setValue(before + bar->singleStep());
        QApplication::processEvents();
        if (bar->value() == before)
            break;
    }
    QVERIFY2(rect().width() >= 8, qPrintable(grid->objectName() + QLatin1Char(' ') + field +
                                             QStringLiteral(" does not come into view")));
}

void Bench::typeInCell(DBGrid* grid, int recNo, const QString& field, const QString& keys) {
    showCell(grid, recNo, field);
    if (QTest::currentTestFailed())
        return;
    RealKeys::openByClicks(grid, recNo, OpenWindow::columnOf(grid, field));
    if (QTest::currentTestFailed())
        return;
    RealKeys::type(keys);
}

void Bench::pickInCell(DBGrid* grid, int recNo, const QString& field, const QString& item) {
    showCell(grid, recNo, field);
    if (QTest::currentTestFailed())
        return;
    OpenWindow::click(grid, recNo, OpenWindow::columnOf(grid, field));
    if (QTest::currentTestFailed())
        return;
    QComboBox* combo = comboAround(QApplication::focusWidget());
    if (!combo) { // the editor lies over the cell
        const int row = recNo - grid->topRecNo() + grid->titleOffset();
        const QRect r = grid->cellRect(grid->gridColumnOf(OpenWindow::columnOf(grid, field)), row);
        combo = comboAround(grid->viewport()->childAt(r.center()));
    }
    QVERIFY2(combo && combo->isVisible(), "a click on the cell shows no list editor");
    pickInCombo(combo, item);
}

void Bench::tickCell(DBGrid* grid, int recNo, const QString& field) {
    showCell(grid, recNo, field);
    if (QTest::currentTestFailed())
        return;
    OpenWindow::click(grid, recNo, OpenWindow::columnOf(grid, field));
}

void Bench::clickCheckBox(QWidget* box) {
    auto* button = qobject_cast<QAbstractButton*>(box);
    QVERIFY2(button, "not a check box");
    clickAt(button, indicatorCentre(button, QStyle::SE_CheckBoxIndicator));
}

void Bench::typeInEdit(QWidget* edit, const QString& keys) {
    clickAt(edit, edit->rect().center());
    QCOMPARE(QApplication::focusWidget(), edit);
    RealKeys::type(keys);
}

// The list is opened with F4 from the keyboard when the combo has the focus, or by a click on its
// arrow, then walked with the arrow keys (to whatever holds the focus: the open list) and taken
// with Enter.
void Bench::pickInCombo(QComboBox* combo, const QString& item) {
    QVERIFY2(combo->findText(item, Qt::MatchExactly) >= 0,
             qPrintable(combo->objectName() + QStringLiteral(" has no item ") + item));
    if (comboAround(QApplication::focusWidget()) == combo) {
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
    takeFromOpenList(combo, item);
}

void Bench::takeFromOpenList(QComboBox* combo, const QString& item) {
    const int target = combo->findText(item, Qt::MatchExactly);
    QAbstractItemView* view = combo->view();
    for (int guard = 0; guard < combo->count() + 2 && view->currentIndex().row() != target; ++guard)
        RealKeys::chord(view->currentIndex().row() < target ? Qt::Key_Down : Qt::Key_Up, Qt::NoModifier);
    QCOMPARE(view->currentIndex().row(), target);
    RealKeys::chord(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::processEvents();
    QVERIFY2(!QApplication::activePopupWidget(), "the list stays open after Enter");
    // The window manager gives the activation back to the window the list came from.
    form().activateWindow();
    QApplication::processEvents();
}

void Bench::clickRadio(QWidget* group, const QString& item) {
    for (QRadioButton* b : group->findChildren<QRadioButton*>())
        if (b->text() == item)
            return clickAt(b, indicatorCentre(b, QStyle::SE_RadioButtonIndicator));
    QFAIL(qPrintable(group->objectName() + QStringLiteral(" has no button ") + item));
}

void Bench::apply(const Row& row) {
    clickTab(row.page);
    QWidget* w = control(row.control);
    QVERIFY2(w, qPrintable(QStringLiteral("no control ") + row.control));
    reveal(w);
    if (QTest::currentTestFailed())
        return;
    auto* grid = qobject_cast<DBGrid*>(w);
    switch (row.input) {
    case Input::Type:
    case Input::Pick:
    case Input::Tick:
        QVERIFY2(grid, qPrintable(row.control + QStringLiteral(" is no grid")));
        if (row.input == Input::Type)
            typeInCell(grid, row.recNo, row.field, row.value);
        else if (row.input == Input::Pick)
            pickInCell(grid, row.recNo, row.field, row.value);
        else
            tickCell(grid, row.recNo, row.field);
        break;
    case Input::Check:
        clickCheckBox(w);
        break;
    case Input::Edit:
        typeInEdit(w, row.value);
        break;
    case Input::Combo:
        QVERIFY2(qobject_cast<QComboBox*>(w), qPrintable(row.control + QStringLiteral(" is no combo box")));
        pickInCombo(qobject_cast<QComboBox*>(w), row.value);
        break;
    case Input::Radio:
        clickRadio(w, row.value);
        break;
    }
}

bool Bench::send(Send how, int page) {
    clickTab(page);
    return m_w.run(how == Send::Page ? form().Action8 : form().Action6);
}

QByteArray Bench::wireBytes(int command, int offset, int width) const {
    return PanelMemory::stream(m_w.sim, command).mid(offset, width);
}

void run(int model, Send how, const QList<Row>& rows) {
    QVERIFY(!rows.isEmpty());
    Bench bench(model);
    if (QTest::currentTestFailed())
        return;
    for (const Row& row : rows) {
        QVERIFY2(bench.wireBytes(row.command, row.offset, int(row.expected.size())) != row.expected,
                 qPrintable(describe(row) + QStringLiteral(": the panel holds these bytes already")));
        bench.apply(row);
        if (QTest::currentTestFailed())
            return qWarning("while setting %s", qPrintable(describe(row)));
    }
    QVERIFY2(bench.send(how, rows.first().page), "the send did not end with success");
    QStringList wrong;
    for (const Row& row : rows) {
        const QByteArray got = bench.wireBytes(row.command, row.offset, int(row.expected.size()));
        if (got != row.expected)
            wrong << QStringLiteral("%1: %2, expected %3")
                         .arg(describe(row), QString::fromLatin1(got.toHex(' ')),
                              QString::fromLatin1(row.expected.toHex(' ')));
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral("\n"))));
    QCOMPARE(bench.linked().fx.warnings(), QStringList());
}

} // namespace ScreenWire
