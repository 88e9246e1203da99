// SPDX-License-Identifier: MIT
// The tree-facing half of an item manager.
#pragma once

#include "IVmManager.h"

namespace selectframe {

/// Implements IVmManager for a manager whose rows live in the adapter
/// returned by Items(): navigation over that adapter's nodes, and the calls
/// that make the holding tree show changes (they do nothing while no tree
/// holds the manager). A derived Initialize calls this one first.
class TBaseVmManager : public IVmManager
{
public:
    void setTree(TCustomTree *tree) override { m_tree = tree; }
    TCustomTree *tree() const { return m_tree; }

    /// Hands the adapters to the tree, which shows their nodes from the
    /// following updateTree on.
    void Initialize() override;
    void updateTree(TUpdateSet parts) override;
    void updateControl() override;
    void updateControlItem(TVirtualNode node, uint32_t code) override;

    TVirtualNode getRoot() const override;
    TVirtualNode getFirstChild(TVirtualNode node) const override;
    TVirtualNode getNextSibling(TVirtualNode node) const override;
    TVirtualNode getParent(TVirtualNode node) const override;
    void *getData(TVirtualNode node) const override;
    TVirtualNode getFirstVisible() const override;

private:
    TCustomTree *m_tree = nullptr;
};

} // namespace selectframe
