// The register file: round trips, refusal of other data models and of damaged files (the
// tables in memory stay as they were), and saves that fail without harming the old file.

#include "platform/dataset.h"
#include "support/registerbytes.h"
#include "support/tablerows.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <limits>

namespace {

// root (every field type) > Mid > Leaf, plus a second detail of the root.
struct Register {
    DataSet root{QStringLiteral("CDSet_Tabulon")};
    DataSet mid{QStringLiteral("CDSet_Time_Day")};
    DataSet leaf{QStringLiteral("CDSet_Time_Timers")};
    DataSet side{QStringLiteral("CDSet_Phone")};

    explicit Register(bool otherModel = false) {
        root.addField("_NomeCliente", FieldType::String, otherModel ? 41 : 40);
        root.addField("_IDCentrale", FieldType::Integer);
        root.addField("_Flag", FieldType::Boolean);
        root.addField("_Ratio", FieldType::Float);
        root.addField("_When", FieldType::DateTime);
        root.addField("_Nota", FieldType::Memo);
        root.addNestedField("_Days", mid);
        root.addNestedField("_Phones", side);
        mid.addField("_ID", FieldType::Integer);
        mid.addField("_Nome", FieldType::String, 16);
        mid.addNestedField("_Timers", leaf);
        leaf.addField("_ID", FieldType::Integer);
        leaf.addField("_Ora", FieldType::String, 5);
        leaf.addField("_On", FieldType::Boolean);
        side.addField("_Tel", FieldType::String, 20);
        root.open();
    }

    void fill(int installations, int seed = 1) {
        for (int i = 0; i < installations; ++i) {
            root.append();
            const QVariantList values{QStringLiteral("Cliente %1 àèì €").arg(i * seed),
                                      i == 0 ? std::numeric_limits<int>::min() : i,
                                      i % 3 ? QVariant(i % 2 == 1) : QVariant(),
                                      i == 1 ? 1e300 : i / 7.0,
                                      i == 2 ? QVariant()
                                             : QVariant(QDateTime(QDate(1999 + i, 1 + i % 12, 1 + i % 28),
                                                                  QTime(i % 24, 7, 9, 125))),
                                      i == 0 ? QString(70000, QChar(0x263A)) : QString()};
            for (int f = 0; f < values.size(); ++f)
                root.field(f).setValue(values[f]);
            for (int m = 0; m < 2 + i % 2; ++m) {
                addRow(mid, {m + 1, m % 2 ? "Lunedi" : "Martedi"});
                for (int l = 0; l < m + 1; ++l)
                    addRow(leaf, {l, QStringLiteral("%1:00").arg(l, 2, 10, QChar('0')), l % 2 == 1});
            }
            if (i % 2)
                addRow(side, {"0123456"});
            root.post();
        }
    }
};

// Every row of `t` and, indented under it, its nested rows: what a register holds.
QStringList dump(DataSet& t, int depth = 0) {
    QStringList out;
    for (t.first(); !t.eof(); t.next()) {
        QString line(depth * 2, QChar(' '));
        for (Field* f : t.fields())
            if (f->dataType() != FieldType::Nested)
                line += (f->isNull() ? QStringLiteral("<null>") : f->asString()) + QLatin1Char('|');
        out << line;
        for (Field* f : t.fields())
            if (f->nestedDataSet())
                out << dump(*f->nestedDataSet(), depth + 1);
    }
    return out << QStringLiteral("%1 end %2").arg(QString(depth * 2, QChar(' ')), t.name());
}

// Loading `path` must fail (with `reason` in the message) and leave the tables as they were.
bool refusedUntouched(DataSet& root, const QString& path, const QString& reason = QString()) {
    const QStringList before = dump(root);
    try {
        root.loadFromFile(path);
    } catch (const DataSetError& e) {
        return e.message().contains(reason) && dump(root) == before;
    }
    return false;
}

} // namespace

