#pragma once
// The command catalogue (every block of panel data with its parts, progress label and codec) and
// the command list of every transfer job.
#include "link/linktypes.h"

#include <QByteArray>
#include <QString>
#include <vector>

enum PanelCommand : int {
    CmdLogIn = 0,
    CmdStateCentral = 1,
    CmdConfPeriferal = 2,
    CmdIngressiTipo = 6,
    CmdDataOra = 41,
    CmdLogEventi = 50,
    CmdMessaggi = 56,
    Cmd_Radio800_Parametri = 62,
    CmdStop = 63
};
constexpr int CommandCount = 64;

enum TabCode : int {
    TabCmdUtenti = 0,
    TabCmdIngressi = 1,
    TabCmdUscite = 2,
    TabCmdPeriferiche = 3,
    TabCmdTelefoni = 4,
    TabCmdParametriVari = 5,
    TabCmdProgrammi = 6,
    TabCmdGruppi = 7,
    TabCmdRadio = 8,
    TabCmdEventiSistema = 9,
    TabCmdContactID = 10,
    TabCmdTimers = 11,
    TabCmdBloccoIns = 12,
    TabCmdPSTN = 14,
    TabCmdNetIp = 16,
    TapCmdElencoMessaggi = 17,
    TapCmdPriorita = 18,
    TapCmdParametriGPRS = 19,
    TabCmdStartTest = 100,
    TabCmdStopTest = 101,
    TabCmdEventi = 102,
    TabCmdAllRead = 103,
    TabCmdAllWrite = 104,
    TabCmdtempRecv = 105,
    TabCmdtempSend = 106
};

// Which way a command's parts travel, whatever the job's direction.
enum class CmdDirection : quint8 {
    FollowJob,   // read in a read job, written in a write job
    AlwaysWrite, // the access handshake carries the code in every job
    AlwaysRead,  // identity and status
    ReadOnly     // skipped by write jobs (the event log)
};

// Encoders fill the part's payload (at most 64 bytes); decoders take a reply's payload. Both
// return SENDOK, or another TError that ends the job; an exception they raise ends it as
// DATACORRUPT.
using EncodeFn = TError (*)(int part, QByteArray& payload);
using DecodeFn = TError (*)(int part, const QByteArray& payload);

struct CommandInfo {
    int number;
    const char* name;
    int parts;
    const char* label; // progress label, followed by the part counter
    CmdDirection direction;
    EncodeFn encode; // null: the command is not written (a write job skips it)
    DecodeFn decode; // null: a read job exchanges the parts and drops the payload
};

const CommandInfo& commandInfo(int number); // number 0..63
const CommandInfo* commandTable();          // CommandCount entries, index = number

// Installs codec functions for a command (the codec of each command group calls this).
void setCommandCodec(int number, EncodeFn encode, DecodeFn decode);
// The part count a codec's byte layout gives the command.
void setCommandParts(int number, int parts);

struct JobList {
    int tabCmd;
    std::vector<int> full;
    std::vector<int> brief; // used once the message vocabulary has moved (ShortList)
    bool loop = false;      // the live status: after the last command, start again at loopFrom
    int loopFrom = 0;
    bool quiet = false; // ends without the success message (stopping the live status)
};

// The list of a tab code, or nullptr for a code without one (13, 15, unknown codes).
const JobList* jobList(int tabCmd);
const std::vector<JobList>& allJobLists();
