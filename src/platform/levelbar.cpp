#include "platform/levelbar.h"

#include "platform/colors.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionProgressBar>

#include <algorithm>
#include <cmath>

namespace {

double clampLevel(double progress) {
    if (std::isnan(progress))
        return 0.0;
    return std::clamp(progress, 0.0, 100.0);
}

// The largest pixel size at which a line of `font` fits `height` pixels. Asked for every level
// cell of every repaint, so the answer is kept per font and height.
int captionPixelSize(const QFont& font, int height) {
    // Most calls repeat the last question (one grid's cells): answer it without a look-up.
    static QFont lastFont;
    static int lastHeight = -1;
    static int lastSize = 0;
    if (height == lastHeight && font == lastFont)
        return lastSize;
    static QHash<QString, int> sizes;
    const QString key = font.key() + QLatin1Char('#') + QString::number(height);
    auto it = sizes.constFind(key);
    if (it != sizes.constEnd()) {
        lastFont = font;
        lastHeight = height;
        lastSize = *it;
        return lastSize;
    }
    QFont f(font);
    int px = qMax(1, height);
    for (; px > 1; --px) {
        f.setPixelSize(px);
        if (QFontMetrics(f).height() <= height)
            break;
    }
    sizes.insert(key, px);
    lastFont = font;
    lastHeight = height;
    lastSize = px;
    return px;
}

// A rectangle with its corner pixels left out: the small rounded ends of the track and the
// filled part, drawn as three fills (crisp at any scale, and cheap enough for every level cell).
void fillRounded(QPainter& p, const QRect& r, const QColor& c, bool squareRight) {
    if (r.width() <= 0 || r.height() <= 0)
        return;
    if (r.width() < 3 || r.height() < 3) {
        p.fillRect(r, c);
        return;
    }
    p.fillRect(QRect(r.left() + 1, r.top(), r.width() - (squareRight ? 1 : 2), r.height()), c);
    p.fillRect(QRect(r.left(), r.top() + 1, 1, r.height() - 2), c);
    if (!squareRight)
        p.fillRect(QRect(r.right(), r.top() + 1, 1, r.height() - 2), c);
}

void drawPlain(QPainter& p, const QRect& track, int fill) {
    fillRounded(p, track, colorFromTColor(0xEBEBEB), false);
    if (fill <= 0)
        return;
    // A filled part longer than its corners ends square.
    fillRounded(p, QRect(track.left(), track.top(), fill, track.height()), colorFromTColor(0xFFC184),
                fill > 3);
}

// The style's groove over the whole track, then its chunk in the track shrunk by 2 pixels on
// every side, as wide as the level's share of that inner width.
void drawThemed(QPainter& p, const QRect& track, double level) {
    const QStyle* style = QApplication::style();
    QStyleOptionProgressBar bar;
    bar.state = QStyle::State_Enabled | QStyle::State_Horizontal;
    bar.palette = QApplication::palette();
    bar.minimum = 0;
    bar.maximum = 100;
    bar.textVisible = false;
    bar.rect = track;
    bar.progress = 0;
    style->drawControl(QStyle::CE_ProgressBarGroove, &bar, &p, nullptr);
    const QRect inner = track.adjusted(2, 2, -2, -2);
    const int fill = levelFillWidth(inner.width(), level);
    if (fill <= 0 || inner.height() <= 0)
        return;
    // The chunk is the whole of its rectangle: the style fills it from end to end.
    bar.rect = QRect(inner.left(), inner.top(), fill, inner.height());
    bar.progress = 100;
    style->drawControl(QStyle::CE_ProgressBarContents, &bar, &p, nullptr);
}

} // namespace

bool styleDrawsThemedControls(const QStyle* style) {
    while (const auto* proxy = qobject_cast<const QProxyStyle*>(style))
        style = proxy->baseStyle();
    return style && style->name().compare(QLatin1String("windows"), Qt::CaseInsensitive) != 0;
}

LevelBarLook levelBarLook() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return LevelBarLook::Plain;
    return styleDrawsThemedControls(QApplication::style()) ? LevelBarLook::Themed : LevelBarLook::Plain;
}

QString levelCaption(const QString& text, double progress, LevelCaption order) {
    const QString level = QString::number(clampLevel(progress), 'f', 1);
    return order == LevelCaption::TextFirst ? text + QLatin1Char(' ') + level
                                            : level + QLatin1Char(' ') + text;
}

int levelFillWidth(int trackWidth, double progress) {
    if (trackWidth <= 0)
        return 0;
    return qBound(0, int(std::trunc(trackWidth * (clampLevel(progress) / 100.0))), trackWidth);
}

void DrawLevel(QPainter& painter, const QRect& rect, double progress, LevelBarLook look) {
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Without a widget application there is no style to draw with.
    if (look == LevelBarLook::Themed && qobject_cast<QApplication*>(QCoreApplication::instance()))
        drawThemed(painter, rect, clampLevel(progress));
    else
        drawPlain(painter, rect, levelFillWidth(rect.width(), progress));
    painter.restore();
}

void DrawStatus(QPainter& painter, const QRect& rect, const QFont& font, const QString& text, double progress,
                LevelCaption order) {
    DrawStatus(painter, rect, font, text, progress, order, levelBarLook());
}

void DrawStatus(QPainter& painter, const QRect& rect, const QFont& font, const QString& text, double progress,
                LevelCaption order, LevelBarLook look) {
    const QRect inner = rect.adjusted(1, 1, -1, -1);
    if (inner.width() <= 0 || inner.height() <= 0)
        return;
    const double level = clampLevel(progress);
    painter.save();
    DrawLevel(painter, inner, level, look);

    QFont captionFont(font);
    captionFont.setPixelSize(captionPixelSize(font, inner.height()));
    painter.setFont(captionFont);
    painter.setPen(sysColor(COLOR_3DDKSHADOW));
    const QFontMetrics fm(captionFont);
    const QString caption = fm.elidedText(levelCaption(text, level, order), Qt::ElideRight, inner.width());
    painter.drawText(inner, Qt::AlignCenter | Qt::TextSingleLine, caption);
    painter.restore();
}
