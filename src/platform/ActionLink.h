// Menu entries that stand for an action.
#pragma once

class QAction;

namespace selectframe {

/// Makes the menu entry `entry` stand for `action`: it shows the action's
/// caption, enabled state and visibility from now on, and choosing it
/// triggers the action.
void linkToAction(QAction *entry, QAction *action);

} // namespace selectframe
