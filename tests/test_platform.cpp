// The platform layer: registry key, message and input boxes, colours, frame-control
// glyphs, the executable's version record and edit masks.

#include "platform/colors.h"
#include "platform/dialogs.h"
#include "platform/editmask.h"
#include "platform/glyphs.h"
#include "platform/maskedlineedit.h"
#include "platform/registrykey.h"
#include "platform/versioninfo.h"

#include <QImage>
#include <QInputDialog>
#include <QPainter>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QImage paintedCell(const QSize& size, unsigned type, unsigned state) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::magenta);
    QPainter p(&img);
    drawFrameControl(p, QRect(QPoint(0, 0), size), type, state);
    p.end();
    return img;
}

// Writes bytes to a new file and gives its path.
QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    QFile f(dir.filePath(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(f.fileName()));
    return f.fileName();
}

// Sets the separators for one test and goes back to the locale's afterwards.
struct Separators {
    Separators(QChar time, QChar date) { EditMask::setSeparators(time, date); }
    ~Separators() { EditMask::setSeparators({}, {}); }
};

} // namespace

class TestPlatform : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_ini;

private slots:
    void init() {
        QVERIFY(m_dir.isValid());
        static int n = 0;
        m_ini = m_dir.filePath(QStringLiteral("registry%1.ini").arg(++n));
        RegistryKey::setStorageForTests(m_ini);
    }
    void cleanup() { RegistryKey::setStorageForTests({}); }

    // ---------------------------------------------------------------- registry key

    void registryMissingAndCreatedKeys() {
        RegistryKey reg;
        QVERIFY(!reg.openKey(kTabulonRegistryKey, false));
        QVERIFY(!QFile::exists(m_ini)); // a failed open creates nothing
        QCOMPARE(reg.readString(QStringLiteral("LogIn")), QString());
        QVERIFY_THROWS_EXCEPTION(RegistryError, reg.writeInteger(QStringLiteral("Top"), 1));

        QVERIFY(reg.openKey(kTabulonRegistryKey, true));
        reg.closeKey();
        // The settings keep the login password: the file is its owner's alone, and stays so
        // when values are written.
        const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        const auto othersAndGroup = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                    QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeGroup |
                                    QFileDevice::ExeOther;
        QCOMPARE(QFile::permissions(m_ini) & (ownerOnly | othersAndGroup), ownerOnly);
        RegistryKey again;
        QVERIFY(again.keyExists(QStringLiteral("\\Software\\Velmora"))); // parents exist too
        QVERIFY(!again.keyExists(QStringLiteral("Software\\Other")));
        QVERIFY(again.openKey(kTabulonRegistryKey, false));  // empty, yet it exists
        QVERIFY(!again.valueExists(QStringLiteral("%key"))); // the existence marker is no value
        QVERIFY(again.createKey(QStringLiteral("Software\\Velmora\\Empty")));
        QVERIFY(again.keyExists(QStringLiteral("Software\\Velmora\\Empty")));
        again.writeString(QStringLiteral("LogIn"), QStringLiteral("segreto"));
        QCOMPARE(QFile::permissions(m_ini) & (ownerOnly | othersAndGroup), ownerOnly);
    }

    void registryReadsKeepTheirTypes() {
        RegistryKey reg;
        QVERIFY(reg.openKey(kTabulonRegistryKey, true));
        reg.writeInteger(QStringLiteral("Top"), -7);
        reg.writeString(QStringLiteral("Digits"), QStringLiteral("240")); // a number as text
        reg.writeString(QStringLiteral("Tagged"), QStringLiteral("dword:5"));
        QCOMPARE(reg.readInteger(QStringLiteral("Top")), -7);
        QCOMPARE(reg.readString(QStringLiteral("Tagged")), QStringLiteral("dword:5"));
        // The main window shows these texts in its error box.
        const auto errorOf = [&reg](const QString& name) {
            try {
                reg.readInteger(name);
            } catch (const RegistryError& e) {
                return e.message();
            }
            return QStringLiteral("no error");
        };
        QCOMPARE(errorOf(QStringLiteral("Left")), QStringLiteral("Failed to get data for 'Left'"));
        QCOMPARE(errorOf(QStringLiteral("Digits")), QStringLiteral("Invalid data type for 'Digits'"));
        QVERIFY_THROWS_EXCEPTION(RegistryError, reg.readString(QStringLiteral("Top")));
        reg.writeString(QStringLiteral("Top"), QStringLiteral("x")); // overwriting changes the type
        QVERIFY_THROWS_EXCEPTION(RegistryError, reg.readInteger(QStringLiteral("Top")));
    }

    void registryTypesSurviveReloadFromDisk() {
        const QString path = QStringLiteral("/home/u/a, b;c=d/KTabulon.cds");
        {
            RegistryKey reg;
            QVERIFY(reg.openKey(kTabulonRegistryKey, true));
            reg.writeString(QStringLiteral("DATABASE"), path);
            reg.writeString(QStringLiteral("LogIn"), QStringLiteral("@è \"q\""));
            reg.writeString(QStringLiteral("Empty"), QString());
            reg.writeInteger(QStringLiteral("Big"), INT_MIN);
        }
        // A copy under a new name is read from disk afresh, not from any cache of this process.
        const QString copy = m_dir.filePath(QStringLiteral("copy-%1.ini").arg(QFileInfo(m_ini).baseName()));
        QVERIFY(QFile::copy(m_ini, copy));
        RegistryKey::setStorageForTests(copy);
        RegistryKey reg;
        QVERIFY(reg.openKey(kTabulonRegistryKey, false));
        QCOMPARE(reg.readString(QStringLiteral("DATABASE")), path);
        QCOMPARE(reg.readString(QStringLiteral("LogIn")), QStringLiteral("@è \"q\""));
        QVERIFY(reg.valueExists(QStringLiteral("Empty")));
        QCOMPARE(reg.readInteger(QStringLiteral("Big")), INT_MIN);

        // A value typed into the file by hand, without a type tag, is a text.
        {
            QSettings raw(copy, QSettings::IniFormat);
            raw.setValue(QStringLiteral("Software/Velmora/TBN for (ZEPHRA)V080/Top"), QStringLiteral("12"));
            raw.setValue(QStringLiteral("Software/Velmora/TBN for (ZEPHRA)V080/Bad"),
                         QStringLiteral("dword:x"));
        }
        QCOMPARE(reg.readString(QStringLiteral("Top")), QStringLiteral("12"));
        QVERIFY_THROWS_EXCEPTION(RegistryError, reg.readInteger(QStringLiteral("Top")));
        QVERIFY_THROWS_EXCEPTION(RegistryError, reg.readInteger(QStringLiteral("Bad")));
    }

    void registryDeleteKeyAndOddNames() {
        RegistryKey reg;
        QVERIFY(reg.openKey(QStringLiteral("Software\\Velmora\\A"), true));
        reg.writeString(QStringLiteral("a/b\\c%d"), QStringLiteral("odd"));
        reg.writeInteger(QString(), 3); // the unnamed value
        QCOMPARE(reg.readString(QStringLiteral("a/b\\c%d")), QStringLiteral("odd"));
        QVERIFY(!reg.valueExists(QStringLiteral("a")));
        QCOMPARE(reg.readInteger(QString()), 3);
        QVERIFY(reg.deleteValue(QStringLiteral("a/b\\c%d")));
        QVERIFY(!reg.valueExists(QStringLiteral("a/b\\c%d")));
        QVERIFY(reg.openKey(QStringLiteral("Software\\Velmora\\B"), true));
        QVERIFY(reg.deleteKey(QStringLiteral("Software\\Velmora\\A")));
        QVERIFY(!reg.keyExists(QStringLiteral("Software\\Velmora\\A")));
        QVERIFY(reg.keyExists(QStringLiteral("Software\\Velmora\\B"))); // its sibling stays
        QVERIFY(!reg.deleteKey(QStringLiteral("Software\\Velmora\\A")));
    }

    // Under the test runner a test that chose no storage still never reaches the real one.
    void registryUnderTheRunnerNeverReachesTheRealStorage() {
        if (!qEnvironmentVariableIsSet("TABULON_TEST"))
            QSKIP("not run by the test runner");
        RegistryKey::setStorageForTests({});
        RegistryKey reg;
        QVERIFY(reg.openKey(QStringLiteral("Software\\Velmora\\Probe"), true));
        reg.writeString(QStringLiteral("x"), QStringLiteral("y"));
        const QString fallback =
            QDir(QDir::tempPath())
                .filePath(QStringLiteral("tabulon-registry-%1.ini").arg(QCoreApplication::applicationPid()));
        QSettings raw(fallback, QSettings::IniFormat);
        QCOMPARE(raw.value(QStringLiteral("Software/Velmora/Probe/x")).toString(), QStringLiteral("sz:y"));
        QVERIFY(reg.deleteKey(QStringLiteral("Software\\Velmora\\Probe")));
    }

    // ---------------------------------------------------------------- message and input boxes

    void answererRecordsAndAnswersInOrder() {
        BoxAnswerer answers;
        answers.answer(mrNo);
        QCOMPARE(MessageDlg(QStringLiteral("Cancellare?"), MsgDlgType::Confirmation, mbYesNo), int(mrNo));
        ShowMessage(QStringLiteral("Password errata"));
        QCOMPARE(answers.texts(),
                 QStringList({QStringLiteral("Cancellare?"), QStringLiteral("Password errata")}));
        QCOMPARE(answers.shown.at(0).caption, QStringLiteral("Conferma"));
        // With the queue empty: the first button offered; no buttons means OK.
        QCOMPARE(MessageDlg(QStringLiteral("x"), MsgDlgType::Warning, mbRetry | mbCancel), int(mrCancel));
        QCOMPARE(MessageDlg(QStringLiteral("x"), MsgDlgType::Warning, 0), int(mrOk));
        QCOMPARE(MessageBox(QStringLiteral("x"), QString(), mbIconQuestion | mbNo | mbYes), int(mrYes));
        QCOMPARE(answers.last().buttons, unsigned(mbYesNo)); // icon flags are not buttons

        // Input boxes: a cancel gives the preset back, an empty answer is an answer, and with the
        // queue empty the box is confirmed unchanged. The text queue is apart from the results.
        const QString preset = QStringLiteral("********");
        answers.answerCancel().answerText(QString()).answer(mrNo);
        QCOMPARE(InputBox(QStringLiteral("TBN"), QStringLiteral("Password"), preset), preset);
        QCOMPARE(MessageDlg(QStringLiteral("q"), MsgDlgType::Confirmation, mbYesNo), int(mrNo));
        QCOMPARE(InputBox(QStringLiteral("TBN"), QStringLiteral("Password"), preset), QString());
        QCOMPARE(InputBox(QStringLiteral("TBN"), QStringLiteral("Password"), preset), preset);
        // File prompts take a queued name; with the queue empty they are cancelled.
        answers.answerText(QStringLiteral("/tmp/x.csv"));
        QCOMPARE(
            PromptSaveFileName(nullptr, {}, {}, {}, QStringLiteral("csv file|*.csv"), QStringLiteral("csv")),
            QStringLiteral("/tmp/x.csv"));
        QCOMPARE(PromptOpenFileName(nullptr, {}, {}, QStringLiteral("*.cds|*.cds")), QString());
        QCOMPARE(answers.last().preset, QStringLiteral("*.cds (*.cds)"));
    }

    void answerersNest() {
        BoxAnswerer outer;
        {
            BoxAnswerer inner;
            inner.responder = [](const ShownBox& b) {
                return b.text == QLatin1String("special") ? QVariant(int(mrIgnore)) : QVariant();
            };
            QCOMPARE(MessageDlg(QStringLiteral("special"), MsgDlgType::Custom, mbAbortRetryIgnore),
                     int(mrIgnore));
            QCOMPARE(MessageDlg(QStringLiteral("plain"), MsgDlgType::Custom, mbAbortRetryIgnore),
                     int(mrAbort));
        }
        QCOMPARE(BoxAnswerer::active(), &outer);
        ShowMessage(QStringLiteral("after"));
        QCOMPARE(outer.count(), 1);
    }

    // The password change's input box is wide enough for its caption "TBN for (ZEPHRA)V080" in
    // a bold title font, with room beside it for a title bar's icon and three buttons of 24
    // pixels: a narrow box has the caption cut ("TBN fo...)V080").
    void inputBoxShowsItsCaptionWhole() {
        const QString caption = QStringLiteral("TBN for (ZEPHRA)V080");
        RealBoxes real;
        int width = -1;
        QFont titleFont;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget())) {
                width = box->width();
                titleFont = box->font();
                box->reject();
            }
        });
        const QString preset = QStringLiteral("********");
        QCOMPARE(InputBox(caption, QStringLiteral("Digitare la nuova password"), preset), preset);
        titleFont.setBold(true);
        QVERIFY2(width >= QFontMetrics(titleFont).horizontalAdvance(caption) + 4 * 24,
                 qPrintable(QString::number(width)));
    }

    void fileFiltersConvertToQtNotation() {
        QCOMPARE(qtFileFilter(QStringLiteral("csv file|*.csv")), QStringLiteral("csv file (*.csv)"));
        QCOMPARE(qtFileFilter(QStringLiteral("Texts|*.txt;*.log|All|*.*")),
                 QStringLiteral("Texts (*.txt *.log);;All (*)"));
        QCOMPARE(qtFileFilter(QStringLiteral("Register (*.cds)|*.cds")), QStringLiteral("Register (*.cds)"));
        QCOMPARE(qtFileFilter(QString()), QString());
    }

    // ---------------------------------------------------------------- colours

    void coloursAreBgrOrSystem() {
        QCOMPARE(colorFromTColor(0x0FDFFD), QColor(253, 223, 15)); // red in the lowest byte
        QCOMPARE(tColorFromColor(QColor(253, 223, 15)), TColor(0x0FDFFD));
        QCOMPARE(colorFromTColor(clNone).alpha(), 0);
        QVERIFY(!colorFromTColor(clDefault).isValid());
        QCOMPARE(colorFromTColor(0xFF00000A), sysColor(COLOR_ACTIVEBORDER));
        QCOMPARE(colorFromTColor(0x8000000A), sysColor(COLOR_ACTIVEBORDER)); // the other system flag
        for (int outOfRange : {-1, kSystemColorCount})
            QCOMPARE(sysColor(outOfRange), QColor(0, 0, 0));
    }

    // ---------------------------------------------------------------- version record

    void versionRecordOfThisExecutableAndTheProgram() {
        const VersionRecord expected{TABULON_VER_MAJOR, TABULON_VER_MINOR, TABULON_VER_RELEASE,
                                     TABULON_VER_BUILD};
        QCOMPARE(currentVersionRecord(), expected);
        QString error;
        const auto read = readVersionRecord(QCoreApplication::applicationFilePath(), &error);
        QVERIFY2(read.has_value(), qPrintable(error));
        QCOMPARE(*read, expected);
        QCOMPARE(formatFileVersion({1, 7, 2, 30}), QStringLiteral("V1.7.2 build 30"));
        QCOMPARE(formatAppVersion({1, 7, 2, 30}), QStringLiteral("1.7.2.30"));

        // The program calls nothing of the version code from its entry: the build must keep
        // the record anyway.
        const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/tabulon");
        if (!QFileInfo::exists(program))
            QSKIP("the program is not built next to the tests");
        QCOMPARE(readVersionRecord(program), std::optional<VersionRecord>(expected));
    }

    // Places the record around the 1 MiB chunk border of a synthetic file, after a decoy
    // magic whose check word does not match; a missing file and one without the record fail.
    void versionRecordAcrossChunkBorderOrMissing() {
        QFile self(QCoreApplication::applicationFilePath());
        QVERIFY(self.open(QIODevice::ReadOnly));
        const QByteArray all = self.readAll();
        QString error;
        QVERIFY(!readVersionRecord(m_dir.filePath(QStringLiteral("absent.exe")), &error).has_value());
        QVERIFY(!error.isEmpty());
        QVERIFY(!readVersionRecord(writeFile(m_dir, QStringLiteral("plain.bin"), all.left(4096)), &error));
        QVERIFY(error.contains(QStringLiteral("No version information")));
        const QByteArray record = embeddedVersionRecordBytes();
        QCOMPARE(record.size(), 26);
        const QByteArray magic = record.left(16);
        QCOMPARE(all.count(magic), qsizetype(1)); // the record only: the reader keeps no copy

        for (int shift : {-30, -10, -1, 0, 5}) {
            QByteArray file(1 << 20, '\x90');
            file.replace(100, 26, magic + QByteArray(10, '\x01'));
            file.append(QByteArray(64, '\x90'));
            file.replace((1 << 20) + shift, record.size(), record);
            const auto read =
                readVersionRecord(writeFile(m_dir, QStringLiteral("synthetic%1.bin").arg(shift), file));
            QVERIFY2(read.has_value(), qPrintable(QString::number(shift)));
            QCOMPARE(*read, currentVersionRecord());
        }
    }

    // ---------------------------------------------------------------- edit masks

    // Stored value -> display text -> stored value, with a locale whose separators are '.'
    // and '-' (stored values keep ':' and '/').
    void maskDisplayAndStore_data() {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("display");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<QString>("stored");
        const struct {
            const char *tag, *mask, *value, *display;
            bool complete;
            const char* stored;
        } rows[] = {
            {"time", "!90:00;1;_", "07:30", "07.30", true, "07:30"},
            {"time, leading blank", "!90:00;1;_", "7:30", "_7.30", true, "7:30"},
            {"time, locale form", "!90:00;1;_", "7.30", "_7.30", true, "7:30"},
            {"time, empty", "!90:00;1;_", "", "__.__", false, ""},
            {"time, overlong runs cut", "!90:00;1;_", "123:456", "12.45", true, "12:45"},
            {"day/month", "!00/00;1;_", "31/12", "31-12", true, "31/12"},
            {"day/month, short", "!00/00;1;_", "1/2", "_1-_2", false, "1/2"},
            {"h:m:s", "!99:99:99;1;_", "1:2:3", "_1._2._3", true, "1:2:3"},
            {"h:m:s, trailing cut", "!99:99:99;1;_", "01:02", "01.02.__", true, "01:02:"},
            {"h:m:s, all optional", "!99:99:99;1;_", "", "__.__.__", true, ""},
            {"upper case", ">AAAAAAAAAA;1;_", "ab12", "AB12______", false, "AB12"},
            {"upper case, cut", ">AAAAAAAAAA;1;_", "0a1b2c3d4e77", "0A1B2C3D4E", true, "0A1B2C3D4E"},
            {"case switches", "<LL<>L;0;_", "ABC", "abC", true, "abC"},
            {"literals not saved", "!90:00;0;*", "730", "*7.30", true, "730"},
            {"escaped literals", "\\0\\;0;0; ", "5", "0;5", true, "5"},
            {"sign", "#99;1;_", "+", "+__", true, "+"},
            {"number, leading blanks", "!999;1;_", "1", "__1", true, "1"},
            {"number, blank inside kept", "!999;1;_", "1 2", "1_2", true, "1 2"},
            {"code, leading blanks", "!99999;0;_", "42", "___42", true, "42"},
        };
        for (const auto& r : rows)
            QTest::newRow(r.tag) << QString::fromUtf8(r.mask) << QString::fromUtf8(r.value)
                                 << QString::fromUtf8(r.display) << r.complete << QString::fromUtf8(r.stored);
    }
    void maskDisplayAndStore() {
        QFETCH(QString, mask);
        QFETCH(QString, value);
        QFETCH(QString, display);
        QFETCH(bool, complete);
        QFETCH(QString, stored);
        const Separators locale(u'.', u'-');
        const EditMask m(mask);
        QCOMPARE(m.displayText(value), display);
        QCOMPARE(m.isComplete(display), complete);
        QCOMPARE(m.storedValue(display), stored);
        QCOMPARE(m.validate(display).isEmpty(), complete);
        // Showing the stored value again shows the same, and storing that changes nothing:
        // a value only looked at is never rewritten.
        QCOMPARE(m.displayText(stored), display);
        QCOMPARE(m.storedValue(m.displayText(stored)), stored);
        MaskedLineEdit edit;
        edit.setEditMask(mask);
        edit.setStoredText(stored);
        QCOMPARE(edit.storedText(), stored);
    }

    void maskPositionsAndInput() {
        const Separators locale(u'.', u'-');
        const EditMask m(QStringLiteral("!90:00;1;_"));
        QVERIFY(!m.isRequired(0) && m.isRequired(1)); // 9 optional, 0 required: not Qt's meaning
        QCOMPARE(m.validate(QStringLiteral("07.__")),
                 QStringLiteral("Valore non valido: completare tutti i campi richiesti"));
        QVERIFY(!m.isComplete(QStringLiteral("0x.30")));
        QVERIFY(m.accepts(0, u'5') && !m.accepts(0, u'x'));
        QVERIFY(m.accepts(2, u'.') && !m.accepts(2, u'5'));
        QVERIFY(!m.accepts(9, u'5'));
        const EditMask code(QStringLiteral(">AAAAAAAAAA;1;_"));
        QCOMPARE(code.transform(0, u'f'), QChar(u'F'));
        QVERIFY(code.accepts(3, u'9') && !code.accepts(3, u' ') && !code.accepts(3, u'.'));
        const EditMask sign(QStringLiteral("!#99;1;_"));
        QVERIFY(sign.accepts(0, u'+') && !sign.accepts(1, u'+'));
        QVERIFY(EditMask().isEmpty());
        QCOMPARE(EditMask().displayText(QStringLiteral("abc")), QStringLiteral("abc"));
    }

    // ---------------------------------------------------------------- glyphs

    void sizeGripPaintsRidgesAtBottomRight() {
        const QImage img = paintedCell(QSize(80, 18), DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
        const QColor face = sysColor(COLOR_BTNFACE), shadow = sysColor(COLOR_BTNSHADOW),
                     light = sysColor(COLOR_BTNHIGHLIGHT);
        // Ridges in the bottom-right 18 x 18 square, stopping one pixel short of its edges.
        const struct {
            int x, y;
            QColor color;
        } pixels[] = {{79, 17, face},   {78, 17, shadow}, {79, 16, shadow},
                      {77, 17, shadow}, {76, 17, light},  {75, 17, face}};
        for (const auto& p : pixels)
            QCOMPARE(img.pixelColor(p.x, p.y), p.color);
        int ridgePixels = 0;
        for (int y = 0; y < 18; ++y)
            for (int x = 0; x < 80; ++x) {
                if (x < 62)
                    QCOMPARE(img.pixelColor(x, y), face);
                ridgePixels += img.pixelColor(x, y) != face;
            }
        QVERIFY(ridgePixels > 40);
    }

    void glyphsStayInsideTheirRectangle() {
        const QRect cell(5, 4, 30, 16);
        const struct {
            unsigned type, state;
        } cases[] = {{DFC_SCROLL, DFCS_SCROLLSIZEGRIP},
                     {DFC_SCROLL, DFCS_SCROLLUP | DFCS_INACTIVE},
                     {DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_MONO},
                     {DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_FLAT | DFCS_PUSHED},
                     {DFC_CAPTION, DFCS_CAPTIONRESTORE},
                     {DFC_BUTTON, DFCS_BUTTONPUSH},
                     {DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED},
                     {DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED},
                     {DFC_MENU, DFCS_MENUCHECK}};
        for (const auto& c : cases) {
            QImage img(40, 24, QImage::Format_RGB32);
            img.fill(Qt::magenta);
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            const QPen pen(Qt::green, 3);
            p.setPen(pen);
            drawFrameControl(p, cell, c.type, c.state);
            QCOMPARE(p.pen(), pen); // painter settings are given back
            QVERIFY(p.testRenderHint(QPainter::Antialiasing));
            drawFrameControl(p, QRect(), c.type, c.state); // empty: nothing, no crash
            drawFrameControl(p, QRect(0, 0, 1, 1), c.type, c.state);
            p.fillRect(cell, Qt::magenta); // leaves only what was painted outside the cell
            p.fillRect(0, 0, 1, 1, Qt::magenta);
            p.end();
            QImage untouched(img.size(), img.format());
            untouched.fill(Qt::magenta);
            QVERIFY2(img == untouched,
                     qPrintable(QStringLiteral("type %1 state %2").arg(c.type).arg(c.state)));
        }

        // The cross in a disabled check-box cell: black strokes on a flat face with a black border.
        const QImage cross = paintedCell(QSize(20, 20), DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_MONO);
        QCOMPARE(cross.pixelColor(0, 0), QColor(Qt::black));
        QCOMPARE(cross.pixelColor(10, 10), QColor(Qt::black));
        QCOMPARE(cross.pixelColor(10, 2), sysColor(COLOR_BTNFACE));
        // A pushed button is sunken: its top-left ring is the shadow.
        const QImage pushed = paintedCell(QSize(20, 20), DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
        QCOMPARE(pushed.pixelColor(5, 0), sysColor(COLOR_BTNSHADOW));
    }

    void focusRectInvertsEveryOtherBorderPixel() {
        QImage img(20, 10, QImage::Format_RGB32);
        img.fill(Qt::white);
        const auto drawFrame = [&img] {
            QPainter p(&img);
            drawFocusRect(p, QRect(2, 2, 10, 5));
        };
        drawFrame();
        const QColor black(Qt::black), white(Qt::white);
        QCOMPARE(img.pixelColor(2, 2), black);
        QCOMPARE(img.pixelColor(3, 2), white);
        QCOMPARE(img.pixelColor(5, 4), white); // inside untouched
        QCOMPARE(img.pixelColor(1, 1), white); // outside untouched
        // Drawn twice, the frame vanishes: each pixel is inverted exactly once per call.
        drawFrame();
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                QCOMPARE(img.pixelColor(x, y), white);
    }
};

QTEST_MAIN(TestPlatform)
#include "test_platform.moc"
