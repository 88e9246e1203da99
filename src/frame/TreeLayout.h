// SPDX-License-Identifier: MIT
// The remembered sort keys and column widths of a frame's tree.
#pragma once

#include <selectframe/Interfaces.h>

#include <QString>

namespace selectframe {

class TCustomTree;

/// Saves and restores how the user left a tree, per user and per place of
/// use: the sort keys and the column widths, under the settings key that
/// "option://ui" names ("%d=%d" comma text of column identifier and sort
/// type, or of column identifier and width). Nothing is read or written
/// while that option is empty, and a store that refuses changes nothing.
/// Widths are applied by the item model when it builds its columns.
class TTreeLayout
{
public:
    TTreeLayout(INamedParams *Options, TCustomTree *Tree);

    /// Writes both values; never throws for a store that refuses.
    void SaveTreeLayout();
    /// Applies the remembered sort; false when there was none to apply.
    bool LoadTreeSort();

    /// The sort keys in key order; empty for an unsorted tree.
    QString GetSortText() const;
    /// The columns' widths in display order.
    QString GetWidthText() const;
    /// Sorts the whole tree by the keys in `Text`, skipping entries that do
    /// not parse or name no column; false when no key had a sort type.
    bool ApplySortText(const QString &Text);

private:
    INamedParams *FOptions;
    TCustomTree *FTree;
};

} // namespace selectframe
