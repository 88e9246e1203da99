// SPDX-License-Identifier: MIT
#include "RowSortValue.h"

#include "frame/ItemValues.h"
#include "platform/TextCollator.h"

namespace selectframe {

namespace {

enum TRowRank : int {
    rrItemWithImage = 0,
    rrItem = 1,
    rrGroup = 2,
};

} // namespace

TRowSortValue RowSortValue(const TBaseFrameObject *Object, int Column, const QString &ColumnDataKey)
{
    TRowSortValue value;
    if (Object->Kind == fokGroup) {
        value.Rank = rrGroup;
        // Groups have no values in the other columns: they tie there.
        if (Column == 0)
            value.Text = static_cast<const TFrameGroupObject *>(Object)->Name;
        return value;
    }
    IFrameItem *item = itemOf(Object);
    if (Column == 0) {
        value.Rank = imageOf(item) > -1 ? rrItemWithImage : rrItem;
        if (const TFrameItem *own = TFrameItem::Of(item))
            value.Text = own->CaptionText();
        else
            item->GetCaption(&value.Text);
    } else {
        value.Rank = rrItem;
        value.Text = itemValue(item, ColumnDataKey);
    }
    return value;
}

int32_t CompareRowSortValues(const TRowSortValue &Value1, const TRowSortValue &Value2, TSortType SortType,
                             const TTextCollator &Collator)
{
    if (Value1.Rank != Value2.Rank) {
        // The tree reverses results for type 2, so the answer flips with it
        // to keep the higher rank last in both directions.
        const int32_t after = SortType == stNatural ? -1 : 1;
        return Value1.Rank > Value2.Rank ? after : -after;
    }
    return Collator.compare(Value2.Text, Value1.Text);
}

} // namespace selectframe
