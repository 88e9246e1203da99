// SPDX-License-Identifier: MIT
// A frame manager filled the way a frame fills it, and ways to find the
// rows an item tree built for it.
#pragma once

#include "hub/FrameManager.h"
#include "trees/SelectVirtualManager.h"

#include <selectframe/FrameKeys.h>

#include <QList>
#include <QPair>
#include <QString>

namespace selectframe::test {

using TValues = QList<QPair<QString, QString>>;

/// A frame manager with columns "Name", "Address", "Kind" (widths -1, 150,
/// -1) unless told otherwise.
struct TFrameFixture
{
    TFrameManager Manager;

    explicit TFrameFixture(const QString &columns = QStringLiteral("Name,Address,Kind"),
                           const QString &widths = QStringLiteral("-1,150,-1"))
    {
        set(keys::OptionColumnNames, columns);
        set(keys::OptionColumnsWidth, widths);
    }
    void set(const char *key, const QVariant &value) { Manager.Params()->SetValue(QByteArray(key), value); }

    /// A new item with ID `id`, caption "Item <id>", in `group`, with
    /// "column<c>_data" = "<id> c<c>" for columns 1 and 2 and `values`.
    IPtr<IFrameItem> add(const QString &id, const QString &group = {}, const TValues &values = {})
    {
        IPtr<IFrameItem> item;
        Manager.NewItem(item.put());
        item->SetID(id);
        item->SetCaption(QStringLiteral("Item ") + id);
        IPtr<IStringValueList> list;
        item->GetValues(list.put());
        list->SetValue(QString::fromLatin1(keys::ValueGroup), group);
        for (int c = 1; c <= 2; ++c)
            list->SetValue(QStringLiteral("column%1_data").arg(c), QStringLiteral("%1 c%2").arg(id).arg(c));
        for (const auto &[name, value] : values)
            list->SetValue(name, value);
        Manager.AddItem(item.get());
        return item;
    }
};

/// Every row node below `parent` (group and item rows, not column cells),
/// in tree order.
inline void collectRows(const TBaseVirtualTree &tree, TVirtualNode parent, QList<TVirtualNode> &rows)
{
    for (TVirtualNode n = tree.store().firstChild(parent); n; n = tree.store().nextSibling(n)) {
        rows.append(n);
        collectRows(tree, n, rows);
    }
}

inline QList<TVirtualNode> allRows(const TBaseVirtualTree &tree)
{
    QList<TVirtualNode> rows;
    collectRows(tree, tree.Root(), rows);
    return rows;
}

/// The record of the row `tree` built for `item`, or null.
inline TSelectFrameNode *recordOf(const TSelectVirtualTree &tree, IFrameItem *item)
{
    for (TVirtualNode n : allRows(tree)) {
        TSelectFrameNode *record = tree.recordOf(n);
        const TBaseFrameObject *object = record->FrameObject;
        if (object->Kind == fokItem && static_cast<const TFrameItemObject *>(object)->Item.get() == item)
            return record;
    }
    return nullptr;
}

/// The item as IFrameItemEx.
inline IPtr<IFrameItemEx> ex(const IPtr<IFrameItem> &item)
{
    return item.query<IFrameItemEx>();
}

} // namespace selectframe::test
