// Writes the register fuzzer's seeds: one saved register of a new installation of every model.
//   fuzz_register_seeds <folder>

#include "model/datamodule.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(folder.path());
    for (int type = 1; type <= 6; ++type) {
        TDM dm;
        dm.AddDataSet(type);
        QString error;
        if (!dm.saveRegister(folder.filePath(QStringLiteral("model%1.cds").arg(type)), &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    }
    return 0;
}
