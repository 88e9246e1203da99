// SPDX-License-Identifier: MIT
#include "TCustomTree.h"

#include "TCheckSlice.h"
#include "TCustomHeader.h"
#include "TNodeOrder.h"
#include "TStringSlice.h"
#include "TTreeItemDelegate.h"
#include "TTreeModel.h"
#include "TTreeUpdate.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScopeGuard>
#include <QToolTip>

#include <exception>

namespace selectframe {

TCustomTree::TCustomTree(QWidget *parent)
    : QTreeView(parent),
      m_model(new TTreeModel(this)),
      m_delegate(new TTreeItemDelegate(m_model, this)),
      m_header(new TCustomHeader(this))
{
    setHeader(m_header);
    setModel(m_model);
    setItemDelegate(m_delegate);
    m_header->setSectionsClickable(true);
    setUniformRowHeights(true);
    setSelectionMode(SingleSelection);
    viewport()->setMouseTracking(true);

    m_model->onRowsChanged = [this] {
        if (!m_updateCount)
            flush();
    };
    m_focusDelay.setSingleShot(true);
    m_focusDelay.setInterval(0);
    connect(&m_focusDelay, &QTimer::timeout, this,
            [this] { guarded("moving the focus", [this] { announceFocus(); }); });
    m_model->onRowsCleared = [this] {
        dropFocus();
        m_pressed = {};
        m_hover = {};
        m_delegate->setHover({}, -1);
    };
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) { onCurrentChanged(current); });
    connect(this, &QTreeView::expanded, this, [this](const QModelIndex &index) { onExpansion(index, true); });
    connect(this, &QTreeView::collapsed, this, [this](const QModelIndex &index) { onExpansion(index, false); });
    connect(m_header, &TCustomHeader::sortRequested, this, [this](int id, TSortType type) {
        guarded("sorting by the header", [&] {
            if (!rows())
                return;
            if (type == stNone)
                m_header->setSortKeys({}, {});
            else
                Sort(rows()->Root(), id, type, true);
        });
    });
}

TCustomTree::~TCustomTree()
{
    m_model->unbind();
}

TBaseVirtualTree *TCustomTree::rows() const
{
    return m_model->rows();
}

void TCustomTree::setVM(std::unique_ptr<IVmManager> vm)
{
    if (m_vm) {
        m_model->unbind();
        m_header->takeUp(nullptr);
        dropFocus();
        m_pressed = {};
        setHover({});
        m_vm->setTree(nullptr);
        m_vm.reset();
    }
    m_vm = std::move(vm);
    if (m_vm) {
        m_vm->setTree(this);
        m_vm->Initialize();
    }
}

void TCustomTree::bindAdapters(TBaseVirtualTree *rows, TBaseVirtualTree *columns)
{
    m_model->bind(rows, columns);
    m_header->setColumns(columns);
}

void TCustomTree::takeUp(TUpdateSet parts)
{
    TBaseVirtualTree *r = rows();
    const bool takeRows = !parts || (parts & upRows);
    const bool takeHeader = !parts || (parts & upHeader);
    TTreeUpdate update(*this);
    if (takeRows && r) {
        TNodeStore &store = r->store();
        for (size_t slot = 1; slot < store.childLists().size(); ++slot) {
            const TVirtualNode owner = store.childLists()[slot].Owner;
            if (owner == store.root())
                continue;
            uint32_t state = store.state(owner);
            int32_t first = 0;
            int32_t second = 0;
            int32_t third = 0x10000;
            r->FillStateInfo(owner, &state, &first, &second, &third);
            store.setState(owner, state);
        }
    }
    m_syncing = true;
    const auto done = qScopeGuard([this] { m_syncing = false; });
    m_model->takeUp(takeRows, takeHeader);
    if (takeHeader)
        m_header->takeUp(m_model->columns());
    m_expansionDirty = true;
}

void TCustomTree::BeginUpdate()
{
    ++m_updateCount;
}

void TCustomTree::EndUpdate()
{
    if (m_updateCount > 0 && --m_updateCount == 0)
        flush();
}

void TCustomTree::flush()
{
    m_syncing = true;
    const auto done = qScopeGuard([this] { m_syncing = false; });
    const bool relaid = m_model->needsRelayout();
    if (relaid)
        m_model->relayout();
    if (relaid || m_expansionDirty)
        syncExpansion();
    syncCurrent();
    viewport()->update();
}

