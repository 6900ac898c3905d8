#pragma once
// In-memory tables with persistent fields, cursors, edit states, nested detail tables,
// filters, indexes, clone cursors and bookmarks. Every configuration table of the program
// is a DataSet; the whole register (the root table with all its nested rows) is saved to
// and loaded from one file.

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

class DataSet;
class QFile;
class DataSource;
struct RowData;   // one stored row (defined in datastore.h)
struct RowList;   // the rows of one table, or the nested rows under one master row
class StringPool; // shared text storage of one table's fields

// Raised by the engine for misuse and bad values ("not in edit mode", "'x' is not a valid
// integer value", unreadable file...). Widgets and windows catch it at their boundary and
// show what() to the user.
class DataSetError : public std::runtime_error {
public:
    explicit DataSetError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

// A file that could not be opened at all (no permission, and the like): nothing of it was
// read, so nothing is known of what it holds. reason() is the system's word for why.
class FileOpenError : public DataSetError {
public:
    FileOpenError(const QString& message, const QString& reason) : DataSetError(message), m_reason(reason) {}
    QString reason() const { return m_reason; }

private:
    QString m_reason;
};

// The text of a date and time as every DateTime field shows it (the locale's short date with a
// four-digit year, then the long time) and as filter literals on such fields are read back.
QString DateTimeText(const QDateTime& dt);

enum class FieldType : quint8 {
    String,   // text of a given size (characters)
    Integer,  // 32-bit signed
    Boolean,
    Float,    // double
    DateTime,
    Memo,     // text without a size limit
    Nested    // the rows of a detail table nested under each row
};

class Field {
public:
    const QString& fieldName() const { return m_name; }
    FieldType dataType() const { return m_type; }
    int size() const { return m_size; } // characters of a String field, 0 otherwise
    int index() const { return m_index; } // position in the table's field list
    DataSet* dataSet() const { return m_dataSet; }

    // Presentation attributes, freely settable.
    QString displayLabel;   // empty: fieldName() is shown
    QString editMask;       // the program's mask notation ("!90:00;1;_"), not Qt's; see editmask.h
    int tag = 0;            // free integer (the main window keeps a column's minimum width here)
    bool readOnly = false;
    bool visible = true;
    int displayWidth = 0;   // characters; 0 = derived from size()
    // The most characters an editor lets the user type, when fewer than size(): a text that
    // travels to a device stops at what the device keeps (0: size()).
    int typedLength = 0;
    int editLength() const { return typedLength > 0 && typedLength < m_size ? typedLength : m_size; }

    QString displayName() const { return displayLabel.isEmpty() ? m_name : displayLabel; }

    // The value of the table's current record (or of its edit buffer while editing).
    // Reading a table without a current record gives null (empty text, 0, false).
    bool isNull() const;
    QString asString() const;    // Boolean: "True"/"False"; DateTime: locale short date + long time
    int asInteger() const;       // text that is not a number raises DataSetError
    bool asBoolean() const;      // text "True"/"False" (any case), numbers != 0
    double asFloat() const;
    QDateTime asDateTime() const;
    QVariant value() const;      // invalid QVariant for null
    QString displayText() const; // what a grid shows: asString(), "" for null

    // Writing needs the table in edit or insert state (else DataSetError), fires onValidate
    // (which may throw DataSetError to refuse the value: nothing is stored) and then onChange,
    // on every write. Text longer than size() is cut to size().
    void setAsString(const QString& v);
    void setAsInteger(int v);
    void setAsBoolean(bool v);
    void setAsFloat(double v);
    void setAsDateTime(const QDateTime& v);
    void setValue(const QVariant& v); // invalid QVariant = clear()
    void clear();                     // set null

    // For a Nested field: the detail table bound to it.
    DataSet* nestedDataSet() const { return m_nested; }

    // Rules the values of a register file must follow in this field, checked when a file is
    // loaded. A value outside the field's domain or range has the file refused, with a message
    // that names the installation and the field. Texts are kept to the field's size and free of
    // control characters (a Memo keeps its tabs and line breaks), and a text that is not empty
    // is kept in the form `repair` gives it: such repairs are listed by loadRepairs().
    void setFileDomain(const QStringList& texts); // the only texts allowed (null counts as "")
    void setFileRange(int min, int max);          // Integer fields
    void setFileRepair(std::function<QString(const QString&)> repair);

