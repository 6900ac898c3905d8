#include "support/panelsimulator.h"

#include <QMutexLocker>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

using namespace PanelProtocol;

PanelCore::PanelCore() = default;

void PanelCore::setModel(int model) {
    QMutexLocker l(&m_mutex);
    m_model = model;
}

void PanelCore::setRadioRange(int range) {
    QMutexLocker l(&m_mutex);
    m_radio = range;
}

void PanelCore::setRemoteCode(const QByteArray& code) {
    QMutexLocker l(&m_mutex);
    m_code = code;
}

void PanelCore::setLoginStatus(int status) {
    QMutexLocker l(&m_mutex);
    m_loginStatus = status;
}

void PanelCore::setFailure(Failure mode, int from, int count) {
    QMutexLocker l(&m_mutex);
    m_failure = mode;
    m_failFrom = from;
    m_failCount = count;
}

void PanelCore::setReplyDelayMs(int ms) {
    QMutexLocker l(&m_mutex);
    m_delayMs = ms;
}

int PanelCore::replyDelayMs() const {
    QMutexLocker l(&m_mutex);
    return m_delayMs;
}

qint64 PanelCore::bytesIn() const {
    QMutexLocker l(&m_mutex);
    return m_bytesIn;
}

qint64 PanelCore::bytesOut() const {
    QMutexLocker l(&m_mutex);
    return m_bytesOut;
}

int PanelCore::requestCount() const {
    QMutexLocker l(&m_mutex);
    return int(m_requests.size());
}

int PanelCore::requestsFor(int command, int part) const {
    QMutexLocker l(&m_mutex);
    int n = 0;
    for (const PanelFrame& f : m_requests)
        n += (f.command() == command && f.part() == part) ? 1 : 0;
    return n;
}

QList<PanelFrame> PanelCore::requests() const {
    QMutexLocker l(&m_mutex);
    return m_requests;
}

QByteArray PanelCore::defaultPart(int command, int part) {
    QByteArray d(MaxData, '\0');
    for (int i = 0; i < MaxData; ++i)
        d[i] = char((command * 31 + part * 7 + i) & 0xFF);
    return d;
}

QByteArray PanelCore::memory(int command, int part) const {
    QMutexLocker l(&m_mutex);
    return m_memory.value(command * 256 + part, defaultPart(command, part));
}

void PanelCore::setMemory(int command, int part, const QByteArray& data) {
    QMutexLocker l(&m_mutex);
    m_memory[command * 256 + part] = data;
}

// Called with the mutex held.
QByteArray PanelCore::replyData(const PanelFrame& request) {
    const int cmd = request.command();
    const int part = request.part();
    if (cmd == 0) {
        if (m_loginStatus >= 0)
            return QByteArray(1, char(m_loginStatus));
        QByteArray expected = m_code.left(6);
        expected.append(QByteArray(6 - expected.size(), '\0'));
        return QByteArray(1, char(request.data == expected ? ERR_ADMIN : ERR_LOGOUT));
    }
    if (request.isWrite()) {
        m_memory[cmd * 256 + part] = request.data;
        return {};
    }
    if (cmd == 1) {
        if (part == 0) {
            QByteArray id(6, '\0');
            id[0] = char(m_model);
            id[1] = char(m_radio);
            id[2] = 1; // SW 1.07
            id[3] = 7;
            id[4] = 2; // HW 2.00
            return id;
        }
        if (part == 1) {
            QByteArray name("ZEPHRA SIM");
            name.append(QByteArray(16 - name.size(), '\0'));
            return name;
        }
        // The live status: what the test stored, else a filler.
        return m_memory.value(cmd * 256 + part, defaultPart(cmd, part).left(16));
    }
    return m_memory.value(cmd * 256 + part, defaultPart(cmd, part));
}

