#include "TSliceGeometry.h"

#include "TCheckSlice.h"
#include "TImageSlice.h"
#include "TStringSlice.h"
#include "TTextPainter.h"

#include <QtMath>
#include <QStyle>

namespace selectframe {

namespace {

int contentWidth(TSlice *slice, const QFont &font, const QStyle *style, const QWidget *widget, TTextPainter &painter)
{
    if (const TCheckSlice *check = sliceAs<TCheckSlice>(slice))
        return check->Shown ? TSliceGeometry::indicatorSize(style, widget) : -1;
    if (const TImageSlice *image = sliceAs<TImageSlice>(slice))
        return image->Images ? image->Images->IconSize.width() : -1;
    const TStringSlice *text = sliceAs<TStringSlice>(slice);
    if (!text || text->Text.isEmpty())
        return -1;
    return qCeil(painter.advance(slice->Style->font(font), text->Text));
}

} // namespace

int TSliceGeometry::indicatorSize(const QStyle *style, const QWidget *widget)
{
    return style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, widget);
}

void TSliceGeometry::place(const TSlices &slices, const QRect &cell, const QFont &font, const QStyle *style,
                           const QWidget *widget, TTextPainter &text, TRects &rects)
{
    const int n = slices.Count();
    rects.resize(n);
    int used = 0;
    int fills = 0;
    for (int i = 0; i < n; ++i) {
        TSlice *s = slices.GetSlice(i);
        if (s->Layout1 == slFill) {
            ++fills;
            rects[i].setWidth(int(s->Layout2));
            continue;
        }
        const int content = contentWidth(s, font, style, widget, text);
        const int w = qMax(int(s->Layout2), content < 0 ? 0 : content + 2 * Padding);
        rects[i].setWidth(w);
        used += w;
    }
    const int spare = qMax(0, cell.width() - used);
    int x = cell.left();
    int fillIndex = 0;
    for (int i = 0; i < n; ++i) {
        int w = rects[i].width();
        if (slices.GetSlice(i)->Layout1 == slFill) {
            const int share = spare / fills + (fillIndex++ < spare % fills ? 1 : 0);
            w = qMax(w, share);
        }
        w = qMax(0, qMin(w, cell.right() + 1 - x));
        rects[i] = QRect(x, cell.top(), w, cell.height());
        x += w;
    }
}

int TSliceGeometry::sliceAt(const TRects &rects, int x)
{
    for (int i = 0; i < rects.size(); ++i)
        if (rects[i].width() > 0 && x >= rects[i].left() && x <= rects[i].right())
            return i;
    return -1;
}

} // namespace selectframe