    std::function<void(Field&)> onValidate; // sees the new value through the field, before it is kept
    std::function<void(Field&)> onChange;   // after the value is stored

private:
    friend class DataSet;
    friend class DataSetPrivate;
    Field(DataSet* owner, const QString& name, FieldType type, int size, int index);
    DataSet* m_dataSet;
    QString m_name;
    FieldType m_type;
    int m_size;
    int m_index;
    DataSet* m_nested = nullptr;
};

// A stable identity of one row: survives inserts, deletes, index and filter changes.
struct Bookmark {
    const RowData* row = nullptr;
    quint64 serial = 0;
    bool isNull() const { return row == nullptr; }
    friend bool operator==(const Bookmark& a, const Bookmark& b) { return a.row == b.row && a.serial == b.serial; }
    friend bool operator!=(const Bookmark& a, const Bookmark& b) { return !(a == b); }
};

enum class DataSetState : quint8 { Inactive, Browse, Edit, Insert };

enum class LocateOption : quint8 { None = 0, CaseInsensitive = 1, PartialKey = 2 };
inline LocateOption operator|(LocateOption a, LocateOption b) { return LocateOption(quint8(a) | quint8(b)); }
inline bool operator&(LocateOption a, LocateOption b) { return (quint8(a) & quint8(b)) != 0; }

class DataSet : public QObject {
    Q_OBJECT
public:
    explicit DataSet(const QString& name, QObject* parent = nullptr); // objectName() = name
    ~DataSet() override;

    QString name() const { return objectName(); }

    // ---- schema (only while inactive) ----
    Field& addField(const QString& name, FieldType type, int size = 0);
    // Nests `detail` under this table: every row of this table holds its own rows of `detail`,
    // and `detail` shows those of this table's current row. Saved and loaded with this table.
    Field& addNestedField(const QString& name, DataSet& detail);
    DataSet* master() const;     // the table `this` is nested in, or nullptr
    Field* masterField() const;  // the Nested field of master() that holds this table

    int fieldCount() const;
    Field& field(int index) const;
    Field* findField(const QString& name) const;   // nullptr when missing
    Field& fieldByName(const QString& name) const; // DataSetError when missing
    const std::vector<Field*>& fields() const;
    QStringList fieldNames() const;

    // ---- activity ----
    void open();   // a detail opens with its master; opening a root makes it empty
    void close();  // closing a root discards its rows
    bool active() const;
    DataSetState state() const;

    // ---- cursor (record numbers are 1-based positions in the current order and filter) ----
    int recordCount() const;
    bool isEmpty() const { return recordCount() == 0; }
    int recNo() const;        // 0 when empty
    void setRecNo(int recNo); // clamped to 1..recordCount(); posts a pending edit first
    void first();
    void last();
    void next();
    void prior();
    int moveBy(int distance); // returns the distance actually moved
    bool bof() const;         // true after first() or a prior() that could not move
    bool eof() const;         // true after last()+next() that could not move, or when empty
    bool locate(const QString& fieldName, const QVariant& value, LocateOption options = LocateOption::None);

    // Reading any row without moving the cursor (record numbers as above).
    QVariant valueAt(int recNo, int fieldIndex) const;
    QString stringAt(int recNo, int fieldIndex) const;
    int integerAt(int recNo, int fieldIndex) const;
    bool booleanAt(int recNo, int fieldIndex) const;

    // ---- editing ----
    void edit();    // browse -> edit of the current row (on an empty table: insert)
    void insert();  // new row before the current one; may be abandoned by beforeInsert
    void append();  // new row at the end; may be abandoned by beforeInsert
    void post();    // keeps the edit buffer; raises DataSetError when beforePost refuses
    void cancel();  // drops the edit buffer
    void deleteRecord(); // deletes the current row with its nested rows; the cursor goes to the next row (or the new last)
    void checkBrowseMode(); // posts a pending edit or insert
    bool modified() const;
    void emptyDataSet();    // deletes every row in view of this cursor's row list (with nested rows)
    void updateRecord();    // asks bound controls to write their pending text (done by post() too)

    // ---- events (one handler each, as the forms set them) ----
    std::function<bool(DataSet&)> beforeInsert; // return false to abandon the insert
    std::function<void(DataSet&)> afterInsert;
    std::function<void(DataSet&)> onNewRecord;  // fill defaults of a new row (the row is in insert state)
    std::function<void(DataSet&)> beforeEdit;
    std::function<void(DataSet&)> afterEdit;
    std::function<void(DataSet&)> beforePost;   // may throw DataSetError to refuse
    std::function<void(DataSet&)> afterPost;
    std::function<void(DataSet&)> beforeCancel;
    std::function<void(DataSet&)> afterCancel;
    std::function<bool(DataSet&)> beforeDelete; // return false to keep the row
    std::function<void(DataSet&)> afterDelete;
    std::function<void(DataSet&)> beforeScroll;
    std::function<void(DataSet&)> afterScroll;

