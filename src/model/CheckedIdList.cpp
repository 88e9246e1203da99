#include "CheckedIdList.h"

#include "platform/FoldedText.h"

#include <algorithm>

namespace selectframe {

TCheckedIdList::TFound TCheckedIdList::find(const QString &id, uint32_t hash) const
{
    const std::size_t mask = m_index.size() - 1;
    for (std::size_t b = hash & mask;; b = (b + 1) & mask) {
        const TBucket &bucket = m_index[b];
        if (bucket.first == kEnd)
            return {b, false};
        if (bucket.hash == hash && foldedEqual(m_slots[bucket.first].id, id))
            return {b, true};
    }
}

void TCheckedIdList::append(const QString &id)
{
    if (2 * (m_chains + 1) > m_index.size())
        growIndex();
    const uint32_t hash = uint32_t(foldedHash(id));
    const int32_t slot = int32_t(m_slots.size());
    m_slots.push_back({id, kEnd, slot});
    const TFound place = find(id, hash);
    TBucket &bucket = m_index[place.bucket];
    if (place.found) {
        TSlot &first = m_slots[bucket.first];
        m_slots[first.last].next = slot;
        first.last = slot;
    } else {
        bucket = {hash, slot};
        ++m_chains;
    }
    ++m_live;
    m_listValid = false;
}

bool TCheckedIdList::removeOne(const QString &id)
{
    if (m_live == 0)
        return false;
    const TFound place = find(id, uint32_t(foldedHash(id)));
    if (!place.found)
        return false;
    // Chains run in list order, so the chain's first slot is the first occurrence.
    TBucket &bucket = m_index[place.bucket];
    TSlot &slot = m_slots[bucket.first];
    if (slot.next == kEnd) {
        eraseBucket(place.bucket);
        --m_chains;
    } else {
        m_slots[slot.next].last = slot.last;
        bucket.first = slot.next;
    }
    slot = {QString(), kRemoved, kRemoved};
    --m_live;
    m_listValid = false;
    if (m_live == 0)
        // The index is empty too; keeping the capacity makes checking all again cheap.
        m_slots.clear();
    else if (qsizetype(m_slots.size()) - m_live > std::max<qsizetype>(m_live, 64))
        compact();
    return true;
}

void TCheckedIdList::eraseBucket(std::size_t bucket)
{
    // Backward-shift deletion: later members of the probe run move up so
    // every lookup still finds them without tombstones in the index.
    const std::size_t mask = m_index.size() - 1;
    std::size_t hole = bucket;
    for (std::size_t b = (hole + 1) & mask; m_index[b].first != kEnd; b = (b + 1) & mask) {
        const std::size_t home = m_index[b].hash & mask;
        // Moves unless its home lies cyclically in (hole, b].
        const bool homeAfterHole = hole <= b ? (home > hole && home <= b) : (home > hole || home <= b);
        if (!homeAfterHole) {
            m_index[hole] = m_index[b];
            hole = b;
        }
    }
    m_index[hole].first = kEnd;
}

void TCheckedIdList::growIndex()
{
    std::vector<TBucket> old(std::max<std::size_t>(16, 2 * m_index.size()));
    old.swap(m_index);
    const std::size_t mask = m_index.size() - 1;
    for (const TBucket &bucket : old) {
        if (bucket.first == kEnd)
            continue;
        std::size_t b = bucket.hash & mask;
        while (m_index[b].first != kEnd)
            b = (b + 1) & mask;
        m_index[b] = bucket;
    }
}

void TCheckedIdList::clear()
{
    m_slots.clear();
    m_index.clear();
    m_chains = 0;
    m_live = 0;
    m_list.clear();
    m_listValid = true;
}

void TCheckedIdList::compact()
{
    // Costs O(slots), paid for by the more than m_live removals since the
    // last compaction. The buffers keep their capacity: fresh pages cost
    // more than the copy.
    m_moved.assign(m_slots.size(), kRemoved);
    int32_t kept = 0;
    for (std::size_t i = 0; i < m_slots.size(); ++i) {
        if (m_slots[i].next == kRemoved)
            continue;
        m_moved[i] = kept;
        m_slots[kept++] = std::move(m_slots[i]);
    }
    m_slots.resize(kept);
    for (TSlot &slot : m_slots) {
        if (slot.next >= 0)
            slot.next = m_moved[slot.next];
        // Only a chain's first slot keeps `last` current; others may name a removed slot.
        if (slot.last >= 0)
            slot.last = m_moved[slot.last];
    }
    for (TBucket &bucket : m_index)
        if (bucket.first != kEnd)
            bucket.first = m_moved[bucket.first];
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
