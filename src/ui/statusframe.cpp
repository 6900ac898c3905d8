#include "ui/statusframe.h"

#include "model/datamodule.h"
#include "platform/aled.h"
#include "platform/drawgrid.h"
#include "platform/levelbar.h"
#include "ui/pagecontrol.h"
#include "ui/statusimages.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLoggingCategory>
#include <QPainter>
#include <QScrollArea>
#include <QSplitter>
#include <QVBoxLayout>

#include <optional>

Q_LOGGING_CATEGORY(lcPanelStatus, "tabulon.status")

namespace {

constexpr TColor kRed = 255;       // $0000FF
constexpr TColor kGreen = 65280;   // $00FF00
constexpr TColor kYellow = 65535;  // $00FFFF
constexpr TColor kAmber = 1040381; // $000FDFFD
constexpr int kRowHeight = 16;

const std::vector<int> kInputWidths = {66, 17, 68, 16, 64, 16, 64, 16};
const std::vector<int> kOutputWidths = {75, 33};
const std::vector<int> kRadio400Widths = {29, 20, 20, 16, 16, 16, 16, 16, 55, 54, 30, 23, 22, 16,
                                          16, 16, 16, 16, 51, 52, 30, 21, 21, 17, 17, 16, 16, 19,
                                          57, 59, 28, 23, 22, 17, 16, 16, 16, 16, 44, 45};
const std::vector<int> kRemoteWidths = {114, 122, 118};
const std::vector<int> kSirenWidths = {85, 22, 22, 109, 104};
const std::vector<int> kDeviceWidths = {95, 22, 22, 17, 18, 18, 105, 109};

// The grids' font: a small bold sans face (the frame was laid out for an 8-point face).
QFont gridFont() {
    QFont f;
    f.setFamilies(
        {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    f.setPixelSize(11);
    f.setBold(true);
    return f;
}

QLabel* captionLabel(QWidget* parent, const QString& name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

QScrollArea* scrollBox(const QString& name, QWidget* content) {
    auto* s = new QScrollArea;
    s->setObjectName(name);
    s->setWidget(content);
    s->setWidgetResizable(false);
    s->setFrameShape(QFrame::NoFrame);
    return s;
}

QGroupBox* groupWith(const QString& name, const QString& title, QWidget* inner) {
    auto* g = new QGroupBox(title);
    g->setObjectName(name);
    auto* lay = new QVBoxLayout(g);
    lay->setContentsMargins(4, 4, 4, 4);
    lay->addWidget(inner);
    lay->addStretch(1);
    return g;
}

TDrawGrid* drawGrid(const QString& name, const std::vector<int>& widths, int rows, int fixedRows, int lines) {
    auto* g = new TDrawGrid;
    g->setObjectName(name);
    g->setColWidths(widths);
    g->setRowCount(rows);
    g->setFixedRows(fixedRows);
    g->setDefaultRowHeight(kRowHeight);
    g->setGridLineWidth(lines);
    g->setFont(gridFont());
    return g;
}

int clampPercent(int value, const char* what, int slot) {
    if (value < 0 || value > 100) {
        qCWarning(lcPanelStatus, "%s level %d of slot %d outside 0..100, clamped", what, value, slot);
        return qBound(0, value, 100);
    }
    return value;
}

bool slotInRange(int slot, int count, const char* what) {
    if (slot >= 0 && slot < count)
        return true;
    qCWarning(lcPanelStatus, "%s slot %d outside 0..%d, ignored", what, slot, count - 1);
    return false;
}

} // namespace

TLeds& TTel::flag(int index) {
    TLeds* flags[] = {&Tamp, &Sup, &Led1, &Led2, &Led3, &Led4, &Led5, &Led6, &Led7};
    return *flags[qBound(0, index, 8)];
}

// ============================================================================ cell labels

TCellLabel::TCellLabel(const QString& text, Qt::Alignment alignment, QWidget* parent)
    : QWidget(parent), m_text(text), m_alignment(alignment), m_shaped(text) {
    m_shaped.setTextFormat(Qt::PlainText);
    m_shaped.setPerformanceHint(QStaticText::AggressiveCaching);
}

void TCellLabel::setText(const QString& text) {
    if (text == m_text)
        return;
    m_text = text;
    m_shaped.setText(text);
    update();
}

void TCellLabel::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        m_shaped.prepare(QTransform(), font());
}

void TCellLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    const QSizeF size = m_shaped.size();
    qreal x = 0;
    if (m_alignment & Qt::AlignRight)
        x = width() - size.width() - 1;
    else if (m_alignment & Qt::AlignHCenter)
        x = (width() - size.width()) / 2;
    const qreal y = m_alignment & Qt::AlignVCenter ? (height() - size.height()) / 2 : 0;
    p.drawStaticText(QPointF(x, y), m_shaped);
}

// ============================================================================ level controls

TStatusBar400::TStatusBar400(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void TStatusBar400::setPosition(int value) {
    value = qBound(Min, value, Max);
    if (value == m_position)
        return;
    m_position = value;
    update();
}

void TStatusBar400::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int span = Max - Min;
    const double level = span > 0 ? 100.0 * (m_position - Min) / span : 0.0;
    DrawLevel(p, rect(), level, levelBarLook());
}

TStatusGauge::TStatusGauge(const QString& text, QWidget* parent) : QWidget(parent), m_text(text) {}

void TStatusGauge::setLevel(double percent) {
    m_level = percent;
    m_hasLevel = true;
    update();
}

void TStatusGauge::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    if (m_hasLevel)
        DrawStatus(p, rect(), parentWidget() ? parentWidget()->font() : font(), m_text, m_level);
}

