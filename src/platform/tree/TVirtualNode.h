// SPDX-License-Identifier: MIT
// The handle by which trees, managers and adapters name a node.
#pragma once

#include <cstdint>

namespace selectframe {

/// Names one node of an adapter's node store; the value 0 names none.
/// A handle stays valid until its adapter is cleared; a removed node keeps
/// its handle (and its data) but belongs to no tree any more.
struct TVirtualNode
{
    uint32_t Id = 0;

    constexpr explicit operator bool() const { return Id != 0; }
    constexpr bool operator==(TVirtualNode o) const { return Id == o.Id; }
    constexpr bool operator!=(TVirtualNode o) const { return Id != o.Id; }
};

/// Node state flags the tree understands; other bits are kept for the
/// adapter's own use.
enum TNodeState : uint32_t {
    nsExpanded = 0x20,
    nsHidden = 0x80,
};

/// How `add` attaches a node to its parent.
enum TLinkType : int {
    /// The node becomes the parent's last child row.
    ltLastChild = 3,
    /// The node becomes the next column cell of the row given as parent; under
    /// the header adapter's root, the next header column.
    ltNextCell = 7,
};

} // namespace selectframe
