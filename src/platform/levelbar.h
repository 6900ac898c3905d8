#pragma once
// DrawStatus: a horizontal level bar with a centred caption, painted into any QPainter (a grid
// cell, a gauge widget, an image). A grey track, a light-blue filled part proportional to the
// level, and a caption made of a text and the level with one decimal. No state, nothing cached
// but the caption font's size per height.
//
// The rectangle is shrunk by one pixel on every side; that inner rectangle holds both the bar
// and the caption. The filled width is truncated: a 10-pixel track at 45 % fills 4 pixels.
// Levels outside 0..100 are clamped (a level above 100 would overflow the track, a negative one
// grow leftwards); the caption shows the clamped level too. The background under the
// rectangle is the caller's.

#include <QString>

class QFont;
class QPainter;
class QRect;
class QStyle;

enum class LevelBarLook : quint8 {
    Plain, // flat rounded track and fill
    Themed // the style's own progress-bar groove, and its chunk 2 pixels inside it
};

enum class LevelCaption : quint8 {
    TextFirst, // "<text> <level>" (text "%" and level 75: "% 75.0")
    LevelFirst // "<level> <text>" (the status frame's grids: "45.0 %")
};

// Whether `style` draws its controls themed: every style but the classic "Windows" one, which
// draws flat bevels (Fusion, the Windows visual styles, macOS and desktop themes all do). A proxy
// style is judged by the style it wraps.
bool styleDrawsThemedControls(const QStyle* style);
// The look DrawStatus uses when none is given: themed while the application's style draws
// themed controls, plain otherwise. Asked on every call, so a style set while the program runs
// shows at the next repaint.
LevelBarLook levelBarLook();

// The caption for `text` and `progress` (clamped), in the given order.
QString levelCaption(const QString& text, double progress, LevelCaption order = LevelCaption::TextFirst);
// Pixels of the filled part for a track `trackWidth` pixels wide at `progress` (clamped).
int levelFillWidth(int trackWidth, double progress);

// The bar alone (no caption) over the whole of `rect`: the level controls of the status frame.
void DrawLevel(QPainter& painter, const QRect& rect, double progress, LevelBarLook look);

void DrawStatus(QPainter& painter, const QRect& rect, const QFont& font, const QString& text, double progress,
                LevelCaption order = LevelCaption::TextFirst);
void DrawStatus(QPainter& painter, const QRect& rect, const QFont& font, const QString& text, double progress,
                LevelCaption order, LevelBarLook look);
