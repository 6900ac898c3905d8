#include "ui/pages/page_pstn.h"

TPagePSTN::TPagePSTN(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet22"));
}
