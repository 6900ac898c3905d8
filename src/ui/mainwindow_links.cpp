#include "ui/mainwindow_links.h"

#include "platform/dialogs.h"
#include "platform/registrykey.h"
#include "platform/versioninfo.h"
#include "ui/mainwindow.h"
#include "ui/mainwindowtexts.h"

namespace MainWindowLinks {

namespace {
std::function<void(int, bool)>& transferObserver() {
    static std::function<void(int, bool)> observer;
    return observer;
}
} // namespace

void setTransferObserverForTests(std::function<void(int, bool)> observer) {
    transferObserver() = std::move(observer);
}

void startTransfer(int tabCode, bool write) {
    if (transferObserver()) {
        transferObserver()(tabCode, write);
        return;
    }
}
void stopSequencer() {}
int replyTimeoutPosition() {
    return 180;
}
void showConnectionForm() {}
void showTraceWindow() {}
void showRegisterWindow() {}

bool askYesNoWarning(const QString& text) {
    return MessageDlg(text, MsgDlgType::Warning, mbYes | mbNo) == mrYes;
}

void showError(const QString& text) {
    MessageDlg(text, MsgDlgType::Error, mbOK);
}

void saveRegister() {}
QString registerPath() {
    return {};
}
void freeDataModule() {}
void freeVocabularyLists() {}

void postRegisterRow() {}
int systemType() {
    return 0;
}
void selectSystem(int) {}
void hideRegisterWindow() {}
void disconnectCloudLink() {}
void resetConnectionList() {}

bool readWindowBounds(int& top, int& left, int& height, int& width) {
    RegistryKey reg;
    if (!reg.openKey(kTabulonRegistryKey, false))
        return false;
    // Read in this order; a missing or mistyped value throws and leaves the rest unread.
    top = reg.readInteger(QStringLiteral("Top"));
    left = reg.readInteger(QStringLiteral("Left"));
    height = reg.readInteger(QStringLiteral("Height"));
    width = reg.readInteger(QStringLiteral("Width"));
    reg.closeKey();
    return true;
}

void writeExitValues(const QString& database, int top, int left, int height, int width, int baudRate) {
    // Exit never fails: a key that does not open, or a refused write, writes nothing more.
    try {
        RegistryKey reg;
        if (!reg.openKey(kTabulonRegistryKey, false))
            return;
        reg.writeString(QStringLiteral("DATABASE"), database);
        reg.writeInteger(QStringLiteral("Top"), top);
        reg.writeInteger(QStringLiteral("Left"), left);
        reg.writeInteger(QStringLiteral("Height"), height);
        reg.writeInteger(QStringLiteral("Width"), width);
        reg.writeInteger(QStringLiteral("BaudRate"), baudRate);
        reg.closeKey();
    } catch (const RegistryError&) {
    }
}

void languageRewrite(TForm6& form) {
    ApplyMainWindowTexts(form, formatFileVersion(currentVersionRecord()));
}
void wireTransferHooks(TForm6&) {}

} // namespace MainWindowLinks
