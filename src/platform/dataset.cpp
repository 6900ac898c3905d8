// The DataSet engine: schema, activity, cursor, edit states, nested detail tables and the
// notifications of bound controls.
//
// Orders of events (handlers and bound controls), as every form of the program relies on:
//   insert/append: [pending edit posted], beforeInsert (false: stop, table stays in Browse),
//                  beforeScroll, row created (details bind to its empty nested rows),
//                  onNewRecord (row in Insert state), stateChanged + dataSetChanged,
//                  afterInsert, afterScroll
//   edit:          beforeEdit, buffer filled, stateChanged, afterEdit
//   field write:   value placed, onValidate (a throw puts the old value back), onChange,
//                  recordChanged
//   post:          updateData (controls write pending text), details post their own edits,
//                  beforePost (a throw keeps the edit), row stored, stateChanged +
//                  dataSetChanged, afterPost
//   cancel:        beforeCancel, details cancel, buffer dropped (an inserted row goes with its
//                  nested rows), stateChanged + dataSetChanged, afterCancel
//   delete:        (Insert state: cancel instead) beforeDelete (false: keep the row),
//                  beforeScroll, row and nested rows freed, dataSetChanged, afterDelete,
//                  afterScroll
//   move:          pending edit posted (posted if modified, else cancelled), beforeScroll,
//                  cursor moved, details follow, dataSetScrolled, afterScroll
// A detail that follows its master gets no scroll events, only dataSetChanged (deferred while
// the controls of the master or of the detail are disabled).

#include "platform/dataset.h"
#include "platform/datasetfilter.h"
#include "platform/datasetprivate.h"

#include <algorithm>

namespace {

FieldLayout fieldLayout(const QString& name, FieldType type, int size) {
    FieldLayout layout;
    layout.name = name;
    layout.type = type;
    layout.size = size;
    return layout;
}
const std::vector<RowData*> kNoRows;

struct ResetOnExit {
    const RowData*& ref;
    ~ResetOnExit() { ref = nullptr; }
};
} // namespace

// ---------------------------------------------------------------- DataSetPrivate: cursor

DataSetPrivate::DataSetPrivate(DataSet* owner) : q(owner), schema(std::make_shared<TableSchema>()) {}

DataSetPrivate::~DataSetPrivate() {
    // Rows go before the schema that describes them.
    datastore::release(list);
    list = nullptr;
    for (Field* f : fields)
        delete f;
}

void DataSetPrivate::sync() const {
    if (!list)
        return;
    const bool viewMode = usesView();
    if (viewMode && filterOn && viewHadHandler != bool(q->onFilterRecord))
        viewValid = false; // a filter handler was set or removed while filtering
    if (seenVersion == list->version && (!viewMode || viewValid))
        return;
    if (rebuilding)
        return;
    if (viewMode)
        rebuildView();
    else
        view.clear();
    seenVersion = list->version;
    const auto& r = viewMode ? view : list->rows;
    const int n = int(r.size());
    if (curRow && pos >= 0 && pos < n && r[size_t(pos)] == curRow && curRow->serial == curSerial)
        return;
    int found = -1;
    if (curRow) {
        for (int i = 0; i < n; ++i) {
            if (r[size_t(i)] == curRow) {
                if (r[size_t(i)]->serial == curSerial)
                    found = i;
                break;
            }
        }
    }
    if (found < 0)
        found = n == 0 ? -1 : std::clamp(pos, 0, n - 1);
    setPos(found);
}

const std::vector<RowData*>& DataSetPrivate::rows() const {
    if (!list)
        return kNoRows;
    sync();
    return usesView() ? view : list->rows;
}

