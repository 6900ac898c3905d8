#pragma once
// Page "PROGRAMMI" of the main window: the partitions of the open installation with their exit
// time and spoken word, every input, and the inputs (zones) that belong to the current
// partition. Zones are added and removed through the window's shared link actions.

#include "platform/dbgrid.h"

#include <QWidget>

class DBComboBox;
class QGroupBox;
class QSplitter;
class QToolBar;

class TPageProgrammi : public QWidget {
    Q_OBJECT
public:
    explicit TPageProgrammi(QWidget* parent = nullptr);

    QSplitter* Splitter11 = nullptr;    // partitions | inputs and zones
    QSplitter* Splitter10 = nullptr;    // inputs | zones
    QGroupBox* GroupBox43 = nullptr;    // "PARZIALI"
    QGroupBox* GroupBox44 = nullptr;    // "INGRESSI"
    QGroupBox* GroupBox41 = nullptr;    // "ZONE ASSOCIATE"
    DBGrid* DBGrid4 = nullptr;          // the partitions
    DBComboBox* DBComboBox24 = nullptr; // exit time, "0".."240" seconds
    DBComboBox* DBComboBox5 = nullptr;  // the partition's word
    DBGrid* DBGrid5 = nullptr;          // every input (picks to add)
    DBGrid* DBGrid7 = nullptr;          // the zones of the current partition (picks to remove)
    QToolBar* ActionToolBar3 = nullptr; // add and remove

    // Draw-cell handler of the partitions grid (the inputs and zones lists use the shared
    // link-list painter).
    void DBGridProgramLinkDrawColumnCell(DBGrid& grid, QPainter& painter, const QRect& rect, int dataCol,
                                         DBGridColumn& column, GridDrawState state);
    // The word a partition row shows: the vocabulary word its index points at, or its stored
    // word when the index points beyond the vocabulary.
    static QString partitionWord(const DataSet& partitions, int recNo);
    // Title of the zones list: the current partition's label and word.
    void updateZoneTitle();
};
