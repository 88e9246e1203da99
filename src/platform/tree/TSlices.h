// SPDX-License-Identifier: MIT
// The slices of one node.
#pragma once

#include "TSlice.h"

#include <initializer_list>
#include <memory>
#include <vector>

namespace selectframe {

/// The ordered slices of one node's cell; slice i is drawn i-th from the
/// left. Owns its slices. The tree creates one per node on first need and
/// keeps it until the node is cleared or removed, so a slice restyled by
/// the adapter keeps its style.
class TSlices
{
public:
    /// Appends `slices` in order and takes ownership of them.
    void Add(std::initializer_list<TSlice *> slices);
    /// The slice at `index`, null when out of range.
    TSlice *GetSlice(int index) const;
    int Count() const { return int(m_slices.size()); }

    /// The first slice of kind `T`, null when there is none.
    template <class T>
    T *first() const
    {
        for (const auto &s : m_slices)
            if (T *t = sliceAs<T>(s.get()))
                return t;
        return nullptr;
    }

private:
    std::vector<std::unique_ptr<TSlice>> m_slices;
};

} // namespace selectframe
