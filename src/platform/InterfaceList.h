// SPDX-License-Identifier: MIT
// The runtime's thread-safe list of interface references.
#pragma once

#include "platform/InterfacedObject.h"

#include <QRecursiveMutex>

#include <vector>

namespace selectframe {

/// A reference-counted list of interface references in insertion order,
/// guarded by one lock. Every operation takes the lock for its own duration;
/// a caller that needs a consistent view over several operations (an
/// enumerator, find-then-append) holds it through lock()/unlock().
///
/// The lock is recursive: an enumerator holds it for its whole life, and the
/// thread that owns the enumerator must still be able to use the list, e.g.
/// a host handler that is handed an item enumerator and creates new items
/// meanwhile. Other threads wait until the enumerator is released.
class TInterfaceList final : public TInterfacedObject<IInterface>
{
public:
    TInterfaceList() = default;

    int32_t count() const;
    /// The reference at `index`; empty when `index` is out of range.
    IPtr<IInterface> at(int32_t index) const;
    /// Appends `item` (a null reference is stored as such).
    void add(IInterface *item);
    /// Removes the reference at `index`; nothing when out of range.
    void removeAt(int32_t index);
    void clear();

    /// Blocks other threads from the list until the matching unlock(); the
    /// owning thread may lock again and keeps full use of the list.
    void lock() const { m_lock.lock(); }
    void unlock() const { m_lock.unlock(); }

private:
    ~TInterfaceList() override = default;

    mutable QRecursiveMutex m_lock;
    std::vector<IPtr<IInterface>> m_items;
};

} // namespace selectframe
