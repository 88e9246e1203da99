// SPDX-License-Identifier: MIT
// How an item reaches the tree row that shows it.
#pragma once

#include <selectframe/Interfaces.h>

#include <QStringView>

namespace selectframe {

/// What an item needs from the tree that shows it. The item keeps only its
/// node pointer and never looks inside it; the tree that built the node
/// answers for it.
struct IFrameItemRowOps
{
    /// Whether the row's item object is checked.
    virtual bool rowChecked(TSelectFrameNode *node) = 0;
    /// Sets the state of the row's item object and nothing else: no repaint,
    /// no group update, no change notification.
    virtual void setRowChecked(TSelectFrameNode *node, bool checked) = 0;
    /// Re-styles the row's action-link cell after the item's values changed.
    virtual void refreshRow(TSelectFrameNode *node) = 0;
    /// The item's caption (`valueName` empty) or its value `valueName`
    /// changed: whatever the rows showing it keep of its texts may be out of
    /// date.
    virtual void rowTextChanged(TSelectFrameNode *node, QStringView valueName) = 0;

protected:
    ~IFrameItemRowOps() = default;
};

/// Maps a node to the row operations of the tree that owns it; null when
/// it knows none.
using TFrameItemRowOpsResolver = IFrameItemRowOps *(*)(TSelectFrameNode *node);

/// Installs the resolver (null removes it). The tree layer installs it
/// before it attaches a node to any item; without one, an item with a node
/// behaves like one without.
void setFrameItemRowOpsResolver(TFrameItemRowOpsResolver resolver);

/// The row operations for `node` through the installed resolver; null when
/// `node` is null or nothing answers for it.
IFrameItemRowOps *frameItemRowOps(TSelectFrameNode *node);

} // namespace selectframe
