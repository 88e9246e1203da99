// SPDX-License-Identifier: MIT
// The user-visible switches of one frame control.
#pragma once

#include <selectframe/Interfaces.h>

#include <QObject>
#include <QString>

namespace selectframe {

/// The nine settings of a frame control: how rows may be checked, where
/// favorites live, which side-panel parts show, the group-by choice, the
/// filter's placeholder and the filter in force. Setters with a visible
/// effect tell the owner at once, by sending it the matching SFM_ event
/// synchronously, and only when the value changes; SelectMode,
/// GroupByIndex and FilterHint tell nobody. Owned by its control.
class TFrameSettings : public QObject
{
    Q_OBJECT
    Q_PROPERTY(TFrameSelectMode SelectMode READ SelectMode WRITE SetSelectMode)
    Q_PROPERTY(TFrameFavoritesMode FavoritesMode READ FavoritesMode WRITE SetFavoritesMode)
    Q_PROPERTY(bool ShowOnlyChecked READ ShowOnlyChecked WRITE SetShowOnlyChecked)
    Q_PROPERTY(bool ShowFavorites READ ShowFavorites WRITE SetShowFavorites)
    Q_PROPERTY(bool ShowFilter READ ShowFilter WRITE SetShowFilter)
    Q_PROPERTY(bool ShowGroupBy READ ShowGroupBy WRITE SetShowGroupBy)
    Q_PROPERTY(int GroupByIndex READ GroupByIndex WRITE SetGroupByIndex)
    Q_PROPERTY(QString FilterHint READ FilterHint WRITE SetFilterHint)
    Q_PROPERTY(QString Filter READ Filter WRITE SetFilter)

public:
    TFrameSettings();

    /// The object the change events go to; not owned. Null sends nothing.
    QObject *Owner() const { return FOwner; }
    void SetOwner(QObject *Owner) { FOwner = Owner; }

    /// Copies SelectMode, ShowOnlyChecked, ShowFavorites and FavoritesMode
    /// from another settings object, telling nobody; everything else stays.
    /// Any other source throws EConvertError.
    void Assign(const QObject *Source);

    TFrameSelectMode SelectMode() const { return FSelectMode; }
    void SetSelectMode(TFrameSelectMode Value);
    TFrameFavoritesMode FavoritesMode() const { return FFavoritesMode; }
    void SetFavoritesMode(TFrameFavoritesMode Value);
    bool ShowOnlyChecked() const { return FShowOnlyChecked; }
    void SetShowOnlyChecked(bool Value);
    bool ShowFavorites() const { return FShowFavorites; }
    void SetShowFavorites(bool Value);
    bool ShowFilter() const { return FShowFilter; }
    void SetShowFilter(bool Value);
    bool ShowGroupBy() const { return FShowGroupBy; }
    void SetShowGroupBy(bool Value);
    int32_t GroupByIndex() const { return FGroupByIndex; }
    void SetGroupByIndex(int32_t Value) { FGroupByIndex = Value; }
    const QString &FilterHint() const { return FFilterHint; }
    void SetFilterHint(const QString &Value) { FFilterHint = Value; }
    const QString &Filter() const { return FFilter; }
    /// A new text that differs from the one in force only in letter case is
    /// neither stored nor told.
    void SetFilter(const QString &Value);

    /// Turns the checked-only view off without telling the owner: the view
    /// falls back on its own when nothing is checked.
    void ResetShowOnlyChecked() { FShowOnlyChecked = false; }

private:
    /// Stores `value` in `field` and tells the owner, when they differ.
    template <class T>
    void change(T &field, T value, int message);
    void notify(int message);

    QObject *FOwner = nullptr;
    TFrameSelectMode FSelectMode = fsmOn;
    TFrameFavoritesMode FFavoritesMode = ffmExternal;
    bool FShowOnlyChecked = false;
    bool FShowFavorites = false;
    bool FShowFilter = false;
    bool FShowGroupBy = false;
    int32_t FGroupByIndex = 0;
    QString FFilterHint;
    QString FFilter;
};

} // namespace selectframe
