// SPDX-License-Identifier: MIT
// Finding a short text in a long one, exactly, code unit by code unit.
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

} // namespace selectframe
