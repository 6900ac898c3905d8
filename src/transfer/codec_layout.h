#pragma once
// The configuration commands described as data: which table rows and fields a command carries
// and how each field is written on the wire. One generic engine (codec_record.cpp) turns a
// layout into the command's byte stream and back; the stream is cut into parts of 64 bytes.
//
// Wire encodings (multi-byte numbers are big-endian, like the IPv4 addresses):
//   Name      a Windows-1252 slot of `size` bytes (16 for names), the text followed by NUL fill
//   Text      the same for other texts (phone numbers, host names), `size` bytes
//   Digits    an access code: 6 ASCII digits, a shorter code followed by NUL fill
//   Number    an integer field, 1 byte (0..255) or, with size 2, a signed 16-bit word
//   NumberText a text holding a decimal number min..max, 1 byte or a signed 16-bit word
//   Bits      up to 8 Boolean fields (prefix + first..first+count-1, or an explicit list) in one
//             byte, bit 0 the first
//   OnOff     an "ON"/"OFF" text: 1 / 0
//   Position  a list text: its position in the list, 1 byte
//   Sign      a list text: the one-character code of its sign twin, 1 byte
//   Ip4       a dotted address text: 4 bytes, most significant first
//   HourMin   "hh:mm": hour, minute;  HourMinSec "hh:mm:ss": hour, minute, second
//   DayMonth  "dd/mm": day, month
//   Terminal  a keypad terminal's bound name: input n -> n, output n -> n + 128, none -> 0
//   WordIndex a vocabulary index -1..186 (`_IMsgN`): 1 byte, 255 = no word; the copy `_MsgN`
//             is set from the vocabulary when the value is applied
//   Links     the rows of a nested link table as a bitmap of item numbers (bit 0 of byte 0 =
//             item 1), `size` bytes
#include "link/linktypes.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "model/datamodule.h"
#include "transfer/commands.h"

class DataSet;
class Field;

namespace Codec {

enum class Wire : quint8 {
    Name,
    Text,
    Digits,
    Number,
    NumberText,
    Bits,
    OnOff,
    Position,
    Sign,
    Ip4,
    HourMin,
    HourMinSec,
    DayMonth,
    Terminal,
    WordIndex,
    Links
};

using ListFn = QStringList (*)();
using TableFn = DataSet* (*)();

struct FieldSpec {
    Wire wire = Wire::Number;
    QString name;               // the field (Bits: the prefix; Links: the nested field)
    int size = 1;               // bytes on the wire
    int min = 0, max = 255;     // Number, NumberText
    ListFn list = nullptr;      // Position, Sign: the texts; Number with a companion: its texts
    ListFn signs = nullptr;     // Sign: the sign codes, position by position
    QStringList bitFields;      // Bits: the fields, bit 0 first
    QString companion;          // a text field set from the value when applied (see above)
    QString flag;               // Links: the Boolean field of a link row
    ListFn itemNames = nullptr; // Links: names of the items, for the `_Nome` of a new link row
    // Text, Name: the data module's refusal of a text ("" accepted), checked before anything is
    // written so that applying a read never stops half-way.
    QString (*check)(const Field& field, const QString& text) = nullptr;
};

// The rows of one table: every row of `table` (up to `rows`), or, for a nested table, every row
// under each of the first `masterRows` rows of its master (and of the master's master).
struct Block {
    TableFn table;
    int rows;
    std::vector<FieldSpec> fields;
    int masterRows = 0;      // > 0: `table` is nested; rows per master row
    int grandMasterRows = 0; // > 0: the master is nested too
    bool currentRow = false; // the root table: the current installation's row only (rows 1)
    int recordSize() const;
    int streamSize() const;
};

struct Layout {
    int command;
    std::vector<Block> blocks;
    int applyRank = 2; // applied in rising rank after a read (names before what refers to them)
    int streamSize() const;
    int parts() const; // 64 bytes a part, the last one shorter
};

// ---- field builders ----
FieldSpec name(const char* field, int size = 16);
FieldSpec text(const char* field, int size);
FieldSpec digits(const char* field);
FieldSpec number(const char* field, int min, int max);
FieldSpec word16(const char* field, int min, int max);
FieldSpec numberText(const char* field, int min, int max);
FieldSpec bits(const char* prefix, int first, int count);
FieldSpec bitsOf(QStringList fields);
FieldSpec onOff(const char* field);
FieldSpec position(const char* field, ListFn list);
FieldSpec sign(const char* field, ListFn list, ListFn signs);
FieldSpec ip4(const char* field);
FieldSpec hourMin(const char* field);
FieldSpec hourMinSec(const char* field);
FieldSpec dayMonth(const char* field);
FieldSpec terminal(const char* field);
FieldSpec wordIndex(const char* field, const char* copy);
FieldSpec links(const char* nestedField, const char* flag, int items, ListFn itemNames);
// A field list expanded from prefix + first..last with one builder.
std::vector<FieldSpec> series(FieldSpec (*make)(const char*), const char* prefix, int first, int last);

// ---- the engine ----
// Encodes the current installation's rows. Throws (a conversion error) on a value that cannot
// be written; the caller turns it into DATACORRUPT.
QByteArray encodeStream(const Layout& layout);
// Checks a whole stream against the current installation without writing anything.
TError validateStream(const Layout& layout, const QByteArray& stream, QString* why = nullptr);
// Writes a validated stream into the current installation; returns what puts the values it
// overwrote back.
std::function<void()> applyStream(const Layout& layout, const QByteArray& stream);

// Calls visit(table, record number) for every wire row of the block in stream order; the record
// number is 0 for a row the installation's model does not have. Masters' cursors are put back.
void forEachRow(const Block& block, const std::function<void(DataSet*, int)>& visit);

// Installs a layout's encoder and decoder in the command catalogue (its part count too).
void installLayout(Layout layout);
const Layout* layoutOf(int command); // nullptr for a command without a layout

// The tables and lists the layouts refer to.
template <DataSet* TDM::*Member> DataSet* table() {
    return DM ? DM->*Member : nullptr;
}
// Every row of one table of the current installation, up to `rows`.
template <DataSet* TDM::*Member> Block rowsOf(int rows, std::vector<FieldSpec> fields) {
    return Block{table<Member>, rows, std::move(fields)};
}
// The current installation's own row of the register.
Block installationRow(std::vector<FieldSpec> fields);

QStringList inputNames();
QStringList userNames();
QStringList partitionNames();
QStringList vocabularyWords();

} // namespace Codec
