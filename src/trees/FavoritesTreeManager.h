// SPDX-License-Identifier: MIT
// The item manager of the favorites list.
#pragma once

#include "platform/tree/TBaseVirtualManager.h"
#include "trees/FavoritesVirtualColumns.h"
#include "trees/FavoritesVirtualTree.h"

#include <memory>

namespace selectframe {

class TFrameManager;

/// Feeds a tree control with the favorites of a frame manager: one flat
/// row per favorite (`Tree`) under one header column (`Header`). The
/// favorites dialog installs one when it is shown and edits the list
/// through `Tree`.
class TFavoritesTreeManager : public TBaseVirtualManager
{
public:
    explicit TFavoritesTreeManager(TFrameManager *FrameManager);

    /// Builds the rows from the favorites and has the tree take them up.
    void Initialize() override;

    const std::shared_ptr<TFavoritesVirtualTree> Tree;
    const std::shared_ptr<TFavoritesVirtualColumns> Header;
};

} // namespace selectframe