// ============================================================================ construction

TPannello112::TPannello112(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Pannello1121"));
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    // Splitter names of the frame are its own: the window refits grids by splitter name.
    Splitter3 = new QSplitter(Qt::Vertical, this);
    Splitter3->setObjectName(QStringLiteral("Pannello1121_Splitter3"));
    lay->addWidget(Splitter3);
    buildTop();
    buildRadioTabs();
    Splitter3->setStretchFactor(1, 1);
    Splitter3->setSizes({321, 400});

    buildStatusBoxes(ScrollBox1->widget());
    buildLegend();
    buildInputs();
    buildOutputs();
    buildRadio400();
    reset800();
    LON = ledOn;
    LOFF = ledOff;
    // The radio status opens on the 868Mhz devices; the highlight marks the tab shown.
    PageControl1->setActivePage(TabSheet2);
    PageControl1->highlightActiveOnly();
    connect(PageControl1, &TPageControl::changed, this, &TPannello112::PageControl1Change);

    setPanelStatusSink(this);
    TDM::device800NameHook = [this](int kind, int slot, const QString& name) {
        setRadio800Name(Radio800Kind(kind), slot, name);
    };
}

TPannello112::~TPannello112() {
    if (panelStatusSink() == this)
        setPanelStatusSink(nullptr);
    TDM::device800NameHook = nullptr;
}

void TPannello112::buildTop() {
    GroupBox2 = new QGroupBox;
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setMinimumHeight(50);
    auto* lay = new QHBoxLayout(GroupBox2);
    lay->setContentsMargins(2, 2, 2, 2);

    DrawGrid2 = drawGrid(QStringLiteral("DrawGrid2"), kInputWidths, 16, 0, 0);
    DrawGrid2->fitToContent();
    GroupBox_Inputs = groupWith(QStringLiteral("GroupBox_Inputs"), QString(), DrawGrid2);
    GroupBox_Inputs->adjustSize();
    ScrollBox_Inputs = scrollBox(QStringLiteral("ScrollBox_Inputs"), GroupBox_Inputs);

    DrawGrid3 = drawGrid(QStringLiteral("DrawGrid3"), kOutputWidths, 17, 0, 1);
    DrawGrid3->fitToContent();
    GroupBox_Outputs = groupWith(QStringLiteral("GroupBox_Outputs"), QString(), DrawGrid3);
    GroupBox_Outputs->adjustSize();
    ScrollBox_Outputs = scrollBox(QStringLiteral("ScrollBox_Outputs"), GroupBox_Outputs);

    auto* statusContent = new QWidget;
    ScrollBox1 = scrollBox(QStringLiteral("ScrollBox1"), statusContent);
    ScrollBox1->setWidgetResizable(true);

    Splitter200 = new QSplitter(Qt::Horizontal);
    Splitter200->setObjectName(QStringLiteral("Pannello1121_Splitter200"));
    Splitter100 = new QSplitter(Qt::Horizontal);
    Splitter100->setObjectName(QStringLiteral("Pannello1121_Splitter100"));
    Splitter200->addWidget(ScrollBox_Inputs);
    Splitter200->addWidget(Splitter100);
    Splitter100->addWidget(ScrollBox_Outputs);
    Splitter100->addWidget(ScrollBox1);
    Splitter200->setStretchFactor(1, 1);
    Splitter100->setStretchFactor(1, 1);
    Splitter200->setSizes({GroupBox_Inputs->width() + 4, 600});
    Splitter100->setSizes({GroupBox_Outputs->width() + 4, 400});
    lay->addWidget(Splitter200);
    Splitter3->addWidget(GroupBox2);
}

