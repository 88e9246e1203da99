// SPDX-License-Identifier: MIT
#include "TSliceGeometry.h"

#include "TCheckSlice.h"
#include "TImageSlice.h"
#include "TStringSlice.h"
#include "TTextPainter.h"

#include <QStyle>
#include <QtMath>

namespace selectframe {

namespace {

/// The room a slice's content needs; width -1 when it shows nothing. A text
/// is measured only when `measureText`, as fill slices elide theirs to the
/// room they get; its height is `lineHeight`.
QSize contentSize(TSlice *slice, bool measureText, int lineHeight, const QFont &font, const QStyle *style,
                  const QWidget *widget, TTextPainter &painter)
{
    if (const TCheckSlice *check = sliceAs<TCheckSlice>(slice)) {
        const int side = TSliceGeometry::indicatorSize(style, widget);
        return check->Shown ? QSize(side, side) : QSize(-1, 0);
    }
    if (const TImageSlice *image = sliceAs<TImageSlice>(slice))
        return image->Images ? image->Images->IconSize : QSize(-1, 0);
    const TStringSlice *text = sliceAs<TStringSlice>(slice);
    if (!text || text->Text.isEmpty())
        return QSize(-1, 0);
    return QSize(measureText ? qCeil(painter.advance(slice->Style->font(font), text->Text)) : 0, lineHeight);
}

} // namespace

int TSliceGeometry::indicatorSize(const QStyle *style, const QWidget *widget)
{
    return style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, widget);
}

bool TSliceGeometry::place(const TSlices &slices, const QRect &cell, const QFont &font, const QStyle *style,
                           const QWidget *widget, TTextPainter &text, TRects &rects)
{
    const int n = slices.Count();
    rects.resize(n);
    QVarLengthArray<QSize, 8> content(n);
    const int lineHeight = text.lineHeight(font);
    int used = 0;
    int fills = 0;
    for (int i = 0; i < n; ++i) {
        TSlice *s = slices.GetSlice(i);
        const bool fill = s->Layout1 == slFill;
        content[i] = contentSize(s, !fill, lineHeight, font, style, widget, text);
        if (fill) {
            ++fills;
            rects[i].setWidth(int(s->Layout2));
            continue;
        }
        const int w = qMax(int(s->Layout2), content[i].width() < 0 ? 0 : content[i].width() + 2 * Padding);
        rects[i].setWidth(w);
        used += w;
    }
    const int spare = qMax(0, cell.width() - used);
    int x = cell.left();
    int fillIndex = 0;
    bool fits = true;
    for (int i = 0; i < n; ++i) {
        TSlice *s = slices.GetSlice(i);
        int w = rects[i].width();
        if (s->Layout1 == slFill) {
            const int share = spare / fills + (fillIndex++ < spare % fills ? 1 : 0);
            w = qMax(w, share);
        }
        w = qMax(0, qMin(w, cell.right() + 1 - x));
        rects[i] = QRect(x, cell.top(), w, cell.height());
        x += w;
        // Texts are cut to their room; boxes and images are drawn whole.
        if (content[i].width() >= 0)
            fits =
                fits && content[i].height() <= cell.height() && (sliceAs<TStringSlice>(s) || content[i].width() <= w);
    }
    return fits;
}

int TSliceGeometry::sliceAt(const TRects &rects, int x)
{
    for (int i = 0; i < rects.size(); ++i)
        if (rects[i].width() > 0 && x >= rects[i].left() && x <= rects[i].right())
            return i;
    return -1;
}

} // namespace selectframe
