// SPDX-License-Identifier: MIT
// What every node of the item tree carries.
#pragma once

#include "platform/tree/TVirtualNode.h"

#include <selectframe/Interfaces.h>

#include <cstdint>

namespace selectframe {

class TBaseFrameObject;
class TSlices;

/// The data of one node of the item tree: the model object the node shows,
/// the column of its cell, and the slice list the tree control made for it.
/// 24 bytes, as a million rows of five columns make five million.
/// The record points into the model and into the tree without owning
/// either; it lives from the build that made it to the next rebuild of its
/// tree (see TSelectFrameTree).
struct TSelectFrameNode
{
    /// A TFrameItemObject or a TFrameGroupObject; tell them apart by Kind.
    TBaseFrameObject *FrameObject = nullptr;
    /// 0 for a row's own node, c for the node of column c.
    int32_t Column = 0;
    /// The tree node made for this record (it fits in the room the column
    /// leaves), so a record reaches its slices and its row:
    /// `TBaseVirtualTree::slicesOf(Node)` makes the slices of a row not yet
    /// drawn.
    TVirtualNode Node;
    /// Set by InitSlices; null until the tree first draws the node or
    /// something asks for its slices.
    TSlices *Slices = nullptr;
};

static_assert(sizeof(TSelectFrameNode) <= 24, "a node record must stay at 24 bytes");

} // namespace selectframe