void TPannello112::buildStatusBoxes(QWidget* content) {
    auto* lay = new QVBoxLayout(content);
    lay->setContentsMargins(2, 2, 2, 2);

    GroupBox_Gsm = new QGroupBox(QStringLiteral("GSM"));
    GroupBox_Gsm->setObjectName(QStringLiteral("GroupBox_Gsm"));
    auto* gsm = new QGridLayout(GroupBox_Gsm);
    Label_NomeOperatore_Label =
        captionLabel(GroupBox_Gsm, QStringLiteral("Label_NomeOperatore_Label"), QStringLiteral("Operatore:"));
    Label_NomeOperatore = captionLabel(GroupBox_Gsm, QStringLiteral("Label_NomeOperatore"),
                                       QStringLiteral("-----------------"));
    Label_Credito_Label =
        captionLabel(GroupBox_Gsm, QStringLiteral("Label_Credito_Label"), QStringLiteral("Credito:"));
    Label_Credito =
        captionLabel(GroupBox_Gsm, QStringLiteral("Label_Credito"), QStringLiteral("-----------------"));
    Label_gsm_signal =
        captionLabel(GroupBox_Gsm, QStringLiteral("Label_gsm_signal"), QStringLiteral("GSM Signal:"));
    Panel_GSM_SIGNAL = new QWidget(GroupBox_Gsm);
    Panel_GSM_SIGNAL->setObjectName(QStringLiteral("Panel_GSM_SIGNAL"));
    Panel_GSM_SIGNAL->setFixedSize(132, 23);
    Image_GSM_SIGNAL = new TStatusGauge(QStringLiteral("%"), Panel_GSM_SIGNAL);
    Image_GSM_SIGNAL->setObjectName(QStringLiteral("Image_GSM_SIGNAL"));
    Image_GSM_SIGNAL->setGeometry(2, 2, 128, 19);
    gsm->addWidget(Label_NomeOperatore_Label, 0, 0);
    gsm->addWidget(Label_NomeOperatore, 0, 1);
    gsm->addWidget(Label_Credito_Label, 1, 0);
    gsm->addWidget(Label_Credito, 1, 1);
    gsm->addWidget(Label_gsm_signal, 2, 0);
    gsm->addWidget(Panel_GSM_SIGNAL, 2, 1, Qt::AlignLeft);
    gsm->setColumnStretch(1, 1);
    lay->addWidget(GroupBox_Gsm);

    GroupBox_Battery = new QGroupBox(QStringLiteral("  BATTERIA  "));
    GroupBox_Battery->setObjectName(QStringLiteral("GroupBox_Battery"));
    auto* bat = new QHBoxLayout(GroupBox_Battery);
    Panel_Battery = new QWidget(GroupBox_Battery);
    Panel_Battery->setObjectName(QStringLiteral("Panel_Battery"));
    Panel_Battery->setFixedSize(132, 23);
    Image_BATTERY = new TStatusGauge(QString(), Panel_Battery);
    Image_BATTERY->setObjectName(QStringLiteral("Image_BATTERY"));
    Image_BATTERY->setGeometry(2, 2, 128, 19);
    bat->addWidget(Panel_Battery);
    bat->addStretch(1);
    lay->addWidget(GroupBox_Battery);

    GroupBox_Stato = new QGroupBox;
    GroupBox_Stato->setObjectName(QStringLiteral("GroupBox_Stato"));
    GroupBox_Stato->setMinimumSize(290, 104);
    const QString names[4] = {QStringLiteral("Label_TamperCentrale"), QStringLiteral("Label_TamperLinea"),
                              QStringLiteral("Label_TamperPeriferica"), QStringLiteral("Label_Mancanza_AC")};
    const QString texts[4] = {QStringLiteral("TAMPER CENTRALE"), QStringLiteral("TAMPER LINEA"),
                              QStringLiteral("TAMPER PERIFERICA"), QStringLiteral("MANCANZA 220Vac")};
    QLabel** labels[4] = {&Label_TamperCentrale, &Label_TamperLinea, &Label_TamperPeriferica,
                          &Label_Mancanza_AC};
    for (int k = 0; k < 4; ++k) {
        QLabel* l = captionLabel(GroupBox_Stato, names[k], texts[k]);
        l->setGeometry(14, 20 + 20 * k, 251, 17);
        *labels[k] = l;
        // Each status lamp sits right of its label: red when set, green when clear.
        ThhALed* led =
            makeLamp(GroupBox_Stato, k, kRed, ThhALed::LEDSmall, QRect(l->x() + l->width(), l->y(), 16, 16));
        led->SetFalseColor(kGreen);
        LEDStato[size_t(k)] = led;
    }
    lay->addWidget(GroupBox_Stato);

    GroupBox1 = new QGroupBox;
    GroupBox1->setObjectName(QStringLiteral("Pannello1121_GroupBox1"));
    lay->addWidget(GroupBox1, 1);
}

