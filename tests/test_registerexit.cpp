// The register when its saves fail at the end of a step: the program's exit (File > Exit, the
// window manager's close) with a disk that fails, a damaged register whose replacement fails,
// and the temporary copy a save killed at its last step leaves beside the register.

#include "model/datamodule.h"
#include "platform/dataset.h"
#include "support/failingdisk.h"
#include "support/openwindow.h"
#include "support/programdatamodule.h"
#include "support/registerbytes.h"

#include <QCloseEvent>
#include <QRegularExpression>
#include <QtTest>

#include <sys/wait.h>

namespace {

// The models of the installations a register file holds, read by a data module of its own;
// none when there is no file.
QStringList modelsInFile(const QString& path) {
    TDM reader;
    if (!QFile::exists(path))
        return {};
    reader.CDSet_Tabulon->loadFromFile(path);
    QStringList models;
    for (int r = 1; r <= reader.CDSet_Tabulon->recordCount(); ++r) {
        reader.CDSet_Tabulon->setRecNo(r);
        models << reader.CDSet_Tabulon->fieldByName(QStringLiteral("_TipoCentrale")).asString();
    }
    return models;
}

QStringList filesIn(const QString& folder) {
    QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    files.sort();
    return files;
}

const int kRetry = 0, kSaveElsewhere = 1, kLeaveUnsaved = 2, kStay = 3;

} // namespace

class TestRegisterExit : public QObject {
    Q_OBJECT
    int m_exits = 0;

    QString m_path; // the register of programWithUnsavedWork, alone in its folder

    // The program with a saved register of one MIRUN installation and a QUANE one added since.
    // The register has a folder of its own, which the failing disk is limited to (the save
    // writes an unnamed file there first).
    std::unique_ptr<OpenWindow> programWithUnsavedWork() {
        auto w = std::make_unique<OpenWindow>(2);
        TForm6::setProcessExit([this](int code) { m_exits += code == 0 ? 1 : 100; });
        const QString folder = w->registry.folder() + QStringLiteral("/data");
        m_path = folder + QStringLiteral("/KTabulon.cds");
        DATABASE = m_path;
        if (!QDir().mkpath(folder) || !DM->saveRegister())
            return nullptr;
        DM->AddDataSet(5);
        disk::onlyUnder = QFile::encodeName(folder);
        return w;
    }
    static QStringList bothModels() { return {QStringLiteral("MODEL MIRUN"), QStringLiteral("MODEL QUANE")}; }

private slots:
    void init() {
        m_exits = 0;
        disk::disarm();
        disk::killAtRename = -1;
    }
    void cleanup() { disk::disarm(); }

    // File > Exit and the window manager's close with a full disk: the question, and Escape
    // (nothing answered) keeps the program open with the work in memory; a retry once the disk
    // has room saves and ends.
    void failedSaveAtExitKeepsTheProgramOpen() {
        auto w = programWithUnsavedWork();
        QVERIFY(w);
        const QString path = m_path;
        const QByteArray saved = readAll(path);
        disk::arm(0, ENOSPC);

        w->form->Exit1->trigger();
        QCOMPARE(m_exits, 0);
        QVERIFY(DM);
        QCOMPARE(DM->CDSet_Tabulon->recordCount(), 2);
        QCOMPARE(w->boxes.count("ChoiceDlg"), 1);
        const ShownBox box = w->boxes.last();
        QCOMPARE(box.caption, QStringLiteral("Errore"));
        QVERIFY2(box.text.startsWith("Impossibile salvare l'archivio delle installazioni:"),
                 qPrintable(box.text));
        QVERIFY2(box.text.contains(QStringLiteral("Impossibile scrivere il file dell'archivio '%1': %2")
                                       .arg(path, qt_error_string(ENOSPC))),
                 qPrintable(box.text));
        QCOMPARE(box.choices,
                 (QStringList{"Riprova", "Salva in un altro file...", "Esci senza salvare", "Annulla"}));

        QCloseEvent close; // the window manager's close
        QApplication::sendEvent(w->form.get(), &close);
        QVERIFY(!close.isAccepted());
        QCOMPARE(m_exits, 0);
        QCOMPARE(readAll(path), saved);
        QCOMPARE(filesIn(QFileInfo(path).path()), QStringList{"KTabulon.cds"});

        // Retry: the disk is still full, then it has room again.
        int asked = 0;
        w->boxes.responder = [&](const ShownBox& b) -> QVariant {
            if (b.kind != QLatin1String("ChoiceDlg"))
                return {};
            if (++asked == 2)
                disk::disarm();
            return kRetry;
        };
        w->form->Exit1->trigger();
        QCOMPARE(asked, 2);
        QCOMPARE(m_exits, 1);
        QVERIFY(!DM);
        QCOMPARE(modelsInFile(path), bothModels());
    }

