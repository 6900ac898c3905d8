#pragma once
// In-grid list editors of the main window: hidden combo boxes (and one lookup combo box) laid
// over the current cell of a grid, which store a value chosen from a list into the current row
// and then into every row the user has marked in the grid (see multiapply.h).
//
// Life cycle of an editor, the same for every one:
//   - prepared (still hidden) when the grid's current cell enters one of the editor's columns:
//     its data field becomes that column's field and the grid keeps it over the current cell;
//   - shown by a mouse click in such a column (its items are loaded then); a click while no
//     installation is open, or on a row the editor does not serve, does nothing;
//   - hidden after a choice has been stored, when the current cell moves, when the focus leaves
//     it (not to its own list) and when an installation is opened. A repaint never hides it.
//   - It writes only on a user's action: choosing an item, or leaving / pressing Enter after
//     typing in a message editor. Loading items or following the cursor never writes.
//
// A page attaches an editor to its grid with one line, by the editor's component name:
//
//     DBComboBox3 = Form6->cellEditors().attach(QStringLiteral("DBComboBox3"), DBGrid27);
//
// The editor is created (objectName = the name, bound to the grid's data source) with the columns
// and items the name stands for (see kEditors in celleditors.cpp); `fields` and `items` replace
// them where a page needs other ones. The choice is then applied by DBComboBoxChange, which finds
// the grids it copies to by their component names, so each branch works as soon as the page
// owning that grid has created it.

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <vector>

class DBComboBox;
class DBGrid;
class DBGridColumn;
class DBLookupComboBox;
class Field;
class QComboBox;
class QKeyEvent;
class QWidget;

class CellEditors : public QObject {
    Q_OBJECT
public:
    // The items an editor offers for the column it is shown over.
    using ItemsFn = std::function<QStringList(DBGrid& grid, DBGridColumn& column)>;
    // Whether the editor may be prepared and shown on the grid's current row.
    using RowFn = std::function<bool(DBGrid& grid)>;

    explicit CellEditors(QObject* parent = nullptr);
    ~CellEditors() override;

    // Creates the list editor `name` over `grid` (nullptr for an unknown name or a lookup name).
    // `fields`: the grid's columns it serves (empty: the name's usual columns). `items`: its items
    // (empty: the name's usual items). `rowAllowed`: a further condition on the current row.
    DBComboBox* attach(const QString& name, DBGrid* grid, const QStringList& fields = {}, ItemsFn items = {},
                       RowFn rowAllowed = {});
    // Creates the users lookup `DBLookupComboBox6` over `grid` (column `_LinkUser`, shown only on
    // inputs whose `_EnablePzX` is True). It stores the chosen user's `_ID` in `_LinkUserID` and
    // the user's name in `_LinkUser`, so two users of the same name stay apart.
    DBLookupComboBox* attachLookup(const QString& name, DBGrid* grid);

    QComboBox* editor(const QString& name) const; // an attached editor, nullptr when none
    static QStringList editorNames();             // every name attach() knows
    void hideAll();
    // Widens each column an editor serves so that every item of its list shows whole in the
    // cell; the lists follow the model, so this runs when an installation is opened.
    void fitColumnsToItems();

    // The 800-range device pages apply a chosen device model to their marked devices; they set
    // this when they create their grids. Called with the editor and its field, after the post.
    std::function<void(DBComboBox& sender, Field& field)> MultiSelectWireless800;

    // ---- handlers (wired by attach; public for pages that create editors of their own) ----
    // The change handler of every list editor: applies the choice as its table and field say.
    void DBComboBoxChange(DBComboBox& sender);
    void DBComboBoxDropDown(QComboBox& sender);
    void DBComboBox43DropDown(QComboBox& sender);
    // Leaving a message or adaptation editor after typing: the typed text, or the first item when
    // it is none of the items, is stored (with its message index) and copied to the marked rows.
    void editorExit(DBComboBox& sender);
    bool editorKeyDown(DBComboBox& sender, QKeyEvent& event); // true swallows the key
    void DBLookupComboBox6DropDown(DBLookupComboBox& sender);
    void DBLookupComboBox6CloseUp(DBLookupComboBox& sender);

    // The grid a handler copies to, found by its component name from the editor's window.
    static DBGrid* gridNamed(const QWidget* from, const QString& name);

    // Items shared with the pages: the message vocabulary rebuilt from `CDSet_Messaggi` (position
    // = the message's `_ID`), and the items of the inputs editor for a column of the inputs table.
    static QStringList messageItems();
    static QStringList inputOptionItems(const QString& fieldName, int inputNo);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Binding;
    Binding* bindingOf(const QObject* editor) const;
    Binding* bindingOfList(const QObject* list) const; // the editor whose open list this is
    void bind(Binding* b);
    void currentCellChanged(Binding& b);
    void cellClicked(Binding& b, int dataCol);
    bool serves(const Binding& b, DBGrid& grid, int dataCol) const;
    void hide(Binding& b);
    void storeTyped(Binding& b, bool applyToMarks);
    void storeOnEnter(Binding& b);
    bool openListKey(Binding& b, QKeyEvent& event); // a key while the list is open; true swallows
    static void typeIntoText(DBComboBox& box, QKeyEvent& event);
    void messageApply(DBComboBox& sender, const QString& gridName);
    void inputSettingsApply(DBComboBox& sender);
    void outputSettingsApply(DBComboBox& sender);
    void singleRowStore(DBComboBox& sender);

    std::vector<Binding*> m_bindings;
};
