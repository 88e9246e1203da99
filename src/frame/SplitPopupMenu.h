// SPDX-License-Identifier: MIT
// The check menu, shared by the check button, the favorites button and the
// tree's context menu.
#pragma once

#include "platform/PopupMenu.h"

#include <cstdint>

namespace selectframe {

/// The groups of the check menu's top-level entries, as their tags.
enum TMenuGroup : uint8_t {
    mgAll = 0,       // for UpdateItems: every entry
    mgCheck = 1,     // check all, check by a column's value
    mgFavorites = 2, // the favorites and organizing them
};

/// A popup menu whose top-level entries belong to groups: an entry's group
/// is its tag, the integer held as its action's data (1: check entries,
/// 2: favorites entries). Each place that opens the menu shows one group,
/// or all of them.
class TSplitPopupMenu : public TPopupMenu
{
    Q_OBJECT

public:
    using TPopupMenu::TPopupMenu;

    /// Group 0 shows every top-level entry; group 1 or 2 shows exactly the
    /// entries of that group; any other group changes nothing. Submenus
    /// keep their content as it is.
    void UpdateItems(uint8_t Group);
};

} // namespace selectframe
