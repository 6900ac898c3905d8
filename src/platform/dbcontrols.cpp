#include "platform/dbcontrols.h"

#include "platform/dataset.h"
#include "platform/dialogs.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {
// Focus that goes to a popup or to another window (a message box) does not leave the control.
bool leavesControl(const QFocusEvent* event) {
    return event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason;
}
} // namespace

// ================================================================ FieldDataLink

FieldDataLink::FieldDataLink(QObject* parent) : QObject(parent) {}

void FieldDataLink::setDataSource(DataSource* source) {
    if (source == m_source)
        return;
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    if (source) {
        connect(source, &DataSource::activeChanged, this, &FieldDataLink::refreshNeeded);
        connect(source, &DataSource::dataSetChanged, this, &FieldDataLink::refreshNeeded);
        connect(source, &DataSource::dataSetScrolled, this, &FieldDataLink::refreshNeeded);
        connect(source, &DataSource::recordChanged, this, &FieldDataLink::recordChanged);
        connect(source, &DataSource::stateChanged, this, &FieldDataLink::stateChanged);
        connect(source, &DataSource::updateData, this, &FieldDataLink::updateDataRequested);
        connect(source, &QObject::destroyed, this, &FieldDataLink::refreshNeeded);
    }
    emit refreshNeeded();
}

void FieldDataLink::setDataField(const QString& name) {
    m_fieldName = name;
    emit refreshNeeded();
}

DataSet* FieldDataLink::dataSet() const {
    return m_source ? m_source->dataSet() : nullptr;
}

bool FieldDataLink::active() const {
    const DataSet* ds = dataSet();
    return ds && ds->active();
}

Field* FieldDataLink::field() const {
    if (!active() || m_fieldName.isEmpty())
        return nullptr;
    return dataSet()->findField(m_fieldName);
}

bool FieldDataLink::canModify() const {
    const Field* f = field();
    return f && !f->readOnly && f->dataType() != FieldType::Nested;
}

bool FieldDataLink::edit() {
    DataSet* ds = dataSet();
    if (!ds || !ds->active())
        return false;
    if (ds->state() == DataSetState::Edit || ds->state() == DataSetState::Insert)
        return true;
    try {
        ds->edit();
    } catch (const DataSetError& e) {
        ShowMessage(e.message());
        return false;
    }
    return ds->state() == DataSetState::Edit || ds->state() == DataSetState::Insert;
}

bool FieldDataLink::write(const std::function<void(Field&)>& store) {
    if (!canModify() || !edit())
        return false;
    Field* f = field();
    if (!f)
        return false;
    try {
        store(*f);
    } catch (const DataSetError& e) {
        ShowMessage(e.message());
        return false;
    }
    return true;
}

void FieldDataLink::recordChanged(Field* changed) {
    if (!changed || changed == field())
        emit refreshNeeded();
}

void FieldDataLink::stateChanged(DataSetState state) {
    // Posting or cancelling shows the stored values; going into edit state changes nothing shown.
    if (state == DataSetState::Browse || state == DataSetState::Inactive)
        emit refreshNeeded();
}

bool FieldDataLink::startTyping() {
    m_typing = true;
    m_enteringEdit = true;
    const bool editing = edit();
    m_enteringEdit = false;
    m_typing = editing;
    return editing;
}

bool FieldDataLink::writeTyped(const QString& text) {
    if (!m_typing)
        return true;
    if (!write([&text](Field& f) { f.setAsString(text); }))
        return false;
    m_typing = false;
    return true;
}

// ================================================================ DBEdit

DBEdit::DBEdit(QWidget* parent) : MaskedLineEdit(parent), FieldBound(new FieldDataLink(this)) {
    connect(m_link, &FieldDataLink::refreshNeeded, this, &DBEdit::refresh);
    // A post is coming (a record move, a save): text that cannot be stored was reported once;
    // the stored value is shown again rather than asked about at every later post.
    connect(m_link, &FieldDataLink::updateDataRequested, this, [this] {
        if (!updateRecord())
            reset();
    });
    connect(this, &QLineEdit::textEdited, this, &DBEdit::userEdited);
    refresh();
}

