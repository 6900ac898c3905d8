// The register reader as the register window reaches it: any bytes imported through the data
// module. A refused file must leave the register exactly as it was.

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
    g_dm->AddDataSet(3); // a register with rows, so that a refusal has something to keep
    g_path = QDir::temp().filePath(QStringLiteral("fuzz_register_%1.cds").arg(QCoreApplication::applicationPid()));
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
    } else if (g_dm->CDSet_Tabulon->recordCount() == 0) {
        g_dm->AddDataSet(1); // keep rows to protect
    }
    return 0;
}