    // After a failed save at exit, leaving without saving is asked once more (No goes back to
    // the question); a cancelled file name asks again, and so does another file that cannot be
    // written either, the register staying where it was. At the end another file that can be
    // written keeps the work and becomes the register the next start opens; or leaving without
    // saving writes nothing and keeps the register's path.
    void failedSaveAtExitCanGoToAnotherFileOrBeLeft_data() {
        QTest::addColumn<bool>("leave");
        QTest::newRow("another file") << false;
        QTest::newRow("leaving without saving") << true;
    }
    void failedSaveAtExitCanGoToAnotherFileOrBeLeft() {
        QFETCH(bool, leave);
        auto w = programWithUnsavedWork();
        QVERIFY(w);
        const QString path = m_path, failing = QFileInfo(path).path() + QStringLiteral("/Altro.cds"),
                      other = w->registry.folder() + QStringLiteral("/Altro.cds");
        const QByteArray saved = readAll(path);
        disk::arm(0, ENOSPC, EIO);
        w->boxes.answer(kLeaveUnsaved)
            .answer(mrNo)
            .answer(kSaveElsewhere)
            .answer(kSaveElsewhere)
            .answer(kStay);
        w->boxes.answerCancel().answerText(failing);
        w->form->Exit1->trigger();
        QCOMPARE(m_exits, 0);
        QCOMPARE(DATABASE, path);
        QCOMPARE(w->boxes.shown.at(1).text,
                 QStringLiteral("Uscire senza salvare?\n"
                                "Le modifiche non salvate dell'archivio andranno perse."));
        QCOMPARE(w->boxes.count("SaveFile"), 2);
        if (leave)
            w->boxes.answer(kLeaveUnsaved).answer(mrYes);
        else
            w->boxes.answer(kSaveElsewhere).answerText(other);
        w->form->close(); // the close box
        QCOMPARE(m_exits, 1);
        QVERIFY(!DM);
        disk::disarm();
        QCOMPARE(readAll(path), saved);
        QVERIFY(!QFile::exists(failing));
        QCOMPARE(modelsInFile(other), leave ? QStringList() : bothModels());
        RegistryKey reg;
        QVERIFY(reg.openKey(kTabulonRegistryKey, false));
        QCOMPARE(reg.readString(QStringLiteral("DATABASE")), leave ? path : other);
    }

    // A damaged register whose replacement fails, as its copy is written or pushed to the disk
    // or as the new register is written: the message says which and the system's reason, the
    // damaged file stays at its place, whole, nothing else is left, and the next start reports
    // it again instead of opening an empty register without a word.
    void damagedRegisterSurvivesAFailedSaveAndARestart_data() {
        QTest::addColumn<int>("room"); // bytes the disk takes
        QTest::addColumn<int>("writeError");
        QTest::addColumn<int>("syncError");
        QTest::addColumn<bool>("copyFails"); // else the new register fails
        QTest::newRow("the disk fills with the copy") << 100000 << ENOSPC << 0 << true;
        QTest::newRow("the copy's sync fails") << 400000 << 0 << EIO << true;
        QTest::newRow("the disk fills with the new register") << 200100 << ENOSPC << 0 << false;
    }
    void damagedRegisterSurvivesAFailedSaveAndARestart() {
        QFETCH(int, room);
        QFETCH(int, writeError);
        QFETCH(int, syncError);
        QFETCH(bool, copyFails);
        TempRegistry registry;
        const QString path = registry.folder() + QStringLiteral("/KTabulon.cds");
        const QByteArray damaged = QByteArray(200000, 'x');
        writeAll(path, damaged);
        BoxAnswerer boxes;
        QVERIFY(createProgramDataModule(path));
        DM->AddDataSet(2);
        disk::onlyUnder = QFile::encodeName(registry.folder());
        disk::arm(room, writeError, syncError);
        QString error;
        QVERIFY(!DM->saveRegister(QString(), &error));
        disk::disarm();
        const QString reason = qt_error_string(writeError ? writeError : syncError);
        const QString expected =
            copyFails
                ? QStringLiteral("Impossibile copiare il file danneggiato in %1:\n%2")
                      .arg(QDir::toNativeSeparators(path + QStringLiteral(".damaged")), reason)
                : QStringLiteral("Impossibile scrivere il file dell'archivio '%1': %2").arg(path, reason);
        QVERIFY2(error.startsWith(expected), qPrintable(error));
        QCOMPARE(readAll(path), damaged);
        QCOMPARE(filesIn(registry.folder()), (QStringList{"KTabulon.cds", "registry.ini"}));
        DM->leaveWithoutSaving(); // the program ends (or is ended) without a save
        delete DM;

        boxes.clear();
        QVERIFY(createProgramDataModule(path));
        QCOMPARE(boxes.count("MessageDlg"), 1);
        QVERIFY2(boxes.last().text.contains(QDir::toNativeSeparators(path)), qPrintable(boxes.last().text));
        QVERIFY(DM->registerLoadFailed());
        delete DM;
    }

