// Commands 36..42, 49 and 51..55: the panel's parameters, its clock, the arming block, the
// telephone line and the network, cloud and GPRS settings.
#include "model/lang.h"
#include "transfer/codec.h"
#include "transfer/codec_errors.h"
#include "transfer/codec_layout.h"
#include "transfer/transferhooks.h"

#include <QDateTime>

namespace Codec {

namespace {

std::vector<FieldSpec> list(std::initializer_list<FieldSpec> fields) {
    return fields;
}

template <typename... Names> std::vector<FieldSpec> each(FieldSpec (*make)(const char*), Names... names) {
    return {make(names)...};
}

FieldSpec slot16(const char* field) {
    return text(field, 16);
}

std::vector<FieldSpec> operator+(std::vector<FieldSpec> a, const std::vector<FieldSpec>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

QStringList combo(const char* component) {
    return Lang::ComboItems(QString::fromLatin1(component));
}

// ---- the panel's clock (command 41): day, month, year - 2000, hour, minute, second ----

QDateTime PanelClock;

TError encodeClock(int, QByteArray& payload) {
    const QDateTime when =
        TransferHooks::panelClock ? TransferHooks::panelClock() : QDateTime::currentDateTime();
    const QDate d = when.date();
    const QTime t = when.time();
    // The panel counts years from 2000 in one byte.
    if (d.year() < 2000 || d.year() > 2255)
        throw UnsendableValue(QStringLiteral("PARAMETRI VARI, DATA/ORA: l'anno %1 non può essere impostato "
                                             "nella centrale (2000..2255).")
                                  .arg(d.year()));
    payload.clear();
    for (const int v : {d.day(), d.month(), d.year() - 2000, t.hour(), t.minute(), t.second()})
        payload.append(char(v));
    return SENDOK;
}

TError decodeClock(int, const QByteArray& payload) {
    if (payload.size() != 6)
        return DATACORRUPT;
    const auto b = [&](int i) { return int(quint8(payload[i])); };
    const QDate d(2000 + b(2), b(1), b(0));
    const QTime t(b(3), b(4), b(5));
    if (!d.isValid() || !t.isValid())
        return DATACORRUPT;
    PanelClock = QDateTime(d, t); // shown nowhere: the panel's clock is only ever set
    return SENDOK;
}

} // namespace

void installParametersCodec() {
    installLayout(
        {36,
         {rowsOf<&TDM::CDSet_ParVari>(
             1, list({number("_Lunghezza_codici", 0, 1), number("_RicaricaBatteria", 0, 1),
                      number("_TipoApprendimento", 0, 1)}) +
                    each(onOff, "_InserimentoRapido", "_VivaVoce", "_Manutenzione", "_VisualizzaStatoImp",
                         "_VisualizzaZone", "_AccettaChiamate", "_SquilloPassante") +
                    list({bits("_Sqk_Local_Pz", 1, 8), bits("_Sqk_Remote_Pz", 1, 8),
                          bitsOf({QStringLiteral("_InsVisivo"), QStringLiteral("_InsSonoro"),
                                  QStringLiteral("_MemVisiva"), QStringLiteral("_MemSonora"),
                                  QStringLiteral("_Ora_legale")})}) +
                    each(slot16, "_Sqk_Time", "_CicliAutoesc", "_TimeNo220", "_LifeTestHourStart",
                         "_LifeTestMinStart", "_LifeTestDay", "_LifeTestHour", "_LifeTesMin", "_DelayEventi",
                         "_SquilliRisposta"))}});
    installLayout({37,
                   {rowsOf<&TDM::CDSet_ParVari>(
                       1, list({position("_TipoTamperLinea", [] { return combo("DBComboBox18"); })}) +
                              each(onOff, "_TamperLinea", "_TampeCentrale", "_TamperPeriferiche"))}});
    installLayout(
        {38,
         {rowsOf<&TDM::CDSet_ParVari>(1, each(slot16, "_TempoSirena", "_CicliSirena", "_PausaSirena") +
                                             list({onOff("_SirenaInTastiera")}))}});
    installLayout(
        {39,
         {rowsOf<&TDM::CDSet_ParVari>(1, each(onOff, "_EN50131", "_SaturazioneRadio", "_DisturboRadio"))}});
    installLayout({40,
                   {rowsOf<&TDM::CDSet_ParVari>(
                        1, each(onOff, "_IDC_RipristinoZone", "_IDC_RitardoRipristino") +
                               each(slot16, "_IDC_NumTentativi", "_IDC_AmpImpulso", "_TempoTentativiChiamate",
                                    "_NumTentativiChiamate", "_AttesaRisposta", "_RipetizioneMessaggio")),
                    installationRow(each(digits, "_PswInstallatore", "_PswReset"))}});
    setCommandParts(41, 1);
    setCommandCodec(41, encodeClock, decodeClock);
    installLayout(
        {42,
         {rowsOf<&TDM::CDSet_ParVari>(
             1, each(onOff, "_BLKNO220", "_BLKbatteria", "_BLKGSM", "_BLKTamperPeriferica", "_BLKTamperLinea",
                     "_BLKTamper", "_BLKPSTN", "_BLKGuastoInterconnessione", "_BLKNORadioActiv"))}});
    installLayout(
        {49,
         {installationRow(
             each(onOff, "_PSTN_LineControl", "_PSTN_dialtoneControl", "_PSTN_Notify", "_PSTN_CtrlRingB") +
             list({position("_PSTN_ContactIdPriority", [] { return combo("DBComboBox8"); }),
                   position("_PSTN_VoicePriority", [] { return combo("DBComboBox4"); }),
                   text("_TelTelegestione", 16)}) +
             each(slot16, "_PSTN_CallDelay", "_PSTN_AmpDTMF", "_PSTN_SkypSegretery", "_PSTN_PauseRingB"))}});
    installLayout({51,
                   {installationRow(list({bitsOf({QStringLiteral("_Net_DHCP")})}) +
                                    each(ip4, "_Net_LocalIPAddress", "_Net_LocalSubAddress",
                                         "_Net_LocalGwAddress", "_Net_DNS1", "_Net_DNS2"))}});
    installLayout({52,
                   {installationRow(
                       {bitsOf({QStringLiteral("_Net_Cloud_Enable"), QStringLiteral("_NET_Notify_Ins"),
                                QStringLiteral("_Net_Notify_Utenti"), QStringLiteral("_Net_Notify_Allarmi")}),
                        text("_Net_UserName", 30), text("_Net_PSW", 30), text("_NomeSistema", 30),
                        text("_Net_CloudName", 64), text("_Net_URL1", 64), text("_Net_URL2", 64),
                        text("_Net_URL3", 64), text("_Net_ADEMCO_Codifica", 3)})}});
    installLayout({53,
                   {installationRow({onOff("_Net_GPRS_Enable"), text("_Net_GPRS_APN", 64),
                                     text("_Net_GPRS_UserName", 30), text("_Net_GPRS_PSW", 30),
                                     text("_Net_GPRS_MonitorAddress", 64), text("_Net_GPRS_MonitorPort", 5),
                                     text("_Net_GPRS_Monitor_ID", 16), text("_Net_GPRS_Monitor_Timeout", 16),
                                     text("_Net_GPRS_SMS", 16), text("_Net_GPRS_Session_Timeout", 16)})}});
    installLayout({54,
                   {installationRow({text("_Net_GPRS_RemoteAddress1", 64), text("_Net_GPRS_RemotePort1", 5),
                                     text("_Net_GPRS_RemoteAddress2", 64), text("_Net_GPRS_RemotePort2", 5),
                                     text("_Net_GPRS_IP1Proto", 3), text("_Net_GPRS_IP2Proto", 3)})}});
    installLayout(
        {55,
         {installationRow({numberText("_Net_Priority1", 0, 4), numberText("_Net_Priority2", 0, 4),
                           numberText("_Net_Priority3", 0, 4), numberText("_Net_Priority4", 0, 4)})}});
}

} // namespace Codec
