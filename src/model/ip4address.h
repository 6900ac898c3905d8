#pragma once
// Raised by TComSet::StringToIP4Addr for a text that is not an address (too few parts, a part
// that is not a number). The codec turns it into a data-corrupt result.
#include <QString>
#include <stdexcept>

class IP4ConvertError : public std::runtime_error {
public:
    explicit IP4ConvertError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// The address of a dotted text as the codec sends it (the first part in the most significant
// byte). Raises IP4ConvertError for a text that is not an address; an empty part or a part
// above 255 is read as 0. TComSet::StringToIP4Addr is this conversion.
quint32 StringToIP4Addr(const QString& text);
