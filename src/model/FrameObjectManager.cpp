// SPDX-License-Identifier: MIT
#include "FrameObjectManager.h"

#include "RememberedLayout.h"
#include "intf/FrameConsts.h"
#include "intf/resStrings.h"
#include "platform/CommaText.h"
#include "platform/Conversion.h"
#include "platform/FoldedText.h"

#include <selectframe/EFrameException.h>
#include <selectframe/FrameKeys.h>

#include <algorithm>

namespace selectframe {

namespace {

void itemStateChanged(void *manager, TBaseFrameObject *sender)
{
    static_cast<TFrameObjectManager *>(manager)->ItemStateChanged(sender);
}

/// Every model alive, to be told when an item's ID changes. Never freed,
/// so a model destroyed during exit still finds it.
std::vector<TFrameObjectManager *> &models()
{
    static auto *all = new std::vector<TFrameObjectManager *>;
    return *all;
}

QString optionText(INamedParams *options, const char *key)
{
    QVariant value;
    if (options)
        options->GetValue(QByteArray(key), &value);
    return VarToStr(value);
}

} // namespace

TFrameObjectManager::TFrameObjectManager()
{
    models().push_back(this);
}

TFrameObjectManager::~TFrameObjectManager()
{
    Clear();
    models().erase(std::find(models().begin(), models().end(), this));
}

void ItemIdChanging(IFrameItem *Item, const QString &OldId)
{
    for (TFrameObjectManager *model : models())
        model->ItemIdChanging(Item, OldId);
}

void TFrameObjectManager::Clear()
{
    // The checked-ID list lets go of its holders while they are alive.
    m_checkedIDs.clear();
    m_unsettled.clear();
    m_groupIndex.clear();
    m_groups.clear();
    m_items.clear();
    m_columns.clear();
    m_unsettledHolders = false;
    m_checkedItems = 0;
    m_idIndex.reset();
    m_idHashesStale = false;
    m_byItem.clear();
    m_unknownItems = false;
}

void TFrameObjectManager::Load(IFrameItemEnumerator *Enumerator, INamedParams *Options)
{
    Clear();
    LoadColumns(Options);
    GetGroup(QString());
    if (!Enumerator)
        return;
    Enumerator->Reset();
    IPtr<IFrameItem> item;
    while (Enumerator->MoveNext()) {
        Enumerator->GetCurrent(item.put());
        if (item)
            AddItem(item.get());
    }
    IdIndex();
}

TFrameItemObject *TFrameObjectManager::AddItem(IFrameItem *Item)
{
    static const QString groupKey = QString::fromLatin1(keys::ValueGroup);
    TFrameItemObject *object = m_items.create(Item, makeMethod(&itemStateChanged, this));
    object->Index = uint32_t(m_items.size() - 1);
    const QString *id = nullptr;
    object->KnownItem = m_itemReader.Id && m_itemReader.Id(Item, &id);
    if (object->KnownItem)
        object->IdHash = m_itemReader.IdHash(Item);
    m_unknownItems = m_unknownItems || !object->KnownItem;
    m_idIndex.reset();
    m_byItem.clear();
    static const QString defaultGroup;
    const QString *kept = nullptr;
    if (m_itemReader.Value && m_itemReader.Value(Item, groupKey, &kept)) {
        GetGroup(kept ? *kept : defaultGroup)->AddItem(object);
        return object;
    }
    QString groupName;
    IPtr<IStringValueList> values;
    Item->GetValues(values.put());
    if (values)
        values->GetValue(groupKey, &groupName);
    GetGroup(groupName)->AddItem(object);
    return object;
}

TFrameGroupObject *TFrameObjectManager::AddGroup(std::unique_ptr<TFrameGroupObject> Group)
{
    TFrameGroupObject *group = Group.get();
    m_groups.push_back(std::move(Group));
    m_groupIndex.insert(group->Name, group);
    return group;
}

TFrameGroupObject *TFrameObjectManager::GetGroup(const QString &Name)
{
    if (TFrameGroupObject *group = FindGroup(Name))
        return group;
    return AddGroup(std::make_unique<TFrameGroupObject>(Name));
}

TFrameGroupObject *TFrameObjectManager::FindGroup(const QString &Name) const
{
    return m_groupIndex.value(Name, nullptr);
}

TFrameColumnObject *TFrameObjectManager::ColumnByIndex(int Index) const
{
    for (const auto &column : m_columns)
        if (column->Index == Index)
            return column.get();
    return nullptr;
}

TFrameColumnObject *TFrameObjectManager::ColumnByName(const QString &Name) const
{
    for (const auto &column : m_columns)
        if (column->Caption.compare(Name, Qt::CaseInsensitive) == 0)
            return column.get();
    return nullptr;
}

IPtr<IObjectEnumerator<TFrameGroupObject>> TFrameObjectManager::GetGroups() const
{
    return enumerateObjects<TFrameGroupObject>(m_groups);
}

IPtr<IObjectEnumerator<TFrameItemObject>> TFrameObjectManager::GetItems() const
{
    return enumerateObjects<TFrameItemObject>(m_items);
}

IPtr<IObjectEnumerator<TFrameColumnObject>> TFrameObjectManager::GetColumns() const
{
    return enumerateObjects<TFrameColumnObject>(m_columns);
}

void TFrameObjectManager::ReserveChecked(std::size_t Count)
{
    m_checkedIDs.reserve(Count);
}

qsizetype TFrameObjectManager::CheckedCount()
{
    settle();
    return m_checkedIDs.count();
}

const QStringList &TFrameObjectManager::GetCheckedIDs()
{
    settle();
    return m_checkedIDs.list([this](TFrameItemObject *holder) { return idOf(holder); });
}

bool TFrameObjectManager::EntriesFollowChecks()
{
    settle();
    return m_checkedIDs.looseCount() == 0 && m_checkedIDs.count() == m_checkedItems;
}

std::vector<TFrameItemObject *> TFrameObjectManager::CheckedItems()
{
    Q_ASSERT(EntriesFollowChecks());
    std::vector<TFrameItemObject *> checked;
    checked.reserve(std::size_t(m_checkedItems));
    for (int32_t slot = 0; qsizetype(checked.size()) < m_checkedItems; ++slot)
        if (TFrameItemObject *holder = m_checkedIDs.holderOf(slot))
            checked.push_back(holder);
    return checked;
}

const TItemIdIndex &TFrameObjectManager::IdIndex()
{
    if (!m_idIndex) {
        if (m_idHashesStale)
            for (TFrameItemObject *item : m_items)
                if (item->KnownItem)
                    item->IdHash = m_itemReader.IdHash(item->Item.get());
        m_idHashesStale = false;
        m_idIndex = std::make_unique<TItemIdIndex>(m_items, m_itemReader.Id);
    }
    return *m_idIndex;
}

QString TFrameObjectManager::idOf(TFrameItemObject *Item) const
{
    const QString *kept = nullptr;
    if (Item->KnownItem && m_itemReader.Id(Item->Item.get(), &kept))
        return *kept;
    QString id;
    Item->Item->GetID(&id);
    return id;
}

void TFrameObjectManager::ItemStateChanged(TBaseFrameObject *Sender)
{
    if (!Sender || Sender->Kind != fokItem)
        return;
    auto *item = static_cast<TFrameItemObject *>(Sender);
    if (item->State == fcsChecked) {
        settle(item);
        ++m_checkedItems;
        // An item the reader does not know may change its ID unseen: its
        // entry keeps the text and is nobody's.
        if (item->KnownItem)
            m_checkedIDs.append(item);
        else
            m_checkedIDs.appendLoose(idOf(item));
        return;
    }
    if (m_batches == 0) {
        settle(item);
        --m_checkedItems;
        takeOutEntry(item);
        return;
    }
    --m_checkedItems;
    // A holder is found again in the list; the rare item without an entry
    // is kept.
    if (item->Entry >= 0)
        m_unsettledHolders = true;
    else
        m_unsettled.emplace_back(item, idOf(item));
}

void TFrameObjectManager::settleBatch(const TFrameItemObject *Changing)
{
    std::vector<std::pair<TFrameItemObject *, QString>> entryless;
    entryless.swap(m_unsettled);
    m_unsettledHolders = false;
    // Nothing checked is left and every entry was held by one of them.
    if (m_checkedItems == 0 && m_checkedIDs.looseCount() == 0) {
        m_checkedIDs.clear();
        return;
    }
    // The entries an uncheck takes out are the oldest of its ID, whatever
    // the order of the unchecks: the holders go in list order.
    std::vector<TFrameItemObject *> holders;
    for (int32_t slot = 0; slot < int32_t(m_checkedIDs.slotCount()); ++slot)
        if (TFrameItemObject *holder = m_checkedIDs.holderOf(slot);
            holder && (holder->State != fcsChecked) != (holder == Changing))
            holders.push_back(holder);
    for (const auto &[item, id] : entryless)
        takeOutEntry(item, &id);
    for (TFrameItemObject *item : holders)
        takeOutEntry(item);
}

void TFrameObjectManager::takeOutEntry(TFrameItemObject *Item, const QString *Id)
{
    // An entry that is not loose is held by an item with its ID. Without
    // loose entries, when no other item has this ID or the pass unchecks
    // all that have it, the item's own entry can go: it is the first of
    // its ID, or all of them go.
    const int32_t own = Item->Entry;
    const bool noLoose = m_checkedIDs.looseCount() == 0;
    if (own >= 0 && (m_checkedIDs.count() == 1 || (noLoose && (m_wholeIdPasses > 0 || IdIndex().allDistinct())))) {
        m_checkedIDs.remove(own);
        return;
    }
    // The first entry equal to the ID: held by an item with that ID, or loose.
    const QString id = Id ? *Id : idOf(Item);
    int32_t first = own;
    const auto consider = [&first](int32_t slot) {
        if (slot >= 0 && (first < 0 || slot < first))
            first = slot;
    };
    const TItemIdIndex &index = IdIndex();
    if (const uint32_t found = index.find(id); found != TItemIdIndex::None) {
        uint32_t other = found;
        do {
            consider(m_items[other]->Entry);
            other = index.next(other);
        } while (other != found);
    }
    if (m_checkedIDs.looseCount() > 0)
        for (const int32_t slot : m_checkedIDs.looseSlots())
            if (foldedEqual(*m_checkedIDs.textOf(slot), id)) {
                consider(slot);
                break;
            }
    if (first < 0 || first == own) {
        if (own >= 0)
            m_checkedIDs.remove(own);
        return;
    }
    // Another entry goes; this item's entry, which stays, passes to that
    // entry's holder (or becomes loose), still showing this item's ID.
    TFrameItemObject *holder = m_checkedIDs.holderOf(first);
    m_checkedIDs.remove(first);
    if (Item->Entry < 0)
        return;
    const int32_t kept = Item->Entry; // the removal may have moved it
    if (!m_checkedIDs.textOf(kept) && (!holder || idOf(holder) != id))
        m_checkedIDs.setText(kept, id);
    m_checkedIDs.setHolder(kept, holder);
}

void TFrameObjectManager::ItemIdChanging(IFrameItem *Item, const QString &OldId)
{
    // Settled under the old ID first; the index is made again once the new
    // one is in place.
    settle();
    m_idIndex.reset();
    m_idHashesStale = true;
    if (m_checkedIDs.count() == m_checkedIDs.looseCount())
        return;
    if (m_byItem.empty()) {
        m_byItem.reserve(m_items.size());
        for (TFrameItemObject *object : m_items)
            m_byItem.emplace_back(object->Item.get(), object);
        std::sort(m_byItem.begin(), m_byItem.end());
    }
    auto at = std::lower_bound(m_byItem.begin(), m_byItem.end(), std::make_pair(Item, (TFrameItemObject *)nullptr));
    for (; at != m_byItem.end() && at->first == Item; ++at) {
        const int32_t slot = at->second->Entry;
        if (slot < 0)
            continue;
        if (!m_checkedIDs.textOf(slot))
            m_checkedIDs.setText(slot, OldId);
        m_checkedIDs.setHolder(slot, nullptr);
    }
}

void TFrameObjectManager::LoadColumns(INamedParams *Options)
{
    const QList<int> remembered = ReadColumnWidths(Options);
    const QStringList names = splitCommaText(optionText(Options, keys::OptionColumnNames));
    const QStringList widths = splitCommaText(optionText(Options, keys::OptionColumnsWidth));
    if (names.isEmpty())
        throw EFrameException(res::text(res::SNoColumns));
    for (int i = 0; i < names.size(); ++i) {
        auto column = std::make_unique<TFrameColumnObject>(names[i], i);
        if (i < remembered.size() && remembered[i] > 0) {
            column->Width = remembered[i];
        } else if (i < widths.size()) {
            bool ok = false;
            const int width = widths[i].toInt(&ok);
            column->Width = ok ? ClampToOptionRange(keys::OptionColumnsWidth, width) : -1;
        }
        m_columns.push_back(std::move(column));
    }
}

} // namespace selectframe
