// SPDX-License-Identifier: MIT
#include "TTextPainter.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QString>
#include <QtMath>

namespace selectframe {

namespace {

/// Characters laid out one glyph each, left to right, without shaping.
bool isPlain(const QString &text)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x0300 && u < 0x0370) || u >= 0x0530)
            return false;
    }
    return true;
}

} // namespace

TTextPainter::TFace &TTextPainter::face(const QFont &font)
{
    for (TFace &f : m_faces)
        if (f.Font == font)
            return f;
    // A handful of fonts (plain, bold, underlined) is the usual working set.
    if (m_faces.size() >= 8)
        m_faces.erase(m_faces.begin());
    TFace f;
    f.Font = font;
    f.Raw = QRawFont::fromFont(font);
    if (f.Raw.isValid()) {
        const QChar ellipsis(0x2026);
        int count = 1;
        if (f.Raw.glyphIndexesForChars(&ellipsis, 1, &f.Ellipsis, &count) && f.Ellipsis) {
            QPointF advance;
            f.Raw.advancesForGlyphIndexes(&f.Ellipsis, &advance, 1);
            f.EllipsisAdvance = advance.x();
        }
    }
    m_faces.push_back(f);
    return m_faces.back();
}

bool TTextPainter::layOut(TFace &face, const QString &text)
{
    if (!face.Raw.isValid() || !face.Ellipsis || !isPlain(text))
        return false;
    const int n = int(text.size());
    m_glyphs.resize(n);
    m_positions.resize(n);
    int count = n;
    if (!face.Raw.glyphIndexesForChars(text.constData(), n, m_glyphs.data(), &count) || count != n)
        return false;
    for (int i = 0; i < n; ++i)
        if (!m_glyphs[i])
            return false;
    face.Raw.advancesForGlyphIndexes(m_glyphs.data(), m_positions.data(), n, QRawFont::KernedAdvances);
    qreal x = 0;
    for (int i = 0; i < n; ++i) {
        const qreal advance = m_positions[i].x();
        m_positions[i] = QPointF(x, 0);
        x += advance;
    }
    m_width = x;
    return true;
}

qreal TTextPainter::advance(const QFont &font, const QString &text)
{
    if (text.isEmpty())
        return 0;
    if (layOut(face(font), text))
        return m_width;
    return QFontMetricsF(font).horizontalAdvance(text);
}

int TTextPainter::lineHeight(const QFont &font)
{
    const TFace &f = face(font);
    if (f.Raw.isValid())
        return qCeil(f.Raw.ascent() + f.Raw.descent());
    return QFontMetrics(font).height();
}

void TTextPainter::draw(QPainter *painter, const QRect &rect, Qt::Alignment horizontal, const QFont &font,
                        const QString &text)
{
    if (text.isEmpty() || rect.width() <= 0)
        return;
    TFace &f = face(font);
    if (!layOut(f, text)) {
        const QFont before = painter->font();
        painter->setFont(font);
        const QFontMetrics metrics(font);
        const QString shown = metrics.horizontalAdvance(text) > rect.width()
                                  ? metrics.elidedText(text, Qt::ElideRight, rect.width())
                                  : text;
        painter->drawText(rect, int(horizontal | Qt::AlignVCenter) | Qt::TextSingleLine, shown);
        painter->setFont(before);
        return;
    }
    int n = int(m_glyphs.size());
    qreal width = m_width;
    if (width > rect.width()) {
        // Keep the glyphs that end in the room left beside the ellipsis; glyph
        // i ends where glyph i + 1 starts.
        const qreal room = rect.width() - f.EllipsisAdvance;
        while (n > 0 && (n == int(m_glyphs.size()) ? m_width : m_positions[n].x()) > room)
            --n;
        const qreal cut = n > 0 ? m_positions[n].x() : 0;
        m_glyphs[n] = f.Ellipsis;
        m_positions[n] = QPointF(cut, 0);
        ++n;
        width = cut + f.EllipsisAdvance;
    }
    qreal x = rect.left();
    if (horizontal & Qt::AlignRight)
        x = rect.right() + 1 - width;
    else if (horizontal & Qt::AlignHCenter)
        x = rect.left() + (rect.width() - width) / 2;
    const qreal ascent = f.Raw.ascent();
    const qreal baseline = rect.top() + (rect.height() - (ascent + f.Raw.descent())) / 2 + ascent;
    const QPointF origin(qRound(x), qRound(baseline));
    QGlyphRun run;
    run.setRawFont(f.Raw);
    run.setRawData(m_glyphs.constData(), m_positions.constData(), n);
    painter->drawGlyphRun(origin, run);
    if (font.underline()) {
        const qreal thickness = qMax<qreal>(1, qRound(f.Raw.lineThickness()));
        painter->fillRect(
            QRectF(origin.x(), origin.y() + qMax<qreal>(1, qRound(f.Raw.underlinePosition())), width, thickness),
            painter->pen().color());
    }
}

} // namespace selectframe
