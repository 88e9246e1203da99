// SPDX-License-Identifier: MIT
#include "ActionLink.h"

#include <QAction>

namespace selectframe {

void linkToAction(QAction *entry, QAction *action)
{
    const auto follow = [entry, action] {
        entry->setText(action->text());
        entry->setEnabled(action->isEnabled());
    };
    follow();
    entry->setVisible(action->isVisible());
    QObject::connect(action, &QAction::changed, entry, follow);
    // The menu may hide the entry on its own (a split pop-up filters its
    // entries by group), so other changes of the action leave it as it is.
    QObject::connect(action, &QAction::visibleChanged, entry,
                     [entry, action] { entry->setVisible(action->isVisible()); });
    QObject::connect(entry, &QAction::triggered, action, [action] { action->trigger(); });
}

} // namespace selectframe
