#include "ui/pages/page_test.h"

TPageTest::TPageTest(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet8"));
}

#include "moc_page_test.cpp"
