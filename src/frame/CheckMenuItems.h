// SPDX-License-Identifier: MIT
// The entries of the check menu.
#pragma once

#include <selectframe/Interfaces.h>

#include <QAction>

#include <functional>

namespace selectframe {

/// A menu entry's click handler; `Sender` is the entry.
using TMenuClickHandler = std::function<void(QObject *Sender)>;

/// `Text` as an entry's caption that shows it as it is: an ampersand in a
/// value or a name is no mnemonic.
QString MenuCaption(QString Text);

/// An entry that checks the items whose value in one column equals its
/// value. Captioned with the value.
class TCheckDataMenuItem : public QAction
{
    Q_OBJECT

public:
    TCheckDataMenuItem(int ColumnIndex, const QString &Value, const TMenuClickHandler &OnClick, QObject *AOwner);

    /// The column's Index in the object model.
    const int FColumnIndex;
    const QString FValue;
};

/// An entry that checks the items of a favorite. Captioned with the
/// favorite's name, in the favorites group (tag 2). Holds a counted
/// reference to the favorite.
class TCheckFavoriteMenuItem : public QAction
{
    Q_OBJECT

public:
    TCheckFavoriteMenuItem(ISelectFavorite *Favorite, const TMenuClickHandler &OnClick, QObject *AOwner);

    const IPtr<ISelectFavorite> FFavorite;
};

/// A separator line.
class TSeparatorMenuItem : public QAction
{
    Q_OBJECT

public:
    explicit TSeparatorMenuItem(QObject *AOwner);
};

} // namespace selectframe
