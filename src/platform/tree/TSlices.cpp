// SPDX-License-Identifier: MIT
#include "TSlices.h"

namespace selectframe {

void TSlices::Add(std::initializer_list<TSlice *> slices)
{
    m_slices.reserve(m_slices.size() + slices.size());
    for (TSlice *s : slices)
        if (s)
            m_slices.emplace_back(s);
}

TSlice *TSlices::GetSlice(int index) const
{
    return index >= 0 && index < Count() ? m_slices[size_t(index)].get() : nullptr;
}

} // namespace selectframe
