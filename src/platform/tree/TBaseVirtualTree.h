// SPDX-License-Identifier: MIT
// The base of node adapters: a node store and the per-node callbacks.
#pragma once

#include "TNodeStore.h"
#include "TSortType.h"

#include <QByteArray>
#include <QString>

namespace selectframe {

/// A node adapter: owns the nodes a manager builds (an invisible root, rows
/// and their column cells) and answers, node by node, what the tree shows.
/// The tree asks InitSlices once per node, when the node is first drawn or
/// its slices are first asked for, and FillSlices before every paint, so
/// adapters never cache cell contents. Derive, override the callbacks and
/// build nodes with New and add.
class TBaseVirtualTree
{
public:
    TBaseVirtualTree();
    virtual ~TBaseVirtualTree() = default;
    TBaseVirtualTree(const TBaseVirtualTree &) = delete;
    TBaseVirtualTree &operator=(const TBaseVirtualTree &) = delete;

    /// Sets the values of the slices InitSlices made for `node`. Does
    /// nothing here.
    virtual void FillSlices(TVirtualNode node, TSlices *slices);
    /// Creates the slices of `node` and adds them to `slices`. Adds none
    /// here.
    virtual void InitSlices(TVirtualNode node, TSlices *slices);
    /// Reports a node's initial state and, for header columns, its width:
    /// `state` may get nsExpanded (rows with children) or, for a header
    /// column, flag 8 (no width given); `first` is a width in pixels and is
    /// used when `third` is 0. The tree passes first 0, second 0,
    /// third 0x10000, and for a row its current flags in `state`. Leaves
    /// everything alone here.
    virtual void FillStateInfo(TVirtualNode node, uint32_t *state, int32_t *first, int32_t *second, int32_t *third);
    /// The skin of the node's row; "radio" draws check boxes as radio
    /// buttons. Sets "default" here.
    virtual void FillSkinName(TVirtualNode node, QByteArray *skinName);
    /// The tool tip of `node`; `hint` arrives with the text under the mouse.
    /// Leaves it alone here.
    virtual void FillToolTip(TVirtualNode node, QString *hint);
    /// Compares two rows for sorting when the tree has no node-compare
    /// handler. Returns 0 here.
    virtual int compare(TVirtualNode node1, TVirtualNode node2, int column, TSortType sortType);

    /// The invisible root.
    TVirtualNode Root() const { return m_store.root(); }
    /// A new unattached node carrying `data`, with `state` as initial flags.
    TVirtualNode New(void *data, uint32_t state);
    /// Attaches `node` to `parent`: ltLastChild (3) as the last child row,
    /// ltNextCell (7) as the next column cell of the row `parent`, or as the
    /// next header column when `parent` is a header adapter's root.
    void add(TVirtualNode parent, TVirtualNode node, int linkType);
    /// Gives the row `row` `count` column cells that are made when first
    /// reached (drawn, hit, or asked for through the store), each with the
    /// data CellData gives then: the same cells as `count` calls of add with
    /// ltNextCell, without a node per cell for rows never drawn. The row
    /// must have no cells yet.
    void addCells(TVirtualNode row, int count) { m_store.deferCells(row, count); }
    /// Removes every node; node data is not freed.
    void clear();
    /// The data given to New for `node`.
    void *getData(TVirtualNode node) const { return m_store.data(node); }
    /// The node made last for `data`, or none.
    TVirtualNode getItem(void *data) { return m_store.findData(data); }
    /// Takes `node` out of the tree without freeing its data.
    void remove(TVirtualNode node) { m_store.detach(node); }

    /// The data of the cell of `row` in `column` (1 for the first cell of
    /// addCells), made now as `cell`; asked once per cell. Null here.
    virtual void *CellData(TVirtualNode row, TVirtualNode cell, int column);

    /// The slices of `node`, made (with InitSlices) on first request.
    TSlices *slicesOf(TVirtualNode node);
    /// The slices of `node` made and filled for drawing it now.
    TSlices *filledSlicesOf(TVirtualNode node);

    TNodeStore &store() { return m_store; }
    const TNodeStore &store() const { return m_store; }

private:
    TNodeStore m_store;
};

} // namespace selectframe