void TPannello112::buildRadioTabs() {
    GroupBox3 = new QGroupBox;
    GroupBox3->setObjectName(QStringLiteral("Pannello1121_GroupBox3"));
    auto* lay = new QVBoxLayout(GroupBox3);
    lay->setContentsMargins(2, 2, 2, 2);
    PageControl1 = new TPageControl(QStringLiteral("Pannello1121_PageControl1"), GroupBox3);
    lay->addWidget(PageControl1);

    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("Pannello1121_TabSheet1"));
    PageControl1->addPage(TabSheet1, QStringLiteral("433Mhz"));
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("Pannello1121_TabSheet2"));
    PageControl1->addPage(TabSheet2, QStringLiteral("868Mhz"));

    DrawGrid1 = drawGrid(QStringLiteral("DrawGrid1"), kRadio400Widths, 17, 1, 1);
    DrawGrid1->fitToContent();
    ScrollBox2 = scrollBox(QStringLiteral("ScrollBox2"), DrawGrid1);
    auto* lay1 = new QVBoxLayout(TabSheet1);
    lay1->setContentsMargins(0, 0, 0, 0);
    lay1->addWidget(ScrollBox2);

    DrawGrid6 = drawGrid(QStringLiteral("DrawGrid6"), kRemoteWidths, 41, 1, 1);
    DrawGrid5 = drawGrid(QStringLiteral("DrawGrid5"), kSirenWidths, 9, 1, 1);
    DrawGrid4 = drawGrid(QStringLiteral("DrawGrid4"), kDeviceWidths, 65, 1, 1);
    for (TDrawGrid* g : {DrawGrid6, DrawGrid5, DrawGrid4}) {
        g->setColumnSizing(true);
        g->setMinimumWidth(60);
    }
    DrawGrid6->onDrawCell = [this](TDrawGrid& g, QPainter& p, int c, int r, const QRect& rc, bool f) {
        DrawGrid6DrawCell(g, p, c, r, rc, f);
    };
    DrawGrid5->onDrawCell = [this](TDrawGrid& g, QPainter& p, int c, int r, const QRect& rc, bool f) {
        DrawGrid5DrawCell(g, p, c, r, rc, f);
    };
    DrawGrid4->onDrawCell = [this](TDrawGrid& g, QPainter& p, int c, int r, const QRect& rc, bool f) {
        DrawGrid4DrawCell(g, p, c, r, rc, f);
    };
    Splitter1 = new QSplitter(Qt::Horizontal);
    Splitter1->setObjectName(QStringLiteral("Pannello1121_Splitter1"));
    Splitter2 = new QSplitter(Qt::Horizontal);
    Splitter2->setObjectName(QStringLiteral("Pannello1121_Splitter2"));
    Splitter1->addWidget(DrawGrid6);
    Splitter1->addWidget(Splitter2);
    Splitter2->addWidget(DrawGrid5);
    Splitter2->addWidget(DrawGrid4);
    Splitter1->setSizes({DrawGrid6->sizeHint().width(), 900});
    Splitter2->setSizes({DrawGrid5->sizeHint().width(), DrawGrid4->sizeHint().width()});
    // The remote controls and the sirens keep the width of their columns; room to spare goes
    // to the detectors, the last grid, so none opens a gap between two grids.
    Splitter1->setStretchFactor(1, 1);
    Splitter2->setStretchFactor(1, 1);
    ScrollBox3 = new QScrollArea;
    ScrollBox3->setObjectName(QStringLiteral("ScrollBox3"));
    ScrollBox3->setFrameShape(QFrame::NoFrame);
    ScrollBox3->setWidgetResizable(true);
    ScrollBox3->setWidget(Splitter1);
    auto* lay2 = new QVBoxLayout(TabSheet2);
    lay2->setContentsMargins(0, 0, 0, 0);
    lay2->addWidget(ScrollBox3);

    Splitter3->addWidget(GroupBox3);
}

