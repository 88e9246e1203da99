// SPDX-License-Identifier: MIT
// A push button bound to an action.
#pragma once

#include <QPointer>
#include <QPushButton>

class QAction;

namespace selectframe {

/// A button that runs its action when clicked and is enabled exactly when
/// the action is. Its caption and image stay its own.
class TActionButton : public QPushButton
{
    Q_OBJECT

public:
    explicit TActionButton(QWidget *parent = nullptr);

    QAction *action() const { return m_action; }
    /// Binds the button to `action`, dropping the previous one; null unbinds.
    void setAction(QAction *action);

private:
    QPointer<QAction> m_action;
    QMetaObject::Connection m_follow;
};

} // namespace selectframe
