#pragma once
// The data module: owns the register of installations (the root table CDSet_Tabulon) and every
// configuration table nested under it, with their data sources, field rules, row caps and the
// register file. One instance, DM, lives from the login's success to the program's exit.
#include <QObject>
#include <QString>
#include <QVariant>

#include <functional>
#include <vector>

class DataSet;
class DataSource;
class Field;

class TDM : public QObject {
    Q_OBJECT
public:
    explicit TDM(QObject* parent = nullptr); // builds every table; sets DM when it is unset
    ~TDM() override;                         // runs DataModuleDestroy() when DataModuleCreate() ran

    // ---- tables (objectName = the member's name) ----
    DataSet* CDSet_Tabulon = nullptr; // root: one row per installation
    DataSet* CDSet_ParVari = nullptr;
    DataSet* CDSet_Ingressi = nullptr;
    DataSet* CDSet_Adattamento = nullptr;
    DataSet* CDSet_Uscite = nullptr;
    DataSet* CDSet_InLink = nullptr;   // in CDSet_Uscite._Uscita_Ingresso
    DataSet* CDSet_UserLink = nullptr; // in CDSet_Uscite._Uscita_Utente
    DataSet* CDSet_Utenti = nullptr;
    DataSet* CDSet_Parziali = nullptr;
    DataSet* CDSet_Zone = nullptr; // in CDSet_Parziali._Zone
    DataSet* CDSet_Group = nullptr;
    DataSet* CDSet_Partial = nullptr; // in CDSet_Group._Parzial
    DataSet* CDSet_Messaggi = nullptr;
    DataSet* CDSet_Phone = nullptr;
    DataSet* CDSet_ExpIngressi = nullptr;
    DataSet* CDSet_ExpUscite = nullptr;
    DataSet* CDSet_ExpRadio = nullptr;
    DataSet* CDSet_ExpGSM = nullptr;
    DataSet* CDSet_ExpIP = nullptr;
    DataSet* CDSet_Tastiere = nullptr;
    DataSet* CDSet_Prese = nullptr;
    DataSet* CDSet_Leds = nullptr; // in CDSet_Prese._Leds
    DataSet* CDSet_DeviceRadio = nullptr;
    DataSet* CDSet_DeviceRadio800 = nullptr;
    DataSet* CDSet_ZoneRadio = nullptr;
    DataSet* CDSet_Log = nullptr;
    DataSet* CDSet_Time_Day = nullptr;
    DataSet* CDSet_Time_Timers = nullptr;   // in CDSet_Time_Day._Timers
    DataSet* CDSet_Time_Utenti = nullptr;   // in CDSet_Time_Timers._Time_Utenti
    DataSet* CDSet_Time_Parziali = nullptr; // in CDSet_Time_Timers._Time_Parziali
    DataSet* CDSet_Time_Uscite = nullptr;   // in CDSet_Time_Timers._Time_Uscite
    DataSet* CDSet_Time_Esclusione_Data = nullptr;
    DataSet* CDSet_ContactID = nullptr;
    DataSet* CDSet_ContactID_Eventi = nullptr;
    DataSet* CDSet_FPT = nullptr;
    DataSet* CDSet_Eventi_Sistema = nullptr;

    // ---- data sources: DataSource_ + the table's name without CDSet_, except the radio ones ----
    DataSource* DataSource_Tabulon = nullptr;
    DataSource* DataSource_ParVari = nullptr;
    DataSource* DataSource_Ingressi = nullptr;
    DataSource* DataSource_Adattamento = nullptr;
    DataSource* DataSource_Uscite = nullptr;
    DataSource* DataSource_InLink = nullptr;
    DataSource* DataSource_UserLink = nullptr;
    DataSource* DataSource_Utenti = nullptr;
    DataSource* DataSource_Parziali = nullptr;
    DataSource* DataSource_Zone = nullptr;
    DataSource* DataSource_Group = nullptr;
    DataSource* DataSource_Partial = nullptr;
    DataSource* DataSource_Messaggi = nullptr;
    DataSource* DataSource_Phone = nullptr;
    DataSource* DataSource_ExpIngressi = nullptr;
    DataSource* DataSource_ExpUscite = nullptr;
    DataSource* DataSource_ExpRadio = nullptr;
    DataSource* DataSource_ExpGSM = nullptr;
    DataSource* DataSource_ExpIP = nullptr;
    DataSource* DataSource_Tastiere = nullptr;
    DataSource* DataSource_Prese = nullptr;
    DataSource* DataSource_Leds = nullptr;
    DataSource* DataSource_RadioDevice = nullptr;    // of CDSet_DeviceRadio
    DataSource* DataSource_RadioDevice800 = nullptr; // of CDSet_DeviceRadio800
    DataSource* DataSource_ZoneRadio = nullptr;
    DataSource* DataSource_Log = nullptr;
    DataSource* DataSource_Time_Day = nullptr;
    DataSource* DataSource_Time_Timers = nullptr;
    DataSource* DataSource_Time_Utenti = nullptr;
    DataSource* DataSource_Time_Parziali = nullptr;
    DataSource* DataSource_Time_Uscite = nullptr;
    DataSource* DataSource_Time_Esclusione_Data = nullptr;
    DataSource* DataSource_ContactID = nullptr;
    DataSource* DataSource_ContactID_Eventi = nullptr;
    DataSource* DataSource_FPT = nullptr;
    DataSource* DataSource_Eventi_Sistema = nullptr;

    // Every table, root first, then in the order of the members above.
    const std::vector<DataSet*>& tables() const { return m_tables; }
    DataSet* tableByName(const QString& name) const; // nullptr when no table bears the name
    DataSource* dataSourceOf(DataSet* table) const;  // nullptr for a table not of this module

