// The option panels of the 800-range devices, one per type, stacked in the "868 Mhz" tab.
// Every control is bound to its field of the current device and writes it directly.

#include "model/datamodule.h"
#include "model/lang.h"
#include "platform/colors.h"
#include "platform/dbcontrols.h"
#include "ui/pages/page_wireless.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

DataSource* devices() {
    return DM ? DM->DataSource_RadioDevice800 : nullptr;
}

DBCheckBox* check(const QString& caption, const QString& field, QWidget* parent = nullptr) {
    auto* c = new DBCheckBox(caption, parent);
    c->setObjectName(QStringLiteral("DBCheckBox") + field);
    c->setDataSource(devices());
    c->setDataField(field);
    return c;
}

DBRadioGroup* radio(const QString& caption, const QString& field, const QStringList& items, int columns = 1) {
    auto* g = new DBRadioGroup(caption);
    g->setObjectName(QStringLiteral("DBRadioGroup") + field);
    g->setItems(items);
    QStringList values;
    for (int i = 0; i < items.size(); ++i)
        values << QString::number(i);
    g->setValues(values);
    g->setColumns(columns);
    g->setDataSource(devices());
    g->setDataField(field);
    return g;
}

QGroupBox* numberChoice(const QString& caption, const QString& field, int last) {
    auto* box = new QGroupBox(caption);
    auto* lay = new QHBoxLayout(box);
    auto* combo = new DBComboBox(box);
    combo->setObjectName(QStringLiteral("DBComboBox") + field);
    combo->setItems(Lang::NumberItems(0, last));
    combo->setDataSource(devices());
    combo->setDataField(field);
    combo->setMinimumWidth(80);
    lay->addWidget(combo);
    lay->addStretch(1);
    return box;
}

DBLookupComboBox* lookup(const QString& name, const QString& field, DataSource* list) {
    auto* l = new DBLookupComboBox;
    l->setObjectName(name);
    l->setListSource(list);
    l->setKeyField(QStringLiteral("_ID"));
    l->setListField(QStringLiteral("_Nome"));
    l->setDataSource(devices());
    l->setDataField(field);
    l->setMinimumWidth(140);
    return l;
}

QWidget* panel(const QString& name) {
    auto* w = new QWidget;
    w->setObjectName(name);
    return w;
}

// A column of controls at the panel's top left.
QWidget* columnPanel(const QString& name, std::initializer_list<QWidget*> controls) {
    QWidget* w = panel(name);
    auto* lay = new QVBoxLayout(w);
    lay->setContentsMargins(12, 12, 12, 12);
    for (QWidget* c : controls)
        lay->addWidget(c, 0, Qt::AlignLeft);
    lay->addStretch(1);
    return w;
}

// The picture of a remote-control key: a rounded key cap with its number.
class KeyPicture : public QWidget {
public:
    KeyPicture(int key, QWidget* parent) : QWidget(parent), m_key(key) { setFixedSize(44, 32); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF cap(4.5, 3.5, 35, 24);
        QLinearGradient g(cap.topLeft(), cap.bottomLeft());
        g.setColorAt(0, QColor(0x6B, 0x6F, 0x78));
        g.setColorAt(1, QColor(0x33, 0x36, 0x3C));
        p.setPen(QPen(QColor(0x22, 0x22, 0x22), 1));
        p.setBrush(g);
        p.drawRoundedRect(cap, 6, 6);
        QFont f = font();
        f.setBold(true);
        f.setPixelSize(14);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(cap, Qt::AlignCenter, QString::number(m_key));
    }

private:
    int m_key;
};

// The four LEDs of a remote control in a row, as the "LED" boxes refer to them.
class LedsPicture : public QWidget {
public:
    explicit LedsPicture(QWidget* parent) : QWidget(parent) { setFixedSize(84, 16); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QColor colours[4] = {QColor(0xED, 0x1C, 0x24), QColor(0x22, 0xB1, 0x4C),
                                   QColor(0xFF, 0xC9, 0x0E), QColor(0x33, 0x99, 0xFF)};
        for (int i = 0; i < 4; ++i) {
            p.setPen(QPen(colours[i].darker(160), 1));
            p.setBrush(colours[i]);
            p.drawEllipse(QRectF(4.5 + 20 * i, 3.5, 9, 9));
        }
    }
};

} // namespace

