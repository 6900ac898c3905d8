#pragma once
// What a write job tells the installer when a value of the installation cannot be written to the
// panel: where the value is (area, row, field), what it is and why the panel cannot take it.
#include <QString>

#include <stdexcept>

class DataSet;

namespace Codec {

// Raised by the encoder for a value it cannot write; what() is the Italian text (UTF-8) of
// unsendableText.
class UnsendableValue : public std::runtime_error {
public:
    explicit UnsendableValue(const QString& text) : std::runtime_error(text.toStdString()) {}
    QString text() const { return QString::fromUtf8(what()); }
};

// "INGRESSI, riga 3 (PORTA), campo "TIPO INGRESSO": <reason>." for record `recNo` of `table` and
// its field `fieldName`; a nested table's row names its master's row too. The root table's row
// is the installation itself and has no row number.
QString unsendableText(DataSet* table, int recNo, const QString& fieldName, const QString& reason);

} // namespace Codec
