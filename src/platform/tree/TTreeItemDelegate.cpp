// SPDX-License-Identifier: MIT
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

/// Restores what drawing a cell changes on the shared painter: the pen, or
/// everything when the cell is clipped.
class TPainterScope
{
public:
    TPainterScope(QPainter *painter, const QRect &clip) : m_painter(painter), m_clipped(!clip.isNull())
    {
        if (m_clipped) {
            painter->save();
            painter->setClipRect(clip);
        } else {
            m_pen = painter->pen();
        }
    }
    ~TPainterScope()
    {
        if (m_clipped)
            m_painter->restore();
        else
            m_painter->setPen(m_pen);
    }
    TPainterScope(const TPainterScope &) = delete;
    TPainterScope &operator=(const TPainterScope &) = delete;

private:
    QPainter *m_painter;
    bool m_clipped;
    QPen m_pen;
};

const QStyle *styleOf(const QStyleOptionViewItem &option)
{
    return option.widget ? option.widget->style() : QApplication::style();
}

} // namespace

TTreeItemDelegate::TTreeItemDelegate(TTreeModel *model, QObject *parent) : QStyledItemDelegate(parent), m_model(model)
{}

QSize TTreeItemDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    return QSize(0, m_rowHeight);
}

const QFont &TTreeItemDelegate::styleFont(const TSliceStyle *style, bool hot, const QFont &base) const
{
    if (!(base == m_fontBase)) {
        m_fontBase = base;
        m_fonts.clear();
    }
    for (const TStyleFont &f : m_fonts)
        if (f.Style == style && f.Hot == hot)
            return f.Font;
    QFont font = style->font(base);
    if (hot)
        font.setUnderline(true);
    m_fonts.push_back({style, hot, font});
    return m_fonts.back().Font;
}

void TTreeItemDelegate::drawCheck(QPainter *painter, const QStyleOptionViewItem &option, const TCheckSlice &check,
                                  bool radio, const QRect &rect) const
{
    const QStyle *style = styleOf(option);
    if (m_checksStyle != style || m_checksPalette != option.palette.cacheKey()) {
        m_checks.clear();
        m_checksStyle = style;
        m_checksPalette = option.palette.cacheKey();
    }
    const int side = TSliceGeometry::indicatorSize(style, option.widget);
    const bool enabled = option.state & QStyle::State_Enabled;
    const qreal dpr = painter->device()->devicePixelRatioF();
    const quint32 key = quint32(radio) | quint32(qMin<int>(check.Value, 2)) << 1 | quint32(enabled) << 3 |
                        quint32(side) << 4 | quint32(qRound(dpr * 4)) << 20;
    QPixmap &pixmap = m_checks[key];
    if (pixmap.isNull()) {
        pixmap = QPixmap(QSize(side, side) * dpr);
        pixmap.setDevicePixelRatio(dpr);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        QStyleOptionButton box;
        box.rect = QRect(0, 0, side, side);
        box.palette = option.palette;
        // Styles such as Fusion outline the box a shade darker than the
        // window color, which a dark palette makes as dark as the rows'
        // base: the box would vanish. There the outline comes from a color
        // between base and text, lightened by the shade the style takes off.
        const QColor base = option.palette.color(QPalette::Base);
        if (base.lightness() < 128) {
            const QColor text = option.palette.color(QPalette::Text);
            const QColor between((base.red() + text.red()) / 2, (base.green() + text.green()) / 2,
                                 (base.blue() + text.blue()) / 2);
            box.palette.setColor(QPalette::Window, between.lighter(140));
        }
        box.state = enabled ? QStyle::State_Enabled : QStyle::State_None;
        box.state |= check.Value == 1   ? QStyle::State_On
                     : check.Value == 2 ? QStyle::State_NoChange
                                        : QStyle::State_Off;
        style->drawPrimitive(radio ? QStyle::PE_IndicatorRadioButton : QStyle::PE_IndicatorCheckBox, &box, &p,
                             option.widget);
    }
    painter->drawPixmap(rect.left() + (rect.width() - side) / 2, rect.top() + (rect.height() - side) / 2, pixmap);
}

void TTreeItemDelegate::drawImage(QPainter *painter, const QStyleOptionViewItem &option, const TImageSlice &image,
                                  const QRect &rect) const
{
    if (!image.Images || image.ImageIndex < 0 || image.ImageIndex >= image.Images->Icons.size())
        return;
    const QIcon &icon = image.Images->Icons[image.ImageIndex];
    const QSize size = image.Images->IconSize;
    const bool enabled = option.state & QStyle::State_Enabled;
    const qreal dpr = painter->device()->devicePixelRatioF();
    // Icons are few; the cache is dropped whole when a host swaps many.
    if (m_images.size() > 512)
        m_images.clear();
    QPixmap &pixmap = m_images[{icon.cacheKey(), int(enabled) | qRound(dpr * 4) << 1}];
    if (pixmap.isNull())
        pixmap = icon.pixmap(size, dpr, enabled ? QIcon::Normal : QIcon::Disabled);
    const QSize shown = pixmap.deviceIndependentSize().toSize();
    painter->drawPixmap(rect.left() + (rect.width() - shown.width()) / 2,
                        rect.top() + (rect.height() - shown.height()) / 2, pixmap);
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
    try {
        paintCell(painter, option, cell);
    } catch (const std::exception &e) {
        qWarning("tree adapter failed while drawing: %s", e.what());
    } catch (...) {
        qWarning("tree adapter failed while drawing");
    }
}

void TTreeItemDelegate::paintCell(QPainter *painter, const QStyleOptionViewItem &option, TVirtualNode cell) const
{
    TBaseVirtualTree *rows = m_model->rows();
    TSlices *slices = rows->filledSlicesOf(cell);
    if (!slices || !slices->Count())
        return;
    TSliceGeometry::TRects rects;
    const bool fits =
        TSliceGeometry::place(*slices, option.rect, option.font, styleOf(option), option.widget, m_text, rects);
    // Clipping costs as much as drawing a cell's texts, so only a cell whose
    // content overflows pays for it; the others just get their pen back.
    const TPainterScope scope(painter, fits ? QRect() : option.rect);
    const bool enabled = option.state & QStyle::State_Enabled;
    const bool selected = option.state & QStyle::State_Selected;
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
            if (text->Text.isEmpty())
                continue;
            const bool hot = text->Flag1 == 1 && cell == m_hoverCell && i == m_hoverSlice;
            painter->setPen(text->Style->color(option.palette, enabled, selected));
            const Qt::Alignment h = text->Flag2 == 1   ? Qt::AlignHCenter
                                    : text->Flag2 == 2 ? Qt::AlignRight
                                                       : Qt::AlignLeft;
            m_text.draw(painter, rects[i].adjusted(TSliceGeometry::Padding, 0, -TSliceGeometry::Padding, 0), h,
                        styleFont(text->Style, hot, option.font), text->Text);
        }
    }
}

} // namespace selectframe
