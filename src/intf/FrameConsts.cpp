// SPDX-License-Identifier: MIT
#include "FrameConsts.h"

#include "intf/resStrings.h"

#include <algorithm>
#include <array>

namespace selectframe {

namespace {

QVariant u8(uint8_t v)
{
    return QVariant::fromValue<uchar>(v);
}
QVariant u16(uint16_t v)
{
    return QVariant::fromValue<ushort>(v);
}
QVariant str8(const char *s)
{
    return QVariant(QByteArray(s));
}

} // namespace

const QList<TOptionDefault> &OptionDefaults()
{
    using namespace keys;
    static const QList<TOptionDefault> table{
        {OptionSelectMode, QVariant(int32_t(1))},
        {OptionShowFavorites, QVariant(false)},
        {OptionFavoritesMode, u8(0)},
        {OptionImageList, QVariant(uint32_t(0))},
        {OptionFilterShow, QVariant(false)},
        {OptionFilterText, str8("")},
        {OptionFilterColumns, str8("0")},
        {OptionGroupByColumns, str8("")},
        {OptionGroupByIndex, u8(0)},
        {OptionRowLimit, u8(30)},
        {OptionColumnLimit, u8(3)},
        {OptionMoreCaption, str8(res::SMoreCaption)},
        {OptionHeaderHeight, u8(18)},
        {OptionRowHeight, u8(22)},
        {OptionRowSelect, QVariant(true)},
        {OptionRowFocusSelect, QVariant(true)},
        {OptionInitSort, u8(0)},
        {OptionGroupsExpandFirst, QVariant(false)},
        {OptionGroupsExpanded, QVariant(false)},
        {OptionGroupsStyle, str8("bold")},
        {OptionShowRootLine, QVariant(false)},
        {OptionShowNodeLine, QVariant(true)},
        {OptionShowToolTip, QVariant(false)},
        {OptionColumnNames, str8("column")},
        {OptionColumnsWidth, str8("")},
        {OptionFavoriteColumns, str8("")},
        {OptionFavColumnsWidth, str8("")},
        {OptionFavFormWidth, u16(650)},
        {OptionFavFormHeight, u16(450)},
        {OptionFavSelectedInfo, str8("")},
        {OptionFavShowHelp, QVariant(false)},
    };
    return table;
}

const QList<TOptionRange> &OptionRanges()
{
    using namespace keys;
    // Lengths in pixels: a few screens across at most. Counts of menu rows
    // and columns: more than a screen holds at any font size.
    static const QList<TOptionRange> table{
        {OptionRowLimit, 0, 1000},     {OptionColumnLimit, 0, 100},    {OptionHeaderHeight, 0, 240},
        {OptionRowHeight, 0, 240},     {OptionColumnsWidth, -1, 8192}, {OptionFavColumnsWidth, -1, 8192},
        {OptionFavFormWidth, 0, 8192}, {OptionFavFormHeight, 0, 8192},
    };
    return table;
}

int32_t ClampToOptionRange(const char *Key, int32_t Value)
{
    for (const TOptionRange &range : OptionRanges())
        if (qstrcmp(range.Key, Key) == 0)
            return std::clamp(Value, range.Min, range.Max);
    return Value;
}

void WriteOptionDefaults(INamedParams *params)
{
    if (!params)
        return;
    for (const TOptionDefault &option : OptionDefaults())
        params->SetValue(option.Key, option.Value);
}

const QList<const char *> &OptionCopyKeys()
{
    using namespace keys;
    static const QList<const char *> list{
        OptionSelectMode,     OptionShowFavorites, OptionFavoritesMode,  OptionImageList,    OptionRowLimit,
        OptionColumnLimit,    OptionMoreCaption,   OptionHeaderHeight,   OptionRowHeight,    OptionRowSelect,
        OptionRowFocusSelect, OptionInitSort,      OptionGroupsExpanded, OptionGroupsStyle,  OptionShowRootLine,
        OptionShowNodeLine,   OptionShowToolTip,   OptionColumnNames,    OptionColumnsWidth, OptionFavoriteColumns,
    };
    return list;
}

QString ColumnDataKey(int Column)
{
    // Bounded, so a sort asked for a column far out of range (or below 0)
    // costs one name, not a table up to it.
    constexpr int CachedColumns = 64;
    static const std::array<QString, CachedColumns> names = [] {
        std::array<QString, CachedColumns> made;
        for (int c = 0; c < CachedColumns; ++c)
            made[size_t(c)] = QString::fromLatin1(keys::ValueColumnData).arg(c);
        return made;
    }();
    if (Column >= 0 && Column < CachedColumns)
        return names[size_t(Column)];
    return QString::fromLatin1(keys::ValueColumnData).arg(Column);
}

} // namespace selectframe
