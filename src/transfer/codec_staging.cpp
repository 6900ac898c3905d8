#include "transfer/codec_staging.h"

#include "model/datamodule.h"

#include <algorithm>
#include <array>
#include <exception>
#include <optional>
#include <vector>

namespace Codec {
namespace {

constexpr int PartSize = 64;
constexpr int Commands = 64;

struct Entry {
    int rank = 2;
    ValidateFn validate = nullptr;
    ApplyFn apply = nullptr;
};

std::array<Entry, Commands> Entries;
std::array<QByteArray, Commands> Received; // parts so far
std::array<bool, Commands> Complete{};
std::array<QByteArray, Commands> Encoded; // write jobs: the stream of each command
std::array<bool, Commands> HasEncoded{};

bool valid(int command) {
    return command >= 0 && command < Commands;
}

} // namespace

void setStagedCommand(int command, int rank, ValidateFn validate, ApplyFn apply) {
    if (valid(command))
        Entries[size_t(command)] = Entry{rank, validate, apply};
}

TError receivePart(int command, int part, const QByteArray& payload, int streamSize) {
    if (!valid(command))
        return DATACORRUPT;
    const auto c = size_t(command);
    const int parts = std::max(1, (streamSize + PartSize - 1) / PartSize);
    const int expected = part < parts - 1 ? PartSize : streamSize - PartSize * (parts - 1);
    if (part == 0) {
        Received[c].clear();
        Complete[c] = false;
    }
    if (part < 0 || part >= parts || payload.size() != expected ||
        Received[c].size() != qsizetype(part) * PartSize)
        return DATACORRUPT;
    Received[c].append(payload);
    if (part < parts - 1)
        return SENDOK;
    const TError r = Entries[c].validate ? Entries[c].validate(command, Received[c]) : SENDOK;
    if (r != SENDOK) {
        Received[c].clear();
        return r;
    }
    Complete[c] = true;
    return SENDOK;
}

QByteArray streamPart(int command, int part, QByteArray (*encode)(int command)) {
    const auto c = size_t(command);
    if (part == 0 || !HasEncoded[c]) {
        Encoded[c] = encode(command);
        HasEncoded[c] = true;
    }
    return Encoded[c].mid(qsizetype(part) * PartSize, PartSize);
}

bool commitStaged(QString* why) {
    std::vector<int> order;
    for (int c = 0; c < Commands; ++c)
        if (Complete[size_t(c)] && Entries[size_t(c)].apply)
            order.push_back(c);
    std::stable_sort(order.begin(), order.end(),
                     [](int a, int b) { return Entries[size_t(a)].rank < Entries[size_t(b)].rank; });
    std::optional<TDM::ControlsPause> pause;
    if (DM)
        pause.emplace(*DM);
    std::vector<std::function<void()>> undo;
    for (const int c : order) {
        try {
            undo.push_back(Entries[size_t(c)].apply(c, Received[size_t(c)]));
        } catch (const std::exception& e) {
            if (why)
                *why = QString::fromStdString(e.what());
            // The failing command has put its own rows back (applyStream); the ones applied
            // before it are put back here, last first.
            for (auto it = undo.rbegin(); it != undo.rend(); ++it) {
                try {
                    (*it)();
                } catch (...) {
                }
            }
            return false;
        }
    }
    return true;
}

void dropStaged() {
    for (int c = 0; c < Commands; ++c) {
        Received[size_t(c)].clear();
        Complete[size_t(c)] = false;
        Encoded[size_t(c)].clear();
        HasEncoded[size_t(c)] = false;
    }
}

bool hasStaged(int command) {
    return valid(command) && Complete[size_t(command)];
}

} // namespace Codec
