// The platform stand-ins: registry key, message and input boxes, colours, frame-control
// glyphs, the executable's version record and edit masks.

#include "platform/colors.h"
#include "platform/dialogs.h"
#include "platform/editmask.h"
#include "platform/glyphs.h"
#include "platform/registrykey.h"
#include "platform/versioninfo.h"
#include "support/tempregistry.h"

#include <QImage>
#include <QPainter>

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class TestPlatform : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_ini;

private slots:
    void init();
    void cleanup();

    // Registry key
    void registryOpenWithoutCreateFailsOnMissingKey();
    void registryCreatedKeyExistsWithoutValues();
    void registryReadsKeepTheirTypes();
    void registryTypesSurviveReloadFromDisk();
    void registryDeleteKeyAndOddNames();
    void registryStorageForTests();

    // Message and input boxes
    void answererRecordsAndAnswersInOrder();
    void answererDefaultsToFirstButton();
    void inputBoxCancelReturnsPreset();
    void answerersNest();
    void fileFiltersConvertToQtNotation();

    // Colours
    void colourValuesAreBgr();
    void systemColoursComeFromTheTable();

    // Version record
    void versionRecordOfThisExecutable();
    void versionRecordOfTheProgram();
    void versionRecordMissingOrUnreadable();
    void versionRecordAcrossChunkBorder();

    // Edit masks
    void maskParsing();
    void maskTimeHoursMinutes();
    void maskDayMonth();
    void maskHoursMinutesSeconds();
    void maskUpperCaseCode();
    void maskWithoutSavedLiterals();

    // Glyphs
    void sizeGripPaintsRidgesAtBottomRight();
    void glyphsStayInsideTheirRectangle();
    void focusRectInvertsEveryOtherBorderPixel();
};

void TestPlatform::init() {
    QVERIFY(m_dir.isValid());
    static int n = 0;
    m_ini = m_dir.filePath(QStringLiteral("registry%1.ini").arg(++n));
    RegistryKey::setStorageForTests(m_ini);
}

void TestPlatform::cleanup() {
    RegistryKey::setStorageForTests({});
}

void TestPlatform::registryOpenWithoutCreateFailsOnMissingKey() {
    RegistryKey reg;
    QVERIFY(!reg.openKey(kTabulonRegistryKey, false));
    QVERIFY(!reg.hasOpenKey());
    QVERIFY(!reg.keyExists(kTabulonRegistryKey));
    QVERIFY(!QFile::exists(m_ini)); // a failed open creates nothing
    QCOMPARE(reg.readString(QStringLiteral("LogIn")), QString());
    QVERIFY_THROWS_EXCEPTION(RegistryError, reg.readInteger(QStringLiteral("Top")));
    QVERIFY_THROWS_EXCEPTION(RegistryError, reg.writeInteger(QStringLiteral("Top"), 1));
}

void TestPlatform::registryCreatedKeyExistsWithoutValues() {
    {
        RegistryKey reg;
        QVERIFY(reg.openKey(kTabulonRegistryKey, true));
        QVERIFY(!reg.valueExists(QStringLiteral("LogIn")));
        reg.closeKey();
    }
    RegistryKey again;
    QVERIFY(again.keyExists(kTabulonRegistryKey));
    QVERIFY(again.keyExists(QStringLiteral("\\Software\\Velmora"))); // parents exist too
    QVERIFY(!again.keyExists(QStringLiteral("Software\\Other")));
    QVERIFY(again.openKey(kTabulonRegistryKey, false));
    // The existence marker is not a value.
    QCOMPARE(again.readString(QStringLiteral("%key")), QString());
    QVERIFY(!again.valueExists(QStringLiteral("%key")));

    RegistryKey creator;
    QVERIFY(creator.createKey(QStringLiteral("Software\\Velmora\\Empty")));
    QVERIFY(!creator.hasOpenKey());
    QVERIFY(creator.openKey(QStringLiteral("Software\\Velmora\\Empty"), false));
}

