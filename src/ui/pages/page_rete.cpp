#include "ui/pages/page_rete.h"

#include "ui/pages/paramform.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace ParamForm;

namespace {
QString S(const char* text) {
    return QString::fromUtf8(text);
}
} // namespace

TPageRete::TPageRete(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet27"));
    QGroupBox* outer = pageFrame(this, S("GroupBoxNetworkSetup"), S("NETWORK SETUP"));
    buildNetworkSetup(outer);
    auto* lay = static_cast<QVBoxLayout*>(layout());

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

void TPageRete::buildNetworkSetup(QGroupBox* outer) {
    using Kind = DBCheckBox::Kind;
    DataSource* root = tabulon();
    BoxGrid grid(outer, 3);

    QGroupBox* address = group(outer, S("GroupBoxAddress"), S("ADDRESS"));
    addRow(address, checkBox(address, S("DBCheckBox13"), root, S("_Net_DHCP"), Kind::Boolean, S("DHCP")));
    const struct {
        const char* label;
        const char* name;
        const char* field;
    } addresses[] = {{"INDIRIZZO IP", "DBEdit3", "_Net_LocalIPAddress"},
                     {"SUBNET MASK", "DBEdit4", "_Net_LocalSubAddress"},
                     {"GATEWAY", "DBEdit5", "_Net_LocalGwAddress"},
                     {"DNS 1", "DBEdit6", "_Net_DNS1"},
                     {"DNS 2", "DBEdit7", "_Net_DNS2"}};
    for (const auto& a : addresses)
        addRow(address, S(a.label), edit(address, S(a.name), root, S(a.field)));
    grid.add(address);

    QGroupBox* gprs = group(outer, S("GroupBoxGPRSSetup"), S("GPRS SETUP"));
    addRow(gprs, checkBox(gprs, S("DBCheckBox20"), root, S("_Net_GPRS_Enable"), Kind::OnOff));
    const struct {
        const char* label;
        const char* name;
        const char* field;
    } gprsEdits[] = {{"APN", "DBEdit12", "_Net_GPRS_APN"},
                     {"USER NAME", "DBEdit15", "_Net_GPRS_UserName"},
                     {"PASSWORD", "DBEdit16", "_Net_GPRS_PSW"}};
    for (const auto& g : gprsEdits) {
        DBEdit* e = edit(gprs, S(g.name), root, S(g.field));
        e->setEnabled(false); // until GPRS is switched on
        addRow(gprs, S(g.label), e);
    }
    grid.add(gprs);

    QGroupBox* ident = group(outer, S("GroupBoxIdentificazione"), S("IDENTIFICAZIONE"));
    addRow(ident, S("USER NAME"), edit(ident, S("DBEdit1"), root, S("_Net_UserName")));
    DBEdit* password = edit(ident, S("DBEdit2"), root, S("_Net_PSW"));
    password->setEchoMode(QLineEdit::Password);
    addRow(ident, S("PASSWORD"), password);
    addRow(ident, S("NOME SISTEMA"), edit(ident, S("DBEdit33"), root, S("_NomeSistema")));
    grid.add(ident);

    // The cloud service's switch stands on its own over the CLOUD box: it steers the
    // identification and the notifications as well, not only what the box holds.
    DBCheckBox* cloudService =
        checkBox(outer, S("DBCheckBox50"), root, S("_Net_Cloud_Enable"), Kind::Boolean, S("SERVIZIO CLOUD"));
    QGroupBox* cloud = group(outer, S("GroupBoxCloud"), S("CLOUD"));
    addRow(cloud, S("NOME"), edit(cloud, S("DBEdit8"), root, S("_Net_CloudName")));
    addRow(cloud, S("URL"), edit(cloud, S("DBEdit9"), root, S("_Net_URL1")));
    // Further relay addresses the panel keeps but does not use at present.
    for (const auto& [name, field] : {std::pair{"DBEdit10", "_Net_URL2"}, {"DBEdit11", "_Net_URL3"}}) {
        DBEdit* e = edit(cloud, S(name), root, S(field));
        e->setVisible(false);
    }
    auto* cloudCell = new QVBoxLayout;
    cloudCell->setSpacing(4);
    cloudCell->addWidget(cloudService);
    cloudCell->addWidget(cloud);
    grid.add(cloudCell);

    QGroupBox* notify = group(outer, S("GroupBoxNotifiche"), S("NOTIFICHE"));
    addRow(notify,
           checkBox(notify, S("DBCheckBox14"), root, S("_NET_Notify_Ins"), Kind::Boolean, S("INSERIMENTI")));
    addRow(notify,
           checkBox(notify, S("DBCheckBox15"), root, S("_Net_Notify_Utenti"), Kind::Boolean, S("UTENTI")));
    addRow(notify,
           checkBox(notify, S("DBCheckBox18"), root, S("_Net_Notify_Allarmi"), Kind::Boolean, S("ALLARMI")));
    grid.add(notify);
}

#include "moc_page_rete.cpp"
