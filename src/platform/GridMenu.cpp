// SPDX-License-Identifier: MIT
#include "GridMenu.h"

#include <QActionEvent>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionMenuItem>

#include <algorithm>
#include <cstdlib>

namespace selectframe {

namespace {

constexpr char ColumnBreakProperty[] = "columnBreak";

/// The room between two columns, with the bar in its middle.
int columnGap(const QWidget *menu)
{
    return 2 * menu->style()->pixelMetric(QStyle::PM_MenuHMargin, nullptr, menu) + 5;
}

} // namespace

TGridMenu::TGridMenu(QWidget *parent) : QMenu(parent)
{
    m_submenuTimer.setSingleShot(true);
    connect(&m_submenuTimer, &QTimer::timeout, this, [this] {
        if (m_current >= 0)
            openSubmenu(m_current, false);
    });
    // The style's metrics of the moment count, and a menu opens with no
    // entry of its own highlighted.
    connect(this, &QMenu::aboutToShow, this, [this] {
        m_dirty = true;
        m_current = -1;
    });
}

void TGridMenu::setColumnBreak(QAction *entry, bool on)
{
    entry->setProperty(ColumnBreakProperty, on);
    for (QObject *owner : entry->associatedObjects())
        if (auto *menu = qobject_cast<TGridMenu *>(owner)) {
            menu->m_dirty = true;
            menu->update();
        }
}

bool TGridMenu::isColumnBreak(const QAction *entry)
{
    return entry->property(ColumnBreakProperty).toBool();
}

QRect TGridMenu::entryRect(QAction *entry) const
{
    layoutCells();
    for (const TCell &cell : m_cells)
        if (cell.action == entry)
            return cell.rect;
    return QRect();
}

QAction *TGridMenu::currentEntry() const
{
    if (m_current >= 0)
        return m_cells[size_t(m_current)].action;
    // A parent menu opening this one from the keyboard highlights the first
    // entry through QMenu's own state.
    return activeAction();
}

QSize TGridMenu::sizeHint() const
{
    layoutCells();
    return m_size;
}

void TGridMenu::layoutCells() const
{
    if (!m_dirty)
        return;
    m_dirty = false;
    m_cells.clear();
    m_columnRights.clear();
    const QStyle *st = style();
    const int frame = st->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, this);
    const int hMargin = st->pixelMetric(QStyle::PM_MenuHMargin, nullptr, this);
    const int vMargin = st->pixelMetric(QStyle::PM_MenuVMargin, nullptr, this);
    const int gap = columnGap(this);
    const int top = frame + vMargin;

    // Entry sizes as QMenu measures them; a column is as wide as its widest
    // entry.
    std::vector<QSize> sizes;
    std::vector<int> widths;
    int column = -1;
    for (QAction *action : actions()) {
        if (!action->isVisible())
            continue;
        if (column < 0 || isColumnBreak(action)) {
            ++column;
            widths.push_back(0);
        }
        QStyleOptionMenuItem option;
        initStyleOption(&option, action);
        QSize contents(2, 2);
        if (!action->isSeparator()) {
            const QString text = option.text.section(u'\t', 0, 0);
            const int flags = Qt::TextSingleLine | Qt::TextShowMnemonic;
            const QFontMetrics &metrics = option.fontMetrics;
            contents = QSize(metrics.boundingRect(QRect(), flags, text).width(), metrics.height());
        }
        const QSize size = st->sizeFromContents(QStyle::CT_MenuItem, &option, contents, this);
        widths.back() = std::max(widths.back(), size.width());
        sizes.push_back(size);
        m_cells.push_back(TCell{action, QRect(), column});
    }

    int x = frame + hMargin;
    int y = top;
    int bottom = top;
    for (size_t i = 0; i < m_cells.size(); ++i) {
        TCell &cell = m_cells[i];
        if (i > 0 && cell.column != m_cells[i - 1].column) {
            x = m_columnRights.back() + gap;
            y = top;
        }
        const int width = widths[size_t(cell.column)];
        cell.rect = QRect(x, y, width, sizes[i].height());
        y += sizes[i].height();
        bottom = std::max(bottom, y);
        if (int(m_columnRights.size()) == cell.column)
            m_columnRights.push_back(x + width);
    }
    const int right = m_columnRights.empty() ? x : m_columnRights.back();
    m_size = QSize(right + hMargin + frame, bottom + vMargin + frame);
}

QStyleOptionMenuItem TGridMenu::cellOption(const TCell &cell) const
{
    QStyleOptionMenuItem option;
    initStyleOption(&option, cell.action);
    option.state &= ~QStyle::State_Selected;
    if (cell.action == currentEntry() && !cell.action->isSeparator())
        option.state |= QStyle::State_Selected;
    option.rect = cell.rect;
    option.menuRect = rect();
    return option;
}

