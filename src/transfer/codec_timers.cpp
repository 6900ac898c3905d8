// Commands 43..48: the scheduler: for each day its timers (exclusion dates, time), what each
// timer does to users, partitions and outputs, and the exclusion periods.
#include "model/lang.h"
#include "transfer/codec.h"
#include "transfer/codec_layout.h"

namespace Codec {

namespace {
constexpr int Days = 7;
constexpr int TimersPerDay = 8;

Block timers(std::vector<FieldSpec> fields) {
    Block b{table<&TDM::CDSet_Time_Timers>, TimersPerDay, std::move(fields)};
    b.masterRows = Days;
    return b;
}

// What one timer does to each user, partition or output.
Block actions(TableFn t, int rows, ListFn list) {
    Block b{t, rows, {position("_OnOff", list)}};
    b.masterRows = TimersPerDay;
    b.grandMasterRows = Days;
    return b;
}
} // namespace

void installTimersCodec() {
    installLayout({43, {timers({bits("_DataEscusione", 1, 8)})}});
    installLayout({44, {timers({hourMin("_Ora")})}});
    installLayout({45, {actions(table<&TDM::CDSet_Time_Utenti>, 64, [] { return Lang::MSG_TIMERS1; })}});
    installLayout({46, {actions(table<&TDM::CDSet_Time_Parziali>, 8, [] { return Lang::MSG_TIMERS2; })}});
    installLayout({47, {actions(table<&TDM::CDSet_Time_Uscite>, 17, [] { return Lang::MSG_TIMERS2; })}});
    const Block warning = installationRow({text("_Timer_TempoPreavviso", 16)});
    installLayout({48,
                   {{table<&TDM::CDSet_Time_Esclusione_Data>,
                     8,
                     {name("_Nome"), dayMonth("_Data1"), dayMonth("_Data2")}},
                    warning}});
}

} // namespace Codec
