// SPDX-License-Identifier: MIT
// The reference-counting base of every object that crosses to the host.
#pragma once

#include <selectframe/Interfaces.h>

#include <atomic>
#include <type_traits>

namespace selectframe {

/// The interface an interface extends with its own slots appended; an
/// object that answers the derived one answers its parent through the same
/// table.
template <class I>
struct TInterfaceParent
{
    using type = IInterface;
};
template <>
struct TInterfaceParent<IFrameItemEx>
{
    using type = IFrameItem;
};

/// Implements IInterface for an object that offers `Intfs...`: the count
/// starts at zero and the last Release deletes the object. QueryInterface
/// answers each listed interface, the interfaces they extend, and IInterface
/// (always through the first listed one, so identity compares hold).
template <class... Intfs>
class TInterfacedObject : public Intfs...
{
public:
    TInterfacedObject(const TInterfacedObject &) = delete;
    TInterfacedObject &operator=(const TInterfacedObject &) = delete;

    TResult SF_CALL QueryInterface(const TGUID &iid, void **obj) override
    {
        if (!obj)
            return E_POINTER;
        *obj = queryOwn(iid);
        if (!*obj)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    uint32_t SF_CALL AddRef() override { return ++m_refCount; }
    uint32_t SF_CALL Release() override
    {
        const uint32_t n = --m_refCount;
        if (n == 0)
            delete this;
        return n;
    }

protected:
    TInterfacedObject() = default;
    virtual ~TInterfacedObject() = default;

    /// The object's own pointer for `iid`, uncounted; null when not offered.
    /// Classes with private interfaces extend this.
    virtual void *queryOwn(const TGUID &iid)
    {
        if (iid == IInterface::iid)
            return static_cast<IInterface *>(static_cast<First *>(this));
        void *found = nullptr;
        ((found = found ? found : match<Intfs>(iid)), ...);
        return found;
    }

private:
    using First = std::tuple_element_t<0, std::tuple<Intfs...>>;

    template <class I>
    void *match(const TGUID &iid)
    {
        if (iid == I::iid)
            return static_cast<I *>(this);
        using Parent = typename TInterfaceParent<I>::type;
        if constexpr (!std::is_same_v<Parent, IInterface>)
            return matchParent<I, Parent>(iid);
        return nullptr;
    }
    template <class I, class Parent>
    void *matchParent(const TGUID &iid)
    {
        if (iid == Parent::iid)
            return static_cast<Parent *>(static_cast<I *>(this));
        return nullptr;
    }

    std::atomic<uint32_t> m_refCount{0};
};

/// Hands a counted reference to `field` out through an out parameter.
template <class T>
void handOut(const IPtr<T> &field, T **result)
{
    *result = field.get();
    if (*result)
        (*result)->AddRef();
}

} // namespace selectframe
