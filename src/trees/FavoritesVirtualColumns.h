// SPDX-License-Identifier: MIT
// The header adapter of the favorites list.
#pragma once

#include "platform/tree/TBaseVirtualTree.h"

namespace selectframe {

/// The favorites list's one header column, taking the whole width.
class TFavoritesVirtualColumns : public TBaseVirtualTree
{
public:
    TFavoritesVirtualColumns();

    void InitSlices(TVirtualNode Node, TSlices *Slices) override;
    void FillSlices(TVirtualNode Node, TSlices *Slices) override;
    /// `Third` := 0x10000: the column takes the room there is.
    void FillStateInfo(TVirtualNode Node, uint32_t *State, int32_t *First, int32_t *Second, int32_t *Third) override;
};

} // namespace selectframe
