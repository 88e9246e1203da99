// SPDX-License-Identifier: MIT
// The children of one parent node.
#pragma once

#include "TVirtualNode.h"

#include <vector>

namespace selectframe {

/// All children of a parent in their order, and those of them that are
/// shown, as last laid out. Keeping the shown ones apart makes a row's
/// position among its visible siblings a plain lookup.
///
/// A shown child is kept as a row key: its node id, with ParentBit set when
/// the child has children of its own. A view can then tell leaves from
/// parents without touching the child's record.
struct TChildList
{
    static constexpr uint32_t ParentBit = 0x80000000u;
    static TVirtualNode nodeOfKey(uint32_t key) { return TVirtualNode{key & ~ParentBit}; }

    TVirtualNode Owner;
    std::vector<TVirtualNode> All;
    std::vector<uint32_t> Visible;
    /// Set while All or a child's hidden flag changed since the last layout.
    bool Dirty = false;
};

} // namespace selectframe
