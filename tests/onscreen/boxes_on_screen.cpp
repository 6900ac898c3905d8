// Boxes on a real display, under a window manager: whatever window of the program stays on top
// (the register window, the wait window, the progress dialog), a box it raises stands above every
// window of the program and a pointer click at the middle of its button answers it.
//
// The clicks are real pointer clicks: xdotool moves the X server's pointer and presses its
// button, and the X server hands the press to the topmost window under the pointer. Which window
// that was is read from the button press events the X server delivers to this program (before Qt
// handles them, so a press on a window that a modal box blocks is seen too).
// Run by run_with_window_manager.sh (Xvfb and openbox); every wait has a time limit.

#include "app/login.h"
#include "app/modelchoice.h"
#include "app/picturebox.h"
#include "app/registerwindow.h"
#include "app/splash.h"
#include "app/startupenv.h"
#include "app/windowcreation.h"
#include "link/comset.h"
#include "link/tracewindow.h"
#include "model/datamodule.h"
#include "platform/dialogs.h"
#include "platform/registrykey.h"
#include "support/linkedwindow.h"
#include "support/programwindows.h"
#include "transfer/sendingdlg.h"
#include "ui/mainwindow.h"

#include <QAbstractNativeEventFilter>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QtTest>

#include <xcb/xcb.h>

#include <cstring>

namespace {

// The screen of run_with_window_manager.sh is 1280 x 1024: the main window is centred on it, so
// that the windows centred on the main window and the boxes centred on the screen meet.
constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 1024;
constexpr int kMainWidth = 1190;
constexpr int kMainHeight = 800;

// What a window is called in a failure message.
QString nameOf(const QWidget* w) {
    if (!w)
        return QStringLiteral("no window of the program");
    const QString name =
        w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
    return QStringLiteral("%1 \"%2\"").arg(name, w->windowTitle());
}

// Records the window of every pointer button press the X server delivers to the program: core
// events, and the XInput 2 events Qt asks for where the server has them.
class PressRecorder : public QAbstractNativeEventFilter {
public:
    PressRecorder() {
        auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        if (xcb_connection_t* connection = x11 ? x11->connection() : nullptr) {
            const char name[] = "XInputExtension";
            xcb_query_extension_reply_t* reply = xcb_query_extension_reply(
                connection, xcb_query_extension(connection, std::strlen(name), name), nullptr);
            if (reply && reply->present)
                m_xinputOpcode = reply->major_opcode;
            free(reply);
        }
        qApp->installNativeEventFilter(this);
    }
    ~PressRecorder() override { qApp->removeNativeEventFilter(this); }
    PressRecorder(const PressRecorder&) = delete;
    PressRecorder& operator=(const PressRecorder&) = delete;

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        const uint8_t kind = event->response_type & 0x7F;
        xcb_window_t window = 0;
        if (kind == XCB_BUTTON_PRESS) {
            window = reinterpret_cast<const xcb_button_press_event_t*>(event)->event;
        } else if (kind == XCB_GE_GENERIC && m_xinputOpcode >= 0) {
            // xcb_input_button_press_event_t: the extension at byte 1, the event type at 8 and
            // the window the press was delivered to at 24. XI_ButtonPress is 4.
            const auto* bytes = reinterpret_cast<const uint8_t*>(event);
            uint16_t eventType = 0;
            std::memcpy(&eventType, bytes + 8, sizeof eventType);
            if (bytes[1] == m_xinputOpcode && eventType == 4)
                std::memcpy(&window, bytes + 24, sizeof window);
        }
        if (window) {
            ++m_presses;
            m_last = QWidget::find(WId(window));
            m_lastName = nameOf(m_last);
        }
        return false;
    }

    int presses() const { return m_presses; }
    const QWidget* last() const { return m_last; }
    QString lastName() const { return m_lastName; }

private:
    int m_xinputOpcode = -1;
    int m_presses = 0;
    QPointer<QWidget> m_last;
    QString m_lastName;
};

