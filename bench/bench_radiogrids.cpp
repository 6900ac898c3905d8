// Times a full repaint of each radio device grid of the main window with every row on screen:
// the 400-range grid (its 64 devices) and the three 800-range grids over all 112 devices
// (filter off), with a mix of device types, levels and channel associations, rendered into an
// image on the offscreen platform at 1x and 2x.
//
//   QT_QPA_PLATFORM=offscreen ./bench_radiogrids [repeats]

#include "benchsupport.h"
#include "platform/dataset.h"
#include "platform/dbgrid.h"
#include "ui/pages/page_wireless.h"

#include <cstdio>

namespace {

void fillDevices() {
    DataSet* d = DM->CDSet_DeviceRadio;
    for (int r = 1; r <= d->recordCount(); ++r) {
        d->setRecNo(r);
        d->edit();
        d->fieldByName(QStringLiteral("_Tipo")).setAsInteger(r % 10);
        d->fieldByName(QStringLiteral("_Nome")).setAsString(QStringLiteral("SENSORE %1").arg(r));
        d->fieldByName(QStringLiteral("_Batt")).setAsInteger(r % 12);
        d->fieldByName(QStringLiteral("_Segnale")).setAsInteger(r % 5);
        d->fieldByName(QStringLiteral("_Supervisione")).setAsInteger(r * 3);
        d->post();
    }
    DataSet* e = DM->CDSet_DeviceRadio800;
    e->setFiltered(false);
    for (int r = 1; r <= e->recordCount(); ++r) {
        e->setRecNo(r);
        e->edit();
        e->fieldByName(QStringLiteral("_Tipo")).setAsInteger(r % 11);
        e->fieldByName(QStringLiteral("_NomeDevice")).setAsString(QStringLiteral("VIRNA800"));
        e->fieldByName(QStringLiteral("_Nome")).setAsString(QStringLiteral("DEVICE %1").arg(r));
        e->fieldByName(QStringLiteral("_Batt")).setAsInteger(r % 15);
        e->fieldByName(QStringLiteral("_Segnale")).setAsInteger(r % 15);
        e->post();
    }
}

void measure(DBGrid* grid, int rows, int repeats) {
    grid->setParent(nullptr); // measured on its own, tall enough for every row
    int width = 2 * grid->frameWidth() + grid->indicatorWidth() + 1;
    for (int c = 0; c < grid->columnCount(); ++c)
        width += grid->column(c).width() + 1;
    grid->resize(width, grid->titleRowHeight() + 1 + rows * (grid->defaultRowHeight() + 1) +
                            2 * grid->frameWidth() + 24);
    QImage whole(grid->size(), QImage::Format_ARGB32_Premultiplied);
    grid->render(&whole);
    std::printf("%-8s %3d rows x %2d columns: %.3f ms at 1x, %.3f ms at 2x (average of %d)\n",
                qPrintable(grid->objectName()), grid->visibleRowCount(), grid->columnCount(),
                averageRenderMs(*grid->viewport(), repeats, 1.0),
                averageRenderMs(*grid->viewport(), repeats, 2.0), repeats);
}

} // namespace

int main(int argc, char* argv[]) {
    BenchApplication app(argc, argv, 100);
    const int repeats = app.repeats;
    BenchWindow window(6);
    fillDevices();
    TPageWireless* page = window->TabSheet10;
    measure(page->DBGrid46, DM->CDSet_DeviceRadio->recordCount(), repeats);
    for (DBGrid* grid : {page->DBGrid48, page->DBGrid9, page->DBGrid47}) {
        DM->CDSet_DeviceRadio800->setFiltered(false);
        measure(grid, DM->CDSet_DeviceRadio800->recordCount(), repeats);
    }
    window->hide();
    return 0;
}