void TestPlatform::registryReadsKeepTheirTypes() {
    RegistryKey reg;
    QVERIFY(reg.openKey(kTabulonRegistryKey, true));
    reg.writeString(QStringLiteral("LogIn"), QStringLiteral("quorb"));
    reg.writeInteger(QStringLiteral("Top"), 135);
    reg.writeInteger(QStringLiteral("Neg"), -7);
    reg.writeString(QStringLiteral("Digits"), QStringLiteral("240")); // a number as text
    reg.writeString(QStringLiteral("Tagged"), QStringLiteral("dword:5"));

    QCOMPARE(reg.readString(QStringLiteral("LogIn")), QStringLiteral("quorb"));
    QCOMPARE(reg.readInteger(QStringLiteral("Top")), 135);
    QCOMPARE(reg.readInteger(QStringLiteral("Neg")), -7);
    QCOMPARE(reg.readString(QStringLiteral("Tagged")), QStringLiteral("dword:5"));
    QVERIFY(reg.valueExists(QStringLiteral("Top")));
    QCOMPARE(reg.readString(QStringLiteral("Missing")), QString());

    try {
        reg.readInteger(QStringLiteral("Left"));
        QFAIL("missing integer read");
    } catch (const RegistryError& e) {
        QCOMPARE(e.message(), QStringLiteral("Failed to get data for 'Left'"));
    }
    try {
        reg.readInteger(QStringLiteral("Digits"));
        QFAIL("text read as integer");
    } catch (const RegistryError& e) {
        QCOMPARE(e.message(), QStringLiteral("Invalid data type for 'Digits'"));
    }
    QVERIFY_THROWS_EXCEPTION(RegistryError, reg.readString(QStringLiteral("Top")));

    // Overwriting changes the type.
    reg.writeString(QStringLiteral("Top"), QStringLiteral("x"));
    QVERIFY_THROWS_EXCEPTION(RegistryError, reg.readInteger(QStringLiteral("Top")));
}

void TestPlatform::registryTypesSurviveReloadFromDisk() {
    {
        RegistryKey reg;
        QVERIFY(reg.openKey(kTabulonRegistryKey, true));
        reg.writeString(QStringLiteral("DATABASE"), QStringLiteral("/home/u/a, b;c=d/KTabulon.cds"));
        reg.writeString(QStringLiteral("LogIn"), QStringLiteral("@è \"q\""));
        reg.writeString(QStringLiteral("Empty"), QString());
        reg.writeInteger(QStringLiteral("Width"), 1190);
        reg.writeInteger(QStringLiteral("Big"), INT_MIN);
    }
    // A copy under a new name is read from disk afresh, not from any cache of this process.
    const QString copy = m_dir.filePath(QStringLiteral("copy-%1.ini").arg(QFileInfo(m_ini).baseName()));
    QVERIFY(QFile::copy(m_ini, copy));
    RegistryKey::setStorageForTests(copy);

    RegistryKey reg;
    QVERIFY(reg.openKey(kTabulonRegistryKey, false));
    QCOMPARE(reg.readString(QStringLiteral("DATABASE")), QStringLiteral("/home/u/a, b;c=d/KTabulon.cds"));
    QCOMPARE(reg.readString(QStringLiteral("LogIn")), QStringLiteral("@è \"q\""));
    QVERIFY(reg.valueExists(QStringLiteral("Empty")));
    QCOMPARE(reg.readString(QStringLiteral("Empty")), QString());
    QCOMPARE(reg.readInteger(QStringLiteral("Width")), 1190);
    QCOMPARE(reg.readInteger(QStringLiteral("Big")), INT_MIN);
    QVERIFY_THROWS_EXCEPTION(RegistryError, reg.readInteger(QStringLiteral("LogIn")));

    // A value typed into the file by hand, without a type tag, is a text.
    {
        QSettings raw(copy, QSettings::IniFormat);
        raw.setValue(QStringLiteral("Software/Velmora/TBN for (ZEPHRA)V080/Top"), QStringLiteral("12"));
        raw.setValue(QStringLiteral("Software/Velmora/TBN for (ZEPHRA)V080/Bad"), QStringLiteral("dword:x"));
    }
    QCOMPARE(reg.readString(QStringLiteral("Top")), QStringLiteral("12"));
    QVERIFY_THROWS_EXCEPTION(RegistryError, reg.readInteger(QStringLiteral("Top")));
    QVERIFY_THROWS_EXCEPTION(RegistryError, reg.readInteger(QStringLiteral("Bad")));
}

