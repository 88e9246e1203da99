// SPDX-License-Identifier: MIT
#include "StateStorage.h"

#include "FrameManager.h"

namespace selectframe {

void TStateStorage::Load(const QStringList &Source)
{
    if (Manager)
        Manager->CheckByList(Source);
}

void TStateStorage::Save(QStringList *Target)
{
    if (!Target)
        return;
    *Target = Manager ? Manager->CheckedIDs() : QStringList();
}

} // namespace selectframe
