// SPDX-License-Identifier: MIT
// The tree control with the product's look.
#pragma once

#include "TCustomTree.h"

namespace selectframe {

/// The tree as the frames show it: rows 22 pixels high, no border, zebra
/// striped rows, a right click that selects, and a header whose columns sort on click (with a sort menu)
/// but cannot be moved or resized by dragging.
class TTree : public TCustomTree
{
    Q_OBJECT

public:
    explicit TTree(QWidget *parent = nullptr);
};

} // namespace selectframe
