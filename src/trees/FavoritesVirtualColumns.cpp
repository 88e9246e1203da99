// SPDX-License-Identifier: MIT
#include "FavoritesVirtualColumns.h"

#include "trees/TextCell.h"

namespace selectframe {

namespace {

/// The header node's data: a plain tag, not an object.
void *const ColumnTag = reinterpret_cast<void *>(quintptr(1));
/// Third integer of a column that takes the room left.
constexpr int32_t hwFill = 0x10000;

} // namespace

TFavoritesVirtualColumns::TFavoritesVirtualColumns()
{
    add(Root(), New(ColumnTag, 0), ltNextCell);
}

void TFavoritesVirtualColumns::InitSlices(TVirtualNode, TSlices *Slices)
{
    InitTextCell(Slices);
}

void TFavoritesVirtualColumns::FillSlices(TVirtualNode, TSlices *Slices)
{
    FillTextCell(Slices, QStringLiteral("1"));
}

void TFavoritesVirtualColumns::FillStateInfo(TVirtualNode, uint32_t *, int32_t *, int32_t *, int32_t *Third)
{
    *Third = hwFill;
}

} // namespace selectframe
