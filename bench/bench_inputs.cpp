// Timing of the inputs page in the real main window over a ZOREM installation (64 inputs):
// one list choice applied to all 64 marked inputs (and the repaints it causes), and one full
// repaint of each inputs grid at 1x and 2x. Targets: apply < 20 ms with one repaint; each
// repaint < 10 ms at 1x.
//
//   QT_QPA_PLATFORM=offscreen ./bench_inputs [repeats]

#include "model/datamodule.h"
#include "model/lang.h"
#include "platform/dataset.h"
#include "platform/dbcontrols.h"
#include "platform/dbgrid.h"
#include "platform/dialogs.h"
#include "platform/registrykey.h"
#include "support/tempregistry.h"
#include "ui/mainwindow.h"
#include "ui/openinstallation.h"
#include "ui/pagecontrol.h"
#include "ui/pages/page_ingressi.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>

#include <cstdio>

namespace {

double averageRepaintMs(DBGrid& grid, int repeats, qreal ratio) {
    QWidget* vp = grid.viewport();
    QImage image(vp->size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    for (int i = 0; i < 5; ++i)
        vp->render(&image);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < repeats; ++i)
        vp->render(&image);
    return double(timer.nsecsElapsed()) / 1e6 / repeats;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int repeats = argc > 1 ? std::max(QString::fromLocal8Bit(argv[1]).toInt(), 1) : 100;

    TempRegistry registry;
    BoxAnswerer boxes;
    RegistryKey reg;
    reg.openKey(kTabulonRegistryKey, true);
    reg.writeString(QStringLiteral("DATABASE"), registry.folder() + QStringLiteral("/bench.cds"));
    for (auto [name, value] : {std::pair{"Top", 0}, {"Left", 0}, {"Height", 740}, {"Width", 1124}})
        reg.writeInteger(QString::fromLatin1(name), value);
    new TDM;
    DM->DataModuleCreate();
    TForm6 form;
    DM->AddDataSet(6);
    OpenInstallation();
    form.PageControl->selectPageByUser(1);
    TPageIngressi& page = *form.TabSheet1;
    page.PageControl_Ingressi->setActivePage(page.TabSheetIngFunzioni);
    form.show();
    QApplication::processEvents();

    // ---- one choice applied to every marked input ----
    DBGrid& grid = *page.DBGrid15;
    DataSet& inputs = *DM->CDSet_Ingressi;
    for (int r = 1; r <= inputs.recordCount(); ++r) {
        grid.moveToRecNo(r);
        grid.setCurrentRowSelected(true);
    }
    grid.moveToRecNo(1);
    const int col = grid.columnOfField(QStringLiteral("_AttSirIngresso"))->index();
    grid.setSelectedIndex(col);
    QApplication::processEvents();
    DBComboBox& box = *page.DBComboBox32;
    double total = 0;
    int paints = 0;
    const int applies = std::max(repeats / 5, 10);
    for (int i = 0; i < applies; ++i) {
        emit grid.cellClicked(col);
        QApplication::processEvents();
        const int before = grid.paintCount();
        QElapsedTimer timer;
        timer.start();
        emit box.activated(i % 2); // alternate, so every apply writes every row
        total += double(timer.nsecsElapsed()) / 1e6;
        QApplication::processEvents();
        paints += grid.paintCount() - before;
    }
    const QString last = box.itemText((applies - 1) % 2);
    int written = 0;
    const int sirenIdx = inputs.fieldByName(QStringLiteral("_AttSirIngresso")).index();
    for (int r = 1; r <= inputs.recordCount(); ++r)
        written += inputs.stringAt(r, sirenIdx) == last;
    std::printf("rows holding the last choice: %d\n", written);
    std::printf("apply to %d marked inputs: %.3f ms (average of %d), %.1f repaints of the grid per apply\n",
                grid.selectedRowCount(), total / applies, applies, double(paints) / applies);

    // ---- full repaint of each inputs grid ----
    for (QWidget* sheet : {page.TabSheet15, page.TabSheetIngFunzioni, page.TabSheetIngTelefoni,
                           page.TabSheetIngOnOff, page.TabSheetIngAdattamento}) {
        page.PageControl_Ingressi->setActivePage(sheet);
        QApplication::processEvents();
        DBGrid* g = sheet->findChild<DBGrid*>();
        g->clearSelectedRows();
        std::printf("%s (%dx%d, %d rows shown): %.3f ms at 1x, %.3f ms at 2x\n", qPrintable(g->objectName()),
                    g->viewport()->width(), g->viewport()->height(), g->visibleRowCount(),
                    averageRepaintMs(*g, repeats, 1.0), averageRepaintMs(*g, repeats, 2.0));
    }
    form.hide();
    delete DM;
    DM = nullptr;
    return 0;
}
