#include "ui/pages/page_bloccoins.h"

TPageBloccoIns::TPageBloccoIns(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet14"));
}

#include "moc_page_bloccoins.cpp"
