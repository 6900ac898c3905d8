#pragma once
// Page "UTENTI" of the main window (users, their codes, partitions and groups).
// The sheet itself: its components are members named as the window knows them.

#include <QWidget>

class TPageUtenti : public QWidget {
    Q_OBJECT
public:
    explicit TPageUtenti(QWidget* parent = nullptr);
};
