// Times the timers page of the largest model on the real main window: moving through every
// timer of every day with the three lists of the current timer following, and a full repaint of
// the page rendered into an image on the offscreen platform.
//
//   QT_QPA_PLATFORM=offscreen ./bench_timers [repeats]

#include "benchsupport.h"
#include "platform/dataset.h"
#include "platform/dbgrid.h"
#include "ui/pages/page_timers.h"

#include <QElapsedTimer>
#include <QImage>

#include <cstdio>
#include <vector>

int main(int argc, char* argv[]) {
    BenchApplication app(argc, argv, 50);
    const int repeats = app.repeats;
    BenchWindow window(6, 11); // ZOREM: 8 timers a day, 64 users, 8 partitions, 17 outputs
    window->show();
    QApplication::processEvents();
    TForm6& form = window.form();
    TPageTimers& page = *form.TabSheet13;
    DataSet* days = DM->CDSet_Time_Day;
    DataSet* timers = DM->CDSet_Time_Timers;

    // One timer change: the cursor moves, the three lists follow, and the four grids that
    // show something else now are painted again (into images, as the window's one paint
    // of the frame would; a forced repaint per grid would time the screen flushes).
    std::vector<QImage> canvases;
    for (DBGrid* g : {page.DBGrid34, page.DBGrid36, page.DBGrid37, page.DBGrid38})
        canvases.emplace_back(g->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    QElapsedTimer timer;
    int changes = 0;
    timer.start();
    for (int round = 0; round < repeats; ++round) {
        for (int d = 1; d <= days->recordCount(); ++d) {
            days->setRecNo(d);
            for (int t = 1; t <= timers->recordCount(); ++t) {
                timers->setRecNo(t);
                int i = 0;
                for (DBGrid* g : {page.DBGrid34, page.DBGrid36, page.DBGrid37, page.DBGrid38})
                    g->viewport()->render(&canvases[i++]);
                ++changes;
            }
        }
    }
    std::printf("timer change with its lists refreshed and repainted: %.3f ms (average of %d)\n",
                double(timer.nsecsElapsed()) / 1e6 / changes, changes);

    for (qreal ratio : {1.0, 2.0})
        std::printf("full repaint of the timers page (%dx%d) at %.0fx: %.3f ms (average of %d)\n",
                    page.width(), page.height(), ratio, averageRenderMs(page, repeats, ratio), repeats);
    return 0;
}
