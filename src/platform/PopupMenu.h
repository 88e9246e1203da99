// A popup menu with a pop-up event that can be detached.
#pragma once

#include <QMenu>

#include <functional>

namespace selectframe {

/// A popup menu whose pop-up event is a plain field, raised just before the
/// menu shows, so that a caller can take it off while it shows the menu for
/// a purpose of its own and put it back afterwards.
class TPopupMenu : public QMenu
{
    Q_OBJECT

public:
    using TPopupEvent = std::function<void(TPopupMenu *Sender)>;

    explicit TPopupMenu(QWidget *parent = nullptr);

    /// Shows the menu at the screen point (X, Y); returns when it closes.
    void Popup(int X, int Y);

    TPopupEvent OnPopup;
};

} // namespace selectframe