void DBEdit::refresh() {
    if (m_link->enteringEdit())
        return;
    const Field* f = m_link->field();
    {
        const QSignalBlocker blocker(this);
        setEditMask(f ? f->editMask : QString());
        if (!hasMask())
            setMaxLength(f && f->dataType() == FieldType::String && f->size() > 0 ? f->editLength() : 32767);
        setStoredText(f && !m_link->dataSet()->isEmpty() ? f->asString() : QString());
        setReadOnly(!m_link->canModify());
    }
    m_link->stopTyping();
    emit valueShown();
}

void DBEdit::reset() {
    refresh();
}

void DBEdit::userEdited() {
    if (!m_link->typing() && !m_link->startTyping()) {
        refresh();
        return;
    }
    emit changedByUser();
}

bool DBEdit::updateRecord() {
    if (!m_link->typing())
        return true;
    const QString error = validationError();
    if (!error.isEmpty()) {
        ShowMessage(error);
        return false;
    }
    const QString value = storedText();
    return m_link->writeTyped(value);
}

void DBEdit::keyPressEvent(QKeyEvent* event) {
    if (onKeyDown && onKeyDown(*this, *event))
        return;
    if (event->key() == Qt::Key_Escape && m_link->typing()) {
        reset();
        return;
    }
    MaskedLineEdit::keyPressEvent(event);
}

void DBEdit::focusOutEvent(QFocusEvent* event) {
    MaskedLineEdit::focusOutEvent(event);
    if (m_link->typing() && leavesControl(event))
        updateRecord();
}

// ================================================================ DBMemo

DBMemo::DBMemo(QWidget* parent) : QPlainTextEdit(parent), FieldBound(new FieldDataLink(this)) {
    connect(m_link, &FieldDataLink::refreshNeeded, this, &DBMemo::refresh);
    connect(m_link, &FieldDataLink::updateDataRequested, this, [this] { updateRecord(); });
    connect(this, &QPlainTextEdit::textChanged, this, &DBMemo::userEdited);
    refresh();
}

void DBMemo::refresh() {
    if (m_link->enteringEdit())
        return;
    const Field* f = m_link->field();
    m_showing = true;
    {
        const QSignalBlocker blocker(this);
        setPlainText(f && !m_link->dataSet()->isEmpty() ? f->asString() : QString());
        setReadOnly(!m_link->canModify());
    }
    m_showing = false;
    m_link->stopTyping();
    emit valueShown();
}

void DBMemo::reset() {
    refresh();
}

void DBMemo::userEdited() {
    if (m_showing)
        return;
    if (!m_link->typing() && !m_link->startTyping()) {
        refresh();
        return;
    }
    emit changedByUser();
}

bool DBMemo::updateRecord() {
    if (!m_link->typing())
        return true;
    const QString value = toPlainText();
    return m_link->writeTyped(value);
}

void DBMemo::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && m_link->typing()) {
        reset();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void DBMemo::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    if (m_link->typing() && leavesControl(event))
        updateRecord();
}

// ================================================================ DBCheckBox

DBCheckBox::DBCheckBox(QWidget* parent) : DBCheckBox(QString(), parent) {}

DBCheckBox::DBCheckBox(const QString& caption, QWidget* parent)
    : QCheckBox(caption, parent), FieldBound(new FieldDataLink(this)) {
    connect(m_link, &FieldDataLink::refreshNeeded, this, &DBCheckBox::refresh);
    connect(this, &QCheckBox::clicked, this, &DBCheckBox::userClicked);
    refresh();
}

void DBCheckBox::setKind(Kind kind) {
    m_kind = kind;
    switch (kind) {
    case Kind::Boolean:
    case Kind::TrueFalseText:
        m_valueChecked = QStringLiteral("True");
        m_valueUnchecked = QStringLiteral("False");
        m_captionShowsValue = false;
        break;
    case Kind::OnOff:
        m_valueChecked = QStringLiteral("ON");
        m_valueUnchecked = QStringLiteral("OFF");
        m_captionShowsValue = true;
        break;
    }
    refresh();
}

