// SPDX-License-Identifier: MIT
#include "TCustomHeader.h"

#include <QContextMenuEvent>
#include <QMenu>

namespace selectframe {

namespace {

constexpr uint32_t NoWidthFlag = 8;
constexpr int32_t NoWidthThird = 0x10000;

} // namespace

TCustomHeader::TCustomHeader(QWidget *parent) : QHeaderView(Qt::Horizontal, parent)
{
    setHighlightSections(false);
    connect(this, &QHeaderView::sectionClicked, this, [this](int id) {
        if (m_sortOnClick)
            emit sortRequested(id, nextSortType(id));
    });
}

TVirtualNode TCustomHeader::ItemByOrder(int order) const
{
    const int id = IDByOrder(order);
    return m_columns && id >= 0 ? m_columns->store().cell(m_columns->Root(), id) : TVirtualNode{};
}

int TCustomHeader::getWidth(TVirtualNode item) const
{
    if (!m_columns || !m_columns->store().isCell(item))
        return 0;
    return sectionSize(m_columns->store().columnOf(item));
}

int TCustomHeader::IDByOrder(int order) const
{
    return order >= 0 && order < count() ? logicalIndex(order) : -1;
}

int TCustomHeader::OrderByID(int id) const
{
    return id >= 0 && id < count() ? visualIndex(id) : -1;
}

QList<int> TCustomHeader::getSortIndexs() const
{
    QList<int> orders;
    orders.reserve(m_sortIds.size());
    for (int id : m_sortIds)
        orders.append(OrderByID(id));
    return orders;
}

QList<TSortType> TCustomHeader::getSortTypes() const
{
    return m_sortTypes;
}

void TCustomHeader::setSortKeys(const QList<int> &ids, const QList<TSortType> &types)
{
    m_sortIds = ids;
    m_sortTypes = types;
    m_sortTypes.resize(m_sortIds.size());
    int shown = -1;
    for (qsizetype i = 0; i < m_sortIds.size() && shown < 0; ++i)
        if (m_sortTypes[i] != stNone)
            shown = int(i);
    setSortIndicatorShown(shown >= 0);
    if (shown >= 0)
        setSortIndicator(m_sortIds[shown], m_sortTypes[shown] == stNatural ? Qt::AscendingOrder : Qt::DescendingOrder);
    else
        setSortIndicator(-1, Qt::AscendingOrder);
}

TSortType TCustomHeader::nextSortType(int id) const
{
    if (!m_sortIds.isEmpty() && m_sortIds.first() == id && m_sortTypes.first() == stNatural)
        return stReversed;
    return stNatural;
}

void TCustomHeader::takeUp(TBaseVirtualTree *columns)
{
    m_columns = columns;
    m_sortIds.clear();
    m_sortTypes.clear();
    setSortKeys({}, {});
    m_fixedWidth.clear();
    if (!columns)
        return;
    const TNodeStore &store = columns->store();
    const int n = qMin(store.cellCount(columns->Root()), count());
    QList<int32_t> widths(n);
    for (int id = 0; id < n; ++id) {
        uint32_t state = 0;
        int32_t second = 0;
        int32_t third = NoWidthThird;
        columns->FillStateInfo(store.cell(columns->Root(), id), &state, &widths[id], &second, &third);
        m_fixedWidth.append(third == 0 && !(state & NoWidthFlag));
        // No width hides the column, so that it is not the one stretched
        // either when every column has a width.
        setSectionHidden(id, m_fixedWidth[id] && widths[id] <= 0);
    }
    // A section still stretching would not keep a width given to it.
    applyResizeModes();
    for (int id = 0; id < n; ++id)
        if (m_fixedWidth[id] && widths[id] > 0)
            resizeSection(id, widths[id]);
}

void TCustomHeader::setColumnsResizable(bool on)
{
    m_resizable = on;
    applyResizeModes();
}

void TCustomHeader::applyResizeModes()
{
    bool anyStretch = false;
    for (qsizetype id = 0; id < m_fixedWidth.size(); ++id) {
        anyStretch = anyStretch || !m_fixedWidth[id];
        setSectionResizeMode(int(id), !m_fixedWidth[id] ? Stretch : m_resizable ? Interactive : Fixed);
    }
    setStretchLastSection(!anyStretch);
}

void TCustomHeader::contextMenuEvent(QContextMenuEvent *event)
{
    const int id = logicalIndexAt(event->pos());
    if (!m_sortMenu || id < 0) {
        QHeaderView::contextMenuEvent(event);
        return;
    }
    QMenu menu(this);
    const auto add = [&](const QString &text, TSortType type) {
        connect(menu.addAction(text), &QAction::triggered, this, [this, id, type] { emit sortRequested(id, type); });
    };
    add(tr("Sort ascending"), stNatural);
    add(tr("Sort descending"), stReversed);
    add(tr("Do not sort"), stNone);
    menu.exec(event->globalPos());
}

} // namespace selectframe
