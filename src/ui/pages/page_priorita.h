#pragma once
// Page "PRIORITà VETTORI" of the main window (order of the reporting channels).
// The sheet itself: its components are members named as the window knows them.

#include <QWidget>

class TPagePriorita : public QWidget {
    Q_OBJECT
public:
    explicit TPagePriorita(QWidget* parent = nullptr);
};
