#pragma once
// Page "EVENTI DI SISTEMA" of the main window (calls made for each system event).
// The sheet itself: its components are members named as the window knows them.

#include <QWidget>

class TPageEventiSistema : public QWidget {
    Q_OBJECT
public:
    explicit TPageEventiSistema(QWidget* parent = nullptr);
};
