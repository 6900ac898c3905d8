// The order and selection of a cursor's rows (filter, indexes), clone cursors and bookmarks.

#include "platform/dataset.h"
#include "platform/datasetfilter.h"
#include "platform/datasetprivate.h"

#include <algorithm>

// ---------------------------------------------------------------- filter

void DataSet::setFilter(const QString& expression) {
    if (d->filterOn) {
        auto program = FilterProgram::compile(expression, *d); // a bad text keeps the old filter
        checkBrowseMode();
        d->filterText = expression;
        d->filterProgram = std::move(program);
        d->refilter();
        return;
    }
    d->filterText = expression;
    d->filterProgram.reset();
}

QString DataSet::filter() const {
    return d->filterText;
}

void DataSet::setFiltered(bool on) {
    if (on == d->filterOn)
        return;
    if (on) {
        auto program = FilterProgram::compile(d->filterText, *d);
        checkBrowseMode();
        d->filterProgram = std::move(program);
        d->filterOn = true;
    } else {
        checkBrowseMode();
        d->filterOn = false;
        d->filterProgram.reset();
    }
    d->refilter();
}

bool DataSet::filtered() const {
    return d->filterOn;
}

void DataSetPrivate::refilter() {
    // Like switching a filter on a client dataset: the cursor goes to the first row.
    invalidateView();
    if (state == DataSetState::Inactive)
        return;
    sync();
    setPos(0);
    bof = true;
    eof = curRow == nullptr;
    followMaster();
    notifyChanged();
}

// ---------------------------------------------------------------- indexes

std::vector<SortKey> DataSetPrivate::parseSortKeys(const QString& fieldNames, bool descending) const {
    std::vector<SortKey> keys;
    const QStringList names = fieldNames.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString& n : names) {
        const QString name = n.trimmed();
        if (name.isEmpty())
            continue;
        Field& f = q->fieldByName(name);
        if (f.dataType() == FieldType::Nested)
            throw DataSetError(QStringLiteral("%1: field '%2' cannot be indexed").arg(q->name(), name));
        keys.push_back(SortKey{f.index(), descending});
    }
    return keys;
}

void DataSetPrivate::applyOrder(std::vector<SortKey> keys) {
    if (state != DataSetState::Inactive)
        q->checkBrowseMode();
    sync();
    RowData* keep = curRow;
    sortKeys = std::move(keys);
    invalidateView();
    if (state == DataSetState::Inactive)
        return;
    curRow = keep; // the cursor stays on its row in the new order
    curSerial = keep ? keep->serial : 0;
    sync();
    notifyChanged();
}

void DataSet::setIndexFieldNames(const QString& fieldNames) {
    auto keys = d->parseSortKeys(fieldNames, false);
    d->indexFields = fieldNames;
    d->indexName.clear();
    d->applyOrder(std::move(keys));
}

QString DataSet::indexFieldNames() const {
    return d->indexFields;
}

void DataSet::addIndex(const QString& name, const QString& fieldNames, bool descending) {
    if (name.isEmpty())
        throw DataSetError(QStringLiteral("%1: an index needs a name").arg(this->name()));
    auto keys = d->parseSortKeys(fieldNames, descending);
    auto it = std::find_if(d->indexes.begin(), d->indexes.end(),
                           [&](const IndexDef& i) { return i.name.compare(name, Qt::CaseInsensitive) == 0; });
    if (it != d->indexes.end())
        *it = IndexDef{name, fieldNames, descending};
    else
        d->indexes.push_back(IndexDef{name, fieldNames, descending});
    if (d->indexName.compare(name, Qt::CaseInsensitive) == 0)
        d->applyOrder(std::move(keys));
}

void DataSet::deleteIndex(const QString& name) {
    auto it = std::find_if(d->indexes.begin(), d->indexes.end(),
                           [&](const IndexDef& i) { return i.name.compare(name, Qt::CaseInsensitive) == 0; });
    if (it == d->indexes.end())
        throw DataSetError(QStringLiteral("%1: index '%2' not found").arg(this->name(), name));
    d->indexes.erase(it);
    if (d->indexName.compare(name, Qt::CaseInsensitive) == 0) {
        d->indexName.clear();
        d->applyOrder({});
    }
}

QStringList DataSet::indexNames() const {
    QStringList names;
    for (const IndexDef& i : d->indexes)
        names << i.name;
    return names;
}

void DataSet::setIndexName(const QString& name) {
    if (name.isEmpty()) {
        d->indexName.clear();
        d->indexFields.clear();
        d->applyOrder({});
        return;
    }
    auto it = std::find_if(d->indexes.begin(), d->indexes.end(),
                           [&](const IndexDef& i) { return i.name.compare(name, Qt::CaseInsensitive) == 0; });
    if (it == d->indexes.end())
        throw DataSetError(QStringLiteral("%1: index '%2' not found").arg(this->name(), name));
    auto keys = d->parseSortKeys(it->fieldNames, it->descending);
    d->indexName = it->name;
    d->indexFields.clear();
    d->applyOrder(std::move(keys));
}

QString DataSet::indexName() const {
    return d->indexName;
}

// ---------------------------------------------------------------- clones and bookmarks

std::unique_ptr<DataSet> DataSet::cloneCursor() const {
    d->checkActive();
    auto clone = std::make_unique<DataSet>(name());
    DataSetPrivate* c = clone->d.get();
    c->schema = d->schema;
    c->isClone = true;
    for (const Field* f : d->fields) {
        auto* nf = new Field(clone.get(), f->m_name, f->m_type, f->m_size, f->m_index);
        nf->displayLabel = f->displayLabel;
        nf->editMask = f->editMask;
        nf->tag = f->tag;
        nf->readOnly = f->readOnly;
        nf->visible = f->visible;
        nf->displayWidth = f->displayWidth;
        c->fields.push_back(nf);
    }
    c->fieldIndex = d->fieldIndex;
    c->indexes = d->indexes; // defined, not active: the clone may choose the same order
    c->state = DataSetState::Browse;
    c->bindList(d->list, d->orphan);
    return clone;
}

Bookmark DataSet::bookmark() const {
    RowData* row = active() ? d->currentRow() : nullptr;
    return row ? Bookmark{row, row->serial} : Bookmark{};
}

bool DataSet::bookmarkValid(const Bookmark& b) const {
    // Found by address among the rows this cursor can reach first, so a freed row is never read.
    return !b.isNull() && active() && d->viewIndexOf(b.row, b.serial) >= 0;
}

void DataSet::gotoBookmark(const Bookmark& b) {
    d->checkActive();
    checkBrowseMode();
    const int i = b.isNull() ? -1 : d->viewIndexOf(b.row, b.serial);
    if (i < 0)
        throw DataSetError(QStringLiteral("%1: record not found").arg(name()));
    if (i != d->pos)
        d->scrollTo(i, false, false);
    else
        d->bof = d->eof = false;
}
