#include "platform/dbgrid.h"
#include "platform/dbgrid_p.h"

#include "platform/colors.h"
#include "platform/dialogs.h"
#include "platform/glyphs.h"
#include "platform/maskedlineedit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

using namespace dbgrid_detail;

// ================================================================ DBGridColumn

int DBGridColumn::index() const {
    for (int i = 0; i < m_grid->columnCount(); ++i)
        if (&m_grid->column(i) == this)
            return i;
    return -1;
}

void DBGridColumn::setFieldName(const QString& name) {
    m_fieldName = name;
    m_fieldOf = nullptr;
    m_grid->viewport()->update();
}

Field* DBGridColumn::field() const {
    const DataSet* ds = m_grid->dataSet();
    if (ds != m_fieldOf || !ds) {
        m_field = ds && !m_fieldName.isEmpty() ? ds->findField(m_fieldName) : nullptr;
        m_fieldOf = ds;
    }
    return m_field;
}

void DBGridColumn::setWidth(int width) {
    width = std::max(width, 0);
    if (width == m_width)
        return;
    m_width = width;
    m_grid->columnWidthsChanged();
}

void DBGridColumn::setVisible(bool visible) {
    if (visible == m_visible)
        return;
    m_visible = visible;
    m_grid->columnWidthsChanged();
}

bool DBGridColumn::isReadOnly() const {
    if (readOnly)
        return true;
    const Field* f = field();
    return f && f->readOnly;
}

QString DBGridColumn::titleCaption() const {
    if (title.captionSet || !title.caption.isEmpty())
        return title.caption;
    if (const Field* f = field())
        return f->displayName();
    return m_fieldName;
}

// ================================================================ construction and binding

DBGrid::DBGrid(QWidget* parent) : QAbstractScrollArea(parent), d(std::make_unique<Private>()) {
    m_options = GridOption::Editing | GridOption::Titles | GridOption::Indicator | GridOption::ColumnResize |
                GridOption::ColLines | GridOption::RowLines | GridOption::Tabs | GridOption::ConfirmDelete |
                GridOption::CancelOnExit;
    m_color = colorFromTColor(kDefaultBackground);
    m_fixedColor = sysColor(COLOR_ACTIVEBORDER);
    m_lineColor = colorFromTColor(kDataLines);
    m_titleFont = font();
    m_titleFont.setBold(true);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    // The grid fills every pixel it owns, so Qt need not clear the viewport first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setSingleStep(1);
    d->focusConnection = connect(qApp, &QApplication::focusChanged, this, &DBGrid::onFocusChanged);
}

DBGrid::~DBGrid() {
    disconnect(d->focusConnection);
}

void DBGrid::setDataSource(DataSource* source) {
    if (source == m_source)
        return;
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    if (source) {
        connect(source, &DataSource::activeChanged, this, &DBGrid::sourceActiveChanged);
        connect(source, &DataSource::dataSetChanged, this, &DBGrid::sourceDataChanged);
        connect(source, &DataSource::dataSetScrolled, this, &DBGrid::sourceScrolled);
        connect(source, &DataSource::recordChanged, this, &DBGrid::sourceRecordChanged);
        connect(source, &DataSource::stateChanged, this, &DBGrid::sourceStateChanged);
        connect(source, &DataSource::updateData, this, &DBGrid::sourceUpdateData);
        connect(source, &QObject::destroyed, this, [this] { sourceDataChanged(); });
    }
    m_marks.clear();
    m_top = 1;
    sourceDataChanged();
}

DataSet* DBGrid::dataSet() const {
    return m_source ? m_source->dataSet() : nullptr;
}

bool DBGrid::dataActive() const {
    const DataSet* ds = dataSet();
    return ds && ds->active();
}

int DBGrid::recordCount() const {
    return dataActive() ? dataSet()->recordCount() : 0;
}

// ================================================================ columns

DBGridColumn& DBGrid::addColumn(const QString& fieldName, const QString& caption, int width) {
    auto column = std::unique_ptr<DBGridColumn>(new DBGridColumn(this));
    column->m_fieldName = fieldName;
    column->title.caption = caption;
    if (width >= 0) {
        column->m_width = width;
    } else if (const Field* f = column->field()) {
        const int chars =
            f->displayWidth > 0 ? f->displayWidth : (f->size() > 0 ? std::min(f->size(), 40) : 10);
        const QFontMetrics fm(font());
        column->m_width = std::max(chars * fm.averageCharWidth() + 4,
                                   QFontMetrics(m_titleFont).horizontalAdvance(f->displayName()) + 4);
    }
    m_columns.push_back(std::move(column));
    if (m_col < 0)
        m_col = 0;
    layoutChanged();
    return *m_columns.back();
}

void DBGrid::removeColumn(int dataCol) {
    if (dataCol < 0 || dataCol >= columnCount())
        return;
    hideEditor();
    m_columns.erase(m_columns.begin() + dataCol);
    if (m_col >= columnCount())
        m_col = columnCount() - 1;
    layoutChanged();
}

void DBGrid::clearColumns() {
    hideEditor();
    m_columns.clear();
    m_col = -1;
    layoutChanged();
}

