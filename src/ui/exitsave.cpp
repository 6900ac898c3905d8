// The save a program makes before it ends. A failed save never ends the program with the
// work lost: the user may try again, save to another file, or leave after saying so.

#include "model/datamodule.h"
#include "platform/dataset.h"
#include "platform/dialogs.h"
#include "ui/mainwindow_links.h"

#include <QDir>
#include <QFileInfo>

namespace MainWindowLinks {

namespace {

enum ExitChoice { Retry, SaveElsewhere, LeaveUnsaved, Stay };

int askAfterFailedSave(const QString& path, const QString& error) {
    const QString text = QStringLiteral("Impossibile salvare l'archivio delle installazioni:\n%1\n\n%2\n\n"
                                        "Il programma resta aperto: le modifiche non sono perse.")
                             .arg(QDir::toNativeSeparators(path), error);
    return ChoiceDlg(text, MsgDlgType::Error,
                     {QStringLiteral("Riprova"), QStringLiteral("Salva in un altro file..."),
                      QStringLiteral("Esci senza salvare"), QStringLiteral("Annulla")},
                     Stay);
}

bool confirmLeavingUnsaved() {
    return MessageDlg(QStringLiteral("Uscire senza salvare?\n"
                                     "Le modifiche non salvate dell'archivio andranno perse."),
                      MsgDlgType::Warning, mbYes | mbNo) == mrYes;
}

// The file name the user gives for the register, "" when cancelled.
QString askOtherFile(QWidget* parent, const QString& failedPath) {
    return PromptSaveFileName(parent, QStringLiteral("Salva archivio"), QFileInfo(failedPath).absolutePath(),
                              QString(), QStringLiteral("*.cds|*.cds"), QStringLiteral("cds"));
}

} // namespace

bool saveRegisterBeforeExit(QWidget* parent) {
    if (!DM)
        return true;
    QString tried = DATABASE;
    QString error;
    if (DM->saveBeforeExit(&error))
        return true;
    for (;;) {
        switch (askAfterFailedSave(tried, error)) {
        case Retry:
            tried = DATABASE;
            if (DM->saveBeforeExit(&error))
                return true;
            break;
        case SaveElsewhere: {
            const QString other = askOtherFile(parent, tried);
            if (other.isEmpty())
                break; // the same question again, with the same reason
            tried = other;
            const QString previous = DATABASE;
            DATABASE = other; // the exit stores the register's path: the next start opens this one
            if (DM->saveBeforeExit(&error)) {
                DM->CDSet_Tabulon->setFileName(other);
                return true;
            }
            DATABASE = previous;
            break;
        }
        case LeaveUnsaved:
            if (confirmLeavingUnsaved()) {
                DM->leaveWithoutSaving();
                return true;
            }
            break;
        default:
            return false;
        }
    }
}

} // namespace MainWindowLinks