void DataSetPrivate::rebuildView() const {
    rebuilding = true;
    struct Done {
        const DataSetPrivate* d;
        ~Done() { d->rebuilding = false; }
    } done{this};
    view.clear();
    view.reserve(list->rows.size());
    const bool filtering = filterOn && (filterProgram || q->onFilterRecord);
    viewHadHandler = bool(q->onFilterRecord);
    RowData* pendingRow = state == DataSetState::Insert ? editRow : nullptr;
    bool pendingSeen = false;
    for (RowData* r : list->rows) {
        if (r == pendingRow && r->serial == editSerial) {
            pendingSeen = true;
            continue;
        }
        if (!filtering || accepts(r))
            view.push_back(r);
    }
    if (!sortKeys.empty())
        std::stable_sort(view.begin(), view.end(),
                         [this](const RowData* a, const RowData* b) { return compareRows(a, b) < 0; });
    // A row being inserted stays where it was put until it is posted.
    if (pendingSeen)
        view.insert(view.begin() + std::clamp(insertViewPos, 0, int(view.size())), pendingRow);
    viewValid = true;
}

bool DataSetPrivate::accepts(const RowData* row) const {
    filterRow = row;
    ResetOnExit reset{filterRow};
    if (filterProgram && !filterProgram->matches(*this, row->bytes()))
        return false;
    return !q->onFilterRecord || q->onFilterRecord(*q);
}

int DataSetPrivate::compareRows(const RowData* a, const RowData* b) const {
    const TableSchema& s = *schema;
    for (const SortKey& k : sortKeys) {
        const uchar* x = a->bytes();
        const uchar* y = b->bytes();
        const bool hx = datastore::hasValue(s, x, k.field), hy = datastore::hasValue(s, y, k.field);
        int c = 0;
        if (!hx || !hy) {
            c = int(hx) - int(hy); // nulls first
        } else {
            switch (s.fields[size_t(k.field)].type) {
            case FieldType::Integer: {
                const qint32 u = datastore::cell<qint32>(s, x, k.field),
                             v = datastore::cell<qint32>(s, y, k.field);
                c = u < v ? -1 : u > v ? 1 : 0;
                break;
            }
            case FieldType::Float: {
                const double u = datastore::cell<double>(s, x, k.field),
                             v = datastore::cell<double>(s, y, k.field);
                c = u < v ? -1 : u > v ? 1 : 0;
                break;
            }
            case FieldType::DateTime: {
                const qint64 u = datastore::cell<qint64>(s, x, k.field),
                             v = datastore::cell<qint64>(s, y, k.field);
                c = u < v ? -1 : u > v ? 1 : 0;
                break;
            }
            case FieldType::Boolean:
                c = int(datastore::cell<quint8>(s, x, k.field)) - int(datastore::cell<quint8>(s, y, k.field));
                break;
            case FieldType::String:
            case FieldType::Memo: {
                const quint32 u = datastore::cell<quint32>(s, x, k.field),
                              v = datastore::cell<quint32>(s, y, k.field);
                c = u == v ? 0 : s.pool.at(u).compare(s.pool.at(v));
                break;
            }
            case FieldType::Nested:
                break;
            }
        }
        if (c != 0)
            return k.descending ? -c : c;
    }
    return 0;
}

void DataSetPrivate::setPos(int p) const {
    const auto& r = !list ? kNoRows : usesView() ? view : list->rows;
    if (p < 0 || p >= int(r.size())) {
        pos = r.empty() ? -1 : std::clamp(p, 0, int(r.size()) - 1);
    } else {
        pos = p;
    }
    curRow = pos >= 0 ? r[size_t(pos)] : nullptr;
    curSerial = curRow ? curRow->serial : 0;
}

RowData* DataSetPrivate::currentRow() const {
    sync();
    return curRow;
}

const uchar* DataSetPrivate::currentBytes() const {
    if (filterRow)
        return filterRow->bytes();
    if (state == DataSetState::Edit || state == DataSetState::Insert)
        return buffer.data();
    RowData* r = currentRow();
    return r ? r->bytes() : nullptr;
}

RowData* DataSetPrivate::findLive(const RowData* row, quint64 serial) const {
    if (!list || !row)
        return nullptr;
    // From the end: the row being posted was most often just appended.
    const auto& rows = list->rows;
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
        if (*it == row)
            return (*it)->serial == serial ? *it : nullptr;
    return nullptr;
}

int DataSetPrivate::viewIndexOf(const RowData* row, quint64 serial) const {
    const auto& r = rows();
    for (size_t i = 0; i < r.size(); ++i)
        if (r[i] == row)
            return r[i]->serial == serial ? int(i) : -1;
    return -1;
}

