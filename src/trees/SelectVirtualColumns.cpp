// SPDX-License-Identifier: MIT
#include "SelectVirtualColumns.h"

#include "hub/FrameManager.h"
#include "trees/TextCell.h"

namespace selectframe {

namespace {

/// Header flag of a column that has no width of its own.
constexpr uint32_t hsNoWidth = 8;
/// Third integer of a column that takes the room left.
constexpr int32_t hwFill = 0x10000;

} // namespace

TSelectVirtualColumns::TSelectVirtualColumns(TFrameManager *FrameManager)
{
    IPtr<IObjectEnumerator<TFrameColumnObject>> columns = FrameManager->Model()->GetColumns();
    while (columns->MoveNext())
        add(Root(), New(columns->GetCurrent(), 0), ltNextCell);
}

void TSelectVirtualColumns::InitSlices(TVirtualNode, TSlices *Slices)
{
    InitTextCell(Slices);
}

void TSelectVirtualColumns::FillSlices(TVirtualNode Node, TSlices *Slices)
{
    const TFrameColumnObject *column = columnOf(Node);
    if (!column)
        return;
    FillTextCell(Slices, column->Caption);
}

void TSelectVirtualColumns::FillStateInfo(TVirtualNode Node, uint32_t *State, int32_t *First, int32_t *, int32_t *Third)
{
    const TFrameColumnObject *column = columnOf(Node);
    if (!column)
        return;
    if (column->Width != -1) {
        *Third = 0;
        *First = column->Width;
    } else if (column->Index == 0) {
        *Third = hwFill;
    } else {
        *State |= hsNoWidth;
    }
}

} // namespace selectframe
