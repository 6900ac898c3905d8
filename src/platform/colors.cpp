#include "platform/colors.h"

namespace {

struct Rgb {
    quint8 r, g, b;
};

// The default desktop scheme of current Windows versions, by system colour index.
constexpr Rgb kSystemColors[kSystemColorCount] = {
    {200, 200, 200}, // 0 scroll bar
    {0, 0, 0},       // 1 desktop background
    {153, 180, 209}, // 2 active caption
    {191, 205, 219}, // 3 inactive caption
    {240, 240, 240}, // 4 menu
    {255, 255, 255}, // 5 window
    {100, 100, 100}, // 6 window frame
    {0, 0, 0},       // 7 menu text
    {0, 0, 0},       // 8 window text
    {0, 0, 0},       // 9 caption text
    {180, 180, 180}, // 10 active border
    {244, 247, 252}, // 11 inactive border
    {171, 171, 171}, // 12 application workspace
    {0, 120, 215},   // 13 highlight
    {255, 255, 255}, // 14 highlight text
    {240, 240, 240}, // 15 button face
    {160, 160, 160}, // 16 button shadow
    {109, 109, 109}, // 17 grey text
    {0, 0, 0},       // 18 button text
    {0, 0, 0},       // 19 inactive caption text
    {255, 255, 255}, // 20 button highlight
    {105, 105, 105}, // 21 3D dark shadow
    {227, 227, 227}, // 22 3D light
    {0, 0, 0},       // 23 tooltip text
    {255, 255, 225}, // 24 tooltip background
    {0, 0, 0},       // 25 (unused)
    {0, 102, 204},   // 26 hot-tracked item
    {185, 209, 234}, // 27 active caption gradient
    {215, 228, 242}, // 28 inactive caption gradient
    {0, 120, 215},   // 29 menu highlight
    {240, 240, 240}, // 30 menu bar
};

} // namespace

QColor sysColor(int index) {
    if (index < 0 || index >= kSystemColorCount)
        return QColor(0, 0, 0);
    const Rgb& c = kSystemColors[index];
    return QColor(c.r, c.g, c.b);
}

QColor colorFromTColor(TColor value) {
    if (value == clNone)
        return QColor(Qt::transparent);
    if (value == clDefault)
        return QColor();
    const quint32 high = value >> 24;
    if (high == 0xFF || high == 0x80)
        return sysColor(int(value & 0xFF));
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

TColor tColorFromColor(const QColor& color) {
    const QRgb rgb = color.rgb();
    return TColor(qRed(rgb)) | (TColor(qGreen(rgb)) << 8) | (TColor(qBlue(rgb)) << 16);
}
