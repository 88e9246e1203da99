// SPDX-License-Identifier: MIT
#include "FoldedTextSet.h"

#include "FoldedText.h"

namespace selectframe {

TFoldedTextSet::TFoldedTextSet(const QStringList &texts) : m_texts(texts)
{
    std::size_t size = 16;
    while (size < std::size_t(texts.size()) * 2)
        size *= 2;
    m_buckets.resize(size);
    m_mask = size - 1;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const uint32_t hash = uint32_t(foldedHash(texts[i]));
        for (std::size_t b = hash & m_mask;; b = (b + 1) & m_mask) {
            TBucket &bucket = m_buckets[b];
            if (bucket.index < 0) {
                bucket = {hash, int32_t(i)};
                break;
            }
            if (bucket.hash == hash && foldedEqual(texts[bucket.index], texts[i]))
                break; // a duplicate adds nothing
        }
    }
}

bool TFoldedTextSet::contains(QStringView text) const
{
    const uint32_t hash = uint32_t(foldedHash(text));
    for (std::size_t b = hash & m_mask;; b = (b + 1) & m_mask) {
        const TBucket &bucket = m_buckets[b];
        if (bucket.index < 0)
            return false;
        if (bucket.hash == hash && foldedEqual(m_texts[bucket.index], text))
            return true;
    }
}

} // namespace selectframe
