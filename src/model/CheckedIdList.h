// The running list of checked item IDs.
#pragma once

#include "platform/FoldedText.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

namespace selectframe {

/// IDs in the order they were added, duplicates kept, matched without
/// regard to letter case. Adding and removing one ID cost O(1) (amortised),
/// never a scan of the list; the plain list is built on demand and kept
/// until the next change.
class TCheckedIdList
{
public:
    void append(const QString &id);
    /// Removes the first entry equal to `id` ignoring case; false if none.
    bool removeOne(const QString &id);
    void clear();

    qsizetype count() const { return m_live; }
    bool isEmpty() const { return m_live == 0; }
    /// The entries in order. The reference stays valid until the next change.
    const QStringList &list() const;

private:
    /// One entry. Entries with the same key are chained in list order.
    struct TSlot
    {
        QString id;
        qsizetype next; // following slot of the same key, or kEnd / kRemoved
    };
    /// First and last slot of one key's chain.
    struct TChain
    {
        qsizetype first;
        qsizetype last;
    };
    static constexpr qsizetype kEnd = -1;
    static constexpr qsizetype kRemoved = -2;

    void compact();

    // Removed entries stay as tombstones until they outnumber the live
    // ones, so removal never shifts the list.
    std::vector<TSlot> m_slots;
    QHash<TFoldedKey, TChain> m_chains;
    qsizetype m_live = 0;
    mutable QStringList m_list;
    mutable bool m_listValid = true;
};

} // namespace selectframe
