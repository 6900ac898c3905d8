#include "app/login.h"

#include "app/splash.h"
#include "app/startupenv.h"
#include "app/windowcreation.h"
#include "platform/dialogs.h"
#include "platform/programsettings.h"
#include "platform/registrykey.h"
#include "platform/versioninfo.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>

#include <stdexcept>

TPW* PW = nullptr;
int CLeft = 0;
int CTop = 0;
int CHeight = 0;
int CWidth = 0;

std::function<void()> TPW::createDataModuleHook;

namespace {

const QString kCaption = QStringLiteral("TBN for (ZEPHRA)V080");
const QString kFirstPassword = QStringLiteral("quorb");
const QString kKeepPassword = QStringLiteral("********");
constexpr int kPasswordMaxLength = 64;

// The password field shows every character as '*', whatever the style's own choice.
class AsteriskStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QPushButton* makeButton(QWidget* parent, const QString& name, QRect geometry) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

} // namespace

TPW::TPW(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("PW"));
    setFixedSize(300, 150);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(24, 16, 252, 17);

    Password = new QLineEdit(this);
    Password->setObjectName(QStringLiteral("Password"));
    Password->setGeometry(24, 35, 113, 23);
    Password->setMaxLength(kPasswordMaxLength);
    auto* asterisks = new AsteriskStyle;
    asterisks->setParent(this);
    Password->setStyle(asterisks);
    Password->setEchoMode(QLineEdit::Password);

    CheckBox1 = new QCheckBox(this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(24, 62, 209, 20);

    OKBtn = makeButton(this, QStringLiteral("OKBtn"), {213, 113, 75, 25});
    OKBtn->setDefault(true);
    CancelBtn = makeButton(this, QStringLiteral("CancelBtn"), {8, 113, 75, 25});
    connect(OKBtn, &QPushButton::clicked, this, &TPW::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TPW::CancelBtnClick);

    setTabOrder(Password, CheckBox1);
    setTabOrder(CheckBox1, OKBtn);
    setTabOrder(OKBtn, CancelBtn);
    Password->setFocus();

    FormCreate();

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->virtualGeometry().center());
        move(frame.topLeft());
    }
}

TPW::~TPW() {
    if (PW == this)
        PW = nullptr;
}

void TPW::FormCreate() {
    setWindowTitle(kCaption);
    Label1->setText(QStringLiteral("Immettere la password"));
    OKBtn->setText(QStringLiteral("OK"));
    CancelBtn->setText(QStringLiteral("Cancel"));
    CheckBox1->setText(QStringLiteral("Cambia password"));
    update();
}

void TPW::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TPW::FormShow() {
    update();
    Password->setFocus();
}

QString TPW::GetAppVersionStr() {
    const QString path = StartupEnv::executablePath();
    QString why;
    const std::optional<VersionRecord> record = readVersionRecord(path, &why);
    if (!record)
        throw std::runtime_error(why.isEmpty()
                                     ? QStringLiteral("No version information in %1").arg(path).toStdString()
                                     : why.toStdString());
    return formatAppVersion(*record);
}

// Opens the settings key, creating it with the first-run defaults when it is missing, and
// returns the password the user must type (empty when the key cannot be used).
QString TPW::readOrCreateSettings(const QString& versionText) {
    RegistryKey reg;
    QString expected;
    if (reg.openKey(kTabulonRegistryKey, false)) {
        // A missing password is the empty one; so is a damaged one, said once, or no password
        // could ever be typed and the installer would be locked out.
        ValueFault fault = ValueFault::None;
        expected = reg.textValue(QStringLiteral("LogIn"), &fault).value_or(QString());
        reg.closeKey();
        if (fault == ValueFault::WrongType && !m_damagedPasswordSaid) {
            m_damagedPasswordSaid = true;
            MessageDlg(
                damagedSettingsText({valueFaultText(QStringLiteral("LogIn"), fault, false)},
                                    QStringLiteral("La password attesa è vuota: lasciare vuoto il campo "
                                                   "password, spuntare \"Cambia password\" e "
                                                   "sceglierne una nuova.")),
                MsgDlgType::Warning, mbOK);
        }
        return expected;
    }
    if (!reg.createKey(kTabulonRegistryKey)) {
        ShowMessage(QStringLiteral("Impossibile accedere nel registro di configurazione"));
        return expected;
    }
    if (reg.openKey(kTabulonRegistryKey, false)) {
        const WindowBounds first = firstRunWindowBounds(StartupEnv::desktopSize());
        CLeft = first.left;
        CTop = first.top;
        CHeight = first.height;
        CWidth = first.width;
        reg.writeString(QStringLiteral("DATABASE"),
                        StartupEnv::executableFolder() + QStringLiteral("KTabulon.cds"));
        reg.writeString(QStringLiteral("LogIn"), kFirstPassword);
        reg.writeInteger(QStringLiteral("Top"), CTop);
        reg.writeInteger(QStringLiteral("Left"), CLeft);
        reg.writeInteger(QStringLiteral("Height"), CHeight);
        reg.writeInteger(QStringLiteral("Width"), CWidth);
        reg.writeString(QStringLiteral("ver"), versionText);
        expected = kFirstPassword;
    }
    reg.closeKey();
    return expected;
}

