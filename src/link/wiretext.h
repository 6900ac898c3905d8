#pragma once
// Texts leave the program for the panel as single-byte Windows-1252.
#include <QByteArray>
#include <QString>

// Characters without a Windows-1252 code become '?'.
QByteArray toWire1252(const QString& text);
QString fromWire1252(const QByteArray& bytes);
// A fixed slot: the text cut to size bytes, filled up with NUL bytes.
QByteArray toWireSlot(const QString& text, int size);
// The text of a NUL-filled slot (up to the first NUL).
QString fromWireSlot(const QByteArray& slot);
