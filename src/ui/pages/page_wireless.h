#pragma once
// Page "WIRELESS" of the main window (radio devices of both ranges).
// The sheet itself: its components are members named as the window knows them.

#include <QWidget>

class QGroupBox;
class TPageControl;

class TPageWireless : public QWidget {
    Q_OBJECT
public:
    explicit TPageWireless(QWidget* parent = nullptr);

    TPageControl* PageControl1 = nullptr;
    QWidget* TabSheet44 = nullptr; // "433 Mhz": the 400-range devices
    QWidget* TabSheet45 = nullptr; // "868 Mhz": the 800-range devices
    // On "868 Mhz": the group box filling the tab, with the device kinds on the left.
    QGroupBox* GroupBox139 = nullptr;
    TPageControl* PageControl2 = nullptr;
    QWidget* TabSheet46 = nullptr; // "TELECOMANDI"
    QWidget* TabSheet47 = nullptr; // "SIRENE"
    QWidget* TabSheet48 = nullptr; // "SENSORI"
};
