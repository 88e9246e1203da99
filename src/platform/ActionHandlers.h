// Execute and update handlers of actions.
#pragma once

#include <QObject>

#include <functional>
#include <unordered_map>

class QAction;

namespace selectframe {

/// The execute and update handlers of a set of actions. Executing an action
/// runs its update handler first and executes only when the action is then
/// enabled; a triggered action (by a button, a menu entry or a shortcut)
/// is executed the same way, as a reaction to input.
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

private:
    struct THandlers
    {
        THandler Execute;
        THandler Update;
    };

    std::unordered_map<QAction *, THandlers> m_handlers;
};

} // namespace selectframe
