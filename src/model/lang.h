#pragma once
// Vocabulary of the program: the option lists whose positions or one-character sign codes are
// also the panel's wire encoding, the type and channel names of the radio devices, the texts of
// the main window's combo boxes, the version text and the locale separators.
//
// The lists named `Lista...` are built by LanguageRewrite() (once, while the main window is
// created) and emptied by FreeVocabularyLists() at exit. The `const` tables are fixed and exist
// for the whole run.
#include <QChar>
#include <QString>
#include <QStringList>

#include <functional>

#include "model/language.h"

namespace Lang {

using Language::CSL_MainCentral_Combo;

// ---- radio device types and channels ----
extern const QStringList CSL_DEVRADIO;      // 400 range by `_Tipo` (0..9)
extern const QStringList CSL_DEV_800_RADIO; // 800 range by `_Tipo` (0..9)
// Channel names, index = channel - 1.
extern const QStringList TULMO400Ch;
extern const QStringList TMERLA400Ch;
extern const QStringList TVIRNA400Ch;
extern const QStringList TVIRNAT400Ch;
extern const QStringList TBOLDO400Ch;
extern const QStringList TTASPAD_WIRELESSCh;
extern const QStringList TPALVO400Ch;
extern const QStringList TRUSTA400Ch;
extern const QStringList TOBRIN400Ch;
extern const QStringList TRUSTA800Ch;
// The channel names of a device type (empty list: the type has no channels).
const QStringList& channelNames400(int tipo);
const QStringList& channelNames800(int tipo);

// ---- texts used as combo items and fixed row names ----
extern const QStringList MSG_PHONEASSIGNED;            // "-", "SMS", "Voce", "Voce + SMS"
extern const QStringList MSG_TIMERS1;                  // user timer actions
extern const QStringList MSG_TIMERS2;                  // partition and output timer actions
extern const QStringList CSL_SYSTEM_EVENTS_GRID_LABEL; // the 23 system-event row names
extern const QStringList CSL_FPT_NAME_LIST;            // the 15 system events of the 4+2 format
extern const QStringList CSL_IDCEVENTS_CONSTANT;       // the 28 fixed Contact ID events
extern const QStringList CSL_IDCEVENTS_CODE;           // their three-digit codes
extern const QString CSL_IDC_INPUT_CODE;               // default code of an input's Contact ID row
extern const QStringList CSL_DEFAULT_MESSAGES;         // the 187 words of a new vocabulary (index = `_ID`)

// Items that the main window's combo boxes and radio groups take at start-up, by component
// name ("DBComboBox14", "DBRadioGroup3", ...). Empty for a name without start-up items.
QStringList ComboItems(const QString& componentName);
// "from".."to" as decimal texts, rising.
QStringList NumberItems(int from, int to);

// ---- the 34 vocabulary lists (position = stored value's index) ----
extern QStringList ListaTipoIngresso_TAVEK_MIRUN;
extern QStringList ListaTipoIngressoSegni_TAVEK_MIRUN;
extern QStringList ListaTipoIngresso_TAVEK_MIRUNR1;
extern QStringList ListaTipoIngresso_TAVEK_MIRUNR2;
extern QStringList ListaTipoIngresso_TAVEK_MIRUNR3;
extern QStringList ListaTipoIngresso_TAVEK_MIRUNNR;
extern QStringList ListaFunzioniIngresso;
extern QStringList ListaFunzioniIngressoSegni;
extern QStringList ListaSirenaIngresso;
extern QStringList ListaSirenaIngressoSegni;
extern QStringList ListaImpulsiIngresso;
extern QStringList ListaCicliEsclusione;
extern QStringList ListaTempoIngresso;
extern QStringList ListaPolaritaIngressi;
extern QStringList ListaPolaritaIngressiSegni;
extern QStringList ListaFunzioneUsciteTAVEK;
extern QStringList ListaFunzioneUsciteMIRUN;
extern QStringList ListaFunzioneUsciteMIRUNPLUS;
extern QStringList ListaFunzioneUscitePELUN;
extern QStringList ListaFunzioneUsciteQUANE;
extern QStringList ListaFunzioneUsciteZOREM;
extern QStringList ListaFunzioneUsciteSegniTAVEK;
extern QStringList ListaFunzioneUsciteSegniMIRUN;
extern QStringList ListaFunzioneUsciteSegniMIRUNPLUS;
extern QStringList ListaFunzioneUsciteSegniPELUN;
extern QStringList ListaFunzioneUsciteSegniQUANE;
extern QStringList ListaFunzioneUsciteSegniZOREM;
extern QStringList ListaCondFunzioneUsciteTAVEK;
extern QStringList ListaCondFunzioneUsciteMIRUN;
extern QStringList ListaCondFunzioneUsciteSegniTAVEK;
extern QStringList ListaCondFunzioneUsciteSegniMIRUN;
extern QStringList ListaPolaritaUscite;
extern QStringList ListaPolaritaUsciteSegni;
extern QStringList ListaMessaggi; // filled from the vocabulary table by the painters

// The output function / sign / condition lists a model uses; nullptr for system type 0 or unknown.
QStringList* ListaFunzioneUscite(int systemType);
QStringList* ListaFunzioneUsciteSegni(int systemType);
QStringList* ListaCondFunzioneUscite(int systemType);
QStringList* ListaCondFunzioneUsciteSegni(int systemType);

// All 34 lists, in the order above.
QList<QStringList*> VocabularyLists();

// Fixed texts the data module's rules compare with. They come from the same tables the lists
// are built from, so they hold even before LanguageRewrite() and after the lists are freed.
QString WiringNotConfigured(); // "Non Configurato": wiring entry 0, unbound keypad terminal
QString WiringRadio();         // "Radio": wiring entry 3
bool IsPartitionFunction(const QString& inputFunction); // "On/Off", "Solo ON", "Solo OFF"
QString PilotFunction();                                // entry 2 of ListaFunzioneUsciteMIRUN, "Pilot"

// ---- start-up ----
// Builds the 34 lists and sets Version, then lets the main window set its texts through
// windowTextsHook (when set).
void LanguageRewrite();
extern std::function<void()> windowTextsHook;
// Empties the 34 lists (the main window's exit routine).
void FreeVocabularyLists();

// "V%d.%d.%d build %d" from the version record of the named executable; "" when it has none.
QString FileVersion(const QString& exe);
extern QString Version; // the program's own version text, set by LanguageRewrite()

// The system locale's separators.
QChar TimeSeparator();
QChar DateSeparator();

} // namespace Lang
