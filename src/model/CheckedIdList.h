// SPDX-License-Identifier: MIT
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
///
/// IDs equal ignoring case share a chain. A caller that adds and removes the
/// same ID again and again (an item being checked and unchecked) can keep a
/// hint naming its chain, which spares the hash lookup on every later call.
class TCheckedIdList
{
public:
    /// The value of a hint that names no chain yet.
    static constexpr int32_t kNoHint = -1;

    /// Appends `id`. `hint`, when given, is read and updated.
    void append(const QString &id, int32_t *hint = nullptr);
    /// Removes the first entry equal to `id` ignoring case; false if none.
    bool removeOne(const QString &id, int32_t *hint = nullptr);
    void clear();
    /// Makes room for `entries` entries and as many chains in all: a pass
    /// that checks a million items then neither copies the storage as it
    /// grows nor leaves the old copies resident.
    void reserve(std::size_t entries);

    /// The chain of the IDs equal to `id` ignoring case, or -1 when none was
    /// ever added since the last clear(). Chains are numbered from 0 up to
    /// chainCount(); `hint` is read and updated as for append.
    int32_t findChain(const QString &id, int32_t *hint = nullptr) { return chainOf(id, hint, false); }
    std::size_t chainCount() const { return m_chains.size(); }

    qsizetype count() const { return m_live; }
    bool isEmpty() const { return m_live == 0; }
    /// The entries in order. The reference stays valid until the next change.
    const QStringList &list() const;

private:
    static constexpr int32_t kEnd = -1;
    static constexpr int32_t kRemoved = -2;

    /// One entry, linked to the next entry of its chain. Its text is almost
    /// always its chain's key, the ID that made the chain, and is then not
    /// kept twice.
    struct TSlot
    {
        int32_t next;     // following slot of the chain, kEnd, or kRemoved
        int32_t chain;    // lets compaction fix up only the chains in use
        int32_t spelling; // index in m_spellings of a text other than the key, or kEnd
    };
    /// The entries equal to `key` ignoring case, in list order. A chain
    /// stays when it runs empty, so hints stay valid until clear().
    struct TChain
    {
        QString key;
        int32_t first = kEnd;
        int32_t last = kEnd;
    };
    /// One place of the open-addressing index from IDs to their chains.
    struct TBucket
    {
        uint32_t hash;
        int32_t chain = kEnd; // kEnd while the bucket is free
    };

    /// The chain of `id`: the hinted one when its key matches, else looked
    /// up and, with `create`, made. kEnd when absent and not made.
    int32_t chainOf(const QString &id, int32_t *hint, bool create);
    const QString &textOf(const TSlot &slot) const
    {
        return slot.spelling == kEnd ? m_chains[size_t(slot.chain)].key : m_spellings[size_t(slot.spelling)];
    }
    void growIndex();
    void compact();

    // Removed entries stay as tombstones until they outnumber the live
    // ones, so removal never shifts the list.
    std::vector<TSlot> m_slots;
    /// Texts of entries that differ from their chain's key (in letter
    /// case); emptied with the slots and rebuilt by compaction.
    std::vector<QString> m_spellings;
    std::vector<TChain> m_chains;
    // Linear probing over a power-of-two table, at most half full. A bucket
    // carries the hash, so probing and growing rarely touch the strings.
    std::vector<TBucket> m_index;
    qsizetype m_live = 0;
    std::vector<int32_t> m_moved; // compaction's old-to-new slot map
    mutable QStringList m_list;
    mutable bool m_listValid = true;
};

} // namespace selectframe
