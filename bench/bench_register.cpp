// Times saving and loading the program's own register, built as bench_model builds it (the data
// module with installations of the six models in turn), against the floor of what its file
// costs: reading the same bytes, and writing as many bytes with a sync. Every figure is the
// median of several runs; the minimum is printed beside it.
//
//   bench_register [installations] [runs] [file]
//
// Without a file the register goes to a temporary folder and is removed at the end.

#include "model/datamodule.h"
#include "platform/dataset.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <unistd.h>
#include <vector>

namespace {

long statusKb(const char* key) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray k(key);
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(k))
            return line.mid(k.size()).trimmed().split(' ').value(0).toLong();
    return -1;
}
long peakRssKb() {
    return statusKb("VmHWM:");
}
long rssKb() {
    return statusKb("VmRSS:");
}

// Starts a new peak: VmHWM then counts from the current RSS (Linux 4.0 and later).
void resetPeak() {
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

// Reading the file's bytes (from the page cache, as a load right after a save does).
qint64 rawReadUs(const QString& path) {
    QElapsedTimer clock;
    clock.start();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    std::vector<char> chunk(size_t(1) << 20);
    while (f.read(chunk.data(), qint64(chunk.size())) > 0) {
    }
    return clock.nsecsElapsed() / 1000;
}

// Writing as many bytes as the file holds, then a sync, as a save does.
qint64 rawWriteUs(const QString& from, const QString& to) {
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return -1;
    const qint64 total = in.size();
    const QByteArray chunk = in.read(qint64(4) << 20);
    if (chunk.isEmpty())
        return -1;
    QElapsedTimer clock;
    clock.start();
    QFile out(to);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return -1;
    for (qint64 left = total; left > 0; left -= chunk.size())
        out.write(chunk.constData(), std::min<qint64>(left, chunk.size()));
    out.flush();
    ::fsync(out.handle());
    out.close();
    const qint64 us = clock.nsecsElapsed() / 1000;
    QFile::remove(to);
    return us;
}

// Every row of a table and of the tables nested in it.
qint64 countRows(DataSet& t) {
    qint64 n = 0;
    t.first();
    while (!t.eof()) {
        ++n;
        for (Field* f : t.fields())
            if (DataSet* d = f->nestedDataSet())
                n += countRows(*d);
        t.next();
    }
    return n;
}

struct Figure {
    double minMs = 0, medianMs = 0;
    bool ok = true;
};

// Runs `once` (microseconds, negative on failure) `runs` times.
Figure measure(int runs, const std::function<qint64()>& once) {
    std::vector<double> ms;
    Figure f;
    for (int i = 0; i < runs; ++i) {
        const qint64 us = once();
        if (us < 0) {
            f.ok = false;
            return f;
        }
        ms.push_back(double(us) / 1000.0);
    }
    std::sort(ms.begin(), ms.end());
    f.minMs = ms.front();
    f.medianMs = ms[ms.size() / 2];
    return f;
}

void print(const char* name, const Figure& f) {
    std::printf("%-18s median %8.1f ms   min %8.1f ms\n", name, f.medianMs, f.minMs);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int installations = argc > 1 ? std::max(1, atoi(argv[1])) : 500;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 5;
    QTemporaryDir dir;
    const QString path =
        argc > 3 ? QString::fromLocal8Bit(argv[3]) : dir.filePath(QStringLiteral("register.cds"));

    TDM dm;
    const long startKb = rssKb(); // the data module with no installation
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < installations; ++i)
        dm.AddDataSet(i % 6 + 1);
    const qint64 buildMs = clock.elapsed();
    const long builtKb = rssKb();
    const qint64 rows = countRows(*dm.CDSet_Tabulon);

    QString error;
    const Figure save = measure(runs, [&]() -> qint64 {
        QElapsedTimer t;
        t.start();
        if (!dm.saveRegister(path, &error))
            return -1;
        return t.nsecsElapsed() / 1000;
    });
    if (!save.ok) {
        std::printf("save failed: %s\n", qPrintable(error));
        return 1;
    }
    const qint64 bytes = QFileInfo(path).size();
    const Figure rawWrite = measure(runs, [&] { return rawWriteUs(path, path + QStringLiteral(".raw")); });
    const Figure rawRead = measure(runs, [&] { return rawReadUs(path); });

    // Loads over the full register, as an import into the running program does.
    resetPeak();
    const Figure load = measure(runs, [&]() -> qint64 {
        QElapsedTimer t;
        t.start();
        if (!dm.importRegister(path, &error))
            return -1;
        return t.nsecsElapsed() / 1000;
    });
    if (!load.ok) {
        std::printf("load failed: %s\n", qPrintable(error));
        return 1;
    }
    const long loadPeakKb = peakRssKb();
    const qint64 rowsAfter = countRows(*dm.CDSet_Tabulon);

    std::printf("installations      %d (models in turn), %d runs a figure\n", installations, runs);
    std::printf("rows               %lld (%.0f per installation)\n", rows, double(rows) / installations);
    std::printf("build              %lld ms\n", buildMs);
    std::printf("file size          %.1f MB\n", bytes / 1048576.0);
    print("save", save);
    print("raw write + sync", rawWrite);
    print("load", load);
    print("raw read", rawRead);
    std::printf("save / raw write   %.1f (target 2)\n", save.medianMs / std::max(rawWrite.medianMs, 0.001));
    std::printf("load / raw read    %.1f (target 6)\n", load.medianMs / std::max(rawRead.medianMs, 0.001));
    const double registerMb = (builtKb - startKb) / 1024.0;
    std::printf("register in memory %.1f MB; peak while loading over it %.1f MB (%.2f times, target 1.5)\n",
                registerMb, (loadPeakKb - startKb) / 1024.0, (loadPeakKb - startKb) / 1024.0 / registerMb);
    std::printf("rows after load    %lld %s\n", rowsAfter, rowsAfter == rows ? "(same)" : "(DIFFERENT)");
    if (argc <= 3)
        QFile::remove(path);
    return rowsAfter == rows ? 0 : 1;
}
