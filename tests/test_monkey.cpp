// Random real input on every page of every model (see support/monkey.h): nothing a user can do
// with the keyboard and the mouse may crash the program, hang it in a box nobody answers, or
// cost the register its rows. The seed is fixed, so a failure repeats; the message says how.
//
//   TABULON_MONKEY_SEED     seed of the rows of `pages` (default below)
//   TABULON_MONKEY_EVENTS   input events a page (default below)
//   TABULON_MONKEY_SECONDS  makes `soak` run that long, seed after seed (scripts/monkey)

#include "support/monkey.h"
#include "support/openwindow.h"

#include <QElapsedTimer>

#include <cstdio>
#include <random>

namespace {
constexpr quint32 kFixedSeed = 220601;
constexpr int kEventsPerPage = 200;

const char* const kModelNames[] = {"", "TAVEK", "MIRUN", "MIRUNPLUS", "PELUN", "QUANE", "ZOREM"};

quint32 seedOrDefault() {
    bool ok = false;
    const quint32 seed = qEnvironmentVariable("TABULON_MONKEY_SEED").toUInt(&ok);
    return ok ? seed : kFixedSeed;
}

int eventsPerPage() {
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("TABULON_MONKEY_EVENTS", &ok);
    return ok && n > 0 ? n : kEventsPerPage;
}

QString repeatHint(quint32 seed, int model) {
    return QStringLiteral("\nrepeat with: TABULON_MONKEY_SEED=%1 TABULON_MONKEY_EVENTS=%2 "
                          "QT_QPA_PLATFORM=offscreen build/test_monkey pages:%3")
        .arg(seed)
        .arg(eventsPerPage())
        .arg(QString::fromLatin1(kModelNames[model]));
}

struct PassResult {
    QString fault; // empty when every page passed
    qint64 events = 0;
    int pages = 0;
    int boxes = 0; // boxes answered
};

// One pass: a new installation of `model` in the real main window, shown and active, and the
// monkey on each of its pages in tab order. `pageDone` may stop the pass after a page.
PassResult runPass(quint32 seed, int model, const std::function<bool()>& pageDone = {}) {
    PassResult result;
    OpenWindow window(model);
    window.form->show();
    window.form->activateWindow();
    if (!QTest::qWaitForWindowActive(window.form.get())) {
        result.fault = QStringLiteral("the main window does not become active");
        return result;
    }
    // A user answers a box with any of its buttons, not always the first.
    std::mt19937 boxDice(seed ^ (quint32(model) << 24));
    window.boxes.responder = [&boxDice](const ShownBox& box) -> QVariant {
        QList<int> offered;
        for (auto [flag, result] : {std::pair{mbYes, mrYes},
                                    {mbNo, mrNo},
                                    {mbOK, mrOk},
                                    {mbCancel, mrCancel},
                                    {mbAbort, mrAbort},
                                    {mbRetry, mrRetry},
                                    {mbIgnore, mrIgnore}})
            if (box.buttons & flag)
                offered << result;
        if (box.kind == QLatin1String("InputBox") || box.kind.endsWith(QLatin1String("File")) ||
            offered.isEmpty())
            return {}; // texts as preset, file prompts cancelled
        return offered[int(boxDice() % offered.size())];
    };
    Monkey monkey(*window.form, seed, model);
    for (int page : Monkey::visiblePages(*window.form)) {
        const bool passed = monkey.runPage(page, eventsPerPage());
        result.events = monkey.eventsDelivered();
        ++result.pages;
        result.boxes = window.boxes.count();
        if (!passed) {
            result.fault = monkey.fault() + repeatHint(seed, model);
            return result;
        }
        if (pageDone && pageDone())
            break;
    }
    for (const QString& modal : monkey.modalWindowsClosed())
        qWarning("monkey: a modal window outside the box answerer was closed: %s", qPrintable(modal));
    return result;
}

// The offscreen platform says, at every popup, what it cannot do (raise it, grab the keyboard);
// thousands of such lines would bury what matters.
QtMessageHandler g_testLog = nullptr;
void quietPlatform(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (!text.startsWith(QLatin1String("This plugin does not support")))
        g_testLog(type, context, text);
}
} // namespace

