#pragma once
// Page "EDITA VOCABOLI" of the main window (the message vocabulary).
// The sheet itself: its components are members named as the window knows them.

#include <QWidget>

class TPageVocaboli : public QWidget {
    Q_OBJECT
public:
    explicit TPageVocaboli(QWidget* parent = nullptr);
};