int TGridMenu::cellAt(const QPoint &pos) const
{
    layoutCells();
    for (size_t i = 0; i < m_cells.size(); ++i)
        if (m_cells[i].rect.contains(pos))
            return int(i);
    return -1;
}

bool TGridMenu::selectable(int index) const
{
    if (index < 0 || index >= int(m_cells.size()))
        return false;
    const QAction *action = m_cells[size_t(index)].action;
    return !action->isSeparator() && action->isEnabled();
}

void TGridMenu::setCurrent(int index, bool hover)
{
    // From now on this menu's own highlight counts, not the one a parent
    // menu gave it.
    if (activeAction())
        setActiveAction(nullptr);
    if (index != m_current) {
        m_current = index;
        update();
    }
    m_submenuTimer.stop();
    QMenu *submenu = index >= 0 ? m_cells[size_t(index)].action->menu() : nullptr;
    if (m_openSubmenu && m_openSubmenu != submenu)
        m_openSubmenu->hide();
    if (hover && submenu && selectable(index) && !submenu->isVisible())
        m_submenuTimer.start(style()->styleHint(QStyle::SH_Menu_SubMenuPopupDelay, nullptr, this));
}

void TGridMenu::openSubmenu(int index, bool selectFirst)
{
    m_submenuTimer.stop();
    QMenu *submenu = m_cells[size_t(index)].action->menu();
    if (!submenu || !selectable(index))
        return;
    if (!submenu->isVisible()) {
        m_openSubmenu = submenu;
        submenu->popup(mapToGlobal(QPoint(width(), m_cells[size_t(index)].rect.top())));
    }
    if (!selectFirst)
        return;
    if (auto *grid = qobject_cast<TGridMenu *>(submenu)) {
        grid->layoutCells();
        grid->setCurrent(grid->nearestInColumn(0, -1), false);
        return;
    }
    for (QAction *action : submenu->actions())
        if (action->isVisible() && !action->isSeparator() && action->isEnabled()) {
            submenu->setActiveAction(action);
            break;
        }
}

void TGridMenu::activate(int index)
{
    QPointer<QAction> action = m_cells[size_t(index)].action;
    // A chosen entry closes its menu and every menu it was opened from.
    closeAll();
    if (action)
        action->trigger();
}

void TGridMenu::closeAll()
{
    hide();
    while (QMenu *open = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
        if (!open->isVisible())
            break;
        open->hide();
    }
}

QMenu *TGridMenu::menuAt(const QPoint &globalPos) const
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        auto *menu = qobject_cast<QMenu *>(window);
        if (menu && menu != this && menu->isVisible() && menu->geometry().contains(globalPos))
            return menu;
    }
    return nullptr;
}

bool TGridMenu::forward(QMouseEvent *event) const
{
    QMenu *target = menuAt(event->globalPosition().toPoint());
    if (!target)
        return false;
    QMouseEvent copy(event->type(), target->mapFromGlobal(event->globalPosition()), event->globalPosition(),
                     event->button(), event->buttons(), event->modifiers());
    QCoreApplication::sendEvent(target, &copy);
    return true;
}

void TGridMenu::actionEvent(QActionEvent *event)
{
    QMenu::actionEvent(event);
    m_dirty = true;
    m_current = -1;
}

void TGridMenu::changeEvent(QEvent *event)
{
    QMenu::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        m_dirty = true;
}

void TGridMenu::hideEvent(QHideEvent *event)
{
    m_submenuTimer.stop();
    if (m_openSubmenu)
        m_openSubmenu->hide();
    m_current = -1;
    QMenu::hideEvent(event);
}

void TGridMenu::paintEvent(QPaintEvent *)
{
    layoutCells();
    QPainter painter(this);
    QStyle *st = style();
    QStyleOptionMenuItem panel;
    panel.initFrom(this);
    panel.state = QStyle::State_None;
    panel.rect = rect();
    panel.menuRect = rect();
    st->drawPrimitive(QStyle::PE_PanelMenu, &panel, &painter, this);
    panel.menuItemType = QStyleOptionMenuItem::EmptyArea;
    st->drawControl(QStyle::CE_MenuEmptyArea, &panel, &painter, this);

    for (const TCell &cell : m_cells) {
        const QStyleOptionMenuItem option = cellOption(cell);
        st->drawControl(QStyle::CE_MenuItem, &option, &painter, this);
    }

    // The bar between two columns runs the menu's full height.
    const int frame = st->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, this);
    const int vMargin = st->pixelMetric(QStyle::PM_MenuVMargin, nullptr, this);
    painter.setPen(palette().color(QPalette::Mid));
    for (size_t column = 0; column + 1 < m_columnRights.size(); ++column) {
        const int x = m_columnRights[column] + columnGap(this) / 2;
        painter.drawLine(x, frame + vMargin, x, height() - frame - vMargin - 1);
    }

    if (frame > 0) {
        QStyleOptionFrame border;
        border.initFrom(this);
        border.rect = rect();
        border.lineWidth = frame;
        border.midLineWidth = 0;
        st->drawPrimitive(QStyle::PE_FrameMenu, &border, &painter, this);
    }
}

