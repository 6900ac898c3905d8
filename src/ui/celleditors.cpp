#include "ui/celleditors.h"

#include "model/datamodule.h"
#include "model/lang.h"
#include "platform/dataset.h"
#include "platform/dbcontrols.h"
#include "platform/dbgrid.h"
#include "platform/dialogs.h"
#include "platform/gridpaint.h"
#include "ui/gridfaces.h"
#include "ui/inputrules.h"
#include "ui/multiapply.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>

#include <algorithm>

using namespace MultiApply;

namespace {

// Items an editor offers unless its page gives others.
enum class Items : quint8 {
    Page,            // the page gives them
    Startup,         // the vocabulary's start-up items of the component name
    Messages,        // the message vocabulary, position = `_ID`
    InputOptions,    // the option list of the inputs column
    OutputOptions,   // the model's output function, condition or polarity list
    KeypadTerminals, // the inputs and outputs a keypad terminal may take
    Adaptation,      // "200" down to "-200" by 10
    FptCodes,        // the three reporting formats
    IdcCodes,        // "100" .. "999"
    Seconds240,      // "0" .. "240"
};

// What leaving the editor, or Enter in it, does beyond hiding it. The editors that store on
// leaving also open their list at any key.
enum class Exit : quint8 {
    Hide,       // only hidden
    StoreApply, // its text stored and copied to the marks; Enter does the same
    StoreExit,  // as StoreApply on leaving; Enter only stores and hides
};

struct EditorSpec {
    const char* name;
    const char* fields; // ';'-separated columns served; "" = the page names them
    const char* grid;   // the grid it is laid over
    bool editable;      // a text can be typed; otherwise a fixed list, where typing searches
    Items items;
    Exit exit;
};

const EditorSpec kEditors[] = {
    {"DBComboBox14", "_TipolUtenti", "DBGrid6", false, Items::Startup, Exit::Hide},
    {"DBComboBox1", "_Msg1;_Msg2;_Msg3;_Msg4", "DBGrid10", true, Items::Messages, Exit::StoreApply},
    {"DBComboBox32",
     "_FuncIngresso;_TipoIngresso;_AttSirIngresso;_ImpulsiIngresso;_TimeInIngresso;"
     "_CicliEsclusione;_TipoNc",
     "DBGrid15", false, Items::InputOptions, Exit::Hide},
    {"DBComboBox2",
     "_TipoChiamataTel1;_TipoChiamataTel2;_TipoChiamataTel3;_TipoChiamataTel4;_TipoChiamataTel5;"
     "_TipoChiamataTel6;_TipoChiamataTel7;_TipoChiamataTel8",
     "DBGrid11", false, Items::Startup, Exit::Hide},
    {"DBComboBox29", "_Adattamento", "DBGrid44", false, Items::Adaptation, Exit::StoreApply},
    {"DBComboBox7", "_Msg1;_Msg2;_Msg3;_Msg4", "DBGrid16", true, Items::Messages, Exit::StoreApply},
    {"DBComboBox3", "_FunzioneUscita;_CondFunzionamento;_Polarita", "DBGrid27", false, Items::OutputOptions,
     Exit::Hide},
    {"DBComboBox30", "_M1;_M2", "DBGrid18", false, Items::KeypadTerminals, Exit::Hide},
    {"DBComboBox24", "_TempoUscita", "DBGrid4", false, Items::Seconds240, Exit::Hide},
    {"DBComboBox5", "_Msg1", "DBGrid4", false, Items::Messages, Exit::StoreExit},
    {"DBComboBox11", "_Msg1", "DBGrid25", false, Items::Messages, Exit::StoreExit},
    {"DBComboBoxWireless800_Telecomandi", "_NomeDevice", "DBGrid9", false, Items::Page, Exit::Hide},
    {"DBComboBoxWireless800_Sirene", "_NomeDevice", "DBGrid47", false, Items::Page, Exit::Hide},
    {"DBComboBoxWireless800_Device", "_NomeDevice", "DBGrid48", false, Items::Page, Exit::Hide},
    {"DBComboBox38", "", "DBGrid32", false, Items::Startup, Exit::Hide},
    {"DBComboBox43", "_FPT_Cod", "DBGrid30", false, Items::FptCodes, Exit::Hide},
    {"DBComboBox45", "_CodiceIDC", "DBGrid31", false, Items::IdcCodes, Exit::Hide},
    {"DBComboBox13", "_OnOff", "DBGrid36", false, Items::Startup, Exit::Hide},
    {"DBComboBox60", "_OnOff", "DBGrid37", false, Items::Startup, Exit::Hide},
    {"DBComboBox61", "_OnOff", "DBGrid38", false, Items::Startup, Exit::Hide},
};

const char* const kLookupName = "DBLookupComboBox6";

const EditorSpec* specOf(const QString& name) {
    for (const EditorSpec& s : kEditors)
        if (name == QLatin1String(s.name))
            return &s;
    return nullptr;
}

QStringList split(const char* list) {
    return QString::fromLatin1(list).split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

// Keys the open list of an editable editor keeps for itself: moving in it, closing it.
bool isListMove(const QKeyEvent& e) {
    const int key = e.key();
    return !(e.modifiers() & Qt::AltModifier) &&
           (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown);
}
bool isListToggle(const QKeyEvent& e) {
    const int key = e.key();
    return key == Qt::Key_F4 || key == Qt::Key_Escape ||
           ((e.modifiers() & Qt::AltModifier) && (key == Qt::Key_Up || key == Qt::Key_Down));
}
bool isEnter(const QKeyEvent& e) {
    return e.key() == Qt::Key_Return || e.key() == Qt::Key_Enter;
}

// The open list marks the item its editor's text stands for: the item written the same, else
// the first item, which is what Enter or leaving would store.
void markItemOfText(DBComboBox& box) {
    QAbstractItemView* view = box.view();
    if (!view || box.count() == 0)
        return;
    const int row = std::max(0, box.findText(box.currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive));
    const QModelIndex index = box.model()->index(row, box.modelColumn());
    view->setCurrentIndex(index);
    view->scrollTo(index);
}

// Up, Down and the page keys in the open list move its mark, and the text becomes the marked
// item, as if typed, so what shows is what will be stored.
void moveInList(DBComboBox& box, const QKeyEvent& e) {
    QAbstractItemView* view = box.view();
    const int count = box.count();
    if (!view || count == 0)
        return;
    const int rowHeight = std::max(1, view->sizeHintForRow(0));
    const int page = std::max(1, view->viewport()->height() / rowHeight - 1);
    int row = view->currentIndex().isValid() ? view->currentIndex().row() : -1;
    switch (e.key()) {
    case Qt::Key_Up:
        row -= 1;
        break;
    case Qt::Key_Down:
        row += 1;
        break;
    case Qt::Key_PageUp:
        row -= page;
        break;
    default:
        row += page;
        break;
    }
    row = std::clamp(row, 0, count - 1);
    const QModelIndex index = box.model()->index(row, box.modelColumn());
    view->setCurrentIndex(index);
    view->scrollTo(index);
    box.typeText(box.itemText(row));
}

bool isEditing(const DataSet& t) {
    return t.state() == DataSetState::Edit || t.state() == DataSetState::Insert;
}

// `_Msg1`..`_Msg4` -> its index field `_IMsg1`..`_IMsg4`; "" for any other field.
QString messageIndexField(const QString& field) {
    static const QRegularExpression msg(QStringLiteral("^_Msg([1-4])$"));
    const auto m = msg.match(field);
    return m.hasMatch() ? QStringLiteral("_IMsg") + m.captured(1) : QString();
}

QStringList adaptationItems() {
    QStringList items;
    for (int v = 200; v >= -200; v -= 10)
        items << QString::number(v);
    return items;
}

QStringList outputOptionItems(const QString& field) {
    const int type = DM ? DM->GetSystemType() : 0;
    const QStringList* list = nullptr;
    if (field == QLatin1String("_FunzioneUscita"))
        list = Lang::ListaFunzioneUscite(type);
    else if (field == QLatin1String("_CondFunzionamento"))
        list = Lang::ListaCondFunzioneUscite(type);
    else if (field == QLatin1String("_Polarita"))
        list = &Lang::ListaPolaritaUscite;
    return list ? *list : QStringList();
}

QStringList usualItems(const EditorSpec& spec, DBGrid& grid, DBGridColumn& column) {
    switch (spec.items) {
    case Items::Page:
        return {};
    case Items::Startup:
        return Lang::ComboItems(QString::fromLatin1(spec.name));
    case Items::Messages:
        return CellEditors::messageItems();
    case Items::InputOptions:
        return CellEditors::inputOptionItems(column.fieldName(),
                                             grid.dataSet() ? grid.dataSet()->recNo() : 0);
    case Items::OutputOptions:
        return outputOptionItems(column.fieldName());
    case Items::KeypadTerminals: {
        QStringList list;
        return InputRules::GetListM1M2(list);
    }
    case Items::Adaptation:
        return adaptationItems();
    case Items::FptCodes:
        return {QStringLiteral("CONTACT ID"), QStringLiteral("ADEMCO(4+2)"), QStringLiteral("SIA FSK")};
    case Items::IdcCodes:
        return Lang::NumberItems(100, 999);
    case Items::Seconds240:
        return Lang::NumberItems(0, 240);
    }
    return {};
}

// Runs a handler at the boundary of the editors: an engine error is shown, as every control
// of the window shows it, and the editor stays as it was.
template <class Fn> void guarded(Fn&& fn) {
    try {
        fn();
    } catch (const DataSetError& e) {
        ShowMessage(e.message());
    }
}

} // namespace

struct CellEditors::Binding {
    QPointer<QComboBox> editor;
    QPointer<DBGrid> grid;
    const EditorSpec* spec = nullptr; // nullptr for the lookup
    QStringList fields;
    ItemsFn items;
    RowFn rowAllowed;
    bool typedOnExit = false; // typed text was pending when the focus left
};

CellEditors::CellEditors(QObject* parent) : QObject(parent) {}

CellEditors::~CellEditors() {
    for (Binding* b : m_bindings)
        delete b;
}

QStringList CellEditors::editorNames() {
    QStringList names;
    for (const EditorSpec& s : kEditors)
        names << QString::fromLatin1(s.name);
    names << QString::fromLatin1(kLookupName);
    return names;
}

QComboBox* CellEditors::editor(const QString& name) const {
    for (const Binding* b : m_bindings)
        if (b->editor && b->editor->objectName() == name)
            return b->editor;
    return nullptr;
}

CellEditors::Binding* CellEditors::bindingOf(const QObject* editor) const {
    for (Binding* b : m_bindings)
        if (b->editor == editor)
            return b;
    return nullptr;
}

CellEditors::Binding* CellEditors::bindingOfList(const QObject* list) const {
    for (Binding* b : m_bindings)
        if (b->editor && b->editor->view() == list)
            return b;
    return nullptr;
}

DBGrid* CellEditors::gridNamed(const QWidget* from, const QString& name) {
    if (!from)
        return nullptr;
    QWidget* root = from->window();
    if (root->objectName() == name)
        return qobject_cast<DBGrid*>(root);
    return root->findChild<DBGrid*>(name);
}

QStringList CellEditors::messageItems() {
    // Rebuilt from the vocabulary table each time, so renamed words show at once.
    QStringList& list = Lang::ListaMessaggi;
    list.clear();
    if (DM && DM->CDSet_Messaggi->active()) {
        const DataSet& words = *DM->CDSet_Messaggi;
        const int idx = words.fieldByName(QStringLiteral("_Messaggio")).index();
        for (int r = 1; r <= words.recordCount(); ++r)
            list << words.stringAt(r, idx);
    }
    return list;
}

QStringList CellEditors::inputOptionItems(const QString& fieldName, int inputNo) {
    if (fieldName == QLatin1String("_FuncIngresso"))
        return Lang::ListaFunzioniIngresso;
    if (fieldName == QLatin1String("_AttSirIngresso"))
        return Lang::ListaSirenaIngresso;
    if (fieldName == QLatin1String("_ImpulsiIngresso"))
        return Lang::ListaImpulsiIngresso;
    if (fieldName == QLatin1String("_TimeInIngresso"))
        return Lang::ListaTempoIngresso;
    if (fieldName == QLatin1String("_TipoNc"))
        return Lang::ListaPolaritaIngressi;
    if (fieldName == QLatin1String("_CicliEsclusione"))
        return Lang::ListaCicliEsclusione;
    if (fieldName == QLatin1String("_TipoIngresso") && DM) {
        const DataSet& inputs = *DM->CDSet_Ingressi;
        if (const QStringList* list =
                InputRules::SelectList(inputs, inputNo, DM->GetSystemType(), InputRules::ExpInActive()))
            return *list;
        // No other wiring is allowed: the editor holds only the current one.
        if (inputNo >= 1 && inputNo <= inputs.recordCount())
            return {inputs.stringAt(inputNo, inputs.fieldByName(fieldName).index())};
    }
    return {};
}

// ---- attaching ------------------------------------------------------------------------------

DBComboBox* CellEditors::attach(const QString& name, DBGrid* grid, const QStringList& fields, ItemsFn items,
                                RowFn rowAllowed) {
    const EditorSpec* spec = specOf(name);
    if (!spec || !grid)
        return nullptr;
    auto* box = new DBComboBox(nullptr, spec->editable);
    box->setObjectName(name);
    box->setDataSource(grid->dataSource());
    box->setMaxVisibleItems(20);
    auto* b = new Binding;
    b->editor = box;
    b->grid = grid;
    b->spec = spec;
    b->fields = fields.isEmpty() ? split(spec->fields) : fields;
    b->items = std::move(items);
    b->rowAllowed = std::move(rowAllowed);
    if (b->fields.isEmpty())
        qWarning("CellEditors: %s serves no column", qPrintable(name));
    if (spec->items == Items::Startup)
        box->setItems(Lang::ComboItems(name));

    connect(box, &DBComboBox::changedByUser, this, [this, box] {
        // Typed text is stored when the editor is left or on Enter, not at every key.
        if (!box->modified())
            guarded([&] { DBComboBoxChange(*box); });
    });
    connect(box, &DBComboBox::droppedDown, this, [this, box, name] {
        if (name == QLatin1String("DBComboBox43"))
            DBComboBox43DropDown(*box);
        else
            DBComboBoxDropDown(*box);
    });
    connect(box, &DBComboBox::exited, this, [this, box] { guarded([&] { editorExit(*box); }); });
    box->onKeyDown = [this](DBComboBox& sender, QKeyEvent& event) { return editorKeyDown(sender, event); };
    if (spec->editable && spec->exit != Exit::Hide) {
        // While its list is open the keys go to the list; typing must still reach the text.
        // (Installed after the box's own filter on its list, so it sees the keys first.)
        box->view()->installEventFilter(this);
        // The box's own matching of a left text against its items must agree with the store,
        // which takes an item only when written the same.
        if (box->completer())
            box->completer()->setCaseSensitivity(Qt::CaseSensitive);
    }
    bind(b);
    return box;
}

DBLookupComboBox* CellEditors::attachLookup(const QString& name, DBGrid* grid) {
    if (name != QLatin1String(kLookupName) || !grid)
        return nullptr;
    auto* box = new DBLookupComboBox;
    box->setObjectName(name);
    box->setDataSource(grid->dataSource());
    if (DM)
        box->setListSource(DM->DataSource_Utenti);
    box->setKeyField(QStringLiteral("_ID"));
    box->setListField(QStringLiteral("_Nome"));
    box->setDataField(QStringLiteral("_LinkUserID"));
    box->setMaxVisibleItems(20);
    auto* b = new Binding;
    b->editor = box;
    b->grid = grid;
    b->fields = {QStringLiteral("_LinkUser")};
    b->rowAllowed = [](DBGrid& g) {
        const DataSet* t = g.dataSet();
        const Field* enable = t ? t->findField(QStringLiteral("_EnablePzX")) : nullptr;
        return enable && enable->asBoolean();
    };
    connect(box, &DBLookupComboBox::droppedDown, this, [this, box] { DBLookupComboBox6DropDown(*box); });
    // A choice made with the list open comes before its close-up, one made with the arrow keys
    // has none: both end the same way; the close-up after a choice then only hides.
    connect(box, &DBLookupComboBox::changedByUser, this,
            [this, box] { guarded([&] { DBLookupComboBox6CloseUp(*box); }); });
    connect(box, &DBLookupComboBox::closedUp, this,
            [this, box] { guarded([&] { DBLookupComboBox6CloseUp(*box); }); });
    bind(b);
    return box;
}

void CellEditors::bind(Binding* b) {
    m_bindings.push_back(b);
    QComboBox* box = b->editor;
    box->hide();
    box->installEventFilter(this);
    b->grid->attachCellEditor(box);
    DBGrid* grid = b->grid;
    connect(grid, &DBGrid::currentCellChanged, this, [this, b] { currentCellChanged(*b); });
    connect(grid, &DBGrid::cellClicked, this, [this, b](int dataCol) { cellClicked(*b, dataCol); });
    if (DataSource* source = grid->dataSource()) // the table closed: the editor is put away
        connect(source, &DataSource::activeChanged, this, [this, b] { hide(*b); });
    currentCellChanged(*b);
}

// ---- protocol ---------------------------------------------------------------------------------

bool CellEditors::serves(const Binding& b, DBGrid& grid, int dataCol) const {
    if (dataCol < 0 || dataCol >= grid.columnCount() || !grid.dataActive() || grid.dataSet()->isEmpty())
        return false;
    if (!b.fields.contains(grid.column(dataCol).fieldName()))
        return false;
    return !b.rowAllowed || b.rowAllowed(grid);
}

void CellEditors::currentCellChanged(Binding& b) {
    if (!b.editor || !b.grid)
        return;
    hide(b);
    DBGrid& grid = *b.grid;
    if (!serves(b, grid, grid.selectedIndex()))
        return;
    // Prepared: bound to the column's field, kept over the cell by the grid, still hidden.
    if (auto* box = qobject_cast<DBComboBox*>(b.editor.data()))
        box->setDataField(grid.column(grid.selectedIndex()).fieldName());
}

void CellEditors::cellClicked(Binding& b, int dataCol) {
    if (!b.editor || !b.grid || dataCol != b.grid->selectedIndex())
        return;
    DBGrid& grid = *b.grid;
    if (!serves(b, grid, dataCol))
        return;
    DBGridColumn& column = grid.column(dataCol);
    if (auto* box = qobject_cast<DBComboBox*>(b.editor.data())) {
        box->setDataField(column.fieldName());
        if (b.items)
            box->setItems(b.items(grid, column));
        else if (b.spec && b.spec->items != Items::Page && b.spec->items != Items::Startup)
            box->setItems(usualItems(*b.spec, grid, column));
    }
    b.editor->setGeometry(grid.currentCellRect());
    b.editor->show();
    b.editor->raise();
    b.editor->setFocus(Qt::MouseFocusReason);
    // The whole text selected, as a box taking the focus shows it: typing replaces the word.
    if (QLineEdit* text = b.editor->lineEdit())
        text->selectAll();
}

void CellEditors::hide(Binding& b) {
    if (b.editor)
        putAway(*b.editor);
}

void CellEditors::hideAll() {
    for (Binding* b : m_bindings)
        hide(*b);
}

void CellEditors::fitColumnsToItems() {
    for (Binding* b : m_bindings) {
        // The vocabulary is the user's own text, and a page's own lists are filled later.
        if (!b->grid || !b->spec || b->spec->items == Items::Messages || b->spec->items == Items::Page)
            continue;
        for (const QString& field : b->fields) {
            DBGridColumn* column = b->grid->columnOfField(field);
            if (!column)
                continue;
            guarded([&] {
                widenForFaceTexts(*b->grid, *column,
                                  b->items ? b->items(*b->grid, *column)
                                           : usualItems(*b->spec, *b->grid, *column));
            });
        }
    }
}

bool CellEditors::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)
        if (Binding* list = bindingOfList(watched); list && list->editor && list->editor->isVisible())
            return openListKey(*list, *static_cast<QKeyEvent*>(event));
    Binding* b = bindingOf(watched);
    if (!b || !b->editor)
        return false;
    switch (event->type()) {
    case QEvent::Wheel:
        return true; // a turn of the wheel over a closed editor must not choose anything
    case QEvent::FocusOut: {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Its own list opening, or another application taken to the front, is no leaving.
        if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
            break;
        if (b->editor->isHidden()) {
            // Put away after a choice: the grid takes the keys again.
            if (b->grid && b->grid->isVisible())
                b->grid->setFocus(Qt::OtherFocusReason);
            break;
        }
        auto* box = qobject_cast<DBComboBox*>(b->editor.data());
        b->typedOnExit = box && box->modified();
        if (b->typedOnExit)
            box->setEditText(CheckStringToList(*box, box->currentText()));
        if (!box) {
            auto* lookup = qobject_cast<DBLookupComboBox*>(b->editor.data());
            if (lookup && !lookup->isDroppedDown())
                hide(*b);
        }
        break;
    }
    default:
        break;
    }
    return false;
}

