#pragma once
// Page "PARAMETRI VARI" of the main window (single-row panel options).
// The sheet itself: its components are members named as the window knows them.

#include <QWidget>

class DBCheckBox;
class QCheckBox;
class QDateEdit;
class QLabel;
class QTimeEdit;
class TPageControl;

class TPageParametriVari : public QWidget {
    Q_OBJECT
public:
    explicit TPageParametriVari(QWidget* parent = nullptr);

    TPageControl* PageControl_parametri_vari = nullptr;
    QWidget* TabSheetTamper = nullptr;       // "TAMPER"
    QWidget* TabSheetSirena = nullptr;       // "SIRENA"
    QWidget* TabSheetEN50131 = nullptr;      // "EN 50131"
    QWidget* TabSheetComunicatore = nullptr; // "COMUNICATORE"
    QWidget* TabSheetWireless = nullptr;     // "WIRELESS"
    QWidget* TabSheetDataOra = nullptr;      // "DATA/ORA"

    // "DATA/ORA": the clock of the main window writes these while this page is shown.
    QCheckBox* CheckBox1 = nullptr;     // "Ora Corrente": the pickers follow the running time
    QLabel* Label2 = nullptr;           // the running clock
    QDateEdit* Data = nullptr;          // date sent to the panel
    QTimeEdit* ora = nullptr;           // time sent to the panel
    DBCheckBox* DBCheckBox82 = nullptr; // "Ora Legale"

    // The system's long time format without the time zone (hours, minutes, seconds).
    static QString longTimeFormat();

private:
    void buildTamper();
    void buildSirena();
    void buildEN50131();
    void buildComunicatore();
    void buildWireless();
    void buildDataOra();
};
