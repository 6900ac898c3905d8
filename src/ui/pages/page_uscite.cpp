#include "ui/pages/page_uscite.h"

#include "ui/pagecontrol.h"

#include <QVBoxLayout>

TPageUscite::TPageUscite(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet2"));
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(4, 4, 4, 4);
    PageControl_Uscite = new TPageControl(QStringLiteral("PageControl_Uscite"), this);
    lay->addWidget(PageControl_Uscite);
    TabSheet19 = new QWidget;
    TabSheet19->setObjectName(QStringLiteral("TabSheet19"));
    PageControl_Uscite->addPage(TabSheet19, QStringLiteral("Messaggi"));
    TabSheet20 = new QWidget;
    TabSheet20->setObjectName(QStringLiteral("TabSheet20"));
    PageControl_Uscite->addPage(TabSheet20, QStringLiteral("Funzioni/Condizione di funzionamento"));
    TabSheet21 = new QWidget;
    TabSheet21->setObjectName(QStringLiteral("TabSheet21"));
    PageControl_Uscite->addPage(TabSheet21, QStringLiteral("Assegna Telefoni"));
    TabSheet35 = new QWidget;
    TabSheet35->setObjectName(QStringLiteral("TabSheet35"));
    PageControl_Uscite->addPage(TabSheet35, QStringLiteral("Associazioni"));
}

#include "moc_page_uscite.cpp"