void DataSetPrivate::moveTo(RowData* row, int expectedPos) {
    // Our own change: the list moves on and the cursor finds `row` again (its place in the
    // view may have changed with the index or the filter).
    ++list->version;
    curRow = row;
    curSerial = row ? row->serial : 0;
    pos = expectedPos;
    sync();
}

// ---------------------------------------------------------------- activity and details

void DataSetPrivate::checkActive() const {
    if (state == DataSetState::Inactive)
        throw DataSetError(
            QStringLiteral("%1: cannot perform this operation on a closed table").arg(q->name()));
}

void DataSetPrivate::checkSchemaEditable() const {
    if (isClone)
        throw DataSetError(QStringLiteral("%1: the fields of a clone cursor cannot change").arg(q->name()));
    if (state != DataSetState::Inactive || schema->liveRows > 0)
        throw DataSetError(
            QStringLiteral("%1: fields can change only while the table is closed").arg(q->name()));
}

void DataSetPrivate::bindList(RowList* l, bool orphanList) {
    if (state == DataSetState::Edit || state == DataSetState::Insert) {
        state = DataSetState::Browse; // its rows are gone or posted by now
        buffer.clear();
        editRow = nullptr;
        modified = false;
    }
    datastore::retain(l);
    datastore::release(list);
    list = l;
    orphan = orphanList;
    invalidateView();
    curRow = nullptr;
    pos = 0;
    sync();
    setPos(0);
    bof = true;
    eof = curRow == nullptr;
}

RowList* DataSetPrivate::detailListOf(int nestedField, bool& orphanList) const {
    RowData* row = state == DataSetState::Inactive ? nullptr : currentRow();
    if (row) {
        orphanList = false;
        return datastore::nestedList(*schema, row->bytes(), nestedField);
    }
    orphanList = true;
    return new RowList(schema->nested[size_t(nestedField)].get());
}

void DataSetPrivate::openDetails() {
    for (int f : schema->nestedFields) {
        DataSet* detail = fields[size_t(f)]->m_nested;
        if (!detail || detail->d->state != DataSetState::Inactive)
            continue;
        DataSetPrivate* dd = detail->d.get();
        dd->schema->name = detail->name();
        bool orphanList = false;
        RowList* l = detailListOf(f, orphanList);
        dd->state = DataSetState::Browse;
        dd->bindList(l, orphanList);
        dd->notifyActive();
        dd->notifyFollow();
        dd->openDetails();
    }
}

void DataSetPrivate::closeTree() {
    for (int f : schema->nestedFields)
        if (DataSet* detail = fields[size_t(f)]->m_nested;
            detail && detail->d->state != DataSetState::Inactive)
            detail->d->closeTree();
    if (state == DataSetState::Insert)
        dropInsertedRow();
    buffer.clear();
    editRow = nullptr;
    modified = false;
    if (list && !master && !isClone) {
        datastore::freeRows(*schema, list->rows);
        ++list->version;
    }
    datastore::release(list);
    list = nullptr;
    view.clear();
    viewValid = false;
    curRow = nullptr;
    pos = -1;
    bof = eof = true;
    state = DataSetState::Inactive;
    notifyActive();
    notifyChanged();
}

void DataSetPrivate::followMaster() {
    for (int f : schema->nestedFields) {
        DataSet* detail = fields[size_t(f)]->m_nested;
        if (!detail || detail->d->state == DataSetState::Inactive)
            continue;
        DataSetPrivate* dd = detail->d.get();
        bool orphanList = false;
        RowList* l = detailListOf(f, orphanList);
        if (l == dd->list && !orphanList)
            continue;
        if (orphanList && dd->orphan) {
            delete l; // already showing nothing
            continue;
        }
        dd->bindList(l, orphanList);
        dd->notifyFollow();
        dd->followMaster();
    }
}

bool DataSetPrivate::chainDisabled() const {
    for (const DataSetPrivate* p = this; p; p = p->master ? p->master->d.get() : nullptr)
        if (p->disableCount > 0)
            return true;
    return false;
}