void DBCheckBox::setValues(const QString& checked, const QString& unchecked) {
    m_valueChecked = checked;
    m_valueUnchecked = unchecked;
    refresh();
}

void DBCheckBox::setCaptionShowsValue(bool on) {
    m_captionShowsValue = on;
    refresh();
}

bool DBCheckBox::storedChecked() const {
    const Field* f = m_link->field();
    if (!f || m_link->dataSet()->isEmpty())
        return false;
    try {
        if (f->dataType() == FieldType::Boolean && m_kind == Kind::Boolean)
            return f->asBoolean();
        return f->asString().trimmed().compare(m_valueChecked, Qt::CaseInsensitive) == 0;
    } catch (const DataSetError&) {
        return false;
    }
}

void DBCheckBox::showCaption() {
    // The caption shows a stored value, so it is only touched while the table is open.
    if (!m_captionShowsValue || !m_link->active())
        return;
    setText(isChecked() ? m_valueChecked : m_valueUnchecked);
    QFont f = font();
    f.setBold(isChecked());
    setFont(f);
}

void DBCheckBox::refresh() {
    {
        const QSignalBlocker blocker(this);
        setChecked(storedChecked());
    }
    showCaption();
    emit valueShown();
}

void DBCheckBox::userClicked(bool checked) {
    const bool written = m_link->write([this, checked](Field& f) {
        if (f.dataType() == FieldType::Boolean && m_kind == Kind::Boolean)
            f.setAsBoolean(checked);
        else
            f.setAsString(checked ? m_valueChecked : m_valueUnchecked);
    });
    if (!written) {
        refresh();
        return;
    }
    showCaption();
    emit clickedByUser();
}

// ================================================================ DBRadioGroup

DBRadioGroup::DBRadioGroup(QWidget* parent) : DBRadioGroup(QString(), parent) {}

DBRadioGroup::DBRadioGroup(const QString& caption, QWidget* parent)
    : QGroupBox(caption, parent), FieldBound(new FieldDataLink(this)), m_group(new QButtonGroup(this)) {
    new QGridLayout(this);
    connect(m_link, &FieldDataLink::refreshNeeded, this, &DBRadioGroup::refresh);
    connect(m_group, &QButtonGroup::idClicked, this, &DBRadioGroup::userClicked);
}

void DBRadioGroup::setItems(const QStringList& items) {
    m_items = items;
    rebuild();
}

void DBRadioGroup::setValues(const QStringList& values) {
    m_values = values;
    refresh();
}

void DBRadioGroup::setColumns(int columns) {
    m_columns = std::max(columns, 1);
    rebuild();
}

QRadioButton* DBRadioGroup::button(int index) const {
    return index >= 0 && index < int(m_buttons.size()) ? m_buttons[index] : nullptr;
}

void DBRadioGroup::rebuild() {
    for (QRadioButton* b : m_buttons) {
        m_group->removeButton(b);
        delete b;
    }
    m_buttons.clear();
    auto* grid = static_cast<QGridLayout*>(layout());
    const int rows = (int(m_items.size()) + m_columns - 1) / m_columns;
    for (int i = 0; i < m_items.size(); ++i) {
        auto* b = new QRadioButton(m_items[i], this);
        m_group->addButton(b, i);
        grid->addWidget(b, rows > 0 ? i % rows : 0, rows > 0 ? i / rows : 0);
        m_buttons.push_back(b);
    }
    refresh();
}

QString DBRadioGroup::valueOf(int index) const {
    if (index < 0)
        return QString();
    if (index < m_values.size())
        return m_values[index];
    return index < m_items.size() ? m_items[index] : QString();
}

int DBRadioGroup::itemIndex() const {
    return m_group->checkedId();
}

QString DBRadioGroup::value() const {
    return valueOf(itemIndex());
}

