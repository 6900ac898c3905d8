#pragma once
// Page "PERIFERICHE" of the main window (expanders, keypads, key sockets).
// The sheet itself: its components are members named as the window knows them.

#include <QWidget>

class TPageControl;

class TPagePeriferiche : public QWidget {
    Q_OBJECT
public:
    explicit TPagePeriferiche(QWidget* parent = nullptr);

    TPageControl* PageControl_Periferiche = nullptr;
    QWidget* TabSheet23 = nullptr;            // "Espansioni"
    QWidget* TabSheetTastierePrese = nullptr; // "Tastiere/Prese"
};
