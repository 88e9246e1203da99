// SPDX-License-Identifier: MIT
#include "PopupMenu.h"

#include "GuardedCall.h"

#include <QScopeGuard>

#include <string>
#include <utility>

namespace selectframe {

TPopupMenu::TPopupMenu(QWidget *parent) : QMenu(parent)
{
    connect(this, &QMenu::aboutToShow, this, [this] {
        if (OnPopup)
            runGuarded("menu pop-up", [this] { OnPopup(this); });
    });
}

void TPopupMenu::Popup(int X, int Y)
{
    exec(QPoint(X, Y));
}

void TPopupMenu::PopupQuietly(int X, int Y)
{
    TPopupEvent onPopup = std::exchange(OnPopup, nullptr);
    const auto reattach = qScopeGuard([&] { OnPopup = std::move(onPopup); });
    Popup(X, Y);
}

QAction *TPopupMenu::Items(int Index) const
{
    const QList<QAction *> entries = actions();
    if (Index < 0 || Index >= entries.size())
        throw EMenuError("Menu index out of range: " + std::to_string(Index) +
                         (entries.isEmpty() ? std::string(" (the menu is empty)")
                                            : " (entries 0 to " + std::to_string(entries.size() - 1) + ")"));
    return entries[Index];
}

} // namespace selectframe
