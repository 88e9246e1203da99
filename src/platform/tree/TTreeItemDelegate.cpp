#include "TTreeItemDelegate.h"

#include "TCheckSlice.h"
#include "TImageSlice.h"
#include "TStringSlice.h"
#include "TTreeModel.h"

#include <QApplication>
#include <QPainter>

#include <exception>

namespace selectframe {

namespace {

void drawCheck(QPainter *painter, const QStyleOptionViewItem &option, const TCheckSlice &check, bool radio,
               const QRect &rect)
{
    const QStyle *style = option.widget ? option.widget->style() : QApplication::style();
    const int side = TSliceGeometry::indicatorSize(style, option.widget);
    QStyleOptionButton box;
    box.rect = QRect(rect.left() + (rect.width() - side) / 2, rect.top() + (rect.height() - side) / 2, side, side);
    box.palette = option.palette;
    box.state = option.state & QStyle::State_Enabled;
    box.state |= check.Value == 1 ? QStyle::State_On : check.Value == 2 ? QStyle::State_NoChange : QStyle::State_Off;
    style->drawPrimitive(radio ? QStyle::PE_IndicatorRadioButton : QStyle::PE_IndicatorCheckBox, &box, painter,
                         option.widget);
}

void drawImage(QPainter *painter, const QStyleOptionViewItem &option, const TImageSlice &image, const QRect &rect)
{
    if (!image.Images || image.ImageIndex < 0 || image.ImageIndex >= image.Images->Icons.size())
        return;
    const QSize size = image.Images->IconSize;
    const QRect target(rect.left() + (rect.width() - size.width()) / 2,
                       rect.top() + (rect.height() - size.height()) / 2, size.width(), size.height());
    const bool enabled = option.state & QStyle::State_Enabled;
    image.Images->Icons[image.ImageIndex].paint(painter, target, Qt::AlignCenter,
                                                enabled ? QIcon::Normal : QIcon::Disabled);
}

void drawText(QPainter *painter, const QStyleOptionViewItem &option, const TStringSlice &text, bool hot,
              const QRect &rect)
{
    if (text.Text.isEmpty())
        return;
    QFont font = text.Style->font(option.font);
    if (hot && text.Flag1 == 1 && !font.underline())
        font.setUnderline(true);
    const bool selected = option.state & QStyle::State_Selected;
    painter->setFont(font);
    painter->setPen(text.Style->color(option.palette, option.state & QStyle::State_Enabled, selected));
    const QRect room = rect.adjusted(TSliceGeometry::Padding, 0, -TSliceGeometry::Padding, 0);
    const Qt::Alignment h = text.Flag2 == 1 ? Qt::AlignHCenter : text.Flag2 == 2 ? Qt::AlignRight : Qt::AlignLeft;
    const QFontMetrics metrics(font);
    const QString shown = metrics.horizontalAdvance(text.Text) > room.width()
                              ? metrics.elidedText(text.Text, Qt::ElideRight, room.width())
                              : text.Text;
    painter->drawText(room, int(h | Qt::AlignVCenter) | Qt::TextSingleLine, shown);
}

} // namespace

TTreeItemDelegate::TTreeItemDelegate(TTreeModel *model, QObject *parent) : QStyledItemDelegate(parent), m_model(model)
{
}

QSize TTreeItemDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    return QSize(0, m_rowHeight);
}

void TTreeItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (option.state & QStyle::State_Selected) {
        const QPalette::ColorGroup group = option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
        painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
    }
    if (!m_model->rows())
        return;
    const TVirtualNode cell = m_model->rows()->store().cell(TTreeModel::nodeOf(index), index.column());
    if (!cell)
        return;
    painter->save();
    try {
        paintCell(painter, option, cell);
    } catch (const std::exception &e) {
        qWarning("tree adapter failed while drawing: %s", e.what());
    } catch (...) {
        qWarning("tree adapter failed while drawing");
    }
    painter->restore();
}

void TTreeItemDelegate::paintCell(QPainter *painter, const QStyleOptionViewItem &option, TVirtualNode cell) const
{
    TBaseVirtualTree *rows = m_model->rows();
    TSlices *slices = rows->filledSlicesOf(cell);
    if (!slices || !slices->Count())
        return;
    const QStyle *style = option.widget ? option.widget->style() : QApplication::style();
    TSliceGeometry::TRects rects;
    TSliceGeometry::place(*slices, option.rect, option.font, style, option.widget, rects);
    painter->setClipRect(option.rect);
    bool radio = false;
    bool skinRead = false;
    for (int i = 0; i < slices->Count(); ++i) {
        TSlice *slice = slices->GetSlice(i);
        if (rects[i].width() <= 0)
            continue;
        if (const TCheckSlice *check = sliceAs<TCheckSlice>(slice)) {
            if (!check->Shown)
                continue;
            if (!skinRead) {
                QByteArray skin;
                rows->FillSkinName(cell, &skin);
                radio = skin == "radio";
                skinRead = true;
            }
            drawCheck(painter, option, *check, radio, rects[i]);
        } else if (const TImageSlice *image = sliceAs<TImageSlice>(slice)) {
            drawImage(painter, option, *image, rects[i]);
        } else if (const TStringSlice *text = sliceAs<TStringSlice>(slice)) {
            drawText(painter, option, *text, cell == m_hoverCell && i == m_hoverSlice, rects[i]);
        }
    }
}

} // namespace selectframe
