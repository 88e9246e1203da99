// SPDX-License-Identifier: MIT
#include "TSliceStyle.h"

#include <array>

namespace selectframe {

TSliceStyle::TSliceStyle(QByteArray name, TColorKind color, bool bold, bool underline)
    : m_name(std::move(name)), m_color(color), m_bold(bold), m_underline(underline)
{}

QColor TSliceStyle::color(const QPalette &palette, bool enabled, bool selected) const
{
    const QPalette::ColorGroup group = enabled ? QPalette::Active : QPalette::Disabled;
    if (selected && m_color != sckError)
        return palette.color(group, QPalette::HighlightedText);
    switch (m_color) {
    case sckLink:
        return palette.color(group, QPalette::Link);
    case sckError: {
        // One red for light and one for dark backgrounds, each readable there.
        const bool darkBack = palette.color(group, selected ? QPalette::Highlight : QPalette::Base).lightness() < 128;
        return darkBack ? QColor(0xff, 0x6b, 0x6b) : QColor(0xc0, 0x00, 0x00);
    }
    case sckGray:
        return palette.color(QPalette::Disabled, QPalette::Text);
    case sckText:
        break;
    }
    return palette.color(group, QPalette::Text);
}

QFont TSliceStyle::font(const QFont &base) const
{
    if (!m_bold && !m_underline)
        return base;
    QFont f(base);
    if (m_bold)
        f.setBold(true);
    if (m_underline)
        f.setUnderline(true);
    return f;
}

const TSliceStyle *getStyle(const QByteArray &name, const QByteArray &skin)
{
    Q_UNUSED(skin);
    static const std::array<TSliceStyle, 5> styles{{
        {"text", TSliceStyle::sckText, false, false},
        {"bold", TSliceStyle::sckText, true, false},
        {"link", TSliceStyle::sckLink, false, true},
        {"red", TSliceStyle::sckError, false, true},
        {"gray_text", TSliceStyle::sckGray, false, false},
    }};
    for (const TSliceStyle &s : styles)
        if (s.name() == name)
            return &s;
    return &styles[0];
}

} // namespace selectframe