void DBRadioGroup::refresh() {
    const Field* f = m_link->field();
    const QString stored = f && !m_link->dataSet()->isEmpty() ? f->asString() : QString();
    int index = -1;
    for (int i = 0; i < int(m_buttons.size()) && index < 0; ++i)
        if (valueOf(i) == stored)
            index = i;
    for (int i = 0; i < int(m_buttons.size()) && index < 0; ++i)
        if (valueOf(i).compare(stored, Qt::CaseInsensitive) == 0)
            index = i;
    // An exclusive group cannot show "none checked"; it is switched off for the moment.
    m_group->setExclusive(false);
    for (int i = 0; i < int(m_buttons.size()); ++i) {
        const QSignalBlocker blocker(m_buttons[i]);
        m_buttons[i]->setChecked(i == index);
    }
    m_group->setExclusive(true);
    emit valueShown();
}

void DBRadioGroup::userClicked(int index) {
    const QString value = valueOf(index);
    if (!m_link->write([&value](Field& f) { f.setAsString(value); })) {
        refresh();
        return;
    }
    emit changedByUser();
}

// ================================================================ DBComboBox

DBComboBox::DBComboBox(QWidget* parent, bool editable)
    : QComboBox(parent), FieldBound(new FieldDataLink(this)) {
    setEditable(editable);
    setInsertPolicy(QComboBox::NoInsert);
    connect(m_link, &FieldDataLink::refreshNeeded, this, &DBComboBox::refresh);
    connect(m_link, &FieldDataLink::updateDataRequested, this, [this] { updateRecord(); });
    connect(this, &QComboBox::activated, this, &DBComboBox::userChose);
    if (lineEdit())
        connect(lineEdit(), &QLineEdit::textEdited, this, &DBComboBox::userTyped);
    refresh();
}

void DBComboBox::setItems(const QStringList& items) {
    {
        const QSignalBlocker blocker(this);
        clear();
        addItems(items);
    }
    refresh();
}

QStringList DBComboBox::items() const {
    QStringList list;
    for (int i = 0; i < count(); ++i)
        list << itemText(i);
    return list;
}

void DBComboBox::refresh() {
    if (m_link->enteringEdit())
        return;
    const Field* f = m_link->field();
    const QString stored = f && !m_link->dataSet()->isEmpty() ? f->asString() : QString();
    {
        const QSignalBlocker blocker(this);
        setCurrentIndex(findText(stored, Qt::MatchExactly | Qt::MatchCaseSensitive));
        if (isEditable())
            setEditText(stored);
    }
    m_link->stopTyping();
    emit valueShown();
}

void DBComboBox::reset() {
    refresh();
}

void DBComboBox::userChose(int index) {
    if (index < 0)
        return;
    const QString text = itemText(index);
    if (!m_link->write([&text](Field& f) { f.setAsString(text); })) {
        refresh();
        return;
    }
    m_link->stopTyping();
    emit changedByUser();
}

void DBComboBox::userTyped() {
    if (!m_link->typing() && !m_link->startTyping()) {
        refresh();
        return;
    }
    emit changedByUser();
}

void DBComboBox::typeText(const QString& text) {
    if (!lineEdit())
        return;
    lineEdit()->setText(text);
    userTyped();
}

bool DBComboBox::updateRecord() {
    if (!m_link->typing())
        return true;
    const QString text = currentText();
    return m_link->writeTyped(text);
}

void DBComboBox::setDropDownWidth(int pixels) {
    m_dropDownWidth = pixels;
    view()->setMinimumWidth(pixels);
}

void DBComboBox::showPopup() {
    m_droppedDown = true;
    emit droppedDown(); // the handler may widen the list before it shows
    view()->setMinimumWidth(m_dropDownWidth);
    QComboBox::showPopup();
}

void DBComboBox::hidePopup() {
    QComboBox::hidePopup();
    if (!m_droppedDown)
        return;
    m_droppedDown = false;
    // The choice made in the list is reported (activated) after the list has closed; the
    // close-up follows it, as handlers expect the value to be stored by then.
    QMetaObject::invokeMethod(this, &DBComboBox::closedUp, Qt::QueuedConnection);
}

