#include "ui/pages/page_parametrivari.h"

#include "model/lang.h"
#include "ui/pagecontrol.h"
#include "ui/pages/paramform.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QRegularExpression>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <array>

TPageParametriVari::TPageParametriVari(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet6"));
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(4, 4, 4, 4);
    PageControl_parametri_vari = new TPageControl(QStringLiteral("PageControl_parametri_vari"), this);
    lay->addWidget(PageControl_parametri_vari);
    TabSheetTamper = new QWidget;
    TabSheetTamper->setObjectName(QStringLiteral("TabSheetTamper"));
    PageControl_parametri_vari->addPage(TabSheetTamper, QStringLiteral("TAMPER"));
    TabSheetSirena = new QWidget;
    TabSheetSirena->setObjectName(QStringLiteral("TabSheetSirena"));
    PageControl_parametri_vari->addPage(TabSheetSirena, QStringLiteral("SIRENA"));
    TabSheetEN50131 = new QWidget;
    TabSheetEN50131->setObjectName(QStringLiteral("TabSheetEN50131"));
    PageControl_parametri_vari->addPage(TabSheetEN50131, QStringLiteral("EN 50131"));
    TabSheetComunicatore = new QWidget;
    TabSheetComunicatore->setObjectName(QStringLiteral("TabSheetComunicatore"));
    PageControl_parametri_vari->addPage(TabSheetComunicatore, QStringLiteral("COMUNICATORE"));
    TabSheetWireless = new QWidget;
    TabSheetWireless->setObjectName(QStringLiteral("TabSheetWireless"));
    PageControl_parametri_vari->addPage(TabSheetWireless, QStringLiteral("WIRELESS"));
    TabSheetDataOra = new QWidget;
    TabSheetDataOra->setObjectName(QStringLiteral("TabSheetDataOra"));
    PageControl_parametri_vari->addPage(TabSheetDataOra, QStringLiteral("DATA/ORA"));
    buildTamper();
    buildSirena();
    buildEN50131();
    buildComunicatore();
    buildWireless();
    buildDataOra();
}

using namespace ParamForm;
namespace {
using Kind = DBCheckBox::Kind;
QString S(const char* text) {
    return QString::fromUtf8(text);
}
QStringList numbers(int from, int to) {
    return Lang::NumberItems(from, to);
}
// A box of one ON/OFF check box on the parameter row.
QGroupBox* onOffBox(QWidget* sheet, const char* boxName, const char* caption, const char* name,
                    const char* field) {
    return boxed(sheet, S(boxName), S(caption), checkBox(sheet, S(name), parVari(), S(field), Kind::OnOff));
}
// A box of one list on the parameter row.
QGroupBox* listBox(QWidget* sheet, const char* boxName, const char* caption, const char* name,
                   const char* field, const QStringList& items, const char* labelText = "") {
    return boxed(sheet, S(boxName), S(caption), comboBox(sheet, S(name), parVari(), S(field), items),
                 S(labelText));
}
} // namespace

void TPageParametriVari::buildTamper() {
    QWidget* sheet = TabSheetTamper;
    BoxGrid grid(sheet, 3);
    QGroupBox* linea = group(sheet, S("GroupBoxTamperLinea"), S("TAMPER LINEA"));
    addRow(linea, S("ABILITA"),
           comboBox(linea, S("DBComboBox18"), parVari(), S("_TipoTamperLinea"),
                    Lang::ComboItems(S("DBComboBox18"))));
    addRow(linea, checkBox(linea, S("DBCheckBox35"), parVari(), S("_TamperLinea"), Kind::OnOff));
    grid.add(linea);
    QGroupBox* tamper = group(sheet, S("GroupBoxTamper"), S("TAMPER"));
    addRow(tamper, S("TAMPER CENTRALE"),
           checkBox(tamper, S("DBCheckBox34"), parVari(), S("_TampeCentrale"), Kind::OnOff));
    addRow(tamper, S("TAMPER Periferiche"),
           checkBox(tamper, S("DBCheckBox17"), parVari(), S("_TamperPeriferiche"), Kind::OnOff));
    grid.add(tamper);
    grid.add(
        onOffBox(sheet, "GroupBoxInsRapido", "INSERIMENTO RAPIDO", "DBCheckBox16", "_InserimentoRapido"));
    grid.add(onOffBox(sheet, "GroupBox37", "VIVA VOCE", "DBCheckBox38", "_VivaVoce"));
    grid.add(onOffBox(sheet, "GroupBoxManutenzione", "MANUTENZIONE", "DBCheckBox6", "_Manutenzione"));
}

