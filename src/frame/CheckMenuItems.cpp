// SPDX-License-Identifier: MIT
#include "CheckMenuItems.h"

#include "frame/SplitPopupMenu.h"
#include "platform/GuardedCall.h"

namespace selectframe {

namespace {

/// Runs `OnClick` with `entry` whenever the entry is chosen.
void bindClick(QAction *entry, const TMenuClickHandler &OnClick)
{
    QObject::connect(entry, &QAction::triggered, entry,
                     [entry, OnClick] { runGuarded("menu entry", [entry, &OnClick] { OnClick(entry); }); });
}

} // namespace

QString MenuCaption(QString Text)
{
    return Text.replace(u'&', QStringLiteral("&&"));
}

TCheckDataMenuItem::TCheckDataMenuItem(int ColumnIndex, const QString &Value, const TMenuClickHandler &OnClick,
                                       QObject *AOwner)
    : QAction(MenuCaption(Value), AOwner), FColumnIndex(ColumnIndex), FValue(Value)
{
    bindClick(this, OnClick);
}

TCheckFavoriteMenuItem::TCheckFavoriteMenuItem(ISelectFavorite *Favorite, const TMenuClickHandler &OnClick,
                                               QObject *AOwner)
    : QAction(AOwner), FFavorite(Favorite)
{
    QString name;
    Favorite->GetName(&name);
    setText(MenuCaption(name));
    setData(mgFavorites);
    bindClick(this, OnClick);
}

TSeparatorMenuItem::TSeparatorMenuItem(QObject *AOwner) : QAction(QStringLiteral("-"), AOwner)
{
    setSeparator(true);
}

} // namespace selectframe
