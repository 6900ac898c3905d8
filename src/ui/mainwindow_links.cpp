#include "ui/mainwindow_links.h"

#include "link/comset.h"
#include "link/tracewindow.h"
#include "link/websockets.h"
#include "model/datamodule.h"
#include "model/lang.h"
#include "model/linkintegrity.h"
#include "platform/dataset.h"
#include "platform/dialogs.h"
#include "platform/programsettings.h"
#include "platform/registrykey.h"
#include "transfer/codec.h"
#include "transfer/codec_layout.h"
#include "transfer/commands.h"
#include "transfer/transferhooks.h"
#include "transfer/transferstate.h"
#include "ui/mainwindow.h"
#include "ui/mainwindowtexts.h"
#include "ui/pages/page_parametrivari.h"
#include "ui/pages/page_rete.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimeEdit>
#include <QTimer>

#include <tuple>

namespace MainWindowLinks {

namespace {
// The register window belongs to the start-up; it is found by its component name.
QWidget* registerWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("Form_Anagrafica"))
            return w;
    return nullptr;
}

std::function<void(int, bool)>& transferObserver() {
    static std::function<void(int, bool)> observer;
    return observer;
}
} // namespace

void setTransferObserverForTests(std::function<void(int, bool)> observer) {
    transferObserver() = std::move(observer);
}

bool startTransfer(int tabCode, bool write) {
    if (transferObserver()) {
        transferObserver()(tabCode, write);
        return true;
    }
    if (!ComSet)
        return false;
    // Text still being typed in a control (a tool button takes no focus, so nothing else makes it
    // leave) is the installer's value: it goes into the installation before a job sends or
    // replaces it.
    if (DM)
        DM->postPendingEdits();
    ComSet->RecicleCommand(tabCode, write);
    return ComSet->Timer1->isActive();
}

void stopSequencer() {
    if (ComSet && ComSet->Timer1)
        ComSet->Timer1->stop();
}

namespace {
QString closingQuestion(bool write) {
    return write ? QStringLiteral("Trasferimento in corso: la configurazione viene inviata alla centrale.\n"
                                  "Chiudendo ora il programma l'invio si interrompe e la centrale potrebbe "
                                  "restare con una configurazione incompleta.\n\n"
                                  "Interrompere il trasferimento e chiudere il programma?")
                 : QStringLiteral("Trasferimento in corso: la configurazione viene letta dalla centrale.\n"
                                  "Chiudendo ora il programma la lettura si interrompe e nessun dato "
                                  "ricevuto viene applicato all'installazione.\n\n"
                                  "Interrompere il trasferimento e chiudere il programma?");
}

QString stoppedNotice(bool write) {
    return write ? QStringLiteral("Trasferimento interrotto.\n"
                                  "La centrale potrebbe contenere una configurazione incompleta: "
                                  "ripetere l'invio al prossimo collegamento.")
                 : QStringLiteral("Trasferimento interrotto.\n"
                                  "Nessun dato ricevuto è stato applicato all'installazione.");
}
} // namespace

bool stopTransferBeforeExit() {
    if (!ComSet || !Transfer.active())
        return true;
    if (Transfer.tabCmd == TabCmdStartTest || Transfer.tabCmd == TabCmdStopTest) {
        ComSet->StopTransfer(); // the live status only shows: nothing is lost
        return true;
    }
    // The job waits for the answer, so that it neither ends nor shows its own box under the
    // question.
    ComSet->Timer1->stop();
    const bool write = Transfer.write;
    if (!askYesNoWarning(closingQuestion(write))) {
        if (Transfer.active())
            ComSet->Timer1->start();
        return false;
    }
    ComSet->StopTransfer();
    MessageDlg(stoppedNotice(write), MsgDlgType::Warning, mbOK);
    return true;
}

int replyTimeoutPosition() {
    return ComSet && ComSet->ScrollBar1 ? ComSet->ScrollBar1->value() : 180;
}

void showConnectionForm() {
    if (ComSet) {
        ComSet->show();
        ComSet->raise();
    }
}

void showTraceWindow() {
    if (Form1)
        Form1->show();
}

void showRegisterWindow() {
    if (QWidget* w = registerWindow())
        w->show();
}

bool askYesNoWarning(const QString& text) {
    return MessageDlg(text, MsgDlgType::Warning, mbYes | mbNo) == mrYes;
}

void showError(const QString& text) {
    MessageDlg(text, MsgDlgType::Error, mbOK);
}

void saveRegister() {
    if (!DM)
        return;
    DM->CDSet_Tabulon->checkBrowseMode();
    QString error;
    if (!DM->saveRegister(DATABASE, &error))
        showError(error);
}

QString registerPath() {
    return DATABASE;
}

void freeDataModule() {
    if (!DM)
        return;
    TDM* dm = DM;
    delete dm; // its destruction saves the register
    if (DM == dm)
        DM = nullptr;
}

void freeVocabularyLists() {
    Lang::FreeVocabularyLists();
}

void postRegisterRow() {
    if (!DM)
        return;
    DataSet* root = DM->CDSet_Tabulon;
    if (root->state() == DataSetState::Edit || root->state() == DataSetState::Insert)
        root->post();
}

