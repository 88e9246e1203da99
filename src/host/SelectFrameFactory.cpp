// SPDX-License-Identifier: MIT
#include "SelectFrameFactory.h"

#include "host/SelectFrame.h"
#include "intf/FrameConsts.h"

namespace selectframe {

void TSelectFrameFactory::CreateFrame(ISelectFrame **Frame)
{
    *Frame = new TSelectFrame;
    (*Frame)->AddRef();
    IPtr<INamedParams> params;
    (*Frame)->GetParams(params.put());
    WriteOptionDefaults(params.get());
}

} // namespace selectframe