ThhALed* TPannello112::makeLamp(QWidget* parent, int tag, TColor trueColor, int style, const QRect& bounds) {
    auto* led = new ThhALed(parent);
    led->setProperty("Tag", tag);
    led->ChangeBlink(false);
    led->SetTrueColor(trueColor);
    led->SetFalseColor(COLOR_FALSE);
    led->ChangeStyle(ThhALed::TLEDStyle(style));
    led->setGeometry(bounds);
    led->show();
    return led;
}

TCellLabel* TPannello112::makeLabel(QWidget* parent, const QString& text, Qt::Alignment align,
                                    const QRect& bounds) {
    auto* l = new TCellLabel(text, align | Qt::AlignVCenter, parent);
    l->setFont(gridFont());
    l->setGeometry(bounds);
    l->show();
    return l;
}

void TPannello112::buildLegend() {
    static const char* const legends[9] = {" T", " S", "C1", "C2", "C3", "C4", "C5", "BAT", "SIG"};
    QWidget* vp = DrawGrid1->viewport();
    for (int b = 0; b < 4; ++b) {
        for (int k = 0; k < 9; ++k) {
            TCellLabel* l = makeLabel(vp, QString::fromLatin1(legends[k]), Qt::AlignHCenter,
                                      DrawGrid1->cellRect(10 * b + 1 + k, 0));
            l->setObjectName(QStringLiteral("TextRadioLeggend%1").arg(9 * b + k));
            TextRadioLeggend[size_t(9 * b + k)] = l;
        }
    }
}

void TPannello112::buildInputs() {
    QWidget* vp = DrawGrid2->viewport();
    for (int i = 0; i < CSL_NUM_INPUTS; ++i) {
        const int row = i % 16;
        const int col = 2 * (i / 16);
        LEDInputs[size_t(i)] = makeLamp(vp, i, kRed, ThhALed::LEDSmall, DrawGrid2->cellRect(col + 1, row));
        TCellLabel* l =
            makeLabel(vp, QStringLiteral("IN %1").arg(i + 1), Qt::AlignRight, DrawGrid2->cellRect(col, row));
        l->setProperty("Tag", i);
        TextInputs[size_t(i)] = l;
    }
}

void TPannello112::buildOutputs() {
    QWidget* vp = DrawGrid3->viewport();
    for (int i = 0; i < CSL_NUM_OUTPUTS; ++i) {
        LEDOutputs[size_t(i)] = makeLamp(vp, i, kYellow, ThhALed::LEDHorizontal, DrawGrid3->cellRect(1, i));
        TCellLabel* l =
            makeLabel(vp, QStringLiteral("OUT %1").arg(i + 1), Qt::AlignRight, DrawGrid3->cellRect(0, i));
        l->setProperty("Tag", i);
        TextOutputs[size_t(i)] = l;
    }
}

void TPannello112::buildRadio400() {
    QWidget* vp = DrawGrid1->viewport();
    std::array<ThhALed*, CSL_NUM_DEVICE_RADIO>* channels[5] = {&LEDRadioIn1, &LEDRadioIn2, &LEDRadioIn3,
                                                               &LEDRadioIn4, &LEDRadioIn5};
    for (int i = 0; i < CSL_NUM_DEVICE_RADIO; ++i) {
        const int b = i / 16;
        const int row = i % 16 + 1;
        const size_t s = size_t(i);
        TextRadio[s] =
            makeLabel(vp, QStringLiteral("D.%1").arg(i + 1), Qt::AlignLeft, DrawGrid1->cellRect(10 * b, row));
        LEDRadioTamper[s] =
            makeLamp(vp, i, kAmber, ThhALed::LEDHorizontal, DrawGrid1->cellRect(10 * b + 1, row));
        LEDRadioNoSup[s] =
            makeLamp(vp, i, kAmber, ThhALed::LEDHorizontal, DrawGrid1->cellRect(10 * b + 2, row));
        for (int k = 0; k < 5; ++k)
            (*channels[k])[s] =
                makeLamp(vp, i, kAmber, ThhALed::LEDSmall, DrawGrid1->cellRect(10 * b + 3 + k, row));
        std::array<TStatusBar400*, CSL_NUM_DEVICE_RADIO>* bars[2] = {&BARGRAFBAT, &BARGRAFSIG};
        std::array<TCellLabel*, CSL_NUM_DEVICE_RADIO>* captions[2] = {&LABELBAT, &LABELSIG};
        for (int k = 0; k < 2; ++k) {
            auto* bar = new TStatusBar400(vp);
            bar->setProperty("Tag", i);
            bar->setGeometry(DrawGrid1->cellRect(10 * b + 8 + k, row));
            bar->show();
            (*bars[k])[s] = bar;
            TCellLabel* caption =
                makeLabel(bar, QStringLiteral("..."), Qt::AlignHCenter, QRect(QPoint(0, 0), bar->size()));
            QFont f = caption->font();
            f.setBold(false);
            f.setPixelSize(10);
            caption->setFont(f);
            (*captions[k])[s] = caption;
        }
    }
}

