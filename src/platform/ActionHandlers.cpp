#include "ActionHandlers.h"

#include "GuardedCall.h"

#include <QAction>

namespace selectframe {

TActionHandlers::TActionHandlers(QObject *parent) : QObject(parent) {}

void TActionHandlers::bind(QAction *action, THandler onExecute, THandler onUpdate)
{
    const bool known = m_handlers.count(action) != 0;
    m_handlers[action] = THandlers{std::move(onExecute), std::move(onUpdate)};
    if (known)
        return;
    connect(action, &QAction::triggered, this, [this, action] {
        const QByteArray what = action->objectName().toUtf8();
        runGuarded(what.constData(), [this, action] { Execute(action); });
    });
    connect(action, &QObject::destroyed, this, [this, action] { m_handlers.erase(action); });
}

bool TActionHandlers::Execute(QAction *action)
{
    const auto found = m_handlers.find(action);
    if (found == m_handlers.end())
        return false;
    // Copies: a handler may bind anew while it runs.
    const THandlers handlers = found->second;
    if (handlers.Update)
        handlers.Update(action);
    if (!action->isEnabled() || !handlers.Execute)
        return false;
    handlers.Execute(action);
    return true;
}

} // namespace selectframe
