#include "ui/controlhandlers.h"

#include "platform/dataset.h"
#include "platform/dbcontrols.h"
#include "platform/dialogs.h"
#include "ui/multiapply.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QKeyEvent>
#include <QVariant>

namespace ControlHandlers {
namespace {

const char* const kConnected = "tabulonHandlersConnected";

const char* const kDhcpEdits[] = {"DBEdit3", "DBEdit4", "DBEdit5", "DBEdit6", "DBEdit7"};
const char* const kGprsEdits[] = {"DBEdit12", "DBEdit15", "DBEdit16"};
const char* const kCloudControls[] = {"DBEdit1",  "DBEdit2",  "DBEdit33",     "DBEdit8",      "DBEdit9",
                                      "DBEdit10", "DBEdit11", "DBCheckBox14", "DBCheckBox15", "DBCheckBox18"};

// The 29 boxes whose caption shows their value.
const char* const kOnOffBoxes[] = {
    "DBCheckBox35",  "DBCheckBox16", "DBCheckBox38", "DBCheckBox6",  "DBCheckBox34", "DBCheckBox17",
    "DBCheckBox19",  "DBCheckBox11", "DBCheckBox10", "DBCheckBox39", "DBCheckBox36", "DBCheckBox37",
    "DBCheckBox40",  "DBCheckBox2",  "DBCheckBox1",  "DBCheckBox9",  "DBCheckBox42", "DBCheckBox43",
    "DBCheckBox47",  "DBCheckBox46", "DBCheckBox45", "DBCheckBox44", "DBCheckBox7",  "DBCheckBox12",
    "DBCheckBox107", "DBCheckBox8",  "DBCheckBox4",  "DBCheckBox3",  "DBCheckBox5"};

const char* const kRadioGroups[] = {"DBRadioGroup1", "DBRadioGroup2", "DBRadioGroup3", "DBRadioGroup4",
                                    "DBRadioGroup5", "DBRadioGroup6", "DBRadioGroup7"};

template <std::size_t N> bool listed(const char* const (&names)[N], const QString& name) {
    for (const char* n : names)
        if (name == QLatin1String(n))
            return true;
    return false;
}

template <std::size_t N> void enableAll(const QWidget& sender, const char* const (&names)[N], bool enabled) {
    QWidget* root = sender.window();
    for (const char* n : names)
        if (auto* w = root->findChild<QWidget*>(QString::fromLatin1(n)))
            w->setEnabled(enabled);
}

bool tableOpen(const DBCheckBox& box) {
    const DataSource* source = box.dataSource();
    return source && source->dataSet() && source->dataSet()->active();
}

void showValueCaption(DBCheckBox& box) {
    box.setText(box.isChecked() ? box.valueChecked() : box.valueUnchecked());
    QFont f = box.font();
    f.setBold(box.isChecked());
    box.setFont(f);
}

template <class Control, class Fn> void follow(Control* c, Fn fn) {
    QObject::connect(c, &Control::valueShown, c, [c, fn] { fn(*c); });
}

} // namespace

void DBCheckBox13Click(DBCheckBox& sender) {
    enableAll(sender, kDhcpEdits, !sender.isChecked());
}

void DBCheckBox20Click(DBCheckBox& sender) {
    if (!tableOpen(sender))
        return;
    showValueCaption(sender);
    enableAll(sender, kGprsEdits, sender.isChecked());
}

void DBCheckBox50Click(DBCheckBox& sender) {
    enableAll(sender, kCloudControls, sender.isChecked());
}

void DBCheckBoxClick(DBCheckBox& sender) {
    if (!tableOpen(sender))
        return;
    showValueCaption(sender);
}

void DBRadioGroup1Click(DBRadioGroup& sender) {
    if (auto* grid = sender.window()->findChild<QAbstractScrollArea*>(QStringLiteral("DBGrid6")))
        grid->viewport()->update();
}

void DBRadioGroupChange_defocusChange(DBRadioGroup& sender) {
    QWidget* focus = QApplication::focusWidget();
    if (focus && (focus == &sender || sender.isAncestorOf(focus)))
        focus->clearFocus();
}

bool DBEditKeyDownPost(DBEdit& sender, QKeyEvent& event) {
    if (event.key() != Qt::Key_Return && event.key() != Qt::Key_Enter)
        return false;
    const DataSource* source = sender.dataSource();
    DataSet* table = source ? source->dataSet() : nullptr;
    if (!table)
        return false;
    try {
        sender.updateRecord();
        MultiApply::postIfEditing(*table);
    } catch (const DataSetError& e) {
        ShowMessage(e.message());
    }
    return false;
}

bool connectControl(QWidget* control) {
    if (!control || control->property(kConnected).toBool())
        return control != nullptr && control->property(kConnected).toBool();
    const QString name = control->objectName();
    bool done = false;
    if (auto* box = qobject_cast<DBCheckBox*>(control)) {
        void (*handler)(DBCheckBox&) = nullptr;
        if (name == QLatin1String("DBCheckBox13"))
            handler = &DBCheckBox13Click;
        else if (name == QLatin1String("DBCheckBox20"))
            handler = &DBCheckBox20Click;
        else if (name == QLatin1String("DBCheckBox50"))
            handler = &DBCheckBox50Click;
        else if (listed(kOnOffBoxes, name))
            handler = &DBCheckBoxClick;
        if (handler) {
            QObject::connect(box, &DBCheckBox::clickedByUser, box, [box, handler] { handler(*box); });
            follow(box, handler);
            handler(*box);
            done = true;
        }
    } else if (auto* group = qobject_cast<DBRadioGroup*>(control)) {
        if (listed(kRadioGroups, name)) {
            QObject::connect(group, &DBRadioGroup::changedByUser, group, [group] {
                DBRadioGroupChange_defocusChange(*group);
                if (group->objectName() == QLatin1String("DBRadioGroup1"))
                    DBRadioGroup1Click(*group);
            });
            done = true;
        }
    } else if (auto* edit = qobject_cast<DBEdit*>(control)) {
        if (name == QLatin1String("DBEdit13") || name == QLatin1String("DBEdit14")) {
            edit->onKeyDown = [](DBEdit& e, QKeyEvent& k) { return DBEditKeyDownPost(e, k); };
            done = true;
        }
    }
    if (done)
        control->setProperty(kConnected, true);
    return done;
}

void connectAll(QWidget& root) {
    for (QWidget* w : root.findChildren<QWidget*>())
        connectControl(w);
}

} // namespace ControlHandlers
