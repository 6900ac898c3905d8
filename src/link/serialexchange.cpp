#include "link/serialexchange.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QSerialPort>
#include <QSerialPortInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

QString devicePath(const QString& name) {
    if (name.startsWith(QLatin1Char('/')))
        return name;
    const QSerialPortInfo info(name);
    return info.systemLocation().isEmpty() ? name : info.systemLocation();
}

#ifdef Q_OS_UNIX
// Tells a missing permission on the device node apart from a port held by another program.
QString permissionReason(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    if (::access(native.constData(), R_OK | W_OK) == 0)
        return QStringLiteral("la porta è già in uso da un altro programma");
    struct stat st {};
    QString groupName;
    if (::stat(native.constData(), &st) == 0) {
        if (const struct group* g = ::getgrgid(st.st_gid))
            groupName = QString::fromLocal8Bit(g->gr_name);
    }
    if (groupName.isEmpty())
        groupName = QStringLiteral("dialout");
    return QStringLiteral("permesso negato: l'utente non appartiene al gruppo \"%1\" "
                          "(aggiungerlo con \"usermod -aG %1 <utente>\" e rientrare nella sessione)")
        .arg(groupName);
}
#endif

bool portFailed(const QSerialPort& port) {
    const auto e = port.error();
    return !port.isOpen() || (e != QSerialPort::NoError && e != QSerialPort::TimeoutError);
}

// A frame begun and still incomplete at the deadline is either a late reply still on the line or
// a frame that lost its tail. A reply under way is whole within the line time of a longest
// frame; one still incomplete after that never will be: damaged bytes, as a wrong CRC is. (Left
// as silence, whether it read as damage depended on the next attempt's bytes making up the
// announced length: a short reply's remnant did, a long one's did not.) Frames that complete
// meanwhile are late and taken for nothing. True when damaged bytes were found.
bool incompleteFrameIsCut(QSerialPort& port, FrameReceiver& rx, const FrameTraceFn& trace) {
    const QDeadlineTimer grace((lineTimeMicros(PanelProtocol::MaxFrame) + 999) / 1000, Qt::PreciseTimer);
    for (;;) {
        for (PanelFrame late;;) {
            const auto got = rx.next(late);
            if (got == FrameReceiver::Result::Incomplete)
                break;
            if (trace)
                trace(false, rx.lastRaw(), false);
            if (got == FrameReceiver::Result::Corrupt)
                return true;
        }
        if (rx.buffered() == 0)
            return false;
        if (grace.hasExpired()) {
            if (trace)
                trace(false, rx.pending(), false);
            return true;
        }
        if (port.waitForReadyRead(int(qMax<qint64>(1, grace.remainingTime()))))
            rx.feed(port.readAll());
        else if (portFailed(port))
            return false;
    }
}

} // namespace

QString serialOpenErrorText(const QString& name, int serialPortError, const QString& errorString) {
    QString reason;
    switch (QSerialPort::SerialPortError(serialPortError)) {
    case QSerialPort::DeviceNotFoundError:
        reason = QStringLiteral("la porta non esiste");
        break;
    case QSerialPort::PermissionError:
#ifdef Q_OS_UNIX
        reason = permissionReason(devicePath(name));
#else
        reason = QStringLiteral("accesso negato o porta già in uso da un altro programma");
#endif
        break;
    case QSerialPort::OpenError:
        reason = QStringLiteral("la porta è già aperta");
        break;
    case QSerialPort::UnsupportedOperationError:
        reason = QStringLiteral("impostazioni 19200 8N1 non supportate dal dispositivo");
        break;
    default:
        reason = errorString;
        break;
    }
    if (reason.isEmpty())
        reason = QStringLiteral("errore sconosciuto");
    return QStringLiteral("Impossibile aprire la porta %1: %2.").arg(name, reason);
}

bool openPanelPort(QSerialPort& port, const QString& name, QString* message) {
    if (port.isOpen())
        port.close();
    port.setPortName(devicePath(name));
    port.setBaudRate(QSerialPort::Baud19200);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
    port.setReadBufferSize(0);
    if (!port.open(QIODevice::ReadWrite)) {
        if (message)
            *message = serialOpenErrorText(name, port.error(), port.errorString());
        return false;
    }
    // Settings applied after open so that a device which refuses them is reported, not used.
    const bool configured = port.setBaudRate(QSerialPort::Baud19200) &&
                            port.setDataBits(QSerialPort::Data8) && port.setParity(QSerialPort::NoParity) &&
                            port.setStopBits(QSerialPort::OneStop) &&
                            port.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        const QString text = serialOpenErrorText(name, port.error(), port.errorString());
        port.close();
        if (message)
            *message = text;
        return false;
    }
    port.clear();
    return true;
}

