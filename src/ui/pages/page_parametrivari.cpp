#include "ui/pages/page_parametrivari.h"

#include "ui/pagecontrol.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QRegularExpression>
#include <QTimeEdit>
#include <QVBoxLayout>

TPageParametriVari::TPageParametriVari(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet6"));
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(4, 4, 4, 4);
    PageControl_parametri_vari = new TPageControl(QStringLiteral("PageControl_parametri_vari"), this);
    lay->addWidget(PageControl_parametri_vari);
    TabSheetTamper = new QWidget;
    TabSheetTamper->setObjectName(QStringLiteral("TabSheetTamper"));
    PageControl_parametri_vari->addPage(TabSheetTamper, QStringLiteral("TAMPER"));
    TabSheetSirena = new QWidget;
    TabSheetSirena->setObjectName(QStringLiteral("TabSheetSirena"));
    PageControl_parametri_vari->addPage(TabSheetSirena, QStringLiteral("SIRENA"));
    TabSheetEN50131 = new QWidget;
    TabSheetEN50131->setObjectName(QStringLiteral("TabSheetEN50131"));
    PageControl_parametri_vari->addPage(TabSheetEN50131, QStringLiteral("EN 50131"));
    TabSheetComunicatore = new QWidget;
    TabSheetComunicatore->setObjectName(QStringLiteral("TabSheetComunicatore"));
    PageControl_parametri_vari->addPage(TabSheetComunicatore, QStringLiteral("COMUNICATORE"));
    TabSheetWireless = new QWidget;
    TabSheetWireless->setObjectName(QStringLiteral("TabSheetWireless"));
    PageControl_parametri_vari->addPage(TabSheetWireless, QStringLiteral("WIRELESS"));
    TabSheetDataOra = new QWidget;
    TabSheetDataOra->setObjectName(QStringLiteral("TabSheetDataOra"));
    PageControl_parametri_vari->addPage(TabSheetDataOra, QStringLiteral("DATA/ORA"));
    buildDataOra();
}

QString TPageParametriVari::longTimeFormat() {
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    // Drop the time-zone token and the blank before it.
    static const QRegularExpression zone(QStringLiteral("\\s*t+"));
    return format.remove(zone).trimmed();
}

void TPageParametriVari::buildDataOra() {
    auto* grid = new QGridLayout(TabSheetDataOra);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(10);
    CheckBox1 = new QCheckBox(QStringLiteral("Ora Corrente"), TabSheetDataOra);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setChecked(true);
    Label2 = new QLabel(QStringLiteral("----------"), TabSheetDataOra);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setEnabled(false);
    QFont clockFont = Label2->font();
    clockFont.setBold(true);
    clockFont.setPixelSize(19);
    Label2->setFont(clockFont);
    Data = new QDateEdit(TabSheetDataOra);
    Data->setObjectName(QStringLiteral("Data"));
    Data->setDisplayFormat(QLocale().dateFormat(QLocale::LongFormat));
    Data->setCalendarPopup(true);
    ora = new QTimeEdit(TabSheetDataOra);
    ora->setObjectName(QStringLiteral("ora"));
    ora->setDisplayFormat(longTimeFormat());
    grid->addWidget(Label2, 0, 0, 1, 2);
    grid->addWidget(CheckBox1, 1, 0, 1, 2);
    grid->addWidget(Data, 2, 0);
    grid->addWidget(ora, 2, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(3, 1);
}

#include "moc_page_parametrivari.cpp"
