#include "link/comset.h"

#include "link/cloudlink.h"
#include "link/linkflags.h"
#include "link/serialexchange.h"
#include "link/tracewindow.h"
#include "platform/dialogs.h"
#include "platform/programsettings.h"
#include "platform/registrykey.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

TComSet* ComSet = nullptr;

TComSet::TComSet(QWidget* parent)
    : QDialog(parent), m_serial(std::make_unique<SerialLink>(this, [this] { return ReplyTimeoutMs(); })),
      m_cloud(std::make_unique<CloudLink>(this, [] { return CloudReplyTimeoutMs; })) {
    setObjectName(QStringLiteral("ComSet"));
    setWindowTitle(QStringLiteral("Setup"));

    auto* top = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* portLabel = new QLabel(QStringLiteral("Collegamento:"), this);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setMinimumWidth(200);
    Connect = new QPushButton(QStringLiteral("Connect"), this);
    Connect->setObjectName(QStringLiteral("Connect"));
    Connect->setEnabled(false);
    row->addWidget(portLabel);
    row->addWidget(ComboBox1, 1);
    row->addWidget(Connect);
    top->addLayout(row);

    GroupBox3 = new QGroupBox(QStringLiteral("SERIALE 19200 8N1"), this);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    auto* serial = new QVBoxLayout(GroupBox3);
    LabelTimeout = new QLabel(GroupBox3);
    ScrollBar1 = new QScrollBar(Qt::Horizontal, GroupBox3);
    ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
    ScrollBar1->setRange(50, 2000);
    ScrollBar1->setSingleStep(10);
    ScrollBar1->setPageStep(100);
    ScrollBar1->setValue(storedReplyTimeout());
    serial->addWidget(LabelTimeout);
    serial->addWidget(ScrollBar1);
    top->addWidget(GroupBox3);

    GroupBox2 = new QGroupBox(QStringLiteral("REMOTE MANAGEMENT"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    auto* cloud = new QVBoxLayout(GroupBox2);
    LabelCloud = new QLabel(GroupBox2);
    cloud->addWidget(LabelCloud);
    top->addWidget(GroupBox2);

    GroupBox4 = new QGroupBox(QStringLiteral("TRAFFICO"), this);
    GroupBox4->setObjectName(QStringLiteral("GroupBox4"));
    auto* traffic = new QVBoxLayout(GroupBox4);
    Memo1 = new QPlainTextEdit(GroupBox4);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setMaximumBlockCount(2000);
    traffic->addWidget(Memo1);
    top->addWidget(GroupBox4, 10);

    // The serial and cloud settings keep their natural height; spare room goes to the traffic
    // memo when it is shown, else below the settings, so the controls stay together at the top.
    GroupBox3->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    GroupBox2->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    top->addStretch(1);

    LabelStato = new QLabel(QStringLiteral("Non connesso"), this);
    top->addWidget(LabelStato);

    GroupBox2->hide();
    GroupBox3->hide();
    GroupBox4->hide();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(50);
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &TComSet::Timer1Timer);

    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] { ComboBox1Change(ComboBox1); });
    connect(Connect, &QPushButton::clicked, this, &TComSet::ConnectClick);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, &TComSet::updateTimeoutLabel);
    updateTimeoutLabel();
    const FrameTraceFn trace = [](bool sent, const QByteArray& bytes, bool valid) {
        if (Form1)
            Form1->TraceFrame(sent, bytes, valid);
    };
    m_serial->setTrace(trace);
    m_cloud->setTrace(trace);
    RefreshPorts();
    resize(420, 360);
}

