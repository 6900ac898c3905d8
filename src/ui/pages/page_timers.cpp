#include "ui/pages/page_timers.h"

TPageTimers::TPageTimers(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet13"));
}
