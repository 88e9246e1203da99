// SPDX-License-Identifier: MIT
#include "FrameManager.h"

#include "hub/Enumerators.h"
#include "hub/FavoritesManager.h"
#include "hub/FrameItem.h"
#include "hub/NamedMethods.h"
#include "hub/NamedParams.h"
#include "hub/StateStorage.h"
#include "platform/FoldedTextSet.h"
#include "platform/InterfaceList.h"

#include <selectframe/FrameKeys.h>

#include <algorithm>

namespace selectframe {

TFrameManager::TFrameManager()
{
    m_params = IPtr<INamedParams>(new TNamedParams);
    m_favoritesManager = new TFavoritesManager;
    m_favorites = IPtr<IFavoritesManager>(m_favoritesManager);
    m_items = IPtr<TInterfaceList>(new TInterfaceList);
    m_model = std::make_unique<TFrameObjectManager>();
    TFrameObjectManager::TItemReader reader;
    reader.Id = [](IFrameItem *item, const QString **result) {
        const TFrameItem *own = TFrameItem::Of(item);
        if (own)
            *result = &own->IDText();
        return own != nullptr;
    };
    reader.IdHash = [](IFrameItem *item) { return TFrameItem::Of(item)->IDHash(); };
    reader.Value = [](IFrameItem *item, const QString &name, const QString **result) {
        const TFrameItem *own = TFrameItem::Of(item);
        if (own)
            *result = own->ValueRef(name);
        return own != nullptr;
    };
    m_model->SetItemReader(reader);
    m_stateStorage = new TStateStorage(this);
    m_state = IPtr<IDataStorage>(m_stateStorage);
    m_methods = IPtr<INamedMethods>(new TNamedMethods);
}

TFrameManager::~TFrameManager()
{
    // The host may still hold the storage; it must not reach back here.
    m_stateStorage->Detach();
    m_methods.reset();
    m_state.reset();
    m_model.reset();
    m_items.reset();
    m_favorites.reset();
    m_params.reset();
}

void TFrameManager::CopyFavoritesFrom(const TFrameManager &Source)
{
    m_favoritesManager->Assign(Source.Favorites());
}

void TFrameManager::GetParams(INamedParams **Result) const
{
    handOut(m_params, Result);
}
void TFrameManager::GetFavorites(IFavoritesManager **Result) const
{
    handOut(m_favorites, Result);
}
void TFrameManager::GetState(IDataStorage **Result) const
{
    handOut(m_state, Result);
}
void TFrameManager::GetMethods(INamedMethods **Result) const
{
    handOut(m_methods, Result);
}

void TFrameManager::NewItem(IFrameItem **Result) const
{
    *Result = new TFrameItem;
    (*Result)->AddRef();
}

void TFrameManager::AddItem(IFrameItem *Item)
{
    if (Item)
        m_items->add(Item);
}

void TFrameManager::ItemEnumerator(IFrameItemEnumerator **Result) const
{
    *Result = new TFrameItemEnumerator(m_items.get());
    (*Result)->AddRef();
}

int32_t TFrameManager::ItemCount() const
{
    return m_items->count();
}

void TFrameManager::Rebuild()
{
    m_valueIndexes.clear();
    {
        IPtr<IFrameItemEnumerator> items;
        ItemEnumerator(items.put());
        m_model->Load(items.get(), m_params.get());
    }
    m_modelBuilt = true;
    m_params->SetValue(keys::PropertyTotalCount, QVariant(int32_t(ItemCount())));
}

void TFrameManager::PublishCheckedCount()
{
    m_params->SetValue(keys::PropertyCheckedCount, QVariant(int32_t(m_model->CheckedCount())));
}

template <class Predicate>
void TFrameManager::checkItems(Predicate wanted)
{
    for (TFrameItemObject *object : m_model->Items()) {
        const TFrameCheckState state = wanted(object) ? fcsChecked : fcsUnchecked;
        object->SetState(state);
        UpdateGroupState(object->Group(), state);
    }
}

void TFrameManager::itemsChecked()
{
    if (OnItemsChecked)
        OnItemsChecked();
}

void TFrameManager::CheckByList(const QStringList &IDs)
{
    if (!m_modelBuilt) {
        m_pendingChecks = IDs;
        return;
    }
    // A newer pass replaces a kept list that was never applied.
    m_pendingChecks.reset();
    m_model->ReserveChecked(std::min(std::size_t(IDs.size()), m_model->Items().size()));
    // The list's own lookup ignores letter case. The model's index of IDs
    // finds the items the list names, except those whose ID it cannot read
    // in place, which look theirs up in a set of the list.
    std::vector<uint8_t> wanted(m_model->Items().size());
    m_model->IdIndex().markNamed(IDs, wanted);
    if (m_model->HasUnknownItems()) {
        const TFoldedTextSet listed(IDs);
        QString id;
        for (TFrameItemObject *object : m_model->Items())
            if (!object->KnownItem) {
                object->Item->GetID(&id);
                wanted[object->Index] = listed.contains(id);
            }
    }
    {
        const TFrameObjectManager::TPass wholeIds(*m_model, TFrameObjectManager::pkWholeIds);
        checkItems([&](TFrameItemObject *object) { return wanted[object->Index] != 0; });
    }
    itemsChecked();
}

void TFrameManager::ApplyPendingChecks()
{
    if (!m_modelBuilt || !m_pendingChecks)
        return;
    const QStringList ids = std::move(*m_pendingChecks);
    m_pendingChecks.reset();
    CheckByList(ids);
}

QStringList TFrameManager::CheckedIDs() const
{
    return !m_modelBuilt && m_pendingChecks ? *m_pendingChecks : m_model->GetCheckedIDs();
}

const TColumnValueIndex &TFrameManager::ValueIndex(int ColumnIndex)
{
    std::unique_ptr<TColumnValueIndex> &index = m_valueIndexes[ColumnIndex];
    if (!index || !index->isCurrent())
        index =
            std::make_unique<TColumnValueIndex>(*m_model, QString::fromLatin1(keys::ValueColumnData).arg(ColumnIndex));
    return *index;
}

void TFrameManager::CheckByValue(int ColumnIndex, const QString &Value)
{
    std::vector<TFrameItemObject *> holders;
    for (uint32_t position : ValueIndex(ColumnIndex).rows(Value))
        holders.push_back(m_model->Items()[position]);
    if (!m_model->EntriesFollowChecks()) {
        // An ID changed while checked: an uncheck may find no entry of its
        // own ID, and then only the order of the items tells whether a
        // check before it in the same pass gave it one.
        std::vector<uint8_t> wanted(m_model->Items().size());
        for (const TFrameItemObject *object : holders)
            wanted[object->Index] = 1;
        checkItems([&](TFrameItemObject *object) { return wanted[object->Index] != 0; });
        itemsChecked();
        return;
    }
    // The same outcome as setting every item in model order: the checked
    // items that do not hold the value are unchecked first (each takes out
    // an entry older than any this pass adds, the oldest of its ID first,
    // as in model order), the holders are checked in model order (so their
    // IDs join the list in that order), and every group ends as its last
    // item left it.
    std::vector<TFrameItemObject *> sortedHolders = holders;
    std::sort(sortedHolders.begin(), sortedHolders.end());
    std::vector<TFrameItemObject *> dropped;
    for (TFrameItemObject *object : m_model->CheckedItems())
        if (!std::binary_search(sortedHolders.begin(), sortedHolders.end(), object))
            dropped.push_back(object);
    {
        const TFrameObjectManager::TPass batch(*m_model, TFrameObjectManager::pkUncheckBatch);
        for (TFrameItemObject *object : dropped)
            object->SetState(fcsUnchecked);
    }
    for (TFrameItemObject *object : holders)
        object->SetState(fcsChecked);
    for (const auto &group : m_model->Groups())
        if (!group->Items().empty())
            UpdateGroupState(group.get(), group->Items().back()->State);
    itemsChecked();
}

} // namespace selectframe
