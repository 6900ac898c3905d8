#include "ui/pages/page_bloccoins.h"

#include "ui/pages/paramform.h"

#include <QGroupBox>

TPageBloccoIns::TPageBloccoIns(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet14"));
    QGroupBox* outer = ParamForm::pageFrame(this, QStringLiteral("GroupBoxBloccoVisualizzazione"),
                                            QStringLiteral("BLOCCO VISUALIZZAZIONE"));

    // One box per condition that blocks arming, each with its ON/OFF box on the parameter row.
    const struct {
        const char* box;
        const char* caption;
        const char* name;
        const char* field;
    } conditions[] = {
        {"GroupBoxBlkNo220", "MANCANZA TENSIONE AC", "DBCheckBox42", "_BLKNO220"},
        {"GroupBoxBlkBatteria", "BATTERIA", "DBCheckBox43", "_BLKbatteria"},
        {"GroupBoxBlkGSM", "MANCANZA CAMPO GSM", "DBCheckBox47", "_BLKGSM"},
        {"GroupBoxBlkTamperPer", "TAMPER PERIFERICA", "DBCheckBox46", "_BLKTamperPeriferica"},
        {"GroupBoxBlkTamperLinea", "TAMPER LINEA", "DBCheckBox45", "_BLKTamperLinea"},
        {"GroupBoxBlkTamper", "TAMPER", "DBCheckBox44", "_BLKTamper"},
        {"GroupBox55", "MANCANZA LINEA PSTN TEST", "DBCheckBox7", "_BLKPSTN"},
        {"GroupBoxBlkInterconnessione", "guasto interconnessione", "DBCheckBox12",
         "_BLKGuastoInterconnessione"},
        {"GroupBoxBlkRadio", "BLOCCO INATTIVITà RADIO", "DBCheckBox107", "_BLKNORadioActiv"},
    };
    ParamForm::BoxGrid grid(outer, 3);
    for (const auto& c : conditions) {
        DBCheckBox* box = ParamForm::checkBox(outer, QString::fromLatin1(c.name), ParamForm::parVari(),
                                              QString::fromLatin1(c.field), DBCheckBox::Kind::OnOff);
        QGroupBox* g = ParamForm::boxed(outer, QString::fromLatin1(c.box), QString::fromUtf8(c.caption), box);
        g->setMinimumWidth(230);
        grid.add(g);
    }
}

#include "moc_page_bloccoins.cpp"
