// SPDX-License-Identifier: MIT
// Where the slices of a cell go.
#pragma once

#include "TSlices.h"

#include <QFont>
#include <QRect>
#include <QVarLengthArray>

class QStyle;
class QWidget;

namespace selectframe {

class TTextPainter;

/// Places the slices of one cell side by side, left to right in slice
/// order: auto-sized slices take their content's width, fill slices share
/// what is left. Drawing and hit testing use the same placement, so a click
/// lands on the slice that was drawn there.
class TSliceGeometry
{
public:
    using TRects = QVarLengthArray<QRect, 8>;

    /// Gap on each side of a slice's content.
    static constexpr int Padding = 2;

    /// Fills `rects` with one rectangle per slice of `slices` inside `cell`;
    /// `font` is the cell's base font, `text` measures texts. Returns whether
    /// everything drawn stays inside its rectangle (texts are cut to theirs);
    /// when not, drawing must clip to the cell.
    static bool place(const TSlices &slices, const QRect &cell, const QFont &font, const QStyle *style,
                      const QWidget *widget, TTextPainter &text, TRects &rects);
    /// The index of the slice of `rects` containing `x`, or -1.
    static int sliceAt(const TRects &rects, int x);

    /// The side of a check box or radio button.
    static int indicatorSize(const QStyle *style, const QWidget *widget);
};

} // namespace selectframe
