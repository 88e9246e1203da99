// SPDX-License-Identifier: MIT
#include "InterfaceList.h"

#include <mutex>

namespace selectframe {

int32_t TInterfaceList::count() const
{
    std::lock_guard guard(m_lock);
    return int32_t(m_items.size());
}

IPtr<IInterface> TInterfaceList::at(int32_t index) const
{
    std::lock_guard guard(m_lock);
    if (index < 0 || size_t(index) >= m_items.size())
        return {};
    return m_items[size_t(index)];
}

void TInterfaceList::add(IInterface *item)
{
    std::lock_guard guard(m_lock);
    m_items.emplace_back(item);
}

void TInterfaceList::removeAt(int32_t index)
{
    // Declared before the guard: the last reference may run any destructor,
    // which should not happen while other threads wait for the list.
    IPtr<IInterface> removed;
    std::lock_guard guard(m_lock);
    if (index < 0 || size_t(index) >= m_items.size())
        return;
    removed = std::move(m_items[size_t(index)]);
    m_items.erase(m_items.begin() + index);
}

void TInterfaceList::clear()
{
    std::vector<IPtr<IInterface>> removed; // released unlocked, as in removeAt
    {
        std::lock_guard guard(m_lock);
        removed.swap(m_items);
    }
}

} // namespace selectframe
