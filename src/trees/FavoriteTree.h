// SPDX-License-Identifier: MIT
// The records of the favorites list.
#pragma once

#include <selectframe/Interfaces.h>

#include <QString>

#include <memory>
#include <vector>

namespace selectframe {

/// The data of one row of the favorites list: the favorite it shows.
struct TFavoriteNode
{
    explicit TFavoriteNode(ISelectFavorite *AFavorite) : Favorite(AFavorite) {}

    const IPtr<ISelectFavorite> Favorite;
};

/// The records of the favorites list in creation order; owns them. A row's
/// node carries its record as data, so a record lives as long as its row.
class TFavoriteTree
{
public:
    /// A new record for `Favorite`, appended.
    TFavoriteNode *Add(ISelectFavorite *Favorite);
    void Clear() { Nodes.clear(); }
    /// Takes `Node` out and destroys it; an unknown record is ignored.
    void Remove(TFavoriteNode *Node);
    /// The first record whose favorite is named `Name`, letter case not
    /// counting; null when there is none.
    TFavoriteNode *FindByName(const QString &Name) const;

    std::vector<std::unique_ptr<TFavoriteNode>> Nodes;
};

} // namespace selectframe
