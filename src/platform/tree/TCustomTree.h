// SPDX-License-Identifier: MIT
// The virtual tree control.
#pragma once

#include "IVmManager.h"
#include "THitInfo.h"
#include "TNodeOrder.h"
#include "TSortType.h"

#include <QList>
#include <QTimer>
#include <QTreeView>

#include <functional>
#include <memory>
#include <vector>

class QAccessibleEvent;

namespace selectframe {

class TBaseVirtualTree;
class TCustomHeader;
class TSlice;
class TTreeItemDelegate;
class TTreeModel;

/// A tree control that holds no data: the installed manager (setVM) builds
/// nodes in its adapters, and the adapters answer per node what each cell
/// shows. Rows can be hidden (nsHidden) and expanded (nsExpanded) through
/// their node state, which is the truth the view follows. Changes made
/// between BeginUpdate and the outermost EndUpdate are shown in one layout
/// and one repaint; outside an update every change shows at once.
///
/// Events are single handlers. Exceptions thrown by handlers or adapters
/// while the tree reacts to input or paints are caught there, reported, and
/// any update left open by them is ended; direct calls (Sort, setVM, ...)
/// let them propagate.
class TCustomTree : public QTreeView
{
    Q_OBJECT
    Q_PROPERTY(bool rightClickSelect READ rightClickSelect WRITE setRightClickSelect)
    Q_PROPERTY(int focusDelay READ focusDelay WRITE setFocusDelay)

public:
    explicit TCustomTree(QWidget *parent = nullptr);
    ~TCustomTree() override;

    /// Installs `vm` (dropping and destroying the previous manager) and calls
    /// its Initialize at once; null leaves the tree without a manager.
    void setVM(std::unique_ptr<IVmManager> vm);
    /// The installed manager, null before the first install.
    IVmManager *getVM() const { return m_vm.get(); }

    void BeginUpdate();
    void EndUpdate();
    int updateCount() const { return m_updateCount; }

    uint32_t GetNodeState(TVirtualNode node) const;
    /// Sets the row's flags: nsHidden takes it and its subtree out of view,
    /// nsExpanded expands it.
    void SetNodeState(TVirtualNode node, uint32_t state);

    /// Orders the children of `start` (and below it when `recursive`) by one
    /// column. Sorting from the root also becomes the header's sort key.
    void Sort(TVirtualNode start, int column, TSortType sortType, bool recursive);
    /// Orders by several keys, given as display positions and sort types;
    /// the first key that tells two rows apart decides, keys of type 0 are
    /// skipped. Rows that compare equal keep their order.
    void Sort(TVirtualNode start, const QList<int> &orders, const QList<TSortType> &sortTypes, bool recursive);

    /// Expand modes.
    enum TExpandMode : int {
        emCollapse = 0,
        emExpand = 1,
        /// Expands and scrolls the row into view.
        emExpandShow = 2,
    };
    /// Expands or collapses `node`; action type 1 does the same to every row
    /// below it, 0 to the node only.
    void Expand(TVirtualNode node, int mode, int actionType);

    TVirtualNode GetNodeFocused() const { return m_focused; }
    /// Focuses `node` (none clears the focus), raising the lost-focus event
    /// for the previous node and the focus event for the new one.
    void SetNodeFocused(TVirtualNode node);

    int headerHeight() const;
    void setHeaderHeight(int height);
    int uniformRowHeight() const;
    void setRowHeight(int height);
    bool rowSelect() const;
    void setRowSelect(bool on);
    bool focusAndSelect() const { return m_focusAndSelect; }
    void setFocusAndSelect(bool on) { m_focusAndSelect = on; }
    /// Whether connecting lines are drawn at the top level too. Expand
    /// buttons are shown either way, so groups can always be opened.
    bool rootLines() const { return m_rootLines; }
    void setRootLines(bool on);
    bool nodeLines() const { return m_nodeLines; }
    void setNodeLines(bool on);
    bool toolTips() const { return m_toolTips; }
    void setToolTips(bool on) { m_toolTips = on; }
    /// Whether a right click focuses and selects the row under the mouse
    /// before any context menu shows; off, it leaves the focus alone.
    bool rightClickSelect() const { return m_rightClickSelect; }
    void setRightClickSelect(bool on) { m_rightClickSelect = on; }
    /// Milliseconds the focus must rest on a row the user moved it to before
    /// the focus events name that row, so a run of arrow keys raises them
    /// once; 0 raises them at every move. SetNodeFocused never waits.
    int focusDelay() const { return m_focusDelay.interval(); }
    void setFocusDelay(int ms) { m_focusDelay.setInterval(qMax(0, ms)); }

