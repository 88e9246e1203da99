// SPDX-License-Identifier: MIT
// Reading a host item through the row that shows it.
#pragma once

#include "hub/FrameItem.h"
#include "model/FrameObjects.h"

#include <selectframe/FrameKeys.h>
#include <selectframe/Interfaces.h>

namespace selectframe {

/// The host item of an item row's object.
inline IFrameItem *itemOf(const TBaseFrameObject *object)
{
    return static_cast<const TFrameItemObject *>(object)->Item.get();
}

/// One value of an item; empty when it has none.
inline QString itemValue(IFrameItem *item, const QString &name)
{
    if (const TFrameItem *own = TFrameItem::Of(item))
        return own->Value(name);
    IPtr<IStringValueList> values;
    item->GetValues(values.put());
    QString text;
    if (values)
        values->GetValue(name, &text);
    return text;
}

/// An item's image number; -1 (no image) when it has none or it is no
/// number.
inline int imageOf(IFrameItem *item)
{
    static const QString name = QString::fromLatin1(keys::ValueImage);
    bool ok = false;
    const int image = itemValue(item, name).toInt(&ok);
    return ok ? image : -1;
}

} // namespace selectframe
