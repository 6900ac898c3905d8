// The platform stand-ins: registry key, message and input boxes, colours, frame-control
// glyphs, the executable's version record and edit masks.

#include "platform/dialogs.h"
#include "platform/registrykey.h"

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

    // Message and input boxes
    void answererRecordsAndAnswersInOrder();
    void answererDefaultsToFirstButton();
    void inputBoxCancelReturnsPreset();
    void answerersNest();
    void fileFiltersConvertToQtNotation();
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

QTEST_MAIN(TestPlatform)
#include "test_platform.moc"
