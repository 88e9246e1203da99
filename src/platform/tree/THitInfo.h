// SPDX-License-Identifier: MIT
// What a click on a tree hit.
#pragma once

#include "TVirtualNode.h"

namespace selectframe {

class TSlice;

/// The hit record of a point of a tree: the node of the cell under it (the
/// row node in the first column, a column cell node in the others), its row,
/// its column and the slice there (index -1 and null between slices).
struct THitInfo
{
    TVirtualNode Node;
    TVirtualNode Row;
    int Column = -1;
    int SliceIndex = -1;
    TSlice *Slice = nullptr;
};

} // namespace selectframe