void TPannello112::reset800() {
    for (int i = 0; i < CSL_NUM_TELECOMANDI; ++i)
        TEXT_TELEC[size_t(i)] = QStringLiteral("--%1").arg(i + 1);
    for (int i = 0; i < CSL_NUM_SIRENA; ++i)
        TEXT_SIRENA[size_t(i)] = QStringLiteral("--%1").arg(i + 1);
    for (int i = 0; i < CSL_NUM_DEVICE; ++i)
        TEXT_DEVICE[size_t(i)] = QStringLiteral("--%1").arg(i + 1);
    LED_TELEC.fill(TTel{});
    LED_SIRENA.fill(TTel{});
    LED_DEVICE.fill(TTel{});
    BARGRAF_BAT_TELEC.fill(0);
    BARGRAF_SIG_TELEC.fill(0);
    BARGRAF_BAT_SIRENA.fill(0);
    BARGRAF_SIG_SIRENA.fill(0);
    BARGRAF_BAT_DEVICE.fill(0);
    BARGRAF_SIG_DEVICE.fill(0);
}

void TPannello112::PageControl1Change() {
    PageControl1->highlightActiveOnly();
}

// ============================================================================ the status writer

void TPannello112::beginUpdate() {
    ++m_updateDepth;
}

void TPannello112::endUpdate() {
    if (m_updateDepth > 0)
        --m_updateDepth;
    if (m_updateDepth == 0 && m_dirty)
        flush();
}

void TPannello112::changed() {
    m_dirty = true;
    if (m_updateDepth == 0)
        flush();
}

// One repaint of every painted part for all the values of an update; the lamps, bars and
// labels repaint themselves, and the window system merges their repaints into the same pass.
void TPannello112::flush() {
    m_dirty = false;
    ++m_statusRepaints;
    for (TDrawGrid* g : {DrawGrid4, DrawGrid5, DrawGrid6})
        g->viewport()->update();
}

void TPannello112::setStatusLamp(StatusLamp lamp, bool on) {
    if (!slotInRange(int(lamp), int(LEDStato.size()), "status lamp"))
        return;
    LEDStato[size_t(lamp)]->ChangeValue(on);
}

void TPannello112::setInputLamp(int input, bool on) {
    if (slotInRange(input, CSL_NUM_INPUTS, "input"))
        LEDInputs[size_t(input)]->ChangeValue(on);
}

void TPannello112::setOutputLamp(int output, bool on) {
    if (slotInRange(output, CSL_NUM_OUTPUTS, "output"))
        LEDOutputs[size_t(output)]->ChangeValue(on);
}

void TPannello112::setGsmOperator(const QString& name) {
    Label_NomeOperatore->setText(name);
}

void TPannello112::setGsmCredit(const QString& credit) {
    Label_Credito->setText(credit);
}

void TPannello112::setGsmSignal(int percent) {
    Image_GSM_SIGNAL->setLevel(clampPercent(percent, "GSM signal", 0));
}

void TPannello112::setBattery(int percent) {
    Image_BATTERY->setLevel(clampPercent(percent, "battery", 0));
}

ThhALed* TPannello112::radio400Lamp(int device, Radio400Lamp lamp) const {
    const size_t s = size_t(device);
    switch (lamp) {
    case Tamper:
        return LEDRadioTamper[s];
    case NotSupervised:
        return LEDRadioNoSup[s];
    case Channel1:
        return LEDRadioIn1[s];
    case Channel2:
        return LEDRadioIn2[s];
    case Channel3:
        return LEDRadioIn3[s];
    case Channel4:
        return LEDRadioIn4[s];
    case Channel5:
        return LEDRadioIn5[s];
    }
    return nullptr;
}

