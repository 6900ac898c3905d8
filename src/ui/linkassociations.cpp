#include "ui/linkassociations.h"

#include "platform/controlssuspended.h"
#include "platform/dialogs.h"
#include "platform/gridpaint.h"
#include "ui/gridfaces.h"
#include "ui/pages/pagegrids.h"

#include <QAction>
#include <QPainter>
#include <QSet>
#include <QToolBar>

namespace {
constexpr quint32 kSourcePick = 32768; // $008000, green
constexpr quint32 kLinkPick = 255;     // $0000FF, red

const QString kId = QStringLiteral("_ID");
const QString kNome = QStringLiteral("_Nome");

int fieldIndex(const DataSet& t, const QString& name) {
    const Field* f = t.findField(name);
    return f ? f->index() : -1;
}

} // namespace

// ================================================================ texts

namespace LinkTexts {
QString fieldText(const DataSet& table, int recNo, const char* field) {
    const int idx = fieldIndex(table, QString::fromLatin1(field));
    return idx < 0 ? QString() : table.stringAt(recNo, idx);
}

QString partitionText(const DataSet& partitions, int recNo) {
    const QString word = fieldText(partitions, recNo, "_Msg1");
    return word.trimmed().isEmpty() ? fieldText(partitions, recNo, "_Nome") : word;
}

QString inputText(const DataSet& inputs, int recNo) {
    QString text = fieldText(inputs, recNo, "_Nome");
    for (const char* f : {"_Msg1", "_Msg2", "_Msg3", "_Msg4"})
        text += QLatin1Char(' ') + fieldText(inputs, recNo, f);
    return text;
}
} // namespace LinkTexts

// ================================================================ one association

LinkAssociation::LinkAssociation(LinkAssociationSetup setup) : m_setup(std::move(setup)) {}

DataSet* LinkAssociation::sourceTable() const {
    return m_setup.source ? m_setup.source->dataSet() : nullptr;
}
DataSet* LinkAssociation::linkTable() const {
    return m_setup.links ? m_setup.links->dataSet() : nullptr;
}
DataSet* LinkAssociation::master() const {
    const DataSet* t = linkTable();
    return t ? t->master() : nullptr;
}

int LinkAssociation::capacity() const {
    return m_setup.capacity ? m_setup.capacity() : -1;
}

QString LinkAssociation::sourceText(int recNo) const {
    const DataSet* src = sourceTable();
    if (!src || recNo < 1 || recNo > src->recordCount())
        return QString();
    return m_setup.sourceText ? m_setup.sourceText(*src, recNo) : LinkTexts::fieldText(*src, recNo, "_Nome");
}

QString LinkAssociation::linkText(int linkRecNo) const {
    const DataSet* lt = linkTable();
    const DataSet* src = sourceTable();
    if (!lt || linkRecNo < 1 || linkRecNo > lt->recordCount())
        return QString();
    const int id = lt->integerAt(linkRecNo, fieldIndex(*lt, kId));
    if (src && id >= 1 && id <= src->recordCount())
        return sourceText(id);
    return LinkTexts::fieldText(*lt, linkRecNo, "_Nome"); // no source row there: the stored copy
}

int LinkAssociation::addPicked(QString* refusal) {
    DataSet* src = sourceTable();
    DataSet* lt = linkTable();
    DataSet* m = master();
    if (!src || !lt || !lt->active() || (m && m->isEmpty()))
        return 0;
    const int srcId = fieldIndex(*src, kId), srcName = fieldIndex(*src, kNome);
    const int linkId = fieldIndex(*lt, kId);
    if (srcId < 0 || linkId < 0)
        return 0;

    QSet<int> linked;
    for (int r = 1; r <= lt->recordCount(); ++r)
        linked.insert(lt->integerAt(r, linkId));
    const int before = int(linked.size());

    // The picked rows, in pick order, read through a clone so the source cursor stays put.
    struct NewLink {
        int id;
        QString name;
    };
    std::vector<NewLink> fresh;
    std::unique_ptr<DataSet> clone = src->cloneCursor();
    for (const Bookmark& b : m_setup.source->selectedRows()) {
        if (!clone->bookmarkValid(b))
            continue;
        clone->gotoBookmark(b);
        const int recNo = clone->recNo();
        const int id = clone->integerAt(recNo, srcId);
        // A row whose `_ID` is not a position of the source would link to nothing.
        if (id < 1 || id > src->recordCount() || linked.contains(id))
            continue;
        linked.insert(id);
        fresh.push_back({id, srcName >= 0 ? clone->stringAt(recNo, srcName) : QString()});
    }

    const int cap = capacity();
    if (cap >= 0 && before + int(fresh.size()) > cap) {
        if (refusal)
            *refusal = m_setup.capacityMessage.isEmpty()
                           ? QStringLiteral("Impossibile associare più di %1 elementi.").arg(cap)
                           : m_setup.capacityMessage.arg(cap);
        return -1;
    }
    if (!fresh.empty()) {
        ControlsSuspended hold(*lt);
        lt->checkBrowseMode();
        Field& id = lt->fieldByName(kId);
        Field* name = lt->findField(kNome);
        for (const NewLink& link : fresh) {
            lt->append();
            id.setAsInteger(link.id);
            if (name)
                name->setAsString(link.name);
            lt->post();
        }
    }
    m_setup.source->clearSelectedRows();
    return int(fresh.size());
}

