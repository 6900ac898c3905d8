#pragma once
// What the live-status command writes into. The status frame of the test page implements it;
// the transfer only ever sees this interface, never a widget.
//
// Indices are 0-based slots: slot i stands for item i+1. A writer brackets the values of one
// status reply with beginUpdate()/endUpdate(); the frame repaints once, at endUpdate(). Values
// out of range (a slot beyond its array, a level outside 0..100) are the implementation's to
// clamp or ignore: a writer never has to check them first.

#include <QString>

class PanelStatusSink {
public:
    virtual ~PanelStatusSink() = default;

    // Slot counts of the frame's arrays.
    static constexpr int kInputs = 64;
    static constexpr int kOutputs = 17;
    static constexpr int kRadio400 = 64;
    static constexpr int kRemotes = 40;
    static constexpr int kSirens = 8;
    static constexpr int kDevices = 64;

    // The four general status lamps.
    enum StatusLamp { CentralTamper = 0, LineTamper = 1, PeripheralTamper = 2, MainsFailure = 3 };
    // The lamps of one 400-range device, in the order of its grid columns.
    enum Radio400Lamp { Tamper = 0, NotSupervised = 1, Channel1 = 2, Channel2, Channel3, Channel4, Channel5 };
    // The three kinds of 800-range devices (the same numbers as TDM::Device800SlotKind).
    enum Radio800Kind { Remote = 0, Siren = 1, Device = 2 };
    // The flags of one 800-range device (its `TTel` record, in order).
    enum Radio800Flag { Tamp = 0, Sup = 1, Led1, Led2, Led3, Led4, Led5, Led6, Led7 };

    virtual void beginUpdate() = 0;
    virtual void endUpdate() = 0;

    virtual void setStatusLamp(StatusLamp lamp, bool on) = 0;
    virtual void setInputLamp(int input, bool on) = 0;
    virtual void setOutputLamp(int output, bool on) = 0;

    virtual void setGsmOperator(const QString& name) = 0;
    virtual void setGsmCredit(const QString& credit) = 0;
    virtual void setGsmSignal(int percent) = 0;
    virtual void setBattery(int percent) = 0;

    virtual void setRadio400Lamp(int device, Radio400Lamp lamp, bool on) = 0;
    virtual void setRadio400Levels(int device, int batteryPercent, int signalPercent) = 0;

    virtual void setRadio800Flag(Radio800Kind kind, int slot, Radio800Flag flag, bool on) = 0;
    virtual void setRadio800Levels(Radio800Kind kind, int slot, int batteryPercent, int signalPercent) = 0;
    virtual void setRadio800Name(Radio800Kind kind, int slot, const QString& name) = 0;
};

// The sink the live-status command writes into; none until the status frame registers itself
// (a status reply with no sink is decoded and dropped).
PanelStatusSink* panelStatusSink();
void setPanelStatusSink(PanelStatusSink* sink);
