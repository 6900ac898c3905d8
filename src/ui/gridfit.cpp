#include "ui/gridfit.h"

#include "platform/dbgrid.h"
#include "platform/gridpaint.h"

#include <QEvent>

namespace {
class ResizeFitter : public QObject {
public:
    explicit ResizeFitter(DBGrid& grid) : QObject(&grid) { grid.installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Queued: a resize may arrive while a picture of the window is being painted, where
        // the fitting's repaint must not run.
        if (event->type() == QEvent::Resize && !m_pending) {
            m_pending = true;
            QMetaObject::invokeMethod(
                this,
                [this, grid = static_cast<DBGrid*>(watched)] {
                    m_pending = false;
                    FixDBGridColumnsWidth(grid);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool m_pending = false;
};
} // namespace

void FitColumnsOnResize(DBGrid& grid) {
    new ResizeFitter(grid);
}