void TPannello112::setRadio400Lamp(int device, Radio400Lamp lamp, bool on) {
    if (!slotInRange(device, CSL_NUM_DEVICE_RADIO, "400-range device"))
        return;
    if (ThhALed* led = radio400Lamp(device, lamp))
        led->ChangeValue(on);
    else
        qCWarning(lcPanelStatus, "400-range lamp %d unknown, ignored", int(lamp));
}

void TPannello112::setRadio400Levels(int device, int batteryPercent, int signalPercent) {
    if (!slotInRange(device, CSL_NUM_DEVICE_RADIO, "400-range device"))
        return;
    const size_t s = size_t(device);
    const int bat = clampPercent(batteryPercent, "400-range battery", device);
    const int sig = clampPercent(signalPercent, "400-range signal", device);
    BARGRAFBAT[s]->setPosition(bat);
    BARGRAFSIG[s]->setPosition(sig);
    LABELBAT[s]->setText(QStringLiteral("%1%").arg(bat));
    LABELSIG[s]->setText(QStringLiteral("%1%").arg(sig));
}

TPannello112::Slots800 TPannello112::slots800(Radio800Kind kind) {
    switch (kind) {
    case Remote:
        return {LED_TELEC.data(),  BARGRAF_BAT_TELEC.data(), BARGRAF_SIG_TELEC.data(),
                TEXT_TELEC.data(), CSL_NUM_TELECOMANDI,      "remote control"};
    case Siren:
        return {LED_SIRENA.data(),
                BARGRAF_BAT_SIRENA.data(),
                BARGRAF_SIG_SIRENA.data(),
                TEXT_SIRENA.data(),
                CSL_NUM_SIRENA,
                "siren"};
    case Device:
        return {LED_DEVICE.data(),
                BARGRAF_BAT_DEVICE.data(),
                BARGRAF_SIG_DEVICE.data(),
                TEXT_DEVICE.data(),
                CSL_NUM_DEVICE,
                "detector"};
    }
    return {};
}

// The arrays of an 800-range kind when `slot` is one of its slots; none (with a trace line)
// for an unknown kind or slot.
std::optional<TPannello112::Slots800> TPannello112::radio800Slot(Radio800Kind kind, int slot) {
    const Slots800 k = slots800(kind);
    if (!k.flags) {
        qCWarning(lcPanelStatus, "800-range kind %d unknown, ignored", int(kind));
        return std::nullopt;
    }
    if (!slotInRange(slot, k.count, k.what))
        return std::nullopt;
    return k;
}

void TPannello112::setRadio800Flag(Radio800Kind kind, int slot, Radio800Flag flag, bool on) {
    const auto k = radio800Slot(kind, slot);
    if (!k)
        return;
    if (int(flag) < 0 || int(flag) > 8) {
        qCWarning(lcPanelStatus, "800-range flag %d unknown, ignored", int(flag));
        return;
    }
    k->flags[slot].flag(int(flag)) = on ? LON : LOFF;
    changed();
}

void TPannello112::setRadio800Levels(Radio800Kind kind, int slot, int batteryPercent, int signalPercent) {
    const auto k = radio800Slot(kind, slot);
    if (!k)
        return;
    k->battery[slot] = clampPercent(batteryPercent, "800-range battery", slot);
    k->signal[slot] = clampPercent(signalPercent, "800-range signal", slot);
    changed();
}

void TPannello112::setRadio800Name(Radio800Kind kind, int slot, const QString& text) {
    const auto k = radio800Slot(kind, slot);
    if (!k)
        return;
    k->names[slot] = text.left(kNameSlot);
    changed();
}

// ============================================================================ 868 grids

