#include "ui/pages/page_eventisistema.h"

TPageEventiSistema::TPageEventiSistema(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet11"));
}

#include "moc_page_eventisistema.cpp"
