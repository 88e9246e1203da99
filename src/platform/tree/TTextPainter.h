// SPDX-License-Identifier: MIT
// Fast single-line text for cells.
#pragma once

#include <QFont>
#include <QPointF>
#include <QRawFont>
#include <QVarLengthArray>

#include <vector>

class QPainter;
class QRect;
class QString;

namespace selectframe {

/// Measures and draws the one-line texts of cells. Texts in scripts that
/// need no shaping (Latin, Greek, Cyrillic) whose characters the font has
/// are laid out straight from the font's glyph table with kerning, which
/// is several times cheaper than a full text layout and allocates nothing;
/// any other text goes through QPainter's text layout. A text wider than its
/// room is cut with an ellipsis. Drawing leaves the painter's font as it
/// was.
class TTextPainter
{
public:
    /// Width of `text` in `font`, in pixels.
    qreal advance(const QFont &font, const QString &text);
    /// Height of a line of `font` as drawn, in pixels.
    int lineHeight(const QFont &font);
    /// Draws `text` in `rect`, vertically centred and aligned by
    /// `horizontal` (left, centre or right), in the painter's pen.
    void draw(QPainter *painter, const QRect &rect, Qt::Alignment horizontal, const QFont &font, const QString &text);

private:
    struct TFace
    {
        QFont Font;
        QRawFont Raw;
        quint32 Ellipsis = 0;
        qreal EllipsisAdvance = 0;
    };

    TFace &face(const QFont &font);
    /// Lays `text` out in m_glyphs / m_positions; false when it needs the
    /// full text layout.
    bool layOut(TFace &face, const QString &text);

    std::vector<TFace> m_faces;
    QVarLengthArray<quint32, 128> m_glyphs;
    QVarLengthArray<QPointF, 128> m_positions;
    qreal m_width = 0;
};

} // namespace selectframe
