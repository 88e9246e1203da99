// SPDX-License-Identifier: MIT
#include "FavoritesTreeManager.h"

namespace selectframe {

TFavoritesTreeManager::TFavoritesTreeManager(TFrameManager *FrameManager)
    : Tree(std::make_shared<TFavoritesVirtualTree>(FrameManager)), Header(std::make_shared<TFavoritesVirtualColumns>())
{
    setAdapters(Tree, Header);
}

void TFavoritesTreeManager::Initialize()
{
    TBaseVirtualManager::Initialize();
    Tree->Rebuild();
    updateTree(0);
}

} // namespace selectframe
