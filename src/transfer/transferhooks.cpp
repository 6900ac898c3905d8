#include "transfer/transferhooks.h"

#include <QApplication>
#include <QMessageBox>

TransferModelAccess ModelAccess;

void TransferHooks::resetAll() {
    pageControlChange = {};
    repaintAll = {};
    mainCaption = {};
    showMessage = {};
    showWarning = {};
    askYesNo = {};
}

namespace {
bool boxesRefused(const QString& text) {
    if (qEnvironmentVariableIsEmpty("TABULON_TEST"))
        return false;
    qWarning("message box without an answerer while testing: %s", qPrintable(text));
    return true;
}
} // namespace

namespace TransferUi {

void ShowMessage(const QString& text) {
    if (TransferHooks::showMessage)
        return TransferHooks::showMessage(text);
    if (!boxesRefused(text))
        QMessageBox::information(QApplication::activeWindow(), QApplication::applicationName(), text);
}

void Warning(const QString& text) {
    if (TransferHooks::showWarning)
        return TransferHooks::showWarning(text);
    if (!boxesRefused(text))
        QMessageBox::warning(QApplication::activeWindow(), QApplication::applicationName(), text);
}

bool AskYesNo(const QString& text) {
    if (TransferHooks::askYesNo)
        return TransferHooks::askYesNo(text);
    if (boxesRefused(text))
        return false;
    return QMessageBox::question(QApplication::activeWindow(), QApplication::applicationName(), text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

} // namespace TransferUi
