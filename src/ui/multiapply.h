#pragma once
// Multi-row apply: a value chosen for the current row of a grid is copied to every row the user
// has marked in that grid (ctrl- or shift-click). Each marked row is moved to, put into edit
// state, written and posted on its own, so the data module's field rules run for every row.
// The table's cursor ends on the row it started from, and the marks survive (the current row
// joins them). The table's bound controls are suspended during the walk, so the grid repaints
// once at the end instead of once per row.
//
// The thresholds are counted before the current row joins the marks: the combo-box copy acts
// from one mark on, the other three only from two marks on. So one marked row that is not the
// current one receives a combo-box choice but not a check-box toggle.
//
// Errors of the table engine (a field rule refusing a value, a post refused) propagate as
// DataSetError; rows posted before stay posted, the row that failed is cancelled and the cursor
// still returns to where it started.

#include <QString>

#include <functional>

class DataSet;
class DBComboBox;
class DBGrid;
class DBLookupComboBox;
class Field;
class QComboBox;
class QWidget;

namespace MultiApply {

// Hides an in-grid editor. When it holds the focus, the focus goes back to its grid first: left
// to itself, hiding would pass the focus on as Tab does, and Tab in a grid moves its cursor.
void putAway(QWidget& editor);

// Posts the table's pending edit, only when it is in edit or insert state.
void postIfEditing(DataSet& table);

// The walk shared by the four operations. Acts only when `grid` shows `table` and has more than
// `threshold` marked rows: the current row is marked too, then every marked row in the order of
// the marks is moved to and, unless `rowAllowed` refuses it, edited, written by `write` and
// posted. Returns the number of rows written.
int applyToMarks(DataSet& table, DBGrid* grid, int threshold, const std::function<void(DataSet&)>& write,
                 const std::function<bool(const DataSet&)>& rowAllowed = {});

// The rows of `grid` that take no value at all (the page marks them as not supported by the row
// or by the model): every walk over that grid passes them by. An empty function removes it.
void setSupportedRows(DBGrid& grid, std::function<bool(const DataSet&)> supported);

// Copies the text of the combo box's field in the current row to every marked row of `grid`
// (from one mark on), then ends the edit of the combo box's table (post when modified, else
// cancel) and hides the combo box.
void MultiSelectComboBox(DBComboBox& comboBox, DBGrid* grid);

// Stores the lookup's key in the current row and copies it to every marked row of `grid` whose
// `_EnablePzX` is True (from two marks on), then hides the lookup. When `nameField` is given,
// the row also receives the shown text (the chosen row's list field) there, written before the
// key, so that the key, not the name, decides which row is meant.
void MultiLookUpComboBox(DBLookupComboBox& lookup, DBGrid* grid, const QString& nameField = QString());

// Copies the integer value of `field` in the current row to every marked row (from two marks on).
void MultiSelectMessages(Field& field, DBGrid* grid);

// Copies the Boolean value of `column` in the current row to every marked row (from two marks
// on); with `fieldControl`, only to rows where that Boolean field is True.
void MultiSelectChekBox(Field& column, DBGrid* grid, const Field* fieldControl = nullptr);

// `str` when it equals one of the combo box's items exactly (case-sensitive), otherwise its
// first item ("" when it has none).
QString CheckStringToList(const QComboBox& sender, const QString& str);

} // namespace MultiApply
