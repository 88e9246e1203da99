// SPDX-License-Identifier: MIT
#include "TNodeStore.h"

#include "TNodeOrder.h"
#include "TNodeStoreObserver.h"

#include <stdexcept>

namespace selectframe {

TNodeStore::TNodeStore()
{
    m_lists.emplace_back();
    m_arena.allocate();
}

TNodeStore::~TNodeStore() = default;

TVirtualNode TNodeStore::create(void *data, uint32_t state)
{
    const TVirtualNode node{m_arena.allocate()};
    TNodeRecord &r = rec(node);
    r.Data = data;
    r.State = state;
    if (m_dataIndex)
        m_dataIndex->insert(data, node.Id);
    return node;
}

void TNodeStore::attach(TVirtualNode parent, TVirtualNode node, int linkType)
{
    if (!contains(parent) || !contains(node) || node == root())
        throw std::invalid_argument("unknown tree node");
    if (linkType != ltLastChild && linkType != ltNextCell)
        throw std::invalid_argument("unknown node link type");
    // Only a node with rows or cells below it can be an ancestor of another;
    // a fresh node, the usual case of a build, is checked in O(1).
    const TNodeRecord &n = rec(node);
    if (n.Children || n.NextCell) {
        for (TVirtualNode p = parent; p; p = parentOf(p))
            if (p == node)
                throw std::invalid_argument("a node cannot be linked below itself");
    } else if (parent == node) {
        throw std::invalid_argument("a node cannot be linked below itself");
    }
    // A moved node keeps its place in the data index: only removal drops it,
    // so a removed row added again goes back in, unless a node made later
    // for the same data is there.
    if (n.Parent)
        unlink(node);
    else if (linkType == ltLastChild && m_dataIndex) {
        auto it = m_dataIndex->find(n.Data);
        if (it == m_dataIndex->end())
            m_dataIndex->insert(n.Data, node.Id);
        else if (*it < node.Id)
            *it = node.Id;
    }
    if (linkType == ltNextCell) {
        attachCell(parent, node);
        return;
    }
    if (rec(parent).isCell())
        throw std::invalid_argument("a column cell cannot have child rows");
    TChildList &list = listOf(parent);
    TNodeRecord &r = rec(node);
    r.Parent = parent.Id;
    r.ChildIndex = uint32_t(list.All.size());
    r.VisibleIndex = TNodeRecord::NotShown;
    list.All.push_back(node);
    markDirty(rec(parent).Children);
    changed();
}

void TNodeStore::deferCells(TVirtualNode row, int count)
{
    if (!contains(row) || row == root() || rec(row).isCell())
        throw std::invalid_argument("only a row can have column cells");
    if (rec(row).NextCell)
        throw std::invalid_argument("the row has its cells already");
    if (count > 0)
        rec(row).NextCell = DeferredCells | uint32_t(count);
}

void TNodeStore::makeDeferredCells(TVirtualNode row)
{
    // Records never move, so `next` stays valid while cells are allocated.
    uint32_t *next = &rec(row).NextCell;
    if (!(*next & DeferredCells))
        return;
    const uint32_t count = *next & ~DeferredCells;
    *next = 0;
    for (uint32_t column = 1; column <= count; ++column) {
        const TVirtualNode cell{m_arena.allocate()};
        TNodeRecord &r = rec(cell);
        r.Parent = row.Id;
        r.ChildIndex = column;
        r.VisibleIndex = TNodeRecord::CellMark;
        *next = cell.Id;
        next = &r.NextCell;
        r.Data = m_cellData ? m_cellData(row, cell, int(column)) : nullptr;
        if (m_dataIndex)
            m_dataIndex->insert(r.Data, cell.Id);
    }
}

void TNodeStore::attachCell(TVirtualNode parent, TVirtualNode node)
{
    makeDeferredCells(parent);
    uint32_t column = parent == root() ? 0 : 1;
    uint32_t *link = &rec(parent).NextCell;
    // Builds add a row's cells one after the other: when the cell added last
    // is still the last of this row, append after it instead of walking the
    // chain. The check needs no invalidation: a cell of `parent` without a
    // next cell is its last, whatever happened since.
    const uint32_t tail = m_lastCell;
    if (*link && tail && tail < m_arena.size()) {
        TNodeRecord &t = m_arena.at(tail);
        if (t.isCell() && t.Parent == parent.Id && !t.NextCell) {
            link = &t.NextCell;
            column = t.ChildIndex + 1;
        }
    }
    while (*link) {
        link = &m_arena.at(*link).NextCell;
        ++column;
    }
    *link = node.Id;
    m_lastCell = node.Id;
    TNodeRecord &r = rec(node);
    r.Parent = parent.Id;
    r.ChildIndex = column;
    r.VisibleIndex = TNodeRecord::CellMark;
    r.NextCell = 0;
}

void TNodeStore::detach(TVirtualNode node)
{
    if (!contains(node) || node == root() || !rec(node).Parent)
        return;
    const bool row = !rec(node).isCell();
    unlink(node);
    if (row) {
        // An index built later would take the removed row up again.
        ensureDataIndex();
        auto it = m_dataIndex->constFind(rec(node).Data);
        if (it != m_dataIndex->cend() && *it == node.Id)
            m_dataIndex->erase(it);
    }
}

void TNodeStore::unlink(TVirtualNode node)
{
    if (rec(node).isCell()) {
        detachCell(node);
        return;
    }
    TNodeRecord &r = rec(node);
    const uint32_t listSlot = m_arena.at(r.Parent).Children;
    TChildList &list = m_lists[listSlot];
    list.All.erase(list.All.begin() + r.ChildIndex);
    for (size_t i = r.ChildIndex; i < list.All.size(); ++i)
        rec(list.All[i]).ChildIndex = uint32_t(i);
    r.Parent = 0;
    markDirty(listSlot);
    changed();
}

void TNodeStore::detachCell(TVirtualNode node)
{
    TNodeRecord &r = rec(node);
    uint32_t *link = &m_arena.at(r.Parent).NextCell;
    while (*link != node.Id)
        link = &m_arena.at(*link).NextCell;
    *link = r.NextCell;
    for (uint32_t c = r.NextCell; c; c = m_arena.at(c).NextCell)
        --m_arena.at(c).ChildIndex;
    r.Parent = 0;
    r.NextCell = 0;
    r.VisibleIndex = TNodeRecord::NotShown;
}

void TNodeStore::clear()
{
    if (m_observer)
        m_observer->storeAboutToClear();
    m_arena.clear();
    m_arena.allocate();
    m_lists.resize(1);
    m_dirty.clear();
    m_slices.clear();
    m_dataIndex.reset();
    if (m_observer)
        m_observer->storeCleared();
}

void TNodeStore::ensureDataIndex()
{
    if (m_dataIndex)
        return;
    m_dataIndex = std::make_unique<QHash<void *, uint32_t>>();
    m_dataIndex->reserve(qsizetype(m_arena.size()));
    for (uint32_t id = RootId + 1; id < m_arena.size(); ++id)
        m_dataIndex->insert(m_arena.at(id).Data, id);
}

TVirtualNode TNodeStore::findData(void *data)
{
    ensureDataIndex();
    return TVirtualNode{m_dataIndex->value(data, 0)};
}

void TNodeStore::setState(TVirtualNode node, uint32_t state)
{
    if (!contains(node))
        return;
    TNodeRecord &r = rec(node);
    const bool hiddenChanged = (r.State ^ state) & nsHidden;
    r.State = state;
    if (hiddenChanged && r.Parent && !r.isCell()) {
        markDirty(m_arena.at(r.Parent).Children);
        changed();
    }
}

TVirtualNode TNodeStore::parentOf(TVirtualNode node) const
{
    return contains(node) ? TVirtualNode{rec(node).Parent} : TVirtualNode{};
}

TVirtualNode TNodeStore::firstChild(TVirtualNode node) const
{
    const TChildList *list = children(node);
    return list && !list->All.empty() ? list->All.front() : TVirtualNode{};
}

TVirtualNode TNodeStore::nextSibling(TVirtualNode node) const
{
    if (!contains(node) || rec(node).isCell() || !rec(node).Parent)
        return {};
    const TChildList &list = m_lists[m_arena.at(rec(node).Parent).Children];
    const size_t next = size_t(rec(node).ChildIndex) + 1;
    return next < list.All.size() ? list.All[next] : TVirtualNode{};
}

TVirtualNode TNodeStore::cell(TVirtualNode row, int column) const
{
    if (!contains(row) || column < 0)
        return {};
    // Making the cells changes nothing a caller can tell: they were there.
    if (column > 0)
        const_cast<TNodeStore *>(this)->makeDeferredCells(row);
    uint32_t id = row.Id;
    for (int c = row == root() ? -1 : 0; c < column && id; ++c)
        id = m_arena.at(id).NextCell;
    return TVirtualNode{id};
}

int TNodeStore::cellCount(TVirtualNode row) const
{
    int n = 0;
    if (contains(row) && (rec(row).NextCell & DeferredCells))
        return int(rec(row).NextCell & ~DeferredCells);
    if (contains(row))
        for (uint32_t c = rec(row).NextCell; c; c = m_arena.at(c).NextCell)
            ++n;
    return n;
}

int TNodeStore::columnOf(TVirtualNode node) const
{
    return isCell(node) ? int(rec(node).ChildIndex) : 0;
}

bool TNodeStore::isAttached(TVirtualNode node) const
{
    while (contains(node) && node != root())
        node = TVirtualNode{rec(node).Parent};
    return node == root();
}

const TChildList *TNodeStore::children(TVirtualNode node) const
{
    if (!contains(node) || !rec(node).Children)
        return nullptr;
    return &m_lists[rec(node).Children];
}

bool TNodeStore::isLaidOutVisible(TVirtualNode node) const
{
    while (contains(node) && node != root()) {
        const TNodeRecord &r = rec(node);
        if (r.VisibleIndex >= TNodeRecord::CellMark || !r.Parent)
            return false;
        node = TVirtualNode{r.Parent};
    }
    return node == root();
}

void TNodeStore::sortChildren(TVirtualNode parent, bool recursive, TNodeOrder &order)
{
    if (!contains(parent))
        return;
    std::vector<TVirtualNode> pending{parent};
    std::vector<TVirtualNode> scratch;
    while (!pending.empty()) {
        const TVirtualNode p = pending.back();
        pending.pop_back();
        const uint32_t slot = rec(p).Children;
        if (!slot)
            continue;
        scratch = m_lists[slot].All;
        order.sort(scratch);
        TChildList &list = m_lists[slot];
        list.All.swap(scratch);
        for (size_t i = 0; i < list.All.size(); ++i) {
            rec(list.All[i]).ChildIndex = uint32_t(i);
            if (recursive && rec(list.All[i]).Children)
                pending.push_back(list.All[i]);
        }
        markDirty(slot);
        changed();
    }
}

void TNodeStore::layout()
{
    for (uint32_t slot : m_dirty)
        layoutList(m_lists[slot]);
    m_dirty.clear();
}

void TNodeStore::invalidateAll()
{
    for (uint32_t slot = 1; slot < m_lists.size(); ++slot)
        markDirty(slot);
}

void TNodeStore::layoutList(TChildList &list)
{
    list.Dirty = false;
    list.Visible.clear();
    for (TVirtualNode child : list.All) {
        TNodeRecord &r = rec(child);
        if (r.State & nsHidden) {
            r.VisibleIndex = TNodeRecord::NotShown;
        } else {
            r.VisibleIndex = uint32_t(list.Visible.size());
            list.Visible.push_back(child.Id | (r.Children ? TChildList::ParentBit : 0));
        }
    }
    if (list.Visible.capacity() > 2 * list.Visible.size() + 16)
        list.Visible.shrink_to_fit();
}

TSlices *TNodeStore::slices(TVirtualNode node) const
{
    auto it = m_slices.find(node.Id);
    return it == m_slices.end() ? nullptr : it->second.get();
}

TSlices *TNodeStore::makeSlices(TVirtualNode node)
{
    auto &slot = m_slices[node.Id];
    slot = std::make_unique<TSlices>();
    return slot.get();
}

TChildList &TNodeStore::listOf(TVirtualNode parent)
{
    TNodeRecord &r = rec(parent);
    if (!r.Children) {
        r.Children = uint32_t(m_lists.size());
        m_lists.emplace_back().Owner = parent;
        // The parent's own key changes: it now has children.
        if (r.Parent)
            markDirty(m_arena.at(r.Parent).Children);
    }
    return m_lists[r.Children];
}

void TNodeStore::markDirty(uint32_t list)
{
    if (!m_lists[list].Dirty) {
        m_lists[list].Dirty = true;
        m_dirty.push_back(list);
    }
}

void TNodeStore::changed()
{
    if (m_observer)
        m_observer->storeChanged();
}

} // namespace selectframe
