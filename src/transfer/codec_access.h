#pragma once
// Codec of the access handshake and of the identity and status command.
//   CmdLogIn, part 0, written: 6 bytes, the remote-management code as ASCII digits, a shorter
//     code filled up with NUL bytes. Reply: 1 byte, the panel's RequestConnection status.
//   CmdStateCentral, read, 7 parts:
//     part 0: model code, radio range, SW major, SW minor, HW major, HW minor (6 bytes at least)
//     part 1: the panel's name, a 16-byte NUL-filled slot
//     parts 2..6: live status, kept raw in Sys.Status for the live-status codec
#include "link/linktypes.h"

#include <QByteArray>

TError encodeLogIn(int part, QByteArray& payload);
TError decodeLogIn(int part, const QByteArray& payload);
TError decodeStateCentral(int part, const QByteArray& payload);