void DataSetPrivate::forEachActiveDetail(const std::function<void(DataSet&)>& fn) {
    for (int f : schema->nestedFields) {
        DataSet* detail = fields[size_t(f)]->m_nested;
        if (detail && detail->d->state != DataSetState::Inactive)
            fn(*detail);
    }
}

void DataSetPrivate::cancelDetailEdits() {
    forEachActiveDetail([](DataSet& detail) {
        detail.d->cancelDetailEdits();
        if (detail.d->state != DataSetState::Browse)
            detail.cancel();
    });
}

void DataSetPrivate::postDetailEdits() {
    forEachActiveDetail([](DataSet& detail) { detail.checkBrowseMode(); });
}

void DataSetPrivate::markMasterModified() {
    for (DataSet* m = master; m; m = m->d->master)
        if (m->d->state == DataSetState::Edit || m->d->state == DataSetState::Insert)
            m->d->modified = true;
}

// ---------------------------------------------------------------- notifications

void DataSetPrivate::notifyChanged() const {
    toSources([](DataSource* s) { Q_EMIT s->dataSetChanged(); });
}
void DataSetPrivate::notifyScrolled(int distance) const {
    toSources([distance](DataSource* s) { Q_EMIT s->dataSetScrolled(distance); });
}
void DataSetPrivate::notifyRecord(Field* f) const {
    toSources([f](DataSource* s) { Q_EMIT s->recordChanged(f); });
}
void DataSetPrivate::notifyState() const {
    const DataSetState st = state;
    toSources([st](DataSource* s) { Q_EMIT s->stateChanged(st); });
}
void DataSetPrivate::notifyActive() const {
    const bool on = state != DataSetState::Inactive;
    toSources([on](DataSource* s) { Q_EMIT s->activeChanged(on); });
}

void DataSetPrivate::notifyFollow() {
    if (chainDisabled()) {
        followPending = true;
        return;
    }
    followPending = false;
    notifyChanged();
}

void DataSetPrivate::flushFollow() {
    forEachActiveDetail([](DataSet& detail) {
        DataSetPrivate* dd = detail.d.get();
        if (dd->followPending && !dd->chainDisabled()) {
            dd->followPending = false;
            dd->notifyChanged();
        }
        dd->flushFollow();
    });
}

// ---------------------------------------------------------------- editing internals

void DataSetPrivate::checkEditing(const Field& f) const {
    if (state != DataSetState::Edit && state != DataSetState::Insert)
        throw DataSetError(QStringLiteral("%1: the table is not in edit or insert mode").arg(q->name()));
    if (f.m_type == FieldType::Nested)
        throw DataSetError(QStringLiteral("%1: field '%2' cannot be written").arg(q->name(), f.m_name));
}

void DataSetPrivate::writeCell(Field& f, FunctionRef<void(uchar*)> store) {
    checkEditing(f);
    const TableSchema& s = *schema;
    const int i = f.m_index;
    uchar* b = buffer.data();
    const quint32 offset = s.fields[size_t(i)].offset;
    const int width = datastore::cellWidth(f.m_type);
    quint64 oldCell = 0;
    std::memcpy(&oldCell, b + offset, size_t(width));
    const bool oldHas = datastore::hasValue(s, b, i);
    store(b);
    if (f.onValidate) {
        try {
            f.onValidate(f);
        } catch (...) {
            uchar* again = buffer.data(); // the handler cannot resize it, but be safe
            std::memcpy(again + offset, &oldCell, size_t(width));
            datastore::setHasValue(s, again, i, oldHas);
            throw;
        }
    }
    modified = true;
    if (f.onChange)
        f.onChange(f);
    notifyRecord(&f);
}

void DataSetPrivate::dropInsertedRow() {
    RowData* row = findLive(editRow, editSerial);
    const int keep = pos;
    editRow = nullptr;
    if (row) {
        auto& r = list->rows;
        r.erase(std::find(r.begin(), r.end(), row));
        datastore::freeRow(*schema, row);
    }
    state = DataSetState::Browse;
    buffer.clear();
    modified = false;
    moveTo(nullptr, keep);
}

