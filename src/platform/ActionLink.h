// SPDX-License-Identifier: MIT
// Menu entries that stand for an action.
#pragma once

class QAction;

namespace selectframe {

/// Makes the menu entry `entry` stand for `action`: it shows the action's
/// caption and enabled state from now on, and its visibility whenever that
/// of the action changes; choosing it triggers the action.
void linkToAction(QAction *entry, QAction *action);

} // namespace selectframe
