#pragma once
// Link rows (an output's inputs and users, a group's partitions) name their
// source row by its `_ID`, which is the source row's position. A link whose `_ID` names no source
// row, or that repeats another link of the same master row, would send the panel a link to
// nothing; such rows can only come from a damaged or foreign file.

#include <QStringList>

class TDM;

// Deletes, in the current installation, every link row that names no source row or repeats an
// earlier link under the same master row. The cursors end where they were. Returns one line per
// deleted row ("USCITA 3: INGRESSO 99"), empty when every link was sound.
QStringList dropDanglingLinks(TDM& dm);
