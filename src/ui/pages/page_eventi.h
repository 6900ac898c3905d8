#pragma once
// Page "EVENTI" of the main window (the panel's event log).
// The sheet itself: its components are members named as the window knows them.

#include <QWidget>

class TPageEventi : public QWidget {
    Q_OBJECT
public:
    explicit TPageEventi(QWidget* parent = nullptr);
};