// ---- exit, keys, drop-down --------------------------------------------------------------------

void CellEditors::storeTyped(Binding& b, bool applyToMarksToo) {
    auto* box = qobject_cast<DBComboBox*>(b.editor.data());
    Field* field = box ? box->field() : nullptr;
    if (!field)
        return;
    DataSet& table = *field->dataSet();
    const QString text = CheckStringToList(*box, box->currentText());
    const QString indexName = messageIndexField(field->fieldName());
    table.edit();
    field->setAsString(text);
    // The word and its index always travel together, so the grid shows what was stored.
    if (!indexName.isEmpty())
        table.fieldByName(indexName).setAsInteger(int(box->items().indexOf(text)));
    postIfEditing(table);
    if (!applyToMarksToo) {
        hide(b);
        return;
    }
    DBGrid* grid = gridNamed(box, QString::fromLatin1(b.spec->grid));
    MultiSelectComboBox(*box, grid);
    if (!indexName.isEmpty())
        MultiSelectMessages(table.fieldByName(indexName), grid);
}

void CellEditors::editorExit(DBComboBox& sender) {
    Binding* b = bindingOf(&sender);
    if (!b || sender.isHidden())
        return; // put away by a choice: nothing more to store
    const bool typed = b->typedOnExit;
    b->typedOnExit = false;
    if (b->spec && b->spec->exit != Exit::Hide && typed) {
        storeTyped(*b, true);
        return;
    }
    if (b->spec && QLatin1String(b->spec->name) == QLatin1String("DBComboBox43") && sender.isDroppedDown())
        return;
    hide(*b);
}

