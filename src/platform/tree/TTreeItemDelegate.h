// Draws a tree's cells as slices.
#pragma once

#include "TSliceGeometry.h"
#include "TVirtualNode.h"

#include <QStyledItemDelegate>

namespace selectframe {

class TTreeModel;

/// Draws each cell of a tree from its node's slices: check box (radio
/// button for the skin "radio"), image and texts in their styles. Fills the
/// slices right before drawing, so the adapter's current values show. An
/// adapter that throws while a cell is drawn leaves that cell empty and is
/// reported; the failure never reaches the event loop.
class TTreeItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    TTreeItemDelegate(TTreeModel *model, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    int rowHeight() const { return m_rowHeight; }
    void setRowHeight(int height) { m_rowHeight = height; }
    /// The slice under the mouse (cell node and slice index), drawn hot.
    void setHover(TVirtualNode cell, int slice)
    {
        m_hoverCell = cell;
        m_hoverSlice = slice;
    }

private:
    void paintCell(QPainter *painter, const QStyleOptionViewItem &option, TVirtualNode cell) const;

    TTreeModel *m_model;
    int m_rowHeight = 22;
    TVirtualNode m_hoverCell;
    int m_hoverSlice = -1;
};

} // namespace selectframe
