#include "transfer/codec_access.h"

#include "link/wiretext.h"
#include "transfer/codec_livestatus.h"
#include "transfer/systemtype.h"
#include "transfer/transferflags.h"
#include "transfer/transferhooks.h"

SystemType Sys;

TError encodeLogIn(int part, QByteArray& payload) {
    const QString code = ModelAccess.remoteCode ? ModelAccess.remoteCode().trimmed() : QString();
    // Without a code there is nothing to offer the panel: the user is told the code is missing,
    // not that the panel refused it.
    if (code.isEmpty())
        return NOCODE;
    // An over-long or non-numeric code never reaches the panel: access is refused here.
    if (code.size() > 6)
        return LOGOUT;
    for (const QChar c : code)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return LOGOUT;
    payload = code.toLatin1();
    payload.append(QByteArray(6 - payload.size(), '\0'));
    return SENDOK;
}

TError decodeLogIn(int part, const QByteArray& payload) {
    if (payload.isEmpty())
        return DATACORRUPT;
    const TError result = errorFromRequestConnection(quint8(payload[0]));
    StateLogIn = result == LOGINADMIN ? 1 : 0;
    return result;
}

TError decodeStateCentral(int part, const QByteArray& payload) {
    switch (part) {
    case 0: {
        if (payload.size() < 6)
            return DATACORRUPT;
        const auto b = [&](int i) { return int(quint8(payload[i])); };
        Sys.System = b(0);
        Sys.SystemMod = b(1);
        Sys.SystemSWver = QStringLiteral("%1.%2").arg(b(2)).arg(b(3), 2, 10, QLatin1Char('0'));
        Sys.SystemHWver = QStringLiteral("%1.%2").arg(b(4)).arg(b(5), 2, 10, QLatin1Char('0'));
        Sys.SystemConfirm = false;
        return SENDOK;
    }
    case 1:
        if (payload.size() < 16)
            return DATACORRUPT;
        Sys.SystemName = fromWireSlot(payload.left(16));
        return SENDOK;
    default:
        if (part < 2 || part > 6)
            return DATACORRUPT;
        Sys.Status[size_t(part - 2)] = payload;
        // The whole status is written at once, after its last part.
        if (part == 6 && Codec::LiveStatusDecoder)
            return Codec::LiveStatusDecoder(Sys.Status);
        return SENDOK;
    }
}