class TestRegisterFile : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void roundTripKeepsEveryValue() {
        const QString path = m_dir.filePath("round.cds");
        Register a;
        a.fill(7);
        // A pending insert is not part of the register.
        a.root.last();
        const QStringList expected = dump(a.root);
        a.root.append();
        a.root.fieldByName("_NomeCliente").setAsString("not yet posted");
        a.root.saveToFile(path);
        a.root.cancel();

        Register b;
        b.fill(2, 5);
        b.mid.next();
        b.root.loadFromFile(path);
        QCOMPARE(b.root.recNo(), 1);
        QCOMPARE(b.mid.recNo(), 1);
        QCOMPARE(dump(b.root), expected);
        // The shown text rounds these; the values themselves must come back whole.
        b.root.setRecNo(2);
        QCOMPARE(b.root.fieldByName("_Ratio").asFloat(), 1e300);
        QCOMPARE(b.root.fieldByName("_When").asDateTime(), QDateTime(QDate(2000, 2, 2), QTime(1, 7, 9, 125)));

        // Loading into a closed table opens it; saving again gives the same bytes.
        Register c;
        c.root.close();
        c.root.loadFromFile(path);
        QVERIFY(c.leaf.active());
        QCOMPARE(dump(c.root), expected);
        const QString again = m_dir.filePath("again.cds");
        c.root.saveToFile(again);
        QCOMPARE(readAll(again), readAll(path));

