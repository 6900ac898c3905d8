#include "ui/pagecontrol.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStackedWidget>
#include <QVBoxLayout>

// The row of tabs above the sheets, painted by hand so that it can wrap onto several rows.
class TabStrip : public QWidget {
public:
    explicit TabStrip(TPageControl* owner) : QWidget(owner), m_owner(owner) {
        setMouseTracking(true);
        setAttribute(Qt::WA_Hover);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

    // Lays the visible tabs out for the given width; returns the height needed.
    int layoutFor(int width) {
        m_rects.assign(m_owner->m_tabs.size(), QRect());
        const QFontMetrics fm(boldFont());
        const int h = tabHeight();
        std::vector<std::vector<int>> rows(1);
        int x = 0;
        for (size_t i = 0; i < m_owner->m_tabs.size(); ++i) {
            const auto& t = m_owner->m_tabs[i];
            if (!t.visible)
                continue;
            const int w = naturalWidth(t, fm);
            if (m_owner->m_multiLine && x > 0 && x + w > width) {
                rows.emplace_back();
                x = 0;
            }
            rows.back().push_back(int(i));
            m_rects[i] = QRect(x, 0, w, h);
            x += w;
        }
        const int rowCount = int(rows.size());
        for (int r = 0; r < rowCount; ++r) {
            // Rows other than a lone one are stretched to the full width, like a classic
            // multi-line tab control, so that the rows line up.
            int used = 0;
            for (int i : rows[r])
                used += m_rects[i].width();
            const int extra = (rowCount > 1 && !rows[r].empty()) ? width - used : 0;
            int left = 0;
            const int n = int(rows[r].size());
            for (int k = 0; k < n; ++k) {
                const int i = rows[r][k];
                int w = m_rects[i].width();
                if (extra > 0)
                    w += extra / n + (k < extra % n ? 1 : 0);
                m_rects[i] = QRect(left, kTopMargin + r * h, w, h);
                left += w;
            }
        }
        return kTopMargin + rowCount * h;
    }

    QRect rectOf(int index) const {
        return index >= 0 && index < int(m_rects.size()) ? m_rects[index] : QRect();
    }

    int tabAt(const QPoint& p) const {
        for (size_t i = 0; i < m_rects.size(); ++i)
            if (m_owner->m_tabs[i].visible && m_rects[i].contains(p))
                return int(i);
        return -1;
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QPalette pal = palette();
        const QColor border = pal.color(QPalette::Mid);
        const QColor accent(0x2f, 0x6f, 0xc8);
        p.fillRect(rect(), pal.color(QPalette::Window));
        p.setPen(border);
        p.drawLine(0, height() - 1, width(), height() - 1);
        for (size_t i = 0; i < m_rects.size(); ++i) {
            const auto& t = m_owner->m_tabs[i];
            if (!t.visible || m_rects[i].isEmpty())
                continue;
            const bool active = int(i) == m_owner->m_active;
            const bool hot = int(i) == m_hover && !active;
            QRectF r = QRectF(m_rects[i]).adjusted(1.5, active ? 0.5 : 2.5, -0.5, active ? 0.5 : -0.5);
            QPainterPath path;
            const qreal rad = 4;
            path.moveTo(r.left(), r.bottom());
            path.lineTo(r.left(), r.top() + rad);
            path.quadTo(r.left(), r.top(), r.left() + rad, r.top());
            path.lineTo(r.right() - rad, r.top());
            path.quadTo(r.right(), r.top(), r.right(), r.top() + rad);
            path.lineTo(r.right(), r.bottom());
            QColor fill = active ? pal.color(QPalette::Base)
                                 : (hot ? QColor(0xe8, 0xf0, 0xfb) : pal.color(QPalette::Button));
            p.fillPath(path, fill);
            p.setPen(QPen(active ? border.darker(115) : border, 1));
            p.drawPath(path);
            if (t.highlighted) {
                // The highlight mark: an accent bar along the tab's top edge.
                QRectF bar(r.left() + 2, r.top() + 1, r.width() - 4, 3);
                p.fillRect(bar, accent);
            }
            QRect content = m_rects[i].adjusted(kPadX, active ? 2 : 4, -kPadX, 0);
            int textLeft = content.left();
            if (!t.icon.isNull()) {
                const int iy = content.top() + (content.height() - kIcon) / 2;
                t.icon.paint(&p, QRect(content.left(), iy, kIcon, kIcon), Qt::AlignCenter,
                             isEnabled() ? QIcon::Normal : QIcon::Disabled);
                textLeft += kIcon + kGap;
            }
            p.setFont(active ? boldFont() : font());
            p.setPen(active ? pal.color(QPalette::Text) : pal.color(QPalette::ButtonText));
            const QRect textRect(textLeft, content.top(), content.right() - textLeft + 1, content.height());
            p.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
                       p.fontMetrics().elidedText(t.caption, Qt::ElideRight, textRect.width()));
        }
    }

    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton)
            return;
        const int i = tabAt(e->position().toPoint());
        if (i >= 0)
            m_owner->selectPageByUser(i);
    }

    void mouseMoveEvent(QMouseEvent* e) override {
        const int i = tabAt(e->position().toPoint());
        if (i != m_hover) {
            m_hover = i;
            update();
        }
    }

    void leaveEvent(QEvent*) override {
        m_hover = -1;
        update();
    }

