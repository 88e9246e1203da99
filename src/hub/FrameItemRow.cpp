// SPDX-License-Identifier: MIT
#include "FrameItemRow.h"

#include <atomic>

namespace selectframe {

namespace {
std::atomic<TFrameItemRowOpsResolver> rowOpsResolver{nullptr};
}

void setFrameItemRowOpsResolver(TFrameItemRowOpsResolver resolver)
{
    rowOpsResolver.store(resolver);
}

IFrameItemRowOps *frameItemRowOps(TSelectFrameNode *node)
{
    const TFrameItemRowOpsResolver resolver = rowOpsResolver.load();
    return node && resolver ? resolver(node) : nullptr;
}

} // namespace selectframe
