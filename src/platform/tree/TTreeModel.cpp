// SPDX-License-Identifier: MIT
#include "TTreeModel.h"

#include "TCheckSlice.h"
#include "TStringSlice.h"

#include <QDebug>

#include <exception>

namespace selectframe {

namespace {

void reportAdapterFailure(const char *where)
{
    try {
        throw;
    } catch (const std::exception &e) {
        qWarning("tree adapter failed in %s: %s", where, e.what());
    } catch (...) {
        qWarning("tree adapter failed in %s", where);
    }
}

} // namespace

TTreeModel::TTreeModel(QObject *parent) : QAbstractItemModel(parent)
{}

TTreeModel::~TTreeModel()
{
    unbind();
}

void TTreeModel::unbind()
{
    beginResetModel();
    if (m_rows)
        m_rows->store().setObserver(nullptr);
    m_rows = nullptr;
    m_columns = nullptr;
    m_takenUp = false;
    m_columnCount = 1;
    endResetModel();
}

void TTreeModel::bind(TBaseVirtualTree *rows, TBaseVirtualTree *columns)
{
    unbind();
    m_rows = rows;
    m_columns = columns;
    if (m_rows)
        m_rows->store().setObserver(this);
}

void TTreeModel::takeUp(bool rows, bool header)
{
    beginResetModel();
    if (rows && m_rows) {
        m_takenUp = true;
        m_rows->store().invalidateAll();
        m_rows->store().layout();
    }
    if (header)
        m_columnCount = m_columns ? qMax(1, m_columns->store().cellCount(m_columns->Root())) : 1;
    endResetModel();
}

void TTreeModel::relayout()
{
    if (!needsRelayout())
        return;
    emit layoutAboutToBeChanged();
    TNodeStore &store = m_rows->store();
    store.layout();
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex &idx : from)
        to.append(indexOf(nodeOf(idx), idx.column()));
    changePersistentIndexList(from, to);
    emit layoutChanged();
}

QModelIndex TTreeModel::indexOf(TVirtualNode node, int column) const
{
    if (!m_takenUp || !m_rows->store().isLaidOutVisible(node) || column < 0 || column >= m_columnCount)
        return {};
    return createIndex(int(m_rows->store().visibleIndex(node)), column, quintptr(m_rows->store().keyOf(node)));
}

const TChildList *TTreeModel::shownListOf(const QModelIndex &parent) const
{
    if (!m_takenUp)
        return nullptr;
    if (parent.isValid() && (parent.column() != 0 || !(parent.internalId() & TChildList::ParentBit)))
        return nullptr;
    const TVirtualNode node = parent.isValid() ? nodeOf(parent) : m_rows->Root();
    return m_rows->store().children(node);
}

QModelIndex TTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    const TChildList *list = shownListOf(parent);
    if (!list || row < 0 || size_t(row) >= list->Visible.size() || column < 0 || column >= m_columnCount)
        return {};
    return createIndex(row, column, quintptr(list->Visible[size_t(row)]));
}

QModelIndex TTreeModel::parent(const QModelIndex &child) const
{
    if (!child.isValid() || !m_takenUp)
        return {};
    const TNodeStore &store = m_rows->store();
    const TVirtualNode p = store.parentOf(nodeOf(child));
    if (!p || p == store.root())
        return {};
    return createIndex(int(store.visibleIndex(p)), 0, quintptr(store.keyOf(p)));
}

QModelIndex TTreeModel::sibling(int row, int column, const QModelIndex &idx) const
{
    if (idx.isValid() && row == idx.row() && column >= 0 && column < m_columnCount)
        return createIndex(row, column, idx.internalId());
    return QAbstractItemModel::sibling(row, column, idx);
}

int TTreeModel::rowCount(const QModelIndex &parent) const
{
    const TChildList *list = shownListOf(parent);
    return list ? int(list->Visible.size()) : 0;
}

int TTreeModel::columnCount(const QModelIndex &) const
{
    return m_columnCount;
}

