// Start-up chain: the about box's fade, the login with its settings key, the password
// change and the ways the login ends.

#include "app/aboutbox.h"
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
#include "platform/versioninfo.h"
#include "support/programwindows.h"
#include "transfer/sendingdlg.h"
#include "ui/mainwindow.h"

#include <QtTest>

class TestStartup : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QList<int> m_exitCodes;
    int m_dataModuleCreations = 0;
    std::function<void()> m_onCreate;

    QString settingsFile() const { return m_dir.filePath(QStringLiteral("registry.ini")); }

    static TPW* newLogin() { return createLoginDialog(); }

    static void writeSetting(const char* name, const QString& value) {
        RegistryKey reg;
        QVERIFY(reg.openKey(kTabulonRegistryKey, true));
        reg.writeString(QString::fromLatin1(name), value);
    }

    // Logs in with the "Cambia password" box checked; the boxes answer the new-password prompts.
    void loginChangingPassword(const QString& password) {
        QPointer<TPW> dialog = newLogin();
        dialog->CheckBox1->setChecked(true);
        login(dialog, password);
    }

    static QString storedPassword() {
        RegistryKey reg;
        return reg.openKey(kTabulonRegistryKey, false) && reg.valueExists("LogIn") ? reg.readString("LogIn")
                                                                                   : QStringLiteral("<none>");
    }
    static bool keyExists() {
        RegistryKey reg;
        return reg.openKey(kTabulonRegistryKey, false);
    }

    // Types the password and presses OK through the keyboard's default button.
    void login(TPW* dialog, const QString& password) {
        dialog->Password->setText(password);
        QTest::mouseClick(dialog->OKBtn, Qt::LeftButton);
    }

    static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        initStartupResources();
        StartupEnv::setExitFunction([this](int code) { m_exitCodes.append(code); });
        StartupEnv::setDesktopSizeFunction([] { return QSize(1920, 1080); });
        TPW::createDataModuleHook = [this] {
            ++m_dataModuleCreations;
            if (m_onCreate)
                m_onCreate();
        };
    }

    void init() {
        QFile::remove(settingsFile());
        RegistryKey::setStorageForTests(settingsFile());
        m_exitCodes.clear();
        m_dataModuleCreations = 0;
        m_onCreate = nullptr;
    }

    void cleanup() {
        delete PW;
        flushDeletes();
        QCOMPARE(TSplash::currentWaitWindow(), nullptr);
    }

    void firstRunCreatesTheKeyWithItsDefaults() {
        BoxAnswerer boxes;
        QPointer<TPW> dialog = newLogin();
        login(dialog, QStringLiteral("quorb"));
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(m_dataModuleCreations, 1);
        flushDeletes();
        QVERIFY(dialog.isNull());
        QCOMPARE(PW, nullptr);

        RegistryKey reg;
        QVERIFY(reg.openKey(kTabulonRegistryKey, false));
        QCOMPARE(reg.readString("DATABASE"), StartupEnv::executableFolder() + "KTabulon.cds");
        QCOMPARE(reg.readString("LogIn"), QStringLiteral("quorb"));
        const QList<int> bounds = {reg.readInteger("Left"),
                                   reg.readInteger("Top"),
                                   reg.readInteger("Height"),
                                   reg.readInteger("Width"),
                                   CLeft,
                                   CTop};
        QCOMPARE(bounds, (QList<int>{240, 135, 800, 1190, 240, 135}));
        QCOMPARE(reg.readString("ver"), TPW::GetAppVersionStr());
        QVERIFY(!reg.valueExists("BaudRate"));
    }

    void firstRunBoundsRoundHalvesToEven() {
        StartupEnv::setDesktopSizeFunction([] { return QSize(3844, 1084); }); // two screens side by side
        BoxAnswerer boxes;
        login(newLogin(), QStringLiteral("quorb"));
        StartupEnv::setDesktopSizeFunction([] { return QSize(1920, 1080); });
        RegistryKey reg;
        QVERIFY(reg.openKey(kTabulonRegistryKey, false));
        QCOMPARE(reg.readInteger("Left"), 480); // 480.5 rounds down to even, 135.5 up
        QCOMPARE(reg.readInteger("Top"), 136);
    }

    void passwordIsExactAndCaseSensitive() {
        writeSetting("LogIn", QStringLiteral("Segreto"));
        BoxAnswerer boxes;
        QPointer<TPW> dialog = newLogin();
        for (const QString& wrong : {QStringLiteral("segreto"), QStringLiteral("Segreto "), QString()}) {
            boxes.clear();
            login(dialog, wrong);
            QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Password errata")});
            QVERIFY(dialog && dialog->isVisible());
        }
        QCOMPARE(m_dataModuleCreations, 0);
        login(dialog, QStringLiteral("Segreto"));
        QCOMPARE(m_dataModuleCreations, 1);
        // An existing key is only read: no first-run value appears or overwrites one.
        RegistryKey reg;
        QVERIFY(reg.openKey(kTabulonRegistryKey, false));
        QVERIFY(!reg.valueExists("ver") && !reg.valueExists("DATABASE"));
    }

    void missingPasswordValueMeansEmptyPassword() {
        writeSetting("DATABASE", QStringLiteral("x.cds"));
        BoxAnswerer boxes;
        QPointer<TPW> dialog = newLogin();
        login(dialog, QStringLiteral("quorb"));
        login(dialog, QString());
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Password errata")});
        QCOMPARE(m_dataModuleCreations, 1);
    }

    // A password stored as a number never matches what can be typed: it is said, once, and the
    // empty password logs in as for a missing one, so the installer is not locked out.
    void damagedPasswordValueIsSaidAndTheEmptyOneLogsIn() {
        {
            RegistryKey reg;
            QVERIFY(reg.openKey(kTabulonRegistryKey, true));
            reg.writeInteger(QStringLiteral("LogIn"), 1234);
        }
        BoxAnswerer boxes;
        QPointer<TPW> dialog = newLogin();
        login(dialog, QStringLiteral("1234"));
        QCOMPARE(
            boxes.texts(),
            (QStringList{QStringLiteral("Registro di configurazione: il valore \"LogIn\" non è un testo.\r\n"
                                        "La password attesa è vuota: lasciare vuoto il campo password, "
                                        "spuntare \"Cambia password\" e sceglierne una nuova."),
                         QStringLiteral("Password errata")}));
        QCOMPARE(boxes.shown.first().type, MsgDlgType::Warning);
        boxes.clear();
        login(dialog, QStringLiteral("quorb"));
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Password errata")});
        boxes.clear();
        login(dialog, QString());
        QVERIFY(boxes.texts().isEmpty());
        QCOMPARE(m_dataModuleCreations, 1);
    }

    // A register path stored as a number is said, and the program starts on the register beside
    // the executable, as when no path is stored.
    void damagedRegisterPathStartsOnTheDefaultRegister() {
        writeSetting("LogIn", QStringLiteral("quorb"));
        {
            RegistryKey reg;
            QVERIFY(reg.openKey(kTabulonRegistryKey, true));
            reg.writeInteger(QStringLiteral("DATABASE"), 7);
        }
        QString opened;
        m_onCreate = [&] {
            createDataModule();
            opened = DATABASE;
            DATABASE =
                m_dir.filePath(QStringLiteral("KTabulon.cds")); // what the exit saves, not beside the test
            delete DM;
        };
        BoxAnswerer boxes;
        login(newLogin(), QStringLiteral("quorb"));
        const QString expected = StartupEnv::executableFolder() + QStringLiteral("KTabulon.cds");
        QCOMPARE(QDir::toNativeSeparators(opened), expected);
        QCOMPARE(
            boxes.texts(),
            QStringList{QStringLiteral("Registro di configurazione: il valore \"DATABASE\" non è un testo."
                                       "\r\nViene usato l'archivio delle installazioni iniziale:\n") +
                        expected});
        QCOMPARE(boxes.last().type, MsgDlgType::Warning);
        QVERIFY(m_exitCodes.isEmpty()); // the program goes on
    }

    void changingThePasswordAsksUntilANewOneIsGiven() {
        BoxAnswerer boxes;
        boxes.answerCancel().answerText(QStringLiteral("********")).answerText(QStringLiteral("Nuova7"));
        loginChangingPassword(QStringLiteral("quorb"));
        QCOMPARE(boxes.count("InputBox"), 3);
        const ShownBox& ask = boxes.shown.first();
        QCOMPARE(ask.caption, QStringLiteral("TBN for (ZEPHRA)V080"));
        QCOMPARE(ask.text, QStringLiteral("Digitare la nuova password"));
        QCOMPARE(ask.preset, QStringLiteral("********"));
        QCOMPARE(m_dataModuleCreations, 1);
        flushDeletes();

        boxes.clear();
        QPointer<TPW> dialog = newLogin();
        login(dialog, QStringLiteral("quorb"));
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Password errata")});
        login(dialog, QStringLiteral("Nuova7"));
        QCOMPARE(m_dataModuleCreations, 2);
        flushDeletes();

        // The new password may be empty, but not longer than the field takes.
        boxes.clear();
        boxes.answerText(QString());
        loginChangingPassword(QStringLiteral("Nuova7"));
        QCOMPARE(storedPassword(), QString());
        flushDeletes();
        boxes.clear();
        boxes.answerText(QString(65, QLatin1Char('a'))).answerText(QString(64, QLatin1Char('b')));
        loginChangingPassword(QString());
        QCOMPARE(boxes.count("InputBox"), 2);
        QCOMPARE(boxes.count("ShowMessage"), 1);
        QCOMPARE(storedPassword(), QString(64, QLatin1Char('b')));
    }

    void unusableSettingsStoreLetsOnlyAnEmptyPasswordIn() {
        RegistryKey::setStorageForTests(QStringLiteral("/proc/tabulon-no-such-dir/registry.ini"));
        BoxAnswerer boxes;
        QPointer<TPW> dialog = newLogin();
        login(dialog, QStringLiteral("quorb"));
        QCOMPARE(boxes.texts(),
                 (QStringList{QStringLiteral("Impossibile accedere nel registro di configurazione"),
                              QStringLiteral("Password errata")}));
        boxes.clear();
        login(dialog, QString());
        QCOMPARE(boxes.texts(),
                 QStringList{QStringLiteral("Impossibile accedere nel registro di configurazione")});
        QCOMPARE(m_dataModuleCreations, 1);
    }

    void executableWithoutVersionStopsTheLoginBeforeTheSettings() {
        const QString bare = m_dir.filePath(QStringLiteral("bare-executable"));
        QFile file(bare);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'x'));
        file.close();
        StartupEnv::setExecutablePathForTests(bare);
        BoxAnswerer boxes;
        QPointer<TPW> dialog = newLogin();
        login(dialog, QStringLiteral("quorb"));
        StartupEnv::setExecutablePathForTests(QString());
        QCOMPARE(boxes.count(), 1);
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(m_dataModuleCreations, 0);
        QVERIFY(!keyExists());
    }

    void dialogLayoutAndKeys() {
        QPointer<TPW> dialog = newLogin();
        QVERIFY(!dialog->CheckBox1->isChecked());
        QCOMPARE(dialog->CheckBox1->pos(), QPoint(24, 62));
        QCOMPARE(dialog->Password->echoMode(), QLineEdit::Password);
        // Enter in the password field presses OK.
        BoxAnswerer boxes;
        dialog->Password->setFocus();
        dialog->Password->setText(QStringLiteral("quorb"));
        QTest::keyClick(dialog->Password, Qt::Key_Return);
        QCOMPARE(m_dataModuleCreations, 1);
        QVERIFY(!dialog->isVisible());
    }

    void cancelEscAndCloseEndTheProgramWithCodeZero() {
        const std::function<void(TPW*)> ways[] = {
            [](TPW* d) { QTest::mouseClick(d->CancelBtn, Qt::LeftButton); },
            [](TPW* d) { QTest::keyClick(d->Password, Qt::Key_Escape); }, [](TPW* d) { d->close(); }};
        for (const auto& end : ways) {
            m_exitCodes.clear();
            QPointer<TPW> dialog = newLogin();
            end(dialog);
            QCOMPARE(m_exitCodes, QList<int>{0});
            flushDeletes();
            QVERIFY(dialog.isNull());
        }
        QCOMPARE(m_dataModuleCreations, 0);
        QVERIFY(!keyExists()); // nothing was stored
    }

    // The wait window is up while the real data module is made; a box raised meanwhile (the
    // register path names a folder) is not covered by it: the box stays on top itself and so
    // stands above the wait window, which stays where it is.
    void waitWindowCoversTheDataModuleCreation() {
        writeSetting("DATABASE", m_dir.path());
        writeSetting("LogIn", QStringLiteral("quorb"));
        QString shownText;
        bool loginHidden = false, waitWindowShown = false, boxOnTop = false, backAfter = false;
        QPoint centre;
        // The main form, hidden after its fade, away from the middle of the screen.
        std::unique_ptr<TAboutBox> box(AboutBox = new TAboutBox);
        box->move(20, 30);
        m_onCreate = [&] {
            QWidget* wait = TSplash::currentWaitWindow();
            QVERIFY(wait && wait->isVisible());
            if (auto* label = wait->findChild<QLabel*>())
                shownText = label->text();
            loginHidden = PW && !PW->isVisible();
            centre = wait->geometry().center();
            createDataModule();
            backAfter = wait->isVisible();
            delete DM;
        };
        BoxAnswerer boxes;
        boxes.responder = [&](const ShownBox& shown) {
            QWidget* wait = TSplash::currentWaitWindow();
            waitWindowShown = wait && wait->isVisible();
            boxOnTop = shown.staysOnTop;
            return QVariant();
        };
        login(newLogin(), QStringLiteral("quorb"));
        QCOMPARE(shownText, QStringLiteral("ATTENDERE PREGO..."));
        QVERIFY(loginHidden);
        // Centred on the main form, not on the screen or the login that asked for it.
        QCOMPARE(centre, box->geometry().center());
        QCOMPARE(boxes.count(), 1);
        QVERIFY(boxes.last().text.startsWith("Impossibile aprire l'archivio delle installazioni:"));
        QVERIFY(waitWindowShown && boxOnTop && backAfter);
        QCOMPARE(TSplash::currentWaitWindow(), nullptr);
    }

    // A setting of the wrong type ("Top" stored as text) is reported while the main window is
    // made: the wait window is up, the register window has just been shown and no window is
    // active. The box belongs to the register window, which stays on top, and stays on top
    // itself, above the wait window too.
    void aBadSettingAtStartIsAskedOverTheRegisterWindow() {
        writeSetting("DATABASE", m_dir.filePath(QStringLiteral("KTabulon.cds")));
        writeSetting("LogIn", QStringLiteral("quorb"));
        writeSetting("Top", QStringLiteral("alto"));
        installWindowCreation();
        const auto closeProgram = qScopeGuard([] {
            deleteProgramWindows();
            TDM::createWindowsHook = nullptr;
        });
        m_onCreate = [] { createDataModule(); };
        bool waitWindowShown = true;
        BoxAnswerer boxes;
        boxes.responder = [&](const ShownBox&) {
            QWidget* wait = TSplash::currentWaitWindow();
            waitWindowShown = waitWindowShown && wait && wait->isVisible();
            return QVariant();
        };
        login(newLogin(), QStringLiteral("quorb"));
        QVERIFY(Form_Anagrafica && Form6);
        QVERIFY(boxes.count() > 0);
        for (const ShownBox& box : std::as_const(boxes.shown)) {
            QVERIFY2(box.owner == Form_Anagrafica, qPrintable(box.text));
            QVERIFY2(box.staysOnTop, qPrintable(box.text));
        }
        QVERIFY(waitWindowShown);
    }

    void creationFailureIsReportedAfterCleaningUp() {
        bool cleanWhenReported = false; // no wait window and no login left
        m_onCreate = [] { throw std::runtime_error("Registro illeggibile"); };
        BoxAnswerer boxes;
        boxes.responder = [&](const ShownBox&) {
            cleanWhenReported = TSplash::currentWaitWindow() == nullptr && PW == nullptr;
            return QVariant();
        };
        QPointer<TPW> dialog = newLogin();
        login(dialog, QStringLiteral("quorb"));
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Registro illeggibile")});
        QVERIFY(cleanWhenReported);
        QCOMPARE(m_exitCodes, QList<int>{1});
        flushDeletes();
        QVERIFY(dialog.isNull());
    }

    void aboutBoxFadesThenStartsTheLoginOnce() {
        int logins = 0;
        TAboutBox::createLoginHook = [&] { ++logins; };
        auto* box = new TAboutBox;
        box->show();
        QCOMPARE(box->appliedOpacities(), QList<int>{254});
        const std::optional<VersionRecord> record = readVersionRecord(StartupEnv::executablePath());
        QCOMPARE(box->Version->text(), record ? formatFileVersion(*record) : QString());

        QTest::qWait(1000);
        QCOMPARE(logins, 0);
        QTRY_VERIFY_WITH_TIMEOUT(!box->isVisible(), 5000);
        QCOMPARE(per, -1);
        // 254 down to 4 in steps of 5: never fully transparent.
        const QList<int>& applied = box->appliedOpacities();
        QCOMPARE(applied.size(), 51);
        QCOMPARE(applied.last(), 4);
        QVERIFY(!box->Timer1->isActive() && !box->Timer2->isActive());
        QTest::qWait(100);
        QCOMPARE(logins, 1);
        QVERIFY(m_exitCodes.isEmpty()); // hiding the main form ends nothing
        TAboutBox::createLoginHook = nullptr;
        delete box;
    }

    // The panel is white up to the window's edge: no border line and no bevel, on any side.
    void aboutBoxPanelIsFlatAndBorderless() {
        TAboutBox box;
        const QImage shot = box.grab().toImage();
        QCOMPARE(shot.size(), QSize(461, 242));
        QStringList marked;
        for (int x = 0; x < 461; ++x)
            for (int y : {0, 1, 240, 241})
                if (shot.pixelColor(x, y) != QColor(Qt::white))
                    marked << QStringLiteral("(%1,%2)").arg(x).arg(y);
        for (int y = 0; y < 242; ++y)
            for (int x : {0, 1, 459, 460})
                if (shot.pixelColor(x, y) != QColor(Qt::white))
                    marked << QStringLiteral("(%1,%2)").arg(x).arg(y);
        QVERIFY2(marked.isEmpty(), qPrintable(marked.mid(0, 8).join(' ')));
    }

    void aboutBoxPictures() {
        TAboutBox box;
        QVERIFY(!box.Image1->isNull() && !box.Image2->isNull());
        // Every text stays inside the box and clear of the logo.
        for (QLabel* label : {box.Copyright, box.ProductName, box.Version, box.Comments, box.Label1}) {
            label->adjustSize();
            QVERIFY2(label->geometry().right() < box.Image1->x(), qPrintable(label->objectName()));
        }
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
