// SPDX-License-Identifier: MIT
#include "ItemIdIndex.h"

#include "model/FrameObjects.h"
#include "platform/FoldedText.h"

#include <algorithm>

namespace selectframe {

TItemIdIndex::TItemIdIndex(const TObjectArena<TFrameItemObject> &Items, TIdOf IdOf) : m_items(Items), m_idOf(IdOf)
{
    m_buckets.resize(std::max<std::size_t>(16, m_items.size() / 3 * 4 + 4));
    for (const TFrameItemObject *object : m_items) {
        if (!object->KnownItem)
            continue;
        const uint32_t item = object->Index;
        std::size_t b = home(object->IdHash);
        for (; m_buckets[b].Item != None; b = after(b)) {
            const uint32_t first = m_buckets[b].Item;
            if (m_buckets[b].Hash == object->IdHash && foldedEqual(idOf(first), idOf(item))) {
                if (m_next.empty()) {
                    m_next.resize(m_items.size());
                    for (uint32_t i = 0; i < m_next.size(); ++i)
                        m_next[i] = i;
                }
                m_next[item] = m_next[first];
                m_next[first] = item;
                break;
            }
        }
        if (m_buckets[b].Item == None)
            m_buckets[b] = {object->IdHash, item};
    }
}

const QString &TItemIdIndex::idOf(uint32_t item) const
{
    const QString *id = nullptr;
    m_idOf(m_items[item]->Item.get(), &id);
    return *id;
}

uint32_t TItemIdIndex::lookUp(uint32_t hash, QStringView id) const
{
    for (std::size_t b = home(hash); m_buckets[b].Item != None; b = after(b))
        if (m_buckets[b].Hash == hash && foldedEqual(idOf(m_buckets[b].Item), id))
            return m_buckets[b].Item;
    return None;
}

uint32_t TItemIdIndex::find(QStringView id) const
{
    return lookUp(uint32_t(foldedHash(id)), id);
}

void TItemIdIndex::markNamed(const QStringList &ids, std::vector<uint8_t> &wanted) const
{
    constexpr qsizetype Batch = 32;
    uint32_t hashes[Batch];
    uint32_t found[Batch];
    const TFrameItemObject *objects[Batch];
    const QString *texts[Batch];
    for (qsizetype start = 0; start < ids.size(); start += Batch) {
        const qsizetype n = std::min(Batch, ids.size() - start);
        const QString *batch = ids.constData() + start;
        for (qsizetype k = 0; k < n; ++k) {
            hashes[k] = uint32_t(foldedHash(batch[k]));
            __builtin_prefetch(&m_buckets[home(hashes[k])]);
        }
        // The first bucket of the right hash almost always holds the item:
        // fetch its object, its host item and its ID's text in turn.
        for (qsizetype k = 0; k < n; ++k) {
            objects[k] = nullptr;
            for (std::size_t b = home(hashes[k]); m_buckets[b].Item != None; b = after(b))
                if (m_buckets[b].Hash == hashes[k]) {
                    found[k] = m_buckets[b].Item;
                    objects[k] = m_items[found[k]];
                    __builtin_prefetch(objects[k]);
                    break;
                }
        }
        for (qsizetype k = 0; k < n; ++k)
            if (objects[k])
                __builtin_prefetch(objects[k]->Item.get());
        for (qsizetype k = 0; k < n; ++k) {
            texts[k] = nullptr;
            if (objects[k] && m_idOf(objects[k]->Item.get(), &texts[k]))
                __builtin_prefetch(texts[k]->constData());
        }
        for (qsizetype k = 0; k < n; ++k) {
            // Another ID of the same hash in that bucket sends it the long way.
            const uint32_t first = !objects[k]                                    ? None
                                   : texts[k] && foldedEqual(*texts[k], batch[k]) ? found[k]
                                                                                  : lookUp(hashes[k], batch[k]);
            if (first == None)
                continue;
            uint32_t item = first;
            do {
                wanted[item] = 1;
                item = next(item);
            } while (item != first);
        }
    }
}

} // namespace selectframe
