// The register reader as the register window reaches it: any bytes imported through the data
// module. A refused file must leave the register exactly as it was. The register in memory
// is large enough for a load to prove the file good before it frees the old rows, so both
// readings of the file are fuzzed.

#include "model/datamodule.h"
#include "platform/dataset.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdlib>

namespace {

TDM* g_dm = nullptr;
QString g_path;
QString g_large; // the large register, put back after a file that loaded

// The installations and the rows under the current one: enough to see a change.
QString fingerprint(TDM& dm) {
    QString out = QString::number(dm.CDSet_Tabulon->recordCount());
    for (DataSet* t : dm.tables())
        out += QLatin1Char(' ') + QString::number(t->recordCount());
    return out;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    g_dm = new TDM;
    for (int i = 0; i < 24; ++i)
        g_dm->AddDataSet(i % 6 + 1); // about 5 MB of rows
    const QString stem =
        QDir::temp().filePath(QStringLiteral("fuzz_register_%1").arg(QCoreApplication::applicationPid()));
    g_path = stem + QStringLiteral(".cds");
    g_large = stem + QStringLiteral("-large.cds");
    if (!g_dm->saveRegister(g_large))
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    {
        QFile f(g_path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            f.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
            std::abort();
    }
    const QString before = fingerprint(*g_dm);
    QString error;
    if (!g_dm->importRegister(g_path, &error)) {
        if (error.isEmpty() || fingerprint(*g_dm) != before)
            std::abort(); // a refusal must say why and change nothing
    } else if (!g_dm->importRegister(g_large)) {
        std::abort(); // the large register must always load again
    }
    return 0;
}
