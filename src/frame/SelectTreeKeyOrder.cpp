#include "SelectTreeKeyOrder.h"

#include "frame/RowSortValue.h"
#include "trees/SelectVirtualTree.h"

#include <algorithm>
#include <numeric>
#include <string_view>

namespace selectframe {

TSelectTreeKeyOrder::TSelectTreeKeyOrder(const TSelectVirtualTree &Rows, std::vector<TSortKey> Keys,
                                         std::vector<QString> ColumnDataKeys, const TTextCollator &Collator)
    : m_rows(Rows)
    , m_keys(std::move(Keys))
    , m_columnDataKeys(std::move(ColumnDataKeys))
    , m_collator(Collator)
{
}

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
    for (uint32_t i : order) {
        const TBaseFrameObject *object = m_rows.recordOf(nodes[i])->FrameObject;
        for (size_t k = 0; k < keyCount; ++k) {
            TRowSortValue value = RowSortValue(object, m_keys[k].Column, m_columnDataKeys[k]);
            const size_t start = m_keyBytes.size();
            const bool hasKey = m_collator.appendKey(value.Text, m_keyBytes);
            m_fields[i * keyCount + k] = {value.Rank, uint32_t(start), uint32_t(m_keyBytes.size() - start), hasKey,
                                          std::move(value.Text)};
        }
    }
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
        return compare(&m_fields[a * keyCount], &m_fields[b * keyCount]) < 0;
    });
    std::vector<TVirtualNode> sorted;
    sorted.reserve(nodes.size());
    for (uint32_t i : order)
        sorted.push_back(nodes[i]);
    nodes.swap(sorted);
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
            text = std::string_view(m_keyBytes).substr(x.KeyStart, x.KeyLength)
                       .compare(std::string_view(m_keyBytes).substr(y.KeyStart, y.KeyLength));
        else
            text = m_collator.compare(x.Text, y.Text);
        if (text)
            return m_keys[k].Type == stNatural ? text : -text;
    }
    return 0;
}

} // namespace selectframe
