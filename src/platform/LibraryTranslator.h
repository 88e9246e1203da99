// SPDX-License-Identifier: MIT
// The library's translations of its own texts.
#pragma once

#include <QLocale>
#include <QString>

namespace selectframe {

/// Where the library's translations are built in ("selectframe_<lang>.qm").
inline constexpr char BuiltInTranslations[] = ":/selectframe/i18n";

/// Installs in the application a translator of the library's texts for the
/// first of `Locale`'s UI languages that has a translation in `Directory`,
/// replacing the one installed before; with none, the texts stay English.
/// Returns whether a translator is installed.
bool installLibraryTranslator(const QLocale &Locale, const QString &Directory = QLatin1String(BuiltInTranslations));
/// Takes the library's translator out of the application again.
void removeLibraryTranslator();

/// What a host chose: unless the application property named
/// `TranslateProperty` (public header) is false, the library's translator
/// for the default locale (the host's UI language) is installed once;
/// with it false, it is removed.
void applyHostTranslationChoice();

} // namespace selectframe
