// SPDX-License-Identifier: MIT
// Favorites lines: whatever a host loads, saving and loading again gives
// the same favorites, so nothing the user made changes across a restart.
#include "FuzzInput.h"

#include "hub/FavoritesManager.h"

#include <selectframe/Base.h>

using namespace selectframe;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    const QStringList lines = fuzz::lines(Data, Size);
    IPtr<TFavoritesManager> first(new TFavoritesManager);
    first->Load(lines);
    QStringList saved;
    first->Save(&saved);
    IPtr<TFavoritesManager> second(new TFavoritesManager);
    second->Load(saved);
    QStringList again;
    second->Save(&again);
    FUZZ_CHECK(again == saved);
    // Every line is a favorite, even one without a name.
    FUZZ_CHECK(saved.size() == lines.size());
    return 0;
}
