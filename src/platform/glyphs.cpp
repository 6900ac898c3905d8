#include "platform/glyphs.h"

#include "platform/colors.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QRect>

#include <algorithm>

namespace {

// Pens and brushes are made once: handing a painter a copy only bumps a reference count.
struct Tools {
    QColor face = sysColor(COLOR_BTNFACE);
    QColor highlight = sysColor(COLOR_BTNHIGHLIGHT);
    QColor light = sysColor(COLOR_3DLIGHT);
    QColor shadow = sysColor(COLOR_BTNSHADOW);
    QColor darkShadow = sysColor(COLOR_3DDKSHADOW);
    QColor text = sysColor(COLOR_BTNTEXT);
    QColor window = sysColor(COLOR_WINDOW);
    QPen shadowPen{shadow, 1, Qt::SolidLine, Qt::FlatCap};
    QPen highlightPen{highlight, 1, Qt::SolidLine, Qt::FlatCap};
    QPen textPen{text, 1, Qt::SolidLine, Qt::FlatCap};
    QPen xorPen{QColor(255, 255, 255), 1, Qt::SolidLine, Qt::FlatCap};
    QPen blackPen{QColor(0, 0, 0), 1, Qt::SolidLine, Qt::FlatCap};
    QBrush textBrush{text};
    QBrush shadowBrush{shadow};
    QBrush windowBrush{window};
    QBrush faceBrush{face};
};

const Tools& tools() {
    static const Tools t;
    return t;
}

// Restores the painter settings the glyphs change, without QPainter::save()'s state copy.
class PainterGuard {
public:
    explicit PainterGuard(QPainter& p)
        : m_p(p), m_pen(p.pen()), m_brush(p.brush()),
          m_antialiased(p.testRenderHint(QPainter::Antialiasing)) {
        if (m_antialiased)
            p.setRenderHint(QPainter::Antialiasing, false);
    }
    ~PainterGuard() {
        m_p.setPen(m_pen);
        m_p.setBrush(m_brush);
        if (m_antialiased)
            m_p.setRenderHint(QPainter::Antialiasing, true);
    }

private:
    QPainter& m_p;
    QPen m_pen;
    QBrush m_brush;
    bool m_antialiased;
};

void hLine(QPainter& p, int x1, int x2, int y, const QColor& c) {
    if (x2 >= x1)
        p.fillRect(QRect(x1, y, x2 - x1 + 1, 1), c);
}

void vLine(QPainter& p, int x, int y1, int y2, const QColor& c) {
    if (y2 >= y1)
        p.fillRect(QRect(x, y1, 1, y2 - y1 + 1), c);
}

// One ring of a border: top and left in `topLeft`, bottom and right in `bottomRight`.
void ring(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
    if (r.isEmpty())
        return;
    hLine(p, r.left(), r.right(), r.top(), topLeft);
    vLine(p, r.left(), r.top() + 1, r.bottom(), topLeft);
    hLine(p, r.left() + 1, r.right(), r.bottom(), bottomRight);
    vLine(p, r.right(), r.top() + 1, r.bottom() - 1, bottomRight);
}

enum class Edge { Raised, Sunken };

void edge3d(QPainter& p, const QRect& r, Edge e) {
    const Tools& t = tools();
    if (e == Edge::Raised) {
        ring(p, r, t.light, t.darkShadow);
        ring(p, r.adjusted(1, 1, -1, -1), t.highlight, t.shadow);
    } else {
        ring(p, r, t.shadow, t.highlight);
        ring(p, r.adjusted(1, 1, -1, -1), t.darkShadow, t.light);
    }
}

// The face of a caption, scroll or push button; returns the area left for the glyph.
QRect buttonFace(QPainter& p, const QRect& r, unsigned state) {
    const Tools& t = tools();
    p.fillRect(r, t.face);
    const bool down = state & (DFCS_PUSHED | DFCS_CHECKED);
    QRect inner;
    if (state & DFCS_MONO) {
        ring(p, r, QColor(0, 0, 0), QColor(0, 0, 0));
        inner = r.adjusted(1, 1, -1, -1);
    } else if (state & DFCS_FLAT) {
        ring(p, r, t.shadow, t.shadow);
        inner = r.adjusted(1, 1, -1, -1);
    } else {
        edge3d(p, r, down ? Edge::Sunken : Edge::Raised);
        inner = r.adjusted(2, 2, -2, -2);
    }
    if (down)
        inner.adjust(1, 1, 0, 0); // the glyph moves down-right, still inside the border
    return inner;
}

// The largest square centred in r.
QRect centredSquare(const QRect& r, int side) {
    return QRect(r.left() + (r.width() - side) / 2, r.top() + (r.height() - side) / 2, side, side);
}

// A glyph drawn once in `colour`, or embossed (highlight one pixel down-right, then shadow)
// when inactive.
template <typename Draw> void glyph(QPainter& p, unsigned state, Draw draw) {
    const Tools& t = tools();
    if (state & DFCS_INACTIVE) {
        draw(1, t.highlight);
        draw(0, t.shadow);
    } else {
        draw(0, t.text);
    }
}

// Room for a glyph in `area`: an inactive glyph's embossed copy takes one pixel more to the
// right and below. Empty when too small to draw anything.
QRect glyphArea(const QRect& area, unsigned state) {
    const QRect a = (state & DFCS_INACTIVE) ? area.adjusted(0, 0, -1, -1) : area;
    return a.width() >= 3 && a.height() >= 3 ? a : QRect();
}

// The close cross: two diagonals, each two pixels thick.
void drawCross(QPainter& p, const QRect& glyphBox, unsigned state) {
    const QRect area = glyphArea(glyphBox, state);
    if (area.isEmpty())
        return;
    const int span = std::min(area.width(), area.height());
    if (span < 3)
        return;
    const int side = std::max(2, span - 2 * std::max(1, span / 4));
    const QRect sq = centredSquare(area, side);
    glyph(p, state, [&](int off, const QColor& c) {
        const int x0 = sq.left() + off, y0 = sq.top() + off, n = side - 1;
        for (int i = 0; i <= n; ++i) {
            p.fillRect(QRect(x0 + i, y0 + i, 2, 1), c);
            p.fillRect(QRect(x0 + n - i, y0 + i, 2, 1), c);
        }
    });
}

// A filled triangle pointing in `dir` (0 up, 1 down, 2 left, 3 right), made of lines.
void drawArrow(QPainter& p, const QRect& arrowBox, int dir, unsigned state) {
    const QRect area = glyphArea(arrowBox, state);
    if (area.isEmpty())
        return;
    const int span = std::min(area.width(), area.height());
    const int depth = std::max(1, (span + 1) / 3); // rows of the triangle
    glyph(p, state, [&](int off, const QColor& c) {
        const int cx = area.left() + (area.width() - 1) / 2 + off;
        const int cy = area.top() + (area.height() - 1) / 2 + off;
        for (int j = 0; j < depth; ++j) {
            switch (dir) {
            case 0: // up: the tip on top
                hLine(p, cx - j, cx + j, cy - depth / 2 + j, c);
                break;
            case 1:
                hLine(p, cx - j, cx + j, cy + depth / 2 - j, c);
                break;
            case 2:
                vLine(p, cx - depth / 2 + j, cy - j, cy + j, c);
                break;
            default:
                vLine(p, cx + depth / 2 - j, cy - j, cy + j, c);
                break;
            }
        }
    });
}

// The tick of a check box or menu: a 7 x 7 figure of three-pixel strokes, centred; nothing
// when it does not fit.
void drawTick(QPainter& p, const QRect& area, const QColor& c) {
    if (area.width() < 7 || area.height() < 7)
        return;
    static constexpr int kTop[7] = {2, 3, 4, 3, 2, 1, 0};
    const int x0 = area.left() + (area.width() - 7) / 2;
    const int y0 = area.top() + (area.height() - 7) / 2;
    for (int i = 0; i < 7; ++i)
        vLine(p, x0 + i, y0 + kTop[i], y0 + kTop[i] + 2, c);
}

void drawSizeGrip(QPainter& p, const QRect& r) {
    p.fillRect(r, tools().face);
    drawSizeGripRidges(p, r);
}

} // namespace

