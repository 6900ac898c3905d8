// Timing of the inputs page in the real main window over a ZOREM installation (64 inputs):
// one list choice applied to all 64 marked inputs (and the repaints it causes), and one full
// repaint of each inputs grid at 1x and 2x. Targets: apply < 20 ms with one repaint; each
// repaint < 10 ms at 1x.
//
//   QT_QPA_PLATFORM=offscreen ./bench_inputs [repeats]

#include "benchsupport.h"
#include "platform/dataset.h"
#include "platform/dbcontrols.h"
#include "platform/dbgrid.h"
#include "ui/pages/page_ingressi.h"

#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char* argv[]) {
    BenchApplication app(argc, argv, 100);
    const int repeats = app.repeats;
    BenchWindow window(6, 1);
    TForm6& form = window.form();
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
                    averageRenderMs(*g->viewport(), repeats, 1.0),
                    averageRenderMs(*g->viewport(), repeats, 2.0));
    }
    form.hide();
    return 0;
}
