// SPDX-License-Identifier: MIT
// Execute and update handlers of actions.
#pragma once

#include <QObject>

#include <functional>
#include <unordered_map>

class QAction;
class QMenu;

namespace selectframe {

/// The execute and update handlers of a set of actions. Executing an action
/// runs its update handler first and executes only when the action is then
/// enabled; a triggered action (by a button, a menu entry or a shortcut)
/// is executed the same way, as a reaction to input. Every update handler
/// also runs once the event loop has worked off a burst of input or an
/// execution (see RequestUpdate), so what the actions show follows the
/// state without anyone executing them.
class TActionHandlers : public QObject
{
    Q_OBJECT

public:
    /// A handler; `Sender` is the action.
    using THandler = std::function<void(QObject *Sender)>;

    explicit TActionHandlers(QObject *parent = nullptr);

    /// Sets the handlers of `action` (the update handler may be empty) and
    /// executes it whenever it is triggered.
    void bind(QAction *action, THandler onExecute, THandler onUpdate = {});
    /// Runs the update handler of `action`, then, if the action is enabled,
    /// its execute handler. Returns whether it executed. Exceptions of the
    /// handlers reach the caller.
    bool Execute(QAction *action);
    /// Runs the update handler of `action`, if it has one. Exceptions reach
    /// the caller.
    void Update(QAction *action);
    /// Runs every update handler. Exceptions are caught and reported: this
    /// runs from the event loop.
    void UpdateAll();
    /// Has UpdateAll run before `menu` shows, so its entries are up to date
    /// when the user sees them.
    void UpdateBeforeShowing(QMenu *menu);
    /// Has UpdateAll run when the events queued now are done; requests made
    /// meanwhile are one. Input to the application and every execution
    /// request it on their own; so may any change of state.
    void RequestUpdate();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct THandlers
    {
        THandler Execute;
        THandler Update;
    };

    std::unordered_map<QAction *, THandlers> m_handlers;
    bool m_updatePending = false;
};

} // namespace selectframe
