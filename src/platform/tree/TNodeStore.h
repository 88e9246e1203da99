// SPDX-License-Identifier: MIT
// The nodes of one adapter: rows, their column cells and their order.
#pragma once

#include "TChildList.h"
#include "TNodeArena.h"
#include "TSlices.h"

#include <QHash>

#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace selectframe {

class TNodeOrder;
class TNodeStoreObserver;

/// Keeps the nodes of one adapter: an invisible root, rows attached as
/// children, column cells chained to their row, each node's slices once
/// made, and per parent the list of all children and of the shown ones.
/// Changes to the order or to the hidden flag mark the parent's list; the
/// shown lists and positions are rebuilt only by `layout`, so a view reading
/// them always sees the layout it was last told about.
class TNodeStore
{
public:
    TNodeStore();
    ~TNodeStore();
    TNodeStore(const TNodeStore &) = delete;
    TNodeStore &operator=(const TNodeStore &) = delete;

    void setObserver(TNodeStoreObserver *observer) { m_observer = observer; }
    /// Gives the data of a deferred cell as it is made (see deferCells):
    /// the row, the new cell and its column.
    using TCellData = std::function<void *(TVirtualNode row, TVirtualNode cell, int column)>;
    void setCellData(TCellData cellData) { m_cellData = std::move(cellData); }

    TVirtualNode root() const { return TVirtualNode{RootId}; }
    /// Whether `node` names a node of this store.
    bool contains(TVirtualNode node) const { return node.Id >= RootId && node.Id < m_arena.size(); }
    /// Number of nodes made, the root included.
    uint32_t nodeCount() const { return m_arena.size() - 1; }

    /// A new unattached node carrying `data`, with `state` as its flags.
    TVirtualNode create(void *data, uint32_t state);
    /// Attaches `node` to `parent` as the last child row (ltLastChild) or the
    /// next column cell (ltNextCell); an attached node is moved. Throws
    /// std::invalid_argument for unknown nodes or link types and for links
    /// that would make a cycle.
    void attach(TVirtualNode parent, TVirtualNode node, int linkType);
    /// Gives the row `row`, which has no cells yet, `count` column cells that
    /// are made when first reached: by cell(), a later attached cell or a
    /// walk of the row's cells. Each gets its data from the cell data
    /// function then. A row of a million that is never drawn costs no cell
    /// node.
    void deferCells(TVirtualNode row, int count);
    /// Takes `node` (with its cells and children) out of the tree; its data
    /// and slices stay.
    void detach(TVirtualNode node);
    /// Removes every node but a fresh root; node data is not touched.
    void clear();

    void *data(TVirtualNode node) const { return contains(node) ? rec(node).Data : nullptr; }
    /// The node made last for `data`, or none.
    TVirtualNode findData(void *data);
    uint32_t state(TVirtualNode node) const { return contains(node) ? rec(node).State : 0; }
    /// Sets a node's flags; a change of the hidden flag marks its parent.
    void setState(TVirtualNode node, uint32_t state);

    TVirtualNode parentOf(TVirtualNode node) const;
    TVirtualNode firstChild(TVirtualNode node) const;
    TVirtualNode nextSibling(TVirtualNode node) const;
    /// The node of `column` in the row `row` (column 0 is the row itself);
    /// under the root, the header column `column`. None when missing. Makes
    /// the row's deferred cells: they exist for the caller as any other.
    TVirtualNode cell(TVirtualNode row, int column) const;
    /// Number of cells chained to `row` (header columns under the root).
    int cellCount(TVirtualNode row) const;
    /// The column of a cell node; 0 for a row.
    int columnOf(TVirtualNode node) const;
    bool isCell(TVirtualNode node) const { return contains(node) && rec(node).isCell(); }
    /// Whether `node` is the root or hangs below it.
    bool isAttached(TVirtualNode node) const;

    /// The children of `node`, or null when it never had any.
    const TChildList *children(TVirtualNode node) const;
    /// Every child list, in order of creation; slot 0 is unused.
    const std::vector<TChildList> &childLists() const { return m_lists; }
    /// Position of a row among its parent's shown children as last laid out,
    /// TNodeRecord::NotShown when hidden or not laid out.
    uint32_t visibleIndex(TVirtualNode node) const { return rec(node).VisibleIndex; }
    /// The row key of `node` (see TChildList).
    uint32_t keyOf(TVirtualNode node) const { return node.Id | (rec(node).Children ? TChildList::ParentBit : 0); }
    /// Whether the row and all its ancestors were shown at the last layout.
    bool isLaidOutVisible(TVirtualNode node) const;

    /// Puts the children of `parent` (and of every node below it when
    /// `recursive`) in `order`. A list the order throws on stays as it was.
    void sortChildren(TVirtualNode parent, bool recursive, TNodeOrder &order);

    /// Whether some child list changed since the last layout.
    bool needsLayout() const { return !m_dirty.empty(); }
    /// Rebuilds the shown children of every changed list.
    void layout();
    /// Marks every list, so the next layout rebuilds them all.
    void invalidateAll();

    /// Calls `visit` with every node whose slices are made, in no order.
    template <class Visit>
    void forEachSliced(Visit &&visit) const
    {
        for (const auto &entry : m_slices)
            visit(TVirtualNode{entry.first});
    }
    /// The slices made for `node`, or null.
    TSlices *slices(TVirtualNode node) const;
    /// Makes the empty slice list of `node`; it must have none yet.
    TSlices *makeSlices(TVirtualNode node);
    void dropSlices(TVirtualNode node) { m_slices.erase(node.Id); }

private:
    static constexpr uint32_t RootId = 1;
    /// In a row's NextCell: the row has this many cells still to be made
    /// (node ids stay below this bit).
    static constexpr uint32_t DeferredCells = 0x80000000u;

    TNodeRecord &rec(TVirtualNode n) { return m_arena.at(n.Id); }
    const TNodeRecord &rec(TVirtualNode n) const { return m_arena.at(n.Id); }
    TChildList &listOf(TVirtualNode parent);
    void markDirty(uint32_t list);
    void changed();
    void attachCell(TVirtualNode parent, TVirtualNode node);
    /// Makes the deferred cells of `row`, if it has any.
    void makeDeferredCells(TVirtualNode row);
    /// Takes an attached node out of its parent's children or cells; the
    /// data index is left alone.
    void unlink(TVirtualNode node);
    void detachCell(TVirtualNode node);
    void layoutList(TChildList &list);
    /// Builds the data index from every node made, when there is none.
    void ensureDataIndex();

    TNodeArena m_arena;
    std::vector<TChildList> m_lists;
    std::vector<uint32_t> m_dirty;
    std::unordered_map<uint32_t, std::unique_ptr<TSlices>> m_slices;
    std::unique_ptr<QHash<void *, uint32_t>> m_dataIndex;
    TNodeStoreObserver *m_observer = nullptr;
    TCellData m_cellData;
    /// The cell attached last; lets a build append a row's cells in O(1).
    uint32_t m_lastCell = 0;
};

} // namespace selectframe
