// SPDX-License-Identifier: MIT
// The two widgets a Qt developer would otherwise pick for a checkable,
// grouped table: QTreeWidget with checkable items, and a QStandardItemModel
// behind a QSortFilterProxyModel in a QTreeView. Filled the way such a
// developer would fill them, from any source of grouped rows.
#pragma once

#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTreeView>
#include <QTreeWidget>

#include <memory>
#include <vector>

namespace selectframe::bench {

/// What the peers show: groups of checkable item rows of a few text columns.
class TPeerRows
{
public:
    virtual ~TPeerRows() = default;
    virtual int columnCount() const = 0;
    virtual int groupCount() const = 0;
    virtual QString groupCaption(int group) const = 0;
    virtual int itemCount(int group) const = 0;
    virtual QString text(int group, int item, int column) const = 0;
    virtual bool checked(int, int) const { return false; }
    /// The row's icon; null for none.
    virtual const QIcon *icon(int, int) const { return nullptr; }
};

/// Lets the peers expand their groups in one pass: with a layout pending,
/// QTreeView::expand only records the index.
template <class View>
class TPeerView : public View
{
public:
    using View::scheduleDelayedItemsLayout;

    TPeerView()
    {
        View::resize(900, 700);
        View::setUniformRowHeights(true);
        View::setAlternatingRowColors(true);
    }

    /// Where a click toggles the check box of `index`, in viewport
    /// coordinates.
    QPoint checkPoint(const QModelIndex &index) const
    {
        QStyleOptionViewItem option;
        View::initViewItemOption(&option);
        option.rect = View::visualRect(index);
        option.features |= QStyleOptionViewItem::HasCheckIndicator;
        return View::style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, this).center();
    }
};

template <class View>
void expandAllGroups(TPeerView<View> *view)
{
    view->scheduleDelayedItemsLayout();
    QAbstractItemModel *m = view->model();
    for (int g = 0; g < m->rowCount(); ++g)
        view->expand(m->index(g, 0));
}

/// A QTreeWidget of checkable group rows holding checkable item rows.
struct TWidgetPeerTree
{
    std::unique_ptr<TPeerView<QTreeWidget>> Tree;
    std::vector<QTreeWidgetItem *> Groups;
    /// Every item row, group by group.
    std::vector<QTreeWidgetItem *> Items;

    /// Creates the tree and fills it; shown by the caller.
    void build(const TPeerRows &rows)
    {
        Tree = std::make_unique<TPeerView<QTreeWidget>>();
        Tree->setColumnCount(rows.columnCount());
        fill(rows);
    }

    /// Replaces every row with those of `rows`.
    void fill(const TPeerRows &rows)
    {
        Tree->clear();
        Groups.clear();
        Items.clear();
        const int columns = rows.columnCount();
        QList<QTreeWidgetItem *> groups;
        for (int g = 0; g < rows.groupCount(); ++g) {
            auto *group = new QTreeWidgetItem;
            group->setText(0, rows.groupCaption(g));
            group->setCheckState(0, Qt::Unchecked);
            for (int i = 0; i < rows.itemCount(g); ++i) {
                auto *item = new QTreeWidgetItem(group);
                for (int c = 0; c < columns; ++c)
                    item->setText(c, rows.text(g, i, c));
                item->setCheckState(0, rows.checked(g, i) ? Qt::Checked : Qt::Unchecked);
                if (const QIcon *icon = rows.icon(g, i))
                    item->setIcon(0, *icon);
                Items.push_back(item);
            }
            groups.append(group);
            Groups.push_back(group);
        }
        Tree->addTopLevelItems(groups);
    }

    /// A developer's filter over QTreeWidget: hides the items that hold
    /// `text` in no column, then the groups left without a shown item.
    void filter(const QString &text)
    {
        const int columns = Tree->columnCount();
        for (QTreeWidgetItem *group : Groups) {
            bool any = false;
            for (int i = 0; i < group->childCount(); ++i) {
                QTreeWidgetItem *item = group->child(i);
                bool match = text.isEmpty();
                for (int c = 0; c < columns && !match; ++c)
                    match = item->text(c).contains(text, Qt::CaseInsensitive);
                item->setHidden(!match);
                any |= match;
            }
            group->setHidden(!any && !group->text(0).contains(text, Qt::CaseInsensitive));
        }
    }
};

/// A QStandardItemModel of checkable group rows holding item rows whose
/// first cell is checkable, shown through `Proxy` in a QTreeView.
struct TModelPeerTree
{
    std::unique_ptr<QStandardItemModel> Model;
    std::unique_ptr<QSortFilterProxyModel> Proxy;
    std::unique_ptr<TPeerView<QTreeView>> Tree;
    std::vector<QStandardItem *> Groups;
    /// The first cell of every item row, group by group.
    std::vector<QStandardItem *> Items;

    /// Fills the model and shows it through `proxy` (recursive filtering
    /// on); shown by the caller.
    void build(const TPeerRows &rows, std::unique_ptr<QSortFilterProxyModel> proxy)
    {
        fill(rows);
        Proxy = std::move(proxy);
        Proxy->setRecursiveFilteringEnabled(true);
        Proxy->setSourceModel(Model.get());
        Tree = std::make_unique<TPeerView<QTreeView>>();
        Tree->setModel(Proxy.get());
    }

    /// A new model of `rows`, replacing the one before (which the caller
    /// takes off the proxy).
    void fill(const TPeerRows &rows)
    {
        Groups.clear();
        Items.clear();
        Model = std::make_unique<QStandardItemModel>();
        const int columns = rows.columnCount();
        Model->setColumnCount(columns);
        for (int g = 0; g < rows.groupCount(); ++g) {
            auto *group = new QStandardItem(rows.groupCaption(g));
            group->setCheckable(true);
            for (int i = 0; i < rows.itemCount(g); ++i) {
                QList<QStandardItem *> row;
                for (int c = 0; c < columns; ++c)
                    row.append(new QStandardItem(rows.text(g, i, c)));
                row[0]->setCheckable(true);
                row[0]->setCheckState(rows.checked(g, i) ? Qt::Checked : Qt::Unchecked);
                if (const QIcon *icon = rows.icon(g, i))
                    row[0]->setIcon(*icon);
                group->appendRow(row);
                Items.push_back(row[0]);
            }
            Model->appendRow(group);
            Groups.push_back(group);
        }
    }
};

} // namespace selectframe::bench
