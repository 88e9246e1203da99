// SPDX-License-Identifier: MIT
// A push button that opens a menu.
#pragma once

#include <QPointer>
#include <QPushButton>

#include <functional>

namespace selectframe {

/// A button that drops a menu down when clicked, anywhere on it. Before the
/// menu opens, the drop-down event may take over: clearing `DoDefault`
/// keeps the button from showing its menu, so the handler can show it
/// itself. The button draws a drop-down arrow while it has a menu. Space,
/// Alt+Down and F4 drop it down from the keyboard. Assistive tools see a
/// menu button: its accessible name (or else its text) as name, and a text
/// that differs from that name, such as a choice made, as value.
class TDropDownButton : public QPushButton
{
    Q_OBJECT

public:
    using TDropdownEvent = std::function<void(TDropDownButton *Sender, bool &DoDefault)>;

    explicit TDropDownButton(QWidget *parent = nullptr);

    QMenu *dropdownMenu() const { return m_menu; }
    /// The menu the button opens; null for none. The button does not own it.
    void setDropdownMenu(QMenu *menu);

    TDropdownEvent OnDropdown;

protected:
    void initStyleOption(QStyleOptionButton *option) const override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void dropDown();

    QPointer<QMenu> m_menu;
};

} // namespace selectframe
