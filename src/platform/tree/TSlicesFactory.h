// SPDX-License-Identifier: MIT
// Makes slices by kind name and looks up cursors by name.
#pragma once

#include "TSlice.h"

#include <QByteArray>

namespace selectframe {

/// Creates slices from the kind names "check", "image" and "string", tells
/// a slice's kind by name, and maps the cursor names "hand cursor" and
/// "default" onto a slice.
class TSlicesFactory
{
public:
    /// A new slice of `kind`, owned by the caller until handed to
    /// TSlices::Add; null for an unknown kind.
    TSlice *create(const QByteArray &kind) const;
    /// Whether `slice` is of the kind named `kind`.
    bool isKind(const TSlice *slice, const QByteArray &kind) const;
    /// Sets the cursor shown over `slice`: "hand cursor" a pointing hand,
    /// anything else the default arrow.
    void setCursor(TSlice *slice, const QByteArray &cursorName) const;
};

/// The slice factory every adapter shares.
const TSlicesFactory &SlicesFactory();

} // namespace selectframe