void TGridMenu::mouseMoveEvent(QMouseEvent *event)
{
    if (!rect().contains(event->position().toPoint())) {
        forward(event);
        return;
    }
    const int index = cellAt(event->position().toPoint());
    if (index != m_current && selectable(index))
        setCurrent(index, true);
}

void TGridMenu::mousePressEvent(QMouseEvent *event)
{
    if (!rect().contains(event->position().toPoint())) {
        // Outside every open menu a press closes them all.
        if (!forward(event))
            closeAll();
        return;
    }
    const int index = cellAt(event->position().toPoint());
    if (selectable(index) && m_cells[size_t(index)].action->menu())
        openSubmenu(index, false);
}

void TGridMenu::mouseReleaseEvent(QMouseEvent *event)
{
    if (!rect().contains(event->position().toPoint())) {
        forward(event);
        return;
    }
    const int index = cellAt(event->position().toPoint());
    if (!selectable(index))
        return;
    if (m_cells[size_t(index)].action->menu())
        openSubmenu(index, false);
    else
        activate(index);
}

void TGridMenu::leaveEvent(QEvent *event)
{
    QMenu::leaveEvent(event);
    if (!m_openSubmenu || !m_openSubmenu->isVisible())
        setCurrent(-1, false);
}

int TGridMenu::nearestInColumn(int column, int from) const
{
    const int y = from >= 0 ? m_cells[size_t(from)].rect.center().y() : 0;
    int best = -1;
    for (int i = 0; i < int(m_cells.size()); ++i) {
        if (m_cells[size_t(i)].column != column || !selectable(i))
            continue;
        if (best < 0 ||
            std::abs(m_cells[size_t(i)].rect.center().y() - y) < std::abs(m_cells[size_t(best)].rect.center().y() - y))
            best = i;
    }
    return best;
}

int TGridMenu::stepInColumn(int from, int step) const
{
    const int column = m_cells[size_t(from)].column;
    int first = from;
    while (first > 0 && m_cells[size_t(first) - 1].column == column)
        --first;
    int last = from;
    while (last + 1 < int(m_cells.size()) && m_cells[size_t(last) + 1].column == column)
        ++last;
    const int count = last - first + 1;
    for (int i = from + step, n = 1; n < count; i += step, ++n) {
        const int wrapped = first + ((i - first) % count + count) % count;
        if (selectable(wrapped))
            return wrapped;
    }
    return from;
}

void TGridMenu::keyPressEvent(QKeyEvent *event)
{
    layoutCells();
    const QAction *entry = currentEntry();
    int current = -1;
    for (int i = 0; i < int(m_cells.size()); ++i)
        if (m_cells[size_t(i)].action == entry)
            current = i;
    const int column = current >= 0 ? m_cells[size_t(current)].column : 0;
    const int columns = int(m_columnRights.size());
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const int step = event->key() == Qt::Key_Down ? 1 : -1;
        if (current >= 0)
            setCurrent(stepInColumn(current, step), false);
        else if (const int first = nearestInColumn(0, -1); first >= 0)
            setCurrent(step > 0 ? first : stepInColumn(first, -1), false);
        break;
    }
    case Qt::Key_Left:
        if (column > 0) {
            setCurrent(nearestInColumn(column - 1, current), false);
        } else {
            // In the first column Left goes back to the menu this one was
            // opened from, if any.
            for (QObject *owner : menuAction()->associatedObjects())
                if (auto *menu = qobject_cast<QMenu *>(owner); menu && menu->isVisible()) {
                    hide();
                    break;
                }
        }
        break;
    case Qt::Key_Right:
        if (current >= 0 && m_cells[size_t(current)].action->menu())
            openSubmenu(current, true);
        else if (current < 0 && columns > 0)
            setCurrent(nearestInColumn(0, -1), false);
        else if (column + 1 < columns)
            setCurrent(nearestInColumn(column + 1, current), false);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (selectable(current)) {
            if (m_cells[size_t(current)].action->menu())
                openSubmenu(current, true);
            else
                activate(current);
        }
        break;
    case Qt::Key_Escape:
        hide();
        break;
    default:
        event->ignore();
        break;
    }
}

} // namespace selectframe
