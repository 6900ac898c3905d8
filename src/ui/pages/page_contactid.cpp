#include "ui/pages/page_contactid.h"

#include "ui/pagecontrol.h"

#include <QVBoxLayout>

TPageContactID::TPageContactID(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet12"));
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(4, 4, 4, 4);
    PageControl_FPT = new TPageControl(QStringLiteral("PageControl_FPT"), this);
    lay->addWidget(PageControl_FPT);
    TabSheet33 = new QWidget;
    TabSheet33->setObjectName(QStringLiteral("TabSheet33"));
    PageControl_FPT->addPage(TabSheet33, QStringLiteral("CODICI IMPIANTO\\TEL"));
    TabSheet24 = new QWidget;
    TabSheet24->setObjectName(QStringLiteral("TabSheet24"));
    PageControl_FPT->addPage(TabSheet24, QStringLiteral("EVENTI CID"));
    TabSheet25 = new QWidget;
    TabSheet25->setObjectName(QStringLiteral("TabSheet25"));
    PageControl_FPT->addPage(TabSheet25, QStringLiteral("CODICI 4+2"));
    TabSheet34 = new QWidget;
    TabSheet34->setObjectName(QStringLiteral("TabSheet34"));
    PageControl_FPT->addPage(TabSheet34, QStringLiteral("PARAMETRI"));
    TabSheet36 = new QWidget;
    TabSheet36->setObjectName(QStringLiteral("TabSheet36"));
    PageControl_FPT->addPage(TabSheet36, QStringLiteral("PARAMETRI DI SISTEMA"));
}

#include "moc_page_contactid.cpp"
