// SPDX-License-Identifier: MIT
// Named text styles of cell slices.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QPalette>

namespace selectframe {

/// How a slice's text looks. A style names palette roles rather than
/// colours, so it follows the widget's palette (dark themes included) and
/// palette changes without being rebuilt.
class TSliceStyle
{
public:
    enum TColorKind : uint8_t {
        sckText,
        sckLink,
        sckError,
        sckGray,
    };

    TSliceStyle(QByteArray name, TColorKind color, bool bold, bool underline);

    const QByteArray &name() const { return m_name; }
    bool bold() const { return m_bold; }
    bool underline() const { return m_underline; }

    /// The text colour in `palette`; `selected` rows keep links and errors
    /// legible on the highlight.
    QColor color(const QPalette &palette, bool enabled, bool selected) const;
    /// `base` with this style's weight and underline.
    QFont font(const QFont &base) const;

private:
    QByteArray m_name;
    TColorKind m_color;
    bool m_bold;
    bool m_underline;
};

/// The style registered under `name` ("text", "bold", "link", "red",
/// "gray_text"); any other name gives "text". `skin` is reserved for
/// skin-specific variants and currently selects nothing. Styles live for the
/// whole program.
const TSliceStyle *getStyle(const QByteArray &name, const QByteArray &skin = QByteArray());

} // namespace selectframe