void DBGrid::addColumnsForFields() {
    const DataSet* ds = dataSet();
    if (!ds)
        return;
    for (const Field* f : ds->fields())
        if (f->visible && f->dataType() != FieldType::Nested)
            addColumn(f->fieldName());
}

DBGridColumn* DBGrid::columnOfField(const QString& fieldName) const {
    for (const auto& c : m_columns)
        if (c->fieldName() == fieldName)
            return c.get();
    return nullptr;
}

// ================================================================ options and look

void DBGrid::setOptions(GridOptions options) {
    if (options == m_options)
        return;
    const bool multiSelectOff =
        m_options.testFlag(GridOption::MultiSelect) && !options.testFlag(GridOption::MultiSelect);
    m_options = options;
    if (!hasOption(GridOption::Editing) || hasOption(GridOption::RowSelect))
        hideEditor();
    if (multiSelectOff)
        clearSelectedRows(); // marks exist only while multi-select is on
    layoutChanged();
}

void DBGrid::setOption(GridOption option, bool on) {
    GridOptions o = m_options;
    o.setFlag(option, on);
    setOptions(o);
}

void DBGrid::setColor(const QColor& color) {
    m_color = color;
    viewport()->update();
}

void DBGrid::setFixedColor(const QColor& color) {
    m_fixedColor = color;
    viewport()->update();
}

void DBGrid::setTitleFont(const QFont& font) {
    m_titleFont = font;
    d->titleFontSet = true;
    layoutChanged();
}

void DBGrid::setLineColor(const QColor& color) {
    m_lineColor = color;
    viewport()->update();
}

int DBGrid::defaultRowHeight() const {
    return m_rowHeight > 0 ? m_rowHeight : QFontMetrics(font()).height() + 3;
}

void DBGrid::setDefaultRowHeight(int pixels) {
    m_rowHeight = std::max(pixels, 0);
    layoutChanged();
}

int DBGrid::titleRowHeight() const {
    return hasOption(GridOption::Titles) ? QFontMetrics(m_titleFont).height() + 4 : 0;
}

int DBGrid::indicatorWidth() const {
    return hasOption(GridOption::Indicator) ? kIndicatorWidth : 0;
}

void DBGrid::setDefaultDrawing(bool on) {
    m_defaultDrawing = on;
    viewport()->update();
}

void DBGrid::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        if (!d->titleFontSet) {
            m_titleFont = font();
            m_titleFont.setBold(true);
        }
        if (d->editor)
            d->editor->setFont(font());
        layoutChanged();
    }
    QAbstractScrollArea::changeEvent(event);
}

// ================================================================ geometry

int DBGrid::rowPitch() const {
    return defaultRowHeight() + (hasOption(GridOption::RowLines) ? 1 : 0);
}

int DBGrid::columnPitch(const DBGridColumn& column) const {
    return column.visible() ? column.storedWidth() + (hasOption(GridOption::ColLines) ? 1 : 0) : 0;
}

int DBGrid::dataAreaLeft() const {
    return hasOption(GridOption::Indicator) ? kIndicatorWidth + (hasOption(GridOption::ColLines) ? 1 : 0) : 0;
}

int DBGrid::titleOffset() const {
    return hasOption(GridOption::Titles) ? 1 : 0;
}

int DBGrid::titlePitch() const {
    return hasOption(GridOption::Titles) ? titleRowHeight() + (hasOption(GridOption::RowLines) ? 1 : 0) : 0;
}

int DBGrid::columnLeft(int dataCol) const {
    int x = dataAreaLeft() - m_hOffset;
    for (int i = 0; i < dataCol; ++i)
        x += columnPitch(*m_columns[i]);
    return x;
}

int DBGrid::gridColumnOf(int dataCol) const {
    return dataCol + (hasOption(GridOption::Indicator) ? 1 : 0);
}

int DBGrid::dataColumnOf(int gridCol) const {
    return gridCol - (hasOption(GridOption::Indicator) ? 1 : 0);
}

int DBGrid::visibleRowCount() const {
    const int h = viewport()->height() - titlePitch();
    return std::max(h / rowPitch(), 1);
}

QPoint DBGrid::MouseCoord(int x, int y) const {
    const QPoint outside(-1, -1);
    if (x < 0 || y < 0 || x >= viewport()->width() || y >= viewport()->height())
        return outside;
    int row;
    const int top = titlePitch();
    if (y < top) {
        row = 0;
    } else {
        const int r = (y - top) / rowPitch();
        if (m_top + r > recordCount())
            return outside;
        row = r + titleOffset();
    }
    if (x < dataAreaLeft())
        return QPoint(0, row);
    int left = columnLeft(0);
    for (int c = 0; c < columnCount(); ++c) {
        const int pitch = columnPitch(*m_columns[c]);
        if (x >= left && x < left + pitch)
            return QPoint(gridColumnOf(c), row);
        left += pitch;
    }
    return outside;
}

