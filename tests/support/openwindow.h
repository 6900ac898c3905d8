#pragma once
// The real main window over the real data module, with one installation of a chosen model
// open: what a user has in front of them after choosing the installation in the register.
// Registry and register file live in a temporary folder; every box is answered.

#include "platform/dialogs.h"
#include "support/tempregistry.h"

#include <QString>
#include <Qt>

#include <memory>

class DBGrid;
class TForm6;

// Clicks the cell of `field` in view row `row` (1 = the first data row shown), scrolling the
// column into view first when it is off to the side.
void clickGridCell(DBGrid& grid, const QString& field, int row, Qt::KeyboardModifiers mods = {});

class OpenMainWindow {
public:
    // Creates the data module and the main window, adds an installation of `systemType` and
    // opens it; `page` becomes the active page when given.
    explicit OpenMainWindow(int systemType, int page = -1);
    ~OpenMainWindow();
    OpenMainWindow(const OpenMainWindow&) = delete;
    OpenMainWindow& operator=(const OpenMainWindow&) = delete;

    TForm6& form() const { return *m_form; }
    QString registerPath() const;
    // Saves the register, frees the window and the data module, and opens both again over the
    // saved file with the same installation open.
    void saveAndReopen(int page = -1);
    // Writes the whole window as it looks now to $TABULON_SHOTS/<name>.png when that variable
    // names a folder; does nothing otherwise.
    void shot(const QString& name);

    BoxAnswerer& boxes() { return m_boxes; }

private:
    void create(int page);
    TempRegistry m_registry;
    BoxAnswerer m_boxes;
    std::unique_ptr<TForm6> m_form;
};
