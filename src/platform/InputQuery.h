// SPDX-License-Identifier: MIT
// A modal box asking for one line of text.
#pragma once

#include <QString>

class QWidget;

namespace selectframe {

/// Asks for a line of at most `MaxLength` characters in a small modal box
/// captioned `ACaption`, centred on the screen: `APrompt` above an edit
/// that starts with `Value`, all selected, and OK and Cancel below. Laid out
/// in dialog units of the font of `Parent` (the application's without one),
/// so it grows with the font. Returns whether OK was pressed; only then is
/// `Value` set to the text typed.
bool WideInputQuery(const QString &ACaption, const QString &APrompt, QString &Value, int MaxLength,
                    QWidget *Parent = nullptr);

} // namespace selectframe