QRect DBGrid::cellRect(int col, int row) const {
    int y;
    int h;
    if (row < titleOffset()) {
        if (row < 0)
            return {};
        y = 0;
        h = titleRowHeight();
    } else {
        const int r = row - titleOffset();
        if (m_top + r > recordCount())
            return {};
        y = titlePitch() + r * rowPitch();
        h = defaultRowHeight();
    }
    if (y >= viewport()->height())
        return {};
    if (hasOption(GridOption::Indicator) && col == 0)
        return QRect(0, y, kIndicatorWidth, h);
    const int dataCol = dataColumnOf(col);
    if (dataCol < 0 || dataCol >= columnCount() || !m_columns[dataCol]->visible())
        return {};
    const QRect r(columnLeft(dataCol), y, m_columns[dataCol]->storedWidth(), h);
    if (r.right() < dataAreaLeft() || r.left() >= viewport()->width())
        return {};
    return r;
}

QRect DBGrid::currentCellRect() const {
    if (!dataActive() || m_col < 0)
        return {};
    return cellRect(gridColumnOf(m_col), dataSet()->recNo() - m_top + titleOffset());
}

int DBGrid::paintedGridRow() const {
    return m_paintRow;
}

// ================================================================ scrolling and layout

void DBGrid::layoutChanged() {
    updateScrollBars();
    scrollToCursor();
    positionOverlays();
    viewport()->update();
}

void DBGrid::columnWidthsChanged() {
    layoutChanged();
}

void DBGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    layoutChanged();
}

void DBGrid::showEvent(QShowEvent* event) {
    QAbstractScrollArea::showEvent(event);
    layoutChanged(); // the cursor may have moved while the grid was hidden
}

// On a sheet not shown (another tab of its page control) the grid has no size of its own yet.
bool DBGrid::hiddenInWindow() const {
    for (const QWidget* w = this; w && !w->isWindow(); w = w->parentWidget())
        if (w->isHidden())
            return true;
    return false;
}

void DBGrid::setTopRecNo(int recNo) {
    m_top = recNo;
    scrollToCursor();
    positionOverlays();
    viewport()->update();
}

void DBGrid::updateScrollBars() {
    const bool was = m_syncing;
    m_syncing = true;
    const int visible = visibleRowCount();
    const int count = recordCount();
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, std::max(count - visible, 0));
    v->setPageStep(visible);
    v->setValue(m_top - 1);

    int total = 0;
    for (const auto& c : m_columns)
        total += columnPitch(*c);
    const int avail = std::max(viewport()->width() - dataAreaLeft(), 0);
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, std::max(total - avail, 0));
    h->setPageStep(std::max(avail, 1));
    m_hOffset = std::clamp(m_hOffset, 0, h->maximum());
    h->setValue(m_hOffset);
    m_syncing = was;
}

void DBGrid::scrollToCursor() {
    const int count = recordCount();
    const int visible = visibleRowCount();
    // A hidden grid's rows in view are those it had when last shown; it follows the cursor
    // once it is shown again at its real size (scrolling now, by the size it has while hidden,
    // would put the current row at the top).
    if (count > 0 && !hiddenInWindow()) {
        const int cur = dataSet()->recNo();
        if (cur > 0 && cur < m_top)
            m_top = cur;
        else if (cur >= m_top + visible)
            m_top = cur - visible + 1;
    }
    m_top = std::clamp(m_top, 1, std::max(count - visible + 1, 1));

    if (m_col >= 0 && m_col < columnCount() && !hasOption(GridOption::RowSelect) &&
        m_columns[m_col]->visible()) {
        const int left = columnLeft(m_col) + m_hOffset - dataAreaLeft();
        const int width = m_columns[m_col]->storedWidth();
        const int avail = viewport()->width() - dataAreaLeft();
        if (left < m_hOffset)
            m_hOffset = left;
        else if (left + width > m_hOffset + avail)
            m_hOffset = std::min(left, left + width - avail);
    }
    updateScrollBars();
}

void DBGrid::scrollContentsBy(int, int) {
    if (m_syncing)
        return;
    m_hOffset = horizontalScrollBar()->value();
    const int newTop = verticalScrollBar()->value() + 1;
    if (newTop != m_top) {
        m_top = newTop;
        // The current row stays on screen: scrolling past it takes the cursor along.
        if (dataActive()) {
            const int cur = dataSet()->recNo();
            const int last = m_top + visibleRowCount() - 1;
            const int target = std::clamp(cur, m_top, std::min(last, recordCount()));
            if (target != cur && !moveToRecNo(target))
                scrollToCursor();
        }
    }
    positionOverlays();
    viewport()->update();
}

void DBGrid::positionOverlays() {
    QRect r;
    if (dataActive() && m_col >= 0 && m_col < columnCount()) {
        const int row = dataSet()->recNo() - m_top;
        r = QRect(columnLeft(m_col), titlePitch() + row * rowPitch(), m_columns[m_col]->storedWidth(),
                  defaultRowHeight());
    }
    for (const auto& w : m_overlays)
        if (w && r.isValid())
            w->setGeometry(r);
    if (d->editor && d->editor->isVisible()) {
        if (r.isValid())
            d->editor->setGeometry(r);
        else
            hideEditor();
    }
}

void DBGrid::attachCellEditor(QWidget* editor) {
    if (!editor)
        return;
    if (std::find(m_overlays.begin(), m_overlays.end(), editor) == m_overlays.end())
        m_overlays.emplace_back(editor);
    if (editor->parentWidget() != viewport()) {
        const bool shown = !editor->isHidden();
        editor->setParent(viewport());
        editor->setVisible(shown);
    }
    positionOverlays();
}

