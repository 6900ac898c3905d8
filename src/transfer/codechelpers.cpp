// Helpers of the command codec that live on the connection form: keypad terminal references and
// IPv4 address texts.
#include "link/comset.h"
#include "model/ip4text.h"
#include "transfer/transferhooks.h"

quint8 TComSet::GetValM1M2(const QString& name) const {
    const QStringList outputs = ModelAccess.outputNames ? ModelAccess.outputNames() : QStringList();
    const qsizetype out = outputs.indexOf(name);
    if (out >= 0)
        return quint8(out + 1 + 128);
    const QStringList inputs = ModelAccess.inputNames ? ModelAccess.inputNames() : QStringList();
    const qsizetype in = inputs.indexOf(name);
    return in >= 0 ? quint8(in + 1) : quint8(0);
}

quint32 TComSet::ToIP4(quint8 a, quint8 b, quint8 c, quint8 d) {
    return packIP4(a, b, c, d);
}

quint32 TComSet::StringToIP4Addr(const QString& text) const {
    return ::StringToIP4Addr(text);
}
