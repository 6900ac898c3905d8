#pragma once
// Screen against wire: values set through real input on the pages of the real main window, sent
// to the simulated panel with the window's own action, and the bytes the panel then holds read
// back at the place the protocol gives them. The expected bytes are written by hand in the tests,
// so a rule wrong on both sides of the codec still fails.
//
// A row sets one value: a control of a page (a grid's cell by field and record, or a single
// control), the input a person gives it, and where its value must land on the wire. Rows of one
// send are applied in order, sent once, then each is checked.
#include "support/linkedwindow.h"
#include "support/realkeys.h"

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QString>

class QComboBox;

namespace ScreenWire {

enum class Input {
    Type,  // grid cell: two clicks open its editor, then the keys of `value` (RealKeys::type)
    Pick,  // grid cell with an in-grid list editor: a click shows it, its list is opened and
           // walked with the arrow keys to the item `value`, taken with Enter
    Tick,  // grid check-box cell: one click
    Check, // a check box (QCheckBox, DB check box): one click on its box
    Edit,  // a DB edit: a click into it, then the keys of `value`
    Combo, // a DB combo box: a click on it, its list walked to the item `value`, Enter
    Radio, // a radio group: a click on the button whose text is `value`
};

enum class Send {
    Page, // the "Program" menu's page action (write page) on the row's page
    All,  // "Invia tutto"
};

struct Row {
    int page = 0;    // the main window's page (TForm6::kPage... / its tab index)
    QString control; // objectName of the grid or the control
    QString field;   // a grid's column field; empty for a single control
    int recNo = 0;   // a grid's record (1-based); 0 for a single control
    Input input = Input::Type;
    QString value;       // keys typed, or the item picked
    int command = 0;     // where the value travels
    int offset = 0;      // byte offset in the command's stream
    QByteArray expected; // the bytes there, written by hand from the protocol
};

// A click on tab `index` of a page control (nothing when it is in front already).
void clickTab(TPageControl* pc, int index);
// Clicks every tab that hides `w` (the main window's and the inner page controls'), outermost first.
void reveal(QWidget* w);

// "name 16" on the wire: the text's bytes then NULs up to `width`.
QByteArray slot(const QByteArray& text, int width);

// The main window over a simulated panel of `model`, shown, active and connected.
class Bench {
public:
    explicit Bench(int model);
    LinkedWindow& linked() { return m_w; }
    TForm6& form() { return m_w.form(); }

    // A click on the page's tab of the main window.
    void clickTab(int page);
    // The control named `name` on the window (nullptr when there is none).
    QWidget* control(const QString& name) const;
    // Gives the row's value through the row's input.
    void apply(const Row& row);
    // Sends with the page action of `page` (or "Invia tutto"); true when it ended with success.
    bool send(Send how, int page);
    // The panel's bytes of `command` from `offset`, `width` long (its 64-byte parts joined).
    QByteArray wireBytes(int command, int offset, int width) const;

    // Input primitives, usable on their own.
    void showCell(DBGrid* grid, int recNo, const QString& field);
    void typeInCell(DBGrid* grid, int recNo, const QString& field, const QString& keys);
    void pickInCell(DBGrid* grid, int recNo, const QString& field, const QString& item);
    void tickCell(DBGrid* grid, int recNo, const QString& field);
    void clickCheckBox(QWidget* box);
    void typeInEdit(QWidget* edit, const QString& keys);
    void pickInCombo(QComboBox* combo, const QString& item);
    void clickRadio(QWidget* group, const QString& item);

private:
    void takeFromOpenList(QComboBox* combo, const QString& item);
    LinkedWindow m_w;
};

// Applies `rows` on a window of `model`, sends once, and checks each row's bytes: before the send
// the panel must hold other bytes there (a row that changes nothing proves nothing).
void run(int model, Send how, const QList<Row>& rows);

} // namespace ScreenWire

Q_DECLARE_METATYPE(ScreenWire::Row)
Q_DECLARE_METATYPE(QList<ScreenWire::Row>)
