// SPDX-License-Identifier: MIT
// The column header of a tree.
#pragma once

#include "TBaseVirtualTree.h"
#include "TSortType.h"

#include <QHeaderView>
#include <QList>

namespace selectframe {

/// The header of a tree: one section per header column of the manager's
/// column adapter, the column's identifier being its logical index. Keeps
/// the tree's sort keys (shown with the sort indicator of the first key),
/// turns clicks and its context menu into sort requests, and takes the
/// column widths from the adapter.
class TCustomHeader : public QHeaderView
{
    Q_OBJECT

public:
    explicit TCustomHeader(QWidget *parent = nullptr);

    /// The column adapter's node shown at display position `order`.
    TVirtualNode ItemByOrder(int order) const;
    /// The current width in pixels of the column of `item`.
    int getWidth(TVirtualNode item) const;
    /// The identifier of the column at display position `order`; -1 when out
    /// of range.
    int IDByOrder(int order) const;
    /// The display position of the column `id`; -1 when unknown.
    int OrderByID(int id) const;
    /// The sort keys' display positions, first key first.
    QList<int> getSortIndexs() const;
    /// The sort keys' sort types, parallel to getSortIndexs.
    QList<TSortType> getSortTypes() const;

    /// Records the sort keys by column identifier and shows the first.
    void setSortKeys(const QList<int> &ids, const QList<TSortType> &types);
    /// The sort type a click on column `id` asks for: 2 for a column that is
    /// not the first key, else the other of 1 and 2.
    TSortType nextSortType(int id) const;

    /// Reads the columns' widths from `columns`: a width is used when the
    /// third integer is 0 and state flag 8 is clear, a width of 0 hiding the
    /// column; other columns share the space that is left.
    void takeUp(TBaseVirtualTree *columns);
    void setColumns(TBaseVirtualTree *columns) { m_columns = columns; }

    bool sortOnClick() const { return m_sortOnClick; }
    void setSortOnClick(bool on) { m_sortOnClick = on; }
    bool sortMenu() const { return m_sortMenu; }
    void setSortMenu(bool on) { m_sortMenu = on; }
    bool columnsResizable() const { return m_resizable; }
    void setColumnsResizable(bool on);

signals:
    /// The user asked to sort by column `id` with `sortType` (0: unsorted).
    void sortRequested(int id, TSortType sortType);

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void applyResizeModes();

    TBaseVirtualTree *m_columns = nullptr;
    QList<int> m_sortIds;
    QList<TSortType> m_sortTypes;
    QList<bool> m_fixedWidth;
    bool m_sortOnClick = false;
    bool m_sortMenu = false;
    bool m_resizable = true;
};

} // namespace selectframe
