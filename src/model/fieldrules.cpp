// The field rules of the data module: values that follow other values, copies kept in step,
// texts normalised, warnings on user codes.
#include "model/fieldrules.h"

#include "model/datamodule.h"
#include "model/dimensions.h"
#include "model/lang.h"
#include "model/transferflags.h"
#include "platform/cp1252.h"
#include "platform/dataset.h"
#include "platform/dialogs.h"

#include <memory>

namespace FieldRules {
namespace {

// The numeric parts of a masked text. The mask's blanks ("_" or spaces) are dropped; any
// other character that is not a digit separates parts, so the locale's separator, ':' and
// '/' are all accepted. A run of digits without separators is read in pairs ("1230" = 12, 30).
QList<int> numericParts(const QString& text, int expected) {
    QStringList parts;
    QString current;
    bool separated = false;
    for (QChar c : text) {
        if (c.isDigit()) {
            current.append(c);
        } else if (c == QLatin1Char('_') || c.isSpace()) {
            continue;
        } else {
            parts.append(current);
            current.clear();
            separated = true;
        }
    }
    parts.append(current);
    if (!separated && current.size() == 2 * expected) {
        parts.clear();
        for (int i = 0; i < expected; ++i)
            parts.append(current.mid(2 * i, 2));
    }

    QList<int> values;
    if (parts.size() != expected)
        return values;
    for (const QString& p : parts) {
        if (p.isEmpty() || p.size() > 2)
            return {};
        values.append(p.toInt());
    }
    return values;
}

QString joined(const QList<int>& values, QChar separator) {
    QString out;
    for (int i = 0; i < values.size(); ++i) {
        if (i)
            out.append(separator);
        out.append(QStringLiteral("%1").arg(values.at(i), 2, 10, QLatin1Char('0')));
    }
    return out;
}

QString normalise(const QString& text, QChar separator, const QList<int>& limits) {
    QList<int> values = numericParts(text, int(limits.size()));
    if (values.isEmpty())
        values = QList<int>(limits.size(), 0);
    for (int i = 0; i < values.size(); ++i)
        values[i] = qMin(values.at(i), limits.at(i));
    return joined(values, separator);
}

} // namespace

QString normaliseTimeOfDay(const QString& text, QChar separator) {
    return normalise(text, separator, {23, 59});
}

QString normaliseDayMonth(const QString& text, QChar separator) {
    return normalise(text, separator, {31, 12});
}

QString normaliseDuration(const QString& text, QChar separator) {
    return normalise(text, separator, {99, 59, 59});
}

} // namespace FieldRules

namespace {

// Stored times and dates carry ':' and '/' whatever the locale shows (see platform/editmask.h).
constexpr QChar kTimeSeparator = QLatin1Char(':');
constexpr QChar kDateSeparator = QLatin1Char('/');

const QString kDuplicateCode = QStringLiteral("ATTENZIONE: CODICE GIA' ASSEGNATO AD UN ALTRO UTENTE");
const QString kInstallerCode = QStringLiteral("ATTENZIONE: CODICE UGUALE AL CODICE TECNICO");
const QString kResetCode = QStringLiteral("ATTENZIONE: CODICE UGUALE AL CODICE RESET CHIAMATE");

// Writes one value into record `recNo` of `table` without moving the table's cursor.
void writeAt(DataSet& table, int recNo, const QString& fieldName, const QVariant& value) {
    if (table.state() != DataSetState::Browse && table.recNo() == recNo) {
        table.fieldByName(fieldName).setValue(value);
        return;
    }
    std::unique_ptr<DataSet> cursor = table.cloneCursor();
    cursor->setRecNo(recNo);
    cursor->edit();
    cursor->fieldByName(fieldName).setValue(value);
    cursor->post();
}

// Rewrites a field with its normal form, only when that differs (so the rule stops at once
// when the write triggers it again).
void normaliseField(Field& f, QString (*normaliser)(const QString&, QChar), QChar separator) {
    const QString text = f.asString();
    const QString normal = normaliser(text, separator);
    if (normal != text)
        f.setAsString(normal);
}

} // namespace

