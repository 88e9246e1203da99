// SPDX-License-Identifier: MIT
#include "SelectFrameTree.h"

#include "model/FrameObjects.h"
#include "platform/TextSearch.h"

#include <algorithm>
#include <type_traits>

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
    if (Column == 0 && FrameObject && FrameObject->Kind == fokItem) {
        ++m_rowsWithoutText;
        TItemRow *row = m_itemRows.create(FrameObject, this);
        row->ItemIndex = static_cast<TFrameItemObject *>(FrameObject)->Index;
        return row;
    }
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
    m_latin1Texts = {};
    m_wideTexts = {};
    m_filterGarbage = 0;
    m_rowsWithoutText = 0;
    m_textCursor = 0;
}

void TSelectFrameTree::MatchFilter(QStringView Filter)
{
    if (++m_matchPass == 0) {
        // After four billion passes the oldest marks would match again.
        for (TItemRow *row : m_itemRows)
            row->MatchPass = 0;
        m_matchPass = 1;
    }
    if (m_filterGarbage > (m_latin1Texts.Texts.size() + m_wideTexts.Texts.size()) / 2)
        dropFilterTexts();
    MakeFilterTexts(m_itemRows.size());
    // A filter beyond Latin-1 is in no Latin-1 text.
    if (std::all_of(Filter.begin(), Filter.end(), [](QChar c) { return c.unicode() < 0x100; }))
        matchIn(m_latin1Texts, QByteArrayView(Filter.toLatin1()));
    matchIn(m_wideTexts, Filter);
}

template <class Units, class View>
void TSelectFrameTree::matchIn(const TTextBuffer<Units> &Buffer, View Filter)
{
    constexpr bool wide = std::is_same_v<Units, QString>;
    const auto &order = Buffer.Order;
    const View all(Buffer.Texts);
    std::size_t entry = 0;
    qsizetype from = 0;
    for (qsizetype hit; !order.empty() && (hit = FindText(all, from, Filter)) >= 0;) {
        while (entry + 1 < order.size() && order[entry + 1].first <= hit)
            ++entry;
        const auto [start, row] = order[entry];
        if (row->TextStart == start && row->TextLength >= 0 && row->WideText == wide)
            row->MatchPass = m_matchPass;
        // The rest of the row cannot change its answer.
        from = entry + 1 < order.size() ? qsizetype(order[entry + 1].first) : all.size();
    }
}

void TSelectFrameTree::TakeFilterTexts(TSelectFrameTree &Previous)
{
    auto taken = std::make_unique<TTakenTexts>();
    for (TItemRow *row : Previous.m_itemRows) {
        if (row->TextLength < 0 || !row->Item)
            continue;
        if (row->ItemIndex >= taken->ByItem.size())
            taken->ByItem.resize(std::max<std::size_t>(row->ItemIndex + 1, taken->ByItem.size() * 2));
        taken->ByItem[row->ItemIndex] = {row->Item.get(), row->TextStart, row->TextLength, row->WideText};
    }
    // An entry is live when its row's texts still start there (see TTextBuffer).
    const auto liveEntries = [](const auto &order, bool wide) {
        std::vector<std::pair<uint32_t, uint32_t>> live;
        live.reserve(order.size());
        for (const auto &[start, row] : order)
            if (row->TextLength >= 0 && row->TextStart == start && row->WideText == wide && row->Item)
                live.emplace_back(start, row->ItemIndex);
        return live;
    };
    taken->Latin1Order = liveEntries(Previous.m_latin1Texts.Order, false);
    taken->WideOrder = liveEntries(Previous.m_wideTexts.Order, true);
    taken->Latin1 = std::move(Previous.m_latin1Texts.Texts);
    taken->Wide = std::move(Previous.m_wideTexts.Texts);
    taken->Garbage = Previous.m_filterGarbage;
    Previous.dropFilterTexts();
    m_taken = std::move(taken);
}

