// SPDX-License-Identifier: MIT
// Load and save of a frame's checked set.
#pragma once

#include "platform/InterfacedObject.h"

namespace selectframe {

class TFrameManager;

/// The checked set as lines of item IDs. The host may keep this object
/// longer than the frame; once its manager is gone, Load and Save do
/// nothing (Save leaves the target empty).
class TStateStorage final : public TInterfacedObject<IDataStorage>
{
public:
    explicit TStateStorage(TFrameManager *Manager) : Manager(Manager) {}

    /// Checks exactly the items whose ID is among the lines.
    void SF_CALL Load(const QStringList &Source) override;
    /// Replaces the target's lines with the checked IDs, in checking order.
    void SF_CALL Save(QStringList *Target) override;

    /// Called by the manager as it goes away.
    void Detach() { Manager = nullptr; }

private:
    ~TStateStorage() override = default;

    TFrameManager *Manager;
};

} // namespace selectframe
