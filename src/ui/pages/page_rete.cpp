#include "ui/pages/page_rete.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

TPageRete::TPageRete(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet27"));
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(8, 8, 8, 8);
    lay->addStretch(1);
    GroupBox110 = new QGroupBox(QStringLiteral("CLOUD MANAGEMENT"), this);
    GroupBox110->setObjectName(QStringLiteral("GroupBox110"));
    auto* form = new QFormLayout(GroupBox110);
    Edit2 = new QLineEdit(GroupBox110);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit3 = new QLineEdit(QStringLiteral("443"), GroupBox110);
    Edit3->setObjectName(QStringLiteral("Edit3"));
    Edit3->setMaximumWidth(80);
    form->addRow(QStringLiteral("Host"), Edit2);
    form->addRow(QStringLiteral("Port"), Edit3);
    lay->addWidget(GroupBox110);
    GroupBox110->setVisible(false);
}

#include "moc_page_rete.cpp"
