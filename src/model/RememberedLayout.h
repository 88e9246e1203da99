// SPDX-License-Identifier: MIT
// Where a frame's remembered tree layout lives, and reading its widths.
#pragma once

#include <selectframe/Interfaces.h>

#include <QList>
#include <QString>
#include <QStringView>

#include <utility>

namespace selectframe {

/// Names of the remembered values under the layout key.
inline constexpr char LayoutSortValue[] = "SelectTree_Sort";
inline constexpr char LayoutWidthValue[] = "SelectTree_Width";

/// The layout key's path in the per-user settings store: the text of
/// "option://ui". Empty, meaning nothing may be read or written, when the
/// option is unset or empty.
QString RememberedLayoutKey(INamedParams *Options);

/// Remembered widths by column position, read without creating anything;
/// empty when nothing is remembered. Unset positions hold 0.
QList<int> ReadColumnWidths(INamedParams *Options);

/// The "a=b" entries of a remembered value (its comma text split) whose
/// both sides are integers, in order; any other entry is skipped.
QList<std::pair<int, int>> parseLayoutPairs(const QStringList &entries);

/// Parses a remembered width value: comma text of "index=width" entries.
/// The result has one element per entry, grown to cover the highest index;
/// each width is stored as min(|width|, 800). Entries that are not two
/// integers, and negative or absurdly large indexes, are skipped.
QList<int> parseColumnWidths(QStringView text);

} // namespace selectframe
