// Timing of the configuration model: a new installation per model, and save and load of a
// register of 500 installations of mixed models. Prints the figures and the targets
// (new installation < 20 ms; save and load < 1 s each; peak memory < 400 MB).
#include "model/datamodule.h"
#include "platform/dataset.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <malloc.h>
#include <vector>

namespace {

const char* const kModels[] = {"", "TAVEK", "MIRUN", "MIRUNPLUS", "PELUN", "QUANE", "ZOREM"};

long statusKb(const char* key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}
// Bytes the program holds from the allocator now (freed memory the process keeps is not counted,
// as it is in the resident size).
double heapInUseMb() {
    const struct mallinfo2 m = mallinfo2();
    return double(m.uordblks + m.hblkhd) / 1048576.0;
}
long peakMemoryKb() {
    return statusKb("VmHWM:");
}

const char* verdict(bool ok) {
    return ok ? "ok" : "OVER TARGET";
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int installations = argc > 1 ? std::max(1, atoi(argv[1])) : 500;
    bool allOk = true;

    std::printf("New installation (AddDataSet), 20 runs per model, ms:\n");
    for (int type = 1; type <= 6; ++type) {
        TDM dm;
        std::vector<double> ms;
        for (int run = 0; run < 20; ++run) {
            QElapsedTimer timer;
            timer.start();
            dm.AddDataSet(type);
            ms.push_back(timer.nsecsElapsed() / 1e6);
        }
        std::sort(ms.begin(), ms.end());
        const double median = ms[ms.size() / 2];
        const double worst = ms.back();
        allOk &= worst < 20.0;
        std::printf("  %-10s min %6.2f  median %6.2f  max %6.2f  %s\n", kModels[type], ms.front(), median,
                    worst, verdict(worst < 20.0));
    }

    {
        // Asked for every painted cell: must stay far below a microsecond.
        TDM dm;
        dm.AddDataSet(3);
        const int calls = 1000000;
        long sum = 0;
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < calls; ++i)
            sum += dm.GetSystemType();
        std::printf("\nGetSystemType: %.1f ns per call (%ld)\n", double(timer.nsecsElapsed()) / calls,
                    sum / calls);
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("register.cds"));
    {
        TDM dm;
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < installations; ++i)
            dm.AddDataSet(i % 6 + 1);
        std::printf("\nRegister of %d installations (mixed models) built in %.0f ms\n", installations,
                    double(timer.elapsed()));
        timer.restart();
        QString error;
        if (!dm.saveRegister(path, &error)) {
            std::printf("save failed: %s\n", qPrintable(error));
            return 1;
        }
        const double saveMs = double(timer.elapsed());
        allOk &= saveMs < 1000.0;
        std::printf("  save  %7.0f ms  %s  (file %.1f MB)\n", saveMs, verdict(saveMs < 1000.0),
                    QFileInfo(path).size() / 1048576.0);
    }
    {
        TDM dm;
        const double beforeMb = heapInUseMb();
        QElapsedTimer timer;
        timer.start();
        QString error;
        if (!dm.importRegister(path, &error)) {
            std::printf("load failed: %s\n", qPrintable(error));
            return 1;
        }
        const double loadMs = double(timer.elapsed());
        allOk &= loadMs < 1000.0;
        std::printf("  load  %7.0f ms  %s  (%d installations)\n", loadMs, verdict(loadMs < 1000.0),
                    dm.CDSet_Tabulon->recordCount());
        // What the loaded register holds in memory for each byte of its file
        // (docs/register-format.md).
        const double grownMb = heapInUseMb() - beforeMb;
        std::printf("  memory after load %.1f MB, %.2f times the file\n", grownMb,
                    grownMb / (QFileInfo(path).size() / 1048576.0));
    }
    const long peakKb = peakMemoryKb();
    const bool memOk = peakKb >= 0 && peakKb < 400 * 1024;
    allOk &= memOk;
    std::printf("\nPeak memory (VmHWM) %.1f MB  %s\n", peakKb / 1024.0, verdict(memOk));
    return allOk ? 0 : 2;
}