    // ---- bound controls ----
    void disableControls();   // nests; bound controls are not told of changes meanwhile
    void enableControls();    // at zero: bound controls refresh once
    bool controlsDisabled() const;

    // ---- filter ----
    // Expression: comparisons `field op literal` (op: = <> < <= > >=, like with % wildcards),
    // literals numbers or 'quoted text' ('' inside for a quote), joined with and / or / not and
    // parentheses; "and" binds tighter than "or". A DateTime field compares with a quoted
    // date-time in the locale's short date + long time form. A bad expression raises DataSetError
    // when filtering is switched on.
    void setFilter(const QString& expression);
    QString filter() const;
    void setFiltered(bool on);
    bool filtered() const;
    std::function<bool(DataSet&)> onFilterRecord; // also applied while filtered(); true keeps the row

    // ---- indexes ----
    void setIndexFieldNames(const QString& fieldNames); // "f1;f2", ascending; "" = natural order
    QString indexFieldNames() const;
    void addIndex(const QString& name, const QString& fieldNames, bool descending);
    void deleteIndex(const QString& name);
    QStringList indexNames() const;
    void setIndexName(const QString& name); // "" = natural order
    QString indexName() const;

    // ---- clones and bookmarks ----
    // A cursor of its own over the same rows as `source` (its filter and index not copied).
    // Writes through a clone are seen by the source.
    std::unique_ptr<DataSet> cloneCursor() const;
    Bookmark bookmark() const;
    bool bookmarkValid(const Bookmark& b) const; // the row still exists in this cursor's row list
    void gotoBookmark(const Bookmark& b);        // DataSetError when not valid

    // ---- the register file (root tables only) ----
    // Both raise DataSetError with a clear message; a failed load leaves the table as it was,
    // a failed save leaves the old file whole.
    void saveToFile(const QString& path) const;
    void loadFromFile(const QString& path);
    QString fileName() const;
    void setFileName(const QString& path);
    // The most rows one row list of this table (the rows under one master row, or a root's
    // rows) may hold in a register file: a file with more is refused before its rows are
    // built. 0, the default: no limit.
    void setFileRowLimit(int rows);
    int fileRowLimit() const;
    // What the last load of a register file repaired (texts cut, control characters removed,
    // texts put in their field's form), one line each, at most a few dozen lines.
    QStringList loadRepairs() const;
    // Distinct texts this table's fields keep (each stored once), for memory checks.
    int textCount() const;
    // Removes what saves of this root table to `path` left behind when they were killed before
    // their last step: files named as AtomicSave names its temporary files for `path`
    // (".<name>.salvataggio-incompleto.XXXXXX") that hold a register of this table, whole or
    // with the header not yet written. Nothing else is touched, whatever it holds: a copy of
    // the register under any other name is its owner's. Returns the names removed.
    QStringList removeLeftoverSaves(const QString& path) const;
    // Copies `from` to `to` whole or not at all: on failure returns false with the system's
    // reason in *reason, and nothing is left at `to`. The copy is its owner's alone.
    static bool copyFileWhole(const QString& from, const QString& to, QString* reason);

    // ---- data sources ----
    const std::vector<DataSource*>& dataSources() const;

    // Engine internals shared by the file reader and writer.
    class DataSetPrivate* d_func() const { return d.get(); }

private:
    void writeRegister(const QString& path) const; // registerfile.cpp
    void readRegister(QFile& file, const QString& path);

    friend class Field;
    friend class DataSource;
    friend class DataSetPrivate;
    std::unique_ptr<class DataSetPrivate> d;
};

// Binds controls to a table and tells them of what happens to it.
class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(DataSet* dataSet = nullptr, QObject* parent = nullptr);
    ~DataSource() override;
    DataSet* dataSet() const { return m_dataSet; }
    void setDataSet(DataSet* dataSet);
    bool enabled = true; // a disabled source tells its controls nothing

Q_SIGNALS:
    void activeChanged(bool active);
    void dataSetChanged();               // rows, order, filter or master changed: refresh everything
    void dataSetScrolled(int distance);  // the cursor moved
    void recordChanged(Field* field);    // a value of the current record changed (nullptr: several)
    void stateChanged(DataSetState state);
    void updateData();                   // post is coming: write pending editor text now

private:
    friend class DataSet;
    friend class DataSetPrivate;
    DataSet* m_dataSet = nullptr;
};