// Real input through the X server: xdotool sends it as a device would.
bool xdotool(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    return process.waitForFinished(5000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// A real pointer click at a point of the screen. The X server takes the move and the press in
// this order from the one connection (and "--sync" would wait for ever when the pointer is
// there already).
bool clickAt(QPoint global) {
    return xdotool({QStringLiteral("mousemove"), QString::number(global.x()), QString::number(global.y()),
                    QStringLiteral("click"), QStringLiteral("1")});
}

// A menu item chosen with the pointer: a click on the menu's title, then one on the item.
void chooseFromMenu(QMenuBar* bar, QMenu* menu, QAction* item) {
    QVERIFY(clickAt(bar->mapToGlobal(bar->actionGeometry(menu->menuAction()).center())));
    QTRY_VERIFY_WITH_TIMEOUT(menu->isVisible(), 5000);
    QTest::qWait(100); // the window manager shows it where it goes
    QVERIFY(clickAt(menu->mapToGlobal(menu->actionGeometry(item).center())));
}

// One box as it was met on screen.
struct MetBox {
    QString text;
    QString aimedAt;       // the button clicked at
    QString pressReached;  // the window the X server gave that press to
    QString answeredWith;  // the button that answered the box, or why none did
    QStringList coveredBy; // windows that took a press on a part of the box they overlap
};

// While alive, shows every box for real and answers it with a real pointer click at the middle of
// a button (by default the box's default button), and every file prompt with `fileToChoose`.
// Before that click, a press on each part of the box that another window of the program overlaps
// tells which of the two lies on top. A box still up 4 s after its click, or anything modal
// left up 20 s, is closed, so that a failing case ends.
class PointerAnswerer : public QObject {
public:
    std::function<QAbstractButton*(QMessageBox*)> pick = [](QMessageBox* box) {
        return box->defaultButton();
    };
    QString fileToChoose;
    QString shotName; // a screenshot of the first box, under $TABULON_SHOTS when that is set
    QList<MetBox> met;

    PointerAnswerer() {
        connect(&m_poll, &QTimer::timeout, this, &PointerAnswerer::poll);
        m_poll.start(30);
    }

private:
    RealBoxes m_real;
    PressRecorder m_presses;
    QTimer m_poll;
    bool m_busy = false;
    QPointer<QMessageBox> m_box; // the box being answered
    QRect m_lastFrame;
    QElapsedTimer m_still;   // since the box's frame last changed
    QElapsedTimer m_clicked; // since the click at its button; invalid before
    int m_pressesBeforeClick = 0;
    QPointer<QWidget> m_modal; // the modal window up now
    QElapsedTimer m_modalSince;

    void poll() {
        if (m_busy) // a probe below waits with the event loop running
            return;
        m_busy = true;
        step();
        m_busy = false;
    }

    void step() {
        if (!met.isEmpty() && m_clicked.isValid() && met.last().pressReached.isEmpty() &&
            m_presses.presses() > m_pressesBeforeClick)
            met.last().pressReached = m_presses.lastName();
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != m_modal) {
            m_modal = modal;
            m_modalSince.start();
        }
        // Whatever is up and was not answered in time is closed, so that a failing case ends.
        if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && m_modalSince.elapsed() > 20000) {
            if (auto* box = qobject_cast<QMessageBox*>(dialog); box && !m_clicked.isValid())
                met << MetBox{box->text(), {}, {}, QStringLiteral("(not answered)"), {}};
            dialog->done(-1);
            return;
        }
        if (auto* prompt = qobject_cast<QFileDialog*>(modal)) {
            // Answered once it has the focus, as a person answers it: its closing then leaves
            // the program with no active window until the window manager gives the focus back.
            if (prompt->isActiveWindow() && !prompt->property("answered").toBool()) {
                prompt->setProperty("answered", true);
                // The name in the prompt's name field, then a real Enter key.
                if (auto* name = prompt->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                    name->setText(fileToChoose);
                xdotool({QStringLiteral("key"), QStringLiteral("Return")});
            }
            return;
        }
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box != m_box) {
            m_box = box;
            m_lastFrame = {};
            m_still.start();
            m_clicked.invalidate();
        }
        if (!box)
            return;
        if (m_clicked.isValid()) {
            if (m_clicked.elapsed() > 4000)
                box->done(-1);
            return;
        }
        // The window manager has placed and stacked the box once it is exposed and keeps still.
        if (box->frameGeometry() != m_lastFrame) {
            m_lastFrame = box->frameGeometry();
            m_still.restart();
        }
        if (box->windowHandle() && box->windowHandle()->isExposed() && m_still.elapsed() > 300)
            answer(box);
    }

    void answer(QMessageBox* box) {
        MetBox record;
        record.text = box->text();
        takeShot();
        probeOverlaps(box, record);
        QAbstractButton* button = pick(box);
        record.aimedAt = button ? button->text() : QStringLiteral("(no button)");
        met << record;
        connect(box, &QMessageBox::buttonClicked, this, [this](QAbstractButton* b) {
            if (met.last().pressReached.isEmpty() && m_presses.presses() > m_pressesBeforeClick)
                met.last().pressReached = m_presses.lastName();
            met.last().answeredWith = b->text();
        });
        m_pressesBeforeClick = m_presses.presses();
        m_clicked.start();
        if (button && !clickAt(button->mapToGlobal(button->rect().center())))
            met.last().pressReached = QStringLiteral("(xdotool failed)");
    }

    void probeOverlaps(QMessageBox* box, MetBox& record) {
        const QRect boxArea = box->geometry();
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w == box || !w->isVisible() ||
                !(w->windowType() == Qt::Window || w->windowType() == Qt::Dialog))
                continue;
            const QRect overlap = boxArea.intersected(w->frameGeometry());
            const QPoint probe = overlap.isEmpty() ? QPoint() : freePointOf(box, overlap);
            if (probe.isNull())
                continue;
            const int before = m_presses.presses();
            if (!clickAt(probe)) {
                record.coveredBy << QStringLiteral("(xdotool failed)");
                continue;
            }
            (void)QTest::qWaitFor([&] { return m_presses.presses() > before; }, 3000);
            if (m_presses.presses() == before || m_presses.last() != box)
                record.coveredBy << nameOf(w) + QStringLiteral(" (the press reached ") +
                                        m_presses.lastName() + u')';
        }
    }

    // A point of `area` (global) on the box but on none of its buttons.
    static QPoint freePointOf(QMessageBox* box, const QRect& area) {
        for (int y = area.top() + 2; y < area.bottom() - 2; y += 6)
            for (int x = area.left() + 2; x < area.right() - 2; x += 6)
                if (!qobject_cast<QAbstractButton*>(box->childAt(box->mapFromGlobal(QPoint(x, y)))))
                    return {x, y};
        return {};
    }

    void takeShot() {
        const QString dir = qEnvironmentVariable("TABULON_SHOTS");
        if (dir.isEmpty() || shotName.isEmpty())
            return;
        QGuiApplication::primaryScreen()->grabWindow(0).save(dir + QLatin1Char('/') + shotName +
                                                             QStringLiteral(".png"));
        shotName.clear();
    }
};

