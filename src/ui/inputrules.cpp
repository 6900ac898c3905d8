#include "ui/inputrules.h"

#include "model/datamodule.h"
#include "model/dimensions.h"
#include "model/lang.h"
#include "platform/dataset.h"
#include "ui/multiapply.h"

namespace InputRules {
namespace {

const QString kTipo = QStringLiteral("_TipoIngresso");

// Wiring positions of the 23-entry list: 0..15 one zone, 16..21 two zones, 22 three zones.
constexpr int kFirstTwoZone = 16;
constexpr int kThreeZone = 22;

// Wiring position of input `recNo`, read by position; -1 when out of range or not in the list.
int wiringOf(const DataSet& inputs, int recNo) {
    if (recNo < 1 || recNo > inputs.recordCount())
        return -1;
    return wiringPosition(inputs.stringAt(recNo, inputs.fieldByName(kTipo).index()));
}

// A text absent from the list is below neither limit.
bool below(int position, int limit) {
    return position >= 0 && position < limit;
}

bool isNotConfiguredOrRadio(const QString& wiring) {
    return Lang::ListaTipoIngresso_TAVEK_MIRUNNR.contains(wiring);
}

void setWiring(DataSet& inputs, const QString& wiring) {
    inputs.edit();
    inputs.fieldByName(kTipo).setAsString(wiring);
}

} // namespace

int pairingStep(int systemType) {
    const ModelFeatures* model = modelFeatures(systemType);
    return model ? model->zonePairingStep : 0;
}

int wiringPosition(const QString& wiring) {
    return int(Lang::ListaTipoIngresso_TAVEK_MIRUN.indexOf(wiring));
}

bool ExpInActive(const DataSet& expIngressi) {
    const Field* enable = expIngressi.findField(QStringLiteral("_Enable"));
    if (!enable || !expIngressi.active())
        return false;
    for (int r = 1; r <= expIngressi.recordCount(); ++r)
        if (expIngressi.booleanAt(r, enable->index()))
            return true;
    return false;
}

bool ExpInActive() {
    return DM && ExpInActive(*DM->CDSet_ExpIngressi);
}

const QStringList* SelectList(const DataSet& inputs, int inputNo, int systemType, bool expanderActive) {
    const QStringList* base = &Lang::ListaTipoIngresso_TAVEK_MIRUN;
    const QStringList* r1 = &Lang::ListaTipoIngresso_TAVEK_MIRUNR1;
    const QStringList* nr = &Lang::ListaTipoIngresso_TAVEK_MIRUNNR;
    const ModelFeatures* model = modelFeatures(systemType);
    if (!model)
        return nullptr;
    const int k = model->zonePairingStep;
    if (k == 0)
        return r1; // inputs wired one by one
    const int n = inputNo;
    if (expanderActive)
        return n >= 1 && n <= 4 * k ? r1 : nr;
    if (n >= 1 && n <= k)
        return base;
    if (n > k && n <= 2 * k)
        return below(wiringOf(inputs, n - k), kFirstTwoZone) ? r1 : nullptr;
    if (n > 2 * k && n <= 3 * k)
        return below(wiringOf(inputs, n - 2 * k), kThreeZone) ? r1 : nullptr;
    if (n > 3 * k && n <= 4 * k)
        return r1;
    if (n > 4 * k && n <= 64)
        return nr;
    return nullptr;
}

void pairWiring(DataSet& inputs, int systemType, bool expanderActive, const QString& chosen) {
    const int k = pairingStep(systemType);
    const int n = inputs.recNo();
    if (k == 0 || n > k || expanderActive) {
        MultiApply::postIfEditing(inputs);
        return;
    }
    const int p = wiringPosition(chosen);
    if (p > kThreeZone)
        return;
    const QString free = Lang::ListaTipoIngresso_TAVEK_MIRUN.value(0);
    auto valid = [&](int recNo) { return recNo <= inputs.recordCount(); };
    auto storedAt = [&](int recNo) { return inputs.stringAt(recNo, inputs.fieldByName(kTipo).index()); };

    if (p < kFirstTwoZone) {
        // The paired inputs are freed; a second input that is not in use stops the walk.
        if (valid(n + k) && !isNotConfiguredOrRadio(storedAt(n + k))) {
            inputs.setRecNo(n + k);
            setWiring(inputs, free);
            if (valid(n + 2 * k)) {
                inputs.setRecNo(n + 2 * k);
                if (!isNotConfiguredOrRadio(storedAt(n + 2 * k)))
                    setWiring(inputs, free);
            }
            MultiApply::postIfEditing(inputs);
        }
    } else if (p < kThreeZone) {
        if (valid(n + k)) {
            inputs.setRecNo(n + k);
            setWiring(inputs, chosen);
        }
        if (valid(n + 2 * k)) {
            inputs.setRecNo(n + 2 * k);
            if (!isNotConfiguredOrRadio(storedAt(n + 2 * k)))
                setWiring(inputs, free);
        }
        MultiApply::postIfEditing(inputs);
    } else {
        for (int r : {n + k, n + 2 * k}) {
            if (!valid(r))
                continue;
            inputs.setRecNo(r);
            setWiring(inputs, chosen);
        }
        MultiApply::postIfEditing(inputs);
    }
    inputs.setRecNo(n);
}

// ---- keypad terminals -------------------------------------------------------------------

int GetM1M2Key(const DataSet& keypads, const QString& name) {
    const Field* m1 = keypads.findField(QStringLiteral("_M1"));
    const Field* m2 = keypads.findField(QStringLiteral("_M2"));
    if (!m1 || !m2 || !keypads.active())
        return 0;
    for (int r = 1; r <= keypads.recordCount(); ++r)
        if (keypads.stringAt(r, m1->index()) == name || keypads.stringAt(r, m2->index()) == name)
            return r;
    return 0;
}

int GetM1M2Key(const QString& name) {
    return DM ? GetM1M2Key(*DM->CDSet_Tastiere, name) : 0;
}

bool TestKeyM2M2(const DataSet& keypads, const QString& name) {
    return GetM1M2Key(keypads, name) != 0;
}

bool TestKeyM2M2(const QString& name) {
    return DM && TestKeyM2M2(*DM->CDSet_Tastiere, name);
}

QStringList& GetListM1M2(QStringList& list) {
    list.append(Lang::WiringNotConfigured());
    if (!DM)
        return list;
    const DataSet& keypads = *DM->CDSet_Tastiere;
    auto offer = [&](const DataSet& table, int from, int to) {
        const Field* name = table.findField(QStringLiteral("_Nome"));
        if (!name)
            return;
        for (int r = from; r <= to && r <= table.recordCount(); ++r) {
            const QString n = table.stringAt(r, name->index());
            if (!TestKeyM2M2(keypads, n))
                list.append(n);
        }
    };
    offer(*DM->CDSet_Ingressi, C_NUM_INPUTS_ONBOARD + 1, C_NUM_INPUTS_WIRE);
    offer(*DM->CDSet_Uscite, C_NUM_OUTPUTS_ONBOARD + 1, DM->CDSet_Uscite->recordCount());
    return list;
}

bool inputOnKeypad(const TDM& dm, int inputNo) {
    const DataSet& inputs = *dm.CDSet_Ingressi;
    const DataSet& outputs = *dm.CDSet_Uscite;
    const DataSet& keypads = *dm.CDSet_Tastiere;
    if (inputNo < 1 || inputNo > inputs.recordCount() || !keypads.active())
        return false;
    const int nameIdx = inputs.fieldByName(QStringLiteral("_Nome")).index();
    const QString name = inputs.stringAt(inputNo, nameIdx);
    if (name.isEmpty() || !TestKeyM2M2(keypads, name))
        return false;
    const int outNameIdx = outputs.fieldByName(QStringLiteral("_Nome")).index();
    for (int r = 1; r <= outputs.recordCount(); ++r)
        if (outputs.stringAt(r, outNameIdx) == name)
            return false; // the terminal means that output
    for (int r = 1; r < inputNo; ++r)
        if (inputs.stringAt(r, nameIdx) == name)
            return false; // an earlier input of the same name is the one bound
    return true;
}

} // namespace InputRules
