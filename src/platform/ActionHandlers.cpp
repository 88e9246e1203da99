// SPDX-License-Identifier: MIT
#include "ActionHandlers.h"

#include "GuardedCall.h"

#include <utility>
#include <vector>

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QMenu>
#include <QTimer>

namespace selectframe {

TActionHandlers::TActionHandlers(QObject *parent) : QObject(parent)
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->installEventFilter(this);
}

bool TActionHandlers::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        RequestUpdate();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void TActionHandlers::RequestUpdate()
{
    // A zero timer runs after what is queued: one run per burst, and as an
    // unchanged state changes nothing, the handlers never keep the loop
    // busy.
    if (std::exchange(m_updatePending, true))
        return;
    QTimer::singleShot(0, this, [this] {
        m_updatePending = false;
        UpdateAll();
    });
}

void TActionHandlers::UpdateAll()
{
    // Copies: a handler may bind anew while it runs.
    std::vector<std::pair<QAction *, THandler>> updates;
    for (const auto &[action, handlers] : m_handlers)
        if (handlers.Update)
            updates.emplace_back(action, handlers.Update);
    for (const auto &[action, update] : updates) {
        const QByteArray what = action->objectName().toUtf8();
        runGuarded(what.constData(), [&update = update, action = action] { update(action); });
    }
}

void TActionHandlers::UpdateBeforeShowing(QMenu *menu)
{
    connect(menu, &QMenu::aboutToShow, this, &TActionHandlers::UpdateAll);
}

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

void TActionHandlers::Update(QAction *action)
{
    const auto found = m_handlers.find(action);
    if (found == m_handlers.end() || !found->second.Update)
        return;
    // A copy: a handler may bind anew while it runs.
    const THandler update = found->second.Update;
    update(action);
}

bool TActionHandlers::Execute(QAction *action)
{
    Update(action);
    const auto found = m_handlers.find(action);
    if (found == m_handlers.end() || !found->second.Execute || !action->isEnabled())
        return false;
    // A copy: a handler may bind anew while it runs.
    const THandler execute = found->second.Execute;
    RequestUpdate();
    execute(action);
    return true;
}

} // namespace selectframe