int LinkAssociation::removePicked() {
    DataSet* lt = linkTable();
    DBGrid* grid = m_setup.links;
    if (!lt || !grid || !lt->active())
        return 0;
    const std::vector<Bookmark> picks = grid->selectedRows();
    int removed = 0;
    if (!picks.empty()) {
        ControlsSuspended hold(*lt);
        lt->checkBrowseMode();
        for (const Bookmark& b : picks) {
            if (!lt->bookmarkValid(b))
                continue;
            lt->gotoBookmark(b);
            lt->deleteRecord();
            ++removed;
        }
    }
    grid->clearSelectedRows();
    m_linkPicked = false;
    return removed;
}

void LinkAssociation::dropPicks() {
    m_linkPicked = false;
    if (m_setup.source)
        m_setup.source->clearSelectedRows();
    if (m_setup.links)
        m_setup.links->clearSelectedRows();
}

Bookmark LinkAssociation::masterKey() const {
    const DataSet* m = master();
    return m && m->active() && !m->isEmpty() ? m->bookmark() : Bookmark{};
}

void LinkAssociation::masterMaybeChanged() {
    DataSet* m = master();
    DataSet* root = m;
    while (root && root->master())
        root = root->master();
    const Bookmark key = masterKey();
    const Bookmark rootKey =
        root && root != m && root->active() && !root->isEmpty() ? root->bookmark() : Bookmark{};
    const bool changed = m_haveKey && (key != m_masterKey || rootKey != m_rootKey);
    m_masterKey = key;
    m_rootKey = rootKey;
    m_haveKey = true;
    if (changed && m_owner)
        m_owner->masterChanged(*this);
}

// ================================================================ the actions

TLinkActions::TLinkActions(QAction* add, QAction* remove, QObject* parent)
    : QObject(parent), m_add(add), m_remove(remove) {
    for (QAction* a : {add, remove})
        if (a)
            a->setEnabled(false);
    if (add)
        connect(add, &QAction::triggered, this, &TLinkActions::Action2Execute);
    if (remove)
        connect(remove, &QAction::triggered, this, &TLinkActions::Action3Execute);
}

TLinkActions::~TLinkActions() = default;

LinkAssociation& TLinkActions::add(LinkAssociationSetup setup) {
    m_list.push_back(std::unique_ptr<LinkAssociation>(new LinkAssociation(std::move(setup))));
    LinkAssociation& a = *m_list.back();
    a.m_owner = this;
    if (DataSet* m = a.master()) {
        // A source of our own on the master: every cursor move, whoever makes it, reaches us.
        auto* watch = new DataSource(m, this);
        connect(watch, &DataSource::dataSetScrolled, this, [&a] { a.masterMaybeChanged(); });
        connect(watch, &DataSource::dataSetChanged, this, [&a] { a.masterMaybeChanged(); });
        connect(watch, &DataSource::activeChanged, this, [&a] { a.masterMaybeChanged(); });
        a.masterMaybeChanged();
    }
    if (a.m_setup.wireGrids) {
        for (DBGrid* grid : {a.source(), a.links()}) {
            if (!grid)
                continue;
            grid->onDrawColumnCell = [this, &a](DBGrid& g, QPainter& p, const QRect& r, int dataCol,
                                                DBGridColumn& c,
                                                GridDrawState s) { paintCell(a, g, p, r, dataCol, c, s); };
            grid->onCellClick = [this, &a, grid](DBGridColumn&) { pickClick(a, *grid); };
        }
    }
    if (a.m_setup.wireMouseDown) {
        for (DBGrid* grid : {a.source(), a.links()})
            if (grid)
                grid->onMouseDown = [this](DBGrid& g, Qt::MouseButton button, Qt::KeyboardModifiers, int,
                                           int) { DBGridSelMouseDown(g, button); };
    }
    return a;
}

