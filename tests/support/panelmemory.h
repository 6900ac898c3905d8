#pragma once
// A panel's memory for the codec tests: whole command streams put into and taken out of the
// simulator's part store, valid random contents for every configuration command (drawn from the
// current installation's rows, so that a read accepts them), and the event log and live status.
#include "support/panelsimulator.h"

#include <QByteArray>
#include <QDateTime>
#include <QMap>
#include <QRandomGenerator>

namespace PanelMemory {

// Cuts a stream into 64-byte parts and stores them as the panel's memory of `command`.
void store(PanelCore& panel, int command, const QByteArray& stream);
// The panel's memory of `command`, `bytes` long (parts joined).
QByteArray stream(const PanelCore& panel, int command, int bytes);

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
