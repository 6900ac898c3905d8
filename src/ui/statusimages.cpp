#include "ui/statusimages.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kBlue(0x33, 0x99, 0xFF);
const QColor kRed(0xED, 0x1C, 0x24);

void paintRoundLamp(QPainter& p, const QColor& c) {
    const QRectF face(5.5, 5.5, 11, 11);
    QRadialGradient g(QPointF(9.5, 9), 8);
    g.setColorAt(0, c.lighter(150));
    g.setColorAt(1, c);
    p.setBrush(g);
    p.setPen(QPen(c.darker(160), 1));
    p.drawEllipse(face);
}

void paintBarLamp(QPainter& p, const QColor& c) {
    const QRectF face(3.5, 4.5, 15, 8);
    QLinearGradient g(face.topLeft(), face.bottomLeft());
    g.setColorAt(0, c.lighter(150));
    g.setColorAt(1, c);
    p.setBrush(g);
    p.setPen(QPen(c.darker(160), 1));
    p.drawRoundedRect(face, 2, 2);
}

// Battery: a body with a terminal cap and three charge cells, in the rows a 16-px cell shows.
void paintBattery(QPainter& p) {
    p.setPen(QPen(QColor(0x33, 0x33, 0x33), 1.2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(1.5, 9.5, 24, 12), 1.5, 1.5);
    p.setBrush(QColor(0x33, 0x33, 0x33));
    p.drawRect(QRectF(25.5, 13, 2.5, 5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3C, 0xB0, 0x4A));
    for (int k = 0; k < 3; ++k)
        p.drawRect(QRectF(4 + 7 * k, 12, 5, 7));
}

// Antenna: a mast with two arcs of waves on each side.
void paintAntenna(QPainter& p) {
    const QColor ink(0x33, 0x33, 0x33);
    p.setPen(QPen(ink, 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12, 14), QPointF(12, 22));
    p.drawLine(QPointF(9, 22), QPointF(15, 22));
    p.setBrush(ink);
    p.drawEllipse(QPointF(12, 13), 1.6, 1.6);
    p.setBrush(Qt::NoBrush);
    for (int k = 1; k <= 2; ++k) {
        const qreal r = 3.2 * k;
        const QRectF arc(12 - r, 13 - r, 2 * r, 2 * r);
        p.drawArc(arc, -45 * 16, 90 * 16);
        p.drawArc(arc, 135 * 16, 90 * 16);
    }
}

QPixmap render(int kind, int index, QSize size, qreal dpr) {
    static QHash<QString, QPixmap> cache;
    const QString key = QStringLiteral("%1/%2@%3").arg(kind).arg(index).arg(dpr);
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    QPixmap pm(size * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    {
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        if (kind == 0) {
            const QColor c = index == 1 || index == 3 ? kRed : kBlue;
            if (index < 2)
                paintRoundLamp(p, c);
            else
                paintBarLamp(p, c);
        } else if (index == 0) {
            paintBattery(p);
        } else {
            paintAntenna(p);
        }
    }
    cache.insert(key, pm);
    return pm;
}

} // namespace

QPixmap StatusImages::flag(int index, qreal devicePixelRatio) {
    if (index < 0 || index > 3)
        return {};
    return render(0, index, QSize(22, 22), devicePixelRatio);
}

QPixmap StatusImages::icon(int index, qreal devicePixelRatio) {
    if (index < 0 || index > 1)
        return {};
    return render(1, index, QSize(64, 32), devicePixelRatio);
}
