#include "SelectFrameTree.h"

#include "model/FrameObjects.h"

#include <typeinfo>

namespace selectframe {

TSelectFrameTree::TSelectFrameTree()
{
    // Items only ever name item rows of some select tree, so every node an
    // item holds resolves through its record.
    setFrameItemRowOpsResolver(&TSelectFrameTree::rowOpsOf);
}

TSelectFrameTree::~TSelectFrameTree()
{
    Clear();
}

IFrameItemRowOps *TSelectFrameTree::rowOpsOf(TSelectFrameNode *node)
{
    return static_cast<TItemRow *>(node)->Tree;
}

TSelectFrameNode *TSelectFrameTree::AddNode(TBaseFrameObject *FrameObject, int32_t Column)
{
    if (Column == 0 && FrameObject && FrameObject->Kind == fokItem)
        return m_itemRows.create(FrameObject, this);
    return m_otherNodes.create(TSelectFrameNode{FrameObject, Column, {}, nullptr});
}

std::unordered_map<TSelectFrameTree::TItemRow *, TSelectFrameTree::TRowLinks> &TSelectFrameTree::links()
{
    // Never destroyed: a tree that outlives the others still unlinks.
    static auto *const table = new std::unordered_map<TItemRow *, TRowLinks>;
    return *table;
}

TSelectFrameTree::TRowLinks TSelectFrameTree::linksOf(TItemRow *row)
{
    const auto &table = links();
    if (table.empty())
        return {};
    const auto found = table.find(row);
    return found == table.end() ? TRowLinks() : found->second;
}

void TSelectFrameTree::setLinks(TItemRow *row, const TRowLinks &value)
{
    if (value.Older || value.Newer)
        links()[row] = value;
    else if (!links().empty())
        links().erase(row);
}

void TSelectFrameTree::LinkItem(TSelectFrameNode *Row)
{
    auto *row = static_cast<TItemRow *>(Row);
    if (row->Item)
        return;
    IPtr<IFrameItemEx> item = static_cast<TFrameItemObject *>(row->FrameObject)->Item.query<IFrameItemEx>();
    if (!item)
        throw std::bad_cast();
    if (auto *current = static_cast<TItemRow *>(item->GetNode())) {
        const TRowLinks theirs = linksOf(current);
        setLinks(row, {current, theirs.Newer});
        if (theirs.Newer)
            setLinks(theirs.Newer, {row, linksOf(theirs.Newer).Newer});
        setLinks(current, {theirs.Older, row});
    }
    row->Item = std::move(item);
    row->Item->SetNode(row);
}

void TSelectFrameTree::unlink(TItemRow *row)
{
    if (!row->Item)
        return;
    const TRowLinks mine = linksOf(row);
    if (mine.Newer)
        setLinks(mine.Newer, {mine.Older, linksOf(mine.Newer).Newer});
    if (mine.Older)
        setLinks(mine.Older, {linksOf(mine.Older).Older, mine.Newer});
    if (row->Item->GetNode() == row)
        row->Item->SetNode(mine.Newer ? mine.Newer : mine.Older);
    setLinks(row, {});
    row->Item.reset();
}

void TSelectFrameTree::Clear()
{
    for (TItemRow *row : m_itemRows)
        unlink(row);
    m_itemRows.clear();
    m_otherNodes.clear();
    m_filterTexts.clear();
    m_filterGarbage = 0;
}

QStringView TSelectFrameTree::FilterText(TSelectFrameNode *Row)
{
    auto *row = static_cast<TItemRow *>(Row);
    if (row->TextLength < 0) {
        if (m_filterGarbage > m_filterTexts.size() / 2 && m_filterGarbage > 0)
            dropFilterTexts();
        const qsizetype start = m_filterTexts.size();
        if (OnMakeFilterText)
            OnMakeFilterText(row, m_filterTexts);
        row->TextStart = uint32_t(start);
        row->TextLength = int32_t(m_filterTexts.size() - start);
    }
    return QStringView(m_filterTexts).mid(row->TextStart, row->TextLength);
}

void TSelectFrameTree::dropFilterTexts()
{
    for (TItemRow *row : m_itemRows)
        row->TextLength = -1;
    m_filterTexts.clear();
    m_filterGarbage = 0;
}

bool TSelectFrameTree::rowChecked(TSelectFrameNode *node)
{
    return node->FrameObject->State == fcsChecked;
}

void TSelectFrameTree::setRowChecked(TSelectFrameNode *node, bool checked)
{
    node->FrameObject->SetState(checked ? fcsChecked : fcsUnchecked);
}

void TSelectFrameTree::refreshRow(TSelectFrameNode *node)
{
    if (OnRefreshRow)
        OnRefreshRow(node);
}

void TSelectFrameTree::rowTextChanged(TSelectFrameNode *node)
{
    // The item names its newest row; the older ones, in this tree or in
    // others, show the same texts.
    for (auto *row = static_cast<TItemRow *>(node); row; row = linksOf(row).Older) {
        if (row->TextLength < 0)
            continue;
        row->Tree->m_filterGarbage += row->TextLength;
        row->TextLength = -1;
    }
}

} // namespace selectframe
