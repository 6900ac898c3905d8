#include "platform/versioninfo.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <vector>

#if !defined(TABULON_VER_MAJOR) || !defined(TABULON_VER_MINOR) || !defined(TABULON_VER_RELEASE) ||           \
    !defined(TABULON_VER_BUILD)
#error "The build must define TABULON_VER_MAJOR, _MINOR, _RELEASE and _BUILD"
#endif

namespace {

constexpr int kMagicSize = 16;
constexpr int kRecordSize = kMagicSize + 4 * 2 + 2;

constexpr unsigned char lo(unsigned v) {
    return static_cast<unsigned char>(v & 0xFF);
}
constexpr unsigned char hi(unsigned v) {
    return static_cast<unsigned char>((v >> 8) & 0xFF);
}
constexpr unsigned checkWord(unsigned a, unsigned b, unsigned c, unsigned d) {
    return (~(a + b * 3 + c * 5 + d * 7) ^ 0x5A5Au) & 0xFFFFu;
}

constexpr unsigned kMajor = TABULON_VER_MAJOR, kMinor = TABULON_VER_MINOR, kRelease = TABULON_VER_RELEASE,
                   kBuild = TABULON_VER_BUILD;
static_assert(kMajor <= 0xFFFF && kMinor <= 0xFFFF && kRelease <= 0xFFFF && kBuild <= 0xFFFF,
              "version numbers are 16-bit");

} // namespace

// The record itself. External linkage and a fixed name, so the build can make every
// executable that links the core library keep it (the linker is told the name is needed);
// `used` keeps the compiler from dropping it. The magic bytes exist only here: the reader
// takes them from this block at run time, so no second copy can be found in a file.
extern "C" __attribute__((used))
const unsigned char tabulon_version_record[kRecordSize] = {0x9C,
                                                           'T',
                                                           'b',
                                                           'n',
                                                           'V',
                                                           'e',
                                                           'r',
                                                           'R',
                                                           'e',
                                                           'c',
                                                           0x00,
                                                           0xE7,
                                                           0x31,
                                                           0x5D,
                                                           0xA6,
                                                           0x0F,
                                                           lo(kMajor),
                                                           hi(kMajor),
                                                           lo(kMinor),
                                                           hi(kMinor),
                                                           lo(kRelease),
                                                           hi(kRelease),
                                                           lo(kBuild),
                                                           hi(kBuild),
                                                           lo(checkWord(kMajor, kMinor, kRelease, kBuild)),
                                                           hi(checkWord(kMajor, kMinor, kRelease, kBuild))};

namespace {

std::array<unsigned char, kRecordSize> embeddedBytes() {
    // Read through a volatile pointer: the compiler may then neither fold the bytes into
    // the reader's code nor keep a second copy of the magic for the search.
    const volatile unsigned char* src = tabulon_version_record;
    std::array<unsigned char, kRecordSize> out{};
    for (int i = 0; i < kRecordSize; ++i)
        out[i] = src[i];
    return out;
}

unsigned word(const unsigned char* p) {
    return unsigned(p[0]) | (unsigned(p[1]) << 8);
}

// The four numbers after a magic; nullopt when the check word does not match (a chance
// occurrence of the magic bytes).
std::optional<VersionRecord> decodeAfterMagic(const unsigned char* p) {
    const unsigned a = word(p), b = word(p + 2), c = word(p + 4), d = word(p + 6);
    if (word(p + 8) != checkWord(a, b, c, d))
        return std::nullopt;
    return VersionRecord{int(a), int(b), int(c), int(d)};
}

constexpr qint64 kChunk = 1 << 20;
constexpr qint64 kMaxScan = qint64(1) << 30; // executables larger than 1 GiB are not scanned whole

} // namespace

std::optional<VersionRecord> readVersionRecord(const QString& exePath, QString* errorText) {
    auto fail = [&](const QString& why) -> std::optional<VersionRecord> {
        if (errorText)
            *errorText = why;
        return std::nullopt;
    };
    QFile file(exePath);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());

    const auto bytes = embeddedBytes();
    const unsigned char* magic = bytes.data();
    const std::boyer_moore_horspool_searcher searcher(magic, magic + kMagicSize);

    // Chunks overlap by one record less a byte, so a record across a chunk border is found.
    constexpr qint64 overlap = kRecordSize - 1;
    std::vector<unsigned char> buf(size_t(kChunk + overlap));
    qint64 kept = 0;
    qint64 scanned = 0;
    while (scanned < kMaxScan) {
        const qint64 got = file.read(reinterpret_cast<char*>(buf.data() + kept), kChunk);
        if (got < 0)
            return fail(file.errorString());
        if (got == 0)
            break;
        scanned += got;
        const auto begin = buf.begin();
        const auto end = begin + (kept + got);
        for (auto it = std::search(begin, end, searcher); it != end;
             it = std::search(it + 1, end, searcher)) {
            if (end - it < kRecordSize)
                break; // completed by the next chunk
            if (auto v = decodeAfterMagic(&*it + kMagicSize))
                return v;
        }
        const qint64 total = kept + got;
        kept = std::min(overlap, total);
        std::memmove(buf.data(), buf.data() + (total - kept), size_t(kept));
    }
    return fail(QStringLiteral("No version information in \"%1\"").arg(exePath));
}

QByteArray embeddedVersionRecordBytes() {
    const auto bytes = embeddedBytes();
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), kRecordSize);
}

VersionRecord currentVersionRecord() {
    return VersionRecord{int(kMajor), int(kMinor), int(kRelease), int(kBuild)};
}

QString formatFileVersion(const VersionRecord& v) {
    return QStringLiteral("V%1.%2.%3 build %4").arg(v.major).arg(v.minor).arg(v.release).arg(v.build);
}

QString formatAppVersion(const VersionRecord& v) {
    return QStringLiteral("%1.%2.%3.%4").arg(v.major).arg(v.minor).arg(v.release).arg(v.build);
}
