#include "ui/pages/page_pstn.h"

#include "model/lang.h"
#include "ui/pages/paramform.h"

#include <QGroupBox>

using namespace ParamForm;

namespace {
QString S(const char* text) {
    return QString::fromUtf8(text);
}
} // namespace

TPagePSTN::TPagePSTN(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet22"));
    QGroupBox* outer = pageFrame(this, S("GroupBoxPSTN"), S("PSTN"));

    using Kind = DBCheckBox::Kind;
    DataSource* root = tabulon();
    auto onOff = [&](const char* boxName, const char* caption, const char* name, const char* field) {
        return boxed(outer, S(boxName), S(caption), checkBox(outer, S(name), root, S(field), Kind::OnOff));
    };
    auto list = [&](const char* boxName, const char* caption, const char* name, const char* field,
                    const QStringList& items) {
        return boxed(outer, S(boxName), S(caption), comboBox(outer, S(name), root, S(field), items));
    };

    BoxGrid grid(outer, 3);
    grid.add(onOff("GroupBoxLineControl", "Abilita controllo linea", "DBCheckBox8", "_PSTN_LineControl"));
    QGroupBox* dialtone = group(outer, S("GroupBoxDialtone"), S("Abilita controllo dialtone"));
    addRow(dialtone, checkBox(dialtone, S("DBCheckBox4"), root, S("_PSTN_dialtoneControl"), Kind::OnOff));
    addRow(dialtone, S("Ritardo"),
           comboBox(dialtone, S("DBComboBox41"), root, S("_PSTN_CallDelay"), secondItems(9)));
    grid.add(dialtone);
    grid.add(onOff("GroupBoxPSTNNotify", "PSTN ON/OFF", "DBCheckBox3", "_PSTN_Notify"));
    grid.add(list("GroupBoxAmpDTMF", "Ampiezza DTMF su PSTN", "DBComboBox26", "_PSTN_AmpDTMF",
                  Lang::NumberItems(0, 1)));
    grid.add(list("GroupBox80", "Salto segreteria", "DBComboBox27", "_PSTN_SkypSegretery",
                  Lang::NumberItems(0, 10)));
    grid.add(list("GroupBoxPauseRingB", "Pausa Ringback", "DBComboBox25", "_PSTN_PauseRingB",
                  tenthsOfSecondItems(99)));
    grid.add(onOff("GroupBoxCtrlRingB", "Controllo RingBack", "DBCheckBox5", "_PSTN_CtrlRingB"));
    grid.add(list("GroupBox46", "Priorita' CONTACT ID", "DBComboBox8", "_PSTN_ContactIdPriority",
                  Lang::ComboItems(S("DBComboBox8"))));
    grid.add(list("GroupBox45", "Priorita voce", "DBComboBox4", "_PSTN_VoicePriority",
                  Lang::ComboItems(S("DBComboBox4"))));
}

#include "moc_page_pstn.cpp"
