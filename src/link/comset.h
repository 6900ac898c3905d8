#pragma once
// The connection form: choice of the link (a serial port or the cloud relay), the link itself,
// and the transfer sequencer that runs on its timer.
#include "link/linktypes.h"
#include "link/websockets.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class QSerialPort;
class QTimer;
struct PanelFrame;

class TComSet : public QDialog {
    Q_OBJECT
public:
    static inline const QString RemoteManagement = QStringLiteral("REMOTE MANAGEMENT");

    explicit TComSet(QWidget* parent = nullptr);
    ~TComSet() override;

    QComboBox* ComboBox1 = nullptr;   // serial ports found, then "REMOTE MANAGEMENT"
    QGroupBox* GroupBox2 = nullptr;   // cloud: relay and panel
    QGroupBox* GroupBox3 = nullptr;   // serial: reply time-out
    QGroupBox* GroupBox4 = nullptr;   // cloud: websocket traffic
    QScrollBar* ScrollBar1 = nullptr; // reply time-out in ms (registry value "BaudRate")
    QLabel* LabelTimeout = nullptr;
    QLabel* LabelCloud = nullptr;
    QLabel* LabelStato = nullptr;
    QPlainTextEdit* Memo1 = nullptr; // websocket traffic, written while the form is visible
    QPushButton* Connect = nullptr;
    QTimer* Timer1 = nullptr; // the transfer sequencer, 50 ms

    // Link side.
    void ComboBox1Change(QObject* sender);
    void ConnectClick();
    void RefreshPorts();
    void CloseLink();
    bool IsSerialOpen() const;
    bool IsCloudOpen() const;
    bool IsLinkOpen() const { return IsSerialOpen() || IsCloudOpen(); }
    QSerialPort* SerialPort() const { return m_port; }
    int ReplyTimeoutMs() const;
    // The relay's host and port: the main window's Edit2/Edit3 once it exists (through the hook).
    CloudEndpoint cloudEndpoint() const;
    static inline std::function<CloudEndpoint()> cloudEndpointHook;
    static inline int CloudConnectTimeoutMs = 15000;
    static inline int CloudReplyTimeoutMs = 5000;
    // The reply time-out stored as registry value "BaudRate", read when the form is created.
    static int storedReplyTimeout();
    static constexpr int DefaultReplyTimeoutMs = 180;
    // One request and reply over the open link, traced in the trace window.
    TError Exchange(const PanelFrame& request, PanelFrame& reply);
    void ErrorSendData();

    // Transfer side (src/transfer).
    bool RecicleCommand(int TabCmd, bool RWB);
    // Ends a running job without a message (the link is about to change).
    void StopTransfer();
    void Timer1Timer();
    quint8 GetValM1M2(const QString& name) const;
    quint32 StringToIP4Addr(const QString& text) const;
    static quint32 ToIP4(quint8 a, quint8 b, quint8 c, quint8 d);

private:
    void connectSerial(const QString& name);
    void connectCloud();
    void onTraffic(const QString& line);
    void updateTimeoutLabel();
    // Sequencer steps (sequencer.cpp).
    void endTransfer(int endKind, TError result);
    bool stepOnePart();

    QSerialPort* m_port = nullptr;
};

extern TComSet* ComSet;