void TDM::installRules() {
    // Inputs.
    CDSet_Ingressi->fieldByName(QStringLiteral("_FuncIngresso")).onChange = [](Field& f) {
        // Only the functions that switch partitions let the partition flags be set.
        Field& enable = f.dataSet()->fieldByName(QStringLiteral("_EnablePzX"));
        const bool partitions = Lang::IsPartitionFunction(f.asString());
        if (enable.isNull() || enable.asBoolean() != partitions)
            enable.setAsBoolean(partitions);
    };
    CDSet_Ingressi->fieldByName(QStringLiteral("_LinkUser")).onChange = [this](Field& f) {
        // The user is the current row of the users table when its name matches (the lookup
        // editor puts it there); otherwise the first user of that name; 0 when none.
        const QString name = f.asString();
        int id = 0;
        if (!name.isEmpty()) {
            const Field& userName = CDSet_Utenti->fieldByName(QStringLiteral("_Nome"));
            if (!CDSet_Utenti->isEmpty() && userName.asString() == name) {
                id = CDSet_Utenti->fieldByName(QStringLiteral("_ID")).asInteger();
            } else {
                const int nameIdx = userName.index();
                const int idIdx = CDSet_Utenti->fieldByName(QStringLiteral("_ID")).index();
                for (int r = 1; r <= CDSet_Utenti->recordCount(); ++r) {
                    if (CDSet_Utenti->stringAt(r, nameIdx) == name) {
                        id = CDSet_Utenti->integerAt(r, idIdx);
                        break;
                    }
                }
            }
        }
        f.dataSet()->fieldByName(QStringLiteral("_LinkUserID")).setAsInteger(id);
    };
    CDSet_Ingressi->fieldByName(QStringLiteral("_TipoIngresso")).onChange = [this](Field& f) {
        if (m_building)
            return;
        DataSet* inputs = f.dataSet();
        syncRadioZone(inputs->recNo(), f.asString(), inputs->fieldByName(QStringLiteral("_Nome")).asString());
    };
    CDSet_Ingressi->fieldByName(QStringLiteral("_Nome")).onChange = [this](Field& f) {
        if (m_building)
            return;
        followInputName(f.dataSet()->recNo(), f.asString());
    };

    // Outputs.
    CDSet_Uscite->fieldByName(QStringLiteral("_FunzioneUscita")).onChange = [](Field& f) {
        Field& enable = f.dataSet()->fieldByName(QStringLiteral("_EnableAssociaTelx"));
        const bool pilot = f.asString() == Lang::PilotFunction();
        if (enable.isNull() || enable.asBoolean() != pilot)
            enable.setAsBoolean(pilot);
    };

    // Vocabulary.
    CDSet_Messaggi->fieldByName(QStringLiteral("_Messaggio")).onChange = [this](Field& f) {
        if (m_building)
            return;
        DataSet* words = f.dataSet();
        const Field& id = words->fieldByName(QStringLiteral("_ID"));
        rewriteMessageCopies(id.isNull() ? words->recNo() - 1 : id.asInteger(), f.asString());
        ShortList = false; // the panel's vocabulary no longer matches
    };
    // The panel stores its words in Windows-1252: a character it cannot hold is refused
    // rather than sent as '?'.
    CDSet_Messaggi->fieldByName(QStringLiteral("_Messaggio")).onValidate = [](Field& f) {
        for (const QChar c : f.asString())
            if (windows1252Byte(c) < 0)
                throw DataSetError(
                    QStringLiteral("Il carattere \"%1\" non può far parte di un vocabolo.").arg(c));
    };

    // Times and dates are kept in one form, whoever writes them; a register file's are put in
    // that form as it is read.
    const struct {
        DataSet* table;
        const char* field;
        QString (*normaliser)(const QString&, QChar);
        QChar separator;
    } normalised[] = {
        {CDSet_Uscite, "_PulseDuration", &FieldRules::normaliseDuration, kTimeSeparator},
        {CDSet_Uscite, "_PulseDelay", &FieldRules::normaliseDuration, kTimeSeparator},
        {CDSet_Time_Timers, "_Ora", &FieldRules::normaliseTimeOfDay, kTimeSeparator},
        {CDSet_Time_Esclusione_Data, "_Data1", &FieldRules::normaliseDayMonth, kDateSeparator},
        {CDSet_Time_Esclusione_Data, "_Data2", &FieldRules::normaliseDayMonth, kDateSeparator},
    };
    for (const auto& n : normalised) {
        Field& field = n.table->fieldByName(QString::fromLatin1(n.field));
        field.onChange = [n](Field& f) { normaliseField(f, n.normaliser, n.separator); };
        field.setFileRepair([n](const QString& text) { return n.normaliser(text, n.separator); });
    }

    // Users and 800-range devices.
    CDSet_Utenti->fieldByName(QStringLiteral("_Codice")).onChange = [this](Field& f) {
        CDSet_Utenti_CodiceChange(f);
    };
    CDSet_DeviceRadio800->fieldByName(QStringLiteral("_Nome")).onValidate = [this](Field& f) {
        CDSet_DeviceRadio800_NomeValidate(f);
    };

    FieldRules::installInputChecks(*this);
}