bool CellEditors::editorKeyDown(DBComboBox& sender, QKeyEvent& event) {
    Binding* b = bindingOf(&sender);
    if (!b)
        return false;
    const int key = event.key();
    if (key == Qt::Key_Escape && !sender.isDroppedDown()) {
        // Put away without storing: typed text is dropped.
        sender.reset();
        hide(*b);
        return true;
    }
    if (!b->spec || b->spec->exit == Exit::Hide)
        return false;
    if (isEnter(event)) {
        storeOnEnter(*b);
        return true;
    }
    // Any other key opens the list first. Then a typed key goes into the text of an editable
    // editor (the list marks what the text stands for) and searches a fixed list; a key of the
    // list itself has done its work by opening it.
    if (sender.isDroppedDown() || sender.count() == 0)
        return false;
    sender.showPopup();
    if (sender.isEditable()) {
        if (!isListMove(event) && !isListToggle(event))
            typeIntoText(sender, event);
        markItemOfText(sender);
    } else if (!event.text().isEmpty() && event.text().at(0).isPrint() && sender.view()) {
        sender.view()->keyboardSearch(event.text());
    }
    return true;
}

bool CellEditors::openListKey(Binding& b, QKeyEvent& event) {
    auto* box = qobject_cast<DBComboBox*>(b.editor.data());
    if (!box || !box->isDroppedDown())
        return false;
    if (event.type() == QEvent::ShortcutOverride) {
        // Enter is the editor's: it stores the text, not the row under the mouse.
        if (!isEnter(event))
            return false;
        event.accept();
        return true;
    }
    if (isEnter(event)) {
        box->hidePopup();
        storeOnEnter(b);
        return true;
    }
    if (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab) {
        // The list closes and the focus moves on, which leaves the editor (and stores).
        box->hidePopup();
        QCoreApplication::sendEvent(box, &event);
        return true;
    }
    if (isListToggle(event))
        return false; // the list's own handling closes it
    if (isListMove(event)) {
        moveInList(*box, event);
        return true;
    }
    typeIntoText(*box, event);
    markItemOfText(*box);
    return true;
}

