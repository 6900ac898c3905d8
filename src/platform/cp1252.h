#pragma once
// The single-byte Windows-1252 code page, in which texts reach the panel and the exported files.
#include <QByteArray>
#include <QChar>
#include <QString>

// The byte of `c`, or -1 when the code page has none for it.
int windows1252Byte(QChar c);
// Characters without a code become '?'.
QByteArray toWindows1252(const QString& text);
// The five unassigned bytes become U+FFFD.
QString fromWindows1252(const QByteArray& bytes);