void TSelectFrameTree::AdoptFilterTexts()
{
    const std::unique_ptr<TTakenTexts> taken = std::move(m_taken);
    // Texts made here already would share the buffers' places.
    if (!taken || !m_latin1Texts.Texts.isEmpty() || !m_wideTexts.Texts.isEmpty())
        return;
    std::vector<TItemRow *> rowOf(taken->ByItem.size(), nullptr);
    for (TItemRow *row : m_itemRows) {
        if (row->ItemIndex >= rowOf.size() || rowOf[row->ItemIndex] || row->TextLength >= 0)
            continue;
        const TTakenTexts::TText &text = taken->ByItem[row->ItemIndex];
        if (text.Length < 0 || text.Item != row->Item.get())
            continue;
        row->TextStart = text.Start;
        row->TextLength = text.Length;
        row->WideText = text.Wide;
        rowOf[row->ItemIndex] = row;
        --m_rowsWithoutText;
    }
    m_filterGarbage = taken->Garbage;
    // Texts of items no row shows here stay behind as garbage.
    const auto adopt = [&](auto &buffer, auto &&texts, const std::vector<std::pair<uint32_t, uint32_t>> &order,
                           bool wide) {
        buffer.Texts = std::move(texts);
        buffer.Order.reserve(order.size());
        for (const auto &[start, index] : order) {
            TItemRow *row = rowOf[index];
            if (row && row->WideText == wide && row->TextStart == start)
                buffer.Order.emplace_back(start, row);
            else
                m_filterGarbage += taken->ByItem[index].Length;
        }
    };
    adopt(m_latin1Texts, std::move(taken->Latin1), taken->Latin1Order, false);
    adopt(m_wideTexts, std::move(taken->Wide), taken->WideOrder, true);
}

bool TSelectFrameTree::MakeFilterTexts(std::size_t MaxRows)
{
    for (; m_rowsWithoutText && MaxRows; ++m_textCursor) {
        // Texts the host changed behind the cursor take one more sweep.
        if (m_textCursor == m_itemRows.size())
            m_textCursor = 0;
        TItemRow *row = m_itemRows[m_textCursor];
        if (row->TextLength >= 0)
            continue;
        --MaxRows;
        --m_rowsWithoutText;
        // Emptied, not freed: the next row's texts grow into the same memory.
        m_rowText.resize(0);
        if (OnMakeFilterText)
            OnMakeFilterText(row, m_rowText);
        const qsizetype n = m_rowText.size();
        row->TextLength = int32_t(n);
        // A unit beyond Latin-1 sends the row's texts to the wide buffer.
        QByteArray &latin1 = m_latin1Texts.Texts;
        const qsizetype start = latin1.size();
        latin1.resize(start + n);
        row->WideText =
            !NarrowLatin1(reinterpret_cast<const char16_t *>(m_rowText.constData()), n, latin1.data() + start);
        if (row->WideText) {
            latin1.truncate(start);
            row->TextStart = uint32_t(m_wideTexts.Texts.size());
            m_wideTexts.Texts += m_rowText;
            m_wideTexts.Order.emplace_back(row->TextStart, row);
        } else {
            row->TextStart = uint32_t(start);
            m_latin1Texts.Order.emplace_back(row->TextStart, row);
        }
    }
    return m_rowsWithoutText == 0;
}

void TSelectFrameTree::dropFilterTexts()
{
    for (TItemRow *row : m_itemRows)
        row->TextLength = -1;
    m_rowsWithoutText = m_itemRows.size();
    m_textCursor = 0;
    m_latin1Texts = {};
    m_wideTexts = {};
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

void TSelectFrameTree::rowTextChanged(TSelectFrameNode *node, QStringView valueName)
{
    // A host regrouping its items sets a value the texts leave out on every
    // item; the texts stay.
    if (!valueName.isEmpty() && OnIsFilterValue && !OnIsFilterValue(valueName))
        return;
    // The item names its newest row; the older ones, in this tree or in
    // others, show the same texts.
    for (auto *row = static_cast<TItemRow *>(node); row; row = linksOf(row).Older) {
        if (row->TextLength < 0)
            continue;
        row->Tree->m_filterGarbage += row->TextLength;
        ++row->Tree->m_rowsWithoutText;
        row->TextLength = -1;
    }
}

} // namespace selectframe
