// Panel replies into the codec as a read job feeds them: byte 0 picks the command (0: the live
// status of command 1, else command 2..62), byte 1 the model (1..6), the rest is the reply
// stream, cut into the command's parts (64 bytes, the live status by its part sizes) and given
// to its decoder part by part. A refused stream changes nothing; a stream whose parts all decode
// must commit, what it leaves must encode again as a write would send it, and the register must
// save and load again.

#include "app/appwiring.h"
#include "link/comset.h"
#include "model/datamodule.h"
#include "model/lang.h"
#include "platform/dataset.h"
#include "transfer/codec.h"
#include "transfer/codec_layout.h"
#include "transfer/codec_livestatus.h"
#include "transfer/codec_staging.h"
#include "transfer/commands.h"
#include "transfer/transferhooks.h"

#include <QApplication>
#include <QDir>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

QString g_again;      // the register saved after a commit
int g_model = 0;      // the model of the one installation in memory
bool g_dirty = false; // a stream has been committed into it

// One new installation of `model`, unless it is already in memory untouched.
void freshInstallation(int model) {
    if (model == g_model && !g_dirty)
        return;
    while (DM->CDSet_Tabulon->recordCount() > 0)
        DM->DeleteMasterRecord();
    DM->AddDataSet(model);
    g_model = model;
    g_dirty = false;
}

[[noreturn]] void fail(int command, int model, const QString& what) {
    std::fprintf(stderr, "command %d, model %d: %s\n", command, model, qPrintable(what));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv); // never destroyed, as the program's own
    Lang::LanguageRewrite();
    DM = new TDM;
    ComSet = new TComSet;  // the encoders' keypad terminals and addresses
    wireTransferToModel(); // the program's own model access and codec
    g_again =
        QDir::temp().filePath(QStringLiteral("fuzz_codec_%1.cds").arg(QCoreApplication::applicationPid()));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const int pick = data[0] % 62;
    const int command = pick == 0 ? int(CmdStateCentral) : pick + 1;
    const int model = 1 + data[1] % 6;
    const QByteArray stream(reinterpret_cast<const char*>(data) + 2, qsizetype(size - 2));
    freshInstallation(model);

    if (command == CmdStateCentral) {
        std::array<QByteArray, 5> parts;
        for (int p = 0, at = 0; p < 5; at += Codec::liveStatusPartSize(p + 2), ++p)
            parts[size_t(p)] = stream.mid(at, Codec::liveStatusPartSize(p + 2));
        Codec::decodeLiveStatus(parts); // no sink: decoded and dropped
        return 0;
    }

    const CommandInfo& info = commandInfo(command);
    const Codec::Layout* layout = Codec::layoutOf(command);
    const QByteArray before = layout ? Codec::encodeStream(*layout) : QByteArray();
    TError r = SENDOK;
    for (int p = 0; p < info.parts && r == SENDOK; ++p) {
        try {
            r = info.decode(p, stream.mid(qsizetype(p) * 64, 64));
        } catch (...) {
            r = DATACORRUPT; // the sequencer's reading of a decoder that throws
        }
    }
    if (r != SENDOK) {
        Codec::dropStaged();
        if (layout && Codec::encodeStream(*layout) != before)
            fail(command, model, QStringLiteral("a refused stream changed the installation"));
        return 0;
    }
    QString why;
    g_dirty = true;
    if (!Codec::commitStaged(&why))
        fail(command, model, QStringLiteral("decoded but not committed: ") + why);
    Codec::dropStaged();
    if (layout) {
        try {
            Codec::encodeStream(*layout);
        } catch (const std::exception& e) {
            fail(command, model,
                 QStringLiteral("read but cannot be written: ") + QString::fromUtf8(e.what()));
        } catch (...) {
            fail(command, model, QStringLiteral("read but cannot be written"));
        }
    }
    QString error;
    if (!DM->saveRegister(g_again, &error) || !DM->importRegister(g_again, &error))
        fail(command, model, QStringLiteral("the register does not save and load again: ") + error);
    return 0;
}
