// SPDX-License-Identifier: MIT
// The string keys through which a host talks to a frame. Keys are matched
// byte for byte; every key the frame uses is lower case. A key that carries
// a column caption carries it in UTF-8.
#pragma once

#include <cstdint>

namespace selectframe::keys {

// Handlers registered through ISelectFrame::GetMethods.
inline constexpr char EventOnChange[] = "events://onchange";
inline constexpr char EventItemCompare[] = "events://item_compare";
inline constexpr char EventGroupCompare[] = "events://group_compare";
inline constexpr char EventChangeGroup[] = "events://change_group";
inline constexpr char EventActionClick[] = "events://action_click";
inline constexpr char EventFavAction[] = "events://fav_action";
inline constexpr char EventItemQuery[] = "events://item_query";

// Values the frame publishes in its params.
inline constexpr char PropertyTotalCount[] = "property://total.count";
inline constexpr char PropertyCheckedCount[] = "property://checked.count";

// Options, with the defaults every new frame starts with.
inline constexpr char OptionSelectMode[] = "option://select.mode";
inline constexpr char OptionShowFavorites[] = "option://show.favorites";
inline constexpr char OptionFavoritesMode[] = "option://favorites.mode";
inline constexpr char OptionImageList[] = "option://imagelist";
inline constexpr char OptionFilterShow[] = "option://filter.show";
inline constexpr char OptionFilterText[] = "option://filter.text";
inline constexpr char OptionFilterColumns[] = "option://filter.columns";
inline constexpr char OptionGroupByColumns[] = "option://groupby.columns";
inline constexpr char OptionGroupByIndex[] = "option://groupby.index";
inline constexpr char OptionRowLimit[] = "option://row.limit";
inline constexpr char OptionColumnLimit[] = "option://column.limit";
inline constexpr char OptionMoreCaption[] = "option://more.caption";
inline constexpr char OptionHeaderHeight[] = "option://header.height";
inline constexpr char OptionRowHeight[] = "option://row.height";
inline constexpr char OptionRowSelect[] = "option://row.select";
inline constexpr char OptionRowFocusSelect[] = "option://row.focus&select";
inline constexpr char OptionInitSort[] = "option://init.sort";
inline constexpr char OptionGroupsExpandFirst[] = "option://groups.expand_first";
inline constexpr char OptionGroupsExpanded[] = "option://groups.expanded";
inline constexpr char OptionGroupsStyle[] = "option://groups.style";
inline constexpr char OptionShowRootLine[] = "option://show.rootline";
inline constexpr char OptionShowNodeLine[] = "option://show.nodeline";
inline constexpr char OptionShowToolTip[] = "option://show.tooltip";
inline constexpr char OptionColumnNames[] = "option://column.names";
inline constexpr char OptionColumnsWidth[] = "option://columns.width";
inline constexpr char OptionFavoriteColumns[] = "option://favorite.columns";
inline constexpr char OptionFavColumnsWidth[] = "option://fav.columnswidth";
inline constexpr char OptionFavFormWidth[] = "option://fav.formwidth";
inline constexpr char OptionFavFormHeight[] = "option://fav.formheight";
inline constexpr char OptionFavSelectedInfo[] = "option://fav.selectedinfo";
inline constexpr char OptionFavShowHelp[] = "option://fav.showhelp";
// Options without a default.
inline constexpr char OptionFavHelpContext[] = "option://fav.helpcontext";
inline constexpr char OptionUi[] = "option://ui";
inline constexpr char OptionFavoriteOfColumn[] = "option://favorite.%1";           // %1: column caption
inline constexpr char OptionFavOtherNameOfColumn[] = "option://fav.other_name.%1"; // %1: column caption

// Item values the frame reads.
inline constexpr char ValueGroup[] = "group";
inline constexpr char ValueImage[] = "image";
inline constexpr char ValueHint[] = "hint";
inline constexpr char ValueActionLink[] = "c_action_link";
inline constexpr char ValueActionLinkError[] = "c_action_link_err";
inline constexpr char ValueColumnData[] = "column%1_data"; // %1: 0-based column index

} // namespace selectframe::keys

namespace selectframe {

/// Codes of the "events://fav_action" handler's Action argument.
enum TFavAction : int32_t {
    faDialogShown = 1,
    faDialogOk = 2,
    faDialogCancelled = 3,
    faRenamed = 4,
    faDeleted = 5,
    faDialogActionClick = 6,
    faCheckByFavorite = 7,
};

} // namespace selectframe
