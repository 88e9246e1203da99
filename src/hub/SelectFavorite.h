// SPDX-License-Identifier: MIT
// A favorite: a named list of item IDs.
#pragma once

#include "platform/InterfacedObject.h"

namespace selectframe {

/// A named list of item IDs, one per entry, in the order stored and with
/// duplicates allowed. The list is handed out by pointer and stays owned by
/// the favorite.
class TSelectFavorite final : public TInterfacedObject<ISelectFavorite>
{
public:
    explicit TSelectFavorite(const QString &InitialName);

    void SF_CALL GetName(QString *Result) override;
    void SF_CALL SetName(const QString &NewName) override;
    QStringList *SF_CALL GetItems() override;

private:
    ~TSelectFavorite() override = default;

    QString Name;
    QStringList Items;
};

} // namespace selectframe
