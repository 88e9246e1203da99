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

void TSelectFrameTree::LinkItem(TSelectFrameNode *Row)
{
    auto *row = static_cast<TItemRow *>(Row);
    if (row->Item)
        return;
    IPtr<IFrameItemEx> item = static_cast<TFrameItemObject *>(row->FrameObject)->Item.query<IFrameItemEx>();
    if (!item)
        throw std::bad_cast();
    if (auto *current = static_cast<TItemRow *>(item->GetNode())) {
        row->Older = current;
        row->Newer = current->Newer;
        if (current->Newer)
            current->Newer->Older = row;
        current->Newer = row;
    }
    row->Item = std::move(item);
    row->Item->SetNode(row);
}

void TSelectFrameTree::unlink(TItemRow *row)
{
    if (!row->Item)
        return;
    if (row->Newer)
        row->Newer->Older = row->Older;
    if (row->Older)
        row->Older->Newer = row->Newer;
    if (row->Item->GetNode() == row)
        row->Item->SetNode(row->Newer ? row->Newer : row->Older);
    row->Older = row->Newer = nullptr;
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
    for (auto *row = static_cast<TItemRow *>(node); row; row = row->Older) {
        if (row->TextLength < 0)
            continue;
        row->Tree->m_filterGarbage += row->TextLength;
        row->TextLength = -1;
    }
}

} // namespace selectframe
