#include "ui/imagelist.h"

#include <QFile>
#include <QPainter>

static void initUiResources() {
    // The pictures live in the static core library: make sure its resources are registered.
    static const bool done = [] {
        Q_INIT_RESOURCE(ui);
        return true;
    }();
    (void)done;
}

TImageList::TImageList(const QString& folder, int count, int size) : m_size(size) {
    initUiResources();
    m_icons.resize(count);
    for (int i = 0; i < count; ++i) {
        const QString path = QStringLiteral(":/ui/%1/%2.svg").arg(folder).arg(i, 2, 10, QLatin1Char('0'));
        if (QFile::exists(path))
            m_icons[i] = QIcon(path);
    }
}

QIcon TImageList::icon(int index) const {
    return index >= 0 && index < count() ? m_icons[index] : QIcon();
}

QPixmap TImageList::pixmap(int index, int size, qreal devicePixelRatio) const {
    const QIcon ic = icon(index);
    if (ic.isNull())
        return {};
    const int s = size > 0 ? size : m_size;
    QPixmap pm = ic.pixmap(QSize(s, s) * devicePixelRatio);
    pm.setDevicePixelRatio(devicePixelRatio);
    return pm;
}

void TImageList::draw(QPainter& painter, const QRect& rect, int index) const {
    const QIcon ic = icon(index);
    if (!ic.isNull())
        ic.paint(&painter, rect);
}

const TImageList& ImageList1() {
    static const TImageList list(QStringLiteral("list1"), 18);
    return list;
}

const TImageList& ImageList2() {
    static const TImageList list(QStringLiteral("list2"), 33);
    return list;
}

const TImageList& ImageList4() {
    static const TImageList list(QStringLiteral("list4"), 4);
    return list;
}

QIcon ProgramIcon() {
    initUiResources();
    return QIcon(QStringLiteral(":/ui/tabulon.svg"));
}