void TPageWireless::buildOptionPanels() {
    Panel_Blank = panel(QStringLiteral("Panel_Blank"));
    Panel_LIRNO = panel(QStringLiteral("Panel_LIRNO"));
    Panel_PALVO = panel(QStringLiteral("Panel_PALVO"));

    DBCheckBox* ulmoWake = check(QStringLiteral("WAKEUP"), QStringLiteral("_RemCrt_WakeUp"));
    ulmoWake->hide();
    Panel_ULMO = columnPanel(
        QStringLiteral("Panel_ULMO"),
        {check(QStringLiteral("LED"), QStringLiteral("_RemCrt_Led")),
         numberChoice(QStringLiteral("CICLI SWITCH"), QStringLiteral("_RemCrt_Switch"), 32), ulmoWake});
    DBCheckBox* merlaWake = check(QStringLiteral("WAKEUP"), QStringLiteral("_RemCrt_WakeUp"));
    merlaWake->hide();
    Panel_MERLA = columnPanel(QStringLiteral("Panel_MERLA"), {merlaWake});

    const QStringList sensitivity = {QStringLiteral("ALTA"), QStringLiteral("MEDIA"),
                                     QStringLiteral("BASSA")};
    const QString sens = QString::fromUtf8("SENSIBILITà");
    Panel_VIRNA = columnPanel(QStringLiteral("Panel_VIRNA"),
                              {radio(sens, QStringLiteral("_RemCrt_Sensibility"), sensitivity),
                               check(QStringLiteral("TEST MODE"), QStringLiteral("_RemCrt_TestMode")),
                               check(QStringLiteral("LED"), QStringLiteral("_RemCrt_Led"))});
    Panel_VIRNAT = columnPanel(QStringLiteral("Panel_VIRNAT"),
                               {radio(sens, QStringLiteral("_RemCrt_Sensibility"), sensitivity),
                                check(QStringLiteral("TEST MODE"), QStringLiteral("_RemCrt_TestMode")),
                                check(QStringLiteral("LED"), QStringLiteral("_RemCrt_Led"))});
    Panel_TORVO800 =
        columnPanel(QStringLiteral("Panel_TORVO800"),
                    {check(QStringLiteral("LED"), QStringLiteral("_RemCrt_Led")),
                     check(QStringLiteral("TEST MODE"), QStringLiteral("_RemCrt_TestMode")),
                     check(QStringLiteral("BUZZER"), QStringLiteral("_RemCrt_Buzzer")),
                     check(QStringLiteral("DOPPIO IMPULSO"), QStringLiteral("_RemCrt_DoubleImp")),
                     numberChoice(sens, QStringLiteral("_RemCrt_Sensibility"), 7)});
    Panel_RUSTA = columnPanel(QStringLiteral("Panel_RUSTA"),
                              {numberChoice(sens, QStringLiteral("_RemCrt_Sensibility"), 15)});
    Panel_BOLDO = buildBoldoPanel();

    for (QWidget* w : {Panel_Blank, Panel_ULMO, Panel_MERLA, Panel_VIRNA, Panel_BOLDO, Panel_VIRNAT,
                       Panel_TORVO800, Panel_RUSTA, Panel_LIRNO, Panel_PALVO})
        OptionPanels->addWidget(w);
    OptionPanels->setCurrentWidget(Panel_Blank);
}

