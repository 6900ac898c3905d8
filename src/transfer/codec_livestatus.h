#pragma once
// The live status carried by parts 2..6 of CmdStateCentral (layout in codec_livestatus.cpp).
#include "link/linktypes.h"

#include <QByteArray>
#include <array>

namespace Codec {

// Writes one complete status (parts 2..6) into the status frame; DATACORRUPT for a part of
// the wrong size (nothing is written then).
TError decodeLiveStatus(const std::array<QByteArray, 5>& parts);
int liveStatusPartSize(int part); // 0 for a part that is not a status part

// Set by installLiveStatusCodec(); the identity command calls it after part 6.
inline TError (*LiveStatusDecoder)(const std::array<QByteArray, 5>&) = nullptr;

} // namespace Codec
