// SPDX-License-Identifier: MIT
// Finding a short text in a long one, exactly, code unit by code unit, and
// preparing the long one: lower-casing ASCII, narrowing to Latin-1.
#pragma once

#include <QByteArrayView>
#include <QStringView>

namespace selectframe {

/// The position of the first `Needle` in `Haystack` at or after `From`, -1
/// when there is none; an empty needle is found at `From`. Made for one
/// long haystack searched many times with a short needle (a filter over
/// the texts of a million rows): blocks of the haystack are tested at once
/// for the needle's first and last unit, and only their common hits are
/// compared. The first compares bytes (Latin-1 texts), the second UTF-16
/// code units.
qsizetype FindText(QByteArrayView Haystack, qsizetype From, QByteArrayView Needle);
qsizetype FindText(QStringView Haystack, qsizetype From, QStringView Needle);

/// Writes the `Count` units at `From` lower-cased to `To`, and true, when
/// they are all ASCII other than U+0000; false otherwise, `To` then holding
/// nothing of use. Sixteen bytes at a time: most texts a filter searches
/// are ASCII, and a million rows of them are folded at once.
bool LowerAscii(const char16_t *From, qsizetype Count, char16_t *To);
/// Writes the `Count` units at `From` to `To` as Latin-1 bytes, and true,
/// when they all are Latin-1; false otherwise.
bool NarrowLatin1(const char16_t *From, qsizetype Count, char *To);

} // namespace selectframe
