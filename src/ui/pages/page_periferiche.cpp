#include "ui/pages/page_periferiche.h"

#include "ui/pagecontrol.h"

#include <QVBoxLayout>

TPagePeriferiche::TPagePeriferiche(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet5"));
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(4, 4, 4, 4);
    PageControl_Periferiche = new TPageControl(QStringLiteral("PageControl_Periferiche"), this);
    lay->addWidget(PageControl_Periferiche);
    TabSheet23 = new QWidget;
    TabSheet23->setObjectName(QStringLiteral("TabSheet23"));
    PageControl_Periferiche->addPage(TabSheet23, QStringLiteral("Espansioni"));
    TabSheetTastierePrese = new QWidget;
    TabSheetTastierePrese->setObjectName(QStringLiteral("TabSheetTastierePrese"));
    PageControl_Periferiche->addPage(TabSheetTastierePrese, QStringLiteral("Tastiere/Prese"));
}

#include "moc_page_periferiche.cpp"
