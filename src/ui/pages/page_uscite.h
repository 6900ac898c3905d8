#pragma once
// Page "USCITE" of the main window (outputs and their associations).
// The sheet itself: its components are members named as the window knows them.

#include <QWidget>

class TPageControl;

class TPageUscite : public QWidget {
    Q_OBJECT
public:
    explicit TPageUscite(QWidget* parent = nullptr);

    TPageControl* PageControl_Uscite = nullptr;
    QWidget* TabSheet19 = nullptr; // "Messaggi"
    QWidget* TabSheet20 = nullptr; // "Funzioni/Condizione di funzionamento"
    QWidget* TabSheet21 = nullptr; // "Assegna Telefoni"
    QWidget* TabSheet35 = nullptr; // "Associazioni"
};
