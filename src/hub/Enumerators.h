// SPDX-License-Identifier: MIT
// Forward enumerators over the item and favorites lists.
#pragma once

#include "platform/InterfaceList.h"

namespace selectframe {

/// A forward enumerator over a TInterfaceList that yields each element as
/// `TElement`. It keeps a counted reference to the list and holds the
/// list's lock from construction to destruction, so other threads cannot
/// change the list while it lives; it must be released on the thread that
/// created it. An element that does not answer `TElement` makes GetCurrent
/// throw std::bad_cast.
template <class TEnumeratorIntf, class TElement>
class TInterfaceListEnumerator : public TInterfacedObject<TEnumeratorIntf>
{
public:
    explicit TInterfaceListEnumerator(TInterfaceList *EnumeratedList);

    /// The element at the current position; null before the first MoveNext
    /// and past the end.
    void SF_CALL GetCurrent(TElement **Current) override;
    /// Back to before the first element.
    void SF_CALL Reset() override;
    /// Steps to the next element; false, without moving, at the last one.
    bool SF_CALL MoveNext() override;

protected:
    ~TInterfaceListEnumerator() override;

private:
    IPtr<TInterfaceList> List;
    int32_t Position = -1;
};

extern template class TInterfaceListEnumerator<IFrameItemEnumerator, IFrameItem>;
extern template class TInterfaceListEnumerator<IFavoritesEnumerator, ISelectFavorite>;

/// Enumerates a frame's host items.
class TFrameItemEnumerator final : public TInterfaceListEnumerator<IFrameItemEnumerator, IFrameItem>
{
public:
    using TInterfaceListEnumerator::TInterfaceListEnumerator;

private:
    ~TFrameItemEnumerator() override = default;
};

/// Enumerates a favorites list.
class TFavoritesEnumerator final : public TInterfaceListEnumerator<IFavoritesEnumerator, ISelectFavorite>
{
public:
    using TInterfaceListEnumerator::TInterfaceListEnumerator;

private:
    ~TFavoritesEnumerator() override = default;
};

} // namespace selectframe
