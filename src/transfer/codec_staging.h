#pragma once
// What a read job has decoded waits here until the whole job has succeeded: only then are the
// values written into the installation, so a job that fails, times out or is refused leaves
// every table as it was. The sequencer commits at its success ending and drops at every start
// and ending.
#include "link/linktypes.h"

#include <QByteArray>
#include <QString>

namespace Codec {

using ValidateFn = TError (*)(int command, const QByteArray& stream);
#include <functional>

// Writes a stream into the installation and returns what puts the overwritten values back.
using ApplyFn = std::function<void()> (*)(int command, const QByteArray& stream);

// How a command's decoded stream is checked (at its last part) and applied (at the commit);
// commands are applied in rising rank, then number.
void setStagedCommand(int command, int rank, ValidateFn validate, ApplyFn apply);

// Takes part `part` of a command whose stream is `streamSize` bytes cut into 64-byte parts:
// a part of the wrong length or out of order is DATACORRUPT; the last part has the whole
// stream validated.
TError receivePart(int command, int part, const QByteArray& payload, int streamSize);

// The bytes of part `part` of the stream `encode` makes (encoded once per command and job).
QByteArray streamPart(int command, int part, QByteArray (*encode)(int command));

// Applies every complete stream of the job; false (with *why) when a table refused a value,
// after everything applied so far has been put back as it was.
bool commitStaged(QString* why = nullptr);
void dropStaged();
bool hasStaged(int command);

} // namespace Codec