void DBGrid::detachCellEditor(QWidget* editor) {
    m_overlays.erase(std::remove(m_overlays.begin(), m_overlays.end(), editor), m_overlays.end());
}

// ================================================================ cursor and columns

DBGridColumn* DBGrid::selectedColumn() const {
    return m_col >= 0 && m_col < columnCount() ? m_columns[m_col].get() : nullptr;
}

Field* DBGrid::selectedField() const {
    const DBGridColumn* c = selectedColumn();
    return c ? c->field() : nullptr;
}

void DBGrid::setSelectedIndex(int dataCol) {
    moveColumn(dataCol);
}

bool DBGrid::moveColumn(int dataCol) {
    if (dataCol < 0 || dataCol >= columnCount() || dataCol == m_col)
        return dataCol == m_col;
    if (editorMode()) {
        if (!commitEditor())
            return false;
        hideEditor();
    }
    if (onColExit)
        onColExit(*this);
    m_col = dataCol;
    scrollToCursor();
    if (onColEnter)
        onColEnter(*this);
    positionOverlays();
    viewport()->update();
    emit currentCellChanged();
    return true;
}

bool DBGrid::commitBeforeLeavingRow() {
    if (!editorMode())
        return true;
    if (!commitEditor())
        return false;
    hideEditor();
    return true;
}

bool DBGrid::moveToRecNo(int recNo) {
    if (!dataActive())
        return false;
    DataSet* ds = dataSet();
    recNo = std::clamp(recNo, 1, std::max(ds->recordCount(), 1));
    if (recNo == ds->recNo())
        return true;
    if (!commitBeforeLeavingRow())
        return false;
    try {
        ds->setRecNo(recNo); // posts a pending edit first
    } catch (const DataSetError& e) {
        ShowMessage(e.message());
        return false;
    }
    return ds->recNo() == recNo;
}

void DBGrid::moveBy(int rows) {
    if (dataActive())
        moveToRecNo(dataSet()->recNo() + rows);
}

// ================================================================ marked rows

bool DBGrid::isRowSelected(const Bookmark& row) const {
    return std::find(m_marks.begin(), m_marks.end(), row) != m_marks.end();
}

bool DBGrid::currentRowSelected() const {
    return dataActive() && !dataSet()->isEmpty() && isRowSelected(dataSet()->bookmark());
}

void DBGrid::setCurrentRowSelected(bool selected) {
    if (!dataActive() || dataSet()->isEmpty())
        return;
    const Bookmark b = dataSet()->bookmark();
    const auto it = std::find(m_marks.begin(), m_marks.end(), b);
    if (selected == (it != m_marks.end()))
        return;
    if (selected)
        m_marks.push_back(b);
    else
        m_marks.erase(it);
    refreshMarkRows();
    viewport()->update();
    emit selectedRowsChanged();
}

void DBGrid::clearSelectedRows() {
    if (m_marks.empty())
        return;
    m_marks.clear();
    refreshMarkRows();
    viewport()->update();
    emit selectedRowsChanged();
}

void DBGrid::toggleCurrentMark() {
    setCurrentRowSelected(!currentRowSelected());
}

void DBGrid::markRange(int fromRecNo, int toRecNo) {
    // A bookmark is only known for the cursor row, so the cursor walks the range (bound
    // controls are held back meanwhile) and ends on the clicked row.
    DataSet* ds = dataSet();
    const int lo = std::min(fromRecNo, toRecNo);
    const int hi = std::max(fromRecNo, toRecNo);
    bool added = false;
    ds->disableControls();
    try {
        for (int r = lo; r <= hi; ++r) {
            ds->setRecNo(r);
            const Bookmark b = ds->bookmark();
            if (!isRowSelected(b)) {
                m_marks.push_back(b);
                added = true;
            }
        }
        ds->setRecNo(toRecNo);
    } catch (const DataSetError& e) {
        ds->enableControls();
        ShowMessage(e.message());
        return;
    }
    ds->enableControls();
    refreshMarkRows();
    if (added)
        emit selectedRowsChanged();
    viewport()->update();
}

bool DBGrid::isMarkedRecNo(int recNo) const {
    if (d->markRecNos.empty())
        return false;
    return std::binary_search(d->markRecNos.begin(), d->markRecNos.end(), recNo);
}

void DBGrid::refreshMarkRows() {
    // Painting must know which visible rows are marked without moving the cursor: a clone with
    // the same order and filter finds the record number of every mark. Done when the marks or
    // the rows change, never while painting.
    d->markRecNos.clear();
    const DataSet* ds = dataSet();
    if (m_marks.empty() || !ds || !ds->active())
        return;
    try {
        std::unique_ptr<DataSet> clone = ds->cloneCursor();
        if (!ds->indexName().isEmpty())
            clone->setIndexName(ds->indexName());
        else if (!ds->indexFieldNames().isEmpty())
            clone->setIndexFieldNames(ds->indexFieldNames());
        if (ds->filtered()) {
            clone->setFilter(ds->filter());
            clone->onFilterRecord = ds->onFilterRecord;
            clone->setFiltered(true);
        }
        for (const Bookmark& b : m_marks) {
            if (!clone->bookmarkValid(b))
                continue;
            clone->gotoBookmark(b);
            d->markRecNos.push_back(clone->recNo());
        }
    } catch (const DataSetError&) {
        // Without a clone only the cursor row is known to be marked; painting falls back to it.
        d->markRecNos.clear();
        if (currentRowSelected())
            d->markRecNos.push_back(ds->recNo());
    }
    std::sort(d->markRecNos.begin(), d->markRecNos.end());
}