// The remote control: its user, the two panic choices, and per key the LEDs it lights, the
// partitions it arms with how, and the output it drives with how.
QWidget* TPageWireless::buildBoldoPanel() {
    QWidget* w = panel(QStringLiteral("Panel_BOLDO"));
    auto* lay = new QVBoxLayout(w);
    lay->setContentsMargins(8, 8, 8, 8);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("UTENTE"), w));
    top->addWidget(lookup(QStringLiteral("DBLookupComboBox10"), QStringLiteral("_RemCrt_User"),
                          DM ? DM->DataSource_Utenti : nullptr));
    top->addSpacing(16);
    top->addWidget(check(QStringLiteral("PANICO SILENZIOSO"), QStringLiteral("_RemCrt_PanicOn"), w));
    top->addWidget(check(QStringLiteral("PANICO RUMOROSO"), QStringLiteral("_RemCrt_PanicOff"), w));
    top->addStretch(1);
    lay->addLayout(top);

    auto* keys = new QGridLayout;
    const QStringList onOff = {QStringLiteral("OFF"), QStringLiteral("ON"), QStringLiteral("ON/OFF")};
    for (int key = 1; key <= 4; ++key) {
        auto* box = new QGroupBox;
        box->setObjectName(QStringLiteral("GroupBoxKey%1").arg(key));
        box->setAutoFillBackground(true);
        QPalette pal = box->palette();
        pal.setColor(QPalette::Window, sysColor(COLOR_3DLIGHT));
        box->setPalette(pal);
        auto* kl = new QVBoxLayout(box);
        kl->setContentsMargins(6, 4, 6, 4);
        kl->setSpacing(2);
        auto* pictures = new QHBoxLayout;
        pictures->addWidget(new KeyPicture(key, box));
        pictures->addWidget(new LedsPicture(box));
        pictures->addStretch(1);
        kl->addLayout(pictures);

        auto* leds = new QGroupBox(QStringLiteral("LED"), box);
        auto* ll = new QHBoxLayout(leds);
        ll->setContentsMargins(6, 2, 6, 2);
        for (int n = 1; n <= 4; ++n)
            ll->addWidget(
                check(QString::number(n), QStringLiteral("_RemCrt_T%1_Led%2").arg(key).arg(n), leds));
        kl->addWidget(leds);

        auto* parts = new QGroupBox(QStringLiteral("PARZIALI"), box);
        auto* pl = new QGridLayout(parts);
        pl->setContentsMargins(6, 2, 6, 2);
        pl->setVerticalSpacing(2);
        for (int n = 1; n <= 4; ++n)
            pl->addWidget(check(QString::number(n), QStringLiteral("_RemCrt_T%1P%2").arg(key).arg(n), parts),
                          0, n - 1);
        // Partitions 5..8 exist on the models with eight partitions only.
        auto* more = new QGroupBox(parts);
        more->setObjectName(QStringLiteral("GroupBoxParzWireless%1").arg(key));
        more->setFlat(true);
        auto* ml = new QHBoxLayout(more);
        ml->setContentsMargins(0, 0, 0, 0);
        for (int n = 5; n <= 8; ++n)
            ml->addWidget(check(QString::number(n), QStringLiteral("_RemCrt_T%1P%2").arg(key).arg(n), more));
        GroupBoxParzWireless[size_t(key - 1)] = more;
        pl->addWidget(more, 1, 0, 1, 4);
        pl->addWidget(radio(QString(), QStringLiteral("_RemCrt_ONOFF_PRG%1").arg(key), onOff, 3), 2, 0, 1, 4);
        kl->addWidget(parts);

        auto* out = new QGroupBox(QStringLiteral("OUTPUT"), box);
        auto* ol = new QVBoxLayout(out);
        ol->setContentsMargins(6, 2, 6, 2);
        ol->addWidget(lookup(QStringLiteral("DBLookupComboBoxOut%1").arg(key),
                             QStringLiteral("_RemCrt_OutT%1").arg(key),
                             DM ? DM->DataSource_Uscite : nullptr));
        ol->addWidget(radio(QString(), QStringLiteral("_RemCrt_ONOFF_OUT%1").arg(key),
                            onOff + QStringList{QStringLiteral("--")}, 2));
        kl->addWidget(out);
        keys->addWidget(box, (key - 1) / 2, (key - 1) % 2);
    }
    lay->addLayout(keys);
    lay->addStretch(1);
    return w;
}