void CellEditors::typeIntoText(DBComboBox& box, QKeyEvent& event) {
    if (QLineEdit* text = box.lineEdit())
        QCoreApplication::sendEvent(text, &event);
}

void CellEditors::storeOnEnter(Binding& b) {
    auto* box = qobject_cast<DBComboBox*>(b.editor.data());
    if (!box || !b.spec)
        return;
    guarded([&] {
        if (box->modified())
            box->setEditText(CheckStringToList(*box, box->currentText()));
        box->updateRecord();
        storeTyped(b, b.spec->exit == Exit::StoreApply);
    });
}

void CellEditors::DBComboBoxDropDown(QComboBox& sender) {
    ComboBox_AutoWidth(&sender);
}

void CellEditors::DBComboBox43DropDown(QComboBox& sender) {
    ComboBox_AutoWidth(&sender);
}

void CellEditors::DBLookupComboBox6DropDown(DBLookupComboBox& sender) {
    sender.setDropDownWidth(sender.width() + 30);
}

void CellEditors::DBLookupComboBox6CloseUp(DBLookupComboBox& sender) {
    const Field* field = sender.field();
    const bool chosen = field && isEditing(*field->dataSet());
    putAway(sender);
    if (!chosen)
        return; // nothing chosen: nothing is written
    MultiLookUpComboBox(sender, gridNamed(&sender, QStringLiteral("DBGrid26")), QStringLiteral("_LinkUser"));
}

