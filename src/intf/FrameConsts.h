// SPDX-License-Identifier: MIT
// Constants shared inside the library: settings messages and the option
// tables every frame starts from.
#pragma once

#include <selectframe/FrameKeys.h>
#include <selectframe/Interfaces.h>

#include <QEvent>

namespace selectframe {

/// Change notifications the settings object sends synchronously to its
/// control, as event types.
enum TSettingsMessage : int {
    SFM_SHOWONLYCHECKED = 0x0500,
    SFM_SHOWFAVORITES = 0x0501,
    SFM_FAVORITESMODE = 0x0502,
    SFM_FILTER = 0x0503,
    SFM_SHOWFILTER = 0x0504,
    SFM_SHOWGROUPBY = 0x0505,
};

/// The name of a frame's own favorite in embedded mode. It is saved and
/// loaded with the others but never shown by name: neither the check menu
/// nor the favorites list offers it.
inline const QString &EmbeddedFavoritesName()
{
    static const QString name = QStringLiteral("%EmbeddedFavorites%");
    return name;
}

/// One option default: the key and the value, whose variant type is the
/// one written (hosts may inspect it).
struct TOptionDefault
{
    const char *Key;
    QVariant Value;
};

/// The defaults written into every new frame, in this order.
const QList<TOptionDefault> &OptionDefaults();

/// Writes every default into `params`, in table order.
void WriteOptionDefaults(INamedParams *params);

/// What a real screen can show of a size or count option. A value outside
/// is clamped to the nearer end when the option is read, so that no value a
/// host writes makes a paint hang or a menu layout overflow. For width
/// lists the range holds for each entry.
struct TOptionRange
{
    const char *Key;
    int32_t Min;
    int32_t Max;
};

/// Every option that has a range, in the order of the defaults.
const QList<TOptionRange> &OptionRanges();

/// `Value` of option `Key` brought into its range; a key without one gives
/// `Value` unchanged.
int32_t ClampToOptionRange(const char *Key, int32_t Value);

/// The options a second control (the favorites dialog's) copies from the
/// first, in this order. "option://show.favorites" is written as false
/// instead of being copied; per-column keys follow separately.
const QList<const char *> &OptionCopyKeys();

/// The item value that column `Column` shows ("column<n>_data"). The names
/// of the first columns are made once, as painting and sorting ask for them
/// per cell and per row; any other column's is made when asked.
QString ColumnDataKey(int Column);

} // namespace selectframe
