#pragma once
// Helpers of the benchmarks that need the program's data module or time repeated renders.

#include "model/datamodule.h"
#include "platform/dialogs.h"
#include "support/programdatamodule.h"
#include "support/tempregistry.h"

#include <QElapsedTimer>
#include <QImage>
#include <QWidget>

#include <functional>

// A data module over a throw-away register and registry, as the start-up makes it; freed with
// the object. Boxes are answered, never shown.
class BenchDataModule {
public:
    BenchDataModule() { createProgramDataModule(m_registry.folder() + QStringLiteral("/bench.cds")); }
    ~BenchDataModule() {
        delete DM;
        DM = nullptr;
    }
    BenchDataModule(const BenchDataModule&) = delete;
    BenchDataModule& operator=(const BenchDataModule&) = delete;

private:
    TempRegistry m_registry;
    BoxAnswerer m_boxes;
};

// Average milliseconds of `work` followed by a render of `widget` into an image at `ratio`,
// after five rounds that warm the caches.
inline double averageRenderMs(QWidget& widget, int repeats, qreal ratio,
                              const std::function<void()>& work = {}) {
    QImage image(widget.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    auto round = [&] {
        if (work)
            work();
        widget.render(&image);
    };
    for (int i = 0; i < 5; ++i)
        round();
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < repeats; ++i)
        round();
    return double(timer.nsecsElapsed()) / 1e6 / repeats;
}
