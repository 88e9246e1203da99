// SPDX-License-Identifier: MIT
#include "SelectVirtualManager.h"

namespace selectframe {

TSelectVirtualManager::TSelectVirtualManager(TFrameManager *FrameManager)
    : Tree(std::make_shared<TSelectVirtualTree>(FrameManager)),
      Header(std::make_shared<TSelectVirtualColumns>(FrameManager))
{
    setAdapters(Tree, Header);
}

void TSelectVirtualManager::Initialize()
{
    TBaseVirtualManager::Initialize();
    Tree->Rebuild();
    updateTree(0);
}

} // namespace selectframe
