// SPDX-License-Identifier: MIT
// A popup menu that shows its entries in columns.
#pragma once

#include <QMenu>
#include <QPointer>
#include <QTimer>

#include <vector>

class QStyleOptionMenuItem;

namespace selectframe {

/// A popup menu that lays its entries out in columns: an entry marked with
/// setColumnBreak starts a new column to the right of the previous one,
/// with a bar between them. QMenu places its entries privately (its entry
/// geometry cannot be overridden) and wraps into columns only when it is
/// taller than the screen, so this menu does its own layout, painting and
/// mouse and key handling; being a QMenu, it can still be the submenu of
/// any menu and open with popup() or exec(). Up and Down move within a
/// column, Left and Right across columns (Left in the first column closes
/// a submenu, Right on an entry with a submenu opens it), Enter triggers,
/// Escape closes.
class TGridMenu : public QMenu
{
    Q_OBJECT

public:
    explicit TGridMenu(QWidget *parent = nullptr);

    /// Marks `entry` as the first of a new column, or clears the mark.
    static void setColumnBreak(QAction *entry, bool on);
    static bool isColumnBreak(const QAction *entry);

    /// Where `entry` shows, in the menu's coordinates; empty for an entry
    /// that is hidden or not in this menu.
    QRect entryRect(QAction *entry) const;
    /// The highlighted entry; null for none.
    QAction *currentEntry() const;

    QSize sizeHint() const override;

protected:
    void actionEvent(QActionEvent *event) override;
    void changeEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    /// One shown entry and its place.
    struct TCell
    {
        QAction *action;
        QRect rect;
        int column;
    };

    /// Places the shown entries, once after each change.
    void layoutCells() const;
    QStyleOptionMenuItem cellOption(const TCell &cell) const;
    int cellAt(const QPoint &pos) const;
    bool selectable(int index) const;
    /// Highlights cell `index` (-1: none); closes a submenu of another
    /// entry, and with `hover` opens the entry's own after the style's delay.
    void setCurrent(int index, bool hover);
    /// Shows the submenu of cell `index` beside it.
    void openSubmenu(int index, bool selectFirst);
    /// Closes every open menu, then triggers the entry of cell `index`.
    void activate(int index);
    /// Closes this menu and the open menus it was opened from.
    void closeAll();
    /// The open menu (other than this one) under a global point.
    QMenu *menuAt(const QPoint &globalPos) const;
    /// Hands a mouse event outside this menu to the open menu under it;
    /// returns whether there was one.
    bool forward(QMouseEvent *event) const;
    /// The cell in column `column` nearest in height to cell `from`.
    int nearestInColumn(int column, int from) const;
    /// The next selectable cell of the current column in direction `step`,
    /// wrapping around.
    int stepInColumn(int from, int step) const;

    mutable std::vector<TCell> m_cells;
    mutable std::vector<int> m_columnRights; // x of each column's right edge
    mutable QSize m_size;
    mutable bool m_dirty = true;
    int m_current = -1;
    QPointer<QMenu> m_openSubmenu;
    QTimer m_submenuTimer;
};

} // namespace selectframe
