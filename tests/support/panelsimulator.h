#pragma once
// A simulated panel for the link and transfer tests: the panel's answers (PanelCore) behind a
// pseudo-terminal pair (PanelSimulator), so that QSerialPort talks to it exactly as to a port.
#include "link/panelframe.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QMutex>
#include <QString>
#include <atomic>
#include <thread>

class PanelCore {
public:
    enum class Failure {
        None,
        NoReply,       // the request is swallowed
        WrongChecksum, // the reply's checksum is off by one
        Garbage,       // bytes that contain no frame
        WrongPart,     // a well-formed reply to another part
        DropLink,      // the line goes dead (the pty master is closed)
        EmptyReply,    // a read is answered without its data
        StrayStx,      // a lone 0x02 and a start announcing 64 bytes that never come, then the reply
        Echo,          // the line echoes the request before the reply
        NoiseBurst,    // hundreds of noise bytes and the reply in one write
        StaleReply,    // the previous attempt's reply comes again in place of this one's
        ShortFrame     // the reply loses its tail: one byte less than a frame's overhead is left
    };

    PanelCore();

    // The panel's identity and its acceptance of the access code.
    void setModel(int model);
    void setRadioRange(int range);
    void setRemoteCode(const QByteArray& code);
    // Forces the status byte of every login reply (ERR_LOGOUT, ERR_USER_KEYBOARD...); -1: judge
    // the code.
    void setLoginStatus(int status);
    void setKeypadBusy(bool busy) { setLoginStatus(busy ? ERR_USER_KEYBOARD : -1); }
    // The failure applies to the requests numbered from..from+count-1 (0-based; count -1: all).
    void setFailure(Failure mode, int from = 0, int count = -1);
    void setReplyDelayMs(int ms);

    // The reply bytes for a request; empty for no reply. dropLink is set when the line must die.
    QByteArray handle(const PanelFrame& request, bool* dropLink);

    int requestCount() const;
    int requestsFor(int command, int part) const;
    QList<PanelFrame> requests() const;
    QByteArray memory(int command, int part) const;
    void setMemory(int command, int part, const QByteArray& data);
    static QByteArray defaultPart(int command, int part);
    int replyDelayMs() const;
    // Bytes of every well-formed request received and every reply produced.
    qint64 bytesIn() const;
    qint64 bytesOut() const;

private:
    QByteArray replyData(const PanelFrame& request);
    static QByteArray noiseBefore(Failure mode, const PanelFrame& request);

    mutable QMutex m_mutex;
    int m_model = 1;
    int m_radio = 2;
    QByteArray m_code = "123456";
    int m_loginStatus = -1;
    Failure m_failure = Failure::None;
    int m_failFrom = 0;
    int m_failCount = -1;
    int m_delayMs = 0;
    QList<PanelFrame> m_requests;
    qint64 m_bytesIn = 0;
    qint64 m_bytesOut = 0;
    QMap<int, QByteArray> m_memory; // key command * 256 + part
};

class PanelSimulator : public PanelCore {
public:
    PanelSimulator();
    ~PanelSimulator();

    bool start(); // opens the pty pair and the answering thread
    void stop();
    QString portPath() const; // /dev/pts/N, what QSerialPort opens
    // Paces both directions at 19200 baud 8N1: a request counts as arrived only after its line
    // time, and the reply leaves at one byte per 10 bit times.
    void setPacing(bool on) { m_pacing = on; }
    void dropLink(); // closes the master side now, as an unplugged adapter
    bool linkDropped() const { return m_dropped; }
    bool lineDead() const { return m_lineDead; } // the answering thread has closed the line

private:
    void run();

    int m_master = -1;
    int m_slave = -1;
    QString m_path;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_pacing{false};
    std::atomic<bool> m_dropped{false};
    std::atomic<bool> m_lineDead{false};
};
