#pragma once
// Page "EVENTI DI SISTEMA" of the main window (calls made for each system event).
// The sheet itself: its components are members named as the window knows them.

#include "platform/dbgrid.h"

#include <QWidget>

class DBComboBox;

class TPageEventiSistema : public QWidget {
    Q_OBJECT
public:
    explicit TPageEventiSistema(QWidget* parent = nullptr);

    DBGrid* DBGrid32 = nullptr;         // one row per system event, one call column per phone
    DBComboBox* DBComboBox38 = nullptr; // kind of call: "-", "SMS", "Voce", "Voce + SMS" (in-grid editor)

    // Voice calls that a model cannot make for an event: those of the events from the model's
    // ModelFeatures::firstEventWithoutVoice on (none without a model).
    static bool voiceUnsupported(int systemType, int recNo, const QString& call);

    void DBGrid32DrawColumnCell(DBGrid& grid, QPainter& painter, const QRect& rect, int dataCol,
                                DBGridColumn& column, GridDrawState state);

private:
    void cellEntered();
};
