// SPDX-License-Identifier: MIT
// The favorites of a frame and their exchange format.
#pragma once

#include "platform/InterfaceList.h"

namespace selectframe {

/// The list of a frame's favorites in insertion order, looked up by exact
/// name. Saved and loaded as one line per favorite: the name, '=', and the
/// comma text of its IDs. A name holding '=' does not survive a save and
/// load: the loaded name ends at its first '='.
class TFavoritesManager final : public TInterfacedObject<IDataStorage, IFavoritesManager>
{
public:
    TFavoritesManager();

    // IDataStorage
    void SF_CALL Load(const QStringList &Source) override;
    void SF_CALL Save(QStringList *Target) override;

    /// Replaces the favorites with copies of `Source`'s, in its order,
    /// duplicates and every name kept (no line format in between). The ID
    /// lists are shared until either side changes them, so this costs one
    /// step per favorite, however many IDs they hold.
    void Assign(IFavoritesManager *Source);

    // IFavoritesManager
    void SF_CALL Find(const QString &Name, ISelectFavorite **Favorite) override;
    void SF_CALL Add(const QString &Name, ISelectFavorite **Favorite) override;
    void SF_CALL Remove(const QString &Name) override;
    void SF_CALL GetEnumerator(IFavoritesEnumerator **Enumerator) override;
    void SF_CALL Clear() override;

private:
    ~TFavoritesManager() override = default;

    /// Position of the first favorite named `Name` and the favorite itself;
    /// -1 and empty when there is none. The caller holds the list's lock.
    int32_t indexOf(const QString &Name, IPtr<ISelectFavorite> *Favorite) const;

    IPtr<TInterfaceList> List;
};

} // namespace selectframe
