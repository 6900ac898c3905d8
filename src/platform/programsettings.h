#pragma once
// The values of the program's settings key that are read at start, for when one is missing or
// stored as another type: what takes its place (the first-run window bounds among them) and the
// words that tell the installer which value it was and what the program does instead. A damaged
// value never stops the program or locks the installer out: it goes on as for a missing one.
#include "platform/registrykey.h"

#include <QSize>
#include <QString>
#include <QStringList>

struct WindowBounds {
    int top = 0;
    int left = 0;
    int height = 0;
    int width = 0;
};

// The main window's bounds at the first run: an eighth of the desktop's height and width from its
// top left corner, to the nearest integer (an exact half to the even neighbour); 800 high and
// 1190 wide.
WindowBounds firstRunWindowBounds(QSize desktop);
// The whole virtual desktop (all screens together); empty without a screen.
QSize virtualDesktopSize();

// One damaged value in the installer's words: "manca il valore "Top"", "il valore "Top" non è
// un numero intero", "il valore "LogIn" non è un testo". Empty for ValueFault::None.
QString valueFaultText(const QString& name, ValueFault fault, bool integer);
// "Registro di configurazione: " and the damaged values, then on a line of its own what the
// program uses instead.
QString damagedSettingsText(const QStringList& faults, const QString& instead);
