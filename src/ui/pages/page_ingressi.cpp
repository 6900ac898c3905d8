#include "ui/pages/page_ingressi.h"

#include "ui/pagecontrol.h"

#include <QVBoxLayout>

TPageIngressi::TPageIngressi(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet1"));
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(4, 4, 4, 4);
    PageControl_Ingressi = new TPageControl(QStringLiteral("PageControl_Ingressi"), this);
    lay->addWidget(PageControl_Ingressi);
    TabSheet15 = new QWidget;
    TabSheet15->setObjectName(QStringLiteral("TabSheet15"));
    PageControl_Ingressi->addPage(TabSheet15, QStringLiteral("Messaggi"));
    TabSheetIngFunzioni = new QWidget;
    TabSheetIngFunzioni->setObjectName(QStringLiteral("TabSheetIngFunzioni"));
    PageControl_Ingressi->addPage(TabSheetIngFunzioni, QStringLiteral("Funzioni / Tipo"));
    TabSheetIngTelefoni = new QWidget;
    TabSheetIngTelefoni->setObjectName(QStringLiteral("TabSheetIngTelefoni"));
    PageControl_Ingressi->addPage(TabSheetIngTelefoni, QStringLiteral("Telefoni"));
    TabSheetIngOnOff = new QWidget;
    TabSheetIngOnOff->setObjectName(QStringLiteral("TabSheetIngOnOff"));
    PageControl_Ingressi->addPage(TabSheetIngOnOff, QStringLiteral("Ingressi ON/OFF"));
    TabSheetIngAdattamento = new QWidget;
    TabSheetIngAdattamento->setObjectName(QStringLiteral("TabSheetIngAdattamento"));
    PageControl_Ingressi->addPage(TabSheetIngAdattamento, QStringLiteral("Adattamento"));
}

#include "moc_page_ingressi.cpp"
