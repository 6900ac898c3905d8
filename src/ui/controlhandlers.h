#pragma once
// Handlers of the main window's bound check boxes, radio groups and edits that enable, disable or
// restyle other controls. They run on every click AND every time the control shows a stored value
// (a record move, an installation opened), so the dependent controls always follow the stored
// value. Targets are found by component name in the sender's window; a target that no page has
// created is skipped.
//
// Pages need not call anything: the main window connects every control it finds by name at the
// end of its creation (connectAll). A page that creates such a control later connects it with
//     ControlHandlers::connectControl(DBCheckBox13);
// Connecting twice is harmless.

class DBCheckBox;
class DBEdit;
class DBRadioGroup;
class QKeyEvent;
class QWidget;

namespace ControlHandlers {

// "DHCP": checked disables, unchecked enables the five address edits DBEdit3..DBEdit7.
void DBCheckBox13Click(DBCheckBox& sender);
// GPRS ("ON"/"OFF"): caption = the value, bold for "ON"; APN, user and password edits enabled
// only when checked. Nothing while its table is closed.
void DBCheckBox20Click(DBCheckBox& sender);
// "SERVIZIO CLOUD": checked enables, unchecked disables the ten cloud controls.
void DBCheckBox50Click(DBCheckBox& sender);
// The ON/OFF boxes: caption = the checked or unchecked value, bold when checked. Nothing while
// the table is closed.
void DBCheckBoxClick(DBCheckBox& sender);
// "LUNGHEZZA CODICI": the users grid shows the codes by the new length.
void DBRadioGroup1Click(DBRadioGroup& sender);
// The radio groups write their value at once on a click; the focus is taken off the group so
// that no pending state stays behind it.
void DBRadioGroupChange_defocusChange(DBRadioGroup& sender);
// Enter in the installer and reset code edits posts the root row.
bool DBEditKeyDownPost(DBEdit& sender, QKeyEvent& event);

// The handler(s) the control's component name calls for; false when its name has none.
bool connectControl(QWidget* control);
// connectControl for every control of `root` that has a handler.
void connectAll(QWidget& root);

} // namespace ControlHandlers
