#include "ui/pages/page_telefoni.h"

#include "ui/pagecontrol.h"

#include <QVBoxLayout>

TPageTelefoni::TPageTelefoni(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet3"));
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(4, 4, 4, 4);
    PageControl_telefoni = new TPageControl(QStringLiteral("PageControl_telefoni"), this);
    lay->addWidget(PageControl_telefoni);
    TabSheet29 = new QWidget;
    TabSheet29->setObjectName(QStringLiteral("TabSheet29"));
    PageControl_telefoni->addPage(TabSheet29, QStringLiteral("RUBRICA"));
    TabSheet30 = new QWidget;
    TabSheet30->setObjectName(QStringLiteral("TabSheet30"));
    PageControl_telefoni->addPage(TabSheet30, QStringLiteral("PARAMETRI DI CHIAMATA"));
}

#include "moc_page_telefoni.cpp"
