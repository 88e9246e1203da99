// SPDX-License-Identifier: MIT
#include "FavoriteTree.h"

#include <algorithm>

namespace selectframe {

TFavoriteNode *TFavoriteTree::Add(ISelectFavorite *Favorite)
{
    return Nodes.emplace_back(std::make_unique<TFavoriteNode>(Favorite)).get();
}

void TFavoriteTree::Remove(TFavoriteNode *Node)
{
    const auto it = std::find_if(Nodes.begin(), Nodes.end(), [Node](const auto &n) { return n.get() == Node; });
    if (it != Nodes.end())
        Nodes.erase(it);
}

TFavoriteNode *TFavoriteTree::FindByName(const QString &Name) const
{
    QString name;
    for (const auto &node : Nodes) {
        node->Favorite->GetName(&name);
        if (name.compare(Name, Qt::CaseInsensitive) == 0)
            return node.get();
    }
    return nullptr;
}

} // namespace selectframe