bool TTreeModel::hasChildren(const QModelIndex &parent) const
{
    return rowCount(parent) > 0;
}

QVariant TTreeModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_takenUp)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::CheckStateRole:
    case Qt::AccessibleTextRole:
        return cellData(m_rows->store().cell(nodeOf(index), index.column()), role);
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        // The row's hint, for every cell of the row; the tree shows tool
        // tips itself, so this is what assistive tools read.
        try {
            QString hint;
            m_rows->FillToolTip(nodeOf(index), &hint);
            // Assistive tools read a check box as checked or not; a mixed
            // one says so here.
            if (role == Qt::AccessibleDescriptionRole && index.column() == 0 &&
                data(index, Qt::CheckStateRole) == Qt::PartiallyChecked)
                hint = hint.isEmpty() ? tr("partially checked") : tr("partially checked") + QStringLiteral(", ") + hint;
            return hint.isEmpty() ? QVariant() : QVariant(hint);
        } catch (...) {
            reportAdapterFailure("data");
        }
        return {};
    default:
        return {};
    }
}

QVariant TTreeModel::cellData(TVirtualNode cell, int role) const
{
    if (!cell)
        return {};
    try {
        TSlices *slices = m_rows->filledSlicesOf(cell);
        if (!slices)
            return {};
        if (role == Qt::DisplayRole) {
            const TStringSlice *text = slices->first<TStringSlice>();
            return text ? QVariant(text->Text) : QVariant();
        }
        if (role == Qt::AccessibleTextRole) {
            // Every text of the cell, so that a row's action link is read
            // after its caption.
            QStringList texts;
            for (int i = 0; i < slices->Count(); ++i)
                if (const auto *text = sliceAs<TStringSlice>(slices->GetSlice(i)); text && !text->Text.isEmpty())
                    texts.append(text->Text);
            return texts.isEmpty() ? QVariant() : QVariant(texts.join(QStringLiteral(", ")));
        }
        const TCheckSlice *check = slices->first<TCheckSlice>();
        if (!check || !check->Shown)
            return {};
        return check->Value == 1 ? Qt::Checked : check->Value == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
    } catch (...) {
        reportAdapterFailure("data");
    }
    return {};
}

QString TTreeModel::captionOf(TBaseVirtualTree *adapter, TVirtualNode node)
{
    TSlices *slices = adapter ? adapter->filledSlicesOf(node) : nullptr;
    const TStringSlice *text = slices ? slices->first<TStringSlice>() : nullptr;
    return text ? text->Text : QString();
}

QVariant TTreeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || !m_columns)
        return {};
    try {
        const TVirtualNode column = m_columns->store().cell(m_columns->Root(), section);
        if (column)
            return captionOf(m_columns, column);
    } catch (...) {
        reportAdapterFailure("headerData");
    }
    return {};
}

Qt::ItemFlags TTreeModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!(index.internalId() & TChildList::ParentBit))
        f |= Qt::ItemNeverHasChildren;
    // Says to assistive tools that the cell has a check box; the tree's own
    // input handling toggles it, the model is never written. Only slices
    // already made are asked: the view asks flags of rows it never paints.
    const TSlices *slices =
        m_takenUp ? m_rows->store().slices(m_rows->store().cell(nodeOf(index), index.column())) : nullptr;
    const TCheckSlice *check = slices ? slices->first<TCheckSlice>() : nullptr;
    if (check && check->Shown)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

void TTreeModel::storeChanged()
{
    if (m_takenUp && onRowsChanged)
        onRowsChanged();
}

void TTreeModel::storeAboutToClear()
{
    m_clearing = m_takenUp;
    if (m_clearing)
        beginResetModel();
}

void TTreeModel::storeCleared()
{
    m_takenUp = false;
    if (m_clearing)
        endResetModel();
    m_clearing = false;
    if (onRowsCleared)
        onRowsCleared();
}

} // namespace selectframe
