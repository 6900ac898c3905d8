#pragma once
// Page "GRUPPI" of the main window (groups and their partitions): the groups with their label
// and spoken word, every partition, and the partitions that belong to the current group.
// The sheet itself: its components are members named as the window knows them.

#include "platform/dbgrid.h"

#include <QWidget>

class DBComboBox;
class QGroupBox;
class QSplitter;
class QToolBar;

class TPageGruppi : public QWidget {
    Q_OBJECT
public:
    explicit TPageGruppi(QWidget* parent = nullptr);

    QSplitter* Splitter14 = nullptr;    // groups | partitions
    QSplitter* Splitter15 = nullptr;    // partitions | partitions of the group
    QGroupBox* GroupBox54 = nullptr;    // "GRUPPI"
    QGroupBox* GroupBox60 = nullptr;    // "PARZIALI"
    QGroupBox* GroupBox38 = nullptr;    // "PARZIALI ASSOCIATI"
    DBGrid* DBGrid25 = nullptr;         // the groups
    DBComboBox* DBComboBox11 = nullptr; // the group's word
    DBGrid* DBGrid22 = nullptr;         // every partition
    DBGrid* DBGrid21 = nullptr;         // the partitions of the current group
    QToolBar* ActionToolBar4 = nullptr;

    void DBGrid25DrawColumnCell(DBGrid& grid, QPainter& painter, const QRect& rect, int dataCol,
                                DBGridColumn& column, GridDrawState state);
    // Title of the group's partitions list: the current group's label and word.
    void updateLinkTitle();

private:
    void groupCellChanged();
};
