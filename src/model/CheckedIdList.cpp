// SPDX-License-Identifier: MIT
#include "CheckedIdList.h"

#include "platform/FoldedText.h"

#include <algorithm>

namespace selectframe {

namespace {

bool sameText(const QString &key, const QString &id)
{
    // Items hand out shared copies of their IDs, so the cheap identity test
    // settles almost every hinted lookup.
    return (key.constData() == id.constData() && key.size() == id.size()) || foldedEqual(key, id);
}

/// Whether `id` is spelt exactly as `key`, letter case counting.
bool sameSpelling(const QString &key, const QString &id)
{
    return (key.constData() == id.constData() && key.size() == id.size()) || key == id;
}

} // namespace

int32_t TCheckedIdList::chainOf(const QString &id, int32_t *hint, bool create)
{
    if (hint && *hint >= 0 && std::size_t(*hint) < m_chains.size() && sameText(m_chains[*hint].key, id))
        return *hint;
    if (create && 2 * (m_chains.size() + 1) > m_index.size())
        growIndex();
    int32_t chain = kEnd;
    if (!m_index.empty()) {
        const uint32_t hash = uint32_t(foldedHash(id));
        const std::size_t mask = m_index.size() - 1;
        std::size_t b = hash & mask;
        for (; m_index[b].chain != kEnd; b = (b + 1) & mask) {
            if (m_index[b].hash == hash && foldedEqual(m_chains[m_index[b].chain].key, id)) {
                chain = m_index[b].chain;
                break;
            }
        }
        if (chain == kEnd && create) {
            chain = int32_t(m_chains.size());
            m_chains.push_back({id});
            m_index[b] = {hash, chain};
        }
    }
    if (hint && chain != kEnd)
        *hint = chain;
    return chain;
}

void TCheckedIdList::append(const QString &id, int32_t *hint)
{
    // A chain already made for the ID (the hinted one, usually) takes the
    // entry without a copy of the ID: each copy counts a reference in the
    // ID's text, a cache miss per item when a million are checked, and the
    // identity tests here compare where the texts are, not what they hold.
    const int32_t chainIndex = chainOf(id, hint, true);
    TChain &chain = m_chains[chainIndex];
    const int32_t slot = int32_t(m_slots.size());
    int32_t spelling = kEnd;
    if (!sameSpelling(chain.key, id)) {
        spelling = int32_t(m_spellings.size());
        m_spellings.push_back(id);
    }
    m_slots.push_back({kEnd, chainIndex, spelling});
    if (chain.first == kEnd)
        chain.first = slot;
    else
        m_slots[chain.last].next = slot;
    chain.last = slot;
    ++m_live;
    m_listValid = false;
}

bool TCheckedIdList::removeOne(const QString &id, int32_t *hint)
{
    if (m_live == 0)
        return false;
    const int32_t found = chainOf(id, hint, false);
    if (found == kEnd || m_chains[found].first == kEnd)
        return false;
    // Chains run in list order, so the chain's first slot is the first occurrence.
    TChain &chain = m_chains[found];
    TSlot &slot = m_slots[chain.first];
    chain.first = slot.next;
    if (chain.first == kEnd)
        chain.last = kEnd;
    slot = {kRemoved, kEnd, kEnd};
    --m_live;
    m_listValid = false;
    if (m_live == 0) {
        // Keeping the capacity makes checking all again cheap.
        m_slots.clear();
        m_spellings.clear();
    } else if (qsizetype(m_slots.size()) - m_live > std::max<qsizetype>(m_live, 64))
        compact();
    return true;
}

void TCheckedIdList::growIndex()
{
    std::vector<TBucket> old(std::max<std::size_t>(16, 2 * m_index.size()));
    old.swap(m_index);
    const std::size_t mask = m_index.size() - 1;
    for (const TBucket &bucket : old) {
        if (bucket.chain == kEnd)
            continue;
        std::size_t b = bucket.hash & mask;
        while (m_index[b].chain != kEnd)
            b = (b + 1) & mask;
        m_index[b] = bucket;
    }
}

void TCheckedIdList::reserve(std::size_t entries)
{
    m_slots.reserve(entries);
    m_chains.reserve(entries);
    while (2 * entries > m_index.size())
        growIndex();
}

void TCheckedIdList::clear()
{
    m_slots.clear();
    m_spellings.clear();
    m_chains.clear();
    m_index.clear();
    m_live = 0;
    m_list.clear();
    m_listValid = true;
}

void TCheckedIdList::compact()
{
    // Costs O(slots), paid for by the more than m_live removals since the
    // last compaction; never O(chains), which after checking everything once
    // are as many as the items. The buffers keep their capacity: fresh pages
    // cost more than the copy.
    m_moved.assign(m_slots.size(), kRemoved);
    int32_t kept = 0;
    std::vector<QString> spellings;
    for (std::size_t i = 0; i < m_slots.size(); ++i) {
        if (m_slots[i].next == kRemoved)
            continue;
        m_moved[i] = kept;
        if (m_slots[i].spelling != kEnd) {
            spellings.push_back(std::move(m_spellings[size_t(m_slots[i].spelling)]));
            m_slots[i].spelling = int32_t(spellings.size() - 1);
        }
        TChain &chain = m_chains[m_slots[i].chain];
        if (chain.first == int32_t(i))
            chain.first = kept;
        if (chain.last == int32_t(i))
            chain.last = kept;
        m_slots[kept++] = std::move(m_slots[i]);
    }
    m_slots.resize(kept);
    m_spellings.swap(spellings);
    for (TSlot &slot : m_slots)
        if (slot.next >= 0)
            slot.next = m_moved[slot.next];
}

const QStringList &TCheckedIdList::list() const
{
    if (!m_listValid) {
        m_list.clear();
        m_list.reserve(m_live);
        for (const TSlot &slot : m_slots)
            if (slot.next != kRemoved)
                m_list.append(textOf(slot));
        m_listValid = true;
    }
    return m_list;
}

} // namespace selectframe
