// SPDX-License-Identifier: MIT
// A text slice.
#pragma once

#include "TSlice.h"

#include <QString>

namespace selectframe {

/// A text in the slice's style. Flag1 = 1 marks hot text, underlined while
/// the mouse is over it; Flag2 aligns the text in its room: 0 left,
/// 1 centred, 2 right. Text wider than its room is elided.
class TStringSlice : public TSlice
{
public:
    static constexpr TSliceKind Kind = skString;

    TStringSlice() : TSlice(Kind) {}

    QString Text;
    uint8_t Flag1 = 0;
    uint8_t Flag2 = 0;
};

} // namespace selectframe
