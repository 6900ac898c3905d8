#pragma once
// Page "TEST" of the main window (live panel status).
// The sheet itself: its components are members named as the window knows them.

#include <QWidget>

class TPageTest : public QWidget {
    Q_OBJECT
public:
    explicit TPageTest(QWidget* parent = nullptr);
};
