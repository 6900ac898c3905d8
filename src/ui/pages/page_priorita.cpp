#include "ui/pages/page_priorita.h"

TPagePriorita::TPagePriorita(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet43"));
}

#include "moc_page_priorita.cpp"
