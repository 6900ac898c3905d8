#pragma once
// Page "PSTN" of the main window (telephone line options).
// The sheet itself: its components are members named as the window knows them.

#include <QWidget>

class TPagePSTN : public QWidget {
    Q_OBJECT
public:
    explicit TPagePSTN(QWidget* parent = nullptr);
};
