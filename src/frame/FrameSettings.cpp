// SPDX-License-Identifier: MIT
#include "FrameSettings.h"

#include "intf/FrameConsts.h"
#include "platform/Conversion.h"

#include <QCoreApplication>
#include <QEvent>

namespace selectframe {

TFrameSettings::TFrameSettings() = default;

void TFrameSettings::Assign(const QObject *Source)
{
    const auto *source = qobject_cast<const TFrameSettings *>(Source);
    if (!source) {
        const char *from = Source ? Source->metaObject()->className() : "nil";
        throw EConvertError(std::string("Cannot assign a ") + from + " to a TFrameSettings");
    }
    FSelectMode = source->FSelectMode;
    FShowOnlyChecked = source->FShowOnlyChecked;
    FShowFavorites = source->FShowFavorites;
    FFavoritesMode = source->FFavoritesMode;
}

void TFrameSettings::notify(int message)
{
    if (!FOwner)
        return;
    QEvent event{QEvent::Type(message)};
    QCoreApplication::sendEvent(FOwner, &event);
}

template <class T>
void TFrameSettings::change(T &field, T value, int message)
{
    if (field == value)
        return;
    field = value;
    notify(message);
}

void TFrameSettings::SetSelectMode(TFrameSelectMode Value)
{
    FSelectMode = Value;
}

void TFrameSettings::SetFavoritesMode(TFrameFavoritesMode Value)
{
    change(FFavoritesMode, Value, SFM_FAVORITESMODE);
}

void TFrameSettings::SetShowOnlyChecked(bool Value)
{
    change(FShowOnlyChecked, Value, SFM_SHOWONLYCHECKED);
}

void TFrameSettings::SetShowFavorites(bool Value)
{
    change(FShowFavorites, Value, SFM_SHOWFAVORITES);
}

void TFrameSettings::SetShowFilter(bool Value)
{
    change(FShowFilter, Value, SFM_SHOWFILTER);
}

void TFrameSettings::SetShowGroupBy(bool Value)
{
    change(FShowGroupBy, Value, SFM_SHOWGROUPBY);
}

void TFrameSettings::SetFilter(const QString &Value)
{
    if (FFilter.compare(Value, Qt::CaseInsensitive) == 0)
        return;
    FFilter = Value;
    notify(SFM_FILTER);
}

} // namespace selectframe
