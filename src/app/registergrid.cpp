// PROVISIONAL: the grid's painting, hover and column fitting, written once the grid lands.
#include "app/registerwindow.h"

void TForm_Anagrafica::setupGrid() {}
bool TForm_Anagrafica::gridEventFilter(QObject*, QEvent*) {
    return false;
}
void TForm_Anagrafica::DBGridMouseMove(DBGrid*, const QPoint&) {}
void TForm_Anagrafica::SetMouseOverRow(int row) {
    fMouseOverRow = row;
}
void TForm_Anagrafica::FixDBGridColumnsWidth(DBGrid*) {}
