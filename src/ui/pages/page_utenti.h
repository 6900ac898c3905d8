#pragma once
// Page "UTENTI" of the main window: the users of the open installation with their names,
// access codes, privileges, and the partitions and groups each may work; below them the
// installation's code length and the installer code.

#include "platform/dbgrid.h"

#include <QWidget>

class DBComboBox;
class DBEdit;
class DBRadioGroup;
class QGroupBox;

class TPageUtenti : public QWidget {
    Q_OBJECT
public:
    explicit TPageUtenti(QWidget* parent = nullptr);

    QGroupBox* GroupBox14 = nullptr;            // "UTENTE"
    DBGrid* DBGrid6 = nullptr;                  // the users
    DBComboBox* DBComboBox14 = nullptr;         // the privilege editor
    DBRadioGroup* DBRadioGroup1 = nullptr;      // "LUNGHEZZA CODICI": "xxxxxx" stores 0, "xxxx" stores 1
    QGroupBox* GroupBoxCodiceTecnico = nullptr; // "CODICE TECNICO"
    DBEdit* DBEdit13 = nullptr;                 // the installer code

    void DBGridUtentiDrawColumnCell(DBGrid& grid, QPainter& painter, const QRect& rect, int dataCol,
                                    DBGridColumn& column, GridDrawState state);
    void DBGridUtentiCellClick(DBGridColumn& column);

    // The code as the grid shows it for the chosen code length (radio item 0: six digits,
    // 1: four digits, -1: nothing chosen).
    static QString shownCode(const QString& code, int lengthItem);
    // Whether the partition or group column `fieldName` applies to model `systemType`.
    static bool columnApplies(const QString& fieldName, int systemType);
    // The edit masks of the user codes and of the installer code follow the code length.
    void applyCodeMasks();

private:
    void currentCellChanged();
    void showInstallerCodeMask();
};
