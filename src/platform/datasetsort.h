#pragma once
// The sort toggle of a table shown in a grid: a click on a column title orders the table by that
// column, the next click on the same title reverses the order. Used by the event log's grid and
// by the transfer once it has read the log; it includes no widget header.

#include <QString>

class DataSet;

// Toggles the order of `dataSet` on `fieldName`: ascending through the index
// `fieldName + "__IdxA"`, or descending through `fieldName + "__IdxD"` when the ascending one
// is current. A missing index is defined first and stays defined. False, changing nothing,
// when the table has no such field or the field cannot be ordered (nested rows, memo).
bool SortClientDataSet(DataSet& dataSet, const QString& fieldName);
