#include "ui/pages/page_eventi.h"

TPageEventi::TPageEventi(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet31"));
}