    TCustomHeader *Header() const { return m_header; }
    /// Whether `node` is no row of this tree (none, the root, or removed);
    /// clicks on such nodes are to be ignored.
    bool isVirtualNode(TVirtualNode node) const;
    /// The hit record of a viewport point.
    THitInfo hitTest(const QPoint &viewportPos) const;
    /// The viewport rectangle of a row and column, empty when not shown.
    QRect nodeRect(TVirtualNode row, int column) const;

    std::function<void(TCustomTree *, TVirtualNode, TSlice *)> OnNodeActive;
    std::function<int(TCustomTree *, TVirtualNode, TVirtualNode, int, TSortType)> OnNodeCompare;
    /// May give an order of the children for these keys that agrees with
    /// OnNodeCompare but is quicker, such as one that computes a key per
    /// node once; without one, or when it gives none, sorting compares pairs.
    std::function<std::unique_ptr<TNodeOrder>(TCustomTree *, const std::vector<TSortKey> &)> OnNodeOrder;
    std::function<void(TCustomTree *, const THitInfo &)> OnNodeClick;
    std::function<void(TCustomTree *, TVirtualNode)> OnNodeFocus;
    std::function<void(TCustomTree *, TVirtualNode)> OnNodeLostFocus;

    // Called by the installed manager.
    /// Follows the manager's adapters; nothing is shown until takeUp.
    void bindAdapters(TBaseVirtualTree *rows, TBaseVirtualTree *columns);
    /// Shows the nodes as they are now.
    void takeUp(TUpdateSet parts);
    /// Shows pending changes and repaints everything.
    void refresh();
    /// Repaints the row of `node`.
    void repaintNode(TVirtualNode node);
    /// The first row shown, in display order.
    TVirtualNode firstVisibleNode() const;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void drawBranches(QPainter *painter, const QRect &rect, const QModelIndex &index) const override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event = nullptr) const override;

public:
    /// Where the tree's accessibility events go: to QAccessible, which
    /// passes them on only where an accessibility bridge is active. Suites
    /// run without one and watch here instead.
    static void (*s_updateAccessibility)(QAccessibleEvent *Event);

private:
    TBaseVirtualTree *rows() const;
    void sortBy(TVirtualNode start, const std::vector<TSortKey> &keys, bool recursive);
    int compareRows(TVirtualNode a, TVirtualNode b, const std::vector<TSortKey> &keys);
    void flush();
    void syncExpansion();
    void syncCurrent();
    void onCurrentChanged(const QModelIndex &current);
    /// Raises the focus events for the focused row unless they named it last.
    void announceFocus();
    /// Forgets the focused row without events, as when its rows go away.
    void dropFocus();
    void onExpansion(const QModelIndex &index, bool expanded);
    void activateCheck(TVirtualNode row);
    /// Raises OnNodeActive for a slice of `row`, and tells assistive tools
    /// when that changed the row's check box.
    void activate(TVirtualNode row, TSlice *slice);
    void showToolTip(QHelpEvent *event);
    void setHover(const THitInfo &hit);
    /// Runs a reaction to input; a throwing handler is reported and the
    /// updates it left open are ended.
    void guarded(const char *what, const std::function<void()> &reaction);

    std::unique_ptr<IVmManager> m_vm;
    TTreeModel *m_model;
    TTreeItemDelegate *m_delegate;
    TCustomHeader *m_header;
    int m_updateCount = 0;
    bool m_expansionDirty = false;
    bool m_syncing = false;
    TVirtualNode m_focused;
    /// The row the focus events named last; trails m_focused while a focus
    /// delay runs.
    TVirtualNode m_announced;
    QTimer m_focusDelay;
    THitInfo m_pressed;
    THitInfo m_hover;
    bool m_focusAndSelect = true;
    bool m_nodeLines = false;
    bool m_rootLines = false;
    bool m_toolTips = true;
    bool m_rightClickSelect = false;
};

} // namespace selectframe
