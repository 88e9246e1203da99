// What every node of the item tree carries.
#pragma once

#include <selectframe/Interfaces.h>

#include <cstdint>

namespace selectframe {

class TBaseFrameObject;
class TSlices;

/// The data of one node of the item tree: the model object the node shows,
/// the column of its cell, and the slice list the tree control made for it.
/// The record points into the model and into the tree without owning
/// either; it lives from the build that made it to the next rebuild of its
/// tree (see TSelectFrameTree).
struct TSelectFrameNode
{
    /// A TFrameItemObject or a TFrameGroupObject; tell them apart by Kind.
    TBaseFrameObject *FrameObject = nullptr;
    /// 0 for a row's own node, c for the node of column c.
    int32_t Column = 0;
    /// Set by InitSlices; null until the control first asks for the slices.
    TSlices *Slices = nullptr;
};

} // namespace selectframe
