// SPDX-License-Identifier: MIT
#include "SelectFrameSettings.h"

#include "frame/FrameSettings.h"

namespace selectframe {

TSelectFrameSettings::TSelectFrameSettings(TFrameSettings *Settings) : FSettings(Settings)
{}

bool TSelectFrameSettings::GetShowOnlyChecked()
{
    return FSettings && FSettings->ShowOnlyChecked();
}

void TSelectFrameSettings::SetShowOnlyChecked(bool Value)
{
    if (FSettings)
        FSettings->SetShowOnlyChecked(Value);
}

} // namespace selectframe
