// SPDX-License-Identifier: MIT
// A cell that shows one text across its room.
#pragma once

#include "platform/tree/TSlicesFactory.h"
#include "platform/tree/TStringSlice.h"

namespace selectframe {

/// The slices of a text cell: one string slice. Header columns and the
/// favorites list's rows are such cells.
inline void InitTextCell(TSlices *Slices)
{
    Slices->Add({SlicesFactory().create("string")});
}

/// Gives a text cell's slice `Text` in the "text" style, filling its room.
inline void FillTextCell(TSlices *Slices, const QString &Text)
{
    auto *text = static_cast<TStringSlice *>(Slices->GetSlice(0));
    text->Style = getStyle("text");
    text->Layout1 = slFill;
    text->Layout2 = 0;
    text->Text = Text;
}

} // namespace selectframe
