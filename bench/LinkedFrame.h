// SPDX-License-Identifier: MIT
// A frame of the linked library over engine rows, shown, for the
// benchmarks that drive the control itself.
#pragma once

#include "BenchUtil.h"
#include "EngineRows.h"

#include "frame/uSelectFrame.h"
#include "host/SelectFrameFactory.h"

#include <functional>

namespace selectframe::bench {

/// A shown frame and what a benchmark reaches it through.
struct TLinkedFrame
{
    IPtr<ISelectFrame> Frame;
    /// The frame's value bag, for the options a host writes.
    IPtr<INamedParams> Params;
    TSelectFrameControl *Control = nullptr;
};

/// A frame made as a host makes one: the factory's CreateFrame, the engines
/// given through fillFrame, then `configure` (options, favorites, handlers
/// written before Initialize), Initialize, and the control shown at
/// 900 x 700 and painted.
inline TLinkedFrame showLinkedFrame(const QList<demo::TEngine> &engines,
                                    const std::function<void(TLinkedFrame &)> &configure = {})
{
    TLinkedFrame f;
    {
        IPtr<ISelectFrameFactory> factory(new TSelectFrameFactory);
        factory->CreateFrame(f.Frame.put());
    }
    fillFrame(f.Frame.get(), engines);
    f.Frame->GetParams(f.Params.put());
    if (configure)
        configure(f);
    f.Frame->Initialize();
    f.Control = static_cast<TSelectFrameControl *>(f.Frame->GetControl());
    f.Control->resize(900, 700);
    f.Control->show();
    paintNow(f.Control);
    return f;
}

} // namespace selectframe::bench