// ---- the change handler -----------------------------------------------------------------------

void CellEditors::DBComboBoxChange(DBComboBox& sender) {
    Field* field = sender.field();
    if (!field)
        return;
    DataSet& table = *field->dataSet();
    const QString tableName = table.name();
    const QString fieldName = field->fieldName();
    const bool dropped = sender.isDroppedDown();

    // Plain apply: the choice goes to the current row and to the marked rows of one grid.
    struct Plain {
        const char* table;
        const char* fields; // "" = any field
        const char* grid;
    };
    static const Plain kPlain[] = {
        {"CDSet_Eventi_Sistema", "", "DBGrid32"},
        {"CDSet_Time_Utenti", "", "DBGrid36"},
        {"CDSet_Time_Parziali", "", "DBGrid37"},
        {"CDSet_Time_Uscite", "", "DBGrid38"},
        {"CDSet_Utenti", "", "DBGrid6"},
        {"CDSet_ContactID", "", "DBGrid30"},
        {"CDSet_Ingressi",
         "_TipoChiamataTel1;_TipoChiamataTel2;_TipoChiamataTel3;_TipoChiamataTel4;"
         "_TipoChiamataTel5;_TipoChiamataTel6;_TipoChiamataTel7;_TipoChiamataTel8",
         "DBGrid11"},
        {"CDSet_ContactID_Eventi", "", "DBGrid31"},
        {"CDSet_Adattamento", "", "DBGrid44"},
        {"CDSet_Tastiere", "_M1;_M2", "DBGrid18"},
    };
    const bool isMessage = !messageIndexField(fieldName).isEmpty();

    if (tableName == QLatin1String("CDSet_Ingressi") && isMessage) {
        if (!dropped)
            messageApply(sender, QStringLiteral("DBGrid10"));
        return;
    }
    if (tableName == QLatin1String("CDSet_Ingressi") &&
        split("_FuncIngresso;_TipoIngresso;_AttSirIngresso;_ImpulsiIngresso;_TimeInIngresso;_CicliEsclusione;"
              "_TipoNc")
            .contains(fieldName)) {
        inputSettingsApply(sender);
        return;
    }
    if (tableName == QLatin1String("CDSet_Uscite") && isMessage) {
        if (!dropped)
            messageApply(sender, QStringLiteral("DBGrid16"));
        return;
    }
    if (tableName == QLatin1String("CDSet_Uscite") &&
        split("_FunzioneUscita;_CondFunzionamento;_Polarita").contains(fieldName)) {
        outputSettingsApply(sender);
        return;
    }
    if (tableName == QLatin1String("CDSet_Parziali") || tableName == QLatin1String("CDSet_Group")) {
        if (!dropped)
            singleRowStore(sender);
        return;
    }
    if (tableName == QLatin1String("CDSet_DeviceRadio800") && fieldName == QLatin1String("_NomeDevice")) {
        if (dropped)
            return;
        postIfEditing(table);
        if (MultiSelectWireless800)
            MultiSelectWireless800(sender, *field);
        putAway(sender);
        return;
    }
    for (const Plain& row : kPlain) {
        if (tableName != QLatin1String(row.table))
            continue;
        const QStringList fields = split(row.fields);
        if (!fields.isEmpty() && !fields.contains(fieldName))
            continue;
        postIfEditing(table);
        MultiSelectComboBox(sender, gridNamed(&sender, QString::fromLatin1(row.grid)));
        return;
    }
}

