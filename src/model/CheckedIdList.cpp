#include "CheckedIdList.h"

#include <algorithm>

namespace selectframe {

void TCheckedIdList::append(const QString &id)
{
    const qsizetype slot = qsizetype(m_slots.size());
    m_slots.push_back({id, kEnd});
    auto chain = m_chains.find(TFoldedKey{id});
    if (chain == m_chains.end()) {
        m_chains.insert(TFoldedKey{id}, {slot, slot});
    } else {
        m_slots[chain->last].next = slot;
        chain->last = slot;
    }
    ++m_live;
    m_listValid = false;
}

bool TCheckedIdList::removeOne(const QString &id)
{
    auto chain = m_chains.find(TFoldedKey{id});
    if (chain == m_chains.end())
        return false;
    // Chains run in list order, so the chain's head is the first occurrence.
    TSlot &slot = m_slots[chain->first];
    if (slot.next == kEnd)
        m_chains.erase(chain);
    else
        chain->first = slot.next;
    slot = {QString(), kRemoved};
    --m_live;
    m_listValid = false;
    if (m_live == 0)
        clear();
    else if (qsizetype(m_slots.size()) - m_live > std::max<qsizetype>(m_live, 64))
        compact();
    return true;
}

void TCheckedIdList::clear()
{
    m_slots.clear();
    m_chains.clear();
    m_live = 0;
    m_list.clear();
    m_listValid = true;
}

void TCheckedIdList::compact()
{
    // Costs O(slots), paid for by the more than m_live removals since the
    // last compaction.
    std::vector<qsizetype> moved(m_slots.size(), kRemoved);
    qsizetype kept = 0;
    for (qsizetype i = 0; i < qsizetype(m_slots.size()); ++i) {
        if (m_slots[i].next == kRemoved)
            continue;
        moved[i] = kept;
        m_slots[kept++] = std::move(m_slots[i]);
    }
    m_slots.resize(kept);
    m_slots.shrink_to_fit();
    for (TSlot &slot : m_slots)
        if (slot.next >= 0)
            slot.next = moved[slot.next];
    for (TChain &chain : m_chains) {
        chain.first = moved[chain.first];
        chain.last = moved[chain.last];
    }
}

const QStringList &TCheckedIdList::list() const
{
    if (!m_listValid) {
        m_list.clear();
        m_list.reserve(m_live);
        for (const TSlot &slot : m_slots)
            if (slot.next != kRemoved)
                m_list.append(slot.id);
        m_listValid = true;
    }
    return m_list;
}

} // namespace selectframe
