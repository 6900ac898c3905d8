#include "transfer/commands.h"

#include "transfer/codec_access.h"

#include <numeric>

namespace {

using D = CmdDirection;

// Part counts follow the tables each block carries at 64 bytes a part (for instance 64 names of
// 16 bytes are 16 parts); the codec of each group owns the byte layout.
CommandInfo Catalogue[CommandCount] = {
    {0, "CmdLogIn", 1, "Log In part:  ", D::AlwaysWrite, encodeLogIn, decodeLogIn},
    {1, "CmdStateCentral", 7, "Central State part:  ", D::AlwaysRead, nullptr, decodeStateCentral},
    {2, "CmdConfPeriferal", 1, "Configuration: Peripherals part:  ", D::FollowJob, nullptr, nullptr},
    {3, "CmdTastiere", 2, "Configuration: Keypads part:  ", D::FollowJob, nullptr, nullptr},
    {4, "CmdPrese", 2, "Configuration: Key Sockets part:  ", D::FollowJob, nullptr, nullptr},
    {5, "CmdLedPrese", 1, "Configuration: Socket Leds part:  ", D::FollowJob, nullptr, nullptr},
    {6, "CmdIngressiTipo", 1, "Configuration: Inputs Type part:  ", D::FollowJob, nullptr, nullptr},
    {7, "CmdIngressiFunzione", 1, "Configuration: Inputs Function part:  ", D::FollowJob, nullptr, nullptr},
    {8, "CmdIngressiNomi", 16, "Configuration: Inputs Name part:  ", D::FollowJob, nullptr, nullptr},
    {9, "CmdIngressiParziali", 1, "Configuration: Inputs Partitions part:  ", D::FollowJob, nullptr, nullptr},
    {10, "CmdIngressiTempi", 2, "Configuration: Inputs Timing part:  ", D::FollowJob, nullptr, nullptr},
    {11, "CmdIngressiMessaggi", 4, "Configuration: Inputs Messages part:  ", D::FollowJob, nullptr, nullptr},
    {12, "CmdIngressiOpzioni", 2, "Configuration: Inputs Options part:  ", D::FollowJob, nullptr, nullptr},
    {13, "CmdAdattamento", 1, "Configuration: Inputs Adjustment part:  ", D::FollowJob, nullptr, nullptr},
    {14, "CmdUsciteTipo", 1, "Configuration: Outputs Type part:  ", D::FollowJob, nullptr, nullptr},
    {15, "CmdUsciteNomi", 5, "Configuration: Outputs Name part:  ", D::FollowJob, nullptr, nullptr},
    {16, "CmdUsciteTempi", 2, "Configuration: Outputs Timing part:  ", D::FollowJob, nullptr, nullptr},
    {17, "CmdUsciteMessaggi", 2, "Configuration: Outputs Messages part:  ", D::FollowJob, nullptr, nullptr},
    {18, "CmdUsciteLinkIngressi", 4, "Configuration: Outputs Input Links part:  ", D::FollowJob, nullptr,
     nullptr},
    {19, "CmdUsciteLinkUtenti", 4, "Configuration: Outputs User Links part:  ", D::FollowJob, nullptr,
     nullptr},
    {20, "CmdUtentiNomi", 16, "Configuration: Users Name part:  ", D::FollowJob, nullptr, nullptr},
    {21, "CmdUtentiCodici", 6, "Configuration: Users Code part:  ", D::FollowJob, nullptr, nullptr},
    {22, "CmdUtentiParziali", 1, "Configuration: Users Partitions part:  ", D::FollowJob, nullptr, nullptr},
    {23, "CmdUtentiOpzioni", 2, "Configuration: Users Options part:  ", D::FollowJob, nullptr, nullptr},
    {24, "CmdParzialiNomi", 2, "Configuration: Partitions Name part:  ", D::FollowJob, nullptr, nullptr},
    {25, "CmdParzialiTempi", 1, "Configuration: Partitions Timing part:  ", D::FollowJob, nullptr, nullptr},
    {26, "CmdParzialiZone", 8, "Configuration: Partitions Zones part:  ", D::FollowJob, nullptr, nullptr},
    {27, "CmdGruppi", 2, "Configuration: Groups part:  ", D::FollowJob, nullptr, nullptr},
    {28, "CmdProgrammi", 4, "Configuration: Programs part:  ", D::FollowJob, nullptr, nullptr},
    {29, "CmdTelefoniNomi", 2, "Configuration: Phone Names part:  ", D::FollowJob, nullptr, nullptr},
    {30, "CmdTelefoniNumeri", 2, "Configuration: Phone Numbers part:  ", D::FollowJob, nullptr, nullptr},
    {31, "CmdTelefoniParametri", 1, "Configuration: Call Parameters part:  ", D::FollowJob, nullptr, nullptr},
    {32, "CmdContactIDTel", 4, "Configuration: Contact ID Phones part:  ", D::FollowJob, nullptr, nullptr},
    {33, "CmdContactIDEventi", 6, "Configuration: Contact ID Events part:  ", D::FollowJob, nullptr, nullptr},
    {34, "CmdFPT", 1, "Configuration: Contact ID Receivers part:  ", D::FollowJob, nullptr, nullptr},
    {35, "CmdEventiSistema", 4, "Configuration: System Events part:  ", D::FollowJob, nullptr, nullptr},
    {36, "CmdParametriVari", 2, "Configuration: Various Parameters part:  ", D::FollowJob, nullptr, nullptr},
    {37, "CmdTamper", 1, "Configuration: Tamper part:  ", D::FollowJob, nullptr, nullptr},
    {38, "CmdSirena", 1, "Configuration: Siren part:  ", D::FollowJob, nullptr, nullptr},
    {39, "CmdEN50131", 1, "Configuration: EN 50131 part:  ", D::FollowJob, nullptr, nullptr},
    {40, "CmdComunicatore", 1, "Configuration: Communicator part:  ", D::FollowJob, nullptr, nullptr},
    {41, "CmdDataOra", 1, "Configuration: Date and Time part:  ", D::FollowJob, nullptr, nullptr},
    {42, "CmdBloccoIns", 2, "Configuration: Arming Block part:  ", D::FollowJob, nullptr, nullptr},
    {43, "CmdTimersGiorni", 1, "Configuration: Timers Days part:  ", D::FollowJob, nullptr, nullptr},
    {44, "CmdTimersOrari", 2, "Configuration: Timers Time part:  ", D::FollowJob, nullptr, nullptr},
    {45, "CmdTimersUtenti", 8, "Configuration: Timers Users part:  ", D::FollowJob, nullptr, nullptr},
    {46, "CmdTimersParziali", 2, "Configuration: Timers Partitions part:  ", D::FollowJob, nullptr, nullptr},
    {47, "CmdTimersUscite", 4, "Configuration: Timers Outputs part:  ", D::FollowJob, nullptr, nullptr},
    {48, "CmdTimersEsclusione", 1, "Configuration: Timers Exclusion Dates part:  ", D::FollowJob, nullptr,
     nullptr},
    {49, "CmdPSTN", 1, "Configuration: PSTN part:  ", D::FollowJob, nullptr, nullptr},
    {50, "CmdLogEventi", 64, "Event Log part:  ", D::ReadOnly, nullptr, nullptr},
    {51, "CmdNetIP", 1, "Configuration: Network part:  ", D::FollowJob, nullptr, nullptr},
    {52, "CmdNetCloud", 3, "Configuration: Cloud part:  ", D::FollowJob, nullptr, nullptr},
    {53, "CmdGPRS", 3, "Configuration: GPRS part:  ", D::FollowJob, nullptr, nullptr},
    {54, "CmdGPRSRicevitori", 2, "Configuration: GPRS Receivers part:  ", D::FollowJob, nullptr, nullptr},
    {55, "CmdPriorita", 1, "Configuration: Vector Priority part:  ", D::FollowJob, nullptr, nullptr},
    {56, "CmdMessaggi", 47, "Configuration: Messages part:  ", D::FollowJob, nullptr, nullptr},
    {57, "Cmd_Radio400_Dispositivi", 8, "Configuration: Wireless 433 Devices part:  ", D::FollowJob, nullptr,
     nullptr},
    {58, "Cmd_Radio400_Codici", 4, "Configuration: Wireless 433 Codes part:  ", D::FollowJob, nullptr,
     nullptr},
    {59, "Cmd_Radio400_Parametri", 1, "Configuration: Wireless 433 Parameters part:  ", D::FollowJob, nullptr,
     nullptr},
    {60, "Cmd_Radio800_Dispositivi", 28, "Configuration: Wireless 868 Devices part:  ", D::FollowJob, nullptr,
     nullptr},
    {61, "Cmd_Radio800_Opzioni", 14, "Configuration: Wireless 868 Options part:  ", D::FollowJob, nullptr,
     nullptr},
    {62, "Cmd_Radio800_Parametri", 1, "Configuration: Wireless 868 Parameters part:  ", D::FollowJob, nullptr,
     nullptr},
    {63, "CmdStop", 0, "", D::FollowJob, nullptr, nullptr},
};

std::vector<int> span(int first, int last) {
    std::vector<int> v(size_t(last - first + 1));
    std::iota(v.begin(), v.end(), first);
    return v;
}

std::vector<int> job(std::initializer_list<int> body) {
    std::vector<int> v{CmdLogIn, CmdStateCentral};
    v.insert(v.end(), body);
    v.push_back(CmdStop);
    return v;
}

std::vector<int> without(std::vector<int> v, int command) {
    std::erase(v, command);
    return v;
}

std::vector<JobList> buildLists() {
    std::vector<JobList> lists;
    auto add = [&](int tab, std::vector<int> full, bool dropsMessages = false) {
        JobList j{tab, full, dropsMessages ? without(full, CmdMessaggi) : full};
        lists.push_back(std::move(j));
    };
    // Pages whose tables show vocabulary words carry the vocabulary along until it has moved once.
    // A page's send carries every value the page shows, also those that travel in a command of
    // another page (the code length, the installer's and reset codes, the 4+2 codes, the receivers):
    // a page sent with success must hold in the panel what the installer sees on it.
    add(TabCmdUtenti, job({20, 21, 22, 23, 36, 40}));
    add(TabCmdIngressi, job({56, 6, 7, 8, 9, 10, 11, 12, 13}), true);
    add(TabCmdUscite, job({56, 14, 15, 16, 17, 18, 19}), true);
    add(TabCmdPeriferiche, job({2, 3, 4, 5}));
    add(TabCmdTelefoni, job({29, 30, 31, 40}));
    add(TabCmdParametriVari, job({36, 37, 38, 39, 40, 41}));
    add(TabCmdProgrammi, job({56, 24, 25, 26, 28}), true);
    add(TabCmdGruppi, job({56, 27}), true);
    add(TabCmdRadio, job({57, 58, 59, 60, 61, 62}));
    add(TabCmdEventiSistema, job({35}));
    add(TabCmdContactID, job({32, 33, 34, 12, 23, 28, 40, 52, 53, 54}));
    add(TabCmdTimers, job({43, 44, 45, 46, 47, 48}));
    add(TabCmdBloccoIns, job({42}));
    add(TabCmdPSTN, job({49}));
    // The network page also shows the GPRS setup (APN, user, password), which travels in 53.
    add(TabCmdNetIp, job({51, 52, 53}));
    add(TapCmdElencoMessaggi, job({56}));
    add(TapCmdPriorita, job({55}));
    add(TapCmdParametriGPRS, job({53, 54}));
    {
        JobList live{TabCmdStartTest, {CmdLogIn, CmdStateCentral}, {CmdLogIn, CmdStateCentral}};
        live.loop = true;
        live.loopFrom = 1;
        lists.push_back(live);
        JobList stop{TabCmdStopTest, {CmdStop}, {CmdStop}};
        stop.quiet = true;
        lists.push_back(stop);
    }
    add(TabCmdEventi, job({CmdLogEventi}));
    add(TabCmdAllRead, span(0, 63));
    add(TabCmdAllWrite, without(span(0, 63), CmdLogEventi));
    add(TabCmdtempRecv, job({41}));
    add(TabCmdtempSend, job({41}));
    return lists;
}

} // namespace

const CommandInfo* commandTable() {
    return Catalogue;
}

const CommandInfo& commandInfo(int number) {
    return Catalogue[(number >= 0 && number < CommandCount) ? number : CmdStop];
}

void setCommandCodec(int number, EncodeFn encode, DecodeFn decode) {
    if (number < 0 || number >= CommandCount)
        return;
    Catalogue[number].encode = encode;
    Catalogue[number].decode = decode;
}

void setCommandParts(int number, int parts) {
    if (number >= 0 && number < CmdStop && parts > 0)
        Catalogue[number].parts = parts;
}

const std::vector<JobList>& allJobLists() {
    static const std::vector<JobList> lists = buildLists();
    return lists;
}

const JobList* jobList(int tabCmd) {
    for (const JobList& j : allJobLists())
        if (j.tabCmd == tabCmd)
            return &j;
    return nullptr;
}
