// SPDX-License-Identifier: MIT
// Sorting the item tree by values read once per row.
#pragma once

#include "platform/TextCollator.h"
#include "platform/tree/TNodeOrder.h"

#include <QString>

#include <string>
#include <vector>

namespace selectframe {

class TSelectVirtualTree;

/// Orders sibling rows of the item tree exactly as the frame's own row
/// comparison does (CompareRowSortValues), but reads each row's sort values
/// once and turns their texts into collation keys where it can, so a list of
/// n rows costs n value reads and byte comparisons instead of n log n
/// collations through the host's items. Only valid while no host handler
/// may override a comparison.
class TSelectTreeKeyOrder final : public TNodeOrder
{
public:
    /// `ColumnDataKeys` holds the item value each key's column shows.
    TSelectTreeKeyOrder(const TSelectVirtualTree &Rows, std::vector<TSortKey> Keys, std::vector<QString> ColumnDataKeys,
                        const TTextCollator &Collator);

    void sort(std::vector<TVirtualNode> &nodes) override;

private:
    /// One row's value for one sort key.
    struct TField
    {
        int Rank;
        /// The text's collation key in m_keyBytes, if it has one.
        uint32_t KeyStart;
        uint32_t KeyLength;
        bool HasKey;
        QString Text;
    };

    /// A row in the sort: the leading bytes of its first field (see
    /// prefixOf) and its place in the list.
    struct TEntry
    {
        uint64_t Prefix;
        uint32_t Index;
    };

    /// Negative when the row with fields `a` goes before the one with `b`.
    int compare(const TField *a, const TField *b) const;
    /// A number that orders as `field` does against any other keyed first
    /// field, or ties with it where only the whole comparison can tell.
    uint64_t prefixOf(const TField &field) const;

    const TSelectVirtualTree &m_rows;
    const std::vector<TSortKey> m_keys;
    const std::vector<QString> m_columnDataKeys;
    const TTextCollator &m_collator;
    // Scratch of the list being sorted, kept to reuse its memory.
    std::vector<TField> m_fields;
    std::string m_keyBytes;
};

} // namespace selectframe
