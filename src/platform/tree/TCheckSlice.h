// SPDX-License-Identifier: MIT
// A check box slice.
#pragma once

#include "TSlice.h"

namespace selectframe {

/// A check box: drawn only when Shown; Value 0 unchecked, 1 checked, 2
/// partially checked. The node's skin name "radio" draws a radio button.
class TCheckSlice : public TSlice
{
public:
    static constexpr TSliceKind Kind = skCheck;

    TCheckSlice() : TSlice(Kind) {}

    bool Shown = false;
    uint8_t Value = 0;
};

} // namespace selectframe