    // A save killed at its last step leaves its whole temporary file, hidden and named so
    // that a glance says what it is; the next start removes it (and one killed before its
    // header was written), and nothing that is not one: a file of that name that holds no
    // save, the name of another register, of another length or not hidden. (Copies under
    // names of a person's own: copiesOfTheRegisterAreLeftAlone.)
    void leftoverSavesAreRemovedAtTheNextStart() {
        TempRegistry registry;
        const QString folder = registry.folder();
        const QString path = folder + QStringLiteral("/KTabulon.cds");
        BoxAnswerer boxes;
        QVERIFY(createProgramDataModule(path));
        DM->AddDataSet(3);
        QVERIFY(DM->saveRegister());
        DM->AddDataSet(6);
        const pid_t child = ::fork();
        if (child == 0) {
            disk::killAtRename = 7;
            DM->saveRegister();
            ::_exit(0);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 7);
        QStringList left = filesIn(folder);
        left.removeAll("KTabulon.cds");
        left.removeAll("registry.ini");
        QCOMPARE(left.size(), 1);
        QVERIFY2(QRegularExpression(
                     QStringLiteral("^\\.KTabulon\\.cds\\.salvataggio-incompleto\\.[A-Za-z0-9]{6}$"))
                     .match(left.first())
                     .hasMatch(),
                 qPrintable(left.first()));
        const QByteArray whole = readAll(folder + QLatin1Char('/') + left.first());
        QVERIFY(whole.startsWith("TBNREG"));

        QByteArray headless = whole;
        headless.replace(0, 32, QByteArray(32, '\0'));
        writeAll(folder + QStringLiteral("/.KTabulon.cds.salvataggio-incompleto.q1W2e3"), headless);
        const QList<std::pair<QString, QByteArray>> kept{
            {"Altro.cds.Ab12Cd", whole},
            {"KTabulon.cds.backup7", whole},
            {"KTabulon.cds.Zz9Zz9", QByteArray(4096, 'z')},
            {"KTabulon.cds.a-b_c.", whole},
            {".KTabulon.cds.salvataggio-incompleto.Zz9Zz9", QByteArray(4096, 'z')},
            {".KTabulon.cds.salvataggio-incompleto.Zz9Zz", whole},
            {".KTabulon.cds.salvataggio-incompleto.Zz9Zz9Z", whole},
            {".Altro.cds.salvataggio-incompleto.Ab12Cd", whole},
            {"KTabulon.cds.salvataggio-incompleto.Ab12Cd", whole},
        };
        for (const auto& [name, bytes] : kept)
            writeAll(folder + QLatin1Char('/') + name, bytes);
        DM->leaveWithoutSaving();
        delete DM;

        QVERIFY(createProgramDataModule(path));
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(DM->CDSet_Tabulon->recordCount(), 1);
        QStringList expected{"KTabulon.cds", "registry.ini"};
        for (const auto& [name, bytes] : kept) {
            expected << name;
            QCOMPARE(readAll(folder + QLatin1Char('/') + name), bytes);
        }
        expected.sort();
        QCOMPARE(filesIn(folder), expected);
        delete DM;
    }

    // Copies a person keeps beside the register under names of their own (a word, a date, six
    // letters, six digits, one cut short), whatever they hold (a whole register, or one with
    // the blank header of a save not finished), come through a start, the main window's save
    // and File > Exit byte for byte, and nothing is added beside them.
    void copiesOfTheRegisterAreLeftAlone() {
        auto w = std::make_unique<OpenWindow>(2);
        TForm6::setProcessExit([this](int code) { m_exits += code == 0 ? 1 : 100; });
        const QString path = w->databasePath(), folder = QFileInfo(path).path();
        QVERIFY(DM->saveRegister());
        const QByteArray saved = readAll(path);
        const QByteArray unfinished = QByteArray(32, '\0') + saved.mid(32);
        const QList<std::pair<QString, QByteArray>> copies{
            {"KTabulon.cds.backup", saved},
            {"KTabulon.cds.071226", saved},
            {"KTabulon.cds.copia1", saved},
            {"KTabulon.cds.old123", saved},
            {"KTabulon.cds.broken", saved.left(saved.size() / 2)},
            {"KTabulon.cds.abcdef", unfinished},
            {"KTabulon.cds.123456", unfinished},
        };
        for (const auto& [name, bytes] : copies)
            writeAll(folder + QLatin1Char('/') + name, bytes);

        w->reopenFromFile(); // a save, and a start from the file
        QCOMPARE(w->boxes.count(), 0);
        w->form->Action20->trigger(); // SAVE
        w->form->Exit1->trigger();
        QCOMPARE(w->boxes.count(), 0);
        QCOMPARE(m_exits, 1);
        QVERIFY(!DM);
        QStringList expected{"KTabulon.cds", "registry.ini"};
        for (const auto& [name, bytes] : copies) {
            expected << name;
            QCOMPARE(readAll(folder + QLatin1Char('/') + name), bytes);
        }
        expected.sort();
        QCOMPARE(filesIn(folder), expected);
    }
};

QTEST_MAIN(TestRegisterExit)
#include "test_registerexit.moc"
