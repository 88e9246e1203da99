// SPDX-License-Identifier: MIT
// An image slice.
#pragma once

#include "TSlice.h"

#include <selectframe/ImageList.h>

namespace selectframe {

/// An image from a host image list. With a list the slice is as wide as the
/// list's images even when ImageIndex is -1 or out of range (then nothing is
/// drawn), so captions of rows with and without images line up; without a
/// list it takes no room.
class TImageSlice : public TSlice
{
public:
    static constexpr TSliceKind Kind = skImage;

    TImageSlice() : TSlice(Kind) {}

    const TImageList *Images = nullptr;
    int ImageIndex = -1;
};

} // namespace selectframe
