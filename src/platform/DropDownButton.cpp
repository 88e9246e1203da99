// SPDX-License-Identifier: MIT
#include "DropDownButton.h"

#include "GuardedCall.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMenu>
#include <QStyleOptionButton>

namespace selectframe {

namespace {

/// What assistive tools see of a drop-down button.
class TDropDownButtonAccessible : public QAccessibleWidget
{
public:
    explicit TDropDownButtonAccessible(TDropDownButton *button) : QAccessibleWidget(button, QAccessible::ButtonMenu) {}

    TDropDownButton *button() const { return static_cast<TDropDownButton *>(widget()); }

    bool hasPopup() const { return button()->dropdownMenu() || button()->OnDropdown; }

    QAccessible::Role role() const override { return hasPopup() ? QAccessible::ButtonMenu : QAccessible::Button; }

    QString text(QAccessible::Text t) const override
    {
        const QString shown = QString(button()->text()).remove(u'&');
        const QString name = button()->accessibleName();
        switch (t) {
        case QAccessible::Name:
            return name.isEmpty() ? shown : name;
        case QAccessible::Value:
            return name.isEmpty() || shown == name ? QString() : shown;
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.hasPopup = hasPopup();
        s.pressed = button()->isDown();
        return s;
    }

    QStringList actionNames() const override { return QStringList{showMenuAction(), pressAction()}; }

    void doAction(const QString &action) override
    {
        if (action == showMenuAction() || action == pressAction())
            button()->click();
    }
};

QAccessibleInterface *accessibleFactory(const QString &className, QObject *object)
{
    if (className != QLatin1String(TDropDownButton::staticMetaObject.className()))
        return nullptr;
    return new TDropDownButtonAccessible(static_cast<TDropDownButton *>(object));
}

/// Registered once the first button is made, taken out again when the
/// library goes: a host may unload the plug-in and keep using Qt.
struct TAccessibleRegistration
{
    TAccessibleRegistration() { QAccessible::installFactory(accessibleFactory); }
    ~TAccessibleRegistration() { QAccessible::removeFactory(accessibleFactory); }
};

} // namespace

TDropDownButton::TDropDownButton(QWidget *parent) : QPushButton(parent)
{
    static const TAccessibleRegistration registration;
    connect(this, &QPushButton::clicked, this, [this] { runGuarded("drop-down", [this] { dropDown(); }); });
}

void TDropDownButton::setDropdownMenu(QMenu *menu)
{
    m_menu = menu;
    update();
}

void TDropDownButton::initStyleOption(QStyleOptionButton *option) const
{
    QPushButton::initStyleOption(option);
    if (m_menu)
        option->features |= QStyleOptionButton::HasMenu;
}

void TDropDownButton::keyPressEvent(QKeyEvent *event)
{
    const bool altDown = event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier);
    if (altDown || (event->key() == Qt::Key_F4 && event->modifiers() == Qt::NoModifier)) {
        event->accept();
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void TDropDownButton::dropDown()
{
    bool doDefault = true;
    if (OnDropdown)
        OnDropdown(this, doDefault);
    if (doDefault && m_menu)
        m_menu->exec(mapToGlobal(QPoint(0, height())));
}

} // namespace selectframe
