// SPDX-License-Identifier: MIT
#include "SelectTreeKeyOrder.h"

#include "frame/RowSortValue.h"
#include "trees/SelectVirtualTree.h"

#include <algorithm>
#include <numeric>
#include <string_view>

namespace selectframe {

TSelectTreeKeyOrder::TSelectTreeKeyOrder(const TSelectVirtualTree &Rows, std::vector<TSortKey> Keys,
                                         std::vector<QString> ColumnDataKeys, const TTextCollator &Collator)
    : m_rows(Rows), m_keys(std::move(Keys)), m_columnDataKeys(std::move(ColumnDataKeys)), m_collator(Collator)
{}

void TSelectTreeKeyOrder::sort(std::vector<TVirtualNode> &nodes)
{
    const size_t keyCount = m_keys.size();
    m_fields.clear();
    m_fields.resize(nodes.size() * keyCount);
    m_keyBytes.clear();
    std::vector<uint32_t> order(nodes.size());
    std::iota(order.begin(), order.end(), 0u);
    // Rows, their model objects and the host's items were all made in the
    // order of their nodes: reading in that order walks memory forwards,
    // where the list's own order (sorted before) jumps about.
    std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) { return nodes[a].Id < nodes[b].Id; });
    bool allKeyed = true;
    for (uint32_t i : order) {
        const TBaseFrameObject *object = m_rows.recordOf(nodes[i])->FrameObject;
        for (size_t k = 0; k < keyCount; ++k) {
            TRowSortValue value = RowSortValue(object, m_keys[k].Column, m_columnDataKeys[k]);
            const size_t start = m_keyBytes.size();
            const bool hasKey = m_collator.appendKey(value.Text, m_keyBytes);
            allKeyed = allKeyed && (hasKey || k > 0);
            m_fields[i * keyCount + k] = {value.Rank, uint32_t(start), uint32_t(m_keyBytes.size() - start), hasKey,
                                          std::move(value.Text)};
        }
    }
    // Rows sort by the first key's leading bytes, and by the whole
    // comparison only where those tie; the row's place breaks the last tie,
    // which keeps the order stable. Leading bytes stand for the whole
    // comparison only where every row has a key.
    std::vector<TEntry> entries(nodes.size());
    for (uint32_t i = 0; i < entries.size(); ++i)
        entries[i] = {allKeyed ? prefixOf(m_fields[i * keyCount]) : 0, i};
    std::sort(entries.begin(), entries.end(), [&](const TEntry &a, const TEntry &b) {
        if (a.Prefix != b.Prefix)
            return a.Prefix < b.Prefix;
        const int c = compare(&m_fields[a.Index * keyCount], &m_fields[b.Index * keyCount]);
        return c ? c < 0 : a.Index < b.Index;
    });
    std::vector<TVirtualNode> sorted;
    sorted.reserve(nodes.size());
    for (const TEntry &entry : entries)
        sorted.push_back(nodes[entry.Index]);
    nodes.swap(sorted);
}

uint64_t TSelectTreeKeyOrder::prefixOf(const TField &field) const
{
    // The rank, then the key's first seven bytes (0 past its end, which
    // orders a shorter key first as the whole comparison does), turned
    // over for the other direction as the text's result is.
    uint64_t prefix = uint64_t(uint8_t(field.Rank)) << 56;
    const bool natural = m_keys.front().Type == stNatural;
    for (uint32_t b = 0; b < 7; ++b) {
        const uint8_t byte = b < field.KeyLength ? uint8_t(m_keyBytes[field.KeyStart + b]) : 0;
        prefix |= uint64_t(natural ? byte : uint8_t(255 - byte)) << (48 - 8 * b);
    }
    return prefix;
}

int TSelectTreeKeyOrder::compare(const TField *a, const TField *b) const
{
    for (size_t k = 0; k < m_keys.size(); ++k) {
        const TField &x = a[k];
        const TField &y = b[k];
        if (x.Rank != y.Rank)
            return x.Rank < y.Rank ? -1 : 1;
        int text;
        if (x.HasKey && y.HasKey)
            text = std::string_view(m_keyBytes)
                       .substr(x.KeyStart, x.KeyLength)
                       .compare(std::string_view(m_keyBytes).substr(y.KeyStart, y.KeyLength));
        else
            text = m_collator.compare(x.Text, y.Text);
        if (text)
            return m_keys[k].Type == stNatural ? text : -text;
    }
    return 0;
}

} // namespace selectframe
