// The register reader as the register window reaches it: any bytes imported through the data
// module. A refused file must leave the register exactly as it was; a loaded one must save and
// load again. The register in memory is large enough for a load to prove the file good before
// it frees the old rows, so both readings of the file are fuzzed.
//
// Built twice: fuzz_register takes the bytes as they are, so most mutations stop at the header
// and payload checksums; fuzz_register_fixed (REGISTER_FIXUP) first writes a valid header
// (magic, version, flags, payload length, both CRC-32) over the first 32 bytes, so that the
// schema check, the row-building pass, the repairs and what follows a load see mutated files.

#include "link/cloudenvelope.h"
#include "model/datamodule.h"
#include "platform/dataset.h"
#include "platform/dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <QtEndian>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

TDM* g_dm = nullptr;
BoxAnswerer* g_boxes = nullptr; // answers the list of repairs a load reports
QString g_path;
QString g_large; // the large register, put back after a file that loaded
QString g_again; // a loaded file saved again

// The header of docs/register-format.md over the first 32 bytes, the rest the payload.
QByteArray withValidHeader(QByteArray file) {
    if (file.size() < 32)
        file.append(QByteArray(32 - file.size(), '\0'));
    char* h = file.data();
    memcpy(h, "TBNREG\0\1", 8);
    qToLittleEndian<quint32>(1, h + 8);
    qToLittleEndian<quint32>(0, h + 12);
    qToLittleEndian<quint64>(quint64(file.size() - 32), h + 16);
    qToLittleEndian<quint32>(crc32Ieee(h + 32, int(file.size() - 32)), h + 24);
    qToLittleEndian<quint32>(crc32Ieee(h, 28), h + 28);
    return file;
}

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
    g_boxes = new BoxAnswerer;
    for (int i = 0; i < 24; ++i)
        g_dm->AddDataSet(i % 6 + 1); // about 5 MB of rows
    const QString stem =
        QDir::temp().filePath(QStringLiteral("fuzz_register_%1").arg(QCoreApplication::applicationPid()));
    g_path = stem + QStringLiteral(".cds");
    g_large = stem + QStringLiteral("-large.cds");
    g_again = stem + QStringLiteral("-again.cds");
    if (!g_dm->saveRegister(g_large))
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    g_boxes->clear();
    QByteArray file(reinterpret_cast<const char*>(data), qsizetype(size));
#ifdef REGISTER_FIXUP
    file = withValidHeader(file);
#endif
    {
        QFile f(g_path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(file) != file.size())
            std::abort();
    }
    const QString before = fingerprint(*g_dm);
    QString error;
    if (!g_dm->importRegister(g_path, &error)) {
        if (error.isEmpty() || fingerprint(*g_dm) != before)
            std::abort(); // a refusal must say why and change nothing
        return 0;
    }
    // What loaded (repairs included) saves, and loads again to the same rows.
    const QString loaded = fingerprint(*g_dm);
    if (!g_dm->saveRegister(g_again, &error) || !g_dm->importRegister(g_again, &error) ||
        fingerprint(*g_dm) != loaded) {
        std::fprintf(stderr, "saved again: %s\n", qPrintable(error));
        std::abort();
    }
    if (!g_dm->importRegister(g_large))
        std::abort(); // the large register must always load again
    return 0;
}