QByteArray PanelCore::handle(const PanelFrame& request, bool* dropLink) {
    QMutexLocker l(&m_mutex);
    const int n = int(m_requests.size());
    m_requests.append(request);
    m_bytesIn += Overhead + request.data.size();
    const bool failing =
        m_failure != Failure::None && n >= m_failFrom && (m_failCount < 0 || n < m_failFrom + m_failCount);
    const Failure mode = failing ? m_failure : Failure::None;
    if (dropLink)
        *dropLink = mode == Failure::DropLink;
    if (mode == Failure::NoReply || mode == Failure::DropLink)
        return {};
    if (mode == Failure::Garbage)
        return QByteArray("\xFF\x10\x20 noise \x7F", 12);

    PanelFrame reply =
        PanelFrame::replyTo(request, mode == Failure::EmptyReply ? QByteArray() : replyData(request));
    if (mode == Failure::WrongPart)
        reply.command1 = quint8((request.command1 & WriteBit) | ((request.part() + 1) & PartMask));
    // A retry carries the next sequence number: the attempt before it had this one less, and
    // its answer is the same part with the same data, only that attempt's number tells it apart.
    if (mode == Failure::StaleReply)
        reply.sequence = quint8(request.sequence - 1);
    QByteArray bytes = reply.encode();
    if (mode == Failure::WrongChecksum)
        bytes[bytes.size() - 2] = char(bytes[bytes.size() - 2] + 1);
    if (mode == Failure::ShortFrame)
        bytes.truncate(Overhead - 1);
    bytes.prepend(noiseBefore(mode, request));
    m_bytesOut += bytes.size();
    return bytes;
}

QByteArray PanelCore::noiseBefore(Failure mode, const PanelFrame& request) {
    switch (mode) {
    case Failure::StrayStx:
        return QByteArray("\x02\x7F\x02\x00\x40", 5);
    case Failure::Echo:
        return request.encode();
    case Failure::NoiseBurst: {
        QByteArray noise(600, '\0');
        for (int i = 0; i < noise.size(); ++i) // STX and short lengths make many false starts
            noise[i] = char(i % 7 == 0 ? STX : (i * 37 + 11) & 0xFF);
        // The last false start reaches into the reply: only a rescan after its STX finds the reply.
        return noise + QByteArray("\x02\x00\x05", 3);
    }
    default:
        return {};
    }
}

PanelSimulator::PanelSimulator() = default;

PanelSimulator::~PanelSimulator() {
    stop();
}

bool PanelSimulator::start() {
    char name[128] = {};
    if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0)
        return false;
    termios t{};
    ::tcgetattr(m_slave, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(m_slave, TCSANOW, &t);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    m_path = QString::fromLocal8Bit(name);
    m_stop = false;
    m_thread = std::thread([this] { run(); });
    return true;
}

void PanelSimulator::stop() {
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = m_slave = -1;
}

QString PanelSimulator::portPath() const {
    return m_path;
}

void PanelSimulator::dropLink() {
    m_dropped = true; // the answering thread closes the master
}

void PanelSimulator::run() {
    using Clock = std::chrono::steady_clock;
    const auto byteTime = std::chrono::microseconds(lineTimeMicros(1));
    FrameReceiver rx;
    Clock::time_point firstByte{};
    bool haveFirst = false;
    char buf[512];
    while (!m_stop) {
        if (m_dropped) {
            if (m_master >= 0) {
                ::close(m_master);
                m_master = -1;
            }
            m_lineDead = true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
        }
        pollfd p{m_master, POLLIN, 0};
        if (::poll(&p, 1, 10) <= 0 || !(p.revents & POLLIN))
            continue;
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n <= 0)
            continue;
        if (!haveFirst) {
            firstByte = Clock::now(); // the host writes at once: the line starts now
            haveFirst = true;
        }
        rx.feed(buf, int(n));
        PanelFrame request;
        for (;;) {
            const auto got = rx.next(request);
            if (got == FrameReceiver::Result::Incomplete)
                break;
            const int requestSize = got == FrameReceiver::Result::Frame ? Overhead + int(request.data.size())
                                                                        : int(rx.lastRaw().size());
            const auto arrived = firstByte + byteTime * requestSize;
            haveFirst = rx.buffered() > 0;
            if (haveFirst)
                firstByte = arrived;
            if (got != FrameReceiver::Result::Frame || request.isReply())
                continue; // a damaged request gets no answer, and a reply is not a request
            bool drop = false;
            const QByteArray reply = handle(request, &drop);
            if (drop) {
                m_dropped = true;
                break;
            }
            if (reply.isEmpty())
                continue;
            auto at = (m_pacing ? arrived : Clock::now()) + std::chrono::milliseconds(replyDelayMs());
            std::this_thread::sleep_until(at);
            if (!m_pacing) {
                ssize_t w = ::write(m_master, reply.constData(), size_t(reply.size()));
                (void)w;
                continue;
            }
            // One write per 4 bytes, each when its last byte would have finished on the line.
            for (qsizetype i = 0; i < reply.size(); i += 4) {
                const qsizetype chunk = qMin<qsizetype>(4, reply.size() - i);
                std::this_thread::sleep_until(at + byteTime * (i + chunk));
                ssize_t w = ::write(m_master, reply.constData() + i, size_t(chunk));
                (void)w;
            }
        }
    }
}
