// SPDX-License-Identifier: MIT
// What a tree view shows, read back through its model.
#pragma once

#include <QAbstractItemModel>
#include <QStringList>

namespace selectframe::test {

/// Captions of the shown rows under `parent`, in display order.
inline QStringList shownCaptions(const QAbstractItemModel *model, const QModelIndex &parent = {})
{
    QStringList r;
    for (int i = 0; i < model->rowCount(parent); ++i)
        r.append(model->index(i, 0, parent).data().toString());
    return r;
}

} // namespace selectframe::test
