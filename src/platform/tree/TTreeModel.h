// SPDX-License-Identifier: MIT
// The item model a tree view reads its rows from.
#pragma once

#include "TBaseVirtualTree.h"
#include "TNodeStoreObserver.h"

#include <QAbstractItemModel>

#include <functional>

namespace selectframe {

/// Shows the shown rows of a row adapter to a QTreeView. Every index
/// carries its row node; index, parent and rowCount are lookups in the
/// store's laid-out child lists, so they cost the same at any size and never
/// allocate. Rows the adapter built before `takeUp` stay out of sight, and
/// later changes show when `relayout` runs; until then the model keeps
/// answering from the last layout. Hidden rows are simply not among a
/// parent's rows.
class TTreeModel : public QAbstractItemModel, private TNodeStoreObserver
{
    Q_OBJECT

public:
    explicit TTreeModel(QObject *parent = nullptr);
    ~TTreeModel() override;

    /// Shows nothing and drops the adapters.
    void unbind();
    /// Follows `rows` and `columns` (either may be null); shows no rows until
    /// takeUp.
    void bind(TBaseVirtualTree *rows, TBaseVirtualTree *columns);
    TBaseVirtualTree *rows() const { return m_rows; }
    TBaseVirtualTree *columns() const { return m_columns; }

    /// Shows the adapters' nodes as they are now (rows and/or header
    /// columns) in one reset.
    void takeUp(bool rows, bool header);
    /// Whether the rows are shown.
    bool isTakenUp() const { return m_takenUp; }
    /// Whether some row change is not shown yet.
    bool needsRelayout() const { return m_takenUp && m_rows->store().needsLayout(); }
    /// Shows the pending row changes in one layout change; persistent indexes
    /// follow their nodes, or become invalid when their node is no longer
    /// shown.
    void relayout();

    /// Called after a change to the row store (while taken up) and after it
    /// was cleared.
    std::function<void()> onRowsChanged;
    std::function<void()> onRowsCleared;

    /// The row node of an index; an index carries its node's row key.
    static TVirtualNode nodeOf(const QModelIndex &index) { return TChildList::nodeOfKey(uint32_t(index.internalId())); }
    /// The index of a shown row node; invalid when it is not shown.
    QModelIndex indexOf(TVirtualNode node, int column = 0) const;

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    QModelIndex sibling(int row, int column, const QModelIndex &idx) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    /// The text of the first string slice of `node`, filled now.
    static QString captionOf(TBaseVirtualTree *adapter, TVirtualNode node);

private:
    void storeChanged() override;
    void storeAboutToClear() override;
    void storeCleared() override;
    const TChildList *shownListOf(const QModelIndex &parent) const;
    QVariant cellData(TVirtualNode cell, int role) const;

    TBaseVirtualTree *m_rows = nullptr;
    TBaseVirtualTree *m_columns = nullptr;
    int m_columnCount = 1;
    bool m_takenUp = false;
    bool m_clearing = false;
};

} // namespace selectframe
