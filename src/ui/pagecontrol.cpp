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

    // Lays the visible tabs out for the given width; returns the height needed. Tabs that do
    // not fit in one row wrap onto as few rows as needed, balanced so that the rows are about
    // equally full, and every row is stretched to the full width. The row holding the active
    // tab is the one next to the sheets, as a multi-line tab control does it.
    int layoutFor(int width) {
        m_rects.assign(m_owner->m_tabs.size(), QRect());
        const QFontMetrics fm(boldFont());
        const int h = tabHeight();
        std::vector<int> order;
        std::vector<int> natural(m_owner->m_tabs.size(), 0);
        int widest = 0;
        for (size_t i = 0; i < m_owner->m_tabs.size(); ++i) {
            if (!m_owner->m_tabs[i].visible)
                continue;
            order.push_back(int(i));
            natural[i] = naturalWidth(m_owner->m_tabs[i], fm);
            widest = std::max(widest, natural[i]);
        }
        auto wrap = [&](int limit) {
            std::vector<std::vector<int>> rows(1);
            int x = 0;
            for (int i : order) {
                if (m_owner->m_multiLine && x > 0 && x + natural[i] > limit) {
                    rows.emplace_back();
                    x = 0;
                }
                rows.back().push_back(i);
                x += natural[i];
            }
            return rows;
        };
        std::vector<std::vector<int>> rows = wrap(width);
        if (rows.size() > 1) {
            // The narrowest limit that needs no more rows gives the most even rows.
            const size_t needed = rows.size();
            int lo = std::max(widest, 1), hi = width;
            while (lo < hi) {
                const int mid = (lo + hi) / 2;
                if (wrap(mid).size() <= needed)
                    hi = mid;
                else
                    lo = mid + 1;
            }
            rows = wrap(lo);
        }
        const int rowCount = int(rows.size());
        int activeRow = rowCount - 1;
        for (int r = 0; r < rowCount; ++r)
            for (int i : rows[r])
                if (i == m_owner->m_active)
                    activeRow = r;
        for (int r = 0; r < rowCount; ++r) {
            // Rows after the active one move up by one; the active row goes to the bottom.
            const int place = r == activeRow ? rowCount - 1 : (r > activeRow ? r - 1 : r);
            int used = 0;
            for (int i : rows[r])
                used += natural[i];
            const int extra = rowCount > 1 ? std::max(0, width - used) : 0;
            const int n = int(rows[r].size());
            int left = 0;
            for (int k = 0; k < n; ++k) {
                const int i = rows[r][k];
                const int w = natural[i] + (n ? extra / n + (k < extra % n ? 1 : 0) : 0);
                m_rects[i] = QRect(left, kTopMargin + place * (h - kRowOverlap), w, h);
                left += w;
            }
        }
        return kTopMargin + rowCount * (h - kRowOverlap) + kRowOverlap;
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
        const QColor border = TPageControl::frameColor(pal);
        const QColor accent(0x2f, 0x6f, 0xc8);
        const QColor sheet = pal.color(QPalette::Window);
        const QColor idle = sheet.darker(106);
        const QColor hot = sheet.lighter(103);
        p.fillRect(rect(), pal.color(QPalette::Window));
        const int activeIndex = m_owner->m_active;
        for (size_t i = 0; i < m_rects.size(); ++i) {
            const auto& t = m_owner->m_tabs[i];
            if (!t.visible || m_rects[i].isEmpty())
                continue;
            const bool active = int(i) == activeIndex;
            const bool hover = int(i) == m_hover && !active;
            const QRectF r = QRectF(m_rects[i]).adjusted(0.5, active ? 0.5 : 2.5, -0.5, active ? 1.0 : -0.5);
            QPainterPath path;
            const qreal rad = 3;
            path.moveTo(r.left(), r.bottom());
            path.lineTo(r.left(), r.top() + rad);
            path.quadTo(r.left(), r.top(), r.left() + rad, r.top());
            path.lineTo(r.right() - rad, r.top());
            path.quadTo(r.right(), r.top(), r.right(), r.top() + rad);
            path.lineTo(r.right(), r.bottom());
            p.fillPath(path, active ? sheet : (hover ? hot : idle));
            p.setPen(QPen(border, 1));
            p.drawPath(path);
            if (t.highlighted) {
                // The highlight mark: an accent bar along the tab's top edge.
                p.fillRect(QRectF(r.left() + 1, r.top() + 0.5, r.width() - 2, 2.5), accent);
            }
            const QRect content = m_rects[i].adjusted(kPadX, active ? 1 : 3, -kPadX, 0);
            int textLeft = content.left();
            if (!t.icon.isNull()) {
                const int iy = content.top() + (content.height() - kIcon) / 2;
                t.icon.paint(&p, QRect(content.left(), iy, kIcon, kIcon), Qt::AlignCenter,
                             isEnabled() ? QIcon::Normal : QIcon::Disabled);
                textLeft += kIcon + kGap;
            }
            p.setFont(active ? boldFont() : font());
            p.setPen(pal.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
            const QRect textRect(textLeft, content.top(), content.right() - textLeft + 1, content.height());
            p.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
                       p.fontMetrics().elidedText(t.caption, Qt::ElideRight, textRect.width()));
        }
        // The top edge of the sheets' frame, open under the active tab.
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(border);
        const int y = height() - 1;
        const QRect a = rectOf(activeIndex);
        if (a.isEmpty() || !m_owner->tabVisible(activeIndex)) {
            p.drawLine(0, y, width() - 1, y);
        } else {
            p.drawLine(0, y, a.left(), y);
            p.drawLine(a.right(), y, width() - 1, y);
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
    static constexpr int kRowOverlap = 0;

    QFont boldFont() const {
        QFont f = font();
        f.setBold(true);
        return f;
    }
    int tabHeight() const { return std::max(kIcon, fontMetrics().height()) + 10; }
    int naturalWidth(const TPageControl::Tab& t, const QFontMetrics& fm) const {
        int w = 2 * kPadX + fm.horizontalAdvance(t.caption) + 2;
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
    m_stack->setFrameShape(QFrame::NoFrame);
    auto* lay = new QVBoxLayout(this);
    // Room for the frame that paintEvent draws around the sheets.
    lay->setContentsMargins(1, 0, 1, 1);
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

QColor TPageControl::frameColor(const QPalette& palette) {
    return palette.color(QPalette::Window).darker(135);
}

void TPageControl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(frameColor(palette()));
    const QRect r = rect().adjusted(0, m_strip->height() - 1, -1, -1);
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.bottomRight(), r.topRight());
}

void TPageControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayoutTabs();
}

void TPageControl::relayoutTabs() {
    // Until a layout gives the control its width, the window's width is the best guess: the
    // default width of a child never laid out would wrap every tab onto its own row, and a
    // window first shown with such a tall strip keeps the height it grew to.
    // The tabs fill the strip, which the layout keeps inside the frame's margins: laid out for
    // the control's whole width, the last tab of a full row would reach past the strip's edge,
    // cut off where it can be neither seen nor clicked.
    const QMargins margins = layout() ? layout()->contentsMargins() : QMargins();
    const int width = (testAttribute(Qt::WA_Resized) ? contentsRect().width() : window()->width()) -
                      margins.left() - margins.right();
    const int h = m_strip->layoutFor(std::max(width, 100));
    m_strip->setFixedHeight(h);
    m_strip->update();
}

void TPageControl::showSheet(int index) {
    m_active = index;
    m_stack->setCurrentWidget(m_tabs[index].sheet);
    relayoutTabs(); // the active tab's row moves next to the sheets
}

#include "moc_pagecontrol.cpp"
