#include "ui/statusbar.h"

#include <QPainter>

TStatusBar::TStatusBar(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(true);
}

void TStatusBar::setPanels(const std::vector<Panel>& panels) {
    m_panels = panels;
    update();
}

QString TStatusBar::panelText(int index) const {
    return index >= 0 && index < panelCount() ? m_panels[index].text : QString();
}

void TStatusBar::setPanelText(int index, const QString& text) {
    if (index < 0 || index >= panelCount() || m_panels[index].text == text)
        return;
    m_panels[index].text = text;
    update(panelRect(index));
}

QRect TStatusBar::panelRect(int index) const {
    if (index < 0 || index >= panelCount())
        return {};
    int left = 0;
    for (int i = 0; i < index; ++i)
        left += m_panels[i].width;
    int w = m_panels[index].width;
    if (index == panelCount() - 1)
        w = std::max(w, width() - left - (isSizeGripEnabled() ? 16 : 0));
    // One pixel of space around the panels, as a status bar draws them.
    return QRect(left + 1, 2, w - 2, height() - 3);
}

void TStatusBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette pal = palette();
    p.fillRect(rect(), pal.color(QPalette::Window));
    p.setPen(pal.color(QPalette::Mid));
    p.drawLine(0, 0, width(), 0);
    for (int i = 0; i < panelCount(); ++i) {
        const QRect r = panelRect(i);
        if (i > 0) {
            // A thin separator in front of every panel but the first.
            p.setPen(pal.color(QPalette::Mid));
            p.drawLine(r.left() - 1, r.top() + 3, r.left() - 1, r.bottom() - 3);
        }
        const QString& text = m_panels[i].text;
        if (text.isEmpty())
            continue;
        p.setPen(pal.color(QPalette::WindowText));
        const QRect tr = r.adjusted(4, 0, -4, 0);
        p.drawText(tr, int(m_panels[i].alignment | Qt::AlignVCenter),
                   p.fontMetrics().elidedText(text, Qt::ElideMiddle, tr.width()));
    }
}

#include "moc_statusbar.cpp"