class TestMonkey : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { g_testLog = qInstallMessageHandler(quietPlatform); }
    void cleanupTestCase() { qInstallMessageHandler(g_testLog); }

    // Found by the monkey: the last tab of a full row reached past the edge of the tab strip,
    // so a click on its right end chose nothing. Every corner of every tab must choose its page.
    void everyCornerOfATabChoosesItsPage() {
        OpenWindow window(6); // every model shows the same tabs

        window.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.form.get()));
        TPageControl* pc = window.form->PageControl;
        const QList<int> pages = Monkey::visiblePages(*window.form);
        for (int page : pages) {
            for (int corner = 0; corner < 4; ++corner) {
                // From another page: the rows of tabs move with the active one.
                window.showPage(page == pages.first() ? pages.last() : pages.first());
                const QRect r = pc->tabRect(page);
                const QPoint at = corner == 0   ? r.topLeft()
                                  : corner == 1 ? r.topRight()
                                  : corner == 2 ? r.bottomLeft()
                                                : r.bottomRight();
                QWidget* strip = pc->childAt(at);
                QVERIFY2(strip,
                         qPrintable(QStringLiteral("tab %1: nothing at corner %2").arg(page).arg(corner)));
                QTest::mouseClick(strip, Qt::LeftButton, {}, strip->mapFrom(pc, at));
                QVERIFY2(pc->activePageIndex() == page,
                         qPrintable(QStringLiteral("tab %1: a click on corner %2 chose %3")
                                        .arg(page)
                                        .arg(corner)
                                        .arg(pc->activePageIndex())));
            }
        }
    }

    void pages_data() { OpenWindow::addModelRows("eightPartitions"); }
    void pages() {
        QFETCH(int, type);
        const quint32 seed = seedOrDefault();
        const PassResult r = runPass(seed, type);
        QVERIFY2(r.fault.isEmpty(), qPrintable(r.fault));
        QVERIFY(r.pages > 0);
        qInfo("monkey: seed %u model %s: %d pages, %lld events, %d boxes answered", seed, kModelNames[type],
              r.pages, static_cast<long long>(r.events), r.boxes);
    }

    // Seed after seed, each over the six models in turn, until the time given is up; the time is
    // checked after each page. Skipped unless TABULON_MONKEY_SECONDS is set.
    void soak() {
        const int seconds = qEnvironmentVariableIntValue("TABULON_MONKEY_SECONDS");
        if (seconds <= 0)
            QSKIP("TABULON_MONKEY_SECONDS is not set");
        const quint32 first = seedOrDefault();
        QElapsedTimer clock;
        clock.start();
        const auto timeUp = [&] { return clock.elapsed() >= qint64(seconds) * 1000; };
        qint64 events = 0;
        int passes = 0;
        quint32 seed = first;
        for (; !timeUp(); ++seed) {
            for (int model = 1; model <= 6 && !timeUp(); ++model) {
                const PassResult r = runPass(seed, model, timeUp);
                events += r.events;
                ++passes;
                std::printf(
                    "monkey: seed %u model %s: %d pages, %lld events, %d boxes (%lld in all, %lld s)\n", seed,
                    kModelNames[model], r.pages, static_cast<long long>(r.events), r.boxes,
                    static_cast<long long>(events), static_cast<long long>(clock.elapsed() / 1000));
                std::fflush(stdout);
                QVERIFY2(r.fault.isEmpty(), qPrintable(r.fault));
            }
        }
        std::printf("monkey: done: seeds %u..%u, %d passes, %lld events in %lld s, no fault\n", first,
                    seed - 1, passes, static_cast<long long>(events),
                    static_cast<long long>(clock.elapsed() / 1000));
    }
};

QTEST_MAIN(TestMonkey)
#include "test_monkey.moc"
