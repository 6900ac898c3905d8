#pragma once
// The whole register as text, one line a row, nested rows under their master row: what a save
// must write and a load must give back. Read from a data module that windows are bound to, it
// leaves every table as it found it (cursor, filter) and tells no bound control.

#include <QString>
#include <QStringList>

class TDM;

// Every row of every installation. Pending edits must have been posted.
QStringList registerRows(TDM& dm);

// Saves the register of `dm` to its file, loads that file into a fresh data module and compares
// both row by row. Returns an empty text when they are equal, else what differs.
QString saveAndCompareReload(TDM& dm);
