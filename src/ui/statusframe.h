#pragma once
// TPannello112: the live status of the connected panel on the "TEST" page: four general status
// lamps, the 64 inputs, the 17 outputs, the GSM operator, credit and signal, the battery, and
// the radio devices of both ranges (400 range as lamps and bars, 800 range as three painted
// grids). It keeps the last values written until new ones come; nothing resets it when the
// live mode stops.
//
// The transfer writes through PanelStatusSink (the frame registers itself while it lives); the
// data module tells it the 800-range names through TDM::device800NameHook. Values written
// between beginUpdate() and endUpdate() are painted once, at endUpdate().

#include "platform/colors.h"
#include "transfer/panelstatus.h"

#include <QStaticText>
#include <QString>
#include <QWidget>

#include <array>
#include <optional>

class QGroupBox;
class QLabel;
class QScrollArea;
class QSplitter;
class TDrawGrid;
class ThhALed;
class TPageControl;

// A status flag of an 800-range device: on is 0, not 1.
enum TLeds : quint8 { ledOn = 0, ledOff = 1 };

// The flags of one 800-range device, in this order.
struct TTel {
    TLeds Tamp = ledOff;
    TLeds Sup = ledOff;
    TLeds Led1 = ledOff;
    TLeds Led2 = ledOff;
    TLeds Led3 = ledOff;
    TLeds Led4 = ledOff; // Led4..Led7 are kept but not shown
    TLeds Led5 = ledOff;
    TLeds Led6 = ledOff;
    TLeds Led7 = ledOff;
    TLeds& flag(int index); // 0 Tamp, 1 Sup, 2.. Led1..; nullptr-safe: an index outside 0..8 gives Led7
};

// A label of one grid cell: a line of text in the cell's font, aligned in the cell, on whatever
// is under it. Far lighter than a general label for the hundreds of cells the frame holds.
class TCellLabel : public QWidget {
    Q_OBJECT
public:
    TCellLabel(const QString& text, Qt::Alignment alignment, QWidget* parent = nullptr);
    QString text() const { return m_text; }
    void setText(const QString& text); // repaints only when the text changes
    Qt::Alignment alignment() const { return m_alignment; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QString m_text;
    Qt::Alignment m_alignment;
    QStaticText m_shaped;
};

// A level bar control 0..100 (its caption is a label laid over it).
class TStatusBar400 : public QWidget {
    Q_OBJECT
public:
    explicit TStatusBar400(QWidget* parent = nullptr);
    int Min = 0;
    int Max = 100;
    int Position() const { return m_position; }
    void setPosition(int value); // clamped to Min..Max

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_position = 0;
};

// A gauge image: the level bar with its caption, as the live status paints it (GSM signal,
// battery). Empty until a level is written.
class TStatusGauge : public QWidget {
    Q_OBJECT
public:
    explicit TStatusGauge(const QString& text, QWidget* parent = nullptr);
    void setLevel(double percent);
    bool hasLevel() const { return m_hasLevel; }
    double level() const { return m_level; }
    QString text() const { return m_text; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
    double m_level = 0;
    bool m_hasLevel = false;
};

class TPannello112 : public QWidget, public PanelStatusSink {
    Q_OBJECT
public:
    static constexpr int CSL_NUM_INPUTS = 64;
    static constexpr int CSL_NUM_OUTPUTS = 17;
    static constexpr int CSL_NUM_DEVICE_RADIO = 64;
    static constexpr int CSL_NUM_TELECOMANDI = 40;
    static constexpr int CSL_NUM_SIRENA = 8;
    static constexpr int CSL_NUM_DEVICE = 64;
    static constexpr int kNameSlot = 16; // characters of a device name
    // The off colour of the input, output and 400-range lamps: the system highlight colour.
    static constexpr TColor COLOR_FALSE = 0xFF00000D;

    explicit TPannello112(QWidget* parent = nullptr);
    ~TPannello112() override;