void rewindTables() {
    if (!DM)
        return;
    // Masters come before their details in the list, so each detail is rewound within the
    // master row it ends up under.
    for (DataSet* table : DM->tables())
        if (table != DM->CDSet_Tabulon && table->active() && !table->isEmpty())
            table->first();
}

int systemType() {
    return DM ? DM->GetSystemType() : 0;
}

void selectSystem(int type) {
    if (DM)
        DM->SelectSystem(type);
}

void hideRegisterWindow() {
    if (QWidget* w = registerWindow())
        w->hide();
}

void disconnectCloudLink() {
    if (WB && WB->ConnectionState() == TWebSockets::Connected)
        WB->Disconnect();
}

void resetConnectionList() {
    if (!ComSet)
        return;
    ComSet->ComboBox1->setCurrentIndex(0);
    ComSet->ComboBox1Change(ComSet->ComboBox1);
}

void dropDanglingLinks() {
    if (!DM)
        return;
    QStringList dropped;
    try {
        dropped = ::dropDanglingLinks(*DM);
    } catch (const DataSetError& e) {
        ShowMessage(e.message());
        return;
    }
    if (!dropped.isEmpty())
        ShowMessage(QStringLiteral("Associazioni a elementi inesistenti rimosse:\r\n") +
                    dropped.join(QStringLiteral("\r\n")));
}

bool readWindowBounds(int& top, int& left, int& height, int& width) {
    RegistryKey reg;
    if (!reg.openKey(kTabulonRegistryKey, false))
        return false;
    // A value missing or of another type takes its first-run value, so that the window is
    // still made whole; the installer is told which values those were.
    const WindowBounds first = firstRunWindowBounds(virtualDesktopSize());
    QStringList faults, replaced;
    for (auto [name, value, fallback] : {std::tuple{QStringLiteral("Top"), &top, first.top},
                                         {QStringLiteral("Left"), &left, first.left},
                                         {QStringLiteral("Height"), &height, first.height},
                                         {QStringLiteral("Width"), &width, first.width}}) {
        ValueFault fault = ValueFault::None;
        *value = reg.integerValue(name, &fault).value_or(fallback);
        if (fault != ValueFault::None) {
            faults << valueFaultText(name, fault, true);
            replaced << QStringLiteral("%1 %2").arg(name).arg(fallback);
        }
    }
    reg.closeKey();
    if (!faults.isEmpty())
        MessageDlg(damagedSettingsText(faults, QStringLiteral("La finestra usa i valori iniziali: %1.")
                                                   .arg(replaced.join(QStringLiteral(", ")))),
                   MsgDlgType::Warning, mbOK);
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

void limitTypingToPanelSlots() {
    if (!DM)
        return;
    installPanelCodec(); // its layouts say what the panel keeps of each text
    for (int command = 0; command < CommandCount; ++command) {
        const Codec::Layout* layout = Codec::layoutOf(command);
        if (!layout)
            continue;
        for (const Codec::Block& block : layout->blocks) {
            DataSet* table = block.table();
            for (const Codec::FieldSpec& spec : block.fields) {
                if (!table || (spec.wire != Codec::Wire::Name && spec.wire != Codec::Wire::Text))
                    continue;
                // One character a byte on the wire (Windows-1252).
                if (Field* field = table->findField(spec.name); field && field->editLength() > spec.size)
                    field->typedLength = spec.size;
            }
        }
    }
}

void languageRewrite(TForm6& form) {
    TForm6* f = &form;
    Lang::windowTextsHook = [f] { ApplyMainWindowTexts(*f, Lang::Version); };
    Lang::LanguageRewrite();
    Lang::windowTextsHook = nullptr;
}

void wireTransferHooks(TForm6& form) {
    // The sequencer calls back the window that exists at the time, never a freed one.
    TransferHooks::pageControlChange = [] {
        if (Form6)
            Form6->TransferEnded();
    };
    TransferHooks::repaintAll = [] {
        if (Form6)
            Form6->RepaintAll();
    };
    TransferHooks::mainCaption = [] { return Form6 ? Form6->windowTitle() : QString(); };
    TransferHooks::mainWindow = []() -> QWidget* { return Form6; };
    // "Ora Corrente" unticked: the panel gets the date and time the installer set on DATA/ORA.
    TransferHooks::panelClock = [] {
        const TPageParametriVari* p = Form6 ? Form6->TabSheet6 : nullptr;
        if (p && !p->CheckBox1->isChecked())
            return QDateTime(p->Data->date(), p->ora->time());
        return QDateTime::currentDateTime();
    };
    TComSet::cloudEndpointHook = [] {
        CloudEndpoint ep;
        if (Form6) {
            ep.host = Form6->TabSheet27->Edit2->text().trimmed();
            bool ok = false;
            const QString portText = Form6->TabSheet27->Edit3->text().trimmed();
            const uint port = portText.toUInt(&ok);
            ep.port = ok && port > 0 && port <= 65535 ? quint16(port) : 0;
            ep.portValid = portText.isEmpty() || ep.port != 0; // empty: the default port
        }
        return ep;
    };
    // The connection form's "Server: host:port" follows the relay's host and port as typed.
    for (QLineEdit* edit : {form.TabSheet27->Edit2, form.TabSheet27->Edit3})
        QObject::connect(edit, &QLineEdit::textChanged, &form, [] {
            if (ComSet)
                ComSet->RefreshCloudLabel();
        });
}

} // namespace MainWindowLinks
