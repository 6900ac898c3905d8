#pragma once
// Our drawings of the frame-control glyphs the grids paint into their cells: the
// size-grip face that marks value cells, the caption close cross, button faces, check boxes,
// scroll arrows, and the dotted focus rectangle. Painted with plain lines on the given
// painter; nothing is allocated per call, so they can run for every cell of a grid.
// Rectangles are QRects (right/bottom inclusive); the glyph covers the whole rectangle.

class QPainter;
class QRect;

// Types.
constexpr unsigned DFC_CAPTION = 1;
constexpr unsigned DFC_MENU = 2;
constexpr unsigned DFC_SCROLL = 3;
constexpr unsigned DFC_BUTTON = 4;

// Glyphs of DFC_CAPTION.
constexpr unsigned DFCS_CAPTIONCLOSE = 0x0000;
constexpr unsigned DFCS_CAPTIONMIN = 0x0001;
constexpr unsigned DFCS_CAPTIONMAX = 0x0002;
constexpr unsigned DFCS_CAPTIONRESTORE = 0x0003;
constexpr unsigned DFCS_CAPTIONHELP = 0x0004;
// Glyphs of DFC_MENU.
constexpr unsigned DFCS_MENUARROW = 0x0000;
constexpr unsigned DFCS_MENUCHECK = 0x0001;
constexpr unsigned DFCS_MENUBULLET = 0x0002;
// Glyphs of DFC_SCROLL.
constexpr unsigned DFCS_SCROLLUP = 0x0000;
constexpr unsigned DFCS_SCROLLDOWN = 0x0001;
constexpr unsigned DFCS_SCROLLLEFT = 0x0002;
constexpr unsigned DFCS_SCROLLRIGHT = 0x0003;
constexpr unsigned DFCS_SCROLLCOMBOBOX = 0x0005;
constexpr unsigned DFCS_SCROLLSIZEGRIP = 0x0008;
constexpr unsigned DFCS_SCROLLSIZEGRIPRIGHT = 0x0010;
// Glyphs of DFC_BUTTON.
constexpr unsigned DFCS_BUTTONCHECK = 0x0000;
constexpr unsigned DFCS_BUTTONRADIO = 0x0004;
constexpr unsigned DFCS_BUTTON3STATE = 0x0008;
constexpr unsigned DFCS_BUTTONPUSH = 0x0010;
// State flags, combined with the glyph.
constexpr unsigned DFCS_INACTIVE = 0x0100;
constexpr unsigned DFCS_PUSHED = 0x0200;
constexpr unsigned DFCS_CHECKED = 0x0400;
constexpr unsigned DFCS_HOT = 0x1000;
constexpr unsigned DFCS_FLAT = 0x4000;
constexpr unsigned DFCS_MONO = 0x8000;

// The glyph `state & 0xFF` of `type` with the state flags, over the whole of r. Caption and
// scroll buttons draw a button face with a raised border (DFCS_FLAT: a flat shadow-coloured
// border; DFCS_MONO: a black one; DFCS_PUSHED or DFCS_CHECKED: sunken, glyph moved by one
// pixel); DFCS_INACTIVE greys the glyph. The size grip is the button face with the grip's
// diagonal ridges in the bottom-right square. An empty rectangle paints nothing.
void drawFrameControl(QPainter& p, const QRect& r, unsigned type, unsigned state);
// A dotted one-pixel frame on the border pixels of r, every other pixel, inverting what is
// under it where the paint device allows it (black dots otherwise).
void drawFocusRect(QPainter& p, const QRect& r);
// Only the size grip's ridges, over whatever r already shows (a cell that must keep its fill).
void drawSizeGripRidges(QPainter& p, const QRect& r);