void DBGrid::dropInvalidMarks() {
    const DataSet* ds = dataSet();
    const auto before = m_marks.size();
    if (!ds || !ds->active())
        m_marks.clear();
    else
        m_marks.erase(std::remove_if(m_marks.begin(), m_marks.end(),
                                     [ds](const Bookmark& b) { return !ds->bookmarkValid(b); }),
                      m_marks.end());
    refreshMarkRows();
    if (m_marks.size() != before)
        emit selectedRowsChanged();
}

// ================================================================ data source notifications

void DBGrid::sourceActiveChanged(bool) {
    sourceDataChanged();
}

void DBGrid::sourceDataChanged() {
    for (const auto& c : m_columns)
        c->m_fieldOf = nullptr; // the table may have another field list now
    dropInvalidMarks();
    const int cur = dataActive() ? dataSet()->recNo() : 0;
    if (!dataActive())
        hideEditor();
    updateScrollBars();
    scrollToCursor();
    positionOverlays();
    viewport()->update();
    if (cur != d->curRecNo) {
        d->curRecNo = cur;
        hideEditor();
        emit currentCellChanged();
    } else if (editorMode() && !d->editorModified) {
        if (const Field* f = selectedField())
            d->editor->setStoredText(f->asString());
    }
}

void DBGrid::sourceScrolled(int) {
    const int cur = dataActive() ? dataSet()->recNo() : 0;
    scrollToCursor();
    if (cur != d->curRecNo) {
        d->curRecNo = cur;
        hideEditor();
        positionOverlays();
        emit currentCellChanged();
    }
    viewport()->update();
}

void DBGrid::sourceRecordChanged(Field* field) {
    if (editorMode() && !d->editorModified && (!field || field == selectedField()))
        d->editor->setStoredText(selectedField() ? selectedField()->asString() : QString());
    viewport()->update();
}

void DBGrid::sourceStateChanged(DataSetState) {
    if (editorMode() && !d->editorModified && selectedField())
        d->editor->setStoredText(selectedField()->asString());
    viewport()->update();
}

void DBGrid::sourceUpdateData() {
    // A post is coming from elsewhere: the typed text goes in if it may. An entry that may not
    // cannot stop that post; it is dropped after saying why.
    if (!editorMode() || !d->editorModified)
        return;
    const QString error = d->editor->validationError();
    if (!error.isEmpty()) {
        d->editorModified = false;
        ShowMessage(error);
        return;
    }
    if (Field* f = selectedField()) {
        try {
            f->setAsString(d->editor->storedText());
        } catch (const DataSetError& e) {
            ShowMessage(e.message());
        }
    }
    d->editorModified = false;
}

// ================================================================ in-place editor

namespace {
// The in-place editor, framed in the selection colour: over a cell the page paints white, as
// the editor is, or over an empty one, nothing else would show where the keys go.
class FramedCellEdit final : public MaskedLineEdit {
public:
    using MaskedLineEdit::MaskedLineEdit;

protected:
    void paintEvent(QPaintEvent* event) override {
        MaskedLineEdit::paintEvent(event);
        // Filled strips, not a pen: a whole pixel wide at every scale.
        QPainter p(this);
        const QColor mark = sysColor(COLOR_HIGHLIGHT);
        const QRect r = rect();
        p.fillRect(QRect(r.left(), r.top(), r.width(), 1), mark);
        p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), mark);
        p.fillRect(QRect(r.left(), r.top(), 1, r.height()), mark);
        p.fillRect(QRect(r.right(), r.top(), 1, r.height()), mark);
    }
};
} // namespace

MaskedLineEdit* DBGrid::inplaceEditor() const {
    return d->editor;
}

bool DBGrid::editorMode() const {
    return d->editor && d->editor->isVisible();
}

bool DBGrid::canEditCurrentCell() const {
    if (!hasOption(GridOption::Editing) || hasOption(GridOption::RowSelect) || !dataActive())
        return false;
    const DBGridColumn* c = selectedColumn();
    if (!c || !c->visible() || c->isReadOnly())
        return false;
    const Field* f = c->field();
    return f && f->dataType() != FieldType::Nested;
}

bool DBGrid::showEditor() {
    if (editorMode())
        return true;
    if (!canEditCurrentCell())
        return false;
    // Opened with its text selected, as a grid's editor opens: the text shows in the selection
    // colour, and what is typed first takes its place.
    startEditor(QString(), true);
    return editorMode();
}