private:
    static constexpr int kPadX = 8;
    static constexpr int kIcon = 16;
    static constexpr int kGap = 5;
    static constexpr int kTopMargin = 2;

    QFont boldFont() const {
        QFont f = font();
        f.setBold(true);
        return f;
    }
    int tabHeight() const { return std::max(kIcon, fontMetrics().height()) + 10; }
    int naturalWidth(const TPageControl::Tab& t, const QFontMetrics& fm) const {
        int w = 2 * kPadX + fm.horizontalAdvance(t.caption);
        if (!t.icon.isNull())
            w += kIcon + kGap;
        return w;
    }

    TPageControl* m_owner;
    std::vector<QRect> m_rects;
    int m_hover = -1;
};

TPageControl::TPageControl(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    m_strip = new TabStrip(this);
    m_stack = new QStackedWidget(this);
    m_stack->setObjectName(name + QStringLiteral("_Sheets"));
    m_stack->setFrameShape(QFrame::StyledPanel);
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    lay->addWidget(m_strip);
    lay->addWidget(m_stack, 1);
}

TPageControl::~TPageControl() = default;

int TPageControl::addPage(QWidget* sheet, const QString& caption, const QIcon& icon) {
    m_tabs.push_back(Tab{sheet, caption, icon, true, false});
    m_stack->addWidget(sheet);
    if (m_active < 0)
        showSheet(0);
    relayoutTabs();
    return int(m_tabs.size()) - 1;
}

int TPageControl::count() const {
    return int(m_tabs.size());
}

QWidget* TPageControl::page(int index) const {
    return index >= 0 && index < count() ? m_tabs[index].sheet : nullptr;
}

int TPageControl::indexOf(const QWidget* sheet) const {
    for (int i = 0; i < count(); ++i)
        if (m_tabs[i].sheet == sheet)
            return i;
    return -1;
}

QWidget* TPageControl::pageByName(const QString& sheetName) const {
    for (const auto& t : m_tabs)
        if (t.sheet->objectName() == sheetName)
            return t.sheet;
    return nullptr;
}

int TPageControl::activePageIndex() const {
    return m_active;
}
QWidget* TPageControl::activePage() const {
    return page(m_active);
}

void TPageControl::setActivePageIndex(int index) {
    if (index < 0 || index >= count())
        return;
    showSheet(index);
}

void TPageControl::setActivePage(QWidget* sheet) {
    setActivePageIndex(indexOf(sheet));
}

void TPageControl::selectPageByUser(int index) {
    if (index < 0 || index >= count() || !m_tabs[index].visible || index == m_active)
        return;
    showSheet(index);
    emit changed();
}

QString TPageControl::tabCaption(int index) const {
    return page(index) ? m_tabs[index].caption : QString();
}

void TPageControl::setTabCaption(int index, const QString& caption) {
    if (!page(index))
        return;
    m_tabs[index].caption = caption;
    relayoutTabs();
}

QIcon TPageControl::tabIcon(int index) const {
    return page(index) ? m_tabs[index].icon : QIcon();
}

void TPageControl::setTabIcon(int index, const QIcon& icon) {
    if (!page(index))
        return;
    m_tabs[index].icon = icon;
    relayoutTabs();
}

bool TPageControl::tabVisible(int index) const {
    return page(index) && m_tabs[index].visible;
}

void TPageControl::setTabVisible(int index, bool visible) {
    if (!page(index) || m_tabs[index].visible == visible)
        return;
    m_tabs[index].visible = visible;
    if (!visible && index == m_active) {
        // The sheet of a hidden tab cannot stay in view: show the next visible one.
        for (int k = 1; k < count(); ++k) {
            const int j = (index + k) % count();
            if (m_tabs[j].visible) {
                showSheet(j);
                break;
            }
        }
    }
    relayoutTabs();
}

bool TPageControl::highlighted(int index) const {
    return page(index) && m_tabs[index].highlighted;
}

void TPageControl::setHighlighted(int index, bool on) {
    if (!page(index))
        return;
    m_tabs[index].highlighted = on;
    m_strip->update();
}

void TPageControl::clearHighlights() {
    for (auto& t : m_tabs)
        t.highlighted = false;
    m_strip->update();
}

void TPageControl::highlightActiveOnly() {
    clearHighlights();
    setHighlighted(m_active, true);
}

void TPageControl::setMultiLine(bool on) {
    m_multiLine = on;
    relayoutTabs();
}

bool TPageControl::multiLine() const {
    return m_multiLine;
}

QRect TPageControl::tabRect(int index) const {
    const QRect r = m_strip->rectOf(index);
    return r.isEmpty() ? r : r.translated(m_strip->pos());
}

void TPageControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayoutTabs();
}

void TPageControl::relayoutTabs() {
    const int h = m_strip->layoutFor(std::max(width(), 100));
    m_strip->setFixedHeight(h);
    m_strip->update();
}

void TPageControl::showSheet(int index) {
    m_active = index;
    m_stack->setCurrentWidget(m_tabs[index].sheet);
    m_strip->update();
}
