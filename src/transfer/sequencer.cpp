// The transfer sequencer: job start, one part per tick of the connection form's timer, retries,
// progress and the endings.
#include "link/cloudlink.h"
#include "link/comset.h"
#include "link/panellink.h"
#include "platform/dialogs.h"
#include "transfer/codec_errors.h"
#include "transfer/codec_layout.h"
#include "transfer/codec_staging.h"
#include "transfer/commands.h"
#include "transfer/sendingdlg.h"
#include "transfer/systemtype.h"
#include "transfer/transferflags.h"
#include "transfer/transferhooks.h"
#include "transfer/transferstate.h"

#include <QComboBox>
#include <QTimer>

TransferState Transfer;

const char* const TransferSuccessText = "Operazione conclusa con successo";
const char* const ModelMismatchQuestion =
    "ATTENZIONE SI STA UTILIZZANDO UNA CENTRALE\r\nDIFFERENTE DA QUELLA "
    "SELEZIONATA IN PRECEDENZA.\r\nCONTINUARE COMUNQUE?";

namespace {

enum EndKind { EndSuccess, EndFailure, EndQuiet };

constexpr const char* MsgAccess = "ATTENZIONE: CODICE DI TELEGESTIONE NON ACCETTATO DALLA CENTRALE.\r\n"
                                  "VERIFICARE IL CODICE E RIPROVARE.";
constexpr const char* MsgNoReply = "ATTENZIONE: LA CENTRALE NON RISPONDE.\r\n"
                                   "VERIFICARE IL COLLEGAMENTO E RIPROVARE.";
constexpr const char* MsgLink = "ATTENZIONE: COLLEGAMENTO CON LA CENTRALE INTERROTTO.\r\n"
                                "RICOLLEGARSI E RIPETERE L'OPERAZIONE.";
constexpr const char* MsgCorrupt = "ATTENZIONE: DATI RICEVUTI NON VALIDI.\r\n"
                                   "OPERAZIONE INTERROTTA.";
constexpr const char* MsgKeypad = "ATTENZIONE: TASTIERA DELLA CENTRALE IN USO.\r\n"
                                  "RIPROVARE AL TERMINE DELLA PROGRAMMAZIONE DA TASTIERA.";
constexpr const char* MsgTelEnable = "ATTENZIONE: TELEGESTIONE NON ABILITATA SULLA CENTRALE.";
constexpr const char* MsgNoCode = "ATTENZIONE: CODICE DI TELEGESTIONE MANCANTE.\r\n"
                                  "INSERIRE IL CODICE NELL'ANAGRAFICA E RIPROVARE.";
// A value of the installation the panel cannot take: nothing was received, so the corrupt-data
// warning would send the installer to look at the line. The value's place and reason follow.
constexpr const char* MsgUnsendable = "ATTENZIONE: UN VALORE DELL'INSTALLAZIONE NON PUÒ ESSERE INVIATO "
                                      "ALLA CENTRALE.\r\n%1\r\nCORREGGERE IL VALORE E RIPETERE L'OPERAZIONE.";

// Every result that can end a job, and the warning it ends with.
struct FailureText {
    TError code;
    const char* text;
};
constexpr FailureText FailureTexts[] = {
    {LOGINUSER, MsgAccess}, {LOGOUT, MsgAccess},        {LOGTIMEOUT, MsgNoReply},
    {SENDFAULT, MsgLink},   {DATACORRUPT, MsgCorrupt},  {INVALID_PACKET, MsgCorrupt},
    {REPLY, MsgCorrupt},    {USER_KEYBOARD, MsgKeypad}, {TELENABLE, MsgTelEnable},
    {NOCODE, MsgNoCode},
};

// Results worth sending the part again for: nothing, or nothing usable, came back.
bool retryable(TError r) {
    return r == LOGTIMEOUT || r == DATACORRUPT || r == INVALID_PACKET;
}

bool framesWritten(const CommandInfo& info, bool jobWrites) {
    return info.direction == CmdDirection::AlwaysWrite ||
           (info.direction == CmdDirection::FollowJob && jobWrites);
}

// Whether the command moves in this job at all.
bool moves(const CommandInfo& info, bool jobWrites) {
    if (info.parts <= 0)
        return false;
    return !(jobWrites && info.direction == CmdDirection::ReadOnly);
}

// Whether the program can move the command as this job asks: a written part needs its encoder
// (zeros would wipe the panel's configuration), a part read needs its decoder (a read that
// applies nothing is no read), and the handshake needs both.
bool movable(const CommandInfo& info, bool jobWrites) {
    const bool writes = framesWritten(info, jobWrites);
    if (writes && !info.encode)
        return false;
    const bool decodes = !writes || info.direction == CmdDirection::AlwaysWrite;
    return !decodes || info.decode;
}

// The first command of the list the job would move but cannot, or -1.
int firstUnmovable(const std::vector<int>& list, bool jobWrites) {
    for (const int cmd : list) {
        const CommandInfo& info = commandInfo(cmd);
        if (moves(info, jobWrites) && !movable(info, jobWrites))
            return cmd;
    }
    return -1;
}

// The first command of a write job whose values cannot all be written (a value outside what
// the panel takes, a list text not in its list), or -1: every configuration command the job
// writes is encoded whole before the first of them goes, so that the panel never gets half
// an installation. `why` says which value, where.
int firstUnwritable(const std::vector<int>& list, bool jobWrites, QString& why) {
    if (!jobWrites)
        return -1;
    for (const int cmd : list) {
        const CommandInfo& info = commandInfo(cmd);
        const Codec::Layout* layout = Codec::layoutOf(cmd);
        // The clock has no layout: its one part is what it would send.
        const bool clock = cmd == CmdDataOra && info.encode;
        if ((!layout && !clock) || !moves(info, jobWrites) || !framesWritten(info, jobWrites))
            continue;
        try {
            QByteArray part;
            if (layout)
                Codec::encodeStream(*layout);
            else
                info.encode(0, part);
        } catch (const Codec::UnsendableValue& e) {
            why = e.text();
            return cmd;
        } catch (...) {
            return cmd;
        }
    }
    return -1;
}

} // namespace

