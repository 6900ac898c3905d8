#pragma once
// Helpers of the benchmarks that need the program's data module or time repeated renders.

#include "model/datamodule.h"
#include "platform/dialogs.h"
#include "support/programdatamodule.h"
#include "support/tempregistry.h"
#include "ui/mainwindow.h"
#include "ui/openinstallation.h"
#include "ui/pagecontrol.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QWidget>

#include <algorithm>
#include <functional>
#include <memory>

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

// Chooses the offscreen platform unless QT_QPA_PLATFORM names another; done before the
// application starts.
struct BenchPlatform {
    BenchPlatform() {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }
};

// The application of a benchmark, with the repeats its first argument asks for (at least one),
// `defaultRepeats` without it.
class BenchApplication : private BenchPlatform, public QApplication {
public:
    BenchApplication(int& argc, char** argv, int defaultRepeats)
        : QApplication(argc, argv),
          repeats(argc > 1 ? std::max(QString::fromLocal8Bit(argv[1]).toInt(), 1) : defaultRepeats) {}
    const int repeats;
};

// The real main window over a BenchDataModule with `installations` installations of model
// `systemType` added and the current one opened as the register window opens it; then `page`
// chosen as a click on its tab does (none when negative). The window is freed before the data
// module.
class BenchWindow {
public:
    explicit BenchWindow(int systemType, int page = -1, int installations = 1) {
        TForm6::setProcessExit([](int) {});
        m_form = std::make_unique<TForm6>();
        for (int i = 0; i < installations; ++i)
            DM->AddDataSet(systemType);
        OpenInstallation();
        if (page >= 0)
            m_form->PageControl->selectPageByUser(page);
    }
    BenchWindow(const BenchWindow&) = delete;
    BenchWindow& operator=(const BenchWindow&) = delete;

    TForm6& form() { return *m_form; }
    TForm6* operator->() { return m_form.get(); }

private:
    BenchDataModule m_dataModule;
    std::unique_ptr<TForm6> m_form;
};