void DBGrid::startEditor(const QString&, bool selectAll) {
    if (!d->editor) {
        d->editor = new FramedCellEdit(viewport());
        d->editor->setFrame(false);
        d->editor->hide();
        d->editor->installEventFilter(this);
        connect(d->editor, &QLineEdit::textEdited, this, &DBGrid::editorTextEdited);
    }
    Field* f = selectedField();
    MaskedLineEdit* e = d->editor;
    e->setFont(font());
    e->setAlignment(selectedColumn()->alignment | Qt::AlignVCenter);
    e->setEditMask(f->editMask);
    e->setMaxLength(f->editMask.isEmpty() && f->dataType() == FieldType::String && f->size() > 0
                        ? f->editLength()
                        : e->maxLength());
    e->setStoredText(dataSet()->isEmpty() ? QString() : f->asString());
    d->editorModified = false;
    d->refusalShown = false;
    const QRect r = currentCellRect();
    if (!r.isValid())
        return;
    e->setGeometry(r);
    e->show();
    e->setFocus(Qt::OtherFocusReason);
    if (selectAll)
        e->selectAll();
    viewport()->update();
}

void DBGrid::editorTextEdited() {
    d->refusalShown = false; // a changed text is judged, and told, afresh
    if (d->editorModified)
        return;
    // Marked first: going into edit state notifies the grid, which must not reload the editor
    // over the text being typed.
    d->editorModified = true;
    DataSet* ds = dataSet();
    if (ds && ds->state() == DataSetState::Browse) {
        try {
            ds->edit();
        } catch (const DataSetError& e) {
            hideEditor();
            ShowMessage(e.message());
        }
    }
}

// A text refused once is refused again without a second box until it is changed: Return and
// then a move off the cell would otherwise tell the same thing twice.
void DBGrid::refuseEditorText(const QString& reason) {
    if (!d->refusalShown) {
        d->refusalShown = true;
        ShowMessage(reason);
    }
    d->editor->setFocus(Qt::OtherFocusReason);
}

bool DBGrid::commitEditor() {
    if (!editorMode() || !d->editorModified)
        return true;
    const QString error = d->editor->validationError();
    if (!error.isEmpty()) {
        refuseEditorText(error);
        return false;
    }
    Field* f = selectedField();
    if (!f)
        return true;
    try {
        f->setAsString(d->editor->storedText());
    } catch (const DataSetError& e) {
        refuseEditorText(e.message());
        return false;
    }
    d->editorModified = false;
    return true;
}

void DBGrid::hideEditor() {
    if (!d->editor)
        return;
    d->editorModified = false;
    d->refusalShown = false;
    if (!d->editor->isVisible())
        return;
    // Focus comes back to the grid before the editor goes: hiding a focused child makes Qt pass
    // the focus on as a Tab would, which moves the grid's current cell one column right.
    if (d->editor->hasFocus())
        setFocus(Qt::OtherFocusReason);
    d->editor->hide();
    viewport()->update();
}

// ================================================================ focus

bool DBGrid::ownsWidget(const QWidget* w) const {
    return w && (w == this || isAncestorOf(w));
}

void DBGrid::onFocusChanged(QWidget*, QWidget* now) {
    // Focus going nowhere is the window being deactivated, hidden or destroyed, not the user
    // leaving the grid: nothing is written or asked then.
    if (!now)
        return;
    // A bare Alt lends the keys to the menu bar, which gives them back to the widget it took them
    // from on Escape: the editor stays open under it, as it does while a menu is used with the
    // mouse. Closing it here would leave the menu bar nowhere to give the keys back to.
    if (qobject_cast<QMenuBar*>(now))
        return;
    const bool isIn = ownsWidget(now);
    if (isIn == m_hasFocus)
        return;
    m_hasFocus = isIn;
    viewport()->update();
    if (isIn) {
        if (onEnter)
            onEnter(*this);
        return;
    }
    if (editorMode() && commitEditor())
        hideEditor();
    if (hasOption(GridOption::CancelOnExit) && dataActive() && dataSet()->state() == DataSetState::Insert &&
        !dataSet()->modified()) {
        try {
            dataSet()->cancel();
        } catch (const DataSetError& e) {
            ShowMessage(e.message());
        }
    }
    if (onExit)
        onExit(*this);
}

bool DBGrid::focusNextPrevChild(bool next) {
    if (!hasOption(GridOption::Tabs) || !dataActive() || columnCount() == 0) {
        // Tab in the editor leaves the grid as Tab on the grid does: what was typed is written,
        // and the focus goes on from the grid, not from the editor to the grid behind it.
        if (editorMode() && d->editor->hasFocus()) {
            if (!commitEditor())
                return true;
            hideEditor();
        }
        return QAbstractScrollArea::focusNextPrevChild(next);
    }
    // Tab walks the visible columns and wraps to the next or previous row.
    const int step = next ? 1 : -1;
    int c = m_col;
    for (int i = 0; i < columnCount(); ++i) {
        c += step;
        if (c < 0 || c >= columnCount()) {
            const int rec = dataSet()->recNo() + step;
            if (rec < 1 || rec > recordCount())
                return true;
            if (!moveToRecNo(rec))
                return true;
            c = next ? 0 : columnCount() - 1;
        }
        if (m_columns[c]->visible())
            break;
    }
    moveColumn(c);
    return true;
}

// ================================================================ keyboard

