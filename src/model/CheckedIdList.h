// SPDX-License-Identifier: MIT
// The running list of checked item IDs.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

namespace selectframe {

class TFrameItemObject;

/// The IDs of the checked items, one entry per check, in the order they were
/// added. An entry is kept as the item object that holds it, not as a text:
/// a pass that checks a million items appends a million pointers and reads
/// no ID. A held entry shows its holder's ID as the list is read; an entry
/// may also carry a text of its own, which it shows instead (an entry handed
/// to an item spelt otherwise, or one that no item holds any more: a loose
/// entry). The holder keeps the entry's slot in its Entry field, which the
/// list updates when it moves entries.
///
/// Which entry an unchecked item takes out is its owner's decision (see
/// TFrameObjectManager); the list only stores. Holds up to 2^31 entries.
class TCheckedIdList
{
public:
    /// Appends an entry held by `holder` and records its slot there.
    void append(TFrameItemObject *holder);
    /// Appends a loose entry showing `text`.
    void appendLoose(const QString &text);
    /// Takes out the entry at `slot`; its holder, if any, holds none after.
    void remove(int32_t slot);
    /// Hands the entry at `slot` to `holder` (null: it becomes loose, and
    /// then must have a text of its own). The previous holder holds none.
    void setHolder(int32_t slot, TFrameItemObject *holder);
    /// Gives the entry at `slot` a text of its own.
    void setText(int32_t slot, const QString &text);
    void clear();
    /// Makes room for `entries` entries in all.
    void reserve(std::size_t entries);

    /// The holder of the entry at `slot` (null for a loose or taken-out
    /// one); slots run from 0 to slotCount(), in list order.
    TFrameItemObject *holderOf(int32_t slot) const { return m_holders[std::size_t(slot)]; }
    std::size_t slotCount() const { return m_holders.size(); }
    /// The entry's own text, or null when it shows its holder's ID.
    const QString *textOf(int32_t slot) const;
    /// The slots of the loose entries, in list order.
    std::vector<int32_t> looseSlots() const;
    qsizetype looseCount() const { return m_loose; }

    qsizetype count() const { return m_live; }
    bool isEmpty() const { return m_live == 0; }
    /// The entries' texts in order, a held entry without a text of its own
    /// showing `idOf(holder)` (a `const QString &`). The list is kept until
    /// the next change.
    template <class IdOf>
    const QStringList &list(IdOf idOf) const
    {
        if (!m_listValid) {
            m_list.clear();
            m_list.reserve(m_live);
            const std::vector<std::pair<int32_t, const QString *>> texts = textsInOrder();
            std::size_t next = 0;
            for (std::size_t slot = 0; slot < m_holders.size(); ++slot) {
                if (next < texts.size() && texts[next].first == int32_t(slot))
                    m_list.append(*texts[next++].second);
                else if (TFrameItemObject *holder = m_holders[slot])
                    m_list.append(idOf(holder));
            }
            m_listValid = true;
        }
        return m_list;
    }

private:
    void changed() { m_listValid = false; }
    void compact();
    std::vector<std::pair<int32_t, const QString *>> textsInOrder() const;

    // Taken-out entries stay as null holders without a text until they
    // outnumber the live ones, so removal never shifts the list.
    std::vector<TFrameItemObject *> m_holders;
    /// Texts of their own, by slot: few, so kept apart.
    std::unordered_map<int32_t, QString> m_texts;
    qsizetype m_live = 0;
    qsizetype m_loose = 0;
    mutable QStringList m_list;
    mutable bool m_listValid = true;
};

} // namespace selectframe
