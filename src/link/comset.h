#pragma once
// The connection form: choice of the link (a serial port or the cloud relay), the link itself,
// and the transfer sequencer that runs on its timer.
#include "link/linktypes.h"
#include "link/websockets.h"

#include <QDialog>
#include <QPointer>
#include <functional>
#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class QSerialPort;
class QTimer;
class CloudLink;
class PanelLink;
class SerialLink;

class TComSet : public QDialog {
    Q_OBJECT
public:
    static inline const QString RemoteManagement = QStringLiteral("REMOTE MANAGEMENT");

    explicit TComSet(QWidget* parent = nullptr);
    ~TComSet() override;

    // The wait window of the program ("Connecting..."), set by whoever wires the application:
    // show returns the window it put up (or nullptr), hide takes it down.
    struct WaitWindowHooks {
        std::function<QWidget*(QWidget* owner, const QString& text)> show;
        std::function<void()> hide;
    };
    static inline WaitWindowHooks waitWindowHooks;

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
    // Opens the chosen link. The wait window "Connecting..." is up, painted, for the whole
    // attempt, and the window stays responsive: the cloud connects on the websocket's thread, the
    // serial port opens once the wait window is on screen. connectFinished tells the end.
    void ConnectClick();
    void RefreshPorts();
    // "Server: host:port" of the cloud box, from the relay's host and port as they are now.
    void RefreshCloudLabel();
    // Closes the open link, and gives up an attempt still under way.
    void CloseLink();
    bool IsSerialOpen() const;
    bool IsCloudOpen() const;
    bool IsLinkOpen() const { return IsSerialOpen() || IsCloudOpen(); }
    bool IsConnecting() const { return m_connecting; }
    // The open link, serial or cloud, or nullptr: what the transfer exchanges its parts over.
    PanelLink* ActiveLink() const;
    // Called when an exchange found the link gone: the access state and the status follow.
    void LinkLost();
    QSerialPort* SerialPort() const;
    int ReplyTimeoutMs() const;
    // The relay's host and port: the main window's Edit2/Edit3 once it exists (through the hook).
    CloudEndpoint cloudEndpoint() const;
    static inline std::function<CloudEndpoint()> cloudEndpointHook;
    // The panel's id and the codes of the current installation, for the relay.
    static inline std::function<CloudCredentials()> cloudCredentialsHook;
    static inline int CloudConnectTimeoutMs = 15000;
    static inline int CloudReplyTimeoutMs = 5000;
    // The reply time-out stored as registry value "BaudRate", read when the form is created.
    static int storedReplyTimeout();
    static constexpr int DefaultReplyTimeoutMs = 180;
    // Adds "retry to send..." to the progress list: a part goes again on the cloud link.
    void ErrorSendData();

    // Transfer side (src/transfer).
    bool RecicleCommand(int TabCmd, bool RWB);
    // Ends a running job without a message (the link is about to change).
    void StopTransfer();
    void Timer1Timer();
    quint8 GetValM1M2(const QString& name) const;
    quint32 StringToIP4Addr(const QString& text) const;
    static quint32 ToIP4(quint8 a, quint8 b, quint8 c, quint8 d);

signals:
    void connectFinished(bool ok);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // False, with the warning shown, when the relay's host, port or the installation's codes
    // cannot make a cloud connection.
    bool cloudSettingsUsable();
    void connectSerial(const QString& name);
    void openSerialWhenShown(const QString& name, int attempt, int tries);
    void connectCloud();
    void onCloudConnectFinished(bool ok, const QString& error);
    void beginConnecting();
    void finishConnecting(bool ok, const QString& status, const QString& failure);
    void onTraffic(const QString& line);
    void updateTimeoutLabel();
    // Sequencer steps (sequencer.cpp).
    // `unsendable`: the place and reason of an installation's value the panel cannot take, for
    // the warning of a write job that ends on it.
    void endTransfer(int endKind, TError result, const QString& unsendable = {});
    bool stepOnePart();

    std::unique_ptr<SerialLink> m_serial;
    std::unique_ptr<CloudLink> m_cloud;
    bool m_connecting = false;
    int m_connectAttempt = 0;
    CloudEndpoint m_connectingTo;
    QPointer<QWidget> m_waitWindow;
    QPointer<TWebSockets> m_wiredSocket; // the client whose signals reach this form
};

extern TComSet* ComSet;
