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
    // The list's own lookup ignores letter case. Matching runs over the
    // chains of the checked-ID list: an item that was ever checked knows its
    // chain, so most items are matched by one flag instead of hashing their
    // ID against the list. List IDs that no chain holds go into a set for
    // the items that were never checked.
    m_model->ReserveChecked(std::min(std::size_t(IDs.size()), m_model->Items().size()));
    TCheckedIdList &checked = m_model->CheckedIdList();
    std::vector<bool> wantedChains(checked.chainCount());
    QStringList unchained;
    for (const QString &id : IDs) {
        const int32_t chain = checked.findChain(id);
        if (chain < 0)
            unchained.append(id);
        else
            wantedChains[chain] = true;
    }
    const TFoldedTextSet wanted(unchained);
    QString copy;
    checkItems([&](TFrameItemObject *object) {
        const TFrameItem *own = TFrameItem::Of(object->Item.get());
        if (!own)
            object->Item->GetID(&copy);
        const QString &id = own ? own->IDText() : copy;
        // No chains before the pass (a model just loaded): every ID is in the set.
        if (!wantedChains.empty()) {
            const int32_t chain = checked.findChain(id, &object->CheckedHint);
            // Chains made during this pass were not there when the list was sorted out.
            if (chain >= 0 && std::size_t(chain) < wantedChains.size())
                return bool(wantedChains[chain]);
        }
        return wanted.contains(id);
    });
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
    // The same outcome as setting every item in model order: the checked
    // items that do not hold the value are unchecked (in any order, since
    // an unchecked ID leaves the checked-ID list the same way whenever it
    // goes), the holders are checked in model order (so their IDs join the
    // list in that order), and every group ends as its last item left it.
    std::vector<TFrameItemObject *> holders;
    for (uint32_t position : ValueIndex(ColumnIndex).rows(Value))
        holders.push_back(m_model->Items()[position]);
    std::vector<TFrameItemObject *> sortedHolders = holders;
    std::sort(sortedHolders.begin(), sortedHolders.end());
    std::vector<TFrameItemObject *> dropped;
    for (TFrameItemObject *object : m_model->CheckedItems())
        if (!std::binary_search(sortedHolders.begin(), sortedHolders.end(), object))
            dropped.push_back(object);
    for (TFrameItemObject *object : dropped)
        object->SetState(fcsUnchecked);
    for (TFrameItemObject *object : holders)
        object->SetState(fcsChecked);
    for (const auto &group : m_model->Groups())
        if (!group->Items().empty())
            UpdateGroupState(group.get(), group->Items().back()->State);
    if (OnItemsChecked)
        OnItemsChecked();
}

} // namespace selectframe
