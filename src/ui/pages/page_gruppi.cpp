#include "ui/pages/page_gruppi.h"

TPageGruppi::TPageGruppi(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet9"));
}
