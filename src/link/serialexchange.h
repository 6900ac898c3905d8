#pragma once
// The serial side of the panel link: opening a port at 19200 8N1 and one blocking request and
// reply inside the caller's tick.
#include "link/panelframe.h"

#include <QString>
#include <functional>

class QSerialPort;

// Called for every frame put on or taken off the line (valid == false: damaged bytes).
using FrameTraceFn = std::function<void(bool sent, const QByteArray& bytes, bool valid)>;

// Opens and configures the port: 19200 baud, 8 data bits, no parity, 1 stop bit, no flow
// control. On failure the port stays closed and message holds a text for the user naming the
// port and the reason.
bool openPanelPort(QSerialPort& port, const QString& name, QString* message);

// The user's text for a port that could not be opened. On Linux a permission failure says that
// the user lacks access to the device (typically not in its group, e.g. "dialout").
QString serialOpenErrorText(const QString& name, int serialPortError, const QString& errorString);

// Sends the request and waits for its reply, without an event loop. The reply must arrive within
// timeoutMs plus the line time of the request and of a longest reply. Frames that do not answer
// this request (a late reply to an earlier attempt) are skipped. Results: SENDOK with reply set;
// LOGTIMEOUT (nothing usable arrived); DATACORRUPT (damaged bytes arrived); INVALID_PACKET (only
// frames answering something else arrived); SENDFAULT (the port failed or vanished).
TError serialExchange(QSerialPort& port, const PanelFrame& request, int timeoutMs, PanelFrame& reply,
                      const FrameTraceFn& trace = {});
