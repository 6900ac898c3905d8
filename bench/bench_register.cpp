// Times saving and loading a register shaped like a full one: 500 installations, a root of
// 60 fields, 36 nested tables of 25 fields on three levels, about 1,500 rows per
// installation, texts mostly repeated defaults with some unique names.
//
//   bench_register [installations] [file]

#include "platform/dataset.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

struct Table {
    std::unique_ptr<DataSet> ds;
    int rowsPerMaster = 0;
    std::vector<Table*> details;
};

long statusKb(const char* key) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray k(key);
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(k))
            return line.mid(k.size()).trimmed().split(' ').value(0).toLong();
    return -1;
}
long peakRssKb() {
    return statusKb("VmHWM:");
}
long rssKb() {
    return statusKb("VmRSS:");
}

// Starts a new peak: VmHWM then counts from the current RSS (Linux 4.0 and later).
void resetPeak() {
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

// The floor of what the register file costs: reading its bytes (from the page cache, as a
// load right after a save does) and writing as many bytes with a sync, as a save does.
qint64 rawReadUs(const QString& path) {
    QElapsedTimer clock;
    clock.start();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    std::vector<char> chunk(size_t(1) << 20);
    while (f.read(chunk.data(), qint64(chunk.size())) > 0) {
    }
    return clock.nsecsElapsed() / 1000;
}

qint64 rawWriteUs(const QString& from, const QString& to) {
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return -1;
    const qint64 total = in.size();
    const QByteArray chunk = in.read(qint64(4) << 20);
    QElapsedTimer clock;
    clock.start();
    QFile out(to);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return -1;
    for (qint64 left = total; left > 0; left -= chunk.size())
        out.write(chunk.constData(), std::min<qint64>(left, chunk.size()));
    out.flush();
    ::fsync(out.handle());
    out.close();
    const qint64 us = clock.nsecsElapsed() / 1000;
    QFile::remove(to);
    return us;
}

void addMixedFields(DataSet& t, int count) {
    t.addField(QStringLiteral("_ID"), FieldType::Integer);
    t.addField(QStringLiteral("_Nome"), FieldType::String, 16);
    for (int k = 2; k < count; ++k) {
        const QString name = QStringLiteral("_F%1").arg(k);
        switch (k % 6) {
        case 0:
            t.addField(name, FieldType::String, 10);
            break;
        case 1:
        case 4:
            t.addField(name, FieldType::Integer);
            break;
        case 2:
            t.addField(name, FieldType::Boolean);
            break;
        case 3:
            t.addField(name, FieldType::String, 30);
            break;
        case 5:
            t.addField(name, k % 12 == 5 ? FieldType::DateTime : FieldType::Float);
            break;
        }
    }
}

void fillRow(DataSet& t, int id, int installation) {
    const auto& fields = t.fields();
    fields[0]->setAsInteger(id);
    fields[1]->setAsString(QStringLiteral("%1 %2").arg(t.name().mid(5, 6)).arg(id));
    for (size_t k = 2; k < fields.size(); ++k) {
        Field* f = fields[k];
        switch (f->dataType()) {
        case FieldType::String:
            if (f->size() == 10)
                f->setAsString((id + int(k)) % 3 ? QStringLiteral("OFF") : QStringLiteral("ON"));
            else if (k == 3 && id % 16 == 0)
                f->setAsString(QStringLiteral("Sig. Rossi %1-%2").arg(installation).arg(id)); // unique
            else
                f->setAsString(QStringLiteral("NON ASSEGNATO"));
            break;
        case FieldType::Integer:
            f->setAsInteger(int(k) * id % 97);
            break;
        case FieldType::Boolean:
            f->setAsBoolean((id + int(k)) % 2);
            break;
        case FieldType::Float:
            f->setAsFloat(id * 0.25);
            break;
        case FieldType::DateTime:
            if (id % 4 == 0)
                f->setAsDateTime(QDateTime(QDate(2024, 1 + id % 12, 1 + id % 28), QTime(id % 24, 0)));
            break;
        default:
            break;
        }
    }
}

void fillDetails(Table& t, int installation) {
    for (Table* d : t.details) {
        for (int r = 1; r <= d->rowsPerMaster; ++r) {
            d->ds->append();
            fillRow(*d->ds, r, installation);
            d->ds->post();
            fillDetails(*d, installation);
        }
    }
}

qint64 countRows(DataSet& t) {
    qint64 n = 0;
    t.first();
    while (!t.eof()) {
        ++n;
        for (Field* f : t.fields())
            if (DataSet* d = f->nestedDataSet())
                n += countRows(*d);
        t.next();
    }
    return n;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int installations = argc > 1 ? std::max(1, atoi(argv[1])) : 500;
    const QString path =
        argc > 2 ? QString::fromLocal8Bit(argv[2]) : QDir::temp().filePath("bench_register.cds");

    std::vector<std::unique_ptr<Table>> all;
    auto make = [&](const QString& name, int rows) {
        all.push_back(std::make_unique<Table>());
        Table* t = all.back().get();
        t->ds = std::make_unique<DataSet>(name);
        t->rowsPerMaster = rows;
        return t;
    };
    Table* root = make(QStringLiteral("CDSet_Tabulon"), 0);
    // Level 1: 30 tables; three of them carry deeper levels like the scheduler does.
    const int level1Rows[30] = {7,  4,   8, 64, 187, 32, 4,  4, 8, 1, 2, 2, 1, 1, 4,
                                64, 112, 1, 8,  15,  23, 92, 8, 8, 1, 1, 2, 2, 1, 1};
    for (int i = 0; i < 30; ++i)
        root->details.push_back(make(QStringLiteral("CDSet_T%1").arg(i, 2, 10, QChar('0')), level1Rows[i]));
    Table* timers = make(QStringLiteral("CDSet_Time_Timers"), 4);
    root->details[0]->details.push_back(timers);
    root->details[1]->details.push_back(make(QStringLiteral("CDSet_Leds"), 4));
    root->details[2]->details.push_back(make(QStringLiteral("CDSet_InLink"), 2));
    timers->details.push_back(make(QStringLiteral("CDSet_Time_Utenti"), 32));
    timers->details.push_back(make(QStringLiteral("CDSet_Time_Parziali"), 4));
    timers->details.push_back(make(QStringLiteral("CDSet_Time_Uscite"), 8));

    // Fields, then nesting: every table gets its fields before it is nested.
    addMixedFields(*root->ds, 60);
    for (auto& t : all)
        if (t.get() != root)
            addMixedFields(*t->ds, 25);
    for (auto& t : all)
        for (Table* d : t->details)
            t->ds->addNestedField(QStringLiteral("_N_") + d->ds->name(), *d->ds);
    root->ds->open();

    const long startKb = rssKb();
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < installations; ++i) {
        DataSet& r = *root->ds;
        r.append();
        fillRow(r, i + 1, i);
        r.fieldByName("_Nome").setAsString(QStringLiteral("Cliente %1").arg(i)); // unique
        fillDetails(*root, i);
        r.post();
    }
    const qint64 buildMs = clock.elapsed();
    const qint64 rows = countRows(*root->ds);
    const long builtKb = rssKb(), builtPeakKb = peakRssKb();

    clock.restart();
    root->ds->saveToFile(path);
    const qint64 saveUs = clock.nsecsElapsed() / 1000;
    const qint64 saveMs = saveUs / 1000;
    const qint64 bytes = QFileInfo(path).size();
    const long savePeakKb = peakRssKb();
    const qint64 writeUs = rawWriteUs(path, path + QStringLiteral(".raw"));
    const qint64 readUs = rawReadUs(path);

    resetPeak();
    const long beforeLoadKb = rssKb();
    clock.restart();
    root->ds->loadFromFile(path); // into the full table
    const qint64 loadUs = clock.nsecsElapsed() / 1000;
    const qint64 loadMs = loadUs / 1000;
    const long loadPeakKb = peakRssKb();
    const qint64 rowsAfter = countRows(*root->ds);

    std::printf("installations      %d\n", installations);
    std::printf("rows               %lld (%.0f per installation)\n", rows, double(rows) / installations);
    std::printf("build (API)        %lld ms\n", buildMs);
    std::printf("save               %lld ms\n", saveMs);
    std::printf("load               %lld ms\n", loadMs);
    std::printf("file size          %.1f MB\n", bytes / 1048576.0);
    std::printf("RSS after build    %.1f MB (peak so far %.1f MB)\n", builtKb / 1024.0, builtPeakKb / 1024.0);
    std::printf("peak after save    %.1f MB\n", savePeakKb / 1024.0);
    std::printf("peak RSS (VmHWM)   %.1f MB\n", peakRssKb() / 1024.0);
    std::printf("rows after load    %lld %s\n", rowsAfter, rowsAfter == rows ? "(same)" : "(DIFFERENT)");
    std::printf("raw read           %.1f ms; load / raw read  %.1f (target 6)\n", readUs / 1000.0,
                double(loadUs) / double(std::max<qint64>(readUs, 1)));
    std::printf("raw write + sync   %.1f ms; save / raw write %.1f (target 2)\n", writeUs / 1000.0,
                double(saveUs) / double(std::max<qint64>(writeUs, 1)));
    const double registerMb = (builtKb - startKb) / 1024.0;
    std::printf("register in memory %.1f MB; peak while loading over it %.1f MB (%.2f times, target 1.5)\n",
                registerMb, (loadPeakKb - startKb) / 1024.0, (loadPeakKb - startKb) / 1024.0 / registerMb);
    (void)beforeLoadKb;
    if (argc <= 2)
        QFile::remove(path);
    return rowsAfter == rows ? 0 : 1;
}
