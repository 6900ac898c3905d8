#pragma once
// Page "TEST" of the main window (live panel status).
// The sheet itself: its components are members named as the window knows them.

#include <QWidget>

class TPannello112;

class TPageTest : public QWidget {
    Q_OBJECT
public:
    explicit TPageTest(QWidget* parent = nullptr);

    TPannello112* Pannello1121 = nullptr; // the live status, filling the page
};
