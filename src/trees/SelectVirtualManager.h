// SPDX-License-Identifier: MIT
// The item manager of the select frame's tree.
#pragma once

#include "platform/tree/TBaseVirtualManager.h"
#include "trees/SelectVirtualColumns.h"
#include "trees/SelectVirtualTree.h"

#include <memory>

namespace selectframe {

class TFrameManager;

/// Feeds a tree control with a frame manager's model: the rows come from
/// `Tree`, the header columns from `Header`. The frame control installs a
/// new one after every model load:
///   auto vm = std::make_unique<TSelectVirtualManager>(frameManager);
///   vm->Tree->OnStyleLink = ...;              // styles an item's link
///   tree->setVM(std::move(vm));               // builds the rows
/// The rows are built by Initialize, the header at once. A model load
/// destroys the objects the records point to, so a new manager must be
/// installed before anything draws the tree or asks an item for its state.
class TSelectVirtualManager : public TBaseVirtualManager
{
public:
    explicit TSelectVirtualManager(TFrameManager *FrameManager);

    /// Rebuilds the rows from the model and has the tree take them up.
    void Initialize() override;

    const std::shared_ptr<TSelectVirtualTree> Tree;
    const std::shared_ptr<TSelectVirtualColumns> Header;
};

} // namespace selectframe