// The boxes met: each answered by its click, which reached it, and lying above every window.
void checkEveryBoxAnsweredByTheClick(const QList<MetBox>& met, int expected) {
    QCOMPARE(met.size(), expected);
    for (const MetBox& box : met) {
        const QString where = QStringLiteral("box \"%1\": ").arg(box.text.left(60));
        QVERIFY2(box.coveredBy.isEmpty(), qPrintable(where + QStringLiteral("covered by ") +
                                                     box.coveredBy.join(QStringLiteral(", "))));
        QVERIFY2(box.pressReached.startsWith(QStringLiteral("QMessageBox")),
                 qPrintable(where + QStringLiteral("the click at its \"%1\" reached %2")
                                        .arg(box.aimedAt, box.pressReached)));
        QVERIFY2(box.answeredWith == box.aimedAt,
                 qPrintable(where + QStringLiteral("answered with \"%1\"").arg(box.answeredWith)));
    }
}

} // namespace

class BoxesOnScreen : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString path(const QString& name) const { return m_dir.filePath(name); }

    void writeSettings(const QVariant& top) {
        RegistryKey::setStorageForTests(path(QStringLiteral("registry.ini")));
        RegistryKey reg;
        QVERIFY(reg.openKey(kTabulonRegistryKey, true));
        reg.writeString(QStringLiteral("DATABASE"), path(QStringLiteral("KTabulon.cds")));
        reg.writeString(QStringLiteral("LogIn"), QStringLiteral("quorb"));
        if (top.typeId() == QMetaType::QString)
            reg.writeString(QStringLiteral("Top"), top.toString());
        else
            reg.writeInteger(QStringLiteral("Top"), top.toInt());
        reg.writeInteger(QStringLiteral("Left"), (kScreenWidth - kMainWidth) / 2);
        reg.writeInteger(QStringLiteral("Height"), kMainHeight);
        reg.writeInteger(QStringLiteral("Width"), kMainWidth);
    }

    // The program as it starts on a register with one installation: the main window shown and
    // waiting, the register window over it.
    void startWithOneInstallation() {
        writeSettings((kScreenHeight - kMainHeight) / 2);
        QFile::remove(path(QStringLiteral("KTabulon.cds"))); // a fresh register every time
        {
            BoxAnswerer quiet; // the start-up itself is not under test here
            createDataModule();
        }
        DM->AddDataSet(1);
        Form6->show();
        Form_Anagrafica->raise();
        Form_Anagrafica->activateWindow();
        QVERIFY(QTest::qWaitForWindowExposed(Form6));
        QVERIFY(QTest::qWaitForWindowExposed(Form_Anagrafica));
        QTest::qWait(300);
    }

    static void writeFile(const QString& file, const QByteArray& bytes) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        QCOMPARE(QGuiApplication::primaryScreen()->size(), QSize(kScreenWidth, kScreenHeight));
        initStartupResources();
        StartupEnv::setExitFunction([](int) {});
        TForm6::setProcessExit([](int) {});
        installWindowCreation();
    }

    void cleanup() {
        BoxAnswerer quiet; // the end of the program is not under test here
        deleteProgramWindows();
        DM = nullptr;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        RegistryKey::setStorageForTests({});
    }

    // File > Import DB of a file that is not a register: the refusal comes right after the file
    // prompt, while no window of the program is active yet.
    void importRefusalOverTheRegisterWindow() {
        startWithOneInstallation();
        const QString garbage = path(QStringLiteral("rotto.cds"));
        writeFile(garbage, "this is not a register file at all");
        PointerAnswerer answerer;
        answerer.fileToChoose = garbage;
        answerer.shotName = QStringLiteral("import-refused");
        chooseFromMenu(Form_Anagrafica->menuBar(), Form_Anagrafica->File1, Form_Anagrafica->Action2);
        QTRY_VERIFY_WITH_TIMEOUT(!answerer.met.isEmpty() && !QApplication::activeModalWidget(), 30000);
        checkEveryBoxAnsweredByTheClick(answerer.met, 1);
    }

    // File > New Config on a path that cannot be written: the error stands above the register
    // window, and the main window, hidden while the new register was being made, comes back.
    void newConfigFailureOverTheRegisterWindow() {
        startWithOneInstallation();
        QVERIFY(Form6->isVisible());
        PointerAnswerer answerer;
        answerer.fileToChoose = QStringLiteral("/proc/newreg");
        answerer.shotName = QStringLiteral("newconfig-failed");
        chooseFromMenu(Form_Anagrafica->menuBar(), Form_Anagrafica->File1, Form_Anagrafica->Action3);
        QTRY_VERIFY_WITH_TIMEOUT(!answerer.met.isEmpty() && !QApplication::activeModalWidget(), 30000);
        checkEveryBoxAnsweredByTheClick(answerer.met, 1);
        QVERIFY(Form6->isVisible());
        QCOMPARE(DM->CDSet_Tabulon->recordCount(), 1);
    }

    // A setting of the wrong type ("Top" stored as text) is reported while the program starts:
    // the wait window is up and the register window has just been shown; nothing is active.
    void badSettingAtStartOverTheWaitAndRegisterWindows() {
        writeSettings(QStringLiteral("alto"));
        PointerAnswerer answerer;
        answerer.shotName = QStringLiteral("start-bad-setting");
        QPointer<TPW> login = createLoginDialog();
        QVERIFY(QTest::qWaitForWindowExposed(login));
        login->Password->setText(QStringLiteral("quorb"));
        login->OKBtnClick();
        QVERIFY(!answerer.met.isEmpty());
        checkEveryBoxAnsweredByTheClick(answerer.met, int(answerer.met.size()));
        QVERIFY(Form_Anagrafica && Form_Anagrafica->isVisible());
        QCOMPARE(TSplash::currentWaitWindow(), nullptr);
    }

    // A register that cannot be opened (its path names a folder) is reported while the wait
    // window is up and on top, before any other window exists.
    void registerErrorAtStartOverTheWaitWindow() {
        writeSettings((kScreenHeight - kMainHeight) / 2);
        RegistryKey reg;
        QVERIFY(reg.openKey(kTabulonRegistryKey, false));
        reg.writeString(QStringLiteral("DATABASE"), m_dir.path());
        bool waitWindowUp = false;
        PointerAnswerer answerer;
        answerer.shotName = QStringLiteral("start-register-error");
        answerer.pick = [&waitWindowUp](QMessageBox* box) {
            waitWindowUp = TSplash::currentWaitWindow() && TSplash::currentWaitWindow()->isVisible();
            return box->defaultButton();
        };
        QPointer<TPW> login = createLoginDialog();
        QVERIFY(QTest::qWaitForWindowExposed(login));
        login->Password->setText(QStringLiteral("quorb"));
        login->OKBtnClick();
        QVERIFY(!answerer.met.isEmpty());
        QVERIFY(answerer.met.first().text.startsWith(QStringLiteral("Impossibile aprire l'archivio")));
        QVERIFY(waitWindowUp);
        checkEveryBoxAnsweredByTheClick(answerer.met, int(answerer.met.size()));
    }

    // Closing the main window during "Invia tutto": the question stands above the progress
    // dialog; "No" lets the send go on to its end, whose notice is answered the same way.
    void closeQuestionOverTheProgressDialog() {
        LinkedWindow w(5);
        TForm6& f = w.form();
        f.move((kScreenWidth - kMainWidth) / 2, (kScreenHeight - kMainHeight) / 2);
        f.resize(kMainWidth, kMainHeight);
        QVERIFY(w.connect());
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        w.sim.setReplyDelayMs(5); // still moving parts when the window closes
        f.Action6->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(SendingDlg->isVisible() && w.sim.requestCount() >= 20, 20000);
        QVERIFY(QTest::qWaitForWindowExposed(SendingDlg));
        f.activateWindow(); // the person reaches for the main window's close box
        QTest::qWait(300);

        PointerAnswerer answerer;
        answerer.shotName = QStringLiteral("close-during-send");
        answerer.pick = [&w](QMessageBox* box) -> QAbstractButton* {
            if (QAbstractButton* no = box->button(QMessageBox::No)) {
                w.sim.setReplyDelayMs(0); // the answer lets the send go on, quickly now
                return no;
            }
            return box->defaultButton();
        };
        QVERIFY(!f.close());
        QVERIFY(w.fx.waitForJobEnd(60000));
        QVERIFY(answerer.met.size() >= 1);
        QVERIFY(answerer.met.first().text.startsWith(QStringLiteral("Trasferimento in corso")));
        checkEveryBoxAnsweredByTheClick(answerer.met, 2); // the question, then the success notice
        QCOMPARE(answerer.met.last().text, QString::fromUtf8(TransferSuccessText));
        QVERIFY(f.isVisible());
    }
};

QTEST_MAIN(BoxesOnScreen)
#include "boxes_on_screen.moc"