    // The installations one register may hold: far more than any installer's register, and few
    // enough that a file claiming more is refused before its rows are built. NUOVO stops here.
    static constexpr int kMaxInstallations = 10000;
    bool registerFull() const;
    static QString registerFullText(); // what NUOVO says when the register is full

    // ---- life cycle ----
    // Opens the register file named by the registry value "DATABASE" (an empty register when the
    // file does not exist; a damaged file, or one that cannot be read, is reported and kept
    // safe, and so is the unrepaired text of a file loaded with values repaired, see saveRegister),
    // then lets the windows be created through createWindowsHook.
    void DataModuleCreate();
    // Posts pending edits and saves the register to DATABASE, unless the exit already saved it
    // (saveBeforeExit) or the user chose to leave without saving. Runs once.
    void DataModuleDestroy();
    // The save of a program that is about to end: pending edits posted, the register saved to
    // DATABASE. On failure returns false with *error set, and nothing is lost: the caller keeps
    // the program open. On success the end saves nothing more.
    bool saveBeforeExit(QString* error);
    // Posts the pending edit of every table, details first; an edit a table refuses is dropped.
    void postPendingEdits();
    // The user chose to end the program without saving: the end writes nothing.
    void leaveWithoutSaving() { m_exitSettled = true; }
    static std::function<void(TDM&)> createWindowsHook;

    // ---- installations ----
    int GetSystemType() const;         // 0..6 from the current installation's `_TipoCentrale`
    void SelectSystem(int systemType); // sets the dimension constants for 1..6
    void AddDataSet(int systemType);   // appends a new installation of that model, made current
    void DeleteMasterRecord();         // deletes the current installation with all its rows

    // ---- the register file ----
    // Saves the whole register to `path` (DATABASE when empty). A file that failed to load at
    // start-up is never overwritten by an empty register; when the register holds rows, a copy
    // of the damaged file is first kept as "<name>.damaged" (numbered when taken), and the
    // damaged file stays where it is until the new register replaces it whole. A file that
    // could not be read is not replaced while it still cannot be read (nothing of it could be
    // kept); once it can, it is kept as "<name>.originale" first. So is a file whose values
    // were repaired as it was loaded, before the first save that replaces it. On failure
    // returns false and sets *error; the old file stays whole, and no copy is left behind.
    bool saveRegister(const QString& path = QString(), QString* error = nullptr);
    // Replaces the register with the installations of `path`. A file that is not a register
    // of this data model (or unreadable) leaves the register as it was and sets *error to
    // "Il catalogo non corrisponde alle tabelle presenti".
    bool importRegister(const QString& path, QString* error = nullptr);
    bool registerLoadFailed() const { return !m_damagedPath.isEmpty(); }
    QString damagedRegisterPath() const { return m_damagedPath; }

    // ---- 800-range devices ----
    void DefaultOpzioniRadio800(); // options of the current CDSet_DeviceRadio800 row (in edit state)
    // Validation of `_Nome` of an 800-range device: tells the status frame the new name of the
    // slot of the row's record number (see device800Slot), through device800NameHook.
    void CDSet_DeviceRadio800_NomeValidate(Field& sender);
    enum Device800SlotKind { SlotTelec = 0, SlotSirena = 1, SlotDevice = 2 };
    // The status-frame slot of 800-range record number recNo; false for numbers outside 1..112.
    static bool device800Slot(int recNo, int* kind, int* slot);
    static std::function<void(int slotKind, int slot, const QString& name)> device800NameHook;

    // The user-code rule (duplicate, installer or reset code), silent during a transfer.
    void CDSet_Utenti_CodiceChange(Field& sender);

    // The largest row count `table` may hold under its current master for the current
    // installation's model (the current dimension constants when it has none); -1: no cap.
    int rowCap(const DataSet* table) const;
    // The same for an installation of the model `d` describes.
    int rowCapOf(const DataSet* table, const struct ModelDimensions& d) const;

    // Tells no bound control of changes while it lives (every table), so that a batch of
    // writes repaints once.
    class ControlsPause {
    public:
        explicit ControlsPause(TDM& dm);
        ~ControlsPause();
        ControlsPause(const ControlsPause&) = delete;
        ControlsPause& operator=(const ControlsPause&) = delete;

    private:
        TDM& m_dm;
    };

private:
    void installRules();
    void prepareDefaults();
    void installCaps();
    void installFileRowLimits();
    void installFileChecks();
    void reportLoadRepairs(const QString& path);
    void fillNewInstallation(int systemType);
    void syncRadioZone(int input, const QString& wiring, const QString& name);
    void rewriteMessageCopies(int messageId, const QString& text);
    void followInputName(int input, const QString& name);
    bool writeRegisterFile(const QString& path, QString* error);
    // What a file kept before a save replaces it was when it was loaded.
    enum class KeptFile { Damaged, Unreadable, Repaired };
    bool saveKeepingOriginal(const QString& target, const QString& original, KeptFile kind, QString* error);

    std::vector<DataSet*> m_tables;
    Field* m_tipoCentrale = nullptr;
    std::vector<std::pair<Field*, QVariant>> m_radio800Defaults; // DefaultOpzioniRadio800's writes
    std::vector<DataSource*> m_sources;
    QString m_damagedPath;            // register file that failed to load at start-up
    bool m_damagedUnreadable = false; // ... because it could not be opened: nothing of it is known
    QStringList m_repairedPaths;      // register files loaded with values repaired, not yet replaced
    int m_building = 0;               // >0 while AddDataSet fills rows: rules and caps stand aside
    bool m_created = false;
    bool m_destroyed = false;
    bool m_exitSettled = false; // the exit saved the register, or the user left without saving
};

extern TDM* DM;
extern QString DATABASE; // full path of the register file
