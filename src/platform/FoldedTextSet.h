// SPDX-License-Identifier: MIT
// A read-only set of texts looked up without regard to letter case.
#pragma once

#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace selectframe {

/// Answers "is this text in the list, ignoring case?" in O(1), built once
/// from a list that must outlive the set (the texts are not copied). Made
/// for the bulk check passes, where a general hash of string copies costs
/// more than the pass itself.
class TFoldedTextSet
{
public:
    explicit TFoldedTextSet(const QStringList &texts);

    bool contains(QStringView text) const;

private:
    struct TBucket
    {
        uint32_t hash = 0;
        int32_t index = -1; // into the list; -1 while free
    };

    const QStringList &m_texts;
    // Linear probing over a power-of-two table at most half full; buckets
    // carry the hash so probing rarely touches the texts.
    std::vector<TBucket> m_buckets;
    std::size_t m_mask = 0;
};

} // namespace selectframe
