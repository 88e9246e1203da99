#include "PopupMenu.h"

#include "GuardedCall.h"

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

} // namespace selectframe