void TCustomTree::syncExpansion()
{
    m_expansionDirty = false;
    if (!m_model->isTakenUp())
        return;
    const TNodeStore &store = rows()->store();
    const auto &lists = store.childLists();
    for (size_t slot = 1; slot < lists.size(); ++slot) {
        const TVirtualNode owner = lists[slot].Owner;
        if (owner == store.root())
            continue;
        const QModelIndex index = m_model->indexOf(owner);
        if (!index.isValid())
            continue;
        const bool expand = store.state(owner) & nsExpanded;
        if (expand != isExpanded(index))
            setExpanded(index, expand);
    }
}

void TCustomTree::syncCurrent()
{
    if (m_focused && (!rows() || !rows()->store().isAttached(m_focused)))
        dropFocus();
    const QModelIndex index = m_model->indexOf(m_focused);
    if (!index.isValid() || index == currentIndex())
        return;
    QItemSelectionModel::SelectionFlags command = QItemSelectionModel::NoUpdate;
    if (m_focusAndSelect)
        command = QItemSelectionModel::ClearAndSelect |
                  (rowSelect() ? QItemSelectionModel::Rows : QItemSelectionModel::NoUpdate);
    selectionModel()->setCurrentIndex(index, command);
}

uint32_t TCustomTree::GetNodeState(TVirtualNode node) const
{
    return rows() ? rows()->store().state(node) : 0;
}

void TCustomTree::SetNodeState(TVirtualNode node, uint32_t state)
{
    if (!rows() || !rows()->store().contains(node))
        return;
    TNodeStore &store = rows()->store();
    if ((store.state(node) ^ state) & nsExpanded)
        m_expansionDirty = true;
    store.setState(node, state);
    if (m_expansionDirty && !m_updateCount)
        flush();
}

void TCustomTree::Sort(TVirtualNode start, int column, TSortType sortType, bool recursive)
{
    if (!rows())
        return;
    if (sortType != stNone)
        sortBy(start, {{column, sortType}}, recursive);
    if (start == rows()->Root()) {
        if (sortType == stNone)
            m_header->setSortKeys({}, {});
        else
            m_header->setSortKeys({column}, {sortType});
    }
}

void TCustomTree::Sort(TVirtualNode start, const QList<int> &orders, const QList<TSortType> &sortTypes, bool recursive)
{
    if (!rows())
        return;
    std::vector<TSortKey> keys;
    QList<int> ids;
    QList<TSortType> types;
    for (qsizetype i = 0; i < orders.size() && i < sortTypes.size(); ++i) {
        const int id = m_header->IDByOrder(orders[i]);
        if (id < 0)
            continue;
        ids.append(id);
        types.append(sortTypes[i]);
        if (sortTypes[i] != stNone)
            keys.push_back({id, sortTypes[i]});
    }
    if (!keys.empty())
        sortBy(start, keys, recursive);
    if (start == rows()->Root())
        m_header->setSortKeys(ids, types);
}

void TCustomTree::sortBy(TVirtualNode start, const std::vector<TSortKey> &keys, bool recursive)
{
    TTreeUpdate update(*this);
    std::unique_ptr<TNodeOrder> order = OnNodeOrder ? OnNodeOrder(this, keys) : nullptr;
    if (!order)
        order =
            std::make_unique<TCompareOrder>([&](TVirtualNode a, TVirtualNode b) { return compareRows(a, b, keys); });
    rows()->store().sortChildren(start, recursive, *order);
}

int TCustomTree::compareRows(TVirtualNode a, TVirtualNode b, const std::vector<TSortKey> &keys)
{
    for (const TSortKey &key : keys) {
        const int raw = OnNodeCompare ? OnNodeCompare(this, a, b, key.Column, key.Type)
                                      : rows()->compare(a, b, key.Column, key.Type);
        int result = (raw > 0) - (raw < 0);
        if (key.Type == stNatural)
            result = -result;
        if (result)
            return result;
    }
    return 0;
}