    // ---- components ----
    QSplitter* Splitter3 = nullptr; // top area above, radio tabs below
    QGroupBox* GroupBox2 = nullptr;
    QScrollArea* ScrollBox_Inputs = nullptr;
    QGroupBox* GroupBox_Inputs = nullptr;
    TDrawGrid* DrawGrid2 = nullptr; // input labels and lamps, 8 x 16
    QSplitter* Splitter200 = nullptr;
    QScrollArea* ScrollBox_Outputs = nullptr;
    QGroupBox* GroupBox_Outputs = nullptr;
    TDrawGrid* DrawGrid3 = nullptr; // output labels and lamps, 2 x 17
    QSplitter* Splitter100 = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QGroupBox* GroupBox_Gsm = nullptr;
    QLabel* Label_NomeOperatore_Label = nullptr;
    QLabel* Label_NomeOperatore = nullptr;
    QLabel* Label_Credito_Label = nullptr;
    QLabel* Label_Credito = nullptr;
    QLabel* Label_gsm_signal = nullptr;
    QWidget* Panel_GSM_SIGNAL = nullptr;
    TStatusGauge* Image_GSM_SIGNAL = nullptr;
    QGroupBox* GroupBox_Battery = nullptr;
    QWidget* Panel_Battery = nullptr;
    TStatusGauge* Image_BATTERY = nullptr;
    QGroupBox* GroupBox_Stato = nullptr;
    QLabel* Label_TamperCentrale = nullptr;
    QLabel* Label_TamperLinea = nullptr;
    QLabel* Label_TamperPeriferica = nullptr;
    QLabel* Label_Mancanza_AC = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    TPageControl* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr; // "433Mhz"
    QWidget* TabSheet2 = nullptr; // "868Mhz"
    QScrollArea* ScrollBox2 = nullptr;
    TDrawGrid* DrawGrid1 = nullptr; // the 400-range devices as controls, 40 x 17
    QScrollArea* ScrollBox3 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QSplitter* Splitter2 = nullptr;
    TDrawGrid* DrawGrid6 = nullptr; // remote controls
    TDrawGrid* DrawGrid5 = nullptr; // sirens
    TDrawGrid* DrawGrid4 = nullptr; // detectors

    // ---- what the live status writes (slot i stands for item i+1) ----
    std::array<ThhALed*, CSL_NUM_INPUTS> LEDInputs{};
    std::array<ThhALed*, CSL_NUM_OUTPUTS> LEDOutputs{};
    std::array<TCellLabel*, CSL_NUM_INPUTS> TextInputs{};
    std::array<TCellLabel*, CSL_NUM_OUTPUTS> TextOutputs{};
    std::array<TCellLabel*, CSL_NUM_DEVICE_RADIO> TextRadio{};
    std::array<ThhALed*, CSL_NUM_DEVICE_RADIO> LEDRadioTamper{};
    std::array<ThhALed*, CSL_NUM_DEVICE_RADIO> LEDRadioNoSup{};
    std::array<ThhALed*, CSL_NUM_DEVICE_RADIO> LEDRadioIn1{};
    std::array<ThhALed*, CSL_NUM_DEVICE_RADIO> LEDRadioIn2{};
    std::array<ThhALed*, CSL_NUM_DEVICE_RADIO> LEDRadioIn3{};
    std::array<ThhALed*, CSL_NUM_DEVICE_RADIO> LEDRadioIn4{};
    std::array<ThhALed*, CSL_NUM_DEVICE_RADIO> LEDRadioIn5{};
    std::array<TStatusBar400*, CSL_NUM_DEVICE_RADIO> BARGRAFBAT{};
    std::array<TStatusBar400*, CSL_NUM_DEVICE_RADIO> BARGRAFSIG{};
    std::array<TCellLabel*, CSL_NUM_DEVICE_RADIO> LABELBAT{};
    std::array<TCellLabel*, CSL_NUM_DEVICE_RADIO> LABELSIG{};
    std::array<TCellLabel*, 36> TextRadioLeggend{}; // nine legends in each of the four blocks
    std::array<ThhALed*, 4> LEDStato{};             // see PanelStatusSink::StatusLamp
    std::array<TTel, CSL_NUM_TELECOMANDI> LED_TELEC{};
    std::array<int, CSL_NUM_TELECOMANDI> BARGRAF_BAT_TELEC{};
    std::array<int, CSL_NUM_TELECOMANDI> BARGRAF_SIG_TELEC{};
    std::array<QString, CSL_NUM_TELECOMANDI> TEXT_TELEC;
    std::array<TTel, CSL_NUM_SIRENA> LED_SIRENA{};
    std::array<int, CSL_NUM_SIRENA> BARGRAF_BAT_SIRENA{};
    std::array<int, CSL_NUM_SIRENA> BARGRAF_SIG_SIRENA{};
    std::array<QString, CSL_NUM_SIRENA> TEXT_SIRENA;
    std::array<TTel, CSL_NUM_DEVICE> LED_DEVICE{};
    std::array<int, CSL_NUM_DEVICE> BARGRAF_BAT_DEVICE{};
    std::array<int, CSL_NUM_DEVICE> BARGRAF_SIG_DEVICE{};
    std::array<QString, CSL_NUM_DEVICE> TEXT_DEVICE;
    TLeds LON = ledOn;   // what a writer stores for a set status bit
    TLeds LOFF = ledOff; // and for a clear one

