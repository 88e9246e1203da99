// SPDX-License-Identifier: MIT
#include "CheckedIdList.h"

#include "model/FrameObjects.h"

#include <algorithm>

namespace selectframe {

void TCheckedIdList::append(TFrameItemObject *holder)
{
    holder->Entry = int32_t(m_holders.size());
    m_holders.push_back(holder);
    ++m_live;
    changed();
}

void TCheckedIdList::appendLoose(const QString &text)
{
    m_texts.emplace(int32_t(m_holders.size()), text);
    m_holders.push_back(nullptr);
    ++m_live;
    ++m_loose;
    changed();
}

const QString *TCheckedIdList::textOf(int32_t slot) const
{
    if (m_texts.empty())
        return nullptr;
    const auto found = m_texts.find(slot);
    return found == m_texts.end() ? nullptr : &found->second;
}

void TCheckedIdList::remove(int32_t slot)
{
    TFrameItemObject *&holder = m_holders[std::size_t(slot)];
    if (holder)
        holder->Entry = -1;
    else
        --m_loose;
    holder = nullptr;
    if (!m_texts.empty())
        m_texts.erase(slot);
    --m_live;
    changed();
    if (m_live == 0)
        clear();
    else if (qsizetype(m_holders.size()) - m_live > std::max<qsizetype>(m_live, 64))
        compact();
}

void TCheckedIdList::setHolder(int32_t slot, TFrameItemObject *holder)
{
    TFrameItemObject *&current = m_holders[std::size_t(slot)];
    if (current)
        current->Entry = -1;
    m_loose += (current != nullptr) - (holder != nullptr);
    current = holder;
    if (holder)
        holder->Entry = slot;
    changed();
}

void TCheckedIdList::setText(int32_t slot, const QString &text)
{
    m_texts[slot] = text;
    changed();
}

void TCheckedIdList::clear()
{
    // Keeping the capacity makes checking everything again cheap.
    for (TFrameItemObject *holder : m_holders)
        if (holder)
            holder->Entry = -1;
    m_holders.clear();
    m_texts.clear();
    m_live = 0;
    m_loose = 0;
    changed();
}

void TCheckedIdList::reserve(std::size_t entries)
{
    m_holders.reserve(entries);
}

std::vector<int32_t> TCheckedIdList::looseSlots() const
{
    std::vector<int32_t> loose;
    for (const auto &[slot, text] : m_texts)
        if (!m_holders[std::size_t(slot)])
            loose.push_back(slot);
    std::sort(loose.begin(), loose.end());
    return loose;
}

std::vector<std::pair<int32_t, const QString *>> TCheckedIdList::textsInOrder() const
{
    std::vector<std::pair<int32_t, const QString *>> texts;
    texts.reserve(m_texts.size());
    for (const auto &[slot, text] : m_texts)
        texts.emplace_back(slot, &text);
    std::sort(texts.begin(), texts.end());
    return texts;
}

void TCheckedIdList::compact()
{
    // Costs O(slots), paid for by the more than m_live removals since the
    // last compaction.
    std::unordered_map<int32_t, QString> texts;
    std::size_t kept = 0;
    for (std::size_t slot = 0; slot < m_holders.size(); ++slot) {
        TFrameItemObject *holder = m_holders[slot];
        const auto text = m_texts.empty() ? m_texts.end() : m_texts.find(int32_t(slot));
        if (!holder && text == m_texts.end())
            continue;
        if (text != m_texts.end())
            texts.emplace(int32_t(kept), std::move(text->second));
        if (holder)
            holder->Entry = int32_t(kept);
        m_holders[kept++] = holder;
    }
    m_holders.resize(kept);
    m_texts.swap(texts);
}

} // namespace selectframe
