// The register file when the system fails it: a disk that fills up or fails at any byte of a
// save (the last ones included), a file that wants more memory than there is, files that
// claim more rows than their tables can hold, texts of refused files, and the files' mode.
//
// The disk failures are real failures of the write and fsync calls (support/failingdisk.h),
// armed for the length of one save.

#include "platform/dataset.h"
#include "platform/datasetprivate.h"
#include "support/failingdisk.h"
#include "support/registerbytes.h"
#include "support/tablerows.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

// AddressSanitizer (GCC says so with __SANITIZE_ADDRESS__, Clang with __has_feature).
#if defined(__SANITIZE_ADDRESS__)
#define TABULON_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TABULON_ASAN 1
#endif
#endif

namespace {

struct Register {
    DataSet root{QStringLiteral("CDSet_Tabulon")};
    DataSet day{QStringLiteral("CDSet_Time_Day")};
    DataSet timer{QStringLiteral("CDSet_Time_Timers")};
    Register() {
        root.addField("_NomeCliente", FieldType::String, 40);
        root.addField("_IDCentrale", FieldType::Integer);
        root.addNestedField("_Days", day);
        day.addField("_ID", FieldType::Integer);
        day.addField("_Nome", FieldType::String, 30);
        day.addNestedField("_Timers", timer);
        timer.addField("_ID", FieldType::Integer);
        timer.addField("_Ora", FieldType::String, 5);
        root.open();
    }
    // Every installation and day gets names of its own, so the texts are many.
    void fill(int installations, int days = 3, int timers = 2) {
        for (int i = 0; i < installations; ++i) {
            addRow(root, {QStringLiteral("Cliente %1").arg(i), i});
            for (int d = 1; d <= days; ++d) {
                addRow(day, {d, QStringLiteral("Giorno %1.%2").arg(i).arg(d)});
                for (int t = 1; t <= timers; ++t)
                    addRow(timer, {t, QStringLiteral("%1:00").arg(t, 2, 10, QChar('0'))});
            }
        }
    }
    QStringList dump() {
        QStringList out;
        for (root.first(); !root.eof(); root.next()) {
            out << root.field(0).asString();
            for (day.first(); !day.eof(); day.next())
                out << day.field(1).asString() + QString::number(timer.recordCount());
        }
        return out;
    }
    qint64 rowsInMemory() const {
        return root.d_func()->schema->liveRows + day.d_func()->schema->liveRows +
               timer.d_func()->schema->liveRows;
    }
};

int modeOf(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

long statusKb(const char* key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qsizetype(std::strlen(key))).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Starts a new peak of the resident memory: VmHWM counts from now on.
bool resetPeakMemory() {
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    return f.open(QIODevice::WriteOnly) && f.write("5") == 1;
}

} // namespace

class TestRegisterFaults : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    // Counted from the end of everything a save writes: the 32-byte header goes last, at
    // offset 0, when the rest is on the disk.
    void failingDiskKeepsTheOldFile_data() {
        QTest::addColumn<int>("roomFromEnd"); // < 0: the disk takes all but this many bytes
        QTest::addColumn<int>("writeError");
        QTest::addColumn<int>("syncError");
        QTest::addColumn<int>("renameError"); // of the rename that puts the new file in place
        QTest::newRow("last byte of the header") << 1 << ENOSPC << 0 << 0;
        QTest::newRow("the whole header") << 32 << EIO << 0 << 0;
        QTest::newRow("half the rows") << 40000 << EDQUOT << 0 << 0;
        QTest::newRow("all but the first bytes") << -10 << ENOSPC << 0 << 0;
        QTest::newRow("every write, then the sync") << 0 << 0 << EIO << 0;
        QTest::newRow("every write and the sync, then the rename") << 0 << 0 << 0 << EACCES;
    }
    void failingDiskKeepsTheOldFile() {
        QFETCH(int, roomFromEnd);
        QFETCH(int, writeError);
        QFETCH(int, syncError);
        QFETCH(int, renameError);
        const QString path = m_dir.filePath("keep.cds");
        Register old;
        old.fill(3);
        old.root.saveToFile(path);
        const QByteArray before = readAll(path);

        Register now;
        now.fill(400);
        const QString probe = m_dir.filePath("probe.cds");
        now.root.saveToFile(probe);
        const qint64 written = QFileInfo(probe).size() + 32; // the header's place is written twice
        QFile::remove(probe);

        disk::arm(roomFromEnd < 0 ? -roomFromEnd : written - roomFromEnd, writeError, syncError, renameError);
        QString message;
        try {
            now.root.saveToFile(path);
        } catch (const DataSetError& e) {
            message = e.message();
        }
        disk::disarm();
        QVERIFY2(disk::refusals > 0, "the fault was never reached");
        QVERIFY2(!message.isEmpty(), "a failed save said it succeeded");
        // The message names the file and the system's reason.
        QVERIFY2(message.contains(path), qPrintable(message));
        QVERIFY2(message.contains(qt_error_string(renameError ? renameError
                                                  : syncError ? syncError
                                                              : writeError)),
                 qPrintable(message));
        QVERIFY(!message.contains("Unknown error"));
        QCOMPARE(readAll(path), before);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"keep.cds"}); // no leftovers
        Register reread;
        reread.root.loadFromFile(path);
        QCOMPARE(reread.dump(), old.dump());
    }

    // A file refused at its very end (the checksum, or damage under a checksum that fits)
    // leaves the register whole and keeps nothing it read, neither rows nor texts. Over a
    // register of some size a good file's rows replace the old ones once the file is proved
    // good; a small one is built beside them.
    void refusedFileKeepsTheRegisterWhole() {
        const QString path = m_dir.filePath("large.cds");
        const QString bad = m_dir.filePath("large-bad.cds");
        Register big;
        big.fill(1300, 8, 12); // texts the register in memory does not have
        big.root.saveToFile(path);
        Register mine;
        mine.fill(1200, 8, 12); // 126,000 rows, 5 MB: more than a load builds beside the old ones
        const QStringList intact = mine.dump();
        const qint64 rows = mine.rowsInMemory();
        const int texts = mine.root.textCount() + mine.day.textCount() + mine.timer.textCount();
        const QByteArray bytes = readAll(path);
        const qsizetype lastId = bytes.size() - 8; // the last timer's _ID, before its text number
        const struct {
            qsizetype at;
            char value;
            const char* why;
        } damage[] = {{lastId, char(bytes[lastId] ^ 0x01), "(checksum dei dati)"},
                      {bytes.size() - 4, '\xFF', "(numero di testo non valido)"},
                      {bytes.size() - 9, '\xFF', "(bit dei valori nulli fuori posto)"}};
        for (const auto& d : damage) {
            QByteArray damaged = bytes;
            damaged[d.at] = d.value;
            if (d.at != lastId)
                resealHeader(damaged);
            writeAll(bad, damaged);
            try {
                mine.root.loadFromFile(bad);
                QFAIL("a damaged file was loaded");
            } catch (const DataSetError& e) {
                QVERIFY2(e.message().contains(d.why), qPrintable(e.message()));
            }
            QCOMPARE(mine.dump(), intact);
            QCOMPARE(mine.root.textCount() + mine.day.textCount() + mine.timer.textCount(), texts);
            QCOMPARE(mine.rowsInMemory(), rows);
        }
        mine.root.loadFromFile(path); // the old rows go first
        QCOMPARE(mine.dump(), big.dump());
        Register other;
        other.fill(3);
        const QString small = m_dir.filePath("small.cds");
        other.root.saveToFile(small);
        mine.root.loadFromFile(small);
        QCOMPARE(mine.dump(), other.dump());
        QCOMPARE(mine.rowsInMemory(), other.rowsInMemory());
        mine.root.loadFromFile(path); // the large one back, over the small one
        mine.root.loadFromFile(path); // and over itself
        QCOMPARE(mine.dump(), big.dump());
        QCOMPARE(mine.rowsInMemory(), big.rowsInMemory());
    }

    // A file of millions of empty rows wants far more memory than it has bytes: running out
    // is an error like any other, and the register stays as it was.
    void runningOutOfMemoryIsAnError() {
#ifdef TABULON_ASAN
        QSKIP("AddressSanitizer reserves its shadow memory up front and does not keep its heap under "
              "RLIMIT_AS: the address-space limit this test sets cannot make an allocation fail");
#endif
        const QString path = m_dir.filePath("huge.cds");
        DataSet flat("CDSet_Tabulon");
        flat.addField("_IDCentrale", FieldType::Integer);
        flat.open();
        flat.saveToFile(path);
        QByteArray bytes = readAll(path); // ends with the root's row count, 0
        const quint32 rows = 4000000;     // one null-bits byte each
        std::memcpy(bytes.data() + bytes.size() - 4, &rows, 4);
        bytes.append(QByteArray(rows, '\0'));
        resealHeader(bytes);
        writeAll(path, bytes);
        addRow(flat, {7});

        const long kb = statusKb("VmSize:");
        QVERIFY(kb > 0);
        rlimit before{};
        QCOMPARE(getrlimit(RLIMIT_AS, &before), 0);
        rlimit tight = before;
        tight.rlim_cur = rlim_t(kb + 48 * 1024) * 1024; // far less than four million rows take
        QCOMPARE(setrlimit(RLIMIT_AS, &tight), 0);
        QString message;
        try {
            flat.loadFromFile(path);
        } catch (const DataSetError& e) {
            message = e.message();
        }
        setrlimit(RLIMIT_AS, &before);
        QVERIFY2(message.contains("memoria", Qt::CaseInsensitive), qPrintable(message));
        QCOMPARE(flat.recordCount(), 1);
        QCOMPARE(flat.field(0).asInteger(), 7);
        QCOMPARE(flat.d_func()->schema->liveRows, 1);
        flat.loadFromFile(path); // with the memory it needs, the same file loads
        QCOMPARE(flat.recordCount(), int(rows));
    }

    // A valid file of millions of empty rows asks for far more memory than it has bytes: it is
    // refused from its counts, before a row is built, and memory stays low while it is read.
    void fileThatWouldNeedTooMuchMemoryIsRefused() {
        const QString path = m_dir.filePath("dense.cds");
        DataSet root("CDSet_Tabulon");
        DataSet log("CDSet_Log");
        root.addField("_ID", FieldType::Integer);
        root.addNestedField("_Log", log);
        for (int k = 1; k <= 20; ++k)
            log.addField(QStringLiteral("_V%1").arg(k), FieldType::Integer);
        root.open();
        addRow(root, {1});
        root.saveToFile(path);
        QByteArray bytes = readAll(path); // ends with the one installation's log row count, 0
        const quint32 rows = 4000000;     // three null-bits bytes each, a hundred bytes in memory
        std::memcpy(bytes.data() + bytes.size() - 4, &rows, 4);
        bytes.append(QByteArray(qsizetype(rows) * 3, '\0'));
        resealHeader(bytes);
        writeAll(path, bytes);
        bytes.clear();
        bytes.squeeze();

        QVERIFY(resetPeakMemory());
        const long before = statusKb("VmHWM:");
        QString message;
        try {
            root.loadFromFile(path);
        } catch (const DataSetError& e) {
            message = e.message();
        }
        const long grown = statusKb("VmHWM:") - before;
        QVERIFY2(message.contains("memoria", Qt::CaseInsensitive), qPrintable(message));
        QVERIFY2(grown < 32 * 1024, qPrintable(QStringLiteral("%1 kB more while reading").arg(grown)));
        QCOMPARE(root.recordCount(), 1);
        QCOMPARE(log.recordCount(), 0);

        // A register of real rows, with values, is far from the bound.
        root.edit();
        for (int r = 0; r < 20000; ++r) {
            log.append();
            for (int k = 0; k < 20; ++k)
                log.field(k).setAsInteger(r + k);
            log.post();
        }
        root.post();
        root.saveToFile(path);
        root.loadFromFile(path);
        QCOMPARE(log.recordCount(), 20000);
    }

    // The register holds access codes: a new file is its owner's alone; a file that exists
    // keeps the mode its owner gave it.
    void registerFilesArePrivate() {
        const QString path = m_dir.filePath("mode.cds");
        QFile::remove(path);
        Register r;
        r.fill(1);
        r.root.saveToFile(path);
        QCOMPARE(modeOf(path), 0600);
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0640) == 0);
        r.root.saveToFile(path);
        QCOMPARE(modeOf(path), 0640);
    }

    // A folder or a pipe where the register should be: refused without waiting and left alone.
    void onlyRegularFilesAreRegisters() {
        const QString pipe = m_dir.filePath("pipe.cds");
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        Register r;
        r.fill(1);
        for (const QString& path : {pipe, m_dir.path()}) {
            QVERIFY_THROWS_EXCEPTION(DataSetError, r.root.loadFromFile(path));
            QVERIFY_THROWS_EXCEPTION(DataSetError, r.root.saveToFile(path));
            QCOMPARE(r.root.recordCount(), 1);
        }
        QVERIFY(QFileInfo(pipe).exists() && !QFileInfo(pipe).isFile());
    }
};

QTEST_GUILESS_MAIN(TestRegisterFaults)
#include "test_registerfaults.moc"
