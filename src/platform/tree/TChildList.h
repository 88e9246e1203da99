// The children of one parent node.
#pragma once

#include "TVirtualNode.h"

#include <vector>

namespace selectframe {

/// All children of a parent in their order, and those of them that are
/// shown, as last laid out. Keeping the shown ones apart makes a row's
/// position among its visible siblings a plain lookup.
struct TChildList
{
    TVirtualNode Owner;
    std::vector<TVirtualNode> All;
    std::vector<TVirtualNode> Visible;
    /// Set while All or a child's hidden flag changed since the last layout.
    bool Dirty = false;
};

} // namespace selectframe
