#include "ui/pages/page_programmi.h"

TPageProgrammi::TPageProgrammi(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet7"));
}

#include "moc_page_programmi.cpp"
