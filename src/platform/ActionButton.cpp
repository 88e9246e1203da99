// SPDX-License-Identifier: MIT
#include "ActionButton.h"

#include <QAction>

namespace selectframe {

TActionButton::TActionButton(QWidget *parent) : QPushButton(parent)
{
    connect(this, &QPushButton::clicked, this, [this] {
        if (m_action)
            m_action->trigger();
    });
}

void TActionButton::setAction(QAction *action)
{
    disconnect(m_follow);
    m_action = action;
    if (!action)
        return;
    m_follow = connect(action, &QAction::changed, this, [this] {
        if (m_action)
            setEnabled(m_action->isEnabled());
    });
    setEnabled(action->isEnabled());
}

} // namespace selectframe
