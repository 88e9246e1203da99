// SPDX-License-Identifier: MIT
#include "FavoritesVirtualTree.h"

#include "hub/FrameManager.h"
#include "intf/FrameConsts.h"
#include "trees/TextCell.h"

namespace selectframe {

TFavoritesVirtualTree::TFavoritesVirtualTree(TFrameManager *AFrameManager) : FrameManager(AFrameManager)
{}

void TFavoritesVirtualTree::InitSlices(TVirtualNode, TSlices *Slices)
{
    InitTextCell(Slices);
}

void TFavoritesVirtualTree::FillSlices(TVirtualNode Node, TSlices *Slices)
{
    const TFavoriteNode *record = recordOf(Node);
    if (!record)
        return;
    QString name;
    record->Favorite->GetName(&name);
    FillTextCell(Slices, name);
}

int TFavoritesVirtualTree::compare(TVirtualNode, TVirtualNode, int, TSortType)
{
    return 0;
}

void TFavoritesVirtualTree::Rebuild()
{
    clear();
    Favorites.Clear();
    BuildTree();
}

void TFavoritesVirtualTree::BuildTree()
{
    IPtr<IFavoritesEnumerator> favorites;
    FrameManager->Favorites()->GetEnumerator(favorites.put());
    IPtr<ISelectFavorite> favorite;
    QString name;
    while (favorites->MoveNext()) {
        favorites->GetCurrent(favorite.put());
        favorite->GetName(&name);
        if (name != EmbeddedFavoritesName())
            addRow(Favorites.Add(favorite.get()));
    }
}

TVirtualNode TFavoritesVirtualTree::addRow(TFavoriteNode *Record)
{
    const TVirtualNode node = New(Record, 0);
    add(Root(), node, ltLastChild);
    return node;
}

void TFavoritesVirtualTree::AddFavorite(const QString &Name, TVirtualNode &Node)
{
    if (TFavoriteNode *existing = Favorites.FindByName(Name)) {
        Node = getItem(existing);
        return;
    }
    IPtr<ISelectFavorite> favorite;
    FrameManager->Favorites()->Add(Name, favorite.put());
    Node = addRow(Favorites.Add(favorite.get()));
}

void TFavoritesVirtualTree::RenameFavorite(const QString &NewName, TVirtualNode &Node)
{
    TFavoriteNode *record = recordOf(Node);
    if (!record)
        return;
    TFavoriteNode *other = Favorites.FindByName(NewName);
    if (other && other != record)
        Node = getItem(other);
    else
        record->Favorite->SetName(NewName);
}

void TFavoritesVirtualTree::DeleteFavorite(TVirtualNode Node)
{
    TFavoriteNode *record = recordOf(Node);
    if (!record)
        return;
    QString name;
    record->Favorite->GetName(&name);
    FrameManager->Favorites()->Remove(name);
    // The row goes before its record: a node never names freed data.
    remove(Node);
    Favorites.Remove(record);
}

} // namespace selectframe
