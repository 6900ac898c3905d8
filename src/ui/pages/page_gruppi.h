#pragma once
// Page "GRUPPI" of the main window (groups and their partitions).
// The sheet itself: its components are members named as the window knows them.

#include <QWidget>

class TPageGruppi : public QWidget {
    Q_OBJECT
public:
    explicit TPageGruppi(QWidget* parent = nullptr);
};
