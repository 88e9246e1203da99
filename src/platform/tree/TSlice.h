// SPDX-License-Identifier: MIT
// One piece of a cell: what the tree draws, left to right, in a cell.
#pragma once

#include "TSliceStyle.h"

#include <Qt>
#include <cstdint>

namespace selectframe {

/// The kinds of slices the slice factory makes.
enum TSliceKind : uint8_t {
    skCheck,
    skImage,
    skString,
};

/// Meanings of a slice's first layout word.
enum TSliceLayout : uint32_t {
    /// The slice takes the width of its content.
    slAutoSize = 0x20000,
    /// The slice takes what the auto-sized slices leave of the cell.
    slFill = 0x10000,
};

/// The common part of every slice: its kind, its text style, two layout
/// words and the mouse cursor shown over it. The first layout word is a
/// TSliceLayout value; the second is a minimum width in pixels (0: none).
/// Adapters set the fields in FillSlices; the tree reads them when it draws
/// and hit-tests the cell.
class TSlice
{
public:
    virtual ~TSlice() = default;

    TSliceKind kind() const { return m_kind; }

    const TSliceStyle *Style = getStyle("text");
    uint32_t Layout1 = slAutoSize;
    uint32_t Layout2 = 0;
    Qt::CursorShape Cursor = Qt::ArrowCursor;

protected:
    explicit TSlice(TSliceKind kind) : m_kind(kind) {}

private:
    TSliceKind m_kind;
};

/// `slice` as the slice class `T` when it is of T's kind, else null.
template <class T>
T *sliceAs(TSlice *slice)
{
    return slice && slice->kind() == T::Kind ? static_cast<T *>(slice) : nullptr;
}

} // namespace selectframe
