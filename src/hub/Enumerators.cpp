// SPDX-License-Identifier: MIT
#include "Enumerators.h"

#include <typeinfo>

namespace selectframe {

template <class TEnumeratorIntf, class TElement>
TInterfaceListEnumerator<TEnumeratorIntf, TElement>::TInterfaceListEnumerator(TInterfaceList *EnumeratedList)
    : List(EnumeratedList)
{
    List->lock();
}

template <class TEnumeratorIntf, class TElement>
TInterfaceListEnumerator<TEnumeratorIntf, TElement>::~TInterfaceListEnumerator()
{
    List->unlock();
}

template <class TEnumeratorIntf, class TElement>
void TInterfaceListEnumerator<TEnumeratorIntf, TElement>::GetCurrent(TElement **Current)
{
    *Current = nullptr;
    const IPtr<IInterface> element = List->at(Position);
    if (!element)
        return;
    IPtr<TElement> typed = element.template query<TElement>();
    if (!typed)
        throw std::bad_cast();
    *Current = typed.detach();
}

template <class TEnumeratorIntf, class TElement>
void TInterfaceListEnumerator<TEnumeratorIntf, TElement>::Reset()
{
    Position = -1;
}

template <class TEnumeratorIntf, class TElement>
bool TInterfaceListEnumerator<TEnumeratorIntf, TElement>::MoveNext()
{
    if (Position >= List->count() - 1)
        return false;
    ++Position;
    return true;
}

template class TInterfaceListEnumerator<IFrameItemEnumerator, IFrameItem>;
template class TInterfaceListEnumerator<IFavoritesEnumerator, ISelectFavorite>;

} // namespace selectframe
