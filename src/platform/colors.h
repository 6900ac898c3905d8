#pragma once
// Colours as the program stores them: 32-bit values $00BBGGRR (red in the lowest byte), or a
// system colour: its index in the low byte with the high byte $FF (or $80). System colours
// come from one fixed table of the Windows default scheme, not from the desktop's palette,
// so the look (and tests of painted pixels) is the same everywhere.

#include <QColor>

using TColor = quint32;

// System colour indices.
constexpr int COLOR_SCROLLBAR = 0;
constexpr int COLOR_BACKGROUND = 1;
constexpr int COLOR_DESKTOP = 1;
constexpr int COLOR_ACTIVECAPTION = 2;
constexpr int COLOR_INACTIVECAPTION = 3;
constexpr int COLOR_MENU = 4;
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWFRAME = 6;
constexpr int COLOR_MENUTEXT = 7;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_CAPTIONTEXT = 9;
constexpr int COLOR_ACTIVEBORDER = 10;
constexpr int COLOR_INACTIVEBORDER = 11;
constexpr int COLOR_APPWORKSPACE = 12;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_3DFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_3DSHADOW = 16;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_INACTIVECAPTIONTEXT = 19;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_3DHIGHLIGHT = 20;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
constexpr int COLOR_INFOTEXT = 23;
constexpr int COLOR_INFOBK = 24;
constexpr int COLOR_HOTLIGHT = 26;
constexpr int COLOR_GRADIENTACTIVECAPTION = 27;
constexpr int COLOR_GRADIENTINACTIVECAPTION = 28;
constexpr int COLOR_MENUHILIGHT = 29;
constexpr int COLOR_MENUBAR = 30;
constexpr int kSystemColorCount = 31;

// Marks a TColor as a system colour (index in the low byte).
constexpr TColor kSystemColorFlag = 0xFF000000u;
constexpr TColor systemTColor(int index) {
    return kSystemColorFlag | TColor(index & 0xFF);
}

// Named colour values.
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;    // nothing painted: transparent
constexpr TColor clDefault = 0x20000000; // the widget's own colour: an invalid QColor

constexpr TColor clScrollBar = systemTColor(COLOR_SCROLLBAR);
constexpr TColor clActiveCaption = systemTColor(COLOR_ACTIVECAPTION);
constexpr TColor clInactiveCaption = systemTColor(COLOR_INACTIVECAPTION);
constexpr TColor clMenu = systemTColor(COLOR_MENU);
constexpr TColor clWindow = systemTColor(COLOR_WINDOW);
constexpr TColor clWindowFrame = systemTColor(COLOR_WINDOWFRAME);
constexpr TColor clMenuText = systemTColor(COLOR_MENUTEXT);
constexpr TColor clWindowText = systemTColor(COLOR_WINDOWTEXT);
constexpr TColor clCaptionText = systemTColor(COLOR_CAPTIONTEXT);
constexpr TColor clActiveBorder = systemTColor(COLOR_ACTIVEBORDER);
constexpr TColor clInactiveBorder = systemTColor(COLOR_INACTIVEBORDER);
constexpr TColor clAppWorkSpace = systemTColor(COLOR_APPWORKSPACE);
constexpr TColor clHighlight = systemTColor(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = systemTColor(COLOR_HIGHLIGHTTEXT);
constexpr TColor clBtnFace = systemTColor(COLOR_BTNFACE);
constexpr TColor clBtnShadow = systemTColor(COLOR_BTNSHADOW);
constexpr TColor clGrayText = systemTColor(COLOR_GRAYTEXT);
constexpr TColor clBtnText = systemTColor(COLOR_BTNTEXT);
constexpr TColor clInactiveCaptionText = systemTColor(COLOR_INACTIVECAPTIONTEXT);
constexpr TColor clBtnHighlight = systemTColor(COLOR_BTNHIGHLIGHT);
constexpr TColor cl3DDkShadow = systemTColor(COLOR_3DDKSHADOW);
constexpr TColor cl3DLight = systemTColor(COLOR_3DLIGHT);
constexpr TColor clInfoText = systemTColor(COLOR_INFOTEXT);
constexpr TColor clInfoBk = systemTColor(COLOR_INFOBK);
constexpr TColor clHotLight = systemTColor(COLOR_HOTLIGHT);
constexpr TColor clGradientActiveCaption = systemTColor(COLOR_GRADIENTACTIVECAPTION);
constexpr TColor clGradientInactiveCaption = systemTColor(COLOR_GRADIENTINACTIVECAPTION);
constexpr TColor clMenuHighlight = systemTColor(COLOR_MENUHILIGHT);
constexpr TColor clMenuBar = systemTColor(COLOR_MENUBAR);

// $00BBGGRR -> QColor; a system colour ($FF0000nn or $800000nn) -> sysColor(nn); clNone ->
// transparent; clDefault -> an invalid QColor (keep the widget's own colour). Other high bytes
// are ignored.
QColor colorFromTColor(TColor value);
// The inverse for plain colours (alpha dropped): QColor -> $00BBGGRR.
TColor tColorFromColor(const QColor& color);
// The default colour of system colour `index`; black for an index outside 0..30 (as the
// system answers an unknown index).
QColor sysColor(int index);