void TestPlatform::registryDeleteKeyAndOddNames() {
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
    reg.closeKey();

    QVERIFY(reg.deleteKey(QStringLiteral("Software\\Velmora\\A")));
    QVERIFY(!reg.keyExists(QStringLiteral("Software\\Velmora\\A")));
    QVERIFY(reg.keyExists(QStringLiteral("Software\\Velmora\\B")));
    QVERIFY(!reg.deleteKey(QStringLiteral("Software\\Velmora\\A")));
    QVERIFY(!reg.openKey(QStringLiteral("Software\\Velmora\\A"), false));
}

void TestPlatform::registryStorageForTests() {
    {
        TempRegistry temp;
        QCOMPARE(RegistryKey::storageForTests(), temp.path());
        RegistryKey reg;
        QVERIFY(reg.openKey(kTabulonRegistryKey, true));
        reg.writeInteger(QStringLiteral("Top"), 1);
        QVERIFY(QFile::exists(temp.path()));
    }
    QCOMPARE(RegistryKey::storageForTests(), m_ini); // given back

    // Under the test runner a test that chose no storage still never reaches the real one.
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

void TestPlatform::answererRecordsAndAnswersInOrder() {
    BoxAnswerer answers;
    answers.answer(mrNo).answer(mrCancel);
    QCOMPARE(MessageDlg(QStringLiteral("Cancellare?"), MsgDlgType::Confirmation, mbYes | mbNo), int(mrNo));
    QCOMPARE(
        MessageBox(QStringLiteral("Vuoi uscire da programma?"), QStringLiteral("Tabulon"), mbYesNoCancel),
        int(mrCancel));
    ShowMessage(QStringLiteral("Password errata"));

    QCOMPARE(answers.count(), 3);
    QCOMPARE(answers.texts(),
             QStringList({QStringLiteral("Cancellare?"), QStringLiteral("Vuoi uscire da programma?"),
                          QStringLiteral("Password errata")}));
    QCOMPARE(answers.shown.at(0).kind, QStringLiteral("MessageDlg"));
    QCOMPARE(answers.shown.at(0).caption, QStringLiteral("Confirm"));
    QCOMPARE(answers.shown.at(0).buttons, unsigned(mbYes | mbNo));
    QCOMPARE(answers.shown.at(1).caption, QStringLiteral("Tabulon"));
    QCOMPARE(answers.last().kind, QStringLiteral("ShowMessage"));
    QCOMPARE(answers.last().buttons, unsigned(mbOK));
    QCOMPARE(answers.count(QStringLiteral("MessageBox")), 1);
}

void TestPlatform::answererDefaultsToFirstButton() {
    BoxAnswerer answers;
    QCOMPARE(MessageDlg(QStringLiteral("x"), MsgDlgType::Warning, mbYes | mbNo), int(mrYes));
    QCOMPARE(MessageDlg(QStringLiteral("x"), MsgDlgType::Warning, mbOK | mbCancel), int(mrOk));
    QCOMPARE(MessageDlg(QStringLiteral("x"), MsgDlgType::Error, mbRetry | mbCancel), int(mrCancel));
    QCOMPARE(MessageDlg(QStringLiteral("x"), MsgDlgType::Information, 0), int(mrOk)); // no buttons: OK
    QCOMPARE(MessageBox(QStringLiteral("x"), QString(), mbIconQuestion | mbNo | mbYes), int(mrYes));
    QCOMPARE(answers.last().buttons, unsigned(mbYes | mbNo)); // icon flags are not buttons
    // File prompts default to cancelled.
    QCOMPARE(PromptOpenFileName(nullptr, QStringLiteral("Import"), QString(), QStringLiteral("*.cds|*.cds")),
             QString());
    QCOMPARE(answers.last().kind, QStringLiteral("OpenFile"));
    QCOMPARE(answers.last().preset, QStringLiteral("*.cds (*.cds)"));
}

void TestPlatform::inputBoxCancelReturnsPreset() {
    const QString caption = QStringLiteral("TBN for (ZEPHRA)V080");
    const QString prompt = QStringLiteral("Digitare la nuova password");
    const QString preset = QStringLiteral("********");
    BoxAnswerer answers;
    answers.answerCancel().answerText(QString()).answerText(QStringLiteral("nuova"));
    QCOMPARE(InputBox(caption, prompt, preset), preset);
    QCOMPARE(InputBox(caption, prompt, preset), QString()); // an empty answer is an answer
    QCOMPARE(InputBox(caption, prompt, preset), QStringLiteral("nuova"));
    QCOMPARE(InputBox(caption, prompt, preset), preset); // queue empty: confirmed unchanged
    QCOMPARE(answers.count(QStringLiteral("InputBox")), 4);
    QCOMPARE(answers.last().caption, caption);
    QCOMPARE(answers.last().text, prompt);

    // Text and result queues are independent.
    answers.answerText(QStringLiteral("/tmp/x.csv")).answer(mrNo);
    QCOMPARE(MessageDlg(QStringLiteral("q"), MsgDlgType::Confirmation, mbYesNo), int(mrNo));
    QCOMPARE(PromptSaveFileName(nullptr, QString(), QString(), QString(), QStringLiteral("csv file|*.csv"),
                                QStringLiteral("csv")),
             QStringLiteral("/tmp/x.csv"));
    answers.answerCancel();
    QCOMPARE(PromptSaveFileName(nullptr, QString(), QString(), QString(), QString(), QString()), QString());
}

void TestPlatform::answerersNest() {
    BoxAnswerer outer;
    {
        BoxAnswerer inner;
        inner.responder = [](const ShownBox& b) {
            return b.text == QLatin1String("special") ? QVariant(int(mrIgnore)) : QVariant();
        };
        QCOMPARE(MessageDlg(QStringLiteral("special"), MsgDlgType::Custom, mbAbortRetryIgnore),
                 int(mrIgnore));
        QCOMPARE(MessageDlg(QStringLiteral("plain"), MsgDlgType::Custom, mbAbortRetryIgnore), int(mrAbort));
        QCOMPARE(inner.count(), 2);
        QCOMPARE(BoxAnswerer::active(), &inner);
    }
    QCOMPARE(BoxAnswerer::active(), &outer);
    ShowMessage(QStringLiteral("after"));
    QCOMPARE(outer.count(), 1);
}

void TestPlatform::fileFiltersConvertToQtNotation() {
    QCOMPARE(qtFileFilter(QStringLiteral("*.cds|*.cds")), QStringLiteral("*.cds (*.cds)"));
    QCOMPARE(qtFileFilter(QStringLiteral("csv file|*.csv")), QStringLiteral("csv file (*.csv)"));
    QCOMPARE(qtFileFilter(QStringLiteral("Texts|*.txt;*.log|All|*.*")),
             QStringLiteral("Texts (*.txt *.log);;All (*)"));
    QCOMPARE(qtFileFilter(QStringLiteral("Register (*.cds)|*.cds")), QStringLiteral("Register (*.cds)"));
    QCOMPARE(qtFileFilter(QString()), QString());
}

void TestPlatform::colourValuesAreBgr() {
    QCOMPARE(colorFromTColor(0xFCF2ED), QColor(237, 242, 252)); // grid background
    QCOMPARE(colorFromTColor(clRed), QColor(255, 0, 0));
    QCOMPARE(colorFromTColor(clBlue), QColor(0, 0, 255));
    QCOMPARE(colorFromTColor(clYellow), QColor(255, 255, 0));
    QCOMPARE(colorFromTColor(clFuchsia), QColor(255, 0, 255));
    QCOMPARE(colorFromTColor(0x0FDFFD), QColor(253, 223, 15));
    QCOMPARE(tColorFromColor(QColor(253, 223, 15)), TColor(0x0FDFFD));
    QCOMPARE(colorFromTColor(clNone).alpha(), 0);
    QVERIFY(!colorFromTColor(clDefault).isValid());
}

void TestPlatform::systemColoursComeFromTheTable() {
    QCOMPARE(colorFromTColor(0xFF00000A), sysColor(COLOR_ACTIVEBORDER));
    QCOMPARE(colorFromTColor(0x8000000A), sysColor(COLOR_ACTIVEBORDER)); // the other system flag
    QCOMPARE(colorFromTColor(clBtnFace), QColor(240, 240, 240));
    QCOMPARE(colorFromTColor(clHighlightText), QColor(255, 255, 255));
    QCOMPARE(sysColor(COLOR_ACTIVECAPTION), QColor(153, 180, 209));
    QCOMPARE(sysColor(COLOR_INACTIVEBORDER), QColor(244, 247, 252));
    QCOMPARE(sysColor(COLOR_3DDKSHADOW), QColor(105, 105, 105));
    QCOMPARE(sysColor(COLOR_GRADIENTACTIVECAPTION), QColor(185, 209, 234));
    QCOMPARE(sysColor(-1), QColor(0, 0, 0));
    QCOMPARE(sysColor(kSystemColorCount), QColor(0, 0, 0));
    // The table is independent of the desktop's palette.
    QVERIFY(sysColor(COLOR_WINDOW) != sysColor(COLOR_BTNFACE));
}

void TestPlatform::versionRecordOfThisExecutable() {
    const VersionRecord expected{TABULON_VER_MAJOR, TABULON_VER_MINOR, TABULON_VER_RELEASE,
                                 TABULON_VER_BUILD};
    QCOMPARE(currentVersionRecord(), expected);
    QString error;
    const auto read = readVersionRecord(QCoreApplication::applicationFilePath(), &error);
    QVERIFY2(read.has_value(), qPrintable(error));
    QCOMPARE(*read, expected);
    QCOMPARE(formatAppVersion(*read), QStringLiteral("%1.%2.%3.%4")
                                          .arg(TABULON_VER_MAJOR)
                                          .arg(TABULON_VER_MINOR)
                                          .arg(TABULON_VER_RELEASE)
                                          .arg(TABULON_VER_BUILD));
    QCOMPARE(formatFileVersion({1, 7, 2, 30}), QStringLiteral("V1.7.2 build 30"));
    QCOMPARE(formatAppVersion({1, 7, 2, 30}), QStringLiteral("1.7.2.30"));
}

void TestPlatform::versionRecordOfTheProgram() {
    // The program itself links the core library but calls nothing of the version code from
    // its entry: the build must keep the record anyway.
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/tabulon");
    if (!QFileInfo::exists(program))
        QSKIP("the program is not built next to the tests");
    const auto read = readVersionRecord(program);
    QVERIFY(read.has_value());
    QCOMPARE(*read, currentVersionRecord());
}

void TestPlatform::versionRecordMissingOrUnreadable() {
    QString error;
    QVERIFY(!readVersionRecord(m_dir.filePath(QStringLiteral("absent.exe")), &error).has_value());
    QVERIFY(!error.isEmpty());

    // A file holding only a piece of this executable without the record.
    QFile self(QCoreApplication::applicationFilePath());
    QVERIFY(self.open(QIODevice::ReadOnly));
    const QByteArray head = self.read(4096);
    const QString plain = m_dir.filePath(QStringLiteral("plain.bin"));
    QFile out(plain);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(head);
    out.close();
    error.clear();
    QVERIFY(!readVersionRecord(plain, &error).has_value());
    QVERIFY(error.contains(QStringLiteral("No version information")));
}

// Places the record of this executable around the 1 MiB chunk border of a
// synthetic file, after a decoy magic whose check word does not match.
void TestPlatform::versionRecordAcrossChunkBorder() {
    QFile self(QCoreApplication::applicationFilePath());
    QVERIFY(self.open(QIODevice::ReadOnly));
    const QByteArray all = self.readAll();
    const QByteArray record = embeddedVersionRecordBytes();
    QCOMPARE(record.size(), 26);
    const QByteArray magic = record.left(16);
    QCOMPARE(all.count(magic), qsizetype(1)); // the record only: the reader keeps no copy
    QCOMPARE(all.count(record), qsizetype(1));

    for (int shift : {-30, -20, -10, -1, 0, 5}) {
        QByteArray file(1 << 20, '\x90');
        QByteArray decoy = magic + QByteArray(10, '\x01');
        file.replace(100, decoy.size(), decoy);
        file.append(QByteArray(64, '\x90'));
        file.replace((1 << 20) + shift, record.size(), record);
        const QString path = m_dir.filePath(QStringLiteral("synthetic%1.bin").arg(shift));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(file);
        f.close();
        const auto read = readVersionRecord(path);
        QVERIFY2(read.has_value(), qPrintable(QString::number(shift)));
        QCOMPARE(*read, currentVersionRecord());
    }
}

void TestPlatform::maskParsing() {
    const EditMask m(QStringLiteral("!90:00;1;_"));
    QCOMPARE(m.length(), 5);
    QVERIFY(m.saveLiterals());
    QVERIFY(m.leadingBlanks());
    QCOMPARE(m.blank(), QChar(u'_'));
    QVERIFY(m.isLiteral(2));
    QVERIFY(!m.isRequired(0)); // 9: optional
    QVERIFY(m.isRequired(1));  // 0: required
    QVERIFY(!m.isLiteral(5));

    const EditMask escaped(QStringLiteral("\\0\\;0;0; "));
    QCOMPARE(escaped.length(), 3);
    QCOMPARE(escaped.literalAt(0), QChar(u'0'));
    QCOMPARE(escaped.literalAt(1), QChar(u';'));
    QVERIFY(!escaped.saveLiterals());
    QCOMPARE(escaped.blank(), QChar(u' '));

    const EditMask plain(QStringLiteral("0000"));
    QVERIFY(plain.saveLiterals());
    QCOMPARE(plain.blank(), QChar(u'_'));
    QVERIFY(EditMask().isEmpty());
    QCOMPARE(EditMask().displayText(QStringLiteral("abc")), QStringLiteral("abc"));
}

void TestPlatform::maskTimeHoursMinutes() {
    EditMask::setSeparators(u'.', u'-'); // a locale whose time separator is not ':'
    const EditMask m(QStringLiteral("!90:00;1;_"));
    QCOMPARE(m.literalAt(2), QChar(u'.'));
    QCOMPARE(m.displayText(QStringLiteral("07:30")), QStringLiteral("07.30"));
    QCOMPARE(m.displayText(QStringLiteral("7:30")), QStringLiteral("_7.30")); // leading blank
    QCOMPARE(m.displayText(QStringLiteral("7.30")), QStringLiteral("_7.30")); // locale form too
    QCOMPARE(m.displayText(QString()), QStringLiteral("__.__"));
    QCOMPARE(m.displayText(QStringLiteral("123:456")), QStringLiteral("12.45")); // overlong runs cut

    QVERIFY(m.isComplete(QStringLiteral("_7.30")));
    QVERIFY(!m.isComplete(QStringLiteral("07.3_")));
    QVERIFY(!m.isComplete(QStringLiteral("0x.30")));
    QCOMPARE(m.storedValue(QStringLiteral("07.30")), QStringLiteral("07:30")); // portable form
    QCOMPARE(m.storedValue(QStringLiteral("_7.30")), QStringLiteral(" 7:30"));
    QCOMPARE(m.storedValue(QStringLiteral("__.__")), QString());
    QCOMPARE(m.validate(QStringLiteral("_7.30")), QString());
    QCOMPARE(m.validate(QStringLiteral("07.__")),
             QStringLiteral("Valore non valido: completare tutti i campi richiesti"));
    QVERIFY(!m.validate(QStringLiteral("a7.30")).isEmpty());

    QVERIFY(m.accepts(0, u'5'));
    QVERIFY(!m.accepts(0, u'x'));
    QVERIFY(m.accepts(2, u'.'));
    QVERIFY(!m.accepts(2, u'5'));
    QVERIFY(!m.accepts(9, u'5'));
    EditMask::setSeparators({}, {});
}

void TestPlatform::maskDayMonth() {
    EditMask::setSeparators(u':', u'/');
    const EditMask m(QStringLiteral("!00/00;1;_"));
    QCOMPARE(m.displayText(QStringLiteral("31/12")), QStringLiteral("31/12"));
    QCOMPARE(m.displayText(QStringLiteral("1/2")), QStringLiteral("_1/_2"));
    QVERIFY(!m.isComplete(QStringLiteral("_1/_2"))); // both digits required
    QVERIFY(m.isComplete(QStringLiteral("01/02")));
    QCOMPARE(m.storedValue(QStringLiteral("01/0_")), QStringLiteral("01/0"));
    QCOMPARE(m.displayText(m.storedValue(QStringLiteral("01/0_"))), QStringLiteral("01/_0"));
    EditMask::setSeparators({}, {});
}

void TestPlatform::maskHoursMinutesSeconds() {
    EditMask::setSeparators(u':', u'/');
    const EditMask m(QStringLiteral("!99:99:99;1;_"));
    QCOMPARE(m.length(), 8);
    QCOMPARE(m.displayText(QStringLiteral("1:2:3")), QStringLiteral("_1:_2:_3"));
    QCOMPARE(m.displayText(QStringLiteral("01:02")), QStringLiteral("01:02:__"));
    QVERIFY(m.isComplete(QStringLiteral("__:__:__"))); // every position optional
    QCOMPARE(m.storedValue(QStringLiteral("__:__:__")), QString());
    QCOMPARE(m.storedValue(QStringLiteral("_1:_2:_3")), QStringLiteral(" 1: 2: 3"));
    QCOMPARE(m.storedValue(QStringLiteral("01:02:__")), QStringLiteral("01:02:"));
    EditMask::setSeparators({}, {});
}

void TestPlatform::maskUpperCaseCode() {
    const EditMask m(QStringLiteral(">AAAAAAAAAA;1;_"));
    QCOMPARE(m.length(), 10);
    QCOMPARE(m.transform(0, u'f'), QChar(u'F'));
    QVERIFY(m.accepts(3, u'9'));
    QVERIFY(!m.accepts(3, u' '));
    QVERIFY(!m.accepts(3, u'.'));
    QCOMPARE(m.displayText(QStringLiteral("ab12")), QStringLiteral("AB12______"));
    QVERIFY(!m.isComplete(QStringLiteral("AB12______")));
    QVERIFY(m.isComplete(QStringLiteral("0a1b2c3d4e")));
    QCOMPARE(m.storedValue(QStringLiteral("0a1b2c3d4e")), QStringLiteral("0A1B2C3D4E"));
    QCOMPARE(m.displayText(QStringLiteral("0A1B2C3D4E77")), QStringLiteral("0A1B2C3D4E"));

    const EditMask lower(QStringLiteral("<LL<>L;0;_"));
    QCOMPARE(lower.storedValue(QStringLiteral("ABC")), QStringLiteral("abC"));
}

void TestPlatform::maskWithoutSavedLiterals() {
    EditMask::setSeparators(u':', u'/');
    const EditMask m(QStringLiteral("!90:00;0;*"));
    QCOMPARE(m.displayText(QStringLiteral("730")), QStringLiteral("*7:30"));
    QCOMPARE(m.storedValue(QStringLiteral("*7:30")), QStringLiteral(" 730"));
    QCOMPARE(m.storedValue(QStringLiteral("17:30")), QStringLiteral("1730"));
    const EditMask phone(QStringLiteral("!#99;1;_"));
    QVERIFY(phone.accepts(0, u'+'));
    QVERIFY(!phone.accepts(1, u'+'));
    QVERIFY(phone.isComplete(QStringLiteral("+__")));
    EditMask::setSeparators({}, {});
}

namespace {
QImage paintedCell(const QSize& size, unsigned type, unsigned state) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::magenta);
    QPainter p(&img);
    drawFrameControl(p, QRect(QPoint(0, 0), size), type, state);
    p.end();
    return img;
}
} // namespace

