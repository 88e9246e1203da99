// SPDX-License-Identifier: MIT
// Favorites lines: whatever a host loads, saving and loading again gives
// the same favorites, so nothing the user made changes across a restart.
#include "FuzzInput.h"

#include "hub/FavoritesManager.h"

FUZZ_TARGET(in)
{
    QStringList saved, again;
    const IPtr<TFavoritesManager> first(new TFavoritesManager), second(new TFavoritesManager);
    first->Load(in.lines);
    first->Save(&saved);
    second->Load(saved);
    second->Save(&again);
    FUZZ_CHECK(again == saved);
    // Every line is a favorite, even one without a name.
    FUZZ_CHECK(saved.size() == in.lines.size());
}