void TPW::OKBtnClick() {
    QString expected;
    try {
        const QString versionText = GetAppVersionStr();
        expected = readOrCreateSettings(versionText);
    } catch (const std::exception& error) {
        // The settings could not be read or written: report it and keep the dialog open.
        MessageBox(QString::fromStdString(error.what()), QCoreApplication::applicationName(),
                   mbOK | mbIconError);
        return;
    }

    if (Password->text() != expected) {
        ShowMessage(QStringLiteral("Password errata"));
        return;
    }
    if (CheckBox1->isChecked())
        askNewPassword();
    hide();
    startDataModule();
}

// Asks until the answer differs from the placeholder. An answer longer than the password
// field could never be typed back at the next login, so it is refused too.
void TPW::askNewPassword() {
    QString answer;
    for (;;) {
        answer = InputBox(kCaption, QStringLiteral("Digitare la nuova password"), kKeepPassword);
        if (answer == kKeepPassword)
            continue;
        if (answer.size() > kPasswordMaxLength) {
            ShowMessage(QStringLiteral("La password non può superare %1 caratteri").arg(kPasswordMaxLength));
            continue;
        }
        break;
    }
    RegistryKey reg;
    if (reg.openKey(kTabulonRegistryKey, false)) {
        try {
            reg.writeString(QStringLiteral("LogIn"), answer);
        } catch (const RegistryError&) {
            // Not storable: the old password stays, as when the key cannot be opened.
        }
        reg.closeKey();
    }
}

void TPW::startDataModule() {
    auto* splash = new TSplash(this);
    splash->AvvioAttesa(this, QStringLiteral("ATTENDERE PREGO..."));
    QString failure;
    try {
        if (createDataModuleHook)
            createDataModuleHook();
        else
            createDataModule();
    } catch (const std::exception& error) {
        failure = QString::fromStdString(error.what());
        if (failure.isEmpty())
            failure = QStringLiteral("Errore durante l'avvio");
    } catch (...) {
        failure = QStringLiteral("Errore durante l'avvio");
    }
    splash->FineAttesa();
    // This handler still runs inside the dialog: free it once the handling has returned.
    if (PW == this)
        PW = nullptr;
    deleteLater();

    if (!failure.isEmpty()) {
        MessageBox(failure, QCoreApplication::applicationName(), mbOK | mbIconError);
        // Without its data module none of the windows can work, and none is left to end the
        // program from: end it here rather than leave an invisible process behind.
        StartupEnv::exitProcess(1);
    }
}

void TPW::CancelBtnClick() {
    endProgram();
}

void TPW::reject() {
    CancelBtnClick();
}

void TPW::closeEvent(QCloseEvent* event) {
    event->accept();
    FormClose();
}

void TPW::FormClose() {
    endProgram();
}

void TPW::endProgram() {
    if (m_ending)
        return;
    m_ending = true;
    if (PW == this)
        PW = nullptr;
    hide();
    deleteLater();
    StartupEnv::exitProcess(0);
}

TPW* createLoginDialog() {
    PW = new TPW();
    PW->show();
    return PW;
}
