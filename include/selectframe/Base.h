// SPDX-License-Identifier: MIT
// The binary contract every select frame object shares with its host:
// interface identifiers, the reference-counted base interface, method
// pointers and a small smart pointer so hosts never count by hand.
#pragma once

#include <cstdint>
#include <utility>

#if defined(_WIN32)
#define SF_CALL __stdcall
#else
#define SF_CALL
#endif

namespace selectframe {

/// A 128-bit interface identifier, laid out as the platform GUID.
struct TGUID
{
    uint32_t D1;
    uint16_t D2;
    uint16_t D3;
    uint8_t D4[8];

    constexpr bool operator==(const TGUID &o) const
    {
        if (D1 != o.D1 || D2 != o.D2 || D3 != o.D3)
            return false;
        for (int i = 0; i < 8; ++i)
            if (D4[i] != o.D4[i])
                return false;
        return true;
    }
    constexpr bool operator!=(const TGUID &o) const { return !(*this == o); }
};

namespace detail {
constexpr uint32_t hexDigit(char c)
{
    return c >= '0' && c <= '9'   ? uint32_t(c - '0')
           : c >= 'a' && c <= 'f' ? uint32_t(c - 'a' + 10)
           : c >= 'A' && c <= 'F' ? uint32_t(c - 'A' + 10)
                                  : throw "not a hex digit";
}
constexpr uint32_t hexAt(const char *s, int pos, int len)
{
    uint32_t v = 0;
    for (int i = 0; i < len; ++i)
        v = v << 4 | hexDigit(s[pos + i]);
    return v;
}
} // namespace detail

/// Parses "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" at compile time, so
/// identifiers are written in the form everybody quotes them in.
constexpr TGUID guid(const char (&s)[39])
{
    if (s[0] != '{' || s[9] != '-' || s[14] != '-' || s[19] != '-' || s[24] != '-' || s[37] != '}')
        throw "malformed GUID";
    return TGUID{detail::hexAt(s, 1, 8),
                 uint16_t(detail::hexAt(s, 10, 4)),
                 uint16_t(detail::hexAt(s, 15, 4)),
                 {uint8_t(detail::hexAt(s, 20, 2)), uint8_t(detail::hexAt(s, 22, 2)), uint8_t(detail::hexAt(s, 25, 2)),
                  uint8_t(detail::hexAt(s, 27, 2)), uint8_t(detail::hexAt(s, 29, 2)), uint8_t(detail::hexAt(s, 31, 2)),
                  uint8_t(detail::hexAt(s, 33, 2)), uint8_t(detail::hexAt(s, 35, 2))}};
}

using TResult = int32_t;
constexpr TResult S_OK = 0;
constexpr TResult E_NOINTERFACE = int32_t(0x80004002u);
constexpr TResult E_POINTER = int32_t(0x80004003u);

/// The base of every interface: identity by GUID and a reference count.
/// An object's count starts at zero; the last Release destroys it.
struct IInterface
{
    static constexpr TGUID iid = guid("{00000000-0000-0000-C000-000000000046}");

    /// Stores a counted reference to the interface named by `iid` in `*obj`
    /// (S_OK), or null (E_NOINTERFACE).
    virtual TResult SF_CALL QueryInterface(const TGUID &iid, void **obj) = 0;
    virtual uint32_t SF_CALL AddRef() = 0;
    virtual uint32_t SF_CALL Release() = 0;

protected:
    ~IInterface() = default;
};

/// A method pointer: the code of a plain function whose first argument is
/// `Data`, and that `Data`. Assigned when `Code` is non-null.
struct TMethod
{
    void *Code = nullptr;
    void *Data = nullptr;

    bool assigned() const { return Code != nullptr; }
    bool operator==(const TMethod &o) const { return Code == o.Code && Data == o.Data; }
    bool operator!=(const TMethod &o) const { return !(*this == o); }
};

/// Builds a method pointer from a handler function and its bound data.
template <class Fn>
TMethod makeMethod(Fn *code, void *data = nullptr)
{
    return TMethod{reinterpret_cast<void *>(code), data};
}

/// Calls the handler behind `m` as a function of type `Fn`, with `m.Data`
/// as its first argument.
template <class Fn, class... Args>
void invokeMethod(const TMethod &m, Args &&...args)
{
    reinterpret_cast<Fn *>(m.Code)(m.Data, std::forward<Args>(args)...);
}

/// Owns one counted reference to an interface.
template <class T>
class IPtr
{
public:
    IPtr() = default;
    IPtr(std::nullptr_t) {}
    /// Shares `p`: takes a reference of its own.
    explicit IPtr(T *p) : m_p(p)
    {
        if (m_p)
            m_p->AddRef();
    }
    IPtr(const IPtr &o) : IPtr(o.m_p) {}
    IPtr(IPtr &&o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    ~IPtr() { reset(); }

    IPtr &operator=(const IPtr &o)
    {
        IPtr(o).swap(*this);
        return *this;
    }
    IPtr &operator=(IPtr &&o) noexcept
    {
        IPtr(std::move(o)).swap(*this);
        return *this;
    }

    /// Takes over a reference somebody already counted for us.
    static IPtr adopt(T *p)
    {
        IPtr r;
        r.m_p = p;
        return r;
    }

    void reset()
    {
        if (T *p = std::exchange(m_p, nullptr))
            p->Release();
    }
    /// Hands our reference to the caller.
    T *detach() { return std::exchange(m_p, nullptr); }
    /// Drops the current reference and returns the slot for an out parameter.
    T **put()
    {
        reset();
        return &m_p;
    }
    void swap(IPtr &o) noexcept { std::swap(m_p, o.m_p); }

    T *get() const { return m_p; }
    T *operator->() const { return m_p; }
    T &operator*() const { return *m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    bool operator==(const IPtr &o) const { return m_p == o.m_p; }
    bool operator!=(const IPtr &o) const { return m_p != o.m_p; }

    /// Asks the object for another interface; empty when it has none.
    template <class U>
    IPtr<U> query() const
    {
        IPtr<U> r;
        if (m_p)
            m_p->QueryInterface(U::iid, reinterpret_cast<void **>(r.put()));
        return r;
    }

private:
    T *m_p = nullptr;
};

/// Asks any interface pointer for interface `U`.
template <class U, class T>
IPtr<U> queryInterface(T *p)
{
    IPtr<U> r;
    if (p)
        p->QueryInterface(U::iid, reinterpret_cast<void **>(r.put()));
    return r;
}

} // namespace selectframe
