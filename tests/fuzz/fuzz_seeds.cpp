// Writes a fuzz target's seeds from the program's own output:
//   fuzz_seeds register <folder>   a saved register of a new installation of every model
//   fuzz_seeds envelope <folder>   envelopes of requests and replies, as bytes and as text
//   fuzz_seeds codec <folder>      every command's stream as a new installation of every model
//                                  encodes it, the live status and an event log

#include "app/appwiring.h"
#include "link/cloudenvelope.h"
#include "link/comset.h"
#include "link/panelframe.h"
#include "model/datamodule.h"
#include "model/lang.h"
#include "platform/dataset.h"
#include "transfer/codec.h"
#include "transfer/codec_eventlog.h"
#include "transfer/codec_layout.h"
#include "transfer/codec_livestatus.h"
#include "transfer/transferhooks.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

bool write(const QDir& folder, const QString& name, const QByteArray& bytes) {
    QFile f(folder.filePath(name));
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

bool registers(const QDir& folder) {
    for (int type = 1; type <= 6; ++type) {
        TDM dm;
        dm.AddDataSet(type);
        QString error;
        if (!dm.saveRegister(folder.filePath(QStringLiteral("model%1.cds").arg(type)), &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return false;
        }
    }
    return true;
}

bool envelopes(const QDir& folder) {
    const PanelFrame login{.command1 = PanelProtocol::WriteBit, .data = "123456"};
    const PanelFrame read{.command1 = 3, .command2 = 8, .sequence = 41};
    const QList<std::pair<CloudEnvelope::Kind, PanelFrame>> frames = {
        {CloudEnvelope::Request, login},
        {CloudEnvelope::Request, read},
        {CloudEnvelope::Reply, PanelFrame::replyTo(login, QByteArray(1, '\0'))},
        {CloudEnvelope::Reply, PanelFrame::replyTo(read, QByteArray(64, 'N'))},
    };
    for (int n = 0; n < frames.size(); ++n) {
        const CloudEnvelope e{frames[n].first, quint16(300 + n), "0123456789ABCDEFabcdef0123456789",
                              frames[n].second.encode()};
        if (!write(folder, QStringLiteral("envelope%1").arg(n), e.encode()) ||
            !write(folder, QStringLiteral("envelope%1_text").arg(n), e.toBase64Text()))
            return false;
    }
    return true;
}

bool codecStreams(const QDir& folder) {
    Lang::LanguageRewrite();
    DM = new TDM;
    ComSet = new TComSet;
    wireTransferToModel(); // the program's own model access and codec
    auto seed = [&](int command, int model, const QByteArray& stream) {
        const char pick = char(command == 1 ? 0 : command - 1);
        return write(folder, QStringLiteral("c%1_m%2").arg(command).arg(model),
                     QByteArray(1, pick) + char(model - 1) + stream);
    };
    for (int model = 1; model <= 6; ++model) {
        DM->AddDataSet(model);
        for (int c = CmdConfPeriferal; c <= Cmd_Radio800_Parametri; ++c)
            if (const Codec::Layout* layout = Codec::layoutOf(c))
                if (!seed(c, model, Codec::encodeStream(*layout)))
                    return false;
    }
    // The clock (1 March 2026, 08:30:15), a quiet live status, a log of two events.
    QByteArray log =
        QByteArray::fromHex("03010200 07ea0301 081e0f00 00000000 15000401 07ea0302 17000000 00000000");
    log.append(QByteArray(Codec::eventLogStreamSize() - log.size(), '\0'));
    QByteArray status;
    for (int p = 2; p <= 6; ++p)
        status.append(QByteArray(Codec::liveStatusPartSize(p), '\0'));
    return seed(41, 1, QByteArray::fromHex("01031a081e0f")) && seed(CmdLogEventi, 6, log) &&
           seed(CmdStateCentral, 6, status);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s register|envelope|codec <folder>\n", argv[0]);
        return 2;
    }
    const QString kind = QString::fromLocal8Bit(argv[1]);
    const QDir folder(QString::fromLocal8Bit(argv[2]));
    QDir().mkpath(folder.path());
    const bool ok = kind.startsWith(QLatin1String("register"))   ? registers(folder)
                    : kind.startsWith(QLatin1String("envelope")) ? envelopes(folder)
                    : kind == QLatin1String("codec")             ? codecStreams(folder)
                                                                 : true;
    return ok ? 0 : 1;
}