// The reply time-out the main window stored at the last exit (registry value "BaudRate").
int TComSet::storedReplyTimeout() {
    RegistryKey reg;
    if (!reg.openKey(kTabulonRegistryKey, false))
        return DefaultReplyTimeoutMs;
    ValueFault fault = ValueFault::None;
    const int ms = reg.integerValue(QStringLiteral("BaudRate"), &fault).value_or(0);
    // Missing before the first exit; of another type, the default serves as well, said.
    if (fault == ValueFault::WrongType)
        MessageDlg(damagedSettingsText(
                       {valueFaultText(QStringLiteral("BaudRate"), fault, true)},
                       QStringLiteral("Il tempo di risposta della centrale è quello iniziale: %1 ms.")
                           .arg(DefaultReplyTimeoutMs)),
                   MsgDlgType::Warning, mbOK);
    return ms > 0 ? ms : DefaultReplyTimeoutMs;
}

TComSet::~TComSet() {
    Timer1->stop();
    if (m_connecting && waitWindowHooks.hide) // the wait window never outlives its attempt
        waitWindowHooks.hide();
    m_serial->close();
    if (ComSet == this)
        ComSet = nullptr;
}

void TComSet::RefreshPorts() {
    const QSignalBlocker block(ComboBox1);
    const QString current = ComboBox1->currentText();
    ComboBox1->clear();
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : ports)
        ComboBox1->addItem(info.portName());
    ComboBox1->addItem(RemoteManagement);
    ComboBox1->setCurrentIndex(current.isEmpty() ? -1 : ComboBox1->findText(current));
}

void TComSet::ComboBox1Change(QObject* sender) {
    auto* box = qobject_cast<QComboBox*>(sender);
    const QString text = box ? box->currentText() : QString();
    const bool cloud = text == RemoteManagement;
    const bool serial = !text.isEmpty() && !cloud;
    GroupBox2->setVisible(cloud);
    GroupBox4->setVisible(cloud);
    GroupBox3->setVisible(serial);
    if (cloud)
        RefreshCloudLabel();
    Connect->setEnabled(true);
}

void TComSet::RefreshCloudLabel() {
    const CloudEndpoint ep = cloudEndpoint();
    LabelCloud->setText(QStringLiteral("Server: %1:%2").arg(ep.host).arg(ep.port));
}

void TComSet::showEvent(QShowEvent* event) {
    RefreshCloudLabel(); // the host may have been typed while the form was hidden
    QDialog::showEvent(event);
}

CloudEndpoint TComSet::cloudEndpoint() const {
    CloudEndpoint ep;
    if (cloudEndpointHook)
        ep = cloudEndpointHook();
    if (ep.port == 0)
        ep.port = 443;
    return ep;
}

int TComSet::ReplyTimeoutMs() const {
    return ScrollBar1->value();
}

void TComSet::updateTimeoutLabel() {
    LabelTimeout->setText(QStringLiteral("Timeout risposta: %1 ms").arg(ScrollBar1->value()));
}

bool TComSet::IsSerialOpen() const {
    return m_serial->isOpen();
}

bool TComSet::IsCloudOpen() const {
    return m_cloud->isOpen();
}

QSerialPort* TComSet::SerialPort() const {
    return m_serial->port();
}

PanelLink* TComSet::ActiveLink() const {
    if (m_serial->isOpen())
        return m_serial.get();
    if (m_cloud->isOpen())
        return m_cloud.get();
    return nullptr;
}

void TComSet::LinkLost() {
    StateLogIn = 0;
    LabelStato->setText(QStringLiteral("Non connesso"));
}

void TComSet::CloseLink() {
    if (m_connecting) // an attempt under way is given up; its late end is ignored
        finishConnecting(false, QString(), QString());
    m_serial->close();
    m_cloud->close();
    LinkLost();
}

void TComSet::ConnectClick() {
    const QString choice = ComboBox1->currentText();
    if (choice.isEmpty() || m_connecting)
        return;
    // Settings that cannot make a cloud connection are said before anything is closed: the
    // open link and its job stay as they are.
    if (choice == RemoteManagement && !cloudSettingsUsable())
        return;
    StopTransfer(); // a new link never inherits a running job
    CloseLink();
    if (choice == RemoteManagement)
        connectCloud();
    else
        connectSerial(choice);
}

