#include "model/datamodule.h"

#include "model/dimensions.h"
#include "model/language.h"
#include "model/schema.h"
#include "platform/dataset.h"
#include "platform/dialogs.h"
#include "platform/programsettings.h"
#include "platform/registrykey.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <new>

TDM* DM = nullptr;
QString DATABASE;

std::function<void(TDM&)> TDM::createWindowsHook;
std::function<void(int, int, const QString&)> TDM::device800NameHook;

namespace {

const char kCatalogMismatch[] = "Il catalogo non corrisponde alle tabelle presenti";

QString defaultDatabasePath() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("KTabulon.cds"));
}

bool sameFile(const QString& a, const QString& b) {
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

// Where a register file is kept before a save replaces it: "<name><suffix>", or
// "<name><suffix>.2" and on when taken.
QString asideName(const QString& path, const QString& suffix) {
    QString candidate = path + suffix;
    for (int n = 2; QFileInfo::exists(candidate); ++n)
        candidate = path + suffix + QLatin1Char('.') + QString::number(n);
    return candidate;
}

const QString kDamagedSuffix = QStringLiteral(".damaged");
const QString kOriginalSuffix = QStringLiteral(".originale");

// A path as the user can find it, whatever folder the program runs in.
QString fullPath(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

// Rows of a table under its current master, whatever filter its own cursor has.
int unfilteredCount(const DataSet& table) {
    if (!table.filtered())
        return table.recordCount();
    return table.cloneCursor()->recordCount();
}

} // namespace

TDM::TDM(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("DM"));

#define TDM_TABLE(n)                                                                                         \
    CDSet_##n = new DataSet(QStringLiteral("CDSet_" #n), this);                                              \
    m_tables.push_back(CDSet_##n);
    TDM_TABLE(Tabulon)
    TDM_TABLE(ParVari)
    TDM_TABLE(Ingressi)
    TDM_TABLE(Adattamento)
    TDM_TABLE(Uscite)
    TDM_TABLE(InLink)
    TDM_TABLE(UserLink)
    TDM_TABLE(Utenti)
    TDM_TABLE(Parziali)
    TDM_TABLE(Zone)
    TDM_TABLE(Group)
    TDM_TABLE(Partial)
    TDM_TABLE(Messaggi)
    TDM_TABLE(Phone)
    TDM_TABLE(ExpIngressi)
    TDM_TABLE(ExpUscite)
    TDM_TABLE(ExpRadio)
    TDM_TABLE(ExpGSM)
    TDM_TABLE(ExpIP)
    TDM_TABLE(Tastiere)
    TDM_TABLE(Prese)
    TDM_TABLE(Leds)
    TDM_TABLE(DeviceRadio)
    TDM_TABLE(DeviceRadio800)
    TDM_TABLE(ZoneRadio)
    TDM_TABLE(Log)
    TDM_TABLE(Time_Day)
    TDM_TABLE(Time_Timers)
    TDM_TABLE(Time_Utenti)
    TDM_TABLE(Time_Parziali)
    TDM_TABLE(Time_Uscite)
    TDM_TABLE(Time_Esclusione_Data)
    TDM_TABLE(ContactID)
    TDM_TABLE(ContactID_Eventi)
    TDM_TABLE(FPT)
    TDM_TABLE(Eventi_Sistema)
#undef TDM_TABLE

    ModelSchema::build(*this);

#define TDM_SOURCE(member, table)                                                                            \
    member = new DataSource(table, this);                                                                    \
    member->setObjectName(QStringLiteral(#member));                                                          \
    m_sources.push_back(member);
#define TDM_SOURCE_OF(n) TDM_SOURCE(DataSource_##n, CDSet_##n)
    TDM_SOURCE_OF(Tabulon)
    TDM_SOURCE_OF(ParVari)
    TDM_SOURCE_OF(Ingressi)
    TDM_SOURCE_OF(Adattamento)
    TDM_SOURCE_OF(Uscite)
    TDM_SOURCE_OF(InLink)
    TDM_SOURCE_OF(UserLink)
    TDM_SOURCE_OF(Utenti)
    TDM_SOURCE_OF(Parziali)
    TDM_SOURCE_OF(Zone)
    TDM_SOURCE_OF(Group)
    TDM_SOURCE_OF(Partial)
    TDM_SOURCE_OF(Messaggi)
    TDM_SOURCE_OF(Phone)
    TDM_SOURCE_OF(ExpIngressi)
    TDM_SOURCE_OF(ExpUscite)
    TDM_SOURCE_OF(ExpRadio)
    TDM_SOURCE_OF(ExpGSM)
    TDM_SOURCE_OF(ExpIP)
    TDM_SOURCE_OF(Tastiere)
    TDM_SOURCE_OF(Prese)
    TDM_SOURCE_OF(Leds)
    TDM_SOURCE(DataSource_RadioDevice, CDSet_DeviceRadio)
    TDM_SOURCE(DataSource_RadioDevice800, CDSet_DeviceRadio800)
    TDM_SOURCE_OF(ZoneRadio)
    TDM_SOURCE_OF(Log)
    TDM_SOURCE_OF(Time_Day)
    TDM_SOURCE_OF(Time_Timers)
    TDM_SOURCE_OF(Time_Utenti)
    TDM_SOURCE_OF(Time_Parziali)
    TDM_SOURCE_OF(Time_Uscite)
    TDM_SOURCE_OF(Time_Esclusione_Data)
    TDM_SOURCE_OF(ContactID)
    TDM_SOURCE_OF(ContactID_Eventi)
    TDM_SOURCE_OF(FPT)
    TDM_SOURCE_OF(Eventi_Sistema)
#undef TDM_SOURCE_OF
#undef TDM_SOURCE

    m_tipoCentrale = &CDSet_Tabulon->fieldByName(QStringLiteral("_TipoCentrale"));
    CDSet_Log->setIndexFieldNames(QStringLiteral("_DataOra1"));
    // Link lists show their rows in the order of the linked item.
    for (DataSet* links : {CDSet_InLink, CDSet_UserLink, CDSet_Partial, CDSet_Zone})
        links->setIndexFieldNames(QStringLiteral("_ID"));
    installRules();
    installCaps();
    installFileRowLimits();
    installFileChecks();
    prepareDefaults();
    CDSet_Tabulon->open();

    if (!DM)
        DM = this;
}

TDM::~TDM() {
    if (m_created && !m_destroyed) {
        try {
            DataModuleDestroy();
        } catch (...) {
            // A destructor must not throw; DataModuleDestroy reports its own failures.
        }
    }
    if (DM == this)
        DM = nullptr;
}

DataSet* TDM::tableByName(const QString& name) const {
    for (DataSet* t : m_tables) {
        if (t->objectName() == name)
            return t;
    }
    return nullptr;
}

DataSource* TDM::dataSourceOf(DataSet* table) const {
    for (DataSource* s : m_sources) {
        if (s->dataSet() == table)
            return s;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Life cycle

void TDM::DataModuleCreate() {
    m_created = true;

    QString path;
    ValueFault fault = ValueFault::None;
    RegistryKey reg;
    if (reg.openKey(kTabulonRegistryKey, false)) {
        path = reg.textValue(QStringLiteral("DATABASE"), &fault).value_or(QString());
        reg.closeKey();
    }
    DATABASE = path.isEmpty() ? defaultDatabasePath() : path;
    // A path of another type goes as a missing one does, said: the program must still start.
    if (fault == ValueFault::WrongType)
        MessageDlg(
            damagedSettingsText({valueFaultText(QStringLiteral("DATABASE"), fault, false)},
                                QStringLiteral("Viene usato l'archivio delle installazioni iniziale:\n%1")
                                    .arg(QDir::toNativeSeparators(DATABASE))),
            MsgDlgType::Warning, mbOK);

    CDSet_Tabulon->setFileName(DATABASE);
    // A save killed before its last step leaves its temporary copy beside the register: such
    // copies would pile up, one a failed run. Only those are removed, named as no person names
    // a file; a copy the user made, under any other name, stays.
    CDSet_Tabulon->removeLeftoverSaves(DATABASE);
    const QFileInfo database(DATABASE);
    if (database.exists() && !database.isFile()) {
        // A folder or a pipe (opening a pipe would wait for a writer for ever): the register
        // starts empty, and it is kept safe as a damaged file is.
        m_damagedPath = DATABASE;
        MessageDlg(QStringLiteral("Impossibile aprire l'archivio delle installazioni:\n%1\n\n"
                                  "Il percorso non indica un file.\n\n"
                                  "Il programma parte con un archivio vuoto.")
                       .arg(QDir::toNativeSeparators(DATABASE)),
                   MsgDlgType::Error, mbOK);
    } else if (database.exists()) {
        try {
            CDSet_Tabulon->loadFromFile(DATABASE);
            reportLoadRepairs(DATABASE);
        } catch (const FileOpenError& e) {
            // Not damaged, only out of reach (no permission, and the like): nothing of it is
            // known, so no save replaces it while it cannot be read and a copy of it kept.
            m_damagedPath = DATABASE;
            m_damagedUnreadable = true;
            if (!CDSet_Tabulon->active())
                CDSet_Tabulon->open();
            MessageDlg(QStringLiteral("Impossibile leggere l'archivio delle installazioni:\n%1\n\n%2\n\n"
                                      "Il programma parte con un archivio vuoto e il file resta com'è.\n"
                                      "L'archivio non verrà salvato in questo file finché il file non "
                                      "si potrà leggere e conservarne una copia.")
                           .arg(QDir::toNativeSeparators(DATABASE), e.reason()),
                       MsgDlgType::Error, mbOK);
        } catch (const DataSetError& e) {
            // Keep the damaged file as it is: the register starts empty, and saving never
            // writes an empty register over it (see saveRegister). The user is told now where
            // the file will be kept once a save replaces it, so the old data can be found.
            m_damagedPath = DATABASE;
            if (!CDSet_Tabulon->active())
                CDSet_Tabulon->open();
            MessageDlg(QStringLiteral("Impossibile aprire l'archivio delle installazioni:\n%1\n\n%2\n\n"
                                      "Il programma parte con un archivio vuoto e il file resta com'è.\n"
                                      "Quando l'archivio verrà salvato in questo file, il file danneggiato "
                                      "sarà conservato in:\n%3")
                           .arg(QDir::toNativeSeparators(DATABASE), e.message(),
                                fullPath(asideName(DATABASE, kDamagedSuffix))),
                       MsgDlgType::Error, mbOK);
        }
    }

    if (createWindowsHook)
        createWindowsHook(*this);
}

void TDM::DataModuleDestroy() {
    if (m_destroyed)
        return;
    m_destroyed = true;
    postPendingEdits();
    if (m_exitSettled)
        return;
    QString error;
    if (!saveRegister(DATABASE, &error))
        MessageDlg(QStringLiteral("Impossibile salvare l'archivio delle installazioni:\n%1\n\n%2")
                       .arg(QDir::toNativeSeparators(DATABASE), error),
                   MsgDlgType::Error, mbOK);
}

bool TDM::saveBeforeExit(QString* error) {
    postPendingEdits();
    if (!saveRegister(DATABASE, error))
        return false;
    m_exitSettled = true;
    return true;
}

void TDM::postPendingEdits() {
    // Pending edits of any table would be lost with the program: keep them (details first).
    for (auto it = m_tables.rbegin(); it != m_tables.rend(); ++it) {
        DataSet* t = *it;
        if (!t->active() || t->state() == DataSetState::Browse)
            continue;
        try {
            t->post();
        } catch (const DataSetError&) {
            t->cancel();
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Installations

int TDM::GetSystemType() const {
    if (!CDSet_Tabulon->active() || CDSet_Tabulon->isEmpty())
        return 0;
    return Language::systemTypeOfLabel(m_tipoCentrale->asString());
}

void TDM::SelectSystem(int systemType) {
    applyModelDimensions(systemType);
}

void TDM::DeleteMasterRecord() {
    if (!CDSet_Tabulon->active() || CDSet_Tabulon->isEmpty())
        return;
    CDSet_Tabulon->checkBrowseMode();

    ControlsPause pause(*this);
    for (DataSet* t : m_tables) {
        if (t->master() != CDSet_Tabulon)
            continue;
        t->checkBrowseMode();
        t->emptyDataSet();
    }
    CDSet_Tabulon->deleteRecord();
}

// ---------------------------------------------------------------------------------------------
// The register file

bool TDM::saveRegister(const QString& path, QString* error) {
    const QString target = path.isEmpty() ? DATABASE : path;
    if (!m_damagedPath.isEmpty() && sameFile(target, m_damagedPath)) {
        // Nothing to keep: leave the damaged file for whoever can repair it.
        if (CDSet_Tabulon->isEmpty())
            return true;
        if (!saveKeepingOriginal(target, m_damagedPath,
                                 m_damagedUnreadable ? KeptFile::Unreadable : KeptFile::Damaged, error))
            return false;
        m_damagedPath.clear();
        m_damagedUnreadable = false;
        return true;
    }
    for (qsizetype i = 0; i < m_repairedPaths.size(); ++i) {
        if (!sameFile(target, m_repairedPaths.at(i)))
            continue;
        if (!saveKeepingOriginal(target, m_repairedPaths.at(i), KeptFile::Repaired, error))
            return false;
        m_repairedPaths.removeAt(i);
        return true;
    }
    return writeRegisterFile(target, error);
}

// New work must be kept, and so must the file it replaces: a copy of it is made first, and the
// file stays at its place until the new register replaces it whole. A file that cannot be read
// is not replaced at all, since nothing of it could be kept. A save that fails leaves the file
// where it was (the next start reports it again) and takes its copy back, so that failed saves
// do not pile copies up.
bool TDM::saveKeepingOriginal(const QString& target, const QString& original, KeptFile kind, QString* error) {
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    QString aside;
    if (QFileInfo(original).isFile()) {
        QFile readable(original);
        if (!readable.open(QIODevice::ReadOnly))
            return fail(QStringLiteral("Impossibile leggere il file dell'archivio '%1': %2\n"
                                       "Il file non viene sostituito finché non si potrà leggere e "
                                       "conservarne una copia.")
                            .arg(original, readable.errorString()));
        readable.close();
        // The name the start-up message gave, unless taken since.
        aside = asideName(original, kind == KeptFile::Damaged ? kDamagedSuffix : kOriginalSuffix);
        QString reason;
        if (!DataSet::copyFileWhole(original, aside, &reason))
            return fail((kind == KeptFile::Damaged
                             ? QStringLiteral("Impossibile copiare il file danneggiato in %1:\n%2")
                             : QStringLiteral("Impossibile copiare il file dell'archivio in %1:\n%2"))
                            .arg(QDir::toNativeSeparators(aside), reason));
    }
    if (!writeRegisterFile(target, error)) {
        if (!aside.isEmpty())
            QFile::remove(aside);
        return false;
    }
    if (aside.isEmpty())
        return true;
    QString said;
    switch (kind) {
    case KeptFile::Damaged:
        said = QStringLiteral("L'archivio salvato ha sostituito il file danneggiato\n%1\n\n"
                              "Il file danneggiato è conservato, così com'era, in:\n%2");
        break;
    case KeptFile::Unreadable:
        said = QStringLiteral("L'archivio salvato ha sostituito il file che all'avvio non si poteva "
                              "leggere\n%1\n\nQuel file è conservato, così com'era, in:\n%2");
        break;
    case KeptFile::Repaired:
        said = QStringLiteral("L'archivio salvato ha sostituito il file i cui valori erano stati "
                              "corretti\n%1\n\nIl file com'era prima delle correzioni è conservato in:\n%2");
        break;
    }
    MessageDlg(said.arg(fullPath(target), fullPath(aside)), MsgDlgType::Information, mbOK);
    return true;
}

bool TDM::writeRegisterFile(const QString& path, QString* error) {
    try {
        CDSet_Tabulon->checkBrowseMode();
        CDSet_Tabulon->saveToFile(path);
        return true;
    } catch (const DataSetError& e) {
        if (error)
            *error = e.message();
        return false;
    }
}

bool TDM::importRegister(const QString& path, QString* error) {
    try {
        CDSet_Tabulon->checkBrowseMode();
        ControlsPause pause(*this);
        CDSet_Tabulon->loadFromFile(path); // a failed load leaves the register as it was
    } catch (const DataSetError& e) {
        // The register window shows the first line; the rest says why, for whoever logs it.
        if (error)
            *error = QString::fromUtf8(kCatalogMismatch) + QLatin1Char('\n') + e.message();
        return false;
    } catch (const std::bad_alloc&) {
        if (error)
            *error = QString::fromUtf8(kCatalogMismatch) + QStringLiteral("\nnot enough memory");
        return false;
    }
    if (!m_damagedPath.isEmpty() && sameFile(path, m_damagedPath)) {
        m_damagedPath.clear();
        m_damagedUnreadable = false;
    }
    reportLoadRepairs(path);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Row caps

int TDM::rowCap(const DataSet* table) const {
    const ModelDimensions* model = modelDimensions(GetSystemType());
    return rowCapOf(table, model ? *model : currentDimensions());
}

int TDM::rowCapOf(const DataSet* table, const ModelDimensions& d) const {
    const struct {
        const DataSet* table;
        int cap;
    } caps[] = {
        {CDSet_ParVari, 1},
        {CDSet_Ingressi, d.inputsTotal},
        {CDSet_Adattamento, d.adattamento},
        {CDSet_Uscite, d.outputsTotal},
        {CDSet_Utenti, d.users},
        {CDSet_Parziali, d.partitions},
        {CDSet_Group, d.groups},
        {CDSet_Messaggi, d.messages},
        {CDSet_Phone, d.phones},
        {CDSet_ExpIngressi, d.expIn},
        {CDSet_ExpUscite, d.expOut},
        {CDSet_ExpRadio, d.expRadio},
        {CDSet_ExpGSM, d.expGsm},
        {CDSet_ExpIP, d.expLan},
        {CDSet_Tastiere, d.keyboards},
        {CDSet_Prese, d.sockets},
        {CDSet_Leds, d.partitionLedsPerSocket},
        {CDSet_DeviceRadio, d.devRadio},
        {CDSet_DeviceRadio800, d.devRadio800},
        {CDSet_Time_Day, d.timerDays},
        {CDSet_Time_Timers, d.timersPerDay},
        {CDSet_Time_Utenti, d.users},
        {CDSet_Time_Parziali, d.partitions},
        {CDSet_Time_Uscite, d.timerOutputs},
        {CDSet_Time_Esclusione_Data, d.exclusionDates},
        {CDSet_ContactID, d.idcTel},
        {CDSet_ContactID_Eventi, d.idcEventsTotal},
        {CDSet_FPT, d.fpt},
        {CDSet_Eventi_Sistema, d.systemEvents},
    };
    for (const auto& c : caps) {
        if (c.table == table)
            return c.cap;
    }
    return -1; // the register itself, the link tables, the radio zones and the event log
}

// A register file may hold no more rows under one master row than an installation of the
// largest model has, so that a damaged or hostile file is refused before its rows are built.
// The link tables have no fixed count: twice the things they can link bounds them with room
// to spare (a register that no longer loads would be far worse than a few rows too many).
void TDM::installFileRowLimits() {
    for (DataSet* t : m_tables) {
        int limit = 0;
        for (int type = 1; type <= kSystemTypeCount; ++type) {
            const ModelDimensions& d = *modelDimensions(type);
            int cap = rowCapOf(t, d);
            if (t == CDSet_InLink || t == CDSet_Zone || t == CDSet_ZoneRadio)
                cap = 2 * (d.inputsTotal + 1); // the radio inputs' list also has its "no input" row
            else if (t == CDSet_UserLink)
                cap = 2 * d.users;
            else if (t == CDSet_Partial)
                cap = 2 * d.partitions;
            limit = std::max(limit, cap);
        }
        t->setFileRowLimit(t == CDSet_Tabulon ? kMaxInstallations : limit);
    }
}

// What a register file's values must be, beyond what the field rules keep them to as they are
// written: a model the program knows (an installation of another has no layout and no panel
// to talk to), and vocabulary positions of a vocabulary. Texts are kept to their fields' sizes
// by the file reader itself, and times and dates to their form by the field rules.
void TDM::installFileChecks() {
    m_tipoCentrale->setFileDomain(Language::CSL_MainCentral_Combo.mid(1));
    int words = 0;
    for (int type = 1; type <= kSystemTypeCount; ++type)
        words = std::max(words, modelDimensions(type)->messages);
    for (DataSet* t : {CDSet_Ingressi, CDSet_Uscite, CDSet_Parziali, CDSet_Group}) {
        for (int k = 1; k <= 4; ++k) {
            if (Field* position = t->findField(QStringLiteral("_IMsg%1").arg(k)))
                position->setFileRange(-1, words - 1); // -1: no word
        }
    }
}

QString TDM::registerFullText() {
    return QStringLiteral("L'archivio contiene già %1 installazioni, il massimo consentito.\n"
                          "Per una nuova installazione usare un nuovo archivio (New Config).")
        .arg(kMaxInstallations);
}

bool TDM::registerFull() const {
    return CDSet_Tabulon->active() && CDSet_Tabulon->recordCount() >= kMaxInstallations;
}

// Values a register file held that no field may hold as they were, and that were put right as
// the file was read: the user is told which, before working on them, and where the file as it
// was will be kept once a save replaces it (see saveRegister).
void TDM::reportLoadRepairs(const QString& path) {
    m_repairedPaths.removeIf([&](const QString& p) { return sameFile(p, path); });
    const QStringList repairs = CDSet_Tabulon->loadRepairs();
    if (repairs.isEmpty())
        return;
    m_repairedPaths << path;
    MessageDlg(QStringLiteral("Alcuni valori dell'archivio non erano validi e sono stati corretti:\n\n%1\n\n"
                              "Il file resta com'è. Quando l'archivio verrà salvato in questo file, il "
                              "file com'era prima delle correzioni sarà conservato in:\n%2")
                   .arg(repairs.join(QLatin1Char('\n')), fullPath(asideName(path, kOriginalSuffix))),
               MsgDlgType::Warning, mbOK);
}

void TDM::installCaps() {
    for (DataSet* t : m_tables) {
        if (rowCap(t) < 0)
            continue;
        t->beforeInsert = [this](DataSet& ds) {
            if (m_building)
                return true;
            const int cap = rowCap(&ds);
            return cap < 0 || unfilteredCount(ds) < cap;
        };
    }
}

// ---------------------------------------------------------------------------------------------
// 800-range devices

bool TDM::device800Slot(int recNo, int* kind, int* slot) {
    struct Range {
        int first, last, kind, offset;
    };
    static const Range ranges[] = {
        {1, 20, SlotTelec, 1},   {21, 24, SlotSirena, 21}, {25, 56, SlotDevice, 25},
        {57, 76, SlotTelec, 37}, {77, 80, SlotSirena, 73}, {81, 112, SlotDevice, 49},
    };
    for (const Range& r : ranges) {
        if (recNo >= r.first && recNo <= r.last) {
            *kind = r.kind;
            *slot = recNo - r.offset;
            return true;
        }
    }
    return false;
}

void TDM::CDSet_DeviceRadio800_NomeValidate(Field& sender) {
    DataSet* table = sender.dataSet();
    // The slot belongs to the device, not to its place in the page's filtered view: the tab
    // filters are on whenever a name is typed, so the row's own number `_ID` is taken, and
    // the record number only when `_ID` does not name a device.
    int device = table->fieldByName(QStringLiteral("_ID")).asInteger();
    if (device < 1 || device > C_NUM_DEVRADIO800)
        device = table->recNo();
    int kind = 0;
    int slot = 0;
    if (device800Slot(device, &kind, &slot) && device800NameHook)
        device800NameHook(kind, slot, sender.asString());
}

void TDM::DefaultOpzioniRadio800() {
    for (const auto& [field, value] : m_radio800Defaults)
        field->setValue(value);
}

// ---------------------------------------------------------------------------------------------

TDM::ControlsPause::ControlsPause(TDM& dm) : m_dm(dm) {
    for (DataSet* t : m_dm.m_tables)
        t->disableControls();
}

TDM::ControlsPause::~ControlsPause() {
    for (DataSet* t : m_dm.m_tables)
        t->enableControls();
}
