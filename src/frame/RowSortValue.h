// SPDX-License-Identifier: MIT
// What a row of the item tree sorts by.
#pragma once

#include "platform/tree/TSortType.h"

#include <QString>

namespace selectframe {

class TBaseFrameObject;
class TTextCollator;

/// What a row sorts by in one column. Rows order by Rank first, the same
/// way in either direction: in the caption column item rows with an image,
/// then item rows without one, then group rows; in the other columns item
/// rows, then group rows. Rows of one rank order by Text in the direction
/// of the sort.
struct TRowSortValue
{
    int Rank = 0;
    QString Text;
};

/// The sort value of the row of `Object` in `Column`; `ColumnDataKey` is
/// the item value that column shows ("column<n>_data").
TRowSortValue RowSortValue(const TBaseFrameObject *Object, int Column, const QString &ColumnDataKey);

/// The frame's own comparison of two rows before a host may override it:
/// different ranks give the result that puts the higher rank after the
/// other for `SortType` (see TSortType), equal ranks compare the second
/// row's text with the first's.
int32_t CompareRowSortValues(const TRowSortValue &Value1, const TRowSortValue &Value2, TSortType SortType,
                             const TTextCollator &Collator);

} // namespace selectframe
