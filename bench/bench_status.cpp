// Times one full live-status update of the status frame and its repaint: all 64 input lamps,
// 17 output lamps, the 4 status lamps, the 64 devices of the 400 range (seven lamps and two
// levels each), the 112 devices of the 800 range (nine flags and two levels each) and the two
// gauges, written through the status interface between beginUpdate and endUpdate, then the
// frame rendered into an image. Measured with each radio tab in front, at 1x and 2x.
//
//   QT_QPA_PLATFORM=offscreen ./bench_status [repeats]

#include "benchsupport.h"
#include "ui/pagecontrol.h"
#include "ui/statusframe.h"

#include <QElapsedTimer>
#include <QImage>

#include <cstdio>

namespace {

void writeStatus(PanelStatusSink& sink, int round) {
    sink.beginUpdate();
    for (int i = 0; i < PanelStatusSink::kInputs; ++i)
        sink.setInputLamp(i, (i + round) % 2);
    for (int i = 0; i < PanelStatusSink::kOutputs; ++i)
        sink.setOutputLamp(i, (i + round) % 3 == 0);
    for (int k = 0; k < 4; ++k)
        sink.setStatusLamp(PanelStatusSink::StatusLamp(k), (k + round) % 2);
    sink.setGsmOperator(QStringLiteral("OPERATORE"));
    sink.setGsmCredit(QStringLiteral("%1,00").arg(round % 50));
    sink.setGsmSignal(25 * (round % 5));
    sink.setBattery(20 * (round % 6));
    for (int d = 0; d < PanelStatusSink::kRadio400; ++d) {
        for (int lamp = 0; lamp < 7; ++lamp)
            sink.setRadio400Lamp(d, PanelStatusSink::Radio400Lamp(lamp), (d + lamp + round) % 4 == 0);
        sink.setRadio400Levels(d, (d + round) % 101, (3 * d + round) % 101);
    }
    const struct {
        PanelStatusSink::Radio800Kind kind;
        int count;
    } kinds[] = {{PanelStatusSink::Remote, PanelStatusSink::kRemotes},
                 {PanelStatusSink::Siren, PanelStatusSink::kSirens},
                 {PanelStatusSink::Device, PanelStatusSink::kDevices}};
    for (const auto& k : kinds) {
        for (int s = 0; s < k.count; ++s) {
            for (int f = 0; f < 9; ++f)
                sink.setRadio800Flag(k.kind, s, PanelStatusSink::Radio800Flag(f), (s + f + round) % 3 == 0);
            sink.setRadio800Levels(k.kind, s, (s + round) % 101, (2 * s + round) % 101);
        }
    }
    sink.endUpdate();
}

} // namespace

int main(int argc, char* argv[]) {
    BenchApplication app(argc, argv, 100);
    const int repeats = app.repeats;

    TPannello112 frame;
    frame.resize(1100, 640);
    QImage whole(frame.size(), QImage::Format_ARGB32_Premultiplied);
    frame.render(&whole); // delivers the pending layout
    int round = 0;
    {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < repeats; ++i)
            writeStatus(frame, round++);
        std::printf("status update alone (values written, nothing painted): %.3f ms\n",
                    double(timer.nsecsElapsed()) / 1e6 / repeats);
    }
    for (QWidget* tab : {frame.TabSheet1, frame.TabSheet2}) {
        frame.PageControl1->setActivePage(tab);
        frame.render(&whole);
        auto update = [&] { writeStatus(frame, round++); };
        const double x1 = averageRenderMs(frame, repeats, 1.0, update);
        const double x2 = averageRenderMs(frame, repeats, 2.0, update);
        std::printf("status update + repaint, %s in front: %.3f ms at 1x, %.3f ms at 2x (average of %d)\n",
                    tab == frame.TabSheet1 ? "433Mhz" : "868Mhz", x1, x2, repeats);
    }
    return 0;
}
