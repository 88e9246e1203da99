// SPDX-License-Identifier: MIT
// Forward enumeration over the model's lists.
#pragma once

#include "platform/InterfacedObject.h"

#include <memory>

namespace selectframe {

/// A counted forward enumerator over one of the model's lists. Internal to
/// the library, so it has no identity of its own to ask for.
template <class T>
struct IObjectEnumerator : IInterface
{
    static constexpr TGUID iid{};
    /// The current object; null before the first MoveNext (and when the
    /// list has shrunk below the position).
    virtual T *GetCurrent() = 0;
    virtual void Reset() = 0;
    /// Steps to the next object; false, without moving, at the last one.
    virtual bool MoveNext() = 0;
};

/// Enumerates a list the model owns, by reference: changes to the list show
/// through, and the enumerator must not outlive it. The list is indexed and
/// holds T* or unique_ptr<T>.
template <class T, class List>
class TObjectEnumerator final : public TInterfacedObject<IObjectEnumerator<T>>
{
public:
    explicit TObjectEnumerator(const List &list) : m_list(list) {}

    T *GetCurrent() override
    {
        if (m_position < 0 || m_position >= qsizetype(m_list.size()))
            return nullptr;
        return pointerOf(m_list[m_position]);
    }
    void Reset() override { m_position = -1; }
    bool MoveNext() override
    {
        if (m_position + 1 >= qsizetype(m_list.size()))
            return false;
        ++m_position;
        return true;
    }

private:
    static T *pointerOf(T *object) { return object; }
    static T *pointerOf(const std::unique_ptr<T> &object) { return object.get(); }

    const List &m_list;
    qsizetype m_position = -1;
};

/// A new enumerator over `list`.
template <class T, class List>
IPtr<IObjectEnumerator<T>> enumerateObjects(const List &list)
{
    return IPtr<IObjectEnumerator<T>>(new TObjectEnumerator<T, List>(list));
}

} // namespace selectframe
