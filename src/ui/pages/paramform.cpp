#include "ui/pages/paramform.h"

#include "model/datamodule.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace ParamForm {

DataSource* parVari() {
    return DM ? DM->DataSource_ParVari : nullptr;
}

DataSource* tabulon() {
    return DM ? DM->DataSource_Tabulon : nullptr;
}

namespace {
template <class W> W* named(W* w, const QString& name) {
    if (!name.isEmpty())
        w->setObjectName(name);
    return w;
}

template <class W> W* bound(W* w, DataSource* source, const QString& field) {
    w->setDataField(field);
    w->setDataSource(source);
    return w;
}
} // namespace

QGroupBox* pageFrame(QWidget* page, const QString& name, const QString& caption) {
    auto* lay = new QVBoxLayout(page);
    lay->setContentsMargins(4, 4, 4, 4); // as every page of the window
    auto* outer = named(new QGroupBox(caption, page), name);
    lay->addWidget(outer, 0, Qt::AlignTop | Qt::AlignLeft);
    lay->addStretch(1);
    return outer;
}

QGroupBox* group(QWidget* parent, const QString& name, const QString& caption) {
    auto* box = named(new QGroupBox(caption, parent), name);
    auto* lay = new QFormLayout(box);
    lay->setContentsMargins(10, 8, 10, 8);
    lay->setHorizontalSpacing(10);
    lay->setVerticalSpacing(6);
    lay->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lay->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    return box;
}

void addRow(QGroupBox* box, QWidget* control) {
    static_cast<QFormLayout*>(box->layout())->addRow(control);
}

void addRow(QGroupBox* box, const QString& labelText, QWidget* control) {
    static_cast<QFormLayout*>(box->layout())->addRow(new QLabel(labelText, box), control);
}

DBCheckBox* checkBox(QWidget* parent, const QString& name, DataSource* source, const QString& field,
                     DBCheckBox::Kind kind, const QString& caption) {
    auto* box = named(new DBCheckBox(caption, parent), name);
    box->setKind(kind);
    if (caption.isEmpty() && kind == DBCheckBox::Kind::OnOff)
        box->setText(box->valueUnchecked()); // until an installation is shown
    return bound(box, source, field);
}

DBComboBox* comboBox(QWidget* parent, const QString& name, DataSource* source, const QString& field,
                     const QStringList& items) {
    auto* combo = named(new DBComboBox(parent), name);
    combo->setItems(items);
    combo->setMaxVisibleItems(16);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    // Lists of short numbers line up with the wider ones.
    combo->setMinimumWidth(combo->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 30);
    return bound(combo, source, field);
}

DBRadioGroup* radioGroup(QWidget* parent, const QString& name, const QString& caption, DataSource* source,
                         const QString& field, const QStringList& items, int columns) {
    auto* group = named(new DBRadioGroup(caption, parent), name);
    QStringList values;
    for (int i = 0; i < items.size(); ++i)
        values << QString::number(i);
    group->setItems(items);
    group->setValues(values);
    group->setColumns(columns);
    return bound(group, source, field);
}

DBEdit* edit(QWidget* parent, const QString& name, DataSource* source, const QString& field) {
    auto* e = named(new DBEdit(parent), name);
    e->setMinimumWidth(e->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 17);
    return bound(e, source, field);
}

QLabel* label(QWidget* parent, const QString& name, const QString& text) {
    return named(new QLabel(text, parent), name);
}

QGroupBox* boxed(QWidget* parent, const QString& boxName, const QString& caption, QWidget* control,
                 const QString& labelText) {
    QGroupBox* box = group(parent, boxName, caption);
    if (labelText.isEmpty())
        addRow(box, control);
    else
        addRow(box, labelText, control);
    return box;
}

QGroupBox* listGroup(QWidget* parent, DataSource* source, const QString& boxName, const QString& caption,
                     const std::vector<LabelledList>& lists) {
    QGroupBox* box = group(parent, boxName, caption);
    for (const LabelledList& l : lists)
        addRow(box, QString::fromUtf8(l.label),
               comboBox(box, QString::fromLatin1(l.name), source, QString::fromLatin1(l.field), l.items));
    return box;
}

BoxGrid::BoxGrid(QWidget* sheet, int columns) : m_grid(new QGridLayout(sheet)), m_columns(columns) {
    m_grid->setContentsMargins(12, 12, 12, 12);
    m_grid->setHorizontalSpacing(12);
    m_grid->setVerticalSpacing(10);
}

void BoxGrid::add(QWidget* box, int columnSpan) {
    if (m_col + columnSpan > m_columns)
        newRow();
    m_grid->addWidget(box, m_row, m_col, 1, columnSpan, Qt::AlignTop);
    place(columnSpan);
}

void BoxGrid::add(QLayout* cell, int columnSpan) {
    if (m_col + columnSpan > m_columns)
        newRow();
    m_grid->addLayout(cell, m_row, m_col, 1, columnSpan, Qt::AlignTop);
    place(columnSpan);
}

void BoxGrid::place(int columnSpan) {
    m_col += columnSpan;
    // Free space stays below the last row and right of the last column.
    m_grid->setRowStretch(m_row + 1, 1);
    m_grid->setColumnStretch(m_columns, 1);
}

void BoxGrid::newRow() {
    if (m_col == 0)
        return;
    m_grid->setRowStretch(m_row + 1, 0);
    ++m_row;
    m_col = 0;
}

QStringList tenthsOfSecondItems(int lastTenths) {
    QStringList items{QStringLiteral("0")};
    for (int ms = 100; ms <= 900; ms += 100)
        items << QStringLiteral("%1 msec.").arg(ms);
    for (int t = 10; t <= lastTenths; ++t)
        items << (t % 10 ? QStringLiteral("%1,%2 Sec.").arg(t / 10).arg(t % 10)
                         : QStringLiteral("%1 Sec.").arg(t / 10));
    return items;
}

QStringList secondItems(int last) {
    QStringList items{QStringLiteral("0")};
    for (int s = 1; s <= last; ++s)
        items << QStringLiteral("%1 Sec.").arg(s);
    return items;
}

} // namespace ParamForm
