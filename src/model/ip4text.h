#pragma once
// The IPv4 address of a dotted text, as the network fields hold it and the codec sends it. It
// lives with the model because the field checks refuse what it cannot convert; the transfer's
// TComSet::StringToIP4Addr is this conversion.
#include <QString>
#include <stdexcept>

// Raised by StringToIP4Addr for a text that is not an address (too few parts, a part that is not
// a number). The codec turns it into a data-corrupt result.
class IP4ConvertError : public std::runtime_error {
public:
    explicit IP4ConvertError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// A * 2^24 + B * 2^16 + C * 2^8 + D: the first part of the text in the most significant byte.
quint32 packIP4(quint8 a, quint8 b, quint8 c, quint8 d);

// The address of a dotted text (the first part in the most significant byte). Raises
// IP4ConvertError for a text that is not an address; an empty part or a part above 255 is read
// as 0.
quint32 StringToIP4Addr(const QString& text);
