// SPDX-License-Identifier: MIT
// The list-in-one-string format of list options, favorites lines and the
// remembered layout.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace selectframe {

/// Splits comma text. Characters with codes 1..32 before and after an entry
/// are skipped; an entry starting with a double quote runs to the matching
/// quote ("" inside stands for one quote; an unterminated quote takes the
/// rest of the text); any other entry ends at a comma or a character with
/// code 0..32. A comma that is the text's last character adds an empty
/// entry. The text ends at its first NUL character.
QStringList splitCommaText(QStringView text);

/// Joins entries into comma text that splitCommaText reads back: entries
/// holding a character with code 0..32, a comma or a double quote are
/// quoted, and a lone empty entry is written as "".
QString joinCommaText(const QStringList &entries);

/// Quotes one entry when it needs it.
QString quoteCommaEntry(const QString &entry);

} // namespace selectframe
