#include "ActionLink.h"

#include <QAction>

namespace selectframe {

void linkToAction(QAction *entry, QAction *action)
{
    const auto follow = [entry, action] {
        entry->setText(action->text());
        entry->setEnabled(action->isEnabled());
        entry->setVisible(action->isVisible());
    };
    follow();
    QObject::connect(action, &QAction::changed, entry, follow);
    QObject::connect(entry, &QAction::triggered, action, [action] { action->trigger(); });
}

} // namespace selectframe