void TPageParametriVari::buildSirena() {
    QWidget* sheet = TabSheetSirena;
    BoxGrid grid(sheet, 3);
    QGroupBox* sirena = listGroup(sheet, parVari(), S("GroupBoxSirena"), S("SIRENA"),
                                  {{"TEMPO SIRENA", "DBComboBox17", "_TempoSirena", numbers(0, 240)},
                                   {"CICLI SIRENA", "DBComboBox16", "_CicliSirena", numbers(0, 32)},
                                   {"PAUSA SIRENA", "DBComboBox15", "_PausaSirena", numbers(0, 240)}});
    grid.add(sirena);
    grid.add(
        onOffBox(sheet, "GroupBoxSirenaTastiera", "SIRENA IN TASTIERA", "DBCheckBox19", "_SirenaInTastiera"));
    grid.add(listBox(sheet, "GroupBoxSqkTime", "Time", "DBComboBox39", "_Sqk_Time", tenthsOfSecondItems(20)));

    // One box per partition; partitions 5..8 exist on the eight-partition models only.
    auto partitions = [&](const char* boxName, const char* caption, const char* field,
                          const std::array<int, 8>& numbersOfBoxes) {
        QGroupBox* box = new QGroupBox(S(caption), sheet);
        box->setObjectName(S(boxName));
        auto* lay = new QGridLayout(box);
        lay->setContentsMargins(10, 8, 10, 8);
        lay->setHorizontalSpacing(14);
        for (int p = 1; p <= 8; ++p) {
            DBCheckBox* c =
                checkBox(box, QStringLiteral("DBCheckBox%1").arg(numbersOfBoxes[p - 1]), parVari(),
                         S(field) + QString::number(p), Kind::Boolean, QStringLiteral("P%1").arg(p));
            lay->addWidget(c, (p - 1) / 4, (p - 1) % 4);
        }
        return box;
    };
    grid.add(partitions("GroupBoxSqkLocal", "LOCAL", "_Sqk_Local_Pz", {21, 22, 23, 24, 25, 26, 27, 28}));
    grid.add(partitions("GroupBoxSqkRemote", "REMOTE", "_Sqk_Remote_Pz", {29, 30, 31, 32, 33, 41, 48, 49}));

    QGroupBox* signals_ = group(sheet, S("GroupBoxSegnalazioni"), S("SEGNALAZIONI"));
    const struct {
        int number;
        const char* field;
        const char* caption;
    } signalling[] = {{114, "_InsVisivo", "INSERIMENTO VISIVO"},
                      {115, "_InsSonoro", "INSERIMENTO SONORO"},
                      {116, "_MemVisiva", "MEMORIA VISIVA"},
                      {117, "_MemSonora", "MEMORIA SONORA"}};
    for (const auto& s : signalling)
        addRow(signals_, checkBox(signals_, QStringLiteral("DBCheckBox%1").arg(s.number), parVari(),
                                  S(s.field), Kind::Boolean, S(s.caption)));
    signals_->findChild<QWidget*>(S("DBCheckBox117"))->setVisible(false);
    grid.add(signals_);
}

void TPageParametriVari::buildEN50131() {
    QWidget* sheet = TabSheetEN50131;
    BoxGrid grid(sheet, 3);
    grid.add(onOffBox(sheet, "GroupBoxEN50131", "EN 50131", "DBCheckBox39", "_EN50131"));
    grid.add(radioGroup(sheet, S("DBRadioGroup2"), S("Carica Batteria"), parVari(), S("_RicaricaBatteria"),
                        Lang::ComboItems(S("DBRadioGroup2"))));
    grid.add(listBox(sheet, "GroupBoxCicliAutoesc", "CICLI AUTOESCLUSIONE", "DBComboBox23", "_CicliAutoesc",
                     numbers(0, 10)));
    grid.add(
        onOffBox(sheet, "GroupBoxVisStato", "VISUALIZZAZIONE STATO", "DBCheckBox11", "_VisualizzaStatoImp"));
    grid.add(onOffBox(sheet, "GroupBoxVisZone", "VISUALIZZAZIONE ZONE", "DBCheckBox10", "_VisualizzaZone"));
    grid.add(listBox(sheet, "GroupBoxNo230", "Tempo NO 230Va (min.)", "DBComboBox22", "_TimeNo220",
                     numbers(0, 240)));
}

