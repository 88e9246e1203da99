// The library's message texts, kept in one table.
#pragma once

namespace selectframe::res {

inline constexpr char SNoColumns[] = "At least one column should be present";
inline constexpr char SFrameAlreadyInitialized[] = "Frame is already initialized";
inline constexpr char SWriteFromParamsHook[] = "A write hook must not write to the options it guards";

// The favorites dialog.
inline constexpr char SFavoritesCaption[] = "Favorites Manager";
inline constexpr char SFavoritesHeader[] = "Organize search engine categories";
inline constexpr char SFavoritesInfo[] = "Add, delete, rename favorites categories";
inline constexpr char SAddFavoriteCaption[] = "Add new favorite";
inline constexpr char SAddFavoritePrompt[] = "New category name:";
inline constexpr char SRenameFavoriteCaption[] = "Rename favorite";
inline constexpr char SRenameFavoritePrompt[] = "New category name:";
inline constexpr char SDeleteFavoriteQuestion[] = "Do you really want to delete '%1'?";
inline constexpr char SConfirmation[] = "Confirmation";
/// Follows the subject of the dialog's info line: the favorite, its count.
inline constexpr char SSelectedInfoTail[] = " checked in '%s' - %d.";
inline constexpr char SSelectedInfoSubject[] = "Search Engines";

} // namespace selectframe::res
