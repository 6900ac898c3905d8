#include "support/transferfixture.h"

#include "app/appwiring.h"
#include "link/comset.h"
#include "link/tracewindow.h"
#include "transfer/sendingdlg.h"
#include "transfer/systemtype.h"
#include "transfer/transferflags.h"
#include "transfer/transferhooks.h"
#include "transfer/transferstate.h"

#include <QComboBox>
#include <QDeadlineTimer>
#include <QTest>
#include <QTimer>
#include <array>
#include <utility>

TransferFixture::TransferFixture() {
    StateTrasfert = 0;
    StateLogIn = 0;
    ShortList = false;
    Sys = SystemType{};
    Transfer = TransferState{};
    ComSet = new TComSet;
    SendingDlg = new TSendingDlg;
    Form1 = new TForm1;
    ModelAccess.systemType = [this] { return systemType; };
    ModelAccess.remoteCode = [this] { return remoteCode; };
    ModelAccess.installerCode = [this] { return installerCode; };
    ModelAccess.panelId = [this] { return panelId; };
    ModelAccess.inputNames = [this] { return inputNames; };
    ModelAccess.outputNames = [this] { return outputNames; };
    boxes.responder = [this](const ShownBox& box) -> QVariant {
        if (ComSet && ComSet->Timer1->isActive())
            timerRunningAtBox = true;
        if ((box.buttons & mbYesNo) == mbYesNo)
            return answerYes ? int(mrYes) : int(mrNo);
        return {};
    };
    TransferHooks::pageControlChange = [this] { ++pageChanges; };
    TransferHooks::repaintAll = [this] { ++repaints; };
    wireLinkToApp(); // the program's wait window and the credentials from the values above
}

TransferFixture::~TransferFixture() {
    delete Form1;
    delete SendingDlg;
    delete ComSet;
    TransferHooks::resetAll();
    ModelAccess = TransferModelAccess{};
    TComSet::cloudEndpointHook = {};
    TComSet::cloudCredentialsHook = {};
    TComSet::waitWindowHooks = {};
}

namespace {
QStringList boxTexts(const BoxAnswerer& boxes, const std::function<bool(const ShownBox&)>& pick) {
    QStringList texts;
    for (const ShownBox& b : boxes.shown)
        if (pick(b))
            texts << b.text;
    return texts;
}
} // namespace

QStringList TransferFixture::messages() const {
    return boxTexts(boxes, [](const ShownBox& b) { return b.kind == QStringLiteral("ShowMessage"); });
}

QStringList TransferFixture::warnings() const {
    return boxTexts(boxes, [](const ShownBox& b) {
        return b.kind == QStringLiteral("MessageDlg") && (b.buttons & mbYesNo) != mbYesNo;
    });
}

QStringList TransferFixture::questions() const {
    return boxTexts(boxes, [](const ShownBox& b) { return (b.buttons & mbYesNo) == mbYesNo; });
}

bool TransferFixture::openSerial(const QString& path) {
    if (ComSet->ComboBox1->findText(path) < 0)
        ComSet->ComboBox1->insertItem(0, path);
    ComSet->ComboBox1->setCurrentIndex(ComSet->ComboBox1->findText(path));
    ComSet->ConnectClick();
    return waitForConnect() && ComSet->IsSerialOpen();
}

bool TransferFixture::waitForConnect(int ms) {
    return QTest::qWaitFor([] { return !ComSet->IsConnecting(); }, ms) && ComSet->IsLinkOpen();
}

bool TransferFixture::waitForJobEnd(int ms) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        if (!Transfer.active() && !ComSet->Timer1->isActive())
            return true;
        QTest::qWait(5);
    }
    return false;
}

ScopedCodec::ScopedCodec(int command, EncodeFn encode, DecodeFn decode)
    : m_command(command), m_encode(commandInfo(command).encode), m_decode(commandInfo(command).decode) {
    setCommandCodec(command, encode, decode);
}

ScopedCodec::~ScopedCodec() {
    setCommandCodec(m_command, m_encode, m_decode);
}

QMap<int, QByteArray>& RecordingCodec::received() {
    static QMap<int, QByteArray> payloads;
    return payloads;
}

TError RecordingCodec::encode(int part, QByteArray& payload) {
    payload = QByteArray(8, char(part));
    return SENDOK;
}

namespace {
template <int Command> TError recordPayload(int part, const QByteArray& payload) {
    RecordingCodec::received()[Command * 256 + part] = payload;
    return SENDOK;
}
template <size_t... I> constexpr std::array<DecodeFn, sizeof...(I)> recorders(std::index_sequence<I...>) {
    return {&recordPayload<int(I)>...};
}
constexpr auto Recorders = recorders(std::make_index_sequence<CommandCount>());
} // namespace

RecordingCodec::RecordingCodec(bool withCodecs) {
    received().clear();
    for (int cmd = CmdConfPeriferal; cmd < CmdStop; ++cmd) {
        const bool readOnly = commandInfo(cmd).direction == CmdDirection::ReadOnly;
        const EncodeFn encode = withCodecs && !readOnly ? &RecordingCodec::encode : nullptr;
        installed.push_back(
            std::make_unique<ScopedCodec>(cmd, encode, withCodecs ? Recorders[size_t(cmd)] : nullptr));
    }
}