void TPannello112::paintName(QPainter& p, const QRect& rect, const QString& text) {
    p.setPen(Qt::black);
    p.drawText(QRect(rect.left() + 2, rect.top() + 2, rect.width() - 2, rect.height() - 2),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

// Header cells: cleared, then the title texts, the battery icon and the signal icon.
void TPannello112::paintHeader(QPainter& p, const QRect& rect, int col, const QStringList& texts,
                               int batteryCol) {
    p.fillRect(rect, DrawGrid4->color());
    const qreal dpr = p.device()->devicePixelRatioF();
    if (col == batteryCol || col == batteryCol + 1)
        p.drawPixmap(rect.left() + 20, rect.top() - 7, StatusImages::icon(col - batteryCol, dpr));
    else if (col < texts.size())
        paintName(p, rect, texts.at(col));
}

namespace {
void paintFlag(QPainter& p, const QRect& rect, TLeds value, bool rectangle, const QColor& clear) {
    p.fillRect(rect, clear);
    const qreal dpr = p.device()->devicePixelRatioF();
    const bool on = value == ledOn;
    if (rectangle)
        p.drawPixmap(rect.left(), rect.top(), StatusImages::flag(on ? 3 : 2, dpr));
    else
        p.drawPixmap(rect.left() - 2, rect.top() - 3, StatusImages::flag(on ? 1 : 0, dpr));
}

void paintLevel(QPainter& p, const QRect& rect, const QFont& font, int level, const QColor& clear) {
    p.fillRect(rect, clear);
    DrawStatus(p, rect, font, QStringLiteral("%"), level, LevelCaption::LevelFirst);
}
} // namespace

namespace {
// What each column of an 800-range grid shows, by kind.
enum class Cell800 : quint8 { Name, Tamp, Sup, Led1, Led2, Led3, Battery, Signal };
struct Grid800 {
    QStringList titles; // header texts from column 0; the battery and signal icons follow them
    std::vector<Cell800> cells;
};
const Grid800& grid800(PanelStatusSink::Radio800Kind kind) {
    using C = Cell800;
    static const Grid800 remotes{{QStringLiteral("TELECOMANDI")}, {C::Name, C::Battery, C::Signal}};
    static const Grid800 sirens{{QStringLiteral("SIRENE"), QStringLiteral("T"), QStringLiteral("S")},
                                {C::Name, C::Tamp, C::Sup, C::Battery, C::Signal}};
    static const Grid800 devices{
        {QStringLiteral("SENSORI"), QStringLiteral("T"), QStringLiteral("S"), QStringLiteral("C1"),
         QStringLiteral("C2"), QStringLiteral("C3")},
        {C::Name, C::Tamp, C::Sup, C::Led1, C::Led2, C::Led3, C::Battery, C::Signal}};
    return kind == PanelStatusSink::Remote ? remotes : kind == PanelStatusSink::Siren ? sirens : devices;
}
} // namespace

// Row 0 is the header; data row r shows slot r - 1.
void TPannello112::paint800Cell(Radio800Kind kind, TDrawGrid& grid, QPainter& p, int col, int row,
                                const QRect& rect) {
    const Grid800& layout = grid800(kind);
    if (col < 0 || col >= int(layout.cells.size()))
        return;
    if (row == 0) {
        paintHeader(p, rect, col, layout.titles, int(layout.titles.size()));
        return;
    }
    const Slots800 k = slots800(kind);
    const int s = row - 1;
    if (!k.flags || s >= k.count)
        return;
    p.setFont(grid.font());
    const TTel& t = k.flags[s];
    switch (layout.cells[size_t(col)]) {
    case Cell800::Name:
        paintName(p, rect, k.names[s]);
        break;
    case Cell800::Tamp:
        paintFlag(p, rect, t.Tamp, true, grid.color());
        break;
    case Cell800::Sup:
        paintFlag(p, rect, t.Sup, true, grid.color());
        break;
    case Cell800::Led1:
        paintFlag(p, rect, t.Led1, false, grid.color());
        break;
    case Cell800::Led2:
        paintFlag(p, rect, t.Led2, false, grid.color());
        break;
    case Cell800::Led3:
        paintFlag(p, rect, t.Led3, false, grid.color());
        break;
    case Cell800::Battery:
        paintLevel(p, rect, grid.font(), k.battery[s], grid.color());
        break;
    case Cell800::Signal:
        paintLevel(p, rect, grid.font(), k.signal[s], grid.color());
        break;
    }
}

void TPannello112::DrawGrid6DrawCell(TDrawGrid& grid, QPainter& p, int col, int row, const QRect& rect,
                                     bool) {
    paint800Cell(Remote, grid, p, col, row, rect);
}

void TPannello112::DrawGrid5DrawCell(TDrawGrid& grid, QPainter& p, int col, int row, const QRect& rect,
                                     bool) {
    paint800Cell(Siren, grid, p, col, row, rect);
}

void TPannello112::DrawGrid4DrawCell(TDrawGrid& grid, QPainter& p, int col, int row, const QRect& rect,
                                     bool) {
    paint800Cell(Device, grid, p, col, row, rect);
}

#include "moc_statusframe.cpp"
