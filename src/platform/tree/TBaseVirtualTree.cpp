// SPDX-License-Identifier: MIT
#include "TBaseVirtualTree.h"

namespace selectframe {

TBaseVirtualTree::TBaseVirtualTree()
{
    m_store.setCellData(
        [this](TVirtualNode row, TVirtualNode cell, int column) { return CellData(row, cell, column); });
}

void *TBaseVirtualTree::CellData(TVirtualNode, TVirtualNode, int)
{
    return nullptr;
}

void TBaseVirtualTree::FillSlices(TVirtualNode, TSlices *)
{}

void TBaseVirtualTree::InitSlices(TVirtualNode, TSlices *)
{}

void TBaseVirtualTree::FillStateInfo(TVirtualNode, uint32_t *, int32_t *, int32_t *, int32_t *)
{}

void TBaseVirtualTree::FillSkinName(TVirtualNode, QByteArray *skinName)
{
    *skinName = "default";
}

void TBaseVirtualTree::FillToolTip(TVirtualNode, QString *)
{}

int TBaseVirtualTree::compare(TVirtualNode, TVirtualNode, int, TSortType)
{
    return 0;
}

TVirtualNode TBaseVirtualTree::New(void *data, uint32_t state)
{
    return m_store.create(data, state);
}

void TBaseVirtualTree::add(TVirtualNode parent, TVirtualNode node, int linkType)
{
    m_store.attach(parent, node, linkType);
}

void TBaseVirtualTree::clear()
{
    m_store.clear();
}

TSlices *TBaseVirtualTree::slicesOf(TVirtualNode node)
{
    if (!m_store.contains(node))
        return nullptr;
    if (TSlices *s = m_store.slices(node))
        return s;
    TSlices *s = m_store.makeSlices(node);
    try {
        InitSlices(node, s);
    } catch (...) {
        m_store.dropSlices(node);
        throw;
    }
    return s;
}

TSlices *TBaseVirtualTree::filledSlicesOf(TVirtualNode node)
{
    TSlices *s = slicesOf(node);
    if (s)
        FillSlices(node, s);
    return s;
}

} // namespace selectframe