void CellEditors::messageApply(DBComboBox& sender, const QString& gridName) {
    Field& field = *sender.field();
    DataSet& table = *field.dataSet();
    const QString indexName = messageIndexField(field.fieldName());
    const int position = sender.currentIndex();
    DBGrid* grid = gridNamed(&sender, gridName);
    // A post with nothing pending would only raise the engine's error: post if editing.
    postIfEditing(table);
    MultiSelectComboBox(sender, grid);
    table.edit();
    table.fieldByName(indexName).setAsInteger(position);
    MultiSelectMessages(table.fieldByName(indexName), grid);
    postIfEditing(table);
}

void CellEditors::inputSettingsApply(DBComboBox& sender) {
    Field& field = *sender.field();
    DataSet& table = *field.dataSet();
    const QString fieldName = field.fieldName();
    postIfEditing(table);
    const QString chosen = field.asString();
    DBGrid* grid = gridNamed(&sender, QStringLiteral("DBGrid15"));
    if (fieldName == QLatin1String("_TipoIngresso")) {
        // The wiring is never copied to marked rows; it only pairs the inputs of one terminal.
        {
            table.disableControls();
            struct Resume {
                DataSet& t;
                ~Resume() { t.enableControls(); }
            } resume{table};
            InputRules::pairWiring(table, DM ? DM->GetSystemType() : 0, InputRules::ExpInActive(), chosen);
        }
        putAway(sender);
        return;
    }
    table.edit();
    if (fieldName == QLatin1String("_FuncIngresso"))
        table.fieldByName(QStringLiteral("_EnablePzX")).setAsBoolean(Lang::IsPartitionFunction(chosen));
    field.setAsString(chosen);
    postIfEditing(table);
    if (fieldName == QLatin1String("_FuncIngresso"))
        MultiSelectChekBox(table.fieldByName(QStringLiteral("_EnablePzX")), grid, nullptr);
    MultiSelectComboBox(sender, grid);
}

void CellEditors::outputSettingsApply(DBComboBox& sender) {
    Field& field = *sender.field();
    DataSet& table = *field.dataSet();
    postIfEditing(table);
    const QString chosen = field.asString();
    if (field.fieldName() == QLatin1String("_FunzioneUscita")) {
        table.edit();
        table.fieldByName(QStringLiteral("_EnableAssociaTelx")).setAsBoolean(chosen == Lang::PilotFunction());
        postIfEditing(table);
    }
    // The other marked outputs get the flag through the function's field rule.
    MultiSelectComboBox(sender, gridNamed(&sender, QStringLiteral("DBGrid27")));
}

void CellEditors::singleRowStore(DBComboBox& sender) {
    Field& field = *sender.field();
    DataSet& table = *field.dataSet();
    table.edit();
    if (field.fieldName() == QLatin1String("_Msg1"))
        table.fieldByName(QStringLiteral("_IMsg1")).setAsInteger(sender.currentIndex());
    table.post();
    putAway(sender);
}

#include "moc_celleditors.cpp"