void drawSizeGripRidges(QPainter& p, const QRect& r) {
    const Tools& t = tools();
    // Ridges across the bottom-right square, lit from the top left: per four diagonals two
    // in shadow, one in highlight (farther from the corner), one left as face.
    const int side = std::min(r.width(), r.height());
    const int right = r.right(), bottom = r.bottom();
    QLine shadows[32];
    QLine lights[16];
    int ns = 0, nl = 0;
    for (int d = 1; d < side - 1 && ns < 32 && nl < 16; ++d) {
        // Flat-capped lines leave out their last pixel: end one step beyond the edge.
        const QLine diagonal(right - d, bottom, right + 1, bottom - d - 1);
        switch (d % 4) {
        case 1:
        case 2:
            shadows[ns++] = diagonal;
            break;
        case 3:
            lights[nl++] = diagonal;
            break;
        default:
            break;
        }
    }
    p.setPen(t.shadowPen);
    p.drawLines(shadows, ns);
    p.setPen(t.highlightPen);
    p.drawLines(lights, nl);
}

namespace {

void drawCaption(QPainter& p, const QRect& r, unsigned state) {
    const QRect face = buttonFace(p, r, state);
    const QRect area = glyphArea(face, state);
    if (area.isEmpty())
        return;
    const Tools& t = tools();
    const int span = std::min(area.width(), area.height());
    const QRect sq = centredSquare(area, std::max(2, span - 2 * std::max(1, span / 4)));
    switch (state & 0xFF) {
    case DFCS_CAPTIONCLOSE:
        drawCross(p, face, state);
        break;
    case DFCS_CAPTIONMIN:
        glyph(p, state, [&](int off, const QColor& c) {
            p.fillRect(QRect(sq.left() + off, sq.bottom() - 1 + off, sq.width(), 2), c);
        });
        break;
    case DFCS_CAPTIONMAX:
        glyph(p, state, [&](int off, const QColor& c) {
            const QRect b = sq.translated(off, off);
            ring(p, b, c, c);
            hLine(p, b.left(), b.right(), b.top() + 1, c);
        });
        break;
    case DFCS_CAPTIONRESTORE:
        glyph(p, state, [&](int off, const QColor& c) {
            const int s = std::max(2, sq.width() * 2 / 3);
            const QRect back(sq.right() - s + 1 + off, sq.top() + off, s, s);
            const QRect front(sq.left() + off, sq.bottom() - s + 1 + off, s, s);
            ring(p, back, c, c);
            p.fillRect(front, t.face);
            ring(p, front, c, c);
            hLine(p, front.left(), front.right(), front.top() + 1, c);
        });
        break;
    default:
        break; // help: the face alone
    }
}

void drawScroll(QPainter& p, const QRect& r, unsigned state) {
    const unsigned g = state & 0xFF;
    if (g == DFCS_SCROLLSIZEGRIP || g == DFCS_SCROLLSIZEGRIPRIGHT) {
        drawSizeGrip(p, r);
        return;
    }
    const QRect area = buttonFace(p, r, state);
    const int dir = g == DFCS_SCROLLCOMBOBOX ? 1 : int(std::min(g, 3u));
    drawArrow(p, area, dir, state);
}

void drawButton(QPainter& p, const QRect& r, unsigned state) {
    const Tools& t = tools();
    const unsigned g = state & 0xFF;
    if (g & DFCS_BUTTONPUSH) {
        buttonFace(p, r, state);
        return;
    }
    const int side = std::min(r.width(), r.height());
    const QRect box = centredSquare(r, side);
    const bool greyed = state & (DFCS_INACTIVE | DFCS_PUSHED);
    if (g & DFCS_BUTTONRADIO) {
        if (side < 4)
            return;
        p.setPen(state & DFCS_MONO ? t.blackPen : t.shadowPen);
        p.setBrush(greyed ? t.faceBrush : t.windowBrush);
        p.drawEllipse(box.adjusted(0, 0, -1, -1));
        if (state & DFCS_CHECKED) {
            const int dot = std::max(2, side / 3);
            p.setPen(Qt::NoPen);
            p.setBrush((state & DFCS_INACTIVE) ? t.shadowBrush : t.textBrush);
            p.drawEllipse(centredSquare(box, dot));
        }
        return;
    }
    // Check box (also the three-state one).
    QRect inner;
    if (state & (DFCS_MONO | DFCS_FLAT)) {
        const QColor& border = state & DFCS_MONO ? QColor(0, 0, 0) : t.shadow;
        ring(p, box, border, border);
        inner = box.adjusted(1, 1, -1, -1);
    } else {
        edge3d(p, box, Edge::Sunken);
        inner = box.adjusted(2, 2, -2, -2);
    }
    if (inner.isEmpty())
        return;
    const bool indeterminate = (g & DFCS_BUTTON3STATE) && (state & DFCS_CHECKED);
    p.fillRect(inner, greyed || indeterminate ? t.face : t.window);
    if (state & DFCS_CHECKED)
        drawTick(p, inner, ((state & DFCS_INACTIVE) || indeterminate) ? t.shadow : t.text);
}

void drawMenu(QPainter& p, const QRect& r, unsigned state) {
    const Tools& t = tools();
    p.fillRect(r, t.window);
    switch (state & 0xFF) {
    case DFCS_MENUARROW:
        drawArrow(p, r, 3, state);
        break;
    case DFCS_MENUCHECK:
        drawTick(p, r, t.text);
        break;
    case DFCS_MENUBULLET: {
        const QRect dot = centredSquare(r, std::max(2, std::min(r.width(), r.height()) / 3));
        p.fillRect(dot.adjusted(1, 0, -1, 0), t.text);
        p.fillRect(dot.adjusted(0, 1, 0, -1), t.text);
        break;
    }
    default:
        break;
    }
}

} // namespace

