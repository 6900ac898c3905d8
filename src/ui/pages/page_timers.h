#pragma once
// Page "TIMERS" of the main window (weekly scheduler).
// The sheet itself: its components are members named as the window knows them.

#include <QWidget>

class TPageTimers : public QWidget {
    Q_OBJECT
public:
    explicit TPageTimers(QWidget* parent = nullptr);
};
