// SPDX-License-Identifier: MIT
// The items of a frame's model by their value in one column.
#pragma once

#include "model/FrameObjectManager.h"
#include "platform/FoldedText.h"

#include <QHash>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace selectframe {

/// Which items hold which value under one value name ("column%d_data"),
/// letter case not counting, read once from the host's items. Checking by
/// a value then touches the items that hold it and those checked before,
/// not every item.
///
/// A cache: it is out of date once the model is reloaded, when its owner
/// (the frame manager) drops it, or once any item's value changes
/// (TFrameItem::ValuesStamp moves), which isCurrent tells before every
/// use.
class TColumnValueIndex
{
public:
    /// Reads the value `Key` of every item of `Model`, in model order.
    TColumnValueIndex(const TFrameObjectManager &Model, const QString &Key);

    /// Whether no item's value changed since the index was read.
    bool isCurrent() const;
    /// The distinct non-empty values in order of first appearance; values
    /// differing only in letter case count as one, spelt as first seen.
    const QStringList &values() const { return m_values; }
    /// The model positions of the items whose value equals `Value` ignoring
    /// letter case (an item without the value holds the empty one),
    /// ascending; empty when there are none.
    std::vector<uint32_t> rows(const QString &Value) const;

private:
    /// A value as a key: equal when equal ignoring case and of one length,
    /// as the check by value compares.
    struct TKey
    {
        QString Text;
        friend bool operator==(const TKey &a, const TKey &b)
        {
            return a.Text.size() == b.Text.size() && foldedEqual(a.Text, b.Text);
        }
        friend size_t qHash(const TKey &key, size_t seed) { return foldedHash(key.Text, seed); }
    };

    uint64_t m_stamp;
    /// Each key's number; the positions of key k are m_positions from
    /// m_starts[k] to m_starts[k + 1], one array for all keys, since a
    /// column may hold as many distinct values as there are items.
    QHash<TKey, uint32_t> m_keys;
    std::vector<uint32_t> m_starts;
    std::vector<uint32_t> m_positions;
    QStringList m_values;
};

} // namespace selectframe
