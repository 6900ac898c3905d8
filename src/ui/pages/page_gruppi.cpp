#include "ui/pages/page_gruppi.h"

TPageGruppi::TPageGruppi(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet9"));
}

#include "moc_page_gruppi.cpp"
