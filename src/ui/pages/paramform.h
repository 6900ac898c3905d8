#pragma once
// Building blocks of the pages made of single-field controls (the parameter pages and the
// parameter tabs of the phone book and Contact ID pages): each control is created with its
// component name, bound to one field, and laid out in captioned boxes that line up.
//
// The controls write only on a user's action (see dbcontrols.h), so filling a page from code,
// opening an installation or moving to another one never writes to the register.

#include "platform/dataset.h"
#include "platform/dbcontrols.h"

#include <QStringList>

#include <vector>

class DataSource;
class QBoxLayout;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLayout;
class QWidget;

namespace ParamForm {

// The data sources of the parameter row and of the installation's row; nullptr while the
// window is built without a data module.
DataSource* parVari();
DataSource* tabulon();

// The page's one outer box, at its top left with the free space below and to the right.
// The page gets a vertical layout; what follows the box on the page goes after it.
QGroupBox* pageFrame(QWidget* page, const QString& name, const QString& caption);

// A group box with its component name (empty name: none) and a form layout of rows.
QGroupBox* group(QWidget* parent, const QString& name, const QString& caption);
// Adds a row to a box made by group(): the control alone, or a label and the control.
void addRow(QGroupBox* box, QWidget* control);
void addRow(QGroupBox* box, const QString& labelText, QWidget* control);

DBCheckBox* checkBox(QWidget* parent, const QString& name, DataSource* source, const QString& field,
                     DBCheckBox::Kind kind, const QString& caption = QString());
// A drop-down list storing the chosen item's text.
DBComboBox* comboBox(QWidget* parent, const QString& name, DataSource* source, const QString& field,
                     const QStringList& items);
// A radio group storing the values "0".."n-1" for its items, laid out in `columns` columns.
DBRadioGroup* radioGroup(QWidget* parent, const QString& name, const QString& caption, DataSource* source,
                         const QString& field, const QStringList& items, int columns = 1);
DBEdit* edit(QWidget* parent, const QString& name, DataSource* source, const QString& field);

// A label with its component name (empty: none).
QLabel* label(QWidget* parent, const QString& name, const QString& text);

// A box holding one control, optionally with a label in front: the common "caption over a
// value" block of these pages.
QGroupBox* boxed(QWidget* parent, const QString& boxName, const QString& caption, QWidget* control,
                 const QString& labelText = QString());

// A grid of boxes, `columns` wide, filled row by row, top-aligned with free space at the
// bottom and on the right.
class BoxGrid {
public:
    BoxGrid(QWidget* sheet, int columns);
    void add(QWidget* box, int columnSpan = 1);
    // A cell holding more than one widget (a control standing over a box, say).
    void add(QLayout* cell, int columnSpan = 1);
    void newRow();
    QGridLayout* layout() const { return m_grid; }

private:
    void place(int columnSpan);
    QGridLayout* m_grid;
    int m_columns;
    int m_row = 0;
    int m_col = 0;
};

// A box of labelled lists: each row a label and its list.
struct LabelledList {
    const char* label;
    const char* name;
    const char* field;
    QStringList items;
};
QGroupBox* listGroup(QWidget* parent, DataSource* source, const QString& boxName, const QString& caption,
                     const std::vector<LabelledList>& lists);

// "0", "100 msec." .. "900 msec.", then seconds by tenths up to `lastTenths` tenths written
// "1 Sec.", "1,1 Sec." .. (whole seconds without a decimal).
QStringList tenthsOfSecondItems(int lastTenths);
// "0", "1 Sec." .. "<last> Sec.".
QStringList secondItems(int last);

} // namespace ParamForm
