// SPDX-License-Identifier: MIT
// The library's message texts, kept in one table. Each entry is the text in
// English and the key of its translations; `text` gives it in the user's
// language.
#pragma once

#include <QCoreApplication>

namespace selectframe::res {

/// The translation context of the table's entries.
inline constexpr char Context[] = "selectframe::res";

inline constexpr char SNoColumns[] = QT_TRANSLATE_NOOP("selectframe::res", "At least one column should be present");
inline constexpr char SFrameAlreadyInitialized[] =
    QT_TRANSLATE_NOOP("selectframe::res", "Frame is already initialized");
inline constexpr char SWriteFromParamsHook[] =
    QT_TRANSLATE_NOOP("selectframe::res", "A write hook must not write to the options it guards");
/// The default of "option://more.caption"; shown translated while a host
/// leaves it as it is.
inline constexpr char SMoreCaption[] = QT_TRANSLATE_NOOP("selectframe::res", "More...");

/// `Entry` of this table in the user's language.
inline QString text(const char *Entry)
{
    return QCoreApplication::translate(Context, Entry);
}

// The favorites dialog.
inline constexpr char SFavoritesCaption[] = QT_TRANSLATE_NOOP("selectframe::res", "Favorites Manager");
inline constexpr char SFavoritesHeader[] = QT_TRANSLATE_NOOP("selectframe::res", "Organize search engine categories");
inline constexpr char SFavoritesInfo[] =
    QT_TRANSLATE_NOOP("selectframe::res", "Add, delete, rename favorites categories");
inline constexpr char SAddFavoriteCaption[] = QT_TRANSLATE_NOOP("selectframe::res", "Add new favorite");
inline constexpr char SAddFavoritePrompt[] = QT_TRANSLATE_NOOP("selectframe::res", "New category name:");
inline constexpr char SRenameFavoriteCaption[] = QT_TRANSLATE_NOOP("selectframe::res", "Rename favorite");
inline constexpr char SRenameFavoritePrompt[] = QT_TRANSLATE_NOOP("selectframe::res", "New category name:");
inline constexpr char SDeleteFavoriteQuestion[] =
    QT_TRANSLATE_NOOP("selectframe::res", "Do you really want to delete '%1'?");
inline constexpr char SConfirmation[] = QT_TRANSLATE_NOOP("selectframe::res", "Confirmation");
/// Follows the subject of the dialog's info line: the favorite, its count.
inline constexpr char SSelectedInfoTail[] = QT_TRANSLATE_NOOP("selectframe::res", " checked in '%s' - %d.");
inline constexpr char SSelectedInfoSubject[] = QT_TRANSLATE_NOOP("selectframe::res", "Search Engines");

} // namespace selectframe::res
