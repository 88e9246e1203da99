// SPDX-License-Identifier: MIT
#include "FavoritesManager.h"

#include "hub/Enumerators.h"
#include "hub/SelectFavorite.h"
#include "platform/CommaText.h"

#include <mutex>

namespace selectframe {

TFavoritesManager::TFavoritesManager() : List(new TInterfaceList)
{}

int32_t TFavoritesManager::indexOf(const QString &Name, IPtr<ISelectFavorite> *Favorite) const
{
    const int32_t count = List->count();
    QString name;
    for (int32_t i = 0; i < count; ++i) {
        IPtr<ISelectFavorite> candidate = List->at(i).query<ISelectFavorite>();
        candidate->GetName(&name);
        if (name == Name) {
            *Favorite = std::move(candidate);
            return i;
        }
    }
    Favorite->reset();
    return -1;
}

void TFavoritesManager::Load(const QStringList &Source)
{
    std::lock_guard guard(*List);
    List->clear();
    for (const QString &line : Source) {
        // The name ends at the first '='; a line without one is all name.
        const qsizetype separator = line.indexOf(u'=');
        IPtr<TSelectFavorite> favorite(new TSelectFavorite(line.left(separator)));
        if (separator >= 0)
            *favorite->GetItems() = splitCommaText(QStringView(line).mid(separator + 1));
        List->add(favorite.get());
    }
}

void TFavoritesManager::Save(QStringList *Target)
{
    if (!Target)
        return;
    Target->clear();
    IPtr<IFavoritesEnumerator> favorites;
    GetEnumerator(favorites.put());
    IPtr<ISelectFavorite> favorite;
    QString name;
    while (favorites->MoveNext()) {
        favorites->GetCurrent(favorite.put());
        favorite->GetName(&name);
        Target->append(name + u'=' + joinCommaText(*favorite->GetItems()));
    }
}

void TFavoritesManager::Assign(IFavoritesManager *Source)
{
    if (!Source || Source == static_cast<IFavoritesManager *>(this))
        return;
    IPtr<IFavoritesEnumerator> favorites;
    Source->GetEnumerator(favorites.put());
    IPtr<ISelectFavorite> favorite;
    QString name;
    std::lock_guard guard(*List);
    List->clear();
    while (favorites->MoveNext()) {
        favorites->GetCurrent(favorite.put());
        favorite->GetName(&name);
        IPtr<TSelectFavorite> copy(new TSelectFavorite(name));
        *copy->GetItems() = *favorite->GetItems();
        List->add(copy.get());
    }
}

void TFavoritesManager::Find(const QString &Name, ISelectFavorite **Favorite)
{
    IPtr<ISelectFavorite> found;
    std::lock_guard guard(*List);
    indexOf(Name, &found);
    *Favorite = found.detach();
}

void TFavoritesManager::Add(const QString &Name, ISelectFavorite **Favorite)
{
    IPtr<ISelectFavorite> found;
    std::lock_guard guard(*List);
    if (indexOf(Name, &found) < 0) {
        found = IPtr<ISelectFavorite>(new TSelectFavorite(Name));
        List->add(found.get());
    }
    *Favorite = found.detach();
}

void TFavoritesManager::Remove(const QString &Name)
{
    IPtr<ISelectFavorite> found;
    std::lock_guard guard(*List);
    List->removeAt(indexOf(Name, &found));
}

void TFavoritesManager::GetEnumerator(IFavoritesEnumerator **Enumerator)
{
    *Enumerator = IPtr<IFavoritesEnumerator>(new TFavoritesEnumerator(List.get())).detach();
}

void TFavoritesManager::Clear()
{
    List->clear();
}

} // namespace selectframe
