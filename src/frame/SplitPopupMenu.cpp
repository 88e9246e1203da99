// SPDX-License-Identifier: MIT
#include "SplitPopupMenu.h"

#include <QAction>

namespace selectframe {

void TSplitPopupMenu::UpdateItems(uint8_t Group)
{
    if (Group > 2)
        return;
    for (QAction *entry : actions())
        entry->setVisible(Group == mgAll || entry->data().toInt() == Group);
}

} // namespace selectframe
