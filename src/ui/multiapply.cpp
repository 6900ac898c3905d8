#include "ui/multiapply.h"

#include "platform/controlssuspended.h"
#include "platform/dataset.h"
#include "platform/dbcontrols.h"
#include "platform/dbgrid.h"

#include <QApplication>
#include <QComboBox>
#include <QHash>

namespace MultiApply {
namespace {

// Brings the cursor back to where the walk started, even when a row failed: the failed row's
// edit is dropped first, so that going back posts nothing half-written.
class ReturnToStart {
public:
    explicit ReturnToStart(DataSet& table) : m_table(table), m_start(table.bookmark()) {}
    ~ReturnToStart() {
        try {
            if (m_table.state() == DataSetState::Edit || m_table.state() == DataSetState::Insert)
                m_table.cancel();
            if (m_table.bookmarkValid(m_start))
                m_table.gotoBookmark(m_start);
        } catch (const DataSetError&) {
            // The table refused to move back; the error that ended the walk is the one reported.
        }
    }
    ReturnToStart(const ReturnToStart&) = delete;
    ReturnToStart& operator=(const ReturnToStart&) = delete;

private:
    DataSet& m_table;
    Bookmark m_start;
};

} // namespace

void putAway(QWidget& editor) {
    if (editor.isHidden())
        return;
    QWidget* focus = QApplication::focusWidget();
    if (focus && (focus == &editor || editor.isAncestorOf(focus))) {
        for (QWidget* w = editor.parentWidget(); w; w = w->parentWidget()) {
            if (auto* grid = qobject_cast<DBGrid*>(w)) {
                grid->setFocus(Qt::OtherFocusReason);
                break;
            }
        }
    }
    editor.hide();
}

void postIfEditing(DataSet& table) {
    if (table.state() == DataSetState::Edit || table.state() == DataSetState::Insert)
        table.post();
}

namespace {
QHash<const DBGrid*, std::function<bool(const DataSet&)>>& supportedRows() {
    static QHash<const DBGrid*, std::function<bool(const DataSet&)>> filters;
    return filters;
}
} // namespace

void setSupportedRows(DBGrid& grid, std::function<bool(const DataSet&)> supported) {
    const DBGrid* key = &grid;
    if (!supported) {
        supportedRows().remove(key);
        return;
    }
    if (!supportedRows().contains(key))
        QObject::connect(&grid, &QObject::destroyed, [key] { supportedRows().remove(key); });
    supportedRows().insert(key, std::move(supported));
}

int applyToMarks(DataSet& table, DBGrid* grid, int threshold, const std::function<void(DataSet&)>& write,
                 const std::function<bool(const DataSet&)>& rowAllowed) {
    if (!grid || grid->dataSet() != &table || grid->selectedRowCount() <= threshold)
        return 0;
    postIfEditing(table);
    if (!grid->currentRowSelected())
        grid->setCurrentRowSelected(true);
    const std::vector<Bookmark> rows = grid->selectedRows(); // the walk must not see the list change
    const std::function<bool(const DataSet&)> supported = supportedRows().value(grid);
    int written = 0;
    ControlsSuspended quiet(table);
    ReturnToStart back(table);
    for (const Bookmark& row : rows) {
        if (!table.bookmarkValid(row))
            continue;
        table.gotoBookmark(row);
        if ((rowAllowed && !rowAllowed(table)) || (supported && !supported(table)))
            continue;
        table.edit();
        write(table);
        postIfEditing(table);
        ++written;
    }
    return written;
}

void MultiSelectComboBox(DBComboBox& comboBox, DBGrid* grid) {
    Field* field = comboBox.field();
    if (field) {
        DataSet& table = *field->dataSet();
        const QString name = field->fieldName();
        const QString text = field->asString();
        applyToMarks(table, grid, 0, [&](DataSet& t) { t.fieldByName(name).setAsString(text); });
        if (table.state() == DataSetState::Edit || table.state() == DataSetState::Insert) {
            if (table.modified())
                table.post();
            else
                table.cancel();
        }
    }
    putAway(comboBox);
}

void MultiLookUpComboBox(DBLookupComboBox& lookup, DBGrid* grid, const QString& nameField) {
    Field* field = lookup.field();
    if (field) {
        DataSet& table = *field->dataSet();
        const QString keyName = field->fieldName();
        const QVariant key = field->value();
        const QString name = lookup.currentText();
        auto write = [&](DataSet& t) {
            if (!nameField.isEmpty())
                t.fieldByName(nameField).setAsString(name);
            t.fieldByName(keyName).setValue(key);
        };
        {
            ControlsSuspended quiet(table);
            table.edit();
            write(table);
            table.post();
        }
        applyToMarks(table, grid, 1, write, [](const DataSet& t) {
            return t.fieldByName(QStringLiteral("_EnablePzX")).asBoolean();
        });
    }
    putAway(lookup);
}

void MultiSelectMessages(Field& field, DBGrid* grid) {
    const QString name = field.fieldName();
    const int value = field.asInteger();
    applyToMarks(*field.dataSet(), grid, 1, [&](DataSet& t) { t.fieldByName(name).setAsInteger(value); });
}

void MultiSelectChekBox(Field& column, DBGrid* grid, const Field* fieldControl) {
    const QString name = column.fieldName();
    const bool value = column.asBoolean();
    const QString guard = fieldControl ? fieldControl->fieldName() : QString();
    applyToMarks(
        *column.dataSet(), grid, 1, [&](DataSet& t) { t.fieldByName(name).setAsBoolean(value); },
        guard.isEmpty() ? std::function<bool(const DataSet&)>()
                        : [&guard](const DataSet& t) { return t.fieldByName(guard).asBoolean(); });
}

QString CheckStringToList(const QComboBox& sender, const QString& str) {
    for (int i = 0; i < sender.count(); ++i)
        if (sender.itemText(i) == str)
            return str;
    return sender.count() > 0 ? sender.itemText(0) : QString();
}

} // namespace MultiApply
