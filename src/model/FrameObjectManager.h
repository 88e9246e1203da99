// SPDX-License-Identifier: MIT
// A frame's item model: columns, groups and one object per host item.
#pragma once

#include "model/CheckedIdList.h"
#include "model/FrameColumnObject.h"
#include "model/FrameObjects.h"
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
    qsizetype CheckedCount() const { return m_checkedIDs.count(); }
    /// The IDs of the checked items, in the order they became checked.
    const QStringList &GetCheckedIDs() const { return m_checkedIDs.list(); }
    /// The same IDs with their chains, for bulk passes that match by ID.
    TCheckedIdList &CheckedIdList() { return m_checkedIDs; }

    /// Reads the texts of items whose implementation it knows where they
    /// keep them; each function answers false for any other item. Copies
    /// through GetID and GetValues count a reference in the text, a cache
    /// miss per item when a million are loaded or change state.
    struct TItemReader
    {
        /// Where the item keeps its ID.
        bool (*Id)(IFrameItem *Item, const QString **Result);
        /// Where the item keeps its value `Name`; null for a value it lacks.
        bool (*Value)(IFrameItem *Item, const QString &Name, const QString **Result);
    };
    /// Installed by the owner, who knows the items; the change handler and
    /// Load then read through it.
    void SetItemReader(const TItemReader &Reader) { m_itemReader = Reader; }

    /// Makes room for `Count` checked items in all, before a pass that may
    /// check that many.
    void ReserveChecked(std::size_t Count);
    /// The item objects whose state is fcsChecked, in no particular order:
    /// a bulk pass that changes few rows starts from them instead of from
    /// every item.
    const std::vector<TFrameItemObject *> &CheckedItems() const { return m_checkedItems; }

    /// The change handler of every item object: keeps the checked IDs and
    /// the checked items.
    void ItemStateChanged(TBaseFrameObject *Sender);

private:
    void LoadColumns(INamedParams *Options);

    std::vector<std::unique_ptr<TFrameGroupObject>> m_groups;
    QHash<QString, TFrameGroupObject *> m_groupIndex;
    std::vector<std::unique_ptr<TFrameColumnObject>> m_columns;
    // Holds the item objects themselves, in the order added, so it is the
    // list of all items as well; the groups list them.
    TObjectArena<TFrameItemObject> m_items;
    TCheckedIdList m_checkedIDs;
    std::vector<TFrameItemObject *> m_checkedItems;
    TItemReader m_itemReader{};
};

} // namespace selectframe
