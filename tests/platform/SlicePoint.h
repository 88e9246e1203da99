// SPDX-License-Identifier: MIT
// Where a test clicks to hit one slice of a tree cell.
#pragma once

#include "platform/tree/TCustomTree.h"

#include <QPoint>

namespace selectframe::test {

/// Centre of the slice `slice` of the cell (row, column) in viewport
/// coordinates; null when the slice takes no room there.
inline QPoint slicePoint(TCustomTree &tree, TVirtualNode row, int column, int slice)
{
    const QRect cell = tree.nodeRect(row, column);
    int from = -1, to = -1;
    for (int x = cell.left(); x <= cell.right(); ++x)
        if (tree.hitTest(QPoint(x, cell.center().y())).SliceIndex == slice) {
            from = from < 0 ? x : from;
            to = x;
        }
    return from < 0 ? QPoint() : QPoint((from + to) / 2, cell.center().y());
}

} // namespace selectframe::test