    // ---- PanelStatusSink ----
    void beginUpdate() override;
    void endUpdate() override;
    void setStatusLamp(StatusLamp lamp, bool on) override;
    void setInputLamp(int input, bool on) override;
    void setOutputLamp(int output, bool on) override;
    void setGsmOperator(const QString& name) override;
    void setGsmCredit(const QString& credit) override;
    void setGsmSignal(int percent) override;
    void setBattery(int percent) override;
    void setRadio400Lamp(int device, Radio400Lamp lamp, bool on) override;
    void setRadio400Levels(int device, int batteryPercent, int signalPercent) override;
    void setRadio800Flag(Radio800Kind kind, int slot, Radio800Flag flag, bool on) override;
    void setRadio800Levels(Radio800Kind kind, int slot, int batteryPercent, int signalPercent) override;
    void setRadio800Name(Radio800Kind kind, int slot, const QString& name) override;

    // Repaints of the painted parts served by status updates (one per update that changed
    // something); tests and benchmarks.
    int statusRepaints() const { return m_statusRepaints; }

    // ---- handlers ----
    void DrawGrid4DrawCell(TDrawGrid& grid, QPainter& painter, int col, int row, const QRect& rect,
                           bool fixed);
    void DrawGrid5DrawCell(TDrawGrid& grid, QPainter& painter, int col, int row, const QRect& rect,
                           bool fixed);
    void DrawGrid6DrawCell(TDrawGrid& grid, QPainter& painter, int col, int row, const QRect& rect,
                           bool fixed);
    void PageControl1Change();

private:
    void buildTop();
    void buildStatusBoxes(QWidget* content);
    void buildRadioTabs();
    void buildInputs();
    void buildOutputs();
    void buildRadio400();
    void buildLegend();
    void reset800();
    ThhALed* makeLamp(QWidget* parent, int tag, TColor trueColor, int style, const QRect& bounds);
    TCellLabel* makeLabel(QWidget* parent, const QString& text, Qt::Alignment align, const QRect& bounds);
    ThhALed* radio400Lamp(int device, Radio400Lamp lamp) const;
    // The arrays of one 800-range kind.
    struct Slots800 {
        TTel* flags = nullptr; // null for an unknown kind
        int* battery = nullptr;
        int* signal = nullptr;
        QString* names = nullptr;
        int count = 0;
        const char* what = "";
    };
    Slots800 slots800(Radio800Kind kind);
    std::optional<Slots800> radio800Slot(Radio800Kind kind, int slot);
    void paint800Cell(Radio800Kind kind, TDrawGrid& grid, QPainter& p, int col, int row, const QRect& rect);
    void changed(); // something painted by the frame changed: repaint now or at endUpdate()
    void flush();
    void paintName(QPainter& p, const QRect& rect, const QString& text);
    void paintHeader(QPainter& p, const QRect& rect, int col, const QStringList& texts, int batteryCol);

    int m_updateDepth = 0;
    bool m_dirty = false;
    int m_statusRepaints = 0;
};
