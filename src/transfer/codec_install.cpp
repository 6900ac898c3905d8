// Installs the generic record codec of every layout in the command catalogue. Catalogue entries
// are plain function pointers, so each command number gets its own pair of thunks.
#include "transfer/codec.h"
#include "transfer/codec_layout.h"
#include "transfer/codec_staging.h"
#include "transfer/commands.h"

#include <array>
#include <optional>
#include <utility>

namespace Codec {
namespace {

std::array<std::optional<Layout>, CommandCount> Layouts;

QByteArray encodeCommand(int command) {
    return encodeStream(*Layouts[size_t(command)]);
}

TError validateCommand(int command, const QByteArray& stream) {
    return validateStream(*Layouts[size_t(command)], stream);
}

std::function<void()> applyCommand(int command, const QByteArray& stream) {
    return applyStream(*Layouts[size_t(command)], stream);
}

template <int N> TError encodeThunk(int part, QByteArray& payload) {
    payload = streamPart(N, part, encodeCommand);
    return SENDOK;
}

template <int N> TError decodeThunk(int part, const QByteArray& payload) {
    return receivePart(N, part, payload, Layouts[size_t(N)]->streamSize());
}

template <int... N>
constexpr std::array<std::pair<EncodeFn, DecodeFn>, sizeof...(N)> thunks(std::integer_sequence<int, N...>) {
    return {std::pair<EncodeFn, DecodeFn>{&encodeThunk<N>, &decodeThunk<N>}...};
}

constexpr auto Thunks = thunks(std::make_integer_sequence<int, CommandCount>{});

} // namespace

void installLayout(Layout layout) {
    const int n = layout.command;
    if (n < 0 || n >= CommandCount)
        return;
    const int rank = layout.applyRank;
    Layouts[size_t(n)] = std::move(layout);
    setCommandParts(n, Layouts[size_t(n)]->parts());
    setCommandCodec(n, Thunks[size_t(n)].first, Thunks[size_t(n)].second);
    setStagedCommand(n, rank, validateCommand, applyCommand);
}

const Layout* layoutOf(int command) {
    if (command < 0 || command >= CommandCount || !Layouts[size_t(command)])
        return nullptr;
    return &*Layouts[size_t(command)];
}

} // namespace Codec

void installPanelCodec() {
    static bool done = false;
    if (done)
        return;
    done = true;
    Codec::installPeripheralsCodec();
    Codec::installInputsCodec();
    Codec::installOutputsCodec();
    Codec::installUsersCodec();
    Codec::installReportingCodec();
    Codec::installParametersCodec();
    Codec::installTimersCodec();
    Codec::installVocabularyCodec();
    Codec::installRadioCodec();
    Codec::installEventLogCodec();
    Codec::installLiveStatusCodec();
}
