#pragma once
// Page "PARAMETRI DI RETE" of the main window (network, GPRS and cloud).
// The sheet itself: its components are members named as the window knows them.

#include <QWidget>

class QGroupBox;
class QLineEdit;

class TPageRete : public QWidget {
    Q_OBJECT
public:
    explicit TPageRete(QWidget* parent = nullptr);

    // "CLOUD MANAGEMENT": host and port of the cloud relay, read by the connection form when
    // it opens the cloud link. Hidden until Ctrl+Shift+F9.
    QGroupBox* GroupBox110 = nullptr;
    QLineEdit* Edit2 = nullptr; // host
    QLineEdit* Edit3 = nullptr; // port, "443"

private:
    void buildNetworkSetup(QGroupBox* outer);
};
