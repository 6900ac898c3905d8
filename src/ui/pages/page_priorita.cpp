#include "ui/pages/page_priorita.h"

#include "model/lang.h"
#include "ui/pages/paramform.h"

#include <QGroupBox>
#include <QHBoxLayout>

TPagePriorita::TPagePriorita(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet43"));
    QGroupBox* outer =
        ParamForm::pageFrame(this, QStringLiteral("GroupBoxPriorita"), QStringLiteral("PRIORITA'"));
    auto* row = new QHBoxLayout(outer);
    row->setContentsMargins(12, 10, 12, 10);
    row->setSpacing(14);
    // The carriers in the order the panel tries them: first choice "#1" .. last "#4".
    const char* const names[] = {"DBRadioGroup3", "DBRadioGroup5", "DBRadioGroup6", "DBRadioGroup7"};
    for (int i = 0; i < 4; ++i) {
        const QString name = QString::fromLatin1(names[i]);
        DBRadioGroup* g =
            ParamForm::radioGroup(outer, name, QStringLiteral("#%1").arg(i + 1), ParamForm::tabulon(),
                                  QStringLiteral("_Net_Priority%1").arg(i + 1), Lang::ComboItems(name));
        g->setMinimumWidth(120);
        row->addWidget(g, 0, Qt::AlignTop);
    }
}

#include "moc_page_priorita.cpp"