QString transferFailureText(TError result) {
    for (const FailureText& f : FailureTexts)
        if (f.code == result)
            return QString::fromUtf8(f.text);
    return QString::fromUtf8(MsgCorrupt);
}

bool TComSet::RecicleCommand(int TabCmd, bool RWB) {
    // Nothing moves without an open link (none chosen yet, not connected since the start, or
    // lost): the connection form opens instead, so the installer sees what to do. Stopping the
    // live status has nothing to stop then.
    if (ComboBox1->currentText().isEmpty() || !IsLinkOpen()) {
        if (TabCmd != TabCmdStopTest) {
            show();
            raise();
            activateWindow();
        }
        return false;
    }
    const JobList* job = jobList(TabCmd);
    if (!job) // a code without a list starts nothing (the old list could run the wrong way)
        return false;
    Transfer.list = ShortList ? job->brief : job->full;
    Transfer.position = 0;
    Transfer.part = 0;
    Transfer.write = RWB;
    Transfer.attempts = 0;
    Transfer.tabCmd = TabCmd;
    Transfer.loop = job->loop;
    Transfer.loopFrom = job->loopFrom;
    Transfer.quiet = job->quiet;
    Transfer.modelChecked = false;
    Transfer.listChecked = false;
    Transfer.valuesChecked = false;
    Transfer.resends = 0;
    Codec::dropStaged(); // whatever a replaced job decoded is not applied
    if (SendingDlg && TransferHooks::mainCaption)
        SendingDlg->setWindowTitle(TransferHooks::mainCaption());
    Timer1->start();
    return false;
}

void TComSet::StopTransfer() {
    if (Transfer.active())
        endTransfer(EndQuiet, SENDOK);
    else
        Timer1->stop();
}

void TComSet::Timer1Timer() {
    if (!Transfer.active()) {
        Timer1->stop();
        return;
    }
    stepOnePart();
}

void TComSet::ErrorSendData() {
    if (SendingDlg)
        SendingDlg->AddLine(QStringLiteral("retry to send..."));
}

void TComSet::endTransfer(int endKind, TError result, const QString& unsendable) {
    Timer1->stop(); // before any box, so that no tick runs under it
    // A read job's values reach the installation only now, and only when the whole job went
    // well: a failed, refused or stopped job leaves every table as it was.
    if (endKind == EndSuccess && !Transfer.write && !Codec::commitStaged()) {
        endKind = EndFailure;
        result = DATACORRUPT;
    }
    Codec::dropStaged();
    Transfer.list.clear();
    Transfer.position = 0;
    Transfer.part = 0;
    Transfer.attempts = 0;
    Transfer.lastResult = endKind == EndFailure ? result : SENDOK;
    StateTrasfert = 0;
    if (endKind == EndFailure)
        StateLogIn = 0;
    if (SendingDlg)
        SendingDlg->hide();
    if (TransferHooks::pageControlChange)
        TransferHooks::pageControlChange();
    if (endKind == EndSuccess) {
        if (TransferHooks::repaintAll)
            TransferHooks::repaintAll();
        ShowMessage(QString::fromUtf8(TransferSuccessText));
    } else if (endKind == EndFailure) {
        const QString text = unsendable.isEmpty() ? transferFailureText(result)
                                                  : QString::fromUtf8(MsgUnsendable).arg(unsendable);
        MessageDlg(text, MsgDlgType::Warning, mbOK);
    }
}

