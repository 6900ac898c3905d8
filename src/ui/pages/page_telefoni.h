#pragma once
// Page "TELEFONI" of the main window (phone book and call parameters).
// The sheet itself: its components are members named as the window knows them.

#include <QWidget>

class TPageControl;

class TPageTelefoni : public QWidget {
    Q_OBJECT
public:
    explicit TPageTelefoni(QWidget* parent = nullptr);

    TPageControl* PageControl_telefoni = nullptr;
    QWidget* TabSheet29 = nullptr; // "RUBRICA"
    QWidget* TabSheet30 = nullptr; // "PARAMETRI DI CHIAMATA"
};
