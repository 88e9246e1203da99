#include "DropDownButton.h"

#include "GuardedCall.h"

#include <QMenu>
#include <QStyleOptionButton>

namespace selectframe {

TDropDownButton::TDropDownButton(QWidget *parent) : QPushButton(parent)
{
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

void TDropDownButton::dropDown()
{
    bool doDefault = true;
    if (OnDropdown)
        OnDropdown(this, doDefault);
    if (doDefault && m_menu)
        m_menu->exec(mapToGlobal(QPoint(0, height())));
}

} // namespace selectframe
