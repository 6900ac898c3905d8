#include "ui/pages/page_wireless.h"

#include "ui/pagecontrol.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

TPageWireless::TPageWireless(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet10"));
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(4, 4, 4, 4);
    PageControl1 = new TPageControl(QStringLiteral("PageControl1"), this);
    lay->addWidget(PageControl1);
    TabSheet44 = new QWidget;
    TabSheet44->setObjectName(QStringLiteral("TabSheet44"));
    PageControl1->addPage(TabSheet44, QStringLiteral("433 Mhz"));
    TabSheet45 = new QWidget;
    TabSheet45->setObjectName(QStringLiteral("TabSheet45"));
    PageControl1->addPage(TabSheet45, QStringLiteral("868 Mhz"));

    auto* lay45 = new QVBoxLayout(TabSheet45);
    lay45->setContentsMargins(4, 4, 4, 4);
    GroupBox139 = new QGroupBox(TabSheet45);
    GroupBox139->setObjectName(QStringLiteral("GroupBox139"));
    lay45->addWidget(GroupBox139);
    auto* lay139 = new QHBoxLayout(GroupBox139);
    lay139->setContentsMargins(4, 4, 4, 4);
    PageControl2 = new TPageControl(QStringLiteral("PageControl2"), GroupBox139);
    PageControl2->setFixedWidth(559);
    lay139->addWidget(PageControl2);
    lay139->addStretch(1);
    TabSheet46 = new QWidget;
    TabSheet46->setObjectName(QStringLiteral("TabSheet46"));
    PageControl2->addPage(TabSheet46, QStringLiteral("TELECOMANDI"));
    TabSheet47 = new QWidget;
    TabSheet47->setObjectName(QStringLiteral("TabSheet47"));
    PageControl2->addPage(TabSheet47, QStringLiteral("SIRENE"));
    TabSheet48 = new QWidget;
    TabSheet48->setObjectName(QStringLiteral("TabSheet48"));
    PageControl2->addPage(TabSheet48, QStringLiteral("SENSORI"));
}

#include "moc_page_wireless.cpp"
