#pragma once
// A picture that fills its widget: a bitmap stretched smoothly, or an SVG drawn at the
// screen's resolution, so the about box and the register window stay sharp at any scale.

#include <QImage>
#include <QWidget>

class QSvgRenderer;

class PictureBox : public QWidget {
    Q_OBJECT
public:
    // `resource` is a path such as ":/startup/logo.svg"; ".svg" files are drawn as vectors.
    explicit PictureBox(const QString& resource, QWidget* parent = nullptr);
    ~PictureBox() override;

    // Keep the picture's aspect ratio (centred) instead of stretching it to the widget.
    void setProportional(bool on);
    bool isNull() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF targetRect(const QSizeF& natural) const;

    QImage m_image;
    QSvgRenderer* m_svg = nullptr;
    bool m_proportional = false;
};

// Registers the start-up pictures of the static library with Qt's resource system; call once
// before the first window is built (main() and tests do).
void initStartupResources();
