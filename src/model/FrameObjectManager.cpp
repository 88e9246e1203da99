// SPDX-License-Identifier: MIT
#include "FrameObjectManager.h"

#include "RememberedLayout.h"
#include "intf/FrameConsts.h"
#include "intf/resStrings.h"
#include "platform/CommaText.h"
#include "platform/Conversion.h"

#include <selectframe/EFrameException.h>
#include <selectframe/FrameKeys.h>

namespace selectframe {

namespace {

void itemStateChanged(void *manager, TBaseFrameObject *sender)
{
    static_cast<TFrameObjectManager *>(manager)->ItemStateChanged(sender);
}

QString optionText(INamedParams *options, const char *key)
{
    QVariant value;
    if (options)
        options->GetValue(QByteArray(key), &value);
    return VarToStr(value);
}

} // namespace

TFrameObjectManager::TFrameObjectManager() = default;

TFrameObjectManager::~TFrameObjectManager()
{
    Clear();
}

void TFrameObjectManager::Clear()
{
    m_groupIndex.clear();
    m_groups.clear();
    m_items.clear();
    m_columns.clear();
    m_checkedIDs.clear();
    m_checkedItems.clear();
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
}

TFrameItemObject *TFrameObjectManager::AddItem(IFrameItem *Item)
{
    static const QString groupKey = QString::fromLatin1(keys::ValueGroup);
    TFrameItemObject *object = m_items.create(Item, makeMethod(&itemStateChanged, this));
    object->Index = uint32_t(m_items.size() - 1);
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
    m_checkedItems.reserve(Count);
}

void TFrameObjectManager::ItemStateChanged(TBaseFrameObject *Sender)
{
    if (!Sender || Sender->Kind != fokItem)
        return;
    auto *item = static_cast<TFrameItemObject *>(Sender);
    QString copy;
    const QString *id = &copy;
    if (!m_itemReader.Id || !m_itemReader.Id(item->Item.get(), &id))
        item->Item->GetID(&copy);
    if (item->State == fcsChecked)
        m_checkedIDs.append(*id, &item->CheckedHint);
    else
        m_checkedIDs.removeOne(*id, &item->CheckedHint);
    const bool listed = item->CheckedSlot >= 0;
    if (item->State == fcsChecked && !listed) {
        item->CheckedSlot = int32_t(m_checkedItems.size());
        m_checkedItems.push_back(item);
    } else if (item->State != fcsChecked && listed) {
        TFrameItemObject *last = m_checkedItems.back();
        m_checkedItems[size_t(item->CheckedSlot)] = last;
        last->CheckedSlot = item->CheckedSlot;
        m_checkedItems.pop_back();
        item->CheckedSlot = -1;
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
