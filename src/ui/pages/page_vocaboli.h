#pragma once
// Page "EDITA VOCABOLI" of the main window: the installation's 187 message words, typed
// straight into the grid. Three models let only words 1 to 30 be changed. A changed word
// reaches the inputs, outputs, partitions and groups that use it through the model's rule.

#include "platform/dbgrid.h"

#include <QWidget>

class TPageVocaboli : public QWidget {
    Q_OBJECT
public:
    explicit TPageVocaboli(QWidget* parent = nullptr);

    DBGrid* DBGrid43 = nullptr;

    void DBGrid43DrawColumnCell(DBGrid& grid, QPainter& painter, const QRect& rect, int dataCol,
                                DBGridColumn& column, GridDrawState state);
    // Typing is allowed in the word column of a word the model lets the installer change.
    void updateEditing();

    // Whether the word in record `recNo` (1-based; the word `_ID` recNo - 1) may be changed on
    // a panel of `systemType`.
    static bool wordEditable(int systemType, int recNo);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void widenNumberColumn();
};
