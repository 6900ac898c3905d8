// Times switching through the five parameter pages (PARAMETRI VARI, BLOCCO INSERIMENTO, PSTN,
// PARAMETRI DI RETE, PRIORITà VETTORI) and back to the first page, with a ZOREM installation
// open in the real main window over the program's data module. Each step chooses the page as a
// user does and renders it into an image, so its bound controls are shown filled. Also times
// moving to another installation while a parameter page is shown (every control refilled).
//
//   QT_QPA_PLATFORM=offscreen ./bench_parampages [rounds]

#include "benchsupport.h"
#include "platform/dataset.h"

#include <QElapsedTimer>
#include <QImage>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
// Chooses a page and paints it; the time includes the controls' refresh and layout.
qint64 showPage(TForm6& f, int page, QImage& canvas) {
    QElapsedTimer t;
    t.start();
    f.PageControl->selectPageByUser(page);
    QApplication::processEvents();
    f.PageControl->page(page)->render(&canvas);
    return t.nsecsElapsed();
}
} // namespace

int main(int argc, char** argv) {
    BenchApplication app(argc, argv, 50);
    const int rounds = app.repeats;
    BenchWindow window(6, -1, 2);
    TForm6& f = window.form();
    f.show();
    QApplication::processEvents();

    const int pages[] = {5, 12, 14, 16, 18, 0};
    QImage canvas(f.PageControl->size(), QImage::Format_ARGB32_Premultiplied);
    for (int page : pages) // warm-up: first layout of every page
        showPage(f, page, canvas);

    std::vector<qint64> worst(std::size(pages), 0);
    std::vector<qint64> total(std::size(pages), 0);
    for (int r = 0; r < rounds; ++r) {
        for (size_t i = 0; i < std::size(pages); ++i) {
            const qint64 ns = showPage(f, pages[i], canvas);
            total[i] += ns;
            worst[i] = std::max(worst[i], ns);
        }
    }
    std::printf("page switch, shown and painted (%d rounds, ZOREM):\n", rounds);
    for (size_t i = 0; i < std::size(pages); ++i)
        std::printf("  page %2d: mean %6.2f ms, worst %6.2f ms\n", pages[i], total[i] / 1e6 / rounds,
                    worst[i] / 1e6);

    // Another installation under a shown parameter page: every bound control refills.
    f.PageControl->selectPageByUser(5);
    QApplication::processEvents();
    QElapsedTimer t;
    t.start();
    for (int r = 0; r < rounds; ++r) {
        DM->CDSet_Tabulon->setRecNo(r % 2 + 1);
        QApplication::processEvents();
        f.PageControl->page(5)->render(&canvas);
    }
    std::printf("installation switch under page 5: mean %6.2f ms\n", t.nsecsElapsed() / 1e6 / rounds);
    return 0;
}
