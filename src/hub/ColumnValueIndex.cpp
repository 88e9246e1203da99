// SPDX-License-Identifier: MIT
#include "ColumnValueIndex.h"

#include "hub/FrameItem.h"

#include <QSet>

namespace selectframe {

TColumnValueIndex::TColumnValueIndex(const TFrameObjectManager &Model, const QString &Key)
    : m_stamp(TFrameItem::ValuesStamp())
{
    // Spellings that differ in length but not otherwise (rare foldings)
    // are separate keys; the menu offers the first spelling of each
    // case-blind value once.
    QSet<TFoldedKey> seen;
    std::vector<uint32_t> keyOf;
    keyOf.reserve(Model.Items().size());
    QString value;
    for (const TFrameItemObject *object : Model.Items()) {
        if (const TFrameItem *own = TFrameItem::Of(object->Item.get())) {
            value = own->Value(Key);
        } else {
            value.clear();
            IPtr<IStringValueList> list;
            object->Item->GetValues(list.put());
            if (list)
                list->GetValue(Key, &value);
        }
        const auto found = m_keys.constFind(TKey{value});
        const bool fresh = found == m_keys.cend();
        const uint32_t key = fresh ? uint32_t(m_keys.size()) : *found;
        keyOf.push_back(key);
        if (fresh)
            m_keys.insert(TKey{value}, key);
        if (fresh && !value.isEmpty()) {
            const qsizetype count = seen.size();
            seen.insert(TFoldedKey{value});
            if (seen.size() != count)
                m_values.append(value);
        }
    }
    // Positions grouped by key, ascending within each: a counting sort.
    m_starts.assign(m_keys.size() + 1, 0);
    for (uint32_t key : keyOf)
        ++m_starts[key + 1];
    for (std::size_t k = 1; k < m_starts.size(); ++k)
        m_starts[k] += m_starts[k - 1];
    m_positions.resize(keyOf.size());
    std::vector<uint32_t> next(m_starts.begin(), m_starts.end() - 1);
    for (uint32_t position = 0; position < keyOf.size(); ++position)
        m_positions[next[keyOf[position]]++] = position;
}

bool TColumnValueIndex::isCurrent() const
{
    return m_stamp == TFrameItem::ValuesStamp();
}

std::vector<uint32_t> TColumnValueIndex::rows(const QString &Value) const
{
    const auto found = m_keys.constFind(TKey{Value});
    if (found == m_keys.cend())
        return {};
    return {m_positions.begin() + m_starts[*found], m_positions.begin() + m_starts[*found + 1]};
}

} // namespace selectframe
