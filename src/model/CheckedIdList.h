// The running list of checked item IDs.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace selectframe {

/// IDs in the order they were added, duplicates kept, matched without
/// regard to letter case. Adding and removing one ID cost O(1) (amortised),
/// never a scan of the list; the plain list is built on demand and kept
/// until the next change. Holds up to 2^31 entries.
class TCheckedIdList
{
public:
    void append(const QString &id);
    /// Removes the first entry equal to `id` ignoring case; false if none.
    bool removeOne(const QString &id);
    void clear();

    qsizetype count() const { return m_live; }
    bool isEmpty() const { return m_live == 0; }
    /// The entries in order. The reference stays valid until the next change.
    const QStringList &list() const;

private:
    static constexpr int32_t kEnd = -1;
    static constexpr int32_t kRemoved = -2;

    /// One entry. Entries equal ignoring case are chained in list order;
    /// the first of a chain also knows its last.
    struct TSlot
    {
        QString id;
        int32_t next; // following slot of the chain, kEnd, or kRemoved
        int32_t last; // the chain's last slot; kept up to date in its first slot only
    };
    /// One place of the open-addressing index from IDs to their chains.
    struct TBucket
    {
        uint32_t hash;
        int32_t first = kEnd; // the chain's first slot; kEnd while the bucket is free
    };
    struct TFound
    {
        std::size_t bucket;
        bool found;
    };

    TFound find(const QString &id, uint32_t hash) const;
    void eraseBucket(std::size_t bucket);
    void growIndex();
    void compact();

    // Removed entries stay as tombstones until they outnumber the live
    // ones, so removal never shifts the list.
    std::vector<TSlot> m_slots;
    // Linear probing over a power-of-two table, at most half full. A bucket
    // carries the hash, so probing and growing rarely touch the strings;
    // that beats a general hash table by about a cache miss per lookup.
    std::vector<TBucket> m_index;
    std::size_t m_chains = 0;
    qsizetype m_live = 0;
    std::vector<int32_t> m_moved; // compaction's old-to-new slot map
    mutable QStringList m_list;
    mutable bool m_listValid = true;
};

} // namespace selectframe
