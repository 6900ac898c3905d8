#include "ui/pages/page_utenti.h"

TPageUtenti::TPageUtenti(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet4"));
}

#include "moc_page_utenti.cpp"
