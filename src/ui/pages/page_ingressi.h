#pragma once
// Page "INGRESSI" of the main window (inputs (zones)).
// The sheet itself: its components are members named as the window knows them.

#include <QWidget>

class TPageControl;

class TPageIngressi : public QWidget {
    Q_OBJECT
public:
    explicit TPageIngressi(QWidget* parent = nullptr);

    TPageControl* PageControl_Ingressi = nullptr;
    QWidget* TabSheet15 = nullptr;             // "Messaggi"
    QWidget* TabSheetIngFunzioni = nullptr;    // "Funzioni / Tipo"
    QWidget* TabSheetIngTelefoni = nullptr;    // "Telefoni"
    QWidget* TabSheetIngOnOff = nullptr;       // "Ingressi ON/OFF"
    QWidget* TabSheetIngAdattamento = nullptr; // "Adattamento"
};
