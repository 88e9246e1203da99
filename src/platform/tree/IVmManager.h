// SPDX-License-Identifier: MIT
// What a tree asks of its installed manager.
#pragma once

#include "TVirtualNode.h"

#include <cstdint>

namespace selectframe {

class TBaseVirtualTree;
class TCustomTree;

/// Parts of the tree updateTree takes up; the empty set takes up all.
enum TUpdatePart : uint32_t {
    upRows = 1,
    upHeader = 2,
};
using TUpdateSet = uint32_t;

/// Row repaint flags: the row's content changed and is to be drawn again.
constexpr uint32_t ucfRowRepaint = 0x1005;

/// The item manager a tree holds: it builds the nodes (Initialize), names
/// the row and header adapters, walks the rows and tells the tree to show
/// changes. Navigation covers every row, hidden or not, in the current
/// order; column cells are not rows.
class IVmManager
{
public:
    virtual ~IVmManager() = default;

    /// Tells the manager the tree that holds it (null when dropped); the
    /// tree calls it before Initialize.
    virtual void setTree(TCustomTree *tree) = 0;
    /// Builds the nodes; the tree calls it once when the manager is
    /// installed.
    virtual void Initialize() = 0;
    /// The tree takes up the nodes as they are now: the rows with their
    /// states (upRows) and the header columns (upHeader).
    virtual void updateTree(TUpdateSet parts) = 0;
    /// Repaints the whole tree after its rows changed.
    virtual void updateControl() = 0;
    /// Repaints the row of `node` (any code, e.g. ucfRowRepaint).
    virtual void updateControlItem(TVirtualNode node, uint32_t code) = 0;
    /// The adapter of the rows.
    virtual TBaseVirtualTree *Items() const = 0;
    /// The adapter of the header columns; may be null for a tree without
    /// columns of its own (one column is shown then).
    virtual TBaseVirtualTree *Columns() const = 0;

    virtual TVirtualNode getRoot() const = 0;
    virtual TVirtualNode getFirstChild(TVirtualNode node) const = 0;
    virtual TVirtualNode getNextSibling(TVirtualNode node) const = 0;
    virtual TVirtualNode getParent(TVirtualNode node) const = 0;
    virtual void *getData(TVirtualNode node) const = 0;
    /// The first row shown, in display order; none when nothing is shown.
    virtual TVirtualNode getFirstVisible() const = 0;
};

} // namespace selectframe
