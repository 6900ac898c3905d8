#pragma once
// The wiring picture of an input: picture "B<n>" of the program's resources (n = the position of
// the input's wiring type in the wiring list), drawn centred at the widget's size, so it stays
// sharp at any scale. No picture is shown until one is set.

#include <QWidget>

class QSvgRenderer;

class WiringPicture : public QWidget {
    Q_OBJECT
public:
    explicit WiringPicture(QWidget* parent = nullptr);
    ~WiringPicture() override;

    static constexpr int kCount = 23;         // "B0" .. "B22"
    int picture() const { return m_picture; } // -1 before one is set
    void setPicture(int index);               // an index outside 0..22 shows nothing
    // The resource path of picture `index`.
    static QString resourcePath(int index);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_picture = -1;
    QSvgRenderer* m_renderer;
};
