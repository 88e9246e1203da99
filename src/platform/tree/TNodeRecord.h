// SPDX-License-Identifier: MIT
// One slot of a node store.
#pragma once

#include "TVirtualNode.h"

namespace selectframe {

/// What a node store keeps per node, 32 bytes: the links are 32-bit slot
/// numbers so a million rows with four column cells each stay compact.
struct TNodeRecord
{
    /// VisibleIndex of a row that is hidden or not yet laid out.
    static constexpr uint32_t NotShown = 0xFFFFFFFFu;
    /// VisibleIndex of a column cell, which is never a row of its own.
    static constexpr uint32_t CellMark = 0xFFFFFFFEu;

    void *Data = nullptr;
    uint32_t State = 0;
    /// Row: its parent row (0 while unattached). Cell: the row or header
    /// root it belongs to.
    uint32_t Parent = 0;
    uint32_t NextCell = 0;
    /// Slot in the store's child-list table; 0 for a node without children.
    uint32_t Children = 0;
    /// Row: position among all children of the parent. Cell: its column.
    uint32_t ChildIndex = 0;
    /// Row: position among the parent's shown children as last laid out.
    uint32_t VisibleIndex = NotShown;

    bool isCell() const { return VisibleIndex == CellMark; }
};

static_assert(sizeof(TNodeRecord) == 32, "a node record must stay at 32 bytes");

} // namespace selectframe