void DataSetPrivate::startInsert(bool atEnd) {
    checkActive();
    q->checkBrowseMode();
    if (orphan)
        throw DataSetError(QStringLiteral("%1: the master table has no current record").arg(q->name()));
    if (q->beforeInsert && !q->beforeInsert(*q))
        return;
    if (q->beforeScroll)
        q->beforeScroll(*q);
    sync();
    RowData* row = datastore::allocRow(*schema);
    row->pending = 1;
    auto& lr = list->rows;
    int at = 0;
    if (atEnd || !curRow) {
        lr.push_back(row);
        at = usesView() ? int(view.size()) : int(lr.size()) - 1;
    } else {
        auto it = std::find(lr.begin(), lr.end(), curRow);
        lr.insert(it, row);
        at = pos;
    }
    insertViewPos = at;
    editRow = row;
    editSerial = row->serial;
    state = DataSetState::Insert;
    buffer.assign(row->bytes(), row->bytes() + schema->rowBytes);
    modified = false;
    moveTo(row, at);
    bof = eof = false;
    markMasterModified();
    followMaster();
    if (q->onNewRecord) {
        try {
            q->onNewRecord(*q);
        } catch (...) {
            dropInsertedRow();
            followMaster();
            notifyChanged();
            throw;
        }
    }
    notifyState();
    notifyChanged();
    if (q->afterInsert)
        q->afterInsert(*q);
    if (q->afterScroll)
        q->afterScroll(*q);
}

// ---------------------------------------------------------------- DataSet: schema

DataSet::DataSet(const QString& name, QObject* parent)
    : QObject(parent), d(std::make_unique<DataSetPrivate>(this)) {
    setObjectName(name);
    d->schema->name = name;
}

DataSet::~DataSet() {
    for (DataSource* s : d->sources)
        s->m_dataSet = nullptr;
    d->sources.clear();
    if (d->master) {
        Field* mf = d->master->d->fields[size_t(d->masterFieldIndex)];
        mf->m_nested = nullptr;
    }
    for (Field* f : d->fields)
        if (f->m_nested) {
            f->m_nested->d->master = nullptr;
            f->m_nested->d->masterFieldIndex = -1;
        }
}

Field& DataSet::addField(const QString& name, FieldType type, int size) {
    d->checkSchemaEditable();
    if (type == FieldType::Nested)
        throw DataSetError(
            QStringLiteral("%1: nested fields are added with addNestedField").arg(this->name()));
    if (name.isEmpty() || findField(name))
        throw DataSetError(QStringLiteral("%1: duplicate or empty field name '%2'").arg(this->name(), name));
    if (type == FieldType::String && size <= 0)
        size = 20;
    if (type != FieldType::String)
        size = 0;
    const int index = int(d->fields.size());
    d->schema->fields.push_back(fieldLayout(name, type, size));
    d->schema->nested.emplace_back();
    d->schema->layOut();
    auto* f = new Field(this, name, type, size, index);
    d->fields.push_back(f);
    d->fieldIndex.insert(name.toLower(), index);
    return *f;
}

Field& DataSet::addNestedField(const QString& name, DataSet& detail) {
    d->checkSchemaEditable();
    detail.d->checkSchemaEditable();
    if (detail.d->master || &detail == this)
        throw DataSetError(
            QStringLiteral("%1: table '%2' is already nested").arg(this->name(), detail.name()));
    for (DataSet* m = d->master; m; m = m->d->master)
        if (m == &detail)
            throw DataSetError(
                QStringLiteral("%1: table '%2' contains this table").arg(this->name(), detail.name()));
    if (name.isEmpty() || findField(name))
        throw DataSetError(QStringLiteral("%1: duplicate or empty field name '%2'").arg(this->name(), name));
    const int index = int(d->fields.size());
    d->schema->fields.push_back(fieldLayout(name, FieldType::Nested, 0));
    d->schema->nested.push_back(detail.d->schema);
    d->schema->nestedFields.push_back(index);
    d->schema->layOut();
    detail.d->schema->name = detail.name();
    auto* f = new Field(this, name, FieldType::Nested, 0, index);
    f->m_nested = &detail;
    d->fields.push_back(f);
    d->fieldIndex.insert(name.toLower(), index);
    detail.d->master = this;
    detail.d->masterFieldIndex = index;
    return *f;
}

