#include "ui/mainwindow_links.h"

#include "ui/mainwindow.h"
#include "ui/mainwindowtexts.h"

namespace MainWindowLinks {

void startTransfer(int, bool) {}
void stopSequencer() {}
int replyTimeoutPosition() {
    return 180;
}
void showConnectionForm() {}
void showTraceWindow() {}
void showRegisterWindow() {}
bool askYesNoWarning(const QString&) {
    return false;
}
void showError(const QString&) {}
void saveRegister() {}
QString registerPath() {
    return {};
}
void freeDataModule() {}
void freeVocabularyLists() {}
bool readWindowBounds(int&, int&, int&, int&) {
    return false;
}
void writeExitValues(const QString&, int, int, int, int, int) {}
void languageRewrite(TForm6& form) {
    ApplyMainWindowTexts(form, QString());
}
void wireTransferHooks(TForm6&) {}

} // namespace MainWindowLinks
