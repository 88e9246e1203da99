// SPDX-License-Identifier: MIT
// The header adapter of the item tree.
#pragma once

#include "platform/tree/TBaseVirtualTree.h"

namespace selectframe {

class TFrameColumnObject;
class TFrameManager;

/// One header column per column of the frame manager's model, built once by
/// the constructor; each header node's data is the model's
/// TFrameColumnObject. A column without a width (-1) takes what the others
/// leave.
class TSelectVirtualColumns : public TBaseVirtualTree
{
public:
    explicit TSelectVirtualColumns(TFrameManager *FrameManager);

    void InitSlices(TVirtualNode Node, TSlices *Slices) override;
    /// The column's caption.
    void FillSlices(TVirtualNode Node, TSlices *Slices) override;
    /// `First` := the column's width (`Third` := 0) when it has one;
    /// otherwise `Third` := 0x10000 for the first column and state flag 8
    /// for the others.
    void FillStateInfo(TVirtualNode Node, uint32_t *State, int32_t *First, int32_t *Second, int32_t *Third) override;

private:
    TFrameColumnObject *columnOf(TVirtualNode Node) const { return static_cast<TFrameColumnObject *>(getData(Node)); }
};

} // namespace selectframe
