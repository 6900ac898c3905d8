// The configuration pages as a person meets them in the real window, for every model: the
// window keeps its size, lists and cells show their whole texts, typed cells refuse bad input
// keeping the old value, and edits reach the register file.

#include "support/openwindow.h"

class TestPagesOnScreen : public QObject {
    Q_OBJECT
private slots:
    void init() {
        TForm6::setProcessExit([](int) {});
    }

    // Opening an installation first shows the window: it comes up at the size stored at the
    // last exit, whatever the model hides, so its bottom never falls off a small screen.
    void theWindowOpensAtItsStoredSize() {
        for (int type = 1; type <= 6; ++type) {
            OpenWindow w(type);
            QCOMPARE(w.form->size(), QSize(1124, 740));
        }
    }
};

QTEST_MAIN(TestPagesOnScreen)
#include "test_pagesonscreen.moc"