void TCustomTree::Expand(TVirtualNode node, int mode, int actionType)
{
    if (!rows() || !rows()->store().contains(node))
        return;
    {
        TTreeUpdate update(*this);
        const TNodeStore &store = rows()->store();
        std::vector<TVirtualNode> pending{node};
        while (!pending.empty()) {
            const TVirtualNode n = pending.back();
            pending.pop_back();
            const uint32_t state = store.state(n);
            SetNodeState(n, mode == emCollapse ? state & ~uint32_t(nsExpanded) : state | nsExpanded);
            if (actionType == 1)
                if (const TChildList *list = store.children(n))
                    pending.insert(pending.end(), list->All.begin(), list->All.end());
        }
    }
    if (mode == emExpandShow) {
        const QModelIndex index = m_model->indexOf(node);
        if (index.isValid())
            scrollTo(index);
    }
}

void TCustomTree::SetNodeFocused(TVirtualNode node)
{
    if (node && (!rows() || node == rows()->Root() || !rows()->store().isAttached(node)))
        node = {};
    m_focusDelay.stop();
    if (node == m_focused && node == m_announced)
        return;
    m_focused = node;
    {
        m_syncing = true;
        const auto done = qScopeGuard([this] { m_syncing = false; });
        if (node)
            syncCurrent();
        else
            selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
    announceFocus();
}

void TCustomTree::onCurrentChanged(const QModelIndex &current)
{
    if (m_syncing)
        return;
    const TVirtualNode node = current.isValid() ? TTreeModel::nodeOf(current) : TVirtualNode{};
    if (node == m_focused)
        return;
    m_focused = node;
    if (m_focusDelay.interval() > 0)
        m_focusDelay.start();
    else
        guarded("moving the focus", [this] { announceFocus(); });
}

void TCustomTree::announceFocus()
{
    if (m_focused == m_announced)
        return;
    const TVirtualNode old = std::exchange(m_announced, m_focused);
    if (old && OnNodeLostFocus)
        OnNodeLostFocus(this, old);
    if (OnNodeFocus)
        OnNodeFocus(this, m_focused);
}

void TCustomTree::dropFocus()
{
    m_focusDelay.stop();
    m_focused = {};
    m_announced = {};
}

void TCustomTree::onExpansion(const QModelIndex &index, bool expanded)
{
    if (!rows())
        return;
    const TVirtualNode node = TTreeModel::nodeOf(index);
    const uint32_t state = rows()->store().state(node);
    rows()->store().setState(node, expanded ? state | nsExpanded : state & ~uint32_t(nsExpanded));
}

int TCustomTree::headerHeight() const
{
    return m_header->height();
}

void TCustomTree::setHeaderHeight(int height)
{
    if (height > 0)
        m_header->setFixedHeight(height);
    else {
        m_header->setMinimumHeight(0);
        m_header->setMaximumHeight(QWIDGETSIZE_MAX);
    }
}

int TCustomTree::uniformRowHeight() const
{
    return m_delegate->rowHeight();
}

void TCustomTree::setRowHeight(int height)
{
    if (height <= 0 || height == m_delegate->rowHeight())
        return;
    m_delegate->setRowHeight(height);
    scheduleDelayedItemsLayout();
}

bool TCustomTree::rowSelect() const
{
    return selectionBehavior() == SelectRows;
}

void TCustomTree::setRowSelect(bool on)
{
    setSelectionBehavior(on ? SelectRows : SelectItems);
    setAllColumnsShowFocus(on);
}

void TCustomTree::setNodeLines(bool on)
{
    m_nodeLines = on;
    viewport()->update();
}

bool TCustomTree::isVirtualNode(TVirtualNode node) const
{
    return !rows() || !node || node == rows()->Root() || !rows()->store().isAttached(node);
}

THitInfo TCustomTree::hitTest(const QPoint &viewportPos) const
{
    THitInfo hit;
    const QModelIndex index = indexAt(viewportPos);
    if (!index.isValid() || !rows())
        return hit;
    hit.Row = TTreeModel::nodeOf(index);
    hit.Column = index.column();
    hit.Node = rows()->store().cell(hit.Row, hit.Column);
    TSlices *slices = hit.Node ? rows()->filledSlicesOf(hit.Node) : nullptr;
    if (!slices)
        return hit;
    TSliceGeometry::TRects rects;
    TSliceGeometry::place(*slices, visualRect(index), font(), style(), this, m_delegate->textPainter(), rects);
    hit.SliceIndex = TSliceGeometry::sliceAt(rects, viewportPos.x());
    hit.Slice = slices->GetSlice(hit.SliceIndex);
    return hit;
}

QRect TCustomTree::nodeRect(TVirtualNode row, int column) const
{
    return visualRect(m_model->indexOf(row, column));
}

void TCustomTree::refresh()
{
    if (!m_updateCount)
        flush();
}

void TCustomTree::repaintNode(TVirtualNode node)
{
    if (m_updateCount || !rows())
        return;
    const TNodeStore &store = rows()->store();
    const QRect r = nodeRect(store.isCell(node) ? store.parentOf(node) : node, 0);
    if (r.isValid())
        viewport()->update(QRect(0, r.top(), viewport()->width(), r.height()));
}

TVirtualNode TCustomTree::firstVisibleNode() const
{
    if (!rows())
        return {};
    const TNodeStore &store = rows()->store();
    const TChildList *top = store.children(store.root());
    if (top)
        for (TVirtualNode n : top->All)
            if (!(store.state(n) & nsHidden))
                return n;
    return {};
}

void TCustomTree::guarded(const char *what, const std::function<void()> &reaction)
{
    const int level = m_updateCount;
    try {
        reaction();
        return;
    } catch (const std::exception &e) {
        qCritical("tree: %s failed: %s", what, e.what());
    } catch (...) {
        qCritical("tree: %s failed", what);
    }
    while (m_updateCount > level)
        EndUpdate();
}

void TCustomTree::activateCheck(TVirtualNode row)
{
    TSlices *slices = rows() ? rows()->filledSlicesOf(row) : nullptr;
    TCheckSlice *check = slices ? slices->first<TCheckSlice>() : nullptr;
    if (check && check->Shown && OnNodeActive)
        activate(row, check);
}

void TCustomTree::activate(TVirtualNode row, TSlice *slice)
{
    const QVariant before = m_model->indexOf(row).data(Qt::CheckStateRole);
    OnNodeActive(this, row, slice);
    if (!rows())
        return;
    const QModelIndex index = m_model->indexOf(row);
    const QVariant after = index.data(Qt::CheckStateRole);
    if (!index.isValid() || after == before)
        return;
    QAccessibleInterface *view = QAccessible::queryAccessibleInterface(this);
    QAccessibleTableInterface *table = view ? view->tableInterface() : nullptr;
    // Rows are of one height, so a shown row's place gives its visual row.
    const int visualRow = (visualRect(index).top() + verticalOffset()) / qMax(1, rowHeight(index));
    QAccessibleInterface *cell = table ? table->cellAt(visualRow, 0) : nullptr;
    if (!cell)
        return;
    QAccessible::State changed;
    changed.checked = true;
    changed.checkStateMixed = before.toInt() == Qt::PartiallyChecked || after.toInt() == Qt::PartiallyChecked;
    QAccessibleStateChangeEvent event(cell, changed);
    s_updateAccessibility(&event);
}

void (*TCustomTree::s_updateAccessibility)(QAccessibleEvent *) = &QAccessible::updateAccessibility;

void TCustomTree::mousePressEvent(QMouseEvent *event)
{
    m_pressed = {};
    if (event->button() == Qt::RightButton && !m_rightClickSelect) {
        // The context menu still follows; only the view's selecting is left out.
        event->accept();
        return;
    }
    if (event->button() == Qt::LeftButton)
        guarded("hit testing", [&] { m_pressed = hitTest(event->position().toPoint()); });
    QTreeView::mousePressEvent(event);
}

void TCustomTree::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton && !m_rightClickSelect) {
        event->accept();
        return;
    }
    QTreeView::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const THitInfo pressed = std::exchange(m_pressed, THitInfo{});
    guarded("a click", [&] {
        const THitInfo hit = hitTest(event->position().toPoint());
        if (!hit.Node || hit.Node != pressed.Node || hit.SliceIndex != pressed.SliceIndex)
            return;
        const TCheckSlice *check = sliceAs<TCheckSlice>(hit.Slice);
        const bool activates = check && check->Shown;
        if (OnNodeClick)
            OnNodeClick(this, hit);
        if (!activates || !OnNodeActive || isVirtualNode(hit.Row))
            return;
        const TSlices *slices = rows()->store().slices(hit.Node);
        if (TSlice *slice = slices ? slices->GetSlice(hit.SliceIndex) : nullptr)
            activate(hit.Row, slice);
    });
}