bool TComSet::stepOnePart() {
    // A job that cannot move all it lists moves nothing: success would be a lie.
    if (!Transfer.listChecked) {
        Transfer.listChecked = true;
        const int missing = firstUnmovable(Transfer.list, Transfer.write);
        if (missing >= 0) {
            qWarning("transfer: no codec to %s command %d (%s)", Transfer.write ? "write" : "read", missing,
                     commandInfo(missing).name);
            endTransfer(EndFailure, DATACORRUPT);
            return false;
        }
    }
    // Nor does a job that could not write all it lists: every value is known to be writable
    // before anything, the access handshake included, goes out.
    if (!Transfer.valuesChecked) {
        Transfer.valuesChecked = true;
        QString why;
        const int unwritable = firstUnwritable(Transfer.list, Transfer.write, why);
        if (unwritable >= 0) {
            qWarning("transfer: the installation's values of command %d (%s) cannot be written: %s",
                     unwritable, commandInfo(unwritable).name, qPrintable(why));
            endTransfer(EndFailure, DATACORRUPT, why);
            return false;
        }
    }
    // Find the next command that moves in this job.
    for (;;) {
        if (Transfer.position >= int(Transfer.list.size())) {
            if (Transfer.loop) {
                Transfer.position = Transfer.loopFrom;
                Transfer.part = 0;
                continue;
            }
            endTransfer(Transfer.quiet ? EndQuiet : EndSuccess, SENDOK);
            return false;
        }
        const int cmd = Transfer.list[size_t(Transfer.position)];
        if (cmd == CmdStop) {
            endTransfer(Transfer.quiet ? EndQuiet : EndSuccess, SENDOK);
            return false;
        }
        if (moves(commandInfo(cmd), Transfer.write))
            break;
        ++Transfer.position;
        Transfer.part = 0;
    }

    const int cmd = Transfer.list[size_t(Transfer.position)];
    const CommandInfo& info = commandInfo(cmd);
    const bool writes = framesWritten(info, Transfer.write);

    QByteArray payload;
    if (writes) {
        TError r = DATACORRUPT;
        QString why; // a value changed since the job's check, that the panel cannot take
        try {
            r = info.encode(Transfer.part, payload);
        } catch (const Codec::UnsendableValue& e) {
            why = e.text();
        } catch (...) {
            r = DATACORRUPT;
        }
        if (r != SENDOK) {
            endTransfer(EndFailure, r, why);
            return false;
        }
    }

    // Nothing goes out unless it makes a frame: a payload past 64 bytes cannot.
    bool built = false;
    const PanelFrame request = PanelFrame::request(cmd, Transfer.part, writes, payload, &built);
    if (!built) {
        endTransfer(EndFailure, DATACORRUPT);
        return false;
    }
    PanelLink* link = ActiveLink();
    if (!link) {
        endTransfer(EndFailure, SENDFAULT);
        return false;
    }
    PanelFrame reply;
    const TError sent = link->exchange(request, reply);
    if (!link->isOpen())
        LinkLost();
    if (sent != SENDOK) {
        if (retryable(sent) && ++Transfer.attempts < MaxAttempts) {
            ++Transfer.resends;
            // The progress list names the cloud link's resends; the serial line's show in the
            // frame trace only.
            if (link == m_cloud.get())
                ErrorSendData();
            return true; // the same part goes again at the next tick
        }
        endTransfer(EndFailure, sent);
        return false;
    }
    Transfer.attempts = 0;
    StateTrasfert = 1;

    const bool decodes = info.decode && (!writes || info.direction == CmdDirection::AlwaysWrite);
    if (decodes) {
        TError r = DATACORRUPT;
        try {
            r = info.decode(Transfer.part, reply.data);
        } catch (...) {
            r = DATACORRUPT;
        }
        if (r != SENDOK && r != LOGINADMIN) {
            endTransfer(EndFailure, r);
            return false;
        }
    }

    const int counter = Transfer.part + 1;
    const bool last = counter >= info.parts;
    if (SendingDlg)
        SendingDlg->AddPartLine(QString::fromUtf8(info.label), counter, last, cmd, info.parts);
    if (!last) {
        ++Transfer.part;
        return true;
    }
    Transfer.part = 0;
    ++Transfer.position;
    if (cmd == CmdMessaggi)
        ShortList = true;
    if (cmd == CmdStateCentral && !Transfer.modelChecked) {
        Transfer.modelChecked = true;
        const int expected = ModelAccess.systemType ? ModelAccess.systemType() : 0;
        if (expected != 0 && Sys.System != expected) {
            Timer1->stop();
            if (MessageDlg(QString::fromUtf8(ModelMismatchQuestion), MsgDlgType::Warning, mbYesNo) != mrYes) {
                endTransfer(EndQuiet, SENDOK);
                return false;
            }
            Sys.SystemConfirm = true;
            if (Transfer.active())
                Timer1->start();
        }
    }
    return true;
}
