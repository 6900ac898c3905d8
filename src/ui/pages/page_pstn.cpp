#include "ui/pages/page_pstn.h"

TPagePSTN::TPagePSTN(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet22"));
}

#include "moc_page_pstn.cpp"