        // An empty register survives too.
        Register e;
        e.root.saveToFile(again);
        c.root.loadFromFile(again);
        QCOMPARE(c.root.recordCount(), 0);
        QVERIFY_THROWS_EXCEPTION(DataSetError, c.mid.saveToFile(again)); // a detail is no register
    }

    // The file holds the texts the saved rows use, each once, and none that edits, deletions,
    // cancelled inserts or refused loads left behind in memory.
    void fileHoldsTheTextsInUse() {
        const QString path = m_dir.filePath("texts.cds");
        Register r;
        r.fill(3);
        auto name = [&](int recNo, const QString& text, bool post = true) {
            r.root.setRecNo(recNo);
            r.root.edit();
            r.root.fieldByName("_NomeCliente").setAsString(text);
            post ? r.root.post() : r.root.cancel();
        };
        name(1, "Rinominato");
        name(2, "Annullato", false);
        name(3, "Condiviso");
        r.root.append();
        r.root.fieldByName("_NomeCliente").setAsString("Condiviso"); // a second row with it
        r.root.post();
        r.root.append();
        r.root.fieldByName("_NomeCliente").setAsString("Mai salvato");
        r.root.cancel();
        r.root.append();
        r.root.fieldByName("_NomeCliente").setAsString("Cancellato");
        r.root.post();
        r.root.deleteRecord();
        r.root.last();
        r.root.deleteRecord(); // one of the two "Condiviso" rows
        Register other;
        other.fill(1, 77);
        other.root.first();
        other.root.edit();
        other.root.fieldByName("_NomeCliente").setAsString("Straniero");
        other.root.post();
        other.root.saveToFile(path);
        QByteArray refused = readAll(path);
        refused[refused.indexOf("Straniero")] = 's'; // refused at the end, by its checksum
        writeAll(path, refused);
        QVERIFY_THROWS_EXCEPTION(DataSetError, r.root.loadFromFile(path));
        r.root.saveToFile(path);
        const QByteArray bytes = readAll(path);
        for (const char* kept : {"Rinominato", "Condiviso", "Cliente 1 "})
            QCOMPARE(bytes.count(kept), qsizetype(1));
        for (const char* gone :
             {"Cliente 0 ", "Cliente 2 ", "Annullato", "Mai salvato", "Cancellato", "straniero"})
            QVERIFY2(!bytes.contains(gone), gone);
        Register back;
        back.root.loadFromFile(path);
        QCOMPARE(dump(back.root), dump(r.root));
        back.root.saveToFile(m_dir.filePath("again.cds")); // loaded texts count as used too
        QCOMPARE(readAll(m_dir.filePath("again.cds")), bytes);
    }

    void foreignModelIsRefused() {
        const QString path = m_dir.filePath("foreign.cds");
        Register other(true);
        other.fill(2);
        other.root.saveToFile(path);

        Register mine;
        mine.fill(3);
        QVERIFY(refusedUntouched(mine.root, path, "non corrisponde"));
        // A register whose tables nest differently is another model as well.
        DataSet flat("CDSet_Tabulon");
        flat.addField("_NomeCliente", FieldType::String, 40);
        flat.open();
        QVERIFY_THROWS_EXCEPTION(DataSetError, flat.loadFromFile(path));
    }

    void damagedFilesAreRefused() {
        const QString good = m_dir.filePath("good.cds");
        const QString bad = m_dir.filePath("bad.cds");
        Register src;
        src.fill(4);
        src.root.saveToFile(good);
        const QByteArray bytes = readAll(good);

        Register mine;
        mine.fill(2, 3);
        QList<QByteArray> damaged{bytes + QByteArray(3, '\0'), bytes.left(bytes.size() - 9)};
        resealHeader(damaged.last()); // a consistent header over a cut payload
        for (qsizetype cut :
             {qsizetype(0), qsizetype(7), qsizetype(31), qsizetype(32), bytes.size() / 2, bytes.size() - 1})
            damaged << bytes.left(cut);
        for (qsizetype at : {qsizetype(3), qsizetype(9), qsizetype(20), qsizetype(40), bytes.size() - 5})
            damaged << QByteArray(bytes).replace(at, 1, QByteArray(1, char(bytes[at] ^ 0x10)));
        for (int k = 0; k < damaged.size(); ++k) {
            writeAll(bad, damaged[k]);
            QVERIFY2(refusedUntouched(mine.root, bad), qPrintable(QString::number(k)));
        }
        QVERIFY(refusedUntouched(mine.root, m_dir.filePath("missing.cds")));
        // Any change to the header behind its magic is caught by the header's own checksum,
        // before its version, size or payload checksum is believed.
        for (qsizetype at = 8; at < 32; ++at) {
            writeAll(bad, QByteArray(bytes).replace(at, 1, QByteArray(1, char(bytes[at] ^ 0x01))));
            QVERIFY2(refusedUntouched(mine.root, bad, "(checksum dell'intestazione)"),
                     qPrintable(QString::number(at)));
        }
        // A whole header of a format version or with flags this program does not know: the
        // refusal names which.
        for (const auto& [at, said] : {std::pair{8, "nel formato 2,"}, std::pair{12, "(flag 1)"}}) {
            QByteArray other = bytes;
            other[at] = char(other[at] + 1);
            resealHeader(other);
            writeAll(bad, other);
            QVERIFY2(refusedUntouched(mine.root, bad, said), said);
        }
        mine.root.loadFromFile(good); // and the intact file still loads
        QCOMPARE(mine.root.recordCount(), 4);
    }

    // Null bits that name no field, or a nested table (whose rows always follow), are refused
    // as such, in a row without details and in a row with them.
    void strayNullBitsAreRefused_data() {
        QTest::addColumn<int>("fromEnd"); // the null bits' byte, counted from the file's end
        QTest::addColumn<int>("bits");
        // The file ends with the timer's row (bits, _ID, _Ora, _On: 10 bytes) and the root's
        // empty list of phones (4 bytes); before the timer's list (4 bytes), the day's _ID and
        // _Nome (8 bytes) and the day's bits.
        constexpr int timer = 4 + 10, day = timer + 4 + 8 + 1;
        QTest::newRow("past the fields of a row without details") << timer << 0x08;
        QTest::newRow("last bit of a row without details") << timer << 0x80;
        QTest::newRow("past the fields of a row with details") << day << 0x10;
        QTest::newRow("a nested table's bit") << day << 0x04;
    }
    void strayNullBitsAreRefused() {
        QFETCH(int, fromEnd);
        QFETCH(int, bits);
        const QString path = m_dir.filePath("bits.cds");
        Register src;
        src.root.append();
        src.root.fieldByName("_NomeCliente").setAsString("Rossi");
        addRow(src.mid, {1, "Lunedi"});
        addRow(src.leaf, {1, "01:00", true});
        src.root.post();
        src.root.saveToFile(path);
        QByteArray bytes = readAll(path);
        const qsizetype at = bytes.size() - fromEnd;
        QCOMPARE(int(bytes[at]), fromEnd > 14 ? 0x03 : 0x07); // the byte holds the row's bits

        Register mine;
        mine.fill(2);
        bytes[at] = char(bytes[at] | bits);
        resealHeader(bytes);
        writeAll(path, bytes);
        QVERIFY(refusedUntouched(mine.root, path, "(bit dei valori nulli fuori posto)"));
    }

    void randomBytesNeverCrash() {
        const QString good = m_dir.filePath("seed.cds");
        const QString path = m_dir.filePath("fuzz.cds");
        Register src;
        src.fill(3);
        src.root.first();
        src.root.edit();
        src.root.fieldByName("_Nota").setAsString("short"); // keeps every round small
        src.root.post();
        src.root.saveToFile(good);
        const QByteArray seed = readAll(good);

        // Every refused file must leave the tables holding the intact register.
        Register mine;
        mine.root.loadFromFile(good);
        const QStringList intact = dump(mine.root);
        QRandomGenerator rng(20240611);
        int loaded = 0;
        QElapsedTimer clock;
        clock.start();
        for (int round = 0; round < 3000; ++round) {
            QByteArray file;
            const int kind = round % 4;
            if (kind == 0) { // noise behind a plausible header
                file = seed.left(32) + QByteArray(int(rng.bounded(400)), '\0');
                for (qsizetype i = 32; i < file.size(); ++i)
                    file[i] = char(rng.bounded(256));
            } else { // a real register with a few bytes changed, set to 0xFF (large counts) or dropped
                file = seed;
                for (int e = 1 + int(rng.bounded(4)); e > 0; --e) {
                    const qsizetype at = 32 + qsizetype(rng.bounded(quint32(file.size() - 32)));
                    if (kind == 2)
                        file.remove(at, 1 + qsizetype(rng.bounded(8)));
                    else
                        file[at] = char(kind == 1 ? rng.bounded(256) : 0xFF);
                }
            }
            if (round % 8 != 7)
                resealHeader(file);
            writeAll(path, file);
            try {
                mine.root.loadFromFile(path);
                ++loaded;
                mine.root.loadFromFile(good);
            } catch (const DataSetError&) {
                if (round % 50 == 0)
                    QCOMPARE(dump(mine.root), intact);
            }
        }
        qInfo("%d of 3000 mutated files were still valid registers; %lld ms", loaded,
              qint64(clock.elapsed()));
    }

    void failedSaveKeepsTheOldFile() {
        const QString path = m_dir.filePath("keep.cds");
        Register a;
        a.fill(3);
        a.root.saveToFile(path);
        const QByteArray old = readAll(path);

        // A table that cannot be written fails before the old file is touched.
        DataSet root("CDSet_Tabulon");
        DataSet empty("Empty");
        root.addField("_NomeCliente", FieldType::String, 40);
        root.addNestedField("_Empty", empty);
        root.open();
        QVERIFY_THROWS_EXCEPTION(DataSetError, root.saveToFile(path));
        QCOMPARE(readAll(path), old);
        for (const QString& f : QDir(m_dir.path()).entryList(QDir::Files)) // no temporary files left
            QVERIFY2(f.endsWith(".cds"), qPrintable(f));
    }
};

QTEST_GUILESS_MAIN(TestRegisterFile)
#include "test_registerfile.moc"