void TPageParametriVari::buildComunicatore() {
    QWidget* sheet = TabSheetComunicatore;
    BoxGrid grid(sheet, 3);
    grid.add(listGroup(sheet, parVari(), S("GroupBoxTestInVita"), S("TEST IN VITA"),
                       {{"ORA", "DBComboBox19", "_LifeTestHourStart", numbers(0, 23)},
                        {"MINUTI", "DBComboBox51", "_LifeTestMinStart", numbers(0, 59)}}));
    grid.add(listGroup(sheet, parVari(), S("GroupBoxIntervallo"), S("INTERVALLO"),
                       {{"GIORNI", "DBComboBox48", "_LifeTestDay", numbers(0, 10)},
                        {"ORE", "DBComboBox49", "_LifeTestHour", numbers(0, 23)},
                        {"MINUTI", "DBComboBox50", "_LifeTesMin", numbers(0, 59)}}));
    grid.add(
        listBox(sheet, "GroupBox98", "RITARDO TRA EVENTI", "DBComboBox21", "_DelayEventi", numbers(0, 240)));
    grid.add(listBox(sheet, "GroupBox99", "SQUILLI ALLA RISPOSTA", "DBComboBox20", "_SquilliRisposta",
                     numbers(0, 10)));
    // Options the panels do not offer at present: kept bound, never shown.
    QGroupBox* accept =
        onOffBox(sheet, "GroupBoxAccettaChiamate", "ACCETTA CHIAMATE", "DBCheckBox36", "_AccettaChiamate");
    QGroupBox* ring =
        onOffBox(sheet, "GroupBoxSquilloPassante", "SQUILLO PASSANTE", "DBCheckBox37", "_SquilloPassante");
    grid.add(accept);
    grid.add(ring);
    accept->setVisible(false);
    ring->setVisible(false);
}

void TPageParametriVari::buildWireless() {
    QWidget* sheet = TabSheetWireless;
    BoxGrid grid(sheet, 3);
    grid.add(radioGroup(sheet, S("DBRadioGroup4"), S("TIPO APPRENDIMENTO RADIO"), parVari(),
                        S("_TipoApprendimento"), Lang::ComboItems(S("DBRadioGroup4"))));
    grid.add(
        onOffBox(sheet, "GroupBoxSaturazione", "SATURAZIONE RADIO", "DBCheckBox40", "_SaturazioneRadio"));
    grid.add(onOffBox(sheet, "GroupBoxDisturbo", "DISTURBO RADIO", "DBCheckBox2", "_DisturboRadio"));
}

QString TPageParametriVari::longTimeFormat() {
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    // Drop the time-zone token and the blank before it.
    static const QRegularExpression zone(QStringLiteral("\\s*t+"));
    return format.remove(zone).trimmed();
}

void TPageParametriVari::buildDataOra() {
    auto* grid = new QGridLayout(TabSheetDataOra);
    grid->setContentsMargins(12, 12, 12, 12); // as the boxes of the other tabs
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(10);
    CheckBox1 = new QCheckBox(QStringLiteral("Ora Corrente"), TabSheetDataOra);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setChecked(true);
    Label2 = new QLabel(QStringLiteral("----------"), TabSheetDataOra);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setEnabled(false);
    QFont clockFont = Label2->font();
    clockFont.setBold(true);
    clockFont.setPixelSize(19);
    Label2->setFont(clockFont);
    Data = new QDateEdit(TabSheetDataOra);
    Data->setObjectName(QStringLiteral("Data"));
    Data->setDisplayFormat(QLocale().dateFormat(QLocale::LongFormat));
    Data->setCalendarPopup(true);
    ora = new QTimeEdit(TabSheetDataOra);
    ora->setObjectName(QStringLiteral("ora"));
    ora->setDisplayFormat(longTimeFormat());
    grid->addWidget(Label2, 0, 0, 1, 2);
    grid->addWidget(CheckBox1, 1, 0, 1, 2);
    DBCheckBox82 = ParamForm::checkBox(TabSheetDataOra, QStringLiteral("DBCheckBox82"), ParamForm::parVari(),
                                       QStringLiteral("_Ora_legale"), DBCheckBox::Kind::Boolean,
                                       QStringLiteral("Ora Legale"));
    grid->addWidget(Data, 2, 0);
    grid->addWidget(ora, 2, 1);
    grid->addWidget(DBCheckBox82, 3, 0, 1, 2);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(4, 1);
}

#include "moc_page_parametrivari.cpp"
