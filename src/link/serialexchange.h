#pragma once
// The serial side of the panel link: opening a port at 19200 8N1 and one blocking request and
// reply inside the caller's tick.
#include "link/panellink.h"

#include <QString>
#include <functional>

class QObject;
class QSerialPort;

// Opens and configures the port: 19200 baud, 8 data bits, no parity, 1 stop bit, no flow
// control. On failure the port stays closed and message holds a text for the user naming the
// port and the reason.
bool openPanelPort(QSerialPort& port, const QString& name, QString* message);

// The user's text for a port that could not be opened. On Linux a permission failure says that
// the user lacks access to the device (typically not in its group, e.g. "dialout").
QString serialOpenErrorText(const QString& name, int serialPortError, const QString& errorString);

// Sends the request and waits for its reply, without an event loop. The reply must arrive within
// timeoutMs plus the line time of the request and of a longest reply. Echoes of requests and
// replies to earlier attempts (another sequence) are skipped; damaged bytes are skipped too and
// the reader resynchronises, so only the deadline ends the wait. Results: SENDOK with reply set;
// INVALID_PACKET (the reply to this attempt does not answer it); DATACORRUPT (nothing usable
// arrived, but damaged bytes or noise did); LOGTIMEOUT (nothing arrived); SENDFAULT (the port
// failed or vanished). Pass the link's receiver so that a frame still arriving when one exchange
// ends is read whole by the next; without one, a reader local to the call is used.
TError serialExchange(QSerialPort& port, const PanelFrame& request, int timeoutMs, PanelFrame& reply,
                      const FrameTraceFn& trace = {}, FrameReceiver* receiver = nullptr);

// The serial line as a panel link. Its reader lives as long as the port, so a reply still
// arriving when an attempt gives up is read whole, and recognised as late, by the next attempt.
class SerialLink final : public PanelLink {
public:
    // The port is a child of portParent; replyTimeoutMs is asked at every exchange.
    SerialLink(QObject* portParent, std::function<int()> replyTimeoutMs);
    bool open(const QString& name, QString* message);
    bool isOpen() const override;
    void close() override;
    QSerialPort* port() const { return m_port; }

protected:
    TError exchangeAttempt(const PanelFrame& request, PanelFrame& reply) override;

private:
    QSerialPort* m_port;
    std::function<int()> m_replyTimeoutMs;
    FrameReceiver m_rx;
};