void TCustomTree::mouseDoubleClickEvent(QMouseEvent *event)
{
    THitInfo hit;
    guarded("hit testing", [&] { hit = hitTest(event->position().toPoint()); });
    const TCheckSlice *check = sliceAs<TCheckSlice>(hit.Slice);
    if (!check || !check->Shown) {
        QTreeView::mouseDoubleClickEvent(event);
        return;
    }
    // The double click stands for the second press: recorded as one, its
    // release toggles the box again as the first click did.
    if (event->button() == Qt::LeftButton)
        m_pressed = hit;
    event->accept();
}

void TCustomTree::mouseMoveEvent(QMouseEvent *event)
{
    guarded("hit testing", [&] { setHover(hitTest(event->position().toPoint())); });
    QTreeView::mouseMoveEvent(event);
}

void TCustomTree::setHover(const THitInfo &hit)
{
    const Qt::CursorShape shape = hit.Slice ? hit.Slice->Cursor : Qt::ArrowCursor;
    if (viewport()->cursor().shape() != shape)
        viewport()->setCursor(shape);
    if (hit.Node == m_hover.Node && hit.SliceIndex == m_hover.SliceIndex)
        return;
    const TVirtualNode before = m_hover.Node;
    m_hover = hit;
    m_delegate->setHover(hit.Node, hit.SliceIndex);
    if (before)
        repaintNode(before);
    if (hit.Node)
        repaintNode(hit.Node);
}