TError serialExchange(QSerialPort& port, const PanelFrame& request, int timeoutMs, PanelFrame& reply,
                      const FrameTraceFn& trace, FrameReceiver* receiver) {
    if (!port.isOpen())
        return SENDFAULT;
    port.clearError();
    FrameReceiver local;
    FrameReceiver& rx = receiver ? *receiver : local;
    auto traceIn = [&](bool valid) {
        if (trace)
            trace(false, rx.lastRaw(), valid);
    };
    // Whatever is complete before this request went out cannot answer it. A frame still arriving
    // stays in the reader; its sequence tells later whether it is ours.
    if (port.bytesAvailable() > 0)
        rx.feed(port.readAll());
    for (PanelFrame stale; rx.next(stale) != FrameReceiver::Result::Incomplete;)
        traceIn(false);
    const int noiseBefore = rx.noiseBytes();

    const QByteArray bytes = request.encode();
    const qint64 budgetMs =
        qMax(0, timeoutMs) + (lineTimeMicros(int(bytes.size()) + PanelProtocol::MaxFrame) + 999) / 1000;
    const QDeadlineTimer deadline(budgetMs, Qt::PreciseTimer);

    if (port.write(bytes) != bytes.size())
        return SENDFAULT;
    if (trace)
        trace(true, bytes, true);
    while (port.bytesToWrite() > 0) {
        if (!port.waitForBytesWritten(int(qMax<qint64>(1, deadline.remainingTime())))) {
            if (portFailed(port))
                return SENDFAULT;
            if (deadline.hasExpired())
                return LOGTIMEOUT;
        }
    }

    bool damaged = false;
    bool heard = false; // bytes came in after the request went out
    for (;;) {
        if (port.bytesAvailable() > 0) {
            rx.feed(port.readAll());
            heard = true;
        }
        PanelFrame frame;
        const auto got = rx.next(frame);
        if (got == FrameReceiver::Result::Frame) {
            if (classifyReply(request, frame) == ReplyKind::Foreign) {
                traceIn(false); // an echo, or a reply to an earlier attempt
                continue;
            }
            const TError r = checkReplyMatches(request, frame);
            traceIn(r == SENDOK);
            if (r == SENDOK)
                reply = frame;
            return r;
        }
        if (got == FrameReceiver::Result::Corrupt) {
            damaged = true;
            traceIn(false);
            continue; // the reader has already resynchronised
        }
        if (deadline.hasExpired()) {
            if (!damaged && heard && rx.buffered() > 0)
                damaged = incompleteFrameIsCut(port, rx, trace);
            if (!damaged && rx.noiseBytes() == noiseBefore)
                return LOGTIMEOUT;
            if (trace && !damaged)
                trace(false, QByteArray(), false); // noise only: the trace says so
            return DATACORRUPT;
        }
        if (!port.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())))) {
            if (portFailed(port))
                return SENDFAULT;
        }
    }
}

SerialLink::SerialLink(QObject* portParent, std::function<int()> replyTimeoutMs)
    : m_port(new QSerialPort(portParent)), m_replyTimeoutMs(std::move(replyTimeoutMs)) {}

bool SerialLink::open(const QString& name, QString* message) {
    m_rx.clear();
    return openPanelPort(*m_port, name, message);
}

bool SerialLink::isOpen() const {
    return m_port->isOpen();
}

void SerialLink::close() {
    if (m_port->isOpen())
        m_port->close();
    m_rx.clear();
}

TError SerialLink::exchangeAttempt(const PanelFrame& request, PanelFrame& reply) {
    const TError r = serialExchange(*m_port, request, m_replyTimeoutMs ? m_replyTimeoutMs() : 180, reply,
                                    traceFn(), &m_rx);
    if (r == SENDFAULT) // the port failed or vanished: it is no longer a link
        close();
    return r;
}
