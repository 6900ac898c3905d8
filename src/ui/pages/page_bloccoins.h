#pragma once
// Page "BLOCCO INSERIMENTO" of the main window (conditions that block arming).
// The sheet itself: its components are members named as the window knows them.

#include <QWidget>

class TPageBloccoIns : public QWidget {
    Q_OBJECT
public:
    explicit TPageBloccoIns(QWidget* parent = nullptr);
};
