#pragma once
// Many-to-many links edited with a pair of lists. The source list shows every row that can be
// linked (inputs, users, partitions); the link list shows the rows of a nested link table under
// the current master row (an output, a group, a partition). The user picks rows in either list
// by clicking them; the add action copies the picked source rows into the master's link table,
// skipping those already linked, and the remove action deletes the picked link rows.
//
// Several pages share the two actions: TLinkActions holds them and every association, and the
// actions work on the association that is active now (its page is shown and, on a page with
// more than one, its panel is the one shown).
//
// Picks are the grids' lists of marked rows (the grids are not in multi-select mode: a click
// toggles the clicked row). Picks belong to the master row they were made under: any change of
// the master row, by a click, a key or another grid moving the same cursor, drops the picks of
// both lists and disables both actions.

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

#include "platform/dataset.h"
#include "platform/dbgrid.h"

class QAction;
class QPainter;
class QRect;
class QToolBar;

struct LinkAssociationSetup {
    QString name;
    DBGrid* source = nullptr; // bound to the source table; its rows' `_ID` is their position
    DBGrid* links = nullptr;  // bound to the link table (`_ID`, `_Nome`), nested in the master
    // True while the actions work on this association.
    std::function<bool()> isActive;
    // Text a list shows for source row `recNo` (1-based); link rows show the text of the source
    // row at their `_ID`, so a later rename shows at once.
    std::function<QString(const DataSet& source, int recNo)> sourceText;
    // Most link rows one master row may hold; < 0 no limit. Unset: the source table's row cap
    // for the open installation's model.
    std::function<int()> capacity;
    // Refusal shown when an add would go beyond the capacity; "%1" is the capacity.
    QString capacityMessage;
    // Paint and pick through the shared handlers (pages with painters of their own say false
    // and call paintCell / pickClick themselves).
    bool wireGrids = true;
    // The shared mouse-down handler on both lists (right press keeps the add action).
    bool wireMouseDown = true;
};

class TLinkActions;

class LinkAssociation {
public:
    const QString& name() const { return m_setup.name; }
    DBGrid* source() const { return m_setup.source; }
    DBGrid* links() const { return m_setup.links; }
    DataSet* sourceTable() const;
    DataSet* linkTable() const;
    DataSet* master() const; // the table the link table is nested in
    bool isActive() const { return m_setup.isActive && m_setup.isActive(); }
    int capacity() const;
    void setCapacity(std::function<int()> capacity) { m_setup.capacity = std::move(capacity); }

    // `_ID` of the master row under which the rows now picked in the link list were picked
    // (0 before any pick).
    int IDParz = 0;

    // What the lists show for a source row, and for link row `linkRecNo` (the text of the source
    // row at its `_ID`; its stored name when no source row is there).
    QString sourceText(int recNo) const;
    QString linkText(int linkRecNo) const;

    // Adds a link row for every picked source row not linked yet, in pick order, then drops the
    // source picks. Returns the rows added; -1 when the capacity would be exceeded (nothing is
    // added, the picks stay and *refusal tells why).
    int addPicked(QString* refusal = nullptr);
    // Deletes every picked link row, then drops the link picks. Returns the rows deleted.
    int removePicked();
    // Drops the picks of both lists.
    void dropPicks();

private:
    friend class TLinkActions;
    explicit LinkAssociation(LinkAssociationSetup setup);
    void masterMaybeChanged();
    Bookmark masterKey() const;

    LinkAssociationSetup m_setup;
    TLinkActions* m_owner = nullptr;
    Bookmark m_masterKey; // master row the picks belong to
    Bookmark m_rootKey;   // and its installation
    bool m_haveKey = false;
    // The link list holds picks made by clicks (its grid drops them on its own when the master
    // moves, before the master's cursor tells us).
    bool m_linkPicked = false;
};

class TLinkActions : public QObject {
    Q_OBJECT
public:
    // `add` and `remove` are the window's two actions; they start disabled.
    TLinkActions(QAction* add, QAction* remove, QObject* parent = nullptr);
    ~TLinkActions() override;

    QAction* addAction() const { return m_add; }
    QAction* removeAction() const { return m_remove; }

    // Registers an association; with wireGrids its grids get the shared painter and pick
    // handlers. Follows the master table's cursor from now on.
    LinkAssociation& add(LinkAssociationSetup setup);
    const std::vector<std::unique_ptr<LinkAssociation>>& associations() const { return m_list; }
    LinkAssociation* find(const QString& name) const;
    LinkAssociation* active() const; // the first active association, nullptr when none is

    // The two actions: add the picked source rows to (remove the picked link rows from) the
    // active association; nothing at all when no association is active.
    void Action2Execute();
    void Action3Execute();

    // A click on a list: toggles the clicked (current) row's pick, then enables the list's
    // action exactly when the list has picks. A pick in a link list records the master's `_ID`.
    void pickClick(LinkAssociation& association, DBGrid& grid);
    // Mouse-down before the click: a right press on a list with picks enables add, any other
    // press disables it.
    void DBGridSelMouseDown(DBGrid& grid, Qt::MouseButton button);
    // The shared painter of both lists (source picks green, link picks red, on the grip face).
    void paintCell(LinkAssociation& association, DBGrid& grid, QPainter& painter, const QRect& rect,
                   int dataCol, DBGridColumn& column, GridDrawState state);
    // Separator, add, separator, remove, separator.
    void fillToolBar(QToolBar* toolBar) const;

    // Called when an association's master row changed under its picks.
    void masterChanged(LinkAssociation& association);

private:
    QPointer<QAction> m_add;
    QPointer<QAction> m_remove;
    std::vector<std::unique_ptr<LinkAssociation>> m_list;
};

// The texts the lists show, words joined by one blank.
namespace LinkTexts {
QString inputText(const DataSet& inputs, int recNo);                   // `_Nome` and `_Msg1`..`_Msg4`
QString fieldText(const DataSet& table, int recNo, const char* field); // one field
// A partition's word (`_Msg1`), or its name when the word is empty (a new installation).
QString partitionText(const DataSet& partitions, int recNo);
} // namespace LinkTexts
