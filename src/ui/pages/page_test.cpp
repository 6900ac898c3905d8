#include "ui/pages/page_test.h"

#include "ui/statusframe.h"

#include <QVBoxLayout>

TPageTest::TPageTest(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet8"));
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    Pannello1121 = new TPannello112(this);
    lay->addWidget(Pannello1121);
}

#include "moc_page_test.cpp"
