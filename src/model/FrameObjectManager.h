// SPDX-License-Identifier: MIT
// A frame's item model: columns, groups and one object per host item.
#pragma once

#include "model/CheckedIdList.h"
#include "model/FrameColumnObject.h"
#include "model/FrameObjects.h"
#include "model/ItemIdIndex.h"
#include "model/ObjectArena.h"
#include "model/ObjectEnumerator.h"

#include <selectframe/Interfaces.h>

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace selectframe {

/// Turns the host's flat item stream into columns and groups of item
/// objects, and keeps the IDs of the checked items as they change.
class TFrameObjectManager
{
public:
    TFrameObjectManager();
    ~TFrameObjectManager();
    TFrameObjectManager(const TFrameObjectManager &) = delete;
    TFrameObjectManager &operator=(const TFrameObjectManager &) = delete;

    /// Destroys every group, item and column and forgets the checked IDs.
    void Clear();
    /// Rebuilds the model: columns from `Options` (throws EFrameException,
    /// leaving the model empty, when there are none), the default group,
    /// then one item object per item of `Enumerator`, in its order.
    void Load(IFrameItemEnumerator *Enumerator, INamedParams *Options);

    /// Creates the object for `Item` and files it into the group named by
    /// its "group" value. The object lives until the next Clear or Load.
    TFrameItemObject *AddItem(IFrameItem *Item);
    /// Takes `Group` over and appends it to the groups.
    TFrameGroupObject *AddGroup(std::unique_ptr<TFrameGroupObject> Group);
    /// The group named `Name`, created when absent.
    TFrameGroupObject *GetGroup(const QString &Name);
    /// The group named exactly `Name`, or null.
    TFrameGroupObject *FindGroup(const QString &Name) const;

    /// The column whose Index is `Index`, or null.
    TFrameColumnObject *ColumnByIndex(int Index) const;
    /// The first column captioned `Name` ignoring case, or null.
    TFrameColumnObject *ColumnByName(const QString &Name) const;

    IPtr<IObjectEnumerator<TFrameGroupObject>> GetGroups() const;
    IPtr<IObjectEnumerator<TFrameItemObject>> GetItems() const;
    IPtr<IObjectEnumerator<TFrameColumnObject>> GetColumns() const;

    /// The lists themselves, for passes over the whole model.
    const std::vector<std::unique_ptr<TFrameGroupObject>> &Groups() const { return m_groups; }
    /// Every item object, in the order they were added.
    const TObjectArena<TFrameItemObject> &Items() const { return m_items; }
    const std::vector<std::unique_ptr<TFrameColumnObject>> &Columns() const { return m_columns; }

    int ColumnCount() const { return int(m_columns.size()); }
    qsizetype CheckedCount();
    /// The IDs of the checked items, in the order they became checked.
    const QStringList &GetCheckedIDs();

    /// Reads the texts of items whose implementation it knows where they
    /// keep them; each function answers false for any other item. Copies
    /// through GetID and GetValues count a reference in the text, a cache
    /// miss per item when a million are loaded or change state.
    struct TItemReader
    {
        /// Where the item keeps its ID.
        bool (*Id)(IFrameItem *Item, const QString **Result);
        /// foldedHash of the ID of an item Id knows, which the item keeps.
        uint32_t (*IdHash)(IFrameItem *Item);
        /// Where the item keeps its value `Name`; null for a value it lacks.
        bool (*Value)(IFrameItem *Item, const QString &Name, const QString **Result);
    };
    /// Installed by the owner, who knows the items; the change handler and
    /// Load then read through it. Items it knows must report a change of
    /// their ID through ItemIdChanging.
    void SetItemReader(const TItemReader &Reader) { m_itemReader = Reader; }

    /// Makes room for `Count` checked items in all, before a pass that may
    /// check that many.
    void ReserveChecked(std::size_t Count);
    /// The item objects whose state is fcsChecked, in no particular order:
    /// a bulk pass that changes few rows starts from them instead of from
    /// every item. Read from the checked-ID list's holders, so only while
    /// EntriesFollowChecks().
    std::vector<TFrameItemObject *> CheckedItems();
    /// The items by their IDs, made by Load and again after an ID changed.
    const TItemIdIndex &IdIndex();
    /// Whether every checked item holds an entry of the checked-ID list and
    /// every entry is held: no ID changed while checked and every checked
    /// item is of an implementation the reader knows.
    bool EntriesFollowChecks();
    /// Whether some item is of an implementation the reader does not know.
    bool HasUnknownItems() const { return m_unknownItems; }

    /// The change handler of every item object: keeps the checked IDs.
    void ItemStateChanged(TBaseFrameObject *Sender);
    /// `Item`, whose ID equals `OldId`, is about to get an ID that differs
    /// from it in more than letter case. The entries of the checked-ID list
    /// it holds keep showing `OldId`. Every model is told; see the free
    /// function of the same name.
    void ItemIdChanging(IFrameItem *Item, const QString &OldId);

    /// What a bulk pass tells the model about its unchecks while it runs.
    enum TPassKind {
        /// The items unchecked are taken out of the checked-ID list
        /// together, when the list is next read or an item is checked: a
        /// pass that unchecks every checked item then empties the list at
        /// once instead of looking up each item's ID.
        pkUncheckBatch,
        /// The pass checks exactly the items whose ID is in a list: the
        /// items that share an ID with one it unchecks are all unchecked
        /// too, so every unchecked item's own entry is one that leaves.
        pkWholeIds,
    };
    /// Tells the model of a pass of `Kind` for as long as it lives.
    class TPass
    {
    public:
        TPass(TFrameObjectManager &Model, TPassKind Kind)
            : m_count(Kind == pkUncheckBatch ? Model.m_batches : Model.m_wholeIdPasses)
        {
            ++m_count;
        }
        ~TPass() { --m_count; }
        TPass(const TPass &) = delete;
        TPass &operator=(const TPass &) = delete;

    private:
        int &m_count;
    };

private:
    void LoadColumns(INamedParams *Options);
    /// The item's ID as the list shows it.
    QString idOf(TFrameItemObject *Item) const;
    /// Takes out the entry an unchecked item's ID names: the first entry
    /// equal to it ignoring case, which is its own unless items share IDs
    /// or an ID changed while checked. `Id`, when given, is the ID it had
    /// when unchecked.
    void takeOutEntry(TFrameItemObject *Item, const QString *Id = nullptr);
    /// Takes out the entries of the items an uncheck batch left.
    /// `Changing`, whose change of state is being handled, counts in the
    /// state it had: checked again, it was one of them if it holds an
    /// entry; unchecked now, it was none, and takes out its own after.
    void settle(const TFrameItemObject *Changing = nullptr)
    {
        if (m_unsettledHolders || !m_unsettled.empty())
            settleBatch(Changing);
    }
    void settleBatch(const TFrameItemObject *Changing);

    std::vector<std::unique_ptr<TFrameGroupObject>> m_groups;
    QHash<QString, TFrameGroupObject *> m_groupIndex;
    std::vector<std::unique_ptr<TFrameColumnObject>> m_columns;
    // Holds the item objects themselves, in the order added, so it is the
    // list of all items as well; the groups list them.
    TObjectArena<TFrameItemObject> m_items;
    TItemReader m_itemReader{};
    bool m_unknownItems = false;
    TCheckedIdList m_checkedIDs;
    /// Unchecked by a batch and not yet taken out: whether some holder of
    /// an entry was, and the items that held none.
    bool m_unsettledHolders = false;
    std::vector<std::pair<TFrameItemObject *, QString>> m_unsettled;
    /// Items in state fcsChecked.
    qsizetype m_checkedItems = 0;
    int m_batches = 0;
    int m_wholeIdPasses = 0;
    std::unique_ptr<TItemIdIndex> m_idIndex;
    /// Set when an ID changed: the items' IdHash are to be read again.
    bool m_idHashesStale = false;
    /// The item objects by host item, made when an ID change needs them.
    std::vector<std::pair<IFrameItem *, TFrameItemObject *>> m_byItem;
};

/// Tells every model that `Item` is about to change its ID from `OldId` to
/// an ID that differs in more than letter case.
void ItemIdChanging(IFrameItem *Item, const QString &OldId);

} // namespace selectframe