void TestPlatform::sizeGripPaintsRidgesAtBottomRight() {
    const QImage img = paintedCell(QSize(80, 18), DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    const QColor face = sysColor(COLOR_BTNFACE);
    const QColor shadow = sysColor(COLOR_BTNSHADOW);
    const QColor light = sysColor(COLOR_BTNHIGHLIGHT);
    // Whole cell is face, except the ridges in the bottom-right 18 x 18 square.
    QCOMPARE(img.pixelColor(0, 0), face);
    QCOMPARE(img.pixelColor(40, 17), face);
    QCOMPARE(img.pixelColor(79, 0), face);  // ridges stop one pixel short of the square's edge
    QCOMPARE(img.pixelColor(79, 17), face); // the very corner is left as face
    QCOMPARE(img.pixelColor(78, 17), shadow);
    QCOMPARE(img.pixelColor(79, 16), shadow);
    QCOMPARE(img.pixelColor(77, 17), shadow);
    QCOMPARE(img.pixelColor(76, 17), light);
    QCOMPARE(img.pixelColor(77, 16), light); // same diagonal
    QCOMPARE(img.pixelColor(75, 17), face);
    QCOMPARE(img.pixelColor(74, 17), shadow); // next ridge
    int ridgePixels = 0;
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 80; ++x)
            if (img.pixelColor(x, y) != face)
                ++ridgePixels;
    QVERIFY(ridgePixels > 40);
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 62; ++x)
            QCOMPARE(img.pixelColor(x, y), face);
}