DataSet* DataSet::master() const {
    return d->master;
}
Field* DataSet::masterField() const {
    return d->master ? d->master->d->fields[size_t(d->masterFieldIndex)] : nullptr;
}
int DataSet::fieldCount() const {
    return int(d->fields.size());
}
Field& DataSet::field(int index) const {
    if (index < 0 || index >= fieldCount())
        throw DataSetError(QStringLiteral("%1: field index %2 out of range").arg(name()).arg(index));
    return *d->fields[size_t(index)];
}
Field* DataSet::findField(const QString& name) const {
    for (Field* f : d->fields) // exact spelling first, then any case
        if (f->m_name == name)
            return f;
    auto it = d->fieldIndex.constFind(name.toLower());
    return it == d->fieldIndex.constEnd() ? nullptr : d->fields[size_t(it.value())];
}
Field& DataSet::fieldByName(const QString& name) const {
    Field* f = findField(name);
    if (!f)
        throw DataSetError(QStringLiteral("%1: field '%2' not found").arg(this->name(), name));
    return *f;
}
const std::vector<Field*>& DataSet::fields() const {
    return d->fields;
}
QStringList DataSet::fieldNames() const {
    QStringList names;
    for (Field* f : d->fields)
        names << f->m_name;
    return names;
}

// ---------------------------------------------------------------- DataSet: activity

void DataSet::open() {
    if (active())
        return;
    if (d->master) {
        if (!d->master->active()) {
            d->master->open(); // opens every detail, this one included
            return;
        }
        bool orphanList = false;
        RowList* l = d->master->d->detailListOf(d->masterFieldIndex, orphanList);
        d->state = DataSetState::Browse;
        d->bindList(l, orphanList);
    } else {
        d->schema->name = name();
        auto* l = new RowList(d->schema.get());
        d->state = DataSetState::Browse;
        d->bindList(l, false);
    }
    d->notifyActive();
    d->notifyChanged();
    d->openDetails();
}

void DataSet::close() {
    if (!active())
        return;
    d->closeTree();
}

bool DataSet::active() const {
    return d->state != DataSetState::Inactive;
}
DataSetState DataSet::state() const {
    return d->state;
}

// ---------------------------------------------------------------- DataSet: cursor

int DataSet::recordCount() const {
    return int(d->rows().size());
}

int DataSet::recNo() const {
    if (!active())
        return 0;
    d->sync();
    return d->pos + 1;
}

void DataSet::setRecNo(int recNo) {
    d->checkActive();
    checkBrowseMode();
    const int n = recordCount();
    if (n == 0)
        return;
    const int target = std::clamp(recNo, 1, n) - 1;
    if (target != d->pos)
        d->scrollTo(target, false, false);
}

void DataSetPrivate::scrollTo(int newPos, bool atBof, bool atEof) {
    if (q->beforeScroll)
        q->beforeScroll(*q);
    sync();
    const int old = pos;
    setPos(newPos);
    bof = atBof || curRow == nullptr;
    eof = atEof || curRow == nullptr;
    if (pos != old)
        followMaster();
    notifyScrolled(pos - old);
    if (q->afterScroll)
        q->afterScroll(*q);
}

void DataSet::first() {
    d->checkActive();
    checkBrowseMode();
    d->scrollTo(0, true, false);
}

void DataSet::last() {
    d->checkActive();
    checkBrowseMode();
    d->scrollTo(recordCount() - 1, false, true);
}

void DataSet::next() {
    moveBy(1);
}
void DataSet::prior() {
    moveBy(-1);
}

int DataSet::moveBy(int distance) {
    d->checkActive();
    checkBrowseMode();
    d->sync();
    if (distance == 0 || (distance > 0 && eof()) || (distance < 0 && bof()))
        return 0;
    const int n = recordCount();
    const int target = int(std::clamp<qint64>(qint64(d->pos) + distance, 0, n - 1));
    const int moved = target - d->pos;
    const bool hitEnd = moved != distance;
    d->scrollTo(target, hitEnd && distance < 0, hitEnd && distance > 0);
    return moved;
}

