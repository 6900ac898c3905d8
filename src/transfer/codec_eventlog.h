#pragma once
// The texts of the event log: what an event code concerns and how its columns read.
#include <QString>

namespace Codec {

// What the argument of an event stands for (the event page jumps to it).
enum class EventKind { System, Partition, Input, User, Parameters, Peripheral, Radio };
EventKind eventKind(int code);

QString eventCategoryText(int category); // categories 1..4
QString eventText(int code);
QString eventObjectText(int code, int arg); // from the current installation's names
int eventLogStreamSize();                   // bytes of the whole log (256 records of 16)

} // namespace Codec
