// SPDX-License-Identifier: MIT
// The row adapter of the favorites list.
#pragma once

#include "platform/tree/TBaseVirtualTree.h"
#include "trees/FavoriteTree.h"

namespace selectframe {

class TFrameManager;

/// One flat row per favorite of a frame manager (but the embedded one), in
/// the favorites' enumeration order, showing the favorite's name as it is at each paint.
/// Also edits the list for the favorites dialog: the dialog calls the edits
/// inside a tree update and focuses the row they hand back. Every pair of
/// rows compares equal, so a sort keeps them in that order.
class TFavoritesVirtualTree : public TBaseVirtualTree
{
public:
    /// An empty list over `FrameManager`, which it does not own.
    explicit TFavoritesVirtualTree(TFrameManager *FrameManager);

    void FillSlices(TVirtualNode Node, TSlices *Slices) override;
    void InitSlices(TVirtualNode Node, TSlices *Slices) override;
    int compare(TVirtualNode Node1, TVirtualNode Node2, int Column, TSortType SortType) override;

    /// `Node` := the row of the favorite named `Name` (letter case not
    /// counting); when there is none, a new empty favorite of that name is
    /// made and its row appended.
    void AddFavorite(const QString &Name, TVirtualNode &Node);
    /// Renames the favorite of the row `Node` to `NewName`; when another
    /// favorite already bears that name (letter case not counting), `Node`
    /// := that favorite's row instead and no name changes.
    void RenameFavorite(const QString &NewName, TVirtualNode &Node);
    /// Deletes the favorite of the row `Node` from the favorites and the
    /// row from the list.
    void DeleteFavorite(TVirtualNode Node);
    /// Drops every row and record and builds them again.
    void Rebuild();

    /// The record of `Node`; null for the root.
    TFavoriteNode *recordOf(TVirtualNode Node) const { return static_cast<TFavoriteNode *>(getData(Node)); }

    TFrameManager *const FrameManager;
    TFavoriteTree Favorites;

private:
    void BuildTree();
    /// A row for `Record`, appended as the last one.
    TVirtualNode addRow(TFavoriteNode *Record);
};

} // namespace selectframe
