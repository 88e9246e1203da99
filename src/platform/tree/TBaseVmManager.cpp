// SPDX-License-Identifier: MIT
#include "TBaseVmManager.h"

#include "TBaseVirtualTree.h"
#include "TCustomTree.h"

namespace selectframe {

void TBaseVmManager::Initialize()
{
    if (m_tree)
        m_tree->bindAdapters(Items(), Columns());
}

void TBaseVmManager::updateTree(TUpdateSet parts)
{
    if (m_tree)
        m_tree->takeUp(parts);
}

void TBaseVmManager::updateControl()
{
    if (m_tree)
        m_tree->refresh();
}

void TBaseVmManager::updateControlItem(TVirtualNode node, uint32_t)
{
    if (m_tree)
        m_tree->repaintNode(node);
}

TVirtualNode TBaseVmManager::getRoot() const
{
    return Items() ? Items()->Root() : TVirtualNode{};
}

TVirtualNode TBaseVmManager::getFirstChild(TVirtualNode node) const
{
    return Items() ? Items()->store().firstChild(node) : TVirtualNode{};
}

TVirtualNode TBaseVmManager::getNextSibling(TVirtualNode node) const
{
    return Items() ? Items()->store().nextSibling(node) : TVirtualNode{};
}

TVirtualNode TBaseVmManager::getParent(TVirtualNode node) const
{
    return Items() ? Items()->store().parentOf(node) : TVirtualNode{};
}

void *TBaseVmManager::getData(TVirtualNode node) const
{
    return Items() ? Items()->getData(node) : nullptr;
}

TVirtualNode TBaseVmManager::getFirstVisible() const
{
    return m_tree ? m_tree->firstVisibleNode() : TVirtualNode{};
}

} // namespace selectframe
