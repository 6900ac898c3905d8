#include "ui/pages/page_eventi.h"

TPageEventi::TPageEventi(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet31"));
}

#include "moc_page_eventi.cpp"
