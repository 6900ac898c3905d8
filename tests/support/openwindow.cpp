#include "support/openwindow.h"

#include "model/datamodule.h"
#include "platform/dataset.h"
#include "platform/dbgrid.h"
#include "platform/registrykey.h"
#include "ui/mainwindow.h"
#include "ui/openinstallation.h"
#include "ui/pagecontrol.h"

#include <QTest>

OpenMainWindow::OpenMainWindow(int systemType, int page) {
    RegistryKey reg;
    reg.openKey(kTabulonRegistryKey, true);
    reg.writeString(QStringLiteral("DATABASE"), registerPath());
    TForm6::setProcessExit([](int) {});
    new TDM;
    DM->DataModuleCreate();
    DM->AddDataSet(systemType);
    create(page);
}

OpenMainWindow::~OpenMainWindow() {
    m_form.reset();
    delete DM;
    DM = nullptr;
}

QString OpenMainWindow::registerPath() const {
    return m_registry.folder() + QStringLiteral("/KTabulon.cds");
}

void OpenMainWindow::create(int page) {
    m_form = std::make_unique<TForm6>();
    OpenInstallation();
    if (page >= 0)
        m_form->PageControl->selectPageByUser(page);
}

void OpenMainWindow::saveAndReopen(int page) {
    const int recNo = DM->CDSet_Tabulon->recNo();
    m_form.reset();
    delete DM; // saves the register
    new TDM;
    DM->DataModuleCreate();
    DM->CDSet_Tabulon->setRecNo(recNo);
    create(page);
}

void OpenMainWindow::shot(const QString& name) {
    const QString dir = qEnvironmentVariable("TABULON_SHOTS");
    if (dir.isEmpty())
        return;
    m_form->show();
    QTest::qWait(30);
    m_form->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

void clickGridCell(DBGrid& grid, const QString& field, int row, Qt::KeyboardModifiers mods) {
    const int dataCol = grid.columnOfField(field)->index();
    const int col = grid.gridColumnOf(dataCol);
    if (grid.cellRect(col, row).isEmpty())
        grid.setSelectedIndex(dataCol);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, mods, grid.cellRect(col, row).center());
}
