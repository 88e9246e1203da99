// SPDX-License-Identifier: MIT
// Sort direction of a sort key.
#pragma once

#include <cstdint>

namespace selectframe {

/// A sort key's direction. 0 leaves the order alone. With type 1 the tree
/// puts node 1 before node 2 when the node-compare result is negative; type 2
/// reverses that (the result is negated). Row comparisons answer text
/// results as cmp(second, first), so type 2 lists captions A to Z: a header
/// click on a new column starts with type 2 and the header shows type 2 as
/// ascending.
using TSortType = uint8_t;

constexpr TSortType stNone = 0;
constexpr TSortType stReversed = 1;
constexpr TSortType stNatural = 2;

} // namespace selectframe