void TestPlatform::glyphsStayInsideTheirRectangle() {
    const QRect cell(5, 4, 30, 16);
    const struct {
        unsigned type, state;
    } cases[] = {
        {DFC_SCROLL, DFCS_SCROLLSIZEGRIP},
        {DFC_SCROLL, DFCS_SCROLLRIGHT},
        {DFC_SCROLL, DFCS_SCROLLUP | DFCS_INACTIVE},
        {DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_MONO},
        {DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_CHECKED},
        {DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_FLAT | DFCS_PUSHED},
        {DFC_CAPTION, DFCS_CAPTIONRESTORE},
        {DFC_BUTTON, DFCS_BUTTONPUSH},
        {DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED},
        {DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED},
        {DFC_MENU, DFCS_MENUCHECK},
    };
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
        p.end();
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (!cell.contains(x, y) && !(x == 0 && y == 0))
                    QVERIFY2(img.pixelColor(x, y) == QColor(Qt::magenta),
                             qPrintable(QStringLiteral("type %1 state %2 at %3,%4")
                                            .arg(c.type)
                                            .arg(c.state, 0, 16)
                                            .arg(x)
                                            .arg(y)));
    }

    // The cross in a disabled check-box cell: black strokes on a flat face with a black border.
    const QImage cross = paintedCell(QSize(20, 20), DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_MONO);
    QCOMPARE(cross.pixelColor(0, 0), QColor(Qt::black));
    QCOMPARE(cross.pixelColor(10, 10), QColor(Qt::black));
    QCOMPARE(cross.pixelColor(10, 2), sysColor(COLOR_BTNFACE));
    // A pushed button is sunken: its top-left ring is the shadow.
    const QImage pushed = paintedCell(QSize(20, 20), DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
    QCOMPARE(pushed.pixelColor(5, 0), sysColor(COLOR_BTNSHADOW));
    const QImage raised = paintedCell(QSize(20, 20), DFC_BUTTON, DFCS_BUTTONPUSH);
    QCOMPARE(raised.pixelColor(5, 19), sysColor(COLOR_3DDKSHADOW));
}

void TestPlatform::focusRectInvertsEveryOtherBorderPixel() {
    QImage img(20, 10, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    drawFocusRect(p, QRect(2, 2, 10, 5));
    p.end();
    QCOMPARE(img.pixelColor(2, 2), QColor(Qt::black));
    QCOMPARE(img.pixelColor(3, 2), QColor(Qt::white));
    QCOMPARE(img.pixelColor(4, 2), QColor(Qt::black));
    QCOMPARE(img.pixelColor(11, 3), QColor(Qt::black)); // right edge, 11 + 3 even
    QCOMPARE(img.pixelColor(5, 4), QColor(Qt::white));  // inside untouched
    QCOMPARE(img.pixelColor(1, 1), QColor(Qt::white));  // outside untouched

    // Drawn twice, the frame vanishes: each pixel is inverted exactly once per call.
    QPainter again(&img);
    drawFocusRect(again, QRect(2, 2, 10, 5));
    again.end();
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            QCOMPARE(img.pixelColor(x, y), QColor(Qt::white));
}

QTEST_MAIN(TestPlatform)
#include "test_platform.moc"
