// SPDX-License-Identifier: MIT
// The per-frame hub between the host's objects and the item model.
#pragma once

#include "hub/ColumnValueIndex.h"
#include "model/FrameObjectManager.h"

#include <selectframe/Interfaces.h>

#include <QStringList>
#include <QtGlobal>

#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace selectframe {

class TFavoritesManager;
class TInterfaceList;
class TStateStorage;

/// Holds one frame's value bag, method registry, favorites, checked-state
/// storage, item list and item model, and runs the two bulk check passes.
/// Owned by its frame control. The reference-counted parts outlive it for
/// as long as the host holds them.
class TFrameManager
{
public:
    TFrameManager();
    ~TFrameManager();
    TFrameManager(const TFrameManager &) = delete;
    TFrameManager &operator=(const TFrameManager &) = delete;

    void GetParams(INamedParams **Result) const;
    void GetFavorites(IFavoritesManager **Result) const;
    void GetState(IDataStorage **Result) const;
    void GetMethods(INamedMethods **Result) const;
    /// Uncounted shortcuts for the library's own use.
    INamedParams *Params() const { return m_params.get(); }
    IFavoritesManager *Favorites() const { return m_favorites.get(); }
    IDataStorage *State() const { return m_state.get(); }
    INamedMethods *Methods() const { return m_methods.get(); }
    TFrameObjectManager *Model() const { return m_model.get(); }

    /// Replaces this frame's favorites with copies of `Source`'s (see
    /// TFavoritesManager::Assign).
    void CopyFavoritesFrom(const TFrameManager &Source);

    /// A new item, not yet in the item list.
    void NewItem(IFrameItem **Result) const;
    /// Appends `Item` to the item list; null is ignored.
    void AddItem(IFrameItem *Item);
    void ItemEnumerator(IFrameItemEnumerator **Result) const;
    int32_t ItemCount() const;

    /// Reloads the model from the item list and publishes
    /// "property://total.count".
    void Rebuild();
    /// Publishes "property://checked.count".
    void PublishCheckedCount();
    /// Checks exactly the items whose ID is in `IDs` (ignoring case), hidden
    /// rows included, then raises OnItemsChecked. Before the model was first
    /// built the list is kept instead, for ApplyPendingChecks.
    void CheckByList(const QStringList &IDs);
    /// Runs the check by list kept from before the model was built, if any;
    /// the control calls it once its rows exist.
    void ApplyPendingChecks();
    /// The IDs of the checked items; before the model was first built, the
    /// list kept for it.
    QStringList CheckedIDs() const;
    /// Checks exactly the items whose "column%d_data" value equals `Value`
    /// ignoring case, then raises OnItemsChecked. Touches only the items
    /// that hold the value and those checked before (through ValueIndex).
    void CheckByValue(int ColumnIndex, const QString &Value);
    /// The model's items by their "column%d_data" value, read again when a
    /// value changed or the model was reloaded since.
    const TColumnValueIndex &ValueIndex(int ColumnIndex);

    /// The host's image list handle from "option://imagelist"; 0 for none.
    quintptr Images = 0;
    /// Raised after each bulk pass; the control refreshes its rows.
    std::function<void()> OnItemsChecked;
    /// The favorite the favorites dialog has focused; empty otherwise.
    IPtr<ISelectFavorite> CurrentFavorite;
    bool GroupsCheckable = true;
    bool ItemsCheckable = true;
    bool RadioItems = false;

private:
    /// Sets every item object to what `wanted` says and keeps the groups in
    /// step.
    template <class Predicate>
    void checkItems(Predicate wanted);
    /// Raises OnItemsChecked, if set.
    void itemsChecked();

    IPtr<INamedParams> m_params;
    IPtr<IFavoritesManager> m_favorites;
    IPtr<IDataStorage> m_state;
    IPtr<TInterfaceList> m_items;
    IPtr<INamedMethods> m_methods;
    std::unique_ptr<TFrameObjectManager> m_model;
    /// By column; dropped with every model load.
    std::map<int, std::unique_ptr<TColumnValueIndex>> m_valueIndexes;
    bool m_modelBuilt = false;
    /// A checked set the host loaded before Initialize, when there were no
    /// model objects to check yet.
    std::optional<QStringList> m_pendingChecks;
    TStateStorage *m_stateStorage = nullptr;         // the object behind m_state
    TFavoritesManager *m_favoritesManager = nullptr; // the object behind m_favorites
};

} // namespace selectframe
