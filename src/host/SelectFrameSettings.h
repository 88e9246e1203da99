// SPDX-License-Identifier: MIT
// The host's view of a frame's settings.
#pragma once

#include "platform/InterfacedObject.h"

#include <QPointer>

namespace selectframe {

class TFrameSettings;

/// Forwards ShowOnlyChecked to the control's settings. It does not own
/// them: the frame detaches it when its control goes, after which reads
/// answer false and writes do nothing, so a host that keeps it stays safe.
class TSelectFrameSettings final : public TInterfacedObject<ISelectFrameSettings>
{
public:
    explicit TSelectFrameSettings(TFrameSettings *Settings);

    bool SF_CALL GetShowOnlyChecked() override;
    void SF_CALL SetShowOnlyChecked(bool Value) override;

private:
    ~TSelectFrameSettings() override = default;

    QPointer<TFrameSettings> FSettings;
};

} // namespace selectframe
