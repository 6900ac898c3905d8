#pragma once
// Raised by TComSet::StringToIP4Addr for a text that is not an address (too few parts, a part
// that is not a number). The codec turns it into a data-corrupt result.
#include <QString>
#include <stdexcept>

class IP4ConvertError : public std::runtime_error {
public:
    explicit IP4ConvertError(const QString& message) : std::runtime_error(message.toStdString()) {}
};
