#pragma once
// Page "PROGRAMMI" of the main window (partitions and their zones).
// The sheet itself: its components are members named as the window knows them.

#include <QWidget>

class TPageProgrammi : public QWidget {
    Q_OBJECT
public:
    explicit TPageProgrammi(QWidget* parent = nullptr);
};
