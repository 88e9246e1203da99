// SPDX-License-Identifier: MIT
// The factory a host receives from the plug-in.
#pragma once

#include "platform/InterfacedObject.h"

namespace selectframe {

/// Creates frames, each with every option default already written.
class TSelectFrameFactory final : public TInterfacedObject<ISelectFrameFactory>
{
public:
    TSelectFrameFactory() = default;

    void SF_CALL CreateFrame(ISelectFrame **Frame) override;

private:
    ~TSelectFrameFactory() override = default;
};

} // namespace selectframe
