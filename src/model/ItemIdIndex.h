// SPDX-License-Identifier: MIT
// The items of a model by their IDs.
#pragma once

#include "model/ObjectArena.h"

#include <selectframe/Interfaces.h>

#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace selectframe {

class TFrameItemObject;

/// Which items of one model load share an ID, letter case not counting, and
/// which items an ID names. Covers the items whose ID the model reads in
/// place (KnownItem), by the hash each carries (IdHash); it reads their IDs
/// where they keep them, so it is valid only until an item's ID changes or
/// the model loads again. Items are numbered by their place in the load.
class TItemIdIndex
{
public:
    static constexpr uint32_t None = UINT32_MAX;
    /// Where an item keeps its ID (the model's reader).
    using TIdOf = bool (*)(IFrameItem *Item, const QString **Result);

    TItemIdIndex(const TObjectArena<TFrameItemObject> &Items, TIdOf IdOf);

    /// Whether no two items share an ID.
    bool allDistinct() const { return m_next.empty(); }
    /// An item whose ID equals `id` ignoring case, or None; the others that
    /// share its ID follow through next().
    uint32_t find(QStringView id) const;
    /// The next item with the same ID; the items of one ID form a ring, and
    /// an item whose ID no other shares (or one left out) is its own next.
    uint32_t next(uint32_t item) const { return m_next.empty() ? item : m_next[item]; }
    /// Marks `wanted[i]` for every item i whose ID is in `ids`. Looks the
    /// IDs up a batch at a time, fetching each step's memory for the whole
    /// batch before it is read: a list of half a million IDs waits for
    /// memory once per batch and step instead of at every step of every ID.
    void markNamed(const QStringList &ids, std::vector<uint8_t> &wanted) const;

private:
    struct TBucket
    {
        uint32_t Hash = 0;
        uint32_t Item = None; // None while the bucket is free
    };

    const QString &idOf(uint32_t item) const;
    std::size_t home(uint32_t hash) const { return std::size_t((uint64_t(hash) * m_buckets.size()) >> 32); }
    std::size_t after(std::size_t bucket) const { return bucket + 1 == m_buckets.size() ? 0 : bucket + 1; }
    /// The item of the first bucket from `hash`'s home whose hash and ID
    /// match, or None.
    uint32_t lookUp(uint32_t hash, QStringView id) const;

    const TObjectArena<TFrameItemObject> &m_items;
    const TIdOf m_idOf;
    /// Empty while every ID is distinct, which spares 4 bytes an item.
    std::vector<uint32_t> m_next;
    // Linear probing over a table at most three quarters full; buckets
    // carry the hash, so probing rarely reads an ID.
    std::vector<TBucket> m_buckets;
};

} // namespace selectframe
