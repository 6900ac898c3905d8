#include "app/picturebox.h"

#include <QPainter>
#include <QSvgRenderer>

PictureBox::PictureBox(const QString& resource, QWidget* parent) : QWidget(parent) {
    initStartupResources();
    if (resource.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
        m_svg = new QSvgRenderer(resource, this);
    else
        m_image.load(resource);
    setAttribute(Qt::WA_TranslucentBackground);
}

PictureBox::~PictureBox() = default;

void PictureBox::setProportional(bool on) {
    m_proportional = on;
    update();
}

bool PictureBox::isNull() const {
    return m_svg ? !m_svg->isValid() : m_image.isNull();
}

QRectF PictureBox::targetRect(const QSizeF& natural) const {
    const QRectF area = rect();
    if (!m_proportional || natural.isEmpty())
        return area;
    QSizeF fitted = natural.scaled(area.size(), Qt::KeepAspectRatio);
    QRectF target(QPointF(), fitted);
    target.moveCenter(area.center());
    return target;
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_svg && m_svg->isValid())
        m_svg->render(&painter, targetRect(m_svg->defaultSize()));
    else if (!m_image.isNull())
        painter.drawImage(targetRect(m_image.size()), m_image);
}

void initStartupResources() {
    static const bool done = [] {
        Q_INIT_RESOURCE(startup);
        return true;
    }();
    Q_UNUSED(done);
}