LinkAssociation* TLinkActions::find(const QString& name) const {
    for (const auto& a : m_list)
        if (a->name() == name)
            return a.get();
    return nullptr;
}

LinkAssociation* TLinkActions::active() const {
    for (const auto& a : m_list)
        if (a->isActive())
            return a.get();
    return nullptr;
}

void TLinkActions::Action2Execute() {
    LinkAssociation* a = active();
    if (!a)
        return;
    QString refusal;
    try {
        if (a->addPicked(&refusal) < 0) {
            ShowMessage(refusal);
            return;
        }
    } catch (const DataSetError& e) {
        ShowMessage(e.message());
        return;
    }
    if (m_add)
        m_add->setEnabled(false);
}

void TLinkActions::Action3Execute() {
    LinkAssociation* a = active();
    if (!a)
        return;
    try {
        a->removePicked();
    } catch (const DataSetError& e) {
        ShowMessage(e.message());
    }
    if (m_remove)
        m_remove->setEnabled(false);
}

void TLinkActions::pickClick(LinkAssociation& association, DBGrid& grid) {
    DataSet* ds = grid.dataSet();
    if (!ds || !ds->active() || ds->isEmpty())
        return;
    grid.setCurrentRowSelected(!grid.currentRowSelected());
    const bool any = grid.selectedRowCount() > 0;
    if (&grid == association.source()) {
        if (m_add)
            m_add->setEnabled(any);
        return;
    }
    if (m_remove)
        m_remove->setEnabled(any);
    association.m_linkPicked = any;
    if (any) {
        const DataSet* m = association.master();
        const Field* id = m ? m->findField(kId) : nullptr;
        association.IDParz = id ? id->asInteger() : 0;
    }
}

void TLinkActions::DBGridSelMouseDown(DBGrid& grid, Qt::MouseButton button) {
    if (m_add)
        m_add->setEnabled(button == Qt::RightButton && grid.selectedRowCount() > 0);
}

void TLinkActions::paintCell(LinkAssociation& association, DBGrid& grid, QPainter& painter, const QRect& rect,
                             int dataCol, DBGridColumn& column, GridDrawState state) {
    ColoraGriglia(grid, painter, rect, dataCol, column, state);
    const DataSet* ds = grid.dataSet();
    if (column.fieldName() != kNome || !ds || !ds->active() || ds->isEmpty())
        return;
    const bool picked = grid.paintedRowSelected();
    const bool isSource = &grid == association.source();
    if (picked)
        painter.fillRect(rect, GridPalette::color(isSource ? kSourcePick : kLinkPick));
    else
        painter.fillRect(rect, grid.canvas().brush);
    const int recNo = grid.paintedRecNo();
    const QString text = isSource ? association.sourceText(recNo) : association.linkText(recNo);
    // Black on the green or red fill too: it reads better on both than white.
    drawGripFace(grid, painter, rect, text, picked, Qt::black);
}

void TLinkActions::fillToolBar(QToolBar* toolBar) const {
    if (!toolBar)
        return;
    toolBar->addSeparator();
    toolBar->addAction(m_add);
    toolBar->addSeparator();
    toolBar->addAction(m_remove);
    toolBar->addSeparator();
    nameButtonsByHint(toolBar);
}

void TLinkActions::masterChanged(LinkAssociation& association) {
    // The link list has dropped its marks by now (its rows are the new master's), so its picks
    // are known from the last click on it, not from the grid.
    const bool had =
        association.m_linkPicked || (association.source() && association.source()->selectedRowCount() > 0);
    association.dropPicks();
    if (!had)
        return;
    for (QAction* a : {m_add.data(), m_remove.data()})
        if (a)
            a->setEnabled(false);
}

#include "moc_linkassociations.cpp"
