#include "link/comset.h"

#include "app/splash.h"
#include "link/panelframe.h"
#include "link/serialexchange.h"
#include "link/tracewindow.h"
#include "platform/dialogs.h"
#include "platform/registrykey.h"
#include "transfer/transferflags.h"
#include "transfer/transferhooks.h"

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

TComSet* ComSet = nullptr;

TComSet::TComSet(QWidget* parent) : QDialog(parent), m_port(new QSerialPort(this)) {
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
    RefreshPorts();
    resize(420, 360);
}

// The reply time-out the main window stored at the last exit (registry value "BaudRate").
int TComSet::storedReplyTimeout() {
    RegistryKey reg;
    try {
        if (reg.openKey(kTabulonRegistryKey, false) && reg.valueExists(QStringLiteral("BaudRate"))) {
            const int ms = reg.readInteger(QStringLiteral("BaudRate"));
            if (ms > 0)
                return ms;
        }
    } catch (const RegistryError&) {
        // A value of the wrong type: the default serves.
    }
    return DefaultReplyTimeoutMs;
}

TComSet::~TComSet() {
    Timer1->stop();
    if (m_port->isOpen())
        m_port->close();
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
    if (cloud) {
        const CloudEndpoint ep = cloudEndpoint();
        LabelCloud->setText(QStringLiteral("Server: %1:%2").arg(ep.host).arg(ep.port));
    }
    Connect->setEnabled(true);
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
    return m_port->isOpen();
}

bool TComSet::IsCloudOpen() const {
    return WB && WB->ConnectionState() == TWebSockets::Connected;
}

void TComSet::CloseLink() {
    if (m_port->isOpen())
        m_port->close();
    if (WB)
        WB->Disconnect();
    StateLogIn = 0;
    LabelStato->setText(QStringLiteral("Non connesso"));
}

void TComSet::ConnectClick() {
    const QString choice = ComboBox1->currentText();
    if (choice.isEmpty())
        return;
    StopTransfer(); // a new link never inherits a running job
    CloseLink();
    if (choice == RemoteManagement)
        connectCloud();
    else
        connectSerial(choice);
}

void TComSet::connectSerial(const QString& name) {
    QString message;
    if (!openPanelPort(*m_port, name, &message)) {
        LabelStato->setText(QStringLiteral("Non connesso"));
        MessageDlg(message, MsgDlgType::Warning, mbOK);
        return;
    }
    LabelStato->setText(QStringLiteral("Connesso a %1").arg(name));
}

void TComSet::connectCloud() {
    if (!WB) {
        WB = new TWebSockets(this);
        connect(WB, &TWebSockets::traffic, this, &TComSet::onTraffic);
    }
    CloudCredentials credentials;
    if (ModelAccess.panelId)
        credentials.panelId = ModelAccess.panelId();
    if (ModelAccess.installerCode)
        credentials.installerCode = ModelAccess.installerCode();
    if (ModelAccess.remoteCode)
        credentials.remoteCode = ModelAccess.remoteCode();
    const CloudEndpoint endpoint = cloudEndpoint();

    QString error;
    TSplash splash(this);
    splash.AvvioAttesa(this, QStringLiteral("Connecting..."));
    const bool ok = WB->Connect(endpoint, credentials, CloudConnectTimeoutMs, &error);
    splash.FineAttesa();
    if (!ok) {
        LabelStato->setText(QStringLiteral("Non connesso"));
        MessageDlg(QStringLiteral("Connessione al server cloud %1:%2 non riuscita: %3.")
                       .arg(endpoint.host)
                       .arg(endpoint.port)
                       .arg(error),
                   MsgDlgType::Warning, mbOK);
        return;
    }
    LabelStato->setText(QStringLiteral("Connesso a %1:%2").arg(endpoint.host).arg(endpoint.port));
}

void TComSet::onTraffic(const QString& line) {
    if (isVisible())
        Memo1->appendPlainText(line);
}

TError TComSet::Exchange(const PanelFrame& request, PanelFrame& reply) {
    auto trace = [](bool sent, const QByteArray& bytes, bool valid) {
        if (Form1)
            Form1->TraceFrame(sent, bytes, valid);
    };
    if (m_port->isOpen()) {
        const TError r = serialExchange(*m_port, request, ReplyTimeoutMs(), reply, trace);
        if (r == SENDFAULT) { // the port failed or vanished: it is no longer a link
            m_port->close();
            StateLogIn = 0;
            LabelStato->setText(QStringLiteral("Non connesso"));
        }
        return r;
    }
    if (IsCloudOpen()) {
        const QByteArray bytes = request.encode();
        trace(true, bytes, true);
        QByteArray replyBytes;
        TError r = WB->Exchange(bytes, replyBytes, CloudReplyTimeoutMs);
        if (r != SENDOK)
            return r;
        PanelFrame frame;
        r = decodeSingleFrame(replyBytes, frame);
        if (r != SENDOK) {
            trace(false, replyBytes, false);
            return DATACORRUPT;
        }
        r = checkReplyMatches(request, frame);
        trace(false, replyBytes, r == SENDOK);
        if (r == SENDOK)
            reply = frame;
        return r;
    }
    return SENDFAULT;
}

// Keeps this class's meta-object code in this file rather than in the shared moc unit.
#include "moc_comset.cpp"
