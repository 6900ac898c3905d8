#include "ui/pages/page_timers.h"

TPageTimers::TPageTimers(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet13"));
}

#include "moc_page_timers.cpp"
