// SPDX-License-Identifier: MIT
// A popup menu with a pop-up event that can be detached.
#pragma once

#include <QMenu>

#include <functional>
#include <stdexcept>

namespace selectframe {

/// An index that names no entry of a menu. A runtime error: it propagates
/// unchanged.
class EMenuError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

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
    /// The same with the pop-up event off while the menu shows: the caller
    /// has prepared the entries itself. The event is back afterwards, also
    /// when showing fails.
    void PopupQuietly(int X, int Y);
    /// The top-level entry at `Index`; throws EMenuError when there is none.
    QAction *Items(int Index) const;

    TPopupEvent OnPopup;
};

} // namespace selectframe
