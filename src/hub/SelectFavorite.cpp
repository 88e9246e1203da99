// SPDX-License-Identifier: MIT
#include "SelectFavorite.h"

namespace selectframe {

TSelectFavorite::TSelectFavorite(const QString &InitialName) : Name(InitialName)
{}

void TSelectFavorite::GetName(QString *Result)
{
    *Result = Name;
}

void TSelectFavorite::SetName(const QString &NewName)
{
    Name = NewName;
}

QStringList *TSelectFavorite::GetItems()
{
    return &Items;
}

} // namespace selectframe