void drawFrameControl(QPainter& p, const QRect& r, unsigned type, unsigned state) {
    if (r.isEmpty() || !p.isActive())
        return;
    PainterGuard guard(p);
    switch (type) {
    case DFC_CAPTION:
        drawCaption(p, r, state);
        break;
    case DFC_MENU:
        drawMenu(p, r, state);
        break;
    case DFC_SCROLL:
        drawScroll(p, r, state);
        break;
    case DFC_BUTTON:
        drawButton(p, r, state);
        break;
    default:
        break;
    }
}

void drawFocusRect(QPainter& p, const QRect& r) {
    if (r.isEmpty() || !p.isActive())
        return;
    PainterGuard guard(p);
    const QPainter::CompositionMode oldMode = p.compositionMode();
    const bool canInvert = p.paintEngine() && p.paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
    if (canInvert) {
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.setPen(tools().xorPen);
    } else {
        p.setPen(tools().blackPen);
    }

    // Every border pixel once (an inverted pixel drawn twice would vanish), the dots on the
    // pixels whose coordinates add up to an even number, so neighbouring cells line up: the
    // four one-pixel edges filled with a checker brush (far faster than a dot at a time).
    const QBrush checker(p.pen().color(), Qt::Dense4Pattern);
    const QPointF oldOrigin = p.brushOrigin();
    p.setBrushOrigin(1, 0);
    const int l = r.left(), t = r.top(), rt = r.right(), b = r.bottom();
    p.fillRect(QRect(l, t, rt - l + 1, 1), checker);
    if (b > t)
        p.fillRect(QRect(l, b, rt - l + 1, 1), checker);
    if (b - t > 1) {
        p.fillRect(QRect(l, t + 1, 1, b - t - 1), checker);
        if (rt > l)
            p.fillRect(QRect(rt, t + 1, 1, b - t - 1), checker);
    }
    p.setBrushOrigin(oldOrigin);
    if (canInvert)
        p.setCompositionMode(oldMode);
}