bool DataSet::bof() const {
    return !active() || recordCount() == 0 || d->bof;
}
bool DataSet::eof() const {
    return !active() || recordCount() == 0 || d->eof;
}

bool DataSet::locate(const QString& fieldName, const QVariant& value, LocateOption options) {
    d->checkActive();
    Field& f = fieldByName(fieldName);
    checkBrowseMode();
    const auto& r = d->rows();
    const bool ci = options & LocateOption::CaseInsensitive;
    const bool partial = options & LocateOption::PartialKey;
    const bool wantNull = !value.isValid() || value.isNull();
    const QString wantedText = wantNull ? QString() : d->variantText(value);
    for (size_t i = 0; i < r.size(); ++i) {
        const uchar* b = r[i]->bytes();
        const bool has = datastore::hasValue(*d->schema, b, f.m_index);
        bool match = false;
        if (wantNull) {
            match = !has;
        } else if (has) {
            const QString text = d->textOf(b, f.m_index);
            const Qt::CaseSensitivity cs = ci ? Qt::CaseInsensitive : Qt::CaseSensitive;
            if (f.m_type == FieldType::Integer || f.m_type == FieldType::Float) {
                bool ok = false;
                const double want = value.toDouble(&ok);
                match = ok && d->floatOf(b, f.m_index) == want;
            } else if (f.m_type == FieldType::DateTime && value.canConvert<QDateTime>() &&
                       value.toDateTime().isValid()) {
                match = datastore::cell<qint64>(*d->schema, b, f.m_index) ==
                        datastore::encodeDateTime(value.toDateTime());
            } else {
                match = partial ? text.startsWith(wantedText, cs) : text.compare(wantedText, cs) == 0;
            }
        }
        if (match) {
            if (int(i) != d->pos)
                d->scrollTo(int(i), false, false);
            else
                d->bof = d->eof = false;
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------- DataSet: editing

void DataSet::edit() {
    d->checkActive();
    if (d->state == DataSetState::Edit || d->state == DataSetState::Insert)
        return;
    RowData* row = d->currentRow();
    if (!row) {
        insert();
        return;
    }
    if (beforeEdit)
        beforeEdit(*this);
    row = d->currentRow(); // the handler may have moved the cursor
    if (!row)
        throw DataSetError(QStringLiteral("%1: no record to edit").arg(name()));
    d->buffer.assign(row->bytes(), row->bytes() + d->schema->rowBytes);
    d->editRow = row;
    d->editSerial = row->serial;
    d->modified = false;
    d->state = DataSetState::Edit;
    d->notifyState();
    if (afterEdit)
        afterEdit(*this);
}

void DataSet::insert() {
    d->startInsert(false);
}
void DataSet::append() {
    d->startInsert(true);
}

void DataSet::post() {
    d->checkActive();
    if (d->state != DataSetState::Edit && d->state != DataSetState::Insert)
        return; // nothing pending
    updateRecord();
    d->postDetailEdits();
    if (beforePost)
        beforePost(*this);
    RowData* row = d->findLive(d->editRow, d->editSerial);
    if (!row) {
        d->state = DataSetState::Browse;
        d->buffer.clear();
        d->editRow = nullptr;
        d->modified = false;
        d->moveTo(nullptr, d->pos);
        d->notifyState();
        d->notifyChanged();
        throw DataSetError(QStringLiteral("%1: the record was deleted through another cursor").arg(name()));
    }
    datastore::countTexts(*d->schema, row->bytes(), -1);
    datastore::countTexts(*d->schema, d->buffer.data(), +1);
    std::memcpy(row->bytes(), d->buffer.data(), d->schema->rowBytes);
    row->pending = 0;
    d->state = DataSetState::Browse;
    d->buffer.clear();
    d->editRow = nullptr;
    d->modified = false;
    d->moveTo(row, d->pos);
    d->bof = d->eof = false;
    d->markMasterModified();
    d->followMaster(); // the row may have left the filter
    d->notifyState();
    d->notifyChanged();
    if (afterPost)
        afterPost(*this);
}

void DataSet::cancel() {
    d->checkActive();
    if (d->state != DataSetState::Edit && d->state != DataSetState::Insert)
        return;
    if (beforeCancel)
        beforeCancel(*this);
    d->cancelDetailEdits();
    if (d->state == DataSetState::Insert) {
        d->dropInsertedRow();
    } else {
        d->state = DataSetState::Browse;
        d->buffer.clear();
        d->editRow = nullptr;
        d->modified = false;
    }
    d->followMaster();
    d->notifyState();
    d->notifyChanged();
    if (afterCancel)
        afterCancel(*this);
}

void DataSet::deleteRecord() {
    d->checkActive();
    if (d->state == DataSetState::Insert) {
        cancel();
        return;
    }
    if (!d->currentRow())
        throw DataSetError(QStringLiteral("%1: cannot delete from an empty table").arg(name()));
    if (beforeDelete && !beforeDelete(*this))
        return;
    if (beforeScroll)
        beforeScroll(*this);
    d->cancelDetailEdits();
    const bool wasEditing = d->state == DataSetState::Edit;
    RowData* row = d->currentRow();
    const int keep = d->pos;
    d->state = DataSetState::Browse;
    d->buffer.clear();
    d->editRow = nullptr;
    d->modified = false;
    if (row) {
        auto& lr = d->list->rows;
        lr.erase(std::find(lr.begin(), lr.end(), row));
        datastore::freeRow(*d->schema, row);
    }
    d->moveTo(nullptr, keep);
    d->bof = d->eof = d->curRow == nullptr;
    d->markMasterModified();
    d->followMaster();
    if (wasEditing)
        d->notifyState();
    d->notifyChanged();
    if (afterDelete)
        afterDelete(*this);
    if (afterScroll)
        afterScroll(*this);
}

void DataSet::checkBrowseMode() {
    if (!active())
        return;
    d->postDetailEdits();
    if (d->state != DataSetState::Edit && d->state != DataSetState::Insert)
        return;
    updateRecord();
    if (d->modified)
        post();
    else
        cancel();
}

bool DataSet::modified() const {
    return d->modified;
}

void DataSet::emptyDataSet() {
    d->checkActive();
    cancel();
    d->cancelDetailEdits();
    d->sync();
    datastore::freeRows(*d->schema, d->list->rows);
    d->moveTo(nullptr, -1);
    d->bof = d->eof = true;
    d->markMasterModified();
    d->followMaster();
    d->notifyChanged();
}

void DataSet::updateRecord() {
    if (d->state == DataSetState::Edit || d->state == DataSetState::Insert)
        d->toSources([](DataSource* s) { Q_EMIT s->updateData(); });
}

// ---------------------------------------------------------------- DataSet: controls

void DataSet::disableControls() {
    ++d->disableCount;
}

void DataSet::enableControls() {
    if (d->disableCount == 0)
        return;
    if (--d->disableCount > 0)
        return;
    if (d->chainDisabled()) {
        d->followPending = true; // its master's controls are still disabled: refresh with them
        return;
    }
    d->followPending = false;
    d->notifyChanged();
    d->flushFollow();
}

bool DataSet::controlsDisabled() const {
    return d->disableCount > 0;
}

const std::vector<DataSource*>& DataSet::dataSources() const {
    return d->sources;
}

QString DataSet::fileName() const {
    return d->fileName;
}
void DataSet::setFileName(const QString& path) {
    d->fileName = path;
}

// ---------------------------------------------------------------- DataSource

DataSource::DataSource(DataSet* dataSet, QObject* parent) : QObject(parent) {
    setDataSet(dataSet);
}

DataSource::~DataSource() {
    if (m_dataSet) {
        auto& v = m_dataSet->d->sources;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
    }
}

void DataSource::setDataSet(DataSet* dataSet) {
    if (dataSet == m_dataSet)
        return;
    if (m_dataSet) {
        auto& v = m_dataSet->d->sources;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
    }
    m_dataSet = dataSet;
    if (m_dataSet)
        m_dataSet->d->sources.push_back(this);
    if (enabled && (!m_dataSet || !m_dataSet->controlsDisabled())) {
        Q_EMIT activeChanged(m_dataSet && m_dataSet->active());
        Q_EMIT dataSetChanged();
    }
}