bool DBGrid::eventFilter(QObject* watched, QEvent* event) {
    if (d->editor && watched == d->editor && event->type() == QEvent::KeyPress && !d->retyping) {
        d->keyFromBelow = nullptr; // a new key starts its way up from the editor
        auto* key = static_cast<QKeyEvent*>(event);
        if (onKeyDown && onKeyDown(*this, *key))
            return true;
        if (isGridKey(key->key())) {
            d->keyFromEditor = true;
            keyPressEvent(key);
            d->keyFromEditor = false;
            return true;
        }
        if (onKeyPress && !key->text().isEmpty() && key->text().at(0).isPrint()) {
            QChar c = key->text().at(0);
            onKeyPress(*this, c);
            if (c.isNull())
                return true;
            if (c != key->text().at(0)) {
                QKeyEvent changed(key->type(), key->key(), key->modifiers(), QString(c));
                d->retyping = true; // the changed key is not handled a second time
                QCoreApplication::sendEvent(d->editor, &changed);
                d->retyping = false;
                return true;
            }
        }
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

// Keys that reach the grid while its editor is open belong to the editor, but each key goes to
// it once at most. A key the editor leaves unaccepted travels up its parents back to the grid
// (through the viewport): sending it down again would go round for ever. Such a key, and any
// key that arrives while one is being handed down, goes on up to the window instead.
void DBGrid::forwardToEditor(QKeyEvent* event, bool cameFromEditor) {
    if (d->forwarding || !d->editor || cameFromEditor) {
        event->ignore();
        return;
    }
    d->forwarding = true;
    QCoreApplication::sendEvent(d->editor, event);
    d->forwarding = false;
    event->accept(); // whatever the editor did, the key has been delivered once up the chain
}

bool DBGrid::isGridKey(int key) {
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_F2:
        return true;
    default:
        return false;
    }
}

void DBGrid::keyPressEvent(QKeyEvent* event) {
    const bool fromEditor = d->keyFromEditor; // the editor's filter already ran the key handler
    const bool cameUp = d->keyFromBelow == event;
    d->keyFromBelow = nullptr;
    if (editorMode() && !fromEditor && !isGridKey(event->key())) {
        forwardToEditor(event, cameUp);
        return;
    }
    if (!fromEditor && onKeyDown && onKeyDown(*this, *event))
        return;
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool shift = mods & Qt::ShiftModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    const bool multi = hasOption(GridOption::MultiSelect);

    auto rowKey = [&](int delta) {
        if (!dataActive())
            return;
        if (multi && shift) {
            setCurrentRowSelected(true);
            moveBy(delta);
            setCurrentRowSelected(true);
        } else {
            if (multi)
                clearSelectedRows();
            moveBy(delta);
        }
    };
    auto nextVisible = [&](int from, int step) {
        for (int c = from + step; c >= 0 && c < columnCount(); c += step)
            if (m_columns[c]->visible())
                return c;
        return -1;
    };

    switch (event->key()) {
    case Qt::Key_Up:
        rowKey(-1);
        return;
    case Qt::Key_Down:
        rowKey(1);
        return;
    case Qt::Key_PageUp:
        rowKey(-visibleRowCount());
        return;
    case Qt::Key_PageDown:
        rowKey(visibleRowCount());
        return;
    case Qt::Key_Home:
        if (ctrl) {
            if (multi)
                clearSelectedRows();
            moveToRecNo(1);
        } else if (int c = nextVisible(-1, 1); c >= 0) {
            moveColumn(c);
        }
        return;
    case Qt::Key_End:
        if (ctrl) {
            if (multi)
                clearSelectedRows();
            moveToRecNo(recordCount());
        } else if (int c = nextVisible(columnCount(), -1); c >= 0) {
            moveColumn(c);
        }
        return;
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const int step = event->key() == Qt::Key_Left ? -1 : 1;
        if (hasOption(GridOption::RowSelect)) {
            QScrollBar* h = horizontalScrollBar();
            h->setValue(h->value() + step * h->singleStep());
        } else if (int c = nextVisible(m_col, step); c >= 0) {
            moveColumn(c);
        }
        return;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (onKeyPress) { // the page may take Enter itself, or swallow it
            QChar c(QLatin1Char('\r'));
            onKeyPress(*this, c);
            if (c.isNull())
                return;
        }
        [[fallthrough]];
    case Qt::Key_F2:
        if (editorMode()) {
            if (commitEditor())
                hideEditor();
        } else {
            showEditor();
        }
        return;
    case Qt::Key_Escape:
        if (editorMode() && d->editorModified) {
            hideEditor(); // the typed text is dropped; what was written stays
        } else {
            hideEditor();
            DataSet* ds = dataSet();
            if (ds && (ds->state() == DataSetState::Edit || ds->state() == DataSetState::Insert)) {
                try {
                    ds->cancel();
                } catch (const DataSetError& e) {
                    ShowMessage(e.message());
                }
            }
        }
        return;
    default:
        break;
    }

    const QString text = event->text();
    if (text.size() == 1 && text.at(0).isPrint() && !(mods & (Qt::ControlModifier | Qt::AltModifier))) {
        QChar c = text.at(0);
        if (onKeyPress)
            onKeyPress(*this, c);
        if (c.isNull())
            return;
        if (!editorMode() && canEditCurrentCell()) {
            startEditor(QString(), true);
            if (editorMode()) {
                QKeyEvent typed(QEvent::KeyPress, event->key(), mods, QString(c));
                forwardToEditor(&typed, false);
            }
        }
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

// ================================================================ mouse

void DBGrid::mousePressEvent(QMouseEvent* event) {
    const int x = event->position().toPoint().x();
    const int y = event->position().toPoint().y();
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (focusPolicy() != Qt::NoFocus && !ownsWidget(QApplication::focusWidget()))
        setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton) {
        const QPoint cell = MouseCoord(x, y);
        m_pressed = false;
        m_pressCell = cell;
        if (cell.y() >= 0 && cell.y() < titleOffset()) {
            // A title border starts a resize; otherwise the release may make a title click.
            if (hasOption(GridOption::ColumnResize)) {
                for (int c = 0; c < columnCount(); ++c) {
                    if (!m_columns[c]->visible())
                        continue;
                    const int right = columnLeft(c) + m_columns[c]->storedWidth();
                    if (std::abs(x - right) <= kResizeGrip) {
                        m_resizeCol = c;
                        m_resizeStartX = x;
                        m_resizeStartWidth = m_columns[c]->storedWidth();
                        break;
                    }
                }
            }
            m_pressed = m_resizeCol < 0;
        } else if (cell.y() >= titleOffset() && dataActive()) {
            const int recNo = m_top + cell.y() - titleOffset();
            const int dataCol = dataColumnOf(cell.x());
            const bool wasCurrent = recNo == dataSet()->recNo() && dataCol == m_col;
            bool moved;
            if (hasOption(GridOption::MultiSelect) && (mods & Qt::ShiftModifier)) {
                const int anchor = m_anchorRecNo > 0 ? m_anchorRecNo : dataSet()->recNo();
                moved = commitBeforeLeavingRow();
                if (moved)
                    markRange(anchor, recNo);
                moved = moved && dataSet()->recNo() == recNo;
            } else {
                moved = moveToRecNo(recNo);
                if (moved && hasOption(GridOption::MultiSelect)) {
                    if (mods & Qt::ControlModifier)
                        toggleCurrentMark();
                    else
                        clearSelectedRows();
                }
                if (moved)
                    m_anchorRecNo = recNo;
            }
            if (moved && dataCol >= 0)
                moved = moveColumn(dataCol);
            if (moved && wasCurrent && !(mods & (Qt::ShiftModifier | Qt::ControlModifier)) && !editorMode())
                showEditor();
            m_pressed = moved;
        }
    }
    if (onMouseDown)
        onMouseDown(*this, event->button(), mods, x, y);
}

void DBGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    if (m_resizeCol >= 0) {
        m_resizeCol = -1;
        return;
    }
    if (!m_pressed)
        return;
    m_pressed = false;
    const QPoint p = event->position().toPoint();
    const QPoint cell = MouseCoord(p.x(), p.y());
    if (cell.y() < 0 || dataColumnOf(cell.x()) < 0)
        return;
    if (cell.y() < titleOffset()) {
        const int dataCol = dataColumnOf(cell.x());
        if (onTitleClick && dataCol < columnCount() && cell == m_pressCell)
            onTitleClick(*m_columns[dataCol]);
    } else if (DBGridColumn* column = selectedColumn()) {
        const int dataCol = m_col;
        if (onCellClick)
            onCellClick(*column);
        emit cellClicked(dataCol);
    }
}

void DBGrid::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (m_resizeCol >= 0 && (event->buttons() & Qt::LeftButton)) {
        m_columns[m_resizeCol]->setWidth(std::max(m_resizeStartWidth + p.x() - m_resizeStartX, 4));
        return;
    }
    if (hasOption(GridOption::ColumnResize) && p.y() < titleRowHeight() && !event->buttons()) {
        bool onBorder = false;
        for (int c = 0; c < columnCount() && !onBorder; ++c)
            onBorder = m_columns[c]->visible() &&
                       std::abs(p.x() - columnLeft(c) - m_columns[c]->storedWidth()) <= kResizeGrip;
        if (onBorder)
            viewport()->setCursor(Qt::SplitHCursor);
        else if (viewport()->cursor().shape() == Qt::SplitHCursor)
            viewport()->unsetCursor();
    }
    if (onMouseMove)
        onMouseMove(*this, event->modifiers(), p.x(), p.y());
}

void DBGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && onDblClick)
        onDblClick(*this);
}

void DBGrid::wheelEvent(QWheelEvent* event) {
    // The wheel moves the current record, one record per notch.
    d->wheelRemainder += event->angleDelta().y();
    const int notches = d->wheelRemainder / 120;
    d->wheelRemainder -= notches * 120;
    if (notches != 0)
        moveBy(-notches);
    event->accept();
}

bool DBGrid::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Paint) {
        paintViewport(static_cast<QPaintEvent*>(event));
        return true;
    }
    // The viewport never takes the focus: a key reaching it comes up from the in-place editor,
    // which has had it and left it unaccepted. The grid, next up the chain, is told so.
    if (event->type() == QEvent::KeyPress)
        d->keyFromBelow = event;
    return QAbstractScrollArea::viewportEvent(event);
}