void TDM::CDSet_Utenti_CodiceChange(Field& sender) {
    if (StateTrasfert || m_building)
        return;

    // With four-digit codes the panel uses only the first four digits.
    const bool fourDigits = !CDSet_ParVari->isEmpty() &&
                            CDSet_ParVari->fieldByName(QStringLiteral("_Lunghezza_codici")).asInteger() == 1;
    auto effective = [fourDigits](QString code) {
        code.remove(QLatin1Char('_'));
        code.remove(QLatin1Char(' '));
        return fourDigits ? code.left(4) : code;
    };

    const QString code = effective(sender.asString());
    if (code.isEmpty())
        return;

    DataSet* users = sender.dataSet();
    const int self = users->recNo();
    const int idx = sender.index();
    for (int r = 1; r <= users->recordCount(); ++r) {
        if (r != self && effective(users->stringAt(r, idx)) == code) {
            MessageDlg(kDuplicateCode, MsgDlgType::Warning, mbOK);
            return;
        }
    }
    if (code == effective(CDSet_Tabulon->fieldByName(QStringLiteral("_PswInstallatore")).asString()))
        MessageDlg(kInstallerCode, MsgDlgType::Warning, mbOK);
    else if (code == effective(CDSet_Tabulon->fieldByName(QStringLiteral("_PswReset")).asString()))
        MessageDlg(kResetCode, MsgDlgType::Warning, mbOK);
}

void TDM::syncRadioZone(int input, const QString& wiring, const QString& name) {
    if (input < 1)
        return;
    const bool radio = wiring == Lang::WiringRadio();

    std::unique_ptr<DataSet> zones = CDSet_ZoneRadio->cloneCursor();
    Field& id = zones->fieldByName(QStringLiteral("_ID"));
    Field& zoneName = zones->fieldByName(QStringLiteral("_Nome"));
    const int idIdx = id.index();

    // The first row is the "no input" choice of the channel editors.
    if (zones->isEmpty() || zones->integerAt(1, idIdx) != 0) {
        zones->first();
        zones->insert();
        id.setAsInteger(0);
        zoneName.setAsString(QString());
        zones->post();
    }

    int found = 0;
    int before = 0;
    for (int r = 2; r <= zones->recordCount(); ++r) {
        const int zone = zones->integerAt(r, idIdx);
        if (zone == input)
            found = r;
        else if (zone > input && before == 0)
            before = r;
    }

    if (radio && found == 0) {
        if (before) {
            zones->setRecNo(before);
            zones->insert();
        } else {
            zones->append();
        }
        id.setAsInteger(input);
        zoneName.setAsString(name);
        zones->post();
    } else if (!radio && found != 0) {
        zones->setRecNo(found);
        zones->deleteRecord();
    }
}

void TDM::followInputName(int input, const QString& name) {
    if (input < 1)
        return;
    // The Contact ID event of input n is row (fixed events + n).
    const int eventRow = C_NUM_IDC_EVENTS + input;
    if (eventRow <= CDSet_ContactID_Eventi->recordCount())
        writeAt(*CDSet_ContactID_Eventi, eventRow, QStringLiteral("_Nome"), name);

    const int idIdx = CDSet_ZoneRadio->fieldByName(QStringLiteral("_ID")).index();
    for (int r = 2; r <= CDSet_ZoneRadio->recordCount(); ++r) {
        if (CDSet_ZoneRadio->integerAt(r, idIdx) == input) {
            writeAt(*CDSet_ZoneRadio, r, QStringLiteral("_Nome"), name);
            break;
        }
    }
}

void TDM::rewriteMessageCopies(int messageId, const QString& text) {
    const struct {
        DataSet* table;
        int copies;
    } holders[] = {{CDSet_Ingressi, 4}, {CDSet_Uscite, 4}, {CDSet_Parziali, 1}, {CDSet_Group, 4}};

    for (const auto& h : holders) {
        DataSet& t = *h.table;
        for (int k = 1; k <= h.copies; ++k) {
            const QString msgName = QStringLiteral("_Msg%1").arg(k);
            const Field& msg = t.fieldByName(msgName);
            const int indexIdx = t.fieldByName(QStringLiteral("_IMsg%1").arg(k)).index();
            const QString stored = text.left(msg.size());
            for (int r = 1; r <= t.recordCount(); ++r) {
                const QVariant index = t.valueAt(r, indexIdx);
                if (!index.isValid() || index.toInt() != messageId)
                    continue;
                if (t.stringAt(r, msg.index()) != stored)
                    writeAt(t, r, msgName, stored);
            }
        }
    }
}
