#pragma once
// A panel's memory for the codec tests: whole command streams put into and taken out of the
// simulator's part store, valid random contents for every configuration command (drawn from the
// current installation's rows, so that a read accepts them), and the event log and live status.
#include "support/panelsimulator.h"

#include <QByteArray>
#include <QDateTime>
#include <QMap>
#include <QRandomGenerator>
#include <QStringList>
#include <vector>

namespace PanelMemory {

// A command's stream as the panel holds it (docs/panel-protocol.md, section 6), written here by
// hand and never taken from the codec, so that a layout with a wrong row count or field width
// cannot shape the panel it is tested against. {0, 0} for a command without a stream.
struct Shape {
    int bytes;
    int parts;
};
Shape documentedShape(int command);
// The data size of one part as it travels (command 1: its parts' own sizes).
int documentedPartSize(int command, int part);
// What the requests from number `from` on did against the documented shapes in a job over
// `commands`: each command's parts asked or sent other than exactly 0..parts-1, parts written
// with another size, a read sent as a write, requests for other commands.
QStringList shapeFaults(const PanelCore& panel, int from, const std::vector<int>& commands, bool writeJob);

// Stores a stream as the panel's memory of `command`, cut into its documented parts (the last
// one shorter); a stream of another size is cut or zero-filled to the documented size.
void store(PanelCore& panel, int command, const QByteArray& stream);
// The panel's memory of `command`: its documented size (parts joined).
QByteArray stream(const PanelCore& panel, int command);
// Overwrites bytes of the panel's memory of `command` from `offset` on.
void patch(PanelCore& panel, int command, int offset, const QByteArray& bytes);

// Random contents every decoder accepts, for each configuration command of the catalogue.
QMap<int, QByteArray> randomConfiguration(QRandomGenerator& rng);
// Stores random contents (randomConfiguration) over a fresh panel of the current installation's
// model and returns them.
QMap<int, QByteArray> loadRandomPanel(PanelCore& panel, QRandomGenerator& rng);
// The current installation encoded as every configuration command would send it.
QMap<int, QByteArray> encodeInstallation();
// What a freshly reset panel of the current installation's model holds: the encoding of a new
// installation of that model (made and removed again), an empty event log, a quiet status.
void loadFreshPanel(PanelCore& panel, int model);

// A log record (see the event-log codec) and a status of the given lamps.
QByteArray logRecord(int code, int arg, int category, bool read, const QDateTime& when);
void storeStatus(PanelCore& panel, quint8 generalLamps, quint64 inputs, const QByteArray& operatorName);

} // namespace PanelMemory