void DBComboBox::keyPressEvent(QKeyEvent* event) {
    if (onKeyDown && onKeyDown(*this, *event))
        return;
    if (event->key() == Qt::Key_Escape && m_link->typing()) {
        reset();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void DBComboBox::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    if (!leavesControl(event) || m_droppedDown)
        return;
    if (m_link->typing())
        updateRecord();
    emit exited();
}

// ================================================================ DBLookupComboBox

DBLookupComboBox::DBLookupComboBox(QWidget* parent) : QComboBox(parent), FieldBound(new FieldDataLink(this)) {
    connect(m_link, &FieldDataLink::refreshNeeded, this, &DBLookupComboBox::refresh);
    connect(this, &QComboBox::activated, this, &DBLookupComboBox::userChose);
}

void DBLookupComboBox::setListSource(DataSource* source) {
    if (source == m_listSource)
        return;
    if (m_listSource)
        disconnect(m_listSource, nullptr, this, nullptr);
    m_listSource = source;
    if (source) {
        // The list follows the list table's rows and values, not its cursor.
        connect(source, &DataSource::activeChanged, this, &DBLookupComboBox::rebuildList);
        connect(source, &DataSource::dataSetChanged, this, &DBLookupComboBox::rebuildList);
        connect(source, &DataSource::recordChanged, this, &DBLookupComboBox::rebuildList);
    }
    rebuildList();
}

void DBLookupComboBox::setKeyField(const QString& name) {
    m_keyField = name;
    rebuildList();
}

void DBLookupComboBox::setListField(const QString& name) {
    m_listField = name;
    rebuildList();
}

void DBLookupComboBox::rebuildList() {
    {
        const QSignalBlocker blocker(this);
        clear();
        m_keys.clear();
        const DataSet* list = m_listSource ? m_listSource->dataSet() : nullptr;
        const Field* key = list && list->active() ? list->findField(m_keyField) : nullptr;
        const Field* shown = list && list->active()
                                 ? list->findField(m_listField.isEmpty() ? m_keyField : m_listField)
                                 : nullptr;
        if (key && shown) {
            const int count = list->recordCount();
            m_keys.reserve(count);
            for (int r = 1; r <= count; ++r) {
                m_keys.push_back(list->valueAt(r, key->index()));
                addItem(list->stringAt(r, shown->index()));
            }
        }
    }
    refresh();
}

QVariant DBLookupComboBox::keyValue() const {
    const int i = currentIndex();
    return i >= 0 && i < int(m_keys.size()) ? m_keys[i] : QVariant();
}

void DBLookupComboBox::refresh() {
    const Field* f = m_link->field();
    int index = -1;
    if (f && !m_link->dataSet()->isEmpty() && !f->isNull()) {
        const QString key = f->asString();
        for (int i = 0; i < int(m_keys.size()) && index < 0; ++i)
            if (m_keys[i].toString() == key)
                index = i;
    }
    {
        const QSignalBlocker blocker(this);
        setCurrentIndex(index);
    }
    emit valueShown();
}

void DBLookupComboBox::userChose(int index) {
    if (index < 0 || index >= int(m_keys.size()))
        return;
    const QVariant key = m_keys[index];
    if (!m_link->write([&key](Field& f) { f.setValue(key); })) {
        refresh();
        return;
    }
    // The list table is put on the chosen row, as the field rules of the pages read it from there.
    if (DataSet* list = m_listSource ? m_listSource->dataSet() : nullptr) {
        try {
            list->setRecNo(index + 1);
        } catch (const DataSetError& e) {
            ShowMessage(e.message());
        }
    }
    emit changedByUser();
}

void DBLookupComboBox::setDropDownWidth(int pixels) {
    m_dropDownWidth = pixels;
    view()->setMinimumWidth(pixels);
}

void DBLookupComboBox::showPopup() {
    m_droppedDown = true;
    emit droppedDown();
    view()->setMinimumWidth(m_dropDownWidth);
    QComboBox::showPopup();
}

void DBLookupComboBox::hidePopup() {
    QComboBox::hidePopup();
    if (!m_droppedDown)
        return;
    m_droppedDown = false;
    QMetaObject::invokeMethod(this, &DBLookupComboBox::closedUp, Qt::QueuedConnection);
}