void TCustomTree::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier && m_focused) {
        // A hidden row keeps the focus for when it is shown again, but is not
        // there to be toggled meanwhile.
        if (m_model->indexOf(m_focused).isValid())
            guarded("activating the focused row", [&] { activateCheck(m_focused); });
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

bool TCustomTree::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        guarded("showing a tool tip", [&] { showToolTip(static_cast<QHelpEvent *>(event)); });
        return true;
    }
    if (event->type() == QEvent::Leave)
        guarded("leaving", [&] { setHover({}); });
    return QTreeView::viewportEvent(event);
}

void TCustomTree::showToolTip(QHelpEvent *event)
{
    const THitInfo hit = m_toolTips ? hitTest(event->pos()) : THitInfo{};
    if (!hit.Node) {
        QToolTip::hideText();
        return;
    }
    const TStringSlice *text = sliceAs<TStringSlice>(hit.Slice);
    QString hint = text ? text->Text : TTreeModel::captionOf(rows(), hit.Node);
    rows()->FillToolTip(hit.Node, &hint);
    if (hint.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPos(), hint, viewport(), nodeRect(hit.Row, hit.Column));
}

QItemSelectionModel::SelectionFlags TCustomTree::selectionCommand(const QModelIndex &index, const QEvent *event) const
{
    const bool byMouse = event && (event->type() == QEvent::MouseButtonPress ||
                                   event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::MouseMove);
    if (!m_focusAndSelect && !byMouse)
        return QItemSelectionModel::NoUpdate;
    return QTreeView::selectionCommand(index, event);
}

void TCustomTree::setRootLines(bool on)
{
    m_rootLines = on;
    viewport()->update();
}

void TCustomTree::drawBranches(QPainter *painter, const QRect &rect, const QModelIndex &index) const
{
    if (m_nodeLines && rows()) {
        const TNodeStore &store = rows()->store();
        const int indent = indentation();
        const int midY = rect.center().y();
        int x = rect.right() + 1 - indent / 2 - 1;
        painter->save();
        painter->setPen(QPen(palette().color(QPalette::Mid), 1, Qt::DotLine));
        TVirtualNode node = TTreeModel::nodeOf(index);
        const auto hasNextShown = [&](TVirtualNode n) {
            const TChildList *siblings = store.children(store.parentOf(n));
            return siblings && store.visibleIndex(n) + 1 < siblings->Visible.size();
        };
        // Lines of the top level are drawn only when root lines are on.
        const auto linesAt = [&](TVirtualNode n) { return m_rootLines || store.parentOf(n) != store.root(); };
        if (linesAt(node)) {
            painter->drawLine(x, rect.top(), x, hasNextShown(node) ? rect.bottom() : midY);
            painter->drawLine(x, midY, rect.right(), midY);
        }
        for (node = store.parentOf(node); node && node != store.root(); node = store.parentOf(node)) {
            x -= indent;
            if (x < rect.left())
                break;
            if (hasNextShown(node) && linesAt(node))
                painter->drawLine(x, rect.top(), x, rect.bottom());
        }
        painter->restore();
    }
    QTreeView::drawBranches(painter, rect, index);
}

} // namespace selectframe
