// SPDX-License-Identifier: MIT
#include "TTree.h"

#include "TCustomHeader.h"

namespace selectframe {

TTree::TTree(QWidget *parent) : TCustomTree(parent)
{
    setRowHeight(22);
    setFrameShape(QFrame::NoFrame);
    setAlternatingRowColors(true);
    setRightClickSelect(true);
    Header()->setSortOnClick(true);
    Header()->setSortMenu(true);
    Header()->setSectionsMovable(false);
    Header()->setColumnsResizable(false);
}

} // namespace selectframe
