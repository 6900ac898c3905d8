#pragma once
// Page "ADEMCO" of the main window (Contact ID receivers, events and codes).
// The sheet itself: its components are members named as the window knows them.

#include <QWidget>

class TPageControl;

class TPageContactID : public QWidget {
    Q_OBJECT
public:
    explicit TPageContactID(QWidget* parent = nullptr);

    TPageControl* PageControl_FPT = nullptr;
    QWidget* TabSheet33 = nullptr; // "CODICI IMPIANTO\TEL"
    QWidget* TabSheet24 = nullptr; // "EVENTI CID"
    QWidget* TabSheet25 = nullptr; // "CODICI 4+2"
    QWidget* TabSheet34 = nullptr; // "PARAMETRI"
    QWidget* TabSheet36 = nullptr; // "PARAMETRI DI SISTEMA"
};
