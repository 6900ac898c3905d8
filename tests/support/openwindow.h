#pragma once
// The real main window over the program's data module, with one installation of a chosen
// model opened as the register window opens it. Boxes are answered, never shown.
#include "model/datamodule.h"
#include "platform/dataset.h"
#include "platform/dbgrid.h"
#include "platform/dialogs.h"
#include "platform/registrykey.h"
#include "support/tempregistry.h"
#include "ui/mainwindow.h"
#include "ui/openinstallation.h"
#include "ui/pagecontrol.h"

#include <QtTest>

#include <memory>

struct OpenWindow {
    TempRegistry registry;
    BoxAnswerer boxes;
    std::unique_ptr<TForm6> form;

    explicit OpenWindow(int systemType) {
        RegistryKey reg;
        reg.openKey(kTabulonRegistryKey, true);
        reg.writeString(QStringLiteral("DATABASE"), databasePath());
        for (auto [name, value] : {std::pair{"Top", 0}, {"Left", 0}, {"Height", 740}, {"Width", 1124}})
            reg.writeInteger(QString::fromLatin1(name), value);
        TForm6::setProcessExit([](int) {});
        startDataModule();
        makeForm();
        DM->AddDataSet(systemType);
        OpenInstallation();
    }
    ~OpenWindow() { close(); }
    // Frees the window and then the data module, as the program's end does, and gives the texts
    // of every box shown since the window was made (its end included).
    QStringList close() {
        form.reset();
        delete DM;
        DM = nullptr;
        return boxes.texts();
    }
    QString databasePath() const { return registry.folder() + QStringLiteral("/KTabulon.cds"); }
    // The window at the size the pages are laid out for, the one the settings hold: it keeps
    // within a screen, and the test platform's screen (800 x 600) is smaller.
    void makeForm() {
        form = std::make_unique<TForm6>();
        form->resize(1124, 740);
    }
    static void startDataModule() {
        new TDM;
        DM->DataModuleCreate();
    }
    // Saves the register, frees the data module and starts it again from the file, as a new run
    // of the program does, and opens the current installation again.
    void reopenFromFile() {
        QVERIFY(DM->saveRegister());
        const int at = DM->CDSet_Tabulon->recNo();
        form.reset();
        delete DM;
        DM = nullptr;
        startDataModule();
        makeForm();
        DM->CDSet_Tabulon->setRecNo(at);
        OpenInstallation();
    }

    // Shows `page` of the main window as a click on its tab does, laid out and painted.
    void showPage(int page) {
        form->PageControl->selectPageByUser(page);
        QApplication::processEvents();
    }
    // Writes the whole window as it looks now to $TABULON_SHOTS/<name>.png when that variable
    // names a folder (screenshots for a person to look at); does nothing otherwise.
    void shot(const QString& name) {
        const QString dir = qEnvironmentVariable("TABULON_SHOTS");
        if (dir.isEmpty())
            return;
        form->show();
        QTest::qWait(30);
        form->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
    }
    // The rows of a test run once per model: named after the model, with its type (column
    // "type") and whether it has eight partitions (column `eightPartitions`).
    static void addModelRows(const char* eightPartitions) {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>(eightPartitions);
        const struct {
            const char* name;
            int type;
            bool eight;
        } models[] = {{"TAVEK", 1, false}, {"MIRUN", 2, false}, {"MIRUNPLUS", 3, true},
                      {"PELUN", 4, false}, {"QUANE", 5, false}, {"ZOREM", 6, true}};
        for (const auto& m : models)
            QTest::newRow(m.name) << m.type << m.eight;
    }
    // The data column of `field` in `grid`.
    static int columnOf(const DBGrid* grid, const QString& field) {
        return grid->columnOfField(field)->index();
    }

    // A mouse click on the data cell (data column, record) of a grid on screen; the grid
    // scrolls the record into view first.
    static void click(DBGrid* grid, int recNo, int dataCol = 1, Qt::MouseButton button = Qt::LeftButton) {
        if (recNo < grid->topRecNo() || recNo >= grid->topRecNo() + grid->visibleRowCount())
            grid->moveToRecNo(recNo);
        const int row = recNo - grid->topRecNo() + grid->titleOffset();
        if (grid->cellRect(grid->gridColumnOf(dataCol), row).isEmpty())
            grid->setSelectedIndex(dataCol); // scrolls a column off to the side into view
        // A cell cut by the grid's edge is clicked on its visible part, as a person would.
        const QRect r =
            grid->cellRect(grid->gridColumnOf(dataCol), row).intersected(grid->viewport()->rect());
        QVERIFY2(!r.isEmpty(), "the cell is not on screen");
        // Where an editor lies over the cell, the click lands on the editor, as on a screen.
        QWidget* target = grid->viewport()->childAt(r.center());
        if (!target)
            target = grid->viewport();
        QTest::mouseClick(target, button, {}, target->mapFrom(grid->viewport(), r.center()));
    }
};

// The end of a test that may have opened the real window: closes `window` when open, frees
// `anyBox` (the answerer of the boxes outside a window) and gives the texts of every box both
// answered.
inline QStringList closeWindowAndBoxes(std::unique_ptr<OpenWindow>& window,
                                       std::unique_ptr<BoxAnswerer>& anyBox) {
    QStringList boxes = window ? window->close() : QStringList();
    window.reset();
    boxes += anyBox->texts();
    anyBox.reset();
    return boxes;
}
