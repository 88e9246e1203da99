// SPDX-License-Identifier: MIT
// Who hears about structural changes of a node store.
#pragma once

namespace selectframe {

/// Told by a node store when its structure changes, so a view over it can
/// catch up: `storeChanged` after rows were added, removed, hidden, shown or
/// reordered (the store keeps the affected child lists marked until
/// relaid), and the pair around `clear`.
class TNodeStoreObserver
{
public:
    virtual void storeChanged() = 0;
    virtual void storeAboutToClear() = 0;
    virtual void storeCleared() = 0;

protected:
    ~TNodeStoreObserver() = default;
};

} // namespace selectframe
