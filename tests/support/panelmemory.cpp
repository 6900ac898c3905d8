#include "support/panelmemory.h"

#include "link/wiretext.h"
#include "model/datamodule.h"
#include "platform/dataset.h"
#include "platform/editmask.h"
#include "transfer/codec_eventlog.h"
#include "transfer/codec_layout.h"
#include "transfer/commands.h"

#include <QDateTime>
#include <QSet>

namespace PanelMemory {

Shape documentedShape(int command) {
    // Bytes and parts of every command 0..62: the handshake (section 5), the identity and live
    // status (5, 6.5), the configuration (6.3), the event log (6.4) and the clock (6.6).
    static const Shape shapes[CommandCount - 1] = {
        {6, 1},     {259, 7},   {255, 4},   {152, 3}, {136, 3},   {64, 1},    {64, 1},  {192, 3},
        {1024, 16}, {64, 1},    {192, 3},   {256, 4}, {1024, 16}, {16, 1},    {51, 1},  {272, 5},
        {119, 2},   {85, 2},    {136, 3},   {136, 3}, {1024, 16}, {384, 6},   {128, 2}, {320, 5},
        {128, 2},   {24, 1},    {64, 1},    {88, 2},  {64, 1},    {128, 2},   {384, 6}, {16, 1},
        {640, 10},  {368, 6},   {30, 1},    {184, 3}, {173, 3},   {4, 1},     {49, 1},  {3, 1},
        {110, 2},   {6, 1},     {9, 1},     {56, 1},  {112, 2},   {3584, 56}, {448, 7}, {952, 15},
        {176, 3},   {86, 2},    {4096, 64}, {21, 1},  {350, 6},   {258, 5},   {144, 3}, {4, 1},
        {2992, 47}, {1088, 17}, {384, 6},   {128, 2}, {3024, 48}, {3584, 56}, {224, 4}};
    return command >= 0 && command < CommandCount - 1 ? shapes[command] : Shape{0, 0};
}

int documentedPartSize(int command, int part) {
    static const int identity[7] = {6, 16, 16, 32, 64, 64, 61};
    if (command == CmdStateCentral)
        return part >= 0 && part < 7 ? identity[part] : 0;
    const Shape s = documentedShape(command);
    return part < 0 || part >= s.parts ? 0 : std::min(64, s.bytes - 64 * part);
}

QStringList shapeFaults(const PanelCore& panel, int from, const std::vector<int>& commands, bool writeJob) {
    QStringList faults;
    QMap<int, QSet<int>> asked;
    const QList<PanelFrame> requests = panel.requests();
    for (qsizetype i = from; i < requests.size(); ++i) {
        const PanelFrame& f = requests[i];
        const int c = f.command();
        asked[c].insert(f.part());
        const bool write = c == CmdLogIn || (writeJob && c != CmdStateCentral && c != CmdLogEventi);
        const int size = write ? documentedPartSize(c, f.part()) : 0;
        if (std::find(commands.begin(), commands.end(), c) == commands.end())
            faults << QStringLiteral("command %1 is no part of the job").arg(c);
        else if (f.isWrite() != write || f.data.size() != size)
            faults << QStringLiteral("command %1 part %2: %3 %4 bytes, documented %5 %6")
                          .arg(c)
                          .arg(f.part())
                          .arg(f.isWrite() ? "wrote" : "read")
                          .arg(f.data.size())
                          .arg(write ? "write" : "read")
                          .arg(size);
    }
    for (const int c : commands) {
        if (writeJob && c == CmdLogEventi)
            continue;
        QSet<int> parts;
        for (int p = 0; p < documentedShape(c).parts; ++p)
            parts.insert(p);
        if (asked.value(c) != parts)
            faults << QStringLiteral("command %1: %2 parts moved, documented %3")
                          .arg(c)
                          .arg(asked.value(c).size())
                          .arg(parts.size());
    }
    return faults;
}

void store(PanelCore& panel, int command, const QByteArray& stream) {
    const Shape s = documentedShape(command);
    const QByteArray fitted = stream.leftJustified(s.bytes, '\0', true);
    for (int p = 0; p < s.parts; ++p)
        panel.setMemory(command, p, fitted.mid(p * 64, 64));
}

QByteArray stream(const PanelCore& panel, int command) {
    QByteArray out;
    for (int p = 0; p < documentedShape(command).parts; ++p)
        out += panel.memory(command, p);
    return out;
}

void patch(PanelCore& panel, int command, int offset, const QByteArray& bytes) {
    store(panel, command, stream(panel, command).replace(offset, bytes.size(), bytes));
}

namespace {

using namespace Codec;

QByteArray randomText(QRandomGenerator& rng, int slot, int most) {
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray t;
    const int n = 1 + int(rng.bounded(std::max(1, std::min(slot, most))));
    for (int i = 0; i < n; ++i)
        t.append(letters[rng.bounded(62)]);
    t.append(QByteArray(slot - t.size(), '\0'));
    return t;
}

int fieldSize(DataSet* t, const FieldSpec& f) {
    const Field* field = t->findField(f.name);
    return field && field->size() > 0 ? field->size() : f.size;
}

// One valid value of a field, as the panel would send it.
QByteArray randomValue(QRandomGenerator& rng, DataSet* t, const FieldSpec& f, int row) {
    auto byte = [](int v) { return QByteArray(1, char(v)); };
    if (f.check) { // texts the data module checks: Contact ID codes, phone numbers by their mask
        if (f.name == QLatin1String("_CodiceIDC"))
            return QByteArray::number(100 + rng.bounded(900));
        const EditMask mask(t->fieldByName(f.name).editMask);
        int places = 0;
        for (int pos = 0; pos < mask.length(); ++pos)
            places += mask.isLiteral(pos) ? 0 : 1;
        QByteArray digits;
        const int n = 1 + int(rng.bounded(std::max(1, std::min(places, 12))));
        for (int i = 0; i < n; ++i)
            digits.append(char('0' + rng.bounded(10)));
        return digits.leftJustified(f.size, '\0', true);
    }
    switch (f.wire) {
    case Wire::Name:
    case Wire::Text:
        // Distinct names (row number first), so that names that refer to each other stay unique.
        if (f.name == QLatin1String("_Nome")) {
            QByteArray t2 = QByteArray::number(row) + randomText(rng, f.size, 6);
            return t2.left(std::min(f.size, fieldSize(t, f)))
                .leftJustified(f.size, '\0', true)
                .replace(' ', 'x');
        }
        return randomText(rng, f.size, std::min(12, fieldSize(t, f)));
    case Wire::Digits:
        return QByteArray::number(rng.bounded(1000000)).rightJustified(6, '0');
    case Wire::Number:
    case Wire::NumberText: {
        const int top = f.list ? std::min(f.max, int(f.list().size()) - 1) : f.max;
        const int v = f.min + int(rng.bounded(top - f.min + 1));
        if (f.size == 2)
            return QByteArray{} + char((v >> 8) & 0xFF) + char(v & 0xFF);
        return byte(v);
    }
    case Wire::Bits:
        return byte(int(rng.bounded(1 << f.bitFields.size())));
    case Wire::OnOff:
        return byte(int(rng.bounded(2)));
    case Wire::Position: {
        const int n = int(f.list().size());
        return byte(rng.bounded(4) == 0 ? 0xFF : int(rng.bounded(n)));
    }
    case Wire::Sign: {
        const QStringList signs = f.signs();
        return byte(signs.isEmpty() ? 0 : signs[rng.bounded(int(signs.size()))][0].toLatin1());
    }
    case Wire::Ip4:
        return QByteArray{} + char(1 + rng.bounded(223)) + char(rng.bounded(256)) + char(rng.bounded(256)) +
               char(rng.bounded(256));
    case Wire::HourMin:
        return byte(int(rng.bounded(24))) + byte(int(rng.bounded(60)));
    case Wire::HourMinSec:
        return byte(int(rng.bounded(100))) + byte(int(rng.bounded(60))) + byte(int(rng.bounded(60)));
    case Wire::DayMonth:
        return byte(1 + int(rng.bounded(28))) + byte(1 + int(rng.bounded(12)));
    case Wire::Terminal: {
        const int outputs = DM->CDSet_Uscite->recordCount();
        const int pick = int(rng.bounded(3));
        return byte(pick == 0 ? 0 : pick == 1 ? 1 + int(rng.bounded(64)) : 129 + int(rng.bounded(outputs)));
    }
    case Wire::WordIndex:
        return byte(rng.bounded(5) == 0 ? 0xFF : int(rng.bounded(187)));
    case Wire::Links: {
        QByteArray map;
        for (int i = 0; i < f.size; ++i)
            map.append(char(rng.bounded(256)));
        return map;
    }
    }
    return {};
}

} // namespace

QMap<int, QByteArray> randomConfiguration(QRandomGenerator& rng) {
    QMap<int, QByteArray> streams;
    for (int c = 0; c < CommandCount; ++c) {
        const Layout* layout = layoutOf(c);
        if (!layout)
            continue;
        QByteArray s;
        for (const Block& b : layout->blocks) {
            forEachRow(b, [&](DataSet* t, int r) {
                if (r == 0) {
                    s.append(QByteArray(b.recordSize(), '\0'));
                    return;
                }
                for (const FieldSpec& f : b.fields)
                    s.append(randomValue(rng, t, f, r));
            });
        }
        streams[c] = s;
    }
    return streams;
}

QMap<int, QByteArray> loadRandomPanel(PanelCore& panel, QRandomGenerator& rng) {
    loadFreshPanel(panel, DM->GetSystemType());
    const QMap<int, QByteArray> streams = randomConfiguration(rng);
    for (auto it = streams.begin(); it != streams.end(); ++it)
        store(panel, it.key(), it.value());
    return streams;
}

QMap<int, QByteArray> encodeInstallation() {
    QMap<int, QByteArray> out;
    for (int c = 0; c < CommandCount; ++c)
        if (const Layout* l = layoutOf(c))
            out[c] = encodeStream(*l);
    return out;
}

QByteArray logRecord(int code, int arg, int category, bool read, const QDateTime& when) {
    QByteArray r(16, '\0');
    const QDate d = when.date();
    const QTime t = when.time();
    r[0] = char(code);
    r[1] = char(arg);
    r[2] = char(category);
    r[3] = char(read ? 1 : 0);
    r[4] = char(d.year() >> 8);
    r[5] = char(d.year() & 0xFF);
    r[6] = char(d.month());
    r[7] = char(d.day());
    r[8] = char(t.hour());
    r[9] = char(t.minute());
    r[10] = char(t.second());
    return r;
}

void storeStatus(PanelCore& panel, quint8 generalLamps, quint64 inputs, const QByteArray& operatorName) {
    QByteArray general(16, '\0');
    general[0] = char(generalLamps);
    for (int i = 0; i < 8; ++i)
        general[1 + i] = char((inputs >> (8 * i)) & 0xFF);
    general[12] = 5;
    general[13] = 2;
    panel.setMemory(CmdStateCentral, 2, general);
    panel.setMemory(CmdStateCentral, 3,
                    toWireSlot(QString::fromLatin1(operatorName), 16) +
                        toWireSlot(QStringLiteral("10 EUR"), 16));
    panel.setMemory(CmdStateCentral, 4, QByteArray(64, '\0'));
    panel.setMemory(CmdStateCentral, 5, QByteArray(64, char(0xAA)));
    QByteArray radio(61, '\0');
    radio[1] = 0x03; // record 1: tamper and supervision
    radio[3] = 80;
    radio[4] = 60;
    panel.setMemory(CmdStateCentral, 6, radio);
}

void loadFreshPanel(PanelCore& panel, int model) {
    DataSet* root = DM->CDSet_Tabulon;
    const int keep = root->recNo();
    DM->AddDataSet(model);
    for (int c = 0; c < CommandCount; ++c)
        if (const Layout* layout = layoutOf(c))
            store(panel, c, encodeStream(*layout));
    DM->DeleteMasterRecord();
    if (keep > 0)
        root->setRecNo(keep);
    store(panel, CmdLogEventi, QByteArray(eventLogStreamSize(), '\0'));
    panel.setMemory(41, 0, QByteArray("\x01\x01\x1A\x0C\x00\x00", 6)); // 1 Jan 2026, 12:00
    storeStatus(panel, 0, 0, "OPERATORE");
}

} // namespace PanelMemory
