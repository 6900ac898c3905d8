#pragma once
// The private side of DataSet, shared by the engine's sources (cursor and editing, filter,
// register file). Not for use outside src/platform/dataset*.cpp, field.cpp, registerfile.cpp.

#include "platform/dataset.h"
#include "platform/datastore.h"

#include <QHash>
#include <QPointer>

class FilterProgram; // datasetfilter.h

// A callable passed down without being copied: unlike std::function it never allocates,
// which matters for the store of every cell written.
template <typename Signature> class FunctionRef;
template <typename R, typename... Args> class FunctionRef<R(Args...)> {
public:
    template <typename F>
    FunctionRef(F&& f) // NOLINT: made from lambdas in place
        : m_object(const_cast<void*>(static_cast<const void*>(std::addressof(f)))),
          m_call([](void* object, Args... args) -> R {
              return (*static_cast<std::remove_reference_t<F>*>(object))(std::forward<Args>(args)...);
          }) {}
    R operator()(Args... args) const { return m_call(m_object, std::forward<Args>(args)...); }

private:
    void* m_object;
    R (*m_call)(void*, Args...);
};

struct SortKey {
    int field = 0;
    bool descending = false;
};

struct IndexDef {
    QString name;
    QString fieldNames;
    bool descending = false;
};

class DataSetPrivate {
public:
    explicit DataSetPrivate(DataSet* owner);
    ~DataSetPrivate();

    DataSet* q;
    std::shared_ptr<TableSchema> schema;
    std::vector<Field*> fields;
    QHash<QString, int> fieldIndex; // by lower-case name
    DataSet* master = nullptr;
    int masterFieldIndex = -1;
    std::vector<DataSet*> details; // the detail table of each Nested field, in field order
    bool isClone = false;

    DataSetState state = DataSetState::Inactive;
    RowList* list = nullptr; // the rows this cursor walks (a reference is held)
    bool orphan = false;     // a detail whose master has no current row: nothing may be added

    // Cursor. The view (rows through filter and index) is rebuilt lazily when the list's
    // version moves on; the cursor then finds its row again by pointer and serial.
    mutable std::vector<RowData*> view;
    mutable bool viewValid = false;
    mutable quint64 seenVersion = 0;
    mutable int pos = -1;
    mutable RowData* curRow = nullptr;
    mutable quint64 curSerial = 0;
    mutable bool rebuilding = false;
    mutable bool viewHadHandler = false; // onFilterRecord was set when the view was built
    int insertViewPos = 0;               // where a row being inserted shows until it is posted
    bool bof = true;
    bool eof = true;

    // Editing: the edit buffer holds the current record's cells while in Edit or Insert.
    std::vector<uchar> buffer;
    RowData* editRow = nullptr; // the row being edited or inserted (compared, never trusted)
    quint64 editSerial = 0;
    bool modified = false;
    mutable const RowData* filterRow = nullptr; // the row shown to onFilterRecord

    int disableCount = 0;
    bool followPending = false; // a master move not yet told to this detail's controls

    QString filterText;
    bool filterOn = false;
    std::unique_ptr<FilterProgram> filterProgram;

    QString indexFields;
    QString indexName;
    std::vector<IndexDef> indexes;
    std::vector<SortKey> sortKeys;

    std::vector<DataSource*> sources;
    QString fileName;
    QStringList loadRepairs; // of the last load from a file

    // ---- rows and cursor ----
    bool usesView() const { return (filterOn && (filterProgram || q->onFilterRecord)) || !sortKeys.empty(); }
    void sync() const; // catch up with changes made through other cursors
    const std::vector<RowData*>& rows() const;
    void rebuildView() const;
    bool accepts(const RowData* row) const;
    int compareRows(const RowData* a, const RowData* b) const;
    void setPos(int p) const;
    RowData* currentRow() const; // after sync(); nullptr when there is none
    const uchar* currentBytes() const;
    RowData* findLive(const RowData* row, quint64 serial) const; // in the list, or nullptr
    int viewIndexOf(const RowData* row, quint64 serial) const;
    void moveTo(RowData* row, int expectedPos); // after a change of our own
    void invalidateView() {
        viewValid = false;
        seenVersion = 0;
    }

    // ---- activity and details ----
    void checkActive() const;
    void checkSchemaEditable() const;
    void bindList(RowList* l, bool orphanList);
    void closeTree();
    void openDetails();
    RowList* detailListOf(int nestedField, bool& orphanList) const;
    void followMaster(); // rebind every detail to this table's current row when it changed
    bool chainDisabled() const;
    void forEachActiveDetail(const std::function<void(DataSet&)>& fn);
    void markMasterModified(); // nested rows changed under a master row being edited
    void cancelDetailEdits();
    void postDetailEdits();

    // ---- editing ----
    void checkEditing(const Field& f) const;
    void writeCell(Field& f, FunctionRef<void(uchar*)> store);
    void writeValue(Field& f, const QVariant& v);
    void writeText(Field& f, QString value);                   // a String or Memo field
    template <typename T> void writeNumber(Field& f, T value); // a cell of the field's own type
    void startInsert(bool appendAtEnd);
    void dropInsertedRow();

    // ---- cursor moves ----
    void scrollTo(int newPos, bool setBof, bool setEof);

    // ---- notifications ----
    template <typename Fn> void toSources(Fn fn) const {
        if (disableCount > 0)
            return;
        std::vector<QPointer<DataSource>> targets(sources.begin(), sources.end());
        for (const auto& s : targets)
            if (s && s->enabled)
                fn(s.data());
    }
    void notifyChanged() const;
    void notifyScrolled(int distance) const;
    void notifyRecord(Field* f) const;
    void notifyState() const;
    void notifyActive() const;
    void notifyFollow(); // a detail moved with its master
    void flushFollow();

    // ---- values ----
    QString textOf(const uchar* b, int field) const;
    QVariant valueOf(const uchar* b, int field) const;
    qint64 integerOf(const uchar* b, int field) const;
    double floatOf(const uchar* b, int field) const;
    bool booleanOf(const uchar* b, int field) const;
    QDateTime dateTimeOf(const uchar* b, int field) const;
    const uchar* bytesAt(int recNo) const;
    QString variantText(const QVariant& v)
        const; // a value as a text field would keep it // record number in the current order, or nullptr

    // ---- sorting ----
    std::vector<SortKey> parseSortKeys(const QString& fieldNames, bool descending) const;
    void applyOrder(std::vector<SortKey> keys);
    void refilter();

    // ---- register file (registerfile.cpp) ----
    void replaceRows(std::vector<RowData*>&& rows); // root tables only; frees the old rows
    void dropRowsForLoad(); // frees the rows before a proved file's are built; replaceRows follows
};

namespace datastore {
QString dateTimeFormat(); // locale short date (four-digit year) + long time (no zone)
QString formatDateTime(const QDateTime& dt);
QDateTime parseDateTime(const QString& text); // invalid when the text is no date-time
bool parseBoolean(const QString& text, bool* ok);
} // namespace datastore