bool TComSet::cloudSettingsUsable() {
    const CloudCredentials credentials = cloudCredentialsHook ? cloudCredentialsHook() : CloudCredentials{};
    const QString problem = TWebSockets::connectionInputProblem(cloudEndpoint(), credentials);
    if (problem.isEmpty())
        return true;
    // Nothing was sent: the fault is in the settings, not on the server.
    MessageDlg(QStringLiteral("Collegamento cloud non avviato: %1.").arg(problem), MsgDlgType::Warning, mbOK);
    return false;
}

void TComSet::beginConnecting() {
    m_connecting = true;
    ++m_connectAttempt;
    Connect->setEnabled(false);
    LabelStato->setText(QStringLiteral("Connessione in corso..."));
    if (waitWindowHooks.show)
        m_waitWindow = waitWindowHooks.show(this, QStringLiteral("Connecting..."));
}

void TComSet::finishConnecting(bool ok, const QString& status, const QString& failure) {
    m_connecting = false;
    ++m_connectAttempt; // whatever of this attempt is still queued finds itself stale
    if (m_waitWindow && waitWindowHooks.hide)
        waitWindowHooks.hide();
    m_waitWindow = nullptr;
    Connect->setEnabled(true);
    LabelStato->setText(ok ? status : QStringLiteral("Non connesso"));
    if (!ok && !failure.isEmpty())
        MessageDlg(failure, MsgDlgType::Warning, mbOK);
    emit connectFinished(ok);
}

void TComSet::connectSerial(const QString& name) {
    beginConnecting();
    const int attempt = m_connectAttempt;
    QTimer::singleShot(0, this, [this, name, attempt] { openSerialWhenShown(name, attempt, 0); });
}

// Opening a port may block for a while (a hanging adapter): the wait window is on screen and
// painted first, so the user sees why the program does not answer.
void TComSet::openSerialWhenShown(const QString& name, int attempt, int tries) {
    if (attempt != m_connectAttempt)
        return; // given up meanwhile
    QWindow* window = m_waitWindow ? m_waitWindow->windowHandle() : nullptr;
    if (window && !window->isExposed() && tries < 50) {
        QTimer::singleShot(10, this,
                           [this, name, attempt, tries] { openSerialWhenShown(name, attempt, tries + 1); });
        return;
    }
    if (m_waitWindow)
        m_waitWindow->repaint();
    QString message;
    const bool ok = m_serial->open(name, &message);
    finishConnecting(ok, QStringLiteral("Connesso a %1").arg(name), message);
}

void TComSet::connectCloud() {
    TWebSockets* ws = m_cloud->socket();
    if (m_wiredSocket != ws) {
        connect(ws, &TWebSockets::traffic, this, &TComSet::onTraffic);
        connect(ws, &TWebSockets::connectFinished, this, &TComSet::onCloudConnectFinished);
        m_wiredSocket = ws;
    }
    const CloudCredentials credentials = cloudCredentialsHook ? cloudCredentialsHook() : CloudCredentials{};
    m_connectingTo = cloudEndpoint();
    QString error;
    if (!ws->StartConnect(m_connectingTo, credentials, CloudConnectTimeoutMs, &error)) {
        // Nothing was sent: the fault is in the settings, not on the server.
        LabelStato->setText(QStringLiteral("Non connesso"));
        MessageDlg(QStringLiteral("Collegamento cloud non avviato: %1.").arg(error), MsgDlgType::Warning,
                   mbOK);
        return;
    }
    beginConnecting();
}

void TComSet::onCloudConnectFinished(bool ok, const QString& error) {
    if (!m_connecting)
        return; // an attempt given up by CloseLink
    const QString where = QStringLiteral("%1:%2").arg(m_connectingTo.host).arg(m_connectingTo.port);
    finishConnecting(ok, QStringLiteral("Connesso a %1").arg(where),
                     QStringLiteral("Connessione al server cloud %1 non riuscita: %2.").arg(where, error));
}

void TComSet::onTraffic(const QString& line) {
    if (isVisible())
        Memo1->appendPlainText(line);
}

// Keeps this class's meta-object code in this file rather than in the shared moc unit.
#include "moc_comset.cpp"
