// SPDX-License-Identifier: MIT
// Draws a tree's cells as slices.
#pragma once

#include "TSliceGeometry.h"
#include "TTextPainter.h"
#include "TVirtualNode.h"

#include <QHash>
#include <QPixmap>
#include <QStyledItemDelegate>

namespace selectframe {

class TCheckSlice;
class TImageSlice;
class TSliceStyle;
class TTreeModel;

/// Draws each cell of a tree from its node's slices: check box (radio
/// button for the skin "radio"), image and texts in their styles. Fills the
/// slices right before drawing, so the adapter's current values show. Check
/// boxes and images are drawn once per look into pixmaps and reused. An
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
    /// Measures texts the way they are drawn.
    TTextPainter &textPainter() const { return m_text; }

private:
    void paintCell(QPainter *painter, const QStyleOptionViewItem &option, TVirtualNode cell) const;
    void drawCheck(QPainter *painter, const QStyleOptionViewItem &option, const TCheckSlice &check, bool radio,
                   const QRect &rect) const;
    void drawImage(QPainter *painter, const QStyleOptionViewItem &option, const TImageSlice &image,
                   const QRect &rect) const;
    const QFont &styleFont(const TSliceStyle *style, bool hot, const QFont &base) const;

    struct TStyleFont
    {
        const TSliceStyle *Style;
        bool Hot;
        QFont Font;
    };

    TTreeModel *m_model;
    int m_rowHeight = 22;
    TVirtualNode m_hoverCell;
    int m_hoverSlice = -1;
    mutable TTextPainter m_text;
    mutable QFont m_fontBase;
    mutable std::vector<TStyleFont> m_fonts;
    mutable QHash<quint32, QPixmap> m_checks;
    mutable qint64 m_checksPalette = 0;
    mutable const QStyle *m_checksStyle = nullptr;
    mutable QHash<QPair<qint64, int>, QPixmap> m_images;
};

} // namespace selectframe
