#include "ui/pages/wiringpicture.h"

#include <QPainter>
#include <QSvgRenderer>

static void initWiringResources() {
    static bool done = false;
    if (!done) {
        Q_INIT_RESOURCE(wiring);
        done = true;
    }
}

WiringPicture::WiringPicture(QWidget* parent) : QWidget(parent), m_renderer(new QSvgRenderer(this)) {
    initWiringResources();
}

WiringPicture::~WiringPicture() = default;

QString WiringPicture::resourcePath(int index) {
    return QStringLiteral(":/wiring/B%1.svg").arg(index);
}

void WiringPicture::setPicture(int index) {
    if (index == m_picture)
        return;
    m_picture = index;
    if (index >= 0 && index < kCount)
        m_renderer->load(resourcePath(index));
    else
        m_renderer->load(QByteArray());
    update();
}

void WiringPicture::paintEvent(QPaintEvent*) {
    if (m_picture < 0 || m_picture >= kCount || !m_renderer->isValid())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QSizeF size = m_renderer->defaultSize();
    size.scale(QSizeF(width(), height()), Qt::KeepAspectRatio);
    const QRectF target((width() - size.width()) / 2.0, (height() - size.height()) / 2.0, size.width(),
                        size.height());
    m_renderer->render(&p, target);
}

#include "moc_wiringpicture.cpp"
