// SPDX-License-Identifier: MIT
// Texts compared and hashed without regard to letter case.
#pragma once

#include <QHashFunctions>
#include <QString>
#include <QStringView>

namespace selectframe {

/// Whether `a` and `b` are equal after case folding.
bool foldedEqual(QStringView a, QStringView b);
/// A hash that agrees with foldedEqual.
size_t foldedHash(QStringView text, size_t seed = 0);

/// A text as a hash key that ignores letter case, for the list lookups that
/// the host's string lists make case-blind.
struct TFoldedKey
{
    QString text;

    friend bool operator==(const TFoldedKey &a, const TFoldedKey &b) { return foldedEqual(a.text, b.text); }
    friend size_t qHash(const TFoldedKey &key, size_t seed) { return foldedHash(key.text, seed); }
};

} // namespace selectframe
